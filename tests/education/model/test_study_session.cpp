// The learning session beside an experiment, driven without a window: fresh starts, the distribution
// prediction across rebuilds, the unsaved mark, and the session's bytes.
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitEditor.h"
#include "education/model/StudySession.h"
#include "ui/model/Experiment.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace Fasoria;

using ExperimentAction = std::function<bool(Fasoria::Experiment &)>;
Q_DECLARE_METATYPE(ExperimentAction)

namespace {

/// Selector index of "All outcomes equally likely": recorded as 2.
constexpr std::int32_t kEquallyLikely = 3;

ExperimentAction lesson(std::int32_t index)
{
    return [index](Experiment &experiment) { return experiment.startLesson(index); };
}

StudyTexts typedTexts(std::int32_t distributionDraft = kEquallyLikely);

/// The texts a new experiment keeps of `texts`: the worksheet's header alone.
StudyTexts identityOnly(const StudyTexts &texts)
{
    StudyTexts kept;
    kept.studentName = texts.studentName;
    kept.className = texts.className;
    kept.date = texts.date;
    return kept;
}

StudyTexts typedTexts(std::int32_t distributionDraft)
{
    return StudyTexts{QStringLiteral("Why two outcomes?"), QStringLiteral("H splits the state"),
                      QStringLiteral("first try"), QStringLiteral("half and half"), distributionDraft,
                      QStringLiteral("Ada"), QStringLiteral("4B"), QStringLiteral("10 December 2026")};
}

/// An experiment and its session on the first lesson at step 0, as the window starts them.
struct Bench
{
    Experiment experiment;
    StudySession session{experiment};

    Bench() { session.startAfresh(lesson(0)); }
};

/// A session with a recorded prediction that was saved and then changed again: everything a fresh start clears.
bool fillAndSave(Bench &bench)
{
    bench.session.setTexts(typedTexts());
    const bool recorded = bench.session.recordPrediction();
    bench.session.markSaved(QStringLiteral("/saved.session.json"), bench.session.serialise());
    StudyTexts later = typedTexts();
    later.notes = QStringLiteral("second try");
    bench.session.setTexts(later);
    return recorded && bench.session.marks().dirty;
}

} // namespace

class TestStudySession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<Experiment::Changes>("Fasoria::Experiment::Changes");
        qRegisterMetaType<std::uint64_t>("std::uint64_t");
    }
    void refusedStartKeepsTheSession();
    void freshStartIsOneChange();
    void rebuildsForgetTheDistributionPrediction_data();
    void rebuildsForgetTheDistributionPrediction();
    void marksFollowTheSavedBytes();
    void bytesRestoreTheWholeSession();
    void refusedBytesChangeNothing_data();
    void refusedBytesChangeNothing();
    void choicesAnnounceOnlyRealChanges();
    void predictionIsRecordedOnlyWhileOpen_data();
    void predictionIsRecordedOnlyWhileOpen();
};

void TestStudySession::refusedStartKeepsTheSession()
{
    Bench bench;
    QVERIFY(fillAndSave(bench));
    const StudyTexts texts = bench.session.texts();
    const QByteArray bytes = bench.session.serialise();
    QSignalSpy replaced(&bench.session, &StudySession::textsReplaced);
    QSignalSpy changed(&bench.session, &StudySession::changed);

    const auto lessons = static_cast<std::int32_t>(lessonCatalog().size());
    QVERIFY(!bench.session.startAfresh(lesson(lessons)));
    QCOMPARE(bench.session.texts(), texts);
    QCOMPARE(bench.session.lab().recordedPrediction(), kEquallyLikely - 1);
    QCOMPARE(bench.session.marks().path, QStringLiteral("/saved.session.json"));
    QVERIFY(bench.session.marks().dirty);
    QCOMPARE(bench.session.serialise(), bytes);
    QCOMPARE(replaced.count(), 0);
    QCOMPARE(changed.count(), 0);
}

