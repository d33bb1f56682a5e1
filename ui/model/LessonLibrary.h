#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace Fasoria {

/// A teacher's pack whose lessons the lesson selector offers.
struct OpenPack
{
    /// The pack file, absolute.
    QString path;
    QString titleIt;
    QString titleEn;
    /// The lessons' indices (see lessonAt), in the pack's order.
    std::vector<std::int32_t> lessons;
};

/// A pack that could not be opened again, and why (the pack reader's or the file's English message).
struct DroppedPack
{
    QString path;
    QString reason;
};

/// The teachers' packs open beside the catalog, in the order they were opened. A pack is read completely
/// before anything changes: a refused one is never half-opened. Every change is announced with changed().
class LessonLibrary : public QObject
{
    Q_OBJECT

public:
    explicit LessonLibrary(QObject *parent = nullptr);

    const std::vector<OpenPack> &packs() const { return m_packs; }
    /// The open packs' files, for remembering them.
    QStringList paths() const;
    /// The open pack holding lesson `index`; null for a catalog lesson or a lesson of no open pack.
    const OpenPack *packOf(std::int32_t index) const;
    /// The pack open from `path` (any form of its name); null when none is.
    const OpenPack *packFrom(const QString &path) const;
    /// The lesson `id` of the pack open from `path`; −1 when there is none.
    std::int32_t lessonOf(const QString &path, const QString &id) const;

    /// Reads the pack at `path` and shelves its lessons. A pack already open from the same file is read again
    /// and takes its place (a corrected pack replaces its lessons); another comes after the open ones. False,
    /// changing nothing, with the reason in *error for a file that cannot be read or a pack the reader refuses.
    bool open(const QString &path, QString *error);
    /// Opens the remembered packs in their order, skipping any that can no longer be opened, announced once;
    /// returns those dropped.
    std::vector<DroppedPack> openRemembered(const QStringList &paths);
    /// No pack open any more; the shelved lessons stay valid for what still shows them.
    void closeAll();

signals:
    void changed();

private:
    bool openQuietly(const QString &path, QString *error);

    std::vector<OpenPack> m_packs;
};

} // namespace Fasoria
