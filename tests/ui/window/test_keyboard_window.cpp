// The laboratory driven from the keyboard alone, and what assistive technology reads of it.
#include "Help/Resources.h"
#include "Help/dialog/HelpDialog.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/widgets/AccessibleNames.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Fasoria;

namespace {

constexpr int kBellLesson = 2;
/// "05 - Turn the qubit on": X on the single qubit solves it.
constexpr int kFirstChallenge = 4;

/// What Tab can reach: shown, enabled and taking focus from the keyboard.
bool reachableByTab(const QWidget *widget)
{
    // A widget with a focus proxy (a tab widget and its tab bar) is reached through the proxy.
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled() &&
           widget->focusProxy() == nullptr;
}

QString describe(const QWidget *widget)
{
    return widget->objectName() + QStringLiteral(" (") + QString::fromLatin1(widget->metaObject()->className()) +
           QLatin1Char(')');
}

/// Every widget of the accessibility tree under `root` that Tab reaches and that would be announced without a
/// name, as "objectName (class)".
QStringList unnamedInTree(QWidget *root)
{
    QStringList missing;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        if (node == nullptr) {
            return;
        }
        if (auto *widget = qobject_cast<QWidget *>(node->object());
            widget != nullptr && reachableByTab(widget) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            missing << describe(widget);
        }
        for (int i = 0; i < node->childCount(); ++i) {
            walk(node->child(i));
        }
    };
    walk(QAccessible::queryAccessibleInterface(root));
    return missing;
}

QRect globalRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

/// 0 above the window's columns, 1 in the left column, 2 in the right one; a dialog is one column.
int region(const QWidget *window, const QWidget *widget)
{
    const QWidget *left = window->findChild<QWidget *>(QStringLiteral("leftPanel"));
    if (left == nullptr) {
        return 1;
    }
    if (left->isAncestorOf(widget)) {
        return 1;
    }
    return globalRect(widget).bottom() < globalRect(left).top() ? 0 : 2;
}

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class TestKeyboardWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaKeyboardWindowTest"));
        initResources();
    }
    void init()
    {
        startWindow();
        m_window->resize(1400, 900);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void walkThroughWithKeysOnly();
    void tabReachesEveryControl_data();
    void tabReachesEveryControl();
    void everyFocusableWidgetHasAName_data();
    void everyFocusableWidgetHasAName();
    void stageChangesAreAnnounced();
    void handSetNamesAreKept();

private:
    QWidget *focused() const { return QApplication::focusWidget(); }
    /// Presses Tab until `target` has focus; false when a whole round of the focus chain never reached it.
    bool tabTo(QWidget *target)
    {
        for (int presses = 0; presses < 400; ++presses) {
            if (focused() == target) {
                return true;
            }
            QTest::keyClick(focused() != nullptr ? focused() : m_window.get(), Qt::Key_Tab);
        }
        return focused() == target;
    }
    /// Shows page `index` of the left tabs from their tab bar, with the arrow keys.
    bool showLeftTab(int index)
    {
        auto *tabs = part<QTabWidget>("m_leftTabs");
        if (!tabTo(tabs->tabBar())) {
            return false;
        }
        while (tabs->currentIndex() != index) {
            QTest::keyClick(tabs->tabBar(), tabs->currentIndex() < index ? Qt::Key_Right : Qt::Key_Left);
        }
        return true;
    }
    /// Down (or Up) on a focused combo box until it shows `index`.
    bool chooseWithKeys(QComboBox *combo, int index)
    {
        if (!tabTo(combo)) {
            return false;
        }
        for (int presses = 0; combo->currentIndex() != index && presses < combo->count(); ++presses) {
            QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        }
        return combo->currentIndex() == index;
    }
    bool pressButton(const char *name)
    {
        auto *button = part<QPushButton>(name);
        if (!tabTo(button)) {
            return false;
        }
        QTest::keyClick(button, Qt::Key_Space);
        return true;
    }
};

