// Writes sample worksheets in both languages into the folder given as the only argument, for printing and
// looking at them (scripts/render-worksheet.sh): a lesson stopped half-way with a prediction, notes,
// repeated preparations and a single measurement, and a long 8-qubit circuit whose tables fill pages.

#include "core/Circuit.h"
#include "core/Measurement.h"
#include "curriculum/LessonCatalog.h"
#include "education/model/LearningLab.h"
#include "education/model/Worksheet.h"

#include <QDir>
#include <QString>

#include <cmath>
#include <cstdio>

using namespace Fasoria;

namespace {

// Lesson 04 (H, Z, H) after its Z: the prediction is waiting for the end, one measurement was taken.
WorksheetInput midway(Language language)
{
    WorksheetInput input;
    input.circuit = lessonCatalog()[3];
    input.currentStep = 2;
    const StateVector state = replayPrefix(input.circuit, input.currentStep);
    RandomGenerator random(20240611);
    input.lastShotsCounts = sampleCounts(state, 1000, random);
    input.lastShotsTotal = 1000;
    input.lastOutcome = 1;

    LearningLab lab;
    lab.setRecordedPrediction(0, QStringLiteral("Z does nothing to |0>, so H-Z-H should be like H-H."));
    ExperimentView view;
    view.circuit = &input.circuit;
    view.state = &state;
    view.currentStep = input.currentStep;
    input.predictionFeedback = lab.predictionFeedback(view, language);
    input.predictionReason = lab.predictionReason();
    input.question = QStringLiteral("Does a sign that no single measurement shows change the result?");
    input.notes = QStringLiteral("After H: 50/50 in the table.\nAfter Z: still 50/50, but the phase arrow of |1> "
                                 "turned round (-180°).\nReference: https://example.org/a-very-long-link-without-"
                                 "any-break-that-a-student-pasted-from-the-course-page-into-the-notes");
    input.conclusion = QStringLiteral("Probabilities alone do not show the phase; the last H will turn it into an "
                                      "outcome. <b>Check</b> & compare with A/B.");
    return input;
}

// Eight qubits: four layers of H or X, phases of every size and a ring of CNOTs, 104 operations.
WorksheetInput eightQubits(Language language)
{
    WorksheetInput input;
    Circuit &circuit = input.circuit;
    circuit.titleIt = circuit.titleEn = "Otto qubit";
    circuit.questionIt = "Come si distribuiscono 256 esiti dopo 104 porte?";
    circuit.questionEn = "How are 256 outcomes spread after 104 gates?";
    circuit.qubitCount = 8;
    const double pi = std::acos(-1.0);
    for (std::int32_t layer = 0; layer < 4; ++layer) {
        for (std::int32_t q = 0; q < 8; ++q) {
            circuit.steps.emplace_back(layer % 2 == 0 ? GateKind::H : GateKind::X, q, 0, 0.0);
            circuit.steps.emplace_back(GateKind::P, q, 0, pi / static_cast<double>(q + layer + 2));
            circuit.steps.emplace_back(GateKind::Cnot, (q + 1) % 8, q, 0.0);
        }
        for (std::int32_t q = 0; q < 2; ++q) {
            circuit.steps.emplace_back(GateKind::Z, q + 2 * layer, 0, 0.0);
        }
    }
    input.currentStep = circuit.steps.size() - 3;
    const StateVector state = replayPrefix(circuit, input.currentStep);
    RandomGenerator random(8);
    input.lastShotsCounts = sampleCounts(state, 10000, random);
    input.lastShotsTotal = 10000;
    input.predictionFeedback = learningText(LearningText::FeedbackNone, language);
    input.notes = QStringLiteral("Many small probabilities; the counts follow them only roughly.\nPasted amplitudes: "
                                 "0.0589060228,-0.0714187538,0.0102353317,-0.0224692764,0.0286668222,-0.00688916415,"
                                 "-0.0125363325,-0.0437272372,-0.0546728982,0.00519391306,-0.139512192");
    return input;
}

bool write(const QDir &folder, const QString &name, const WorksheetInput &input, Language language)
{
    const QString path = folder.filePath(name);
    QString error;
    if (!saveWorksheetFile(path, input, language, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool written = true;
    for (const auto &[language, code] : {std::pair{English, "en"}, std::pair{Italian, "it"}}) {
        written =
            write(folder, QStringLiteral("midway_%1.html").arg(QLatin1String(code)), midway(language), language) &&
            written;
        written = write(folder, QStringLiteral("eight_qubits_%1.html").arg(QLatin1String(code)), eightQubits(language),
                        language) &&
                  written;
    }
    return written ? 0 : 1;
}
