#pragma once

#include "cli/CommandLine.h"

namespace Fasoria::Cli {

/// Each command takes its own words after the command name and returns the exit status. Usage mistakes
/// are thrown as UsageError, failures as CommandError; nothing is written before the result is complete.

/// run FILE|--lesson NN [--stage K] [--shots N [--seed S]]: the results document on standard output.
int runResults(const CommandLine &line);
/// check --lesson NN|--challenge FILE FILE... [--csv OUT] [--html OUT]: one verdict line per file,
/// diagnostics, gradebooks.
int checkSubmissions(const CommandLine &line);
/// challenge new --from SOLUTION --goal-it TEXT --goal-en TEXT [rules] -o FILE: a challenge file whose
/// target is the solution's state; challenge show FILE: its summary.
int runChallenge(const CommandLine &line);
/// draw FILE|--lesson NN [--stage K] -o OUT.svg|OUT.png|OUT.tex: the drawing as a picture or a LaTeX figure.
int drawCircuit(const CommandLine &line);
/// chart FILE|--lesson NN [--stage K] [--shots N [--seed S]] -o OUT.svg|OUT.png: the probabilities at the
/// stage, and the sampled counts beside them with --shots, as a picture.
int drawChart(const CommandLine &line);
/// worksheet SESSION... -o OUT.pdf|OUT.html|FOLDER: the worksheets of saved sessions as the window prints them;
/// a refused session is named on standard error and the others are still made.
int writeWorksheets(const CommandLine &line);
/// pack check FILE... | pack show FILE: teachers' lesson packs checked with the program's reader, one line per
/// file, or one pack listed lesson by lesson; pack new -o FILE: an empty pack, never over an existing file;
/// pack add-guided|add-challenge FILE --id ID --from INPUT [texts]: one lesson appended, or the pack untouched.
int runPack(const CommandLine &line);
/// session FILE...: one line per learning-session file, its summary or why the laboratory would refuse it.
int checkSessions(const CommandLine &line);
/// validate [--json FILE]: the text report of the validation suite, and the JSON report on request.
int runValidation(const CommandLine &line);
/// generate deutsch|bv|grover [parameters] [-o FILE]: a generated algorithm as a circuit file.
int generateCircuit(const CommandLine &line);
/// lesson NN [-o FILE]: a catalog lesson as a circuit file.
int writeLesson(const CommandLine &line);
/// qasm export|import FILE [-o OUT]: OpenQASM 2.0 to and from the circuit file.
int convertQasm(const CommandLine &line);

} // namespace Fasoria::Cli
