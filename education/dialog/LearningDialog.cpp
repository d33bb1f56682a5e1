#include "education/dialog/LearningDialog.h"

#include "editor/PlainText.h"
#include "education/model/BellMixture.h"
#include "education/model/LearningTexts.h"
#include "education/model/Worksheet.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/AccessibleNames.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/PhaseDelegate.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTableWidgetItem>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace Fasoria {
namespace {

constexpr TextPair kNameText = {"Nome:", "Name:"};
constexpr TextPair kClassText = {"Classe:", "Class:"};
constexpr TextPair kDateText = {"Data:", "Date:"};

constexpr int kWidth = 1020;
constexpr int kHeight = 720;
constexpr int kCompareRowHeight = 38;
constexpr int kCompactSpacing = 4;
constexpr int kBellRows = 4;
constexpr int kBellColumns = 3;
constexpr int kBellMaximumHeight = 210;

template <typename Widget>
Widget *named(const char *name)
{
    auto *widget = new Widget;
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <typename Layout>
Layout *namedLayout(const char *name)
{
    auto *layout = new Layout;
    layout->setObjectName(QLatin1String(name));
    return layout;
}

/// Every label of the dialog wraps and lets the student select (and copy) its text.
QLabel *textLabel(const char *name)
{
    auto *label = named<QLabel>(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QHBoxLayout *row(const char *name, std::initializer_list<QWidget *> widgets)
{
    auto *layout = namedLayout<QHBoxLayout>(name);
    for (QWidget *widget : widgets) {
        layout->addWidget(widget);
    }
    return layout;
}

void setUpTable(QTableWidget *table, int columns)
{
    table->setColumnCount(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->hide();
    // Tab leaves the table for the next control instead of walking its cells.
    table->setTabKeyNavigation(false);
}

/// The cell at (row, column), created centred on first use and reused afterwards.
QTableWidgetItem *cell(QTableWidget *table, int rowIndex, int column)
{
    QTableWidgetItem *item = table->item(rowIndex, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(rowIndex, column, item);
    }
    return item;
}

void setPhaseCell(QTableWidget *table, int rowIndex, int column, const PhaseCell &phase)
{
    QTableWidgetItem *item = cell(table, rowIndex, column);
    item->setText(phase.text);
    item->setData(Education::kMagnitudeRole, phase.magnitude);
    item->setData(Education::kPhaseRole, phase.radians);
}

void setItemTexts(QComboBox *combo, const QStringList &texts)
{
    const QSignalBlocker blocker(combo);
    for (int i = 0; i < texts.size() && i < combo->count(); ++i) {
        combo->setItemText(i, texts.at(i));
    }
}

} // namespace

LearningDialog::LearningDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LearningDialog"));
    setModal(false);
    resize(kWidth, kHeight);

    auto *learningLayout = namedLayout<QVBoxLayout>("learningLayout");
    setLayout(learningLayout);
    m_tabs = named<QTabWidget>("tabs");
    m_tabs->addTab(buildStartTab(), QString());
    m_tabs->addTab(buildCompareTab(), QString());
    m_tabs->addTab(buildNotesTab(), QString());
    m_tabs->addTab(buildBellTab(), QString());
    m_closeButton = named<QPushButton>("closeButton");
    learningLayout->addWidget(m_tabs, 1);
    learningLayout->addWidget(m_closeButton, 0, Qt::AlignRight);
    // Return in a text field must not press a button: a dialog's buttons are default buttons unless told not to.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
    }

    connectSignals();
    fillBell(0);
}

QWidget *LearningDialog::buildStartTab()
{
    auto *page = named<QWidget>("startTab");
    auto *layout = namedLayout<QVBoxLayout>("startTabLayout");
    page->setLayout(layout);

    m_intro = textLabel("intro");
    m_lesson1 = named<QPushButton>("lesson1");
    m_lesson2 = named<QPushButton>("lesson2");
    m_lesson4 = named<QPushButton>("lesson4");
    m_doing = textLabel("doing");
    m_expect = textLabel("expect");
    m_distribution = named<QComboBox>("distribution");
    for (int i = 0; i < kDistributionItemCount; ++i) {
        m_distribution->addItem(QString());
    }
    m_expect->setBuddy(m_distribution);
    m_reason = named<QLineEdit>("reason");
    m_record = named<QPushButton>("record");
    m_predictionResult = textLabel("predictionResult");
    m_restart = named<QPushButton>("restart");
    m_next = named<QPushButton>("next");
    m_measure = named<QPushButton>("measure");
    m_shots = named<QPushButton>("shots");
    m_observed = textLabel("observed");
    m_limits = textLabel("limits");
    m_startDetails = named<QTextBrowser>("startDetails");

    m_handbookLink = namedLinkLabel("handbookLink");
    connect(m_handbookLink, &QLabel::linkActivated, this, &LearningDialog::handbookRequested);
    layout->addWidget(m_intro);
    layout->addWidget(m_handbookLink);
    layout->addLayout(row("guidedRow", {m_lesson1, m_lesson2, m_lesson4}));
    layout->addWidget(m_doing);
    layout->addWidget(m_expect);
    layout->addWidget(m_distribution);
    layout->addWidget(m_reason);
    layout->addWidget(m_record, 0, Qt::AlignLeft);
    layout->addWidget(m_predictionResult);
    layout->addLayout(row("runRow", {m_restart, m_next, m_measure, m_shots}));
    layout->addWidget(m_observed);
    layout->addWidget(m_limits);
    layout->addWidget(m_startDetails, 1);
    return page;
}

QWidget *LearningDialog::buildCompareTab()
{
    auto *page = named<QWidget>("compareTab");
    auto *layout = namedLayout<QVBoxLayout>("compareTabLayout");
    page->setLayout(layout);
    // Tight spacing leaves the table room for the eight rows of a three-qubit comparison at the initial size.
    layout->setSpacing(kCompactSpacing);
    const QMargins margins = layout->contentsMargins();
    layout->setContentsMargins(margins.left(), kCompactSpacing, margins.right(), kCompactSpacing);

    m_compareIntro = textLabel("compareIntro");
    m_preset = named<QComboBox>("preset");
    m_preset->addItems(presetNames());
    m_applyPreset = named<QPushButton>("applyPreset");
    m_captureA = named<QPushButton>("captureA");
    m_captureB = named<QPushButton>("captureB");
    m_appendH = named<QPushButton>("appendH");
    m_labelA = textLabel("labelA");
    m_stageA = named<QSpinBox>("stageA");
    m_labelB = textLabel("labelB");
    m_stageB = named<QSpinBox>("stageB");
    m_labelA->setBuddy(m_stageA);
    m_labelB->setBuddy(m_stageB);
    m_circuitA = textLabel("circuitA");
    m_circuitB = textLabel("circuitB");
    m_compareTable = named<QTableWidget>("compareTable");
    setUpTable(m_compareTable, kComparisonColumns);
    m_compareTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    InterfaceZoom::setRowHeight(m_compareTable, kCompareRowHeight);
    auto *arrows = new Education::PhaseDelegate(m_compareTable);
    m_compareTable->setItemDelegateForColumn(kComparisonPhaseColumnA, arrows);
    m_compareTable->setItemDelegateForColumn(kComparisonPhaseColumnB, arrows);
    m_compareNote = textLabel("compareNote");

    auto *presetRow = row("presetRow", {m_preset, m_applyPreset});
    presetRow->addStretch(1);
    auto *stageRow = row("stageRow", {m_labelA, m_stageA, m_labelB, m_stageB});
    stageRow->addStretch(1);
    layout->addWidget(m_compareIntro);
    layout->addLayout(presetRow);
    layout->addLayout(row("captureRow", {m_captureA, m_captureB, m_appendH}));
    layout->addLayout(stageRow);
    layout->addWidget(m_circuitA);
    layout->addWidget(m_circuitB);
    layout->addWidget(m_compareTable, 1);
    layout->addWidget(m_compareNote);
    return page;
}

QWidget *LearningDialog::buildNotesTab()
{
    auto *page = named<QWidget>("notesTab");
    auto *layout = namedLayout<QVBoxLayout>("notesTabLayout");
    page->setLayout(layout);

    m_notesIntro = textLabel("notesIntro");
    m_nameLabel = textLabel("nameLabel");
    m_studentName = named<QLineEdit>("studentName");
    m_classLabel = textLabel("classLabel");
    m_className = named<QLineEdit>("className");
    m_dateLabel = textLabel("dateLabel");
    m_sheetDate = named<QLineEdit>("sheetDate");
    for (const auto &[label, field] : {std::pair<QLabel *, QLineEdit *>{m_nameLabel, m_studentName},
                                       {m_classLabel, m_className},
                                       {m_dateLabel, m_sheetDate}}) {
        label->setBuddy(field);
    }
    m_questionLabel = textLabel("questionLabel");
    m_question = named<QLineEdit>("question");
    m_notesLabel = textLabel("notesLabel");
    m_notes = named<QPlainTextEdit>("notes");
    // A student who cannot use a mouse leaves the notes with Tab; a tab character is not worth the trap.
    m_notes->setTabChangesFocus(true);
    m_conclusionLabel = textLabel("conclusionLabel");
    m_conclusion = named<QPlainTextEdit>("conclusion");
    m_conclusion->setTabChangesFocus(true);
    m_questionLabel->setBuddy(m_question);
    m_notesLabel->setBuddy(m_notes);
    m_conclusionLabel->setBuddy(m_conclusion);
    m_saveSession = named<QPushButton>("saveSession");
    m_openSession = named<QPushButton>("openSession");
    m_exportSheet = named<QPushButton>("exportSheet");
    m_sessionStatus = textLabel("sessionStatus");

    auto *sessionRow = row("sessionRow", {m_saveSession, m_openSession, m_exportSheet});
    sessionRow->addStretch(1);
    layout->addWidget(m_notesIntro);
    QHBoxLayout *header =
        row("sheetHeaderRow", {m_nameLabel, m_studentName, m_classLabel, m_className, m_dateLabel, m_sheetDate});
    header->setStretch(1, 3);
    header->setStretch(3, 1);
    header->setStretch(5, 2);
    layout->addLayout(header);
    layout->addWidget(m_questionLabel);
    layout->addWidget(m_question);
    layout->addWidget(m_notesLabel);
    layout->addWidget(m_notes, 1);
    layout->addWidget(m_conclusionLabel);
    layout->addWidget(m_conclusion, 1);
    layout->addLayout(sessionRow);
    layout->addWidget(m_sessionStatus);
    return page;
}

QWidget *LearningDialog::buildBellTab()
{
    auto *page = named<QWidget>("bellTab");
    auto *layout = namedLayout<QVBoxLayout>("bellTabLayout");
    page->setLayout(layout);

    m_bellIntro = textLabel("bellIntro");
    m_basis = named<QComboBox>("basis");
    m_basis->addItems(bellBasisNames());
    m_bellTable = named<QTableWidget>("bellTable");
    setUpTable(m_bellTable, kBellColumns);
    m_bellTable->setRowCount(kBellRows);
    // As tall as its four rows need, never taller than the limit: no empty band under the last row.
    m_bellTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_bellTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_bellTable->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    InterfaceZoom::setMaximumHeight(m_bellTable, kBellMaximumHeight);
    m_bellExplanation = named<QTextBrowser>("bellExplanation");

    layout->addWidget(m_bellIntro);
    layout->addWidget(m_basis, 0, Qt::AlignLeft);
    layout->addWidget(m_bellTable);
    layout->addWidget(m_bellExplanation, 1);
    return page;
}

void LearningDialog::connectSignals()
{
    connect(m_lesson1, &QPushButton::clicked, this, [this] { emit guidedExperimentRequested(0); });
    connect(m_lesson2, &QPushButton::clicked, this, [this] { emit guidedExperimentRequested(1); });
    connect(m_lesson4, &QPushButton::clicked, this, [this] { emit guidedExperimentRequested(3); });
    connect(m_record, &QPushButton::clicked, this, &LearningDialog::recordRequested);
    connect(m_restart, &QPushButton::clicked, this, &LearningDialog::restartRequested);
    connect(m_next, &QPushButton::clicked, this, &LearningDialog::nextRequested);
    connect(m_measure, &QPushButton::clicked, this, &LearningDialog::measureRequested);
    connect(m_shots, &QPushButton::clicked, this, &LearningDialog::shotsRequested);
    connect(m_applyPreset, &QPushButton::clicked, this,
            [this] { emit applyPresetRequested(m_preset->currentIndex()); });
    connect(m_captureA, &QPushButton::clicked, this, &LearningDialog::captureARequested);
    connect(m_captureB, &QPushButton::clicked, this, &LearningDialog::captureBRequested);
    connect(m_appendH, &QPushButton::clicked, this, &LearningDialog::appendHRequested);
    connect(m_stageA, qOverload<int>(&QSpinBox::valueChanged), this, &LearningDialog::stageAChanged);
    connect(m_stageB, qOverload<int>(&QSpinBox::valueChanged), this, &LearningDialog::stageBChanged);
    connect(m_basis, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int basis) {
        fillBell(basis);
        emit basisChanged(basis);
    });
    connect(m_saveSession, &QPushButton::clicked, this, &LearningDialog::saveSessionRequested);
    connect(m_openSession, &QPushButton::clicked, this, &LearningDialog::openSessionRequested);
    connect(m_exportSheet, &QPushButton::clicked, this, &LearningDialog::exportSheetRequested);
    connect(m_question, &QLineEdit::textChanged, this, &LearningDialog::noteTouched);
    for (QLineEdit *field : {m_studentName, m_className, m_sheetDate}) {
        connect(field, &QLineEdit::textChanged, this, &LearningDialog::noteTouched);
    }
    connect(m_reason, &QLineEdit::textChanged, this, &LearningDialog::noteTouched);
    connect(m_notes, &QPlainTextEdit::textChanged, this, &LearningDialog::noteTouched);
    connect(m_conclusion, &QPlainTextEdit::textChanged, this, &LearningDialog::noteTouched);
    connect(m_distribution, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_record->setEnabled(m_predictionOpen && index > 0);
        if (index > 0) {
            noteTouched();
        }
    });
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::hide);
}

