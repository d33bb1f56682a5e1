// The file commands over an experiment and its session, without a window: the save-before-continue guard,
// refused files, completed names and files given by name.
#include "core/Circuit.h"
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitEditor.h"
#include "editor/CircuitFile.h"
#include "education/model/StudySession.h"
#include "tests/education/SessionSamples.h"
#include "tests/support/FileBytes.h"
#include "ui/commands/FileCommands.h"
#include "ui/model/Experiment.h"
#include "ui/widgets/Prompts.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Fasoria;

namespace {

/// Every file of `directory` with its bytes.
QMap<QString, QByteArray> contents(const QDir &directory)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : directory.entryList(QDir::Files)) {
        files.insert(name, readFile(directory.filePath(name)));
    }
    return files;
}

StudyTexts notes(const char *text)
{
    StudyTexts texts;
    texts.notes = QString::fromUtf8(text);
    return texts;
}

/// The objects a window puts together, with message boxes and file dialogs answered from queues.
struct Desk
{
    Experiment experiment;
    StudySession session{experiment};
    Prompts prompts{nullptr};
    FileCommands files{experiment, session, prompts};
    QList<QMessageBox::Icon> asked;
    QList<QMessageBox::StandardButton> answers;
    QStringList fileNames;
    int dialogs = 0;

    Desk()
    {
        prompts.setMessageBoxHandler([this](QWidget *, QMessageBox::Icon icon, const QString &, const QString &,
                                            QMessageBox::StandardButtons, QMessageBox::StandardButton) {
            asked << icon;
            return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
        });
        prompts.setFileDialogHandler(
            [this](QWidget *, FileDialogMode, const QString &, const QString &, const QString &) {
                ++dialogs;
                return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
            });
        session.startAfresh([](Experiment &shown) { return shown.startLesson(0); });
    }

    /// A new circuit saved at `path` and then given one gate, so that it has unsaved changes.
    bool editSavedCircuit(const QString &path)
    {
        files.newCircuit();
        return files.saveCircuitAs(path) &&
               experiment.applyEdit(
                   EditAction::GateInserted, 1,
                   [](CircuitEditor &editor) { editor.insertGate(0, LessonStep(GateKind::H, 0, 0, 0.0)); }) &&
               experiment.document().isModified();
    }
};

enum class Work
{
    None,
    NewCircuit,
    EditedCircuitFile,
    EditedSessionFile,
    UnsavedSession,
};

enum class Kind
{
    Session,
    Challenge,
    Circuit,
};

} // namespace

Q_DECLARE_METATYPE(QMessageBox::StandardButton)
Q_DECLARE_METATYPE(Work)
Q_DECLARE_METATYPE(Kind)

class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
    }
    void cleanup() { m_directory.reset(); }
    void guardSavesWhereTheWorkBelongs_data();
    void guardSavesWhereTheWorkBelongs();
    void refusedCircuitChangesNothing_data();
    void refusedCircuitChangesNothing();
    void savedCircuitNames_data();
    void savedCircuitNames();
    void givenFilesOpenByTheirEnding_data();
    void givenFilesOpenByTheirEnding();
    void lessonFromScratch_data();
    void lessonFromScratch();

private:
    QString path(const QString &name) const { return m_directory->filePath(name); }
    QDir directory() const { return QDir(m_directory->path()); }

    std::unique_ptr<QTemporaryDir> m_directory;
};

void TestFileCommands::guardSavesWhereTheWorkBelongs_data()
{
    QTest::addColumn<Work>("work");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<QString>("written");
    const auto cancel = QMessageBox::Cancel;
    const auto save = QMessageBox::Save;
    QTest::addRow("nothing unsaved") << Work::None << cancel << QString() << true << 0 << QString();
    QTest::addRow("circuit, cancel") << Work::NewCircuit << cancel << QString() << false << 0 << QString();
    QTest::addRow("circuit, box closed") << Work::NewCircuit << QMessageBox::NoButton << QString() << false << 0
                                         << QString();
    QTest::addRow("circuit, discard") << Work::NewCircuit << QMessageBox::Discard << QString() << true << 0
                                      << QString();
    QTest::addRow("new circuit, save") << Work::NewCircuit << save << "named" << true << 1 << "named.fsor.json";
    QTest::addRow("new circuit, no name") << Work::NewCircuit << save << QString() << false << 1 << QString();
    QTest::addRow("circuit file, save") << Work::EditedCircuitFile << save << QString() << true << 0
                                        << "work.fsor.json";
    QTest::addRow("session file, cancel") << Work::EditedSessionFile << cancel << QString() << false << 0 << QString();
    QTest::addRow("session file, save") << Work::EditedSessionFile << save << QString() << true << 0
                                        << "study.session.json";
    QTest::addRow("new session, save") << Work::UnsavedSession << save << "mine" << true << 1 << "mine.session.json";
}

