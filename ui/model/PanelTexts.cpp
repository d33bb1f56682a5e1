#include "ui/model/PanelTexts.h"

#include "core/GateText.h"
#include "curriculum/Challenge.h"
#include "curriculum/Diagnostics.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "ui/model/LessonShelf.h"
#include "ui/model/LogEvent.h"
#include "ui/texts/ChallengeMessage.h"
#include "ui/texts/TextCatalog.h"

#include <cmath>

namespace Fasoria {

const GeneratorKindItem kGeneratorKindItems[3] = {
    {"Grover", AlgorithmKind::Grover},
    {"Bernstein-Vazirani", AlgorithmKind::BernsteinVazirani},
    {"Deutsch", AlgorithmKind::Deutsch},
};

namespace {

// Texts of a generated algorithm, built from its parameters.
// clang-format off
constexpr TextPair kGroverOracle = {"Marca |%1> fra %2 stati; %3 iterazioni.", "Marks |%1> among %2 states; %3 iterations."};
constexpr TextPair kGroverClassical = {"Prova ogni candidato; al massimo N-1 interrogazioni con una soluzione garantita.",
                                       "Test each candidate; at most N-1 queries with one promised solution."};
constexpr TextPair kGroverReadout = {"Registro completo q%1..q0 = %2", "Full register q%1..q0 = %2"};
constexpr TextPair kBvOracle = {"f(x)=s.x mod 2; s=%1 (una chiamata logica all'oracolo).",
                                "f(x)=s.x mod 2; s=%1 (one logical oracle call)."};
constexpr TextPair kBvClassical = {"Interroga i vettori di base per ricostruire ogni bit segreto.",
                                   "Query basis vectors to recover each secret bit."};
constexpr TextPair kBvReadout = {"Registro dati q%1..q0 = %2. Ignora ausiliario q%3.",
                                 "Data register q%1..q0 = %2. Ignore ancilla q%3."};
constexpr TextPair kDeutschOracle = {"Funzione scelta: %1.", "Chosen function: %1."};
constexpr TextPair kDeutschClassical = {"Valuta f(0) e f(1) per una risposta certa.",
                                        "Evaluate f(0) and f(1) for a certain answer."};
constexpr TextPair kDeutschReadout = {"Leggi q0 (0=costante; 1=bilanciata). Ignora q1.",
                                      "Read q0 (0=constant; 1=balanced). Ignore q1."};
constexpr const char *kDeutschFunctions[] = {"f(x)=0", "f(x)=1", "f(x)=x", "f(x)=1-x"};

// What is loaded in place of a lesson, and the stage repeated preparations sample.
constexpr TextPair kCustomCircuit = {"Circuito personalizzato", "Custom circuit"};
constexpr TextPair kGeneratedName = {"%1, %2 %3", "%1, %2 %3"};
constexpr TextPair kTeacherChallenge = {"Sfida dell'insegnante: %1", "Teacher's challenge: %1"};
constexpr TextPair kPreparationStage = {"Le preparazioni usano il passo %1 di %2.",
                                        "The preparations use stage %1 of %2."};
// clang-format on

/// A working circuit that still is the lesson: its gates and its title, which a copy takes from the lesson and
/// every circuit from elsewhere (a file, New, an import) brings of its own.
bool isLessonCopy(const Circuit &working, const Circuit &lesson)
{
    return qstrcmp(working.titleIt, lesson.titleIt) == 0 && qstrcmp(working.titleEn, lesson.titleEn) == 0 &&
           serializeCircuit(working) == serializeCircuit(lesson);
}

// The oracle, classical-method and readout texts of a generated algorithm.
void describeGenerated(const AlgorithmParameters &parameters, Language language, AlgorithmPresentation &out)
{
    const std::int32_t n = parameters.qubits;
    switch (parameters.kind) {
    case AlgorithmKind::Grover: {
        const QString marked = basisLabel(static_cast<std::uint64_t>(parameters.groverTarget), n);
        out.oracle =
            uiText(kGroverOracle, language)
                .arg(marked, QString::number(std::uint64_t{1} << n), QString::number(parameters.groverIterations));
        out.classical = uiText(kGroverClassical, language);
        out.readout = uiText(kGroverReadout, language).arg(QString::number(n - 1), marked);
        break;
    }
    case AlgorithmKind::BernsteinVazirani: {
        const QString secret = basisLabel(static_cast<std::uint64_t>(parameters.bvSecret), n);
        out.oracle = uiText(kBvOracle, language).arg(secret);
        out.classical = uiText(kBvClassical, language);
        out.readout = uiText(kBvReadout, language).arg(QString::number(n - 1), secret, QString::number(n));
        break;
    }
    case AlgorithmKind::Deutsch: {
        const std::int32_t function = parameters.deutschFunction;
        const bool known = function >= 0 && function < 4;
        out.oracle = uiText(kDeutschOracle, language)
                         .arg(known ? QString::fromLatin1(kDeutschFunctions[function]) : QStringLiteral("?"));
        out.classical = uiText(kDeutschClassical, language);
        out.readout = uiText(kDeutschReadout, language);
        break;
    }
    }
}

} // namespace

int generatorKindIndex(AlgorithmKind kind)
{
    for (int i = 0; i < 3; ++i) {
        if (kGeneratorKindItems[i].kind == kind) {
            return i;
        }
    }
    return 0;
}

LoadedKind loadedKind(const Experiment &experiment)
{
    if (experiment.customChallenge() && !experiment.answersPackChallenge()) {
        return LoadedKind::TeacherChallenge;
    }
    if (experiment.algorithm()) {
        return LoadedKind::Algorithm;
    }
    const Circuit *working = experiment.workingCircuit();
    if (!working || experiment.isChallengeMode() || isLessonCopy(*working, *lessonAt(experiment.lessonIndex()))) {
        return LoadedKind::CatalogLesson;
    }
    return LoadedKind::Custom;
}

QString loadedName(const Experiment &experiment, Language language)
{
    switch (loadedKind(experiment)) {
    case LoadedKind::CatalogLesson:
        break;
    case LoadedKind::Custom:
        return uiText(kCustomCircuit, language);
    case LoadedKind::Algorithm: {
        const GeneratedAlgorithm &generated = *experiment.algorithm();
        const std::int32_t qubits = generated.circuit.qubitCount;
        const char *name = kGeneratorKindItems[generatorKindIndex(generated.parameters.kind)].text;
        return uiText(kGeneratedName, language)
            .arg(QString::fromLatin1(name), QString::number(qubits), qubitWord(qubits, language));
    }
    case LoadedKind::TeacherChallenge:
        return uiText(kTeacherChallenge, language)
            .arg(challengeGoal(experiment.customChallenge()->definition, language));
    }
    return QString();
}

QString preparationStageText(const Experiment &experiment, Language language)
{
    const std::uint64_t steps = experiment.stepCount();
    if (experiment.prediction() < 0 || experiment.currentStep() >= steps) {
        return QString();
    }
    return uiText(kPreparationStage, language).arg(QString::number(experiment.currentStep()), QString::number(steps));
}

QString predictionHintText(const Experiment &experiment, Language language)
{
    if (experiment.currentStep() > 0 && experiment.prediction() < 0) {
        return uiText(MoreText::PredictionAtStart, language);
    }
    return uiText(TextKey::PredictionHint, language);
}

std::optional<AlgorithmPresentation> presentAlgorithm(const Experiment &experiment, Language language)
{
    AlgorithmPresentation out;
    if (const GeneratedAlgorithm *generated = experiment.algorithm()) {
        out.title = uiText({generated->circuit.titleIt, generated->circuit.titleEn}, language);
        describeGenerated(generated->parameters, language, out);
        out.caveat = uiText(TextKey::QueryCaveat, language);
        out.classicalQueries = generated->classicalQueries;
        out.quantumQueries = generated->quantumQueries;
        out.readoutMask = generated->readoutMask;
        out.readoutValue = generated->readoutValue;
        out.expectedProbability = generated->expectedProbability;
        out.stages = generated->stages;
        return out;
    }
    const AlgorithmInfo *info = findAlgorithmInfo(experiment.lessonIndex());
    if (experiment.workingCircuit() || !info) {
        return std::nullopt;
    }
    out.title = uiText({info->nameIt, info->nameEn}, language);
    out.oracle = uiText({info->oracleIt, info->oracleEn}, language);
    out.classical = uiText({info->classicalIt, info->classicalEn}, language);
    out.readout = uiText({info->readoutIt, info->readoutEn}, language);
    out.caveat = uiText({info->caveatIt, info->caveatEn}, language);
    out.classicalQueries = info->classicalQueries;
    out.quantumQueries = info->quantumQueries;
    out.readoutMask = info->readoutMask;
    out.readoutValue = info->readoutValue;
    out.expectedProbability = info->expectedProbability;
    out.stages = algorithmStages(experiment.lessonIndex());
    return out;
}

int currentCheckpoint(const std::vector<AlgorithmStage> &stages, std::uint64_t currentStep)
{
    int selected = 0;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        if (stages[i].gateIndex >= 0 && static_cast<std::uint64_t>(stages[i].gateIndex) <= currentStep) {
            selected = static_cast<int>(i);
        }
    }
    return selected;
}

