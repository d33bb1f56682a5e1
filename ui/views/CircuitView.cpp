#include "ui/views/CircuitView.h"

#include "core/GateText.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/GateGlyphs.h"
#include "ui/widgets/WidgetBuilders.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextDocument>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <stdexcept>

using namespace Fasoria;
using namespace Fasoria::DrawingGeometry;
using namespace Fasoria::GateGlyphs;

namespace {

constexpr double kWheelZoom = 1.16;

// Wire labels start at x = 14; their column ends just before the wires.
constexpr double kLabelX = 14.0;
// The pinned labels and their column lie above every gate, so gates pass under them.
constexpr double kLabelColumnZ = 2.0;
constexpr double kLabelZ = 3.0;
constexpr double kStageNumberY = 19.0;
constexpr double kFocusScale = 0.9;
constexpr double kMinimumBaseScale = 0.25;
constexpr double kMaximumBaseScale = 4.0;

const QColor kViewBackground(250, 252, 255);

using StageStyle = GateGlyphs::BoxStyle;

StageStyle stageStyle(std::uint64_t stage, std::uint64_t currentStep)
{
    if (stage == currentStep) {
        return {kCurrentBorder, 2.5, kCurrentFill};
    }
    if (stage < currentStep) {
        return {QColor(56, 140, 106), 1.3, QColor(222, 246, 234)};
    }
    return {QColor(157, 169, 182), 1.3, QColor(244, 247, 251)};
}

QGraphicsSimpleTextItem *addText(QGraphicsScene *scene, const QString &text, const QFont &font, const QColor &colour,
                                 QPointF topLeft, const char *role)
{
    QGraphicsSimpleTextItem *item = scene->addSimpleText(text, font);
    item->setBrush(colour);
    item->setPos(topLeft);
    tag(item, role);
    return item;
}

// The engine's own checks of the register, the stage and every gate's qubits, so that the drawing refuses
// exactly what a replay of the whole circuit would refuse for a bad index.
void checkDrawable(const Circuit &circuit, std::uint64_t currentStep)
{
    checkQubitCount(circuit.qubitCount);
    checkStage(circuit, currentStep);
    for (const LessonStep &step : circuit.steps) {
        checkGateQubits(step.gate, circuit.qubitCount);
    }
}

QString stepTip(const LessonStep &step, std::uint64_t stage, Language language, bool isWorkingCircuit)
{
    QString detail = QString::fromStdString(gateLabel(step.gate));
    const QString explanation = isWorkingCircuit ? QString::fromUtf8(gateDescription(step.gate.kind, language))
                                                 : uiText({step.explanationIt, step.explanationEn}, language);
    // A catalog step may have no explanation; then the tip names the gate alone.
    if (!explanation.isEmpty()) {
        detail += QStringLiteral(" - ") + explanation;
    }
    // A pack lesson's step text is the teacher's: a tip the toolkit would take for markup is shown as written.
    const QString tip = uiText(TextKey::StageTip, language).arg(QString::number(stage), detail);
    return Qt::mightBeRichText(tip) ? plainToolTip(tip) : tip;
}

} // namespace

CircuitView::CircuitView(QWidget *parent) : QGraphicsView(parent), m_scene(new QGraphicsScene(this))
{
    setScene(m_scene);
    setRenderHint(QPainter::Antialiasing, true);
    setRenderHint(QPainter::TextAntialiasing, true);
    setBackgroundBrush(kViewBackground);
    setFrameShape(QFrame::StyledPanel);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setDragMode(QGraphicsView::NoDrag);
    setMinimumHeight(188);
    setFocusPolicy(Qt::StrongFocus);
}

void CircuitView::setStageCallback(std::function<void(std::uint64_t)> callback)
{
    m_stageCallback = std::move(callback);
}

