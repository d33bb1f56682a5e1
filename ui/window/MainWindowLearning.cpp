// Undo and redo of the editor panel's edits, and the learning lab: the dialog's requests performed on the
// window's experiment and on its learning-lab model, and the dialog refreshed from both.
#include "curriculum/LessonCatalog.h"
#include "education/dialog/LearningDialog.h"
#include "education/history/EditHistory.h"
#include "education/model/LearningLab.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <optional>

using namespace Fasoria;

void MainWindow::connectLearningLab()
{
    m_learningDialog = new LearningDialog(this);
    LearningDialog *dialog = m_learningDialog;
    const auto onSignal = [this](auto *source, auto signal, const std::function<void()> &operation) {
        connect(source, signal, this, [this, operation] { guarded(operation); });
    };
    connect(dialog, &LearningDialog::guidedExperimentRequested, this,
            [this](int index) { guarded([this, index] { startLessonAfresh(index); }); });
    onSignal(dialog, &LearningDialog::recordRequested, [this] { recordDistributionPrediction(); });
    onSignal(dialog, &LearningDialog::restartRequested, [this] { restartExperiment(); });
    onSignal(dialog, &LearningDialog::nextRequested, [this] { nextStep(); });
    onSignal(dialog, &LearningDialog::measureRequested, [this] { measureOnce(); });
    onSignal(dialog, &LearningDialog::shotsRequested, [this] { repeatPreparations(); });
    connect(dialog, &LearningDialog::applyPresetRequested, this,
            [this](int index) { guarded([this, index] { applyComparisonPreset(index); }); });
    onSignal(dialog, &LearningDialog::captureARequested, [this] { captureComparison(CopySide::A); });
    onSignal(dialog, &LearningDialog::captureBRequested, [this] { captureComparison(CopySide::B); });
    onSignal(dialog, &LearningDialog::appendHRequested, [this] { appendHToComparisons(); });
    connect(dialog, &LearningDialog::stageAChanged, this,
            [this](int stage) { guarded([this, stage] { setComparisonStage(CopySide::A, stage); }); });
    connect(dialog, &LearningDialog::stageBChanged, this,
            [this](int stage) { guarded([this, stage] { setComparisonStage(CopySide::B, stage); }); });
    connect(dialog, &LearningDialog::touched, this, [this] { markSessionTouched(); });

    onSignal(dialog, &LearningDialog::saveSessionRequested, [this] { saveLearningSession(QString()); });
    onSignal(dialog, &LearningDialog::openSessionRequested, [this] { openLearningSession(); });
    onSignal(dialog, &LearningDialog::exportSheetRequested, [this] { exportWorksheet(QString()); });
    connect(m_learningButton, &QPushButton::clicked, this, [this] { guarded([this] { showLearningLab(); }); });
    connect(m_simpleMode, &QCheckBox::toggled, this, [this](bool beginner) {
        guarded([this, beginner] {
            applySimpleMode(beginner);
            if (beginner) {
                showLearningLab();
            }
        });
    });
    onSignal(m_measurementPanel, &MeasurementPanel::preparationsChosen, [this] { refreshLearningLab(); });
    onSignal(m_actions->actionSaveSession, &QAction::triggered, [this] { saveLearningSession(QString()); });
    onSignal(m_actions->actionOpenSession, &QAction::triggered, [this] { openLearningSession(); });
    onSignal(m_actions->actionWorksheet, &QAction::triggered, [this] { exportWorksheet(QString()); });
    onSignal(m_actions->actionUndo, &QAction::triggered, [this] { undo(); });
    onSignal(m_actions->actionRedo, &QAction::triggered, [this] { redo(); });
}

LearningDialog *MainWindow::learningDialog() const
{
    return m_learningDialog;
}

void MainWindow::undo()
{
    m_experiment.undo();
}

void MainWindow::redo()
{
    m_experiment.redo();
}

void MainWindow::refreshUndoActions()
{
    const bool working = m_experiment.workingCircuit() != nullptr;
    m_actions->actionUndo->setEnabled(working && m_experiment.document().history().canUndo());
    m_actions->actionRedo->setEnabled(working && m_experiment.document().history().canRedo());
}

void MainWindow::showLearningLab()
{
    if (!m_learningDialog) {
        return;
    }
    m_learningDialog->show();
    m_learningDialog->raise();
    m_learningDialog->activateWindow();
    refreshLearningLab();
}

void MainWindow::refreshLearningLab()
{
    if (!m_learningDialog) {
        return;
    }
    if (m_suppressSession) {
        return;
    }
    applyLearningTexts();
    refreshSessionMarks();
    const SessionMarks &marks = m_experiment.document().session();
    LearningWindowState window;
    window.nextEnabled = m_experiment.canStepForward();
    window.preparations = m_measurementPanel->selectedPreparations();
    window.sessionStatus = sessionStatusText(marks.path, marks.dirty, m_language);
    window.sessionFilesEnabled = true;
    m_learningDialog->refresh(m_learningLab, ExperimentView::of(m_experiment), window, m_language);
    refreshTitle();
}

void MainWindow::clearLearningPrediction()
{
    const QScopedValueRollback<bool> suppress(m_suppressSession, true);
    m_learningLab.clearPrediction();
    if (m_learningDialog) {
        m_learningDialog->setDistributionDraft(0);
    }
}

void MainWindow::applyLearningTexts()
{
    m_measurementPanel->applyPreparationTexts(m_language);
}

void MainWindow::startLearningSession()
{
    const QScopedValueRollback<bool> suppress(m_suppressSession, true);
    m_learningLab.clearPrediction();
    if (m_learningDialog) {
        m_learningDialog->clearStudyTexts();
        m_learningDialog->setDistributionDraft(0);
    }
    m_experiment.document().session() = SessionMarks{};
}

bool MainWindow::startLessonAfresh(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= lessonCatalog().size() || !confirmDiscard()) {
        return false;
    }
    startLearningSession();
    // Choosing the lesson drops the working circuit, its algorithm and its file.
    return m_experiment.startLesson(index);
}

void MainWindow::recordDistributionPrediction()
{
    if (!m_learningDialog ||
        !m_learningLab.recordPrediction(ExperimentView::of(m_experiment), m_learningDialog->distributionDraft(),
                                        m_learningDialog->reasonDraft())) {
        return;
    }
    markSessionTouched();
    m_experiment.appendLog(LogEventKind::DistributionPrediction,
                           static_cast<std::uint64_t>(m_learningLab.recordedPrediction()), 0);
    refreshLearningLab();
}

void MainWindow::applyComparisonPreset(int index)
{
    if (m_learningLab.applyPreset(index)) {
        markSessionTouched();
        refreshLearningLab();
    }
}

void MainWindow::captureComparison(CopySide side)
{
    if (m_experiment.state() && m_learningLab.capture(side, m_experiment.shownCircuit(), m_experiment.currentStep())) {
        markSessionTouched();
        refreshLearningLab();
    }
}

void MainWindow::appendHToComparisons()
{
    if (m_learningLab.appendH()) {
        markSessionTouched();
        refreshLearningLab();
    }
}

void MainWindow::setComparisonStage(CopySide side, int stage)
{
    if (stage >= 0 && m_learningLab.setStage(side, static_cast<std::uint64_t>(stage))) {
        markSessionTouched();
        refreshLearningLab();
    }
}
