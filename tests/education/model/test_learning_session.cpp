#include "core/Circuit.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "education/model/LearningLab.h"
#include "education/model/LearningSession.h"
#include "education/model/StudySession.h"
#include "tests/education/SessionSamples.h"

#include <QtTest>

#include <cmath>
#include <functional>

using namespace Fasoria;
using namespace Fasoria::Samples;

Q_DECLARE_METATYPE(Fasoria::SessionError)

namespace {

QJsonObject objectOf(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

QByteArray documentOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray mutated(const SessionData &base, const QJsonObject &changes, const QStringList &removed = {})
{
    QJsonObject object = objectOf(serialiseSession(base));
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        object.insert(it.key(), it.value());
    }
    for (const QString &key : removed) {
        object.remove(key);
    }
    return documentOf(object);
}

QJsonObject circuitJson(const Circuit &circuit)
{
    return objectOf(serializeCircuit(circuit));
}

QString generatorWords(int count)
{
    QStringList words = QString::fromStdString(advanced(3, 5).stateText()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (words.size() < count) {
        words << QStringLiteral("12345");
    }
    return QStringList(words.mid(0, count)).join(QLatin1Char(' '));
}

QString bilingual(SessionError error)
{
    return SessionRefusal{error, QString()}.text();
}

} // namespace

class TestLearningSession : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void restoredFields();
    void nextDrawAfterRestore();
    void restoredState_data();
    void restoredState();
    void restoredCircuitTexts();
    void rejections_data();
    void rejections();
    void acceptedVariants_data();
    void acceptedVariants();
    void repeatedMembers_data();
    void repeatedMembers();
    void messagesInOneLanguage();
    void workInHandComesBackWhole();
};

void TestLearningSession::roundTrip_data()
{
    QTest::addColumn<int>("which");
    QTest::addRow("catalog lesson at step 0") << 0;
    QTest::addRow("measurement, histogram, copies, texts") << 1;
    QTest::addRow("generated Grover") << 2;
    QTest::addRow("challenge answer") << 3;
    QTest::addRow("teacher's challenge answer") << 4;
    QTest::addRow("notebook of every kind") << 5;
    QTest::addRow("pack's guided lesson") << 6;
    QTest::addRow("pack's challenge answered") << 7;
}

void TestLearningSession::roundTrip()
{
    QFETCH(int, which);
    SessionData plain;
    plain.circuit = lessonCatalog()[0];
    const SessionData sessions[] = {plain,
                                    richSession(),
                                    generatedSession(),
                                    challengeSession(),
                                    customChallengeSession(),
                                    notebookSession(),
                                    packLessonSession(false),
                                    packLessonSession(true)};
    const QByteArray bytes = serialiseSession(sessions[which]);
    QVERIFY(!bytes.contains('\n'));
    SessionData restored;
    QString error = QStringLiteral("untouched");
    QVERIFY2(restoreSession(bytes, restored, &error), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(serialiseSession(restored), bytes);
}

void TestLearningSession::restoredFields()
{
    const SessionData rich = richSession();
    SessionData restored;
    QString error;
    QVERIFY2(restoreSession(serialiseSession(rich), restored, &error), qPrintable(error));
    QCOMPARE(restored.stage, std::uint64_t{1});
    QCOMPARE(restored.measurement, 1);
    QCOMPARE(restored.shotCount, std::uint64_t{100});
    QCOMPARE(restored.histogram, (Histogram{47, 53}));
    QCOMPARE(restored.distributionPrediction, 2);
    QCOMPARE(restored.predictionReason, rich.predictionReason);
    QCOMPARE(restored.notes, kRichNotes);
    QCOMPARE(restored.conclusion, rich.conclusion);
    QVERIFY(restored.simpleMode);
    QVERIFY(restored.comparisonA.valid && restored.comparisonB.valid);
    QCOMPARE(restored.comparisonB.stage, std::uint64_t{2});
    QCOMPARE(serializeCircuit(restored.comparisonB.circuit), serializeCircuit(rich.comparisonB.circuit));
    QVERIFY(restored.random == rich.random);
    QVERIFY(!restored.algorithm);

    SessionData generated;
    QVERIFY(restoreSession(serialiseSession(generatedSession()), generated, &error));
    QVERIFY(generated.algorithm);
    QCOMPARE(generated.algorithm->parameters.groverIterations, 2);
    QCOMPARE(generated.algorithm->stages.size(), generatedSession().algorithm->stages.size());
}

void TestLearningSession::nextDrawAfterRestore()
{
    SessionData session = richSession();
    SessionData restored;
    QString error;
    QVERIFY(restoreSession(serialiseSession(session), restored, &error));
    for (int i = 0; i < 400; ++i) { // past the 312-word block, so the regeneration is covered too
        QCOMPARE(restored.random.next(), session.random.next());
    }
    const StateVector coin = replayPrefix(lessonCatalog()[0], 1);
    QCOMPARE(sampleCounts(coin, 1000, restored.random), sampleCounts(coin, 1000, session.random));
}

void TestLearningSession::restoredState_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("measurement");
    QTest::addRow("replayed at step 1") << 1 << -1;
    QTest::addRow("collapsed to |1>") << 1 << 1;
    QTest::addRow("collapsed to |0>") << 1 << 0;
    QTest::addRow("initial state") << 0 << -1;
}

