// Learning sessions, the worksheet and the beginner view through the window and its learning lab.
#include "Help/Resources.h"
#include "editor/CircuitFile.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "tests/ui/WindowHarness.h"
#include "ui/commands/WorksheetCommands.h"
#include "ui/texts/TextCatalog.h"

#include <QCheckBox>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace Fasoria;

namespace {

constexpr int kBellLesson = 2;

QByteArray withMember(const QByteArray &session, const QString &key, const QJsonValue &value)
{
    QJsonObject object = QJsonDocument::fromJson(session).object();
    object.insert(key, value);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

class TestSessionWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaSessionWindowTest"));
        initResources();
        QVERIFY(m_directory.isValid());
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void roundTripContinuesTheGenerator();
    void refusedSessionsChangeNothing_data();
    void refusedSessionsChangeNothing();
    void savingNamesAndMarks_data();
    void savingNamesAndMarks();
    void tooLongNotesAreNotSaved();
    void guardSavesToTheKnownSession();
    void worksheetEscapesWhatTheStudentTyped();
    void beginnerViewHidesAndRestores();
    void freshStartAndPreparationTexts();
    void givenFilesOpenByTheirKind();
    void unreadableSessionInTheWindowLanguage_data();
    void unreadableSessionInTheWindowLanguage();
    void recordedPredictionSurvivesAnotherQubitCount();
    void pastedControlCharactersNeverBlockTheSave();

private:
    LearningDialog *dialog() const { return m_window->learning().dialog(); }
    template <typename T>
    T *lab(const char *name) const
    {
        return dialog()->findChild<T *>(QString::fromLatin1(name));
    }
    /// The Bell lesson at its end with 100 preparations, a single measurement, a comparison and texts.
    void prepareRichSession()
    {
        m_window->selectLesson(kBellLesson);
        part<QComboBox>("m_shotsCombo")->setCurrentIndex(1);
        m_window->experiment().goToStep(2);
        m_window->experiment().repeatPreparations(m_window->studySession().preparations());
        m_window->experiment().measureOnce();
        m_window->studySession().applyPreset(1);
        lab<QLineEdit>("question")->setText(QStringLiteral("Are the twins correlated?"));
        lab<QPlainTextEdit>("notes")->setPlainText(QStringLiteral("00 and 11 only\n%1 stays %1"));
        lab<QPlainTextEdit>("conclusion")->setPlainText(QStringLiteral("entangled"));
    }

    QTemporaryDir m_directory;
};

void TestSessionWindow::roundTripContinuesTheGenerator()
{
    prepareRichSession();
    const QByteArray saved = m_window->studySession().serialise();
    QVERIFY(!saved.isEmpty());
    const QString path = m_directory.filePath(QStringLiteral("rich.session.json"));
    QVERIFY(m_window->files().saveLearningSession(path));
    QCOMPARE(readFile(path), saved);
    // What the generator would have drawn next, had the student gone on.
    const QByteArray after = m_window->studySession().serialise();
    m_window->experiment().goToStep(2);
    m_window->experiment().repeatPreparations(m_window->studySession().preparations());
    const Histogram expected = m_window->experiment().lastShotsCounts();

    startWindow();
    QVERIFY(m_window->files().openLearningSessionFile(path));
    QCOMPARE(m_window->studySession().serialise(), after);
    QVERIFY(dialog()->isVisible());
    QCOMPARE(lab<QPlainTextEdit>("notes")->toPlainText(), QStringLiteral("00 and 11 only\n%1 stays %1"));
    QVERIFY(m_window->experiment().isMeasured());
    QCOMPARE(m_window->experiment().lastShotsTotal(), std::uint64_t{100});
    QVERIFY(!m_window->experiment().document().hasUnsavedWork());
    m_window->experiment().goToStep(2);
    m_window->experiment().repeatPreparations(m_window->studySession().preparations());
    QCOMPARE(m_window->experiment().lastShotsCounts(), expected);
}

void TestSessionWindow::refusedSessionsChangeNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("message");
    QTest::addRow("stage past the end") << "stage" << QJsonValue(3)
                                        << "Invalid session values / Valori sessione non validi";
    QTest::addRow("fractional stage") << "stage" << QJsonValue(1.5)
                                      << "Invalid session values / Valori sessione non validi";
    QTest::addRow("version 2") << "version" << QJsonValue(2)
                               << "Invalid format or lesson / Formato o lezione non validi";
    QTest::addRow("inconsistent prediction")
        << "draft_distribution" << QJsonValue(2) << "Inconsistent prediction / Previsione incoerente";
    QTest::addRow("impossible measurement")
        << "measurement" << QJsonValue(1) << "Impossible recorded measurement / Misura registrata impossibile";
}

