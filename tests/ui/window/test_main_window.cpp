#include "Help/Resources.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitEditor.h"
#include "tests/ui/WindowHarness.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace Fasoria;

namespace {

constexpr int kBellLesson = 2;
constexpr int kSignLesson = 3;
constexpr int kFirstChallenge = 4;
constexpr int kLastLesson = 20;

/// Scene centre of stage `stage` on a one-qubit drawing (the wire lies at y = 75).
QPointF oneQubitStage(int stage)
{
    return stage == 0 ? QPointF(104.5, 75.0) : QPointF(163.0 + 102.0 * (stage - 1), 75.0);
}

Circuit freeCircuit(std::int32_t qubits, int gates)
{
    Circuit circuit = customCircuit(qubits);
    for (int i = 0; i < gates; ++i) {
        circuit.steps.emplace_back(i % 2 == 0 ? GateKind::H : GateKind::P, i % qubits, 0, 0.1 * i);
    }
    return circuit;
}

} // namespace

class TestMainWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyNamedPartExists_data();
    void everyNamedPartExists();
    void partsNestAsBuilt_data();
    void partsNestAsBuilt();
    void startsInItalianOnLessonOne();
    void menusInOrderWithShortcuts();
    void everyCommandIsAvailable_data();
    void everyCommandIsAvailable();
    void toolkitTextsFollowTheLanguage();
    void iconResourceLoads();
    void stepMeasureAndPreviousThroughButtons();
    void clickingStagesNavigates();
    void predictionPanelFollowsTheExperiment();
    void notebookHoldsTwoHundredEvents();
    void languageSwitchKeepsTheExperiment();
    void noNegativeZeroWhileStepping_data();
    void noNegativeZeroWhileStepping();
    void challengeLessonShowsEmptyAnswer();
    void replacingTheWorkingCircuit();
    void languagePassTexts_data();
    void languagePassTexts();

private:
    QString text(const char *label) const { return part<QLabel>(label)->text(); }
    void chooseLesson(int index) { part<QComboBox>("m_lessons")->setCurrentIndex(index); }
    void chooseLanguage(int index) { part<QComboBox>("m_languageCombo")->setCurrentIndex(index); }
    QString renderedNotebook() const;
};

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaMainWindowTest"));
    initResources();
}

void TestMainWindow::init()
{
    QSettings().clear();
    m_window = std::make_unique<MainWindow>();
}

void TestMainWindow::cleanup()
{
    m_window.reset();
}

QString TestMainWindow::renderedNotebook() const
{
    LogContext context;
    context.language = m_window->language();
    context.currentLessonIndex = part<QComboBox>("m_lessons")->currentIndex();
    context.workingCircuit = m_window->experiment().workingCircuit();
    QStringList lines;
    for (const LogEvent &event : m_window->experiment().logEvents()) {
        lines << renderLogEvent(event, context);
    }
    return lines.join(QLatin1Char('\n'));
}

