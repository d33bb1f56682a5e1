#include "editor/AtomicSave.h"
#include "editor/FilePath.h"
#include "editor/InputFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/FullDisk.h"
#include "tests/support/ReadOnlyDirectory.h"

#include <QElapsedTimer>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Fasoria;

namespace {

const QByteArray kOldBytes("old file, must survive\n");
const QByteArray kNewBytes("{\n    \"new\": true\n}\n");

// A payload below QSaveFile's buffer (it used to be lost in the flush inside commit()) and one well above.
const QByteArray kSmallPayload(194, 's');
const QByteArray kLargePayload(300000, 'L');

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writePlain(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestAtomicSave : public QObject
{
    Q_OBJECT

private slots:
    void writes_data();
    void writes();
    void failures_data();
    void failures();
    void fileSizeLimit_data();
    void fileSizeLimit();
    void fullDisk();
    void specialTargetsLeftAlone_data();
    void specialTargetsLeftAlone();
    void namesThatAreNotUtf8();
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();
    void sameFile_data();
    void sameFile();
    void guardSweepsWhatAKilledTestLeft();
};

void TestAtomicSave::writes_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QByteArray>("bytes");

    QTest::addRow("new file") << false << kNewBytes;
    QTest::addRow("replaces a file") << true << kNewBytes;
    QTest::addRow("empty content") << true << QByteArray();
    QTest::addRow("binary content") << false << QByteArray("\0\xff\n\r", 4);
}

void TestAtomicSave::writes()
{
    QFETCH(bool, existing);
    QFETCH(QByteArray, bytes);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("circuit.fsor.json"));
    if (existing) {
        QVERIFY(writePlain(path, kOldBytes));
    }
    QString error;
    QVERIFY2(saveFileAtomically(path, bytes, &error), qPrintable(error));
    QCOMPARE(contents(path), bytes);
    // No temporary file is left behind.
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("circuit.fsor.json")});
}

void TestAtomicSave::failures_data()
{
    QTest::addColumn<QString>("situation");

    QTest::addRow("missing directory") << "missing directory";
    QTest::addRow("read-only directory") << "read-only directory";
    QTest::addRow("path is a directory") << "path is a directory";
}

void TestAtomicSave::failures()
{
    QFETCH(QString, situation);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString folder = directory.filePath(QStringLiteral("folder"));
    QVERIFY(QDir().mkdir(folder));
    const QString existing = folder + QStringLiteral("/circuit.fsor.json");
    QVERIFY(writePlain(existing, kOldBytes));

    QString target = existing;
    if (situation == QLatin1String("missing directory")) {
        target = directory.filePath(QStringLiteral("absent/circuit.fsor.json"));
    } else if (situation == QLatin1String("path is a directory")) {
        target = folder;
    }
    std::optional<ReadOnlyDirectory> readOnly;
    if (situation == QLatin1String("read-only directory")) {
        readOnly.emplace(folder);
        if (!readOnly->refusesNewFiles()) {
            QSKIP("cannot make a directory read-only here (root without the immutable attribute)");
        }
    }

    QString error;
    QVERIFY(!saveFileAtomically(target, kNewBytes, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(contents(existing), kOldBytes);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("circuit.fsor.json")});
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(!QFileInfo::exists(directory.filePath(QStringLiteral("absent"))));
}

void TestAtomicSave::fileSizeLimit_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");

    QTest::addRow("small, nothing may be written") << kSmallPayload << 0;
    QTest::addRow("small, cut short") << kSmallPayload << 100;
    QTest::addRow("large, nothing may be written") << kLargePayload << 0;
    QTest::addRow("large, cut short") << kLargePayload << 70000;
}

void TestAtomicSave::fileSizeLimit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("good.json"));
    QVERIFY(writePlain(path, kOldBytes));
    bool saved = true;
    QString error;
    {
        const FileSizeLimit limited(static_cast<rlim_t>(limit));
        QVERIFY(limited.isActive());
        saved = saveFileAtomically(path, bytes, &error);
    }
    QVERIFY(!saved);
    QVERIFY(error.contains(QLatin1String("too large"), Qt::CaseInsensitive));
    QCOMPARE(contents(path), kOldBytes);
    QCOMPARE(entries(directory.path()), QStringList{QStringLiteral("good.json")});
}

