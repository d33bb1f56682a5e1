#include "editor/InputFile.h"

#include "editor/FilePath.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

QString tooLarge()
{
    return QStringLiteral("File is too large");
}

} // namespace

bool readInputFile(const QString &path, qint64 maxBytes, QByteArray &bytes, QString *error)
{
    if (!isFaithfulFileName(path)) {
        return fail(error, QString::fromLatin1(kFileNameNotUtf8));
    }
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer that may never come. The
    // type is then checked on the open descriptor, so the file cannot be swapped after the check.
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        return fail(error, qt_error_string(errno));
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return fail(error, file.errorString());
    }
    struct stat info;
    if (::fstat(descriptor, &info) != 0) {
        return fail(error, qt_error_string(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return fail(error, QString::fromLatin1(kNotRegularFile));
    }
    if (info.st_size > maxBytes) {
        return fail(error, tooLarge());
    }
    // Bounded even when the file grows while it is read.
    QByteArray read = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return fail(error, file.errorString());
    }
    if (read.size() > maxBytes) {
        return fail(error, tooLarge());
    }
    bytes = std::move(read);
    return true;
}

} // namespace Fasoria
