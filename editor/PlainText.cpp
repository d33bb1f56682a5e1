#include "editor/PlainText.h"

#include <QVector>

namespace Fasoria {

bool isBidirectionalControl(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool isControlCharacter(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

bool isPlainText(const QString &text)
{
    // toUcs4 turns a lone surrogate into U+FFFD, so such a text does not come back from its code points.
    const QVector<uint> characters = text.toUcs4();
    if (QString::fromUcs4(characters.constData(), characters.size()) != text) {
        return false;
    }
    for (const uint c : characters) {
        if (isControlCharacter(c) || isBidirectionalControl(c)) {
            return false;
        }
    }
    return true;
}

} // namespace Fasoria
