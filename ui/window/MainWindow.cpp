// Construction order, the wiring of panels and menus to the models and their commands, the passing of the
// models' announcements to the panels, the language pass and what the window remembers between runs.
#include "ui/window/MainWindow.h"

#include "curriculum/LessonCatalog.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "ui/commands/CircuitCommands.h"
#include "ui/commands/LessonPackCommands.h"
#include "ui/commands/PackLessonCommands.h"
#include "ui/commands/WorksheetCommands.h"
#include "ui/model/ApplicationInfo.h"
#include "ui/model/LeftTabs.h"
#include "ui/model/LessonShelf.h"
#include "ui/model/LogEvent.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/ChallengePanel.h"
#include "ui/panels/ChartPanel.h"
#include "ui/panels/CircuitPanel.h"
#include "ui/panels/EditorPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/panels/LessonPanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/panels/StatesPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/views/GatePalette.h"
#include "ui/views/ProbabilityChart.h"
#include "ui/views/QubitStatePanel.h"
#include "ui/widgets/AccessibleNames.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/ToolkitLanguage.h"
#include "ui/window/WindowActions.h"
#include "validation/dialog/ValidationDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <utility>

using namespace Fasoria;

namespace {

/// How long a file's name stays in the status line after it was written.
constexpr int kStatusMessageMs = 8000;
constexpr int kWindowStateVersion = 0;

// clang-format off
/// The title line's name for a working circuit that is in no file yet.
constexpr TextPair kUntitled = {"Senza nome", "Untitled"};
constexpr TextPair kSimpleModeText = {"Parto da zero", "Beginner view"};
constexpr TextPair kSimpleModeTip = {"Nasconde i dettagli. Disattiva per approfondire nella finestra principale.",
                                     "Hides details. Turn off to explore the full main window."};
constexpr TextPair kLearningButtonText = {"Laboratorio didattico", "Learning lab"};
constexpr TextPair kClearNotebookTitle = {"Svuota il quaderno", "Clear notebook"};
constexpr TextPair kClearNotebookQuestion = {
    "Cancellare tutte le righe del quaderno di laboratorio? Non si possono recuperare.",
    "Delete every line of the laboratory notebook? They cannot be recovered."};
// clang-format on

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    m_experiment.setLogObservers(
        [this](const LogEvent &event) {
            m_notebookPanel->appendLine(renderLogEvent(event, m_session.logContext(m_language)));
        },
        [this] { m_notebookPanel->clear(); });
    // Before the widgets exist, so that every size they register starts at the stored zoom.
    InterfaceZoom::apply(QSettings().value(key("ui/zoom"), InterfaceZoom::kActual).toInt());
    buildWidgetTree();
    m_circuitView->setBaseScale(InterfaceZoom::percent() / 100.0);
    m_circuitCommands = std::make_unique<CircuitCommands>(m_experiment, m_editorPanel, m_files, m_prompts);
    m_worksheetCommands = std::make_unique<WorksheetCommands>(m_experiment, m_session, m_prompts, this);
    m_lessonPacks = std::make_unique<LessonPackCommands>(m_library, m_files, m_prompts);
    m_packLessonCommands = std::make_unique<PackLessonCommands>(m_experiment, m_prompts, this);
    m_exercisePanel->setLibrary(&m_library);
    m_learning = std::make_unique<LearningController>(m_experiment, m_session, m_prompts, this);
    m_session.setPreparations(m_measurementPanel->selectedPreparations());
    readSettings();
    connectPanels();
    connectMenus();
    connectModels();

    m_experiment.enterChallengeMode();
    applyLanguage();
    m_experiment.restart();

