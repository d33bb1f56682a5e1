#pragma once

#include "core/Language.h"
#include "ui/model/ChartModel.h"
#include "ui/views/CircuitPicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Fasoria {

/// The probability chart of `data` as an SVG document, laid out and drawn as the chart widget draws it at
/// chartPictureSize in the application font: a <title> and <desc> with the chart's name and description, and
/// every bar's shapes in a group <g class="bar" data-basis="K" data-label="..."> whose <title> is the bar's
/// tool tip. Needs a QGuiApplication (fonts).
QByteArray chartSvg(const ChartData &data, Language language);

/// The chart as an image at `scale` times its picture size (2: for slides and printing), drawn by the same
/// function as the widget. Needs a QGuiApplication. Throws invalid_argument for a scale that is not positive
/// and finite or that would make a side longer than kMaximumImageSide.
QImage chartImage(const ChartData &data, Language language, double scale = 2.0);

/// Writes the chart as PictureFormat::Svg or ::Png through the atomic save. Any other format, or a file name
/// whose ending names another format, is refused with a message in `language` before anything is written;
/// false with the reason in *error and any previous file untouched.
bool saveChartPicture(const QString &path, PictureFormat format, const ChartData &data, Language language,
                      QString *error);

/// The export dialog's filter: "SVG (*.svg);;PNG (*.png)".
QString chartPictureFilter();
/// The format of a chart file name by its ending (".svg", ".png", any letter case); otherwise the format of the
/// dialog's chosen filter, SVG when none (and for ".tex", which saveChartPicture then refuses).
PictureFormat chartPictureFormat(const QString &name, const QString &selectedFilter);

} // namespace Fasoria