void LearningDialog::noteTouched()
{
    if (!m_suppressed && !m_filling) {
        emit touched();
    }
}

QString LearningDialog::question() const
{
    return plainMultilineText(m_question->text());
}

void LearningDialog::setQuestion(const QString &text)
{
    const QScopedValueRollback<bool> filling(m_filling, true);
    m_question->setText(text);
}

QString LearningDialog::reasonDraft() const
{
    return plainMultilineText(m_reason->text());
}

void LearningDialog::setReasonDraft(const QString &text)
{
    const QScopedValueRollback<bool> filling(m_filling, true);
    m_reason->setText(text);
}

QString LearningDialog::notes() const
{
    return plainMultilineText(m_notes->toPlainText());
}

void LearningDialog::setNotes(const QString &text)
{
    const QScopedValueRollback<bool> filling(m_filling, true);
    m_notes->setPlainText(text);
}

QString LearningDialog::conclusion() const
{
    return plainMultilineText(m_conclusion->toPlainText());
}

void LearningDialog::setConclusion(const QString &text)
{
    const QScopedValueRollback<bool> filling(m_filling, true);
    m_conclusion->setPlainText(text);
}

int LearningDialog::distributionDraft() const
{
    return m_distribution->currentIndex();
}

void LearningDialog::setDistributionDraft(int index)
{
    if (index < 0 || index >= m_distribution->count()) {
        return;
    }
    const QSignalBlocker blocker(m_distribution);
    m_distribution->setCurrentIndex(index);
    m_record->setEnabled(m_predictionOpen && index > 0);
}

