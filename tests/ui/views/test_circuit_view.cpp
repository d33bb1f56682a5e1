#include "ui/views/CircuitView.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Circuit)
Q_DECLARE_METATYPE(Fasoria::Language)

namespace {

const double kPi = std::acos(-1.0);

// The drawing's own coordinates, written out independently of the view.
double rowY(int row)
{
    return 75.0 + 76.0 * row;
}

double stepX(int step)
{
    return 163.0 + 102.0 * (step - 1);
}

LessonStep step(GateKind kind, int target, int control = 0, double angle = 0.0, const char *italian = nullptr,
                const char *english = nullptr)
{
    return LessonStep(Gate{kind, target, control, angle}, italian, english);
}

Circuit circuitOf(int qubits, std::vector<LessonStep> steps)
{
    Circuit circuit;
    circuit.qubitCount = qubits;
    circuit.steps = std::move(steps);
    return circuit;
}

// Three qubits: H on q0, a CNOT with its control above the target, one with its control below.
Circuit threeQubitCircuit()
{
    return circuitOf(3, {step(GateKind::H, 0), step(GateKind::Cnot, 0, 2), step(GateKind::Cnot, 2, 0)});
}

// As long as the longest lesson: 99 steps on 3 qubits, the first an H on q1, the last an H on q0.
Circuit longCircuit()
{
    std::vector<LessonStep> steps;
    for (int i = 1; i <= 99; ++i) {
        steps.push_back(i % 4 == 0 ? step(GateKind::Cnot, i % 3, (i + 1) % 3) : step(GateKind::H, i % 3));
    }
    return circuitOf(3, steps);
}

QString roleOf(const QGraphicsItem *item)
{
    return item == nullptr ? QString() : item->data(CircuitView::kRoleDataKey).toString();
}

QList<QGraphicsItem *> itemsWithRole(const QGraphicsScene *scene, const QString &role)
{
    QList<QGraphicsItem *> found;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        if (roleOf(item) == role) {
            found.append(item);
        }
    }
    return found;
}

QGraphicsRectItem *stageBox(const QGraphicsScene *scene, quint64 stage)
{
    for (QGraphicsItem *item : itemsWithRole(scene, QStringLiteral("stageBox"))) {
        if (item->data(CircuitView::kStageDataKey).toULongLong() == stage) {
            return qgraphicsitem_cast<QGraphicsRectItem *>(item);
        }
    }
    return nullptr;
}

QGraphicsSimpleTextItem *textWithRole(const QGraphicsScene *scene, const QString &role)
{
    const QList<QGraphicsItem *> items = itemsWithRole(scene, role);
    return items.size() == 1 ? qgraphicsitem_cast<QGraphicsSimpleTextItem *>(items.first()) : nullptr;
}

void sendMouse(QWidget *viewport, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos)
{
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

void sendWheel(QWidget *viewport, QPoint angleDelta)
{
    const QPoint pos = viewport->rect().center();
    QWheelEvent event(QPointF(pos), QPointF(viewport->mapToGlobal(pos)), QPoint(), angleDelta, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

// The scale at which the scene rectangle fits the viewport with the view's 2-pixel margin.
double fittedScale(const CircuitView *view)
{
    const QRectF scene = view->sceneRect();
    const QSize viewport = view->viewport()->size();
    return std::min((viewport.width() - 4) / scene.width(), (viewport.height() - 4) / scene.height());
}

// As large as the editor allows: 8 qubits, 256 gates, among them P gates of growing angles.
Circuit widestCircuit()
{
    std::vector<LessonStep> steps;
    for (int i = 0; i < 256; ++i) {
        const int qubit = i % 8;
        steps.push_back(i % 3 == 2   ? step(GateKind::Cnot, (qubit + 1) % 8, qubit)
                        : i % 3 == 0 ? step(GateKind::H, qubit)
                                     : step(GateKind::P, qubit, 0, kPi / 4 * (i % 9)));
    }
    return circuitOf(8, steps);
}

// Everything a drawing shows, item by item in paint order: role, stage, colours, selection, text, tooltip.
QStringList fingerprint(const QGraphicsScene *scene)
{
    QStringList lines;
    for (const QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        QString line = roleOf(item) + QLatin1Char(' ') + item->data(CircuitView::kStageDataKey).toString() +
                       QLatin1Char(' ') + (item->isSelected() ? "selected" : "-") + QLatin1Char(' ') + item->toolTip();
        if (const auto *shape = dynamic_cast<const QAbstractGraphicsShapeItem *>(item)) {
            line += QStringLiteral(" pen %1 %2 brush %3")
                        .arg(shape->pen().color().name())
                        .arg(shape->pen().widthF())
                        .arg(shape->brush().color().name());
        }
        if (const auto *stroke = qgraphicsitem_cast<const QGraphicsLineItem *>(item)) {
            line += QStringLiteral(" line %1 %2").arg(stroke->pen().color().name()).arg(stroke->pen().widthF());
        }
        if (const auto *text = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(item)) {
            line += QStringLiteral(" text ") + text->text();
        }
        lines << line;
    }
    return lines;
}

struct StageClass
{
    QColor border;
    double width;
    QColor fill;
};

const QColor kTextColour(32, 49, 68);

const StageClass kCurrent{QColor(40, 91, 183), 2.5, QColor(215, 230, 252)};
const StageClass kApplied{QColor(56, 140, 106), 1.3, QColor(222, 246, 234)};
const StageClass kFuture{QColor(157, 169, 182), 1.3, QColor(244, 247, 251)};

} // namespace

class TestCircuitView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clicksResolveToStages_data();
    void clicksResolveToStages();
    void callbackRunsAfterTheEvent();
    void middleDragPansWithoutSelecting();
    void zoomStaysWithinBounds_data();
    void zoomStaysWithinBounds();
    void zoomBoundsAreInclusive();
    void wheelWithoutVerticalDeltaDoesNothing();
    void manualViewSurvivesResize_data();
    void manualViewSurvivesResize();
    void tinyViewportSkipsFit();
    void focusStageCentresItsColumn_data();
    void focusStageCentresItsColumn();
    void focusStageOnEmptySceneDoesNothing();
    void sceneGeometry_data();
    void sceneGeometry();
    void stageColours_data();
    void stageColours();
    void cnotGlyph_data();
    void cnotGlyph();
    void glyphTexts_data();
    void glyphTexts();
    void measuredMark_data();
    void measuredMark();
    void tooltips_data();
    void tooltips();
    void unknownKindIsDrawnAsQuestionMark_data();
    void unknownKindIsDrawnAsQuestionMark();
    void rejectsUndrawableCircuits_data();
    void rejectsUndrawableCircuits();
    void newStageOnlyRecoloursTheDrawing_data();
    void newStageOnlyRecoloursTheDrawing();
    void keysAskForStages_data();
    void keysAskForStages();
    void keysZoomAndFit();
    void focusIsFramed();
    void phaseBoxShowsItsAngle_data();
    void phaseBoxShowsItsAngle();
    void labelsStayPinnedWhileScrolled_data();
    void labelsStayPinnedWhileScrolled();
    void fitKeepsLettersReadable_data();
    void fitKeepsLettersReadable();
    void baseScaleSetsTheNaturalSize();

private:
    void show(const Circuit &circuit, std::uint64_t currentStep = 0, bool measured = false, Language language = English,
              bool working = false);
    void click(QPointF scenePoint, Qt::MouseButton button = Qt::LeftButton);

    QWidget *m_host = nullptr;
    CircuitView *m_view = nullptr;
    QList<quint64> m_stages;
};

void TestCircuitView::init()
{
    // A child of a shown window resizes synchronously, which the refit tests rely on.
    m_host = new QWidget;
    m_host->resize(1000, 520);
    m_view = new CircuitView(m_host);
    m_view->setGeometry(0, 0, 1000, 500);
    m_stages.clear();
    m_view->setStageCallback([this](std::uint64_t stage) { m_stages.append(stage); });
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host));
}

