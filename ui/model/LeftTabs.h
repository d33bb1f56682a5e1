#pragma once

namespace Fasoria {

/// The pages of the window's left tab bar by index, in the order the window adds them: the four pages of the
/// lesson, then the qubit page.
constexpr int kLessonTab = 0;
constexpr int kAlgorithmsTab = 1;
constexpr int kEditorTab = 2;
constexpr int kMeasurementsTab = 3;
constexpr int kQubitsTab = 4;

} // namespace Fasoria
