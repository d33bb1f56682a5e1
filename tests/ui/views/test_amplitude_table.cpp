#include "core/Circuit.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/AmplitudeTable.h"
#include "ui/widgets/PhaseDelegate.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QtTest>

#include <cmath>
#include <stdexcept>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Language)

namespace {

const double kPi = std::acos(-1.0);
const double kHalfRoot = 1.0 / std::sqrt(2.0);

StateVector stateAfter(std::uint32_t qubits, const std::vector<Gate> &gates)
{
    StateVector state = createState(qubits);
    for (const Gate &gate : gates) {
        state.applyGate(gate);
    }
    return state;
}

Gate hadamard(int target)
{
    return Gate{GateKind::H, target, 0, 0.0};
}

QStringList rowOf(const QTableWidget &table, int row)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column) {
        const QTableWidgetItem *item = table.item(row, column);
        texts.append(item == nullptr ? QStringLiteral("<none>") : item->text());
    }
    return texts;
}

} // namespace

class TestAmplitudeTable : public QObject
{
    Q_OBJECT

private slots:
    void componentAndPhaseTexts_data();
    void componentAndPhaseTexts();
    void percentTexts_data();
    void percentTexts();
    void basisLabels_data();
    void basisLabels();
    void arrowGeometry_data();
    void arrowGeometry();
    void setUpConfiguresTheTable();
    void fillWritesEveryColumn_data();
    void fillWritesEveryColumn();
    void fillAfterPreparations();
    void fillReusesItems();
    void fillRejectsMismatchedHistogram_data();
    void fillRejectsMismatchedHistogram();
    void normLabel_data();
    void normLabel();
    void headers_data();
    void headers();
    void delegateDrawsArrowsOnlyForNonZeroAmplitudes();
};

void TestAmplitudeTable::componentAndPhaseTexts_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    QTest::addColumn<QString>("reText");
    QTest::addColumn<QString>("imText");
    QTest::addColumn<QString>("phase");

    // clang-format off
    QTest::addRow("zero")                      << 0.0 << 0.0 << "0.000000" << "0.000000" << "-";
    QTest::addRow("negative zero")             << -0.0 << -0.0 << "0.000000" << "0.000000" << "-";
    QTest::addRow("rounds to negative zero")   << -4e-7 << -4.9e-7 << "0.000000" << "0.000000" << "-129.2";
    QTest::addRow("minus one, positive zero")  << -1.0 << 0.0 << "-1.000000" << "0.000000" << "180.0";
    QTest::addRow("minus one, negative zero")  << -1.0 << -0.0 << "-1.000000" << "0.000000" << "-180.0";
    QTest::addRow("one")                       << 1.0 << 0.0 << "1.000000" << "0.000000" << "0.0";
    QTest::addRow("i")                         << 0.0 << 1.0 << "0.000000" << "1.000000" << "90.0";
    QTest::addRow("minus i")                   << 0.0 << -1.0 << "0.000000" << "-1.000000" << "-90.0";
    QTest::addRow("45 degrees")                << 0.5 << 0.5 << "0.500000" << "0.500000" << "45.0";
    QTest::addRow("half root, negative")       << -kHalfRoot << 0.0 << "-0.707107" << "0.000000" << "180.0";
    QTest::addRow("below the phase threshold") << 9e-13 << 0.0 << "0.000000" << "0.000000" << "-";
    QTest::addRow("above the phase threshold") << -2e-12 << 1e-12 << "0.000000" << "0.000000" << "153.4";
    // clang-format on
}

void TestAmplitudeTable::componentAndPhaseTexts()
{
    QFETCH(double, re);
    QFETCH(double, im);
    QFETCH(QString, reText);
    QFETCH(QString, imText);
    QFETCH(QString, phase);

    QCOMPARE(AmplitudeTable::componentText(re), reText);
    QCOMPARE(AmplitudeTable::componentText(im), imText);
    QCOMPARE(AmplitudeTable::phaseText(Complex{re, im}), phase);
}

