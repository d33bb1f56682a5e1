// Renders the circuit drawing and the amplitude table offscreen to PNG files, for looking at them.
// Usage: render_views <output directory>

#include "tools/OutputFolder.h"
#include "tools/SampleCircuits.h"

#include "core/Circuit.h"
#include "core/Measurement.h"
#include "curriculum/LessonCatalog.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/views/CircuitPicture.h"
#include "ui/views/CircuitView.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

using namespace Fasoria;

namespace {

bool saveImage(const QImage &image, const QDir &directory, const QString &name)
{
    const QString path = directory.filePath(name + QStringLiteral(".png"));
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool save(QWidget *widget, const QDir &directory, const QString &name)
{
    widget->show();
    QApplication::processEvents();
    return saveImage(widget->grab().toImage(), directory, name);
}

// How the drawing is framed: fitted (Fit), fitted and then scrolled to the middle of its width, or focused on
// the current step.
enum class Framing
{
    Fit,
    FitScrolledToMiddle,
    Focus,
};

bool renderCircuit(const QDir &directory, const QString &name, const Circuit &circuit, std::uint64_t step,
                   bool measured, Language language, bool working, Framing framing)
{
    CircuitView view;
    view.resize(840, 420);
    view.show();
    QApplication::processEvents();
    view.showCircuit(circuit, step, measured, language, working);
    if (framing == Framing::Focus) {
        view.focusStage(step);
    } else {
        view.fitAll();
    }
    // The scroll bars appear through a posted layout request, which refits the view once more.
    QApplication::processEvents();
    if (framing == Framing::FitScrolledToMiddle) {
        QScrollBar *bar = view.horizontalScrollBar();
        bar->setValue((bar->minimum() + bar->maximum()) / 2);
    }
    return save(&view, directory, name + QLatin1Char('-') + languageCode(language));
}

// The exported picture, as a PNG file at its usual scale.
bool renderPicture(const QDir &directory, const QString &name, const Circuit &circuit, std::uint64_t step,
                   Language language)
{
    CircuitPictureRequest request;
    request.circuit = circuit;
    request.stage = step;
    request.language = language;
    request.isWorkingCircuit = true;
    return saveImage(circuitImage(request), directory, name + QLatin1Char('-') + languageCode(language));
}

// The table as the window's state pane holds it: title, table, norm line.
bool renderTable(const QDir &directory, const QString &name, const StateVector &state, const Histogram &histogram,
                 std::uint64_t shots, Language language)
{
    QWidget pane;
    auto *layout = new QVBoxLayout(&pane);
    layout->setSpacing(4);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *title = new QLabel(uiText(TextKey::StatesTitle, language));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto *table = new QTableWidget;
    AmplitudeTable::setUp(table);
    AmplitudeTable::applyLanguage(table, language);
    AmplitudeTable::fill(table, state, histogram, shots);
    auto *norm = new QLabel(AmplitudeTable::normText(state, language));
    norm->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(table);
    layout->addWidget(norm);
    pane.resize(840, 420);
    return save(&pane, directory, name + QLatin1Char('-') + languageCode(language));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QDir directory;
    if (const int status = openOutputFolder(argc, argv, &directory)) {
        return status;
    }

    const LessonCatalog &lessons = lessonCatalog();
    Circuit measuredCircuit;
    measuredCircuit.qubitCount = 3;
    measuredCircuit.steps = {LessonStep(GateKind::H, 0, 0, 0.0), LessonStep(GateKind::Cnot, 1, 0, 0.0),
                             LessonStep(GateKind::Cnot, 2, 1, 0.0), LessonStep(GateKind::P, 2, 0, 0.7853981633974483)};

    StateVector bell = createState(2);
    bell.applyH(0);
    bell.applyCnot(0, 1);
    StateVector uniform = createState(8);
    for (std::uint32_t qubit = 0; qubit < 8; ++qubit) {
        uniform.applyH(qubit);
    }
    RandomGenerator generator(20240601);
    const Histogram counts = sampleCounts(uniform, 1000, generator);

    bool ok = true;
    for (Language language : {English, Italian}) {
        ok &= renderCircuit(directory, QStringLiteral("lesson03-step1"), lessons.at(2), 1, false, language, false,
                            Framing::Fit);
        ok &= renderCircuit(directory, QStringLiteral("lesson21-step50-fit"), lessons.at(20), 50, false, language,
                            false, Framing::Fit);
        ok &= renderCircuit(directory, QStringLiteral("lesson21-fit-middle"), lessons.at(20), 50, false, language,
                            false, Framing::FitScrolledToMiddle);
        ok &= renderCircuit(directory, QStringLiteral("lesson21-step50-focus"), lessons.at(20), 50, false, language,
                            false, Framing::Focus);
        ok &= renderCircuit(directory, QStringLiteral("wide-8x256-fit-middle"), wideCircuit(), 128, false, language,
                            true, Framing::FitScrolledToMiddle);
        ok &= renderCircuit(directory, QStringLiteral("measured-3-qubits"), measuredCircuit, 4, true, language, true,
                            Framing::Fit);
        ok &= renderPicture(directory, QStringLiteral("picture-measured-3-qubits"), measuredCircuit, 4, language);
        ok &= renderTable(directory, QStringLiteral("table-bell"), bell, {}, 0, language);
        ok &= renderTable(directory, QStringLiteral("table-uniform8-1000"), uniform, counts, 1000, language);
    }
    return ok ? 0 : 1;
}
