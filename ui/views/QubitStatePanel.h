#pragma once

#include "core/Language.h"
#include "core/QubitState.h"
#include "core/StateVector.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class QFrame;
class QGridLayout;
class QLabel;
class QScrollArea;

namespace Fasoria {

/// The texts of the qubit view, by their row in kQubitStateTexts.
enum class QubitStateText : std::int32_t
{
    PanelName = 0,
    /// %1: the number of the top qubit, n − 1.
    PanelDescription,
    Explanation,
    Length,
    DefiniteState,
    Entangled,
    /// %1 qubit number, %2..%4 x, y, z, %5 length, %6 P(1), %7 DefiniteState or Entangled.
    QubitSummary,
    Count,
};

/// One row per QubitStateText, Italian first.
extern const TextPair kQubitStateTexts[static_cast<int>(QubitStateText::Count)];

QString qubitStateText(QubitStateText key, Language language);

/// A Bloch component or a length, written like an amplitude component: 6 decimals, no negative zero.
QString blochNumberText(double value);
/// The probability of reading 1 as a percentage with 2 decimals, like the amplitude table, then "%".
QString probabilityOneText(double probability);
/// Whether the length, as written with 6 decimals, is below 1: the word beside a sphere then never
/// contradicts its number.
bool isShortVector(double length);
/// Every number of qubit `qubit` in one sentence, for the tooltip and the accessible description.
QString qubitSummary(const QubitState &state, int qubit, Language language);

/// Where the tip of the Bloch vector (x, y, z) falls in the drawing, in units of the sphere's radius and
/// with the screen's y growing downwards: an orthographic view from slightly above the equator, with x
/// coming towards the viewer on the lower left, y to the right and z up. The sphere's outline is then the
/// unit circle and the equator an ellipse of half-height blochEquatorRatio().
QPointF blochProjection(double x, double y, double z);
double blochEquatorRatio();

/// One qubit's sphere: the disk with its equator, the axes, the projected vector as an arrow from the centre
/// (orange when it is shorter than 1, a dot when it is nearly 0) and, on a scale beside it from |0> at the
/// top to |1> at the bottom, the height z.
class BlochSphereView : public QWidget
{
    Q_OBJECT

public:
    explicit BlochSphereView(QWidget *parent = nullptr);

    void setVector(double x, double y, double z, double length);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// The disk's centre and radius in widget coordinates.
    QPointF centre() const;
    double radius() const;
    /// The point of the side scale at height z (−1..1), in widget coordinates.
    QPointF scalePoint(double z) const;

    static QColor pureColour();
    static QColor shortColour();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double margin() const;

    double m_x = 0.0;
    double m_y = 0.0;
    double m_z = 1.0;
    double m_length = 1.0;
};

/// The state of each qubit on its own: one cell per qubit with its sphere, its name, the word "definite state"
/// or "entangled", and x, y, z, the length and P(1) beside it, under a line that explains a short vector.
///
/// The cells run in the circuit drawing's order, q(n−1) first (top left) and q0 last, wrapping into as many
/// columns as the width holds and scrolling vertically. Object names carry the qubit number k:
/// "qubitCell<k>", "qubitSphere<k>", "qubitTitle<k>", "qubitStatus<k>", and the numbers "qubitX<k>",
/// "qubitY<k>", "qubitZ<k>", "qubitLength<k>", "qubitProbabilityOne<k>" beside the names "qubitLengthName<k>"
/// and so on; the line is "qubitStateExplanation", the scroll area "qubitStateScroll" and the grid inside
/// it "qubitStateGrid".
class QubitStatePanel : public QWidget
{
    Q_OBJECT

public:
    explicit QubitStatePanel(QWidget *parent = nullptr);
    ~QubitStatePanel() override;

    /// Computes the reduced state of every qubit once and shows it in `language`.
    void showState(const StateVector &state, Language language);
    /// Rewrites the texts in `language`; the numbers stay as they are.
    void applyLanguage(Language language);

    /// The states shown, q0 first; empty before the first showState.
    const std::vector<QubitState> &shownStates() const { return m_states; }
    /// The number of cell columns of the current layout.
    int columnCount() const { return m_columns; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Cell;

    void buildCells(int qubits);
    void writeNumbers();
    void writeTexts();
    void layOutCells();

    std::vector<QubitState> m_states;
    Language m_language = Italian;
    int m_columns = 0;

    QLabel *m_explanation = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_grid = nullptr;
    QGridLayout *m_gridLayout = nullptr;
    /// By qubit number, q0 first.
    std::vector<Cell> m_cells;
};

} // namespace Fasoria
