// The probability chart in the window: it follows every change of the shown stage, leads to the table's row,
// stays in the beginner view and exports; the interface zoom scales the window and is remembered.
#include "Help/Resources.h"
#include "Help/dialog/HelpDialog.h"
#include "core/StateVector.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "tests/ui/WindowHarness.h"
#include "ui/model/ChartModel.h"
#include "ui/model/LeftTabs.h"
#include "ui/views/ProbabilityChart.h"
#include "ui/views/QubitStatePanel.h"
#include "ui/widgets/InterfaceStyle.h"
#include "ui/widgets/InterfaceZoom.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

using namespace Fasoria;

/// One thing a student does to the window.
using WindowAction = std::function<void(MainWindow &)>;
Q_DECLARE_METATYPE(WindowAction)

namespace {

/// Lesson 21: Grover on three qubits, whose answer stands out at the end.
constexpr int kGroverLesson = 20;

} // namespace

class TestChartWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }
    void chartFollowsTheShownStage_data();
    void chartFollowsTheShownStage();
    void clickingABarSelectsItsRow();
    void possibleStatesOnly();
    void chartStaysInTheBeginnerView();
    void chartExports();
    void zoomScalesTheWindowAndIsRemembered();
    void zoomAtItsEnds();
    void nothingOverlaps_data();
    void nothingOverlaps();
    void storedZoomOutsideTheRangeIsTheActualSize_data();
    void storedZoomOutsideTheRangeIsTheActualSize();

private:
    QTemporaryDir m_store;
    ProbabilityChart *chart() const { return part<ProbabilityChart>("probabilityChart"); }
    /// The chart shows the engine's numbers of the shown stage exactly: one bar per basis state with |a|^2,
    /// the last preparations' counts and the measured outcome.
    void verifyChartShowsTheExperiment() const;
};

void TestChartWindow::initTestCase()
{
    // The zoom is a setting: never the user's own store.
    QVERIFY(m_store.isValid());
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaChartWindowTest"));
    initResources();
    // The program's own style, whose measures the window's sizes depend on.
    QApplication::setStyle(createInterfaceStyle());
}

void TestChartWindow::verifyChartShowsTheExperiment() const
{
    const Experiment &experiment = m_window->experiment();
    const StateVector &state = *experiment.state();
    const ChartData &data = chart()->data();
    QCOMPARE(static_cast<std::uint64_t>(data.bars.size()), state.dimension());
    for (std::uint64_t basis = 0; basis < state.dimension(); ++basis) {
        const ChartBar &bar = data.bars[basis];
        QCOMPARE(bar.basis, basis);
        QCOMPARE(bar.probability, state.probability(basis));
        QCOMPARE(bar.count, experiment.shotsTotal() > 0 ? experiment.histogram()[basis] : 0U);
    }
    QCOMPARE(data.shots, experiment.shotsTotal());
    QCOMPARE(data.measuredOutcome, experiment.isMeasured() ? experiment.lastOutcome() : -1);
}

void TestChartWindow::chartFollowsTheShownStage_data()
{
    QTest::addColumn<WindowAction>("action");
    QTest::newRow("next step") << WindowAction([](MainWindow &w) { w.experiment().nextStep(); });
    QTest::newRow("stage click") << WindowAction([](MainWindow &w) { w.experiment().goToStep(5); });
    QTest::newRow("measurement") << WindowAction([](MainWindow &w) {
        w.experiment().goToStep(w.experiment().stepCount());
        w.experiment().measureOnce();
    });
    QTest::newRow("preparations") << WindowAction([](MainWindow &w) {
        w.experiment().goToStep(w.experiment().stepCount());
        w.experiment().repeatPreparations(1000);
    });
    QTest::newRow("language") << WindowAction([](MainWindow &w) {
        w.experiment().goToStep(3);
        w.findChild<QComboBox *>(QStringLiteral("m_languageCombo"))->setCurrentIndex(1);
    });
    QTest::newRow("undo") << WindowAction([](MainWindow &w) {
        w.findChild<QAction *>(QStringLiteral("m_actionNew"))->trigger();
        w.findChild<QPushButton *>(QStringLiteral("m_insertButton"))->click();
        w.experiment().undo();
    });
}

void TestChartWindow::chartFollowsTheShownStage()
{
    QFETCH(WindowAction, action);
    m_window->selectLesson(kGroverLesson);
    verifyChartShowsTheExperiment();
    action(*m_window);
    verifyChartShowsTheExperiment();
}

void TestChartWindow::clickingABarSelectsItsRow()
{
    m_window->selectLesson(kGroverLesson);
    m_window->experiment().goToStep(m_window->experiment().stepCount());
    m_window->resize(1260, 900);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *table = part<QTableWidget>("m_table");
    // |101> is Grover's answer; |000> sits far above it in the table.
    for (const int basis : {5, 0, 7}) {
        const QPoint centre = chart()->columnRect(basis).center().toPoint();
        QTest::mouseClick(chart(), Qt::LeftButton, Qt::NoModifier, centre);
        QCOMPARE(table->currentRow(), basis);
        const QRect row = table->visualRect(table->model()->index(basis, 0));
        QVERIFY(table->viewport()->rect().contains(row.center()));
    }
}

