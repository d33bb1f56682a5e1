#include "ui/dialogs/PackLessonDialog.h"

#include "core/GateText.h"
#include "ui/texts/TextCatalog.h"
#include "ui/widgets/InterfaceZoom.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace Fasoria {

namespace {

// The step table's columns.
constexpr int kGateColumn = 0;
constexpr int kItalianColumn = 1;
constexpr int kEnglishColumn = 2;
// Wide enough for two question fields side by side and the "Passo 12: CNOT(q7 → q6)" column.
constexpr int kMinimumWidth = 780;
constexpr int kMinimumTableHeight = 180;

bool isEnglishField(PackLessonField field)
{
    switch (field) {
    case PackLessonField::PackTitleEn:
    case PackLessonField::TitleEn:
    case PackLessonField::QuestionEn:
    case PackLessonField::ExplanationEn:
    case PackLessonField::StepEn:
        return true;
    default:
        return false;
    }
}

MoreText fieldLabel(PackLessonField field)
{
    switch (field) {
    case PackLessonField::PackTitleIt:
    case PackLessonField::PackTitleEn:
        return MoreText::PackLessonPackTitleField;
    case PackLessonField::LessonId:
        return MoreText::PackLessonIdField;
    case PackLessonField::TitleIt:
    case PackLessonField::TitleEn:
        return MoreText::PackLessonTitleField;
    case PackLessonField::QuestionIt:
    case PackLessonField::QuestionEn:
        return MoreText::PackLessonQuestionField;
    case PackLessonField::ExplanationIt:
    case PackLessonField::ExplanationEn:
        return MoreText::PackLessonExplanationField;
    default:
        return MoreText::PackLessonStepColumn;
    }
}

QString languageWord(bool english, Language language)
{
    return uiText(english ? MoreText::PackLessonEnglishWord : MoreText::PackLessonItalianWord, language);
}

bool isStepField(PackLessonField field)
{
    return field == PackLessonField::StepIt || field == PackLessonField::StepEn;
}

// The length the check measured: the text as it would be saved.
int savedLength(const PackLessonForm &form, const PackLessonCheck &check)
{
    const QString text = isStepField(check.field)
                             ? form.stepText(check.row, check.field == PackLessonField::StepEn ? English : Italian)
                             : form.text(check.field);
    return text.trimmed().size();
}

QLabel *columnHeader(MoreText key, Language language)
{
    QLabel *header = new QLabel(uiText(key, language));
    InterfaceZoom::setFontSize(header, 0, true);
    return header;
}

} // namespace

QString packLessonFieldName(PackLessonField field, int row, Language language)
{
    QString name = uiText(fieldLabel(field), language);
    if (isStepField(field)) {
        name += QLatin1Char(' ') + QString::number(row + 1);
    }
    if (field == PackLessonField::LessonId) {
        return name;
    }
    return QStringLiteral("%1 (%2)").arg(name, languageWord(isEnglishField(field), language));
}

QString packLessonCheckText(const PackLessonForm &form, const PackLessonCheck &check, Language language)
{
    const QString name = packLessonFieldName(check.field, check.row, language);
    switch (check.problem) {
    case PackLessonProblem::None:
        return uiText(MoreText::PackLessonReady, language);
    case PackLessonProblem::Blank:
        return uiText(MoreText::PackLessonBlank, language).arg(name);
    case PackLessonProblem::NotPlain:
        return uiText(MoreText::PackLessonNotPlain, language).arg(name);
    case PackLessonProblem::TooLong:
        return uiText(MoreText::PackLessonTooLong, language)
            .arg(name, QString::number(check.limit), QString::number(savedLength(form, check)));
    case PackLessonProblem::IdShape:
        return uiText(MoreText::PackLessonIdShape, language).arg(name, QString::number(kMaxLessonIdLength));
    case PackLessonProblem::IdTaken:
        return uiText(MoreText::PackLessonIdTaken, language).arg(check.detail);
    case PackLessonProblem::PackFull:
        return uiText(MoreText::PackLessonPackFull, language).arg(kMaxPackLessons);
    case PackLessonProblem::StepMissing:
        return uiText(MoreText::PackLessonStepMissing, language)
            .arg(QString::number(check.row + 1), languageWord(check.field == PackLessonField::StepEn, language));
    case PackLessonProblem::CircuitRefused:
        return uiText(MoreText::PackLessonCircuitRefused, language).arg(check.detail);
    }
    return QString();
}

