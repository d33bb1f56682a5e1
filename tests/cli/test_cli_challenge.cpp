// fasoria-cli challenge new|show and check --challenge: teachers' own challenges, through the real
// executable.

#include "CliProcess.h"

#include "editor/ChallengeFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Fasoria;

namespace {

QByteArray h(int q)
{
    return R"({"gate":"H","target":)" + QByteArray::number(q) + "}";
}

QByteArray x(int q)
{
    return R"({"gate":"X","target":)" + QByteArray::number(q) + "}";
}

QByteArray z(int q)
{
    return R"({"gate":"Z","target":)" + QByteArray::number(q) + "}";
}

QByteArray cnot(int control, int target)
{
    return R"({"gate":"CNOT","control":)" + QByteArray::number(control) + R"(,"target":)" + QByteArray::number(target) +
           "}";
}

QByteArray circuit(int qubits, const QByteArrayList &gates)
{
    return circuitFile(qubits, gates.join(','));
}

// The listing without its diagnostics lines: file, verdict, fidelity and message per file.
QByteArray verdictLines(const QByteArray &listing)
{
    QByteArrayList lines;
    for (const QByteArray &line : listing.split('\n')) {
        if (!line.startsWith("  ")) {
            lines << line;
        }
    }
    return lines.join('\n');
}

// The CSV gradebook without its last column (the diagnostics).
QByteArray withoutDiagnostics(const QByteArray &csv)
{
    QByteArrayList rows;
    for (const QByteArray &row : csv.split('\n')) {
        QByteArrayList cells = row.split(',');
        rows << cells.mid(0, 5).join(',');
    }
    return rows.join('\n');
}

// The Bell challenge every test grades against: two English hints, one Italian, and three rules.
QStringList makeBell(const QString &output)
{
    return QStringList{"challenge", "new",           "--from",    "bell.fsor.json",
                       "--goal-it", "Prepara Bell.", "--goal-en", "Prepare Bell."} +
           QStringList{"--hint-en", "Start with H.", "--hint-it", "Inizia con H.", "--hint-en", "Then a CNOT."} +
           QStringList{"--require", "cnot", "--forbid", "Z", "--max-gates", "4", "-o", output};
}

const QByteArray kNotNormalised = R"({"format":"FasoriaChallenge","version":1,"qubits":1,"goal_it":"Uno.",
"goal_en":"One.","target_amplitudes":[{"index":0,"re":0.6,"im":0},{"index":1,"re":0.6,"im":0}]})";

const QByteArray kAmplitudes = R"({"format":"FasoriaChallenge","version":1,"qubits":2,
"goal_it":"Prepara lo stato.","goal_en":"Prepare the state.","hints_en":["","Use P."],
"target_amplitudes":[{"index":3,"re":0,"im":-0.6},{"index":0,"re":0.8,"im":0},{"index":1,"re":1e-9,"im":0}],
"forbidden":["X"]})";

} // namespace

