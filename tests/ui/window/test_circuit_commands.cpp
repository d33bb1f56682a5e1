// The commands that create, open and save the working circuit, and the question before unsaved work is
// replaced; message boxes and file dialogs answer through the window's seams.
#include "Help/Resources.h"
#include "editor/CircuitFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ReadOnlyDirectory.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <sys/stat.h>

using namespace Fasoria;

namespace {

constexpr int kSignLesson = 3;
constexpr int kFirstChallenge = 4;

/// `json` followed by blanks up to `size` bytes: still a readable circuit file, of exactly that size.
QByteArray paddedTo(QByteArray json, qint64 size)
{
    json.append(QByteArray(static_cast<int>(size - json.size()), ' '));
    return json;
}

} // namespace

class TestCircuitCommands : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void lessonChoiceAsksBeforeDiscarding();
    void saveAnswerInTheGuard();
    void saveThenOpenReproducesTheCircuit();
    void savedNameGetsTheCircuitEnding_data();
    void savedNameGetsTheCircuitEnding();
    void openRefusesBadFiles_data();
    void openRefusesBadFiles();
    void openKeepsTheCircuitNotTheFileBytes_data();
    void openKeepsTheCircuitNotTheFileBytes();
    void saveFailsCleanly_data();
    void saveFailsCleanly();
    void saveUnderAFileSizeLimitKeepsTheWork_data();
    void saveUnderAFileSizeLimitKeepsTheWork();
    void openRefusesSpecialFilesAtOnce();
    void saveAsAsksBeforeReplacingTheCompletedName();
    void newCircuitIsUnsaved();
    void titleFollowsFileAndMark_data();
    void titleFollowsFileAndMark();

private:
    /// Opens threeGates from a file in the temporary directory and inserts one gate, so that it is modified.
    QString openModifiedCircuit();

    QTemporaryDir m_directory;
};

void TestCircuitCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaCircuitCommandsTest"));
    initResources();
    QVERIFY(m_directory.isValid());
}

QString TestCircuitCommands::openModifiedCircuit()
{
    const QString path = m_directory.filePath(QStringLiteral("base.fsor.json"));
    if (!writeFile(path, serializeCircuit(threeGates())) || !m_window->files().openCircuitFile(path)) {
        return QString();
    }
    setPanel(GateKind::X, 0, 0, 0.0);
    click("m_insertButton");
    return path;
}

void TestCircuitCommands::lessonChoiceAsksBeforeDiscarding()
{
    m_window->selectLesson(kSignLesson);
    click("m_editCopyButton");
    click("m_insertButton");
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.document().isModified());
    const QByteArray edited = serializeCircuit(*experiment.workingCircuit());
    const QString notebook = part<QPlainTextEdit>("m_log")->toPlainText();
    const std::size_t events = experiment.logEvents().size();
    auto *lessons = part<QComboBox>("m_lessons");

    answerNext(QMessageBox::Cancel);
    lessons->setCurrentIndex(0);
    QCOMPARE(m_titles, QStringList{QStringLiteral("Circuito modificato")});
    QCOMPARE(m_messages, QStringList{QStringLiteral("Salvare il circuito prima di continuare?")});
    QCOMPARE(m_buttons.last(), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(m_defaults.last(), QMessageBox::Save);
    // The selector goes back to what stays loaded: the edited copy, on the item after the lessons.
    QCOMPARE(lessons->currentIndex(), 21);
    QCOMPARE(lessons->currentText(), QStringLiteral("Circuito personalizzato"));
    QCOMPARE(experiment.lessonIndex(), kSignLesson);
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), edited);
    QCOMPARE(experiment.logEvents().size(), events);
    QCOMPARE(part<QPlainTextEdit>("m_log")->toPlainText(), notebook);

    answerNext(QMessageBox::Discard);
    lessons->setCurrentIndex(0);
    QCOMPARE(lessons->currentIndex(), 0);
    QCOMPARE(experiment.lessonIndex(), 0);
    QVERIFY(experiment.workingCircuit() == nullptr);
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("-"));

    // Nothing unsaved: no question.
    lessons->setCurrentIndex(1);
    QCOMPARE(m_titles.size(), 2);
    QCOMPARE(experiment.lessonIndex(), 1);
}

