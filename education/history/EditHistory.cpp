#include "education/history/EditHistory.h"

#include <algorithm>
#include <utility>

namespace Fasoria {
namespace {

/// Takes the newest entry of `from` and appends `current` to `to` as it is; nothing when `from` is empty.
std::optional<EditSnapshot> exchangeNewest(std::deque<EditSnapshot> &from, std::deque<EditSnapshot> &to,
                                           EditSnapshot current)
{
    if (from.empty()) {
        return std::nullopt;
    }
    EditSnapshot taken = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(current));
    return taken;
}

} // namespace

EditSnapshot captureSnapshot(const Circuit &circuit, std::uint64_t stage, const AlgorithmParameters *parameters)
{
    EditSnapshot snapshot;
    snapshot.circuit = circuit;
    snapshot.stage = stage;
    snapshot.hasParameters = parameters != nullptr;
    if (parameters) {
        snapshot.parameters = *parameters;
    }
    return snapshot;
}

std::uint64_t restoredStage(const EditSnapshot &snapshot)
{
    return std::min<std::uint64_t>(snapshot.circuit.steps.size(), snapshot.stage);
}

std::optional<GeneratedAlgorithm> restoredAlgorithm(const EditSnapshot &snapshot)
{
    if (!snapshot.hasParameters) {
        return std::nullopt;
    }
    return generateAlgorithm(snapshot.parameters);
}

void EditHistory::recordBeforeEdit(EditSnapshot before)
{
    m_undo.push_back(std::move(before));
    while (m_undo.size() > kMaxUndo) {
        m_undo.pop_front();
    }
    m_redo.clear();
}

void EditHistory::recordEdit(EditSnapshot before, const std::function<void()> &edit)
{
    edit();
    recordBeforeEdit(std::move(before));
}

std::optional<EditSnapshot> EditHistory::undo(EditSnapshot current)
{
    return exchangeNewest(m_undo, m_redo, std::move(current));
}

std::optional<EditSnapshot> EditHistory::redo(EditSnapshot current)
{
    return exchangeNewest(m_redo, m_undo, std::move(current));
}

void EditHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

} // namespace Fasoria