void TestChartWindow::possibleStatesOnly()
{
    m_window->selectLesson(kGroverLesson);
    QCOMPARE(chart()->data().bars.size(), std::size_t{8});
    // At step 0 only |000> is possible.
    trigger("m_actionChartNonZeroOnly");
    QCOMPARE(chart()->data().bars.size(), std::size_t{1});
    QCOMPARE(chart()->data().bars.front().basis, 0U);
    m_window->experiment().goToStep(3);
    QCOMPARE(chart()->data().bars.size(), std::size_t{8});
}

void TestChartWindow::chartStaysInTheBeginnerView()
{
    m_window->resize(1260, 900);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    part<QCheckBox>("m_simpleMode")->setChecked(true);
    QVERIFY(!part<QSplitter>("rightDataSplitter")->isVisible());
    QVERIFY(chart()->isVisible());
    QVERIFY(chart()->height() > 0);
}

void TestChartWindow::chartExports()
{
    QTemporaryDir directory;
    m_window->selectLesson(kGroverLesson);
    m_window->experiment().goToStep(m_window->experiment().stepCount());
    m_fileNames << directory.filePath(QStringLiteral("grover"));
    trigger("m_actionExportChart");
    const QByteArray svg = readFile(directory.filePath(QStringLiteral("grover.svg")));
    QVERIFY2(svg.contains("<svg"), svg.left(200).constData());
    QVERIFY(m_messages.isEmpty());
    // A format the chart has no picture for is refused, and nothing is written.
    m_fileNames << directory.filePath(QStringLiteral("grover.tex"));
    trigger("m_actionExportChart");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(!QFile::exists(directory.filePath(QStringLiteral("grover.tex"))));
}

void TestChartWindow::zoomScalesTheWindowAndIsRemembered()
{
    const double actual = QApplication::font().pointSizeF();
    const int row = part<QTableWidget>("m_table")->verticalHeader()->defaultSectionSize();
    const int sphere = m_window->findChild<BlochSphereView *>()->sizeHint().height();
    m_window->learning().show();
    trigger("m_actionHelp");
    trigger("m_actionZoomIn");
    trigger("m_actionZoomIn");
    QCOMPARE(InterfaceZoom::percent(), 125);
    QCOMPARE(QSettings().value(QStringLiteral("ui/zoom")).toInt(), 125);
    QCOMPARE(QApplication::font().pointSizeF(), actual * 1.25);
    QCOMPARE(part<QLabel>("m_title")->font().pointSizeF(), 14 * 1.25);
    QCOMPARE(part<QTableWidget>("m_table")->verticalHeader()->defaultSectionSize(), InterfaceZoom::scaled(38));
    QVERIFY(part<QTableWidget>("m_table")->verticalHeader()->defaultSectionSize() > row);
    // The learning lab is a window of its own, and follows.
    QCOMPARE(m_window->learning().dialog()->font().pointSizeF(), actual * 1.25);
    QCOMPARE(m_window->findChild<HelpDialog *>()->font().pointSizeF(), actual * 1.25);
    // The qubit page's spheres grow with the text around them.
    QVERIFY(m_window->findChild<BlochSphereView *>()->sizeHint().height() >= sphere * 1.2);

    // A new start comes back at the stored zoom.
    m_window.reset();
    m_window = std::make_unique<MainWindow>();
    QCOMPARE(InterfaceZoom::percent(), 125);
    QCOMPARE(part<QLabel>("m_title")->font().pointSizeF(), 14 * 1.25);
    trigger("m_actionActualSize");
    QCOMPARE(InterfaceZoom::percent(), 100);
    QCOMPARE(QApplication::font().pointSizeF(), actual);
    QCOMPARE(QSettings().value(QStringLiteral("ui/zoom")).toInt(), 100);
}

void TestChartWindow::zoomAtItsEnds()
{
    for (int step = 0; step < 12; ++step) {
        trigger("m_actionZoomIn");
    }
    QCOMPARE(InterfaceZoom::percent(), InterfaceZoom::kMaximum);
    QVERIFY(!part<QAction>("m_actionZoomIn")->isEnabled());
    QVERIFY(part<QAction>("m_actionZoomOut")->isEnabled());
    for (int step = 0; step < 12; ++step) {
        trigger("m_actionZoomOut");
    }
    QCOMPARE(InterfaceZoom::percent(), InterfaceZoom::kMinimum);
    QVERIFY(!part<QAction>("m_actionZoomOut")->isEnabled());
    trigger("m_actionActualSize");
    QVERIFY(!part<QAction>("m_actionActualSize")->isEnabled());
}

