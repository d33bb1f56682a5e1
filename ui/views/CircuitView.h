#pragma once

#include "core/Circuit.h"
#include "core/Language.h"

#include <QGraphicsView>
#include <QPoint>
#include <QRectF>
#include <QVector>

#include <cstdint>
#include <functional>
#include <vector>

class QGraphicsRectItem;
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
    static constexpr int kRoleDataKey = 1;
    /// Bounds of the horizontal scale reachable by zoomBy and the mouse wheel.
    static constexpr double kMinimumScale = 0.01;
    static constexpr double kMaximumScale = 4.0;
    /// One step of the zoom buttons and of the + and - keys.
    static constexpr double kZoomInFactor = 1.25;
    static constexpr double kZoomOutFactor = 0.8;
    /// Point size of the gate letters in drawing units, and the smallest size they may take on screen after a
    /// fit at base scale 1: a fit that would shrink them further fits the height and scrolls the width.
    static constexpr double kGateLetterPoints = 12.0;
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

    /// Whether a resize refits the drawing (off after a zoom, a pan or focusStage; on after fitAll).
    bool autoFit() const { return m_autoFit; }
    /// Whether a middle-button drag is in progress.
    bool isPanning() const { return m_panning; }

signals:
    void chosenWireChanged(int qubit);
    /// H, X, Z, P or C with the view focused: a gate of that kind on the chosen wire after the current stage.
    void insertKeyPressed(Fasoria::GateKind kind, int qubit);
    /// Delete or Backspace: the current stage's gate removed.
    void deleteKeyPressed();
    /// Alt+Left (−1) or Alt+Right (+1): the current stage's gate moved one place.
    void moveKeyPressed(int direction);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
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
    void fitScene();
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
    std::vector<Fasoria::LessonStep> m_drawnSteps;
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
};