void CircuitView::showCircuit(const Circuit &circuit, std::uint64_t currentStep, bool measured, Language language,
                              bool isWorkingCircuit)
{
    checkDrawable(circuit, currentStep);
    if (showsSameDrawing(circuit, language, isWorkingCircuit)) {
        restyle(currentStep, measured, language);
        return;
    }
    // A redraw under a drag (an edit from elsewhere) ends it: what it held may no longer be drawn.
    cancelDrag();
    m_scene->clear();
    m_stageRects.clear();
    m_stageBoxes.clear();
    m_measuredMark = nullptr;
    m_labelColumn = nullptr;
    m_wireLabels.clear();
    m_drawnCircuit = circuit;
    m_drawnQubits = circuit.qubitCount;
    if (m_chosenWire >= m_drawnQubits) {
        m_chosenWire = m_drawnQubits - 1;
        emit chosenWireChanged(m_chosenWire);
    }
    m_drawnLanguage = language;
    m_drawnWorking = isWorkingCircuit;

    const std::int32_t qubits = circuit.qubitCount;
    const double width = kStepPitch * static_cast<double>(circuit.steps.size()) + 187.0;
    const double registerSpan = kRowPitch * (qubits - 1);
    const double middle = kFirstWireY + 38.0 * (qubits - 1);

    const QPen wirePen(QColor(111, 127, 145), 1.7);
    const double sceneHeight = registerSpan + 132.0;
    m_labelColumn = m_scene->addRect(0.0, 0.0, kLabelColumnWidth, sceneHeight, Qt::NoPen, kViewBackground);
    m_labelColumn->setZValue(kLabelColumnZ);
    m_labelColumn->setVisible(false);
    tag(m_labelColumn, "labelColumn");
    auto *columnEdge = new QGraphicsLineItem(kLabelColumnWidth, 0.0, kLabelColumnWidth, sceneHeight, m_labelColumn);
    columnEdge->setPen(QPen(QColor(214, 221, 230), 1.0));
    tag(columnEdge, "labelColumn");
    for (std::int32_t row = 0; row < qubits; ++row) {
        const double y = rowY(row);
        tag(m_scene->addLine(80.0, y, width + 35.0, y, wirePen), "wire");
        QGraphicsSimpleTextItem *label =
            addText(m_scene, QStringLiteral("q%1  |0>").arg(qubits - 1 - row), drawingFont(10, true), textColour(),
                    QPointF(kLabelX, y - 13.0), "wireLabel");
        label->setZValue(kLabelZ);
        m_wireLabels.append(label);
    }

    const StageStyle zeroStyle = stageStyle(0, currentStep);
    QGraphicsRectItem *zeroBox = m_scene->addRect(82.0, 45.0, 45.0, registerSpan + 60.0,
                                                  QPen(zeroStyle.border, zeroStyle.width), zeroStyle.fill);
    zeroBox->setFlag(QGraphicsItem::ItemIsSelectable);
    zeroBox->setData(kStageDataKey, QVariant::fromValue<qulonglong>(0));
    tag(zeroBox, "stageBox");
    zeroBox->setToolTip(uiText(TextKey::StageZeroTip, language));
    centredText(zeroBox, QStringLiteral("|0>"), drawingFont(10, true), textColour(), QPointF(kStageZeroX, middle));
    zeroBox->setSelected(currentStep == 0);
    m_stageRects.append(zeroBox->rect());
    m_stageBoxes.append(zeroBox);
    addText(m_scene, QStringLiteral("0"), drawingFont(9, false), textColour(), QPointF(98.0, kStageNumberY),
            "stageNumber");

    for (std::size_t index = 0; index < circuit.steps.size(); ++index) {
        const LessonStep &step = circuit.steps[index];
        const Gate &gate = step.gate;
        const std::uint64_t stage = index + 1;
        const double x = stageX(stage);
        const bool cnot = gate.kind == GateKind::Cnot;
        // An unknown kind may name any qubit; its box then covers the whole register.
        const bool onRegister = isQubit(gate.target, qubits);
        const double targetY = onRegister ? qubitY(gate.target, qubits) : middle;
        const double controlY = cnot ? qubitY(gate.control, qubits) : targetY;
        const double top = onRegister ? std::min(targetY, controlY) : rowY(0);
        const double bottom = onRegister ? std::max(targetY, controlY) : rowY(qubits - 1);

        const StageStyle style = stageStyle(stage, currentStep);
        QGraphicsRectItem *box = gateBox(gate, x, top, bottom, targetY, controlY, style);
        m_scene->addItem(box);
        box->setFlag(QGraphicsItem::ItemIsSelectable);
        box->setData(kStageDataKey, QVariant::fromValue<qulonglong>(stage));
        tag(box, "stageBox");
        box->setToolTip(stepTip(step, stage, language, isWorkingCircuit));
        box->setSelected(stage == currentStep);
        m_stageRects.append(box->rect());
        m_stageBoxes.append(box);
        addText(m_scene, QString::number(stage), drawingFont(9, false), textColour(), QPointF(x - 5.0, kStageNumberY),
                "stageNumber");
    }

    QGraphicsRectItem *measurement =
        m_scene->addRect(width + 12.0, 52.0, 41.0, registerSpan + 46.0, QPen(QColor(132, 142, 155), 1.2, Qt::DashLine),
                         QColor(239, 241, 244));
    measurement->setToolTip(uiText(TextKey::MeasurementSymbolTip, language));
    tag(measurement, "measurementBox");
    addText(m_scene, QStringLiteral("M"), drawingFont(12, true), textColour(), QPointF(width + 24.0, middle - 12.0),
            "measurementLabel");

    m_measuredMarkPosition = QPointF(width + 66.0, middle - 11.0);
    restyle(currentStep, measured, language);
    m_scene->setSceneRect(0.0, 0.0, width + 175.0, sceneHeight);
    pinLabels();
}

