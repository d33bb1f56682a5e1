#include "ui/views/QubitStatePanel.h"

#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Gate)
Q_DECLARE_METATYPE(Fasoria::Language)

namespace {

const double kPi = std::acos(-1.0);

Gate gate(GateKind kind, int target, int control = 0, double degrees = 0.0)
{
    return Gate{kind, target, control, degrees * kPi / 180.0};
}

StateVector stateAfter(int qubits, const QVector<Gate> &gates)
{
    StateVector state = createState(static_cast<std::uint32_t>(qubits));
    for (const Gate &g : gates) {
        state.applyGate(g);
    }
    return state;
}

QString labelText(const QWidget &panel, const QString &name)
{
    const auto *label = panel.findChild<QLabel *>(name);
    return label == nullptr ? QStringLiteral("<no %1>").arg(name) : label->text();
}

// What a cell shows, in one line: x, y, z, length, P(1) and the word above them.
QString cellLine(const QWidget &panel, int k)
{
    QStringList parts;
    for (const char *quantity : {"X", "Y", "Z", "Length", "ProbabilityOne"}) {
        parts << labelText(panel, QStringLiteral("qubit%1%2").arg(QLatin1String(quantity)).arg(k));
    }
    return parts.join(QLatin1Char(' ')) + QLatin1Char(' ') + labelText(panel, QStringLiteral("qubitStatus%1").arg(k));
}

QList<QFrame *> cells(const QWidget &panel)
{
    return panel.findChildren<QFrame *>(QRegularExpression(QStringLiteral("^qubitCell\\d+$")));
}

bool near(QColor seen, QColor expected)
{
    return std::abs(seen.red() - expected.red()) < 40 && std::abs(seen.green() - expected.green()) < 40 &&
           std::abs(seen.blue() - expected.blue()) < 40;
}

void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
    }
}

} // namespace

class TestQubitStatePanel : public QObject
{
    Q_OBJECT

private slots:
    void numbersShown_data();
    void numbersShown();
    void noNegativeZero_data();
    void noNegativeZero();
    void panelWritesNoNegativeZero();
    void languageSwitchKeepsTheNumbers_data();
    void languageSwitchKeepsTheNumbers();
    void cellsFollowTheDrawingOrder_data();
    void cellsFollowTheDrawingOrder();
    void twelveQubitsScrollInsteadOfSqueezing();
    void sphereDrawsTheVector_data();
    void sphereDrawsTheVector();
    void projectionDirections_data();
    void projectionDirections();
    void textsHaveTheSamePlaceholders_data();
    void textsHaveTheSamePlaceholders();
};

void TestQubitStatePanel::numbersShown_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<Gate>>("gates");
    // One line per qubit, q0 first.
    QTest::addColumn<QStringList>("expected");
    const QString bellLine = QStringLiteral("0.000000 0.000000 0.000000 0.000000 50.00% entangled");
    QTest::addRow("zero") << 1 << QVector<Gate>{}
                          << QStringList{"0.000000 0.000000 1.000000 1.000000 0.00% definite state"};
    QTest::addRow("one") << 1 << QVector<Gate>{gate(GateKind::X, 0)}
                         << QStringList{"0.000000 0.000000 -1.000000 1.000000 100.00% definite state"};
    QTest::addRow("plus") << 1 << QVector<Gate>{gate(GateKind::H, 0)}
                          << QStringList{"1.000000 0.000000 0.000000 1.000000 50.00% definite state"};
    QTest::addRow("minus") << 1 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::Z, 0)}
                           << QStringList{"-1.000000 0.000000 0.000000 1.000000 50.00% definite state"};
    QTest::addRow("plus-i") << 1 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::P, 0, 0, 90.0)}
                            << QStringList{"0.000000 1.000000 0.000000 1.000000 50.00% definite state"};
    QTest::addRow("bell") << 2 << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)}
                          << QStringList{bellLine, bellLine};
    QTest::addRow("ghz3") << 3
                          << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::Cnot, 2, 1)}
                          << QStringList{bellLine, bellLine, bellLine};
    // Each qubit in its own cell: |0> on q0, |1> on q1, |+> on q2.
    QTest::addRow("product3") << 3 << QVector<Gate>{gate(GateKind::X, 1), gate(GateKind::H, 2)}
                              << QStringList{"0.000000 0.000000 1.000000 1.000000 0.00% definite state",
                                             "0.000000 0.000000 -1.000000 1.000000 100.00% definite state",
                                             "1.000000 0.000000 0.000000 1.000000 50.00% definite state"};
    // H P(60°) H gives q0 cos²30° and sin²30° of |0> and |1>; the CNOT copies them onto q1: each qubit alone
    // is the mixture diag(3/4, 1/4), a vector (0, 0, 1/2).
    const QString partLine = QStringLiteral("0.000000 0.000000 0.500000 0.500000 25.00% entangled");
    QTest::addRow("partly-entangled") << 2
                                      << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::P, 0, 0, 60.0),
                                                       gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)}
                                      << QStringList{partLine, partLine};
}