void TestMainWindow::everyNamedPartExists_data()
{
    QTest::addColumn<QString>("name");
    // The tree in building order; the language pass, the settings and the self-test find parts by these names.
    const QString names = QStringLiteral(
        "MainWindow centralwidget rootLayout headerLayout m_title m_languageLabel m_languageCombo "
        "m_simpleMode m_learningButton m_subtitle mainSplitter leftPanel leftLayout m_exerciseBox "
        "exerciseLayout m_lessons m_resourceBox resourceLayout m_qubitCount m_resourceSummary m_initialState "
        "m_question m_stepStatus exerciseButtonsLayout m_resetButton m_previousButton m_nextButton "
        "m_leftTabs tabLesson lessonScroll lessonContent lessonTabLayout m_lessonHelpButton m_challengeBox "
        "challengeLayout m_challengeGoal challengeButtonsLayout m_challengeCheckButton m_challengeHintButton "
        "m_challengeHint m_challengeResult m_explanationBox explanationLayout m_explanation tabAlgorithms "
        "algorithmsScroll algorithmsContent algorithmsTabLayout m_parametricBox parametricLayout "
        "m_paramIntro parametricForm m_paramKindLabel m_paramKindCombo m_paramQubitsLabel m_paramQubitsSpin "
        "m_paramMarkedLabel m_paramMarkedSpin m_paramIterationsLabel m_paramIterationsSpin "
        "m_paramSecretLabel m_paramSecretSpin m_paramDeutschLabel m_paramDeutschCombo m_paramCreateButton "
        "m_paramHint m_algorithmBox algorithmLayout m_algorithmIntro m_algorithmOracle m_algorithmClassical "
        "m_algorithmStats m_algorithmReadout m_algorithmProbability m_algorithmCaveat "
        "m_algorithmCheckpointLabel algorithmCheckpointLayout m_algorithmCheckpointCombo "
        "m_algorithmGotoButton m_algorithmRunButton tabEditor editorScroll editorContent editorTabLayout "
        "m_editorBox editorLayout editorTopLayout m_editCopyButton m_restoreOriginalButton editorQubitLayout "
        "m_editQubitLabel m_editQubitSpin m_applyQubitsButton editorParametersGrid m_gateLabel m_gateCombo "
        "m_targetLabel m_targetSpin m_controlLabel m_controlSpin m_angleLabel m_angleSpin editorButtonsGrid "
        "m_insertButton m_replaceButton m_removeButton m_moveLeftButton m_moveRightButton m_editorHint "
        "tabMeasure measureScroll measureContent measureTabLayout m_predictionBox predictionLayout "
        "m_predictionHint predictionButtonsLayout m_predictionCombo m_predictionButton m_predictionResult "
        "m_measureBox measureLayout m_measureButton m_shotsButton m_shotsHint m_shotsCombo m_testButton "
        "rightMainSplitter m_circuitBox circuitLayout circuitToolbarLayout m_circuitStage m_zoomOutButton "
        "m_zoomInButton m_fitButton m_circuitView m_circuitHint rightDataSplitter statesPane "
        "statesPaneLayout m_statesTitle m_table m_normLabel notebookPane notebookPaneLayout m_logTitle m_log "
        "menubar m_fileMenu m_helpMenu statusbar m_actionNew m_actionOpen m_actionSave m_actionSaveAs "
        "m_actionExport m_actionExit m_actionSaveSession m_actionOpenSession m_actionWorksheet m_actionUndo "
        "m_actionRedo m_actionHelp m_actionLessonHelp m_actionFreewareLicense ");
    for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestMainWindow::everyNamedPartExists()
{
    QFETCH(QString, name);
    const bool found = name == m_window->objectName() || m_window->findChild<QObject *>(name) != nullptr;
    QVERIFY2(found, qPrintable(name));
}

void TestMainWindow::partsNestAsBuilt_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("container");
    const char *const rows[][2] = {{"m_lessons", "m_exerciseBox"},
                                   {"m_qubitCount", "m_resourceBox"},
                                   {"m_resourceBox", "m_exerciseBox"},
                                   {"m_challengeBox", "tabLesson"},
                                   {"m_explanation", "m_explanationBox"},
                                   {"m_algorithmBox", "tabAlgorithms"},
                                   {"m_angleSpin", "m_editorBox"},
                                   {"m_editorBox", "tabEditor"},
                                   {"m_shotsCombo", "m_measureBox"},
                                   {"m_testButton", "tabMeasure"},
                                   {"m_circuitView", "m_circuitBox"},
                                   {"rightDataSplitter", "rightMainSplitter"},
                                   {"m_table", "statesPane"},
                                   {"m_log", "notebookPane"},
                                   {"statesPane", "rightDataSplitter"},
                                   {"m_leftTabs", "leftPanel"}};
    for (const auto &row : rows) {
        QTest::addRow("%s-in-%s", row[0], row[1]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }
}

void TestMainWindow::partsNestAsBuilt()
{
    QFETCH(QString, part);
    QFETCH(QString, container);
    auto *widget = m_window->findChild<QWidget *>(part);
    auto *ancestor = m_window->findChild<QWidget *>(container);
    QVERIFY(widget && ancestor);
    QVERIFY(ancestor->isAncestorOf(widget));
}

void TestMainWindow::startsInItalianOnLessonOne()
{
    QCOMPARE(m_window->size(), QSize(1260, 900));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Fasoria - laboratorio quantistico 0.16.0 - -"));
    QCOMPARE(part<QComboBox>("m_lessons")->count(), 21);
    QCOMPARE(part<QComboBox>("m_lessons")->currentIndex(), 0);
    auto *tabs = part<QTabWidget>("m_leftTabs");
    QCOMPARE(tabs->tabText(0), QStringLiteral("Lezione"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("Misure"));
    QCOMPARE(tabs->widget(2)->objectName(), QStringLiteral("tabEditor"));
    auto *shots = part<QComboBox>("m_shotsCombo");
    QCOMPARE(shots->currentData().toULongLong(), 1000ULL);
    QCOMPARE(shots->count(), 4);
    auto *prediction = part<QComboBox>("m_predictionCombo");
    QCOMPARE(prediction->count(), 3);
    QCOMPARE(prediction->itemText(0), QStringLiteral("Scegli uno stato..."));
    QCOMPARE(prediction->itemText(2), QStringLiteral("|1>"));
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operazioni: 0 / 1"));
    QCOMPARE(text("m_initialState"), QStringLiteral("Preparazione iniziale: |0>    |    Qubit: q0 |0>"));
    QCOMPARE(text("m_resourceSummary"), QStringLiteral("Stati di base: 2 (2^1)"));
    QCOMPARE(m_window->statusBar()->currentMessage(),
             uiText(TextKey::StatusEngine, Italian).arg(QStringLiteral("1"), QStringLiteral("qubit")));
    QCOMPARE(text("m_explanation"), uiText(TextKey::ExplanationStart, Italian));
    QCOMPARE(part<QTableWidget>("m_table")->rowCount(), 2);
    QCOMPARE(part<QTableWidget>("m_table")->item(0, 1)->text(), QStringLiteral("1.000000"));
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().contains(QStringLiteral("Preparato |0> (1 qubit).")));
    QCOMPARE(part<QSplitter>("rightMainSplitter")->childrenCollapsible(), false);
    QCOMPARE(part<QPlainTextEdit>("m_log")->maximumBlockCount(), 500);
}

void TestMainWindow::menusInOrderWithShortcuts()
{
    QStringList fileMenu;
    for (const QAction *action : part<QMenu>("m_fileMenu")->actions()) {
        fileMenu << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    // The exchange commands come after every specified entry, behind a separator of their own.
    QCOMPARE(fileMenu.join(QLatin1Char(' ')),
             QStringLiteral("m_actionNew m_actionOpen - m_actionSave m_actionSaveAs - m_actionExport - m_actionExit "
                            "m_actionSaveSession m_actionOpenSession m_actionWorksheet m_actionUndo m_actionRedo - "
                            "m_actionOpenChallenge m_actionOpenLessonPack m_actionCloseLessonPacks "
                            "m_actionSaveAsPackLesson m_actionImportQasm m_actionExportQasm m_actionExportPicture "
                            "m_actionExportChart m_actionWorksheetPdf m_actionPrintWorksheet"));
    QStringList viewMenu;
    for (const QAction *action : part<QMenu>("m_viewMenu")->actions()) {
        viewMenu << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    QCOMPARE(viewMenu.join(QLatin1Char(' ')),
             QStringLiteral("m_actionZoomIn m_actionZoomOut m_actionActualSize - m_actionDrawingZoomIn "
                            "m_actionDrawingZoomOut m_actionDrawingFit - m_actionChartNonZeroOnly"));
    QCOMPARE(part<QAction>("m_actionZoomIn")->shortcuts(),
             QList<QKeySequence>({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))}));
    QCOMPARE(part<QAction>("m_actionZoomOut")->shortcut(), QKeySequence(QStringLiteral("Ctrl+-")));
    QCOMPARE(part<QAction>("m_actionActualSize")->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
    QCOMPARE(part<QMenu>("m_fileMenu")->title(), QStringLiteral("&File"));
    QCOMPARE(part<QMenu>("m_helpMenu")->title(), QStringLiteral("&Aiuto"));
    QCOMPARE(part<QMenu>("m_helpMenu")->actions().size(), 4);
    QCOMPARE(part<QAction>("m_actionNew")->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(part<QAction>("m_actionSaveAs")->shortcut(), QKeySequence(QKeySequence::SaveAs));
    QCOMPARE(part<QAction>("m_actionHelp")->shortcut(), QKeySequence(QKeySequence::HelpContents));
    QCOMPARE(part<QAction>("m_actionLessonHelp")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    QCOMPARE(part<QAction>("m_actionLessonHelp")->text(), QStringLiteral("Manuale della lezione corrente (Maiusc+F1)"));
    QCOMPARE(part<QAction>("m_actionExit")->text(), QStringLiteral("&Esci"));
}

void TestMainWindow::everyCommandIsAvailable_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"m_simpleMode", "m_learningButton", "m_lessonHelpButton", "m_testButton", "m_actionExport",
                             "m_actionSaveSession", "m_actionOpenSession", "m_actionWorksheet", "m_actionHelp",
                             "m_actionLessonHelp", "m_actionFreewareLicense", "m_actionExit"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestMainWindow::everyCommandIsAvailable()
{
    // No control waits for its code any more: at start only the rules disable some (undo without an edit).
    QFETCH(QString, name);
    if (auto *action = m_window->findChild<QAction *>(name)) {
        QVERIFY(action->isEnabled());
    } else {
        QVERIFY(m_window->findChild<QWidget *>(name)->isEnabled());
    }
    QVERIFY(part<QTabWidget>("m_leftTabs")->isTabEnabled(1));
    QVERIFY(!part<QAction>("m_actionUndo")->isEnabled());
}

void TestMainWindow::toolkitTextsFollowTheLanguage()
{
    // The buttons of message boxes and file dialogs come from the toolkit.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
    chooseLanguage(1);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    chooseLanguage(0);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
}

void TestMainWindow::iconResourceLoads()
{
    const QPixmap icon(QStringLiteral(":/icons/Fasoria.png"));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.size(), QSize(256, 256));
}

void TestMainWindow::stepMeasureAndPreviousThroughButtons()
{
    chooseLesson(kSignLesson);
    auto *next = part<QPushButton>("m_nextButton");
    auto *previous = part<QPushButton>("m_previousButton");
    auto *measure = part<QPushButton>("m_measureButton");
    auto *shots = part<QPushButton>("m_shotsButton");
    QVERIFY(next->isEnabled() && !previous->isEnabled());

    click("m_nextButton");
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operazioni: 1 / 3"));
    QCOMPARE(text("m_circuitStage"), QStringLiteral("Stato dopo 1 di 3 operazioni"));
    QVERIFY(text("m_explanation").startsWith(QStringLiteral("H(q0) - ")));
    click("m_nextButton");
    click("m_nextButton");
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{3});
    QVERIFY(!next->isEnabled() && previous->isEnabled() && measure->isEnabled());
    const Lesson &lesson = lessonCatalog()[kSignLesson];
    QCOMPARE(text("m_explanation"), QString::fromUtf8(lesson.explanationIt));

    click("m_measureButton");
    QVERIFY(m_window->experiment().isMeasured());
    QVERIFY(!next->isEnabled() && !measure->isEnabled() && !shots->isEnabled() && previous->isEnabled());
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operazioni: 3 / 3    |    MISURATO"));
    QCOMPARE(text("m_explanation"), uiText(TextKey::ExplanationMeasured, Italian));

    click("m_previousButton");
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{2});
    QVERIFY(!m_window->experiment().isMeasured() && next->isEnabled() && measure->isEnabled());

    // At step 0, Previous after a measurement rebuilds the preparation; without one it is disabled.
    click("m_resetButton");
    click("m_measureButton");
    QVERIFY(previous->isEnabled());
    click("m_previousButton");
    QVERIFY(!m_window->experiment().isMeasured());
    QCOMPARE(m_window->experiment().state()->amplitude(0).re, 1.0);
    QVERIFY(!previous->isEnabled());
}

void TestMainWindow::clickingStagesNavigates()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    chooseLesson(kSignLesson);
    auto *view = part<CircuitView>("m_circuitView");
    const auto clickScene = [view](QPointF point) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(point));
    };
    const Experiment &experiment = m_window->experiment();

    clickScene(oneQubitStage(2));
    QTRY_COMPARE(experiment.currentStep(), std::uint64_t{2});
    QCOMPARE(experiment.logEvents().back().kind, static_cast<std::int32_t>(LogEventKind::Navigation));
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operazioni: 2 / 3"));
    QVERIFY(sameState(*experiment.state(), replayPrefix(experiment.shownCircuit(), 2)));

    // The stage already shown: nothing to rebuild, no notebook line.
    const std::size_t events = experiment.logEvents().size();
    clickScene(oneQubitStage(2));
    QTest::qWait(50);
    QCOMPARE(experiment.logEvents().size(), events);

    // Unless a histogram is shown: then the state is rebuilt and the navigation logged.
    click("m_shotsButton");
    QCOMPARE(experiment.shotsTotal(), std::uint64_t{1000});
    clickScene(oneQubitStage(2));
    QTRY_COMPARE(experiment.shotsTotal(), std::uint64_t{0});
    QCOMPARE(experiment.logEvents().size(), events + 2);

    // A wire between stages is no stage.
    clickScene(QPointF(235.0, 75.0 + 20.0));
    clickScene(QPointF(131.0, 75.0));
    QTest::qWait(50);
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});

    clickScene(oneQubitStage(0));
    QTRY_COMPARE(experiment.currentStep(), std::uint64_t{0});
}