QString checkpointText(const AlgorithmStage &stage, std::uint64_t steps, Language language)
{
    return QStringLiteral("%1 / %2 - %3")
        .arg(QString::number(stage.gateIndex), QString::number(steps), uiText({stage.nameIt, stage.nameEn}, language));
}

QString correctOutputText(const Experiment &experiment, const AlgorithmPresentation &presentation, Language language)
{
    const Circuit &circuit = experiment.shownCircuit();
    const StateVector state = replayPrefix(circuit, experiment.currentStep());
    const double probability = readoutProbability(state, presentation.readoutMask, presentation.readoutValue);
    return catalogText(TextKey::StepProbability, language, QString::number(experiment.currentStep()),
                       fixedText(probability * 100.0, 5), fixedText(presentation.expectedProbability * 100.0, 5));
}

QString challengeHintText(const Experiment &experiment, Language language)
{
    const Challenge *challenge = findChallenge(static_cast<std::uint64_t>(experiment.lessonIndex()));
    const std::int32_t shown = experiment.hintsShown();
    if (const ChallengeFile *custom = experiment.customChallenge(); custom && shown > 0) {
        return uiText(TextKey::HintPrefix, language).arg(shown) +
               QString::fromStdString(challengeHints(custom->definition, language)[std::min(shown, 3) - 1]);
    }
    if (!challenge || shown <= 0 || experiment.customChallenge()) {
        return uiText(TextKey::NoHint, language);
    }
    return uiText(TextKey::HintPrefix, language).arg(shown) +
           catalogHint(*challenge, static_cast<std::uint64_t>(std::min(shown, 3) - 1), language);
}

