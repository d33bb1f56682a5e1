// The interface zoom: its levels, the fonts and pixel sizes that follow it, and titles that stay whole.
#include "ui/widgets/InterfaceStyle.h"
#include "ui/widgets/InterfaceZoom.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace Fasoria;

class TestInterfaceZoom : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { InterfaceZoom::apply(InterfaceZoom::kActual); }
    void levels_data();
    void levels();
    void steps_data();
    void steps();
    void registeredSizesFollowTheZoom();
    void applicationFontFollowsTheZoom();
    void groupBoxTitlesKeepTheirLastLetter_data();
    void groupBoxTitlesKeepTheirLastLetter();
};

void TestInterfaceZoom::levels_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("level");
    QTest::newRow("a level") << 125 << 125;
    QTest::newRow("the lowest") << 80 << 80;
    QTest::newRow("the highest") << 200 << 200;
    QTest::newRow("between, nearer below") << 112 << 110;
    QTest::newRow("between, nearer above") << 140 << 150;
    QTest::newRow("below the range") << 79 << 100;
    QTest::newRow("above the range") << 201 << 100;
    QTest::newRow("zero (unreadable setting)") << 0 << 100;
    QTest::newRow("negative") << -150 << 100;
}

void TestInterfaceZoom::levels()
{
    QFETCH(int, stored);
    QFETCH(int, level);
    QCOMPARE(InterfaceZoom::level(stored), level);
}

void TestInterfaceZoom::steps_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("to");
    QTest::newRow("in from 100") << 100 << 1 << 110;
    QTest::newRow("out from 100") << 100 << -1 << 90;
    QTest::newRow("in from 150") << 150 << 1 << 175;
    QTest::newRow("held at the top") << 200 << 1 << 200;
    QTest::newRow("held at the bottom") << 80 << -1 << 80;
    QTest::newRow("from between levels") << 112 << 1 << 125;
}

void TestInterfaceZoom::steps()
{
    QFETCH(int, from);
    QFETCH(int, direction);
    QFETCH(int, to);
    QCOMPARE(InterfaceZoom::stepped(from, direction), to);
}

void TestInterfaceZoom::registeredSizesFollowTheZoom()
{
    QLabel title;
    InterfaceZoom::setFontSize(&title, 14, true);
    QTableWidget table(4, 2);
    InterfaceZoom::setRowHeight(&table, 38);
    QLabel subtitle;
    InterfaceZoom::setMaximumHeight(&subtitle, 44);
    InterfaceZoom::setMinimumWidth(&subtitle, 105);
    QCOMPARE(title.font().pointSizeF(), 14.0);
    QVERIFY(title.font().bold());

    InterfaceZoom::apply(150);
    QCOMPARE(InterfaceZoom::percent(), 150);
    QCOMPARE(title.font().pointSizeF(), 21.0);
    QVERIFY(title.font().bold());
    QCOMPARE(table.verticalHeader()->defaultSectionSize(), 57);
    QCOMPARE(subtitle.maximumHeight(), 66);
    QCOMPARE(subtitle.minimumWidth(), 158);

    // Back to the actual size gives the sizes at 100 % exactly, not a rounded product of both changes.
    InterfaceZoom::apply(InterfaceZoom::kActual);
    QCOMPARE(title.font().pointSizeF(), 14.0);
    QCOMPARE(table.verticalHeader()->defaultSectionSize(), 38);
    QCOMPARE(subtitle.minimumWidth(), 105);
}

void TestInterfaceZoom::applicationFontFollowsTheZoom()
{
    InterfaceZoom::apply(InterfaceZoom::kActual);
    const double actual = QApplication::font().pointSizeF();
    QLabel plain;
    InterfaceZoom::apply(200);
    QCOMPARE(QApplication::font().pointSizeF(), 2 * actual);
    QCOMPARE(plain.font().pointSizeF(), 2 * actual);
    // A value outside the range is the actual size, never an unreadable interface.
    InterfaceZoom::apply(1000);
    QCOMPARE(InterfaceZoom::percent(), InterfaceZoom::kActual);
    QCOMPARE(QApplication::font().pointSizeF(), actual);
}

void TestInterfaceZoom::groupBoxTitlesKeepTheirLastLetter_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("title");
    const QString titles[] = {QStringLiteral("Risorse richieste da questo esperimento"),
                              QStringLiteral("Cosa abbiamo scoperto"), QStringLiteral("Quantum circuit - navigation")};
    for (const double points : {9.0, 13.5, 18.0, 24.0}) {
        for (const QString &title : titles) {
            QTest::addRow("%s at %.1f pt", qPrintable(title), points) << points << title;
        }
    }
}

void TestInterfaceZoom::groupBoxTitlesKeepTheirLastLetter()
{
    QFETCH(double, points);
    QFETCH(QString, title);
    const std::unique_ptr<QStyle> style(createInterfaceStyle());
    QGroupBox box(title);
    box.setStyle(style.get());
    QFont font = box.font();
    font.setPointSizeF(points);
    box.setFont(font);
    box.resize(box.minimumSizeHint());
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = Qt::AlignLeft;
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    QVERIFY2(label.width() >= box.fontMetrics().horizontalAdvance(title),
             qPrintable(QStringLiteral("%1 < %2").arg(label.width()).arg(box.fontMetrics().horizontalAdvance(title))));
    QVERIFY(box.rect().contains(label));
}

QTEST_MAIN(TestInterfaceZoom)
#include "test_interface_zoom.moc"
