#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace Fasoria {

/// The first member name that one object of a JSON document names twice, at any depth and in document
/// order of the second occurrence; nothing when every object names each member once. Names compare after
/// their string escapes are resolved ("a" and "\u0061" are one name), as the JSON reader compares them.
/// Meant for a document that has passed the JSON syntax check: the reader would silently keep one of the
/// copies, so every reader refuses such a document before anything else. Never fails on other input.
std::optional<QString> firstRepeatedMember(const QByteArray &json);

/// "Repeated member \"NAME\"", the name as shownName shows it.
QString repeatedMemberMessage(const QString &name);

/// The first checks of the circuit and challenge readers, in order: "Document exceeds 1 MiB" above
/// kMaxJsonDocumentBytes, "Invalid JSON: " and the parser's description for a syntax error or a top level
/// that is not an object, then repeatedMemberMessage. The top-level object, or nothing with *error set.
std::optional<QJsonObject> readJsonObject(const QByteArray &bytes, QString *error);

} // namespace Fasoria