void TestCircuitCommands::saveAnswerInTheGuard()
{
    click("m_editCopyButton");
    click("m_insertButton");
    // Save, but no file name chosen: the lesson stays.
    answerNext(QMessageBox::Save);
    part<QComboBox>("m_lessons")->setCurrentIndex(kSignLesson);
    QCOMPARE(m_window->experiment().lessonIndex(), 0);
    QVERIFY(m_window->experiment().document().isModified());

    const QByteArray edited = serializeCircuit(*m_window->experiment().workingCircuit());
    const QString path = m_directory.filePath(QStringLiteral("guarded"));
    m_fileNames << path;
    answerNext(QMessageBox::Save);
    part<QComboBox>("m_lessons")->setCurrentIndex(kSignLesson);
    QCOMPARE(m_window->experiment().lessonIndex(), kSignLesson);
    QCOMPARE(readFile(path + QStringLiteral(".fsor.json")), edited);
}

void TestCircuitCommands::saveThenOpenReproducesTheCircuit()
{
    Circuit circuit = threeGates();
    circuit.qubitCount = 3;
    circuit.steps.emplace_back(GateKind::P, 2, 0, 2.0 * std::acos(-1.0) / 3.0);
    circuit.steps.emplace_back(GateKind::Cnot, 0, 2, 0.0);
    startWorking(circuit, 0);
    setPanel(GateKind::P, 1, 0, 123.4);
    click("m_insertButton");
    const QByteArray edited = serializeCircuit(*m_window->experiment().workingCircuit());

    const QString path = m_directory.filePath(QStringLiteral("roundtrip.fsor.json"));
    m_fileNames << path;
    trigger("m_actionSave");
    QCOMPARE(m_dialogs, QStringList{QStringLiteral("save|Salva circuito|Fasoria.fsor.json|"
                                                   "Fasoria circuit (*.fsor.json);;JSON (*.json)")});
    QCOMPARE(readFile(path), edited);
    QCOMPARE(m_window->experiment().document().path(), path);
    QCOMPARE(m_window->experiment().document().savedSnapshot(), edited);
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("roundtrip.fsor.json"));
    QVERIFY(!m_window->isWindowModified());

    // Saving again writes to the same file without asking; "Save as" offers the current file.
    trigger("m_actionSave");
    QCOMPARE(m_dialogs.size(), 1);
    trigger("m_actionSaveAs");
    QCOMPARE(m_dialogs.last().section(QLatin1Char('|'), 2, 2), path);

    trigger("m_actionNew");
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_window->experiment().stepCount(), std::uint64_t{0});
    m_fileNames << path;
    answerNext(QMessageBox::Discard);
    trigger("m_actionOpen");
    QCOMPARE(m_titles, QStringList{uiText(TextKey::ModifiedTitle, Italian)});
    QCOMPARE(m_dialogs.last(),
             QStringLiteral("open|Apri circuito||Fasoria circuit (*.fsor.json *.json);;All files (*)"));
    const Experiment &experiment = m_window->experiment();
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), edited);
    QCOMPARE(gateLabels(*experiment.workingCircuit()),
             gateLabels(circuit).replace(QStringLiteral("H(q0)"), QStringLiteral("P(q1, 123.4°) H(q0)")));
    QCOMPARE(experiment.workingCircuit()->steps[4].gate.angle, 2.0 * std::acos(-1.0) / 3.0);
    QCOMPARE(experiment.document().path(), path);
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("roundtrip.fsor.json"));
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});
    QCOMPARE(QString::fromUtf8(experiment.workingCircuit()->titleEn), QStringLiteral("Custom circuit"));
}