class TestCliChallenge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        write("bell.fsor.json", circuit(2, {h(0), cnot(0, 1)}));
        write("bell-z.fsor.json", circuit(2, {h(0), cnot(0, 1), z(0), z(0)}));
        write("bell-long.fsor.json", circuit(2, {h(0), cnot(0, 1), x(1), x(1), x(0), x(0)}));
        write("bell-x.fsor.json", circuit(2, {h(0), cnot(0, 1), x(0), x(0)}));
        write("not-normalised.challenge.json", kNotNormalised);
        write("amplitudes.challenge.json", kAmplitudes);
        const CliRun run = runCli(makeBell("bell.challenge.json"), m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out + run.err, QByteArray());
    }

    // A challenge made from a built-in challenge's solution, with the built-in rules given as options,
    // grades every submission as the lesson does.
    void gradesAsTheBuiltInChallenge_data()
    {
        QTest::addColumn<QString>("lesson");
        QTest::addColumn<int>("qubits");
        QTest::addColumn<QByteArrayList>("solution");
        QTest::addColumn<QStringList>("rules");

        QTest::addRow("05") << "05" << 1 << QByteArrayList{x(0)} << QStringList{"--min-gates", "1", "--require", "X"};
        QTest::addRow("06") << "06" << 1 << QByteArrayList{x(0), x(0)}
                            << QStringList{"--min-gates", "2", "--require", "X:2"};
        QTest::addRow("07") << "07" << 1 << QByteArrayList{h(0)} << QStringList{"--min-gates", "1", "--require", "H"};
        QTest::addRow("08") << "08" << 2 << QByteArrayList{x(0)} << QStringList{"--min-gates", "1", "--require", "X"};
        QTest::addRow("09") << "09" << 2 << QByteArrayList{h(0), h(1)}
                            << QStringList{"--min-gates", "2", "--require", "H:2"};
        QTest::addRow("10") << "10" << 2 << QByteArrayList{h(0), cnot(0, 1)}
                            << QStringList{"--min-gates", "2", "--require", "CNOT"};
        QTest::addRow("11") << "11" << 1 << QByteArrayList{h(0), z(0), h(0)}
                            << QStringList{"--min-gates", "3", "--require", "H:2", "--require", "Z", "--forbid", "X"};
        QTest::addRow("12") << "12" << 2 << QByteArrayList{h(0), cnot(0, 1), x(0)}
                            << QStringList{"--min-gates", "3", "--require", "CNOT:1"};
        QTest::addRow("13") << "13" << 1 << QByteArrayList{h(0), z(0)}
                            << QStringList{"--min-gates", "2", "--require", "Z"};
        QTest::addRow("14") << "14" << 3 << QByteArrayList{h(0), cnot(0, 1), cnot(1, 2)}
                            << QStringList{"--min-gates", "3", "--require", "CNOT:2"};
    }

    void gradesAsTheBuiltInChallenge()
    {
        QFETCH(QString, lesson);
        QFETCH(int, qubits);
        QFETCH(QByteArrayList, solution);
        QFETCH(QStringList, rules);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QByteArrayList all;
        for (int q = 0; q < qubits; ++q) {
            all << h(q);
        }
        const QMap<QString, QByteArray> submissions = {
            {"solution", circuit(qubits, solution)},
            {"empty", circuit(qubits, {})},
            {"first-gate", circuit(qubits, solution.mid(0, 1))},
            {"extra-z", circuit(qubits, solution + QByteArrayList{z(0)})},
            {"extra-x-x", circuit(qubits, solution + QByteArrayList{x(0), x(0)})},
            {"global-phase", circuit(qubits, solution + QByteArrayList{z(0), x(0), z(0), x(0)})},
            {"h-everywhere", circuit(qubits, all)},
            {"lone-x", circuit(qubits, {x(0)})},
            {"one-more-qubit", circuit(qubits + 1, solution)},
        };
        QStringList files;
        for (auto it = submissions.cbegin(); it != submissions.cend(); ++it) {
            files << it.key() + ".fsor.json";
            QVERIFY(writeFile(dir.filePath(files.back()), it.value()));
        }
        QVERIFY(writeFile(dir.filePath("reference.fsor.json"), circuit(qubits, solution)));
        const CliRun made = runCli(QStringList{"challenge", "new", "--from", "reference.fsor.json", "--goal-it",
                                               "Obiettivo.", "--goal-en", "Goal.", "-o", "own.challenge.json"} +
                                       rules,
                                   dir.path());
        QCOMPARE(made.exitCode, 0);

        const CliRun builtIn =
            runCli(QStringList{"check", "--lesson", lesson, "--csv", "lesson.csv"} + files, dir.path());
        const CliRun own =
            runCli(QStringList{"check", "--challenge", "own.challenge.json", "--csv", "own.csv"} + files, dir.path());
        QCOMPARE(own.exitCode, builtIn.exitCode);
        QCOMPARE(own.exitCode, 1);
        QCOMPARE(verdictLines(own.out), verdictLines(builtIn.out));
        const QByteArray csv = readFile(dir.filePath("own.csv"));
        QCOMPARE(csv.count('\n'), files.size() + 1);
        QCOMPARE(withoutDiagnostics(csv), withoutDiagnostics(readFile(dir.filePath("lesson.csv"))));
        QVERIFY(builtIn.out.contains("solution.fsor.json\tSOLVED\t100.0000%\t"));
    }

    void rulesOfATeachersChallenge_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("exitCode");

        QTest::addRow("solved") << QStringList{"bell.fsor.json"}
                                << QByteArray("bell.fsor.json\tSOLVED\t100.0000%\tSOLVED! The quantum state is "
                                              "correct.  State fidelity: 100.0000%.\n")
                                << 0;
        QTest::addRow("forbidden kind")
            << QStringList{"bell-z.fsor.json"}
            << QByteArray("bell-z.fsor.json\tNOT SOLVED\t100.0000%\tA gate kind the exercise forbids is used.  "
                          "State fidelity: 100.0000%.\n"
                          "  diagnostics: The state is correct. The challenge forbids Z, but the circuit has 2 Z "
                          "gates.\n")
            << 1;
        QTest::addRow("too many gates")
            << QStringList{"bell-long.fsor.json"}
            << QByteArray("bell-long.fsor.json\tNOT SOLVED\t100.0000%\tThe circuit has more gates than the exercise "
                          "allows.  State fidelity: 100.0000%.\n"
                          "  diagnostics: The state is correct. The circuit has 6 gates; the challenge allows at "
                          "most 4.\n")
            << 1;
        QTest::addRow("at the maximum") << QStringList{"bell-x.fsor.json"}
                                        << QByteArray("bell-x.fsor.json\tSOLVED\t100.0000%\tSOLVED! The quantum state "
                                                      "is correct.  State fidelity: 100.0000%.\n")
                                        << 0;
        QTest::addRow("italian")
            << QStringList{"--lang", "it", "bell-long.fsor.json", "bell-z.fsor.json"}
            << QByteArray("bell-long.fsor.json\tNON RISOLTO\t100.0000%\tIl circuito ha più porte di quante la "
                          "consegna ne ammetta.  Fedeltà dello stato: 100.0000%.\n"
                          "  diagnosi: Lo stato è corretto. Il circuito ha 6 porte; la consegna ne ammette al "
                          "massimo 4.\n"
                          "bell-z.fsor.json\tNON RISOLTO\t100.0000%\tIl circuito usa un tipo di porta vietato dalla "
                          "consegna.  Fedeltà dello stato: 100.0000%.\n"
                          "  diagnosi: Lo stato è corretto. La consegna vieta Z, ma il circuito ha 2 porte Z.\n")
            << 1;
    }

    void rulesOfATeachersChallenge()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        QFETCH(int, exitCode);
        const CliRun run = runCli(QStringList{"check", "--challenge", "bell.challenge.json"} + arguments, m_dir.path());
        QCOMPARE(QString::fromUtf8(run.out), QString::fromUtf8(expected));
        QCOMPARE(run.exitCode, exitCode);
    }

    void phaseHintFollowsTheToolsOwnSentence()
    {
        // |00> - |11> has the target's probabilities and is too long: the window's phase hint still follows.
        write("minus-long.fsor.json", circuit(2, {h(0), cnot(0, 1), z(0), x(1), x(1)}));
        const CliRun run =
            runCli({"check", "--challenge", "bell.challenge.json", "minus-long.fsor.json"}, m_dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.startsWith("minus-long.fsor.json\tNOT SOLVED\t0.0000%\tThe circuit has more gates than the "
                                    "exercise allows.  State fidelity: 0.0000%. Same probabilities, different "
                                    "relative phase."),
                 run.out.constData());
    }

    void htmlGradebookIsTitledAfterTheGoal()
    {
        const CliRun run = runCli(
            {"--lang", "it", "check", "--challenge", "bell.challenge.json", "bell.fsor.json", "--html", "grades.html"},
            m_dir.path());
        QCOMPARE(run.exitCode, 0);
        const QByteArray html = readFile(m_dir.filePath("grades.html"));
        QVERIFY(html.contains("<title>Registro della sfida: Prepara Bell.</title>"));
        QVERIFY(html.contains("<h1>Registro della sfida: Prepara Bell.</h1>\n<p>Risolti: 1 su 1</p>"));
    }

    void showSummarisesTheFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");

        QTest::addRow("made from a solution") << QStringList{"challenge", "show", "bell.challenge.json"}
                                              << QByteArray("Goal: Prepare Bell.\n"
                                                            "Hint 1: Start with H.\n"
                                                            "Hint 2: Then a CNOT.\n"
                                                            "Hint 3: (none)\n"
                                                            "Qubits: 2\n"
                                                            "Rules:\n"
                                                            "  maximum number of gates: 4\n"
                                                            "  required: CNOT (at least 1)\n"
                                                            "  forbidden: Z\n"
                                                            "Target, the state the reference circuit prepares "
                                                            "(gates: 2):\n"
                                                            "  |00>  0.707107 + 0.000000i\n"
                                                            "  |11>  0.707107 + 0.000000i\n");
        QTest::addRow("italian") << QStringList{"--lang", "it", "challenge", "show", "bell.challenge.json"}
                                 << QByteArray("Consegna: Prepara Bell.\n"
                                               "Suggerimento 1: Inizia con H.\n"
                                               "Suggerimento 2: (nessuno)\n"
                                               "Suggerimento 3: (nessuno)\n"
                                               "Qubit: 2\n"
                                               "Regole:\n"
                                               "  numero massimo di porte: 4\n"
                                               "  obbligatoria: CNOT (almeno 1)\n"
                                               "  vietate: Z\n"
                                               "Stato richiesto, preparato dal circuito di riferimento (porte: "
                                               "2):\n"
                                               "  |00>  0.707107 + 0.000000i\n"
                                               "  |11>  0.707107 + 0.000000i\n");
        QTest::addRow("amplitudes in basis order, negligible ones left out")
            << QStringList{"challenge", "show", "amplitudes.challenge.json"}
            << QByteArray("Goal: Prepare the state.\n"
                          "Hint 1: (none)\n"
                          "Hint 2: Use P.\n"
                          "Hint 3: (none)\n"
                          "Qubits: 2\n"
                          "Rules:\n"
                          "  forbidden: X\n"
                          "Target, given as amplitudes:\n"
                          "  |00>  0.800000 + 0.000000i\n"
                          "  |11>  0.000000 - 0.600000i\n");
    }

    void showSummarisesTheFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        const CliRun run = runCli(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), QString::fromUtf8(expected));
    }

    void newWritesACanonicalFile()
    {
        const QByteArray written = readFile(m_dir.filePath("bell.challenge.json"));
        ChallengeFile challenge;
        QString error;
        QVERIFY2(parseChallenge(written, challenge, &error), qPrintable(error));
        QCOMPARE(serializeChallenge(challenge), written);
        QVERIFY(challenge.reference.has_value());
        QCOMPARE(challenge.definition.hint2En, std::string("Then a CNOT."));
        QCOMPARE(challenge.definition.hint2It, std::string());
        const CliRun run = runCli(makeBell("-"), m_dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, written);
    }

    void refusedChallengeFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");

        const QByteArray notNormalised = "not-normalised.challenge.json: Challenge target not normalized";
        QTest::addRow("check, not normalised")
            << QStringList{"check", "--challenge", "not-normalised.challenge.json", "bell.fsor.json"} << notNormalised;
        QTest::addRow("show, not normalised")
            << QStringList{"challenge", "show", "not-normalised.challenge.json"} << notNormalised;
        QTest::addRow("a circuit file as a challenge")
            << QStringList{"check", "--challenge", "bell.fsor.json", "bell.fsor.json"}
            << QByteArray("bell.fsor.json: Unsupported format or version");
        QTest::addRow("absent") << QStringList{"challenge", "show", "absent.challenge.json"}
                                << QByteArray("absent.challenge.json: ");
    }

    void refusedChallengeFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const CliRun run = runCli(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("fasoria-cli: " + message), run.err.constData());
    }

    void usageErrorsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");

        const QStringList make{"challenge", "new", "--from", "bell.fsor.json", "--goal-it", "G.", "--goal-en", "G."};
        const QStringList out{"-o", "out.challenge.json"};
        QTest::addRow("no action") << QStringList{"challenge"} << QByteArray("give new or show");
        QTest::addRow("no solution") << QStringList{"challenge", "new", "--goal-it", "G.", "--goal-en", "G."} + out
                                     << QByteArray("missing --from");
        QTest::addRow("no English goal") << QStringList{"challenge",      "new",       "--from",
                                                        "bell.fsor.json", "--goal-it", "G."} +
                                                out
                                         << QByteArray("missing --goal-en");
        QTest::addRow("no output") << make << QByteArray("missing -o");
        QTest::addRow("blank goal") << QStringList{"challenge", "new", "--from",    "bell.fsor.json",
                                                   "--goal-it", " ",   "--goal-en", "G."} +
                                           out
                                    << QByteArray("--goal-it must not be blank");
        QTest::addRow("goal with an escape") << QStringList{"challenge", "new", "--from",    "bell.fsor.json",
                                                            "--goal-it", "G.",  "--goal-en", "\x1b[2JG."} +
                                                    out
                                             << QByteArray("--goal-en needs a text without control characters");
        QTest::addRow("hint with a line feed") << make + QStringList{"--hint-it", "a\nb"} + out
                                               << QByteArray("--hint-it needs a text without control characters");
        QTest::addRow("four hints") << make + QStringList{"--hint-en", "1", "--hint-en", "2",
                                                          "--hint-en", "3", "--hint-en", "4"} +
                                           out
                                    << QByteArray("at most three --hint-en");
        QTest::addRow("goal twice") << make + QStringList{"--goal-it", "H."} + out
                                    << QByteArray("option --goal-it given twice");
        QTest::addRow("unknown kind") << make + QStringList{"--require", "Y"} + out
                                      << QByteArray("unknown gate kind 'Y' (H, X, Z, P or CNOT)");
        QTest::addRow("count 0") << make + QStringList{"--require", "H:0"} + out
                                 << QByteArray("--require takes KIND or KIND:N with N in 1..256");
        QTest::addRow("empty forbidden kind")
            << make + QStringList{"--forbid", "X,,Z"} + out << QByteArray("unknown gate kind '' (H, X, Z, P or CNOT)");
        QTest::addRow("maximum out of range") << make + QStringList{"--max-gates", "257"} + out
                                              << QByteArray("--max-gates needs a whole number in 0..256");
        QTest::addRow("required and forbidden")
            << make + QStringList{"--require", "X", "--forbid", "H", "--forbid", "x"} + out
            << QByteArray("the rules contradict each other: Challenge required kind forbidden");
        QTest::addRow("maximum below minimum") << make + QStringList{"--min-gates", "3", "--max-gates", "2"} + out
                                               << QByteArray("the rules contradict each other: Challenge maximum "
                                                             "below minimum");
        QTest::addRow("over its solution") << make + QStringList{"-o", "./bell.fsor.json"}
                                           << QByteArray("-o would write the challenge over bell.fsor.json, its "
                                                         "solution");
        QTest::addRow("show takes no rules")
            << QStringList{"challenge", "show", "bell.challenge.json", "--require", "H"}
            << QByteArray("--require does not apply to show");
        QTest::addRow("show without a file") << QStringList{"challenge", "show"} << QByteArray("missing file");
        QTest::addRow("show two files") << QStringList{"challenge", "show", "bell.challenge.json", "b"}
                                        << QByteArray("too many arguments: 'b'");
        QTest::addRow("lesson and challenge")
            << QStringList{"check", "--lesson", "10", "--challenge", "bell.challenge.json", "bell.fsor.json"}
            << QByteArray("give --lesson or --challenge, not both");
        QTest::addRow("neither") << QStringList{"check", "bell.fsor.json"}
                                 << QByteArray("missing --lesson NN or --challenge FILE");
        QTest::addRow("gradebook over the challenge")
            << QStringList{"check",          "--challenge", "bell.challenge.json",
                           "bell.fsor.json", "--csv",       "./bell.challenge.json"}
            << QByteArray("--csv would write the gradebook over bell.challenge.json, one of the files to grade");
        QTest::addRow("italian") << QStringList{"--lang", "it", "challenge", "new"} << QByteArray("manca --from");
    }

    void usageErrorsWriteNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const QByteArray solution = readFile(m_dir.filePath("bell.fsor.json"));
        const QByteArray challenge = readFile(m_dir.filePath("bell.challenge.json"));
        const CliRun run = runCli(arguments, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("fasoria-cli: " + message + "\n"), run.err.constData());
        QVERIFY(!QFile::exists(m_dir.filePath("out.challenge.json")));
        QCOMPARE(readFile(m_dir.filePath("bell.fsor.json")), solution);
        QCOMPARE(readFile(m_dir.filePath("bell.challenge.json")), challenge);
    }

    // What the challenge reader would refuse, or what would leave the teacher's own solution NOT SOLVED, is
    // refused before anything is written.
    void refusedRules_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("message");

        QTest::addRow("solution uses a forbidden kind")
            << QStringList{"--forbid", "H"}
            << QByteArray("the solution bell.fsor.json breaks the challenge's rules: The state is correct. The "
                          "challenge forbids H, but the circuit has 1 H gate.");
        QTest::addRow("solution too short") << QStringList{"--min-gates", "3"}
                                            << QByteArray("the solution bell.fsor.json breaks the challenge's rules: "
                                                          "The state is correct. The circuit has 2 gates; the "
                                                          "challenge asks for at least 3.");
        QTest::addRow("in Italian") << QStringList{"--lang", "it", "--require", "Z"}
                                    << QByteArray("la soluzione bell.fsor.json non rispetta le regole della sfida: "
                                                  "Lo stato è corretto. La consegna richiede almeno 1 porta Z; il "
                                                  "circuito ne ha 0.");
        QTest::addRow("every kind forbidden") << QStringList{"--forbid", "H,X,Z,P,CNOT"}
                                              << QByteArray("the rules contradict each other: Challenge forbids every "
                                                            "gate kind");
        QTest::addRow("required past 256") << QStringList{"--require", "H:200", "--require", "X:57"}
                                           << QByteArray("the rules contradict each other: Challenge required gates "
                                                         "above 256");
        QTest::addRow("goal of 1,001 characters")
            << QStringList{"--goal-en", QString(1001, 'g')} << QByteArray("--goal-en takes at most 1000 characters");
        QTest::addRow("hint of 2,001 characters")
            << QStringList{"--hint-it", QString(2001, 'h')} << QByteArray("--hint-it takes at most 2000 characters");
    }

    void refusedRules()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, message);
        QStringList arguments{"challenge", "new", "--from", "bell.fsor.json", "--goal-it", "G."};
        if (!options.contains("--goal-en")) {
            arguments << "--goal-en"
                      << "G.";
        }
        const CliRun run = runCli(arguments + options + QStringList{"-o", "out.challenge.json"}, m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("fasoria-cli: " + message + "\n"), run.err.constData());
        QVERIFY(!QFile::exists(m_dir.filePath("out.challenge.json")));
    }

    void cnotRequiredOnOneQubitIsRefused()
    {
        write("x.fsor.json", circuit(1, {x(0)}));
        const CliRun run = runCli({"challenge", "new", "--from", "x.fsor.json", "--goal-it", "G.", "--goal-en", "G.",
                                   "--require", "CNOT", "-o", "out.challenge.json"},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("fasoria-cli: the rules contradict each other: Challenge requires CNOT on one "
                                    "qubit\n"),
                 run.err.constData());
    }

    void longestTextsAreWritten()
    {
        const CliRun run = runCli({"challenge", "new", "--from", "bell.fsor.json", "--goal-it", QString(1000, 'g'),
                                   "--goal-en", "G.", "--hint-en", QString(2000, 'h'), "-o", "-"},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 0);
        ChallengeFile challenge;
        QString error;
        QVERIFY2(parseChallenge(run.out, challenge, &error), qPrintable(error));
        QCOMPARE(challenge.definition.goalIt.size(), std::size_t{1000});
        QCOMPARE(challenge.definition.hint1En.size(), std::size_t{2000});
    }

    void unreadableSolutionWritesNothing()
    {
        const CliRun run = runCli({"challenge", "new", "--from", "absent.fsor.json", "--goal-it", "G.", "--goal-en",
                                   "G.", "-o", "out.challenge.json"},
                                  m_dir.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("fasoria-cli: absent.fsor.json: "), run.err.constData());
        QVERIFY(!QFile::exists(m_dir.filePath("out.challenge.json")));
    }

private:
    void write(const QString &name, const QByteArray &content) { QVERIFY(writeFile(m_dir.filePath(name), content)); }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCliChallenge)
#include "test_cli_challenge.moc"