void TestLearningSession::restoredState()
{
    QFETCH(int, stage);
    QFETCH(int, measurement);
    SessionData session = richSession();
    session.stage = static_cast<std::uint64_t>(stage);
    session.measurement = measurement;
    session.shotCount = 0;
    session.histogram.clear();
    SessionData restored;
    QString error;
    QVERIFY2(restoreSession(serialiseSession(session), restored, &error), qPrintable(error));
    QVERIFY(restored.state);
    const StateVector expected = replayPrefix(lessonCatalog()[0], session.stage);
    for (std::uint64_t i = 0; i < 2; ++i) {
        const Complex &amplitude = restored.state->amplitude(i);
        if (measurement < 0) {
            QCOMPARE(amplitude.re, expected.amplitude(i).re);
            QCOMPARE(amplitude.im, expected.amplitude(i).im);
        } else {
            QCOMPARE(amplitude.re, i == static_cast<std::uint64_t>(measurement) ? 1.0 : 0.0);
            QCOMPARE(amplitude.im, 0.0);
        }
    }
}

void TestLearningSession::restoredCircuitTexts()
{
    SessionData restored;
    QString error;
    QVERIFY(restoreSession(serialiseSession(richSession()), restored, &error));
    QCOMPARE(restored.circuit.questionEn, lessonCatalog()[0].questionEn);
    QVERIFY(restored.circuit.steps[0].explanationEn == lessonCatalog()[0].steps[0].explanationEn);

    QVERIFY(restoreSession(serialiseSession(challengeSession()), restored, &error));
    QCOMPARE(restored.circuit.questionEn, lessonCatalog()[4].questionEn);
    QCOMPARE(restored.circuit.steps.size(), std::size_t{1});

    QVERIFY(restoreSession(serialiseSession(generatedSession()), restored, &error));
    QCOMPARE(QString::fromUtf8(restored.circuit.titleEn), QStringLiteral("Configurable Grover"));

    SessionData edited = richSession();
    edited.editor = true;
    QVERIFY(restoreSession(serialiseSession(edited), restored, &error));
    QCOMPARE(restored.circuit.titleEn, kCustomTitleEn);
}