void TestCircuitCommands::savedNameGetsTheCircuitEnding_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "mycircuit"
                           << "mycircuit.fsor.json";
    QTest::newRow("upper-case-json") << "A.JSON"
                                     << "A.JSON";
    QTest::newRow("mixed-case-json") << "b.Json"
                                     << "b.Json";
    QTest::newRow("circuit-ending") << "c.fsor.json"
                                    << "c.fsor.json";
    QTest::newRow("other-extension") << "d.txt"
                                     << "d.txt.fsor.json";
    QTest::newRow("json-inside") << "e.json.bak"
                                 << "e.json.bak.fsor.json";
}

void TestCircuitCommands::savedNameGetsTheCircuitEnding()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    click("m_editCopyButton");
    m_fileNames << m_directory.filePath(chosen);
    trigger("m_actionSaveAs");
    QCOMPARE(m_window->experiment().document().path(), m_directory.filePath(written));
    QVERIFY(QFile::exists(m_directory.filePath(written)));
    QCOMPARE(m_window->windowTitle(), kItalianTitle + written);
}

void TestCircuitCommands::openRefusesBadFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QByteArray header = "{\"format\": \"FasoriaCircuit\", \"version\": 1, \"qubits\": 2, \"gates\": ";
    // An empty message stands for the platform's own error text.
    QTest::newRow("missing") << "missing.fsor.json" << QByteArray() << QString();
    QTest::newRow("directory") << "folder" << QByteArray() << QString();
    QTest::newRow("two-mib") << "large.fsor.json" << QByteArray(2 * 1024 * 1024, ' ') << "File is too large";
    QTest::newRow("one-byte-over-a-mib") << "over.fsor.json"
                                         << paddedTo(serializeCircuit(threeGates()), kMaxJsonDocumentBytes + 1)
                                         << "File is too large";
    QTest::newRow("invalid-json") << "broken.json" << QByteArray("{invalid") << QString();
    QTest::newRow("wrong-version") << "v2.json"
                                   << QByteArray("{\"format\": \"FasoriaCircuit\", \"version\": 2, \"qubits\": 2, "
                                                 "\"gates\": []}")
                                   << "Unsupported format/version or invalid qubit count";
    QTest::newRow("unknown-gate") << "gate.json" << header + "[{\"gate\": \"h\", \"target\": 0}]}"
                                  << "Invalid gate/target at index 0";
    QTest::newRow("cnot-control-is-target")
        << "cnot.json" << header + "[{\"gate\": \"CNOT\", \"target\": 1, \"control\": 1}]}"
        << "CNOT control and target must be different, valid qubits";
    QTest::newRow("phase-out-of-range") << "phase.json"
                                        << header + "[{\"gate\": \"P\", \"target\": 0, "
                                                    "\"angle_rad\": 7.0}]}"
                                        << "Phase angle out of range";
    QTest::newRow("unreadable") << "locked.fsor.json" << serializeCircuit(threeGates()) << QString();
}

void TestCircuitCommands::openRefusesBadFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_directory.filePath(name);
    if (QByteArray(QTest::currentDataTag()) == "directory") {
        QVERIFY(QDir(m_directory.path()).mkpath(name));
    } else if (!content.isEmpty()) {
        QVERIFY(writeFile(path, content));
    }
    if (QByteArray(QTest::currentDataTag()) == "unreadable") {
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly)) {
            QSKIP("this user reads files whatever their permissions");
        }
    }
    const QString basePath = openModifiedCircuit();
    QVERIFY(!basePath.isEmpty());
    const Experiment &experiment = m_window->experiment();
    const QByteArray circuit = serializeCircuit(*experiment.workingCircuit());
    const QByteArray snapshot = experiment.document().savedSnapshot();
    const std::size_t events = experiment.logEvents().size();
    QVERIFY(experiment.document().isModified());

    // The student agrees to discard the edit, then the file turns out to be unusable: nothing is lost.
    answerNext(QMessageBox::Discard);
    m_fileNames << path;
    trigger("m_actionOpen");
    QCOMPARE(m_titles,
             (QStringList{uiText(TextKey::ModifiedTitle, Italian), uiText(TextKey::OpenErrorTitle, Italian)}));
    if (message.isEmpty()) {
        QVERIFY(!lastMessage().isEmpty());
    } else {
        QCOMPARE(lastMessage(), message);
    }
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), circuit);
    QCOMPARE(experiment.document().path(), basePath);
    QCOMPARE(experiment.document().savedSnapshot(), snapshot);
    QVERIFY(experiment.document().isModified());
    QCOMPARE(experiment.logEvents().size(), events);
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("base.fsor.json *"));
    QVERIFY(!m_window->files().openCircuitFile(path));
    QCOMPARE(serializeCircuit(*experiment.workingCircuit()), circuit);
}

