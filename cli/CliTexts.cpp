#include "cli/CliTexts.h"

#include "ui/texts/TextCatalog.h"

namespace Fasoria::Cli {

namespace {

struct TextEntry
{
    CliText id;
    const char *it;
    const char *en;
};

// Italian first, then English, one row per CliText (a test walks every one).
// clang-format off
const TextEntry kTexts[] = {
    {CliText::UsageGeneral,
     "Uso: fasoria-cli [--lang it|en] COMANDO [OPZIONI]\n"
     "\n"
     "Comandi:\n"
     "  run FILE|--lesson NN [--stage K] [--shots N [--seed S]]\n"
     "                         stampa il documento dei risultati di un circuito\n"
     "  check --lesson NN|--challenge FILE|--pack P --lesson ID FILE...\n"
     "        [--csv OUT] [--html OUT]\n"
     "                         valuta le soluzioni di una sfida\n"
     "  challenge new --from SOLUZIONE --goal-it TESTO --goal-en TESTO [REGOLE] -o FILE\n"
     "  challenge show FILE    crea un file di sfida da una soluzione, o lo descrive\n"
     "  generate deutsch|bv|grover [OPZIONI] [-o FILE]\n"
     "                         scrive il circuito di un algoritmo generato\n"
     "  lesson NN [-o FILE]    scrive una lezione del catalogo come file di circuito\n"
     "  qasm export FILE [-o OUT]\n"
     "  qasm import FILE.qasm [-o OUT]\n"
     "                         converte da e verso OpenQASM 2.0\n"
     "  draw FILE|--lesson NN [--stage K] -o OUT.svg|OUT.png|OUT.tex\n"
     "                         disegna il circuito (SVG, PNG, LaTeX)\n"
     "  chart FILE|--lesson NN [--stage K] [--shots N [--seed S]] -o OUT.svg|OUT.png\n"
     "                         disegna il grafico delle probabilità (SVG, PNG)\n"
     "  session FILE...        controlla i file di sessione didattica\n"
     "  worksheet SESSIONE... -o OUT.pdf|OUT.html|CARTELLA\n"
     "                         prepara le schede delle sessioni (PDF, HTML)\n"
     "  pack check FILE...\n"
     "  pack show FILE         controlla o descrive i pacchetti di lezioni\n"
     "  pack new --title-it TESTO --title-en TESTO -o FILE\n"
     "  pack add-guided FILE --id ID --from CIRCUITO TESTI [PASSI]\n"
     "  pack add-challenge FILE --id ID --from SFIDA TESTI\n"
     "                         crea un pacchetto di lezioni o vi aggiunge una lezione\n"
     "  validate [--json FILE] esegue la validazione scientifica\n"
     "\n"
     "Con -o - il documento va sullo standard output. Dopo -- ogni parola è un file,\n"
     "mai un'opzione: \"check --lesson 10 -- --csv=anna.fsor.json\" valuta quel file.\n"
     "\n"
     "\"fasoria-cli COMANDO --help\" descrive le opzioni di un comando.\n",
     "Usage: fasoria-cli [--lang it|en] COMMAND [OPTIONS]\n"
     "\n"
     "Commands:\n"
     "  run FILE|--lesson NN [--stage K] [--shots N [--seed S]]\n"
     "                         print the results document of a circuit\n"
     "  check --lesson NN|--challenge FILE|--pack P --lesson ID FILE...\n"
     "        [--csv OUT] [--html OUT]\n"
     "                         grade the submissions to a challenge\n"
     "  challenge new --from SOLUTION --goal-it TEXT --goal-en TEXT [RULES] -o FILE\n"
     "  challenge show FILE    make a challenge file from a solution, or describe one\n"
     "  generate deutsch|bv|grover [OPTIONS] [-o FILE]\n"
     "                         write the circuit of a generated algorithm\n"
     "  lesson NN [-o FILE]    write a catalog lesson as a circuit file\n"
     "  qasm export FILE [-o OUT]\n"
     "  qasm import FILE.qasm [-o OUT]\n"
     "                         convert to and from OpenQASM 2.0\n"
     "  draw FILE|--lesson NN [--stage K] -o OUT.svg|OUT.png|OUT.tex\n"
     "                         draw the circuit (SVG, PNG, LaTeX)\n"
     "  chart FILE|--lesson NN [--stage K] [--shots N [--seed S]] -o OUT.svg|OUT.png\n"
     "                         draw the probability chart (SVG, PNG)\n"
     "  session FILE...        check learning-session files\n"
     "  worksheet SESSION... -o OUT.pdf|OUT.html|FOLDER\n"
     "                         make the worksheets of sessions (PDF, HTML)\n"
     "  pack check FILE...\n"
     "  pack show FILE         check or describe lesson packs\n"
     "  pack new --title-it TEXT --title-en TEXT -o FILE\n"
     "  pack add-guided FILE --id ID --from CIRCUIT TEXTS [STEPS]\n"
     "  pack add-challenge FILE --id ID --from CHALLENGE TEXTS\n"
     "                         make a lesson pack or add a lesson to one\n"
     "  validate [--json FILE] run the scientific validation suite\n"
     "\n"
     "With -o - the document goes to standard output. After -- every word is a file,\n"
     "never an option: \"check --lesson 10 -- --csv=anna.fsor.json\" grades that file.\n"
     "\n"
     "\"fasoria-cli COMMAND --help\" describes the options of a command.\n"},
    {CliText::UsageRun,
     "Uso: fasoria-cli run FILE|--lesson NN [--stage K] [--shots N [--seed S]]\n"
     "\n"
     "Ripete un file di circuito, o la lezione NN del catalogo (01..21), fino al\n"
     "passo K e stampa il documento dei risultati (JSON \"FasoriaResults\", versione 2).\n"
     "\n"
     "  --lesson NN   una lezione del catalogo al posto del file\n"
     "  --stage K     numero di passi da applicare, 0..totale (predefinito: tutti)\n"
     "  --shots N     aggiunge l'istogramma di N preparazioni ripetute, 1..1000000\n"
     "  --seed S      seme del generatore casuale per le preparazioni (predefinito 5489)\n",
     "Usage: fasoria-cli run FILE|--lesson NN [--stage K] [--shots N [--seed S]]\n"
     "\n"
     "Replays a circuit file, or catalog lesson NN (01..21), to stage K and prints\n"
     "its results document (JSON \"FasoriaResults\", version 2).\n"
     "\n"
     "  --lesson NN   a catalog lesson instead of a file\n"
     "  --stage K     number of steps to apply, 0..total (default: all)\n"
     "  --shots N     add the histogram of N repeated preparations, 1..1000000\n"
     "  --seed S      seed of the random generator for the shots (default 5489)\n"},
    {CliText::UsageCheck,
     "Uso: fasoria-cli check --lesson NN|--challenge FILE|--pack P --lesson ID FILE...\n"
     "                  [--csv OUT] [--html OUT]\n"
     "\n"
     "Valuta ogni file di circuito con la sfida della lezione NN (05..14), con un\n"
     "file di sfida creato da \"challenge new\" o con la sfida della lezione ID di un\n"
     "pacchetto di lezioni: una riga per file con esito, fedeltà e messaggio della\n"
     "sfida, poi una riga di diagnosi per ogni file non risolto.\n"
     "\n"
     "  --lesson NN       la lezione della sfida, 05..14 (con --pack: l'ID della lezione)\n"
     "  --challenge FILE  un file di sfida (.challenge.json) al posto della lezione\n"
     "  --pack P          un pacchetto di lezioni (.lessons.json): la sfida della sua\n"
     "                    lezione --lesson ID, valutata come il suo file di sfida\n"
     "  --csv OUT         scrive anche un registro in formato CSV\n"
     "  --html OUT        scrive anche un registro HTML stampabile\n"
     "  --                le parole seguenti sono tutte file, anche se iniziano con -\n"
     "\n"
     "Stato di uscita: 0 tutti risolti, 1 qualche file non risolto, 2 errore d'uso\n"
     "o file illeggibile.\n",
     "Usage: fasoria-cli check --lesson NN|--challenge FILE|--pack P --lesson ID FILE...\n"
     "                        [--csv OUT] [--html OUT]\n"
     "\n"
     "Grades each circuit file against the challenge of lesson NN (05..14), against a\n"
     "challenge file made with \"challenge new\", or against the challenge of lesson ID\n"
     "of a lesson pack: one line per file with the verdict, the fidelity and the\n"
     "challenge's message, then a diagnostics line for every file that is not solved.\n"
     "\n"
     "  --lesson NN       the challenge lesson, 05..14 (with --pack: the lesson's ID)\n"
     "  --challenge FILE  a challenge file (.challenge.json) instead of a lesson\n"
     "  --pack P          a lesson pack (.lessons.json): the challenge of its lesson\n"
     "                    --lesson ID, graded as its challenge file would be\n"
     "  --csv OUT         also write a gradebook as CSV\n"
     "  --html OUT        also write a printable HTML gradebook\n"
     "  --                every later word is a file, even one that starts with -\n"
     "\n"
     "Exit status: 0 every file solved, 1 some file not solved, 2 usage error or\n"
     "unreadable file.\n"},
    {CliText::UsageChallenge,
     "Uso: fasoria-cli challenge new --from SOLUZIONE --goal-it TESTO --goal-en TESTO [REGOLE] -o FILE\n"
     "     fasoria-cli challenge show FILE\n"
     "\n"
     "new crea un file di sfida il cui stato richiesto è quello preparato dalla\n"
     "soluzione (una fase globale non conta mai), con la consegna in italiano e in\n"
     "inglese. show riassume un file di sfida: consegna, suggerimenti, qubit, regole\n"
     "e gli stati di base dello stato richiesto con le loro ampiezze.\n"
     "\n"
     "  --from SOLUZIONE    la soluzione, un file di circuito; la sfida ne ha i qubit\n"
     "  --goal-it TESTO     la consegna in italiano\n"
     "  --goal-en TESTO     la consegna in inglese\n"
     "  --hint-it TESTO     un suggerimento in italiano; ripetila per i suggerimenti\n"
     "                      2 e 3 (al massimo tre)\n"
     "  --hint-en TESTO     un suggerimento in inglese; allo stesso modo\n"
     "  --min-gates N       il circuito deve avere almeno N porte, 0..256\n"
     "  --max-gates N       il circuito può avere al massimo N porte, 0..256\n"
     "  --require TIPO[:N]  almeno N porte di TIPO (H, X, Z, P o CNOT; N 1..256,\n"
     "                      predefinito 1); ripetila per altri tipi\n"
     "  --forbid TIPO,...   tipi di porta che il circuito non può usare\n"
     "  -o FILE             il file di sfida da scrivere (- per lo standard output)\n"
     "\n"
     "Per valutare una cartella: \"fasoria-cli check --challenge FILE FILE...\".\n",
     "Usage: fasoria-cli challenge new --from SOLUTION --goal-it TEXT --goal-en TEXT [RULES] -o FILE\n"
     "       fasoria-cli challenge show FILE\n"
     "\n"
     "new makes a challenge file whose target is the state the solution prepares\n"
     "(a global phase never counts), with the goal in Italian and in English.\n"
     "show summarises a challenge file: goal, hints, qubits, rules and the basis\n"
     "states of the target with their amplitudes.\n"
     "\n"
     "  --from SOLUTION     the solution, a circuit file; the challenge takes its qubits\n"
     "  --goal-it TEXT      the goal in Italian\n"
     "  --goal-en TEXT      the goal in English\n"
     "  --hint-it TEXT      an Italian hint; repeat it for hints 2 and 3 (three at most)\n"
     "  --hint-en TEXT      an English hint; likewise\n"
     "  --min-gates N       the circuit needs at least N gates, 0..256\n"
     "  --max-gates N       the circuit may have at most N gates, 0..256\n"
     "  --require KIND[:N]  at least N gates of KIND (H, X, Z, P or CNOT; N 1..256,\n"
     "                      default 1); repeat it for other kinds\n"
     "  --forbid KIND,...   gate kinds the circuit must not use\n"
     "  -o FILE             the challenge file to write (- for standard output)\n"
     "\n"
     "To grade a folder against it: \"fasoria-cli check --challenge FILE FILE...\".\n"},
    {CliText::UsageValidate,
     "Uso: fasoria-cli validate [--json FILE]\n"
     "\n"
     "Esegue la validazione scientifica (vettori analitici, verifica indipendente,\n"
     "ricostruzione, algoritmi, file, testi, preferenze) e stampa il report testuale.\n"
     "Il report è neutro rispetto alla lingua: --lang cambia solo i messaggi dello\n"
     "strumento.\n"
     "\n"
     "  --json FILE   scrive anche il report JSON (\"FasoriaValidation\") in FILE\n"
     "\n"
     "Stato di uscita: 0 PASS, 1 FAIL, 2 errore d'uso o report non scritto.\n",
     "Usage: fasoria-cli validate [--json FILE]\n"
     "\n"
     "Runs the scientific validation suite (golden vectors, an independent reference,\n"
     "replay, algorithms, files, texts, settings) and prints its text report.\n"
     "The report is language-neutral: --lang changes only the tool's own messages.\n"
     "\n"
     "  --json FILE   also write the JSON report (\"FasoriaValidation\") to FILE\n"
     "\n"
     "Exit status: 0 PASS, 1 FAIL, 2 usage error or report not written.\n"},
    {CliText::UsageSession,
     "Uso: fasoria-cli session FILE...\n"
     "\n"
     "Controlla i file di sessione didattica (.session.json) con lo stesso lettore del\n"
     "programma: per ogni file una riga con il riepilogo (lezione, passo, misura,\n"
     "preparazioni, previsioni, note, voci del quaderno) oppure il motivo per cui il\n"
     "programma lo rifiuterebbe.\n"
     "\n"
     "Stato di uscita: 0 tutti validi, 2 qualche file rifiutato o errore d'uso.\n",
     "Usage: fasoria-cli session FILE...\n"
     "\n"
     "Checks learning-session files (.session.json) with the laboratory's own reader:\n"
     "one line per file with its summary (lesson, stage, measurement, preparations,\n"
     "predictions, notes, notebook entries) or the reason the laboratory would\n"
     "refuse it.\n"
     "\n"
     "Exit status: 0 every file valid, 2 some file refused or a usage error.\n"},
    {CliText::UsageDraw,
     "Uso: fasoria-cli draw FILE|--lesson NN [--stage K] -o OUT.svg|OUT.png|OUT.tex\n"
     "\n"
     "Disegna il circuito come lo mostra la finestra al passo K (predefinito: tutti i\n"
     "passi), con i colori delle porte applicate, corrente e da eseguire: SVG, PNG al\n"
     "doppio della risoluzione, oppure una figura LaTeX quantikz. Non serve uno schermo.\n"
     "Il lato maggiore di un PNG non supera 16384 pixel: un disegno più grande è\n"
     "ridotto in proporzione; SVG e LaTeX restano alla dimensione del disegno.\n"
     "\n"
     "  --lesson NN   una lezione del catalogo al posto del file\n"
     "  --stage K     il passo mostrato come corrente, 0..totale\n"
     "  -o OUT        il file da scrivere; il formato segue l'estensione\n",
     "Usage: fasoria-cli draw FILE|--lesson NN [--stage K] -o OUT.svg|OUT.png|OUT.tex\n"
     "\n"
     "Draws the circuit as the window shows it at stage K (default: all steps), with\n"
     "the colours of applied, current and coming gates: SVG, PNG at twice the\n"
     "resolution, or a LaTeX quantikz figure. No display is needed.\n"
     "A PNG is at most 16384 pixels on its longer side: a larger drawing is scaled\n"
     "down to fit, keeping its proportions; SVG and LaTeX keep the drawing's size.\n"
     "\n"
     "  --lesson NN   a catalog lesson instead of a file\n"
     "  --stage K     the stage shown as current, 0..total\n"
     "  -o OUT        the file to write; its ending chooses the format\n"},
    {CliText::DrawNeedsFile, "-o richiede un file .svg, .png o .tex", "-o needs a .svg, .png or .tex file"},
    {CliText::UsageChart,
     "Uso: fasoria-cli chart FILE|--lesson NN [--stage K] [--shots N [--seed S]] -o OUT.svg|OUT.png\n"
     "\n"
     "Disegna il grafico delle probabilità di un file di circuito, o della lezione NN\n"
     "del catalogo (01..21), al passo K (predefinito: tutti i passi), con i numeri\n"
     "esatti del motore; con --shots mostra accanto i conteggi di N preparazioni\n"
     "ripetute. SVG, o PNG al doppio della risoluzione; non serve uno schermo. Le\n"
     "etichette sono nella lingua di --lang.\n"
     "\n"
     "  --lesson NN   una lezione del catalogo al posto del file\n"
     "  --stage K     numero di passi da applicare, 0..totale (predefinito: tutti)\n"
     "  --shots N     aggiunge i conteggi di N preparazioni ripetute, 1..1000000\n"
     "  --seed S      seme del generatore casuale per le preparazioni (predefinito 5489)\n"
     "  -o OUT        il file da scrivere; il formato segue l'estensione\n",
     "Usage: fasoria-cli chart FILE|--lesson NN [--stage K] [--shots N [--seed S]] -o OUT.svg|OUT.png\n"
     "\n"
     "Draws the probability chart of a circuit file, or of catalog lesson NN (01..21),\n"
     "at stage K (default: all steps), with the engine's exact numbers; with --shots\n"
     "the counts of N repeated preparations stand beside them. SVG, or PNG at twice\n"
     "the resolution; no display is needed. The labels are in the language of --lang.\n"
     "\n"
     "  --lesson NN   a catalog lesson instead of a file\n"
     "  --stage K     number of steps to apply, 0..total (default: all)\n"
     "  --shots N     add the counts of N repeated preparations, 1..1000000\n"
     "  --seed S      seed of the random generator for the shots (default 5489)\n"
     "  -o OUT        the file to write; its ending chooses the format\n"},
    {CliText::ChartNeedsFile, "-o richiede un file .svg o .png", "-o needs a .svg or .png file"},
    {CliText::SessionValid, "VALIDA", "VALID"},
    {CliText::SessionRefused, "RIFIUTATA", "REFUSED"},
    {CliText::UsageGenerate,
     "Uso: fasoria-cli generate deutsch|bv|grover [OPZIONI] [-o FILE]\n"
     "\n"
     "Esegue il generatore di algoritmi e scrive il file di circuito (sullo standard\n"
     "output senza -o).\n"
     "\n"
     "  deutsch: --function F     0: f(x)=0, 1: f(x)=1, 2: f(x)=x, 3: f(x)=1-x (predefinito 2)\n"
     "  bv:      --qubits N       bit di dati, 1..4 (predefinito 3)\n"
     "           --secret S       stringa segreta minore di 2^N (predefinito 5)\n"
     "  grover:  --qubits N       dimensione del registro, 2..3 (predefinito 3)\n"
     "           --marked M       elemento marcato minore di 2^N (predefinito 5)\n"
     "           --iterations K   1..4 (predefinito 2)\n"
     "  -o FILE  scrive il file di circuito in FILE (- per lo standard output)\n",
     "Usage: fasoria-cli generate deutsch|bv|grover [OPTIONS] [-o FILE]\n"
     "\n"
     "Runs the algorithm generator and writes the circuit file (to standard output\n"
     "without -o).\n"
     "\n"
     "  deutsch: --function F     0: f(x)=0, 1: f(x)=1, 2: f(x)=x, 3: f(x)=1-x (default 2)\n"
     "  bv:      --qubits N       data bits, 1..4 (default 3)\n"
     "           --secret S       hidden string below 2^N (default 5)\n"
     "  grover:  --qubits N       register size, 2..3 (default 3)\n"
     "           --marked M       marked item below 2^N (default 5)\n"
     "           --iterations K   1..4 (default 2)\n"
     "  -o FILE  write the circuit file to FILE (- for standard output)\n"},
    {CliText::UsageLesson,
     "Uso: fasoria-cli lesson NN [-o FILE]\n"
     "\n"
     "Scrive la lezione NN del catalogo (01..21) come file di circuito (sullo standard\n"
     "output senza -o o con -o -).\n",
     "Usage: fasoria-cli lesson NN [-o FILE]\n"
     "\n"
     "Writes catalog lesson NN (01..21) as a circuit file (to standard output without\n"
     "-o or with -o -).\n"},
    {CliText::UsageQasm,
     "Uso: fasoria-cli qasm export FILE [-o OUT]\n"
     "     fasoria-cli qasm import FILE.qasm [-o OUT]\n"
     "\n"
     "export scrive un file di circuito in OpenQASM 2.0 (h, x, z, u1, cx; q[k] è qk).\n"
     "import legge OpenQASM 2.0 e scrive un file di circuito; accetta anche p, s, sdg,\n"
     "t, tdg e cz; ignora barrier, e ignora creg e measure con un avviso.\n"
     "Senza -o, o con -o -, il risultato va sullo standard output.\n",
     "Usage: fasoria-cli qasm export FILE [-o OUT]\n"
     "       fasoria-cli qasm import FILE.qasm [-o OUT]\n"
     "\n"
     "export writes a circuit file as OpenQASM 2.0 (h, x, z, u1, cx; q[k] is qk).\n"
     "import reads OpenQASM 2.0 and writes a circuit file; it also accepts p, s, sdg,\n"
     "t, tdg and cz, skips barrier, and skips creg and measure with a warning.\n"
     "Without -o, or with -o -, the result goes to standard output.\n"},
    {CliText::HelpHint, "\"fasoria-cli %1--help\" descrive tutte le opzioni.\n",
     "\"fasoria-cli %1--help\" describes every option.\n"},
    {CliText::MissingCommand, "manca il comando", "missing command"},
    {CliText::UnknownCommand, "comando sconosciuto '%1'", "unknown command '%1'"},
    {CliText::UnknownOption, "opzione sconosciuta '%1'", "unknown option '%1'"},
    {CliText::OptionNeedsValue, "l'opzione %1 richiede un valore", "option %1 needs a value"},
    {CliText::OptionRepeated, "opzione %1 ripetuta", "option %1 given twice"},
    {CliText::WholeNumber, "%1 richiede un numero intero fra %2 e %3", "%1 needs a whole number in %2..%3"},
    {CliText::LessonRange, "la lezione deve essere fra %1 e %2", "the lesson must be in %1..%2"},
    {CliText::NotAChallenge, "la lezione %1 non è una sfida (05..14)", "lesson %1 is not a challenge (05..14)"},
    {CliText::MissingLesson, "manca --lesson NN o --challenge FILE", "missing --lesson NN or --challenge FILE"},
    {CliText::LessonOrChallenge, "indica --lesson oppure --challenge, non entrambi",
     "give --lesson or --challenge, not both"},
    {CliText::FileOrLesson, "indica un file di circuito oppure --lesson, non entrambi",
     "give a circuit file or --lesson, not both"},
    {CliText::MissingFile, "manca il file", "missing file"},
    {CliText::TooManyArguments, "troppi argomenti: '%1'", "too many arguments: '%1'"},
    {CliText::SeedNeedsShots, "--seed vale solo con --shots", "--seed applies only with --shots"},
    {CliText::OptionDoesNotApply, "%1 non si applica a %2", "%1 does not apply to %2"},
    {CliText::UnknownAlgorithm, "algoritmo sconosciuto '%1' (deutsch, bv o grover)",
     "unknown algorithm '%1' (deutsch, bv or grover)"},
    {CliText::MissingAlgorithm, "manca l'algoritmo (deutsch, bv o grover)", "missing algorithm (deutsch, bv or grover)"},
    {CliText::SameGradebookFile, "--csv e --html richiedono file diversi", "--csv and --html need different files"},
    {CliText::GradebookIsInput, "%1 scriverebbe il registro sopra il file da valutare %2",
     "%1 would write the gradebook over %2, one of the files to grade"},
    {CliText::GradebookToStandardOutput, "%1 richiede un file: lo standard output riceve l'elenco dei voti",
     "%1 needs a file: standard output carries the grade listing"},
    {CliText::MissingFiles, "mancano i file da valutare", "missing files to grade"},
    {CliText::QasmDirection, "indica export oppure import", "give export or import"},
    {CliText::ChallengeAction, "indica new oppure show", "give new or show"},
    {CliText::MissingOption, "manca %1", "missing %1"},
    {CliText::TooManyHints, "al massimo tre %1", "at most three %1"},
    {CliText::TextNotPlain, "%1 richiede un testo senza caratteri di controllo",
     "%1 needs a text without control characters"},
    {CliText::BlankGoal, "%1 non può essere vuoto", "%1 must not be blank"},
    {CliText::TextTooLong, "%1 accetta al massimo %2 caratteri", "%1 takes at most %2 characters"},
    {CliText::UnknownGateKind, "tipo di porta sconosciuto '%1' (H, X, Z, P o CNOT)",
     "unknown gate kind '%1' (H, X, Z, P or CNOT)"},
    {CliText::RequireValue, "--require accetta TIPO oppure TIPO:N con N fra 1 e 256",
     "--require takes KIND or KIND:N with N in 1..256"},
    {CliText::RulesContradict, "le regole si contraddicono: %1", "the rules contradict each other: %1"},
    {CliText::SolutionBreaksRules, "la soluzione %1 non rispetta le regole della sfida: %2",
     "the solution %1 breaks the challenge's rules: %2"},
    {CliText::ChallengeOverSolution, "-o scriverebbe la sfida sopra la sua soluzione %1",
     "-o would write the challenge over %1, its solution"},
    {CliText::ReportToStandardOutput, "--json richiede un file: lo standard output riceve il report testuale",
     "--json needs a file: standard output carries the text report"},
    {CliText::LanguageValue, "--lang accetta it oppure en", "--lang takes it or en"},
    {CliText::StandardOutput, "standard output: scrittura non riuscita", "standard output: write failed"},
    {CliText::Warning, "avviso", "warning"},
    {CliText::VerdictSolved, "RISOLTO", "SOLVED"},
    {CliText::VerdictNotSolved, "NON RISOLTO", "NOT SOLVED"},
    {CliText::VerdictUnreadable, "ILLEGGIBILE", "UNREADABLE"},
    {CliText::DiagnosticsPrefix, "  diagnosi: ", "  diagnostics: "},
    {CliText::CsvHeader, "file,stato,esito,fedeltà_percento,porte,diagnosi",
     "file,status,verdict,fidelity_percent,gates,diagnostics"},
    {CliText::HtmlTitle, "Registro della sfida: %1", "Challenge gradebook: %1"},
    {CliText::GoalLine, "Consegna: %1", "Goal: %1"},
    {CliText::HtmlSummary, "Risolti: %1 su %2", "Solved: %1 of %2"},
    {CliText::HtmlFile, "File", "File"},
    {CliText::HtmlVerdict, "Esito", "Verdict"},
    {CliText::HtmlFidelity, "Fedeltà", "Fidelity"},
    {CliText::HtmlGates, "Porte", "Gates"},
    {CliText::HtmlMessage, "Messaggio", "Message"},
    {CliText::HtmlDiagnostics, "Diagnosi", "Diagnostics"},
    {CliText::HintLine, "Suggerimento %1: %2", "Hint %1: %2"},
    {CliText::NoHint, "(nessuno)", "(none)"},
    {CliText::QubitsLine, "Qubit: %1", "Qubits: %1"},
    {CliText::RulesHeading, "Regole:", "Rules:"},
    {CliText::NoRules, "Regole: nessuna", "Rules: none"},
    {CliText::RuleMinGates, "  numero minimo di porte: %1", "  minimum number of gates: %1"},
    {CliText::RuleMaxGates, "  numero massimo di porte: %1", "  maximum number of gates: %1"},
    {CliText::RuleRequired, "  obbligatoria: %1 (almeno %2)", "  required: %1 (at least %2)"},
    {CliText::RuleForbidden, "  vietate: %1", "  forbidden: %1"},
    {CliText::TargetFromCircuit, "Stato richiesto, preparato dal circuito di riferimento (porte: %1):",
     "Target, the state the reference circuit prepares (gates: %1):"},
    {CliText::TargetFromAmplitudes, "Stato richiesto, dato per ampiezze:", "Target, given as amplitudes:"},
    {CliText::UsageWorksheet,
     "Uso: fasoria-cli worksheet SESSIONE... -o OUT.pdf|OUT.html|CARTELLA\n"
     "\n"
     "Prepara le schede delle sessioni didattiche salvate (.session.json), come il\n"
     "programma le stampa: intestazione con nome, classe e data, domanda, previsione,\n"
     "osservazioni e conclusioni, disegno del circuito, grafico delle probabilità,\n"
     "tabelle, quaderno e circuito JSON in appendice. Con una sola sessione -o può\n"
     "indicare un file .pdf (A4) o .html; con una cartella (esistente, o un percorso\n"
     "che finisce con /) scrive un PDF per sessione, chiamato come la sessione\n"
     "(lavoro.session.json -> lavoro.pdf). Una sessione che il programma rifiuterebbe\n"
     "è indicata sullo standard error con il motivo; le altre schede vengono\n"
     "comunque preparate.\n"
     "\n"
     "Stato di uscita: 0 tutte le schede scritte, 2 qualche sessione rifiutata, un file\n"
     "non scritto o un errore d'uso.\n",
     "Usage: fasoria-cli worksheet SESSION... -o OUT.pdf|OUT.html|FOLDER\n"
     "\n"
     "Makes the worksheets of saved learning sessions (.session.json) as the program\n"
     "prints them: a header with name, class and date, the question, prediction,\n"
     "observations and conclusions, the circuit drawing, the probability chart, the\n"
     "tables, the notebook and the circuit JSON as an appendix. With one session -o\n"
     "may name a .pdf (A4) or .html file; with a folder (an existing one, or a path\n"
     "ending in /) it writes one PDF per session, named after the session\n"
     "(work.session.json -> work.pdf). A session the program would refuse is named on\n"
     "standard error with the reason; the other worksheets are still made.\n"
     "\n"
     "Exit status: 0 every worksheet written, 2 some session refused, a file not\n"
     "written or a usage error.\n"},
    {CliText::WorksheetNeedsOutput, "worksheet vuole -o OUT.pdf, OUT.html o una cartella",
     "worksheet needs -o OUT.pdf, OUT.html or a folder"},
    {CliText::WorksheetsNeedFolder, "con più sessioni -o deve essere una cartella",
     "with several sessions -o must be a folder"},
    {CliText::FolderNotMade, "impossibile creare la cartella", "cannot make the folder"},
    {CliText::UsagePack,
     "Uso: fasoria-cli pack check FILE...\n"
     "     fasoria-cli pack show FILE\n"
     "     fasoria-cli pack new --title-it TESTO --title-en TESTO -o FILE\n"
     "     fasoria-cli pack add-guided FILE --id ID --from CIRCUITO TESTI [PASSI]\n"
     "     fasoria-cli pack add-challenge FILE --id ID --from SFIDA TESTI\n"
     "\n"
     "Legge i pacchetti di lezioni degli insegnanti (.lessons.json) con il lettore del\n"
     "programma. check: per ogni file una riga con il titolo e il numero di lezioni,\n"
     "oppure il motivo per cui il programma lo rifiuterebbe. show: il titolo del\n"
     "pacchetto e, per ogni lezione, identificativo, titolo, tipo (guidata o sfida),\n"
     "qubit e domanda, nella lingua scelta.\n"
     "\n"
     "new crea un pacchetto ancora senza lezioni (a FILE si aggiunge .lessons.json se\n"
     "non finisce con .json) e non scrive mai sopra un file esistente. add-guided e\n"
     "add-challenge aggiungono in fondo al pacchetto FILE una lezione guidata (un file\n"
     "di circuito) o una sfida (un file creato da \"challenge new\"). Una lezione che il\n"
     "programma rifiuterebbe lascia il pacchetto com'era.\n"
     "\n"
     "  --title-it TESTO        il titolo in italiano (del pacchetto o della lezione)\n"
     "  --title-en TESTO        il titolo in inglese\n"
     "  -o FILE                 new: il pacchetto da creare\n"
     "  --id ID                 l'identificativo della lezione, unico nel pacchetto:\n"
     "                          fino a 40 lettere, cifre e trattini\n"
     "  --from FILE             il circuito (add-guided) o la sfida (add-challenge)\n"
     "  --question-it TESTO     la domanda posta prima della lezione, in italiano\n"
     "                          (add-challenge: predefinita la consegna della sfida)\n"
     "  --question-en TESTO     la domanda in inglese\n"
     "  --explanation-it TESTO  la spiegazione finale, in italiano (add-challenge:\n"
     "                          predefinito un testo che ricorda come si verifica)\n"
     "  --explanation-en TESTO  la spiegazione finale in inglese\n"
     "  --step-it K TESTO       add-guided: la spiegazione in italiano della porta K\n"
     "                          (da 1); se ne dai, ogni porta ne vuole una per lingua\n"
     "  --step-en K TESTO       add-guided: la spiegazione in inglese della porta K\n"
     "\n"
     "Stato di uscita: 0 tutti validi o pacchetto scritto, 2 qualche file rifiutato,\n"
     "pacchetto lasciato com'era o errore d'uso.\n",
     "Usage: fasoria-cli pack check FILE...\n"
     "       fasoria-cli pack show FILE\n"
     "       fasoria-cli pack new --title-it TEXT --title-en TEXT -o FILE\n"
     "       fasoria-cli pack add-guided FILE --id ID --from CIRCUIT TEXTS [STEPS]\n"
     "       fasoria-cli pack add-challenge FILE --id ID --from CHALLENGE TEXTS\n"
     "\n"
     "Reads teachers' lesson packs (.lessons.json) with the program's own reader.\n"
     "check: one line per file with its title and number of lessons, or the reason\n"
     "the program would refuse it. show: the pack's title and, for each lesson, its\n"
     "id, title, kind (guided or challenge), qubits and question, in the language\n"
     "chosen.\n"
     "\n"
     "new makes a pack with no lessons yet (FILE gets .lessons.json unless it ends in\n"
     ".json) and never writes over an existing file. add-guided and add-challenge\n"
     "append a lesson to the pack FILE: a guided one (a circuit file) or a challenge\n"
     "(a file made with \"challenge new\"). A lesson the program would refuse leaves\n"
     "the pack as it was.\n"
     "\n"
     "  --title-it TEXT        the title in Italian (of the pack or of the lesson)\n"
     "  --title-en TEXT        the title in English\n"
     "  -o FILE                new: the pack to make\n"
     "  --id ID                the lesson's id, unique in the pack: up to 40 letters,\n"
     "                         digits and hyphens\n"
     "  --from FILE            the circuit (add-guided) or challenge (add-challenge)\n"
     "  --question-it TEXT     the question put before the lesson, in Italian\n"
     "                         (add-challenge: by default the challenge's goal)\n"
     "  --question-en TEXT     the question in English\n"
     "  --explanation-it TEXT  the closing explanation, in Italian (add-challenge: by\n"
     "                         default a text recalling how Check grades)\n"
     "  --explanation-en TEXT  the closing explanation in English\n"
     "  --step-it K TEXT       add-guided: the Italian explanation of gate K (from 1);\n"
     "                         if any is given, every gate needs one in each language\n"
     "  --step-en K TEXT       add-guided: the English explanation of gate K\n"
     "\n"
     "Exit status: 0 every file valid or the pack written, 2 some file refused, the\n"
     "pack left as it was or a usage error.\n"},
    {CliText::PackAction, "pack vuole check, show, new, add-guided o add-challenge",
     "pack needs check, show, new, add-guided or add-challenge"},
    {CliText::PackSummary, "\"%1\": %2 lezioni", "\"%1\": %2 lessons"},
    {CliText::PackGuided, "guidata, %1 qubit, %2 porte", "guided, %1 qubits, %2 gates"},
    {CliText::PackChallenge, "sfida, %1 qubit", "challenge, %1 qubits"},
    {CliText::PackValid, "VALIDO", "VALID"},
    {CliText::PackLessonMissing, "nessuna lezione \"%1\" nel pacchetto", "no lesson \"%1\" in the pack"},
    {CliText::PackLessonNotChallenge, "la lezione \"%1\" del pacchetto è guidata, non una sfida",
     "the pack's lesson \"%1\" is guided, not a challenge"},
    {CliText::PackOrChallenge, "indica --pack oppure --challenge, non entrambi", "give --pack or --challenge, not both"},
    {CliText::PackNeedsLesson, "--pack vuole --lesson ID", "--pack needs --lesson ID"},
    {CliText::PackRefused, "RIFIUTATO", "REFUSED"},
    {CliText::OptionNeedsTwoValues, "l'opzione %1 richiede due valori", "option %1 needs two values"},
    {CliText::PackNeedsFile, "-o richiede un file: le lezioni vi si aggiungono poi con add-guided e add-challenge",
     "-o needs a file: lessons are then added to it with add-guided and add-challenge"},
    {CliText::PackMade, "%1: nuovo pacchetto \"%2\", ancora senza lezioni", "%1: new pack \"%2\", no lessons yet"},
    {CliText::PackNotMade, "%1: nessun pacchetto creato: %2", "%1: no pack made: %2"},
    {CliText::PackLessonAdded, "%1: aggiunta la lezione \"%2\" (%3); lezioni nel pacchetto: %4",
     "%1: added lesson \"%2\" (%3); lessons in the pack: %4"},
    {CliText::PackLessonNotAdded, "%1: nessuna lezione aggiunta, il pacchetto è com'era: %2",
     "%1: no lesson added, the pack is as it was: %2"},
    {CliText::StepNumber, "%1 %2: i passi del circuito sono numerati da 1 a %3",
     "%1 %2: the circuit's steps are numbered 1 to %3"},
    {CliText::StepRepeated, "%1 %2 ripetuta", "%1 %2 given twice"},
    {CliText::StepMissing, "manca %1 %2: con i testi dei passi ogni passo ne vuole uno in italiano e uno in inglese",
     "missing %1 %2: with step texts every step needs one in Italian and one in English"},
    {CliText::ChallengeLessonExplanation,
     "Sfida: costruisci il circuito e premi Verifica soluzione, che confronta il tuo stato con quello richiesto "
     "(una fase globale non conta) e controlla le regole della sfida.",
     "Challenge: build the circuit and press Check solution, which compares your state with the target state "
     "(a global phase never counts) and checks the challenge's rules."},
};
// clang-format on

} // namespace

QString cliText(CliText id, Language language)
{
    for (const TextEntry &text : kTexts) {
        if (text.id == id) {
            return uiText({text.it, text.en}, language);
        }
    }
    return QStringLiteral("[missing text]");
}

} // namespace Fasoria::Cli