void TestLearningSession::rejections_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<SessionError>("expected");

    const SessionData rich = richSession();
    const SessionData generated = generatedSession();
    const QByteArray valid = serialiseSession(rich);
    const QJsonObject validParameters = objectOf(serialiseSession(generated)).value("parameters").toObject();
    const auto parameters = [&validParameters](const char *key, int value) {
        QJsonObject changed = validParameters;
        changed.insert(QLatin1String(key), value);
        return QJsonObject{{"parameters", changed}};
    };
    const QJsonObject xCircuit = circuitJson(circuitOf(1, {{GateKind::X, 0, 0, 0.0}}));

    QTest::addRow("one byte over 1 MiB") << QByteArray(kMaxJsonDocumentBytes + 1 - valid.size(), ' ') + valid
                                         << SessionError::Oversized;
    QTest::addRow("not JSON") << QByteArray("{invalid") << SessionError::InvalidJson;
    QTest::addRow("top-level array") << QByteArray("[1]") << SessionError::InvalidJson;
    QTest::addRow("repeated member before the format")
        << QByteArray(valid).replace(R"("format":"FasoriaSession")", R"("format":"X","format":"FasoriaSession")")
        << SessionError::RepeatedMember;
    QTest::addRow("repeated member in a comparison copy")
        << QByteArray(valid).replace(R"("valid":true)", R"("valid":true,"valid":false)")
        << SessionError::RepeatedMember;
    QTest::addRow("circuit format tag") << mutated(rich, {{"format", "FasoriaCircuit"}})
                                        << SessionError::FormatOrLesson;
    QTest::addRow("version 2") << mutated(rich, {{"version", 2}}) << SessionError::FormatOrLesson;
    QTest::addRow("lesson 22") << mutated(rich, {{"lesson_index", 22}}) << SessionError::FormatOrLesson;
    QTest::addRow("lesson 21 without its pack") << mutated(rich, {{"lesson_index", 21}}) << SessionError::LessonPack;
    QTest::addRow("editor as text") << mutated(rich, {{"editor", "false"}}) << SessionError::FormatOrLesson;
    QTest::addRow("no simple_mode") << mutated(rich, {}, {"simple_mode"}) << SessionError::FormatOrLesson;
    QTest::addRow("no circuit") << mutated(rich, {}, {"circuit"}) << SessionError::MissingCircuit;
    QTest::addRow("circuit as array") << mutated(rich, {{"circuit", QJsonArray()}}) << SessionError::MissingCircuit;
    QJsonObject badGate = circuitJson(lessonCatalog()[0]);
    badGate.insert("gates", QJsonArray{QJsonObject{{"gate", "h"}, {"target", 0}}});
    QTest::addRow("circuit refused") << mutated(rich, {{"circuit", badGate}}) << SessionError::CircuitRefused;
    QTest::addRow("stage one beyond") << mutated(rich, {{"stage", 2}}) << SessionError::Values;
    QTest::addRow("stage 1.5") << mutated(rich, {{"stage", 1.5}}) << SessionError::Values;
    QTest::addRow("measurement outside register") << mutated(rich, {{"measurement", 2}}) << SessionError::Values;
    QTest::addRow("prediction -2") << mutated(rich, {{"prediction_basis", -2}}) << SessionError::Values;
    QTest::addRow("hint level 4") << mutated(rich, {{"hint_level", 4}}) << SessionError::Values;
    QTest::addRow("selected shots 5") << mutated(rich, {{"selected_shots", 5}}) << SessionError::Values;
    QTest::addRow("selected shots 50") << mutated(rich, {{"selected_shots", 50}}) << SessionError::SampleCounts;
    QTest::addRow("shot count 50") << mutated(rich, {{"shot_count", 50}}) << SessionError::SampleCounts;
    QTest::addRow("visible differs") << mutated(rich, {{"visible_shots", 10}}) << SessionError::SampleCounts;
    QTest::addRow("visible with measurement") << mutated(rich, {{"visible_shots", 100}}) << SessionError::SampleCounts;
    QTest::addRow("draft 2 for prediction 0")
        << mutated(rich, {{"distribution_prediction", 0}, {"draft_distribution", 2}}) << SessionError::Prediction;
    QTest::addRow("challenge without editor") << mutated(rich, {{"challenge", true}}) << SessionError::ChallengeContext;
    QTest::addRow("challenge on the coin")
        << mutated(rich, {{"challenge", true}, {"editor", true}}) << SessionError::ChallengeContext;
    QTest::addRow("challenge of other width")
        << mutated(challengeSession(), {{"circuit", circuitJson(circuitOf(2, {}))}, {"stage", 0}})
        << SessionError::ChallengeContext;
    QTest::addRow("catalog mismatch") << mutated(rich, {{"circuit", xCircuit}}) << SessionError::CatalogMismatch;
    QTest::addRow("notes 32,769") << mutated(rich, {{"notes", QString(32769, QLatin1Char('x'))}})
                                  << SessionError::Texts;
    QTest::addRow("question as number") << mutated(rich, {{"question", 3}}) << SessionError::Texts;
    // The student's texts follow the challenge texts' rule, with tab and line feed allowed.
    QTest::addRow("NUL in notes") << mutated(rich, {{"notes", QString("a") + QChar(0) + "b"}}) << SessionError::Texts;
    QTest::addRow("ESC in the question") << mutated(rich, {{"question", "\x1b[2J"}}) << SessionError::Texts;
    QTest::addRow("carriage return in the conclusion")
        << mutated(rich, {{"conclusion", "a\r\nb"}}) << SessionError::Texts;
    QTest::addRow("right-to-left override in the reasoning")
        << mutated(rich, {{"prediction_reason", "gnp.\u202Eexe"}}) << SessionError::Texts;
    QTest::addRow("lone surrogate in the draft reasoning")
        << mutated(rich, {{"draft_reason", QString(QChar(0xD800)) + "x"}}) << SessionError::Texts;
    QTest::addRow("no rng_state") << mutated(rich, {}, {"rng_state"}) << SessionError::Texts;
    QTest::addRow("311 words") << mutated(rich, {{"rng_state", generatorWords(311)}}) << SessionError::GeneratorState;
    QTest::addRow("313 words") << mutated(rich, {{"rng_state", generatorWords(313)}})
                               << SessionError::GeneratorTrailing;
    QTest::addRow("letter after 312") << mutated(rich, {{"rng_state", generatorWords(312) + "x"}})
                                      << SessionError::GeneratorTrailing;
    QTest::addRow("broken") << mutated(rich, {{"rng_state", "broken"}}) << SessionError::GeneratorState;
    // From such a state every draw is 0: "Measure once" on |1> would give an outcome of probability 0.
    const QString zeros = QString("0 ").repeated(312);
    QTest::addRow("312 zeros") << mutated(rich, {{"rng_state", zeros}}) << SessionError::GeneratorState;
    QTest::addRow("zeros but the low bits of the oldest")
        << mutated(rich, {{"rng_state", "2147483647 " + QString("0 ").repeated(311)}}) << SessionError::GeneratorState;
    QTest::addRow("312 zeros and a letter")
        << mutated(rich, {{"rng_state", zeros + "x"}}) << SessionError::GeneratorTrailing;
    QTest::addRow("signed word") << mutated(rich, {{"rng_state", "-" + generatorWords(312)}})
                                 << SessionError::GeneratorState;
    QTest::addRow("word above 2^64-1") << mutated(rich, {{"rng_state", "18446744073709551616 " + generatorWords(311)}})
                                       << SessionError::GeneratorState;
    QTest::addRow("no histogram") << mutated(rich, {}, {"histogram"}) << SessionError::MissingHistogram;
    QTest::addRow("histogram size") << mutated(rich, {{"histogram", QJsonArray{100}}}) << SessionError::HistogramSize;
    QTest::addRow("counts without shots") << mutated(rich, {{"shot_count", 0}}) << SessionError::HistogramSize;
    QTest::addRow("negative count") << mutated(rich, {{"histogram", QJsonArray{-1, 101}}})
                                    << SessionError::HistogramValues;
    QTest::addRow("fractional count") << mutated(rich, {{"histogram", QJsonArray{47.5, 52.5}}})
                                      << SessionError::HistogramValues;
    QTest::addRow("histogram total") << mutated(rich, {{"histogram", QJsonArray{0, 0}}})
                                     << SessionError::HistogramTotal;
    QTest::addRow("comparison without circuit")
        << mutated(rich, {{"comparison_a", QJsonObject{{"valid", true}, {"stage", 0}}}}) << SessionError::Comparison;
    QTest::addRow("comparison empty") << mutated(rich, {{"comparison_b", QJsonObject()}}) << SessionError::Comparison;
    QTest::addRow("comparison stage beyond")
        << mutated(rich, {{"comparison_a", QJsonObject{{"valid", true}, {"circuit", xCircuit}, {"stage", 2}}}})
        << SessionError::Comparison;
    QTest::addRow("parameters on catalog") << mutated(rich, parameters("marked", 5)) << SessionError::ParameterContext;
    QTest::addRow("parameters as array") << mutated(generated, {{"parameters", QJsonArray()}})
                                         << SessionError::ParameterContext;
    QTest::addRow("marked 256") << mutated(generated, parameters("marked", 256)) << SessionError::Parameters;
    QTest::addRow("Grover of 4 qubits") << mutated(generated, parameters("qubits", 4))
                                        << SessionError::ParameterCircuit;
    QTest::addRow("other iteration count")
        << mutated(generated, parameters("iterations", 1)) << SessionError::ParameterMismatch;
    QTest::addRow("count on probability 0") << mutated(rich, {{"stage", 0}}) << SessionError::ImpossibleHistogram;
    QTest::addRow("measurement of probability 0")
        << mutated(rich, {{"stage", 0}, {"shot_count", 0}, {"histogram", QJsonArray()}})
        << SessionError::ImpossibleMeasurement;

    // A teacher's challenge is checked as its file would be, and must fit the answer it comes with.
    const SessionData custom = customChallengeSession();
    const QJsonObject challenge = objectOf(serialiseSession(custom)).value("custom_challenge").toObject();
    const auto challengeWith = [&challenge](const char *key, const QJsonValue &value) {
        QJsonObject changed = challenge;
        changed.insert(QLatin1String(key), value);
        return QJsonObject{{"custom_challenge", changed}};
    };
    QTest::addRow("teacher's challenge as array")
        << mutated(custom, {{"custom_challenge", QJsonArray()}}) << SessionError::CustomChallenge;
    QTest::addRow("teacher's challenge without goal")
        << mutated(custom, challengeWith("goal_en", " ")) << SessionError::CustomChallenge;
    QJsonObject unnormalised = challenge;
    unnormalised.remove(QStringLiteral("target_circuit"));
    unnormalised.insert(QStringLiteral("target_amplitudes"),
                        QJsonArray{QJsonObject{{"index", 0}, {"re", 0.5}, {"im", 0.0}}});
    QTest::addRow("teacher's target not normalised")
        << mutated(custom, {{"custom_challenge", unnormalised}}) << SessionError::CustomChallenge;
    QTest::addRow("teacher's challenge outside challenge mode")
        << mutated(custom, {{"challenge", false}}) << SessionError::ChallengeContext;
    QTest::addRow("teacher's challenge on another width")
        << mutated(custom, {{"circuit", circuitJson(circuitOf(1, {{GateKind::H, 0, 0, 0.0}}))}})
        << SessionError::ChallengeContext;
    QTest::addRow("hint the teacher did not write")
        << mutated(custom, {{"hint_level", 3}}) << SessionError::ChallengeContext;
    QTest::addRow("teacher's challenge before values")
        << mutated(custom, {{"custom_challenge", 1}, {"stage", 9}}) << SessionError::CustomChallenge;

    // A pack lesson is checked as its pack file would be, and must fit the circuit it comes with.
    const SessionData guided = packLessonSession(false);
    const SessionData packChallenge = packLessonSession(true);
    const QJsonObject pack = objectOf(serialiseSession(guided)).value("lesson_pack").toObject();
    const auto packWith = [&pack](const std::function<void(QJsonObject &)> &change) {
        QJsonObject changed = pack;
        change(changed);
        return QJsonObject{{"lesson_pack", changed}};
    };
    const auto lessonWith = [&packWith](const char *key, const QJsonValue &value) {
        return packWith([key, value](QJsonObject &changed) {
            QJsonArray lessons = changed.value("lessons").toArray();
            QJsonObject lesson = lessons.first().toObject();
            lesson.insert(QLatin1String(key), value);
            lessons.replace(0, lesson);
            changed.insert("lessons", lessons);
        });
    };
    QTest::addRow("pack lesson on a catalog lesson")
        << mutated(guided, {{"lesson_index", 0}}) << SessionError::LessonPack;
    QTest::addRow("pack as array") << mutated(guided, {{"lesson_pack", QJsonArray()}}) << SessionError::LessonPack;
    QTest::addRow("pack of no lesson") << mutated(guided, packWith([](QJsonObject &changed) {
                                                      changed.insert("lessons", QJsonArray());
                                                  }))
                                       << SessionError::LessonPack;
    QTest::addRow("pack of two lessons") << mutated(guided, packWith([](QJsonObject &changed) {
                                                        QJsonArray lessons = changed.value("lessons").toArray();
                                                        QJsonObject second = lessons.first().toObject();
                                                        second.insert("id", "another");
                                                        lessons.append(second);
                                                        changed.insert("lessons", lessons);
                                                    }))
                                         << SessionError::LessonPack;
    QTest::addRow("pack lesson with a blank title")
        << mutated(guided, lessonWith("title_en", " ")) << SessionError::LessonPack;
    QTest::addRow("pack lesson with one step text for two gates")
        << mutated(guided, lessonWith("steps", QJsonArray{QJsonObject{{"it", "a"}, {"en", "b"}}}))
        << SessionError::LessonPack;
    QTest::addRow("pack lesson before the circuit")
        << mutated(guided, {{"lesson_index", 21}}, {"lesson_pack", "circuit"}) << SessionError::LessonPack;
    QTest::addRow("pack lesson's gates differ")
        << mutated(guided, {{"circuit", circuitJson(circuitOf(2, {{GateKind::X, 0, 0, 0.0}}))}})
        << SessionError::CatalogMismatch;
    QTest::addRow("pack challenge outside the editor")
        << mutated(packChallenge, {{"editor", false}, {"stage", 0}}) << SessionError::ChallengeContext;
    QTest::addRow("pack challenge hint it does not have")
        << mutated(packChallenge, {{"hint_level", 3}}) << SessionError::ChallengeContext;
    QTest::addRow("pack challenge on another width")
        << mutated(packChallenge, {{"circuit", circuitJson(circuitOf(1, {{GateKind::H, 0, 0, 0.0}}))}})
        << SessionError::ChallengeContext;
    const auto notebookOn = [](int lesson) {
        return QJsonArray{
            QJsonObject{{"kind", 0}, {"lesson", lesson}, {"value", 0}, {"value2", 0}, {"shots", 0}, {"qubits", 2}}};
    };
    QTest::addRow("notebook on the pack lesson of a catalog session")
        << mutated(rich, {{"notebook", notebookOn(21)}}) << SessionError::Notebook;
    QTest::addRow("notebook past the pack lesson")
        << mutated(guided, {{"notebook", notebookOn(22)}}) << SessionError::Notebook;

    // Two faults at once: the earlier check gives the message.
    QTest::addRow("version before stage")
        << mutated(rich, {{"version", 2}, {"stage", 1.5}}) << SessionError::FormatOrLesson;
    QTest::addRow("circuit before values")
        << mutated(rich, {{"stage", 9}}, {"circuit"}) << SessionError::MissingCircuit;
    QTest::addRow("prediction before texts")
        << mutated(rich, {{"draft_distribution", 1}, {"notes", 5}}) << SessionError::Prediction;
    QTest::addRow("generator before histogram")
        << mutated(rich, {{"rng_state", "1 2 3"}}, {"histogram"}) << SessionError::GeneratorState;
    QTest::addRow("histogram before comparison")
        << mutated(rich, {{"histogram", QJsonArray{1, 1}}, {"comparison_a", 0}}) << SessionError::HistogramTotal;
    QTest::addRow("comparison before parameters")
        << mutated(rich, {{"comparison_b", 0}, {"parameters", 0}}) << SessionError::Comparison;
    QTest::addRow("parameters before replay")
        << mutated(rich, {{"stage", 0}, {"parameters", 0}}) << SessionError::ParameterContext;

    // The notebook: each event exactly as the notebook could have recorded it.
    const QJsonObject prepared{{"kind", 0}, {"lesson", 0}, {"value", 0}, {"value2", 0}, {"shots", 0}, {"qubits", 1}};
    const QJsonObject step{
        {"kind", 1},  {"lesson", 0}, {"value", 0},       {"value2", 0},
        {"shots", 0}, {"qubits", 2}, {"working", false}, {"gate", QJsonObject{{"gate", "H"}, {"target", 1}}}};
    const auto notebook = [&rich](const QJsonArray &events) { return mutated(rich, {{"notebook", events}}); };
    const auto changed = [](QJsonObject event, const char *key, const QJsonValue &value) {
        event.insert(QLatin1String(key), value);
        return event;
    };
    QJsonArray tooMany;
    for (int i = 0; i <= 200; ++i) {
        tooMany.append(prepared);
    }
    QTest::addRow("notebook not a list") << mutated(rich, {{"notebook", 3}}) << SessionError::Notebook;
    QTest::addRow("201 notebook events") << notebook(tooMany) << SessionError::Notebook;
    QTest::addRow("event not an object") << notebook({1}) << SessionError::Notebook;
    QTest::addRow("kind that does not exist") << notebook({changed(prepared, "kind", 11)}) << SessionError::Notebook;
    QTest::addRow("kind as text") << notebook({changed(prepared, "kind", "0")}) << SessionError::Notebook;
    QTest::addRow("lesson 21") << notebook({changed(prepared, "lesson", 21)}) << SessionError::Notebook;
    QTest::addRow("no register") << notebook({changed(prepared, "qubits", 0)}) << SessionError::Notebook;
    QTest::addRow("13 qubits") << notebook({changed(prepared, "qubits", 13)}) << SessionError::Notebook;
    QTest::addRow("a preparation's value") << notebook({changed(prepared, "value", 1)}) << SessionError::Notebook;
    QTest::addRow("outcome outside the register")
        << notebook({changed(changed(prepared, "kind", 3), "value", 2)}) << SessionError::Notebook;
    QTest::addRow("editing action that does not exist")
        << notebook({changed(changed(prepared, "kind", 6), "value", 10)}) << SessionError::Notebook;
    QTest::addRow("fourth hint") << notebook({changed(changed(prepared, "kind", 9), "value", 3)})
                                 << SessionError::Notebook;
    QTest::addRow("10001 preparations") << notebook({changed(prepared, "shots", 10001)}) << SessionError::Notebook;
    QTest::addRow("negative value") << notebook({changed(changed(prepared, "kind", 2), "value", -1)})
                                    << SessionError::Notebook;
    QTest::addRow("fractional value") << notebook({changed(changed(prepared, "kind", 2), "value", 1.5)})
                                      << SessionError::Notebook;
    QTest::addRow("extra member") << notebook({changed(prepared, "note", "x")}) << SessionError::Notebook;
    QTest::addRow("preparation with a gate")
        << notebook({changed(prepared, "gate", step.value("gate"))}) << SessionError::Notebook;
    QJsonObject gateless = step;
    gateless.remove(QStringLiteral("gate"));
    QTest::addRow("step without its gate") << notebook({gateless}) << SessionError::Notebook;
    QTest::addRow("gate outside the register")
        << notebook({changed(step, "gate", QJsonObject{{"gate", "H"}, {"target", 2}})}) << SessionError::Notebook;
    QTest::addRow("origin as text") << notebook({changed(step, "working", "no")}) << SessionError::Notebook;
    QTest::addRow("parameters before notebook")
        << mutated(rich, {{"parameters", 0}, {"notebook", 0}}) << SessionError::ParameterContext;
    QTest::addRow("notebook before replay") << mutated(rich, {{"notebook", 0}, {"stage", 0}}) << SessionError::Notebook;
    QTest::addRow("replay after a valid notebook")
        << mutated(notebookSession(), {{"stage", 0}}) << SessionError::ImpossibleHistogram;
}

