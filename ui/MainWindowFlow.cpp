// The experiment flow: each operation changes the experiment, then refreshes what shows it.
#include "curriculum/LessonCatalog.h"
#include "ui/AmplitudeTable.h"
#include "ui/ApplicationInfo.h"
#include "ui/CircuitView.h"
#include "ui/LogEvent.h"
#include "ui/MainWindow.h"
#include "ui/TextCatalog.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QTableWidget>

using namespace Fasoria;

namespace {

/// Below this drawing scale gate letters are too small to read.
constexpr double kReadableScale = 0.5;

QString utf8(const char *text)
{
    return QString::fromUtf8(text ? text : "");
}

QString ket(const QString &label)
{
    return QLatin1Char('|') + label + QLatin1Char('>');
}

void setSpinValue(QSpinBox *spin, int value)
{
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
}

void selectFirstItem(QComboBox *combo)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(0);
}

} // namespace

bool MainWindow::hasLesson() const
{
    return m_lessons->currentIndex() >= 0;
}

void MainWindow::restartExperiment()
{
    clearLearningPrediction();
    if (!hasLesson()) {
        return;
    }
    m_experiment.restart();
    selectFirstItem(m_predictionCombo);
    fillPredictionCombo();
    setSpinValue(m_editQubitSpin, m_experiment.shownCircuit().qubitCount);
    refreshGuidance();
    refreshStatePanel();
    syncEditorToSelection();
    fitDrawing();
}

void MainWindow::resetToStep(EditAction action, std::uint64_t step)
{
    if (action == EditAction::WorkingCopyCreated) {
        clearUndoHistories();
    }
    clearLearningPrediction();
    if (!m_experiment.resetToStep(action, step)) {
        return;
    }
    setSpinValue(m_editQubitSpin, m_experiment.shownCircuit().qubitCount);
    selectFirstItem(m_predictionCombo);
    refreshTitle();
    fillPredictionCombo();
    refreshGuidance();
    refreshStatePanel();
    syncEditorToSelection();
    fitDrawing();
}

void MainWindow::goToStep(std::uint64_t step)
{
    if (!hasLesson() || !m_experiment.goToStep(step)) {
        return;
    }
    refreshGuidance();
    refreshStatePanel();
    syncEditorToSelection();
}

void MainWindow::nextStep()
{
    if (!hasLesson() || !m_experiment.nextStep()) {
        return;
    }
    refreshGuidance();
    refreshStatePanel();
    syncEditorToSelection();
}

void MainWindow::previousStep()
{
    if (!hasLesson() || !m_experiment.previousStep()) {
        return;
    }
    refreshGuidance();
    refreshStatePanel();
    syncEditorToSelection();
}

void MainWindow::measureOnce()
{
    if (!m_experiment.measureOnce()) {
        return;
    }
    refreshGuidance();
    refreshStatePanel();
}

void MainWindow::repeatPreparations()
{
    if (m_experiment.repeatPreparations(m_shotsCombo->currentData().toULongLong())) {
        refreshStatePanel();
    }
}

void MainWindow::recordPrediction()
{
    const int index = m_predictionCombo->currentIndex();
    if (index > 0 && m_experiment.recordPrediction(static_cast<std::uint64_t>(index - 1))) {
        refreshPrediction();
    }
}

void MainWindow::selectLesson(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= lessonCatalog().size()) {
        return;
    }
    if (!confirmDiscard()) {
        const QSignalBlocker blocker(m_lessons);
        m_lessons->setCurrentIndex(m_experiment.lessonIndex());
        return;
    }
    startLearningSession();
    clearUndoHistories();
    m_experiment.chooseLesson(index);
    {
        // A call that does not come from the selector still shows the chosen lesson there.
        const QSignalBlocker blocker(m_lessons);
        m_lessons->setCurrentIndex(index);
    }
    refreshGeneratorControls();
    restartExperiment();
    refreshTitle();
}

