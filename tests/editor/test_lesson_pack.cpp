#include "editor/LessonPack.h"
#include "tests/editor/GateLists.h"
#include "tests/editor/PackSeed.h"
#include "tests/support/FileBytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace Fasoria;

using Change = std::function<void(QJsonObject &)>;

Q_DECLARE_METATYPE(Fasoria::LessonPack)
Q_DECLARE_METATYPE(Fasoria::PackLesson)

namespace {

// Prepare a Bell pair, encode the bits 11 with X and Z on q0, decode.
Circuit superdense()
{
    return circuitOf(2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::X, 0), gate(GateKind::Z, 0),
                         gate(GateKind::Cnot, 1, 0), gate(GateKind::H, 0)});
}

// A lesson with its id and its texts: title, question and explanation, each Italian then English.
PackLesson lessonWithTexts(const QString &id, const QStringList &texts)
{
    PackLesson lesson;
    lesson.id = id;
    lesson.titleIt = texts.value(0);
    lesson.titleEn = texts.value(1);
    lesson.questionIt = texts.value(2);
    lesson.questionEn = texts.value(3);
    lesson.explanationIt = texts.value(4);
    lesson.explanationEn = texts.value(5);
    return lesson;
}

PackLesson guidedLesson()
{
    PackLesson lesson = lessonWithTexts(
        "sdc", {"Codifica superdensa", "Superdense coding", "Un qubit può portare due bit classici?",
                "Can one qubit carry two classical bits?",
                "Due bit classici hanno viaggiato su un solo qubit, grazie alla coppia di Bell condivisa.",
                "Two classical bits travelled on one qubit, thanks to the shared Bell pair."});
    lesson.guided = superdense();
    lesson.stepTexts = {
        {"H mette q0 in una sovrapposizione uniforme.", "H puts q0 in an equal superposition."},
        {"CNOT intreccia q0 e q1: la coppia di Bell è pronta.", "CNOT entangles q0 and q1: the Bell pair is ready."},
        {"X su q0 codifica il primo bit.", "X on q0 encodes the first bit."},
        {"Z su q0 codifica il secondo bit.", "Z on q0 encodes the second bit."},
        {"CNOT comincia la decodifica.", "CNOT begins the decoding."},
        {"H la completa: il registro vale |11⟩.", "H ends it: the register reads |11⟩."}};
    return lesson;
}

PackLesson challengeLesson()
{
    ChallengeFile challenge;
    ChallengeDefinition &definition = challenge.definition;
    definition.qubitCount = 2;
    definition.goalIt = "Prepara la coppia di Bell che porta i bit 11.";
    definition.goalEn = "Prepare the Bell pair that carries the bits 11.";
    setChallengeHints(
        definition,
        {"Parti dalla coppia di Bell.", "Entrambi i bit si scrivono su q0.", "H(q0), CNOT(q0->q1), X(q0), Z(q0)."},
        {"Start from the Bell pair.", "Both bits are written on q0.", "H(q0), CNOT(q0->q1), X(q0), Z(q0)."});
    challenge.reference =
        circuitOf(2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0), gate(GateKind::X, 0), gate(GateKind::Z, 0)});
    definition.target = targetFromCircuit(*challenge.reference);
    definition.required = {{GateKind::Cnot, 1}};
    definition.forbidden = {GateKind::P};
    definition.maxGates = 4;

    PackLesson lesson =
        lessonWithTexts("sdc-challenge", {"Codifica superdensa: tocca a te", "Superdense coding: your turn",
                                          "Quali porte scrivono i bit 11 sul qubit di Alice?",
                                          "Which gates write the bits 11 on Alice's qubit?",
                                          "X e Z di Alice hanno scelto quale dei quattro stati di Bell riceve Bob.",
                                          "Alice's X and Z chose which of the four Bell states Bob receives."});
    lesson.challenge = challenge;
    return lesson;
}

LessonPack superdensePack()
{
    return LessonPack{"L'entanglement al lavoro", "Entanglement at work", {guidedLesson(), challengeLesson()}};
}

