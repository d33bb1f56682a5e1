// The experiment flow: each operation changes the experiment, then refreshes what shows it.
#include "curriculum/LessonCatalog.h"
#include "ui/model/ApplicationInfo.h"
#include "ui/model/LogEvent.h"
#include "ui/model/PanelTexts.h"
#include "ui/panels/AlgorithmLabPanel.h"
#include "ui/panels/ChallengePanel.h"
#include "ui/panels/CircuitPanel.h"
#include "ui/panels/EditorPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/panels/StatesPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/views/CircuitView.h"
#include "ui/views/QubitStatePanel.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStringList>

using namespace Fasoria;

namespace {

/// The title line's name for a working circuit that is in no file yet.
constexpr TextPair kUntitled = {"Senza nome", "Untitled"};

} // namespace

void MainWindow::restartExperiment()
{
    m_experiment.restart();
}

void MainWindow::resetToStep(EditAction action, std::uint64_t step)
{
    m_experiment.resetToStep(action, step);
}

void MainWindow::showChanges(Experiment::Changes changes)
{
    const bool anew = changes & (Experiment::Restarted | Experiment::Restored);
    if (anew) {
        m_editorPanel->setQubitCount(m_experiment.shownCircuit().qubitCount);
        refreshGenerator();
        refreshTitle();
    }
    if (changes & Experiment::Restarted) {
        m_measurementPanel->resetPrediction();
    }
    // A rebuilt state is a new experiment for the learning lab's distribution prediction; a restored one
    // brings its own.
    if (changes & (Experiment::Restarted | Experiment::Replayed)) {
        clearLearningPrediction();
    }
    if (anew || (changes & (Experiment::Replayed | Experiment::Stepped))) {
        refreshGuidance();
        refreshStatePanel();
        m_editorPanel->showSelectedGate(m_experiment.workingCircuit(), m_experiment.currentStep());
    } else if (changes & Experiment::Predicted) {
        m_measurementPanel->refresh(m_experiment, m_language);
    } else if (changes & Experiment::ChallengeProgressed) {
        m_challengePanel->refresh(m_experiment, m_language);
    }
    if (changes & Experiment::Restarted) {
        fitDrawing();
    }
}

void MainWindow::goToStep(std::uint64_t step)
{
    m_experiment.goToStep(step);
}

void MainWindow::nextStep()
{
    m_experiment.nextStep();
}

void MainWindow::previousStep()
{
    m_experiment.previousStep();
}

void MainWindow::measureOnce()
{
    m_experiment.measureOnce();
}

void MainWindow::repeatPreparations()
{
    m_experiment.repeatPreparations(m_measurementPanel->selectedPreparations());
}

void MainWindow::recordPrediction(std::uint64_t basisIndex)
{
    m_experiment.recordPrediction(basisIndex);
}

void MainWindow::selectLesson(int index)
{
    if (!startLessonAfresh(index)) {
        // The selector keeps showing the lesson that stays.
        m_exercisePanel->showLesson(m_experiment.lessonIndex());
    }
}

void MainWindow::refreshGuidance()
{
    m_exercisePanel->refresh(m_experiment, m_language);
    const std::uint64_t step = m_experiment.currentStep();
    const std::uint64_t steps = m_experiment.stepCount();
    const QString explanation = guidanceText(m_experiment, m_language);
    m_explanation->setText(explanation);
    // Assistive technology hears the step and its text whenever either changes, as a sighted student sees
    // the drawing recolour; the description also says which keys drive the drawing.
    const QString name = uiText(MoreText::CircuitDrawingName, m_language).arg(step).arg(steps);
    const QString description = explanation + QLatin1Char('\n') + uiText(MoreText::CircuitDrawingKeys, m_language);
    m_circuitPanel->describe(name, description);
}

void MainWindow::refreshStatePanel()
{
    const StateVector *state = m_experiment.state();
    if (!state) {
        return;
    }
    const std::int32_t qubits = state->qubitCount();
    const QString qubitText = QString::number(qubits);
    m_circuitPanel->refresh(m_experiment, m_language);
    m_editorPanel->refresh(m_experiment.workingCircuit(), m_experiment.currentStep(), m_language);
    m_challengePanel->refresh(m_experiment, m_language);
    m_algorithmLab->refresh(m_experiment, m_language);

    m_statesPanel->refresh(m_experiment, m_language);
    m_qubitStatePanel->showState(*state, m_language);
    m_measurementPanel->refresh(m_experiment, m_language);
    refreshLearningLab();
    statusBar()->showMessage(catalogText(TextKey::StatusEngine, m_language, qubitText, qubitWord(qubits, m_language)));
}

void MainWindow::fitDrawing()
{
    // A long circuit fitted whole shrinks its gates below legibility: the current stage at reading size
    // instead (the fit button still gives the overview).
    m_circuitPanel->fitToStage(m_experiment.currentStep());
}

void MainWindow::refreshGenerator()
{
    const GeneratedAlgorithm *generated = m_experiment.algorithm();
    m_algorithmLab->refreshGenerator(generated ? static_cast<std::int64_t>(generated->circuit.steps.size()) : -1,
                                     m_language);
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
    const bool working = m_experiment.workingCircuit() != nullptr;
    m_actions->actionSave->setEnabled(working);
    m_actions->actionSaveAs->setEnabled(working);
    m_actions->actionExport->setEnabled(m_experiment.state() != nullptr);
    refreshUndoActions();
}
