#pragma once

#include "core/Language.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace Fasoria {

/// The names of one engine check. `stored` is fixed and doubles as the check's id: results and validation
/// reports carry it in every language. `title` is how the interface shows the check.
struct CoreCheckName
{
    const char *stored;
    TextPair title;
};

/// Number of engine checks.
constexpr std::size_t kCoreCheckCount = 11;

/// The engine checks in the order they run, one row each: the only place their names are written.
inline constexpr CoreCheckName kCoreCheckNames[kCoreCheckCount] = {
    {"Preparazione |0>", {"Preparazione |0>", "Prepare |0>"}},
    {"Hadamard: distribuzione 50/50", {"Hadamard: distribuzione 50/50", "Hadamard: 50/50 distribution"}},
    {"Identita' H * H", {"Identità H * H", "Identity H * H"}},
    {"Pauli X e Z", {"Pauli X e Z", "Pauli X and Z"}},
    {"Fase relativa: H-Z-H = X", {"Fase relativa: H-Z-H = X", "Relative phase: H-Z-H = X"}},
    {"Rotazione di fase", {"Rotazione di fase", "Phase rotation"}},
    {"Bell: H + CNOT", {"Bell: H + CNOT", "Bell: H + CNOT"}},
    {"Misura parziale: collasso correlato",
     {"Misura parziale: collasso correlato", "Partial measurement: correlated collapse"}},
    {"Misura totale: collasso", {"Misura totale: collasso", "Full measurement: collapse"}},
    {"10000 shot indipendenti", {"10000 prove indipendenti", "10000 independent shots"}},
    {"Controllo errori e indici", {"Controllo errori e indici", "Error handling and index bounds"}},
};

/// The row of kCoreCheckNames whose stored name is `name`, compared byte for byte; nothing for any other name.
std::optional<std::size_t> findCoreCheck(const std::string &name);

/// One check of the engine battery, named by its stored name.
struct CoreCheckResult
{
    std::string name;
    bool passed = false;
    std::string detail;
};

/// Runs the engine checks in the order of kCoreCheckNames. Never throws: failures are captured per check.
std::vector<CoreCheckResult> runCoreSelfTest();

} // namespace Fasoria
