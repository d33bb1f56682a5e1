// Renders the qubit view offscreen to PNG files, for looking at it.
// Usage: render_qubit_panel <output directory>

#include "tools/OutputFolder.h"

#include "core/Circuit.h"
#include "core/StateVector.h"
#include "curriculum/LessonCatalog.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/QubitStatePanel.h"

#include <QApplication>
#include <QDir>

#include <cmath>
#include <cstdio>

using namespace Fasoria;

namespace {

bool render(const QDir &directory, const QString &name, const StateVector &state, Language language, QSize size)
{
    QubitStatePanel panel;
    panel.resize(size);
    panel.show();
    panel.showState(state, language);
    // The cells settle in two rounds: their layout first, then the scroll area around them.
    for (int round = 0; round < 3; ++round) {
        QApplication::processEvents();
    }
    const QString path = directory.filePath(name + QLatin1Char('-') + Fasoria::languageCode(language) + ".png");
    if (!panel.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
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
    StateVector ghz = createState(3);
    ghz.applyH(0);
    ghz.applyCnot(0, 1);
    ghz.applyCnot(1, 2);
    const Lesson &grover = lessonCatalog().at(20);
    const StateVector groverHalf = replayPrefix(grover, grover.steps.size() / 2);
    // Every kind of vector at once: |0>, |1>, |+>, |+i>, a tilted one and an entangled pair among twelve.
    StateVector twelve = createState(12);
    twelve.applyX(1);
    twelve.applyH(2);
    twelve.applyH(3);
    twelve.applyPhase(3, std::acos(-1.0) / 2.0);
    twelve.applyH(4);
    twelve.applyPhase(4, 1.0);
    twelve.applyH(4);
    twelve.applyH(10);
    twelve.applyCnot(10, 11);

    bool ok = true;
    for (Language language : {English, Italian}) {
        ok &= render(directory, QStringLiteral("qubits-bell"), bell, language, QSize(840, 420));
        ok &= render(directory, QStringLiteral("qubits-ghz3"), ghz, language, QSize(840, 420));
        ok &= render(directory, QStringLiteral("qubits-lesson21-half"), groverHalf, language, QSize(840, 420));
        ok &= render(directory, QStringLiteral("qubits-twelve"), twelve, language, QSize(1280, 800));
        ok &= render(directory, QStringLiteral("qubits-twelve-narrow"), twelve, language, QSize(420, 600));
    }
    return ok ? 0 : 1;
}