bool CircuitView::showsSameDrawing(const Circuit &circuit, Language language, bool isWorkingCircuit) const
{
    if (m_stageBoxes.isEmpty() || circuit.qubitCount != m_drawnQubits || language != m_drawnLanguage ||
        isWorkingCircuit != m_drawnWorking || circuit.steps.size() != m_drawnCircuit.steps.size()) {
        return false;
    }
    // Tooltips show a catalog step's own explanation, so its texts count as well as its gate (angles bit for bit).
    const auto same = [](const LessonStep &a, const LessonStep &b) {
        return a.gate.kind == b.gate.kind && a.gate.target == b.gate.target && a.gate.control == b.gate.control &&
               std::memcmp(&a.gate.angle, &b.gate.angle, sizeof a.gate.angle) == 0 &&
               a.explanationIt == b.explanationIt && a.explanationEn == b.explanationEn;
    };
    return std::equal(circuit.steps.begin(), circuit.steps.end(), m_drawnCircuit.steps.begin(), same);
}

void CircuitView::restyle(std::uint64_t currentStep, bool measured, Language language)
{
    m_currentStage = currentStep;
    for (int stage = 0; stage < m_stageBoxes.size(); ++stage) {
        QGraphicsRectItem *box = m_stageBoxes[stage];
        const StageStyle style = stageStyle(static_cast<std::uint64_t>(stage), currentStep);
        box->setPen(QPen(style.border, style.width));
        box->setBrush(style.fill);
        box->setSelected(static_cast<std::uint64_t>(stage) == currentStep);
        // A CNOT glyph is drawn in its stage's border colour; letters keep theirs.
        for (QGraphicsItem *child : box->childItems()) {
            if (auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(child)) {
                line->setPen(QPen(style.border, line->pen().widthF()));
            } else if (auto *round = qgraphicsitem_cast<QGraphicsEllipseItem *>(child)) {
                round->setPen(QPen(style.border, round->pen().widthF()));
                if (round->brush().color() != Qt::white) {
                    round->setBrush(style.border);
                }
            }
        }
    }
    if (measured && !m_measuredMark) {
        m_measuredMark = addText(m_scene, uiText(TextKey::MeasuredMark, language), drawingFont(9, true),
                                 QColor(137, 68, 52), m_measuredMarkPosition, "measuredMark");
    } else if (!measured && m_measuredMark) {
        delete m_measuredMark;
        m_measuredMark = nullptr;
    }
}

