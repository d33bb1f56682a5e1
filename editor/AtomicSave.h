#pragma once

#include <QByteArray>
#include <QString>

namespace Fasoria {

/// Writes bytes to path through a temporary file in the same folder that replaces the target only when
/// every byte reached the file system: opening, writing, syncing and committing all succeeded. On failure
/// returns false, sets *error (when given) to the file's error text, removes the temporary file and leaves
/// any existing file at path as it was. An existing path that is not a regular file once symbolic links are
/// followed (a device, a FIFO, a socket, a folder) is refused with kNotRegularFile and left alone, and a
/// name that does not stand for its bytes on disk with kFileNameNotUtf8 (editor/FilePath.h). Every file the
/// program writes goes through here.
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error);

} // namespace Fasoria