void TestMainWindow::predictionPanelFollowsTheExperiment()
{
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    chooseLesson(kBellLesson);
    auto *combo = part<QComboBox>("m_predictionCombo");
    auto *record = part<QPushButton>("m_predictionButton");
    QCOMPARE(combo->count(), 5);
    QVERIFY(!record->isEnabled());
    QCOMPARE(text("m_predictionResult"), QStringLiteral("Record a prediction before you start."));

    combo->setCurrentIndex(4);
    QVERIFY(record->isEnabled());
    click("m_predictionButton");
    QCOMPARE(m_window->experiment().prediction(), 3);
    QVERIFY(!combo->isEnabled() && !record->isEnabled());
    QCOMPARE(text("m_predictionResult"), QStringLiteral("Prediction recorded: |11>. Now run the circuit."));

    click("m_nextButton");
    QCOMPARE(text("m_predictionResult"),
             QStringLiteral("Prediction: |11>. Complete the circuit to compare your hypothesis with theory."));
    click("m_nextButton");
    QCOMPARE(text("m_predictionResult"),
             QStringLiteral("Prediction: |11>. Theoretical probability at circuit end: 50.00%."));

    click("m_shotsButton");
    const std::uint64_t count = m_window->experiment().histogram()[3];
    const QString observed = QStringLiteral(" Observed frequency: %1 of 1000 (%2%).")
                                 .arg(count)
                                 .arg(QString::number(static_cast<double>(count) / 10.0, 'f', 2));
    QVERIFY2(text("m_predictionResult").endsWith(observed), qPrintable(text("m_predictionResult")));
    click("m_measureButton");
    QVERIFY(text("m_predictionResult").endsWith(observed));

    click("m_resetButton");
    QCOMPARE(m_window->experiment().prediction(), -1);
    QVERIFY(combo->isEnabled());
}

