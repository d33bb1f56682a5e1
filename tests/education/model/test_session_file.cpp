#include "editor/CircuitFile.h"
#include "education/model/LearningSession.h"
#include "tests/education/SessionSamples.h"

#include <QtTest>

using namespace Fasoria;
using namespace Fasoria::Samples;

class TestSessionFile : public QObject
{
    Q_OBJECT

private slots:
    void fileNames_data();
    void fileNames();
    void limits_data();
    void limits();
    void saveAndOpen();
    void refusedSaves_data();
    void refusedSaves();
    void unreadableFiles();
    void summary_data();
    void summary();
};

void TestSessionFile::fileNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::addRow("bare") << "work"
                          << "work.session.json";
    QTest::addRow("capital JSON") << "A.JSON"
                                  << "A.JSON";
    QTest::addRow("already named") << "/tmp/x.session.json"
                                   << "/tmp/x.session.json";
    QTest::addRow("other extension") << "notes.txt"
                                     << "notes.txt.session.json";
}

void TestSessionFile::fileNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QCOMPARE(sessionFileName(chosen), expected);
}

void TestSessionFile::limits_data()
{
    QTest::addColumn<int>("member");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("exceeds");
    QTest::addRow("notes 32,768") << 0 << 32768 << false;
    QTest::addRow("notes 32,769") << 0 << 32769 << true;
    QTest::addRow("conclusion 32,769") << 1 << 32769 << true;
    QTest::addRow("question 32,769") << 2 << 32769 << true;
    QTest::addRow("recorded reasoning 32,769") << 3 << 32769 << true;
}

void TestSessionFile::limits()
{
    QFETCH(int, member);
    QFETCH(int, length);
    QFETCH(bool, exceeds);
    SessionData session = richSession();
    QString *const members[] = {&session.notes, &session.conclusion, &session.question, &session.predictionReason};
    *members[member] = QString(length, QLatin1Char('y'));
    QCOMPARE(exceedsSessionLimits(session, serialiseSession(session)), exceeds);
}

void TestSessionFile::saveAndOpen()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(sessionFileName(QStringLiteral("work")));
    QByteArray written;
    QString error;
    QVERIFY2(saveSessionFile(path, richSession(), English, &written, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written);
    QCOMPARE(written, serialiseSession(richSession()));

    SessionData opened = sentinel();
    SessionRefusal refusal;
    QVERIFY(openSessionFile(path, opened, &refusal));
    QCOMPARE(refusal.error, SessionError::None);
    QCOMPARE(serialiseSession(opened), written);
}

void TestSessionFile::refusedSaves_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("expected");
    QTest::addRow("notes over the limit")
        << 0 << "Session text exceeds the supported limit (32,768 characters per field).";
    QTest::addRow("measurement the stage rules out")
        << 1 << "The session cannot be saved as a readable file: Impossible recorded measurement";
    QTest::addRow("stage past the circuit")
        << 2 << "The session cannot be saved as a readable file: Invalid session values";
    QTest::addRow("escape sequence in the notes")
        << 3 << "The session cannot be saved as a readable file: Invalid session text";
}

void TestSessionFile::refusedSaves()
{
    QFETCH(int, change);
    QFETCH(QString, expected);
    SessionData session = richSession();
    if (change == 0) {
        session.notes = QString(32769, QLatin1Char('n'));
    } else if (change == 3) {
        session.notes = QStringLiteral("red \x1b[31m text");
    } else {
        session.stage = change == 1 ? 0 : 2;
        session.shotCount = 0;
        session.histogram.clear();
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("s.session.json"));
    QFile previous(path);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write("previous");
    previous.close();
    QByteArray written = "untouched";
    QString error;
    QVERIFY(!saveSessionFile(path, session, English, &written, &error));
    QCOMPARE(error, expected);
    QCOMPARE(written, QByteArray("untouched"));
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("previous"));
    if (change == 0) {
        QVERIFY(!saveSessionFile(path, session, Italian, nullptr, &error));
        QCOMPARE(error, QStringLiteral("Testo oltre il limite supportato (32.768 caratteri per campo)."));
    }
}

void TestSessionFile::unreadableFiles()
{
    QTemporaryDir folder;
    const QString large = folder.filePath(QStringLiteral("large.session.json"));
    QFile file(large);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray valid = serialiseSession(richSession());
    file.write(QByteArray(kMaxJsonDocumentBytes + 1 - valid.size(), ' ') + valid);
    file.close();
    for (const QString &path : {large, folder.filePath(QStringLiteral("missing.json")), folder.path()}) {
        SessionData destination = sentinel();
        SessionRefusal refusal;
        QVERIFY(!openSessionFile(path, destination, &refusal));
        QCOMPARE(refusal.error, SessionError::Unreadable);
        QVERIFY(!refusal.detail.isEmpty());
        QCOMPARE(refusal.text(English), QStringLiteral("Unreadable or oversized session."));
        QCOMPARE(serialiseSession(destination), serialiseSession(sentinel()));
    }
}

void TestSessionFile::summary_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::addRow("rich, English") << 0 << 1
                                   << "Lesson 1 \"01 - The quantum coin\"; stage 1 of 1; measurement: 1; "
                                      "preparations: 100; predictions: outcome |0>, distribution \"All outcomes "
                                      "equally likely\"; notes: yes";
    QTest::addRow("rich, Italian") << 0 << 0
                                   << "Lezione 1 \"01 - La moneta quantistica\"; passo 1 di 1; misura: 1; "
                                      "preparazioni: 100; previsioni: esito |0>, distribuzione \"Tutti gli esiti "
                                      "equiprobabili\"; note: sì";
    QTest::addRow("challenge, English") << 1 << 1
                                        << "Lesson 5 \"05 - Turn the qubit on\" (working circuit); stage 1 of 1; "
                                           "measurement: none; preparations: 0; predictions: none; notes: no";
    QTest::addRow("generated, Italian") << 2 << 0
                                        << "Lezione 1 \"01 - La moneta quantistica\" (circuito di lavoro: Grover "
                                           "configurabile); passo 51 di 99; misura: nessuna; preparazioni: 0; "
                                           "previsioni: nessuna; note: no";
    QTest::addRow("notebook, English") << 3 << 1
                                       << "Lesson 1 \"01 - The quantum coin\"; stage 1 of 1; measurement: 1; "
                                          "preparations: 100; predictions: outcome |0>, distribution \"All outcomes "
                                          "equally likely\"; notes: yes; notebook: 12 entries";
    QTest::addRow("notebook, Italian") << 3 << 0
                                       << "Lezione 1 \"01 - La moneta quantistica\"; passo 1 di 1; misura: 1; "
                                          "preparazioni: 100; previsioni: esito |0>, distribuzione \"Tutti gli "
                                          "esiti equiprobabili\"; note: sì; quaderno: 12 voci";
}

void TestSessionFile::summary()
{
    QFETCH(int, which);
    QFETCH(int, language);
    QFETCH(QString, expected);
    const SessionData sessions[] = {richSession(), challengeSession(), generatedSession(), notebookSession()};
    QCOMPARE(sessionSummary(sessions[which], static_cast<Language>(language)), expected);
}

QTEST_GUILESS_MAIN(TestSessionFile)
#include "test_session_file.moc"
