#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// A really full file system: a small tmpfs mounted on `folder` in a mount namespace of this process alone,
// so it vanishes with the process whatever happens to the test. Needs root (CAP_SYS_ADMIN).
class FullDisk
{
public:
    /// Mounts 64 KiB on folder (an empty directory). isMounted() tells whether it worked.
    explicit FullDisk(const QString &folder) : m_folder(QFile::encodeName(folder))
    {
        if (geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0) {
            return;
        }
        // Private propagation: the mount must not appear in the machine's own namespace.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return;
        }
        m_mounted = ::mount("fasoria-full", m_folder.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk()
    {
        if (m_mounted) {
            ::umount2(m_folder.constData(), MNT_DETACH);
        }
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool isMounted() const { return m_mounted; }

    /// Fills every free byte with one file of this name; true when the file system then refuses one more byte.
    bool fill(const QString &fillerPath) const
    {
        QFile filler(fillerPath);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return false;
        }
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        // The last page may still take a few bytes.
        while (filler.write("f", 1) == 1) {
        }
        filler.close();
        QFile probe(fillerPath + QStringLiteral(".probe"));
        const bool refused = !probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || probe.write("x", 1) != 1;
        probe.remove();
        return refused;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};