void TestSessionWindow::refusedSessionsChangeNothing()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QFETCH(QString, message);
    m_window->selectLesson(kBellLesson);
    m_window->experiment().goToStep(2);
    if (key == QLatin1String("draft_distribution")) {
        // A recorded prediction (index 0) needs the selector one above it.
        m_window->experiment().goToStep(0);
        lab<QComboBox>("distribution")->setCurrentIndex(1);
        m_window->studySession().recordPrediction();
        m_window->experiment().nextStep();
        m_window->experiment().nextStep();
    }
    const QByteArray before = m_window->studySession().serialise();
    QByteArray bytes = withMember(before, key, value);
    if (key == QLatin1String("measurement")) {
        // Outcome |01> has probability 0 in the Bell state.
        bytes = withMember(bytes, QStringLiteral("visible_shots"), 0);
    }
    QString error;
    QVERIFY(!m_window->studySession().restore(bytes, &error));
    QCOMPARE(error, message);
    QCOMPARE(m_window->studySession().serialise(), before);

    const QString path = m_directory.filePath(QStringLiteral("refused.session.json"));
    QVERIFY(writeFile(path, bytes));
    QVERIFY(!m_window->files().openLearningSessionFile(path));
    QCOMPARE(lastMessage(), message);
    QCOMPARE(m_window->studySession().serialise(), before);
}

void TestSessionWindow::savingNamesAndMarks_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addRow("plain") << "work"
                           << "work.session.json";
    QTest::addRow("upper-case json") << "work.JSON"
                                     << "work.JSON";
}

void TestSessionWindow::savingNamesAndMarks()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    click("m_editCopyButton");
    click("m_insertButton");
    QVERIFY(m_window->windowTitle().endsWith(QStringLiteral(" *")));
    m_fileNames << directory.filePath(chosen);
    trigger("m_actionSaveSession");
    QCOMPARE(m_dialogs.last(), QStringLiteral("save|Salva sessione didattica|Fasoria.session.json|Fasoria session "
                                              "(*.session.json)"));
    QVERIFY(QFile::exists(directory.filePath(written)));
    // A saved session is also a saved circuit.
    QVERIFY(!m_window->experiment().document().hasUnsavedWork());
    QVERIFY(!m_window->windowTitle().endsWith(QStringLiteral(" *")));
    QCOMPARE(lab<QLabel>("sessionStatus")->text(), directory.filePath(written));
    // One character in the notes makes the session unsaved again.
    lab<QPlainTextEdit>("notes")->setPlainText(QStringLiteral("x"));
    QVERIFY(m_window->experiment().document().session().dirty);
    QVERIFY(m_window->windowTitle().endsWith(QStringLiteral(" *")));
    QCOMPARE(lab<QLabel>("sessionStatus")->text(),
             directory.filePath(written) + QStringLiteral(" - modifiche da salvare"));
    // Undone exactly: clean again.
    lab<QPlainTextEdit>("notes")->setPlainText(QString());
    QVERIFY(!m_window->experiment().document().session().dirty);
}

void TestSessionWindow::tooLongNotesAreNotSaved()
{
    lab<QPlainTextEdit>("notes")->setPlainText(QString(32769, QLatin1Char('n')));
    const QString path = m_directory.filePath(QStringLiteral("long.session.json"));
    QVERIFY(!m_window->files().saveLearningSession(path));
    QCOMPARE(lastMessage(), QStringLiteral("Testo oltre il limite supportato (32.768 caratteri per campo)."));
    QVERIFY(!QFile::exists(path));
    QVERIFY(m_window->experiment().document().session().path.isEmpty());
}

void TestSessionWindow::guardSavesToTheKnownSession()
{
    const QString path = m_directory.filePath(QStringLiteral("known.session.json"));
    QVERIFY(m_window->files().saveLearningSession(path));
    lab<QLineEdit>("question")->setText(QStringLiteral("What changes?"));
    QVERIFY(m_window->experiment().document().session().dirty);

    answerNext(QMessageBox::Cancel);
    part<QComboBox>("m_lessons")->setCurrentIndex(kBellLesson);
    QCOMPARE(m_window->experiment().lessonIndex(), 0);
    QCOMPARE(lab<QLineEdit>("question")->text(), QStringLiteral("What changes?"));

    const int dialogs = m_dialogs.size();
    answerNext(QMessageBox::Save);
    part<QComboBox>("m_lessons")->setCurrentIndex(kBellLesson);
    QCOMPARE(m_dialogs.size(), dialogs);
    QCOMPARE(m_window->experiment().lessonIndex(), kBellLesson);
    QVERIFY(readFile(path).contains("What changes?"));
    // Another lesson starts a fresh session.
    QVERIFY(lab<QLineEdit>("question")->text().isEmpty());
    QVERIFY(m_window->experiment().document().session().path.isEmpty());
}

