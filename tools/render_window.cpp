// Renders the main window in typical situations to PNG files, for looking at the layout without a screen.
// Usage: render_window OUTPUT_DIRECTORY
#include "tools/SampleCircuits.h"

#include "Help/Resources.h"
#include "editor/ChallengeFile.h"
#include "editor/LessonPack.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "education/model/StudySession.h"
#include "ui/commands/CircuitCommands.h"
#include "ui/commands/FileCommands.h"
#include "ui/commands/LessonPackCommands.h"
#include "ui/commands/WorksheetCommands.h"
#include "ui/model/LeftTabs.h"
#include "ui/views/CircuitView.h"
#include "ui/views/GateGlyphs.h"
#include "ui/widgets/InterfaceStyle.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

bool saveWidget(QWidget &widget, const QDir &directory, const QString &name)
{
    settle();
    const QString path = directory.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool save(MainWindow &window, const QDir &directory, const QString &name)
{
    return saveWidget(window, directory, name);
}

/// The worksheet of the work in hand as the window exports it, as HTML and as PDF, with a name and a class.
bool saveWorksheets(MainWindow &window, const QDir &directory, const QString &name)
{
    Fasoria::StudyTexts texts = window.studySession().texts();
    texts.studentName = QStringLiteral("Ada Lovelace");
    texts.className = QStringLiteral("4B");
    texts.notes = QStringLiteral("");
    window.studySession().setTexts(texts);
    const QString base = directory.filePath(name);
    const bool written = window.files().exportWorksheet(base + QStringLiteral(".html")) &&
                         window.worksheetCommands().exportPdf(base + QStringLiteral(".pdf"));
    std::printf("%s.html\n%s.pdf\n", qPrintable(base), qPrintable(base));
    return written;
}

void steps(MainWindow &window, int count)
{
    for (int i = 0; i < count; ++i) {
        window.experiment().nextStep();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("NemboticaRender"));
    QApplication::setApplicationName(QStringLiteral("FasoriaRender"));
    QApplication::setStyle(Fasoria::createInterfaceStyle());
    QLocale::setDefault(QLocale(QLocale::English));
    Fasoria::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Fasoria.png")));
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    for (int language = 0; language < 2; ++language) {
        const QString suffix = language == 1 ? QStringLiteral("-en") : QStringLiteral("-it");
        MainWindow window;
        // No dialog may wait for an answer here: the question before discarding an edit is answered with
        // Discard, and any warning is reported.
        window.setMessageBoxHandler([](QWidget *, QMessageBox::Icon icon, const QString &title, const QString &text,
                                       QMessageBox::StandardButtons, QMessageBox::StandardButton) {
            if (icon != QMessageBox::Question) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
            }
            return QMessageBox::Discard;
        });
        window.show();
        window.findChild<QComboBox *>(QStringLiteral("m_languageCombo"))->setCurrentIndex(language);
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("m_leftTabs"));

        window.selectLesson(3);
        steps(window, 1);
        ok = save(window, directory, QStringLiteral("guided-midway") + suffix) && ok;
        // Past the start, the prediction box says where a prediction is recorded.
        tabs->setCurrentIndex(Fasoria::kMeasurementsTab);
        ok = save(window, directory, QStringLiteral("prediction-closed") + suffix) && ok;
        tabs->setCurrentIndex(Fasoria::kLessonTab);

        window.selectLesson(2);
        auto *prediction = window.findChild<QComboBox *>(QStringLiteral("m_predictionCombo"));
        prediction->setCurrentIndex(4);
        window.findChild<QPushButton *>(QStringLiteral("m_predictionButton"))->click();
        // The recorded prediction waits for the end: the stage the preparations use, and the whole circuit's.
        tabs->setCurrentIndex(Fasoria::kMeasurementsTab);
        ok = save(window, directory, QStringLiteral("prediction-recorded") + suffix) && ok;
        steps(window, 2);
        window.experiment().repeatPreparations(window.studySession().preparations());
        window.experiment().measureOnce();
        tabs->setCurrentIndex(Fasoria::kMeasurementsTab);
        ok = save(window, directory, QStringLiteral("measured") + suffix) && ok;
        window.experiment().goToStep(2);
        tabs->setCurrentIndex(Fasoria::kQubitsTab);
        ok = save(window, directory, QStringLiteral("bell-qubits") + suffix) && ok;

        window.selectLesson(20);
        tabs->setCurrentIndex(Fasoria::kLessonTab);
        steps(window, 40);
        ok = save(window, directory, QStringLiteral("lesson21-step40") + suffix) && ok;
        tabs->setCurrentIndex(Fasoria::kQubitsTab);
        ok = save(window, directory, QStringLiteral("lesson21-step40-qubits") + suffix) && ok;
        tabs->setCurrentIndex(Fasoria::kLessonTab);
        window.experiment().goToStep(window.experiment().stepCount());
        window.experiment().repeatPreparations(window.studySession().preparations());
        ok = save(window, directory, QStringLiteral("lesson21-end") + suffix) && ok;

        window.selectLesson(4);
        ok = save(window, directory, QStringLiteral("challenge") + suffix) && ok;

        // The Bell challenge answered with a stray Z (a relative phase), then corrected, hints shown.
        window.selectLesson(9);
        tabs->setCurrentIndex(Fasoria::kLessonTab);
        const std::pair<Fasoria::GateKind, std::pair<int, int>> answer[] = {
            {Fasoria::GateKind::H, {0, 0}}, {Fasoria::GateKind::Cnot, {1, 0}}, {Fasoria::GateKind::Z, {0, 0}}};
        for (const auto &[kind, qubits] : answer) {
            window.findChild<QComboBox *>(QStringLiteral("m_gateCombo"))->setCurrentIndex(static_cast<int>(kind));
            window.findChild<QSpinBox *>(QStringLiteral("m_targetSpin"))->setValue(qubits.first);
            window.findChild<QSpinBox *>(QStringLiteral("m_controlSpin"))->setValue(qubits.second);
            window.circuitCommands().insertGateAfterStage();
        }
        window.experiment().showNextHint();
        window.circuitCommands().checkChallengeSolution();
        ok = save(window, directory, QStringLiteral("challenge-failed") + suffix) && ok;
        window.circuitCommands().removeSelectedGate();
        window.experiment().showNextHint();
        window.circuitCommands().checkChallengeSolution();
        ok = save(window, directory, QStringLiteral("challenge-solved") + suffix) && ok;
        ok = saveWorksheets(window, directory, QStringLiteral("worksheet-bell") + suffix) && ok;

        // A teacher's challenge (Bell pair, Z forbidden) answered with H, Z and CNOT, first hint shown.
        {
            Fasoria::ChallengeFile challenge;
            challenge.definition.qubitCount = 2;
            challenge.definition.goalIt = "Prepara (|00> + |11>)/sqrt(2) senza usare Z.";
            challenge.definition.goalEn = "Prepare (|00> + |11>)/sqrt(2) without using Z.";
            Fasoria::setChallengeHints(challenge.definition, {"Una H sul qubit q0.", "Poi una CNOT.", ""},
                                       {"An H on qubit q0.", "Then a CNOT.", ""});
            challenge.definition.forbidden = {Fasoria::GateKind::Z};
            Fasoria::Circuit bell = customCircuit(2);
            bell.steps.emplace_back(Fasoria::GateKind::H, 0, 0, 0.0);
            bell.steps.emplace_back(Fasoria::GateKind::Cnot, 1, 0, 0.0);
            challenge.reference = bell;
            challenge.definition.target = Fasoria::targetFromCircuit(bell);
            const QString path = directory.filePath(QStringLiteral("teacher.challenge.json"));
            QString error;
            ok = Fasoria::saveChallengeFile(path, challenge, &error) && window.files().openChallengeFile(path) && ok;
            const std::pair<Fasoria::GateKind, int> gates[] = {
                {Fasoria::GateKind::H, 0}, {Fasoria::GateKind::Z, 0}, {Fasoria::GateKind::Cnot, 1}};
            for (const auto &[kind, target] : gates) {
                window.findChild<QComboBox *>(QStringLiteral("m_gateCombo"))->setCurrentIndex(static_cast<int>(kind));
                window.findChild<QSpinBox *>(QStringLiteral("m_targetSpin"))->setValue(target);
                window.findChild<QSpinBox *>(QStringLiteral("m_controlSpin"))->setValue(0);
                window.circuitCommands().insertGateAfterStage();
            }
            window.experiment().showNextHint();
            window.circuitCommands().checkChallengeSolution();
            ok = save(window, directory, QStringLiteral("teacher-challenge") + suffix) && ok;
            QFile::remove(path);
        }

        // A teacher's goal written as markup is shown as the text it is.
        {
            Fasoria::ChallengeFile challenge;
            challenge.definition.qubitCount = 1;
            challenge.definition.goalIt = "<h1 style=\"color:green\">RISOLTO! 100%</h1>";
            challenge.definition.goalEn = "<h1 style=\"color:green\">SOLVED! 100%</h1>";
            Fasoria::setChallengeHints(challenge.definition, {"<img width=30000 src=\"x.png\">", "", ""},
                                       {"<img width=30000 src=\"x.png\">", "", ""});
            Fasoria::Circuit flip = customCircuit(1);
            flip.steps.emplace_back(Fasoria::GateKind::X, 0, 0, 0.0);
            challenge.reference = flip;
            challenge.definition.target = Fasoria::targetFromCircuit(flip);
            const QString path = directory.filePath(QStringLiteral("markup.challenge.json"));
            QString error;
            ok = Fasoria::saveChallengeFile(path, challenge, &error) && window.files().openChallengeFile(path) && ok;
            window.experiment().showNextHint();
            ok = save(window, directory, QStringLiteral("markup-goal") + suffix) && ok;
            QFile::remove(path);
        }

        // A teacher's pack: its lessons in the selector under its title, a guided step whose text looks like
        // markup, and its challenge.
        {
            Fasoria::PackLesson guided;
            guided.id = QStringLiteral("bell");
            guided.titleIt = QStringLiteral("La coppia di Bell, scritta da un insegnante con un titolo lungo");
            guided.titleEn = QStringLiteral("The Bell pair, written by a teacher with a long title");
            guided.questionIt = QStringLiteral("Due qubit possono dare sempre lo stesso esito?");
            guided.questionEn = QStringLiteral("Can two qubits always give the same outcome?");
            guided.explanationIt = QStringLiteral("La misura di uno decide l'altro.");
            guided.explanationEn = QStringLiteral("Measuring one decides the other.");
            Fasoria::Circuit bell = customCircuit(2);
            bell.steps.emplace_back(Fasoria::GateKind::H, 0, 0, 0.0);
            bell.steps.emplace_back(Fasoria::GateKind::Cnot, 1, 0, 0.0);
            guided.guided = bell;
            guided.stepTexts = {{QStringLiteral("<b>H</b> mette q0 in sovrapposizione: |0> e |1> insieme."),
                                 QStringLiteral("<b>H</b> puts q0 in superposition: |0> and |1> together.")},
                                {QStringLiteral("CNOT lega q1 a q0: la coppia di Bell è pronta."),
                                 QStringLiteral("CNOT ties q1 to q0: the Bell pair is ready.")}};
            Fasoria::PackLesson task = guided;
            task.id = QStringLiteral("bell-challenge");
            task.titleIt = QStringLiteral("Tocca a te");
            task.titleEn = QStringLiteral("Your turn");
            task.guided.reset();
            task.stepTexts.clear();
            Fasoria::ChallengeFile challenge;
            challenge.definition.qubitCount = 2;
            challenge.definition.goalIt = "Prepara la coppia di Bell.";
            challenge.definition.goalEn = "Prepare the Bell pair.";
            Fasoria::setChallengeHints(challenge.definition, {"Una H.", "Poi una CNOT.", ""},
                                       {"An H.", "Then a CNOT.", ""});
            challenge.reference = bell;
            challenge.definition.target = Fasoria::targetFromCircuit(bell);
            task.challenge = challenge;
            const QString path = directory.filePath(QStringLiteral("pairs.lessons.json"));
            QFile::remove(path);
            QString error;
            ok = Fasoria::saveLessonPackFile(
                     path, Fasoria::LessonPack{QStringLiteral("Coppie"), QStringLiteral("Pairs"), {guided, task}},
                     &error) &&
                 window.lessonPacks().openPackFile(path) && ok;
            window.experiment().nextStep();
            ok = save(window, directory, QStringLiteral("pack-guided") + suffix) && ok;
            auto *lessons = window.findChild<QComboBox *>(QStringLiteral("m_lessons"));
            lessons->showPopup();
            ok = saveWidget(*lessons->view()->window(), directory, QStringLiteral("pack-selector") + suffix) && ok;
            lessons->hidePopup();
            lessons->setCurrentIndex(lessons->count() - 1);
            window.experiment().showNextHint();
            ok = save(window, directory, QStringLiteral("pack-challenge") + suffix) && ok;
            window.lessonPacks().closePacks();
            QFile::remove(path);
        }

        // A generated Grover circuit at its second checkpoint.
        tabs->setCurrentIndex(Fasoria::kAlgorithmsTab);
        window.findChild<QPushButton *>(QStringLiteral("m_paramCreateButton"))->click();
        const Fasoria::GeneratedAlgorithm *generated = window.experiment().algorithm();
        if (generated && generated->stages.size() > 1) {
            const auto stage = static_cast<std::uint64_t>(generated->stages[1].gateIndex);
            window.experiment().goToStep(stage);
            window.findChild<CircuitView *>()->focusStage(stage);
        }
        settle();
        window.findChild<QScrollArea *>(QStringLiteral("algorithmsScroll"))
            ->ensureWidgetVisible(window.findChild<QWidget *>(QStringLiteral("m_algorithmRunButton")));
        ok = save(window, directory, QStringLiteral("algorithms-grover") + suffix) && ok;
        window.experiment().goToStep(window.experiment().stepCount());
        window.experiment().repeatPreparations(1000);
        ok = saveWorksheets(window, directory, QStringLiteral("worksheet-grover") + suffix) && ok;
        tabs->setCurrentIndex(Fasoria::kLessonTab);

        // A working copy of the Bell lesson with a phase gate inserted after the first step, its P gate
        // selected in the editor panel.
        window.selectLesson(2);
        tabs->setCurrentIndex(Fasoria::kEditorTab);
        steps(window, 1);
        window.circuitCommands().editCopy();
        window.findChild<QComboBox *>(QStringLiteral("m_gateCombo"))->setCurrentIndex(3);
        window.findChild<QDoubleSpinBox *>(QStringLiteral("m_angleSpin"))->setValue(45.0);
        window.circuitCommands().insertGateAfterStage();
        ok = save(window, directory, QStringLiteral("editor") + suffix) && ok;
        window.experiment().goToStep(1);
        ok = save(window, directory, QStringLiteral("editor-first-gate") + suffix) && ok;
        window.files().restoreOriginal();
        tabs->setCurrentIndex(Fasoria::kLessonTab);

        window.files().replaceWorkingCircuit(wideCircuit());
        steps(window, 3);
        ok = save(window, directory, QStringLiteral("eight-qubits") + suffix) && ok;

        // Dragging on the drawing, in the editor tab: a CNOT from the palette over the Bell challenge, leaning
        // down to its control; the same CNOT refused on a one-qubit register; a gate held off the drawing.
        {
            using namespace Fasoria::DrawingGeometry;
            auto *view = window.findChild<CircuitView *>(QStringLiteral("m_circuitView"));
            const auto at = [view](double x, double y) { return view->mapFromScene(QPointF(x, y)); };
            tabs->setCurrentIndex(Fasoria::kEditorTab);
            window.selectLesson(9);
            window.circuitCommands().insertOnWire(Fasoria::GateKind::H, 0);
            settle();
            view->paletteDragMoved(Fasoria::GateKind::Cnot, at(gapX(1) + 14.0, qubitY(1, 2) + 12.0));
            ok = save(window, directory, QStringLiteral("drag-palette") + suffix) && ok;
            view->paletteDropped(Fasoria::GateKind::Cnot, at(gapX(1) + 14.0, qubitY(1, 2) + 12.0));
            settle();
            const QPoint held = at(stageX(1), qubitY(0, 2));
            QMouseEvent press(QEvent::MouseButtonPress, held, view->viewport()->mapToGlobal(held), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &press);
            for (const QPoint to : {held + QPoint(0, 20), QPoint(held.x(), view->viewport()->height() + 30)}) {
                QMouseEvent move(QEvent::MouseMove, to, view->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(view->viewport(), &move);
            }
            ok = save(window, directory, QStringLiteral("drag-remove") + suffix) && ok;
            view->cancelDrag();
            window.selectLesson(0);
            settle();
            view->paletteDragMoved(Fasoria::GateKind::Cnot, at(gapX(0) + 10.0, qubitY(0, 1) + 8.0));
            ok = save(window, directory, QStringLiteral("drag-refused") + suffix) && ok;
            view->cancelDrag();
            tabs->setCurrentIndex(Fasoria::kLessonTab);
        }

        // The learning lab beside the window: the sign lesson half-way with preparations, the "H / H-Z"
        // comparison, the X / X Bell basis.
        window.selectLesson(3);
        window.learning().show();
        Fasoria::LearningDialog *lab = window.learning().dialog();
        lab->findChild<QComboBox *>(QStringLiteral("distribution"))->setCurrentIndex(3);
        lab->findChild<QPushButton *>(QStringLiteral("record"))->click();
        steps(window, 2);
        window.experiment().repeatPreparations(window.studySession().preparations());
        window.studySession().applyPreset(0);
        lab->findChild<QComboBox *>(QStringLiteral("basis"))->setCurrentIndex(1);
        auto *labTabs = lab->findChild<QTabWidget *>(QStringLiteral("tabs"));
        for (int tab = 0; tab < labTabs->count(); ++tab) {
            labTabs->setCurrentIndex(tab);
            ok = saveWidget(*lab, directory, QStringLiteral("learning-%1").arg(tab) + suffix) && ok;
        }
        lab->hide();

        // The validation result as the report box shows it, details unfolded.
        window.prompts().setReportBoxHandler([&](QWidget *parent, const Fasoria::ReportBox &box) {
            QAbstractButton *extra = nullptr;
            const std::unique_ptr<QMessageBox> message = Fasoria::Prompts::reportBox(box, parent, &extra);
            message->show();
            // Unfold the details, as a teacher checking the lines would.
            for (QAbstractButton *button : message->buttons()) {
                if (message->buttonRole(button) == QMessageBox::ActionRole && button != extra) {
                    button->click();
                }
            }
            ok = saveWidget(*message, directory, QStringLiteral("validation") + suffix) && ok;
            return false;
        });
        window.findChild<QPushButton *>(QStringLiteral("m_testButton"))->click();
    }

    // The window on the screens of a classroom: a laptop, a 1024 x 768 projector, and a wide projector at 150 %.
    struct Screen
    {
        int width;
        int height;
        int zoomSteps;
        const char *name;
    };
    const Screen screens[] = {{1260, 900, 0, "1260x900"}, {1024, 768, 0, "1024x768"}, {1600, 900, 4, "1600x900-150"}};
    for (const Screen &screen : screens) {
        for (int language = 0; language < 2; ++language) {
            const QString suffix =
                QStringLiteral("-%1%2").arg(QLatin1String(screen.name), language == 1 ? "-en" : "-it");
            QSettings().clear();
            MainWindow window;
            window.setMessageBoxHandler([](QWidget *, QMessageBox::Icon, const QString &, const QString &,
                                           QMessageBox::StandardButtons,
                                           QMessageBox::StandardButton) { return QMessageBox::Discard; });
            window.findChild<QComboBox *>(QStringLiteral("m_languageCombo"))->setCurrentIndex(language);
            for (int step = 0; step < screen.zoomSteps; ++step) {
                window.findChild<QAction *>(QStringLiteral("m_actionZoomIn"))->trigger();
            }
            window.resize(screen.width, screen.height);
            window.show();
            window.selectLesson(20);
            window.experiment().goToStep(window.experiment().stepCount());
            window.experiment().repeatPreparations(1000);
            ok = save(window, directory, QStringLiteral("screen-grover") + suffix) && ok;
            window.files().replaceWorkingCircuit(wideCircuit());
            window.experiment().goToStep(128);
            ok = save(window, directory, QStringLiteral("screen-eight-qubits") + suffix) && ok;
            window.findChild<QCheckBox *>(QStringLiteral("m_simpleMode"))->setChecked(true);
            window.learning().dialog()->hide();
            window.selectLesson(20);
            window.experiment().goToStep(window.experiment().stepCount());
            ok = save(window, directory, QStringLiteral("screen-beginner") + suffix) && ok;
            window.findChild<QCheckBox *>(QStringLiteral("m_simpleMode"))->setChecked(false);
            window.findChild<QAction *>(QStringLiteral("m_actionActualSize"))->trigger();
        }
    }
    return ok ? 0 : 1;
}