PackLessonDialog::PackLessonDialog(const Circuit &circuit, const QString &packPath, std::optional<LessonPack> existing,
                                   Language language, QWidget *parent)
    : QDialog(parent), m_form(circuit, std::move(existing)), m_language(language)
{
    setObjectName(QStringLiteral("m_packLessonDialog"));
    setWindowTitle(uiText(MoreText::PackLessonTitle, language));
    InterfaceZoom::setMinimumWidth(this, kMinimumWidth);
    auto *layout = new QVBoxLayout(this);

    // The pack's title comes from its file: the label shows it as plain text.
    QLabel *intro = namedLabel("m_packLessonIntro", true);
    const QString shownPath = QDir::toNativeSeparators(packPath);
    if (const std::optional<LessonPack> &pack = m_form.existingPack()) {
        intro->setText(uiText(MoreText::PackLessonExistingPack, language)
                           .arg(isEnglish(language) ? pack->titleEn : pack->titleIt, shownPath,
                                QString::number(pack->lessons.size())));
    } else {
        intro->setText(uiText(MoreText::PackLessonNewPack, language).arg(shownPath));
    }
    layout->addWidget(intro);

    if (m_form.isNewPack()) {
        auto *packBox = named(new QGroupBox(uiText(MoreText::PackLessonPackBox, language)), "m_packBox");
        auto *grid = new QGridLayout(packBox);
        buildPackTitles(grid, 0);
        layout->addWidget(packBox);
    }
    auto *lessonBox = named(new QGroupBox(uiText(MoreText::PackLessonLessonBox, language)), "m_lessonBox");
    auto *grid = new QGridLayout(lessonBox);
    buildLessonFields(grid, 0);
    layout->addWidget(lessonBox);
    alignLabelColumns(findChildren<QGridLayout *>());

    buildStepTable();
    QLabel *stepsLabel = namedLabel("m_stepTableLabel", true);
    stepsLabel->setText(uiText(MoreText::PackLessonStepsBox, language));
    stepsLabel->setBuddy(m_stepTable);
    layout->addWidget(stepsLabel);
    layout->addWidget(m_stepTable, 1);

    m_message = namedLabel("m_packLessonMessage", true);
    layout->addWidget(m_message);

    auto *buttons = named(new QDialogButtonBox, "m_packLessonButtons");
    m_saveButton =
        named(buttons->addButton(uiText(MoreText::PackLessonSaveButton, language), QDialogButtonBox::AcceptRole),
              "m_packLessonSaveButton");
    m_saveButton->setDefault(true);
    named(buttons->addButton(uiText(MoreText::PackLessonCancelButton, language), QDialogButtonBox::RejectRole),
          "m_packLessonCancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &PackLessonDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PackLessonDialog::reject);
    layout->addWidget(buttons);

    m_edits[static_cast<std::size_t>(PackLessonField::LessonId)]->setFocus();
    refresh();
}

PackLessonDialog::~PackLessonDialog()
{
    // The form goes before the child widgets, and a table closing an open cell editor commits its text: nothing
    // may reach the form any more.
    m_stepTable->disconnect(this);
    for (QLineEdit *edit : m_edits) {
        if (edit) {
            edit->disconnect(this);
        }
    }
}

void PackLessonDialog::buildPackTitles(QGridLayout *grid, int row)
{
    grid->addWidget(columnHeader(MoreText::PackLessonItalianColumn, m_language), row, 1);
    grid->addWidget(columnHeader(MoreText::PackLessonEnglishColumn, m_language), row, 2);
    addBilingualRow(grid, row + 1, PackLessonField::PackTitleIt, "m_packTitleItEdit", "m_packTitleEnEdit");
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

void PackLessonDialog::buildLessonFields(QGridLayout *grid, int row)
{
    QLineEdit *id = lineEdit(PackLessonField::LessonId, "m_lessonIdEdit");
    id->setToolTip(plainToolTip(uiText(MoreText::PackLessonIdTip, m_language).arg(kMaxLessonIdLength)));
    QLabel *idLabel = new QLabel(uiText(MoreText::PackLessonIdField, m_language));
    idLabel->setBuddy(id);
    grid->addWidget(idLabel, row, 0);
    grid->addWidget(id, row, 1);
    grid->addWidget(columnHeader(MoreText::PackLessonItalianColumn, m_language), row + 1, 1);
    grid->addWidget(columnHeader(MoreText::PackLessonEnglishColumn, m_language), row + 1, 2);
    addBilingualRow(grid, row + 2, PackLessonField::TitleIt, "m_titleItEdit", "m_titleEnEdit");
    addBilingualRow(grid, row + 3, PackLessonField::QuestionIt, "m_questionItEdit", "m_questionEnEdit");
    addBilingualRow(grid, row + 4, PackLessonField::ExplanationIt, "m_explanationItEdit", "m_explanationEnEdit");
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

void PackLessonDialog::alignLabelColumns(const QList<QGridLayout *> &grids)
{
    // The pack's and the lesson's fields sit in two boxes: one label width puts their columns under each other.
    int width = 0;
    for (const QGridLayout *grid : grids) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (const QLayoutItem *label = grid->itemAtPosition(row, 0)) {
                width = std::max(width, label->sizeHint().width());
            }
        }
    }
    for (QGridLayout *grid : grids) {
        grid->setColumnMinimumWidth(0, width);
    }
}

void PackLessonDialog::addBilingualRow(QGridLayout *grid, int row, PackLessonField italian, const char *italianName,
                                       const char *englishName)
{
    // Each Italian field is followed by its English one in PackLessonField.
    const auto english = static_cast<PackLessonField>(static_cast<int>(italian) + 1);
    QLineEdit *italianEdit = lineEdit(italian, italianName);
    QLabel *label = new QLabel(uiText(fieldLabel(italian), m_language));
    label->setBuddy(italianEdit);
    grid->addWidget(label, row, 0);
    grid->addWidget(italianEdit, row, 1);
    grid->addWidget(lineEdit(english, englishName), row, 2);
}

QLineEdit *PackLessonDialog::lineEdit(PackLessonField field, const char *name)
{
    QLineEdit *edit = named(new QLineEdit, name);
    edit->setAccessibleName(packLessonFieldName(field, -1, m_language));
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString &text) {
        m_form.setText(field, text);
        refresh();
    });
    m_edits[static_cast<std::size_t>(field)] = edit;
    return edit;
}