void TestMainWindow::notebookHoldsTwoHundredEvents()
{
    auto *log = part<QPlainTextEdit>("m_log");
    // Lesson 01 has one step: each Next and Previous adds one event after the preparation.
    for (int i = 0; i < 100; ++i) {
        click("m_nextButton");
        click("m_previousButton");
    }
    const auto &events = m_window->experiment().logEvents();
    QCOMPARE(events.size(), std::size_t{200});
    QCOMPARE(events.front().kind, static_cast<std::int32_t>(LogEventKind::Step));
    QCOMPARE(events.back().kind, static_cast<std::int32_t>(LogEventKind::Navigation));
    QVERIFY(log->toPlainText().startsWith(QStringLiteral("\n=== ")));

    // After a re-render the notebook shows exactly the 200 kept events.
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(log->toPlainText(), renderedNotebook());
    QVERIFY(log->toPlainText().startsWith(QStringLiteral("Step 1: H(q0) - ")));
}

void TestMainWindow::languageSwitchKeepsTheExperiment()
{
    chooseLesson(kBellLesson);
    part<QComboBox>("m_predictionCombo")->setCurrentIndex(1);
    click("m_predictionButton");
    click("m_nextButton");
    click("m_nextButton");
    click("m_shotsButton");
    click("m_measureButton");
    part<QComboBox>("m_gateCombo")->setCurrentIndex(3);
    const Experiment &experiment = m_window->experiment();
    const StateVector state = *experiment.state();
    const Histogram lastCounts = experiment.lastShotsCounts();
    const std::size_t events = experiment.logEvents().size();
    auto *log = part<QPlainTextEdit>("m_log");
    QVERIFY(log->toPlainText().contains(QStringLiteral("Preparato |00> (2 qubit).")));

    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);

    QCOMPARE(m_window->language(), English);
    QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("en"));
    QVERIFY(sameState(*experiment.state(), state));
    QCOMPARE(experiment.currentStep(), std::uint64_t{2});
    QVERIFY(experiment.isMeasured());
    QCOMPARE(experiment.lastShotsCounts(), lastCounts);
    QCOMPARE(experiment.prediction(), 0);
    QCOMPARE(experiment.logEvents().size(), events);
    QCOMPARE(part<QComboBox>("m_gateCombo")->currentIndex(), 3);
    QCOMPARE(part<QComboBox>("m_gateCombo")->itemText(3), QString::fromUtf8(gateKindName(GateKind::P, English)));

    const QString notebook = log->toPlainText();
    QCOMPARE(notebook, renderedNotebook());
    QVERIFY(notebook.contains(QStringLiteral("Prepared |00> (2 qubits).")));
    QVERIFY(notebook.contains(QStringLiteral("PREDICTION -> |00>")));
    QVERIFY(notebook.contains(QStringLiteral("1000 independent preparations -> most frequent outcome: ")));
    QVERIFY(notebook.contains(QStringLiteral("MEASURE -> ")));
    QVERIFY(!notebook.contains(QStringLiteral("Passo")) && !notebook.contains(QStringLiteral("MISURA")));
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operations: 2 / 2    |    MEASURED"));
    QCOMPARE(text("m_qubitCount"), QStringLiteral("REQUIRED QUBITS: 2"));
    QCOMPARE(text("m_resourceSummary"), QStringLiteral("Basis states: 4 (2^2)"));
    QCOMPARE(text("m_initialState"), QStringLiteral("Initial preparation: |00>    |    Qubits: q1 |0>   q0 |0>"));
    QCOMPARE(m_window->statusBar()->currentMessage(),
             uiText(TextKey::StatusEngine, English).arg(QStringLiteral("2"), QStringLiteral("qubits")));
    QCOMPARE(part<QTableWidget>("m_table")->horizontalHeaderItem(5)->text(), QStringLiteral("Count"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Fasoria - quantum laboratory 0.16.0 - -"));
    QCOMPARE(part<QComboBox>("m_lessons")->itemText(kBellLesson), QStringLiteral("03 - The twin coins   [2 qubits]"));
}

void TestMainWindow::noNegativeZeroWhileStepping_data()
{
    QTest::addColumn<int>("lesson");
    for (int lesson = 0; lesson <= kLastLesson; ++lesson) {
        QTest::addRow("lesson-%02d", lesson + 1) << lesson;
    }
}

void TestMainWindow::noNegativeZeroWhileStepping()
{
    QFETCH(int, lesson);
    chooseLesson(lesson);
    auto *table = part<QTableWidget>("m_table");
    const QRegularExpression negativeZero(QStringLiteral("-0(\\.0+)?(?![0-9.])"));
    const auto check = [&] {
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 1; column < table->columnCount(); ++column) {
                const QString cell = table->item(row, column)->text();
                QVERIFY2(!negativeZero.match(cell).hasMatch(), qPrintable(cell));
            }
        }
        for (const char *label : {"m_normLabel", "m_predictionResult", "m_explanation"}) {
            QVERIFY2(!negativeZero.match(text(label)).hasMatch(), qPrintable(text(label)));
        }
    };
    part<QComboBox>("m_predictionCombo")->setCurrentIndex(1);
    click("m_predictionButton");
    check();
    while (part<QPushButton>("m_nextButton")->isEnabled()) {
        click("m_nextButton");
        check();
    }
    click("m_shotsButton");
    check();
    QCOMPARE(m_window->experiment().currentStep(), m_window->experiment().stepCount());
}