void TestStudySession::freshStartIsOneChange()
{
    Bench bench;
    QVERIFY(fillAndSave(bench));
    QSignalSpy experimentChanged(&bench.experiment, &Experiment::changed);
    QSignalSpy replaced(&bench.session, &StudySession::textsReplaced);
    QSignalSpy changed(&bench.session, &StudySession::changed);
    // A view refreshing on the experiment's announcement must already find the session fresh.
    bool freshWhenAnnounced = false;
    connect(&bench.experiment, &Experiment::changed, this, [&bench, &freshWhenAnnounced] {
        freshWhenAnnounced = bench.session.texts() == identityOnly(typedTexts()) &&
                             bench.session.lab().recordedPrediction() < 0 &&
                             bench.session.marks().path.isEmpty();
    });

    QVERIFY(bench.session.startAfresh(lesson(1)));
    QCOMPARE(experimentChanged.count(), 1);
    QVERIFY(freshWhenAnnounced);
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(bench.experiment.lessonIndex(), 1);
    // What the student typed goes; who the student is stays for the next worksheet.
    QCOMPARE(bench.session.texts(), identityOnly(typedTexts()));
    QVERIFY(bench.session.lab().predictionReason().isEmpty());
    QVERIFY(!bench.session.marks().touched);
    QVERIFY(!bench.session.marks().dirty);
    QVERIFY(bench.session.marks().baseline.isEmpty());
}

void TestStudySession::rebuildsForgetTheDistributionPrediction_data()
{
    QTest::addColumn<ExperimentAction>("action");
    QTest::addColumn<bool>("forgotten");
    QTest::addRow("restart") << ExperimentAction([](Experiment &experiment) {
        experiment.restart();
        return true;
    }) << true;
    QTest::addRow("replay") << ExperimentAction([](Experiment &experiment) {
        return experiment.nextStep() && experiment.goToStep(0);
    }) << true;
    QTest::addRow("rebuild after an edit")
        << ExperimentAction([](Experiment &experiment) { return experiment.resetToStep(EditAction::EditRestored, 0); })
        << true;
    QTest::addRow("step") << ExperimentAction([](Experiment &experiment) { return experiment.nextStep(); }) << false;
    QTest::addRow("measurement") << ExperimentAction([](Experiment &experiment) { return experiment.measureOnce(); })
                                 << false;
    QTest::addRow("preparations") << ExperimentAction([](Experiment &experiment) {
        return experiment.repeatPreparations(100);
    }) << false;
}

void TestStudySession::rebuildsForgetTheDistributionPrediction()
{
    QFETCH(ExperimentAction, action);
    QFETCH(bool, forgotten);
    Bench bench;
    bench.session.setTexts(typedTexts());
    QVERIFY(bench.session.recordPrediction());
    QSignalSpy replaced(&bench.session, &StudySession::textsReplaced);

    QVERIFY(action(bench.experiment));
    QCOMPARE(bench.session.lab().recordedPrediction(), forgotten ? -1 : kEquallyLikely - 1);
    QCOMPARE(bench.session.lab().predictionReason().isEmpty(), forgotten);
    QCOMPARE(bench.session.texts().distributionDraft, forgotten ? 0 : kEquallyLikely);
    QCOMPARE(replaced.count(), forgotten ? 1 : 0);
    // Only the selector follows the experiment: what the student wrote stays.
    QCOMPARE(bench.session.texts().notes, typedTexts().notes);
}