    // Splitter states can be restored only once the window has its final geometry.
    QTimer::singleShot(0, this, [this] {
        const QSettings settings;
        const std::pair<QSplitter *, const char *> splitters[] = {{m_mainSplitter, "splitters/main"},
                                                                  {m_rightMainSplitter, "splitters/rightMain"},
                                                                  {m_rightDataSplitter, "splitters/rightData"},
                                                                  {m_circuitChartSplitter, "splitters/circuitChart"}};
        for (const auto &[splitter, name] : splitters) {
            const QByteArray state = settings.value(key(name)).toByteArray();
            if (!state.isEmpty()) {
                splitter->restoreState(state);
            }
        }
        m_circuitPanel->fitToStage(m_experiment.currentStep());
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::setMessageBoxHandler(Prompts::MessageBoxHandler handler)
{
    m_prompts.setMessageBoxHandler(std::move(handler));
}

void MainWindow::setFileDialogHandler(Prompts::FileDialogHandler handler)
{
    m_prompts.setFileDialogHandler(std::move(handler));
}

void MainWindow::guarded(const std::function<void()> &action)
{
    m_prompts.guarded(action, m_language);
}

void MainWindow::connectPanels()
{
    const auto onSignal = [this](auto *source, auto signal, const std::function<void()> &operation) {
        connect(source, signal, this, [this, operation] { guarded(operation); });
    };
    connect(m_exercisePanel, &ExercisePanel::lessonChosen, this,
            [this](int index) { guarded([this, index] { selectLesson(index); }); });
    connect(m_languageCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { guarded([this, index] { switchLanguage(index); }); });
    onSignal(m_exercisePanel, &ExercisePanel::restartRequested, [this] { m_experiment.restart(); });
    onSignal(m_exercisePanel, &ExercisePanel::nextRequested, [this] { m_experiment.nextStep(); });
    onSignal(m_exercisePanel, &ExercisePanel::previousRequested, [this] { m_experiment.previousStep(); });
    m_circuitView->setStageCallback([this](std::uint64_t stage) {
        guarded([this, stage] {
            m_experiment.goToStep(stage);
            m_editorPanel->showSelectedGate(m_experiment.workingCircuit(), m_experiment.currentStep());
        });
    });

    // The drawing's own edits (keys, drags, the palette, its menus), the same checked edits as the form's buttons.
    connect(m_circuitView, &CircuitView::insertKeyPressed, this, [this](GateKind kind, int wire) {
        guarded([this, kind, wire] { m_circuitCommands->insertOnWire(kind, wire); });
    });
    connect(m_circuitPanel->palette(), &GatePalette::gateClicked, this, [this](GateKind kind) {
        guarded([this, kind] { m_circuitCommands->insertOnWire(kind, m_circuitView->chosenWire()); });
    });
    onSignal(m_circuitView, &CircuitView::deleteRequested, [this] { m_circuitCommands->removeShownGate(); });
    connect(m_circuitView, &CircuitView::moveRequested, this,
            [this](int direction) { guarded([this, direction] { m_circuitCommands->moveShownGate(direction); }); });
    connect(m_circuitView, &CircuitView::drawingEdited, this,
            [this](const DrawingEdit &edit) { guarded([this, edit] { m_circuitCommands->applyDrawingEdit(edit); }); });
    connect(m_circuitView, &CircuitView::angleEditRequested, this,
            [this](qulonglong stage) { guarded([this, stage] { m_circuitCommands->editAngle(stage); }); });
    m_circuitView->setDropJudge([this](const DrawingEdit &edit) { return m_circuitCommands->drawingRefusal(edit); });

    onSignal(m_measurementPanel, &MeasurementPanel::measureRequested, [this] { m_experiment.measureOnce(); });
    onSignal(m_measurementPanel, &MeasurementPanel::preparationsRequested,
             [this] { m_experiment.repeatPreparations(m_session.preparations()); });
    onSignal(m_measurementPanel, &MeasurementPanel::wholeCircuitRequested, [this] {
        if (m_experiment.prepareWholeCircuit(m_session.preparations())) {
            m_circuitView->focusStage(m_experiment.currentStep());
        }
    });
    onSignal(m_measurementPanel, &MeasurementPanel::preparationsChosen,
             [this] { m_session.setPreparations(m_measurementPanel->selectedPreparations()); });
    connect(m_measurementPanel, &MeasurementPanel::recordRequested, this,
            [this](std::uint64_t basis) { guarded([this, basis] { m_experiment.recordPrediction(basis); }); });
    onSignal(m_measurementPanel, &MeasurementPanel::validationRequested, [this] {
        const ValidationOutcome outcome = runValidationDialog(m_prompts, m_language);
        m_experiment.recordValidation(static_cast<std::uint64_t>(outcome.passed),
                                      static_cast<std::uint64_t>(outcome.total));
    });

    connect(m_chartPanel, &ChartPanel::basisChosen, m_statesPanel, &StatesPanel::selectBasis);

    ChallengePanel *challenge = m_lessonPanel->challengePanel();
    onSignal(challenge, &ChallengePanel::checkRequested, [this] { m_circuitCommands->checkChallengeSolution(); });
    onSignal(challenge, &ChallengePanel::hintRequested, [this] { m_experiment.showNextHint(); });
    const auto showLessonHelp = [this] {
        m_help.showLesson(m_experiment.lessonIndex(), m_experiment.algorithm() != nullptr);
    };
    onSignal(m_lessonPanel, &LessonPanel::handbookRequested, showLessonHelp);

    const auto goToStage = [this](std::uint64_t stage) {
        if (stage <= m_experiment.stepCount()) {
            m_experiment.goToStep(stage);
            m_circuitView->focusStage(stage);
        }
    };
    onSignal(m_algorithmLab, &AlgorithmLabPanel::generateRequested,
             [this] { m_files.createAlgorithmCircuit(m_algorithmLab->parameters()); });
    onSignal(m_algorithmLab, &AlgorithmLabPanel::runCompleteRequested,
             [this, goToStage] { goToStage(m_experiment.stepCount()); });
    connect(m_algorithmLab, &AlgorithmLabPanel::goToStageRequested, this,
            [this, goToStage](std::uint64_t stage) { guarded([goToStage, stage] { goToStage(stage); }); });
    const auto openAnchor = [this](const QString &anchor) { guarded([this, anchor] { m_help.showAnchor(anchor); }); };
    connect(m_algorithmLab, &AlgorithmLabPanel::handbookRequested, this, openAnchor);

    LearningDialog *dialog = m_learning->dialog();
    connect(dialog, &LearningDialog::handbookRequested, this, openAnchor);
    connect(dialog, &LearningDialog::guidedExperimentRequested, this,
            [this](int index) { guarded([this, index] { m_files.startLessonAfresh(index); }); });
    onSignal(dialog, &LearningDialog::saveSessionRequested, [this] { m_files.saveLearningSession(QString()); });
    onSignal(dialog, &LearningDialog::openSessionRequested, [this] { m_files.openLearningSession(); });
    onSignal(dialog, &LearningDialog::exportSheetRequested, [this] { m_files.exportWorksheet(QString()); });
    onSignal(m_learningButton, &QPushButton::clicked, [this] { m_learning->show(); });
    connect(m_simpleMode, &QCheckBox::toggled, this, [this](bool beginner) {
        guarded([this, beginner] {
            m_session.setSimpleMode(beginner);
            if (beginner) {
                m_learning->show();
            }
        });
    });
}

void MainWindow::connectMenus()
{
    const auto onAction = [this](QAction *action, const std::function<void()> &command) {
        connect(action, &QAction::triggered, this, [this, command] { guarded(command); });
    };
    const WindowActions &actions = *m_actions;
    onAction(actions.actionNew, [this] { m_files.newCircuit(); });
    onAction(actions.actionOpen, [this] { m_files.openCircuit(); });
    onAction(actions.actionSave, [this] { m_files.saveCircuit(false); });
    onAction(actions.actionSaveAs, [this] { m_files.saveCircuit(true); });
    onAction(actions.actionExport, [this] { m_files.exportResults(); });
    onAction(actions.actionOpenChallenge, [this] { m_files.openChallenge(); });
    onAction(actions.actionOpenLessonPack, [this] { m_lessonPacks->openPack(); });
    onAction(actions.actionCloseLessonPacks, [this] { m_lessonPacks->closePacks(); });
    onAction(actions.actionSaveAsPackLesson, [this] { m_packLessonCommands->saveAsPackLesson(); });
    onAction(actions.actionImportQasm, [this] { m_files.importQasm(); });
    onAction(actions.actionExportQasm, [this] { m_files.exportQasm(); });
    onAction(actions.actionExportPicture, [this] { m_files.exportCircuitPicture(); });
    onAction(actions.actionExportChart, [this] { m_files.exportChartPicture(m_chartPanel->nonZeroOnly()); });
    onAction(actions.actionZoomIn, [this] { setZoom(InterfaceZoom::stepped(InterfaceZoom::percent(), 1)); });
    onAction(actions.actionZoomOut, [this] { setZoom(InterfaceZoom::stepped(InterfaceZoom::percent(), -1)); });
    onAction(actions.actionActualSize, [this] { setZoom(InterfaceZoom::kActual); });
    onAction(actions.actionDrawingZoomIn, [this] { m_circuitPanel->zoomDrawing(1); });
    onAction(actions.actionDrawingZoomOut, [this] { m_circuitPanel->zoomDrawing(-1); });
    onAction(actions.actionDrawingFit, [this] { m_circuitPanel->fitDrawing(); });
    onAction(actions.actionSaveSession, [this] { m_files.saveLearningSession(QString()); });
    onAction(actions.actionOpenSession, [this] { m_files.openLearningSession(); });
    onAction(actions.actionWorksheet, [this] { m_files.exportWorksheet(QString()); });
    onAction(actions.actionWorksheetPdf, [this] { m_worksheetCommands->exportPdf(QString()); });
    onAction(actions.actionPrintWorksheet, [this] { m_worksheetCommands->print(); });
    onAction(actions.actionUndo, [this] { m_experiment.undo(); });
    onAction(actions.actionRedo, [this] { m_experiment.redo(); });
    onAction(actions.actionDeleteGate, [this] { m_circuitCommands->removeShownGate(); });
    onAction(actions.actionClearNotebook, [this] {
        // The notebook is the student's record: it goes only when the student confirms.
        if (m_prompts.message(QMessageBox::Question, uiText(kClearNotebookTitle, m_language),
                              uiText(kClearNotebookQuestion, m_language), QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) == QMessageBox::Yes) {
            m_experiment.clearNotebook();
        }
    });
    for (const auto &[action, kind] : actions.insertActions()) {
        const GateKind inserted = kind;
        onAction(action, [this, inserted] { m_circuitCommands->insertOnWire(inserted, m_circuitView->chosenWire()); });
    }
    onAction(actions.actionHelp, [this] { m_help.showHandbook(); });
    onAction(actions.actionLessonHelp,
             [this] { m_help.showLesson(m_experiment.lessonIndex(), m_experiment.algorithm() != nullptr); });
    onAction(actions.actionFreewareLicense, [this] { m_help.showLicense(); });
    connect(actions.actionExit, &QAction::triggered, this, &QWidget::close);
    connect(actions.actionChartNonZeroOnly, &QAction::toggled, m_chartPanel->chart(),
            &ProbabilityChart::setNonZeroOnly);
}

void MainWindow::connectModels()
{
    connect(&m_experiment, &Experiment::changed, this, &MainWindow::showChanges);
    connect(&m_session, &StudySession::changed, this, &MainWindow::refreshTitle);
    connect(&m_session, &StudySession::preparationsChanged, this, [this](std::uint64_t count) {
        m_measurementPanel->selectPreparations(count);
        m_measurementPanel->applyPreparationTexts(m_language);
    });
    connect(&m_session, &StudySession::simpleModeChanged, this, [this](bool beginner) {
        showSimpleMode(beginner);
        QSettings().setValue(key("education/simple"), beginner);
    });
    connect(m_worksheetCommands.get(), &WorksheetCommands::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text, kStatusMessageMs); });
    connect(&m_files, &FileCommands::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text, kStatusMessageMs); });
    connect(&m_files, &FileCommands::documentChanged, this, &MainWindow::refreshTitle);
    connect(m_lessonPacks.get(), &LessonPackCommands::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text, kStatusMessageMs); });
    connect(m_packLessonCommands.get(), &PackLessonCommands::statusMessage, this,
            [this](const QString &text) { statusBar()->showMessage(text, kStatusMessageMs); });
    // A lesson just saved into a pack joins the selector at once; the work in hand stays as it is.
    connect(m_packLessonCommands.get(), &PackLessonCommands::packSaved, this, [this](const QString &path) {
        QString error;
        if (!m_library.open(path, &error)) {
            m_prompts.message(QMessageBox::Warning, uiText(TextKey::OpenErrorTitle, m_language), error);
        }
    });
    // The open packs are remembered as soon as they change, so that a crash does not forget them.
    connect(&m_library, &LessonLibrary::changed, this, [this] {
        QSettings().setValue(key("packs/paths"), m_library.paths());
        // A lesson whose pack closed is named by the selector's extra item.
        m_exercisePanel->showLoaded(m_experiment, m_language);
    });
    connect(&m_files, &FileCommands::sessionOpened, this, [this] { m_learning->show(); });
}