void TestMainWindow::challengeLessonShowsEmptyAnswer()
{
    click("m_nextButton");
    chooseLesson(kFirstChallenge);
    const Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.isChallengeMode());
    QVERIFY(experiment.workingCircuit() != nullptr);
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operazioni: 0 / 0"));
    QVERIFY(!part<QPushButton>("m_nextButton")->isEnabled());
    QVERIFY(!part<QPushButton>("m_previousButton")->isEnabled());
    const Lesson &lesson = lessonCatalog()[kFirstChallenge];
    QCOMPARE(text("m_question"), QString::fromUtf8(lesson.questionIt));
    QCOMPARE(text("m_explanation"), uiText(TextKey::FreeLabStart, Italian));
    QCOMPARE(experiment.logEvents().size(), std::size_t{1});
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Fasoria - laboratorio quantistico 0.16.0 - Senza nome"));
    QVERIFY(!part<QWidget>("m_challengeBox")->isVisible());
}

void TestMainWindow::replacingTheWorkingCircuit()
{
    QString shownTitle;
    QString shownText;
    m_window->setMessageBoxHandler([&](QWidget *, QMessageBox::Icon, const QString &title, const QString &message,
                                       QMessageBox::StandardButtons, QMessageBox::StandardButton) {
        shownTitle = title;
        shownText = message;
        return QMessageBox::Ok;
    });
    click("m_nextButton");
    QVERIFY(!m_window->files().replaceWorkingCircuit(freeCircuit(9, 4)));
    QCOMPARE(shownTitle, QStringLiteral("Modifica non valida"));
    QCOMPARE(shownText, QString::fromStdString(editorErrorText("Unsupported number of editable qubits", Italian)));
    QVERIFY(m_window->experiment().workingCircuit() == nullptr);
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{1});

    shownTitle.clear();
    QVERIFY(m_window->files().replaceWorkingCircuit(freeCircuit(8, 256)));
    QVERIFY(shownTitle.isEmpty());
    QCOMPARE(part<QTableWidget>("m_table")->rowCount(), 256);
    QCOMPARE(part<QComboBox>("m_predictionCombo")->count(), 257);
    QCOMPARE(part<QComboBox>("m_predictionCombo")->itemText(256), QStringLiteral("|11111111>"));
    QCOMPARE(text("m_stepStatus"), QStringLiteral("Operazioni: 0 / 256"));
    QCOMPARE(text("m_question"), uiText(TextKey::FreeLabQuestion, Italian));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Fasoria - laboratorio quantistico 0.16.0 - Senza nome"));
    QCOMPARE(m_window->experiment().logEvents().size(), std::size_t{2});
    click("m_nextButton");
    QVERIFY(text("m_explanation").startsWith(QStringLiteral("H(q0) - ")));
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().endsWith(
        QStringLiteral("Passo 1: H(q0) - ") + QString::fromUtf8(gateDescription(GateKind::H, Italian))));
}