void TestCircuitCommands::openKeepsTheCircuitNotTheFileBytes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("gates");
    const QByteArray compact = "{\"version\":1,\"qubits\":3,\"note\":\"kept out\",\"format\":\"FasoriaCircuit\","
                               "\"gates\":[{\"gate\":\"H\",\"target\":2,\"control\":1},{\"gate\":\"CNOT\","
                               "\"target\":0,\"control\":2}]}";
    QTest::newRow("compact-with-unknown-member") << compact << QStringLiteral("H(q2) CNOT(q2 → q0)");
    QTest::newRow("exactly-one-mib") << paddedTo(compact, kMaxJsonDocumentBytes)
                                     << QStringLiteral("H(q2) CNOT(q2 → q0)");
}

void TestCircuitCommands::openKeepsTheCircuitNotTheFileBytes()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, gates);
    const QString path = m_directory.filePath(QStringLiteral("compact-%1.json").arg(QTest::currentDataTag()));
    QVERIFY(writeFile(path, content));
    // An untouched challenge answer is no unsaved work: the file replaces it without a question.
    m_window->selectLesson(kFirstChallenge);
    QVERIFY(m_window->experiment().isChallengeMode());
    m_fileNames << path;
    trigger("m_actionOpen");

    const Experiment &experiment = m_window->experiment();
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(gateLabels(*experiment.workingCircuit()), gates);
    QVERIFY(!experiment.isChallengeMode());
    QCOMPARE(experiment.challengeStatus(), 0);
    QCOMPARE(experiment.document().path(), path);
    // The unsaved-changes baseline is the circuit as this program writes it, so the next save is no change.
    QCOMPARE(experiment.document().savedSnapshot(), serializeCircuit(*experiment.workingCircuit()));
    QVERIFY(experiment.document().savedSnapshot() != content);
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QFileInfo(path).fileName());
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});
    QCOMPARE(part<QSpinBox>("m_editQubitSpin")->value(), 3);
    QCOMPARE(part<QSpinBox>("m_targetSpin")->maximum(), 2);
    QCOMPARE(experiment.logEvents().size(), std::size_t{2});
    QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Editor));
    QCOMPARE(experiment.logEvents().back().value, static_cast<std::uint64_t>(EditAction::WorkingCopyCreated));
}

void TestCircuitCommands::saveFailsCleanly_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("missing-folder") << false;
    QTest::newRow("read-only-folder") << true;
}