void MainWindow::selectLesson(int index)
{
    if (!m_files.startLessonAfresh(index)) {
        // The selector keeps showing what stays loaded.
        m_exercisePanel->showLoaded(m_experiment, m_language);
    }
}

bool MainWindow::openGivenFile(const QString &path)
{
    if (path.endsWith(QStringLiteral(".lessons.json"), Qt::CaseInsensitive)) {
        return m_lessonPacks->openPackFile(QFileInfo(path).absoluteFilePath());
    }
    return m_files.openGivenFile(path);
}

void MainWindow::showChanges(Experiment::Changes changes)
{
    const bool anew = changes & (Experiment::Restarted | Experiment::Restored);
    if (anew) {
        m_editorPanel->setQubitCount(m_experiment.shownCircuit().qubitCount);
        const GeneratedAlgorithm *generated = m_experiment.algorithm();
        m_algorithmLab->refreshGenerator(generated ? static_cast<std::int64_t>(generated->circuit.steps.size()) : -1,
                                         m_language);
    }
    if (changes & Experiment::Restarted) {
        m_measurementPanel->resetPrediction();
    }
    if (changes & Experiment::Restored) {
        // A reopened session brings its notebook back, written in the language of now.
        showNotebook();
    }
    if (anew || (changes & (Experiment::Replayed | Experiment::Stepped))) {
        refreshPanels();
    } else if (changes & Experiment::Predicted) {
        m_measurementPanel->refresh(m_experiment, m_language);
    } else if (changes & Experiment::ChallengeProgressed) {
        m_lessonPanel->refresh(m_experiment, m_language);
    }
    if (changes & Experiment::Restarted) {
        // A long circuit fitted whole shrinks its gates below legibility: the current stage at reading size
        // instead (the fit button still gives the overview).
        m_circuitPanel->fitToStage(m_experiment.currentStep());
    }
    refreshTitle();
}

