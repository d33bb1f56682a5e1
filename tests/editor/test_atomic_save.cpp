#include "editor/AtomicSave.h"
#include "tests/support/ReadOnlyDirectory.h"

#include <QtTest>

#include <optional>

using namespace Fasoria;

namespace {

const QByteArray kOldBytes("old file, must survive\n");
const QByteArray kNewBytes("{\n    \"new\": true\n}\n");

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

QTEST_GUILESS_MAIN(TestAtomicSave)

#include "test_atomic_save.moc"