void TestCircuitView::cleanup()
{
    delete m_host;
    m_host = nullptr;
    m_view = nullptr;
}

void TestCircuitView::show(const Circuit &circuit, std::uint64_t currentStep, bool measured, Language language,
                           bool working)
{
    m_view->showCircuit(circuit, currentStep, measured, language, working);
    m_view->fitAll();
}

void TestCircuitView::click(QPointF scenePoint, Qt::MouseButton button)
{
    QTest::mouseClick(m_view->viewport(), button, Qt::NoModifier, m_view->mapFromScene(scenePoint));
}

void TestCircuitView::clicksResolveToStages_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QString>("topRole");
    QTest::addColumn<int>("stage");

    // Three qubits: rows at y = 75 (q2), 151 (q1), 227 (q0); W = 493.
    QTest::addRow("initial label") << QPointF(104.5, 151) << "glyph" << 0;
    QTest::addRow("initial box") << QPointF(90, 60) << "stageBox" << 0;
    QTest::addRow("H letter") << QPointF(163, 227) << "glyph" << 1;
    QTest::addRow("control dot above") << QPointF(265, 75) << "glyph" << 2;
    QTest::addRow("control line") << QPointF(265, 113) << "glyph" << 2;
    QTest::addRow("target plus") << QPointF(265, 227) << "glyph" << 2;
    QTest::addRow("target circle") << QPointF(272, 234) << "glyph" << 2;
    QTest::addRow("control dot below") << QPointF(367, 227) << "glyph" << 3;
    QTest::addRow("target above") << QPointF(367, 75) << "glyph" << 3;
    QTest::addRow("wire inside a box") << QPointF(347, 151) << "stageBox" << 3;
    QTest::addRow("wire between boxes") << QPointF(214, 151) << "wire" << -1;
    QTest::addRow("wire after the last box") << QPointF(450, 75) << "wire" << -1;
    QTest::addRow("wire label") << QPointF(30, 69) << "wireLabel" << -1;
    QTest::addRow("stage number") << QPointF(263, 25) << "stageNumber" << -1;
    QTest::addRow("measurement box") << QPointF(525, 70) << "measurementBox" << -1;
    QTest::addRow("measurement letter") << QPointF(522, 147) << "measurementLabel" << -1;
    QTest::addRow("empty space") << QPointF(214, 30) << "" << -1;
}

void TestCircuitView::clicksResolveToStages()
{
    QFETCH(QPointF, point);
    QFETCH(QString, topRole);
    QFETCH(int, stage);

    show(threeQubitCircuit(), 1);
    QCOMPARE(roleOf(m_view->itemAt(m_view->mapFromScene(point))), topRole);
    click(point);
    if (stage >= 0) {
        QTRY_COMPARE(m_stages, QList<quint64>{static_cast<quint64>(stage)});
    } else {
        QTest::qWait(30);
        QVERIFY(m_stages.isEmpty());
    }
}

void TestCircuitView::callbackRunsAfterTheEvent()
{
    const Circuit circuit = threeQubitCircuit();
    show(circuit, 0);
    // The owner redraws from the callback, as the main window does.
    m_view->setStageCallback([this, &circuit](std::uint64_t stage) {
        m_stages.append(stage);
        m_view->showCircuit(circuit, stage, false, English, false);
    });

    click(QPointF(265, 227));
    QVERIFY(m_stages.isEmpty());
    QTRY_COMPARE(m_stages, QList<quint64>{2});
    QGraphicsRectItem *current = stageBox(m_view->scene(), 2);
    QVERIFY(current != nullptr);
    QVERIFY(current->isSelected());
    QCOMPARE(current->pen().color(), kCurrent.border);

    // Only the left button selects a stage.
    click(QPointF(163, 227), Qt::RightButton);
    click(QPointF(163, 227), Qt::MiddleButton);
    QTest::qWait(30);
    QCOMPARE(m_stages, QList<quint64>{2});

    m_view->setStageCallback({});
    click(QPointF(163, 227));
    QTest::qWait(30);
    QCOMPARE(m_stages, QList<quint64>{2});
}

void TestCircuitView::middleDragPansWithoutSelecting()
{
    show(longCircuit(), 0);
    m_view->focusStage(50);
    m_view->zoomBy(2.5);
    // The scroll bars appear through a posted layout request, which moves the view once more.
    QTest::qWait(30);
    QScrollBar *horizontal = m_view->horizontalScrollBar();
    QScrollBar *vertical = m_view->verticalScrollBar();
    const int h0 = horizontal->value();
    const int v0 = vertical->value();
    QVERIFY(vertical->maximum() - v0 >= 20);

    QWidget *viewport = m_view->viewport();
    const QPoint start = m_view->mapFromScene(stageBox(m_view->scene(), 50)->rect().center());
    sendMouse(viewport, QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, start);
    QVERIFY(m_view->isPanning());
    QVERIFY(!m_view->autoFit());
    QCOMPARE(viewport->cursor().shape(), Qt::ClosedHandCursor);

    sendMouse(viewport, QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, start + QPoint(-30, -20));
    QCOMPARE(horizontal->value(), h0 + 30);
    QCOMPARE(vertical->value(), v0 + 20);
    sendMouse(viewport, QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, start + QPoint(-20, -10));
    QCOMPARE(horizontal->value(), h0 + 20);
    QCOMPARE(vertical->value(), v0 + 10);

    // Released over a stage box: a left release there would select it, a middle one only ends the drag.
    const QPoint end = start + QPoint(-20, -10);
    QGraphicsItem *under = m_view->itemAt(end);
    while (under != nullptr && !under->data(CircuitView::kStageDataKey).isValid()) {
        under = under->parentItem();
    }
    QVERIFY(under != nullptr);
    sendMouse(viewport, QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, end);
    QVERIFY(!m_view->isPanning());
    QVERIFY(!viewport->testAttribute(Qt::WA_SetCursor));
    QTest::qWait(30);
    QVERIFY(m_stages.isEmpty());

    sendMouse(viewport, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, start);
    QCOMPARE(horizontal->value(), h0 + 20);
}

void TestCircuitView::zoomStaysWithinBounds_data()
{
    QTest::addColumn<bool>("wheel");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("repeats");

    QTest::addRow("zoom in button") << false << 1.25 << 30;
    QTest::addRow("zoom out button") << false << 0.8 << 40;
    QTest::addRow("wheel forward") << true << 1.16 << 30;
    QTest::addRow("wheel backward") << true << 1.0 / 1.16 << 60;
}

