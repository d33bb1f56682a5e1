// fasoria-cli pack: teachers' lesson packs checked and listed with the program's own reader.
#include "core/Circuit.h"
#include "editor/CircuitFile.h"
#include "tests/cli/CliProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

QString seed(const char *name)
{
    return QStringLiteral(FASORIA_PACK_SEEDS "/") + QLatin1String(name);
}

// The circuits of the reference pack: superdense coding of the bits 11, and the preparation its challenge asks
// for.
const QByteArray kSuperdense = circuitFile(2, R"({"gate":"H","target":0},{"gate":"CNOT","control":0,"target":1},)"
                                              R"({"gate":"X","target":0},{"gate":"Z","target":0},)"
                                              R"({"gate":"CNOT","control":0,"target":1},{"gate":"H","target":0})");
const QByteArray kBellElevenSolution =
    circuitFile(2, R"({"gate":"H","target":0},{"gate":"CNOT","control":0,"target":1},)"
                   R"({"gate":"X","target":0},{"gate":"Z","target":0})");

// The guided lesson "sdc" of the reference pack, without its step texts.
QStringList guidedTexts()
{
    return {"--id",
            "sdc",
            "--title-it",
            "Codifica superdensa",
            "--title-en",
            "Superdense coding",
            "--question-it",
            "Un qubit può portare due bit classici?",
            "--question-en",
            "Can one qubit carry two classical bits?",
            "--explanation-it",
            "Due bit classici hanno viaggiato su un solo qubit, grazie alla coppia di Bell condivisa.",
            "--explanation-en",
            "Two classical bits travelled on one qubit, thanks to the shared Bell pair."};
}

// Its six step texts, given in an order a teacher might type them: English first, last step first, one
// with "--step-it=K TEXT".
QStringList guidedSteps()
{
    const QStringList italian{"H mette q0 in una sovrapposizione uniforme.",
                              "CNOT intreccia q0 e q1: la coppia di Bell è pronta.",
                              "X su q0 codifica il primo bit.",
                              "Z su q0 codifica il secondo bit.",
                              "CNOT comincia la decodifica.",
                              "H la completa: il registro vale |11⟩."};
    const QStringList english{"H puts q0 in an equal superposition.",
                              "CNOT entangles q0 and q1: the Bell pair is ready.",
                              "X on q0 encodes the first bit.",
                              "Z on q0 encodes the second bit.",
                              "CNOT begins the decoding.",
                              "H ends it: the register reads |11⟩."};
    QStringList words;
    for (int step = 6; step >= 1; --step) {
        words << "--step-en" << QString::number(step) << english[step - 1];
    }
    words << "--step-it=1" << italian[0];
    for (int step = 2; step <= 6; ++step) {
        words << "--step-it" << QString::number(step) << italian[step - 1];
    }
    return words;
}

// Every file in the folder with its bytes: a refusal must change none and make none.
QMap<QString, QByteArray> folderContents(const QString &path)
{
    QMap<QString, QByteArray> contents;
    const QDir folder(path);
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        contents.insert(name, readFile(folder.filePath(name)));
    }
    return contents;
}

} // namespace

