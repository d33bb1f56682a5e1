// Construction order, the wiring of the panels to the window's operations, the seams and the places later
// features fill in.
#include "ui/window/MainWindow.h"

#include "editor/CircuitEditor.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/ChallengePanel.h"
#include "ui/panels/CircuitPanel.h"
#include "ui/panels/EditorPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/panels/StatesPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QPushButton>
#include <QTimer>

#include <exception>
#include <utility>

using namespace Fasoria;

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_prompts(this)
{
    m_experiment.setLogObservers([this](const LogEvent &event) { appendLogLine(event); },
                                 [this] { m_notebookPanel->clear(); });
    buildWidgetTree();
    fillFixedSelectors();
    applyStretchAndSizes();

    readStartupSettings();
    connectSignals();
    connect(&m_experiment, &Experiment::changed, this, &MainWindow::showChanges);
    connectLearningLab();
    connectHelp();
    readSimpleMode();
    readGeneratorSettings();

    m_experiment.enterChallengeMode();
    applyLanguage();
    restartExperiment();

    // Splitter states can be restored only once the window has its final geometry.
    QTimer::singleShot(0, this, [this] {
        restoreSplitters();
        fitDrawing();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::setMessageBoxHandler(MessageBoxHandler handler)
{
    m_prompts.setMessageBoxHandler(std::move(handler));
}

void MainWindow::setFileDialogHandler(FileDialogHandler handler)
{
    m_prompts.setFileDialogHandler(std::move(handler));
}

QMessageBox::StandardButton MainWindow::showMessage(QMessageBox::Icon icon, const QString &title, const QString &text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    return m_prompts.message(icon, title, text, buttons, defaultButton);
}

void MainWindow::guarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::exception &error) {
        showMessage(QMessageBox::Warning, uiText(TextKey::AppTitle, m_language), QString::fromUtf8(error.what()));
    }
}

void MainWindow::connectSignals()
{
    connect(m_exercisePanel, &ExercisePanel::lessonChosen, this,
            [this](int index) { guarded([this, index] { selectLesson(index); }); });
    connect(m_languageCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { guarded([this, index] { switchLanguage(index); }); });
    const auto onRequest = [this](void (ExercisePanel::*signal)(), void (MainWindow::*operation)()) {
        connect(m_exercisePanel, signal, this,
                [this, operation] { guarded([this, operation] { (this->*operation)(); }); });
    };
    onRequest(&ExercisePanel::restartRequested, &MainWindow::restartExperiment);
    onRequest(&ExercisePanel::nextRequested, &MainWindow::nextStep);
    onRequest(&ExercisePanel::previousRequested, &MainWindow::previousStep);
    m_circuitView->setStageCallback([this](std::uint64_t stage) {
        guarded([this, stage] {
            goToStep(stage);
            m_editorPanel->showSelectedGate(m_experiment.workingCircuit(), m_experiment.currentStep());
        });
    });
    connectPanels();
    connectCircuitCommands();
}

void MainWindow::connectPanels()
{
    const auto onSignal = [this](auto *source, auto signal, const std::function<void()> &operation) {
        connect(source, signal, this, [this, operation] { guarded(operation); });
    };
    onSignal(m_measurementPanel, &MeasurementPanel::measureRequested, [this] { measureOnce(); });
    onSignal(m_measurementPanel, &MeasurementPanel::preparationsRequested, [this] { repeatPreparations(); });
    connect(m_measurementPanel, &MeasurementPanel::recordRequested, this,
            [this](std::uint64_t basis) { guarded([this, basis] { recordPrediction(basis); }); });
    onSignal(m_challengePanel, &ChallengePanel::checkRequested, [this] { checkChallengeSolution(); });
    onSignal(m_challengePanel, &ChallengePanel::hintRequested, [this] { showNextHint(); });
    onSignal(m_algorithmLab, &AlgorithmLabPanel::generateRequested, [this] { createAlgorithmCircuit(); });
    onSignal(m_algorithmLab, &AlgorithmLabPanel::runCompleteRequested, [this] { runCompleteCircuit(); });
    connect(m_algorithmLab, &AlgorithmLabPanel::goToStageRequested, this,
            [this](std::uint64_t stage) { guarded([this, stage] { goToAlgorithmStage(stage); }); });
}

void MainWindow::connectCircuitCommands()
{
    const auto onSignal = [this](auto *source, auto signal, const std::function<void()> &command) {
        connect(source, signal, this, [this, command] { guarded(command); });
    };
    onSignal(m_editorPanel, &EditorPanel::editCopyRequested, [this] { editCopy(); });
    onSignal(m_editorPanel, &EditorPanel::restoreOriginalRequested, [this] { restoreOriginal(); });
    onSignal(m_editorPanel, &EditorPanel::insertRequested, [this] { insertGateAfterStage(); });
    onSignal(m_editorPanel, &EditorPanel::replaceRequested, [this] { replaceSelectedGate(); });
    onSignal(m_editorPanel, &EditorPanel::removeRequested, [this] { removeSelectedGate(); });
    onSignal(m_editorPanel, &EditorPanel::applyQubitsRequested, [this] { applyQubitCount(); });
    connect(m_editorPanel, &EditorPanel::moveRequested, this,
            [this](int direction) { guarded([this, direction] { moveSelectedGate(direction); }); });
    onSignal(m_actions->actionNew, &QAction::triggered, [this] { newCircuit(); });
    onSignal(m_actions->actionOpen, &QAction::triggered, [this] { openCircuit(); });
    onSignal(m_actions->actionSave, &QAction::triggered, [this] { saveCircuit(false); });
    onSignal(m_actions->actionSaveAs, &QAction::triggered, [this] { saveCircuit(true); });
    onSignal(m_actions->actionExport, &QAction::triggered, [this] { exportResults(); });
    connect(m_actions->actionExit, &QAction::triggered, this, &QWidget::close);
    onSignal(m_actions->actionOpenChallenge, &QAction::triggered, [this] { openChallenge(); });
    onSignal(m_actions->actionImportQasm, &QAction::triggered, [this] { importQasm(); });
    onSignal(m_actions->actionExportQasm, &QAction::triggered, [this] { exportQasm(); });
    onSignal(m_actions->actionExportPicture, &QAction::triggered, [this] { exportCircuitPicture(); });
}

void MainWindow::appendLogLine(const LogEvent &event)
{
    m_notebookPanel->appendLine(renderLogEvent(event, logContext()));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}
