#include "ui/panels/ExercisePanel.h"

#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "ui/model/Experiment.h"
#include "ui/model/LessonLibrary.h"
#include "ui/model/LessonShelf.h"
#include "ui/model/LogEvent.h"
#include "ui/model/PanelTexts.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include <algorithm>

namespace Fasoria {

namespace {

/// The question of what is loaded, as the selector names it: a teacher's goal, the free lab's for a circuit of
/// the student's, otherwise the shown circuit's own.
QString questionText(const Experiment &experiment, Language language)
{
    switch (loadedKind(experiment)) {
    case LoadedKind::TeacherChallenge:
        return challengeGoal(experiment.customChallenge()->definition, language);
    case LoadedKind::Custom:
        return uiText(TextKey::FreeLabQuestion, language);
    case LoadedKind::CatalogLesson:
    case LoadedKind::Algorithm:
        break;
    }
    const Circuit &circuit = experiment.shownCircuit();
    return uiText({circuit.questionIt, circuit.questionEn}, language);
}

/// What a selector row holds in Qt::UserRole: a lesson index, or one of these.
constexpr int kPackTitleRow = -1;
constexpr int kExtraItemRow = -2;

QString lessonItemText(const Lesson &lesson, Language language)
{
    return catalogText(TextKey::LessonItem, language, uiText({lesson.titleIt, lesson.titleEn}, language),
                       QString::number(lesson.qubitCount), qubitWord(lesson.qubitCount, language));
}

} // namespace

ExercisePanel::ExercisePanel(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("m_exerciseBox"));
    QVBoxLayout *exerciseLayout = named(new QVBoxLayout(this), "exerciseLayout");
    m_lessons = named(new QComboBox, "m_lessons");
    // The titles (a pack's among them, of any length) never widen the panel; the selector's field elides them
    // and its list shows them whole.
    m_lessons->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_lessons->setMinimumContentsLength(12);
    // The titles are written by the language pass.
    fillLessons();
    m_lessons->installEventFilter(this);
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

    // The extra item is only ever current and a pack's title cannot be chosen, so only a lesson can be.
    connect(m_lessons, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int row) {
        const int lesson = row < 0 ? kExtraItemRow : m_lessons->itemData(row, Qt::UserRole).toInt();
        if (lesson >= 0) {
            emit lessonChosen(lesson);
        }
    });
    connect(m_resetButton, &QPushButton::clicked, this, &ExercisePanel::restartRequested);
    connect(m_previousButton, &QPushButton::clicked, this, &ExercisePanel::previousRequested);
    connect(m_nextButton, &QPushButton::clicked, this, &ExercisePanel::nextRequested);
}

