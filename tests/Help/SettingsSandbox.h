// The settings store of the help and terms window tests: a temporary directory of their own, under their
// own application name, with the compiled-in resources registered.
#pragma once

#include "Help/Resources.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

class SettingsSandbox
{
public:
    /// Points the store at the sandbox; false when its directory could not be made.
    bool enter(const QString &applicationName)
    {
        if (!m_store.isValid()) {
            return false;
        }
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(applicationName);
        Fasoria::initResources();
        return true;
    }

private:
    QTemporaryDir m_store;
};
