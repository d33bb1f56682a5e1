#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Makes a directory refuse new entries for its lifetime. Permission bits do not bind root (as in CI
// containers), so for root the directory gets the file system's immutable attribute instead.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(const QString &path) : m_path(path)
    {
        if (geteuid() != 0) {
            m_active = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        } else {
            m_active = setImmutable(true);
        }
    }
    ~ReadOnlyDirectory()
    {
        if (m_active) {
            if (geteuid() != 0) {
                QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            } else {
                setImmutable(false);
            }
        }
    }
    ReadOnlyDirectory(const ReadOnlyDirectory &) = delete;
    ReadOnlyDirectory &operator=(const ReadOnlyDirectory &) = delete;

    /// True when new files really cannot be created in the directory.
    bool refusesNewFiles() const
    {
        if (!m_active) {
            return false;
        }
        QFile probe(m_path + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            return false;
        }
        return true;
    }

private:
    bool setImmutable(bool immutable) const
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    QString m_path;
    bool m_active = false;
};