void ExercisePanel::refresh(const Experiment &experiment, Language language)
{
    showLoaded(experiment, language);
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

void ExercisePanel::setLibrary(const LessonLibrary *library)
{
    if (m_library) {
        disconnect(m_library, nullptr, this, nullptr);
    }
    m_library = library;
    if (m_library) {
        connect(m_library, &LessonLibrary::changed, this, &ExercisePanel::fillLessons);
    }
    fillLessons();
}

void ExercisePanel::fillLessons()
{
    const QSignalBlocker blocker(m_lessons);
    const int extra = extraRow();
    const QString extraTip = extra >= 0 ? m_lessons->itemData(extra, Qt::ToolTipRole).toString() : QString();
    m_lessons->clear();
    const auto addLesson = [this](int index) {
        const Lesson &lesson = *lessonAt(index);
        m_lessons->addItem(lessonItemText(lesson, m_language), index);
        // A pack's question is the teacher's text, not markup.
        const QString question = uiText({lesson.questionIt, lesson.questionEn}, m_language);
        m_lessons->setItemData(m_lessons->count() - 1, index < catalogLessonCount() ? question : plainToolTip(question),
                               Qt::ToolTipRole);
    };
    for (int i = 0; i < catalogLessonCount(); ++i) {
        addLesson(i);
    }
    if (m_library) {
        for (const OpenPack &pack : m_library->packs()) {
            m_lessons->insertSeparator(m_lessons->count());
            // Nothing to choose on the line either, whatever reaches it.
            m_lessons->setItemData(m_lessons->count() - 1, kPackTitleRow, Qt::UserRole);
            m_lessons->addItem(m_language == Language::Italian ? pack.titleIt : pack.titleEn, kPackTitleRow);
            const int titleRow = m_lessons->count() - 1;
            if (auto *items = qobject_cast<QStandardItemModel *>(m_lessons->model())) {
                QStandardItem *title = items->item(titleRow);
                title->setFlags(title->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
                QFont bold = m_lessons->font();
                bold.setBold(true);
                title->setFont(bold);
            }
            for (const std::int32_t index : pack.lessons) {
                addLesson(index);
            }
        }
    }
    if (extra >= 0) {
        m_lessons->addItem(QString(), kExtraItemRow);
        m_lessons->setItemData(m_lessons->count() - 1, extraTip, Qt::ToolTipRole);
        elideLoadedItem();
    }
    const int row = extra >= 0 ? m_lessons->count() - 1 : rowOfLesson(m_lesson);
    m_lessons->setCurrentIndex(row);
}

int ExercisePanel::rowOfLesson(int index) const
{
    return index < 0 ? -1 : m_lessons->findData(index, Qt::UserRole);
}

int ExercisePanel::extraRow() const
{
    return m_lessons->findData(kExtraItemRow, Qt::UserRole);
}

void ExercisePanel::applyLanguage(Language language)
{
    setTitle(uiText(TextKey::ExercisesBox, language));
    m_language = language;
    fillLessons();
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

void ExercisePanel::showLoaded(const Experiment &experiment, Language language)
{
    const QSignalBlocker blocker(m_lessons);
    m_lesson = experiment.lessonIndex();
    m_loadedName = loadedName(experiment, language);
    if (m_loadedName.isEmpty() && rowOfLesson(m_lesson) < 0) {
        // A lesson of a pack that is no longer open (or came with a session) is named by its title.
        const Lesson &lesson = *lessonAt(m_lesson);
        m_loadedName = uiText({lesson.titleIt, lesson.titleEn}, language);
    }
    const QString lessonsTip = uiText(TextKey::LessonsTip, language);
    int extra = extraRow();
    if (m_loadedName.isEmpty()) {
        if (extra >= 0) {
            m_lessons->removeItem(extra);
        }
        m_lessons->setCurrentIndex(rowOfLesson(m_lesson));
        m_lessons->setToolTip(lessonsTip);
        return;
    }
    if (extra < 0) {
        m_lessons->addItem(QString(), kExtraItemRow);
        extra = m_lessons->count() - 1;
    }
    // The tips tell the whole name, which for a teacher's challenge is a goal of any length.
    m_lessons->setItemData(extra, plainToolTip(m_loadedName), Qt::ToolTipRole);
    m_lessons->setToolTip(plainToolTip(m_loadedName + QStringLiteral("\n\n") + lessonsTip));
    m_lessons->setCurrentIndex(extra);
    elideLoadedItem();
}

void ExercisePanel::elideLoadedItem()
{
    const int extra = extraRow();
    if (extra < 0) {
        return;
    }
    // As wide as the selector's text field (less the pixel the style keeps on each side), so that a long name
    // ends in an ellipsis rather than under the arrow, and never widens the panel.
    QStyleOptionComboBox option;
    option.initFrom(m_lessons);
    const int width = m_lessons->style()
                          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, m_lessons)
                          .width();
    m_lessons->setItemText(
        extra, m_lessons->fontMetrics().elidedText(m_loadedName.simplified(), Qt::ElideRight, std::max(0, width - 2)));
}

bool ExercisePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lessons && event->type() == QEvent::Resize) {
        elideLoadedItem();
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace Fasoria
