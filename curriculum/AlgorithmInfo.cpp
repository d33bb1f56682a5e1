#include "curriculum/AlgorithmInfo.h"

#include "core/Language.h"

#include <stdexcept>

namespace Fasoria {

namespace {

// Field order: lessonIndex; name, oracle, classical method, readout and caveat, each Italian then English;
// classical and quantum queries; readout mask and value; expected probability.
// clang-format off
const std::vector<AlgorithmInfo> &algorithmRecords()
{
    static const std::vector<AlgorithmInfo> records = {
        {14, // lesson 15
         "Deutsch", "Deutsch",
         "f(0)=f(1)=1; oracolo reversibile: X sul qubit ausiliario.",
         "f(0)=f(1)=1; reversible oracle: X on the ancilla.",
         "Per decidere con certezza costante/bilanciata, il classico può dover interrogare f due volte.",
         "Classically one may need to query f twice for a certain constant/balanced decision.",
         "Leggi solo q0: 0=costante, 1=bilanciata. q1 può oscillare liberamente.",
         "Read only q0: 0=constant, 1=balanced. q1 may vary.",
         "Le interrogazioni contano l'oracolo logico; non i tempi né le porte fisiche.",
         "Queries count the logical oracle, not elapsed time or physical gates.",
         2, 1, 1, 0, 1.0},
        {15, // lesson 16
         "Deutsch", "Deutsch",
         "f(x)=x; oracolo reversibile: CNOT da q0 a q1.",
         "f(x)=x; reversible oracle: CNOT from q0 to q1.",
         "Servono fino a due interrogazioni classiche per garantire la risposta.",
         "Up to two classical queries guarantee the answer.",
         "Leggi q0: vale 1, quindi funzione bilanciata; ignora il bit ausiliario q1.",
         "Read q0: it is 1, hence balanced; ignore ancilla q1.",
         "Il guadagno è nel numero di interrogazioni, non nella velocità del simulatore CPU.",
         "The advantage is query count, not CPU simulator speed.",
         2, 1, 1, 1, 1.0},
        {16, // lesson 17
         "Deutsch", "Deutsch",
         "f(x)=1-x; rete oracolo: X(q1), CNOT(q0,q1).",
         "f(x)=1-x; oracle network: X(q1), CNOT(q0,q1).",
         "Un metodo classico deve conoscere entrambe le uscite nel caso peggiore.",
         "In the worst case a classical method must know both outputs.",
         "q0=1 rivela bilanciata, ma non distingue i due tipi di funzione bilanciata.",
         "q0=1 means balanced but does not distinguish the two balanced functions.",
         "L'oracolo è promesso costante o bilanciato: una restrizione essenziale del problema.",
         "The oracle is promised constant or balanced: a crucial restriction.",
         2, 1, 1, 1, 1.0},
        {17, // lesson 18
         "Bernstein-Vazirani", "Bernstein-Vazirani",
         "s=101; il circuito CNOT seleziona q0 e q2, e la funzione restituisce s·x mod 2.",
         "s=101; the oracle CNOTs select q0 and q2; f(x)=s·x mod 2.",
         "Interroga f su 001, 010, 100 per ricavare classicamente i tre bit di s.",
         "Query f at 001, 010, 100 to recover the three classical bits of s.",
         "Leggi q2q1q0=101. Il bit q3 resta in |-> e NON è parte del segreto.",
         "Read q2q1q0=101. q3 remains in |-> and is NOT part of the secret.",
         "Tre CNOT logiche possibili nell'oracolo non significano tre chiamate: è una sola valutazione di U_f.",
         "Several internal oracle CNOTs still form one logical query U_f.",
         3, 1, 7, 5, 1.0},
        {18, // lesson 19
         "Grover 2 qubit", "Grover 2 qubits",
         "Marca lo stato |10> con una fase negativa; poi usa la diffusione.",
         "Mark |10> with a negative phase; then diffuse.",
         "Se sai che c'è un solo risultato valido, il classico ha bisogno di fino a 3 interrogazioni.",
         "With exactly one valid result, classical worst case needs 3 queries.",
         "Misura q1q0=10. Qui una iterazione ha successo certo, in un circuito ideale.",
         "Measure q1q0=10. Here one iteration succeeds with certainty in an ideal circuit.",
         "La diffusione richiede molte porte ma non una seconda interrogazione alla funzione segreta.",
         "Diffusion requires several gates but not another secret-function query.",
         3, 1, 3, 2, 1.0},
        {19, // lesson 20
         "Grover 3 qubit", "Grover 3 qubits",
         "Marca |101>; una iterazione usa una chiamata all'oracolo e una diffusione.",
         "Mark |101>; one iteration uses one oracle call and one diffusion.",
         "La ricerca classica certa nel caso peggiore richiede fino a 7 interrogazioni.",
         "Certain classical search needs at most 7 queries in the worst case.",
         "Solo q2q1q0: P(101)=78,125%; non dichiarare certezza dopo una iterazione.",
         "Read q2q1q0: P(101)=78.125%; one iteration is not certainty.",
         "Confronto non omogeneo: il classico è certo, Grover con una iterazione è probabilistico.",
         "Not like-for-like: classical result is certain; one Grover iteration is probabilistic.",
         7, 1, 7, 5, 0.78125},
        {20, // lesson 21
         "Grover 3 qubit", "Grover 3 qubits",
         "Lo stesso bersaglio |101> con due chiamate all'oracolo di fase.",
         "The same marked state |101> with two phase-oracle calls.",
         "Per trovare con certezza fra 8, il classico richiede fino a 7 interrogazioni.",
         "Certain classical search among 8 needs at most 7 queries.",
         "Misura q2q1q0: P(101)=94,53125%; 2 iterazioni superano 1.",
         "Measure q2q1q0: P(101)=94.53125%; 2 iterations outperform 1.",
         "Ciascun CCZ è decomposto in 17 porte. La profondità reale conta: non leggere il numero di query come tempo.",
         "Each CCZ is decomposed into 17 gates. Real gate depth matters: queries are not time.",
         7, 2, 7, 5, 0.9453125},
    };
    return records;
}
// clang-format on

// Names of the checkpoints that end each phase.
constexpr TextPair kInitial{"Stato iniziale", "Initial state"};
constexpr TextPair kPreparation{"Preparazione della sovrapposizione", "Prepare superposition"};
constexpr TextPair kFirstOracle{"Dopo la prima chiamata all'oracolo", "After first oracle call"};
constexpr TextPair kFinalInterference{"Dopo l'interferenza finale", "After final interference"};
constexpr TextPair kFirstDiffusion{"Dopo la prima diffusione", "After first diffusion"};
constexpr TextPair kSecondOracle{"Dopo la seconda chiamata all'oracolo", "After second oracle call"};
constexpr TextPair kSecondDiffusion{"Dopo la seconda diffusione", "After second diffusion"};

AlgorithmStage stage(std::int64_t gateIndex, TextPair name)
{
    return AlgorithmStage{gateIndex, name.it, name.en};
}

struct LessonStages
{
    std::int64_t lessonIndex;
    std::vector<AlgorithmStage> stages;
};

// Each gate index is the step count of the lesson circuit at the end of the named phase.
const std::vector<LessonStages> &stageTables()
{
    static const std::vector<LessonStages> tables = {
        {14, {stage(0, kInitial), stage(3, kPreparation), stage(4, kFirstOracle), stage(5, kFinalInterference)}},
        {15, {stage(0, kInitial), stage(3, kPreparation), stage(4, kFirstOracle), stage(5, kFinalInterference)}},
        {16, {stage(0, kInitial), stage(3, kPreparation), stage(5, kFirstOracle), stage(6, kFinalInterference)}},
        {17, {stage(0, kInitial), stage(5, kPreparation), stage(7, kFirstOracle), stage(10, kFinalInterference)}},
        {18, {stage(0, kInitial), stage(2, kPreparation), stage(7, kFirstOracle), stage(18, kFirstDiffusion)}},
        {19, {stage(0, kInitial), stage(3, kPreparation), stage(22, kFirstOracle), stage(51, kFirstDiffusion)}},
        {20,
         {stage(0, kInitial), stage(3, kPreparation), stage(22, kFirstOracle), stage(51, kFirstDiffusion),
          stage(70, kSecondOracle), stage(99, kSecondDiffusion)}},
    };
    return tables;
}

} // namespace

const AlgorithmInfo *findAlgorithmInfo(std::int64_t lessonIndex)
{
    for (const AlgorithmInfo &info : algorithmRecords()) {
        if (info.lessonIndex == lessonIndex) {
            return &info;
        }
    }
    return nullptr;
}

std::vector<AlgorithmStage> algorithmStages(std::int64_t lessonIndex)
{
    for (const LessonStages &table : stageTables()) {
        if (table.lessonIndex == lessonIndex) {
            return table.stages;
        }
    }
    return {};
}

double readoutProbability(const StateVector &state, std::uint64_t readoutMask, std::uint64_t readoutValue)
{
    if ((readoutValue & ~readoutMask) != 0) {
        throw std::invalid_argument("Algorithm readout value outside mask");
    }
    double sum = 0.0;
    for (std::uint64_t i = 0; i < state.dimension(); ++i) {
        if ((i & readoutMask) == readoutValue) {
            sum += state.probability(i);
        }
    }
    return sum;
}

double readoutProbability(std::uint64_t readoutMask, std::uint64_t readoutValue, const Circuit &circuit)
{
    if ((readoutValue & ~readoutMask) != 0) {
        throw std::invalid_argument("Algorithm readout value outside mask");
    }
    const StateVector state = replayPrefix(circuit, circuit.steps.size());
    return readoutProbability(state, readoutMask, readoutValue);
}

} // namespace Fasoria