void TestLearningSession::rejections()
{
    QFETCH(QByteArray, document);
    QFETCH(SessionError, expected);
    SessionData destination = sentinel();
    const QByteArray before = serialiseSession(destination);
    SessionRefusal refusal;
    QVERIFY(!restoreSession(document, destination, &refusal));
    QCOMPARE(refusal.error, expected);
    QString message;
    QVERIFY(!restoreSession(document, destination, &message));
    if (expected == SessionError::CircuitRefused) {
        QCOMPARE(message, QStringLiteral("Invalid gate/target at index 0"));
    } else if (expected != SessionError::RepeatedMember) { // repeatedMembers checks the names
        QCOMPARE(message, bilingual(expected));
    }
    QCOMPARE(serialiseSession(destination), before);
    QVERIFY(!destination.state);
    QCOMPARE(destination.circuit.titleEn, lessonCatalog()[2].titleEn);
}

void TestLearningSession::acceptedVariants_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("sameAsBase");
    const SessionData rich = richSession();
    const QByteArray valid = serialiseSession(rich);
    QJsonObject noBitOrder = circuitJson(rich.circuit);
    noBitOrder.remove("bit_order");

    QTest::addRow("exactly 1 MiB") << QByteArray(kMaxJsonDocumentBytes - valid.size(), ' ') + valid << true;
    QTest::addRow("indented") << QJsonDocument(objectOf(valid)).toJson(QJsonDocument::Indented) << true;
    QTest::addRow("other application version") << mutated(rich, {{"application_version", "0.1.0"}}) << true;
    QTest::addRow("stage 1.0") << mutated(rich, {{"stage", 1.0}}) << true;
    QTest::addRow("circuit without bit order") << mutated(rich, {{"circuit", noBitOrder}}) << true;
    QTest::addRow("invalid copy with junk")
        << mutated(rich, {{"comparison_a", QJsonObject{{"valid", false}, {"circuit", 5}}}}) << false;
    QTest::addRow("notes of 32,768") << mutated(rich, {{"notes", QString(32768, QLatin1Char('x'))}}) << false;
    QTest::addRow("tabs and line feeds in every text") << mutated(rich, {{"notes", "a\tb\n\nc"},
                                                                         {"question", "\t?"},
                                                                         {"conclusion", "1\n2"},
                                                                         {"prediction_reason", "x\ty"},
                                                                         {"draft_reason", "x\ny"}})
                                                       << false;
    QTest::addRow("generator with only the high bit of the oldest word")
        << mutated(rich, {{"rng_state", "2147483648 " + QString("0 ").repeated(311)}}) << false;
    QTest::addRow("generator words on lines")
        << mutated(rich, {{"rng_state", generatorWords(312).replace(' ', '\n') + "\n \t"}}) << false;
}