void TestCircuitView::zoomStaysWithinBounds()
{
    QFETCH(bool, wheel);
    QFETCH(double, factor);
    QFETCH(int, repeats);

    const Circuit circuit = threeQubitCircuit();
    show(circuit);
    for (int i = 0; i < repeats; ++i) {
        if (wheel) {
            sendWheel(m_view->viewport(), QPoint(0, factor > 1 ? 120 : -120));
        } else {
            m_view->zoomBy(factor);
        }
    }
    const double scale = m_view->transform().m11();
    QVERIFY(!m_view->autoFit());
    QCOMPARE(m_view->transform().m22(), scale);
    QVERIFY(scale >= 0.01 && scale <= 4.0);
    // It went as far as the bounds allow: one more step would leave them.
    const double next = scale * factor;
    QVERIFY(next < 0.01 || next > 4.0);

    m_view->showCircuit(circuit, 2, false, English, false);
    QCOMPARE(m_view->transform().m11(), scale);
}

void TestCircuitView::zoomBoundsAreInclusive()
{
    show(threeQubitCircuit());
    m_view->resetTransform();
    m_view->zoomBy(4.0);
    QCOMPARE(m_view->transform().m11(), 4.0);
    m_view->zoomBy(1.001);
    QCOMPARE(m_view->transform().m11(), 4.0);
    m_view->zoomBy(0.0025);
    QCOMPARE(m_view->transform().m11(), 0.01);
    m_view->zoomBy(0.999);
    QCOMPARE(m_view->transform().m11(), 0.01);
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        m_view->zoomBy(bad);
        QCOMPARE(m_view->transform().m11(), 0.01);
    }
}

void TestCircuitView::wheelWithoutVerticalDeltaDoesNothing()
{
    show(threeQubitCircuit());
    const QTransform before = m_view->transform();
    sendWheel(m_view->viewport(), QPoint(120, 0));
    QCOMPARE(m_view->transform(), before);
    QVERIFY(m_view->autoFit());
}

void TestCircuitView::manualViewSurvivesResize_data()
{
    QTest::addColumn<QString>("action");

    QTest::addRow("zoom button") << "zoom";
    QTest::addRow("wheel") << "wheel";
    QTest::addRow("middle drag") << "drag";
    QTest::addRow("focus stage") << "focus";
}

void TestCircuitView::manualViewSurvivesResize()
{
    QFETCH(QString, action);

    show(threeQubitCircuit());
    QVERIFY(qAbs(m_view->transform().m11() - fittedScale(m_view)) < 1e-9);
    QWidget *viewport = m_view->viewport();
    if (action == "zoom") {
        m_view->zoomBy(1.25);
    } else if (action == "wheel") {
        sendWheel(viewport, QPoint(0, -120));
    } else if (action == "drag") {
        sendMouse(viewport, QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, QPoint(100, 100));
        sendMouse(viewport, QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, QPoint(90, 95));
        sendMouse(viewport, QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, QPoint(90, 95));
    } else {
        m_view->focusStage(2);
    }
    QVERIFY(!m_view->autoFit());
    const QTransform manual = m_view->transform();

    m_view->resize(700, 400);
    QCOMPARE(m_view->transform(), manual);

    m_view->fitAll();
    QVERIFY(m_view->autoFit());
    QVERIFY(qAbs(m_view->transform().m11() - fittedScale(m_view)) < 1e-9);
    m_view->resize(900, 300);
    QVERIFY(qAbs(m_view->transform().m11() - fittedScale(m_view)) < 1e-9);
    QCOMPARE(m_view->transform().m22(), m_view->transform().m11());
}

void TestCircuitView::tinyViewportSkipsFit()
{
    show(threeQubitCircuit());
    m_view->zoomBy(2.0);
    const QTransform manual = m_view->transform();
    m_view->resize(6, 300);
    QVERIFY(m_view->viewport()->width() < 8);
    m_view->fitAll();
    QCOMPARE(m_view->transform(), manual);
    QVERIFY(m_view->autoFit());

    m_view->resize(900, 300);
    QVERIFY(qAbs(m_view->transform().m11() - fittedScale(m_view)) < 1e-9);
}

void TestCircuitView::focusStageCentresItsColumn_data()
{
    QTest::addColumn<int>("stage");

    QTest::addRow("stage 30") << 30;
    QTest::addRow("stage 50") << 50;
    QTest::addRow("stage 90") << 90;
}

void TestCircuitView::focusStageCentresItsColumn()
{
    QFETCH(int, stage);

    show(longCircuit());
    m_view->focusStage(static_cast<std::uint64_t>(stage));
    QTest::qWait(30);
    QVERIFY(!m_view->autoFit());
    QCOMPARE(m_view->transform().m11(), 0.9);
    QCOMPARE(m_view->transform().m22(), 0.9);
    const QPointF centre = m_view->mapToScene(m_view->viewport()->rect().center());
    // Within a few pixels: the viewport's centre pixel and the scroll position are whole numbers.
    QVERIFY2(qAbs(centre.x() - stepX(stage)) < 3.0, qPrintable(QString::number(centre.x())));
    QVERIFY2(qAbs(centre.y() - 142.0) < 3.0, qPrintable(QString::number(centre.y())));
}

void TestCircuitView::focusStageOnEmptySceneDoesNothing()
{
    m_view->focusStage(3);
    QVERIFY(m_view->autoFit());
    QVERIFY(m_view->transform().isIdentity());
}

void TestCircuitView::sceneGeometry_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<QRectF>("sceneRect");
    QTest::addColumn<QRectF>("measurementBox");
    QTest::addColumn<int>("sampledStage");
    QTest::addColumn<QRectF>("sampledBox");

    QTest::addRow("1 qubit, no steps") << circuitOf(1, {}) << QRectF(0, 0, 362, 132) << QRectF(199, 52, 41, 46) << 0
                                       << QRectF(82, 45, 45, 60);
    QTest::addRow("1 qubit, H") << circuitOf(1, {step(GateKind::H, 0)}) << QRectF(0, 0, 464, 132)
                                << QRectF(301, 52, 41, 46) << 1 << QRectF(136, 48, 54, 54);
    QTest::addRow("3 qubits, stage 0") << circuitOf(3, {step(GateKind::H, 0)}) << QRectF(0, 0, 464, 284)
                                       << QRectF(301, 52, 41, 198) << 0 << QRectF(82, 45, 45, 212);
    QTest::addRow("3 qubits, P on q1") << circuitOf(3, {step(GateKind::P, 1, 0, kPi / 4)}) << QRectF(0, 0, 464, 284)
                                       << QRectF(301, 52, 41, 198) << 1 << QRectF(136, 124, 54, 54);
    QTest::addRow("CNOT control above") << circuitOf(3, {step(GateKind::Cnot, 0, 2)}) << QRectF(0, 0, 464, 284)
                                        << QRectF(301, 52, 41, 198) << 1 << QRectF(136, 48, 54, 206);
    QTest::addRow("CNOT control below") << circuitOf(3, {step(GateKind::Cnot, 2, 0)}) << QRectF(0, 0, 464, 284)
                                        << QRectF(301, 52, 41, 198) << 1 << QRectF(136, 48, 54, 206);
    QTest::addRow("CNOT on neighbours") << circuitOf(3, {step(GateKind::H, 2), step(GateKind::Cnot, 0, 1)})
                                        << QRectF(0, 0, 566, 284) << QRectF(403, 52, 41, 198) << 2
                                        << QRectF(238, 124, 54, 130);
    QTest::addRow("99 steps, first") << longCircuit() << QRectF(0, 0, 10460, 284) << QRectF(10297, 52, 41, 198) << 1
                                     << QRectF(136, 124, 54, 54);
    QTest::addRow("99 steps, last") << longCircuit() << QRectF(0, 0, 10460, 284) << QRectF(10297, 52, 41, 198) << 99
                                    << QRectF(10132, 200, 54, 54);
}

