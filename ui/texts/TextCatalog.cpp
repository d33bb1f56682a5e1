#include "ui/texts/TextCatalog.h"

#include "core/CoreSelfTest.h"

#include <cstddef>
#include <iterator>

namespace Fasoria {
namespace {

/// One interface text in both languages, Italian first like every text pair of the program.
template <typename Key>
struct Entry
{
    Key key;
    TextPair text;
};
using TextEntry = Entry<TextKey>;
using MoreTextEntry = Entry<MoreText>;

// A lookup is a plain index, so row i must hold key i.
template <typename Key, std::size_t Count>
constexpr bool rowsFollowKeyOrder(const Entry<Key> (&rows)[Count])
{
    for (std::size_t i = 0; i < Count; ++i) {
        if (static_cast<std::size_t>(rows[i].key) != i)
            return false;
    }
    return true;
}

template <typename Key, std::size_t Count>
QString lookUp(const Entry<Key> (&rows)[Count], Key key, Language language)
{
    const auto index = static_cast<std::int32_t>(key);
    if (index < 0 || static_cast<std::size_t>(index) >= Count)
        return QStringLiteral("[missing text]");
    return uiText(rows[index].text, language);
}

// The titles of the engine checks are the engine's own, in its order from CheckPrepareZero on.
constexpr std::int32_t kFirstCoreCheckTitle = static_cast<std::int32_t>(TextKey::CheckPrepareZero);
static_assert(static_cast<std::int32_t>(TextKey::CheckErrorHandling) - kFirstCoreCheckTitle + 1 ==
                  static_cast<std::int32_t>(kCoreCheckCount),
              "one title per engine check");

constexpr TextEntry coreCheckRow(TextKey key)
{
    return {key,
            kCoreCheckNames[static_cast<std::size_t>(static_cast<std::int32_t>(key) - kFirstCoreCheckTitle)].title};
}

// One row per key, in key order: number, key, Italian, English. "\n" is a line break inside the text, runs
// of blanks belong to it, and %1..%4 are filled by the caller in the order documented at each use.
// clang-format off
constexpr TextEntry kTexts[] = {
    /*   0 */ {TextKey::AppTitle, "Fasoria - laboratorio quantistico", "Fasoria - quantum laboratory"},
    /*   1 */ {TextKey::HeaderTitle,
               "Fasoria | Il primo calcolo quantistico",
               "Fasoria | Your first quantum calculation"},
    /*   2 */ {TextKey::Subtitle,
               "Prima prova, osserva le ampiezze e le probabilità, poi scopri la spiegazione.",
               "Experiment first, observe amplitudes and probabilities, then discover why."},
    /*   3 */ {TextKey::LanguageLabel, "Lingua / Language:", "Language / Lingua:"},
    /*   4 */ {TextKey::LanguageTip,
               "Passa dall'italiano all'inglese e viceversa. L'esperimento, il quaderno e le scelte fatte restano invariati: cambiano solo i testi.",
               "Switch the interface between Italian and English. The experiment, the notebook and every selection are kept; only the texts change."},
    /*   5 */ {TextKey::TabLesson, "Lezione", "Lesson"},
    /*   6 */ {TextKey::TabAlgorithms, "Algoritmi", "Algorithms"},
    /*   7 */ {TextKey::TabEditor, "Editor", "Editor"},
    /*   8 */ {TextKey::TabMeasurements, "Misure", "Measurements"},
    /*   9 */ {TextKey::ExercisesBox, "Esperimenti e sfide", "Experiments and challenges"},
    /*  10 */ {TextKey::LessonsTip,
               "Scegli un esperimento: dimostrazioni guidate, sfide da risolvere e algoritmi quantistici. Ogni voce indica quanti qubit usa.",
               "Choose an experiment: guided demonstrations, challenges to solve and quantum algorithms. Each item shows how many qubits it uses."},
    /*  11 */ {TextKey::ResourcesBox,
               "Risorse richieste da questo esperimento",
               "Resources required by this experiment"},
    /*  12 */ {TextKey::RequiredQubits, "QUBIT NECESSARI: %1", "REQUIRED QUBITS: %1"},
    /*  13 */ {TextKey::BasisStates, "Stati di base: %2 (2^%1)", "Basis states: %2 (2^%1)"},
    /*  14 */ {TextKey::QubitCountTip,
               "Numero di qubit del registro di questo esperimento. Ogni qubit parte da |0>.",
               "Number of qubits in the register of this experiment. Each qubit starts in |0>."},
    /*  15 */ {TextKey::ResourceSummaryTip,
               "n qubit hanno 2^n stati di base e il simulatore memorizza un'ampiezza complessa per ciascuno: ogni qubit in più raddoppia la memoria.",
               "n qubits have 2^n basis states, and the simulator stores one complex amplitude for each: every extra qubit doubles the memory."},
    /*  16 */ {TextKey::InitialPreparation,
               "Preparazione iniziale: %1    |    Qubit: %2",
               "Initial preparation: %1    |    Qubits: %2"},
    /*  17 */ {TextKey::InitialStateTip,
               "Ogni prova parte dallo stato con tutti i qubit in |0>, elencati qui dal qubit più alto fino a q0.",
               "Every run starts from the state with all qubits in |0>, listed here from the highest qubit down to q0."},
    /*  18 */ {TextKey::OperationsCount, "Operazioni: %1 / %2", "Operations: %1 / %2"},
    /*  19 */ {TextKey::MeasuredSuffix, "    |    MISURATO", "    |    MEASURED"},
    /*  20 */ {TextKey::QuestionTip,
               "La domanda di questo esperimento: prova a rispondere prima di eseguire il circuito.",
               "The question of this experiment: try to answer it before you run the circuit."},
    /*  21 */ {TextKey::RestartButton, "Ricomincia", "Restart"},
    /*  22 */ {TextKey::RestartTip,
               "Prepara di nuovo lo stato iniziale e torna all'inizio del circuito. La misura, le preparazioni ripetute e la previsione vengono azzerate.",
               "Prepare the initial state again and return to the start of the circuit. The measurement, the repeated preparations and the prediction are cleared."},
    /*  23 */ {TextKey::NextButton, "Passo successivo", "Next step"},
    /*  24 */ {TextKey::NextTip,
               "Applica l'operazione successiva del circuito allo stato visualizzato e osserva come cambiano le ampiezze.",
               "Apply the next operation of the circuit to the displayed state and watch how the amplitudes change."},
    /*  25 */ {TextKey::MeasureBox, "Misure ed esperimenti", "Measurements and experiments"},
    /*  26 */ {TextKey::MeasureButton, "Misura una volta (collasso)", "Measure once (collapse)"},
    /*  27 */ {TextKey::MeasureTip,
               "Misura una volta tutti i qubit: il risultato è casuale, con le probabilità della tabella, e lo stato collassa su di esso.",
               "Measure every qubit once: the outcome is random, with the probabilities shown in the table, and the state collapses onto it."},
    /*  28 */ {TextKey::ShotsButton, "Ripeti preparazioni", "Repeat preparations"},
    /*  29 */ {TextKey::ShotsTip,
               "Prepara di nuovo lo stato attuale e misuralo tante volte quante indicate nell'elenco; conteggi e frequenze compaiono nella tabella. Lo stato visualizzato non cambia.",
               "Prepare the current state again and measure it as many times as chosen in the list; the counts and frequencies appear in the table. The displayed state does not change."},
    /*  30 */ {TextKey::ShotsHint,
               "La misura singola modifica lo stato. Le prove ripetute sono preparazioni indipendenti dello stesso circuito e NON modificano lo stato visualizzato.",
               "One measurement changes the state. Repeated shots are independent preparations of the same circuit and do NOT change the displayed state."},
    /*  31 */ {TextKey::ExplanationBox, "Cosa abbiamo scoperto", "What we discovered"},
    /*  32 */ {TextKey::ExplanationStart,
               "Qual è la tua ipotesi prima di premere il pulsante? Poi confrontala con l'osservazione.",
               "Make a prediction before pressing the button. Then compare it with what happens."},
    /*  33 */ {TextKey::ExplanationTip,
               "Che cosa ha fatto l'ultima operazione; a fine circuito, la spiegazione del risultato.",
               "What the last operation did; at the end of the circuit, the explanation of the result."},
    /*  34 */ {TextKey::ExplanationMeasured,
               "Hai eseguito una misura distruttiva. La tabella mostra lo stato DOPO il collasso. Ricomincia per ricreare la sovrapposizione.",
               "You performed a destructive measurement. The table now shows the state AFTER collapse. Restart to prepare the superposition again."},
    /*  35 */ {TextKey::ValidationButton, "Validazione scientifica e report", "Scientific validation and report"},
    /*  36 */ {TextKey::ValidationTip,
               "Verifica che il simulatore calcoli correttamente: stati di riferimento, un confronto indipendente e controlli sui file, con un report PASS/FAIL esportabile in JSON.",
               "Check that the simulator computes correctly: reference states, an independent cross-check and file checks, with a PASS/FAIL report you can export as JSON."},
    /*  37 */ {TextKey::StatesTitle,
               "Dentro la macchina: ampiezze complesse e probabilità",
               "Inside the machine: complex amplitudes and probabilities"},
    /*  38 */ {TextKey::TableTip,
               "Una riga per ogni stato di base: parte reale e immaginaria dell'ampiezza, fase, probabilità e, dopo le preparazioni ripetute, conteggi e frequenze.",
               "One row per basis state: real and imaginary part of the amplitude, phase, probability and, after repeated preparations, counts and frequencies."},
    /*  39 */ {TextKey::ColumnState, "|stato>", "|state>"},
    /*  40 */ {TextKey::ColumnRe, "Re", "Re"},
    /*  41 */ {TextKey::ColumnIm, "Im", "Im"},
    /*  42 */ {TextKey::ColumnPhase, "Fase (°)", "Phase (°)"},
    /*  43 */ {TextKey::ColumnProbability, "P (%)", "P (%)"},
    /*  44 */ {TextKey::ColumnCount, "Conteggio", "Count"},
    /*  45 */ {TextKey::ColumnStateTip,
               "Stato di base, scritto con q0 come bit di destra.",
               "Basis state, written with q0 as the rightmost bit."},
    /*  46 */ {TextKey::ColumnReTip, "Parte reale dell'ampiezza complessa.", "Real part of the complex amplitude."},
    /*  47 */ {TextKey::ColumnImTip,
               "Parte immaginaria dell'ampiezza complessa.",
               "Imaginary part of the complex amplitude."},
    /*  48 */ {TextKey::ColumnPhaseTip,
               "Argomento dell'ampiezza in gradi. Indefinito quando l'ampiezza è zero.",
               "Complex amplitude argument in degrees. Undefined when amplitude is zero."},
    /*  49 */ {TextKey::ColumnProbabilityTip,
               "Probabilità di misurare questo stato di base, in percentuale: il modulo quadro della sua ampiezza. Tutte le probabilità sommano a 100%.",
               "Probability of measuring this basis state, in percent: the squared modulus of its amplitude. All probabilities add up to 100%."},
    /*  50 */ {TextKey::ColumnCountTip,
               "Quante volte è uscito questo risultato nelle ultime preparazioni ripetute; un trattino finché non le ripeti.",
               "How many times this outcome appeared in the last repeated preparations; a dash until you repeat them."},
    /*  51 */ {TextKey::NormLabel,
               "Somma delle probabilità: %1    |    q0 = bit di destra    |    Fase per ampiezza nulla: indefinita",
               "Sum of probabilities: %1    |    q0 = rightmost bit    |    Phase at zero amplitude: undefined"},
    /*  52 */ {TextKey::NotebookTitle, "Quaderno di laboratorio", "Laboratory notebook"},
    /*  53 */ {TextKey::NotebookTip,
               "Tutti i passi dell'esperimento, in ordine. Cambiando lingua l'intero quaderno viene riscritto nella nuova lingua.",
               "Every step of the experiment, in order. A language switch rewrites the whole notebook in the new language."},
    /*  54 */ {TextKey::StatusEngine,
               "FasoriaCore: vettore di stato esatto in doppia precisione, ideale e senza rumore | q0 = bit meno significativo | %1 %2",
               "FasoriaCore: exact double-precision state vector, ideal and noise-free | q0 = least-significant bit | %1 %2"},
    /*  55 */ {TextKey::LogPrepared, "\n=== %1 ===\nPreparato %2 (%3 %4).", "\n=== %1 ===\nPrepared %2 (%3 %4)."},
    /*  56 */ {TextKey::LogStep, "Passo %1: %2", "Step %1: %2"},
    /*  57 */ {TextKey::LogMeasure,
               "MISURA -> %1. Stato collassato: premi Ricomincia per una nuova prova.",
               "MEASURE -> %1. State collapsed: press Restart for a new run."},
    /*  58 */ {TextKey::LogPreparations,
               "%3 preparazioni indipendenti -> risultato più frequente: %1 (%2 volte).",
               "%3 independent preparations -> most frequent outcome: %1 (%2 times)."},
    /*  59 */ {TextKey::LogValidation,
               "Validazione: %1 / %2 verifiche superate. Dettagli ed esportazione disponibili.",
               "Validation: %1 / %2 checks passed. Details and export available."},
    /*  60 */ {TextKey::ValidationDialogTitle, "Fasoria - Validazione scientifica", "Fasoria - Scientific validation"},
    /*  61 */ {TextKey::ValidationSummary,
               "Validazione: %1 / %2 verifiche superate. Dettagli ed esportazione disponibili.",
               "Validation: %1 / %2 checks passed. Details and export available."},
    /*  62 */ {TextKey::LessonItem, "%1   [%2 %3]", "%1   [%2 %3]"},
    /*  63 */ {TextKey::QubitSingular, "qubit", "qubit"},
    /*  64 */ {TextKey::QubitPlural, "qubit", "qubits"},
    /*  65 */ coreCheckRow(TextKey::CheckPrepareZero),
    /*  66 */ coreCheckRow(TextKey::CheckHadamard),
    /*  67 */ coreCheckRow(TextKey::CheckIdentityHH),
    /*  68 */ coreCheckRow(TextKey::CheckPauliXZ),
    /*  69 */ coreCheckRow(TextKey::CheckRelativePhase),
    /*  70 */ coreCheckRow(TextKey::CheckPhaseRotation),
    /*  71 */ coreCheckRow(TextKey::CheckBell),
    /*  72 */ coreCheckRow(TextKey::CheckPartialMeasurement),
    /*  73 */ coreCheckRow(TextKey::CheckFullMeasurement),
    /*  74 */ coreCheckRow(TextKey::CheckIndependentShots),
    /*  75 */ coreCheckRow(TextKey::CheckErrorHandling),
    /*  76 */ {TextKey::CircuitBox, "Circuito quantistico - navigazione", "Quantum circuit - navigation"},
    /*  77 */ {TextKey::CircuitTip,
               "Clicca una porta per ricostruire lo stato subito dopo di essa, oppure |0> per tornare all'inizio. Ingrandisci con i pulsanti o la rotellina; trascina con il tasto centrale per spostarti.",
               "Click a gate to rebuild the state right after it, or |0> to go back to the start. Zoom with the buttons or the mouse wheel; drag with the middle button to move around."},
    /*  78 */ {TextKey::CircuitHint,
               "Blu: passo attuale; verde: operazioni già applicate; grigio: operazioni ancora da eseguire. M indica dove avviene la misura.",
               "Blue: current stage; green: operations already applied; gray: operations still to come. M marks where the measurement happens."},
    /*  79 */ {TextKey::CircuitStage, "Stato dopo %1 di %2 operazioni", "State after %1 of %2 operations"},
    /*  80 */ {TextKey::StageZeroTip,
               "Preparazione iniziale |00...0>. Clicca per tornare allo stato prima di ogni porta.",
               "Initial preparation |00...0>. Click to return to the state before all gates."},
    /*  81 */ {TextKey::StageTip,
               "Passo %1: %2\nClicca per ricostruire lo stato immediatamente dopo questa operazione.",
               "Step %1: %2\nClick to rebuild the state immediately after this operation."},
    /*  82 */ {TextKey::MeasurementSymbolTip,
               "M è il simbolo della misura, non una porta eseguita automaticamente. Usa il pulsante di misura per provocare il collasso.",
               "M is the measurement symbol, not an automatically executed gate. Use Measure to collapse the state."},
    /*  83 */ {TextKey::MeasuredMark, "MISURATO", "MEASURED"},
    /*  84 */ {TextKey::PreviousButton, "Passo precedente", "Previous step"},
    /*  85 */ {TextKey::PreviousTip,
               "Torna indietro di un'operazione: lo stato viene ricostruito dalla preparazione iniziale, senza alcun collasso.",
               "Go back one operation: the state is rebuilt from the initial preparation, without any collapse."},
    /*  86 */ {TextKey::ZoomIn, "Zoom +", "Zoom +"},
    /*  87 */ {TextKey::ZoomOut, "Zoom -", "Zoom -"},
    /*  88 */ {TextKey::Fit, "Adatta", "Fit"},
    /*  89 */ {TextKey::ZoomTip,
               "Ingrandisci o riduci il disegno del circuito, oppure adattalo di nuovo alla finestra.",
               "Enlarge or reduce the circuit drawing, or fit it to the window again."},
    /*  90 */ {TextKey::LogNavigation,
               "Navigazione: ricostruito lo stato dopo %1 operazioni (misure azzerate).",
               "Navigation: rebuilt state after %1 operations (measurements reset)."},
    /*  91 */ {TextKey::EditorBox, "Editor del circuito (copia di lavoro)", "Circuit editor (working copy)"},
    /*  92 */ {TextKey::EditCopyButton, "Modifica una copia", "Edit a copy"},
    /*  93 */ {TextKey::RestoreLessonButton, "Ripristina lezione", "Restore lesson"},
    /*  94 */ {TextKey::QubitsLabel, "Qubit:", "Qubits:"},
    /*  95 */ {TextKey::ApplyButton, "Applica", "Apply"},
    /*  96 */ {TextKey::GateLabel, "Porta:", "Gate:"},
    /*  97 */ {TextKey::TargetLabel, "Bersaglio:", "Target:"},
    /*  98 */ {TextKey::ControlLabel, "Controllo:", "Control:"},
    /*  99 */ {TextKey::PhaseLabel, "Fase:", "Phase:"},
    /* 100 */ {TextKey::InsertButton, "Inserisci dopo", "Insert after"},
    /* 101 */ {TextKey::ReplaceButton, "Sostituisci", "Replace"},
    /* 102 */ {TextKey::DeleteButton, "Elimina", "Delete"},
    /* 103 */ {TextKey::MoveLeftButton, "Sposta a sinistra", "Move left"},
    /* 104 */ {TextKey::MoveRightButton, "Sposta a destra", "Move right"},
    /* 105 */ {TextKey::EditorHintProtected,
               "Le lezioni sono protette: premi 'Modifica una copia' per sperimentare liberamente.",
               "Lessons are protected: click 'Edit a copy' to experiment freely."},
    /* 106 */ {TextKey::EditorHintEditing,
               "Clicca una porta; inserisci DOPO il passo scelto (0 = inizio). Salva il circuito dal menu File.",
               "Select a gate; insert AFTER the selected stage (0 = beginning). Save the circuit from the File menu."},
    /* 107 */ {TextKey::EditCopyTip,
               "Crea una copia di lavoro modificabile del circuito di questa lezione; la lezione resta protetta.",
               "Make an editable working copy of this lesson's circuit; the lesson itself stays protected."},
    /* 108 */ {TextKey::RestoreLessonTip,
               "Scarta la copia di lavoro e torna al circuito originale della lezione.",
               "Discard the working copy and return to the original lesson circuit."},
    /* 109 */ {TextKey::InsertTip,
               "Inserisci la porta impostata qui sotto dopo il passo selezionato (passo 0 = all'inizio).",
               "Insert the gate set below after the selected stage (stage 0 = at the beginning)."},
    /* 110 */ {TextKey::SelectGateTip,
               "Agisce sulla porta selezionata: prima clicca una porta nel circuito.",
               "Acts on the selected gate: first click a gate in the circuit."},
    /* 111 */ {TextKey::QubitsTip,
               "Imposta il numero di qubit del circuito di lavoro (da 1 a 8). Un qubit si può rimuovere solo se nessuna porta lo usa.",
               "Set the number of qubits of the working circuit (1 to 8). A qubit can be removed only when no gate uses it."},
    /* 112 */ {TextKey::GateTip,
               "Tipo di porta da inserire o da mettere al posto di quella selezionata: H, X, Z, P o CNOT.",
               "Kind of gate to insert or to put in place of the selected one: H, X, Z, P or CNOT."},
    /* 113 */ {TextKey::TargetTip,
               "Qubit su cui agisce la porta; q0 è il bit di destra.",
               "Qubit the gate acts on; q0 is the rightmost bit."},
    /* 114 */ {TextKey::ControlTip,
               "Per la porta CNOT: qubit di controllo, diverso dal bersaglio.",
               "For the CNOT gate: control qubit, which must differ from the target."},
    /* 115 */ {TextKey::PhaseTip,
               "Per la porta P: angolo della fase in gradi.",
               "For the P gate: phase angle in degrees."},
    /* 116 */ {TextKey::InvalidEditTitle, "Modifica non valida", "Invalid edit"},
    /* 117 */ {TextKey::QubitReductionError,
               "Non posso ridurre i qubit: ci sono porte che usano quelli da rimuovere.",
               "Cannot reduce qubits: some gates still use qubits being removed."},
    /* 118 */ {TextKey::LogEditor, "EDITOR: %1 | passo selezionato %2", "EDITOR: %1 | selected stage %2"},
    /* 119 */ {TextKey::FreeLabQuestion,
               "Laboratorio libero: modifica le porte e prova a prevedere come cambia lo stato.",
               "Free lab: change gates and predict what will happen to the state."},
    /* 120 */ {TextKey::FreeLabStart,
               "Stato iniziale |0...0>: scegli una porta o clicca sul circuito per esplorarne i passi.",
               "Initial state |0...0>: choose a gate or click the circuit to explore its stages."},
    /* 121 */ {TextKey::FreeLabEnd,
               "Fine del circuito modificato. Confronta il risultato con quello che ti aspettavi.",
               "End of the edited circuit. Compare the result with your prediction."},
    /* 122 */ {TextKey::FileMenu, "&File", "&File"},
    /* 123 */ {TextKey::NewAction, "&Nuovo circuito", "&New circuit"},
    /* 124 */ {TextKey::OpenAction, "&Apri circuito...", "&Open circuit..."},
    /* 125 */ {TextKey::SaveAction, "&Salva circuito", "&Save circuit"},
    /* 126 */ {TextKey::SaveAsAction, "Salva circuito &con nome...", "Save circuit &as..."},
    /* 127 */ {TextKey::ExportAction, "&Esporta risultati...", "&Export results..."},
    /* 128 */ {TextKey::ExitAction, "&Esci", "E&xit"},
    /* 129 */ {TextKey::HelpMenu, "&Aiuto", "&Help"},
    /* 130 */ {TextKey::GatesGuideAction, "Guida alle porte e ai concetti...", "Quantum gates and concepts..."},
    /* 131 */ {TextKey::PredictionBox, "La tua previsione", "Your prediction"},
    /* 132 */ {TextKey::PredictionHint,
               "Prima del primo passo scegli il risultato che ti aspetti e registralo. A fine circuito viene confrontato con la teoria e con le preparazioni ripetute.",
               "Before the first step, choose the outcome you expect and record it. At the end of the circuit it is compared with theory and with repeated preparations."},
    /* 133 */ {TextKey::PredictionPlaceholder, "Scegli uno stato...", "Select an outcome..."},
    /* 134 */ {TextKey::PredictionButton, "Registra previsione", "Record prediction"},
    /* 135 */ {TextKey::PredictionRecorded,
               "Previsione registrata: |%1>. Ora esegui il circuito.",
               "Prediction recorded: |%1>. Now run the circuit."},
    /* 136 */ {TextKey::PredictionMissing,
               "Registra una previsione prima di partire.",
               "Record a prediction before you start."},
    /* 137 */ {TextKey::PredictionShort, "Previsione: |%1>.", "Prediction: |%1>."},
    /* 138 */ {TextKey::PredictionTheory,
               " Probabilità teorica a fine circuito: %1%.",
               " Theoretical probability at circuit end: %1%."},
    /* 139 */ {TextKey::PredictionObserved,
               " Frequenza osservata: %1 su %2 (%3%).",
               " Observed frequency: %1 of %2 (%3%)."},
    /* 140 */ {TextKey::PredictionIncomplete,
               " Concludi il circuito per confrontare l'ipotesi con la teoria.",
               " Complete the circuit to compare your hypothesis with theory."},
    /* 141 */ {TextKey::LogPrediction, "PREVISIONE -> |%1>", "PREDICTION -> |%1>"},
    /* 142 */ {TextKey::ModifiedTitle, "Circuito modificato", "Modified circuit"},
    /* 143 */ {TextKey::ModifiedQuestion,
               "Salvare il circuito prima di continuare?",
               "Save the circuit before continuing?"},
    /* 144 */ {TextKey::SaveErrorTitle, "Errore di salvataggio", "Save error"},
    /* 145 */ {TextKey::OpenErrorTitle, "Errore di apertura", "Open error"},
    /* 146 */ {TextKey::ExportDone, "Risultati esportati in %1", "Results exported to %1"},
    /* 147 */ {TextKey::CircuitCaption, "Circuito: %1%2", "Circuit: %1%2"},
    /* 148 */ {TextKey::ChallengeBox, "Sfida: costruisci tu il circuito", "Challenge: build the circuit yourself"},
    /* 149 */ {TextKey::ChallengeTargetTip,
               "Lo stato che il tuo circuito deve preparare partendo da |0...0>. Una fase globale non conta, le fasi relative sì.",
               "The state your circuit must prepare from |0...0>. A global phase does not matter; relative phases do."},
    /* 150 */ {TextKey::CheckSolutionButton, "Verifica soluzione", "Check solution"},
    /* 151 */ {TextKey::ShowHintButton, "Mostra suggerimento", "Show hint"},
    /* 152 */ {TextKey::CheckSolutionTip,
               "Confronta lo stato prodotto dall'intero circuito con lo stato richiesto e controlla le regole dell'esercizio.",
               "Compare the state produced by your whole circuit with the target state and check the rules of the exercise."},
    /* 153 */ {TextKey::ShowHintTip,
               "Mostra il suggerimento successivo, dal più vago al più esplicito (al massimo tre). Ogni suggerimento viene annotato nel quaderno.",
               "Reveal the next hint, from gentle to explicit (three at most). Each hint is noted in the notebook."},
    /* 154 */ {TextKey::NoHint, "Nessun suggerimento mostrato: prova da solo!", "No hint shown: give it a try first!"},
    /* 155 */ {TextKey::HintPrefix, "Suggerimento %1: ", "Hint %1: "},
    /* 156 */ {TextKey::NotChecked, "Circuito non ancora verificato.", "Circuit not checked yet."},
    /* 157 */ {TextKey::Solved, "RISOLTO! Lo stato quantistico è corretto.", "SOLVED! The quantum state is correct."},
    /* 158 */ {TextKey::NeedMoreGates,
               "Servono più porte per rispettare la consegna.",
               "More gates are required by this exercise."},
    /* 159 */ {TextKey::RequiredGateMissing,
               "Manca una porta obbligatoria prevista dalla consegna.",
               "A gate required by the exercise is missing."},
    /* 160 */ {TextKey::NotYet,
               "Non ancora: ampiezze o fasi non corrispondono allo stato richiesto.",
               "Not yet: amplitudes or phases differ from the target state."},
    /* 161 */ {TextKey::WrongQubitCount,
               "Numero di qubit diverso da quello richiesto dalla sfida.",
               "The circuit uses a different number of qubits than this challenge."},
    /* 162 */ {TextKey::ForbiddenX, "La consegna vieta l'uso di X in questa sfida.", "This challenge forbids using X."},
    /* 163 */ {TextKey::Fidelity, "  Fedeltà dello stato: %1%.", "  State fidelity: %1%."},
    /* 164 */ {TextKey::LogHint, "SFIDA - suggerimento %1: ", "CHALLENGE - hint %1: "},
    /* 165 */ {TextKey::LogChallengeSolved, "SFIDA SUPERATA - fedeltà %1%.", "CHALLENGE SOLVED - fidelity %1%."},
    /* 166 */ {TextKey::LogChallengeIncomplete,
               "SFIDA DA COMPLETARE - fedeltà %1%.",
               "CHALLENGE INCOMPLETE - fidelity %1%."},
    /* 167 */ {TextKey::AlgorithmBox, "Algoritmo: due modi di calcolare", "Algorithm: two ways to compute"},
    /* 168 */ {TextKey::RunCompleteButton, "Esegui circuito completo", "Run complete circuit"},
    /* 169 */ {TextKey::RunCompleteTip,
               "Applica l'intero circuito e mostra lo stato finale dell'algoritmo, senza il collasso di una misura.",
               "Apply the whole circuit and show the final state of the algorithm, without any measurement collapse."},
    /* 170 */ {TextKey::Oracle, "ORACOLO: %1", "ORACLE: %1"},
    /* 171 */ {TextKey::ClassicalMethod, "METODO CLASSICO: %1", "CLASSICAL METHOD: %1"},
    /* 172 */ {TextKey::QueryStats,
               "Interrogazioni all'oracolo (classico massimo per certezza / quantistico): %1 / %2.  Porte elementari quantistiche: %3.",
               "Oracle queries (classical worst case for certainty / quantum): %1 / %2.  Quantum primitive gates: %3."},
    /* 173 */ {TextKey::Readout, "RISULTATO DA LEGGERE: %1", "READOUT: %1"},
    /* 174 */ {TextKey::StepProbability,
               "Probabilità corretta al passo %1: %2% (a circuito completo: %3%).",
               "Correct-output probability at step %1: %2% (full circuit: %3%)."},
    /* 175 */ {TextKey::FinalProbability, "Probabilità teorica finale: %1%", "Final theoretical probability: %1%"},
    /* 176 */ {TextKey::QueryCaveat,
               "Un'interrogazione all'oracolo non è una singola porta elementare: i conteggi confrontano le chiamate all'oracolo, non il tempo di calcolo. Il successo di Grover può essere probabilistico.",
               "One oracle query is not one elementary gate: the counts compare calls to the oracle, not running time. Grover's success may be probabilistic."},
    /* 177 */ {TextKey::CheckpointLabel,
               "Naviga nelle fasi logiche dell'algoritmo:",
               "Navigate the algorithm's logical stages:"},
    /* 178 */ {TextKey::GoToStageButton, "Vai alla fase", "Go to stage"},
    /* 179 */ {TextKey::GoToStageTip,
               "Ricostruisci lo stato alla fine della fase scelta e centra il disegno su di essa.",
               "Rebuild the state at the end of the chosen stage and centre the drawing on it."},
    /* 180 */ {TextKey::ParametricBox, "Laboratorio: cambia il problema", "Lab: change the problem"},
    /* 181 */ {TextKey::ParametricIntro,
               "Scegli un algoritmo e i suoi parametri: il laboratorio costruisce il circuito corrispondente, che puoi poi eseguire passo per passo, modificare e salvare.",
               "Choose an algorithm and its parameters: the lab builds the matching circuit, which you can then step through, edit and save."},
    /* 182 */ {TextKey::AlgorithmLabel, "Algoritmo:", "Algorithm:"},
    /* 183 */ {TextKey::DataQubitsLabel, "Qubit dati:", "Data qubits:"},
    /* 184 */ {TextKey::MarkedLabel, "Numero cercato:", "Marked number:"},
    /* 185 */ {TextKey::IterationsLabel, "Iterazioni:", "Iterations:"},
    /* 186 */ {TextKey::SecretLabel, "Segreto (decimale):", "Secret (decimal):"},
    /* 187 */ {TextKey::FunctionLabel, "Funzione f(x):", "Function f(x):"},
    /* 188 */ {TextKey::GenerateButton, "Genera e apri il circuito", "Generate and open circuit"},
    /* 189 */ {TextKey::GenerateHint,
               "La generazione sostituisce il circuito di lavoro. Salva prima le modifiche importanti.",
               "Generation replaces the working circuit. Save important edits first."},
    /* 190 */ {TextKey::ParametricReady,
               "Circuito parametrico pronto: %1 porte. Modifica liberamente, oppure naviga nei checkpoint.",
               "Parametric circuit ready: %1 gates. Edit it or navigate its checkpoints."},
    /* 191 */ {TextKey::ParametricNote,
               "Costruisce un circuito di Deutsch, Bernstein-Vazirani o Grover con questi parametri e lo apre come circuito di lavoro, con i suoi checkpoint.",
               "Builds a Deutsch, Bernstein-Vazirani or Grover circuit from these parameters and opens it as the working circuit, with its checkpoints."},
};
// clang-format on

static_assert(std::size(kTexts) == kTextKeyCount, "one row per key");

static_assert(rowsFollowKeyOrder(kTexts), "rows out of key order");

// clang-format off
constexpr MoreTextEntry kMoreTexts[] = {
    {MoreText::ReplaceTitle, "Sostituire il file?", "Replace the file?"},
    {MoreText::ReplaceQuestion,
     "Esiste già un file di nome «%1». Vuoi sostituirlo?",
     "A file named \"%1\" already exists. Do you want to replace it?"},
    {MoreText::AlgorithmHandbookLink,
     "<a href=\"chapter-oracles\">Nel manuale: algoritmi e oracoli, passo per passo</a>",
     "<a href=\"chapter-oracles\">In the handbook: algorithms and oracles, step by step</a>"},
    {MoreText::LearningHandbookLink,
     "<a href=\"chapter-education\">Nel manuale: come usare il laboratorio didattico</a>",
     "<a href=\"chapter-education\">In the handbook: how to use the learning lab</a>"},
    {MoreText::ImportQasmAction, "Importa OpenQASM 2.0...", "Import OpenQASM 2.0..."},
    {MoreText::ExportQasmAction, "Esporta OpenQASM 2.0...", "Export OpenQASM 2.0..."},
    {MoreText::ExportPictureAction, "Esporta immagine del circuito...", "Export circuit picture..."},
    {MoreText::ImportQasmTitle, "Importa OpenQASM 2.0", "Import OpenQASM 2.0"},
    {MoreText::ExportQasmTitle, "Esporta OpenQASM 2.0", "Export OpenQASM 2.0"},
    {MoreText::ExportPictureTitle, "Esporta immagine del circuito", "Export circuit picture"},
    {MoreText::QasmRefused,
     "Il file OpenQASM non può diventare il circuito di lavoro:\n%1",
     "The OpenQASM file cannot become the working circuit:\n%1"},
    {MoreText::QasmSkipped,
     "Il circuito importato non contiene queste istruzioni del file:\n%1\n\nSostituire il circuito di lavoro con quello importato?",
     "The imported circuit leaves out these statements of the file:\n%1\n\nReplace the working circuit with the imported one?"},
    {MoreText::ExportFailed, "Esportazione non riuscita:\n%1", "The export failed:\n%1"},
    {MoreText::CircuitDrawingName, "Disegno del circuito, passo %1 di %2, filo scelto q%3",
     "Circuit drawing, step %1 of %2, chosen wire q%3"},
    {MoreText::CircuitDrawingKeys,
     "Sinistra e Destra: passo precedente e successivo. Inizio e Fine: primo e ultimo passo. + e -: ingrandisci e riduci. 0: adatta. "
     "Su e Giù: scegli il filo. H, X, Z, P e C: inserisci quella porta sul filo scelto dopo il passo mostrato. "
     "Canc: elimina la porta del passo mostrato. Alt+Sinistra e Alt+Destra: spostala. Invio su una porta P: cambiane l'angolo.",
     "Left and Right: previous and next step. Home and End: first and last step. + and -: zoom in and out. 0: fit. "
     "Up and Down: choose a wire. H, X, Z, P and C: insert that gate on the chosen wire after the shown step. "
     "Delete: remove the shown step's gate. Alt+Left and Alt+Right: move it. Enter on a P gate: change its angle."},
    {MoreText::QubitsTab, "Qubit", "Qubits"},
    {MoreText::OpenChallengeAction, "Apri sfida...", "Open challenge..."},
    {MoreText::OpenChallengeTitle, "Apri sfida", "Open challenge"},
    {MoreText::ColumnFrequency, "Frequenza %", "Frequency %"},
    {MoreText::PredictionAtStart,
     "Torna all'inizio (passo 0) per registrare una previsione.",
     "Go back to the start (stage 0) to record a prediction."},
    // Saving a lesson into a pack
    {MoreText::PackLessonAction, "Salva come lezione di un pacchetto...", "Save as pack lesson..."},
    {MoreText::PackLessonActionTip,
     "Trasforma il circuito di lavoro in una lezione guidata, con domanda, spiegazioni e testi in italiano e in inglese, e la aggiunge a un pacchetto di lezioni nuovo o esistente.",
     "Turns the working circuit into a guided lesson, with its question, explanations and texts in Italian and English, and adds it to a new or existing lesson pack."},
    {MoreText::PackLessonTitle, "Salva come lezione di un pacchetto", "Save as pack lesson"},
    {MoreText::PackLessonNewPack, "Nuovo pacchetto di lezioni nel file %1", "New lesson pack in the file %1"},
    {MoreText::PackLessonExistingPack,
     "Pacchetto «%1» nel file %2. Lezioni già presenti: %3.",
     "Pack \"%1\" in the file %2. Lessons already in it: %3."},
    {MoreText::PackLessonPackBox, "Nuovo pacchetto", "New pack"},
    {MoreText::PackLessonLessonBox, "Lezione", "Lesson"},
    {MoreText::PackLessonStepsBox,
     "Spiegazione di ogni passo (facoltativa: tutti i passi in entrambe le lingue, oppure nessuno)",
     "Explanation of each step (optional: every step in both languages, or none)"},
    {MoreText::PackLessonPackTitleField, "Titolo del pacchetto", "Pack title"},
    {MoreText::PackLessonIdField, "Identificativo", "Id"},
    {MoreText::PackLessonIdTip,
     "Da 1 a %1 lettere ASCII, cifre e trattini, diverso da quello delle altre lezioni del pacchetto (per esempio bell-1).",
     "1 to %1 ASCII letters, digits and hyphens, unlike the ids of the pack's other lessons (for example bell-1)."},
    {MoreText::PackLessonTitleField, "Titolo", "Title"},
    {MoreText::PackLessonQuestionField, "Domanda", "Question"},
    {MoreText::PackLessonExplanationField, "Spiegazione finale", "Closing explanation"},
    {MoreText::PackLessonStepColumn, "Passo", "Step"},
    {MoreText::PackLessonItalianColumn, "Italiano", "Italian"},
    {MoreText::PackLessonEnglishColumn, "Inglese", "English"},
    {MoreText::PackLessonItalianWord, "italiano", "Italian"},
    {MoreText::PackLessonEnglishWord, "inglese", "English"},
    {MoreText::PackLessonSaveButton, "Salva nel pacchetto", "Save into pack"},
    {MoreText::PackLessonCancelButton, "Annulla", "Cancel"},
    {MoreText::PackLessonReady, "La lezione è pronta per essere salvata.", "The lesson is ready to be saved."},
    {MoreText::PackLessonBlank, "%1: il campo è vuoto.", "%1: the field is empty."},
    {MoreText::PackLessonNotPlain,
     "%1: il testo deve stare su una sola riga, senza caratteri di controllo.",
     "%1: the text must fit on one line, without control characters."},
    {MoreText::PackLessonTooLong, "%1: al massimo %2 caratteri (ora %3).", "%1: at most %2 characters (now %3)."},
    {MoreText::PackLessonIdShape,
     "%1: da 1 a %2 lettere ASCII, cifre e trattini, senza spazi.",
     "%1: 1 to %2 ASCII letters, digits and hyphens, without spaces."},
    {MoreText::PackLessonIdTaken,
     "Il pacchetto ha già una lezione «%1»: scegli un altro identificativo.",
     "The pack already has a lesson \"%1\": choose another id."},
    {MoreText::PackLessonPackFull,
     "Il pacchetto contiene già %1 lezioni, il massimo consentito: scegli un altro pacchetto.",
     "The pack already holds %1 lessons, the most it can hold: choose another pack."},
    {MoreText::PackLessonStepMissing,
     "Passo %1: manca la spiegazione in %2. Spiega ogni passo in entrambe le lingue, oppure lascia vuota tutta la tabella.",
     "Step %1: the %2 explanation is missing. Explain every step in both languages, or leave the whole table empty."},
    {MoreText::PackLessonCircuitRefused,
     "Il circuito di lavoro non può diventare una lezione del pacchetto:\n%1",
     "The working circuit cannot become a lesson of the pack:\n%1"},
    {MoreText::PackLessonUnreadable,
     "Il pacchetto %1 non si può leggere e non è stato modificato:\n%2",
     "The pack %1 cannot be read and was not changed:\n%2"},
    {MoreText::PackLessonNotSaved,
     "La lezione non è stata salvata e il file %1 è rimasto com'era:\n%2",
     "The lesson was not saved and the file %1 is as it was:\n%2"},
    {MoreText::PackLessonSaved, "Lezione «%1» salvata nel pacchetto %2", "Lesson \"%1\" saved into the pack %2"},
};
// clang-format on
static_assert(std::size(kMoreTexts) == kMoreTextCount, "one row per key");

static_assert(rowsFollowKeyOrder(kMoreTexts), "rows out of key order");

} // namespace

QString uiText(TextKey key, Language language)
{
    return lookUp(kTexts, key, language);
}

QString uiText(MoreText key, Language language)
{
    return lookUp(kMoreTexts, key, language);
}

QString qubitWord(std::int64_t count, Language language)
{
    return uiText(count == 1 ? TextKey::QubitSingular : TextKey::QubitPlural, language);
}

QString uiText(const TextPair &text, Language language)
{
    const char *chosen = pick(language, text);
    return QString::fromUtf8(chosen ? chosen : "");
}

QString languageCode(Language language)
{
    return isEnglish(language) ? QStringLiteral("en") : QStringLiteral("it");
}

QString coreCheckTitle(const std::string &name, Language language)
{
    // The engine names its results from the same table, so only an id of another kind of check is not found.
    const std::optional<std::size_t> check = findCoreCheck(name);
    if (!check) {
        return QString::fromStdString(name);
    }
    return uiText(static_cast<TextKey>(kFirstCoreCheckTitle + static_cast<std::int32_t>(*check)), language);
}

} // namespace Fasoria
