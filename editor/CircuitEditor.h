#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"
#include "core/Language.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Fasoria {

/// The user's working copy of a circuit and the only operations that change it. Every operation checks all
/// its arguments first and throws a standard exception with a fixed English message, so a rejected edit
/// leaves the copy exactly as it was. Positions are zero-based indices into the step list; qubit numbers
/// are compared as unsigned values, so a negative target or control is out of range.
class CircuitEditor
{
public:
    static constexpr std::uint32_t kMaxQubits = 8;
    static constexpr std::size_t kMaxSteps = 256;

    /// Takes a working copy of source (step list copied, texts shared). Throws invalid_argument
    /// "Unsupported number of editable qubits" (qubits outside 1..8), "Too many operations" (more than 256
    /// steps), or the first error of validateGate over the steps in order.
    explicit CircuitEditor(const Circuit &source);

    const Circuit &circuit() const { return m_circuit; }

    /// Throws out_of_range "Target qubit is outside circuit"; for CNOT invalid_argument "CNOT control and
    /// target must be different, valid qubits"; for P invalid_argument "Invalid phase angle" (NaN or
    /// infinite). Other kinds get only the target check.
    void validateGate(const Gate &gate) const;

    /// Inserts step so that it gets index position. Throws out_of_range "Insertion position" (position past
    /// the end), length_error "Maximum 256 gates", then validateGate's errors.
    void insertGate(std::size_t position, const LessonStep &step);
    /// Overwrites the whole step at position. Throws out_of_range "Replacement position", then
    /// validateGate's errors.
    void replaceGate(std::size_t position, const LessonStep &step);
    /// Throws out_of_range "Erase position".
    void eraseGate(std::size_t position);
    /// Swaps the step at position with its neighbour on the side of direction (−1 or +1). Throws
    /// invalid_argument "Move direction", out_of_range "Move position", out_of_range "Move destination".
    void moveGate(std::size_t position, std::int32_t direction);
    /// Throws out_of_range "The editor supports 1..8 qubits", or invalid_argument "Remove gates using the
    /// deleted qubit first" when a step's target, or a CNOT's control, would no longer exist.
    void setQubitCount(std::uint32_t qubitCount);

private:
    Circuit m_circuit;
};

/// The text shown for an editor exception's message: its Italian or English translation (English for
/// language 1), or the message itself when it is not one of the editor's.
std::string editorErrorText(const std::string &message, Language language);

} // namespace Fasoria