void TestMainWindow::languagePassTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    // What each part shows, by catalog key: {object name, property, key}.
    const struct
    {
        const char *name;
        const char *property;
        int key;
    } keyed[] = {{"m_fileMenu", "title", 122},
                 {"m_helpMenu", "title", 129},
                 {"m_actionNew", "text", 123},
                 {"m_actionOpen", "text", 124},
                 {"m_actionSave", "text", 125},
                 {"m_actionSaveAs", "text", 126},
                 {"m_actionExport", "text", 127},
                 {"m_actionExit", "text", 128},
                 {"m_predictionBox", "title", 131},
                 {"m_predictionHint", "text", 132},
                 {"m_predictionButton", "text", 134},
                 {"m_predictionButton", "toolTip", 132},
                 {"m_predictionCombo", "toolTip", 132},
                 {"m_title", "text", 1},
                 {"m_subtitle", "text", 2},
                 {"m_languageLabel", "text", 3},
                 {"m_languageLabel", "toolTip", 4},
                 {"m_languageCombo", "toolTip", 4},
                 {"m_exerciseBox", "title", 9},
                 {"m_lessons", "toolTip", 10},
                 {"m_resourceBox", "title", 11},
                 {"m_qubitCount", "toolTip", 14},
                 {"m_resourceSummary", "toolTip", 15},
                 {"m_initialState", "toolTip", 17},
                 {"m_question", "toolTip", 20},
                 {"m_stepStatus", "toolTip", 24},
                 {"m_resetButton", "text", 21},
                 {"m_resetButton", "toolTip", 22},
                 {"m_previousButton", "text", 84},
                 {"m_previousButton", "toolTip", 85},
                 {"m_nextButton", "text", 23},
                 {"m_nextButton", "toolTip", 24},
                 {"m_measureBox", "title", 25},
                 {"m_measureButton", "text", 26},
                 {"m_measureButton", "toolTip", 27},
                 {"m_shotsButton", "toolTip", 29},
                 {"m_shotsHint", "text", 30},
                 {"m_shotsHint", "toolTip", 29},
                 {"m_explanationBox", "title", 31},
                 {"m_explanation", "toolTip", 33},
                 {"m_testButton", "text", 35},
                 {"m_testButton", "toolTip", 36},
                 {"m_circuitBox", "title", 76},
                 {"m_circuitBox", "toolTip", 77},
                 {"m_circuitView", "toolTip", 77},
                 {"m_circuitHint", "text", 78},
                 {"m_circuitHint", "toolTip", 77},
                 {"m_zoomInButton", "text", 86},
                 {"m_zoomOutButton", "text", 87},
                 {"m_fitButton", "text", 88},
                 {"m_zoomInButton", "toolTip", 89},
                 {"m_zoomOutButton", "toolTip", 89},
                 {"m_fitButton", "toolTip", 89},
                 {"m_statesTitle", "text", 37},
                 {"m_table", "toolTip", 38},
                 {"m_normLabel", "toolTip", 49},
                 {"m_logTitle", "text", 52},
                 {"m_log", "toolTip", 53},
                 {"m_editorBox", "title", 91},
                 {"m_editCopyButton", "text", 92},
                 {"m_restoreOriginalButton", "text", 93},
                 {"m_editQubitLabel", "text", 94},
                 {"m_applyQubitsButton", "text", 95},
                 {"m_gateLabel", "text", 96},
                 {"m_targetLabel", "text", 97},
                 {"m_controlLabel", "text", 98},
                 {"m_angleLabel", "text", 99},
                 {"m_insertButton", "text", 100},
                 {"m_replaceButton", "text", 101},
                 {"m_removeButton", "text", 102},
                 {"m_moveLeftButton", "text", 103},
                 {"m_moveRightButton", "text", 104},
                 {"m_editorHint", "text", 105},
                 {"m_editCopyButton", "toolTip", 107},
                 {"m_restoreOriginalButton", "toolTip", 108},
                 {"m_insertButton", "toolTip", 109},
                 {"m_replaceButton", "toolTip", 110},
                 {"m_removeButton", "toolTip", 110},
                 {"m_moveLeftButton", "toolTip", 110},
                 {"m_moveRightButton", "toolTip", 110},
                 {"m_applyQubitsButton", "toolTip", 111},
                 {"m_gateCombo", "toolTip", 112},
                 {"m_targetSpin", "toolTip", 113},
                 {"m_controlSpin", "toolTip", 114},
                 {"m_angleSpin", "toolTip", 115}};
    for (const Language language : {Italian, English}) {
        const char *tag = isEnglish(language) ? "en" : "it";
        for (const auto &row : keyed) {
            QTest::addRow("%s-%s-%s", row.name, row.property, tag)
                << QString::fromLatin1(row.name) << QByteArray(row.property) << static_cast<int>(language)
                << uiText(static_cast<TextKey>(row.key), language);
        }
    }
    // The handbook and terms texts are fixed pairs outside the catalog: {name, property, Italian, English}.
    const char *const pairs[][4] = {
        {"m_actionHelp", "text", "Manuale completo (F1)", "Complete handbook (F1)"},
        {"m_actionLessonHelp", "text", "Manuale della lezione corrente (Maiusc+F1)",
         "Current lesson handbook (Shift+F1)"},
        {"m_actionFreewareLicense", "text", "Licenza Freeware...", "Freeware license..."},
        {"m_actionFreewareLicense", "toolTip", "Leggi le condizioni di utilizzo e distribuzione del programma",
         "Read the program use and redistribution terms"},
        {"m_lessonHelpButton", "text", "Apri guida della lezione", "Open this lesson's handbook"},
        {"m_lessonHelpButton", "toolTip", "Apri direttamente la scheda della lezione nel manuale offline",
         "Jump to the current lesson in the complete offline handbook"}};
    for (const auto &row : pairs) {
        QTest::addRow("%s-%s-it", row[0], row[1]) << QString::fromLatin1(row[0]) << QByteArray(row[1])
                                                  << static_cast<int>(Italian) << QString::fromUtf8(row[2]);
        QTest::addRow("%s-%s-en", row[0], row[1]) << QString::fromLatin1(row[0]) << QByteArray(row[1])
                                                  << static_cast<int>(English) << QString::fromUtf8(row[3]);
    }
}

void TestMainWindow::languagePassTexts()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, property);
    QFETCH(int, language);
    QFETCH(QString, expected);
    // Italian comes from the pass at construction, English from the user's switch.
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language == English ? 1 : 0);
    QObject *object = m_window->findChild<QObject *>(name);
    QVERIFY2(object, qPrintable(name));
    QCOMPARE(object->property(property.constData()).toString(), expected);

    // The tab titles and the lesson items follow the same pass.
    const auto lang = static_cast<Language>(language);
    auto *tabs = part<QTabWidget>("m_leftTabs");
    for (int tab = 0; tab < 4; ++tab) {
        QCOMPARE(tabs->tabText(tab), uiText(static_cast<TextKey>(5 + tab), lang));
    }
    auto *lessons = part<QComboBox>("m_lessons");
    const Lesson &first = lessonCatalog()[0];
    QCOMPARE(lessons->itemData(0, Qt::ToolTipRole).toString(),
             QString::fromUtf8(pick(lang, first.questionIt, first.questionEn)));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
