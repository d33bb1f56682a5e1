// Texts read from files reach the window as text: markup in a teacher's goal or hint, in a session's challenge or
// in a refused member's name is shown literally, and no path named inside a file is ever opened.
#include "editor/ChallengeFile.h"
#include "tests/ui/WindowHarness.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Fasoria;

namespace {

/// A FIFO and a thread that waits to write into it: a reader that opens the FIFO (the toolkit loading an image
/// it names) is counted and gets an empty file at once, instead of hanging the window.
class FifoWatch
{
public:
    explicit FifoWatch(const QString &path) : m_path(QFile::encodeName(path))
    {
        QFile::remove(path);
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made) {
            m_thread = std::thread([this] {
                while (!m_stopping) {
                    const int fd = ::open(m_path.constData(), O_WRONLY);
                    if (!m_stopping) {
                        ++m_opened;
                    }
                    if (fd >= 0) {
                        ::close(fd);
                    }
                }
            });
        }
    }
    ~FifoWatch()
    {
        if (!m_made) {
            return;
        }
        m_stopping = true;
        // Our own reader releases the writer's blocking open.
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        m_thread.join();
        if (fd >= 0) {
            ::close(fd);
        }
        ::unlink(m_path.constData());
    }
    FifoWatch(const FifoWatch &) = delete;
    FifoWatch &operator=(const FifoWatch &) = delete;

    bool isMade() const { return m_made; }
    int openedByReaders() const { return m_opened; }

private:
    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_opened{0};
    std::thread m_thread;
};

ChallengeFile challengeWith(const QString &goal, const QString &hint)
{
    ChallengeFile challenge;
    challenge.definition.qubitCount = 1;
    challenge.definition.goalIt = goal.toStdString();
    challenge.definition.goalEn = goal.toStdString();
    setChallengeHints(challenge.definition, {hint.toStdString(), "", ""}, {hint.toStdString(), "", ""});
    Circuit reference = customCircuit(1);
    reference.steps.emplace_back(GateKind::X, 0, 0, 0.0);
    challenge.reference = reference;
    challenge.definition.target = targetFromCircuit(*challenge.reference);
    return challenge;
}

/// What a screen reader announces for a widget: the text as the toolkit renders it.
QString heard(QWidget *widget)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(widget);
    return interface != nullptr ? interface->text(QAccessible::Name) : QString();
}

} // namespace

class TestHostileTexts : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaHostileTextsTest"));
        QVERIFY(m_directory.isValid());
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void markupInAGoalIsShownLiterally_data();
    void markupInAGoalIsShownLiterally();
    void pathsNamedInFilesAreNeverOpened_data();
    void pathsNamedInFilesAreNeverOpened();
    void refusedMemberNamesAreQuotedAsText();
    void programLinksStayLinks();

private:
    /// Opens `challenge` as a file, or as the challenge of a saved session when `throughSession` is set.
    void openChallenge(const ChallengeFile &challenge, bool throughSession)
    {
        const QString path = m_directory.filePath(QStringLiteral("hostile.challenge.json"));
        QString error;
        QVERIFY2(saveChallengeFile(path, challenge, &error), qPrintable(error));
        QVERIFY(m_window->files().openGivenFile(path));
        if (throughSession) {
            const QString session = m_directory.filePath(QStringLiteral("hostile.session.json"));
            QVERIFY(m_window->files().saveLearningSession(session));
            startWindow();
            QVERIFY(m_window->files().openGivenFile(session));
        }
        QVERIFY(m_window->experiment().customChallenge() != nullptr);
    }

    QTemporaryDir m_directory;
};

void TestHostileTexts::markupInAGoalIsShownLiterally_data()
{
    QTest::addColumn<bool>("throughSession");
    QTest::addColumn<int>("language");
    QTest::addRow("challenge file, Italian") << false << 0;
    QTest::addRow("challenge file, English") << false << 1;
    QTest::addRow("session's challenge, Italian") << true << 0;
    QTest::addRow("session's challenge, English") << true << 1;
}