QString challengeResultText(const Experiment &experiment, Language language)
{
    const Diagnosis *diagnosis = experiment.lastDiagnosis();
    if (experiment.challengeStatus() == 0 || !diagnosis) {
        return uiText(TextKey::NotChecked, language);
    }
    return challengeMessage(diagnosis->result, language);
}

QString challengeDiagnosisText(const Experiment &experiment, Language language)
{
    const Diagnosis *diagnosis = experiment.lastDiagnosis();
    if (experiment.challengeStatus() == 0 || !diagnosis || diagnosis->result.solved) {
        return QString();
    }
    return QString::fromStdString(diagnosisText(*diagnosis, language));
}

QString guidanceText(const Experiment &experiment, Language language)
{
    const Circuit &circuit = experiment.shownCircuit();
    const bool working = experiment.workingCircuit() != nullptr;
    const std::uint64_t step = experiment.currentStep();
    const std::uint64_t steps = experiment.stepCount();
    if (experiment.isMeasured()) {
        return uiText(TextKey::ExplanationMeasured, language);
    }
    if (step == 0) {
        return uiText(working ? TextKey::FreeLabStart : TextKey::ExplanationStart, language);
    }
    if (step < steps) {
        return stepDescription(circuit, step - 1, working, language);
    }
    // A generated algorithm explains itself like a lesson; a circuit of the student's has no explanation.
    if (!working || experiment.algorithm() != nullptr) {
        return uiText({circuit.explanationIt, circuit.explanationEn}, language);
    }
    QString explanation = uiText(TextKey::FreeLabEnd, language);
    if (steps > 0) {
        explanation.prepend(stepDescription(circuit, steps - 1, true, language) + QLatin1Char('\n'));
    }
    return explanation;
}

} // namespace Fasoria
