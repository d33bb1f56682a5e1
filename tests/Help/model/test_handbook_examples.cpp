// The handbook's worked example of a lesson pack, checked against the program. The teacher's chapter shows
// the files the example starts from as
//   <pre data-file="NAME">CONTENT</pre>
// the commands that make the pack as
//   <pre data-run="pack-example">COMMANDS</pre>
// and what they print as
//   <pre data-output="pack-example">OUTPUT</pre>
// where the commands run in the folder of those files and end up with entanglement.lessons.json, which must be
// the reference pack of the editor's tests byte for byte, in either language of the handbook.

#include "Help/Resources.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "editor/LessonPack.h"
#include "tests/Help/HandbookHtml.h"
#include "tests/cli/CliProcess.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace Fasoria;

namespace {

const QString kReferencePack =
    QStringLiteral(FASORIA_SOURCE_DIR "/tests/editor/data/lesson-pack-corpus/valid-superdense.lessons.json");
const QString kPackName = QStringLiteral("entanglement.lessons.json");

QString handbook(const QString &code)
{
    QFile file(QStringLiteral(":/manual/%1/index.html").arg(code));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

/// The files the example starts from, by name, as a reader copying them from the page would save them.
QMap<QString, QString> exampleFiles(const QString &html)
{
    static const QRegularExpression block(QStringLiteral("<pre data-file=\"([^\"]+)\">(.*?)</pre>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    QMap<QString, QString> files;
    QRegularExpressionMatchIterator it = block.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        files.insert(match.captured(1), HandbookHtml::unescaped(match.captured(2)) + QLatin1Char('\n'));
    }
    return files;
}

/// The text of the one <pre> block that carries `attribute`, unescaped; null when there is none.
QString preBlock(const QString &html, const QString &attribute)
{
    const QRegularExpression block(QStringLiteral("<pre %1>(.*?)</pre>").arg(QRegularExpression::escape(attribute)),
                                   QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = block.match(html);
    return match.hasMatch() ? HandbookHtml::unescaped(match.captured(1)) : QString();
}

/// The example's commands, one per element: continuation lines ("\" at the end) joined as the shell joins them.
QStringList exampleCommands(const QString &html)
{
    QString text = preBlock(html, QStringLiteral("data-run=\"pack-example\""));
    text.replace(QRegularExpression(QStringLiteral("\\\\\\n\\s*")), QString());
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

/// What the page says the example's commands print.
QString exampleOutput(const QString &html)
{
    const QString text = preBlock(html, QStringLiteral("data-output=\"pack-example\""));
    return text.isNull() ? text : text + QLatin1Char('\n');
}

/// A shell word in double quotes, as the example writes every text.
QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

LessonPack referencePack()
{
    LessonPack pack;
    QString error;
    if (!loadLessonPackFile(kReferencePack, pack, &error)) {
        qFatal("the reference pack does not read: %s", qPrintable(error));
    }
    return pack;
}

const QStringList kCodes = {QStringLiteral("en"), QStringLiteral("it")};

} // namespace

class TestHandbookExamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exampleFilesAreCircuits_data();
    void exampleFilesAreCircuits();
    void commandsGiveEveryTextOfThePack_data();
    void commandsGiveEveryTextOfThePack();
    void challengeCommandMakesThePacksChallenge_data();
    void challengeCommandMakesThePacksChallenge();
    void commandsMakeTheReferencePack_data();
    void commandsMakeTheReferencePack();

private:
    void addDocumentRows();
    /// Writes the example's files into `directory` and runs `commands` there with fasoria-cli on the path.
    CliRun runExample(const QString &code, const QStringList &commands, const QString &directory);
};

void TestHandbookExamples::initTestCase()
{
    initResources();
    for (const QString &code : kCodes) {
        QVERIFY2(!handbook(code).isEmpty(), qPrintable(code + QStringLiteral(" handbook is not compiled in")));
    }
}

void TestHandbookExamples::addDocumentRows()
{
    QTest::addColumn<QString>("code");
    for (const QString &code : kCodes) {
        QTest::newRow(qPrintable(code)) << code;
    }
}

CliRun TestHandbookExamples::runExample(const QString &code, const QStringList &commands, const QString &directory)
{
    const QMap<QString, QString> files = exampleFiles(handbook(code));
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (!writeFile(directory + QLatin1Char('/') + it.key(), it.value().toUtf8())) {
            CliRun failed;
            failed.err = "cannot write " + it.key().toUtf8();
            return failed;
        }
    }
    const QString cliFolder = QFileInfo(QStringLiteral(FASORIA_CLI)).absolutePath();
    return runProcess(QStringLiteral("/bin/bash"),
                      {QStringLiteral("-e"), QStringLiteral("-c"), commands.join(QLatin1Char('\n'))}, directory,
                      {{QStringLiteral("PATH"), cliFolder + QStringLiteral(":/usr/bin:/bin")}});
}

void TestHandbookExamples::exampleFilesAreCircuits_data()
{
    QTest::addColumn<QString>("content");
    for (const QString &code : kCodes) {
        const QMap<QString, QString> files = exampleFiles(handbook(code));
        QVERIFY2(files.size() >= 2, qPrintable(code + QStringLiteral(": the example's circuit files are missing")));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QTest::addRow("%s %s", qPrintable(code), qPrintable(it.key())) << it.value();
        }
    }
}

// Every file the page shows opens as a circuit, so a teacher who copies one has a file the program reads.
void TestHandbookExamples::exampleFilesAreCircuits()
{
    QFETCH(QString, content);
    Circuit circuit;
    QString error;
    QVERIFY2(parseCircuit(content.toUtf8(), circuit, &error), qPrintable(error));
}

void TestHandbookExamples::commandsGiveEveryTextOfThePack_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("words");
    const LessonPack pack = referencePack();
    for (const QString &code : kCodes) {
        const auto row = [&code](const QString &what, const QString &option, const QString &text) {
            QTest::addRow("%s %s %s", qPrintable(code), qPrintable(what), qPrintable(option))
                << code << option + QLatin1Char(' ') + quoted(text);
        };
        row(QStringLiteral("pack"), QStringLiteral("--title-it"), pack.titleIt);
        row(QStringLiteral("pack"), QStringLiteral("--title-en"), pack.titleEn);
        for (const PackLesson &lesson : pack.lessons) {
            row(lesson.id, QStringLiteral("--title-it"), lesson.titleIt);
            row(lesson.id, QStringLiteral("--title-en"), lesson.titleEn);
            row(lesson.id, QStringLiteral("--question-it"), lesson.questionIt);
            row(lesson.id, QStringLiteral("--question-en"), lesson.questionEn);
            row(lesson.id, QStringLiteral("--explanation-it"), lesson.explanationIt);
            row(lesson.id, QStringLiteral("--explanation-en"), lesson.explanationEn);
            for (std::size_t i = 0; i < lesson.stepTexts.size(); ++i) {
                const QString step = QString::number(i + 1);
                row(lesson.id, QStringLiteral("--step-it ") + step, lesson.stepTexts[i].first);
                row(lesson.id, QStringLiteral("--step-en ") + step, lesson.stepTexts[i].second);
            }
        }
    }
}