void TestLearningSession::acceptedVariants()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, sameAsBase);
    SessionData restored;
    QString error;
    QVERIFY2(restoreSession(document, restored, &error), qPrintable(error));
    const QByteArray canonical = serialiseSession(restored);
    if (sameAsBase) {
        QCOMPARE(canonical, serialiseSession(richSession()));
    }
    SessionData again;
    QVERIFY(restoreSession(canonical, again, &error));
    QCOMPARE(serialiseSession(again), canonical);
}

void TestLearningSession::repeatedMembers_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("name");

    const QByteArray rich = serialiseSession(richSession());
    const auto twice = [&rich](const QByteArray &member, const QByteArray &repeated) {
        return QByteArray(rich).replace(member, member + "," + repeated);
    };
    QTest::addRow("stage") << twice(R"("stage":1)", R"("stage":0)") << "stage";
    QTest::addRow("escaped stage") << twice(R"("stage":1)", R"("\u0073tage":1)") << "stage";
    QTest::addRow("in the circuit") << twice(R"("gate":"H")", R"("gate":"X")") << "gate";
    QTest::addRow("in the teacher's challenge")
        << QByteArray(serialiseSession(customChallengeSession()))
               .replace(R"("custom_challenge":{)", R"("custom_challenge":{"qubits":9,)")
        << "qubits";
    const QByteArray longName = R"("\u001b[2J)" + QByteArray(70, 'n') + '"';
    QTest::addRow("shown escaped and cut") << twice(R"("stage":1)", longName + ":1," + longName + ":2")
                                           << QStringLiteral("\\e[2J") + QString(60, 'n') + "...";
}