void TestKeyboardWindow::walkThroughWithKeysOnly()
{
    // A lesson: chosen from the list, then walked through with the drawing's keys.
    QVERIFY(chooseWithKeys(part<QComboBox>("m_lessons"), kBellLesson));
    QCOMPARE(m_window->experiment().lessonIndex(), kBellLesson);
    auto *view = part<CircuitView>("m_circuitView");
    QVERIFY(tabTo(view));
    const std::uint64_t last = m_window->experiment().stepCount();
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(m_window->experiment().currentStep(), last);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(m_window->experiment().currentStep(), last);
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(m_window->experiment().currentStep(), last - 1);
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{0});
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(m_window->experiment().currentStep(), std::uint64_t{2});

    // A measurement, from the measurement page.
    QVERIFY(showLeftTab(3));
    QVERIFY(pressButton("m_measureButton"));
    QVERIFY(m_window->experiment().isMeasured());

    // A challenge: the answer built in the editor and checked, all with keys.
    QVERIFY(showLeftTab(0));
    QVERIFY(chooseWithKeys(part<QComboBox>("m_lessons"), kFirstChallenge));
    QVERIFY(m_window->experiment().isChallengeMode());
    QVERIFY(showLeftTab(2));
    QVERIFY(chooseWithKeys(part<QComboBox>("m_gateCombo"), static_cast<int>(GateKind::X)));
    QVERIFY(pressButton("m_insertButton"));
    QCOMPARE(gateLabels(*m_window->experiment().workingCircuit()), QStringLiteral("X(q0)"));
    QVERIFY(showLeftTab(0));
    QVERIFY(pressButton("m_challengeCheckButton"));
    QCOMPARE(m_window->experiment().challengeStatus(), 1);

    // The language, from its selector; the drawing's name follows it.
    QVERIFY(chooseWithKeys(part<QComboBox>("m_languageCombo"), 1));
    QCOMPARE(m_window->language(), English);
    QVERIFY2(accessibleName(view).startsWith(QStringLiteral("Circuit drawing, step ")),
             qPrintable(accessibleName(view)));
    QVERIFY(unnamedInTree(m_window.get()).isEmpty());
}

void TestKeyboardWindow::tabReachesEveryControl_data()
{
    QTest::addColumn<bool>("learningLab");
    QTest::addRow("main window") << false;
    QTest::addRow("learning lab") << true;
}

void TestKeyboardWindow::tabReachesEveryControl()
{
    QFETCH(bool, learningLab);
    QWidget *window = m_window.get();
    QTabWidget *tabs = part<QTabWidget>("m_leftTabs");
    if (learningLab) {
        m_window->learning().show();
        window = m_window->learning().dialog();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        tabs = window->findChild<QTabWidget *>();
    }
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QList<QWidget *> expected;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (reachableByTab(widget) && widget->window() == window) {
                expected << widget;
            }
        }
        QVERIFY(!expected.isEmpty());
        expected.first()->setFocus(Qt::TabFocusReason);
        QWidget *start = focused();
        // A label's links take Tab in turn before focus moves on, so one widget may hold it for a few presses.
        QList<QWidget *> visited;
        for (int presses = 0; presses < 3 * expected.size(); ++presses) {
            if (!visited.contains(focused())) {
                visited << focused();
            }
            QTest::keyClick(focused(), Qt::Key_Tab);
            if (focused() == start && visited.size() > 1) {
                break;
            }
        }
        QCOMPARE(focused(), start);
        QStringList unreached;
        for (QWidget *widget : expected) {
            if (!visited.contains(widget)) {
                unreached << describe(widget);
            }
        }
        QStringList order;
        for (QWidget *widget : visited) {
            order << describe(widget);
        }
        QVERIFY2(unreached.isEmpty(), qPrintable(QStringLiteral("page %1: %2 not reached; reached %3")
                                                     .arg(page)
                                                     .arg(unreached.join(", "), order.join(", "))));

        // Reading order: the header, then the left column, then the right one; within each, row after row
        // and left to right along a row.
        std::rotate(visited.begin(),
                    std::min_element(visited.begin(), visited.end(),
                                     [window](QWidget *a, QWidget *b) {
                                         return std::make_pair(region(window, a), globalRect(a).top()) <
                                                std::make_pair(region(window, b), globalRect(b).top());
                                     }),
                    visited.end());
        for (int i = 1; i < visited.size(); ++i) {
            QWidget *before = visited[i - 1];
            QWidget *after = visited[i];
            const QRect a = globalRect(before);
            const QRect b = globalRect(after);
            const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
            const int from = region(window, before);
            const int to = region(window, after);
            const bool inOrder = to > from || (to == from && (sameRow ? b.left() > a.left() : b.top() >= a.top()));
            QVERIFY2(
                inOrder,
                qPrintable(QStringLiteral("page %1: %2 before %3").arg(page).arg(describe(before), describe(after))));
        }
    }
}