// Each text of the reference pack follows its option in the commands, so a slip in a title or a step is found
// even where the commands cannot run.
void TestHandbookExamples::commandsGiveEveryTextOfThePack()
{
    QFETCH(QString, code);
    QFETCH(QString, words);
    const QStringList commands = exampleCommands(handbook(code));
    QVERIFY2(!commands.isEmpty(), "the example's commands are missing");
    QVERIFY2(commands.join(QLatin1Char('\n')).contains(words), qPrintable(words));
}

void TestHandbookExamples::challengeCommandMakesThePacksChallenge_data()
{
    addDocumentRows();
}

// The example's "challenge new" makes exactly the challenge the reference pack holds: same goal, hints,
// rules and target.
void TestHandbookExamples::challengeCommandMakesThePacksChallenge()
{
    QFETCH(QString, code);
    const QStringList commands = exampleCommands(handbook(code));
    const int index = commands.indexOf(QRegularExpression(QStringLiteral("^fasoria-cli challenge new .*")));
    QVERIFY2(index >= 0, "the example makes no challenge");
    const QString output = QRegularExpression(QStringLiteral(" -o (\\S+)")).match(commands[index]).captured(1);
    QVERIFY(!output.isEmpty());

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const CliRun run = runExample(code, {commands[index]}, directory.path());
    QVERIFY2(run.exitCode == 0, run.err.constData());

    const LessonPack pack = referencePack();
    const auto challenge = std::find_if(pack.lessons.cbegin(), pack.lessons.cend(),
                                        [](const PackLesson &lesson) { return lesson.challenge.has_value(); });
    QVERIFY(challenge != pack.lessons.cend());
    QCOMPARE(readFile(directory.filePath(output)), serializeChallenge(*challenge->challenge));
}

void TestHandbookExamples::commandsMakeTheReferencePack_data()
{
    addDocumentRows();
}

// The whole example, run as a teacher would run it, prints what the page shows and ends with the reference
// pack.
void TestHandbookExamples::commandsMakeTheReferencePack()
{
    QFETCH(QString, code);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const CliRun run = runExample(code, exampleCommands(handbook(code)), directory.path());
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(QString::fromUtf8(run.out), exampleOutput(handbook(code)));
    QCOMPARE(readFile(directory.filePath(kPackName)), readFile(kReferencePack));
}

QTEST_GUILESS_MAIN(TestHandbookExamples)
#include "test_handbook_examples.moc"