void TestCircuitView::sceneGeometry()
{
    QFETCH(Circuit, circuit);
    QFETCH(QRectF, sceneRect);
    QFETCH(QRectF, measurementBox);
    QFETCH(int, sampledStage);
    QFETCH(QRectF, sampledBox);

    show(circuit);
    const QGraphicsScene *scene = m_view->scene();
    QCOMPARE(scene->sceneRect(), sceneRect);
    const QGraphicsRectItem *box = stageBox(scene, static_cast<quint64>(sampledStage));
    QVERIFY(box != nullptr);
    QCOMPARE(box->rect(), sampledBox);
    QCOMPARE(itemsWithRole(scene, "stageBox").size(), static_cast<int>(circuit.steps.size()) + 1);

    const QList<QGraphicsItem *> measurement = itemsWithRole(scene, "measurementBox");
    QCOMPARE(measurement.size(), 1);
    const auto *measurementRect = qgraphicsitem_cast<QGraphicsRectItem *>(measurement.first());
    QCOMPARE(measurementRect->rect(), measurementBox);
    QCOMPARE(measurementRect->pen().style(), Qt::DashLine);
    QVERIFY(!(measurementRect->flags() & QGraphicsItem::ItemIsSelectable));
    QVERIFY(!measurementRect->data(CircuitView::kStageDataKey).isValid());
    const QGraphicsSimpleTextItem *letter = textWithRole(scene, "measurementLabel");
    QVERIFY(letter != nullptr);
    QCOMPARE(letter->text(), QStringLiteral("M"));
    QCOMPARE(letter->pos(), QPointF(measurementBox.x() + 12, 75 + 38 * (circuit.qubitCount - 1) - 12));
    QCOMPARE(measurementRect->pen().color(), QColor(132, 142, 155));
    QCOMPARE(measurementRect->pen().widthF(), 1.2);
    QCOMPARE(measurementRect->brush().color(), QColor(239, 241, 244));
    QCOMPARE(letter->font().pointSize(), 12);
    QVERIFY(letter->font().bold());
    QCOMPARE(letter->brush().color(), kTextColour);

    // Wires top to bottom carry q(n-1) down to q0 and end 35 units past the last step column's extent.
    const QList<QGraphicsItem *> wires = itemsWithRole(scene, "wire");
    const QList<QGraphicsItem *> labels = itemsWithRole(scene, "wireLabel");
    QCOMPARE(wires.size(), circuit.qubitCount);
    QCOMPARE(labels.size(), circuit.qubitCount);
    for (int row = 0; row < circuit.qubitCount; ++row) {
        const auto *wire = qgraphicsitem_cast<QGraphicsLineItem *>(wires[row]);
        QCOMPARE(wire->line(), QLineF(80, rowY(row), measurementBox.x() + 23, rowY(row)));
        QCOMPARE(wire->pen().color(), QColor(111, 127, 145));
        QCOMPARE(wire->pen().widthF(), 1.7);
        const auto *label = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(labels[row]);
        QCOMPARE(label->text(), QStringLiteral("q%1  |0>").arg(circuit.qubitCount - 1 - row));
        QCOMPARE(label->pos(), QPointF(14, rowY(row) - 13));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSize(), 10);
        QCOMPARE(label->brush().color(), kTextColour);
    }

    const QList<QGraphicsItem *> numbers = itemsWithRole(scene, "stageNumber");
    QCOMPARE(numbers.size(), static_cast<int>(circuit.steps.size()) + 1);
    for (const QGraphicsItem *item : numbers) {
        const auto *number = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(item);
        QCOMPARE(number->font().pointSize(), 9);
        QVERIFY(!number->font().bold());
        QCOMPARE(number->brush().color(), kTextColour);
    }
    const auto *zero = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(numbers.first());
    QCOMPARE(zero->text(), QStringLiteral("0"));
    QCOMPARE(zero->pos(), QPointF(98, 19));
    const int last = static_cast<int>(circuit.steps.size());
    const auto *lastNumber = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(numbers.last());
    QCOMPARE(lastNumber->text(), QString::number(last));
    if (last > 0) {
        QCOMPARE(lastNumber->pos(), QPointF(stepX(last) - 5, 19));
    }
}

void TestCircuitView::stageColours_data()
{
    QTest::addColumn<int>("currentStep");

    QTest::addRow("at the start") << 0;
    QTest::addRow("after one step") << 1;
    QTest::addRow("in the middle") << 2;
    QTest::addRow("at the end") << 3;
}

void TestCircuitView::stageColours()
{
    QFETCH(int, currentStep);

    show(threeQubitCircuit(), static_cast<std::uint64_t>(currentStep));
    for (int stage = 0; stage <= 3; ++stage) {
        const StageClass &expected = stage == currentStep ? kCurrent : (stage < currentStep ? kApplied : kFuture);
        const QGraphicsRectItem *box = stageBox(m_view->scene(), static_cast<quint64>(stage));
        QVERIFY(box != nullptr);
        QCOMPARE(box->pen().color(), expected.border);
        QCOMPARE(box->pen().widthF(), expected.width);
        QCOMPARE(box->brush().color(), expected.fill);
        QCOMPARE(box->isSelected(), stage == currentStep);
        QVERIFY(box->flags() & QGraphicsItem::ItemIsSelectable);
        // Gate letters keep their own colour; CNOT parts follow the box's border.
        for (const QGraphicsItem *child : box->childItems()) {
            if (const auto *line = qgraphicsitem_cast<const QGraphicsLineItem *>(child)) {
                QCOMPARE(line->pen().color(), expected.border);
            } else if (const auto *text = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(child)) {
                QCOMPARE(text->brush().color(), stage == 0 ? QColor(32, 49, 68) : QColor(28, 53, 82));
            }
        }
    }
}

void TestCircuitView::cnotGlyph_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("target");

    QTest::addRow("control above") << 2 << 0;
    QTest::addRow("control below") << 0 << 2;
    QTest::addRow("adjacent") << 1 << 2;
}

void TestCircuitView::cnotGlyph()
{
    QFETCH(int, control);
    QFETCH(int, target);

    show(circuitOf(3, {step(GateKind::Cnot, target, control)}), 1);
    const double x = stepX(1);
    const double yc = rowY(2 - control);
    const double yt = rowY(2 - target);
    const QGraphicsRectItem *box = stageBox(m_view->scene(), 1);
    QVERIFY(box != nullptr);

    QList<QLineF> lines;
    QList<QRectF> ellipses;
    for (const QGraphicsItem *child : box->childItems()) {
        QCOMPARE(child->acceptedMouseButtons(), Qt::MouseButtons(Qt::NoButton));
        QCOMPARE(roleOf(child), QStringLiteral("glyph"));
        if (const auto *line = qgraphicsitem_cast<const QGraphicsLineItem *>(child)) {
            lines.append(line->line());
            QCOMPARE(line->pen().widthF(), line->line() == QLineF(x, yc, x, yt) ? 2.1 : 1.9);
        } else if (const auto *ellipse = qgraphicsitem_cast<const QGraphicsEllipseItem *>(child)) {
            ellipses.append(ellipse->rect());
            const bool isDot = ellipse->rect().width() == 12;
            QCOMPARE(ellipse->pen().widthF(), isDot ? 1.0 : 2.0);
            QCOMPARE(ellipse->brush().color(), isDot ? kCurrent.border : QColor(Qt::white));
        } else {
            QFAIL("unexpected part of the CNOT glyph");
        }
    }
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.contains(QLineF(x, yc, x, yt)));
    QVERIFY(lines.contains(QLineF(x - 10, yt, x + 10, yt)));
    QVERIFY(lines.contains(QLineF(x, yt - 10, x, yt + 10)));
    QCOMPARE(ellipses.size(), 2);
    QVERIFY(ellipses.contains(QRectF(x - 6, yc - 6, 12, 12)));
    QVERIFY(ellipses.contains(QRectF(x - 13, yt - 13, 26, 26)));
}

