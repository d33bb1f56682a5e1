#pragma once

#include "core/Circuit.h"
#include "curriculum/AlgorithmGenerator.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace Fasoria {

/// The working circuit as it stood at one moment: what undo and redo bring back.
struct EditSnapshot
{
    /// Full copy of the working circuit (texts, qubit count, ordered steps).
    Circuit circuit;
    /// Steps applied when the snapshot was taken.
    std::uint64_t stage = 0;
    /// A generated algorithm was attached, i.e. the circuit is still exactly the generated one.
    bool hasParameters = false;
    /// The generator's parameters; the generator's defaults when hasParameters is false.
    AlgorithmParameters parameters;
};

/// A snapshot of `circuit` at `stage`; `parameters` is the attached algorithm's, or null when none is attached.
EditSnapshot captureSnapshot(const Circuit &circuit, std::uint64_t stage, const AlgorithmParameters *parameters);

/// The step to show after restoring `snapshot`: its stage, clamped to its circuit's length.
std::uint64_t restoredStage(const EditSnapshot &snapshot);

/// The algorithm to attach after restoring `snapshot`, regenerated from its parameters; none without them.
/// The generator's invalid_argument propagates for parameters it refuses (a snapshot taken from a generated
/// circuit never has such parameters).
std::optional<GeneratedAlgorithm> restoredAlgorithm(const EditSnapshot &snapshot);

/// The bounded undo list and the redo list of the edits to one working circuit. Both are ordered oldest first;
/// the undo list keeps at most kMaxUndo entries. The redo list only ever receives entries taken out of the undo
/// list, so it never grows past that bound either.
class EditHistory
{
public:
    static constexpr std::size_t kMaxUndo = 100;

    /// Records the state before a successful edit: appends it to the undo list (dropping the oldest entry past
    /// kMaxUndo) and empties the redo list, since a new edit ends the redo branch.
    void recordBeforeEdit(EditSnapshot before);
    /// Runs `edit` and, only when it returns normally, records `before`. An exception from the edit propagates
    /// and leaves both lists as they were.
    void recordEdit(EditSnapshot before, const std::function<void()> &edit);

    /// Takes the newest undo entry and keeps `current` on the redo list; the caller restores the entry. Nothing
    /// (and no change) when the undo list is empty.
    std::optional<EditSnapshot> undo(EditSnapshot current);
    /// The mirror image of undo: takes the newest redo entry and appends `current` to the undo list as it is,
    /// without trimming and without touching the redo list. Nothing when the redo list is empty.
    std::optional<EditSnapshot> redo(EditSnapshot current);

    /// Empties both lists (the experiment moved to a different circuit).
    void clear();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }

private:
    std::deque<EditSnapshot> m_undo;
    std::deque<EditSnapshot> m_redo;
};

} // namespace Fasoria