// A destination no document gives: a lesson on 5 qubits without texts, so the reader would refuse it.
LessonPack sentinel()
{
    PackLesson lesson;
    lesson.id = "sentinel";
    lesson.guided = circuitOf(5, {gate(GateKind::P, 4, 0, std::nextafter(1.0, 2.0))});
    return LessonPack{"sentinel", "", {lesson}};
}

bool isSentinel(const LessonPack &pack)
{
    return serializeLessonPack(pack) == serializeLessonPack(sentinel());
}

QJsonObject packObject()
{
    return QJsonDocument::fromJson(serializeLessonPack(superdensePack())).object();
}

QByteArray changed(const Change &change)
{
    QJsonObject root = packObject();
    change(root);
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

Change setting(const char *member, const QJsonValue &value)
{
    return [member, value](QJsonObject &object) { object.insert(QLatin1String(member), value); };
}

Change removing(const char *member)
{
    return [member](QJsonObject &object) { object.remove(QLatin1String(member)); };
}

// The change applied to lesson `index` (from 0) of the pack.
Change inLesson(int index, const Change &change)
{
    return [index, change](QJsonObject &root) {
        QJsonArray lessons = root.value(QLatin1String("lessons")).toArray();
        QJsonObject lesson = lessons.at(index).toObject();
        change(lesson);
        lessons.replace(index, lesson);
        root.insert(QLatin1String("lessons"), lessons);
    };
}

// The change applied to member `member` (an object) of lesson `index`.
Change inMember(int index, const char *member, const Change &change)
{
    return inLesson(index, [member, change](QJsonObject &lesson) {
        QJsonObject inner = lesson.value(QLatin1String(member)).toObject();
        change(inner);
        lesson.insert(QLatin1String(member), inner);
    });
}

// `count` copies of the guided lesson, ids "l1", "l2", …
Change lessonCopies(int count)
{
    return [count](QJsonObject &root) {
        const QJsonObject guided = root.value(QLatin1String("lessons")).toArray().at(0).toObject();
        QJsonArray lessons;
        for (int i = 1; i <= count; ++i) {
            QJsonObject lesson = guided;
            lesson.insert(QLatin1String("id"), QStringLiteral("l%1").arg(i));
            lessons.append(lesson);
        }
        root.insert(QLatin1String("lessons"), lessons);
    };
}

QJsonArray steps(int count)
{
    QJsonArray list;
    for (int i = 0; i < count; ++i) {
        list.append(QJsonObject{{"it", "Passo."}, {"en", "Step."}});
    }
    return list;
}

// The guided lesson with six plain step texts, step `index` (from 0) replaced.
Change replacingStep(int index, const QJsonObject &step)
{
    QJsonArray list = steps(6);
    list.replace(index, step);
    return inLesson(0, setting("steps", list));
}

} // namespace