void TestCircuitCommands::saveFailsCleanly()
{
    QFETCH(bool, readOnlyFolder);
    const QString folder = m_directory.filePath(QStringLiteral("saves-%1").arg(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/kept.fsor.json");
    click("m_editCopyButton");
    QVERIFY(m_window->files().saveCircuitAs(path));
    const QByteArray kept = readFile(path);
    click("m_insertButton");
    const Experiment &experiment = m_window->experiment();
    const QByteArray snapshot = experiment.document().savedSnapshot();

    bool saved = false;
    if (readOnlyFolder) {
        const ReadOnlyDirectory readOnly(folder);
        if (!readOnly.refusesNewFiles()) {
            QSKIP("cannot make a directory read-only here (root without the immutable attribute)");
        }
        saved = m_window->files().saveCircuit(false);
    } else {
        saved = m_window->files().saveCircuitAs(folder + QStringLiteral("/no/such/folder/other"));
    }
    QVERIFY(!saved);
    QCOMPARE(m_titles, QStringList{QStringLiteral("Errore di salvataggio")});
    QVERIFY(!lastMessage().isEmpty());
    QCOMPARE(readFile(path), kept);
    QCOMPARE(experiment.document().path(), path);
    QCOMPARE(experiment.document().savedSnapshot(), snapshot);
    QVERIFY(experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("kept.fsor.json *"));
}

void TestCircuitCommands::saveUnderAFileSizeLimitKeepsTheWork_data()
{
    QTest::addColumn<int>("extraGates");
    QTest::addColumn<int>("limit");
    // A file smaller than QSaveFile's buffer used to be lost in the flush inside commit(), reported as saved.
    QTest::newRow("small-nothing-fits") << 0 << 0;
    QTest::newRow("large-cut-short") << 200 << 4096;
}

void TestCircuitCommands::saveUnderAFileSizeLimitKeepsTheWork()
{
    QFETCH(int, extraGates);
    QFETCH(int, limit);
    const QString path = openModifiedCircuit();
    QVERIFY(!path.isEmpty());
    for (int i = 0; i < extraGates; ++i) {
        click("m_insertButton");
    }
    const QByteArray kept = readFile(path);
    const Experiment &experiment = m_window->experiment();
    const QByteArray snapshot = experiment.document().savedSnapshot();
    bool saved = true;
    {
        const FileSizeLimit limited(static_cast<rlim_t>(limit));
        QVERIFY(limited.isActive());
        trigger("m_actionSave");
        saved = !experiment.document().isModified();
    }
    QVERIFY(!saved);
    QCOMPARE(m_titles, QStringList{QStringLiteral("Errore di salvataggio")});
    QVERIFY2(lastMessage().contains(QLatin1String("too large"), Qt::CaseInsensitive), qPrintable(lastMessage()));
    QCOMPARE(readFile(path), kept);
    QCOMPARE(experiment.document().savedSnapshot(), snapshot);
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("base.fsor.json *"));
    QCOMPARE(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("base")),
             QStringList{QStringLiteral("base.fsor.json")});
    // Closing now still asks, so the work is not lost; with room again the same Save succeeds.
    trigger("m_actionSave");
    QVERIFY(!experiment.document().isModified());
    QCOMPARE(readFile(path), serializeCircuit(*experiment.workingCircuit()));
}

