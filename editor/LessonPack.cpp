#include "editor/LessonPack.h"

#include "editor/AtomicSave.h"
#include "editor/CircuitFile.h"
#include "editor/FilePath.h"
#include "editor/InputFile.h"
#include "editor/JsonMembers.h"
#include "editor/PlainText.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringList>

#include <cstddef>
#include <exception>
#include <tuple>
#include <utility>

namespace Fasoria {

namespace {

const char *const kFormatTag = "FasoriaLessonPack";

using TextPair = std::pair<QString, QString>;

// A refused document, thrown inside the reader only and turned into its message there.
struct Refusal
{
    QString message;
};

[[noreturn]] void refuse(const QString &where, const QString &what)
{
    throw Refusal{where + QLatin1String(": ") + what};
}

bool fail(QString *error, const QString &message)
{
    if (error) {
        *error = message;
    }
    return false;
}

// `where` names the object in messages: "Pack", "Lesson 3 (\"sdc\")", "Lesson 3 (\"sdc\"), step 2".
void checkMembers(const QJsonObject &object, const QStringList &known, const QString &where)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            refuse(where, QStringLiteral("unknown member \"%1\"").arg(shownName(it.key())));
        }
    }
}

QString plainText(const QJsonObject &object, const char *member, int maxLength, const QString &where)
{
    const QJsonValue value = object.value(QLatin1String(member));
    const QLatin1String name(member);
    if (value.isUndefined()) {
        refuse(where, QLatin1String("missing ") + name);
    }
    const QString text = value.toString();
    if (!value.isString() || !isPlainText(text)) {
        refuse(where, name + QLatin1String(" must be a text on one line without control characters"));
    }
    if (text.trimmed().isEmpty()) {
        refuse(where, name + QLatin1String(" is blank"));
    }
    if (text.size() > maxLength) {
        refuse(where, QStringLiteral("%1 must be at most %2 characters").arg(name).arg(maxLength));
    }
    return text;
}

TextPair bilingual(const QJsonObject &object, const char *italian, const char *english, int maxLength,
                   const QString &where)
{
    return {plainText(object, italian, maxLength, where), plainText(object, english, maxLength, where)};
}

// A circuit or challenge file object, read by that file's own reader.
template <typename Content>
Content embedded(const QJsonObject &lesson, const char *member, const QString &where,
                 bool (*parse)(const QByteArray &, Content &, QString *))
{
    const QJsonValue value = lesson.value(QLatin1String(member));
    if (!value.isObject()) {
        refuse(where, QLatin1String(member) + QLatin1String(" must be an object"));
    }
    Content content;
    QString message;
    if (!parse(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact), content, &message)) {
        refuse(where, QLatin1String(member) + QLatin1String(": ") + message);
    }
    return content;
}

std::vector<TextPair> readSteps(const QJsonObject &lesson, std::size_t gates, const QString &where)
{
    const QJsonValue value = lesson.value(QLatin1String("steps"));
    if (value.isUndefined()) {
        return {};
    }
    if (!value.isArray()) {
        refuse(where, QStringLiteral("steps must be a list"));
    }
    const QJsonArray list = value.toArray();
    if (static_cast<std::size_t>(list.size()) != gates) {
        refuse(where, QStringLiteral("step texts: %1 given for %2 gates").arg(list.size()).arg(gates));
    }
    static const QStringList kStepMembers = {"it", "en"};
    std::vector<TextPair> texts;
    for (int i = 0; i < list.size(); ++i) {
        const QString step = where + QStringLiteral(", step %1").arg(i + 1);
        if (!list.at(i).isObject()) {
            refuse(step, QStringLiteral("must be an object with it and en"));
        }
        const QJsonObject object = list.at(i).toObject();
        checkMembers(object, kStepMembers, step);
        texts.push_back(bilingual(object, "it", "en", kMaxLessonStepTextLength, step));
    }
    return texts;
}