void MainWindow::refreshGuidance()
{
    if (!hasLesson()) {
        return;
    }
    const Circuit &circuit = m_experiment.shownCircuit();
    const bool working = m_experiment.workingCircuit() != nullptr;
    const bool generated = m_experiment.algorithm() != nullptr;
    const bool ownQuestion = !working || m_experiment.isChallengeMode() || generated;
    m_question->setText(ownQuestion ? utf8(pick(m_language, circuit.questionIt, circuit.questionEn))
                                    : uiText(TextKey::FreeLabQuestion, m_language));

    const std::uint64_t step = m_experiment.currentStep();
    const std::uint64_t steps = m_experiment.stepCount();
    QString explanation;
    if (m_experiment.isMeasured()) {
        explanation = uiText(TextKey::ExplanationMeasured, m_language);
    } else if (step == 0) {
        explanation = uiText(working ? TextKey::FreeLabStart : TextKey::ExplanationStart, m_language);
    } else if (step < steps) {
        explanation = stepDescription(circuit, step - 1, working, m_language);
    } else if (!working || generated) {
        explanation = utf8(pick(m_language, circuit.explanationIt, circuit.explanationEn));
    } else {
        explanation = uiText(TextKey::FreeLabEnd, m_language);
        if (steps > 0) {
            explanation.prepend(stepDescription(circuit, steps - 1, true, m_language) + QLatin1Char('\n'));
        }
    }
    m_explanation->setText(explanation);
}

void MainWindow::refreshStatePanel()
{
    const StateVector *state = m_experiment.state();
    if (!state) {
        return;
    }
    const std::int32_t qubits = state->qubitCount();
    const QString qubitText = QString::number(qubits);
    const QString stepText = QString::number(m_experiment.currentStep());
    const QString stepsText = QString::number(m_experiment.stepCount());
    m_qubitCount->setText(catalogText(TextKey::RequiredQubits, m_language, qubitText));
    m_resourceSummary->setText(
        catalogText(TextKey::BasisStates, m_language, qubitText, QString::number(state->dimension())));
    QStringList wires;
    for (std::int32_t qubit = qubits - 1; qubit >= 0; --qubit) {
        wires << QStringLiteral("q%1 |0>").arg(qubit);
    }
    m_initialState->setText(catalogText(TextKey::InitialPreparation, m_language, ket(basisLabel(0, qubits)),
                                        wires.join(QStringLiteral("   "))));
    QString status = catalogText(TextKey::OperationsCount, m_language, stepText, stepsText);
    if (m_experiment.isMeasured()) {
        status += uiText(TextKey::MeasuredSuffix, m_language);
    }
    m_stepStatus->setText(status);
    refreshButtons();

    m_circuitStage->setText(catalogText(TextKey::CircuitStage, m_language, stepText, stepsText));
    showDrawing();
    refreshEditorControls();
    refreshChallengePanel();
    refreshAlgorithmPanel();

    AmplitudeTable::fill(m_table, *state, m_experiment.histogram(), m_experiment.shotsTotal());
    m_normLabel->setText(AmplitudeTable::normText(*state, m_language));
    refreshPrediction();
    refreshLearningLab();
    statusBar()->showMessage(catalogText(TextKey::StatusEngine, m_language, qubitText, qubitWord(qubits, m_language)));
}

void MainWindow::showDrawing()
{
    const std::uint64_t step = m_experiment.currentStep();
    m_circuitView->showCircuit(m_experiment.shownCircuit(), step, m_experiment.isMeasured(), m_language,
                               m_experiment.workingCircuit() != nullptr);
    if (m_circuitView->autoFit()) {
        return;
    }
    // Zoomed in on a long circuit: keep the current stage in sight as it moves.
    for (QGraphicsItem *item : m_circuitView->scene()->items()) {
        if (item->data(CircuitView::kRoleDataKey).toString() == QLatin1String("stageBox") &&
            item->data(CircuitView::kStageDataKey).toULongLong() == step) {
            m_circuitView->ensureVisible(item);
            break;
        }
    }
}

void MainWindow::fitDrawing()
{
    m_circuitView->fitAll();
    // A long circuit fitted whole shrinks its gates below legibility; show the current stage at reading size
    // instead (the fit button still gives the overview). Before the window is shown the view has no real
    // size to judge by, and refits itself when it gets one.
    if (m_circuitView->isVisible() && m_circuitView->transform().m11() < kReadableScale) {
        m_circuitView->focusStage(m_experiment.currentStep());
    }
}