void TestAmplitudeTable::percentTexts_data()
{
    QTest::addColumn<double>("probability");
    QTest::addColumn<quint64>("count");
    QTest::addColumn<quint64>("shots");
    QTest::addColumn<QString>("probabilityText");
    QTest::addColumn<QString>("countText");
    QTest::addColumn<QString>("frequencyText");

    // clang-format off
    QTest::addRow("no preparations")  << 0.5 << quint64(7) << quint64(0) << "50.00" << "-" << "-";
    QTest::addRow("one third")        << 1.0 / 3.0 << quint64(1) << quint64(3) << "33.33" << "1" << "33.33";
    QTest::addRow("two thirds")       << 2.0 / 3.0 << quint64(2) << quint64(3) << "66.67" << "2" << "66.67";
    QTest::addRow("never observed")   << 0.0 << quint64(0) << quint64(10) << "0.00" << "0" << "0.00";
    QTest::addRow("every time")       << 1.0 << quint64(10000) << quint64(10000) << "100.00" << "10000" << "100.00";
    QTest::addRow("tiny probability") << 1e-30 << quint64(1) << quint64(100000) << "0.00" << "1" << "0.00";
    // clang-format on
}

void TestAmplitudeTable::percentTexts()
{
    QFETCH(double, probability);
    QFETCH(quint64, count);
    QFETCH(quint64, shots);
    QFETCH(QString, probabilityText);
    QFETCH(QString, countText);
    QFETCH(QString, frequencyText);

    QCOMPARE(AmplitudeTable::probabilityText(probability), probabilityText);
    QCOMPARE(AmplitudeTable::countText(count, shots), countText);
    QCOMPARE(AmplitudeTable::frequencyText(count, shots), frequencyText);
}

void TestAmplitudeTable::basisLabels_data()
{
    QTest::addColumn<quint64>("index");
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QString>("label");

    QTest::addRow("one qubit, 0") << quint64(0) << 1 << "0";
    QTest::addRow("one qubit, 1") << quint64(1) << 1 << "1";
    QTest::addRow("q1 set") << quint64(2) << 2 << "10";
    QTest::addRow("q0 is rightmost") << quint64(1) << 4 << "0001";
    QTest::addRow("five on three qubits") << quint64(5) << 3 << "101";
    QTest::addRow("all twelve set") << quint64(4095) << 12 << "111111111111";
}

void TestAmplitudeTable::basisLabels()
{
    QFETCH(quint64, index);
    QFETCH(int, qubits);
    QFETCH(QString, label);

    QCOMPARE(AmplitudeTable::basisLabel(index, qubits), label);
}

void TestAmplitudeTable::arrowGeometry_data()
{
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<double>("phase");
    QTest::addColumn<QPointF>("tip");
    QTest::addColumn<QPointF>("head1");
    QTest::addColumn<QPointF>("head2");

    // Origin (20, 50); tips are r = 10·min(m, 1) + 3 away, heads 4 back and 2.5 aside.
    QTest::addRow("0.7071 pointing right")
        << 0.7071 << 0.0 << QPointF(30.071, 50) << QPointF(26.071, 52.5) << QPointF(26.071, 47.5);
    QTest::addRow("magnitude 1 pointing left")
        << 1.0 << kPi << QPointF(7, 50) << QPointF(11, 47.5) << QPointF(11, 52.5);
    QTest::addRow("magnitude 1 pointing up")
        << 1.0 << kPi / 2 << QPointF(20, 37) << QPointF(22.5, 41) << QPointF(17.5, 41);
    QTest::addRow("small, pointing down")
        << 0.25 << -kPi / 2 << QPointF(20, 55.5) << QPointF(17.5, 51.5) << QPointF(22.5, 51.5);
    QTest::addRow("length capped at 13") << 2.0 << 0.0 << QPointF(33, 50) << QPointF(29, 52.5) << QPointF(29, 47.5);
}