class TestCliPack : public QObject
{
    Q_OBJECT

private slots:
    void checkListsEveryPack_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("valid");
        QTest::addColumn<QByteArray>("refused");
        QTest::addRow("en") << "en" << QByteArray("\tVALID\t\"Entanglement at work\": 2 lessons")
                            << QByteArray("\tREFUSED\tLesson 1 (\"sdc\"): step texts: 5 given for 6 gates");
        QTest::addRow("it") << "it" << QByteArray("\tVALIDO\t\"L'entanglement al lavoro\": 2 lezioni")
                            << QByteArray("\tRIFIUTATO\tLesson 1 (\"sdc\"): step texts: 5 given for 6 gates");
    }

    void checkListsEveryPack()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, valid);
        QFETCH(QByteArray, refused);
        const CliRun run = runCli({QStringLiteral("--lang"), language, QStringLiteral("pack"), QStringLiteral("check"),
                                   seed("valid-superdense.lessons.json"), seed("invalid-step-count.json")});
        // One refused pack fails the run; every pack still has its line.
        QCOMPARE(run.exitCode, 2);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].endsWith(valid), lines[0].constData());
        QVERIFY2(lines[1].endsWith(refused), lines[1].constData());
        QCOMPARE(
            runCli({QStringLiteral("pack"), QStringLiteral("check"), seed("valid-superdense.lessons.json")}).exitCode,
            0);
    }

    void showListsTheLessons()
    {
        const CliRun run =
            runCli({QStringLiteral("pack"), QStringLiteral("show"), seed("valid-superdense.lessons.json")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("\"Entanglement at work\": 2 lessons\n"
                                     "1. [sdc] Superdense coding (guided, 2 qubits, 6 gates)\n"
                                     "   Can one qubit carry two classical bits?\n"
                                     "2. [sdc-challenge] Superdense coding: your turn (challenge, 2 qubits)\n"
                                     "   Which gates write the bits 11 on Alice's qubit?\n"));
        const CliRun refused = runCli({QStringLiteral("pack"), QStringLiteral("show"), seed("invalid-format.json")});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.out.isEmpty());
        QVERIFY2(refused.err.contains("Unsupported format or version"), refused.err.constData());
    }

    void gradingThroughThePackIsGradingThroughItsChallenge()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // The pack's challenge lesson, written out as the challenge file it holds.
        QFile packFile(seed("valid-superdense.lessons.json"));
        QVERIFY(packFile.open(QIODevice::ReadOnly));
        const QJsonArray lessons = QJsonDocument::fromJson(packFile.readAll()).object().value("lessons").toArray();
        const QJsonObject challenge = lessons.at(1).toObject().value("challenge").toObject();
        QVERIFY(!challenge.isEmpty());
        QVERIFY(writeFile(folder.filePath("sdc.challenge.json"), QJsonDocument(challenge).toJson()));
        // Answers of every kind: right or wrong, too few gates, another register, unreadable.
        using namespace Fasoria;
        const auto circuitOf = [](int qubits, std::initializer_list<Gate> gates) {
            Circuit circuit;
            circuit.qubitCount = qubits;
            for (const Gate &gate : gates) {
                circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
            }
            return serializeCircuit(circuit);
        };
        const QStringList answers{"a.fsor.json", "b.fsor.json", "c.fsor.json", "d.fsor.json", "e.fsor.json"};
        QVERIFY(
            writeFile(folder.filePath(answers[0]), circuitOf(2, {{GateKind::X, 0, 0, 0.0}, {GateKind::Z, 0, 0, 0.0}})));
        QVERIFY(writeFile(folder.filePath(answers[1]), circuitOf(2, {{GateKind::H, 0, 0, 0.0}})));
        QVERIFY(writeFile(folder.filePath(answers[2]), circuitOf(2, {})));
        QVERIFY(writeFile(folder.filePath(answers[3]), circuitOf(1, {{GateKind::X, 0, 0, 0.0}})));
        QVERIFY(writeFile(folder.filePath(answers[4]), "{"));
        for (const QString &language : {QStringLiteral("en"), QStringLiteral("it")}) {
            const QStringList common{"--lang", language, "check"};
            const CliRun byChallenge = runCli(
                common +
                    QStringList{"--challenge", folder.filePath("sdc.challenge.json"), "--csv", "challenge.csv", "--"} +
                    answers,
                folder.path());
            const CliRun byPack = runCli(common +
                                             QStringList{"--pack", seed("valid-superdense.lessons.json"), "--lesson",
                                                         "sdc-challenge", "--csv", "pack.csv", "--"} +
                                             answers,
                                         folder.path());
            QCOMPARE(byPack.exitCode, byChallenge.exitCode);
            QCOMPARE(byPack.exitCode, 2);
            QCOMPARE(byPack.out, byChallenge.out);
            QCOMPARE(byPack.err, byChallenge.err);
            QFile packBook(folder.filePath("pack.csv"));
            QFile challengeBook(folder.filePath("challenge.csv"));
            QVERIFY(packBook.open(QIODevice::ReadOnly) && challengeBook.open(QIODevice::ReadOnly));
            QCOMPARE(packBook.readAll(), challengeBook.readAll());
        }
    }

    void aPackLessonMustBeAChallenge_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("guided lesson") << QStringList{"--lesson", "sdc"}
                                       << QByteArray("the pack's lesson \"sdc\" is guided, not a challenge");
        QTest::addRow("no such lesson") << QStringList{"--lesson", "nope"}
                                        << QByteArray("no lesson \"nope\" in the pack");
        QTest::addRow("no lesson given") << QStringList{} << QByteArray("--pack needs --lesson ID");
    }

    void aPackLessonMustBeAChallenge()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath("a.fsor.json"), "{"));
        const CliRun run = runCli(QStringList{"check", "--pack", seed("valid-superdense.lessons.json")} + arguments +
                                      QStringList{"a.fsor.json"},
                                  folder.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), run.err.constData());
    }

    void buildsTheReferencePackFromTheCommandLine()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(writeFile(folder.filePath("sdc.fsor.json"), kSuperdense));
        QVERIFY(writeFile(folder.filePath("solution.fsor.json"), kBellElevenSolution));
        const CliRun challenge = runCli({"challenge",   "new",
                                         "--from",      "solution.fsor.json",
                                         "--goal-it",   "Prepara la coppia di Bell che porta i bit 11.",
                                         "--goal-en",   "Prepare the Bell pair that carries the bits 11.",
                                         "--hint-it",   "Parti dalla coppia di Bell.",
                                         "--hint-it",   "Entrambi i bit si scrivono su q0.",
                                         "--hint-it",   "H(q0), CNOT(q0->q1), X(q0), Z(q0).",
                                         "--hint-en",   "Start from the Bell pair.",
                                         "--hint-en",   "Both bits are written on q0.",
                                         "--hint-en",   "H(q0), CNOT(q0->q1), X(q0), Z(q0).",
                                         "--max-gates", "4",
                                         "--require",   "CNOT",
                                         "--forbid",    "P",
                                         "-o",          "sdc.challenge.json"},
                                        folder.path());
        QVERIFY2(challenge.exitCode == 0, challenge.err.constData());

        // The name is completed as the window completes it.
        const CliRun made = runCli({"pack", "new", "--title-it", "L'entanglement al lavoro", "--title-en",
                                    "Entanglement at work", "-o", "sdc"},
                                   folder.path());
        QCOMPARE(made.exitCode, 0);
        QCOMPARE(made.out, QByteArray("sdc.lessons.json: new pack \"Entanglement at work\", no lessons yet\n"));
        QVERIFY(made.err.isEmpty());

        const CliRun guided = runCli(QStringList{"pack", "add-guided", "sdc.lessons.json", "--from", "sdc.fsor.json"} +
                                         guidedTexts() + guidedSteps(),
                                     folder.path());
        QVERIFY2(guided.exitCode == 0, guided.err.constData());
        QCOMPARE(guided.out, QByteArray("sdc.lessons.json: added lesson \"sdc\" (guided, 2 qubits, 6 gates); "
                                        "lessons in the pack: 1\n"));

        const CliRun challengeLesson =
            runCli({"--lang",
                    "it",
                    "pack",
                    "add-challenge",
                    "sdc.lessons.json",
                    "--id",
                    "sdc-challenge",
                    "--from",
                    "sdc.challenge.json",
                    "--title-it",
                    "Codifica superdensa: tocca a te",
                    "--title-en",
                    "Superdense coding: your turn",
                    "--question-it",
                    "Quali porte scrivono i bit 11 sul qubit di Alice?",
                    "--question-en",
                    "Which gates write the bits 11 on Alice's qubit?",
                    "--explanation-it",
                    "X e Z di Alice hanno scelto quale dei quattro stati di Bell riceve Bob.",
                    "--explanation-en",
                    "Alice's X and Z chose which of the four Bell states Bob receives."},
                   folder.path());
        QVERIFY2(challengeLesson.exitCode == 0, challengeLesson.err.constData());
        QCOMPARE(challengeLesson.out, QByteArray("sdc.lessons.json: aggiunta la lezione \"sdc-challenge\" (sfida, 2 "
                                                 "qubit); lezioni nel pacchetto: 2\n"));

        QCOMPARE(readFile(folder.filePath("sdc.lessons.json")), readFile(seed("valid-superdense.lessons.json")));
        QCOMPARE(runCli({"pack", "check", "sdc.lessons.json"}, folder.path()).exitCode, 0);
    }

    void aChallengeLessonAsksTheGoalByDefault()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(writeFile(folder.filePath("bell.fsor.json"), kBellElevenSolution));
        QCOMPARE(runCli({"challenge", "new", "--from", "bell.fsor.json", "--goal-it", "Prepara la coppia.", "--goal-en",
                         "Prepare the pair.", "-o", "bell.challenge.json"},
                        folder.path())
                     .exitCode,
                 0);
        QCOMPARE(runCli({"pack", "new", "--title-it", "Coppie", "--title-en", "Pairs", "-o", "p.lessons.json"},
                        folder.path())
                     .exitCode,
                 0);
        const CliRun added = runCli({"pack", "add-challenge", "p.lessons.json", "--id", "pair", "--from",
                                     "bell.challenge.json", "--title-it", "La coppia", "--title-en", "The pair"},
                                    folder.path());
        QVERIFY2(added.exitCode == 0, added.err.constData());
        const QJsonObject lesson = QJsonDocument::fromJson(readFile(folder.filePath("p.lessons.json")))
                                       .object()
                                       .value("lessons")
                                       .toArray()
                                       .at(0)
                                       .toObject();
        QCOMPARE(lesson.value("question_it").toString(), QStringLiteral("Prepara la coppia."));
        QCOMPARE(lesson.value("question_en").toString(), QStringLiteral("Prepare the pair."));
        // The closing explanation is the program's own, one in each language.
        const QString explanationIt = lesson.value("explanation_it").toString();
        const QString explanationEn = lesson.value("explanation_en").toString();
        QVERIFY(explanationIt.contains("Verifica soluzione"));
        QVERIFY(explanationEn.contains("Check solution"));
        QCOMPARE(runCli({"pack", "check", "p.lessons.json"}, folder.path()).exitCode, 0);
    }

    void refusalsLeaveEveryFileAsItWas_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        const QStringList guided = QStringList{"pack", "add-guided", "p.lessons.json", "--from", "sdc.fsor.json"} +
                                   QStringList(guidedTexts()).replaceInStrings("sdc", "sdc2");
        const QStringList challenge{"pack",       "add-challenge", "p.lessons.json",     "--id",
                                    "two",        "--from",        "sdc.challenge.json", "--title-it",
                                    "Tocca a te", "--title-en",    "Your turn"};
        const auto withOption = [](QStringList words, const char *option, const char *value) {
            words[words.indexOf(QLatin1String(option)) + 1] = QLatin1String(value);
            return words;
        };
        QTest::addRow("new over a pack") << QStringList{"pack",       "new", "--title-it", "a",
                                                        "--title-en", "b",   "-o",         "p.lessons.json"}
                                         << QByteArray("p.lessons.json: no pack made: ");
        QTest::addRow("new over a pack, name completed")
            << QStringList{"pack", "new", "--title-it", "a", "--title-en", "b", "-o", "p"}
            << QByteArray("already exists");
        QTest::addRow("new with a blank title")
            << QStringList{"pack", "new", "--title-it", " ", "--title-en", "b", "-o", "q.lessons.json"}
            << QByteArray("title_it is blank");
        QTest::addRow("new to standard output")
            << QStringList{"pack", "new", "--title-it", "a", "--title-en", "b", "-o", "-"}
            << QByteArray("-o needs a file");
        QTest::addRow("id repeated") << withOption(guided, "--id", "sdc")
                                     << QByteArray("no lesson added, the pack is as it was: The pack already has a "
                                                   "lesson \"sdc\"");
        QTest::addRow("id repeated, in Italian")
            << QStringList{"--lang", "it"} + withOption(challenge, "--id", "sdc-challenge")
            << QByteArray("nessuna lezione aggiunta, il pacchetto è com'era: The pack already has a lesson "
                          "\"sdc-challenge\"");
        QTest::addRow("id not an id") << withOption(guided, "--id", "a b")
                                      << QByteArray("Lesson 3: id must be 1 to 40");
        QTest::addRow("blank lesson title")
            << withOption(challenge, "--title-en", "  ") << QByteArray("title_en is blank");
        QTest::addRow("question on two lines")
            << withOption(guided, "--question-en", "one\ntwo") << QByteArray("question_en must be a text on one line");
        QTest::addRow("step texts in Italian only")
            << guided + QStringList{"--step-it", "1", "a", "--step-it", "2", "b"} << QByteArray("missing --step-en 1");
        QTest::addRow("last English step missing")
            << guided + QStringList(guidedSteps()).mid(3) << QByteArray("missing --step-en 6: with step texts");
        QTest::addRow("step after the last gate")
            << guided + QStringList(guidedSteps()) + QStringList{"--step-it", "7", "x"}
            << QByteArray("--step-it 7: the circuit's steps are numbered 1 to 6");
        QTest::addRow("step zero") << guided + QStringList{"--step-en", "0", "x"}
                                   << QByteArray("--step-en 0: the circuit's steps are numbered 1 to 6");
        QTest::addRow("step not a number")
            << guided + QStringList{"--step-en", "two", "x"} << QByteArray("--step-en two: the circuit's steps");
        QTest::addRow("step given twice") << guided + QStringList{"--step-it", "2", "x", "--step-it", "2", "y"}
                                          << QByteArray("--step-it 2 given twice");
        QTest::addRow("step without its text")
            << guided + QStringList{"--step-it", "2"} << QByteArray("option --step-it needs two values");
        QTest::addRow("step written with = but without its text")
            << guided + QStringList{"--step-en=2"} << QByteArray("option --step-en needs two values");
        QTest::addRow("blank step text")
            << guided + QStringList(guidedSteps()).replaceInStrings("H la completa: il registro vale |11⟩.", " ")
            << QByteArray("step 6: it is blank");
        QTest::addRow("unreadable circuit")
            << withOption(guided, "--from", "broken.fsor.json") << QByteArray("broken.fsor.json: Invalid JSON");
        QTest::addRow("missing circuit") << withOption(guided, "--from", "none.fsor.json")
                                         << QByteArray("none.fsor.json: No such file");
        QTest::addRow("circuit on 9 qubits")
            << withOption(guided, "--from", "nine.fsor.json")
            << QByteArray("nine.fsor.json: Unsupported format/version or invalid qubit count");
        QTest::addRow("challenge file given as circuit") << withOption(guided, "--from", "sdc.challenge.json")
                                                         << QByteArray("sdc.challenge.json: Unsupported format");
        QTest::addRow("circuit given as challenge")
            << withOption(challenge, "--from", "sdc.fsor.json") << QByteArray("sdc.fsor.json: Unsupported format");
        QTest::addRow("unknown pack") << QStringList(guided).replaceInStrings("p.lessons.json", "none.lessons.json")
                                      << QByteArray("none.lessons.json: no lesson added");
        QTest::addRow("circuit given as pack")
            << QStringList(challenge).replaceInStrings("p.lessons.json", "sdc.fsor.json")
            << QByteArray("sdc.fsor.json: no lesson added");
        QTest::addRow("missing question")
            << QStringList(guided.mid(0, guided.indexOf("--question-en"))) << QByteArray("missing --question-en");
        QTest::addRow("missing pack") << QStringList{"pack", "add-challenge", "--id", "x"}
                                      << QByteArray("missing file");
        QTest::addRow("step option with a challenge") << challenge + QStringList{"--step-it", "1", "x"}
                                                      << QByteArray("--step-it does not apply to add-challenge");
        QTest::addRow("lesson option with new")
            << QStringList{"pack", "new", "--title-it", "a", "--title-en", "b", "--id", "x", "-o", "q"}
            << QByteArray("--id does not apply to new");
    }

    void refusalsLeaveEveryFileAsItWas()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QVERIFY(QFile::copy(seed("valid-superdense.lessons.json"), folder.filePath("p.lessons.json")));
        QVERIFY(writeFile(folder.filePath("sdc.fsor.json"), kSuperdense));
        QVERIFY(writeFile(folder.filePath("broken.fsor.json"), "{\"format\":"));
        QVERIFY(writeFile(folder.filePath("nine.fsor.json"), circuitFile(9, R"({"gate":"H","target":8})")));
        QFile packFile(folder.filePath("p.lessons.json"));
        QVERIFY(packFile.open(QIODevice::ReadOnly));
        const QJsonArray lessons = QJsonDocument::fromJson(packFile.readAll()).object().value("lessons").toArray();
        QVERIFY(writeFile(folder.filePath("sdc.challenge.json"),
                          QJsonDocument(lessons.at(1).toObject().value("challenge").toObject()).toJson()));
        const QMap<QString, QByteArray> before = folderContents(folder.path());

        const CliRun run = runCli(arguments, folder.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith("fasoria-cli: "), run.err.constData());
        QVERIFY2(run.err.contains(message), run.err.constData());
        QVERIFY(folderContents(folder.path()) == before);
    }

    void usageMistakes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::addRow("no action") << QStringList{"pack"}
                                   << QByteArray("pack needs check, show, new, add-guided or add-challenge");
        QTest::addRow("unknown action") << QStringList{"pack", "grade"}
                                        << QByteArray("pack needs check, show, new, add-guided or add-challenge");
        QTest::addRow("check without files") << QStringList{"pack", "check"} << QByteArray("fasoria-cli: ");
        QTest::addRow("show two packs") << QStringList{"pack", "show", "a", "b"} << QByteArray("fasoria-cli: ");
    }

    void usageMistakes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(message), run.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliPack)
#include "test_cli_pack.moc"
