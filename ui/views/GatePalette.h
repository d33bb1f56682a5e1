#pragma once

#include "core/Gate.h"
#include "core/Language.h"

#include <QPoint>
#include <QWidget>

#include <optional>

class QToolButton;

namespace Fasoria {

/// The gate palette beside the drawing: one tile per kind (H, X, Z, P, CNOT) with the drawing's own glyph. A
/// tile dragged past the platform's drag distance reports the pointer as it moves and where it is released, in
/// global coordinates, for the drawing to show and take the drop; a click (or Space on a focused tile) asks for
/// the gate on the chosen wire after the shown stage, as the insert keys do. Escape during a drag cancels it.
class GatePalette : public QWidget
{
    Q_OBJECT

public:
    explicit GatePalette(QWidget *parent = nullptr);

    void applyLanguage(Language language);
    /// The height the tiles may take together, so that the palette never makes its row taller than the
    /// drawing beside it needs; the tiles shrink below their reading size to keep it.
    void setHeightBudget(int pixels);
    /// The tile of `kind`, named "m_paletteH", "m_paletteX", "m_paletteZ", "m_paletteP" or "m_paletteCnot".
    QToolButton *tile(GateKind kind) const;

signals:
    void dragMoved(Fasoria::GateKind kind, QPoint globalPoint);
    void dropped(Fasoria::GateKind kind, QPoint globalPoint);
    void dragCancelled();
    void gateClicked(Fasoria::GateKind kind);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    /// Draws the tiles' glyphs at a size that follows the interface font.
    void refreshIcons();
    std::optional<GateKind> kindOf(QObject *tile) const;

    QToolButton *m_tiles[5] = {};
    int m_heightBudget = 0;
    QPoint m_pressPoint;
    bool m_pressed = false;
    bool m_dragging = false;
};

} // namespace Fasoria