void MainWindow::refreshPanels()
{
    m_exercisePanel->refresh(m_experiment, m_language);
    m_lessonPanel->refresh(m_experiment, m_language);
    const StateVector *state = m_experiment.state();
    if (!state) {
        return;
    }
    m_circuitPanel->refresh(m_experiment, m_language);
    m_chartPanel->refresh(m_experiment, m_language);
    m_editorPanel->refresh(m_experiment.workingCircuit(), m_experiment.currentStep(), m_language);
    m_editorPanel->showSelectedGate(m_experiment.workingCircuit(), m_experiment.currentStep());
    m_algorithmLab->refresh(m_experiment, m_language);
    m_statesPanel->refresh(m_experiment, m_language);
    m_qubitStatePanel->showState(*state, m_language);
    m_measurementPanel->refresh(m_experiment, m_language);
    const std::int32_t qubits = state->qubitCount();
    statusBar()->showMessage(
        catalogText(TextKey::StatusEngine, m_language, QString::number(qubits), qubitWord(qubits, m_language)));
}

void MainWindow::refreshTitle()
{
    QString name = QStringLiteral("-");
    if (m_experiment.workingCircuit()) {
        const QString &path = m_experiment.document().path();
        name = !path.isEmpty() ? QFileInfo(path).fileName() : uiText(kUntitled, m_language);
    }
    const bool modified = m_experiment.document().hasUnsavedWork();
    setWindowTitle(uiText(TextKey::AppTitle, m_language) + QLatin1Char(' ') + QString::fromUtf8(kApplicationVersion) +
                   QStringLiteral(" - ") + name + (modified ? QStringLiteral(" *") : QString()));
    // The title writes the mark itself; setting the flag as an attribute keeps platforms without a modified
    // decoration from asking for a "[*]" placeholder in it.
    setAttribute(Qt::WA_WindowModified, modified);
    m_actions->refresh(m_experiment);
    m_actions->refreshZoom(InterfaceZoom::percent());
}

