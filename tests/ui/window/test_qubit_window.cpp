// The qubit page of the window: it follows the shown state and the language, hides in the beginner view, and
// never pushes the lesson tabs out of sight.
#include "tests/ui/WindowHarness.h"
#include "ui/model/LeftTabs.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/QubitStatePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

using namespace Fasoria;

namespace {

constexpr int kBellLesson = 2;

} // namespace

class TestQubitWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void followsSteppingAndStageClicks();
    void showsTheCollapsedStateAfterOneMeasurement();
    void followsTheLanguage();
    void beginnerViewHidesIt();
    void lessonTabsStayReadable_data();
    void lessonTabsStayReadable();

private:
    QubitStatePanel *panel() const { return part<QubitStatePanel>("qubitStatePanel"); }
    double length(int qubit) const { return panel()->shownStates().at(static_cast<std::size_t>(qubit)).length; }

    QTemporaryDir m_store;
};

void TestQubitWindow::initTestCase()
{
    QVERIFY(m_store.isValid());
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
    QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
    QCoreApplication::setApplicationName(QStringLiteral("FasoriaQubitWindowTest"));
}

void TestQubitWindow::followsSteppingAndStageClicks()
{
    part<QComboBox>("m_lessons")->setCurrentIndex(kBellLesson);
    QCOMPARE(panel()->shownStates().size(), std::size_t{2});
    QCOMPARE(length(0), 1.0);
    QCOMPARE(length(1), 1.0);

    // H(q0): q0 on the equator on its own, q1 still |0>.
    click("m_nextButton");
    QVERIFY(std::abs(panel()->shownStates()[0].x - 1.0) < 1e-15);
    QVERIFY(std::abs(panel()->shownStates()[0].z) < 1e-15);
    QCOMPARE(panel()->shownStates()[1].z, 1.0);

    // CNOT: the Bell pair, both vectors of length 0, and the page says so in the status word.
    click("m_nextButton");
    QVERIFY(length(0) < 1e-15);
    QVERIFY(length(1) < 1e-15);
    QCOMPARE(part<QLabel>("qubitStatus0")->text(), qubitStateText(QubitStateText::Entangled, Italian));
    QCOMPARE(part<QLabel>("qubitLength1")->text(), QStringLiteral("0.000000"));

    // Back to the start, as a click on stage 0 asks.
    m_window->experiment().goToStep(0);
    QCOMPARE(length(0), 1.0);
    QCOMPARE(part<QLabel>("qubitStatus0")->text(), qubitStateText(QubitStateText::DefiniteState, Italian));
}

void TestQubitWindow::showsTheCollapsedStateAfterOneMeasurement()
{
    part<QComboBox>("m_lessons")->setCurrentIndex(kBellLesson);
    click("m_nextButton");
    click("m_nextButton");
    QVERIFY(length(0) < 1e-15);
    click("m_measureButton");
    // One reading leaves a basis state: both qubits definite again, at the same pole.
    QCOMPARE(length(0), 1.0);
    QCOMPARE(length(1), 1.0);
    QCOMPARE(panel()->shownStates()[0].z, panel()->shownStates()[1].z);
    QVERIFY(std::abs(panel()->shownStates()[0].z) == 1.0);
}

void TestQubitWindow::followsTheLanguage()
{
    part<QComboBox>("m_lessons")->setCurrentIndex(kBellLesson);
    click("m_nextButton");
    click("m_nextButton");
    QTabWidget *tabs = part<QTabWidget>("m_leftTabs");
    QCOMPARE(tabs->tabText(kQubitsTab), uiText(MoreText::QubitsTab, Italian));
    const QString italian = part<QLabel>("qubitStateExplanation")->text();

    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(tabs->tabText(kQubitsTab), uiText(MoreText::QubitsTab, English));
    QCOMPARE(tabs->tabToolTip(kQubitsTab), qubitStateText(QubitStateText::PanelName, English));
    QCOMPARE(part<QLabel>("qubitStateExplanation")->text(), qubitStateText(QubitStateText::Explanation, English));
    QVERIFY(part<QLabel>("qubitStateExplanation")->text() != italian);
    QCOMPARE(part<QLabel>("qubitStatus1")->text(), qubitStateText(QubitStateText::Entangled, English));
    // The switch keeps the experiment: still the Bell pair.
    QVERIFY(length(1) < 1e-15);
}

void TestQubitWindow::beginnerViewHidesIt()
{
    QTabWidget *tabs = part<QTabWidget>("m_leftTabs");
    tabs->setCurrentIndex(kQubitsTab);
    part<QCheckBox>("m_simpleMode")->setChecked(true);
    QVERIFY(!tabs->isTabEnabled(kQubitsTab));
    QVERIFY(tabs->currentIndex() != kQubitsTab);
    part<QCheckBox>("m_simpleMode")->setChecked(false);
    QVERIFY(tabs->isTabEnabled(kQubitsTab));
}

void TestQubitWindow::lessonTabsStayReadable_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("it") << 0;
    QTest::newRow("en") << 1;
}

void TestQubitWindow::lessonTabsStayReadable()
{
    QFETCH(int, language);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // The left panel as narrow as the splitter lets it be.
    auto *splitter = part<QSplitter>("mainSplitter");
    splitter->setSizes({0, 10000});
    QTest::qWait(20);
    QTabWidget *tabs = part<QTabWidget>("m_leftTabs");
    QTabBar *bar = tabs->tabBar();
    // The arrows, when they are there, sit on the bar's right end; every lesson tab ends before them.
    int visibleRight = bar->width();
    for (QWidget *arrow : bar->findChildren<QWidget *>()) {
        if (arrow->isVisible()) {
            visibleRight = std::min(visibleRight, arrow->x());
        }
    }
    for (int tab = 0; tab < kQubitsTab; ++tab) {
        const QRect rect = bar->tabRect(tab);
        QVERIFY2(rect.left() >= 0 && rect.right() < visibleRight,
                 qPrintable(QStringLiteral("tab %1 at %2..%3, visible to %4")
                                .arg(tab)
                                .arg(rect.left())
                                .arg(rect.right())
                                .arg(visibleRight)));
    }
    // The qubit page is still reached from the keyboard, past the four others.
    tabs->setCurrentIndex(0);
    bar->setFocus();
    for (int press = 0; press < kQubitsTab; ++press) {
        QTest::keyClick(bar, Qt::Key_Right);
    }
    QCOMPARE(tabs->currentIndex(), kQubitsTab);
    QVERIFY(panel()->isVisible());
}

QTEST_MAIN(TestQubitWindow)
#include "test_qubit_window.moc"
