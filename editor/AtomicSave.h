#pragma once

#include <QByteArray>
#include <QString>

namespace Fasoria {

/// Writes bytes to path through a temporary file in the same folder that replaces the target only when
/// everything succeeded: opening, writing every byte and committing. On failure returns false, sets *error
/// (when given) to the file's error text and leaves any existing file at path as it was. Every file the
/// program writes goes through here.
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error);

} // namespace Fasoria