void CircuitView::zoomBy(double factor)
{
    const double scaled = transform().m11() * factor;
    if (!(scaled >= kMinimumScale && scaled <= kMaximumScale)) {
        return;
    }
    m_autoFit = false;
    scale(factor, factor);
    pinLabels();
}

void CircuitView::fitAll()
{
    m_autoFit = true;
    fitScene();
}

void CircuitView::focusStage(std::uint64_t stage)
{
    if (m_scene->items().isEmpty()) {
        return;
    }
    m_autoFit = false;
    resetTransform();
    scale(kFocusScale * m_baseScale, kFocusScale * m_baseScale);
    centerOn(stageX(stage), m_scene->sceneRect().center().y());
    pinLabels();
}

void CircuitView::ensureStageVisible(std::uint64_t stage)
{
    if (stage >= static_cast<std::uint64_t>(m_stageRects.size())) {
        return;
    }
    // A stage under the pinned labels is out of sight: the margin clears their column.
    const int columnPixels = static_cast<int>(std::ceil(kLabelColumnWidth * transform().m11()));
    ensureVisible(m_stageRects[static_cast<int>(stage)], columnPixels + 12, 24);
}

void CircuitView::setBaseScale(double scale)
{
    if (!(scale >= kMinimumBaseScale && scale <= kMaximumBaseScale)) {
        throw std::invalid_argument("Base scale must be between 0.25 and 4");
    }
    const double change = scale / m_baseScale;
    m_baseScale = scale;
    if (m_autoFit) {
        fitScene();
        return;
    }
    const double scaled = transform().m11() * change;
    if (scaled >= kMinimumScale && scaled <= kMaximumScale) {
        this->scale(change, change);
        pinLabels();
    }
}

double CircuitView::minimumReadableScale() const
{
    return kMinimumLetterPoints / kGateLetterPoints * m_baseScale;
}

void CircuitView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !m_panning) {
        // A press on a gate may become a drag; until the pointer travels the drag distance it is a click.
        if (const std::optional<std::uint64_t> stage = gateStageAt(event->pos())) {
            const std::size_t position = static_cast<std::size_t>(*stage - 1);
            const Gate &gate = m_drawnCircuit.steps[position].gate;
            const double y = mapToScene(event->pos()).y();
            const bool onControl = gate.kind == GateKind::Cnot && isQubit(gate.control, m_drawnQubits) &&
                                   std::abs(y - qubitY(gate.control, m_drawnQubits)) < kRowPitch / 2.0;
            m_drag = Drag{};
            m_drag->source = {onControl ? DragSource::Kind::Control : DragSource::Kind::Gate, gate, position};
            m_drag->pressPoint = event->pos();
        }
    }
    if (event->button() != Qt::MiddleButton) {
        QGraphicsView::mousePressEvent(event);
        return;
    }
    m_panning = true;
    m_autoFit = false;
    m_lastPanPoint = event->pos();
    viewport()->setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void CircuitView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_panning && event->button() == Qt::MiddleButton) {
        m_panning = false;
        viewport()->unsetCursor();
        event->accept();
        return;
    }
    QGraphicsView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isDragging()) {
        dragTo(event->pos());
        // The scene has finished with the release, so the owner may redraw it from the signal.
        if (const std::optional<DrawingEdit> edit = endDrag(true)) {
            emit drawingEdited(*edit);
        }
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_drag.reset();
    }
    if (event->button() != Qt::LeftButton || !m_stageCallback) {
        return;
    }
    QGraphicsItem *item = itemAt(event->pos());
    while (item != nullptr && !item->data(kStageDataKey).isValid()) {
        item = item->parentItem();
    }
    if (item == nullptr) {
        return;
    }
    // The owner redraws the scene from the callback, which must not happen while the scene still handles
    // this event.
    const std::uint64_t stage = item->data(kStageDataKey).toULongLong();
    QTimer::singleShot(0, this, [callback = m_stageCallback, stage] { callback(stage); });
}

