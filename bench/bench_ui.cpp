// The main window's interactive costs: one Next step and one stage click, each with the whole refresh and
// the repaint it causes, on lesson 21 (99 gates, 3 qubits) and on an 8-qubit circuit of 256 gates; and the
// start-up to the first shown window, the step again with the learning lab open beside the window, and a change of
// the interface zoom on the 8-qubit circuit, an edit from the drawing's keys there, and a drag's pointer move and
// drop there; and opening a full lesson pack. Goals: a step, a click, an edit or a drop under 16 ms, a drag's move
// under 8 ms, a zoom change and a full pack's opening under 100 ms, start-up under 1 s.
#include "tools/SampleCircuits.h"

#include "Help/Resources.h"
#include "editor/LessonPack.h"
#include "education/dialog/LearningController.h"
#include "ui/commands/LessonPackCommands.h"
#include "ui/views/CircuitView.h"
#include "ui/views/GateGlyphs.h"
#include "ui/widgets/InterfaceStyle.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

constexpr int kLastLesson = 20;

std::unique_ptr<MainWindow> shownWindow(bool wide, bool learningLab = false)
{
    auto window = std::make_unique<MainWindow>();
    window->show();
    if (learningLab) {
        window->learning().show();
    }
    QApplication::processEvents();
    if (wide) {
        window->files().replaceWorkingCircuit(wideCircuit());
    } else {
        window->selectLesson(kLastLesson);
    }
    QApplication::processEvents();
    return window;
}

