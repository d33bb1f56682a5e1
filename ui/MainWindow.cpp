// Construction order, reactions, the message-box and file-dialog seams and the places later features fill in.
#include "ui/MainWindow.h"

#include "editor/CircuitEditor.h"
#include "ui/CircuitView.h"
#include "ui/TextCatalog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <exception>
#include <utility>

using namespace Fasoria;

namespace {

constexpr double kZoomInFactor = 1.25;
constexpr double kZoomOutFactor = 0.8;
constexpr int kAlgorithmsTab = 1;

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    m_experiment.setLogObservers([this](const LogEvent &event) { appendLogLine(event); }, [this] { m_log->clear(); });
    buildWidgetTree();
    fillFixedSelectors();
    applyFixedSettings();
    applyStretchAndSizes();

    readStartupSettings();
    connectSignals();
    setShortcuts();
    readGeneratorSettings();

    refreshGeneratorControls();
    m_experiment.enterChallengeMode();
    disablePendingControls();
    applyLanguage();
    restartExperiment();
    refreshTitle();

    // Splitter states can be restored only once the window has its final geometry.
    QTimer::singleShot(0, this, [this] {
        restoreSplitters();
        fitDrawing();
    });
}

void MainWindow::setMessageBoxHandler(MessageBoxHandler handler)
{
    m_messageBoxHandler = std::move(handler);
}

void MainWindow::setFileDialogHandler(FileDialogHandler handler)
{
    m_fileDialogHandler = std::move(handler);
}

QMessageBox::StandardButton MainWindow::showMessage(QMessageBox::Icon icon, const QString &title, const QString &text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    if (m_messageBoxHandler) {
        return m_messageBoxHandler(this, icon, title, text, buttons, defaultButton);
    }
    QMessageBox box(icon, title, text, buttons, this);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
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
    const auto onClick = [this](QPushButton *source, void (MainWindow::*operation)()) {
        connect(source, &QPushButton::clicked, this,
                [this, operation] { guarded([this, operation] { (this->*operation)(); }); });
    };
    connect(m_lessons, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { guarded([this, index] { selectLesson(index); }); });
    connect(m_languageCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { guarded([this, index] { switchLanguage(index); }); });
    onClick(m_resetButton, &MainWindow::restartExperiment);
    onClick(m_nextButton, &MainWindow::nextStep);
    onClick(m_previousButton, &MainWindow::previousStep);
    onClick(m_measureButton, &MainWindow::measureOnce);
    onClick(m_shotsButton, &MainWindow::repeatPreparations);
    onClick(m_predictionButton, &MainWindow::recordPrediction);
    m_circuitView->setStageCallback([this](std::uint64_t stage) {
        guarded([this, stage] {
            goToStep(stage);
            syncEditorToSelection();
        });
    });
    connect(m_zoomInButton, &QPushButton::clicked, this, [this] { m_circuitView->zoomBy(kZoomInFactor); });
    connect(m_zoomOutButton, &QPushButton::clicked, this, [this] { m_circuitView->zoomBy(kZoomOutFactor); });
    connect(m_fitButton, &QPushButton::clicked, this, [this] { m_circuitView->fitAll(); });
    connect(m_predictionCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { guarded([this] { refreshPrediction(); }); });
    connect(m_gateCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { refreshEditorControls(); });
    connectCircuitCommands();
    // The generator ranges follow the kind and the qubit count before any restored value is applied.
    connect(m_paramKindCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { refreshGeneratorControls(); });
    connect(m_paramQubitsSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this] { refreshGeneratorControls(); });
}

