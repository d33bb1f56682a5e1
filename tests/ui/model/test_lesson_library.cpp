// Pack lessons on the shelf and in the library: indices that hold for the run, texts that stay valid, packs that
// open whole or not at all, and the experiment answering a pack's challenge as the lesson's own.
#include "editor/LessonPack.h"
#include "tests/editor/PackSeed.h"
#include "tests/support/FileBytes.h"
#include "ui/model/Experiment.h"
#include "ui/model/LessonLibrary.h"
#include "ui/model/LessonShelf.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Fasoria;

class TestLessonLibrary : public QObject
{
    Q_OBJECT

private slots:
    void shelvedLessonsKeepTheirIndex()
    {
        const LessonPack pack = superdenseSeedPack();
        const std::int32_t guided = shelveLesson(pack.lessons[0], pack.titleIt, pack.titleEn);
        const std::int32_t challenge = shelveLesson(pack.lessons[1], pack.titleIt, pack.titleEn);
        QVERIFY(guided >= catalogLessonCount());
        QVERIFY(challenge != guided);
        // The same lesson of the same pack is the same shelf entry; under another pack's title it is another.
        QCOMPARE(shelveLesson(pack.lessons[0], pack.titleIt, pack.titleEn), guided);
        QVERIFY(shelveLesson(pack.lessons[0], pack.titleIt, QStringLiteral("Other")) != guided);

        const Lesson &lesson = *lessonAt(guided);
        QCOMPARE(QString::fromUtf8(lesson.titleEn), QStringLiteral("Superdense coding"));
        QCOMPARE(QString::fromUtf8(lesson.steps[1].explanationIt), pack.lessons[0].stepTexts[1].first);
        QCOMPARE(lesson.steps.size(), pack.lessons[0].guided->steps.size());
        // A challenge lesson shows an empty register of the challenge's width.
        QCOMPARE(lessonAt(challenge)->steps.size(), std::size_t{0});
        QCOMPARE(lessonAt(challenge)->qubitCount, 2);
        QVERIFY(shelvedLesson(challenge)->challenge != nullptr);
        QCOMPARE(shelvedLesson(guided)->challenge, nullptr);

        QCOMPARE(lessonAt(0), &lessonCatalog()[0]);
        QCOMPARE(shelvedLesson(0), nullptr);
        QCOMPARE(lessonAt(-1), nullptr);
        QCOMPARE(lessonAt(catalogLessonCount() + 10000), nullptr);

        const Circuit gates = packLessonGates(pack.lessons[0]);
        QCOMPARE(gates.steps.size(), std::size_t{6});
        QCOMPARE(gates.steps[0].explanationIt, nullptr);
    }

    void packsOpenWholeOrNotAtAll()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const QString path = directory.filePath(QStringLiteral("a.lessons.json"));
        QVERIFY(QFile::copy(kSuperdenseSeed, path));
        LessonLibrary library;
        QSignalSpy changed(&library, &LessonLibrary::changed);
        QString error;
        QVERIFY2(library.open(path, &error), qPrintable(error));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(library.packs().size(), std::size_t{1});
        const OpenPack &pack = library.packs().front();
        QCOMPARE(pack.titleEn, QStringLiteral("Entanglement at work"));
        QCOMPARE(pack.lessons.size(), std::size_t{2});
        QCOMPARE(library.lessonOf(path, QStringLiteral("sdc-challenge")), pack.lessons[1]);
        QCOMPARE(library.lessonOf(path, QStringLiteral("SDC")), -1);
        QCOMPARE(library.packOf(pack.lessons[0]), &library.packs().front());
        QCOMPARE(library.packOf(3), nullptr);

        // A corrected pack opened again replaces its lessons in place.
        LessonPack corrected = superdenseSeedPack();
        corrected.lessons.pop_back();
        QVERIFY(saveLessonPackFile(path, corrected, &error));
        QVERIFY(library.open(path, &error));
        QCOMPARE(library.packs().size(), std::size_t{1});
        QCOMPARE(library.packs().front().lessons.size(), std::size_t{1});

        // A refused pack changes nothing and announces nothing.
        const QString broken = directory.filePath(QStringLiteral("b.lessons.json"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(readFile(kSuperdenseSeed).replace("\"sdc-challenge\"", "\"sdc\""));
        file.close();
        changed.clear();
        QVERIFY(!library.open(broken, &error));
        QVERIFY2(error.contains(QStringLiteral("sdc")), qPrintable(error));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(library.paths(), QStringList(QFileInfo(path).absoluteFilePath()));

        // Remembered packs: the refused and the missing are dropped, the others open in their order.
        LessonLibrary next;
        const std::vector<DroppedPack> dropped =
            next.openRemembered({broken, path, directory.filePath(QStringLiteral("gone.lessons.json"))});
        QCOMPARE(dropped.size(), std::size_t{2});
        QCOMPARE(dropped[0].path, broken);
        QCOMPARE(next.paths(), QStringList(QFileInfo(path).absoluteFilePath()));
        next.closeAll();
        QVERIFY(next.packs().empty());
    }

    void theExperimentAnswersThePacksChallenge()
    {
        const LessonPack pack = superdenseSeedPack();
        const std::int32_t index = shelveLesson(pack.lessons[1], pack.titleIt, pack.titleEn);
        Experiment experiment;
        QVERIFY(experiment.startLesson(index));
        QVERIFY(experiment.answersPackChallenge());
        QVERIFY(experiment.hasChallenge());
        QCOMPARE(experiment.hintCount(), 3);
        QCOMPARE(QString::fromUtf8(experiment.workingCircuit()->questionEn),
                 QStringLiteral("Which gates write the bits 11 on Alice's qubit?"));

        // A copy of the same challenge, as a session brings it back, is still the lesson's own.
        ExperimentRecord record;
        record.lessonIndex = index;
        record.workingCircuit = *experiment.workingCircuit();
        record.challengeMode = true;
        record.customChallenge = *pack.lessons[1].challenge;
        record.state = *experiment.state();
        QVERIFY(experiment.restore(record));
        QVERIFY(experiment.answersPackChallenge());
        // Another challenge over the lesson is a teacher's file, not the lesson's.
        ChallengeFile other = *pack.lessons[1].challenge;
        other.definition.goalEn = "Another goal.";
        record.customChallenge = other;
        QVERIFY(experiment.restore(record));
        QVERIFY(!experiment.answersPackChallenge());
        QVERIFY(experiment.customChallenge() != nullptr);

        QVERIFY(!experiment.startLesson(catalogLessonCount() + 100000));
    }
};

QTEST_GUILESS_MAIN(TestLessonLibrary)
#include "test_lesson_library.moc"
