// fasoria-cli: the teacher's companion to the laboratory. It runs circuits, grades challenge submissions,
// makes and shows teachers' own challenges, generates algorithm circuits, draws circuits and probability charts,
// exchanges OpenQASM 2.0 and runs the scientific validation suite, using the program's own libraries throughout.

#include "cli/CliTexts.h"
#include "cli/Commands.h"

#include "editor/FilePath.h"

#include <QCoreApplication>
#ifdef FASORIA_CLI_DRAW
#include <QApplication>
#endif
#include <QStringList>
#include <QTextCodec>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

using namespace Fasoria;
using namespace Fasoria::Cli;

namespace {

struct CommandForm
{
    const char *name;
    CliText usage;
    QStringList options;
    int (*run)(const CommandLine &);
    /// The options that may be given more than once, each time adding a value.
    QStringList repeatable = {};
    /// The options that take two words, as "--step-it K TEXT".
    QStringList twoValued = {};
};

const QVector<CommandForm> &commandForms()
{
    static const QVector<CommandForm> forms = {
        {"run",
         CliText::UsageRun,
         {QStringLiteral("--lesson"), QStringLiteral("--stage"), QStringLiteral("--shots"), QStringLiteral("--seed")},
         runResults},
        {"check",
         CliText::UsageCheck,
         {QStringLiteral("--lesson"), QStringLiteral("--challenge"), QStringLiteral("--pack"), QStringLiteral("--csv"),
          QStringLiteral("--html")},
         checkSubmissions},
        {"challenge",
         CliText::UsageChallenge,
         {QStringLiteral("--from"), QStringLiteral("--goal-it"), QStringLiteral("--goal-en"),
          QStringLiteral("--hint-it"), QStringLiteral("--hint-en"), QStringLiteral("--min-gates"),
          QStringLiteral("--max-gates"), QStringLiteral("--require"), QStringLiteral("--forbid"), QStringLiteral("-o")},
         runChallenge,
         {QStringLiteral("--hint-it"), QStringLiteral("--hint-en"), QStringLiteral("--require"),
          QStringLiteral("--forbid")}},
        {"generate",
         CliText::UsageGenerate,
         {QStringLiteral("--qubits"), QStringLiteral("--marked"), QStringLiteral("--iterations"),
          QStringLiteral("--secret"), QStringLiteral("--function"), QStringLiteral("-o")},
         generateCircuit},
        {"lesson", CliText::UsageLesson, {QStringLiteral("-o")}, writeLesson},
        {"qasm", CliText::UsageQasm, {QStringLiteral("-o")}, convertQasm},
        {"validate", CliText::UsageValidate, {QStringLiteral("--json")}, runValidation},
        {"session", CliText::UsageSession, {}, checkSessions},
        {"pack",
         CliText::UsagePack,
         {QStringLiteral("--title-it"), QStringLiteral("--title-en"), QStringLiteral("-o"), QStringLiteral("--id"),
          QStringLiteral("--from"), QStringLiteral("--question-it"), QStringLiteral("--question-en"),
          QStringLiteral("--explanation-it"), QStringLiteral("--explanation-en"), QStringLiteral("--step-it"),
          QStringLiteral("--step-en")},
         runPack,
         {QStringLiteral("--step-it"), QStringLiteral("--step-en")},
         {QStringLiteral("--step-it"), QStringLiteral("--step-en")}},
#ifdef FASORIA_CLI_DRAW
        {"draw",
         CliText::UsageDraw,
         {QStringLiteral("--lesson"), QStringLiteral("--stage"), QStringLiteral("-o")},
         drawCircuit},
        {"chart",
         CliText::UsageChart,
         {QStringLiteral("--lesson"), QStringLiteral("--stage"), QStringLiteral("--shots"), QStringLiteral("--seed"),
          QStringLiteral("-o")},
         drawChart},
        {"worksheet", CliText::UsageWorksheet, {QStringLiteral("-o")}, writeWorksheets},
#endif
    };
    return forms;
}

void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

// The usage lines of the text (up to its first blank line) and where to find the rest.
int usageError(const QString &message, CliText usage, const QString &command, Language language)
{
    const QString text = cliText(usage, language);
    printError(message);
    print(stderr,
          text.left(text.indexOf(QLatin1String("\n\n")) + 1) +
              cliText(CliText::HelpHint, language).arg(command.isEmpty() ? command : command + QLatin1Char(' ')));
    return kExitFailure;
}

// Takes "--lang it|en" (or "--lang=…") out of the words wherever it stands before "--".
Language takeLanguage(QStringList &words)
{
    Language language = English;
    for (int i = 0; i < words.size() && words[i] != QLatin1String("--");) {
        QString value;
        if (words[i] == QLatin1String("--lang")) {
            value = words.value(i + 1);
            words.removeAt(i);
            if (i < words.size()) {
                words.removeAt(i);
            }
        } else if (words[i].startsWith(QLatin1String("--lang="))) {
            value = words.takeAt(i).mid(7);
        } else {
            ++i;
            continue;
        }
        if (value != QLatin1String("it") && value != QLatin1String("en")) {
            throw UsageError{cliText(CliText::LanguageValue, English)};
        }
        language = value == QLatin1String("en") ? English : Italian;
    }
    return language;
}

bool asksForHelp(const QStringList &words)
{
    for (const QString &word : words) {
        if (word == QLatin1String("--")) {
            return false;
        }
        if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            return true;
        }
    }
    return false;
}

