// The drawing's editing: the keys, the drags of gates, control dots and palette gates with their feedback, the
// angle's double click and the context menus. Every edit leaves the view as a signal for the owner to check and
// apply; the view only shows where an edit would land and what the owner's judge says of it.
#include "core/GateText.h"
#include "ui/texts/TextCatalog.h"
#include "ui/views/CircuitView.h"
#include "ui/views/GateGlyphs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

using namespace Fasoria;
using namespace Fasoria::DrawingGeometry;
using namespace Fasoria::GateGlyphs;

namespace {

// A refused drop's ghost, line and message.
const QColor kRefusedColour(192, 48, 40);
// The held gate fades while a ghost of it travels, above every drawn item but the pinned labels.
constexpr double kHeldOpacity = 0.35;
constexpr double kGhostOpacity = 0.7;
constexpr double kGhostZ = 1.5;
// Within this many pixels of a side, a drag scrolls the drawing by a step per pointer move.
constexpr int kAutoScrollMargin = 24;
constexpr int kAutoScrollStep = 16;

// clang-format off
constexpr TextPair kMenuDeleteText = {"Elimina la porta", "Delete gate"};
constexpr TextPair kMenuAngleText = {"Cambia angolo...", "Change angle..."};
constexpr TextPair kMenuMoveLeftText = {"Sposta a sinistra", "Move left"};
constexpr TextPair kMenuMoveRightText = {"Sposta a destra", "Move right"};
constexpr TextPair kMenuInsertText = {"Inserisci %1 qui", "Insert %1 here"};
constexpr TextPair kDragRemoveText = {"Rilascia qui per eliminare la porta", "Release here to remove the gate"};
// clang-format on

} // namespace

