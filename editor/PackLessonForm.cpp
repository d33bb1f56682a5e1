#include "editor/PackLessonForm.h"

#include "core/GateText.h"
#include "editor/CircuitFile.h"
#include "editor/PlainText.h"

#include <algorithm>
#include <stdexcept>

namespace Fasoria {

namespace {

int lengthLimit(PackLessonField field)
{
    switch (field) {
    case PackLessonField::QuestionIt:
    case PackLessonField::QuestionEn:
    case PackLessonField::ExplanationIt:
    case PackLessonField::ExplanationEn:
        return kMaxLessonTextLength;
    case PackLessonField::StepIt:
    case PackLessonField::StepEn:
        return kMaxLessonStepTextLength;
    default:
        return kMaxLessonTitleLength;
    }
}

// The reader's rules for one text: not blank, one plain line, within the field's limit.
PackLessonCheck checkText(PackLessonField field, const QString &text, int row = -1)
{
    PackLessonCheck result;
    result.field = field;
    result.row = row;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        result.problem = PackLessonProblem::Blank;
    } else if (!isPlainText(trimmed)) {
        result.problem = PackLessonProblem::NotPlain;
    } else if (trimmed.size() > lengthLimit(field)) {
        result.problem = PackLessonProblem::TooLong;
        result.limit = lengthLimit(field);
    }
    return result;
}

PackLessonCheck problem(PackLessonProblem kind, PackLessonField field, const QString &detail = QString())
{
    PackLessonCheck result;
    result.problem = kind;
    result.field = field;
    result.detail = detail;
    return result;
}

} // namespace

PackLessonForm::PackLessonForm(const Circuit &circuit, std::optional<LessonPack> existing)
    : m_existing(std::move(existing))
{
    // The lesson stores the circuit as its own file does: what parseCircuit refuses here, the pack reader would
    // refuse too, and what it accepts is exactly what the pack will hold.
    Circuit readBack;
    if (parseCircuit(serializeCircuit(circuit), readBack, &m_circuitError)) {
        m_circuit = readBack;
    }
    for (const LessonStep &step : circuit.steps) {
        m_steps.push_back(step.gate);
    }
    m_stepTexts.resize(m_steps.size());
}

QString PackLessonForm::stepGateLabel(int row) const
{
    if (row < 0 || row >= stepCount()) {
        throw std::out_of_range("Step row outside the lesson");
    }
    return QString::fromStdString(gateLabel(m_steps[static_cast<std::size_t>(row)]));
}

GateKind PackLessonForm::stepGateKind(int row) const
{
    if (row < 0 || row >= stepCount()) {
        throw std::out_of_range("Step row outside the lesson");
    }
    return m_steps[static_cast<std::size_t>(row)].kind;
}

void PackLessonForm::setText(PackLessonField field, const QString &text)
{
    const int index = static_cast<int>(field);
    if (index < 0 || index >= kTextFields) {
        throw std::invalid_argument("Step texts are set by row");
    }
    m_texts[static_cast<std::size_t>(index)] = text;
}

QString PackLessonForm::text(PackLessonField field) const
{
    const int index = static_cast<int>(field);
    return index >= 0 && index < kTextFields ? m_texts[static_cast<std::size_t>(index)] : QString();
}

void PackLessonForm::setStepText(int row, Language language, const QString &text)
{
    if (row < 0 || row >= stepCount()) {
        throw std::out_of_range("Step row outside the lesson");
    }
    std::pair<QString, QString> &texts = m_stepTexts[static_cast<std::size_t>(row)];
    (isEnglish(language) ? texts.second : texts.first) = text;
}

QString PackLessonForm::stepText(int row, Language language) const
{
    if (row < 0 || row >= stepCount()) {
        return QString();
    }
    const std::pair<QString, QString> &texts = m_stepTexts[static_cast<std::size_t>(row)];
    return isEnglish(language) ? texts.second : texts.first;
}

