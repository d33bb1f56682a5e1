#include "education/model/LearningTexts.h"

#include "ui/texts/TextCatalog.h"

namespace Fasoria {
namespace {

// One row per LearningText, in its order: Italian, then English.
// clang-format off
const TextPair kTexts[] = {
    {"Fasoria - Laboratorio didattico", "Fasoria - Learning lab"},
    {"Parto da zero", "Getting started"},
    {"Confronti A/B", "A/B comparisons"},
    {"Scheda e sessione", "Worksheet and session"},
    {"Bell e miscela", "Bell and mixture"},
    {"Tre esperimenti: prima prevedi, poi esegui una porta alla volta e racconta che cosa hai scoperto. Puoi "
     "disattivare «Parto da zero» nella finestra principale per vedere tutti i dati.",
     "Three experiments: predict first, run one gate at a time, then explain your discovery. Turn off Beginner "
     "view in the main window to see all data."},
    {"1. La moneta", "1. The coin"},
    {"2. La seconda H", "2. The second H"},
    {"3. Un segno invisibile", "3. An invisible sign"},
    {"Cosa facciamo: ", "What we do: "},
    {"Cosa ti aspetti alla fine? La previsione riguarda la distribuzione di tutti i bit, con q0 a destra.",
     "What do you expect at the end? Predict the distribution of the whole register, with q0 on the right."},
    {"Scegli una previsione...", "Choose a prediction..."},
    {"Sempre %1", "Always %1"},
    {"Tutti gli esiti equiprobabili", "All outcomes equally likely"},
    {"Non so ancora", "I don't know yet"},
    {"Perché? Scrivi la tua idea (facoltativo).", "Why? Write your reasoning (optional)."},
    {"Motivazione della previsione", "Prediction reasoning"},
    {"Distribuzione prevista", "Predicted distribution"},
    {"Registra previsione", "Record prediction"},
    {"Registra prima di iniziare; il confronto avviene con la teoria, non con una singola estrazione.",
     "Record before starting; comparison uses theory, not one random draw."},
    {"Completa il circuito per confrontare.", "Complete the circuit to compare."},
    {"Ora osserva la distribuzione e prova a spiegarla nelle conclusioni.",
     "Now observe the distribution and explain it in your conclusion."},
    {"La previsione coincide con la distribuzione teorica.", "Your prediction matches the theoretical distribution."},
    {"La teoria è diversa: confronta i valori e ripensa alla sequenza delle porte.",
     "Theory differs: compare the values and reconsider the gate sequence."},
    {"Ricomincia", "Restart"},
    {"Prossima porta", "Next gate"},
    {"Misura una volta", "Measure once"},
    {"Ripeti %1 prove", "Repeat %1 trials"},
    {"Cosa è successo - passo %1/%2: ", "What happened - step %1/%2: "},
    {"... altri esiti nella tabella completa", "... more outcomes in the full table"},
    {"Hai misurato: questi dati descrivono lo stato dopo la misura. Ricomincia per preparare di nuovo "
     "l’esperimento.",
     "Measured: these data describe the post-measurement state. Restart to prepare the experiment again."},
    {"Stato calcolato dal simulatore. Le prove ripetute sono nuove preparazioni indipendenti. Tornare a un passo "
     "ricostruisce il circuito: non annulla una misura fisica.",
     "State calculated by the simulator. Repeated trials are independent preparations. Going back rebuilds the "
     "circuit; it does not reverse a physical measurement."},
    {"<p>Scrivi la tua previsione, poi premi Prossima porta. La spiegazione finale comparirà dopo l’ultima "
     "operazione.</p>",
     "<p>Write your prediction, then press Next gate. The final explanation appears after the last "
     "operation.</p>"},
    {"Prova H-H senza misura intermedia, poi confronta H-Z-H. Nella scheda Confronti puoi vedere come una fase "
     "diventa un risultato.",
     "Try H-H without an intermediate measurement, then compare H-Z-H. In Comparisons you can see a phase become "
     "an outcome."},
    {"<p>%1 preparazioni indipendenti (conteggio / frequenza osservata):</p>",
     "<p>%1 independent preparations (count / observed frequency):</p>"},
    {"%1: %2 / %3%<br>", "%1: %2 / %3%<br>"},
    {"Conserva A e B come copie indipendenti, scegli il passo di ciascuno e confronta probabilità e fasi. Le copie "
     "descrivono il circuito prima di eventuali misure.",
     "Keep A and B as independent copies, select each step and compare probabilities and phases. Copies describe "
     "the circuit before any measurements."},
    {"Carica confronto", "Load comparison"},
    {"Copia circuito corrente in A", "Copy current circuit to A"},
    {"Copia circuito corrente in B", "Copy current circuit to B"},
    {"Aggiungi H a entrambi (1 qubit)", "Append H to both (1 qubit)"},
    {"Passo A", "Step A"},
    {"Passo B", "Step B"},
    {"Nessuna copia", "No copy"},
    {"Stato", "State"},
    {"A: P %", "A: P %"},
    {"A: fase (gradi)", "A: phase (deg)"},
    {"B: P %", "B: P %"},
    {"B: fase (gradi)", "B: phase (deg)"},
    {"Frecce: direzione = fase, lunghezza = modulo. '-' = fase indefinita per ampiezza nulla. Le fasi usano una "
     "convenzione comune; una fase globale non cambia lo stato fisico.",
     "Arrows: direction = phase, length = magnitude. '-' = undefined phase for zero amplitude. Comparing phases "
     "requires a common convention; a global phase does not change the physical state."},
    {"Usa lo stesso numero di qubit in A e B.", "Use the same number of qubits in A and B."},
    {"Scegli un confronto pronto o acquisisci entrambe le copie.", "Choose a preset or capture both copies."},
    {"Conserva domanda, previsione, note e conclusioni insieme al circuito. Salva la sessione per riprendere il "
     "lavoro; esporta la scheda per stamparla.",
     "Keep your question, prediction, notes and conclusions with the circuit. Save a session to resume; export the "
     "worksheet to print."},
    {"Domanda dell’esperimento", "Experiment question"},
    {"Osservazioni", "Observations"},
    {"Che cosa ho capito", "What I understood"},
    {"Salva sessione...", "Save session..."},
    {"Apri sessione...", "Open session..."},
    {"Esporta scheda HTML...", "Export HTML worksheet..."},
    {"Sessione non ancora salvata", "Session not saved yet"},
    {" - modifiche da salvare", " - unsaved changes"},
    {"Chiudi", "Close"},
    {"Confronta |Bell+> = (|00> + |11>)/sqrt(2) con la miscela classica equiprobabile di |00> e |11>. Le basi sono "
     "ordinate q1 / q0.",
     "Compare |Bell+> = (|00> + |11>)/sqrt(2) with an equal classical mixture of |00> and |11>. Bases are ordered "
     "q1 / q0."},
    {"Esito q1q0", "Outcome q1q0"},
    {"Bell: P %", "Bell: P %"},
    {"Miscela: P %", "Mixture: P %"},
    {"<h3>Gli stessi conteggi non identificano uno stato</h3><p>In Z/Z entrambi danno 00 e 11 con probabilità 50%. "
     "In X/X Bell+ mantiene esiti uguali, mentre la miscela dà quattro esiti al 25%.</p><p>La miscela viene "
     "calcolata come ensemble classico: prepara 00 oppure 11 con peso 1/2, applica separatamente i cambi di base e "
     "somma le probabilità ottenute. Non si sommano ampiezze fra rami diversi.</p><p>La lettura in base X usa H "
     "seguita da una misura nella base computazionale. Questo distingue le due preparazioni note; non è una "
     "certificazione universale dell’entanglement. Le correlazioni non permettono messaggi più veloci della "
     "luce.</p>",
     "<h3>Same counts do not identify a state</h3><p>In Z/Z both cases give 00 and 11 with probability 50%. In X/X "
     "Bell+ still has equal outcomes, while the mixture has four outcomes at 25%.</p><p>The mixture is calculated "
     "as a classical ensemble: prepare 00 or 11 with weight 1/2, apply the basis changes separately, and add the "
     "resulting probabilities. Amplitudes from different branches are never added.</p><p>X-basis readout uses H "
     "followed by computational-basis measurement. This distinguishes these two known preparations; it is not a "
     "universal entanglement certificate. Correlations do not provide faster-than-light messaging.</p>"},
};
// clang-format on

static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<std::size_t>(kLearningTextCount),
              "one text pair per LearningText");

} // namespace

QString learningText(LearningText key, Language language)
{
    const auto index = static_cast<std::int32_t>(key);
    if (index < 0 || index >= kLearningTextCount) {
        return QStringLiteral("[missing text]");
    }
    return uiText(kTexts[index], language);
}

} // namespace Fasoria