void TestSessionWindow::worksheetEscapesWhatTheStudentTyped()
{
    lab<QLineEdit>("question")->setText(QStringLiteral("<script>alert(1)</script> %1"));
    m_window->experiment().nextStep();
    m_fileNames << m_directory.filePath(QStringLiteral("sheet"));
    trigger("m_actionWorksheet");
    const QByteArray page = readFile(m_directory.filePath(QStringLiteral("sheet.html")));
    QVERIFY(page.startsWith("<!doctype html><html lang=\"it\">"));
    QVERIFY(page.contains("&lt;script&gt;alert(1)&lt;/script&gt; %1"));
    QVERIFY(!page.contains("<script>"));
    // The page is the worksheet of the work in hand, its pictures drawn in.
    QCOMPARE(page, Fasoria::buildWorksheet(m_window->worksheetCommands().input(), m_window->language()).toUtf8());
    QVERIFY(page.contains("<svg style=\"max-width:100%;height:auto\""));
}

void TestSessionWindow::beginnerViewHidesAndRestores()
{
    m_window->show();
    m_window->selectLesson(kBellLesson);
    m_window->experiment().goToStep(1);
    m_window->experiment().repeatPreparations(m_window->studySession().preparations());
    part<QTabWidget>("m_leftTabs")->setCurrentIndex(2);
    const QByteArray session = m_window->studySession().serialise();
    QVERIFY(dialog()->isHidden());

    part<QCheckBox>("m_simpleMode")->click();
    QVERIFY(part<QSplitter>("rightDataSplitter")->isHidden());
    QVERIFY(part<QWidget>("m_resourceBox")->isHidden());
    QVERIFY(part<QWidget>("m_explanationBox")->isHidden());
    QVERIFY(!part<QTabWidget>("m_leftTabs")->isTabEnabled(1));
    QVERIFY(!part<QTabWidget>("m_leftTabs")->isTabEnabled(2));
    QCOMPARE(part<QTabWidget>("m_leftTabs")->currentIndex(), 0);
    QVERIFY(dialog()->isVisible());
    QCOMPARE(QSettings().value(QStringLiteral("education/simple")).toBool(), true);

    part<QCheckBox>("m_simpleMode")->click();
    QVERIFY(part<QSplitter>("rightDataSplitter")->isVisible());
    QVERIFY(part<QTabWidget>("m_leftTabs")->isTabEnabled(2));
    // Only the simple-mode member differs: the experiment is as it was.
    QCOMPARE(m_window->studySession().serialise(), session);
}

void TestSessionWindow::freshStartAndPreparationTexts()
{
    QVERIFY(!part<QCheckBox>("m_simpleMode")->isChecked());
    auto *shots = part<QComboBox>("m_shotsCombo");
    QCOMPARE(shots->currentText(), QStringLiteral("1000"));
    QCOMPARE(shots->accessibleName(), QStringLiteral("Preparazioni / Preparations"));
    QCOMPARE(part<QPushButton>("m_shotsButton")->text(), QStringLiteral("Ripeti 1000 preparazioni"));
    shots->setCurrentIndex(1);
    QCOMPARE(part<QPushButton>("m_shotsButton")->text(), QStringLiteral("Ripeti 100 preparazioni"));
    QCOMPARE(lab<QPushButton>("shots")->text(), QStringLiteral("Ripeti 100 prove"));
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(part<QPushButton>("m_shotsButton")->text(), QStringLiteral("Repeat 100 preparations"));
    QCOMPARE(lab<QPushButton>("shots")->text(), QStringLiteral("Repeat 100 trials"));
    auto *table = part<QTableWidget>("m_table");
    QCOMPARE(table->horizontalHeaderItem(6)->text(), QStringLiteral("Frequency %"));
    QCOMPARE(table->horizontalHeaderItem(5)->text(), QStringLiteral("Count"));
    const QList<QAction *> file = part<QMenu>("m_fileMenu")->actions();
    const int exit = file.indexOf(part<QAction>("m_actionExit"));
    QStringList after;
    for (int i = exit + 1; i < file.size() && i <= exit + 5; ++i) {
        after << file[i]->objectName();
    }
    QCOMPARE(after, (QStringList{"m_actionSaveSession", "m_actionOpenSession", "m_actionWorksheet", "m_actionUndo",
                                 "m_actionRedo"}));
    QCOMPARE(part<QAction>("m_actionSaveSession")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+S")));
}

void TestSessionWindow::unreadableSessionInTheWindowLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("oversized");
    QTest::addColumn<QString>("message");
    QTest::addRow("missing, Italian") << 0 << false << QStringLiteral("Sessione illeggibile o troppo grande.");
    QTest::addRow("missing, English") << 1 << false << QStringLiteral("Unreadable or oversized session.");
    QTest::addRow("oversized, English") << 1 << true << QStringLiteral("Unreadable or oversized session.");
}