void TestStudySession::marksFollowTheSavedBytes()
{
    Bench bench;
    // An experiment the student only watches leaves nothing to save.
    QVERIFY(bench.experiment.nextStep());
    bench.session.setPreparations(100);
    QVERIFY(!bench.session.marks().dirty);

    bench.session.setTexts(typedTexts(0));
    QVERIFY(bench.session.marks().dirty);
    const QString path = QStringLiteral("/kept.session.json");
    bench.session.markSaved(path, bench.session.serialise());
    QVERIFY(!bench.session.marks().dirty);
    QCOMPARE(bench.session.marks().path, path);

    StudyTexts other = typedTexts(0);
    other.conclusion = QStringLiteral("changed my mind");
    bench.session.setTexts(other);
    QVERIFY(bench.session.marks().dirty);
    bench.session.setTexts(typedTexts(0));
    QVERIFY(!bench.session.marks().dirty);
    // Once touched, the experiment's own moves count too.
    QVERIFY(bench.experiment.measureOnce());
    QVERIFY(bench.session.marks().dirty);

    // Keeping the work as it stands also keeps an edited working circuit.
    QString error;
    QVERIFY(bench.session.startAfresh([&error](Experiment &experiment) {
        return experiment.setWorkingCircuit(lessonCatalog()[0], QStringLiteral("/kept.fsor.json"), &error) &&
               experiment.resetToStep(EditAction::WorkingCopyCreated, 0);
    }));
    QVERIFY(bench.experiment.applyEdit(EditAction::GateDeleted, 0, [](CircuitEditor &editor) { editor.eraseGate(0); }));
    bench.session.setTexts(typedTexts(0));
    QVERIFY(bench.experiment.document().hasUnsavedWork());
    bench.session.keepAsItStands();
    QVERIFY(!bench.experiment.document().hasUnsavedWork());
    QCOMPARE(bench.experiment.document().path(), QStringLiteral("/kept.fsor.json"));
    QCOMPARE(bench.session.marks().baseline, bench.session.serialise());
}