void readActivity(const QJsonObject &object, const QString &where, PackLesson &lesson)
{
    const bool guided = object.contains(QLatin1String("circuit"));
    if (guided == object.contains(QLatin1String("challenge"))) {
        refuse(where, QStringLiteral("give exactly one of circuit and challenge"));
    }
    if (!guided) {
        if (object.contains(QLatin1String("steps"))) {
            refuse(where, QStringLiteral("steps belong to a lesson with a circuit"));
        }
        lesson.challenge = embedded<ChallengeFile>(object, "challenge", where, parseChallenge);
        return;
    }
    lesson.guided = embedded<Circuit>(object, "circuit", where, parseCircuit);
    lesson.stepTexts = readSteps(object, lesson.guided->steps.size(), where);
}

// Lesson `number` (from 1); ids holds those of the lessons before it.
PackLesson readLesson(const QJsonValue &value, int number, QSet<QString> &ids)
{
    const QString position = QStringLiteral("Lesson %1").arg(number);
    if (!value.isObject()) {
        refuse(position, QStringLiteral("must be an object"));
    }
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    if (id.isUndefined()) {
        refuse(position, QStringLiteral("missing id"));
    }
    if (!id.isString() || !isLessonId(id.toString())) {
        refuse(position,
               QStringLiteral("id must be 1 to %1 ASCII letters, digits and hyphens").arg(kMaxLessonIdLength));
    }
    PackLesson lesson;
    lesson.id = id.toString();
    if (ids.contains(lesson.id)) {
        throw Refusal{QStringLiteral("Lesson \"%1\" appears twice").arg(lesson.id)};
    }
    ids.insert(lesson.id);
    const QString where = QStringLiteral("%1 (\"%2\")").arg(position, lesson.id);
    static const QStringList kLessonMembers = {"id",          "title_it",       "title_en",       "question_it",
                                               "question_en", "explanation_it", "explanation_en", "circuit",
                                               "steps",       "challenge"};
    checkMembers(object, kLessonMembers, where);
    std::tie(lesson.titleIt, lesson.titleEn) = bilingual(object, "title_it", "title_en", kMaxLessonTitleLength, where);
    std::tie(lesson.questionIt, lesson.questionEn) =
        bilingual(object, "question_it", "question_en", kMaxLessonTextLength, where);
    std::tie(lesson.explanationIt, lesson.explanationEn) =
        bilingual(object, "explanation_it", "explanation_en", kMaxLessonTextLength, where);
    readActivity(object, where, lesson);
    return lesson;
}

// Everything but the document's size and syntax; throws Refusal.
LessonPack readPack(const QJsonObject &root)
{
    const QJsonValue format = root.value(QLatin1String("format"));
    if (!format.isString() || format.toString() != QLatin1String(kFormatTag) ||
        !readBoundedInteger(root.value(QLatin1String("version")), 1, 1)) {
        throw Refusal{QStringLiteral("Unsupported format or version")};
    }
    const QString where = QStringLiteral("Pack");
    checkMembers(root, {"format", "version", "title_it", "title_en", "lessons"}, where);
    LessonPack pack;
    std::tie(pack.titleIt, pack.titleEn) = bilingual(root, "title_it", "title_en", kMaxLessonTitleLength, where);
    const QJsonValue lessons = root.value(QLatin1String("lessons"));
    if (!lessons.isArray()) {
        refuse(where,
               lessons.isUndefined() ? QStringLiteral("missing lessons") : QStringLiteral("lessons must be a list"));
    }
    const QJsonArray list = lessons.toArray();
    if (list.size() > kMaxPackLessons) {
        throw Refusal{QStringLiteral("Too many lessons (at most %1)").arg(kMaxPackLessons)};
    }
    QSet<QString> ids;
    for (int i = 0; i < list.size(); ++i) {
        pack.lessons.push_back(readLesson(list.at(i), i + 1, ids));
    }
    return pack;
}

QJsonObject objectOf(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
}

