#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "editor/LessonPack.h"

#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace Fasoria {

/// The texts of a pack lesson form, in the order the form is filled and checked: the new pack's titles
/// first, then the lesson. StepIt and StepEn stand for one cell of the step table, named with its row.
enum class PackLessonField
{
    PackTitleIt,
    PackTitleEn,
    LessonId,
    TitleIt,
    TitleEn,
    QuestionIt,
    QuestionEn,
    ExplanationIt,
    ExplanationEn,
    StepIt,
    StepEn,
};

/// Why a form cannot be saved yet; the dialog words each one in the interface language.
enum class PackLessonProblem
{
    None,
    /// The field is empty or only spaces.
    Blank,
    /// The field holds a line break, a control or a bidirectional character.
    NotPlain,
    /// The field is longer than `limit` UTF-16 code units.
    TooLong,
    /// The id is not 1..kMaxLessonIdLength ASCII letters, digits and hyphens.
    IdShape,
    /// The pack already has a lesson with this id.
    IdTaken,
    /// The pack already holds kMaxPackLessons lessons.
    PackFull,
    /// Some steps are explained and this cell is empty: every step in both languages, or none at all.
    StepMissing,
    /// The working circuit is not one the pack reader accepts; `detail` holds the reader's English message.
    CircuitRefused,
};

/// The first thing that keeps a form from being saved.
struct PackLessonCheck
{
    PackLessonProblem problem = PackLessonProblem::None;
    PackLessonField field = PackLessonField::LessonId;
    /// The step's row, from 0, for StepIt and StepEn; -1 otherwise.
    int row = -1;
    /// The length limit a TooLong field broke.
    int limit = 0;
    QString detail;

    bool isValid() const { return problem == PackLessonProblem::None; }
};

/// The texts a teacher writes to turn the working circuit into a guided lesson of a pack: the lesson id, the
/// title, question and closing explanation in both languages, one (Italian, English) explanation per gate and,
/// when the pack is new, the pack's two titles. check() applies every rule of the pack reader before anything
/// is written, so a valid form always makes a lesson the pack accepts (only the pack's total size is left to
/// addLessonToPackFile). Texts are kept as typed and saved without their outer spaces.
class PackLessonForm
{
public:
    /// A lesson of `circuit` (a copy is kept) for the pack `existing`, or for a new pack when none is given.
    explicit PackLessonForm(const Circuit &circuit, std::optional<LessonPack> existing = std::nullopt);

    bool isNewPack() const { return !m_existing.has_value(); }
    /// The pack the lesson goes into; none for a new pack.
    const std::optional<LessonPack> &existingPack() const { return m_existing; }

    /// One row per gate of the circuit.
    int stepCount() const { return static_cast<int>(m_steps.size()); }
    /// The gate of step `row` as the notebook names it ("H(q0)", "CNOT(q1 → q0)"); throws std::out_of_range
    /// "Step row outside the lesson" for a row outside 0..stepCount() - 1.
    QString stepGateLabel(int row) const;
    /// The kind of the gate of step `row`; same refusal.
    GateKind stepGateKind(int row) const;

    /// StepIt and StepEn go through setStepText; here they throw std::invalid_argument
    /// "Step texts are set by row".
    void setText(PackLessonField field, const QString &text);
    QString text(PackLessonField field) const;
    /// Throws std::out_of_range "Step row outside the lesson" for a row outside 0..stepCount() - 1, changing
    /// nothing.
    void setStepText(int row, Language language, const QString &text);
    QString stepText(int row, Language language) const;

    /// The first problem, in the order of PackLessonField; the pack titles count only for a new pack.
    PackLessonCheck check() const;
    /// The lesson to add, once check() finds nothing: the id and texts without outer spaces, the circuit as
    /// the reader gives it back and the step texts (none when the table is empty).
    std::optional<PackLesson> lesson() const;
    /// The new pack's titles without outer spaces.
    std::pair<QString, QString> packTitles() const;

    /// Whether `pack` holds a lesson `id` (compared as the reader does: case-sensitively).
    static bool hasLessonId(const LessonPack &pack, const QString &id);

private:
    static constexpr int kTextFields = static_cast<int>(PackLessonField::StepIt);

    PackLessonCheck checkStepTable() const;

    std::optional<LessonPack> m_existing;
    /// The circuit as parseCircuit reads it back, or none when the reader refuses it (m_circuitError says why).
    std::optional<Circuit> m_circuit;
    QString m_circuitError;
    std::vector<Gate> m_steps;
    std::array<QString, kTextFields> m_texts;
    /// One (Italian, English) pair per step.
    std::vector<std::pair<QString, QString>> m_stepTexts;
};

} // namespace Fasoria
