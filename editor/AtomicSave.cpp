#include "editor/AtomicSave.h"

#include <QSaveFile>

namespace Fasoria {

namespace {

bool fail(const QSaveFile &file, QString *error)
{
    if (error) {
        *error = file.errorString();
    }
    return false;
}

} // namespace

bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file, error);
    }
    if (file.write(bytes) != bytes.size()) {
        // Leaving without commit() discards the temporary file; the target is never touched.
        return fail(file, error);
    }
    if (!file.commit()) {
        return fail(file, error);
    }
    return true;
}

} // namespace Fasoria
