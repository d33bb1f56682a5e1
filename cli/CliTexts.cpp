#include "cli/CliTexts.h"

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
     "  check --lesson NN FILE... [--csv OUT] [--html OUT]\n"
     "                         valuta le soluzioni di una sfida\n"
     "  generate deutsch|bv|grover [OPZIONI] [-o FILE]\n"
     "                         scrive il circuito di un algoritmo generato\n"
     "  lesson NN [-o FILE]    scrive una lezione del catalogo come file di circuito\n"
     "  qasm export FILE [-o OUT]\n"
     "  qasm import FILE.qasm [-o OUT]\n"
     "                         converte da e verso OpenQASM 2.0\n"
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
     "  check --lesson NN FILE... [--csv OUT] [--html OUT]\n"
     "                         grade the submissions to a challenge\n"
     "  generate deutsch|bv|grover [OPTIONS] [-o FILE]\n"
     "                         write the circuit of a generated algorithm\n"
     "  lesson NN [-o FILE]    write a catalog lesson as a circuit file\n"
     "  qasm export FILE [-o OUT]\n"
     "  qasm import FILE.qasm [-o OUT]\n"
     "                         convert to and from OpenQASM 2.0\n"
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
     "Uso: fasoria-cli check --lesson NN FILE... [--csv OUT] [--html OUT]\n"
     "\n"
     "Valuta ogni file di circuito con la sfida della lezione NN (05..14): una riga per\n"
     "file con esito, fedeltà e messaggio della sfida, poi una riga di diagnosi per\n"
     "ogni file non risolto.\n"
     "\n"
     "  --lesson NN   la lezione della sfida, 05..14\n"
     "  --csv OUT     scrive anche un registro in formato CSV\n"
     "  --html OUT    scrive anche un registro HTML stampabile\n"
     "  --            le parole seguenti sono tutte file, anche se iniziano con -\n"
     "\n"
     "Stato di uscita: 0 tutti risolti, 1 qualche file non risolto, 2 errore d'uso\n"
     "o file illeggibile.\n",
     "Usage: fasoria-cli check --lesson NN FILE... [--csv OUT] [--html OUT]\n"
     "\n"
     "Grades each circuit file against the challenge of lesson NN (05..14): one line\n"
     "per file with the verdict, the fidelity and the challenge's message, then a\n"
     "diagnostics line for every file that is not solved.\n"
     "\n"
     "  --lesson NN   the challenge lesson, 05..14\n"
     "  --csv OUT     also write a gradebook as CSV\n"
     "  --html OUT    also write a printable HTML gradebook\n"
     "  --            every later word is a file, even one that starts with -\n"
     "\n"
     "Exit status: 0 every file solved, 1 some file not solved, 2 usage error or\n"
     "unreadable file.\n"},
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
    {CliText::MissingLesson, "manca --lesson NN", "missing --lesson NN"},
    {CliText::FileOrLesson, "indica un file di circuito oppure --lesson, non entrambi",
     "give a circuit file or --lesson, not both"},
    {CliText::MissingFile, "manca il file", "missing file"},
    {CliText::TooManyArguments, "troppi argomenti: '%1'", "too many arguments: '%1'"},
    {CliText::SeedNeedsShots, "--seed vale solo con --shots", "--seed applies only with --shots"},
    {CliText::OptionNotForAlgorithm, "%1 non si applica a %2", "%1 does not apply to %2"},
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
    {CliText::HtmlGoal, "Consegna: %1", "Goal: %1"},
    {CliText::HtmlSummary, "Risolti: %1 su %2", "Solved: %1 of %2"},
    {CliText::HtmlFile, "File", "File"},
    {CliText::HtmlVerdict, "Esito", "Verdict"},
    {CliText::HtmlFidelity, "Fedeltà", "Fidelity"},
    {CliText::HtmlGates, "Porte", "Gates"},
    {CliText::HtmlMessage, "Messaggio", "Message"},
    {CliText::HtmlDiagnostics, "Diagnosi", "Diagnostics"},
};
// clang-format on

} // namespace

QString cliText(CliText id, Language language)
{
    for (const TextEntry &text : kTexts) {
        if (text.id == id) {
            return QString::fromUtf8(pick(language, text.it, text.en));
        }
    }
    return QStringLiteral("[missing text]");
}

} // namespace Fasoria::Cli
