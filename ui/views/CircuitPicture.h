#pragma once

#include "core/Circuit.h"
#include "core/Language.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>

namespace Fasoria {

/// What a picture of a circuit shows: the drawing as the circuit view shows it at `stage` (applied, current
/// and coming gates in their colours, the measurement box, the qubit labels), the whole circuit.
struct CircuitPictureRequest
{
    Circuit circuit;
    std::uint64_t stage = 0;
    bool measured = false;
    Language language = Italian;
    bool isWorkingCircuit = false;
};

/// Margin around the drawing, in drawing units.
constexpr double kPictureMargin = 16.0;

/// The drawing as an SVG document on a white background with margins: every item of the drawing as its
/// SVG shape, each stage in a group <g class="stage" data-stage="K"> (K 0 for the prepared state) holding
/// its box and glyph. Throws what the circuit view throws for an undrawable circuit or stage.
QByteArray circuitSvg(const CircuitPictureRequest &request);

/// The kinds of picture a circuit is exported as.
enum class PictureFormat
{
    Svg,
    Png,
    Latex,
};

/// The file filter of the export dialog, one entry per format in the order of PictureFormat.
QString pictureFilter();

/// The format of a file name by its ending (".svg", ".png", ".tex", any letter case); otherwise the format
/// of the dialog's chosen filter, SVG when none.
PictureFormat pictureFormat(const QString &name, const QString &selectedFilter);

/// The name completed with the format's ending when it has none of the three.
QString pictureFileName(const QString &name, PictureFormat format);

/// Writes the picture of `request` in `format` through the atomic save; false with the reason in *error and
/// the previous file untouched.
bool saveCircuitPicture(const QString &path, PictureFormat format, const CircuitPictureRequest &request,
                        QString *error);

/// The longest side of a circuit image, in pixels. The widest circuit at twice its size would be over 50,000
/// pixels wide, hundreds of megabytes that no viewer shows; beyond this the image is scaled down to fit.
constexpr int kMaximumImageSide = 16384;

/// The drawing as an image at `scale` times the drawing's own size (2: for slides and printing), on a white
/// background with margins, scaled down with its proportions kept when a side would exceed
/// kMaximumImageSide. Throws what the circuit view throws.
QImage circuitImage(const CircuitPictureRequest &request, double scale = 2.0);

} // namespace Fasoria