void TestChartWindow::nothingOverlaps_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("zoomSteps");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("fitsWhole");
    for (int language = 0; language < 2; ++language) {
        const char *code = language == 1 ? "en" : "it";
        QTest::addRow("1260x900 %s", code) << QSize(1260, 900) << 0 << language << true;
        QTest::addRow("1024x768 %s", code) << QSize(1024, 768) << 0 << language << false;
        QTest::addRow("1600x900 at 150 %% %s", code) << QSize(1600, 900) << 4 << language << false;
    }
}

void TestChartWindow::nothingOverlaps()
{
    QFETCH(QSize, screen);
    QFETCH(int, zoomSteps);
    QFETCH(int, language);
    QFETCH(bool, fitsWhole);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    for (int step = 0; step < zoomSteps; ++step) {
        trigger("m_actionZoomIn");
    }
    m_window->resize(screen);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->selectLesson(kGroverLesson);
    m_window->experiment().goToStep(m_window->experiment().stepCount());
    m_window->experiment().repeatPreparations(1000);
    QApplication::processEvents();
    // The window fits the screen, and no two visible parts laid out side by side cover each other.
    QVERIFY2(m_window->width() <= screen.width() && m_window->height() <= screen.height(),
             qPrintable(QStringLiteral("%1 x %2").arg(m_window->width()).arg(m_window->height())));
    QStringList overlaps;
    for (const QWidget *parent : m_window->findChildren<QWidget *>()) {
        if (!parent->isVisible() || parent->layout() == nullptr) {
            continue;
        }
        QList<const QWidget *> parts;
        for (int index = 0; index < parent->layout()->count(); ++index) {
            const QWidget *widget = parent->layout()->itemAt(index)->widget();
            if (widget != nullptr && widget->isVisible()) {
                parts << widget;
            }
        }
        for (int first = 0; first < parts.size(); ++first) {
            for (int second = first + 1; second < parts.size(); ++second) {
                if (parts[first]->geometry().intersects(parts[second]->geometry())) {
                    overlaps << parts[first]->objectName() + QLatin1Char('/') + parts[second]->objectName();
                }
            }
        }
    }
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(QStringLiteral(", "))));

    // The window never scrolls sideways; at the first start's size it does not scroll at all.
    const auto *scroll = part<QScrollArea>("centralScroll");
    QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
    if (fitsWhole) {
        QCOMPARE(scroll->verticalScrollBar()->maximum(), 0);
    }
    // Grover's eight bars are in the chart, in view without scrolling, and the answer |101> is named; at the
    // first start's size every bar is.
    const ChartLayout &layout = chart()->chartLayout();
    QCOMPARE(layout.theoryBars.size(), std::size_t{8});
    const QRectF area(QPointF(0, 0), layout.size);
    std::vector<std::int64_t> named;
    for (const ChartShape &shape : layout.shapes) {
        if (shape.role == ChartShape::Role::Label) {
            named.push_back(shape.bar);
        }
        if (shape.role == ChartShape::Role::Theory) {
            QVERIFY(area.contains(shape.rect));
        }
    }
    QVERIFY(std::find(named.begin(), named.end(), 5) != named.end());
    if (fitsWhole) {
        QCOMPARE(named.size(), std::size_t{8});
    }
    QVERIFY(
        scroll->viewport()->rect().contains(QRect(chart()->mapTo(scroll->viewport(), QPoint(0, 0)), chart()->size())));

    // The editor's rows, which do not wrap, are not cut off in either language: its scroll area is as wide as
    // they need, and the left panel shows all of it.
    part<QTabWidget>("m_leftTabs")->setCurrentIndex(kEditorTab);
    QApplication::processEvents();
    const auto *editor = part<QScrollArea>("editorScroll");
    const auto *left = part<QWidget>("leftPanel");
    QVERIFY(editor->viewport()->width() >= editor->widget()->minimumSizeHint().width());
    const QRect shown(editor->mapTo(left, QPoint(0, 0)), editor->size());
    QVERIFY2(left->rect().contains(shown),
             qPrintable(QStringLiteral("editor right edge %1, panel %2").arg(shown.right()).arg(left->rect().right())));
}

void TestChartWindow::storedZoomOutsideTheRangeIsTheActualSize_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("text") << QVariant(QStringLiteral("huge"));
    QTest::newRow("too large") << QVariant(1000);
    QTest::newRow("too small") << QVariant(10);
}

void TestChartWindow::storedZoomOutsideTheRangeIsTheActualSize()
{
    QFETCH(QVariant, stored);
    m_window.reset();
    QSettings().setValue(QStringLiteral("ui/zoom"), stored);
    m_window = std::make_unique<MainWindow>();
    QCOMPARE(InterfaceZoom::percent(), InterfaceZoom::kActual);
    // Reading the settings writes nothing back.
    QCOMPARE(QSettings().value(QStringLiteral("ui/zoom")), stored);
}

QTEST_MAIN(TestChartWindow)
#include "test_chart_window.moc"