void CircuitView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag && !m_panning && (event->buttons() & Qt::LeftButton)) {
        if (!m_drag->started &&
            (event->pos() - m_drag->pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            beginDrag();
        }
        if (m_drag->started) {
            dragTo(event->pos());
            event->accept();
            return;
        }
    }
    if (!m_panning) {
        if (event->buttons() == Qt::NoButton) {
            // An open hand over a gate says it can be picked up.
            if (gateStageAt(event->pos())) {
                viewport()->setCursor(Qt::OpenHandCursor);
            } else {
                viewport()->unsetCursor();
            }
        }
        QGraphicsView::mouseMoveEvent(event);
        return;
    }
    const QPoint position = event->pos();
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + (m_lastPanPoint.x() - position.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + (m_lastPanPoint.y() - position.y()));
    m_lastPanPoint = position;
    event->accept();
}

void CircuitView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta > 0) {
        zoomBy(kWheelZoom);
    } else if (delta < 0) {
        zoomBy(1.0 / kWheelZoom);
    }
    event->accept();
}

void CircuitView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    if (m_autoFit) {
        fitScene();
    }
    pinLabels();
}

void CircuitView::showEvent(QShowEvent *event)
{
    QGraphicsView::showEvent(event);
    pinLabels();
}

void CircuitView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    // The scrolled pixels still show the labels where they were; repaint the whole viewport once they moved.
    if (pinLabels()) {
        viewport()->update();
    }
}

bool CircuitView::pinLabels()
{
    if (!m_labelColumn) {
        return false;
    }
    const double hidden = isVisible() ? std::max(0.0, mapToScene(QPoint(0, 0)).x() - m_scene->sceneRect().left()) : 0.0;
    if (m_labelColumn->x() == hidden) {
        return false;
    }
    m_labelColumn->setX(hidden);
    m_labelColumn->setVisible(hidden > 0.0);
    for (QGraphicsSimpleTextItem *label : m_wireLabels) {
        label->setX(kLabelX + hidden);
    }
    return true;
}

void CircuitView::focusInEvent(QFocusEvent *event)
{
    QGraphicsView::focusInEvent(event);
    viewport()->update();
}

void CircuitView::focusOutEvent(QFocusEvent *event)
{
    QGraphicsView::focusOutEvent(event);
    viewport()->update();
}

void CircuitView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (isDragging()) {
        drawDragFeedback(painter);
    }
    if (!hasFocus()) {
        return;
    }
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(kCurrentBorder, 3.0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(viewport()->rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    if (m_drawnQubits > 0) {
        // The chosen wire, as a band across the viewport behind nothing the student reads.
        const double y = mapFromScene(QPointF(0.0, qubitY(m_chosenWire, m_drawnQubits))).y();
        const double half = std::max(3.0, 6.0 * transform().m22());
        painter->setPen(Qt::NoPen);
        QColor band = kCurrentBorder;
        band.setAlpha(60);
        painter->setBrush(band);
        painter->drawRect(QRectF(0.0, y - half, viewport()->width(), 2.0 * half));
    }
    painter->restore();
}

void CircuitView::fitScene()
{
    if (m_fitting || m_scene->items().isEmpty() || viewport()->width() < 8 || viewport()->height() < 8) {
        return;
    }
    m_fitting = true;
    const QRectF scene = m_scene->sceneRect();
    resetTransform();
    fitInView(scene, Qt::KeepAspectRatio);
    const double readable = minimumReadableScale();
    if (transform().m11() < readable) {
        // fitInView's own 2-pixel margin on each side.
        const double heightFit = (viewport()->height() - 4) / scene.height();
        const double fitted = std::max(readable, std::min(heightFit, m_baseScale));
        resetTransform();
        scale(fitted, fitted);
        centerOn(stageX(m_currentStage), scene.center().y());
    }
    m_fitting = false;
    pinLabels();
}
