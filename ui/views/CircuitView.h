#pragma once

#include "core/Circuit.h"
#include "core/Language.h"
#include "editor/DrawingEdit.h"
#include "ui/views/GateDrag.h"
#include "ui/views/GateGlyphs.h"

#include <QGraphicsView>
#include <QPoint>
#include <QRectF>
#include <QVector>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QGraphicsRectItem;
class QMenu;
class QGraphicsScene;
class QGraphicsSimpleTextItem;

/// The circuit drawing: one wire per qubit (q(n-1) at the top, q0 at the bottom), one box per stage coloured
/// as applied, current or future, and the measurement box at the end. A left click on a stage posts the stage
/// callback through the event loop; the middle button pans; zoom, fit and refit-on-resize are offered. The
/// view keeps no experiment state: the owner redraws it after every change.
///
/// Every stage box carries its stage number as item data kStageDataKey; glyphs are its children (a P gate's
/// letter with its angle under it, the box widening up to 80 units for a long angle), so a click anywhere on a
/// stage resolves to it. Every item also carries a
/// short role name as item data kRoleDataKey ("wire", "wireLabel", "labelColumn", "stageBox", "stageNumber",
/// "glyph", "measurementBox", "measurementLabel", "measuredMark").
///
/// While the drawing is scrolled sideways the wire labels stay at the viewport's left edge on an opaque
/// column ("labelColumn", hidden when nothing is scrolled under it), so gates pass beneath them; pictures,
/// drawn by a view that is never shown, keep the labels where the drawing puts them.
///
/// Text sizes are fixed in drawing units, so the drawing and its pictures look the same on every system;
/// the interface zoom reaches the drawing through setBaseScale, which sets the scale that counts as 100 %.
class CircuitView : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr int kStageDataKey = 0;
    static constexpr int kRoleDataKey = Fasoria::GateGlyphs::kRoleDataKey;
    /// Bounds of the horizontal scale reachable by zoomBy and the mouse wheel.
    static constexpr double kMinimumScale = 0.01;
    static constexpr double kMaximumScale = 4.0;
    /// One step of the zoom buttons and of the + and - keys.
    static constexpr double kZoomInFactor = 1.25;
    static constexpr double kZoomOutFactor = 0.8;
    /// Point size of the gate letters in drawing units, and the smallest size they may take on screen after a
    /// fit at base scale 1: a fit that would shrink them further fits the height and scrolls the width.
    static constexpr double kGateLetterPoints = Fasoria::GateGlyphs::kGateLetterPoints;
    static constexpr double kMinimumLetterPoints = 9.0;

    explicit CircuitView(QWidget *parent = nullptr);

    /// Replaces the click callback; an empty function disables click-to-stage and the stage keys. With focus,
    /// Left and Right ask for the previous and next stage, Home and End for stage 0 and the last one, as a
    /// click on that stage would; + and - zoom and 0 fits.
    void setStageCallback(std::function<void(std::uint64_t)> callback);

    /// Clears the scene and draws `circuit` with stage `currentStep` as the current one. The view transform is
    /// kept, so the zoom level survives redraws. Tooltips name each step's gate with its description for a
    /// working circuit, or with the step's explanation for a catalog lesson. Throws invalid_argument "Qubits
    /// must be in the range 1..12", out_of_range "Circuit step outside lesson" (currentStep beyond the steps)
    /// or out_of_range "Qubit index out of range" (a gate outside the register) before clearing anything.
    void showCircuit(const Fasoria::Circuit &circuit, std::uint64_t currentStep, bool measured,
                     Fasoria::Language language, bool isWorkingCircuit);

    /// Scales by `factor` in both directions and stops refitting, unless the scale would leave the bounds.
    void zoomBy(double factor);
    /// Fits the whole scene into the view and refits on every resize from now on. When that would draw the
    /// gate letters below kMinimumLetterPoints times the base scale, fits the height instead, within
    /// minimumReadableScale() and the base scale, and scrolls sideways to centre the current stage.
    void fitAll();
    /// Shows stage `stage` at 90 % of the base scale, centred horizontally on its column; stops refitting.
    void focusStage(std::uint64_t stage);
    /// Scrolls, keeping the zoom, until stage `stage` is in sight beside the pinned labels; does nothing when
    /// it already is (so always while the whole drawing is fitted) or for a stage the drawing does not have.
    void ensureStageVisible(std::uint64_t stage);

    /// The scale at which the drawing shows at its natural size: 1 at 100 % interface zoom, the zoom's factor
    /// otherwise (1.5 at 150 %). It moves focusStage's scale and the fit's readable minimum; a fitted view
    /// refits, a zoomed one is rescaled by the change, within the zoom bounds. Throws invalid_argument
    /// "Base scale must be between 0.25 and 4" for anything else, NaN included.
    void setBaseScale(double scale);
    double baseScale() const { return m_baseScale; }
    /// The smallest scale a fit uses: gate letters at kMinimumLetterPoints times the base scale.
    double minimumReadableScale() const;

    /// The wire the editing keys act on, by qubit: Up and Down choose it, and it is drawn while the view has
    /// focus. It stays within the drawn register.
    std::int32_t chosenWire() const { return m_chosenWire; }
    void setChosenWire(std::int32_t qubit);

    /// Judges the drop a drag would make as it moves: the translated refusal to show, empty for an edit the editor
    /// would accept. Without a judge every drop looks accepted, and the owner's edit still checks it.
    void setDropJudge(std::function<QString(const Fasoria::DrawingEdit &)> judge);
    /// A drag from the gate palette, the pointer at `viewportPoint` in the viewport's coordinates: the ghost and
    /// the landing line follow it; outside the viewport nothing would land.
    void paletteDragMoved(Fasoria::GateKind kind, QPoint viewportPoint);
    /// The palette drag released there: drawingEdited for a drop inside the viewport, nothing outside.
    void paletteDropped(Fasoria::GateKind kind, QPoint viewportPoint);
    /// Ends a drag without an edit (Escape does the same).
    void cancelDrag();
    /// Whether a drag (past the platform's drag distance) is in progress.
    bool isDragging() const { return m_drag && m_drag->started; }
    /// The edit a drop would make now, none when the pointer is off the drawing or no drag is in progress, and
    /// the refusal shown for it.
    std::optional<Fasoria::DrawingEdit> pendingDrop() const;
    QString dropRefusal() const { return m_drag ? m_drag->refusal : QString(); }
    /// The drawing's context menu at `viewportPoint`, for the caller to show and delete: on a gate (which
    /// becomes the shown stage first) delete, change angle for P, move left and right; on a wire, insert each
    /// kind there. Null elsewhere.
    QMenu *contextMenuAt(QPoint viewportPoint);

    /// Whether a resize refits the drawing (off after a zoom, a pan or focusStage; on after fitAll).
    bool autoFit() const { return m_autoFit; }
    /// Whether a middle-button drag is in progress.
    bool isPanning() const { return m_panning; }