StudyTexts LearningDialog::studyTexts() const
{
    return StudyTexts{question(),
                      reasonDraft(),
                      notes(),
                      conclusion(),
                      distributionDraft(),
                      plainMultilineText(m_studentName->text()),
                      plainMultilineText(m_className->text()),
                      proposedDate() ? QString() : plainMultilineText(m_sheetDate->text())};
}

void LearningDialog::showStudyTexts(const StudyTexts &texts)
{
    setQuestion(texts.question);
    setReasonDraft(texts.reasonDraft);
    setNotes(texts.notes);
    setConclusion(texts.conclusion);
    setDistributionDraft(texts.distributionDraft);
    const QScopedValueRollback<bool> filling(m_filling, true);
    m_studentName->setText(texts.studentName);
    m_className->setText(texts.className);
    // A sheet is dated the day it is written unless the student says otherwise.
    m_sheetDate->setText(texts.date.isEmpty() ? worksheetDate(QDate::currentDate(), m_textLanguage) : texts.date);
}

bool LearningDialog::proposedDate() const
{
    // Today's date as the dialog proposes it is no text of the student's: the session dates itself when saved.
    return m_sheetDate->text() == worksheetDate(QDate::currentDate(), m_textLanguage);
}

void LearningDialog::clearStudyTexts()
{
    setQuestion(QString());
    setReasonDraft(QString());
    setNotes(QString());
    setConclusion(QString());
}

