// The language switch and the language pass: every text of the window rewritten, the experiment untouched.
#include "core/GateText.h"
#include "curriculum/LessonCatalog.h"
#include "education/model/LearningLab.h"
#include "ui/model/LeftTabs.h"
#include "ui/model/LogEvent.h"
#include "ui/panels/CircuitPanel.h"
#include "ui/panels/EditorPanel.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/panels/MeasurementPanel.h"
#include "ui/panels/StatesPanel.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/views/CircuitView.h"
#include "ui/views/QubitStatePanel.h"
#include "ui/widgets/AccessibleNames.h"
#include "ui/widgets/ToolkitLanguage.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowActions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>

#include <algorithm>

using namespace Fasoria;

namespace {

// Window texts that are not part of the interface catalog.
// clang-format off
constexpr TextPair kLessonHelpButton = {"Apri guida della lezione", "Open this lesson's handbook"};
constexpr TextPair kLessonHelpButtonTip = {"Apri direttamente la scheda della lezione nel manuale offline",
                                           "Jump to the current lesson in the complete offline handbook"};
constexpr TextPair kSimpleModeText = {"Parto da zero", "Beginner view"};
constexpr TextPair kSimpleModeTip = {"Nasconde i dettagli. Disattiva per approfondire nella finestra principale.",
                                     "Hides details. Turn off to explore the full main window."};
constexpr TextPair kLearningButtonText = {"Laboratorio didattico", "Learning lab"};
// clang-format on

} // namespace

void MainWindow::switchLanguage(int index)
{
    m_language = index == 1 ? English : Italian;
    QSettings settings;
    settings.setValue(QStringLiteral("ui/language"),
                      isEnglish(m_language) ? QStringLiteral("en") : QStringLiteral("it"));
    applyLanguage();
}

void MainWindow::applyLanguage()
{
    useToolkitLanguage(m_language);
    m_actions->applyLanguage(m_language);
    m_lessonHelpButton->setText(uiText(kLessonHelpButton, m_language));
    m_lessonHelpButton->setToolTip(uiText(kLessonHelpButtonTip, m_language));
    // The learning-lab controls are built already and carry their names while they wait for their commands.
    m_simpleMode->setText(uiText(kSimpleModeText, m_language));
    m_simpleMode->setToolTip(uiText(kSimpleModeTip, m_language));
    m_learningButton->setText(uiText(kLearningButtonText, m_language));
    m_measurementPanel->applyLanguage(m_language);
    retranslateDialogs();
    refreshTitle();

    m_title->setText(uiText(TextKey::HeaderTitle, m_language));
    m_subtitle->setText(uiText(TextKey::Subtitle, m_language));
    m_languageLabel->setText(uiText(TextKey::LanguageLabel, m_language));
    m_languageCombo->setToolTip(uiText(TextKey::LanguageTip, m_language));
    m_languageLabel->setToolTip(uiText(TextKey::LanguageTip, m_language));
    applyLessonLanguage();
    applyPanelLanguage();
    m_editorPanel->applyLanguage(m_language);
    refreshGenerator();
    fitEditorTabWidth();

    refreshGuidance();
    refreshStatePanel();
    renderNotebook();
    nameFocusableWidgets(this);
}

void MainWindow::keepLessonTabsReadable()
{
    // The panel is at least as wide as the four lesson tabs plus the arrows that appear when the qubit page
    // does not fit beside them, or as all five when they need less.
    const QTabBar *bar = m_leftTabs->tabBar();
    int lessonTabs = 0;
    for (int tab = kLessonTab; tab < kQubitsTab; ++tab) {
        lessonTabs += bar->tabRect(tab).width();
    }
    const int allTabs = lessonTabs + bar->tabRect(kQubitsTab).width();
    const int arrows = 2 * bar->style()->pixelMetric(QStyle::PM_TabBarScrollButtonWidth, nullptr, bar);
    m_leftTabs->setMinimumWidth(std::min(allTabs, lessonTabs + arrows));
}

void MainWindow::applyLessonLanguage()
{
    const TextKey tabs[] = {TextKey::TabLesson, TextKey::TabAlgorithms, TextKey::TabEditor, TextKey::TabMeasurements};
    for (int tab = 0; tab < 4; ++tab) {
        m_leftTabs->setTabText(tab, uiText(tabs[tab], m_language));
    }
    m_leftTabs->setTabText(kQubitsTab, uiText(MoreText::QubitsTab, m_language));
    m_leftTabs->setTabToolTip(kQubitsTab, qubitStateText(QubitStateText::PanelName, m_language));
    keepLessonTabsReadable();
    m_exercisePanel->applyLanguage(m_language);
}

void MainWindow::applyPanelLanguage()
{
    m_explanationBox->setTitle(uiText(TextKey::ExplanationBox, m_language));
    m_explanation->setToolTip(uiText(TextKey::ExplanationTip, m_language));
    m_circuitPanel->applyLanguage(m_language);
    m_statesPanel->applyLanguage(m_language);
    m_notebookPanel->applyLanguage(m_language);
}

void MainWindow::fitEditorTabWidth()
{
    // The editor's rows do not wrap: the left panel widens to hold them in the current language rather than
    // cutting them off or scrolling them sideways. Room for the vertical scroll bar is kept for a short window.
    auto *scroll = findChild<QScrollArea *>(QStringLiteral("editorScroll"));
    // Layouts of a tab never shown keep the sizes they measured before the texts were set.
    QWidget *content = scroll->widget();
    for (QLayout *layout : content->findChildren<QLayout *>()) {
        layout->invalidate();
    }
    scroll->setMinimumWidth(content->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
}

void MainWindow::renderNotebook()
{
    const LogContext context = logContext();
    QStringList lines;
    for (const LogEvent &event : m_experiment.logEvents()) {
        lines << renderLogEvent(event, context);
    }
    m_notebookPanel->showLines(lines);
}

LogContext MainWindow::logContext() const
{
    LogContext context;
    context.language = m_language;
    context.currentLessonIndex = m_experiment.lessonIndex();
    context.workingCircuit = m_experiment.workingCircuit();
    if (const ChallengeFile *challenge = m_experiment.customChallenge()) {
        context.customChallenge = &challenge->definition;
    }
    const std::int32_t qubits = m_experiment.shownCircuit().qubitCount;
    const Language language = m_language;
    context.distributionChoice = [qubits, language](std::uint64_t value) {
        return distributionChoiceText(static_cast<std::int64_t>(value), qubits, language);
    };
    context.reasoning = m_learningLab.predictionReason();
    return context;
}
