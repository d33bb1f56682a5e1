#include "validation/suite/QtChecks.h"

#include "core/Language.h"
#include "editor/CircuitFile.h"
#include "ui/texts/TextCatalog.h"

#include <QChar>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <cmath>
#include <functional>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr Language kLanguages[] = {Italian, English};

void require(bool condition, const char *failure)
{
    if (!condition) {
        throw std::runtime_error(failure);
    }
}

QJsonObject fixtureObject()
{
    const QJsonDocument document = QJsonDocument::fromJson(serializeCircuit(documentFixture()));
    require(document.isObject(), "Generated JSON is invalid");
    return document.object();
}

// The fixture document with one change made to its parsed object, re-serialised in the writer's form.
QByteArray variant(const std::function<void(QJsonObject &)> &change)
{
    QJsonObject root = fixtureObject();
    change(root);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    require(QJsonDocument::fromJson(bytes).isObject(), "Generated JSON is invalid");
    return bytes;
}

// The fixture document with one change made to one element of "gates" (negative index counts from the end).
QByteArray gateVariant(int index, const std::function<void(QJsonObject &)> &change)
{
    return variant([&](QJsonObject &root) {
        QJsonArray gates = root.value(QLatin1String("gates")).toArray();
        const int position = index < 0 ? gates.size() + index : index;
        require(position >= 0 && position < gates.size(), "Generated JSON is invalid");
        QJsonObject gate = gates.at(position).toObject();
        change(gate);
        gates.replace(position, gate);
        root.insert(QLatin1String("gates"), gates);
    });
}

bool isWellFormed(const QString &text)
{
    return !text.trimmed().isEmpty() && !text.contains(QChar(QChar::ReplacementCharacter));
}

} // namespace

Circuit documentFixture()
{
    Circuit circuit = lessonCatalog().at(2);
    circuit.steps.emplace_back(GateKind::P, 1, 0, std::acos(-1.0) / 2.0);
    return circuit;
}

void requireRejectedDocument(const QByteArray &bytes)
{
    const Circuit fixture = documentFixture();
    Circuit destination = fixture;
    QString error;
    require(!parseCircuit(bytes, destination, &error), "Malformed JSON accepted");
    require(!error.isEmpty(), "Malformed JSON gave no error");
    require(serializeCircuit(destination) == serializeCircuit(fixture),
            "JSON parse failure modified caller's document");
}

void checkJsonRoundtrip()
{
    const Circuit fixture = documentFixture();
    const QByteArray bytes = serializeCircuit(fixture);
    Circuit loaded = lessonCatalog().at(0);
    require(parseCircuit(bytes, loaded, nullptr), "Cannot load generated JSON");
    require(serializeCircuit(loaded) == bytes, "JSON round-trip differs");
    require(loaded.qubitCount == fixture.qubitCount && loaded.steps.size() == fixture.steps.size(), "Circuit changed");
}

void checkJsonInvalidHeader()
{
    requireRejectedDocument(
        variant([](QJsonObject &root) { root.insert(QLatin1String("format"), QLatin1String("SomethingElse")); }));
    requireRejectedDocument(variant([](QJsonObject &root) { root.insert(QLatin1String("version"), 999); }));
    requireRejectedDocument(variant([](QJsonObject &root) { root.insert(QLatin1String("qubits"), 0); }));
}

void checkJsonInvalidGates()
{
    requireRejectedDocument(
        gateVariant(0, [](QJsonObject &gate) { gate.insert(QLatin1String("gate"), QLatin1String("NOT_A_GATE")); }));
    requireRejectedDocument(gateVariant(1, [](QJsonObject &gate) { gate.insert(QLatin1String("control"), 1); }));
    requireRejectedDocument(gateVariant(-1, [](QJsonObject &gate) { gate.remove(QLatin1String("angle_rad")); }));
}

void checkJsonTruncatedLarge()
{
    requireRejectedDocument(QByteArrayLiteral("{invalid"));
    requireRejectedDocument(QByteArray(static_cast<int>(kMaxJsonDocumentBytes) + 1, 'x'));
}

void checkTextLabels()
{
    for (std::int32_t key = 0; key < kTextKeyCount; ++key) {
        for (const Language language : kLanguages) {
            const QString text = uiText(static_cast<TextKey>(key), language);
            require(!text.trimmed().isEmpty(), "Missing translated UI label");
            require(!text.contains(QChar(QChar::ReplacementCharacter)), "Malformed UTF-8 in translated UI label");
        }
    }
}

void checkLessonTexts(const LessonCatalog &lessons)
{
    for (const Lesson &lesson : lessons) {
        for (const Language language : kLanguages) {
            for (const char *text :
                 {pick(language, lesson.titleIt, lesson.titleEn), pick(language, lesson.questionIt, lesson.questionEn),
                  pick(language, lesson.explanationIt, lesson.explanationEn)}) {
                require(isWellFormed(QString::fromUtf8(text)), "Invalid UTF-8 lesson");
            }
        }
    }
}

void checkSettingsRoundtrip()
{
    const QTemporaryDir directory;
    require(directory.isValid(), "Temporary directory not available");
    const QString path = directory.filePath(QStringLiteral("validation.ini"));
    const QByteArray splitter("\x00\x01\xFE\xFF", 4);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
        settings.setValue(QStringLiteral("ui/leftTab"), 3);
        settings.setValue(QStringLiteral("splitters/main"), splitter);
        settings.sync();
        require(settings.status() == QSettings::NoError, "Could not save INI settings");
    }
    const QSettings reread(path, QSettings::IniFormat);
    require(reread.value(QStringLiteral("ui/language")).toString() == QLatin1String("en"), "Language not restored");
    bool isNumber = false;
    const int tab = reread.value(QStringLiteral("ui/leftTab")).toInt(&isNumber);
    require(isNumber && tab == 3, "Tab not restored");
    require(reread.value(QStringLiteral("splitters/main")).toByteArray() == splitter, "Splitter not restored");
}

} // namespace Fasoria