void MainWindow::connectCircuitCommands()
{
    const auto onClick = [this](QPushButton *source, const std::function<void()> &command) {
        connect(source, &QPushButton::clicked, this, [this, command] { guarded(command); });
    };
    const auto onTrigger = [this](QAction *source, const std::function<void()> &command) {
        connect(source, &QAction::triggered, this, [this, command] { guarded(command); });
    };
    onClick(m_editCopyButton, [this] { editCopy(); });
    onClick(m_restoreOriginalButton, [this] { restoreOriginal(); });
    onClick(m_insertButton, [this] { insertGateAfterStage(); });
    onClick(m_replaceButton, [this] { replaceSelectedGate(); });
    onClick(m_removeButton, [this] { removeSelectedGate(); });
    onClick(m_moveLeftButton, [this] { moveSelectedGate(-1); });
    onClick(m_moveRightButton, [this] { moveSelectedGate(+1); });
    onClick(m_applyQubitsButton, [this] { applyQubitCount(); });
    onTrigger(m_actionNew, [this] { newCircuit(); });
    onTrigger(m_actionOpen, [this] { openCircuit(); });
    onTrigger(m_actionSave, [this] { saveCircuit(false); });
    onTrigger(m_actionSaveAs, [this] { saveCircuit(true); });
    connect(m_actionExit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::setShortcuts()
{
    m_actionNew->setShortcut(QKeySequence::New);
    m_actionOpen->setShortcut(QKeySequence::Open);
    m_actionSave->setShortcut(QKeySequence::Save);
    m_actionSaveAs->setShortcut(QKeySequence::SaveAs);
    m_actionHelp->setShortcut(QKeySequence::HelpContents);
    m_actionLessonHelp->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    m_actionSaveSession->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+S")));
    m_actionUndo->setShortcut(QKeySequence::Undo);
    m_actionRedo->setShortcut(QKeySequence::Redo);
}

void MainWindow::disablePendingControls()
{
    // The results export, sessions, undo, help, validation, the learning lab, the beginner view, challenges
    // and the generator have no commands behind them yet: nothing may look clickable and do nothing.
    for (QAction *action : {m_actionExport, m_actionSaveSession, m_actionOpenSession, m_actionWorksheet, m_actionUndo,
                            m_actionRedo, m_actionHelp, m_actionLessonHelp, m_actionFreewareLicense}) {
        action->setEnabled(false);
    }
    for (QWidget *widget : std::initializer_list<QWidget *>{m_simpleMode, m_learningButton, m_lessonHelpButton,
                                                            m_testButton, m_parametricBox}) {
        widget->setEnabled(false);
    }
    m_leftTabs->setTabEnabled(kAlgorithmsTab, false);
}

void MainWindow::appendLogLine(const LogEvent &event)
{
    m_log->appendPlainText(renderLogEvent(event, logContext()));
}

bool MainWindow::replaceWorkingCircuit(const Circuit &circuit, const QString &path)
{
    QString error;
    if (!m_experiment.setWorkingCircuit(circuit, path, &error)) {
        showMessage(QMessageBox::Warning, uiText(TextKey::InvalidEditTitle, m_language),
                    QString::fromStdString(editorErrorText(error.toStdString(), m_language)));
        return false;
    }
    startLearningSession();
    refreshGeneratorControls();
    resetToStep(EditAction::WorkingCopyCreated, 0);
    refreshTitle();
    return true;
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

void MainWindow::refreshChallengePanel()
{
    // Without the solution check the panel would offer nothing; it stays hidden until the check exists.
    m_challengeBox->setVisible(false);
}

void MainWindow::refreshAlgorithmPanel()
{
    // The algorithm panel's texts and checkpoints come with the algorithm lab; hidden until then.
    m_algorithmBox->setVisible(false);
}

void MainWindow::refreshLearningLab()
{
    // No learning-lab dialog exists yet, so there is nothing to refresh.
}

void MainWindow::clearLearningPrediction()
{
    // The learning lab's distribution prediction lives in its dialog, which does not exist yet.
}

void MainWindow::startLearningSession()
{
    // Learning sessions arrive with the learning lab; there is no session state to reset yet.
}

void MainWindow::clearUndoHistories()
{
    // Undo and redo of edits arrive with the learning lab; there are no histories yet.
}

void MainWindow::retranslateDialogs()
{
    // The help and terms dialogs are re-translated here once they exist.
}
