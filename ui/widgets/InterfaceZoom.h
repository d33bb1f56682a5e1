#pragma once

class QTableView;
class QWidget;

namespace Fasoria {

/// The interface zoom for the classroom projector: one percentage that scales every font of the program and
/// the pixel sizes registered below. The fonts follow the application font, which the zoom sets; a size that
/// is given in pixels is registered once with its size at 100 % and rescaled at every change.
namespace InterfaceZoom {

constexpr int kMinimum = 80;
constexpr int kActual = 100;
constexpr int kMaximum = 200;

/// The zoom levels, ascending, from kMinimum to kMaximum.
constexpr int kLevels[] = {80, 90, 100, 110, 125, 150, 175, 200};

/// The zoom in effect.
int percent();
/// A stored or requested value as a level: the nearest level within the range; kActual for anything outside it.
int level(int percent);
/// The next level up (direction > 0) or down (direction < 0) from `percent`, held at the ends.
int stepped(int percent, int direction);
/// `pixels` at 100 %, scaled to the zoom in effect.
int scaled(int pixels);

/// Puts `percent` (taken as level()) in effect: the application font and every registered size. The first
/// call takes the application font as it is as the 100 % font.
void apply(int percent);

/// `widget`'s font at `points` at 100 % (0: the size the widget inherits), bold or not, following the zoom.
void setFontSize(QWidget *widget, int points, bool bold);
/// Rows of `table` `pixels` high at 100 %, following the zoom.
void setRowHeight(QTableView *table, int pixels);
/// A minimum width, minimum height or maximum height in pixels at 100 %, following the zoom (0 leaves it).
void setMinimumWidth(QWidget *widget, int pixels);
void setMinimumHeight(QWidget *widget, int pixels);
void setMaximumHeight(QWidget *widget, int pixels);
/// A fixed width in pixels at 100 %, following the zoom.
void setFixedWidth(QWidget *widget, int pixels);

} // namespace InterfaceZoom

} // namespace Fasoria