int dispatch(QStringList words, Language language)
{
    if (words.isEmpty()) {
        return usageError(cliText(CliText::MissingCommand, language), CliText::UsageGeneral, QString(), language);
    }
    const QString name = words.takeFirst();
    for (const CommandForm &form : commandForms()) {
        if (name != QLatin1String(form.name)) {
            continue;
        }
        if (asksForHelp(words)) {
            print(stdout, cliText(form.usage, language));
            return kExitSuccess;
        }
        try {
            return form.run(CommandLine(words, form.options, language, form.repeatable, form.twoValued));
        } catch (const UsageError &error) {
            return usageError(error.message, form.usage, name, language);
        }
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        print(stdout, cliText(CliText::UsageGeneral, language));
        return kExitSuccess;
    }
    return usageError(cliText(CliText::UnknownCommand, language).arg(shownWord(name)), CliText::UsageGeneral, QString(),
                      language);
}

// Words are decoded as UTF-8 and file names encoded back the same way. A word that is not UTF-8 would come
// back as other bytes and open or write a different file, so it is refused before anything runs.
bool argumentsAreUtf8(int argc, char *argv[])
{
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    for (int i = 1; i < argc; ++i) {
        QTextCodec::ConverterState state;
        const QString word = utf8->toUnicode(argv[i], static_cast<int>(std::strlen(argv[i])), &state);
        if (state.invalidChars != 0 || state.remainingChars != 0) {
            printError(shownPath(word) + QLatin1String(": ") + QLatin1String(kFileNameNotUtf8));
            return false;
        }
    }
    return true;
}

// The command is the first word that is neither "--lang" nor its value.
bool drawsPictures(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--lang") {
            ++i;
        } else if (word.rfind("--lang=", 0) != 0) {
            return word == "draw" || word == "chart" || word == "worksheet";
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Past a file-size limit a write then fails with an error the save reports, instead of ending the tool
    // half-way through a gradebook.
    std::signal(SIGXFSZ, SIG_IGN);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    // Drawing needs the toolkit's painting and fonts, but never a display: the offscreen platform serves.
    std::unique_ptr<QCoreApplication> application;
    if (drawsPictures(argc, argv)) {
#ifdef FASORIA_CLI_DRAW
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application = std::make_unique<QApplication>(argc, argv);
#endif
    }
    if (!application) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    if (!argumentsAreUtf8(argc, argv)) {
        return kExitFailure;
    }
    QStringList words = QCoreApplication::arguments().mid(1);
    try {
        const Language language = takeLanguage(words);
        return dispatch(words, language);
    } catch (const UsageError &error) {
        return usageError(error.message, CliText::UsageGeneral, QString(), English);
    } catch (const CommandError &error) {
        printError(error.message);
    } catch (const std::exception &error) {
        printError(QString::fromUtf8(error.what()));
    }
    return kExitFailure;
}
