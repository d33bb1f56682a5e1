#include "Help/Resources.h"
#include "ui/ApplicationInfo.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QString>

#include <csignal>
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
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Numbers keep a decimal point whatever the interface language.
    QLocale::setDefault(QLocale(QLocale::English));
    Fasoria::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Fasoria.png")));

    // The unattended "--self-test" run is chosen here, before the window is built: it isolates the settings
    // in a temporary directory, drives the window without showing it and returns its verdict.
    auto window = std::make_unique<MainWindow>();
    window->show();
    const int result = application.exec();
    window.reset();
    return result;
}