QJsonObject lessonObject(const PackLesson &lesson)
{
    QJsonObject object{{QLatin1String("id"), lesson.id},
                       {QLatin1String("title_it"), lesson.titleIt},
                       {QLatin1String("title_en"), lesson.titleEn},
                       {QLatin1String("question_it"), lesson.questionIt},
                       {QLatin1String("question_en"), lesson.questionEn},
                       {QLatin1String("explanation_it"), lesson.explanationIt},
                       {QLatin1String("explanation_en"), lesson.explanationEn}};
    if (lesson.guided) {
        object.insert(QLatin1String("circuit"), objectOf(serializeCircuit(*lesson.guided)));
    }
    if (!lesson.stepTexts.empty()) {
        QJsonArray steps;
        for (const TextPair &texts : lesson.stepTexts) {
            steps.append(QJsonObject{{QLatin1String("it"), texts.first}, {QLatin1String("en"), texts.second}});
        }
        object.insert(QLatin1String("steps"), steps);
    }
    if (lesson.challenge) {
        object.insert(QLatin1String("challenge"), objectOf(serializeChallenge(*lesson.challenge)));
    }
    return object;
}

} // namespace

QByteArray serializeLessonPack(const LessonPack &pack)
{
    QJsonArray lessons;
    for (const PackLesson &lesson : pack.lessons) {
        lessons.append(lessonObject(lesson));
    }
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String(kFormatTag));
    root.insert(QLatin1String("version"), 1);
    root.insert(QLatin1String("title_it"), pack.titleIt);
    root.insert(QLatin1String("title_en"), pack.titleEn);
    root.insert(QLatin1String("lessons"), lessons);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool parseLessonPack(const QByteArray &bytes, LessonPack &pack, QString *error)
{
    const std::optional<QJsonObject> document = readJsonObject(bytes, error);
    if (!document) {
        return false;
    }
    try {
        pack = readPack(*document);
    } catch (const Refusal &refusal) {
        return fail(error, refusal.message);
    } catch (const std::exception &exception) {
        return fail(error, QString::fromUtf8(exception.what()));
    }
    return true;
}

bool saveLessonPackFile(const QString &path, const LessonPack &pack, QString *error)
{
    // A pack built in code may hold what the reader refuses (a missing translation, a repeated id, more
    // than 1 MiB of text): the class could never open such a file, so nothing is written.
    const QByteArray bytes = serializeLessonPack(pack);
    LessonPack readBack;
    QString reason;
    if (!parseLessonPack(bytes, readBack, &reason)) {
        return fail(error, QStringLiteral("The lesson pack cannot be saved as a readable file: %1").arg(reason));
    }
    return saveFileAtomically(path, bytes, error);
}

bool loadLessonPackFile(const QString &path, LessonPack &pack, QString *error)
{
    QByteArray bytes;
    return readInputFile(path, kMaxJsonDocumentBytes, bytes, error) && parseLessonPack(bytes, pack, error);
}

bool createLessonPackFile(const QString &path, const QString &titleIt, const QString &titleEn, QString *error)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        return fail(error, QStringLiteral("%1 already exists: a new pack is never written over a file").arg(path));
    }
    LessonPack pack;
    pack.titleIt = titleIt;
    pack.titleEn = titleEn;
    return saveLessonPackFile(path, pack, error);
}

bool addLessonToPackFile(const QString &path, const PackLesson &lesson, QString *error)
{
    LessonPack pack;
    if (!loadLessonPackFile(path, pack, error)) {
        return false;
    }
    if (pack.lessons.size() >= static_cast<std::size_t>(kMaxPackLessons)) {
        return fail(error,
                    QStringLiteral("The pack already holds %1 lessons, the most a pack can hold").arg(kMaxPackLessons));
    }
    for (const PackLesson &held : pack.lessons) {
        if (held.id == lesson.id) {
            return fail(error, QStringLiteral("The pack already has a lesson \"%1\"").arg(lesson.id));
        }
    }
    pack.lessons.push_back(lesson);
    return saveLessonPackFile(path, pack, error);
}

bool isLessonId(const QString &id)
{
    if (id.isEmpty() || id.size() > kMaxLessonIdLength) {
        return false;
    }
    for (const QChar c : id) {
        const char16_t unit = c.unicode();
        const bool letter = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
        if (!letter && !(unit >= u'0' && unit <= u'9') && unit != u'-') {
            return false;
        }
    }
    return true;
}

QString lessonPackFileName(const QString &chosenName)
{
    return withFileEnding(chosenName, ".json", ".lessons.json");
}

} // namespace Fasoria