void TestAmplitudeTable::arrowGeometry()
{
    QFETCH(double, magnitude);
    QFETCH(double, phase);
    QFETCH(QPointF, tip);
    QFETCH(QPointF, head1);
    QFETCH(QPointF, head2);

    const auto near = [](QPointF a, QPointF b) { return qAbs(a.x() - b.x()) < 1e-9 && qAbs(a.y() - b.y()) < 1e-9; };
    const Education::PhaseArrow arrow = Education::phaseArrow(QPointF(20, 50), magnitude, phase);
    QCOMPARE(arrow.shaft.p1(), QPointF(20, 50));
    QVERIFY2(near(arrow.shaft.p2(), tip),
             qPrintable(QStringLiteral("tip %1, %2").arg(arrow.shaft.p2().x()).arg(arrow.shaft.p2().y())));
    QVERIFY(near(arrow.headLeft.p1(), tip));
    QVERIFY(near(arrow.headRight.p1(), tip));
    QVERIFY(near(arrow.headLeft.p2(), head1));
    QVERIFY(near(arrow.headRight.p2(), head2));
    QVERIFY(qAbs(arrow.shaft.length() - (10 * std::min(magnitude, 1.0) + 3)) < 1e-9);
}

void TestAmplitudeTable::setUpConfiguresTheTable()
{
    QTableWidget table;
    AmplitudeTable::setUp(&table);
    QCOMPARE(table.columnCount(), 7);
    for (int column = 0; column < 7; ++column) {
        const bool phase = column == 3;
        QCOMPARE(qobject_cast<Education::PhaseDelegate *>(table.itemDelegateForColumn(column)) != nullptr, phase);
        QCOMPARE(table.horizontalHeader()->sectionResizeMode(column),
                 column == 0 ? QHeaderView::ResizeToContents : QHeaderView::Stretch);
    }
    QVERIFY(table.verticalHeader()->isHidden());
    QVERIFY(table.alternatingRowColors());
    QCOMPARE(table.editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
    QCOMPARE(table.selectionMode(), QAbstractItemView::NoSelection);
    QCOMPARE(table.horizontalHeaderItem(6)->text(), QStringLiteral("Frequenza %"));

    AmplitudeTable::fill(&table, createState(2), {}, 0);
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(table.rowHeight(row), 38);
    }

    QVERIFY_EXCEPTION_THROWN(AmplitudeTable::setUp(nullptr), std::invalid_argument);
    QVERIFY_EXCEPTION_THROWN(AmplitudeTable::applyLanguage(nullptr, English), std::invalid_argument);
    QVERIFY_EXCEPTION_THROWN(AmplitudeTable::fill(nullptr, createState(1), {}, 0), std::invalid_argument);
}

void TestAmplitudeTable::fillWritesEveryColumn_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<QVector<int>>("gates");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<double>("phase");

    const auto row = [](std::initializer_list<const char *> texts) {
        QStringList list;
        for (const char *text : texts) {
            list.append(QString::fromUtf8(text));
        }
        return list;
    };
    // Gates as kind·10 + target; X then Z turns |1> into -|1> with a negative-zero imaginary part.
    QTest::addRow("|0>, basis state") << 1 << QVector<int>{} << 0
                                      << row({"0", "1.000000", "0.000000", "0.0", "100.00", "-", "-"}) << 1.0 << 0.0;
    QTest::addRow("|0>, empty row") << 1 << QVector<int>{} << 1
                                    << row({"1", "0.000000", "0.000000", "-", "0.00", "-", "-"}) << 0.0 << 0.0;
    QTest::addRow("H|0>") << 1 << QVector<int>{0} << 1 << row({"1", "0.707107", "0.000000", "0.0", "50.00", "-", "-"})
                          << kHalfRoot << 0.0;
    QTest::addRow("-|1>, negative zero") << 1 << QVector<int>{10, 20} << 1
                                         << row({"1", "-1.000000", "0.000000", "-180.0", "100.00", "-", "-"}) << 1.0
                                         << -kPi;
    QTest::addRow("Z|0> then X, zero with signs")
        << 1 << QVector<int>{20, 10} << 0 << row({"0", "0.000000", "0.000000", "-", "0.00", "-", "-"}) << 0.0 << -kPi;
    QTest::addRow("X on q1 of three") << 3 << QVector<int>{11} << 2
                                      << row({"010", "1.000000", "0.000000", "0.0", "100.00", "-", "-"}) << 1.0 << 0.0;
}