void LearningDialog::refresh(const LearningLab &lab, const ExperimentView &experiment,
                             const LearningWindowState &window, Language language)
{
    if (m_suppressed || !experiment.hasState()) {
        return;
    }
    const QScopedValueRollback<bool> filling(m_filling, true);
    setWindowTitle(learningText(LearningText::WindowTitle, language));
    const LearningText tabTitles[] = {LearningText::TabStart, LearningText::TabCompare, LearningText::TabNotes,
                                      LearningText::TabBell};
    for (int i = 0; i < m_tabs->count(); ++i) {
        m_tabs->setTabText(i, learningText(tabTitles[i], language));
    }
    refreshStartTab(lab, experiment, window, language);
    refreshCompareTexts(lab, language);
    refreshNotesTexts(window, language);
    fillComparison(lab, language);
    m_bellTable->setHorizontalHeaderLabels(bellHeaders(language));
    fillBell(m_basis->currentIndex());
    m_bellIntro->setText(learningText(LearningText::BellIntro, language));
    m_bellExplanation->setHtml(learningText(LearningText::BellExplanation, language));
    m_sessionStatus->setText(window.sessionStatus);
    // Names follow the texts just written; they change only with the language.
    if (m_namesLanguage != static_cast<int>(language)) {
        m_namesLanguage = static_cast<int>(language);
        nameFocusableWidgets(this);
    }
}