void MainWindow::switchLanguage(int index)
{
    m_language = index == 1 ? English : Italian;
    QSettings().setValue(key("ui/language"), languageCode(m_language));
    applyLanguage();
}

void MainWindow::applyLanguage()
{
    useToolkitLanguage(m_language);
    m_actions->applyLanguage(m_language);
    m_simpleMode->setText(uiText(kSimpleModeText, m_language));
    m_simpleMode->setToolTip(uiText(kSimpleModeTip, m_language));
    m_learningButton->setText(uiText(kLearningButtonText, m_language));
    m_title->setText(uiText(TextKey::HeaderTitle, m_language));
    m_subtitle->setText(uiText(TextKey::Subtitle, m_language));
    m_languageLabel->setText(uiText(TextKey::LanguageLabel, m_language));
    m_languageCombo->setToolTip(uiText(TextKey::LanguageTip, m_language));
    m_languageLabel->setToolTip(uiText(TextKey::LanguageTip, m_language));

    const TextKey tabs[] = {TextKey::TabLesson, TextKey::TabAlgorithms, TextKey::TabEditor, TextKey::TabMeasurements};
    for (int tab = kLessonTab; tab < kQubitsTab; ++tab) {
        m_leftTabs->setTabText(tab, uiText(tabs[tab], m_language));
    }
    m_leftTabs->setTabText(kQubitsTab, uiText(MoreText::QubitsTab, m_language));
    m_leftTabs->setTabToolTip(kQubitsTab, qubitStateText(QubitStateText::PanelName, m_language));
    m_exercisePanel->applyLanguage(m_language);
    m_lessonPanel->applyLanguage(m_language);
    m_measurementPanel->applyLanguage(m_language);
    m_measurementPanel->applyPreparationTexts(m_language);
    m_editorPanel->applyLanguage(m_language);
    m_circuitPanel->applyLanguage(m_language);
    m_chartPanel->applyLanguage(m_language);
    m_statesPanel->applyLanguage(m_language);
    m_notebookPanel->applyLanguage(m_language);
    const GeneratedAlgorithm *generated = m_experiment.algorithm();
    m_algorithmLab->refreshGenerator(generated ? static_cast<std::int64_t>(generated->circuit.steps.size()) : -1,
                                     m_language);
    m_files.setLanguage(m_language);
    m_circuitCommands->setLanguage(m_language);
    m_worksheetCommands->setLanguage(m_language);
    m_lessonPacks->setLanguage(m_language);
    m_packLessonCommands->setLanguage(m_language);
    m_help.setLanguage(m_language);
    fitLeftPanel();

    refreshPanels();
    refreshTitle();
    m_learning->setLanguage(m_language);
    showNotebook();
    nameFocusableWidgets(this);
}

