#include "Help/Resources.h"
#include "ui/ApplicationInfo.h"
#include "ui/MainWindow.h"
#include "validation/EducationSelfTest.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // Past a file-size limit a write must fail with an error the save reports and the student can act on,
    // not end the program and take the unsaved circuit with it.
    std::signal(SIGXFSZ, SIG_IGN);
    // Both attributes take effect only when set before the application object exists.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(Fasoria::kOrganizationName));
    QApplication::setOrganizationDomain(QString::fromUtf8(Fasoria::kOrganizationDomain));
    QApplication::setApplicationName(QString::fromUtf8(Fasoria::kApplicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(Fasoria::kApplicationVersion));
    // Lets the desktop match the window to the installed entry, its name and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.nembotica.Fasoria"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Numbers keep a decimal point whatever the interface language.
    QLocale::setDefault(QLocale(QLocale::English));
    Fasoria::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Fasoria.png")));

    // The unattended "--self-test" run is chosen here, before the window is built: it isolates the settings
    // in a temporary INI store, drives the window without showing it on screen and returns its verdict.
    const QStringList arguments = QCoreApplication::arguments();
    const int selfTest = arguments.indexOf(QStringLiteral("--self-test"));
    std::unique_ptr<QTemporaryDir> settings;
    if (selfTest >= 0) {
        settings = std::make_unique<QTemporaryDir>();
        if (!settings->isValid()) {
            std::fputs("fasoria --self-test: cannot create a temporary settings directory\n", stderr);
            return 1;
        }
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settings->path());
    }
    auto window = std::make_unique<MainWindow>();
    int result = 0;
    if (selfTest >= 0) {
        const QString directory = selfTest + 1 < arguments.size() ? arguments[selfTest + 1] : QDir::currentPath();
        result = Fasoria::runEducationSelfTest(*window, directory) ? 0 : 1;
    } else {
        window->show();
        // A file named on the command line (the desktop entry's %f) opens as if chosen in the File menu; a
        // refused one is reported in the window, which stays open with its usual start. Arguments that start
        // with '-' are options the toolkit did not take, unless they follow "--".
        const int separator = arguments.indexOf(QStringLiteral("--"));
        for (int i = 1; i < arguments.size(); ++i) {
            if ((separator >= 0 && i > separator) || !arguments[i].startsWith(QLatin1Char('-'))) {
                window->openGivenFile(arguments[i]);
                break;
            }
        }
        result = application.exec();
    }
    window.reset();
    settings.reset();
    return result;
}