class TestLessonPack : public QObject
{
    Q_OBJECT

private slots:
    void writtenBytes()
    {
        // The seed is written out by hand: indentation, keys in ascending order, the embedded files' own
        // objects and the final newline.
        const QByteArray expected = readFile(kSuperdenseSeed);
        QVERIFY(expected.endsWith("}\n"));
        QCOMPARE(serializeLessonPack(superdensePack()), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<LessonPack>("pack");

        QTest::addRow("guided and challenge lessons") << superdensePack();
        QTest::addRow("no lessons") << LessonPack{"Vuoto", "Empty", {}};
        PackLesson bare = guidedLesson();
        bare.stepTexts.clear();
        bare.guided = circuitOf(8, {gate(GateKind::P, 7, 0, -0.1), gate(GateKind::Cnot, 0, 7)});
        QTest::addRow("circuit without step texts") << LessonPack{"a", "b", {bare}};
        PackLesson quoted = guidedLesson();
        quoted.titleIt = "«virgolette» e \"apici\" \\ è 😀";
        quoted.questionEn = QString(kMaxLessonTextLength - 2, 'q') + "😀";
        quoted.stepTexts[5].first = QString(kMaxLessonStepTextLength, 's');
        QTest::addRow("quotes, accents and texts at their limits") << LessonPack{"a", "b", {quoted}};
    }

    void roundTrip()
    {
        QFETCH(LessonPack, pack);

        const QByteArray written = serializeLessonPack(pack);
        LessonPack reread = sentinel();
        QString error;
        QVERIFY2(parseLessonPack(written, reread, &error), qPrintable(error));
        QCOMPARE(serializeLessonPack(reread), written);
        QCOMPARE(reread.titleIt, pack.titleIt);
        QCOMPARE(reread.lessons.size(), pack.lessons.size());
        for (std::size_t i = 0; i < pack.lessons.size(); ++i) {
            const PackLesson &read = reread.lessons[i];
            const PackLesson &given = pack.lessons[i];
            QCOMPARE(read.id, given.id);
            QCOMPARE(read.questionEn, given.questionEn);
            QVERIFY(read.stepTexts == given.stepTexts);
            QCOMPARE(read.guided.has_value(), given.guided.has_value());
            QCOMPARE(read.challenge.has_value(), given.challenge.has_value());
            if (given.guided) {
                QVERIFY(sameBits(gatesOf(*read.guided), gatesOf(*given.guided)));
            }
        }
    }

    void accepted_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lessons");

        QTest::addRow("steps left out") << changed(inLesson(0, removing("steps"))) << 2;
        QTest::addRow("ids differing in case") << changed(inLesson(1, setting("id", "SDC"))) << 2;
        QTest::addRow("id of 40 characters")
            << changed(inLesson(0, setting("id", QString(kMaxLessonIdLength, '-')))) << 2;
        QTest::addRow("50 lessons") << changed(lessonCopies(kMaxPackLessons)) << kMaxPackLessons;
        QTest::addRow("title of 200 UTF-16 units") << changed(setting("title_it", QString(198, 't') + "😀")) << 2;
        QTest::addRow("explanation of 2,000 characters")
            << changed(inLesson(0, setting("explanation_en", QString(kMaxLessonTextLength, 'e')))) << 2;
        QTest::addRow("compact and unordered")
            << QByteArray(R"({"version":1,"format":"FasoriaLessonPack","title_it":"a","title_en":"b","lessons":[]})")
            << 0;
    }