void MainWindow::showNotebook()
{
    const LogContext context = m_session.logContext(m_language);
    QStringList lines;
    for (const LogEvent &event : m_experiment.logEvents()) {
        lines << renderLogEvent(event, context);
    }
    m_notebookPanel->showLines(lines);
}

void MainWindow::setZoom(int percent)
{
    InterfaceZoom::apply(percent);
    QSettings().setValue(key("ui/zoom"), InterfaceZoom::percent());
    m_actions->refreshZoom(InterfaceZoom::percent());
    m_circuitView->setBaseScale(InterfaceZoom::percent() / 100.0);
    // Sizes that follow the texts are measured again in the new font.
    applyLanguage();
}

void MainWindow::showSimpleMode(bool beginner)
{
    {
        const QSignalBlocker blocker(m_simpleMode);
        m_simpleMode->setChecked(beginner);
    }
    m_rightDataSplitter->setVisible(!beginner);
    m_exercisePanel->setBeginner(beginner);
    m_lessonPanel->setBeginner(beginner);
    // The lesson page replaces a page that goes; disabling the current page first would move to another.
    const int shown = m_leftTabs->currentIndex();
    if (beginner && (shown == kAlgorithmsTab || shown == kEditorTab || shown == kQubitsTab)) {
        m_leftTabs->setCurrentIndex(kLessonTab);
    }
    // The spheres are details like the state table, and go with it.
    for (const int tab : {kAlgorithmsTab, kEditorTab, kQubitsTab}) {
        m_leftTabs->setTabEnabled(tab, !beginner);
    }
}