void TestSessionWindow::unreadableSessionInTheWindowLanguage()
{
    QFETCH(int, language);
    QFETCH(bool, oversized);
    QFETCH(QString, message);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    const QString path = m_directory.filePath(QStringLiteral("unreadable.session.json"));
    QFile::remove(path);
    if (oversized) {
        QVERIFY(writeFile(path, QByteArray(1048577, ' ')));
    }
    const QByteArray before = m_window->studySession().serialise();
    QVERIFY(!m_window->files().openLearningSessionFile(path));
    QCOMPARE(lastMessage(), message);
    QCOMPARE(m_window->studySession().serialise(), before);
}

void TestSessionWindow::recordedPredictionSurvivesAnotherQubitCount()
{
    m_window->selectLesson(kBellLesson);
    auto *predictions = part<QComboBox>("m_predictionCombo");
    predictions->setCurrentIndex(4);
    click("m_predictionButton");
    QCOMPARE(m_window->experiment().prediction(), 3);
    const QString path = m_directory.filePath(QStringLiteral("predicted.session.json"));
    QVERIFY(m_window->files().saveLearningSession(path));

    // A window on a one-qubit lesson fills the selector for two states; the session's four come back with it.
    startWindow();
    m_window->selectLesson(0);
    QCOMPARE(part<QComboBox>("m_predictionCombo")->count(), 3);
    QVERIFY(m_window->files().openLearningSessionFile(path));
    predictions = part<QComboBox>("m_predictionCombo");
    QCOMPARE(predictions->count(), 5);
    QCOMPARE(predictions->currentIndex(), 4);
    QCOMPARE(predictions->currentText(), QStringLiteral("|11>"));
}

void TestSessionWindow::pastedControlCharactersNeverBlockTheSave()
{
    // Text pasted from a web page or a terminal brings invisible marks the session file may not hold.
    m_window->selectLesson(kBellLesson);
    m_window->learning().show();
    lab<QLineEdit>("question")->setText(QStringLiteral("Why \u200Fthis?"));
    lab<QPlainTextEdit>("notes")->setPlainText(QStringLiteral("first\r\nsecond \x1b[2J\u202Eevil"));
    const QString path = m_directory.filePath(QStringLiteral("pasted.session.json"));
    QVERIFY(m_window->files().saveLearningSession(path));
    startWindow();
    QVERIFY(m_window->files().openLearningSessionFile(path));
    QCOMPARE(lab<QLineEdit>("question")->text(), QStringLiteral("Why this?"));
    QCOMPARE(lab<QPlainTextEdit>("notes")->toPlainText(), QStringLiteral("first\nsecond [2Jevil"));
}

QTEST_MAIN(TestSessionWindow)

#include "test_session_window.moc"

void TestSessionWindow::givenFilesOpenByTheirKind()
{
    prepareRichSession();
    const QString sessionPath = m_directory.filePath(QStringLiteral("given.SESSION.json"));
    QVERIFY(m_window->files().saveLearningSession(sessionPath));
    const QByteArray session = m_window->studySession().serialise();
    Circuit circuit;
    circuit.qubitCount = 3;
    circuit.steps.emplace_back(GateKind::H, 0, -1, 0.0);
    const QString circuitPath = m_directory.filePath(QStringLiteral("given.fsor.json"));
    QString error;
    QVERIFY2(saveCircuitFile(circuitPath, circuit, &error), qPrintable(error));

    // The relative name a file manager may pass is kept as the absolute path later saves go to.
    startWindow();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_directory.path()));
    const bool opened = m_window->files().openGivenFile(QStringLiteral("given.fsor.json"));
    QDir::setCurrent(previous);
    QVERIFY(opened);
    QCOMPARE(m_window->experiment().document().path(), circuitPath);
    QCOMPARE(m_window->experiment().workingCircuit()->qubitCount, 3);

    QVERIFY(m_window->files().openGivenFile(sessionPath));
    QCOMPARE(m_window->studySession().serialise(), session);
    QVERIFY(dialog()->isVisible());

    // A missing or refused file is reported and changes nothing; a session name is read as a session.
    const int messages = m_messages.size();
    QVERIFY(!m_window->files().openGivenFile(m_directory.filePath(QStringLiteral("missing.fsor.json"))));
    const QString misnamed = m_directory.filePath(QStringLiteral("circuit.session.json"));
    QVERIFY(QFile::copy(circuitPath, misnamed));
    QVERIFY(!m_window->files().openGivenFile(misnamed));
    QCOMPARE(m_messages.size(), messages + 2);
    QCOMPARE(m_window->studySession().serialise(), session);
}
