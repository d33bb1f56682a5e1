#include "curriculum/LessonCatalog.h"

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <stdexcept>

namespace Fasoria {

// clang-format off
const StepText kPreparationText{
    "Preparazione: osserva nascere la sovrapposizione.",
    "Preparation: observe the superposition forming."};
const StepText kOracleText{
    "Oracolo: questa rete implementa una funzione, non una singola porta.",
    "Oracle: these gates implement a function, not one primitive gate."};
const StepText kDiffusionText{
    "Diffusione di Grover: riflessione delle ampiezze rispetto alla media.",
    "Grover diffusion: reflection of amplitudes about their average."};
const StepText kFinalInterferenceText{
    "Interferenza finale: il risultato utile compare nei qubit dati.",
    "Final interference: the useful answer appears in the data qubits."};
// clang-format on

namespace {

constexpr std::size_t kFirstAlgorithmLesson = 14;

using StepList = std::vector<LessonStep>;

// Catalog gates carry 0 in the fields their kind ignores.
constexpr Gate h(std::int32_t target)
{
    return Gate{GateKind::H, target, 0, 0.0};
}

constexpr Gate x(std::int32_t target)
{
    return Gate{GateKind::X, target, 0, 0.0};
}

constexpr Gate z(std::int32_t target)
{
    return Gate{GateKind::Z, target, 0, 0.0};
}

constexpr Gate cnot(std::int32_t control, std::int32_t target)
{
    return Gate{GateKind::Cnot, target, control, 0.0};
}

// Every challenge starts from an empty circuit and closes with the same invitation.
// clang-format off
const char *const kChallengeExplanationIt =
    "Sfida: costruisci il circuito e premi Verifica. I suggerimenti sono opzionali.";
const char *const kChallengeExplanationEn =
    "Challenge: build the circuit and press Check. Hints are optional.";
// clang-format on

Lesson challengeLesson(const char *titleIt, const char *titleEn, const char *goalIt, const char *goalEn,
                       std::int32_t qubits)
{
    return Lesson{titleIt, titleEn, goalIt, goalEn, kChallengeExplanationIt, kChallengeExplanationEn, qubits, {}};
}

// Deutsch: ancilla q1 prepared in |−⟩ and q0 in |+⟩, one oracle call, then H on q0 reveals whether f is
// constant (q0 = 0) or balanced (q0 = 1).
StepList deutsch(std::initializer_list<Gate> oracle)
{
    StepList steps;
    Networks::appendGate(steps, GateKind::X, 1, kPreparationText);
    Networks::appendGate(steps, GateKind::H, 1, kPreparationText);
    Networks::appendGate(steps, GateKind::H, 0, kPreparationText);
    for (const Gate &gate : oracle) {
        steps.emplace_back(gate, kOracleText.it, kOracleText.en);
    }
    Networks::appendGate(steps, GateKind::H, 0, kFinalInterferenceText);
    return steps;
}

// Bernstein-Vazirani: the ancilla sits above the data qubits; the oracle adds s·x into it with one CNOT per
// set bit of the secret, and the closing H gates turn the phase kick-back into the secret itself.
StepList bernsteinVazirani(std::int32_t dataQubits, std::uint64_t secret)
{
    StepList steps;
    const std::int32_t ancilla = dataQubits;
    Networks::appendGate(steps, GateKind::X, ancilla, kPreparationText);
    Networks::appendGate(steps, GateKind::H, ancilla, kPreparationText);
    for (std::int32_t k = 0; k < dataQubits; ++k) {
        Networks::appendGate(steps, GateKind::H, k, kPreparationText);
    }
    for (std::int32_t k = 0; k < dataQubits; ++k) {
        if (((secret >> k) & 1U) != 0) {
            Networks::appendCnot(steps, k, ancilla, kOracleText);
        }
    }
    for (std::int32_t k = 0; k < dataQubits; ++k) {
        Networks::appendGate(steps, GateKind::H, k, kFinalInterferenceText);
    }
    return steps;
}

// Grover: uniform superposition, then each iteration is the phase oracle followed by the diffusion.
StepList grover(std::uint32_t qubits, std::uint64_t marked, std::uint32_t iterations)
{
    StepList steps;
    for (std::uint32_t k = 0; k < qubits; ++k) {
        Networks::appendGate(steps, GateKind::H, static_cast<std::int32_t>(k), kPreparationText);
    }
    for (std::uint32_t i = 0; i < iterations; ++i) {
        Networks::appendPhaseOracle(steps, qubits, marked, kOracleText);
        Networks::appendDiffusion(steps, qubits, kDiffusionText);
    }
    return steps;
}

// Lessons 01..04 are guided demonstrations whose every step describes the state it leaves; 05..14 are the
// challenges. Texts: title, question, explanation, each Italian then English.
LessonCatalog introductoryLessons()
{
    // clang-format off
    return {
        Lesson{"01 - La moneta quantistica",
               "01 - The quantum coin",
               "Partiamo da |0>. Possiamo ottenere due esiti con uguale probabilità?",
               "Starting from |0>, can we obtain two equally likely outcomes?",
               "La porta H prepara una sovrapposizione: 0 e 1 hanno probabilità 50%.",
               "The H gate creates a superposition: 0 and 1 each have 50% probability.",
               1,
               {{h(0), "H(q0): due ampiezze uguali. Ogni esito ha probabilità 1/2.",
                       "H(q0): two equal amplitudes. Each outcome has probability 1/2."}}},
        Lesson{"02 - La seconda Hadamard",
               "02 - The second Hadamard",
               "Una seconda H aumenta ancora l'incertezza, oppure la elimina?",
               "Does a second H increase uncertainty, or remove it?",
               "H applicata due volte equivale all'identità: le ampiezze interferiscono.",
               "Applying H twice is equivalent to the identity: amplitudes interfere.",
               1,
               {{h(0), "Prima H: lo stato diventa (|0> + |1>)/sqrt(2).",
                       "First H: state becomes (|0> + |1>)/sqrt(2)."},
                {h(0), "Seconda H: l'interferenza restituisce |0>.",
                       "Second H: interference restores |0>."}}},
        Lesson{"03 - Le monete gemelle",
               "03 - The twin coins",
               "Due qubit: possiamo ottenere sempre 00 oppure 11, mai 01 o 10?",
               "With two qubits, can we get only 00 or 11, never 01 or 10?",
               "Lo stato di Bell correla le due misure. L'entanglement non è una semplice coppia di monete.",
               "The Bell state correlates both measurement outcomes. Entanglement is more than just two coins.",
               2,
               {{h(0),       "H(q0): 00 e 01 sono equiprobabili.",
                             "H(q0): 00 and 01 are equally likely."},
                {cnot(0, 1), "CNOT(q0 -> q1): le uscite diventano 00 e 11.",
                             "CNOT(q0 -> q1): the possible outcomes become 00 and 11."}}},
        Lesson{"04 - Un segno invisibile",
               "04 - An invisible sign",
               "Z modifica una fase senza cambiare le probabilità. Possiamo rivelarla?",
               "Z changes a phase without changing probabilities. Can we reveal it?",
               "Le ampiezze hanno un segno: H-Z-H produce |1> a partire da |0>.",
               "Amplitudes can have signs: H-Z-H produces |1> starting from |0>.",
               1,
               {{h(0), "H: due ampiezze +1/sqrt(2).",
                       "H: two amplitudes +1/sqrt(2)."},
                {z(0), "Z: l'ampiezza di |1> cambia segno; probabilità invariate.",
                       "Z: the |1> amplitude changes sign; probabilities stay the same."},
                {h(0), "H: l'interferenza annulla |0> e amplifica |1>.",
                       "H: interference cancels |0> and amplifies |1>."}}},
        challengeLesson("05 - Accendi il qubit",
                        "05 - Turn the qubit on",
                        "Raggiungi |1> da |0> con almeno una X.",
                        "Reach |1> from |0> using at least one X gate.",
                        1),
        challengeLesson("06 - Due volte NOT",
                        "06 - NOT twice",
                        "Torna a |0> applicando almeno due X.",
                        "Return to |0> by applying at least two X gates.",
                        1),
        challengeLesson("07 - La moneta da costruire",
                        "07 - Build a quantum coin",
                        "Ottieni una sovrapposizione con segni positivi.",
                        "Produce a superposition with positive signs.",
                        1),
        challengeLesson("08 - Quale qubit?",
                        "08 - Which qubit?",
                        "Prepara |01> partendo da |00>.",
                        "Prepare |01> starting from |00>.",
                        2),
        challengeLesson("09 - Quattro possibilità",
                        "09 - Four possibilities",
                        "Distribuisci l'ampiezza in modo uguale su 4 stati.",
                        "Distribute amplitude equally across four states.",
                        2),
        challengeLesson("10 - Costruisci una coppia Bell",
                        "10 - Build a Bell pair",
                        "Prepara (|00> + |11>)/sqrt(2).",
                        "Prepare (|00> + |11>)/sqrt(2).",
                        2),
        challengeLesson("11 - Il segno diventa risultato",
                        "11 - Turn phase into outcome",
                        "Usa H e Z per creare |1> senza usare X.",
                        "Use H and Z to create |1> without using X.",
                        1),
        challengeLesson("12 - Bell alternativo",
                        "12 - Alternative Bell state",
                        "Prepara (|01> + |10>)/sqrt(2).",
                        "Prepare (|01> + |10>)/sqrt(2).",
                        2),
        challengeLesson("13 - Le probabilità ingannano",
                        "13 - Probabilities can mislead",
                        "Prepara (|0> - |1>)/sqrt(2).",
                        "Prepare (|0> - |1>)/sqrt(2).",
                        1),
        challengeLesson("14 - Tre qubit correlati",
                        "14 - Three correlated qubits",
                        "Prepara (|000> + |111>)/sqrt(2).",
                        "Prepare (|000> + |111>)/sqrt(2).",
                        3),
    };
    // clang-format on
}

// Lessons 15..21: Deutsch (q1 ancilla), Bernstein-Vazirani (q3 ancilla) and Grover with marked value 2 on
// two qubits and 5 on three. Texts: title, question, explanation, each Italian then English.
LessonCatalog algorithmLessons()
{
    // clang-format off
    return {
        Lesson{"15 - Deutsch: funzione costante",
               "15 - Deutsch: constant function",
               "f(0)=f(1)=1. Scopri se la funzione è costante con una interrogazione all'oracolo.",
               "f(0)=f(1)=1. Decide whether the function is constant with one oracle call.",
               "q0 finisce a 0: la funzione è costante. q1 è il qubit ausiliario.",
               "q0 ends at 0: the function is constant. q1 is the ancilla.",
               2, deutsch({x(1)})},
        Lesson{"16 - Deutsch: funzione bilanciata",
               "16 - Deutsch: balanced function",
               "f(x)=x. Una sola interrogazione basta per distinguere costante e bilanciata.",
               "f(x)=x. One query distinguishes constant from balanced.",
               "q0 finisce a 1: la funzione è bilanciata. La fase rivela l'informazione.",
               "q0 ends at 1: the function is balanced. Phase reveals the information.",
               2, deutsch({cnot(0, 1)})},
        Lesson{"17 - Deutsch: stessa risposta, oracolo diverso",
               "17 - Deutsch: another balanced oracle",
               "Ora f(x)=1-x. Il responso costante/bilanciata cambia?",
               "Now f(x)=1-x. Does the constant/balanced answer change?",
               "Ancora q0=1: Deutsch identifica la proprietà, non la tabella completa di f.",
               "Again q0=1: Deutsch identifies a property, not the full truth table of f.",
               2, deutsch({x(1), cnot(0, 1)})},
        Lesson{"18 - Bernstein-Vazirani: segreto 101",
               "18 - Bernstein-Vazirani: secret 101",
               "L'oracolo restituisce f(x)=s·x (mod 2) con s=101. Ricostruisci tre bit con una interrogazione.",
               "The oracle returns f(x)=s·x (mod 2), s=101. Recover three bits with one query.",
               "I qubit dati q2 q1 q0 restituiscono 101 con certezza. q3 è un ausiliario: la sua misura è casuale.",
               "Data qubits q2 q1 q0 return 101 with certainty. q3 is an ancilla: its measurement is random.",
               4, bernsteinVazirani(3, 0b101)},
        Lesson{"19 - Grover: trova 10 fra quattro",
               "19 - Grover: find 10 among four",
               "Una risposta segreta fra quattro: l'oracolo marca |10>. Basta una iterazione.",
               "One marked answer among four: the oracle marks |10>. One iteration is enough.",
               "L'interferenza concentra il 100% della probabilità su |10>.",
               "Interference concentrates 100% of the probability on |10>.",
               2, grover(2, 0b10, 1)},
        Lesson{"20 - Grover: otto numeri, un tentativo",
               "20 - Grover: eight numbers, one iteration",
               "Cerchiamo |101> fra 8 numeri. Una iterazione non è ancora una certezza.",
               "Find |101> among eight choices. One iteration is not yet certain.",
               "Dopo una iterazione P(|101>)=78,125%. Osserva quanto è aumentata.",
               "After one iteration P(|101>)=78.125%. Watch how much it increased.",
               3, grover(3, 0b101, 1)},
        Lesson{"21 - Grover: seconda iterazione",
               "21 - Grover: a second iteration",
               "Ripeti oracolo e diffusione: il risultato è più probabile, ma non certo.",
               "Repeat oracle and diffusion: the answer is more likely, not certain.",
               "Dopo due iterazioni P(|101>)=94,53125%. Iterare all'infinito NON migliora sempre.",
               "After two iterations P(|101>)=94.53125%. More iterations do NOT always help.",
               3, grover(3, 0b101, 2)},
    };
    // clang-format on
}

} // namespace

void appendAlgorithmLessons(LessonCatalog &lessons)
{
    if (lessons.size() != kFirstAlgorithmLesson) {
        throw std::logic_error("Algorithm lessons must follow lessons 01..14");
    }
    LessonCatalog algorithms = algorithmLessons();
    // After the reservation the moves cannot throw, so a failure leaves the list as it was.
    lessons.reserve(lessons.size() + algorithms.size());
    lessons.insert(lessons.end(), std::make_move_iterator(algorithms.begin()),
                   std::make_move_iterator(algorithms.end()));
}

const LessonCatalog &lessonCatalog()
{
    static const LessonCatalog catalog = [] {
        LessonCatalog lessons = introductoryLessons();
        appendAlgorithmLessons(lessons);
        return lessons;
    }();
    return catalog;
}

} // namespace Fasoria
