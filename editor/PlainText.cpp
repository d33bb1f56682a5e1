#include "editor/PlainText.h"

#include <QVector>

namespace Fasoria {

namespace {

// Valid UTF-16 without control characters other than those allowed, nor bidirectional controls.
bool isPlain(const QString &text, bool multiline)
{
    // toUcs4 turns a lone surrogate into U+FFFD, so such a text does not come back from its code points.
    const QVector<uint> characters = text.toUcs4();
    if (QString::fromUcs4(characters.constData(), characters.size()) != text) {
        return false;
    }
    for (const uint c : characters) {
        const bool allowedControl = multiline && (c == U'\t' || c == U'\n');
        if ((isControlCharacter(c) && !allowedControl) || isBidirectionalControl(c)) {
            return false;
        }
    }
    return true;
}

QString escapedCharacter(char32_t c)
{
    switch (c) {
    case U'\t':
        return QStringLiteral("\\t");
    case U'\n':
        return QStringLiteral("\\n");
    case U'\r':
        return QStringLiteral("\\r");
    case 0x1B:
        return QStringLiteral("\\e");
    case U'\\':
        return QStringLiteral("\\\\");
    default:
        break;
    }
    const auto hex = [c] { return QString::number(static_cast<uint>(c), 16).toUpper(); };
    if (isControlCharacter(c)) {
        return QLatin1String("\\x") + hex().rightJustified(2, QLatin1Char('0'));
    }
    if (isBidirectionalControl(c)) {
        return QLatin1String("\\u{") + hex() + QLatin1Char('}');
    }
    return QString::fromUcs4(&c, 1);
}

} // namespace

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
    return isPlain(text, false);
}

bool isPlainMultilineText(const QString &text)
{
    return isPlain(text, true);
}

QString plainMultilineText(const QString &text)
{
    const QVector<uint> characters = text.toUcs4();
    QVector<uint> kept;
    kept.reserve(characters.size());
    for (int i = 0; i < characters.size(); ++i) {
        const uint c = characters[i];
        if (c == U'\r') {
            if (i + 1 == characters.size() || characters[i + 1] != U'\n') {
                kept.append(U'\n');
            }
        } else if (c == U'\t' || c == U'\n' || (!isControlCharacter(c) && !isBidirectionalControl(c))) {
            kept.append(c);
        }
    }
    return QString::fromUcs4(kept.constData(), kept.size());
}

QString escapedText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const uint c : text.toUcs4()) {
        shown += escapedCharacter(static_cast<char32_t>(c));
    }
    return shown;
}

QString shownName(const QString &name)
{
    constexpr int kMaxShownCharacters = 64;
    const QVector<uint> characters = name.toUcs4();
    if (characters.size() <= kMaxShownCharacters) {
        return escapedText(name);
    }
    return escapedText(QString::fromUcs4(characters.constData(), kMaxShownCharacters)) + QLatin1String("...");
}

} // namespace Fasoria