void TestLearningSession::repeatedMembers()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, name);
    SessionData restored;
    QString message;
    QVERIFY(!restoreSession(document, restored, &message));
    QCOMPARE(message, "Repeated member \"" + name + "\" / Membro ripetuto \"" + name + "\"");
}

void TestLearningSession::messagesInOneLanguage()
{
    const SessionRefusal values{SessionError::Values, QString()};
    QCOMPARE(values.text(), QStringLiteral("Invalid session values / Valori sessione non validi"));
    QCOMPARE(values.text(English), QStringLiteral("Invalid session values"));
    QCOMPARE(values.text(Italian), QStringLiteral("Valori sessione non validi"));
    const SessionRefusal circuit{SessionError::CircuitRefused, QStringLiteral("Too many gates")};
    QCOMPARE(circuit.text(), QStringLiteral("Too many gates"));
    QCOMPARE(circuit.text(Italian), QStringLiteral("Too many gates"));
    QCOMPARE(SessionRefusal{}.text(), QString());
    QCOMPARE(bilingual(SessionError::Unreadable),
             QStringLiteral("Unreadable or oversized session. / Sessione illeggibile o troppo grande."));
}

void TestLearningSession::workInHandComesBackWhole()
{
    // The Bell lesson at its end with 100 preparations, a comparison copy and the student's texts.
    Experiment experiment;
    experiment.chooseLesson(2);
    experiment.restart();
    QVERIFY(experiment.goToStep(2));
    QVERIFY(experiment.repeatPreparations(100));
    LearningLab lab;
    QVERIFY(lab.capture(CopySide::A, experiment.shownCircuit(), 1));
    const StudyTexts texts{QStringLiteral("Twins?"),
                           QStringLiteral("entangled"),
                           QStringLiteral("00 and 11\nonly"),
                           QStringLiteral("always equal"),
                           2,
                           QStringLiteral("Ada <b>L</b>"),
                           QStringLiteral("4B"),
                           QStringLiteral("10 dicembre 2026")};
    const QByteArray saved = serialiseSession(gatherSession(experiment, lab, texts, 100, true));

    SessionData restored;
    QString error;
    QVERIFY2(restoreSession(saved, restored, &error), qPrintable(error));
    const std::optional<ExperimentRecord> record = experimentRecord(restored);
    QVERIFY(record.has_value());
    Experiment again;
    QVERIFY(again.restore(*record));
    LearningLab labAgain;
    labAgain.setCopies(restored.comparisonA, restored.comparisonB);
    const StudyTexts textsAgain = studyTexts(restored);
    QCOMPARE(textsAgain.notes, texts.notes);
    QCOMPARE(textsAgain.distributionDraft, 2);
    QCOMPARE(again.lastShotsCounts(), experiment.lastShotsCounts());
    // Gathering again writes the same bytes: nothing of the work was lost on the way.
    QCOMPARE(serialiseSession(gatherSession(again, labAgain, textsAgain, restored.selectedShots, restored.simpleMode)),
             saved);

    // A session without its replayed state puts nothing in place.
    restored.state.reset();
    QVERIFY(!experimentRecord(restored).has_value());
}

QTEST_GUILESS_MAIN(TestLearningSession)
#include "test_learning_session.moc"