void TestAmplitudeTable::fillWritesEveryColumn()
{
    QFETCH(int, qubits);
    QFETCH(QVector<int>, gates);
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    QFETCH(double, magnitude);
    QFETCH(double, phase);

    std::vector<Gate> sequence;
    for (int code : gates) {
        sequence.push_back(Gate{static_cast<GateKind>(code / 10), code % 10, 0, 0.0});
    }
    const StateVector state = stateAfter(static_cast<std::uint32_t>(qubits), sequence);

    QTableWidget table;
    AmplitudeTable::setUp(&table);
    AmplitudeTable::fill(&table, state, {}, 0);
    QCOMPARE(table.rowCount(), 1 << qubits);
    QCOMPARE(rowOf(table, row), texts);
    for (int column = 0; column < 7; ++column) {
        QCOMPARE(table.item(row, column)->textAlignment(), int(Qt::AlignCenter));
    }
    const QTableWidgetItem *phaseItem = table.item(row, 3);
    QCOMPARE(phaseItem->data(Education::kMagnitudeRole).toDouble(), magnitude);
    QCOMPARE(phaseItem->data(Education::kPhaseRole).toDouble(), phase);
}

void TestAmplitudeTable::fillAfterPreparations()
{
    const StateVector state = stateAfter(1, {hadamard(0)});
    RandomGenerator generator(2024);
    const Histogram histogram = sampleCounts(state, 1000, generator);

    QTableWidget table;
    AmplitudeTable::setUp(&table);
    AmplitudeTable::fill(&table, state, histogram, 1000);
    quint64 total = 0;
    for (int row = 0; row < 2; ++row) {
        const quint64 count = histogram[static_cast<std::size_t>(row)];
        QCOMPARE(table.item(row, 5)->text(), QString::number(count));
        // count × 100 / 1000 is count / 10, written with two decimals.
        QCOMPARE(table.item(row, 6)->text(),
                 QString::number(count / 10) + QLatin1Char('.') + QString::number(count % 10) + QLatin1Char('0'));
        total += table.item(row, 5)->text().toULongLong();
    }
    QCOMPARE(total, quint64(1000));

    // A refill without preparations (a step change or a measurement) puts the dashes back.
    AmplitudeTable::fill(&table, state, histogram, 0);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(table.item(row, 5)->text(), QStringLiteral("-"));
        QCOMPARE(table.item(row, 6)->text(), QStringLiteral("-"));
    }
}

void TestAmplitudeTable::fillReusesItems()
{
    QTableWidget table;
    AmplitudeTable::setUp(&table);
    AmplitudeTable::fill(&table, createState(2), {}, 0);
    QList<QTableWidgetItem *> before;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 7; ++column) {
            before.append(table.item(row, column));
        }
    }

    const StateVector bell = stateAfter(2, {hadamard(0), Gate{GateKind::Cnot, 1, 0, 0.0}});
    AmplitudeTable::fill(&table, bell, {}, 0);
    QList<QTableWidgetItem *> after;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 7; ++column) {
            after.append(table.item(row, column));
        }
    }
    QCOMPARE(after, before);
    QCOMPARE(rowOf(table, 3), QStringList({"11", "0.707107", "0.000000", "0.0", "50.00", "-", "-"}));
    QCOMPARE(rowOf(table, 1), QStringList({"01", "0.000000", "0.000000", "-", "0.00", "-", "-"}));
    QVERIFY(table.updatesEnabled());

    // Shrinking drops the extra rows; growing again fills every new cell.
    AmplitudeTable::fill(&table, createState(1), {}, 0);
    QCOMPARE(table.rowCount(), 2);
    QCOMPARE(table.item(0, 0), before[0]);
    AmplitudeTable::fill(&table, createState(3), {}, 0);
    QCOMPARE(table.rowCount(), 8);
    QCOMPARE(rowOf(table, 7), QStringList({"111", "0.000000", "0.000000", "-", "0.00", "-", "-"}));
}

void TestAmplitudeTable::fillRejectsMismatchedHistogram_data()
{
    QTest::addColumn<int>("counts");

    QTest::addRow("empty") << 0;
    QTest::addRow("too short") << 2;
    QTest::addRow("too long") << 8;
}

void TestAmplitudeTable::fillRejectsMismatchedHistogram()
{
    QFETCH(int, counts);

    QTableWidget table;
    AmplitudeTable::setUp(&table);
    const StateVector bell = stateAfter(2, {hadamard(0), Gate{GateKind::Cnot, 1, 0, 0.0}});
    AmplitudeTable::fill(&table, bell, {}, 0);
    const QStringList first = rowOf(table, 0);

    const Histogram histogram(static_cast<std::size_t>(counts), 1);
    QVERIFY_EXCEPTION_THROWN(AmplitudeTable::fill(&table, createState(2), histogram, 10), std::invalid_argument);
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(rowOf(table, 0), first);
    QVERIFY(table.updatesEnabled());
}