void TestQubitStatePanel::numbersShown()
{
    QFETCH(int, qubits);
    QFETCH(QVector<Gate>, gates);
    QFETCH(QStringList, expected);
    QubitStatePanel panel;
    panel.showState(stateAfter(qubits, gates), English);
    QCOMPARE(cells(panel).size(), qubits);
    for (int k = 0; k < qubits; ++k) {
        QCOMPARE(cellLine(panel, k), expected.at(k));
    }
}

void TestQubitStatePanel::noNegativeZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("percent");
    QTest::addRow("negative-zero") << -0.0 << "0.000000"
                                   << "0.00%";
    QTest::addRow("rounding-error") << -1.8e-16 << "0.000000"
                                    << "0.00%";
    QTest::addRow("below-half-a-digit") << -4e-7 << "0.000000"
                                        << "0.00%";
    QTest::addRow("a-real-negative") << -6e-7 << "-0.000001"
                                     << "0.00%";
    QTest::addRow("a-real-negative-percent") << -6e-5 << "-0.000060"
                                             << "-0.01%";
}

void TestQubitStatePanel::noNegativeZero()
{
    QFETCH(double, value);
    QFETCH(QString, number);
    QFETCH(QString, percent);
    QCOMPARE(blochNumberText(value), number);
    QCOMPARE(probabilityOneText(value), percent);
}

void TestQubitStatePanel::panelWritesNoNegativeZero()
{
    // A phase of 270° leaves x = cos 270° a tiny negative rounding error in the model; the panel writes 0.
    const StateVector state = stateAfter(1, {gate(GateKind::H, 0), gate(GateKind::P, 0, 0, 270.0)});
    QubitStatePanel panel;
    panel.showState(state, Italian);
    QVERIFY(panel.shownStates().at(0).x < 0.0);
    QCOMPARE(cellLine(panel, 0), QStringLiteral("0.000000 -1.000000 0.000000 1.000000 50.00% stato definito"));
    QVERIFY(!panel.findChild<QFrame *>(QStringLiteral("qubitCell0"))->toolTip().contains(QStringLiteral("-0.0")));
}

void TestQubitStatePanel::languageSwitchKeepsTheNumbers_data()
{
    QTest::addColumn<Language>("from");
    QTest::addColumn<Language>("to");
    QTest::addColumn<QString>("panelName");
    QTest::addColumn<QString>("lengthName");
    QTest::addColumn<QString>("entangledWord");
    QTest::addColumn<QString>("definiteWord");
    QTest::addRow("italian-to-english") << Italian << English << "State of each qubit"
                                        << "length"
                                        << "entangled"
                                        << "definite state";
    QTest::addRow("english-to-italian") << English << Italian << "Stato di ciascun qubit"
                                        << "lunghezza"
                                        << "entangled"
                                        << "stato definito";
}

void TestQubitStatePanel::languageSwitchKeepsTheNumbers()
{
    QFETCH(Language, from);
    QFETCH(Language, to);
    QFETCH(QString, panelName);
    QFETCH(QString, lengthName);
    QFETCH(QString, entangledWord);
    QFETCH(QString, definiteWord);
    // q1 and q0 form a Bell pair, q2 is |+i>.
    const StateVector state = stateAfter(
        3, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::H, 2), gate(GateKind::P, 2, 0, 90.0)});
    QubitStatePanel panel;
    panel.showState(state, from);
    const QString explanationBefore = labelText(panel, QStringLiteral("qubitStateExplanation"));
    QStringList numbersBefore;
    for (int k = 0; k < 3; ++k) {
        numbersBefore << cellLine(panel, k).section(QLatin1Char(' '), 0, 4);
    }

    panel.applyLanguage(to);
    QCOMPARE(panel.accessibleName(), panelName);
    QVERIFY(panel.accessibleDescription().contains(QStringLiteral("q2")));
    QCOMPARE(labelText(panel, QStringLiteral("qubitStateExplanation")),
             qubitStateText(QubitStateText::Explanation, to));
    QVERIFY(labelText(panel, QStringLiteral("qubitStateExplanation")) != explanationBefore);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(cellLine(panel, k), numbersBefore.at(k) + QLatin1Char(' ') + (k == 2 ? definiteWord : entangledWord));
        QCOMPARE(labelText(panel, QStringLiteral("qubitLengthName%1").arg(k)), lengthName);
        const auto *cell = panel.findChild<QFrame *>(QStringLiteral("qubitCell%1").arg(k));
        QCOMPARE(cell->accessibleName(), QStringLiteral("q%1").arg(k));
        QCOMPARE(cell->toolTip(), cell->accessibleDescription());
        QVERIFY(cell->toolTip().contains(lengthName));
        for (const QString &number : numbersBefore.at(k).split(QLatin1Char(' '))) {
            QVERIFY2(cell->toolTip().contains(number), qPrintable(cell->toolTip()));
        }
    }
}