void TestCircuitView::glyphTexts_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QPointF>("centre");

    const QColor letterColour(28, 53, 82);
    // The letter sits on its target's wire; the initial label on the register's middle.
    QTest::addRow("initial label, 1 qubit")
        << circuitOf(1, {}) << 0 << "|0>" << 10 << kTextColour << QPointF(104.5, 75);
    QTest::addRow("initial label, 4 qubits")
        << circuitOf(4, {}) << 0 << "|0>" << 10 << kTextColour << QPointF(104.5, 189);
    QTest::addRow("H on q0") << circuitOf(3, {step(GateKind::H, 0)}) << 1 << "H" << 12 << letterColour
                             << QPointF(stepX(1), rowY(2));
    QTest::addRow("X on q2") << circuitOf(3, {step(GateKind::H, 0), step(GateKind::X, 2)}) << 2 << "X" << 12
                             << letterColour << QPointF(stepX(2), rowY(0));
    QTest::addRow("Z on q1") << circuitOf(3, {step(GateKind::Z, 1)}) << 1 << "Z" << 12 << letterColour
                             << QPointF(stepX(1), rowY(1));
}

void TestCircuitView::glyphTexts()
{
    QFETCH(Circuit, circuit);
    QFETCH(int, stage);
    QFETCH(QString, text);
    QFETCH(int, pointSize);
    QFETCH(QColor, colour);
    QFETCH(QPointF, centre);

    show(circuit, 0);
    const QGraphicsRectItem *box = stageBox(m_view->scene(), static_cast<quint64>(stage));
    QVERIFY(box != nullptr);
    QCOMPARE(box->childItems().size(), 1);
    const auto *glyph = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(box->childItems().first());
    QVERIFY(glyph != nullptr);
    QCOMPARE(glyph->text(), text);
    QCOMPARE(glyph->font().family(), QStringLiteral("Segoe UI"));
    QCOMPARE(glyph->font().pointSize(), pointSize);
    QVERIFY(glyph->font().bold());
    QCOMPARE(glyph->brush().color(), colour);
    const QPointF drawnCentre = glyph->mapToScene(glyph->boundingRect().center());
    QVERIFY2(qAbs(drawnCentre.x() - centre.x()) < 1e-9 && qAbs(drawnCentre.y() - centre.y()) < 1e-9,
             qPrintable(QStringLiteral("centre %1, %2").arg(drawnCentre.x()).arg(drawnCentre.y())));
}

void TestCircuitView::measuredMark_data()
{
    QTest::addColumn<bool>("measured");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("text");

    QTest::addRow("not measured") << false << English << QString();
    QTest::addRow("measured, English") << true << English << "MEASURED";
    QTest::addRow("measured, Italian") << true << Italian << "MISURATO";
}

void TestCircuitView::measuredMark()
{
    QFETCH(bool, measured);
    QFETCH(Language, language);
    QFETCH(QString, text);

    m_view->showCircuit(circuitOf(2, {step(GateKind::H, 0), step(GateKind::H, 1)}), 2, measured, language, false);
    const QList<QGraphicsItem *> marks = itemsWithRole(m_view->scene(), "measuredMark");
    if (!measured) {
        QVERIFY(marks.isEmpty());
        return;
    }
    QCOMPARE(marks.size(), 1);
    const auto *mark = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(marks.first());
    QCOMPARE(mark->text(), text);
    // W = 391 for two steps; the register's middle is at y = 113.
    QCOMPARE(mark->pos(), QPointF(457, 102));
    QCOMPARE(mark->brush().color(), QColor(137, 68, 52));
    QVERIFY(mark->font().bold());
    QCOMPARE(mark->font().pointSize(), 9);
}

void TestCircuitView::tooltips_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("working");
    QTest::addColumn<QString>("role");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QString>("tip");

    const QString clickEn = QStringLiteral("\nClick to rebuild the state immediately after this operation.");
    const QString clickIt = QStringLiteral("\nClicca per ricostruire lo stato immediatamente dopo questa operazione.");
    QTest::addRow("lesson step, English")
        << English << false << "stageBox" << 1 << QStringLiteral("Step 1: H(q0) - The coin spins.") + clickEn;
    QTest::addRow("lesson step, Italian")
        << Italian << false << "stageBox" << 1 << QStringLiteral("Passo 1: H(q0) - La moneta gira.") + clickIt;
    QTest::addRow("lesson P step, English")
        << English << false << "stageBox" << 2 << QStringLiteral("Step 2: P(q0, 45.0°) - 100% phase.") + clickEn;
    QTest::addRow("lesson step without explanation")
        << English << false << "stageBox" << 4 << QStringLiteral("Step 4: H(q1)") + clickEn;
    QTest::addRow("working P step, English")
        << English << true << "stageBox" << 2
        << QStringLiteral("Step 2: P(q0, 45.0°) - Rotates the phase of amplitudes with target qubit = 1.") + clickEn;
    QTest::addRow("working CNOT step, Italian")
        << Italian << true << "stageBox" << 3
        << QStringLiteral("Passo 3: CNOT(q2 → q0) - Inverte il bersaglio solo quando il qubit di controllo vale 1.") +
               clickIt;
    QTest::addRow("working step without explanation, Italian")
        << Italian << true << "stageBox" << 4
        << QStringLiteral("Passo 4: H(q1) - Mescola coppie di ampiezze, permettendo l'interferenza.") + clickIt;
    QTest::addRow("initial preparation, English")
        << English << false << "stageBox" << 0
        << "Initial preparation |00...0>. Click to return to the state before all gates.";
    QTest::addRow("initial preparation, Italian")
        << Italian << true << "stageBox" << 0
        << "Preparazione iniziale |00...0>. Clicca per tornare allo stato prima di ogni porta.";
    QTest::addRow("measurement, English")
        << English << false << "measurementBox" << -1
        << "M is the measurement symbol, not an automatically executed gate. Use Measure to collapse the state.";
    QTest::addRow("measurement, Italian") << Italian << false << "measurementBox" << -1
                                          << "M è il simbolo della misura, non una porta eseguita automaticamente. "
                                             "Usa il pulsante di misura per provocare il collasso.";
}

void TestCircuitView::tooltips()
{
    QFETCH(Language, language);
    QFETCH(bool, working);
    QFETCH(QString, role);
    QFETCH(int, stage);
    QFETCH(QString, tip);

    const Circuit circuit = circuitOf(3, {step(GateKind::H, 0, 0, 0.0, "La moneta gira.", "The coin spins."),
                                          step(GateKind::P, 0, 0, kPi / 4, "Fase al 100%.", "100% phase."),
                                          step(GateKind::Cnot, 0, 2, 0.0, "Coppia.", "A pair."), step(GateKind::H, 1)});
    m_view->showCircuit(circuit, 1, false, language, working);
    const QGraphicsItem *item = stage >= 0 ? stageBox(m_view->scene(), static_cast<quint64>(stage))
                                           : itemsWithRole(m_view->scene(), role).value(0);
    QVERIFY(item != nullptr);
    QCOMPARE(item->toolTip(), tip);
}

