#pragma once

#include <QByteArray>
#include <QString>

namespace Fasoria {

/// Reads a whole input document of at most maxBytes. Never blocks: the file is opened without waiting and
/// anything but a regular file (a FIFO, a device, a socket, a folder) is refused with kNotRegularFile
/// before a byte is read. A larger file gives "File is too large", a name that does not stand for its
/// bytes on disk kFileNameNotUtf8 (editor/FilePath.h), and an unreadable one the system's error text. On
/// failure returns false, sets *error (when given) and leaves bytes untouched.
bool readInputFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *error);

} // namespace Fasoria
