#include "ui/model/CommandLineOptions.h"

#include "ui/model/ApplicationInfo.h"

#include <cstring>

namespace Fasoria {

CommandLineOptions readCommandLine(const QStringList &words)
{
    CommandLineOptions options;
    const int separator = words.indexOf(QStringLiteral("--"));
    const int optionsEnd = separator < 0 ? words.size() : separator;
    int selfTest = -1;
    for (int i = 0; i < optionsEnd; ++i) {
        if (words[i] == QLatin1String("--help")) {
            options.run = CommandLineOptions::Run::Help;
            return options;
        }
        if (words[i] == QLatin1String("--version")) {
            options.run = CommandLineOptions::Run::Version;
            return options;
        }
        if (words[i] == QLatin1String("--self-test") && selfTest < 0) {
            selfTest = i;
            ++i; // its directory, even one that looks like an option
        }
    }
    if (selfTest >= 0) {
        options.run = CommandLineOptions::Run::SelfTest;
        if (selfTest + 1 < optionsEnd) {
            options.selfTestDirectory = words[selfTest + 1];
        }
        return options;
    }
    for (int i = 0; i < words.size(); ++i) {
        if (words[i].isEmpty()) {
            continue;
        }
        if (i > optionsEnd || (i < optionsEnd && !words[i].startsWith(QLatin1Char('-')))) {
            options.file = words[i];
            break;
        }
    }
    return options;
}

int wordsBeforeSeparator(int argc, const char *const *argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            return i;
        }
    }
    return argc;
}

QString commandLineUsage()
{
    return QStringLiteral("Usage: fasoria [--] [FILE]\n"
                          "       fasoria --self-test [DIRECTORY]\n"
                          "       fasoria --help | --version\n"
                          "\n"
                          "Opens the quantum computation laboratory. FILE opens at start, as from the\n"
                          "File menu; only the first one is opened:\n"
                          "  NAME.fsor.json       a circuit\n"
                          "  NAME.session.json    a learning session, in the learning lab\n"
                          "  NAME.challenge.json  a teacher's challenge, with an empty circuit to answer it\n"
                          "  NAME.lessons.json    a teacher's lesson pack, its lessons added to the list\n"
                          "\n"
                          "  --self-test [DIRECTORY]  run the unattended self-test of the learning\n"
                          "                           features instead of the window, with the user's\n"
                          "                           settings untouched, and write its report into\n"
                          "                           DIRECTORY (default: the current directory)\n"
                          "  --help                   print this help and exit\n"
                          "  --version                print the version and exit\n"
                          "  --                       end of options: every word after it is a FILE,\n"
                          "                           even one that starts with '-'\n"
                          "\n"
                          "Other options are left to the Qt toolkit, for example -platform NAME.\n"
                          "\n"
                          "Exit status: 0 when the window is closed; with --self-test, 0 when every\n"
                          "check passed and 1 when one failed.\n");
}

QString versionLine()
{
    return QString::fromUtf8(kApplicationName) + QLatin1Char(' ') + QString::fromUtf8(kApplicationVersion);
}

} // namespace Fasoria