    void accepted()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lessons);

        LessonPack pack = sentinel();
        QString error;
        QVERIFY2(parseLessonPack(bytes, pack, &error), qPrintable(error));
        QCOMPARE(static_cast<int>(pack.lessons.size()), lessons);
        const QByteArray written = serializeLessonPack(pack);
        LessonPack reread;
        QVERIFY(parseLessonPack(written, reread, &error));
        QCOMPARE(serializeLessonPack(reread), written);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        const QByteArray seed = readFile(kSuperdenseSeed);
        const QString sdc = "Lesson 1 (\"sdc\"): ";
        const QString challenge = "Lesson 2 (\"sdc-challenge\"): ";

        QTest::addRow("not JSON") << QByteArray("{\"format\": ") << "Invalid JSON: unterminated object";
        QTest::addRow("over 1 MiB") << seed.leftJustified(1048577, ' ') << "Document exceeds 1 MiB";
        QTest::addRow("challenge format")
            << changed(setting("format", "FasoriaChallenge")) << "Unsupported format or version";
        QTest::addRow("version 2") << changed(setting("version", 2)) << "Unsupported format or version";
        QTest::addRow("repeated member") << QByteArray(seed).replace("\"id\": \"sdc\"",
                                                                     "\"id\": \"sdc\", \"\\u0069d\": \"x\"")
                                         << "Repeated member \"id\"";
        QTest::addRow("unknown member at the top")
            << changed(setting("author", "Ada")) << "Pack: unknown member \"author\"";
        QTest::addRow("unknown member in a lesson")
            << changed(inLesson(0, setting("hint_en", "x"))) << sdc + "unknown member \"hint_en\"";
        QTest::addRow("unknown member in a step")
            << changed(replacingStep(2, QJsonObject{{"it", "a"}, {"en", "b"}, {"fr", "c"}}))
            << "Lesson 1 (\"sdc\"), step 3: unknown member \"fr\"";
        QTest::addRow("lessons missing") << changed(removing("lessons")) << "Pack: missing lessons";
        QTest::addRow("lessons an object")
            << changed(setting("lessons", QJsonObject())) << "Pack: lessons must be a list";
        QTest::addRow("51 lessons") << changed(lessonCopies(kMaxPackLessons + 1)) << "Too many lessons (at most 50)";
        QTest::addRow("lesson a text") << changed(setting("lessons", QJsonArray{"sdc"}))
                                       << "Lesson 1: must be an object";

        const QString badId = "Lesson 2: id must be 1 to 40 ASCII letters, digits and hyphens";
        QTest::addRow("id missing") << changed(inLesson(1, removing("id"))) << "Lesson 2: missing id";
        QTest::addRow("id empty") << changed(inLesson(1, setting("id", ""))) << badId;
        QTest::addRow("id with a space") << changed(inLesson(1, setting("id", "sdc 2"))) << badId;
        QTest::addRow("id with an underscore") << changed(inLesson(1, setting("id", "sdc_2"))) << badId;
        QTest::addRow("id with an accent") << changed(inLesson(1, setting("id", "sdè"))) << badId;
        QTest::addRow("id of 41 characters") << changed(inLesson(1, setting("id", QString(41, 'a')))) << badId;
        QTest::addRow("id a number") << changed(inLesson(1, setting("id", 2))) << badId;
        QTest::addRow("id twice") << changed(inLesson(1, setting("id", "sdc"))) << "Lesson \"sdc\" appears twice";

        QTest::addRow("translation missing")
            << changed(inLesson(0, removing("explanation_en"))) << sdc + "missing explanation_en";
        QTest::addRow("translation empty")
            << changed(inLesson(1, setting("question_it", ""))) << challenge + "question_it is blank";
        QTest::addRow("translation blank")
            << changed(inLesson(0, setting("title_en", " \u00A0 "))) << sdc + "title_en is blank";
        QTest::addRow("pack title blank") << changed(setting("title_it", "   ")) << "Pack: title_it is blank";
        QTest::addRow("pack title missing") << changed(removing("title_en")) << "Pack: missing title_en";
        const QString notPlain = " must be a text on one line without control characters";
        QTest::addRow("line feed") << changed(inLesson(0, setting("question_en", "one\ntwo")))
                                   << sdc + "question_en" + notPlain;
        QTest::addRow("right-to-left override")
            << changed(inLesson(1, setting("title_it", "a\u202Eb"))) << challenge + "title_it" + notPlain;
        QTest::addRow("text a number") << changed(inLesson(0, setting("explanation_it", 3)))
                                       << sdc + "explanation_it" + notPlain;
        QTest::addRow("title of 201 UTF-16 units") << changed(inLesson(0, setting("title_it", QString(199, 't') + "😀")))
                                                   << sdc + "title_it must be at most 200 characters";
        QTest::addRow("pack title of 201 characters")
            << changed(setting("title_en", QString(201, 't'))) << "Pack: title_en must be at most 200 characters";
        QTest::addRow("explanation of 2,001 characters")
            << changed(inLesson(1, setting("explanation_en", QString(2001, 'e'))))
            << challenge + "explanation_en must be at most 2000 characters";
        QTest::addRow("step of 1,001 characters")
            << changed(replacingStep(5, QJsonObject{{"it", QString(1001, 's')}, {"en", "b"}}))
            << "Lesson 1 (\"sdc\"), step 6: it must be at most 1000 characters";
        QTest::addRow("step with ESC") << changed(replacingStep(0, QJsonObject{{"it", "a"}, {"en", "\x1b[2J"}}))
                                       << "Lesson 1 (\"sdc\"), step 1: en" + notPlain;
        QTest::addRow("step translation missing")
            << changed(replacingStep(4, QJsonObject{{"it", "a"}})) << "Lesson 1 (\"sdc\"), step 5: missing en";

        const QString exactlyOne = "give exactly one of circuit and challenge";
        QTest::addRow("circuit and challenge")
            << changed(inLesson(0, setting("challenge", QJsonObject()))) << sdc + exactlyOne;
        QTest::addRow("neither") << changed(inLesson(1, removing("challenge"))) << challenge + exactlyOne;
        QTest::addRow("steps in a challenge lesson") << changed(inLesson(1, setting("steps", steps(0))))
                                                     << challenge + "steps belong to a lesson with a circuit";
        QTest::addRow("5 step texts for 6 gates")
            << changed(inLesson(0, setting("steps", steps(5)))) << sdc + "step texts: 5 given for 6 gates";
        QTest::addRow("7 step texts for 6 gates")
            << changed(inLesson(0, setting("steps", steps(7)))) << sdc + "step texts: 7 given for 6 gates";
        QTest::addRow("steps an object") << changed(inLesson(0, setting("steps", QJsonObject())))
                                         << sdc + "steps must be a list";
        QTest::addRow("step a text") << changed(inLesson(0, setting("steps", QJsonArray{"a", "b", "c", "d", "e", "f"})))
                                     << "Lesson 1 (\"sdc\"), step 1: must be an object with it and en";
        QTest::addRow("circuit a list") << changed(inLesson(0, setting("circuit", QJsonArray())))
                                        << sdc + "circuit must be an object";
        QTest::addRow("circuit with an unknown gate")
            << changed(inMember(0, "circuit", setting("gates", QJsonArray{QJsonObject{{"gate", "Y"}, {"target", 0}}})))
            << sdc + "circuit: Invalid gate/target at index 0";
        QTest::addRow("circuit on 9 qubits") << changed(inMember(0, "circuit", setting("qubits", 9)))
                                             << sdc + "circuit: Unsupported format/version or invalid qubit count";
        QTest::addRow("challenge with a blank goal") << changed(inMember(1, "challenge", setting("goal_en", " ")))
                                                     << challenge + "challenge: Challenge goal missing";
        QTest::addRow("challenge breaking its rules") << changed(inMember(1, "challenge", setting("min_gates", 5)))
                                                      << challenge + "challenge: Challenge maximum below minimum";
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);

        LessonPack pack = sentinel();
        QString error;
        QVERIFY(!parseLessonPack(bytes, pack, &error));
        QCOMPARE(error, message);
        QVERIFY(isSentinel(pack));
    }

    void saveAndLoad()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("superdense.lessons.json");
        QString error;
        QVERIFY2(saveLessonPackFile(path, superdensePack(), &error), qPrintable(error));
        LessonPack loaded = sentinel();
        QVERIFY2(loadLessonPackFile(path, loaded, &error), qPrintable(error));
        QCOMPARE(serializeLessonPack(loaded), readFile(kSuperdenseSeed));

        LessonPack untranslated = superdensePack();
        untranslated.lessons[1].explanationEn.clear();
        QVERIFY(!saveLessonPackFile(path, untranslated, &error));
        QCOMPARE(error, "The lesson pack cannot be saved as a readable file: Lesson 2 (\"sdc-challenge\"): "
                        "explanation_en is blank");
        QCOMPARE(readFile(path), readFile(kSuperdenseSeed));

        LessonPack oversized = superdensePack();
        for (auto &texts : oversized.lessons[0].stepTexts) {
            texts.first = texts.second = QString(kMaxLessonStepTextLength, QChar(0x20AC));
        }
        const PackLesson guided = oversized.lessons[0];
        oversized.lessons.resize(kMaxPackLessons, guided);
        for (std::size_t i = 0; i < oversized.lessons.size(); ++i) {
            oversized.lessons[i].id = QStringLiteral("l%1").arg(i);
        }
        const QString fresh = dir.filePath("oversized.lessons.json");
        QVERIFY(!saveLessonPackFile(fresh, oversized, &error));
        QCOMPARE(error, "The lesson pack cannot be saved as a readable file: Document exceeds 1 MiB");
        QVERIFY(!QFileInfo::exists(fresh));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("superdense.lessons.json"));
    }

    // A pack grows one lesson at a time and a refused addition leaves the file as it was, byte for byte.
    void addLessons_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<PackLesson>("lesson");
        QTest::addColumn<QString>("error");
        PackLesson repeated = challengeLesson();
        repeated.id = "sdc";
        PackLesson untranslated = challengeLesson();
        untranslated.titleIt.clear();
        PackLesson another = challengeLesson();
        another.id = "one-more";
        QTest::newRow("added") << 1 << challengeLesson() << QString();
        QTest::newRow("id already held") << 1 << repeated << "The pack already has a lesson \"sdc\"";
        QTest::newRow("blank translation")
            << 1 << untranslated
            << "The lesson pack cannot be saved as a readable file: Lesson 2 (\"sdc-challenge\"): title_it is blank";
        QTest::newRow("pack full") << kMaxPackLessons << another
                                   << "The pack already holds 50 lessons, the most a pack can hold";
    }

    void addLessons()
    {
        QFETCH(int, held);
        QFETCH(PackLesson, lesson);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("pack.lessons.json");
        QString message;
        QVERIFY2(createLessonPackFile(path, "L'entanglement al lavoro", "Entanglement at work", &message),
                 qPrintable(message));
        QVERIFY(!createLessonPackFile(path, "Altro", "Other", &message));
        QVERIFY(message.endsWith("already exists: a new pack is never written over a file"));
        for (int i = 0; i < held; ++i) {
            PackLesson guided = guidedLesson();
            guided.id = i == 0 ? QStringLiteral("sdc") : QStringLiteral("l%1").arg(i);
            QVERIFY2(addLessonToPackFile(path, guided, &message), qPrintable(message));
        }
        const QByteArray before = readFile(path);
        QCOMPARE(addLessonToPackFile(path, lesson, &message), error.isEmpty());
        if (error.isEmpty()) {
            QCOMPARE(readFile(path), readFile(kSuperdenseSeed));
        } else {
            QCOMPARE(message, error);
            QCOMPARE(readFile(path), before);
        }
        QVERIFY(!addLessonToPackFile(dir.filePath("missing.lessons.json"), lesson, &message));
        QVERIFY(!QFileInfo::exists(dir.filePath("missing.lessons.json")));
    }

    void loadFailures()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString large = dir.filePath("large.lessons.json");
        QFile file(large);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(readFile(kSuperdenseSeed).leftJustified(1048577, ' ')) > 0);
        file.close();
        LessonPack pack = sentinel();
        QString error;
        QVERIFY(!loadLessonPackFile(large, pack, &error));
        QCOMPARE(error, "File is too large");
        QVERIFY(!loadLessonPackFile(dir.path(), pack, &error));
        QCOMPARE(error, "not a regular file");
        QVERIFY(isSentinel(pack));
    }

    void fileName_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");

        QTest::addRow("bare name") << "entanglement"
                                   << "entanglement.lessons.json";
        QTest::addRow("full name") << "week3.lessons.json"
                                   << "week3.lessons.json";
        QTest::addRow("other JSON name in capitals") << "WEEK3.JSON"
                                                     << "WEEK3.JSON";
        QTest::addRow("name without .json") << "week3.lessons"
                                            << "week3.lessons.lessons.json";
    }

    void fileName()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(lessonPackFileName(chosen), saved);
    }

    void seedCorpus_data()
    {
        QTest::addColumn<QString>("path");

        const QDir corpus(QStringLiteral(FASORIA_EDITOR_TEST_DATA "/lesson-pack-corpus"));
        const QStringList names = corpus.entryList(QDir::Files);
        QVERIFY(names.size() >= 6);
        for (const QString &name : names) {
            QTest::addRow("%s", qPrintable(name)) << corpus.filePath(name);
        }
    }

    void seedCorpus()
    {
        // Seeds are named for the reader's verdict: "valid-…" files load and round-trip, the rest are refused.
        QFETCH(QString, path);

        LessonPack pack = sentinel();
        QString error;
        const bool valid = QFileInfo(path).fileName().startsWith(QLatin1String("valid-"));
        QCOMPARE(loadLessonPackFile(path, pack, &error), valid);
        if (!valid) {
            QVERIFY(!error.isEmpty());
            QVERIFY(isSentinel(pack));
            return;
        }
        const QByteArray written = serializeLessonPack(pack);
        LessonPack reread;
        QVERIFY(parseLessonPack(written, reread, &error));
        QCOMPARE(serializeLessonPack(reread), written);
    }
};

QTEST_GUILESS_MAIN(TestLessonPack)
#include "test_lesson_pack.moc"
