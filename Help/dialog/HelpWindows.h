#pragma once

#include "core/Language.h"

#include <QPointer>
#include <QString>

class HelpDialog;
class LicenseDialog;
class QWidget;

namespace Fasoria {

/// The handbook and the terms as the main window opens them: each made on first request (and again after it
/// closed, since it deletes itself), shown, raised and kept in the interface language.
class HelpWindows
{
public:
    explicit HelpWindows(QWidget *parent) : m_parent(parent) {}

    void setLanguage(Language language);
    void showHandbook();
    /// The handbook at `anchor` ("chapter-oracles", "lesson-07", ...).
    void showAnchor(const QString &anchor);
    /// The handbook at the page of catalog lesson `lessonIndex`, or, for a generated algorithm (no catalog
    /// lesson), at the chapter on algorithms and oracles.
    void showLesson(int lessonIndex, bool generatedAlgorithm);
    void showLicense();

private:
    HelpDialog *handbook();
    void raise(QWidget *window);

    QWidget *m_parent;
    Language m_language = Italian;
    QPointer<HelpDialog> m_handbook;
    QPointer<LicenseDialog> m_license;
};

} // namespace Fasoria
