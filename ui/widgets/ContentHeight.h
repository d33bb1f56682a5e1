#pragma once

#include <QLabel>

class QWidget;

namespace Fasoria {

/// A word-wrapped label whose minimum height is what its lines need at its present width. A layout measures
/// a wrapped label's minimum at a guessed width, so a splitter could squeeze the label's panel below its
/// lines and let the next widget overlap them; with the true height as the minimum the panel keeps room for
/// every line, and a window too small for them scrolls instead. A maximum height set on the label still holds.
class WrappingLabel : public QLabel
{
public:
    WrappingLabel();

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_neededHeight = 0;
};

/// Gives `widget` a minimum height of `floor` pixels, raised to what its layout needs whenever that changes.
/// A fixed minimum alone overrides the layout's, and a splitter could squeeze a panel below its texts at a
/// large zoom or on a short screen.
void keepContentHeight(QWidget *widget, int floor);

} // namespace Fasoria
