#pragma once

#include "core/Circuit.h"
#include "core/Gate.h"
#include "core/Language.h"
#include "curriculum/ChallengeDefinition.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <string>

namespace Fasoria {

/// A teacher's challenge as a file (".challenge.json"): indented JSON, keys in ascending order, a final
/// newline. Members:
///
///   "format"             "FasoriaChallenge"
///   "version"            1
///   "qubits"             1..8, the register the student's circuit must have
///   "goal_it", "goal_en" the goal in Italian and in English, not blank, at most 1,000 characters
///   "hints_it", "hints_en"
///                        hints 1..3 from gentle to explicit, at most three texts of at most 2,000
///                        characters each; a hint left out or "" is empty (the writer always writes three)
///   "target_circuit"     a circuit file object (editor/CircuitFile.h) on the same qubits: the target is the
///                        state it prepares from |0…0⟩, or
///   "target_amplitudes"  [{"index": basis index below 2^qubits, "re": real part, "im": imaginary part}, …],
///                        each index at most once, normalised within 1e-9; unlisted basis states are 0
///   "min_gates"          0..256, the fewest steps the circuit may have (default 0)
///   "required"           [{"gate": "H"|"X"|"Z"|"P"|"CNOT", "count": 1..256}, …], each kind at most once
///                        (default none)
///   "forbidden"          ["X", …], kinds the circuit must not use, none of them required (default none)
///   "max_gates"          min_gates..256, the most steps the circuit may have (absent: no maximum)
///
/// Exactly one of the two targets is given. Texts are plain (isPlainText): they are shown on terminals and
/// pages; their lengths count UTF-16 code units, as QString::size() and every text limit of the program do.
/// The rules must leave some circuit that keeps them (checkRulesCanBeMet), and a reference circuit must keep
/// them itself. Any other member is refused, so a misspelt rule cannot be dropped without a word.
struct ChallengeFile
{
    ChallengeDefinition definition;
    /// The reference circuit when the target was given as one; definition.target is then its replay
    /// (targetFromCircuit), and the file stores the circuit rather than the amplitudes.
    std::optional<Circuit> reference;
};

/// The file's bytes. With a reference circuit the circuit is written and definition.target is not: the
/// reader derives the target from the circuit again.
QByteArray serializeChallenge(const ChallengeFile &challenge);

/// Reads a challenge file completely: every member is checked (after readJsonObject's size, syntax and
/// repeated-member checks), the embedded circuit is read with parseCircuit, the definition must pass
/// validateChallengeDefinition and checkRulesCanBeMet, and a reference circuit must keep the rules as
/// gradeChallenge judges them ("target_circuit breaks the challenge's rules: " and the diagnosis of
/// diagnoseChallenge in English). On success replaces challenge
/// and returns true; on failure returns false, sets *error (when given) to an English message and leaves
/// challenge untouched. Never throws for bad input. What serializeChallenge writes for a challenge read
/// here reads back to the same bytes.
bool parseChallenge(const QByteArray &bytes, ChallengeFile &challenge, QString *error);

/// Writes the challenge file atomically (see saveFileAtomically), but only when its bytes read back: a
/// challenge that parseChallenge would refuse is reported and nothing is written.
bool saveChallengeFile(const QString &path, const ChallengeFile &challenge, QString *error);

/// Reads (readInputFile: regular files only, never blocking, 1 MiB at most) and parses a challenge file;
/// challenge changes only on success.
bool loadChallengeFile(const QString &path, ChallengeFile &challenge, QString *error);

/// A challenge has hints 1..3 in each language.
constexpr int kChallengeHintCount = 3;

/// The longest goal and the longest hint in one language, in UTF-16 code units.
constexpr int kMaxChallengeGoalLength = 1000;
constexpr int kMaxChallengeHintLength = 2000;

/// Throws invalid_argument for rules that validateChallengeDefinition lets pass but no circuit on the
/// definition's register can keep, checked in this order: "Challenge required gates above 256" (the
/// required counts add up to more than a circuit may hold), "Challenge requires CNOT on one qubit",
/// "Challenge forbids every gate kind" (every kind the register can use: CNOT needs two qubits).
void checkRulesCanBeMet(const ChallengeDefinition &definition);

/// Hints 1..3 of one language, from gentle to explicit; an empty text is no hint.
using ChallengeHints = std::array<std::string, kChallengeHintCount>;

/// Sets hints 1..3 of the definition in both languages.
void setChallengeHints(ChallengeDefinition &definition, const ChallengeHints &italian, const ChallengeHints &english);

/// Hints 1..3 of the definition in the language (English for 1, Italian otherwise).
ChallengeHints challengeHints(const ChallengeDefinition &definition, Language language);

/// The goal of the definition in the language.
QString challengeGoal(const ChallengeDefinition &definition, Language language);

/// The hints worth showing: up to the last one written in either language (a teacher may leave hints out).
int writtenHintCount(const ChallengeDefinition &definition);

/// The name the files give a kind: "H", "X", "Z", "P" or "CNOT" (what gateKindFromName reads); empty for an
/// unknown kind.
QString gateKindFileName(GateKind kind);

} // namespace Fasoria
