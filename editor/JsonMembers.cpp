#include "editor/JsonMembers.h"

#include "editor/CircuitFile.h"
#include "editor/PlainText.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>

#include <vector>

namespace Fasoria {

namespace {

// An open object or array. An object expects a member name after its "{" and after each ",".
struct Container
{
    bool object = false;
    bool expectsName = false;
    QSet<QString> names;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The character an escape other than \u stands for.
QChar escapedCharacter(char c)
{
    switch (c) {
    case 'b':
        return QLatin1Char('\b');
    case 'f':
        return QLatin1Char('\f');
    case 'n':
        return QLatin1Char('\n');
    case 'r':
        return QLatin1Char('\r');
    case 't':
        return QLatin1Char('\t');
    default:
        return QLatin1Char(c); // '"', '\\', '/'
    }
}

// Reads the string whose opening quote is at `pos`; leaves `pos` after its closing quote (or at the end of
// an unterminated one). The decoded text, in UTF-16 code units as the JSON reader keeps it, only when
// `decoded` is given: \uXXXX gives one code unit, so a pair of escaped surrogates equals the raw character.
void readString(const QByteArray &json, int &pos, QString *decoded)
{
    const int size = json.size();
    int run = ++pos; // the start of the raw bytes not yet decoded
    const auto flush = [&](int end) {
        if (decoded && end > run) {
            *decoded += QString::fromUtf8(json.constData() + run, end - run);
        }
    };
    while (pos < size && json[pos] != '"') {
        if (json[pos] != '\\') {
            ++pos;
            continue;
        }
        flush(pos);
        if (pos + 1 >= size) {
            pos = size;
            return;
        }
        const char kind = json[pos + 1];
        pos += 2;
        if (kind == 'u') {
            int unit = 0;
            for (int k = 0; k < 4 && pos < size && hexValue(json[pos]) >= 0; ++k, ++pos) {
                unit = unit * 16 + hexValue(json[pos]);
            }
            if (decoded) {
                *decoded += QChar(static_cast<char16_t>(unit));
            }
        } else if (decoded) {
            *decoded += escapedCharacter(kind);
        }
        run = pos;
    }
    flush(pos);
    if (pos < size) {
        ++pos;
    }
}

} // namespace

std::optional<QString> firstRepeatedMember(const QByteArray &json)
{
    // An explicit stack rather than recursion, so that deep nesting costs memory, not the call stack.
    std::vector<Container> open;
    int pos = 0;
    while (pos < json.size()) {
        const char c = json[pos];
        if (c == '"') {
            const bool isName = !open.empty() && open.back().object && open.back().expectsName;
            QString name;
            readString(json, pos, isName ? &name : nullptr);
            if (isName) {
                Container &object = open.back();
                object.expectsName = false;
                if (object.names.contains(name)) {
                    return name;
                }
                object.names.insert(name);
            }
            continue;
        }
        if (c == '{' || c == '[') {
            open.push_back(Container{c == '{', c == '{', {}});
        } else if ((c == '}' || c == ']') && !open.empty()) {
            open.pop_back();
        } else if (c == ',' && !open.empty() && open.back().object) {
            open.back().expectsName = true;
        }
        ++pos;
    }
    return std::nullopt;
}

QString repeatedMemberMessage(const QString &name)
{
    return QStringLiteral("Repeated member \"%1\"").arg(shownName(name));
}

std::optional<QJsonObject> readJsonObject(const QByteArray &bytes, QString *error)
{
    const auto refuse = [error](const QString &message) {
        if (error) {
            *error = message;
        }
        return std::nullopt;
    };
    if (bytes.size() > kMaxJsonDocumentBytes) {
        return refuse(QStringLiteral("Document exceeds 1 MiB"));
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        return refuse(QStringLiteral("Invalid JSON: ") + parseError.errorString());
    }
    if (const std::optional<QString> name = firstRepeatedMember(bytes)) {
        return refuse(repeatedMemberMessage(*name));
    }
    return document.object();
}

} // namespace Fasoria
