// Renders the probability chart offscreen to PNG and SVG files in both languages, for looking at them: the
// pictures as exported and the widget at its smallest comfortable size.
// Usage: render_chart <output directory>

#include "tools/OutputFolder.h"
#include "tools/SampleCircuits.h"

#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "ui/model/ChartModel.h"
#include "ui/model/Experiment.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/ChartPicture.h"
#include "ui/views/ProbabilityChart.h"

#include <QApplication>
#include <QDir>

#include <cmath>
#include <cstdio>

using namespace Fasoria;

namespace {

constexpr std::int32_t kGroverLesson = 20;
constexpr std::uint64_t kPreparations = 1000;
constexpr std::uint64_t kSeed = 20240601;

bool savePictures(const QDir &directory, const QString &name, const ChartData &data, Language language)
{
    const QString base = directory.filePath(name + QLatin1Char('-') + languageCode(language));
    bool ok = true;
    for (PictureFormat format : {PictureFormat::Png, PictureFormat::Svg}) {
        const QString path = pictureFileName(base, format);
        QString error;
        if (saveChartPicture(path, format, data, language, &error)) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            ok = false;
        }
    }
    return ok;
}

bool saveWidget(const QDir &directory, const QString &name, const ChartData &data, Language language, QSize size)
{
    ProbabilityChart chart;
    chart.resize(size);
    chart.showData(data, language);
    chart.show();
    QApplication::processEvents();
    const QString path = directory.filePath(name + QLatin1Char('-') + languageCode(language) + QStringLiteral(".png"));
    if (!chart.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

/// Lesson 21 (three-qubit Grover, two iterations) at its end, after repeated preparations, optionally measured.
ChartData groverChart(bool measure)
{
    Experiment experiment;
    experiment.random().seed(kSeed);
    experiment.startLesson(kGroverLesson);
    experiment.goToStep(experiment.stepCount());
    experiment.repeatPreparations(kPreparations);
    if (measure) {
        experiment.measureOnce();
    }
    return chartData(experiment, false);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QDir directory;
    if (const int status = openOutputFolder(argc, argv, &directory)) {
        return status;
    }

    StateVector bell = createState(2);
    bell.applyH(0);
    bell.applyCnot(0, 1);
    StateVector wide = createState(8);
    for (const LessonStep &step : wideCircuit().steps) {
        wide.applyGate(step.gate);
    }
    // Eight of 256 states: H on q0..q2, copied by CNOTs onto q3..q7, a quarter turn of phase on q0.
    StateVector sparse = createState(8);
    for (std::uint32_t qubit = 0; qubit < 3; ++qubit) {
        sparse.applyH(qubit);
    }
    for (std::uint32_t qubit = 3; qubit < 8; ++qubit) {
        sparse.applyCnot(qubit - 3, qubit);
    }
    sparse.applyPhase(0, std::acos(-1.0) / 2.0);
    RandomGenerator generator(kSeed);
    const Histogram wideCounts = sampleCounts(wide, kPreparations, generator);
    const ChartData grover = groverChart(false);
    const ChartData wideData = chartData(wide, &wideCounts, kPreparations, -1, false);

    bool ok = true;
    for (Language language : {English, Italian}) {
        ok &= savePictures(directory, QStringLiteral("chart-bell"), chartData(bell, nullptr, 0, -1, false), language);
        ok &= savePictures(directory, QStringLiteral("chart-grover-1000"), grover, language);
        ok &= savePictures(directory, QStringLiteral("chart-8-qubits-1000"), wideData, language);
        ok &= savePictures(directory, QStringLiteral("chart-8-qubits-sparse"), chartData(sparse, nullptr, 0, -1, false),
                           language);
        ok &= savePictures(directory, QStringLiteral("chart-8-qubits-sparse-non-zero"),
                           chartData(sparse, nullptr, 0, -1, true), language);
        ok &= savePictures(directory, QStringLiteral("chart-grover-measured"), groverChart(true), language);
        ok &= saveWidget(directory, QStringLiteral("widget-grover-380x170"), grover, language, QSize(380, 170));
        ok &= saveWidget(directory, QStringLiteral("widget-8-qubits-700x260"), wideData, language, QSize(700, 260));
    }
    return ok ? 0 : 1;
}