void TestFileCommands::guardSavesWhereTheWorkBelongs()
{
    QFETCH(Work, work);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, chosen);
    QFETCH(bool, goOn);
    QFETCH(int, dialogs);
    QFETCH(QString, written);
    Desk desk;
    if (work == Work::NewCircuit) {
        desk.files.newCircuit();
    } else if (work == Work::EditedCircuitFile) {
        QVERIFY(desk.editSavedCircuit(path(QStringLiteral("work"))));
    } else if (work == Work::EditedSessionFile) {
        desk.session.setTexts(notes("first"));
        QVERIFY(desk.files.saveLearningSession(path(QStringLiteral("study"))));
        desk.session.setTexts(notes("second"));
    } else if (work == Work::UnsavedSession) {
        desk.session.setTexts(notes("first"));
    }
    QCOMPARE(desk.experiment.document().hasUnsavedWork(), work != Work::None);
    QMap<QString, QByteArray> before = contents(directory());
    desk.asked.clear();
    desk.answers << answer;
    if (!chosen.isEmpty()) {
        desk.fileNames << path(chosen);
    }

    QCOMPARE(desk.files.confirmDiscard(), goOn);
    QCOMPARE(desk.asked.size(), work == Work::None ? 0 : 1);
    QCOMPARE(desk.dialogs, dialogs);
    if (!written.isEmpty()) {
        // The file saved holds the work as it stands, and nothing is left unsaved.
        const QByteArray bytes = readFile(path(written));
        QCOMPARE(bytes, written.endsWith(QStringLiteral(".session.json"))
                            ? desk.session.serialise()
                            : serializeCircuit(*desk.experiment.workingCircuit()));
        QVERIFY(!desk.experiment.document().hasUnsavedWork());
        before.insert(written, bytes);
    }
    QCOMPARE(contents(directory()), before);
}

void TestFileCommands::refusedCircuitChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isDirectory");
    QTest::addRow("not JSON") << QByteArray("{\"format\": ") << false;
    QTest::addRow("a session") << QByteArray("{\"format\": \"FasoriaSession\", \"version\": 1}") << false;
    QTest::addRow("missing") << QByteArray() << false;
    QTest::addRow("a directory") << QByteArray() << true;
}

void TestFileCommands::refusedCircuitChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isDirectory);
    Desk desk;
    QVERIFY(desk.editSavedCircuit(path(QStringLiteral("work"))));
    desk.session.setTexts(notes("typed"));
    const QString target = path(QStringLiteral("refused.fsor.json"));
    if (isDirectory) {
        QVERIFY(directory().mkdir(QStringLiteral("refused.fsor.json")));
    } else if (!bytes.isEmpty()) {
        QVERIFY(writeFile(target, bytes));
    }
    const QByteArray circuit = serializeCircuit(*desk.experiment.workingCircuit());
    const QByteArray session = desk.session.serialise();
    desk.asked.clear();
    QSignalSpy documentChanged(&desk.files, &FileCommands::documentChanged);

    QVERIFY(!desk.files.openCircuitFile(target));
    QCOMPARE(desk.asked, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QCOMPARE(serializeCircuit(*desk.experiment.workingCircuit()), circuit);
    QCOMPARE(desk.experiment.document().path(), path(QStringLiteral("work.fsor.json")));
    QVERIFY(desk.experiment.document().isModified());
    QVERIFY(desk.session.marks().dirty);
    QCOMPARE(desk.session.serialise(), session);
    QCOMPARE(documentChanged.count(), 0);
}

void TestFileCommands::savedCircuitNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("inTheWay");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addRow("plain name") << "plain"
                                << "plain.fsor.json" << QString() << QMessageBox::Ok << true;
    QTest::addRow("any JSON") << "upper.JSON"
                              << "upper.JSON" << QString() << QMessageBox::Ok << true;
    QTest::addRow("complete name") << "done.fsor.json"
                                   << "done.fsor.json" << QString() << QMessageBox::Ok << true;
    QTest::addRow("replace agreed") << "taken"
                                    << "taken.fsor.json"
                                    << "file" << QMessageBox::Yes << true;
    QTest::addRow("replace refused") << "taken"
                                     << "taken.fsor.json"
                                     << "file" << QMessageBox::No << false;
    QTest::addRow("directory in the way") << "blocked.fsor.json"
                                          << "blocked.fsor.json"
                                          << "directory" << QMessageBox::Ok << false;
}

void TestFileCommands::savedCircuitNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    QFETCH(QString, inTheWay);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, saved);
    Desk desk;
    QVERIFY(desk.editSavedCircuit(path(QStringLiteral("work"))));
    const QByteArray old("old file");
    if (inTheWay == QStringLiteral("file")) {
        QVERIFY(writeFile(path(stored), old));
    } else if (inTheWay == QStringLiteral("directory")) {
        QVERIFY(directory().mkdir(stored));
    }
    desk.asked.clear();
    desk.answers << answer;
    QSignalSpy documentChanged(&desk.files, &FileCommands::documentChanged);

    QCOMPARE(desk.files.saveCircuitAs(path(chosen)), saved);
    QCOMPARE(documentChanged.count(), saved ? 1 : 0);
    QCOMPARE(desk.experiment.document().path(), path(saved ? stored : QStringLiteral("work.fsor.json")));
    QCOMPARE(desk.experiment.document().isModified(), !saved);
    if (saved) {
        QCOMPARE(readFile(path(stored)), serializeCircuit(*desk.experiment.workingCircuit()));
    } else if (inTheWay == QStringLiteral("file")) {
        QCOMPARE(readFile(path(stored)), old);
    } else {
        QCOMPARE(desk.asked, QList<QMessageBox::Icon>{QMessageBox::Warning});
    }
}

