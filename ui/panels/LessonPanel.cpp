#include "ui/panels/LessonPanel.h"

#include "ui/model/PanelTexts.h"
#include "ui/panels/ChallengePanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Fasoria {

namespace {

// clang-format off
constexpr TextPair kLessonHelpButton = {"Apri guida della lezione", "Open this lesson's handbook"};
constexpr TextPair kLessonHelpButtonTip = {"Apri direttamente la scheda della lezione nel manuale offline",
                                           "Jump to the current lesson in the complete offline handbook"};
// clang-format on

} // namespace

LessonPanel::LessonPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("lessonPanel"));
    QVBoxLayout *layout = named(new QVBoxLayout(this), "lessonPanelLayout");
    layout->setSpacing(9);
    layout->setContentsMargins(0, 0, 0, 0);
    m_lessonHelpButton = namedButton("m_lessonHelpButton");
    layout->addWidget(m_lessonHelpButton);
    m_challengePanel = new ChallengePanel;
    layout->addWidget(m_challengePanel);
    m_explanationBox = named(new QGroupBox, "m_explanationBox");
    QVBoxLayout *explanationLayout = named(new QVBoxLayout(m_explanationBox), "explanationLayout");
    m_explanation = namedLabel("m_explanation", true);
    InterfaceZoom::setMinimumHeight(m_explanation, 70);
    explanationLayout->addWidget(m_explanation);
    layout->addWidget(m_explanationBox);
    connect(m_lessonHelpButton, &QPushButton::clicked, this, &LessonPanel::handbookRequested);
}

void LessonPanel::applyLanguage(Language language)
{
    m_lessonHelpButton->setText(uiText(kLessonHelpButton, language));
    m_lessonHelpButton->setToolTip(uiText(kLessonHelpButtonTip, language));
    m_explanationBox->setTitle(uiText(TextKey::ExplanationBox, language));
    m_explanation->setToolTip(uiText(TextKey::ExplanationTip, language));
}

void LessonPanel::refresh(const Experiment &experiment, Language language)
{
    m_explanation->setText(guidanceText(experiment, language));
    m_challengePanel->refresh(experiment, language);
}

void LessonPanel::setBeginner(bool beginner)
{
    m_explanationBox->setVisible(!beginner);
}

} // namespace Fasoria
