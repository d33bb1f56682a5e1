// The main window's interactive costs: one Next step and one stage click, each with the whole refresh and
// the repaint it causes, on lesson 21 (99 gates, 3 qubits) and on an 8-qubit circuit of 256 gates; and the
// start-up to the first shown window, the step again with the learning lab open beside the window, and a change of
// the interface zoom on the 8-qubit circuit, and an edit from the drawing's keys there. Goals: a step, a click or
// an edit under 16 ms, a zoom change under 100 ms, start-up under 1 s.
#include "tools/SampleCircuits.h"

#include "Help/Resources.h"
#include "education/dialog/LearningController.h"
#include "ui/views/CircuitView.h"
#include "ui/widgets/InterfaceStyle.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

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

BENCHMARK(BM_NextStepLesson21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStepLesson21LearningLab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStepEightQubitsLearningLab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStepEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageClickLesson21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageClickEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomChangeEightQubits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyEditEightQubits)->Unit(benchmark::kMillisecond);
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