void nextStep(benchmark::State &state, bool wide, bool learningLab = false)
{
    const std::unique_ptr<MainWindow> window = shownWindow(wide, learningLab);
    for (auto _ : state) {
        if (window->experiment().currentStep() == window->experiment().stepCount()) {
            state.PauseTiming();
            window->experiment().restart();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        window->experiment().nextStep();
        QApplication::processEvents();
    }
}

void stageClick(benchmark::State &state, bool wide)
{
    const std::unique_ptr<MainWindow> window = shownWindow(wide);
    const std::uint64_t stages = window->experiment().stepCount() + 1;
    std::uint64_t stage = 0;
    for (auto _ : state) {
        // Far jumps: each click replays a different prefix.
        stage = (stage + stages / 2 + 1) % stages;
        window->experiment().goToStep(stage);
        QApplication::processEvents();
    }
}

void BM_NextStepLesson21(benchmark::State &state)
{
    nextStep(state, false);
}

void BM_NextStepEightQubits(benchmark::State &state)
{
    nextStep(state, true);
}

void BM_StageClickLesson21(benchmark::State &state)
{
    stageClick(state, false);
}

void BM_StageClickEightQubits(benchmark::State &state)
{
    stageClick(state, true);
}

void BM_StartUpToShownWindow(benchmark::State &state)
{
    for (auto _ : state) {
        auto window = std::make_unique<MainWindow>();
        window->show();
        QApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_NextStepLesson21LearningLab(benchmark::State &state)
{
    nextStep(state, false, true);
}

void BM_NextStepEightQubitsLearningLab(benchmark::State &state)
{
    nextStep(state, true, true);
}

void BM_ZoomChangeEightQubits(benchmark::State &state)
{
    const std::unique_ptr<MainWindow> window = shownWindow(true, true);
    QAction *zoomIn = window->findChild<QAction *>(QStringLiteral("m_actionZoomIn"));
    QAction *actualSize = window->findChild<QAction *>(QStringLiteral("m_actionActualSize"));
    bool enlarged = false;
    for (auto _ : state) {
        (enlarged ? actualSize : zoomIn)->trigger();
        enlarged = !enlarged;
        QApplication::processEvents();
    }
    actualSize->trigger();
}

void sendMouse(QWidget *receiver, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, receiver->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

/// One edit from the drawing's keys, with its checked edit, undo snapshot, rebuild and whole refresh: the shown
/// gate of the 8-qubit circuit moved right and back left in turn (Alt+Right, Alt+Left).
void BM_KeyEditEightQubits(benchmark::State &state)
{
    const std::unique_ptr<MainWindow> window = shownWindow(true);
    window->experiment().goToStep(window->experiment().stepCount() / 2);
    QApplication::processEvents();
    auto *view = window->findChild<CircuitView *>(QStringLiteral("m_circuitView"));
    bool right = true;
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::AltModifier);
        QApplication::sendEvent(view, &key);
        right = !right;
        QApplication::processEvents();
    }
}

/// A press on the gate of the shown stage of the 8-qubit circuit and a move past the drag distance: the drag
/// is under way, the gate held at `held` (viewport coordinates). Null when the gate is not in sight.
std::unique_ptr<MainWindow> windowWithHeldGate(benchmark::State &state, QPoint *held, QPoint *landings)
{
    using namespace Fasoria::DrawingGeometry;
    std::unique_ptr<MainWindow> window = shownWindow(true);
    Fasoria::Experiment &experiment = window->experiment();
    const std::uint64_t stage = experiment.stepCount() / 2;
    experiment.goToStep(stage);
    QApplication::processEvents();
    auto *view = window->findChild<CircuitView *>(QStringLiteral("m_circuitView"));
    const Fasoria::Gate &gate = experiment.shownCircuit().steps[stage - 1].gate;
    const std::int32_t qubits = experiment.shownCircuit().qubitCount;
    // The drawing scrolls both ways at this size: the gate in the middle of the viewport.
    view->centerOn(stageX(stage), qubitY(gate.target, qubits));
    *held = view->mapFromScene(QPointF(stageX(stage), qubitY(gate.target, qubits)));
    // Two landings a gap and a wire apart, both in sight: each move between them is judged afresh.
    const std::int32_t neighbour = gate.target > 0 ? gate.target - 1 : gate.target + 1;
    landings[0] = view->mapFromScene(QPointF(gapX(stage + 1), qubitY(neighbour, qubits)));
    landings[1] = view->mapFromScene(QPointF(gapX(stage - 2), qubitY(gate.target, qubits)));
    const QRect inner = view->viewport()->rect().adjusted(40, 0, -40, 0);
    if (!inner.contains(*held) || !inner.contains(landings[0]) || !inner.contains(landings[1])) {
        state.SkipWithError("the held gate or a landing is out of sight");
        return nullptr;
    }
    sendMouse(view->viewport(), QEvent::MouseButtonPress, *held, Qt::LeftButton);
    sendMouse(view->viewport(), QEvent::MouseMove, *held + QPoint(0, 20), Qt::LeftButton);
    QApplication::processEvents();
    if (!view->isDragging()) {
        state.SkipWithError("the drag did not start");
        return nullptr;
    }
    return window;
}

/// One pointer move of a drag over the 8-qubit circuit of 256 gates, to a new landing, with its judgement,
/// ghost and line, and the repaint it causes.
void BM_DragMoveEightQubits(benchmark::State &state)
{
    QPoint held;
    QPoint landings[2];
    const std::unique_ptr<MainWindow> window = windowWithHeldGate(state, &held, landings);
    if (!window) {
        return;
    }
    QWidget *viewport = window->findChild<CircuitView *>(QStringLiteral("m_circuitView"))->viewport();
    int next = 0;
    for (auto _ : state) {
        sendMouse(viewport, QEvent::MouseMove, landings[next], Qt::LeftButton);
        next = 1 - next;
        QApplication::processEvents();
    }
}

/// The drop of a drag on the 8-qubit circuit of 256 gates: the checked move, its undo snapshot, the rebuild at
/// the gate's new stage and the whole refresh. The gate goes one gap right and then back, in turn.
void BM_DropEightQubits(benchmark::State &state)
{
    QPoint held;
    QPoint landings[2];
    std::unique_ptr<MainWindow> window = windowWithHeldGate(state, &held, landings);
    if (!window) {
        return;
    }
    auto *view = window->findChild<CircuitView *>(QStringLiteral("m_circuitView"));
    sendMouse(view->viewport(), QEvent::MouseButtonRelease, held, Qt::NoButton);
    QApplication::processEvents();
    Fasoria::Experiment &experiment = window->experiment();
    using namespace Fasoria::DrawingGeometry;
    for (auto _ : state) {
        state.PauseTiming();
        // Hold the shown gate and point one gap past its neighbour, on its own wire.
        const std::uint64_t stage = experiment.currentStep();
        const std::int32_t qubits = experiment.shownCircuit().qubitCount;
        const std::int32_t wire = experiment.shownCircuit().steps[stage - 1].gate.target;
        const bool right = stage % 2 == 0;
        const QPoint from = view->mapFromScene(QPointF(stageX(stage), qubitY(wire, qubits)));
        const QPoint to = view->mapFromScene(QPointF(gapX(right ? stage + 1 : stage - 2), qubitY(wire, qubits)));
        sendMouse(view->viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton);
        sendMouse(view->viewport(), QEvent::MouseMove, from + QPoint(0, 20), Qt::LeftButton);
        sendMouse(view->viewport(), QEvent::MouseMove, to, Qt::LeftButton);
        QApplication::processEvents();
        state.ResumeTiming();
        sendMouse(view->viewport(), QEvent::MouseButtonRelease, to, Qt::NoButton);
        QApplication::processEvents();
    }
    if (experiment.document().history().undoCount() == 0) {
        state.SkipWithError("no drop was applied");
    }
}

/// Opening a full lesson pack (50 guided lessons of 8 qubits and 60 gates, each step explained in both
/// languages, close to the 1 MiB a pack may hold) from the File menu's path: the whole read and check, the
/// shelving, the selector rebuilt with 50 more lessons and the pack's first lesson shown. Opened again each time,
/// so it replaces itself.
void BM_OpenFullPack(benchmark::State &state)
{
    Fasoria::LessonPack pack{QStringLiteral("Pacchetto pieno"), QStringLiteral("Full pack"), {}};
    Fasoria::Circuit circuit = wideCircuit();
    circuit.steps.erase(circuit.steps.begin() + 60, circuit.steps.end());
    // A file holds phases within one turn either way.
    for (Fasoria::LessonStep &step : circuit.steps) {
        step.gate.angle = std::fmod(step.gate.angle, 6.0);
    }
    for (int i = 0; i < Fasoria::kMaxPackLessons; ++i) {
        Fasoria::PackLesson lesson;
        lesson.id = QStringLiteral("lesson-%1").arg(i);
        lesson.titleIt = lesson.titleEn = QStringLiteral("Lezione %1 del pacchetto").arg(i);
        lesson.questionIt = lesson.questionEn = QStringLiteral("Che cosa fa questo circuito?");
        lesson.explanationIt = lesson.explanationEn = QStringLiteral("Fa quello che si vede passo per passo.");
        lesson.guided = circuit;
        for (std::size_t step = 0; step < circuit.steps.size(); ++step) {
            lesson.stepTexts.emplace_back(QStringLiteral("Passo %1: la porta cambia lo stato.").arg(step),
                                          QStringLiteral("Step %1: the gate changes the state.").arg(step));
        }
        pack.lessons.push_back(lesson);
    }
    const QString path = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                             .filePath(QStringLiteral("bench-full.lessons.json"));
    QString error;
    if (!Fasoria::saveLessonPackFile(path, pack, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    const std::unique_ptr<MainWindow> window = shownWindow(false);
    for (auto _ : state) {
        window->lessonPacks().openPackFile(path);
        QApplication::processEvents();
    }
    if (window->lessonLibrary().packs().size() != 1) {
        state.SkipWithError("the pack did not open");
    }
    window->lessonPacks().closePacks();
    QFile::remove(path);
}

BENCHMARK(BM_NextStepLesson21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStepLesson21LearningLab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStepEightQubitsLearningLab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStepEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageClickLesson21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageClickEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomChangeEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyEditEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragMoveEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFullPack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("NemboticaBench"));
    QApplication::setApplicationName(QStringLiteral("FasoriaBench"));
    QApplication::setStyle(Fasoria::createInterfaceStyle());
    Fasoria::initResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
