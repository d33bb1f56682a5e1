#include "ui/model/LessonLibrary.h"

#include "editor/LessonPack.h"
#include "ui/model/LessonShelf.h"

#include <QFileInfo>

#include <algorithm>

namespace Fasoria {

LessonLibrary::LessonLibrary(QObject *parent) : QObject(parent) {}

QStringList LessonLibrary::paths() const
{
    QStringList out;
    for (const OpenPack &pack : m_packs) {
        out << pack.path;
    }
    return out;
}

const OpenPack *LessonLibrary::packOf(std::int32_t index) const
{
    for (const OpenPack &pack : m_packs) {
        if (std::find(pack.lessons.begin(), pack.lessons.end(), index) != pack.lessons.end()) {
            return &pack;
        }
    }
    return nullptr;
}

const OpenPack *LessonLibrary::packFrom(const QString &path) const
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const auto open = std::find_if(m_packs.begin(), m_packs.end(),
                                   [&absolute](const OpenPack &pack) { return pack.path == absolute; });
    return open != m_packs.end() ? &*open : nullptr;
}

std::int32_t LessonLibrary::lessonOf(const QString &path, const QString &id) const
{
    if (const OpenPack *pack = packFrom(path)) {
        for (const std::int32_t index : pack->lessons) {
            if (shelvedLesson(index)->source.id == id) {
                return index;
            }
        }
    }
    return -1;
}

bool LessonLibrary::openQuietly(const QString &path, QString *error)
{
    LessonPack pack;
    if (!loadLessonPackFile(path, pack, error)) {
        return false;
    }
    OpenPack opened;
    opened.path = QFileInfo(path).absoluteFilePath();
    opened.titleIt = pack.titleIt;
    opened.titleEn = pack.titleEn;
    for (const PackLesson &lesson : pack.lessons) {
        opened.lessons.push_back(shelveLesson(lesson, pack.titleIt, pack.titleEn));
    }
    const auto same = std::find_if(m_packs.begin(), m_packs.end(),
                                   [&opened](const OpenPack &open) { return open.path == opened.path; });
    if (same != m_packs.end()) {
        *same = std::move(opened);
    } else {
        m_packs.push_back(std::move(opened));
    }
    return true;
}

bool LessonLibrary::open(const QString &path, QString *error)
{
    if (!openQuietly(path, error)) {
        return false;
    }
    emit changed();
    return true;
}

std::vector<DroppedPack> LessonLibrary::openRemembered(const QStringList &paths)
{
    std::vector<DroppedPack> dropped;
    for (const QString &path : paths) {
        QString reason;
        if (!openQuietly(path, &reason)) {
            dropped.push_back(DroppedPack{path, reason});
        }
    }
    emit changed();
    return dropped;
}

void LessonLibrary::closeAll()
{
    if (m_packs.empty()) {
        return;
    }
    m_packs.clear();
    emit changed();
}

} // namespace Fasoria