PackLessonCheck PackLessonForm::check() const
{
    if (!m_circuit) {
        return problem(PackLessonProblem::CircuitRefused, PackLessonField::LessonId, m_circuitError);
    }
    if (m_existing && m_existing->lessons.size() >= static_cast<std::size_t>(kMaxPackLessons)) {
        return problem(PackLessonProblem::PackFull, PackLessonField::LessonId);
    }
    for (int index = 0; index < kTextFields; ++index) {
        const auto field = static_cast<PackLessonField>(index);
        if (!isNewPack() && (field == PackLessonField::PackTitleIt || field == PackLessonField::PackTitleEn)) {
            continue;
        }
        const QString &typed = m_texts[static_cast<std::size_t>(index)];
        if (field != PackLessonField::LessonId) {
            const PackLessonCheck result = checkText(field, typed);
            if (!result.isValid()) {
                return result;
            }
            continue;
        }
        const QString id = typed.trimmed();
        if (id.isEmpty()) {
            return problem(PackLessonProblem::Blank, field);
        }
        if (!isLessonId(id)) {
            return problem(PackLessonProblem::IdShape, field);
        }
        if (m_existing && hasLessonId(*m_existing, id)) {
            return problem(PackLessonProblem::IdTaken, field, id);
        }
    }
    return checkStepTable();
}

PackLessonCheck PackLessonForm::checkStepTable() const
{
    const auto filled = [](const std::pair<QString, QString> &texts) {
        return !texts.first.trimmed().isEmpty() || !texts.second.trimmed().isEmpty();
    };
    if (std::none_of(m_stepTexts.begin(), m_stepTexts.end(), filled)) {
        return {};
    }
    // Some steps are explained, so every one must be, in both languages, as the reader asks.
    for (int row = 0; row < stepCount(); ++row) {
        const std::pair<QString, QString> &texts = m_stepTexts[static_cast<std::size_t>(row)];
        for (const PackLessonField field : {PackLessonField::StepIt, PackLessonField::StepEn}) {
            PackLessonCheck result =
                checkText(field, field == PackLessonField::StepIt ? texts.first : texts.second, row);
            if (result.problem == PackLessonProblem::Blank) {
                result.problem = PackLessonProblem::StepMissing;
            }
            if (!result.isValid()) {
                return result;
            }
        }
    }
    return {};
}

std::optional<PackLesson> PackLessonForm::lesson() const
{
    if (!check().isValid()) {
        return std::nullopt;
    }
    PackLesson lesson;
    lesson.id = text(PackLessonField::LessonId).trimmed();
    lesson.titleIt = text(PackLessonField::TitleIt).trimmed();
    lesson.titleEn = text(PackLessonField::TitleEn).trimmed();
    lesson.questionIt = text(PackLessonField::QuestionIt).trimmed();
    lesson.questionEn = text(PackLessonField::QuestionEn).trimmed();
    lesson.explanationIt = text(PackLessonField::ExplanationIt).trimmed();
    lesson.explanationEn = text(PackLessonField::ExplanationEn).trimmed();
    lesson.guided = m_circuit;
    // check() passed, so either every cell of the table is filled or none is.
    const bool explained = !m_stepTexts.empty() && !m_stepTexts.front().first.trimmed().isEmpty();
    if (explained) {
        for (const std::pair<QString, QString> &texts : m_stepTexts) {
            lesson.stepTexts.emplace_back(texts.first.trimmed(), texts.second.trimmed());
        }
    }
    return lesson;
}

std::pair<QString, QString> PackLessonForm::packTitles() const
{
    return {text(PackLessonField::PackTitleIt).trimmed(), text(PackLessonField::PackTitleEn).trimmed()};
}

bool PackLessonForm::hasLessonId(const LessonPack &pack, const QString &id)
{
    return std::any_of(pack.lessons.begin(), pack.lessons.end(),
                       [&id](const PackLesson &lesson) { return lesson.id == id; });
}

} // namespace Fasoria