void PackLessonDialog::buildStepTable()
{
    m_stepTable = named(new QTableWidget(m_form.stepCount(), 3), "m_stepTable");
    m_stepTable->setHorizontalHeaderLabels({uiText(MoreText::PackLessonStepColumn, m_language),
                                            uiText(MoreText::PackLessonItalianColumn, m_language),
                                            uiText(MoreText::PackLessonEnglishColumn, m_language)});
    m_stepTable->verticalHeader()->hide();
    QHeaderView *header = m_stepTable->horizontalHeader();
    header->setSectionResizeMode(kGateColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kItalianColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(kEnglishColumn, QHeaderView::Stretch);
    InterfaceZoom::setMinimumHeight(m_stepTable, kMinimumTableHeight);
    for (int row = 0; row < m_form.stepCount(); ++row) {
        // The notebook's words for the step: "Passo 1: H(q0)".
        auto *gate = new QTableWidgetItem(
            uiText(TextKey::LogStep, m_language).arg(QString::number(row + 1), m_form.stepGateLabel(row)));
        gate->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        gate->setToolTip(plainToolTip(QString::fromUtf8(gateDescription(m_form.stepGateKind(row), m_language))));
        m_stepTable->setItem(row, kGateColumn, gate);
        m_stepTable->setItem(row, kItalianColumn, new QTableWidgetItem);
        m_stepTable->setItem(row, kEnglishColumn, new QTableWidgetItem);
    }
    connect(m_stepTable, &QTableWidget::itemChanged, this, &PackLessonDialog::takeStepText);
}

void PackLessonDialog::takeStepText(QTableWidgetItem *item)
{
    if (item->column() == kGateColumn) {
        return;
    }
    m_form.setStepText(item->row(), item->column() == kEnglishColumn ? English : Italian, item->text());
    refresh();
}

void PackLessonDialog::refresh()
{
    const PackLessonCheck check = m_form.check();
    m_saveButton->setEnabled(check.isValid());
    m_message->setText(packLessonCheckText(m_form, check, m_language));
}

void PackLessonDialog::accept()
{
    if (m_form.check().isValid()) {
        QDialog::accept();
    }
}

} // namespace Fasoria