void CircuitView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const std::optional<std::uint64_t> stage = gateStageAt(event->pos());
    if (event->button() == Qt::LeftButton && stage && m_drawnCircuit.steps[*stage - 1].gate.kind == GateKind::P) {
        m_drag.reset();
        emit angleEditRequested(*stage);
        event->accept();
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

std::optional<std::uint64_t> CircuitView::gateStageAt(QPoint viewportPoint) const
{
    QGraphicsItem *item = itemAt(viewportPoint);
    while (item != nullptr && !item->data(kStageDataKey).isValid()) {
        item = item->parentItem();
    }
    if (item == nullptr) {
        return std::nullopt;
    }
    const std::uint64_t stage = item->data(kStageDataKey).toULongLong();
    if (stage == 0 || stage > m_drawnCircuit.steps.size()) {
        return std::nullopt;
    }
    return stage;
}

void CircuitView::setDropJudge(std::function<QString(const DrawingEdit &)> judge)
{
    m_dropJudge = std::move(judge);
}

void CircuitView::beginDrag()
{
    m_drag->started = true;
    if (m_drag->source.kind != DragSource::Kind::NewGate) {
        // The held gate fades where it stands, so the student sees what moves.
        m_stageBoxes[static_cast<int>(m_drag->source.position + 1)]->setOpacity(kHeldOpacity);
    }
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void CircuitView::dragTo(QPoint viewportPoint)
{
    Drag &drag = *m_drag;
    // Near either edge of a scrolled drawing, the drawing scrolls on under the pointer.
    const int columnPixels = static_cast<int>(std::ceil(kLabelColumnWidth * transform().m11()));
    QScrollBar *sideways = horizontalScrollBar();
    if (viewport()->rect().contains(viewportPoint)) {
        if (viewportPoint.x() < columnPixels + kAutoScrollMargin) {
            sideways->setValue(sideways->value() - kAutoScrollStep);
        } else if (viewportPoint.x() > viewport()->width() - kAutoScrollMargin) {
            sideways->setValue(sideways->value() + kAutoScrollStep);
        }
    }
    const bool offDrawing = !viewport()->rect().contains(viewportPoint);
    const DrawingEdit landing =
        dropAt(drag.source, mapToScene(viewportPoint), m_drawnQubits, m_drawnCircuit.steps.size());
    const bool sameLanding = offDrawing == drag.offDrawing && landing.gap == drag.landing.gap &&
                             landing.gate.target == drag.landing.gate.target &&
                             landing.gate.control == drag.landing.gate.control && m_ghost != nullptr;
    drag.offDrawing = offDrawing;
    drag.landing = landing;
    if (!sameLanding) {
        // Judged once per landing, not once per pixel: the judge replays the edit on a copy of the circuit.
        drag.changesNothing = !offDrawing && Fasoria::changesNothing(m_drawnCircuit, landing);
        drag.refusal = offDrawing || drag.changesNothing || !m_dropJudge ? QString() : m_dropJudge(landing);
        rebuildGhost();
        viewport()->update();
    }
    if (m_ghost) {
        m_ghost->setVisible(!offDrawing);
        // A control dot keeps its column, so its ghost does too.
        const bool travels = drag.source.kind != DragSource::Kind::Control;
        m_ghost->setX(travels ? mapToScene(viewportPoint).x() - stageX(drag.landing.position + 1) : 0.0);
    }
    viewport()->setCursor(!offDrawing && !drag.refusal.isEmpty() ? Qt::ForbiddenCursor : Qt::ClosedHandCursor);
}

void CircuitView::rebuildGhost()
{
    delete m_ghost;
    m_ghost = nullptr;
    const Drag &drag = *m_drag;
    const Gate &gate = drag.landing.gate;
    if (!isQubit(gate.target, m_drawnQubits)) {
        return;
    }
    const double targetY = qubitY(gate.target, m_drawnQubits);
    // A CNOT whose control would leave the register is drawn on its target alone; the refusal says why.
    const bool withControl = gate.kind == GateKind::Cnot && isQubit(gate.control, m_drawnQubits);
    const double controlY = withControl ? qubitY(gate.control, m_drawnQubits) : targetY;
    const bool refused = !drag.refusal.isEmpty();
    const GateGlyphs::BoxStyle style = refused ? GateGlyphs::BoxStyle{kRefusedColour, 2.5, QColor(253, 228, 226)}
                                               : GateGlyphs::BoxStyle{kCurrentBorder, 2.5, kCurrentFill};
    // Drawn around the dragged gate's own column; dragTo moves it under the pointer.
    m_ghost = gateBox(gate, stageX(drag.landing.position + 1), std::min(targetY, controlY), std::max(targetY, controlY),
                      targetY, controlY, style);
    m_ghost->setOpacity(kGhostOpacity);
    m_ghost->setZValue(kGhostZ);
    m_ghost->setAcceptedMouseButtons(Qt::NoButton);
    tag(m_ghost, "dragGhost");
    m_scene->addItem(m_ghost);
}

std::optional<DrawingEdit> CircuitView::endDrag(bool drop)
{
    if (!m_drag) {
        return std::nullopt;
    }
    const Drag drag = *m_drag;
    m_drag.reset();
    delete m_ghost;
    m_ghost = nullptr;
    const int held = static_cast<int>(drag.source.position + 1);
    if (drag.source.kind != DragSource::Kind::NewGate && held < m_stageBoxes.size()) {
        m_stageBoxes[held]->setOpacity(1.0);
    }
    viewport()->unsetCursor();
    viewport()->update();
    if (!drop || !drag.started) {
        return std::nullopt;
    }
    if (drag.offDrawing) {
        if (drag.source.kind == DragSource::Kind::NewGate) {
            return std::nullopt;
        }
        return removalOf(drag.source);
    }
    if (drag.changesNothing) {
        return std::nullopt;
    }
    return drag.landing;
}

void CircuitView::cancelDrag()
{
    endDrag(false);
}

std::optional<DrawingEdit> CircuitView::pendingDrop() const
{
    if (!isDragging() || (m_drag->offDrawing && m_drag->source.kind == DragSource::Kind::NewGate)) {
        return std::nullopt;
    }
    return m_drag->offDrawing ? removalOf(m_drag->source) : m_drag->landing;
}

void CircuitView::paletteDragMoved(GateKind kind, QPoint viewportPoint)
{
    if (!m_drag || m_drag->source.kind != DragSource::Kind::NewGate || m_drag->source.gate.kind != kind) {
        endDrag(false);
        if (m_drawnQubits == 0) {
            return;
        }
        m_drag = Drag{};
        m_drag->source.gate.kind = kind;
        // The landing's position is no gate's; ghosts are drawn around the first column.
        m_drag->source.position = 0;
        m_drag->started = true;
    }
    dragTo(viewportPoint);
}

void CircuitView::paletteDropped(GateKind kind, QPoint viewportPoint)
{
    paletteDragMoved(kind, viewportPoint);
    if (const std::optional<DrawingEdit> edit = endDrag(true)) {
        emit drawingEdited(*edit);
    }
}

void CircuitView::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu(contextMenuAt(event->pos()));
    if (menu) {
        menu->exec(event->globalPos());
    }
    event->accept();
}

QMenu *CircuitView::contextMenuAt(QPoint viewportPoint)
{
    const Language language = m_drawnLanguage;
    if (const std::optional<std::uint64_t> stage = gateStageAt(viewportPoint)) {
        // The menu acts on the shown gate, so the gate under the pointer is shown first, as a click would.
        if (*stage != m_currentStage && m_stageCallback) {
            m_stageCallback(*stage);
        }
        if (m_currentStage != *stage) {
            return nullptr;
        }
        auto *menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("m_gateMenu"));
        const auto add = [menu, language](const char *name, const TextPair &text, auto &&command) {
            QAction *action = menu->addAction(uiText(text, language));
            action->setObjectName(QString::fromLatin1(name));
            QObject::connect(action, &QAction::triggered, menu, command);
            return action;
        };
        const std::uint64_t shown = *stage;
        add("m_menuDeleteGate", kMenuDeleteText, [this] { emit deleteRequested(); });
        if (m_drawnCircuit.steps[shown - 1].gate.kind == GateKind::P) {
            add("m_menuChangeAngle", kMenuAngleText, [this, shown] { emit angleEditRequested(shown); });
        }
        add("m_menuMoveLeft", kMenuMoveLeftText, [this] { emit moveRequested(-1); })->setEnabled(shown > 1);
        add("m_menuMoveRight", kMenuMoveRightText, [this] {
            emit moveRequested(1);
        })->setEnabled(shown < m_drawnCircuit.steps.size());
        return menu;
    }
    const QPointF scenePoint = mapToScene(viewportPoint);
    const double firstRow = rowY(0) - kRowPitch / 2.0;
    const double lastRow = rowY(m_drawnQubits - 1) + kRowPitch / 2.0;
    if (m_drawnQubits == 0 || scenePoint.y() < firstRow || scenePoint.y() > lastRow ||
        scenePoint.x() < kLabelColumnWidth) {
        return nullptr;
    }
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("m_wireMenu"));
    const std::int32_t wire = wireAt(scenePoint.y(), m_drawnQubits);
    // On the wire's own line a new CNOT takes the wire below as its control, as the insert keys do.
    const QPointF onWire(scenePoint.x(), qubitY(wire, m_drawnQubits));
    for (const GateKind kind : {GateKind::H, GateKind::X, GateKind::Z, GateKind::P, GateKind::Cnot}) {
        DragSource source;
        source.gate.kind = kind;
        const DrawingEdit edit = dropAt(source, onWire, m_drawnQubits, m_drawnCircuit.steps.size());
        QAction *action =
            menu->addAction(uiText(kMenuInsertText, language).arg(QString::fromUtf8(gateKindName(kind, language))));
        action->setObjectName(QStringLiteral("m_menuInsert%1").arg(static_cast<int>(kind)));
        connect(action, &QAction::triggered, this, [this, edit] { emit drawingEdited(edit); });
    }
    return menu;
}

