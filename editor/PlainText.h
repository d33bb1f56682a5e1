#pragma once

#include <QString>

namespace Fasoria {

/// The bidirectional controls (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069): they reorder the
/// text displayed around them.
bool isBidirectionalControl(char32_t c);

/// The C0 and C1 control characters and DEL: they move the cursor or start terminal sequences.
bool isControlCharacter(char32_t c);

/// Whether a text can be shown as it is on a terminal, in a table or on a page: valid UTF-16 (no lone
/// surrogate) and free of control characters, line breaks and bidirectional controls.
bool isPlainText(const QString &text);

} // namespace Fasoria