void MainWindow::refreshButtons()
{
    const bool measured = m_experiment.isMeasured();
    const std::uint64_t step = m_experiment.currentStep();
    m_nextButton->setEnabled(!measured && step < m_experiment.stepCount());
    m_previousButton->setEnabled(step > 0 || measured);
    m_measureButton->setEnabled(!measured);
    m_shotsButton->setEnabled(!measured);
}

void MainWindow::fillPredictionCombo()
{
    if (!hasLesson()) {
        return;
    }
    const std::int32_t qubits = m_experiment.shownCircuit().qubitCount;
    if (qubits != m_predictionQubits || m_predictionCombo->count() == 0) {
        const QSignalBlocker blocker(m_predictionCombo);
        m_predictionCombo->clear();
        m_predictionCombo->addItem(QString());
        const std::uint64_t dimension = std::uint64_t{1} << qubits;
        for (std::uint64_t index = 0; index < dimension; ++index) {
            m_predictionCombo->addItem(ket(basisLabel(index, qubits)));
        }
        m_predictionCombo->setCurrentIndex(0);
        m_predictionQubits = qubits;
    }
    m_predictionCombo->setItemText(0, uiText(TextKey::PredictionPlaceholder, m_language));
}

void MainWindow::refreshPrediction()
{
    if (!m_experiment.state()) {
        return;
    }
    const bool open = m_experiment.canRecordPrediction() && m_experiment.prediction() < 0;
    m_predictionCombo->setEnabled(open);
    m_predictionButton->setEnabled(open && m_predictionCombo->currentIndex() > 0);
    m_predictionResult->setText(predictionText());
}

QString MainWindow::predictionText() const
{
    const std::int32_t prediction = m_experiment.prediction();
    if (prediction < 0) {
        return uiText(TextKey::PredictionMissing, m_language);
    }
    const auto predicted = static_cast<std::uint64_t>(prediction);
    const QString label = basisLabel(predicted, m_experiment.shownCircuit().qubitCount);
    const std::uint64_t step = m_experiment.currentStep();
    const std::uint64_t steps = m_experiment.stepCount();
    if (step == 0 && steps > 0) {
        return catalogText(TextKey::PredictionRecorded, m_language, label);
    }
    QString text = catalogText(TextKey::PredictionShort, m_language, label);
    if (step < steps) {
        return text + uiText(TextKey::PredictionIncomplete, m_language);
    }
    text += catalogText(TextKey::PredictionTheory, m_language,
                        fixedText(m_experiment.predictionProbabilityAtEnd() * 100.0, 2));
    const std::uint64_t total = m_experiment.lastShotsTotal();
    if (total > 0 && predicted < m_experiment.lastShotsCounts().size()) {
        const std::uint64_t count = m_experiment.lastShotsCounts()[static_cast<std::size_t>(predicted)];
        text += catalogText(TextKey::PredictionObserved, m_language, QString::number(count), QString::number(total),
                            fixedText(static_cast<double>(count) * 100.0 / static_cast<double>(total), 2));
    }
    return text;
}

void MainWindow::refreshTitle()
{
    QString name = QStringLiteral("-");
    if (m_experiment.workingCircuit()) {
        const QString &path = m_experiment.circuitPath();
        name = !path.isEmpty() ? QFileInfo(path).fileName()
                               : QString::fromUtf8(pick(m_language, "Senza nome", "Untitled"));
    }
    const bool modified = m_experiment.isCircuitModified();
    setWindowTitle(uiText(TextKey::AppTitle, m_language) + QLatin1Char(' ') + QString::fromUtf8(kApplicationVersion) +
                   QStringLiteral(" - ") + name + (modified ? QStringLiteral(" *") : QString()));
    // The title writes the mark itself; setting the flag as an attribute keeps platforms without a modified
    // decoration from asking for a "[*]" placeholder in it.
    setAttribute(Qt::WA_WindowModified, modified);
    const bool working = m_experiment.workingCircuit() != nullptr;
    m_actionSave->setEnabled(working);
    m_actionSaveAs->setEnabled(working);
}