signals:
    void chosenWireChanged(int qubit);
    /// H, X, Z, P or C with the view focused: a gate of that kind on the chosen wire after the current stage.
    void insertKeyPressed(Fasoria::GateKind kind, int qubit);
    /// Delete or Backspace, or the gate's menu: the current stage's gate removed.
    void deleteRequested();
    /// Alt+Left (−1) or Alt+Right (+1), or the gate's menu: the current stage's gate moved one place.
    void moveRequested(int direction);
    /// A double click on a P gate, Enter on a shown P gate, or its menu: the angle of the gate at `stage` edited.
    void angleEditRequested(qulonglong stage);
    /// A drop, a gate dragged off the drawing or an insertion from a wire's menu, for the owner to apply. A drop
    /// that would change nothing is not sent.
    void drawingEdited(const Fasoria::DrawingEdit &edit);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    /// Keeps the wire labels pinned as the drawing scrolls.
    void scrollContentsBy(int dx, int dy) override;
    /// Frames the viewport while the view has keyboard focus, so a keyboard user sees where the keys go.
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    struct Drag
    {
        Fasoria::DragSource source;
        QPoint pressPoint;
        bool started = false;
        /// The pointer left the viewport: a drawn gate would be removed, a new one would land nowhere.
        bool offDrawing = false;
        Fasoria::DrawingEdit landing;
        bool changesNothing = false;
        QString refusal;
    };

    void fitScene();
    /// The stage drawn under a viewport point, none for stage 0 or outside every stage box.
    std::optional<std::uint64_t> gateStageAt(QPoint viewportPoint) const;
    void beginDrag();
    /// Follows the pointer: the landing, its judgement, the ghost and the line.
    void dragTo(QPoint viewportPoint);
    /// Ends the drag, removing its feedback; the edit a drop makes, if any.
    std::optional<Fasoria::DrawingEdit> endDrag(bool drop);
    void rebuildGhost();
    void drawDragFeedback(QPainter *painter);
    /// Moves the label column and the wire labels to the viewport's left edge, or back to their drawn place
    /// when nothing lies to the left of the viewport or the view is not shown; true when they moved.
    bool pinLabels();
    /// Whether the scene already shows this circuit in this language, so that a new current stage or
    /// measurement only recolours it.
    bool showsSameDrawing(const Fasoria::Circuit &circuit, Fasoria::Language language, bool isWorkingCircuit) const;
    /// Gives every stage box the colours of `currentStep` and shows or removes the measured mark.
    void restyle(std::uint64_t currentStep, bool measured, Fasoria::Language language);

    QGraphicsScene *m_scene;
    /// Scene rectangle of each stage box, by stage.
    QVector<QRectF> m_stageRects;
    /// Each stage box, by stage, and what the scene was drawn from.
    QVector<QGraphicsRectItem *> m_stageBoxes;
    QGraphicsSimpleTextItem *m_measuredMark = nullptr;
    QGraphicsRectItem *m_labelColumn = nullptr;
    QVector<QGraphicsSimpleTextItem *> m_wireLabels;
    double m_baseScale = 1.0;
    QPointF m_measuredMarkPosition;
    Fasoria::Circuit m_drawnCircuit;
    std::int32_t m_drawnQubits = 0;
    Fasoria::Language m_drawnLanguage = Fasoria::Italian;
    bool m_drawnWorking = false;
    std::function<void(std::uint64_t)> m_stageCallback;
    std::uint64_t m_currentStage = 0;
    std::int32_t m_chosenWire = 0;
    bool m_panning = false;
    bool m_autoFit = true;
    bool m_fitting = false;
    QPoint m_lastPanPoint;
    std::function<QString(const Fasoria::DrawingEdit &)> m_dropJudge;
    std::optional<Drag> m_drag;
    /// The dragged gate's look at its landing wires, following the pointer.
    QGraphicsRectItem *m_ghost = nullptr;
};

Q_DECLARE_METATYPE(Fasoria::DrawingEdit)