void TestAtomicSave::fullDisk()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString mountPoint = directory.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkdir(mountPoint));
    const FullDisk disk(mountPoint);
    if (!disk.isMounted()) {
        QSKIP("a private tmpfs needs root (CAP_SYS_ADMIN)");
    }
    const QString path = mountPoint + QStringLiteral("/good.json");
    QVERIFY(writePlain(path, kOldBytes));
    QVERIFY(disk.fill(mountPoint + QStringLiteral("/filler")));
    for (const QByteArray &bytes : {kSmallPayload, kLargePayload}) {
        QString error;
        QVERIFY(!saveFileAtomically(path, bytes, &error));
        QVERIFY2(error.contains(QLatin1String("space"), Qt::CaseInsensitive), qPrintable(error));
        QCOMPARE(contents(path), kOldBytes);
        QCOMPARE(entries(mountPoint), (QStringList{QStringLiteral("filler"), QStringLiteral("good.json")}));
    }
    // Room again: the same save now succeeds.
    QVERIFY(QFile::remove(mountPoint + QStringLiteral("/filler")));
    QString error;
    QVERIFY2(saveFileAtomically(path, kSmallPayload, &error), qPrintable(error));
    QCOMPARE(contents(path), kSmallPayload);
}

void TestAtomicSave::specialTargetsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addRow("fifo") << "fifo";
    QTest::addRow("socket") << "socket";
    QTest::addRow("character device") << "device";
    QTest::addRow("link to a fifo") << "link";
}

void TestAtomicSave::specialTargetsLeftAlone()
{
    QFETCH(QString, kind);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString special = directory.filePath(QStringLiteral("special"));
    const QByteArray name = QFile::encodeName(special);
    if (kind == QLatin1String("socket")) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(socket >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(static_cast<std::size_t>(name.size()) < sizeof address.sun_path);
        std::copy(name.begin(), name.end(), address.sun_path);
        const bool bound = ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        ::close(socket);
        QVERIFY(bound);
    } else if (kind == QLatin1String("device")) {
        // The same device as /dev/null; writing "over" it used to replace it with a regular file.
        if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
            QSKIP("creating a device node needs root");
        }
    } else {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    }
    QString target = special;
    if (kind == QLatin1String("link")) {
        target = directory.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(special, target));
    }
    const auto typeBits = [&] {
        struct stat info;
        return ::stat(name.constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0u;
    };
    const auto before = typeBits();

    QString error;
    QVERIFY(!saveFileAtomically(target, kNewBytes, &error));
    QCOMPARE(error, QString::fromLatin1(kNotRegularFile));
    QCOMPARE(typeBits(), before);
    QVERIFY(before != S_IFREG);
    QVERIFY(QFileInfo(target).isSymLink() == (kind == QLatin1String("link")));
}

void TestAtomicSave::namesThatAreNotUtf8()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    // A file whose name holds the byte 0xFF lists as "x\uFFFD.json", which would encode back to other bytes.
    const QByteArray folder = QFile::encodeName(directory.path());
    const QString decoded = QFile::decodeName(folder + "/x\xff.json");
    QVERIFY(decoded.contains(QChar::ReplacementCharacter));
    QByteArray bytes("unchanged");
    QString error;
    QVERIFY(!readInputFile(decoded, 100, bytes, &error));
    QCOMPARE(error, QString::fromLatin1(kFileNameNotUtf8));
    QCOMPARE(bytes, QByteArray("unchanged"));
    QVERIFY(!saveFileAtomically(decoded, kNewBytes, &error));
    QCOMPARE(error, QString::fromLatin1(kFileNameNotUtf8));
    QCOMPARE(entries(directory.path()), QStringList());

    // A name that really holds U+FFFD (its UTF-8 bytes on disk) is that file and is read and written.
    const QString genuine = directory.filePath(QString(QChar::ReplacementCharacter) + QStringLiteral(".json"));
    QVERIFY(writePlain(genuine, kOldBytes));
    QVERIFY2(readInputFile(genuine, 100, bytes, &error), qPrintable(error));
    QCOMPARE(bytes, kOldBytes);
    QVERIFY2(saveFileAtomically(genuine, kNewBytes, &error), qPrintable(error));
    QCOMPARE(contents(genuine), kNewBytes);
}

