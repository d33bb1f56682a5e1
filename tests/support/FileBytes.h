#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's bytes as the tests compare them: what a refused save or open must leave untouched.

/// Writes `bytes` to `path`, replacing it; false unless every byte was written.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// The bytes of `path`; empty when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