void TestCircuitView::unknownKindIsDrawnAsQuestionMark_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QRectF>("box");

    QTest::addRow("on a wire") << 1 << QRectF(136, 124, 54, 54);
    QTest::addRow("outside the register") << 7 << QRectF(136, 48, 54, 206);
}

void TestCircuitView::unknownKindIsDrawnAsQuestionMark()
{
    QFETCH(int, target);
    QFETCH(QRectF, box);

    show(circuitOf(3, {step(static_cast<GateKind>(9), target)}), 0, false, English, true);
    const QGraphicsRectItem *item = stageBox(m_view->scene(), 1);
    QVERIFY(item != nullptr);
    QCOMPARE(item->rect(), box);
    QCOMPARE(item->childItems().size(), 1);
    const auto *letter = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(item->childItems().first());
    QVERIFY(letter != nullptr);
    QCOMPARE(letter->text(), QStringLiteral("?"));
    QCOMPARE(item->toolTip(),
             QStringLiteral("Step 1: ? - ?\nClick to rebuild the state immediately after this operation."));
}

void TestCircuitView::rejectsUndrawableCircuits_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<int>("currentStep");
    QTest::addColumn<bool>("badValue");

    QTest::addRow("no qubits") << circuitOf(0, {}) << 0 << true;
    QTest::addRow("13 qubits") << circuitOf(13, {}) << 0 << true;
    QTest::addRow("negative qubits") << circuitOf(-2, {}) << 0 << true;
    QTest::addRow("step beyond the circuit") << circuitOf(1, {step(GateKind::H, 0)}) << 2 << false;
    QTest::addRow("target outside the register") << circuitOf(2, {step(GateKind::X, 2)}) << 0 << false;
    QTest::addRow("negative target") << circuitOf(2, {step(GateKind::Z, -1)}) << 0 << false;
    QTest::addRow("CNOT control outside") << circuitOf(2, {step(GateKind::Cnot, 0, 5)}) << 0 << false;
}

void TestCircuitView::rejectsUndrawableCircuits()
{
    QFETCH(Circuit, circuit);
    QFETCH(int, currentStep);
    QFETCH(bool, badValue);

    show(threeQubitCircuit(), 1);
    const int itemCount = m_view->scene()->items().size();
    const QRectF sceneRect = m_view->scene()->sceneRect();
    const auto draw = [&] {
        m_view->showCircuit(circuit, static_cast<std::uint64_t>(currentStep), false, English, true);
    };
    if (badValue) {
        QVERIFY_EXCEPTION_THROWN(draw(), std::invalid_argument);
    } else {
        QVERIFY_EXCEPTION_THROWN(draw(), std::out_of_range);
    }
    QCOMPARE(m_view->scene()->items().size(), itemCount);
    QCOMPARE(m_view->scene()->sceneRect(), sceneRect);
}

void TestCircuitView::newStageOnlyRecoloursTheDrawing_data()
{
    QTest::addColumn<int>("firstStep");
    QTest::addColumn<bool>("firstMeasured");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("measured");
    QTest::addRow("next step") << 1 << false << 2 << false;
    QTest::addRow("measured") << 3 << false << 3 << true;
    QTest::addRow("back from a measurement") << 3 << true << 0 << false;
    QTest::addRow("far jump with a cnot") << 0 << false << 3 << false;
}

void TestCircuitView::newStageOnlyRecoloursTheDrawing()
{
    QFETCH(int, firstStep);
    QFETCH(bool, firstMeasured);
    QFETCH(int, step);
    QFETCH(bool, measured);
    const Circuit circuit = threeQubitCircuit();
    m_view->showCircuit(circuit, static_cast<std::uint64_t>(firstStep), firstMeasured, Italian, true);
    const QGraphicsRectItem *box = stageBox(m_view->scene(), 1);
    m_view->showCircuit(circuit, static_cast<std::uint64_t>(step), measured, Italian, true);
    // The items stay: only their colours, the selection and the measured mark change.
    QCOMPARE(stageBox(m_view->scene(), 1), box);

    CircuitView fresh;
    fresh.showCircuit(circuit, static_cast<std::uint64_t>(step), measured, Italian, true);
    QCOMPARE(fingerprint(m_view->scene()), fingerprint(fresh.scene()));

    // Another language or another circuit is drawn afresh.
    m_view->showCircuit(circuit, static_cast<std::uint64_t>(step), measured, English, true);
    fresh.showCircuit(circuit, static_cast<std::uint64_t>(step), measured, English, false);
    fresh.showCircuit(circuit, static_cast<std::uint64_t>(step), measured, English, true);
    QCOMPARE(fingerprint(m_view->scene()), fingerprint(fresh.scene()));
    Circuit shorter = circuit;
    shorter.steps.pop_back();
    m_view->showCircuit(shorter, 0, false, English, true);
    QCOMPARE(itemsWithRole(m_view->scene(), QStringLiteral("stageBox")).size(), 3);
}

void TestCircuitView::keysAskForStages_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("asked");

    // Three steps: stages 0..3; -1 when no stage is asked for.
    QTest::addRow("right") << 1 << int(Qt::Key_Right) << 0 << 2;
    QTest::addRow("right at the end") << 3 << int(Qt::Key_Right) << 0 << -1;
    QTest::addRow("left") << 2 << int(Qt::Key_Left) << 0 << 1;
    QTest::addRow("left at stage 0") << 0 << int(Qt::Key_Left) << 0 << -1;
    QTest::addRow("home") << 2 << int(Qt::Key_Home) << 0 << 0;
    QTest::addRow("home at stage 0") << 0 << int(Qt::Key_Home) << 0 << -1;
    QTest::addRow("end") << 0 << int(Qt::Key_End) << 0 << 3;
    QTest::addRow("end on the last stage") << 3 << int(Qt::Key_End) << 0 << -1;
    QTest::addRow("control right is not a stage key") << 1 << int(Qt::Key_Right) << int(Qt::ControlModifier) << -1;
    QTest::addRow("keypad right") << 1 << int(Qt::Key_Right) << int(Qt::KeypadModifier) << 2;
}

void TestCircuitView::keysAskForStages()
{
    QFETCH(int, current);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, asked);
    show(threeQubitCircuit(), static_cast<std::uint64_t>(current));
    m_view->setFocus();
    QTest::keyClick(m_view, static_cast<Qt::Key>(key), static_cast<Qt::KeyboardModifiers>(modifiers));
    // Asked at once: no scene event is in progress for a key.
    QCOMPARE(m_stages, asked < 0 ? QList<quint64>{} : QList<quint64>{static_cast<quint64>(asked)});

    // Without a callback the keys ask nothing and do not fail.
    m_view->setStageCallback({});
    QTest::keyClick(m_view, static_cast<Qt::Key>(key), static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(m_stages.size(), asked < 0 ? 0 : 1);
}

