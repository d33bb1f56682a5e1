#include "editor/CircuitEditor.h"

#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

namespace Fasoria {

namespace {

// Stored qubit numbers are signed; reading them as unsigned makes every negative value out of range.
std::uint32_t asQubit(std::int32_t value)
{
    return static_cast<std::uint32_t>(value);
}

void checkGate(const Gate &gate, std::uint32_t qubitCount)
{
    if (asQubit(gate.target) >= qubitCount) {
        throw std::out_of_range("Target qubit is outside circuit");
    }
    if (gate.kind == GateKind::Cnot && (asQubit(gate.control) >= qubitCount || gate.control == gate.target)) {
        throw std::invalid_argument("CNOT control and target must be different, valid qubits");
    }
    if (gate.kind == GateKind::P && !std::isfinite(gate.angle)) {
        throw std::invalid_argument("Invalid phase angle");
    }
}

struct ErrorTranslation
{
    const char *message;
    const char *italian;
    const char *english;
};

const ErrorTranslation kErrorTranslations[] = {
    {"Unsupported number of editable qubits", "Numero di qubit non supportato.", "Unsupported number of qubits."},
    {"Too many operations", "Il circuito contiene troppe operazioni.", "Too many operations."},
    {"Target qubit is outside circuit", "Il qubit bersaglio non esiste nel circuito.",
     "The target qubit does not exist in this circuit."},
    {"CNOT control and target must be different, valid qubits",
     "CNOT: controllo e bersaglio devono essere diversi e validi.",
     "CNOT: control and target must be different and valid."},
    {"Invalid phase angle", "Angolo della fase non valido.", "Invalid phase angle."},
    {"Insertion position", "Posizione di inserimento non valida.", "Invalid insertion position."},
    {"Maximum 256 gates", "Limite di 256 porte raggiunto.", "Maximum of 256 gates reached."},
    {"Replacement position", "Nessuna porta valida da sostituire.", "No valid gate to replace."},
    {"Erase position", "Nessuna porta valida da eliminare.", "No valid gate to delete."},
    {"Move direction", "Direzione di spostamento non valida.", "Invalid move direction."},
    {"Move position", "Nessuna porta valida da spostare.", "No valid gate to move."},
    {"Move destination", "La porta è già all'estremità del circuito.",
     "The gate is already at the edge of the circuit."},
    {"The editor supports 1..8 qubits", "L'editor supporta da 1 a 8 qubit.", "The editor supports 1 to 8 qubits."},
    {"Remove gates using the deleted qubit first", "Elimina prima le porte che usano i qubit da rimuovere.",
     "First remove gates using qubits to be discarded."},
};

} // namespace

CircuitEditor::CircuitEditor(const Circuit &source)
{
    const std::uint32_t qubitCount = asQubit(source.qubitCount);
    if (qubitCount < 1 || qubitCount > kMaxQubits) {
        throw std::invalid_argument("Unsupported number of editable qubits");
    }
    if (source.steps.size() > kMaxSteps) {
        throw std::invalid_argument("Too many operations");
    }
    for (const LessonStep &step : source.steps) {
        checkGate(step.gate, qubitCount);
    }
    m_circuit = source;
}

void CircuitEditor::validateGate(const Gate &gate) const
{
    checkGate(gate, asQubit(m_circuit.qubitCount));
}

void CircuitEditor::insertGate(std::size_t position, const LessonStep &step)
{
    std::vector<LessonStep> &steps = m_circuit.steps;
    if (position > steps.size()) {
        throw std::out_of_range("Insertion position");
    }
    if (steps.size() >= kMaxSteps) {
        throw std::length_error("Maximum 256 gates");
    }
    validateGate(step.gate);
    steps.insert(steps.begin() + static_cast<std::ptrdiff_t>(position), step);
}

void CircuitEditor::replaceGate(std::size_t position, const LessonStep &step)
{
    if (position >= m_circuit.steps.size()) {
        throw std::out_of_range("Replacement position");
    }
    validateGate(step.gate);
    m_circuit.steps[position] = step;
}

void CircuitEditor::eraseGate(std::size_t position)
{
    std::vector<LessonStep> &steps = m_circuit.steps;
    if (position >= steps.size()) {
        throw std::out_of_range("Erase position");
    }
    steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(position));
}

void CircuitEditor::moveGate(std::size_t position, std::int32_t direction)
{
    std::vector<LessonStep> &steps = m_circuit.steps;
    if (direction != -1 && direction != 1) {
        throw std::invalid_argument("Move direction");
    }
    if (position >= steps.size()) {
        throw std::out_of_range("Move position");
    }
    // position < count <= 256 here, so the signed sum cannot overflow.
    const std::int64_t destination = static_cast<std::int64_t>(position) + direction;
    if (destination < 0 || destination >= static_cast<std::int64_t>(steps.size())) {
        throw std::out_of_range("Move destination");
    }
    std::swap(steps[position], steps[static_cast<std::size_t>(destination)]);
}

void CircuitEditor::setQubitCount(std::uint32_t qubitCount)
{
    if (qubitCount < 1 || qubitCount > kMaxQubits) {
        throw std::out_of_range("The editor supports 1..8 qubits");
    }
    for (const LessonStep &step : m_circuit.steps) {
        const Gate &gate = step.gate;
        if (asQubit(gate.target) >= qubitCount ||
            (gate.kind == GateKind::Cnot && asQubit(gate.control) >= qubitCount)) {
            throw std::invalid_argument("Remove gates using the deleted qubit first");
        }
    }
    m_circuit.qubitCount = static_cast<std::int32_t>(qubitCount);
}

std::string editorErrorText(const std::string &message, Language language)
{
    for (const ErrorTranslation &row : kErrorTranslations) {
        if (message == row.message) {
            return pick(language, row.italian, row.english);
        }
    }
    return message;
}

} // namespace Fasoria
