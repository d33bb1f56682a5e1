#include "editor/FilePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace Fasoria {

namespace {

bool statPath(const QString &path, struct stat &info)
{
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}

// The absolute path with its folder resolved through symbolic links and "..", for a file that may not exist.
QString resolvedPath(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + QLatin1Char('/') + info.fileName();
}

} // namespace

bool isFaithfulFileName(const QString &path)
{
    if (!path.contains(QChar::ReplacementCharacter)) {
        return true;
    }
    struct stat info;
    return statPath(path, info);
}

bool isSameFile(const QString &first, const QString &second)
{
    struct stat a;
    struct stat b;
    const bool firstExists = statPath(first, a);
    const bool secondExists = statPath(second, b);
    if (firstExists && secondExists) {
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    }
    // A file about to be created: two spellings of one place ("g.csv", "./g.csv", "dir/../g.csv").
    return resolvedPath(first) == resolvedPath(second);
}

QString withFileEnding(const QString &chosenName, const char *accepted, const char *appended)
{
    if (chosenName.endsWith(QLatin1String(accepted), Qt::CaseInsensitive)) {
        return chosenName;
    }
    return chosenName + QLatin1String(appended);
}

} // namespace Fasoria
