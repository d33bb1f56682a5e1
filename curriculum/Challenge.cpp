#include "curriculum/Challenge.h"

#include "curriculum/ChallengeDefinition.h"
#include "curriculum/LessonCatalog.h"

namespace Fasoria {

namespace {

// The double nearest to 1/√2.
constexpr double kA = 0.7071067811865476;

std::vector<Challenge> buildChallenges()
{
    // Per challenge: lesson index; goal, then hints 1..3 from gentle to explicit, each Italian then English;
    // target amplitudes by basis index; minimum gate count; required gate kind and count. Lesson 11 (index
    // 10) also needs a Z and forbids X: challengeDefinition adds those rules.
    // clang-format off
    return {
        {4,
         "Ottieni |1> partendo da |0>, usando almeno una X.",
         "Produce |1> starting from |0>, using at least one X.",
         "Il qubit parte spento.",
         "The qubit starts off.",
         "Cerca la porta che scambia 0 e 1.",
         "Look for the gate that swaps 0 and 1.",
         "Applica X a q0.",
         "Apply X to q0.",
         {{1, {1.0, 0.0}}},
         1, GateKind::X, 1},
        {5,
         "Ritorna a |0> usando almeno due porte X.",
         "Return to |0> using at least two X gates.",
         "Una X cambia il bit.",
         "One X flips the bit.",
         "Che cosa succede ripetendo l'operazione?",
         "What happens when you repeat the operation?",
         "Inserisci X(q0) due volte.",
         "Insert X(q0) twice.",
         {{0, {1.0, 0.0}}},
         2, GateKind::X, 2},
        {6,
         "Prepara (|0> + |1>)/sqrt(2).",
         "Prepare (|0> + |1>)/sqrt(2).",
         "Servono due ampiezze, non due qubit.",
         "You need two amplitudes, not two qubits.",
         "Trova la porta che crea una sovrapposizione.",
         "Find the gate that creates a superposition.",
         "Una sola H su q0 è sufficiente.",
         "A single H on q0 is sufficient.",
         {{0, {kA, 0.0}}, {1, {kA, 0.0}}},
         1, GateKind::H, 1},
        {7,
         "Prepara lo stato |01> con due qubit.",
         "Prepare the two-qubit state |01>.",
         "q0 è il bit a destra.",
         "q0 is the rightmost bit.",
         "Parti da |00> e cambia soltanto un qubit.",
         "Start with |00> and flip only one qubit.",
         "Usa X(q0), non X(q1).",
         "Use X(q0), not X(q1).",
         {{1, {1.0, 0.0}}},
         1, GateKind::X, 1},
        {8,
         "Prepara quattro ampiezze tutte uguali e positive.",
         "Prepare four equal, positive amplitudes.",
         "Quattro stati di base richiedono due qubit.",
         "Four basis states require two qubits.",
         "Prova la stessa porta su entrambi i qubit.",
         "Try the same gate on both qubits.",
         "H(q0) e H(q1) producono 1/2 per ogni ampiezza.",
         "H(q0) and H(q1) create amplitudes of 1/2.",
         {{0, {0.5, 0.0}}, {1, {0.5, 0.0}}, {2, {0.5, 0.0}}, {3, {0.5, 0.0}}},
         2, GateKind::H, 2},
        {9,
         "Prepara lo stato di Bell (|00> + |11>)/sqrt(2).",
         "Prepare the Bell state (|00> + |11>)/sqrt(2).",
         "Una porta H agisce sul primo qubit.",
         "An H gate acts on the first qubit.",
         "Poi un qubit può controllare l'altro.",
         "Then one qubit can control the other.",
         "H(q0), poi CNOT controllo q0 / bersaglio q1.",
         "H(q0), then CNOT control q0 / target q1.",
         {{0, {kA, 0.0}}, {3, {kA, 0.0}}},
         2, GateKind::Cnot, 1},
        {10,
         "Rivela una fase: ottieni |1> con almeno due H e una Z.",
         "Reveal a phase: reach |1> using at least two H and one Z.",
         "Z su |0> non ha effetto osservabile.",
         "Z acting on |0> has no observable effect.",
         "Crea una sovrapposizione prima di applicare Z.",
         "Create a superposition before applying Z.",
         "Prova H(q0), Z(q0), H(q0).",
         "Try H(q0), Z(q0), H(q0).",
         {{1, {1.0, 0.0}}},
         3, GateKind::H, 2},
        {11,
         "Prepara (|01> + |10>)/sqrt(2).",
         "Prepare (|01> + |10>)/sqrt(2).",
         "È diverso dal primo stato di Bell.",
         "It differs from the first Bell state.",
         "Puoi partire da uno stato di Bell già noto.",
         "You can start from a familiar Bell state.",
         "H(q0), CNOT(q0->q1), poi X(q0).",
         "H(q0), CNOT(q0->q1), then X(q0).",
         {{1, {kA, 0.0}}, {2, {kA, 0.0}}},
         3, GateKind::Cnot, 1},
        {12,
         "Prepara (|0> - |1>)/sqrt(2): stessa distribuzione, fase diversa.",
         "Prepare (|0> - |1>)/sqrt(2): same probabilities, different phase.",
         "Le sole probabilità non bastano per distinguere lo stato.",
         "Probabilities alone cannot distinguish the state.",
         "Z cambia il segno relativo dell'ampiezza di |1>.",
         "Z changes the relative sign of the |1> amplitude.",
         "Usa H(q0), poi Z(q0).",
         "Use H(q0), then Z(q0).",
         {{0, {kA, 0.0}}, {1, {-kA, 0.0}}},
         2, GateKind::Z, 1},
        {13,
         "Prepara GHZ: (|000> + |111>)/sqrt(2).",
         "Prepare GHZ: (|000> + |111>)/sqrt(2).",
         "Inizia con una sovrapposizione su un solo qubit.",
         "Begin with a superposition on one qubit.",
         "Correla gli altri qubit in due passi.",
         "Correlate the other qubits in two steps.",
         "H(q0), CNOT(q0->q1), CNOT(q1->q2).",
         "H(q0), CNOT(q0->q1), CNOT(q1->q2).",
         {{0, {kA, 0.0}}, {7, {kA, 0.0}}},
         3, GateKind::Cnot, 2},
    };
    // clang-format on
}

} // namespace

const std::vector<Challenge> &challengeCatalog()
{
    static const std::vector<Challenge> challenges = buildChallenges();
    return challenges;
}

const Challenge *findChallenge(std::uint64_t lessonIndex)
{
    for (const Challenge &challenge : challengeCatalog()) {
        if (challenge.lessonIndex == lessonIndex) {
            return &challenge;
        }
    }
    return nullptr;
}

bool isSolvingFidelity(double fidelity)
{
    return fidelity >= kSolvedFidelity;
}

ChallengeResult checkChallenge(const Challenge &challenge, const Circuit &circuit)
{
    // A challenge outside the catalog has no register to convert, so it is refused here, after the step
    // limit as for any other challenge.
    ChallengeResult result;
    if (circuit.steps.size() > kMaxCheckedSteps) {
        return result;
    }
    if (challenge.lessonIndex >= lessonCatalog().size()) {
        result.status = ChallengeStatus::QubitCountMismatch;
        return result;
    }
    return gradeChallenge(challengeDefinition(challenge), circuit);
}

} // namespace Fasoria
