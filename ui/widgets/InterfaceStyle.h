#pragma once

class QStyle;

namespace Fasoria {

/// The program's widget style: Fusion, with each group box title given the full width of its text. Fusion
/// measures a title by its ink, which at a large zoom is narrower than the text's advance, and the title's
/// last letter was cut off. Tab titles have less padding than Fusion gives them. The application takes
/// ownership.
QStyle *createInterfaceStyle();

} // namespace Fasoria
