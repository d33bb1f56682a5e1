#pragma once

#include "core/Language.h"
#include "editor/PackLessonForm.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace Fasoria {

/// What `check` says, in `language`, for the form it came from (a text over its limit is counted there); the
/// "ready" line for a valid form.
QString packLessonCheckText(const PackLessonForm &form, const PackLessonCheck &check, Language language);

/// The name of a form field as a message or a screen reader says it: "Titolo (italiano)", "Passo 3 (inglese)";
/// `row` (from 0) counts only for the step cells.
QString packLessonFieldName(PackLessonField field, int row, Language language);

/// The form that turns the working circuit into a guided lesson of a pack: the lesson id, the title, question
/// and closing explanation in Italian and English, a table with one row per gate ("Passo 1: H(q0)", then its
/// Italian and English explanation) and, for a new pack only, the pack's two titles. Every change is checked
/// by PackLessonForm: the save button stays disabled, and the line under the form says what is wrong, until
/// the lesson is one the pack accepts. Texts from the pack file (its title) are shown as plain text.
class PackLessonDialog : public QDialog
{
    Q_OBJECT

public:
    /// A lesson of `circuit` for the pack in the file `packPath`: `existing` is the pack as read from it, none
    /// for a file still to be made.
    PackLessonDialog(const Circuit &circuit, const QString &packPath, std::optional<LessonPack> existing,
                     Language language, QWidget *parent = nullptr);
    ~PackLessonDialog() override;

    const PackLessonForm &form() const { return m_form; }
    /// The lesson to add; none until the form is valid.
    std::optional<PackLesson> lesson() const { return m_form.lesson(); }

    /// Closes the dialog as accepted only when the form is valid (Enter in a field cannot skip the check).
    void accept() override;

private:
    static constexpr int kLineFields = static_cast<int>(PackLessonField::StepIt);

    void buildPackTitles(QGridLayout *grid, int row);
    void buildLessonFields(QGridLayout *grid, int row);
    static void alignLabelColumns(const QList<QGridLayout *> &grids);
    /// A label and the fields of `italian` and of its English twin, which follows it in PackLessonField.
    void addBilingualRow(QGridLayout *grid, int row, PackLessonField italian, const char *italianName,
                         const char *englishName);
    void buildStepTable();
    QLineEdit *lineEdit(PackLessonField field, const char *name);
    void takeStepText(QTableWidgetItem *item);
    void refresh();

    PackLessonForm m_form;
    Language m_language;
    std::array<QLineEdit *, kLineFields> m_edits{};
    QTableWidget *m_stepTable = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_saveButton = nullptr;
};

} // namespace Fasoria