void TestQubitStatePanel::cellsFollowTheDrawingOrder_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("severalColumns");
    QTest::addRow("narrow") << 420 << false;
    QTest::addRow("wide") << 1280 << true;
}

void TestQubitStatePanel::cellsFollowTheDrawingOrder()
{
    QFETCH(int, width);
    QFETCH(bool, severalColumns);
    QubitStatePanel panel;
    panel.resize(width, 600);
    panel.show();
    panel.showState(createState(5), English);
    settle();
    QCOMPARE(panel.columnCount() > 1, severalColumns);

    // Read as a page, top row first: q4 (the drawing's top wire) first, q0 last.
    QList<QFrame *> shown = cells(panel);
    std::sort(shown.begin(), shown.end(),
              [](const QFrame *a, const QFrame *b) { return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x(); });
    QStringList order;
    for (const QFrame *cell : shown) {
        order << cell->objectName();
    }
    QCOMPARE(order, (QStringList{"qubitCell4", "qubitCell3", "qubitCell2", "qubitCell1", "qubitCell0"}));
    const auto *grid = panel.findChild<QWidget *>(QStringLiteral("qubitStateGrid"));
    for (const QFrame *cell : shown) {
        QVERIFY2(cell->geometry().right() < grid->width(), qPrintable(cell->objectName()));
    }
}

void TestQubitStatePanel::twelveQubitsScrollInsteadOfSqueezing()
{
    // The outer qubits entangled, the ten between them in |0>.
    const StateVector state = stateAfter(12, {gate(GateKind::H, 11), gate(GateKind::Cnot, 0, 11)});
    QubitStatePanel panel;
    panel.resize(840, 420);
    panel.show();
    panel.showState(state, Italian);
    settle();
    QCOMPARE(cells(panel).size(), 12);
    for (int k = 0; k < 12; ++k) {
        const bool outer = k == 0 || k == 11;
        QCOMPARE(labelText(panel, QStringLiteral("qubitLength%1").arg(k)),
                 QLatin1String(outer ? "0.000000" : "1.000000"));
        const auto *cell = panel.findChild<QFrame *>(QStringLiteral("qubitCell%1").arg(k));
        QVERIFY(cell->height() >= cell->sizeHint().height());
    }
    QVERIFY(panel.findChild<QScrollArea *>(QStringLiteral("qubitStateScroll"))->verticalScrollBar()->maximum() > 0);
    QVERIFY(!panel.grab().isNull());

    // A smaller register replaces the cells instead of keeping stale ones.
    panel.showState(createState(2), Italian);
    QCOMPARE(cells(panel).size(), 2);
    QCOMPARE(labelText(panel, QStringLiteral("qubitLength1")), QStringLiteral("1.000000"));
}

void TestQubitStatePanel::sphereDrawsTheVector_data()
{
    QTest::addColumn<QVector<Gate>>("gates");
    QTest::addColumn<bool>("isShort");
    QTest::addRow("zero") << QVector<Gate>{} << false;
    QTest::addRow("one") << QVector<Gate>{gate(GateKind::X, 0)} << false;
    QTest::addRow("plus-i") << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::P, 0, 0, 90.0)} << false;
    QTest::addRow("partly-entangled") << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::P, 0, 0, 60.0),
                                                       gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)}
                                      << true;
    QTest::addRow("bell") << QVector<Gate>{gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)} << true;
}