void TestCircuitView::keysZoomAndFit()
{
    show(threeQubitCircuit());
    const double fitted = m_view->transform().m11();
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key_Plus);
    QCOMPARE(m_view->transform().m11(), fitted * CircuitView::kZoomInFactor);
    QVERIFY(!m_view->autoFit());
    QTest::keyClick(m_view, Qt::Key_Minus);
    QTest::keyClick(m_view, Qt::Key_Minus);
    QCOMPARE(m_view->transform().m11(),
             fitted * CircuitView::kZoomInFactor * CircuitView::kZoomOutFactor * CircuitView::kZoomOutFactor);
    // '=' is the unshifted '+' of most keyboards.
    QTest::keyClick(m_view, Qt::Key_Equal);
    QVERIFY(m_view->transform().m11() > fitted * CircuitView::kZoomOutFactor);
    QTest::keyClick(m_view, Qt::Key_0);
    QVERIFY(m_view->autoFit());
    QCOMPARE(m_view->transform().m11(), fitted);
    QVERIFY(m_stages.isEmpty());
}

void TestCircuitView::focusIsFramed()
{
    show(threeQubitCircuit());
    auto framePixel = [this] { return m_view->viewport()->grab().toImage().pixelColor(1, 10); };
    // The only focusable widget of the host takes focus when the host is shown.
    m_view->clearFocus();
    const QColor unfocused = framePixel();
    m_view->setFocus();
    QVERIFY(m_view->hasFocus());
    QCOMPARE(framePixel(), QColor(40, 91, 183));
    m_view->clearFocus();
    QCOMPARE(framePixel(), unfocused);
    QVERIFY(unfocused != QColor(40, 91, 183));
}

void TestCircuitView::phaseBoxShowsItsAngle_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("boxWidth");

    // A box width of 0: wider than the usual 54 units, but no wider than 80.
    QTest::addRow("45 degrees") << kPi / 4 << QStringLiteral("45.0°") << 54.0;
    QTest::addRow("minus 90 degrees") << -kPi / 2 << QStringLiteral("-90.0°") << 54.0;
    QTest::addRow("a rounding zero has no sign") << -1e-9 << QStringLiteral("0.0°") << 54.0;
    QTest::addRow("full turn backwards") << -2 * kPi << QStringLiteral("-360.0°") << 0.0;
    QTest::addRow("many turns") << 63.75 << QStringLiteral("3652.6°") << 0.0;
    QTest::addRow("far too many turns") << 1e9 << QStringLiteral("57295779513.1°") << 0.0;
}

void TestCircuitView::phaseBoxShowsItsAngle()
{
    QFETCH(double, angle);
    QFETCH(QString, text);
    QFETCH(double, boxWidth);

    show(circuitOf(2, {step(GateKind::H, 0), step(GateKind::P, 1, 0, angle), step(GateKind::H, 1)}), 0);
    const QGraphicsRectItem *box = stageBox(m_view->scene(), 2);
    QVERIFY(box != nullptr);
    const QRectF rect = box->rect();
    QCOMPARE(rect.center(), QPointF(stepX(2), rowY(0)));
    QCOMPARE(rect.height(), 54.0);
    if (boxWidth > 0) {
        QCOMPARE(rect.width(), boxWidth);
    } else {
        QVERIFY2(rect.width() > 54.0 && rect.width() <= 80.0, qPrintable(QString::number(rect.width())));
    }
    // The neighbours keep their layout.
    QCOMPARE(stageBox(m_view->scene(), 1)->rect(), QRectF(stepX(1) - 27, rowY(1) - 27, 54, 54));
    QCOMPARE(stageBox(m_view->scene(), 3)->rect(), QRectF(stepX(3) - 27, rowY(0) - 27, 54, 54));

    QCOMPARE(box->childItems().size(), 2);
    const auto *letter = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(box->childItems().at(0));
    const auto *angleText = qgraphicsitem_cast<const QGraphicsSimpleTextItem *>(box->childItems().at(1));
    QVERIFY(letter != nullptr && angleText != nullptr);
    QCOMPARE(letter->text(), QStringLiteral("P"));
    QCOMPARE(letter->font().pointSize(), 12);
    QVERIFY(letter->font().bold());
    QCOMPARE(angleText->text(), text);
    QVERIFY(angleText->font().pointSizeF() <= 10.0);
    for (const QGraphicsSimpleTextItem *part : {letter, angleText}) {
        QCOMPARE(roleOf(part), QStringLiteral("glyph"));
        QCOMPARE(part->acceptedMouseButtons(), Qt::MouseButtons(Qt::NoButton));
        QCOMPARE(part->brush().color(), QColor(28, 53, 82));
        // Inside the box, clear of its border, centred on the gate's column.
        const QRectF drawn = part->sceneBoundingRect();
        QVERIFY2(rect.adjusted(2, 2, -2, -2).contains(drawn), qPrintable(QStringLiteral("%1 at %2, %3 size %4 x %5")
                                                                             .arg(part->text())
                                                                             .arg(drawn.x())
                                                                             .arg(drawn.y())
                                                                             .arg(drawn.width())
                                                                             .arg(drawn.height())));
        QVERIFY(qAbs(drawn.center().x() - stepX(2)) < 1e-9);
    }
    // The letter above the wire, the angle below it.
    QVERIFY(letter->sceneBoundingRect().center().y() < rowY(0));
    QVERIFY(angleText->sceneBoundingRect().center().y() > rowY(0));
    // A click on the angle is a click on its stage.
    click(angleText->sceneBoundingRect().center());
    QTRY_COMPARE(m_stages, QList<quint64>{2});
}

void TestCircuitView::labelsStayPinnedWhileScrolled_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<double>("zoom");

    QTest::addRow("3 qubits, as fitted") << longCircuit() << 1.0;
    QTest::addRow("3 qubits, zoomed in") << longCircuit() << 1.25;
    QTest::addRow("8 qubits, zoomed out") << widestCircuit() << 0.8;
}