// Missing keys take their defaults and values that do not fit are clamped or ignored; nothing about settings
// is ever reported to the user, and reading them writes nothing back.
void MainWindow::readSettings()
{
    const QSettings settings;
    m_language =
        settings.value(key("ui/language"), QStringLiteral("it")).toString() == QLatin1String("en") ? English : Italian;
    {
        const QSignalBlocker blocker(m_languageCombo);
        m_languageCombo->setCurrentIndex(isEnglish(m_language) ? 1 : 0);
    }
    // The packs first, so that a pack lesson shown last time can be shown again; one that can no longer be
    // opened is reported once the window is up.
    const QStringList packs = settings.value(key("packs/paths")).toStringList();
    m_lessonPacks->openRemembered(packs);
    if (m_library.paths() != packs) {
        // A dropped pack is forgotten; the others stay remembered.
        QSettings().setValue(key("packs/paths"), m_library.paths());
    }
    QTimer::singleShot(0, this, [this] { m_lessonPacks->reportDropped(); });
    const int lesson = settings.value(key("ui/lessonIndex"), 0).toInt();
    const std::int32_t packLesson = m_library.lessonOf(settings.value(key("ui/lessonPack")).toString(),
                                                       settings.value(key("ui/lessonId")).toString());
    if (packLesson >= 0) {
        m_experiment.chooseLesson(packLesson);
    } else if (lesson >= 0 && lesson < catalogLessonCount()) {
        m_experiment.chooseLesson(lesson);
    }
    const int leftTab = settings.value(key("ui/leftTab"), 0).toInt();
    m_leftTabs->setCurrentIndex(
        leftTab >= 0 && leftTab < m_leftTabs->count() ? leftTab : std::clamp(leftTab, 0, kMeasurementsTab));
    const QByteArray geometry = settings.value(key("window/geometry")).toByteArray();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    const QByteArray state = settings.value(key("window/state")).toByteArray();
    if (!state.isEmpty()) {
        restoreState(state, kWindowStateVersion);
    }
    const bool beginner = settings.value(key("education/simple"), false).toBool();
    m_session.setSimpleMode(beginner);
    showSimpleMode(beginner);
    m_algorithmLab->readSettings(settings);
}

void MainWindow::writeSettings()
{
    QSettings settings;
    settings.setValue(key("window/geometry"), saveGeometry());
    settings.setValue(key("window/state"), saveState(kWindowStateVersion));
    settings.setValue(key("splitters/main"), m_mainSplitter->saveState());
    settings.setValue(key("splitters/rightMain"), m_rightMainSplitter->saveState());
    settings.setValue(key("splitters/rightData"), m_rightDataSplitter->saveState());
    settings.setValue(key("splitters/circuitChart"), m_circuitChartSplitter->saveState());
    settings.setValue(key("ui/leftTab"), m_leftTabs->currentIndex());
    // A pack lesson's index holds for this run only: it is remembered by its pack and id.
    const std::int32_t shown = m_exercisePanel->shownLesson();
    const OpenPack *pack = m_library.packOf(shown);
    settings.setValue(key("ui/lessonIndex"), shown < catalogLessonCount() ? shown : 0);
    if (pack) {
        settings.setValue(key("ui/lessonPack"), pack->path);
        settings.setValue(key("ui/lessonId"), shelvedLesson(shown)->source.id);
    } else {
        settings.remove(key("ui/lessonPack"));
        settings.remove(key("ui/lessonId"));
    }
    settings.setValue(key("ui/language"), languageCode(m_language));
    m_algorithmLab->writeSettings(settings);
    settings.sync();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_files.confirmDiscard()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}
