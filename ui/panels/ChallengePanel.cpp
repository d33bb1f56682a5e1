#include "ui/panels/ChallengePanel.h"

#include "curriculum/Challenge.h"
#include "editor/ChallengeFile.h"
#include "ui/model/Experiment.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Fasoria {

namespace {

constexpr TextPair kDiagnosisName = {"Diagnosi della verifica", "Diagnosis of the check"};

} // namespace

ChallengePanel::ChallengePanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("m_challengeBox"));
    QVBoxLayout *challengeLayout = named(new QVBoxLayout(this), "challengeLayout");
    m_challengeGoal = namedLabel("m_challengeGoal", true);
    QHBoxLayout *challengeButtons = named(new QHBoxLayout, "challengeButtonsLayout");
    m_challengeCheckButton = namedButton("m_challengeCheckButton");
    m_challengeHintButton = namedButton("m_challengeHintButton");
    challengeButtons->addWidget(m_challengeCheckButton);
    challengeButtons->addWidget(m_challengeHintButton);
    m_challengeHint = namedLabel("m_challengeHint", true);
    m_challengeResult = namedLabel("m_challengeResult", true);
    m_challengeDiagnosis = namedLabel("m_challengeDiagnosis", true);
    m_challengeDiagnosis->setTextInteractionFlags(Qt::TextSelectableByMouse);
    challengeLayout->addWidget(m_challengeGoal);
    challengeLayout->addLayout(challengeButtons);
    challengeLayout->addWidget(m_challengeHint);
    challengeLayout->addWidget(m_challengeResult);
    challengeLayout->addWidget(m_challengeDiagnosis);
    connect(m_challengeCheckButton, &QPushButton::clicked, this, &ChallengePanel::checkRequested);
    connect(m_challengeHintButton, &QPushButton::clicked, this, &ChallengePanel::hintRequested);
}

void ChallengePanel::refresh(const Experiment &experiment, Language language)
{
    setVisible(experiment.hasChallenge());
    if (!experiment.hasChallenge()) {
        return;
    }
    setTitle(uiText(TextKey::ChallengeBox, language));
    if (const ChallengeFile *custom = experiment.customChallenge()) {
        m_challengeGoal->setText(challengeGoal(custom->definition, language));
    } else {
        const Challenge *challenge = findChallenge(static_cast<std::uint64_t>(experiment.lessonIndex()));
        m_challengeGoal->setText(uiText({challenge->goalIt, challenge->goalEn}, language));
    }
    m_challengeGoal->setToolTip(uiText(TextKey::ChallengeTargetTip, language));
    m_challengeCheckButton->setText(uiText(TextKey::CheckSolutionButton, language));
    m_challengeCheckButton->setToolTip(uiText(TextKey::CheckSolutionTip, language));
    m_challengeCheckButton->setEnabled(experiment.workingCircuit() != nullptr);
    m_challengeHintButton->setText(uiText(TextKey::ShowHintButton, language));
    m_challengeHintButton->setToolTip(uiText(TextKey::ShowHintTip, language));
    m_challengeHintButton->setEnabled(experiment.hintsShown() < experiment.hintCount());
    m_challengeHint->setText(challengeHintText(experiment, language));
    m_challengeResult->setText(challengeResultText(experiment, language));
    const QString diagnosis = challengeDiagnosisText(experiment, language);
    m_challengeDiagnosis->setText(diagnosis);
    m_challengeDiagnosis->setVisible(!diagnosis.isEmpty());
    m_challengeDiagnosis->setAccessibleName(uiText(kDiagnosisName, language));
}

} // namespace Fasoria