void LearningDialog::refreshStartTab(const LearningLab &lab, const ExperimentView &experiment,
                                     const LearningWindowState &window, Language language)
{
    m_intro->setText(learningText(LearningText::Intro, language));
    m_handbookLink->setText(uiText(MoreText::LearningHandbookLink, language));
    m_lesson1->setText(learningText(LearningText::GuidedCoin, language));
    m_lesson2->setText(learningText(LearningText::GuidedSecondH, language));
    m_lesson4->setText(learningText(LearningText::GuidedSign, language));
    m_doing->setText(doingText(experiment, language));
    m_expect->setText(learningText(LearningText::Expect, language));
    refreshPrediction(lab, experiment, language);

    m_restart->setText(learningText(LearningText::RestartButton, language));
    m_next->setText(learningText(LearningText::NextButton, language));
    m_measure->setText(learningText(LearningText::MeasureButton, language));
    m_shots->setText(shotsButtonText(window.preparations, language));
    m_next->setEnabled(window.nextEnabled);
    m_measure->setEnabled(!experiment.measured);
    m_shots->setEnabled(!experiment.measured);

    m_observed->setText(observedText(experiment, language));
    m_limits->setText(limitsText(experiment.measured, language));
    m_startDetails->setHtml(startDetails(experiment, language));
}

void LearningDialog::refreshPrediction(const LearningLab &lab, const ExperimentView &experiment, Language language)
{
    setItemTexts(m_distribution, distributionItems(experiment.circuit->qubitCount, language));
    m_predictionOpen = lab.isPredictionOpen(experiment);
    m_distribution->setEnabled(m_predictionOpen);
    m_reason->setEnabled(m_predictionOpen);
    m_record->setEnabled(m_predictionOpen && m_distribution->currentIndex() > 0);
    m_reason->setPlaceholderText(learningText(LearningText::ReasonPlaceholder, language));
    m_reason->setAccessibleName(learningText(LearningText::ReasonAccessible, language));
    m_distribution->setAccessibleName(learningText(LearningText::DistributionAccessible, language));
    m_record->setText(learningText(LearningText::RecordButton, language));
    m_predictionResult->setText(lab.predictionFeedback(experiment, language));
}

void LearningDialog::refreshCompareTexts(const LearningLab &lab, Language language)
{
    m_compareIntro->setText(learningText(LearningText::CompareIntro, language));
    setItemTexts(m_preset, presetNames());
    m_applyPreset->setText(learningText(LearningText::LoadPreset, language));
    m_captureA->setText(learningText(LearningText::CaptureA, language));
    m_captureB->setText(learningText(LearningText::CaptureB, language));
    m_appendH->setText(learningText(LearningText::AppendH, language));
    m_appendH->setEnabled(lab.canAppendH());
    m_labelA->setText(learningText(LearningText::StageA, language));
    m_labelB->setText(learningText(LearningText::StageB, language));
}

