#pragma once

#include "core/Gate.h"
#include "core/Language.h"

#include <cstdint>
#include <string>

namespace Fasoria {

/// The editing events the notebook names.
enum class EditAction : std::int32_t
{
    WorkingCopyCreated = 0,
    GateInserted = 1,
    GateReplaced = 2,
    GateDeleted = 3,
    GateMovedLeft = 4,
    GateMovedRight = 5,
    OriginalRestored = 6,
    QubitCountUpdated = 7,
    /// An undo or a redo put back an earlier version of the working circuit.
    EditRestored = 8,
    /// A gate dragged on the drawing to another place, another wire or another control.
    GateMoved = 9,
};

/// Short label, the same in both languages: "H(q0)", "P(q0, 45.0°)", "CNOT(q2 → q0)"; "?" for unknown kinds.
std::string gateLabel(const Gate &gate);
/// One sentence on what the gate does; "?" for unknown kinds.
const char *gateDescription(GateKind kind, Language language);
/// Name in the editor's gate selector, whose index is the kind value; "?" for unknown kinds.
const char *gateKindName(GateKind kind, Language language);
/// Lowercase phrase for the notebook; "?" for unknown actions.
const char *editActionWord(EditAction action, Language language);

/// Degrees from radians with π = acos(−1), as every label and angle field shows them.
double radiansToDegrees(double radians);
/// Radians from degrees typed in an angle field, as degrees × π / 180 with π = acos(−1).
double degreesToRadians(double degrees);
/// An angle in degrees with one decimal, the program's angle format: "45.0" (no sign on a zero).
std::string degreesText(double radians);
/// Fixed notation with the given decimals and a decimal point; a value that rounds to zero has no minus sign.
std::string formatFixed(double value, int decimals);

} // namespace Fasoria