void TestCircuitView::labelsStayPinnedWhileScrolled()
{
    QFETCH(Circuit, circuit);
    QFETCH(double, zoom);

    show(circuit, 0);
    if (zoom != 1.0) {
        m_view->zoomBy(zoom);
    }
    QTest::qWait(30);
    QScrollBar *horizontal = m_view->horizontalScrollBar();
    horizontal->setValue(horizontal->minimum());
    const QList<QGraphicsItem *> labels = itemsWithRole(m_view->scene(), "wireLabel");
    const QList<QGraphicsItem *> columns = itemsWithRole(m_view->scene(), "labelColumn");
    QCOMPARE(labels.size(), circuit.qubitCount);
    QVERIFY(!columns.isEmpty());
    const double scale = m_view->transform().m11();
    QList<QPoint> atStart;
    for (const QGraphicsItem *label : labels) {
        atStart << m_view->mapFromScene(label->scenePos());
    }
    QVERIFY(!columns.first()->isVisible());

    for (int value : {horizontal->maximum() / 3, horizontal->maximum(), horizontal->maximum() / 2}) {
        horizontal->setValue(value);
        QVERIFY(m_view->mapToScene(QPoint(0, 0)).x() > 500.0);
        QVERIFY(columns.first()->isVisible());
        for (int row = 0; row < labels.size(); ++row) {
            // The same place in the viewport, still beside its own wire.
            const QPoint at = m_view->mapFromScene(labels[row]->scenePos());
            QVERIFY2(qAbs(at.x() - atStart[row].x()) <= 1, qPrintable(QStringLiteral("x %1").arg(at.x())));
            QCOMPARE(at.y(), atStart[row].y());
            QCOMPARE(at.y(), m_view->mapFromScene(QPointF(0, rowY(row) - 13)).y());
            QVERIFY(qAbs(at.x() - 14 * scale) <= 1);
            // Gates pass under the label and its column: what the label covers is the label.
            const QPoint middle = m_view->mapFromScene(labels[row]->mapToScene(labels[row]->boundingRect().center()));
            QCOMPARE(roleOf(m_view->itemAt(middle)), QStringLiteral("wireLabel"));
        }
        // Under the column nothing is clickable, whatever gate lies beneath.
        const int sceneTop = std::max(0, m_view->mapFromScene(QPointF(0, 0)).y() + 1);
        const int sceneBottom =
            std::min(m_view->viewport()->height(), m_view->mapFromScene(m_view->sceneRect().bottomLeft()).y() - 1);
        QVERIFY(sceneBottom - sceneTop > 100);
        for (int y = sceneTop; y < sceneBottom; y += 7) {
            const QString role = roleOf(m_view->itemAt(QPoint(static_cast<int>(70 * scale), y)));
            QVERIFY2(role == "labelColumn" || role == "wireLabel", qPrintable(role));
        }
    }
    // The column paints over the gates: a box slid under it shows the column's background, not its fill.
    const QGraphicsRectItem *box = stageBox(m_view->scene(), circuit.steps.size() / 2);
    const QPointF inside = box->rect().topLeft() + QPointF(8, 8);
    const QColor fill = box->brush().color();
    horizontal->setValue(horizontal->value() + m_view->mapFromScene(inside).x() - static_cast<int>(40 * scale));
    QVERIFY(qAbs(m_view->mapFromScene(inside).x() - 40 * scale) <= 1);
    QVERIFY(fill != QColor(250, 252, 255));
    QCOMPARE(QColor(m_view->viewport()->grab().toImage().pixel(m_view->mapFromScene(inside))), QColor(250, 252, 255));
    horizontal->setValue(horizontal->value() - static_cast<int>(200 * scale));
    QCOMPARE(QColor(m_view->viewport()->grab().toImage().pixel(m_view->mapFromScene(inside))), fill);

    horizontal->setValue(horizontal->minimum());
    QVERIFY(!columns.first()->isVisible());
    for (int row = 0; row < labels.size(); ++row) {
        QCOMPARE(labels[row]->pos(), QPointF(14, rowY(row) - 13));
    }
}

void TestCircuitView::fitKeepsLettersReadable_data()
{
    QTest::addColumn<Circuit>("circuit");
    QTest::addColumn<int>("stage");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("whole");

    const Circuit three = circuitOf(3, {step(GateKind::H, 0), step(GateKind::P, 1, 0, kPi / 4), step(GateKind::X, 2)});
    QTest::addRow("3 gates fit whole") << three << 2 << QSize(1000, 500) << true;
    QTest::addRow("3 gates in a smaller view") << three << 2 << QSize(600, 240) << true;
    QTest::addRow("3 gates in a tiny view") << three << 2 << QSize(400, 190) << false;
    QTest::addRow("99 gates: the height fits") << longCircuit() << 60 << QSize(1000, 500) << false;
    QTest::addRow("8 qubits, 256 gates") << widestCircuit() << 128 << QSize(1000, 500) << false;
    QTest::addRow("8 qubits, 256 gates, low view") << widestCircuit() << 200 << QSize(900, 250) << false;
}

void TestCircuitView::fitKeepsLettersReadable()
{
    QFETCH(Circuit, circuit);
    QFETCH(int, stage);
    QFETCH(QSize, size);
    QFETCH(bool, whole);

    m_view->resize(size);
    show(circuit, static_cast<std::uint64_t>(stage));
    QTest::qWait(30);
    QVERIFY(m_view->autoFit());
    const double scale = m_view->transform().m11();
    QCOMPARE(CircuitView::kMinimumLetterPoints, 9.0);
    QVERIFY2(scale * CircuitView::kGateLetterPoints >= CircuitView::kMinimumLetterPoints - 1e-9,
             qPrintable(QString::number(scale)));
    QCOMPARE(m_view->transform().m22(), scale);
    if (whole) {
        QVERIFY(qAbs(scale - fittedScale(m_view)) < 1e-9);
        QCOMPARE(m_view->horizontalScrollBar()->maximum(), 0);
        return;
    }
    QVERIFY(fittedScale(m_view) * CircuitView::kGateLetterPoints < CircuitView::kMinimumLetterPoints);
    QVERIFY(m_view->horizontalScrollBar()->maximum() > 0);
    // The height fits when it can at a readable size, at most at the drawing's natural size.
    const double heightFit = (m_view->viewport()->height() - 4) / m_view->sceneRect().height();
    QVERIFY(qAbs(scale - std::max(0.75, std::min(heightFit, 1.0))) < 1e-9);
    // The current stage is in the middle of the view, beside the pinned labels.
    const QRect viewport = m_view->viewport()->rect();
    const QRect current = m_view->mapFromScene(stageBox(m_view->scene(), stage)->sceneBoundingRect()).boundingRect();
    QVERIFY(qAbs(current.center().x() - viewport.center().x()) <= 2);

    // A step far away, then a resize: the stage stays in sight, clear of the label column.
    const auto further = static_cast<std::uint64_t>(circuit.steps.size() - 2);
    m_view->showCircuit(circuit, further, false, English, false);
    m_view->ensureStageVisible(further);
    const auto visible = [this](std::uint64_t at) {
        const QRect drawn = m_view->mapFromScene(stageBox(m_view->scene(), at)->sceneBoundingRect()).boundingRect();
        const double columnRight = m_view->mapFromScene(QPointF(78, 0)).x();
        return drawn.left() > columnRight && drawn.right() < m_view->viewport()->width();
    };
    QVERIFY(visible(further));
    QVERIFY(m_view->autoFit());
    m_view->resize(size - QSize(150, 0));
    QVERIFY(visible(further));
}

void TestCircuitView::baseScaleSetsTheNaturalSize()
{
    show(widestCircuit(), 100);
    QCOMPARE(m_view->baseScale(), 1.0);
    QCOMPARE(m_view->minimumReadableScale(), 0.75);
    for (double bad : {0.0, -1.0, 0.2, 4.5, std::numeric_limits<double>::quiet_NaN()}) {
        QVERIFY_EXCEPTION_THROWN(m_view->setBaseScale(bad), std::invalid_argument);
        QCOMPARE(m_view->baseScale(), 1.0);
    }
    // A fitted view refits at the new readable minimum.
    m_view->setBaseScale(1.5);
    QVERIFY(m_view->autoFit());
    QCOMPARE(m_view->minimumReadableScale(), 1.125);
    QVERIFY(m_view->transform().m11() >= 1.125 - 1e-9);
    m_view->focusStage(100);
    QCOMPARE(m_view->transform().m11(), 1.35);
    // A zoomed view keeps its zoom relative to the natural size.
    m_view->zoomBy(1.25);
    m_view->setBaseScale(1.0);
    QVERIFY(qAbs(m_view->transform().m11() - 0.9 * 1.25) < 1e-12);
    QVERIFY(!m_view->autoFit());
    m_view->fitAll();
    QVERIFY(qAbs(m_view->transform().m11() - 0.75) < 1e-9);
}

QTEST_MAIN(TestCircuitView)
#include "test_circuit_view.moc"
