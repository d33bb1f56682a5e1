#include "editor/AtomicSave.h"

#include "editor/FilePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Fasoria {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error) {
        *error = message;
    }
    return false;
}

// A short write reports no error of its own (the file engine sets one only when nothing was written), so
// the rest is written again until it all went through or a write fails with the reason.
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0 || file.error() != QFileDevice::NoError) {
            return false;
        }
        written += count;
    }
    return true;
}

// Some file systems cannot sync (EINVAL, EROFS on special mounts); that says nothing about the bytes, while
// ENOSPC, EDQUOT or EIO from the sync mean the file system could not keep them.
bool syncReported(int descriptor)
{
    return ::fsync(descriptor) == 0 || errno == EINVAL || errno == EROFS;
}

// Makes the rename itself survive a crash. The new file is already in place, so a failure here cannot
// be undone and is not reported.
void syncFolder(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    if (!isFaithfulFileName(path)) {
        return fail(error, QString::fromLatin1(kFileNameNotUtf8));
    }
    // Following symbolic links: a device, a FIFO, a socket or a folder there is left as it is, never
    // replaced by a regular file (writing "over" /dev/null must not remove the system's device).
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile()) {
        return fail(error, QString::fromLatin1(kNotRegularFile));
    }
    // Unbuffered: QSaveFile buffers small writes and an error in the flush inside commit() would still
    // rename the truncated temporary file over the target. Without a buffer every failed write is seen
    // here, and commit() refuses to rename after one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(error, file.errorString());
    }
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!syncReported(file.handle())) {
        const QString reason = qt_error_string(errno);
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit()) {
        return fail(error, file.errorString());
    }
    syncFolder(path);
    return true;
}

} // namespace Fasoria