void TestQubitStatePanel::sphereDrawsTheVector()
{
    QFETCH(QVector<Gate>, gates);
    QFETCH(bool, isShort);
    QubitStatePanel panel;
    panel.show();
    panel.showState(stateAfter(2, gates), English);
    settle();
    const QubitState &qubit = panel.shownStates().at(0);
    auto *sphere = panel.findChild<BlochSphereView *>(QStringLiteral("qubitSphere0"));
    QVERIFY(sphere != nullptr);
    const QImage image = sphere->grab().toImage();
    const QColor colour = isShort ? BlochSphereView::shortColour() : BlochSphereView::pureColour();
    const QColor other = isShort ? BlochSphereView::pureColour() : BlochSphereView::shortColour();

    // Half-way along the arrow its colour, half-way towards the opposite side none of the arrow colours.
    const QPointF along = blochProjection(qubit.x, qubit.y, qubit.z) * sphere->radius() * 0.5;
    const QPoint onArrow = (sphere->centre() + along).toPoint();
    const QPoint opposite = (sphere->centre() - along - QPointF(0.0, 0.3 * sphere->radius())).toPoint();
    if (qubit.length > 0.1) {
        QVERIFY2(near(image.pixelColor(onArrow), colour), qPrintable(image.pixelColor(onArrow).name()));
    }
    QVERIFY(!near(image.pixelColor(opposite), colour) && !near(image.pixelColor(opposite), other));
    // The side scale marks z, |0> (z = 1) at the top.
    const QPoint mark = sphere->scalePoint(qubit.z).toPoint();
    QVERIFY2(near(image.pixelColor(mark), colour), qPrintable(image.pixelColor(mark).name()));
    const double middle = sphere->scalePoint(0.0).y();
    QCOMPARE(mark.y() < middle - 1.0, qubit.z > 0.1);
    QCOMPARE(mark.y() > middle + 1.0, qubit.z < -0.1);
}

void TestQubitStatePanel::projectionDirections_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    // The sign of the screen offset, right and down positive, 0 for none.
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("down");
    QTest::addRow("zero-up") << 0.0 << 0.0 << 1.0 << 0 << -1;
    QTest::addRow("one-down") << 0.0 << 0.0 << -1.0 << 0 << 1;
    QTest::addRow("plus-lower-left") << 1.0 << 0.0 << 0.0 << -1 << 1;
    QTest::addRow("minus-upper-right") << -1.0 << 0.0 << 0.0 << 1 << -1;
    QTest::addRow("plus-i-right") << 0.0 << 1.0 << 0.0 << 1 << 1;
    QTest::addRow("equator-137") << std::cos(137.0 * kPi / 180.0) << std::sin(137.0 * kPi / 180.0) << 0.0 << 1 << -1;
    QTest::addRow("centre") << 0.0 << 0.0 << 0.0 << 0 << 0;
}

void TestQubitStatePanel::projectionDirections()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(int, right);
    QFETCH(int, down);
    const QPointF p = blochProjection(x, y, z);
    const auto sign = [](double value) { return std::abs(value) < 1e-12 ? 0 : (value > 0.0 ? 1 : -1); };
    QCOMPARE(sign(p.x()), right);
    QCOMPARE(sign(p.y()), down);
    // Inside the disk; on the equator exactly on the drawn ellipse; a pole nearly the full radius up or down.
    QVERIFY(std::hypot(p.x(), p.y()) <= 1.0 + 1e-12);
    const double ratio = blochEquatorRatio();
    if (z == 0.0 && std::abs(x * x + y * y - 1.0) < 1e-12) {
        QVERIFY(std::abs(p.x() * p.x() + p.y() * p.y() / (ratio * ratio) - 1.0) < 1e-12);
    } else if (z != 0.0) {
        QVERIFY(std::abs(p.y()) > 0.9);
    }
}

void TestQubitStatePanel::textsHaveTheSamePlaceholders_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < static_cast<int>(QubitStateText::Count); ++row) {
        QTest::addRow("row-%d", row) << row;
    }
}

void TestQubitStatePanel::textsHaveTheSamePlaceholders()
{
    QFETCH(int, row);
    const auto key = static_cast<QubitStateText>(row);
    const auto placeholders = [key](Language language) {
        QStringList found;
        const QString text = qubitStateText(key, language);
        for (auto it = QRegularExpression(QStringLiteral("%\\d")).globalMatch(text); it.hasNext();) {
            found << it.next().captured();
        }
        found.sort();
        return found;
    };
    QVERIFY(!qubitStateText(key, Italian).isEmpty() && !qubitStateText(key, English).isEmpty());
    QCOMPARE(placeholders(Italian), placeholders(English));
}

QTEST_MAIN(TestQubitStatePanel)
#include "test_qubit_state_panel.moc"
