#include "Help/Resources.h"
#include "ui/model/ApplicationInfo.h"
#include "ui/model/CommandLineOptions.h"
#include "ui/widgets/InterfaceStyle.h"
#include "ui/window/MainWindow.h"
#include "validation/selftest/EducationSelfTest.h"

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
#include <vector>

namespace {

QStringList decodedWords(char *argv[], int begin, int end)
{
    QStringList words;
    for (int i = begin; i < end; ++i) {
        words << QString::fromLocal8Bit(argv[i]);
    }
    return words;
}

/// Exit status 0 once the text is written out, 1 when it could not be (a full disk, a closed pipe).
int printed(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const auto size = static_cast<std::size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Past a file-size limit a write must fail with an error the save reports and the student can act on,
    // not end the program and take the unsaved circuit with it.
    std::signal(SIGXFSZ, SIG_IGN);
    // The toolkit sees only the words before "--": after it every word is a file, and "-reverse" or
    // "-style=x" there must not change the window. Help and version need no display, so they are answered
    // before the application object exists.
    const int separator = Fasoria::wordsBeforeSeparator(argc, argv);
    const Fasoria::CommandLineOptions early = Fasoria::readCommandLine(decodedWords(argv, 1, separator));
    if (early.run == Fasoria::CommandLineOptions::Run::Help) {
        return printed(Fasoria::commandLineUsage());
    }
    if (early.run == Fasoria::CommandLineOptions::Run::Version) {
        return printed(Fasoria::versionLine() + QLatin1Char('\n'));
    }
    // The toolkit removes the options it takes from this copy and counts down toolkitWords with them.
    int toolkitWords = separator;
    std::vector<char *> toolkitArguments(argv, argv + separator);
    toolkitArguments.push_back(nullptr);
    // Both attributes take effect only when set before the application object exists.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication application(toolkitWords, toolkitArguments.data());
    QApplication::setOrganizationName(QString::fromUtf8(Fasoria::kOrganizationName));
    QApplication::setOrganizationDomain(QString::fromUtf8(Fasoria::kOrganizationDomain));
    QApplication::setApplicationName(QString::fromUtf8(Fasoria::kApplicationName));
    QApplication::setApplicationVersion(QString::fromUtf8(Fasoria::kApplicationVersion));
    // Lets the desktop match the window to the installed entry, its name and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.nembotica.Fasoria"));
    QApplication::setStyle(Fasoria::createInterfaceStyle());
    // Numbers keep a decimal point whatever the interface language.
    QLocale::setDefault(QLocale(QLocale::English));
    Fasoria::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Fasoria.png")));

    // What the toolkit left of its words, then "--" and the files after it, decoded now that the locale is set.
    const Fasoria::CommandLineOptions options =
        Fasoria::readCommandLine(QCoreApplication::arguments().mid(1) + decodedWords(argv, separator, argc));
    const bool selfTest = options.run == Fasoria::CommandLineOptions::Run::SelfTest;
    // The unattended "--self-test" run is chosen here, before the window is built: it isolates the settings
    // in a temporary INI store, drives the window without showing it on screen and returns its verdict.
    std::unique_ptr<QTemporaryDir> settings;
    if (selfTest) {
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
    if (selfTest) {
        const QString directory = options.selfTestDirectory.isEmpty() ? QDir::currentPath() : options.selfTestDirectory;
        result = Fasoria::runEducationSelfTest(*window, directory) ? 0 : 1;
    } else {
        window->show();
        // A file named on the command line (the desktop entry's %f) opens as if chosen in the File menu; a
        // refused one is reported in the window, which stays open with its usual start.
        if (!options.file.isEmpty()) {
            window->openGivenFile(options.file);
        }
        result = application.exec();
    }
    window.reset();
    settings.reset();
    return result;
}