void LearningDialog::refreshNotesTexts(const LearningWindowState &window, Language language)
{
    m_notesIntro->setText(learningText(LearningText::NotesIntro, language));
    m_textLanguage = language;
    // The day the sheet is written, until the student writes another: a proposed day follows the language.
    const QDate today = QDate::currentDate();
    const QString shown = m_sheetDate->text();
    if (shown.isEmpty() || shown == worksheetDate(today, Italian) || shown == worksheetDate(today, English)) {
        const QScopedValueRollback<bool> filling(m_filling, true);
        m_sheetDate->setText(worksheetDate(today, language));
    }
    const std::pair<QLabel *, TextPair> header[] = {
        {m_nameLabel, kNameText}, {m_classLabel, kClassText}, {m_dateLabel, kDateText}};
    for (const auto &[label, text] : header) {
        label->setText(uiText(text, language));
        label->buddy()->setAccessibleName(label->text());
    }
    const std::pair<QLabel *, LearningText> labels[] = {{m_questionLabel, LearningText::QuestionLabel},
                                                        {m_notesLabel, LearningText::NotesLabel},
                                                        {m_conclusionLabel, LearningText::ConclusionLabel}};
    for (const auto &[label, key] : labels) {
        label->setText(learningText(key, language));
        label->buddy()->setAccessibleName(label->text());
    }
    m_saveSession->setText(learningText(LearningText::SaveSession, language));
    m_openSession->setText(learningText(LearningText::OpenSession, language));
    m_exportSheet->setText(learningText(LearningText::ExportSheet, language));
    // Session files and the worksheet are written by the window's session layer; until it offers them the
    // window passes false and the three buttons stay disabled.
    for (QPushButton *button : {m_saveSession, m_openSession, m_exportSheet}) {
        button->setEnabled(window.sessionFilesEnabled);
    }
    m_closeButton->setText(learningText(LearningText::CloseButton, language));
}

void LearningDialog::fillStage(QSpinBox *spin, const ComparisonCopy &copy)
{
    const QSignalBlocker blocker(spin);
    const std::uint64_t gates = copy.valid ? copy.circuit.steps.size() : 0;
    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
    spin->setRange(0, static_cast<int>(std::min(gates, kLargest)));
    spin->setValue(copy.valid ? static_cast<int>(std::min(copy.stage, kLargest)) : 0);
    spin->setEnabled(copy.valid);
}

void LearningDialog::fillComparison(const LearningLab &lab, Language language)
{
    const ComparisonCopy &a = lab.copy(CopySide::A);
    const ComparisonCopy &b = lab.copy(CopySide::B);
    fillStage(m_stageA, a);
    fillStage(m_stageB, b);
    const std::pair<QLabel *, CopyCaption> captions[] = {{m_circuitA, copyCaption(CopySide::A, a, language)},
                                                         {m_circuitB, copyCaption(CopySide::B, b, language)}};
    for (const auto &[label, caption] : captions) {
        label->setText(caption.text);
        label->setToolTip(caption.toolTip);
    }

    m_compareTable->setHorizontalHeaderLabels(comparisonHeaders(language));
    const ComparisonTable table = lab.comparison(language);
    m_compareTable->setUpdatesEnabled(false);
    m_compareTable->setRowCount(static_cast<int>(table.rows.size()));
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const ComparisonRow &values = table.rows[i];
        const int r = static_cast<int>(i);
        cell(m_compareTable, r, 0)->setText(values.state);
        cell(m_compareTable, r, 1)->setText(values.probabilityA);
        setPhaseCell(m_compareTable, r, kComparisonPhaseColumnA, values.phaseA);
        cell(m_compareTable, r, 3)->setText(values.probabilityB);
        setPhaseCell(m_compareTable, r, kComparisonPhaseColumnB, values.phaseB);
    }
    m_compareTable->setUpdatesEnabled(true);
    m_compareNote->setText(table.note);
}

void LearningDialog::fillBell(int basis)
{
    if (basis < 0 || basis >= kBellBasisCount) {
        return;
    }
    const std::array<BellRow, 4> rows = bellRows(basis);
    for (int r = 0; r < kBellRows; ++r) {
        const BellRow &values = rows[static_cast<std::size_t>(r)];
        cell(m_bellTable, r, 0)->setText(values.outcome);
        cell(m_bellTable, r, 1)->setText(values.bell);
        cell(m_bellTable, r, 2)->setText(values.mixture);
    }
}

} // namespace Fasoria