void TestKeyboardWindow::everyFocusableWidgetHasAName_data()
{
    QTest::addColumn<int>("language");
    QTest::addRow("Italian") << 0;
    QTest::addRow("English") << 1;
}

void TestKeyboardWindow::everyFocusableWidgetHasAName()
{
    QFETCH(int, language);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    auto *tabs = part<QTabWidget>("m_leftTabs");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const QStringList missing = unnamedInTree(m_window.get());
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("main window, page %1: ").arg(page) + missing.join(", ")));
    }

    m_window->learning().show();
    LearningDialog *lab = m_window->learning().dialog();
    auto *labTabs = lab->findChild<QTabWidget *>();
    QVERIFY(labTabs != nullptr);
    for (int page = 0; page < labTabs->count(); ++page) {
        labTabs->setCurrentIndex(page);
        const QStringList missing = unnamedInTree(lab);
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("learning lab, page %1: ").arg(page) + missing.join(", ")));
    }

    m_window->findChild<QAction *>(QStringLiteral("m_actionHelp"))->trigger();
    auto *help = m_window->findChild<HelpDialog *>();
    QVERIFY(help != nullptr);
    auto *helpTabs = help->findChild<QTabWidget *>();
    for (int page = 0; page < helpTabs->count(); ++page) {
        helpTabs->setCurrentIndex(page);
        const QStringList missing = unnamedInTree(help);
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("help, page %1: ").arg(page) + missing.join(", ")));
    }
}

void TestKeyboardWindow::stageChangesAreAnnounced()
{
    m_window->selectLesson(kBellLesson);
    auto *view = part<CircuitView>("m_circuitView");
    QCOMPARE(
        accessibleName(view),
        QStringLiteral("Disegno del circuito, passo 0 di %1, filo scelto q0").arg(m_window->experiment().stepCount()));
    view->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(
        accessibleName(view),
        QStringLiteral("Disegno del circuito, passo 1 di %1, filo scelto q0").arg(m_window->experiment().stepCount()));
    // Up chooses the next wire, and the name says so.
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(
        accessibleName(view),
        QStringLiteral("Disegno del circuito, passo 1 di %1, filo scelto q1").arg(m_window->experiment().stepCount()));
    // The description carries the step's own text, as the explanation box shows it.
    const QString description = QAccessible::queryAccessibleInterface(view)->text(QAccessible::Description);
    QVERIFY2(description.startsWith(part<QLabel>("m_explanation")->text()), qPrintable(description));
    QVERIFY(description.contains(QStringLiteral("Sinistra e Destra")));
}

void TestKeyboardWindow::handSetNamesAreKept()
{
    auto *search = new QLineEdit(m_window.get());
    search->setToolTip(QStringLiteral("Cerca"));
    auto *named = new QLineEdit(m_window.get());
    named->setToolTip(QStringLiteral("Tooltip"));
    named->setAccessibleName(QStringLiteral("Given by hand"));
    nameFocusableWidgets(m_window.get());
    QCOMPARE(search->accessibleName(), QStringLiteral("Cerca"));
    QCOMPARE(named->accessibleName(), QStringLiteral("Given by hand"));
    // A derived name follows its source on the next pass.
    search->setToolTip(QStringLiteral("<b>Find</b> &text"));
    nameFocusableWidgets(m_window.get());
    QCOMPARE(search->accessibleName(), QStringLiteral("Find text"));
    QCOMPARE(named->accessibleName(), QStringLiteral("Given by hand"));
}

QTEST_MAIN(TestKeyboardWindow)
#include "test_keyboard_window.moc"
