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

/// The same for a text of several lines (a student's notes): tab and line feed are allowed as well.
bool isPlainMultilineText(const QString &text);

/// A student's text as a file may keep it (isPlainMultilineText holds for the result): a carriage return,
/// alone or before a line feed, ends the line as a line feed; a lone surrogate becomes U+FFFD; the other
/// control characters and the bidirectional controls, all invisible, are left out.
QString plainMultilineText(const QString &text);

/// A text as a terminal may show it: tab, line feed, carriage return and ESC written as \t, \n, \r, \e, the
/// rest of C0 and C1 and DEL as \xHH, the bidirectional controls as \u{HHHH} and a backslash as \\, so it
/// can neither fake a line nor move the cursor or reorder the text around it.
QString escapedText(const QString &text);

/// A name echoed in a message: escaped as escapedText and cut to 64 characters (code points) with "..."
/// after them.
QString shownName(const QString &name);

} // namespace Fasoria