void TestAmplitudeTable::normLabel_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("text");

    QTest::addRow("one qubit, English")
        << 1 << English
        << "Sum of probabilities: 1.000000000    |    q0 = rightmost bit    |    Phase at zero amplitude: undefined";
    QTest::addRow("eight qubits in superposition, Italian") << 8 << Italian
                                                            << "Somma delle probabilità: 1.000000000    |    q0 = bit "
                                                               "di destra    |    Fase per ampiezza nulla: indefinita";
}

void TestAmplitudeTable::normLabel()
{
    QFETCH(int, qubits);
    QFETCH(Language, language);
    QFETCH(QString, text);

    std::vector<Gate> gates;
    for (int qubit = 0; qubit < qubits; ++qubit) {
        gates.push_back(hadamard(qubit));
    }
    QCOMPARE(AmplitudeTable::normText(stateAfter(static_cast<std::uint32_t>(qubits), gates), language), text);
}

void TestAmplitudeTable::headers_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("headers");

    QTest::addRow("English") << English
                             << QStringList({"|state>", "Re", "Im", "Phase (°)", "P (%)", "Count", "Frequenza %"});
    QTest::addRow("Italian") << Italian
                             << QStringList({"|stato>", "Re", "Im", "Fase (°)", "P (%)", "Conteggio", "Frequenza %"});
}

void TestAmplitudeTable::headers()
{
    QFETCH(Language, language);
    QFETCH(QStringList, headers);

    QTableWidget table;
    AmplitudeTable::setUp(&table);
    // Switching from the other language first shows the pass rewrites every text.
    AmplitudeTable::applyLanguage(&table, language == English ? Italian : English);
    AmplitudeTable::applyLanguage(&table, language);
    QStringList shown;
    for (int column = 0; column < 7; ++column) {
        shown.append(table.horizontalHeaderItem(column)->text());
    }
    QCOMPARE(shown, headers);
    for (int column = 0; column < 6; ++column) {
        QCOMPARE(table.horizontalHeaderItem(column)->toolTip(), uiText(static_cast<TextKey>(45 + column), language));
    }
    QCOMPARE(table.horizontalHeaderItem(2)->toolTip(),
             language == English ? QStringLiteral("Imaginary part of the complex amplitude.")
                                 : QStringLiteral("Parte immaginaria dell'ampiezza complessa."));
    QVERIFY(table.horizontalHeaderItem(6)->toolTip().isEmpty());
    QCOMPARE(table.toolTip(), uiText(TextKey::TableTip, language));
    QVERIFY(!table.toolTip().isEmpty());
}

void TestAmplitudeTable::delegateDrawsArrowsOnlyForNonZeroAmplitudes()
{
    QTableWidget table;
    AmplitudeTable::setUp(&table);
    table.resize(700, 200);
    // |0>: row 0 has magnitude 1 at phase 0 (an arrow pointing right), row 1 is zero (no arrow).
    AmplitudeTable::fill(&table, createState(1), {}, 0);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));

    const QImage image = table.viewport()->grab().toImage();
    const auto darkPixels = [&image](const QRect &area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        return dark;
    };
    const QRect first = table.visualRect(table.model()->index(0, 3));
    const QRect second = table.visualRect(table.model()->index(1, 3));
    const int firstCentre = first.top() + first.height() / 2;
    const int secondCentre = second.top() + second.height() / 2;
    // The shaft runs from 16 to 29 pixels into the cell along its middle; nothing else is drawn there.
    QVERIFY(darkPixels(QRect(first.left() + 18, firstCentre - 1, 9, 3)) >= 9);
    QCOMPARE(darkPixels(QRect(first.left() + 2, first.top() + 2, 12, first.height() - 4)), 0);
    QCOMPARE(darkPixels(QRect(second.left() + 2, secondCentre - 8, 28, 16)), 0);
}

QTEST_MAIN(TestAmplitudeTable)
#include "test_amplitude_table.moc"