void TestFileCommands::givenFilesOpenByTheirEnding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Kind>("written");
    QTest::addColumn<bool>("opened");
    QTest::addRow("session") << "given.session.json" << Kind::Session << true;
    QTest::addRow("challenge") << "given.challenge.json" << Kind::Challenge << true;
    QTest::addRow("circuit") << "given.fsor.json" << Kind::Circuit << true;
    QTest::addRow("circuit named as a session") << "circuit.session.json" << Kind::Circuit << false;
    QTest::addRow("session named as a challenge") << "session.challenge.json" << Kind::Session << false;
    QTest::addRow("challenge named as a circuit") << "challenge.json" << Kind::Challenge << false;
}

void TestFileCommands::givenFilesOpenByTheirEnding()
{
    QFETCH(QString, name);
    QFETCH(Kind, written);
    QFETCH(bool, opened);
    const QString target = path(name);
    QByteArray expected;
    {
        Desk author;
        QString error;
        if (written == Kind::Session) {
            author.session.setTexts(notes("saved notes"));
            QVERIFY(author.experiment.nextStep());
            QVERIFY(author.files.saveLearningSession(target));
            expected = author.session.serialise();
        } else if (written == Kind::Circuit) {
            QVERIFY(author.editSavedCircuit(target));
            QVERIFY(author.files.saveCircuit(false));
            expected = serializeCircuit(*author.experiment.workingCircuit());
        } else {
            QVERIFY2(saveChallengeFile(target, *Samples::customChallengeSession().customChallenge, &error),
                     qPrintable(error));
        }
    }

    Desk desk;
    QSignalSpy sessionOpened(&desk.files, &FileCommands::sessionOpened);
    QCOMPARE(desk.files.openGivenFile(target), opened);
    QCOMPARE(desk.asked.size(), opened ? 0 : 1);
    QCOMPARE(sessionOpened.count(), opened && written == Kind::Session ? 1 : 0);
    if (!opened) {
        QVERIFY(!desk.experiment.workingCircuit());
        QCOMPARE(desk.experiment.currentStep(), std::uint64_t(0));
    } else if (written == Kind::Session) {
        QCOMPARE(desk.session.serialise(), expected);
        QCOMPARE(desk.session.marks().path, target);
        QCOMPARE(desk.session.texts().notes, QStringLiteral("saved notes"));
    } else if (written == Kind::Challenge) {
        QVERIFY(desk.experiment.customChallenge());
        QVERIFY(desk.experiment.isChallengeMode());
        QCOMPARE(desk.experiment.workingCircuit()->qubitCount, 2);
    } else {
        QCOMPARE(serializeCircuit(*desk.experiment.workingCircuit()), expected);
        QCOMPARE(desk.experiment.document().path(), target);
        QVERIFY(!desk.experiment.document().isModified());
    }
}

void TestFileCommands::lessonFromScratch_data()
{
    const auto lessons = static_cast<int>(lessonCatalog().size());
    QTest::addColumn<int>("index");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("started");
    QTest::addRow("before the first") << -1 << QMessageBox::Discard << false;
    QTest::addRow("past the last") << lessons << QMessageBox::Discard << false;
    QTest::addRow("work kept") << 2 << QMessageBox::Cancel << false;
    QTest::addRow("work discarded") << 2 << QMessageBox::Discard << true;
    QTest::addRow("the lesson shown") << 0 << QMessageBox::Discard << true;
}

void TestFileCommands::lessonFromScratch()
{
    QFETCH(int, index);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, started);
    Desk desk;
    QVERIFY(desk.experiment.nextStep());
    desk.session.setTexts(notes("typed"));
    desk.answers << answer;
    const bool inCatalog = index >= 0 && index < static_cast<int>(lessonCatalog().size());

    QCOMPARE(desk.files.startLessonAfresh(index), started);
    // An index outside the catalog is refused before anything is asked.
    QCOMPARE(desk.asked.size(), inCatalog ? 1 : 0);
    QCOMPARE(desk.experiment.lessonIndex(), started ? index : 0);
    QCOMPARE(desk.experiment.currentStep(), std::uint64_t(started ? 0 : 1));
    QCOMPARE(desk.session.texts().notes.isEmpty(), started);
    QCOMPARE(desk.session.marks().dirty, !started);
}

QTEST_MAIN(TestFileCommands)

#include "test_file_commands.moc"
