#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Makes a directory refuse new entries for its lifetime. Permission bits do not bind root (as in CI
// containers), so for root the directory gets the file system's immutable attribute instead.
//
// An immutable directory outlives a test that is killed before the destructor runs, and nothing can remove
// it until the attribute is cleared. So each one is recorded, with the owning process, in a ledger folder
// under the temporary directory while it is set; the first guard of a later run clears and removes what a
// dead process left behind.
class ReadOnlyDirectory
{
public:
    explicit ReadOnlyDirectory(const QString &path) : m_path(path)
    {
        sweepLeftovers();
        if (geteuid() != 0) {
            m_active = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        } else if (record()) {
            m_active = setImmutable(path, true);
            if (!m_active) {
                QFile::remove(entryPath());
            }
        }
    }
    ~ReadOnlyDirectory()
    {
        if (!m_active) {
            return;
        }
        if (geteuid() != 0) {
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else if (setImmutable(m_path, false)) {
            QFile::remove(entryPath());
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

    /// Clears the attribute of every recorded directory whose process has ended and removes the directory
    /// when it lies in the temporary folder (where QTemporaryDir put it).
    static void sweepLeftovers()
    {
        QDir ledger(ledgerPath());
        for (const QString &name : ledger.entryList(QDir::Files)) {
            QFile entry(ledger.filePath(name));
            if (!entry.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QList<QByteArray> fields = entry.readAll().split('\n');
            entry.close();
            bool number = false;
            const pid_t owner = fields.value(0).toInt(&number);
            if (fields.size() < 2 || !number || isAlive(owner)) {
                continue;
            }
            const QString path = QFile::decodeName(fields[1]);
            if (!QFileInfo::exists(path) || setImmutable(path, false)) {
                if (path.startsWith(QDir::tempPath() + QLatin1Char('/'))) {
                    QDir(path).removeRecursively();
                }
                entry.remove();
            }
        }
    }

private:
    static QString ledgerPath() { return QDir::tempPath() + QStringLiteral("/fasoria-tests-immutable"); }

    static bool isAlive(pid_t process) { return process > 0 && (::kill(process, 0) == 0 || errno == EPERM); }

    QString entryPath() const
    {
        const QByteArray key = QCryptographicHash::hash(QFile::encodeName(m_path), QCryptographicHash::Sha1);
        return ledgerPath() + QLatin1Char('/') + QString::fromLatin1(key.toHex());
    }

    bool record() const
    {
        if (!QDir().mkpath(ledgerPath())) {
            return false;
        }
        QFile entry(entryPath());
        const QByteArray text = QByteArray::number(getpid()) + '\n' + QFile::encodeName(m_path) + '\n';
        return entry.open(QIODevice::WriteOnly) && entry.write(text) == text.size() && entry.flush();
    }

    static bool setImmutable(const QString &path, bool immutable)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
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
