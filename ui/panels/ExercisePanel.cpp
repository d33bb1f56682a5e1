#include "ui/panels/ExercisePanel.h"

#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "ui/model/Experiment.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>

namespace Fasoria {

namespace {

/// The question the shown circuit asks: a teacher's goal, the circuit's own question, or the free lab's.
QString questionText(const Experiment &experiment, Language language)
{
    if (const ChallengeFile *challenge = experiment.customChallenge()) {
        return challengeGoal(challenge->definition, language);
    }
    const Circuit &circuit = experiment.shownCircuit();
    const bool ownQuestion =
        !experiment.workingCircuit() || experiment.isChallengeMode() || experiment.algorithm() != nullptr;
    return ownQuestion ? uiText({circuit.questionIt, circuit.questionEn}, language)
                       : uiText(TextKey::FreeLabQuestion, language);
}

} // namespace

ExercisePanel::ExercisePanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("m_exerciseBox"));
    QVBoxLayout *exerciseLayout = named(new QVBoxLayout(this), "exerciseLayout");
    m_lessons = named(new QComboBox, "m_lessons");
    // The titles are written by the language pass.
    for (std::size_t i = 0; i < lessonCatalog().size(); ++i) {
        m_lessons->addItem(QString());
    }
    exerciseLayout->addWidget(m_lessons);

    m_resourceBox = named(new QGroupBox, "m_resourceBox");
    QVBoxLayout *resourceLayout = named(new QVBoxLayout(m_resourceBox), "resourceLayout");
    resourceLayout->setSpacing(3);
    m_qubitCount = namedLabel("m_qubitCount");
    InterfaceZoom::setFontSize(m_qubitCount, 16, true);
    m_resourceSummary = namedLabel("m_resourceSummary");
    m_initialState = namedLabel("m_initialState", true);
    resourceLayout->addWidget(m_qubitCount);
    resourceLayout->addWidget(m_resourceSummary);
    resourceLayout->addWidget(m_initialState);
    exerciseLayout->addWidget(m_resourceBox);

    m_question = namedLabel("m_question", true);
    InterfaceZoom::setMinimumHeight(m_question, 45);
    m_stepStatus = namedLabel("m_stepStatus");
    exerciseLayout->addWidget(m_question);
    exerciseLayout->addWidget(m_stepStatus);

    QHBoxLayout *buttons = named(new QHBoxLayout, "exerciseButtonsLayout");
    m_resetButton = namedButton("m_resetButton");
    m_previousButton = namedButton("m_previousButton");
    m_nextButton = namedButton("m_nextButton");
    buttons->addWidget(m_resetButton);
    buttons->addWidget(m_previousButton);
    buttons->addWidget(m_nextButton);
    exerciseLayout->addLayout(buttons);

    connect(m_lessons, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ExercisePanel::lessonChosen);
    connect(m_resetButton, &QPushButton::clicked, this, &ExercisePanel::restartRequested);
    connect(m_previousButton, &QPushButton::clicked, this, &ExercisePanel::previousRequested);
    connect(m_nextButton, &QPushButton::clicked, this, &ExercisePanel::nextRequested);
}

void ExercisePanel::refresh(const Experiment &experiment, Language language)
{
    showLesson(experiment.lessonIndex());
    m_question->setText(questionText(experiment, language));
    m_nextButton->setEnabled(experiment.canStepForward());
    m_previousButton->setEnabled(experiment.canGoBack());
    const StateVector *state = experiment.state();
    if (!state) {
        return;
    }
    const std::int32_t qubits = state->qubitCount();
    const QString qubitText = QString::number(qubits);
    m_qubitCount->setText(catalogText(TextKey::RequiredQubits, language, qubitText));
    m_resourceSummary->setText(
        catalogText(TextKey::BasisStates, language, qubitText, QString::number(state->dimension())));
    QStringList wires;
    for (std::int32_t qubit = qubits - 1; qubit >= 0; --qubit) {
        wires << QStringLiteral("q%1 |0>").arg(qubit);
    }
    const QString ground = QLatin1Char('|') + basisLabel(0, qubits) + QLatin1Char('>');
    m_initialState->setText(
        catalogText(TextKey::InitialPreparation, language, ground, wires.join(QStringLiteral("   "))));
    QString status = catalogText(TextKey::OperationsCount, language, QString::number(experiment.currentStep()),
                                 QString::number(experiment.stepCount()));
    if (experiment.isMeasured()) {
        status += uiText(TextKey::MeasuredSuffix, language);
    }
    m_stepStatus->setText(status);
}

void ExercisePanel::applyLanguage(Language language)
{
    setTitle(uiText(TextKey::ExercisesBox, language));
    m_lessons->setToolTip(uiText(TextKey::LessonsTip, language));
    const LessonCatalog &lessons = lessonCatalog();
    for (int i = 0; i < m_lessons->count() && static_cast<std::size_t>(i) < lessons.size(); ++i) {
        const Lesson &lesson = lessons[static_cast<std::size_t>(i)];
        m_lessons->setItemText(
            i, catalogText(TextKey::LessonItem, language, uiText({lesson.titleIt, lesson.titleEn}, language),
                           QString::number(lesson.qubitCount), qubitWord(lesson.qubitCount, language)));
        m_lessons->setItemData(i, uiText({lesson.questionIt, lesson.questionEn}, language), Qt::ToolTipRole);
    }
    m_resourceBox->setTitle(uiText(TextKey::ResourcesBox, language));
    m_qubitCount->setToolTip(uiText(TextKey::QubitCountTip, language));
    m_resourceSummary->setToolTip(uiText(TextKey::ResourceSummaryTip, language));
    m_initialState->setToolTip(uiText(TextKey::InitialStateTip, language));
    m_question->setToolTip(uiText(TextKey::QuestionTip, language));
    m_stepStatus->setToolTip(uiText(TextKey::NextTip, language));
    const std::pair<QPushButton *, std::pair<TextKey, TextKey>> buttons[] = {
        {m_resetButton, {TextKey::RestartButton, TextKey::RestartTip}},
        {m_previousButton, {TextKey::PreviousButton, TextKey::PreviousTip}},
        {m_nextButton, {TextKey::NextButton, TextKey::NextTip}}};
    for (const auto &[button, texts] : buttons) {
        button->setText(uiText(texts.first, language));
        button->setToolTip(uiText(texts.second, language));
    }
}

void ExercisePanel::setBeginner(bool beginner)
{
    m_resourceBox->setVisible(!beginner);
}

int ExercisePanel::shownLesson() const
{
    return m_lessons->currentIndex();
}

void ExercisePanel::showLesson(int index)
{
    const QSignalBlocker blocker(m_lessons);
    m_lessons->setCurrentIndex(index);
}

} // namespace Fasoria