void TestStudySession::bytesRestoreTheWholeSession()
{
    Bench source;
    source.session.setTexts(typedTexts());
    QVERIFY(source.session.recordPrediction());
    QVERIFY(source.experiment.nextStep());
    QVERIFY(source.experiment.repeatPreparations(100));
    QVERIFY(source.session.applyPreset(1));
    source.session.setPreparations(100);
    source.session.setSimpleMode(true);
    const QByteArray bytes = source.session.serialise();

    Bench target;
    QSignalSpy experimentChanged(&target.experiment, &Experiment::changed);
    QSignalSpy changed(&target.session, &StudySession::changed);
    QSignalSpy replaced(&target.session, &StudySession::textsReplaced);
    QSignalSpy preparations(&target.session, &StudySession::preparationsChanged);
    QSignalSpy simple(&target.session, &StudySession::simpleModeChanged);
    QString message;
    QVERIFY2(target.session.restore(bytes, &message), qPrintable(message));

    QCOMPARE(target.session.serialise(), bytes);
    QCOMPARE(target.session.texts(), source.session.texts());
    QCOMPARE(target.session.preparations(), std::uint64_t(100));
    QVERIFY(target.session.simpleMode());
    QCOMPARE(target.session.lab().recordedPrediction(), kEquallyLikely - 1);
    QCOMPARE(target.experiment.currentStep(), std::uint64_t(1));
    QVERIFY(!target.session.marks().dirty);
    QCOMPARE(target.session.marks().baseline, bytes);
    // The views see the restored session once, whole.
    QCOMPARE(experimentChanged.count(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(preparations.count(), 1);
    QCOMPARE(simple.count(), 1);
}

void TestStudySession::refusedBytesChangeNothing_data()
{
    Bench source;
    source.session.setTexts(typedTexts());
    const QByteArray valid = source.session.serialise();
    QByteArray otherFormat = valid;
    otherFormat.replace("FasoriaSession", "FasoriaSessiom");

    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("not JSON") << QByteArray("{\"format\": ");
    QTest::addRow("empty") << QByteArray();
    QTest::addRow("cut short") << valid.left(valid.size() / 2);
    QTest::addRow("another format") << otherFormat;
}

void TestStudySession::refusedBytesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    Bench bench;
    QVERIFY(fillAndSave(bench));
    QVERIFY(bench.experiment.nextStep());
    const StudyTexts texts = bench.session.texts();
    const SessionMarks marks = bench.session.marks();
    const QByteArray before = bench.session.serialise();
    QSignalSpy experimentChanged(&bench.experiment, &Experiment::changed);
    QSignalSpy changed(&bench.session, &StudySession::changed);
    QSignalSpy replaced(&bench.session, &StudySession::textsReplaced);

    QString message;
    QVERIFY(!bench.session.restore(bytes, &message));
    // The reader's verdict in both languages.
    QVERIFY2(message.contains(QStringLiteral(" / ")), qPrintable(message));
    QCOMPARE(bench.session.texts(), texts);
    QCOMPARE(bench.session.marks().path, marks.path);
    QCOMPARE(bench.session.marks().baseline, marks.baseline);
    QCOMPARE(bench.session.marks().dirty, marks.dirty);
    QCOMPARE(bench.experiment.currentStep(), std::uint64_t(1));
    QCOMPARE(bench.session.serialise(), before);
    QCOMPARE(experimentChanged.count(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(replaced.count(), 0);
}

void TestStudySession::choicesAnnounceOnlyRealChanges()
{
    Bench bench;
    QSignalSpy changed(&bench.session, &StudySession::changed);
    QSignalSpy preparations(&bench.session, &StudySession::preparationsChanged);
    QSignalSpy simple(&bench.session, &StudySession::simpleModeChanged);

    bench.session.setPreparations(StudySession::kDefaultPreparations);
    bench.session.setSimpleMode(false);
    QCOMPARE(changed.count() + preparations.count() + simple.count(), 0);

    bench.session.setPreparations(10);
    bench.session.setPreparations(10);
    bench.session.setSimpleMode(true);
    bench.session.setSimpleMode(true);
    QCOMPARE(preparations.count(), 1);
    QCOMPARE(preparations.first().first().value<std::uint64_t>(), std::uint64_t(10));
    QCOMPARE(simple.count(), 1);
    QCOMPARE(simple.first().first().toBool(), true);
    QCOMPARE(changed.count(), 2);
    // Choosing is not working on the session.
    QVERIFY(!bench.session.marks().touched);
}

void TestStudySession::predictionIsRecordedOnlyWhileOpen_data()
{
    QTest::addColumn<ExperimentAction>("before");
    QTest::addColumn<std::int32_t>("draft");
    QTest::addColumn<bool>("recorded");
    const ExperimentAction nothing = [](Experiment &) { return true; };
    QTest::addRow("open") << nothing << kEquallyLikely << true;
    QTest::addRow("last choice") << nothing << std::int32_t(4) << true;
    QTest::addRow("nothing chosen") << nothing << std::int32_t(0) << false;
    QTest::addRow("past the selector") << nothing << std::int32_t(5) << false;
    QTest::addRow("after a step") << ExperimentAction([](Experiment &experiment) { return experiment.nextStep(); })
                                  << kEquallyLikely << false;
    QTest::addRow("after a measurement") << ExperimentAction([](Experiment &experiment) {
        return experiment.measureOnce();
    }) << kEquallyLikely << false;
}

void TestStudySession::predictionIsRecordedOnlyWhileOpen()
{
    QFETCH(ExperimentAction, before);
    QFETCH(std::int32_t, draft);
    QFETCH(bool, recorded);
    Bench bench;
    QVERIFY(before(bench.experiment));
    bench.session.setTexts(typedTexts(draft));
    const std::size_t events = bench.experiment.logEvents().size();
    QSignalSpy changed(&bench.session, &StudySession::changed);

    QCOMPARE(bench.session.recordPrediction(), recorded);
    QCOMPARE(bench.session.lab().recordedPrediction(), recorded ? draft - 1 : -1);
    QCOMPARE(bench.experiment.logEvents().size(), events + (recorded ? 1 : 0));
    QCOMPARE(changed.count(), recorded ? 1 : 0);
    if (recorded) {
        const LogEvent &event = bench.experiment.logEvents().back();
        QCOMPARE(event.kind, static_cast<std::int32_t>(LogEventKind::DistributionPrediction));
        QCOMPARE(event.value, static_cast<std::uint64_t>(draft - 1));
        QCOMPARE(bench.session.lab().predictionReason(), typedTexts().reasonDraft);
        // Recorded once, the prediction is closed.
        QVERIFY(!bench.session.recordPrediction());
        QCOMPARE(bench.experiment.logEvents().size(), events + 1);
    }
}

QTEST_MAIN(TestStudySession)

#include "test_study_session.moc"