void TestHostileTexts::markupInAGoalIsShownLiterally()
{
    QFETCH(bool, throughSession);
    QFETCH(int, language);
    const QString goal = QStringLiteral("<h1 style=\"color:green\">SOLVED! 100%</h1>");
    const QString hint = QStringLiteral("<b>press</b> <a href=\"chapter-oracles\">here</a>");
    openChallenge(challengeWith(goal, hint), throughSession);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    click("m_challengeHintButton");
    for (const char *name : {"m_question", "m_challengeGoal"}) {
        auto *label = part<QLabel>(name);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), goal);
        QCOMPARE(heard(label), goal);
    }
    auto *hintLabel = part<QLabel>("m_challengeHint");
    QCOMPARE(hintLabel->textFormat(), Qt::PlainText);
    QVERIFY2(hintLabel->text().endsWith(hint), qPrintable(hintLabel->text()));
    QVERIFY2(heard(hintLabel).endsWith(hint), qPrintable(heard(hintLabel)));
}

void TestHostileTexts::pathsNamedInFilesAreNeverOpened_data()
{
    QTest::addColumn<bool>("inHint");
    QTest::addColumn<bool>("throughSession");
    QTest::addRow("goal") << false << false;
    QTest::addRow("hint") << true << false;
    QTest::addRow("session's goal") << false << true;
}

void TestHostileTexts::pathsNamedInFilesAreNeverOpened()
{
    QFETCH(bool, inHint);
    QFETCH(bool, throughSession);
    const QString fifo = m_directory.filePath(QStringLiteral("picture.png"));
    FifoWatch watch(fifo);
    QVERIFY(watch.isMade());
    const QString image = QStringLiteral("<img src=\"%1\" width=30000>").arg(fifo);
    const ChallengeFile challenge =
        inHint ? challengeWith(QStringLiteral("Flip it."), image) : challengeWith(image, QStringLiteral("Use X."));
    QElapsedTimer timer;
    timer.start();
    openChallenge(challenge, throughSession);
    if (inHint) {
        click("m_challengeHintButton");
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->grab();
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(watch.openedByReaders(), 0);
    // The drawing keeps its place on the screen: no 30000-pixel picture widened the panel.
    QVERIFY(part<QWidget>("m_challengeBox")->width() < 2000);
}

void TestHostileTexts::refusedMemberNamesAreQuotedAsText()
{
    QTemporaryDir shortDirectory(QDir::tempPath() + QStringLiteral("/fXXXXXX"));
    QVERIFY(shortDirectory.isValid());
    const QString fifo = shortDirectory.filePath(QStringLiteral("p"));
    FifoWatch watch(fifo);
    QVERIFY(watch.isMade());
    const QString member = QStringLiteral("<img src=%1>").arg(fifo);
    const QString path = m_directory.filePath(QStringLiteral("member.challenge.json"));
    QVERIFY(writeFile(path, QStringLiteral(R"({"format":"FasoriaChallenge","version":1,"qubits":1,"goal_it":"G",)"
                                           R"("goal_en":"G","target_amplitudes":[{"index":1,"re":1,"im":0}],)"
                                           R"("%1":1})")
                                .arg(member)
                                .toUtf8()));
    // The real message box, laid out and painted before it is closed.
    m_window->setMessageBoxHandler({});
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            text = box->text();
            box->grab();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(10);
    QVERIFY(!m_window->files().openGivenFile(path));
    poll.stop();
    QCOMPARE(format, Qt::PlainText);
    QVERIFY2(text.contains(QStringLiteral("Unknown member")) && text.contains(QStringLiteral("<img src=")),
             qPrintable(text));
    QCOMPARE(watch.openedByReaders(), 0);
}

void TestHostileTexts::programLinksStayLinks()
{
    // The program's own links into the handbook are the markup that remains.
    m_window->selectLesson(19);
    auto *link = part<QLabel>("m_algorithmHandbookLink");
    QCOMPARE(link->textFormat(), Qt::RichText);
    QVERIFY(link->text().contains(QStringLiteral("<a href=\"chapter-oracles\">")));
    QVERIFY(!heard(link).contains(QLatin1Char('<')));
}

QTEST_MAIN(TestHostileTexts)
#include "test_hostile_texts.moc"