void TestCircuitCommands::openRefusesSpecialFilesAtOnce()
{
    const QString fifo = m_directory.filePath(QStringLiteral("pipe.fsor.json"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A name read from a folder whose bytes are not UTF-8 would open another file once encoded back.
    const QString lossy = QFile::decodeName(QFile::encodeName(m_directory.path()) + "/x\xff.fsor.json");
    for (const QString &path : {fifo, QStringLiteral("/dev/zero"), lossy}) {
        m_titles.clear();
        m_fileNames << path;
        trigger("m_actionOpen");
        QCOMPARE(m_titles, QStringList{QStringLiteral("Errore di apertura")});
        QCOMPARE(lastMessage(),
                 path == lossy ? QStringLiteral("file name is not valid UTF-8") : QStringLiteral("not a regular file"));
        QVERIFY(m_window->experiment().workingCircuit() == nullptr);
    }
}

void TestCircuitCommands::saveAsAsksBeforeReplacingTheCompletedName()
{
    const QString existing = m_directory.filePath(QStringLiteral("taken.fsor.json"));
    const QByteArray old("{\"someone else's\": true}\n");
    QVERIFY(writeFile(existing, old));
    click("m_editCopyButton");

    // The dialog was asked about "taken"; the name written would be "taken.fsor.json".
    m_fileNames << m_directory.filePath(QStringLiteral("taken"));
    answerNext(QMessageBox::No);
    trigger("m_actionSaveAs");
    QCOMPARE(m_titles, QStringList{QStringLiteral("Sostituire il file?")});
    QCOMPARE(
        lastMessage(),
        QStringLiteral("Esiste già un file di nome «%1». Vuoi sostituirlo?").arg(QDir::toNativeSeparators(existing)));
    QCOMPARE(m_buttons.last(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(m_defaults.last(), QMessageBox::No);
    QCOMPARE(readFile(existing), old);
    QVERIFY(m_window->experiment().document().path().isEmpty());

    m_fileNames << m_directory.filePath(QStringLiteral("taken"));
    answerNext(QMessageBox::Yes);
    trigger("m_actionSaveAs");
    QCOMPARE(readFile(existing), serializeCircuit(*m_window->experiment().workingCircuit()));
    QCOMPARE(m_window->experiment().document().path(), existing);

    // A name chosen with its ending was already confirmed by the dialog: no second question.
    m_titles.clear();
    m_fileNames << existing;
    trigger("m_actionSaveAs");
    QVERIFY(m_titles.isEmpty());
}

void TestCircuitCommands::newCircuitIsUnsaved()
{
    m_window->experiment().nextStep();
    trigger("m_actionNew");
    const Experiment &experiment = m_window->experiment();
    const Circuit *circuit = experiment.workingCircuit();
    QVERIFY(circuit != nullptr);
    QCOMPARE(circuit->qubitCount, 2);
    QCOMPARE(circuit->steps.size(), std::size_t{0});
    const QStringList texts = {QString::fromUtf8(circuit->titleIt),       QString::fromUtf8(circuit->titleEn),
                               QString::fromUtf8(circuit->questionIt),    QString::fromUtf8(circuit->questionEn),
                               QString::fromUtf8(circuit->explanationIt), QString::fromUtf8(circuit->explanationEn)};
    QCOMPARE(texts,
             (QStringList{QStringLiteral("Nuovo circuito"), QStringLiteral("New circuit"),
                          QStringLiteral("Esperimento libero: prepara un circuito e verifica la tua previsione."),
                          QStringLiteral("Free experiment: build a circuit and test your prediction."),
                          QStringLiteral("Circuito completato."), QStringLiteral("Circuit complete.")}));
    QVERIFY(experiment.document().path().isEmpty() && experiment.document().savedSnapshot().isEmpty());
    QVERIFY(experiment.document().isModified());
    QCOMPARE(m_window->windowTitle(), kItalianTitle + QStringLiteral("Senza nome *"));
    QVERIFY(m_window->isWindowModified());
    QCOMPARE(experiment.logEvents().size(), std::size_t{2});
    QCOMPARE(experiment.currentStep(), std::uint64_t{0});

    // Even an empty new circuit is work the guard protects.
    answerNext(QMessageBox::Cancel);
    trigger("m_actionNew");
    QCOMPARE(m_titles.size(), 1);
    QCOMPARE(experiment.workingCircuit(), circuit);

    // The save dialog proposes the default name.
    trigger("m_actionSave");
    QCOMPARE(m_dialogs.last().section(QLatin1Char('|'), 2, 2), QStringLiteral("Fasoria.fsor.json"));
    QVERIFY(experiment.document().isModified());
}

void TestCircuitCommands::titleFollowsFileAndMark_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("title");
    QTest::newRow("untitled-it") << 0 << QString() << false << kItalianTitle + QStringLiteral("Senza nome");
    QTest::newRow("untitled-en") << 1 << QString() << true
                                 << QStringLiteral("Fasoria - quantum laboratory 0.16.0 - Untitled *");
    QTest::newRow("file-without-folders") << 1 << QStringLiteral("sub/folder/bell.fsor.json") << false
                                          << QStringLiteral("Fasoria - quantum laboratory 0.16.0 - bell.fsor.json");
    QTest::newRow("file-edited") << 0 << QStringLiteral("bell.json") << true
                                 << kItalianTitle + QStringLiteral("bell.json *");
}

void TestCircuitCommands::titleFollowsFileAndMark()
{
    QFETCH(int, language);
    QFETCH(QString, file);
    QFETCH(bool, edited);
    QFETCH(QString, title);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    click("m_editCopyButton");
    if (!file.isEmpty()) {
        QVERIFY(QDir(m_directory.path()).mkpath(QFileInfo(file).path()));
        QVERIFY(m_window->files().saveCircuitAs(m_directory.filePath(file)));
    }
    if (edited) {
        click("m_insertButton");
    }
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_window->isWindowModified(), edited);
}

QTEST_MAIN(TestCircuitCommands)
#include "test_circuit_commands.moc"
