#include "core/GateText.h"

#include <charconv>
#include <cmath>

namespace Fasoria {

namespace {

// Indexed by GateKind value.
const TextPair kGateDescriptions[] = {
    {"Mescola coppie di ampiezze, permettendo l'interferenza.", "Mixes pairs of amplitudes, enabling interference."},
    {"Scambia le ampiezze associate a 0 e 1 del qubit bersaglio.", "Swaps the amplitudes of target qubit 0 and 1."},
    {"Cambia il segno delle ampiezze con qubit bersaglio = 1.",
     "Changes the sign of amplitudes with target qubit = 1."},
    {"Ruota la fase delle ampiezze con qubit bersaglio = 1.", "Rotates the phase of amplitudes with target qubit = 1."},
    {"Inverte il bersaglio solo quando il qubit di controllo vale 1.",
     "Flips the target qubit only when the control qubit is 1."},
};

const TextPair kGateKindNames[] = {
    {"H - Hadamard", "H - Hadamard"},
    {"X - Pauli X", "X - Pauli X"},
    {"Z - Pauli Z", "Z - Pauli Z"},
    {"P - Fase", "P - Phase"},
    {"CNOT", "CNOT"},
};

// Indexed by EditAction value.
const TextPair kEditActionWords[] = {
    {"copia di lavoro creata", "working copy created"},
    {"porta inserita", "gate inserted"},
    {"porta sostituita", "gate replaced"},
    {"porta eliminata", "gate deleted"},
    {"porta spostata a sinistra", "gate moved left"},
    {"porta spostata a destra", "gate moved right"},
    {"originale ripristinato", "original restored"},
    {"numero di qubit aggiornato", "qubit count updated"},
    {"modifica annullata o ripetuta", "edit undone or redone"},
    {"porta spostata", "gate moved"},
};

template <std::size_t N>
const char *lookup(const TextPair (&table)[N], std::int32_t index, Language language)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        return "?";
    }
    return pick(language, table[index]);
}

std::string qubitName(std::int32_t qubit)
{
    return "q" + std::to_string(qubit);
}

} // namespace

double radiansToDegrees(double radians)
{
    return radians * 180.0 / std::acos(-1.0);
}

double degreesToRadians(double degrees)
{
    return degrees * std::acos(-1.0) / 180.0;
}

std::string degreesText(double radians)
{
    return formatFixed(radiansToDegrees(radians), 1);
}

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    }
    // to_chars is independent of the C locale, which the toolkit sets from the environment: an Italian
    // locale must not turn the decimal point into a comma.
    // 309 integer digits at most for a double, plus sign, point and the decimals: always fits.
    constexpr int kMaxDecimals = 100;
    char buffer[512];
    const int precision = decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    std::string text(buffer, result.ptr);
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string gateLabel(const Gate &gate)
{
    const std::string target = qubitName(gate.target);
    switch (gate.kind) {
    case GateKind::H:
        return "H(" + target + ")";
    case GateKind::X:
        return "X(" + target + ")";
    case GateKind::Z:
        return "Z(" + target + ")";
    case GateKind::P:
        return "P(" + target + ", " + degreesText(gate.angle) + "°)";
    case GateKind::Cnot:
        return "CNOT(" + qubitName(gate.control) + " → " + target + ")";
    }
    return "?";
}

const char *gateDescription(GateKind kind, Language language)
{
    return lookup(kGateDescriptions, static_cast<std::int32_t>(kind), language);
}

const char *gateKindName(GateKind kind, Language language)
{
    return lookup(kGateKindNames, static_cast<std::int32_t>(kind), language);
}

const char *editActionWord(EditAction action, Language language)
{
    return lookup(kEditActionWords, static_cast<std::int32_t>(action), language);
}

} // namespace Fasoria