void TestAtomicSave::readsOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::addRow("fifo without a writer") << "fifo" << kNotRegularFile;
    QTest::addRow("character device") << "/dev/zero" << kNotRegularFile;
    QTest::addRow("folder") << "folder" << kNotRegularFile;
    QTest::addRow("link to a fifo") << "link" << kNotRegularFile;
    QTest::addRow("missing") << "missing"
                             << "No such file or directory";
    QTest::addRow("one byte over the limit") << "large"
                                             << "File is too large";
    QTest::addRow("link to a regular file") << "good link" << QString();
}

void TestAtomicSave::readsOnlyRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString fifo = directory.filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString regular = directory.filePath(QStringLiteral("regular"));
    QVERIFY(writePlain(regular, kOldBytes));
    QString path = kind.startsWith(QLatin1Char('/')) ? kind : directory.filePath(kind);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(fifo, path));
    } else if (kind == QLatin1String("large")) {
        QVERIFY(writePlain(path, QByteArray(kOldBytes.size() + 1, 'x')));
    } else if (kind == QLatin1String("good link")) {
        QVERIFY(QFile::link(regular, path));
    }

    QElapsedTimer clock;
    clock.start();
    QByteArray bytes("untouched");
    QString error;
    const bool read = readInputFile(path, kOldBytes.size(), bytes, &error);
    // Opening the FIFO used to wait for a writer forever; a generous bound still tells waiting from not.
    QVERIFY(clock.elapsed() < 5000);
    if (message.isEmpty()) {
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(bytes, kOldBytes);
    } else {
        QVERIFY(!read);
        QCOMPARE(error, message);
        QCOMPARE(bytes, QByteArray("untouched"));
    }
}

void TestAtomicSave::sameFile_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");

    QTest::addRow("two spellings of a file") << "g.csv"
                                             << "./g.csv" << true;
    QTest::addRow("through the parent") << "sub/../g.csv"
                                        << "g.csv" << true;
    QTest::addRow("a hard link") << "g.csv"
                                 << "hard.csv" << true;
    QTest::addRow("a symbolic link") << "soft.csv"
                                     << "g.csv" << true;
    QTest::addRow("two spellings of a new file") << "new.html"
                                                 << "./sub/../new.html" << true;
    QTest::addRow("different files") << "g.csv"
                                     << "other.csv" << false;
    QTest::addRow("a new file and an existing one") << "new.html"
                                                    << "g.csv" << false;
}

void TestAtomicSave::sameFile()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    QVERIFY(QDir().mkdir(directory.filePath(QStringLiteral("sub"))));
    QVERIFY(writePlain(directory.filePath(QStringLiteral("g.csv")), kOldBytes));
    QVERIFY(writePlain(directory.filePath(QStringLiteral("other.csv")), kOldBytes));
    QCOMPARE(::link(QFile::encodeName(directory.filePath(QStringLiteral("g.csv"))).constData(),
                    QFile::encodeName(directory.filePath(QStringLiteral("hard.csv"))).constData()),
             0);
    QVERIFY(QFile::link(directory.filePath(QStringLiteral("g.csv")), directory.filePath(QStringLiteral("soft.csv"))));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(directory.path()));
    const bool answer = isSameFile(first, second);
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(answer, same);
}

void TestAtomicSave::guardSweepsWhatAKilledTestLeft()
{
    if (geteuid() != 0) {
        QSKIP("only root needs the immutable attribute, and so the sweep");
    }
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString folder = directory.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(folder));
    // A test killed while its folder is immutable: the child sets the attribute and dies at once.
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const ReadOnlyDirectory locked(folder);
        ::raise(locked.refusesNewFiles() ? SIGKILL : SIGTERM);
        ::_exit(1);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    if (WTERMSIG(status) != SIGKILL) {
        QSKIP("the immutable attribute is not available on this file system");
    }
    QVERIFY(!QDir(folder).removeRecursively());

    ReadOnlyDirectory::sweepLeftovers();
    QVERIFY(!QFileInfo::exists(folder));
}

QTEST_GUILESS_MAIN(TestAtomicSave)

#include "test_atomic_save.moc"