void CircuitView::setChosenWire(std::int32_t qubit)
{
    const std::int32_t chosen = std::clamp(qubit, 0, std::max(0, m_drawnQubits - 1));
    if (chosen != m_chosenWire) {
        m_chosenWire = chosen;
        viewport()->update();
        emit chosenWireChanged(chosen);
    }
}

namespace {

/// The gate kind an editing key inserts, or none.
std::optional<GateKind> insertedKind(int key)
{
    switch (key) {
    case Qt::Key_H:
        return GateKind::H;
    case Qt::Key_X:
        return GateKind::X;
    case Qt::Key_Z:
        return GateKind::Z;
    case Qt::Key_P:
        return GateKind::P;
    case Qt::Key_C:
        return GateKind::Cnot;
    default:
        return std::nullopt;
    }
}

} // namespace

void CircuitView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::AltModifier && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        emit moveRequested(event->key() == Qt::Key_Left ? -1 : 1);
        event->accept();
        return;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    const auto lastStage = static_cast<std::uint64_t>(std::max(0, m_stageBoxes.size() - 1));
    auto askFor = [this, lastStage](std::uint64_t stage) {
        if (m_stageCallback && !m_stageBoxes.isEmpty() && stage <= lastStage && stage != m_currentStage) {
            m_stageCallback(stage);
        }
    };
    switch (event->key()) {
    case Qt::Key_Left:
        if (m_currentStage > 0) {
            askFor(m_currentStage - 1);
        }
        break;
    case Qt::Key_Right:
        askFor(m_currentStage + 1);
        break;
    case Qt::Key_Home:
        askFor(0);
        break;
    case Qt::Key_End:
        askFor(lastStage);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kZoomInFactor);
        break;
    case Qt::Key_Minus:
        zoomBy(kZoomOutFactor);
        break;
    case Qt::Key_0:
        fitAll();
        break;
    // q(n−1) is drawn on top, so Up chooses the next higher qubit.
    case Qt::Key_Up:
        setChosenWire(m_chosenWire + 1);
        break;
    case Qt::Key_Down:
        setChosenWire(m_chosenWire - 1);
        break;
    case Qt::Key_Escape:
        if (!m_drag) {
            QGraphicsView::keyPressEvent(event);
            return;
        }
        cancelDrag();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_currentStage == 0 || m_currentStage > m_drawnCircuit.steps.size() ||
            m_drawnCircuit.steps[m_currentStage - 1].gate.kind != GateKind::P) {
            QGraphicsView::keyPressEvent(event);
            return;
        }
        emit angleEditRequested(m_currentStage);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        emit deleteRequested();
        break;
    default:
        if (const std::optional<GateKind> kind = insertedKind(event->key()); kind && m_drawnQubits > 0) {
            emit insertKeyPressed(*kind, m_chosenWire);
            break;
        }
        // Tab, Page Up and the rest keep their usual meaning.
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CircuitView::drawDragFeedback(QPainter *painter)
{
    const Drag &drag = *m_drag;
    const bool removing = drag.offDrawing && drag.source.kind != DragSource::Kind::NewGate;
    if (drag.offDrawing && !removing) {
        return;
    }
    painter->save();
    painter->resetTransform();
    const bool refused = !drag.refusal.isEmpty();
    const QColor colour = removing || refused ? kRefusedColour : kCurrentBorder;
    if (!drag.offDrawing && !drag.changesNothing) {
        // The line where the gate will land, across the wires it will take.
        const Gate &gate = drag.landing.gate;
        std::int32_t lowest = std::clamp(gate.target, 0, m_drawnQubits - 1);
        std::int32_t highest = lowest;
        if (gate.kind == GateKind::Cnot && isQubit(gate.control, m_drawnQubits)) {
            lowest = std::min(lowest, gate.control);
            highest = std::max(highest, gate.control);
        }
        const double x =
            drag.source.kind == DragSource::Kind::Control ? stageX(drag.landing.position + 1) : gapX(drag.landing.gap);
        const QPointF top = mapFromScene(QPointF(x, qubitY(highest, m_drawnQubits) - kStepHalfSize));
        const QPointF bottom = mapFromScene(QPointF(x, qubitY(lowest, m_drawnQubits) + kStepHalfSize));
        painter->setPen(QPen(colour, 3.0, refused ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap));
        painter->drawLine(top, bottom);
    }
    const QString message = removing ? uiText(kDragRemoveText, m_drawnLanguage) : drag.refusal;
    if (!message.isEmpty()) {
        // The reason stands at the top of the viewport, on its own plate, so no gate hides it.
        QFont font = this->font();
        font.setBold(true);
        painter->setFont(font);
        const QRect room = viewport()->rect().adjusted(8, 6, -8, -6);
        const QRect text = painter->fontMetrics().boundingRect(room, Qt::AlignHCenter | Qt::TextWordWrap, message);
        const QRect plate = text.adjusted(-6, -3, 6, 3);
        painter->setPen(QPen(colour, 1.5));
        painter->setBrush(QColor(255, 246, 245));
        painter->drawRoundedRect(plate, 4, 4);
        painter->setPen(colour);
        painter->drawText(text, Qt::AlignHCenter | Qt::TextWordWrap, message);
    }
    painter->restore();
}
