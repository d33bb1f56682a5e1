#include "ui/texts/TextCatalog.h"

#include <QtTest>

#include <algorithm>
#include <climits>
#include <iterator>

using namespace Fasoria;

namespace {

// The keys whose text is the same word in both languages; every other key must be translated.
const TextKey kSameInBothLanguages[] = {
    TextKey::TabEditor,     TextKey::ColumnRe,  TextKey::ColumnIm, TextKey::ColumnProbability, TextKey::LessonItem,
    TextKey::QubitSingular, TextKey::CheckBell, TextKey::ZoomIn,   TextKey::ZoomOut,           TextKey::FileMenu};

// The placeholders each key documents for its callers; a key not listed here has none.
const struct
{
    TextKey key;
    const char *digits;
} kDocumentedPlaceholders[] = {
    {TextKey::RequiredQubits, "1"},
    {TextKey::BasisStates, "12"},
    {TextKey::InitialPreparation, "12"},
    {TextKey::OperationsCount, "12"},
    {TextKey::NormLabel, "1"},
    {TextKey::StatusEngine, "12"},
    {TextKey::LogPrepared, "1234"},
    {TextKey::LogStep, "12"},
    {TextKey::LogMeasure, "1"},
    {TextKey::LogPreparations, "123"},
    {TextKey::LogValidation, "12"},
    {TextKey::ValidationSummary, "12"},
    {TextKey::LessonItem, "123"},
    {TextKey::CircuitStage, "12"},
    {TextKey::StageTip, "12"},
    {TextKey::LogNavigation, "1"},
    {TextKey::LogEditor, "12"},
    {TextKey::PredictionRecorded, "1"},
    {TextKey::PredictionShort, "1"},
    {TextKey::PredictionTheory, "1"},
    {TextKey::PredictionObserved, "123"},
    {TextKey::LogPrediction, "1"},
    {TextKey::ExportDone, "1"},
    {TextKey::CircuitCaption, "12"},
    {TextKey::HintPrefix, "1"},
    {TextKey::Fidelity, "1"},
    {TextKey::LogHint, "1"},
    {TextKey::LogChallengeSolved, "1"},
    {TextKey::LogChallengeIncomplete, "1"},
    {TextKey::Oracle, "1"},
    {TextKey::ClassicalMethod, "1"},
    {TextKey::QueryStats, "123"},
    {TextKey::Readout, "1"},
    {TextKey::StepProbability, "123"},
    {TextKey::FinalProbability, "1"},
    {TextKey::ParametricReady, "1"},
};

// The digits of the %1..%9 placeholders in `text`, sorted and without repeats ("12" for "%2 of %1, %1").
QString placeholderDigits(const QString &text)
{
    QString digits;
    for (int i = 0; i + 1 < text.size(); ++i) {
        const QChar next = text.at(i + 1);
        if (text.at(i) == QLatin1Char('%') && next >= QLatin1Char('1') && next <= QLatin1Char('9') &&
            !digits.contains(next))
            digits.append(next);
    }
    std::sort(digits.begin(), digits.end());
    return digits;
}

bool sameInBothLanguages(TextKey key)
{
    return std::find(std::begin(kSameInBothLanguages), std::end(kSameInBothLanguages), key) !=
           std::end(kSameInBothLanguages);
}

QString documentedPlaceholders(TextKey key)
{
    for (const auto &entry : kDocumentedPlaceholders) {
        if (entry.key == key)
            return QString::fromLatin1(entry.digits);
    }
    return QString();
}

void addPinned(TextKey key, const char *italian, const char *english)
{
    QTest::addRow("%d", static_cast<int>(key))
        << static_cast<int>(key) << QString::fromUtf8(italian) << QString::fromUtf8(english);
}

} // namespace

class TestTextCatalog : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyIsTranslated_data();
    void everyKeyIsTranslated();
    void pinnedTexts_data();
    void pinnedTexts();
    void validationLinesMatch();
    void unknownLanguageReadsItalian_data();
    void unknownLanguageReadsItalian();
    void keyOutsideTable_data();
    void keyOutsideTable();
    void qubitWord_data();
    void qubitWord();
    void coreCheckTitle_data();
    void coreCheckTitle();
    void textPair_data();
    void textPair();
};

void TestTextCatalog::everyKeyIsTranslated_data()
{
    QTest::addColumn<int>("key");
    for (int key = 0; key < kTextKeyCount; ++key)
        QTest::addRow("%d", key) << key;
}

void TestTextCatalog::everyKeyIsTranslated()
{
    QFETCH(int, key);
    const auto textKey = static_cast<TextKey>(key);
    const QString italian = uiText(textKey, Italian);
    const QString english = uiText(textKey, English);

    QVERIFY(!italian.trimmed().isEmpty());
    QVERIFY(!english.trimmed().isEmpty());
    QVERIFY(!italian.contains(QChar::ReplacementCharacter));
    QVERIFY(!english.contains(QChar::ReplacementCharacter));
    QVERIFY(italian != QLatin1String("[missing text]"));
    if (sameInBothLanguages(textKey))
        QCOMPARE(italian, english);
    else
        QVERIFY2(italian != english, qPrintable(english));

    const QString expected = documentedPlaceholders(textKey);
    QCOMPARE(placeholderDigits(italian), expected);
    QCOMPARE(placeholderDigits(english), expected);
}

void TestTextCatalog::pinnedTexts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");
    addPinned(TextKey::TabEditor, "Editor", "Editor");
    addPinned(TextKey::InitialPreparation, "Preparazione iniziale: %1    |    Qubit: %2",
              "Initial preparation: %1    |    Qubits: %2");
    addPinned(TextKey::MeasuredSuffix, "    |    MISURATO", "    |    MEASURED");
    addPinned(TextKey::ColumnPhase, "Fase (°)", "Phase (°)");
    addPinned(TextKey::ColumnPhaseTip, "Argomento dell'ampiezza in gradi. Indefinito quando l'ampiezza è zero.",
              "Complex amplitude argument in degrees. Undefined when amplitude is zero.");
    addPinned(TextKey::NormLabel,
              "Somma delle probabilità: %1    |    q0 = bit di destra    |    Fase per ampiezza nulla: indefinita",
              "Sum of probabilities: %1    |    q0 = rightmost bit    |    Phase at zero amplitude: undefined");
    addPinned(TextKey::LogPrepared, "\n=== %1 ===\nPreparato %2 (%3 %4).", "\n=== %1 ===\nPrepared %2 (%3 %4).");
    addPinned(TextKey::LogValidation, "Validazione: %1 / %2 verifiche superate. Dettagli ed esportazione disponibili.",
              "Validation: %1 / %2 checks passed. Details and export available.");
    addPinned(TextKey::LessonItem, "%1   [%2 %3]", "%1   [%2 %3]");
    addPinned(TextKey::QubitPlural, "qubit", "qubits");
    addPinned(TextKey::CheckIndependentShots, "10000 prove indipendenti", "10000 independent shots");
    addPinned(TextKey::PredictionTheory, " Probabilità teorica a fine circuito: %1%.",
              " Theoretical probability at circuit end: %1%.");
    addPinned(TextKey::NeedMoreGates, "Servono più porte per rispettare la consegna.",
              "More gates are required by this exercise.");
    addPinned(TextKey::WrongQubitCount, "Numero di qubit diverso da quello richiesto dalla sfida.",
              "The circuit uses a different number of qubits than this challenge.");
    addPinned(TextKey::Fidelity, "  Fedeltà dello stato: %1%.", "  State fidelity: %1%.");
    addPinned(TextKey::GenerateHint,
              "La generazione sostituisce il circuito di lavoro. Salva prima le modifiche importanti.",
              "Generation replaces the working circuit. Save important edits first.");
}

void TestTextCatalog::pinnedTexts()
{
    QFETCH(int, key);
    QFETCH(QString, italian);
    QFETCH(QString, english);
    QCOMPARE(uiText(static_cast<TextKey>(key), Italian), italian);
    QCOMPARE(uiText(static_cast<TextKey>(key), English), english);
}

void TestTextCatalog::validationLinesMatch()
{
    // The notebook line and the dialog summary of a validation run read the same.
    QCOMPARE(uiText(TextKey::ValidationSummary, Italian), uiText(TextKey::LogValidation, Italian));
    QCOMPARE(uiText(TextKey::ValidationSummary, English), uiText(TextKey::LogValidation, English));
}

void TestTextCatalog::unknownLanguageReadsItalian_data()
{
    QTest::addColumn<int>("language");
    for (int language : {2, 7, 255, -1, INT_MIN, INT_MAX})
        QTest::addRow("%d", language) << language;
}

void TestTextCatalog::unknownLanguageReadsItalian()
{
    QFETCH(int, language);
    for (int key = 0; key < kTextKeyCount; ++key) {
        const auto textKey = static_cast<TextKey>(key);
        QCOMPARE(uiText(textKey, static_cast<Language>(language)), uiText(textKey, Italian));
    }
}

void TestTextCatalog::keyOutsideTable_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("language");
    for (int key : {192, 193, 1000, INT_MAX, -1, -192, INT_MIN}) {
        for (int language : {0, 1, 7})
            QTest::addRow("key %d, language %d", key, language) << key << language;
    }
}

void TestTextCatalog::keyOutsideTable()
{
    QFETCH(int, key);
    QFETCH(int, language);
    QCOMPARE(uiText(static_cast<TextKey>(key), static_cast<Language>(language)), QStringLiteral("[missing text]"));
}

void TestTextCatalog::qubitWord_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("word");
    QTest::addRow("one, English") << qint64(1) << 1 << QStringLiteral("qubit");
    QTest::addRow("one, Italian") << qint64(1) << 0 << QStringLiteral("qubit");
    QTest::addRow("zero, English") << qint64(0) << 1 << QStringLiteral("qubits");
    QTest::addRow("two, English") << qint64(2) << 1 << QStringLiteral("qubits");
    QTest::addRow("twelve, English") << qint64(12) << 1 << QStringLiteral("qubits");
    QTest::addRow("minus one, English") << qint64(-1) << 1 << QStringLiteral("qubits");
    QTest::addRow("above 32 bits, English") << ((qint64(1) << 32) + 1) << 1 << QStringLiteral("qubits");
    QTest::addRow("zero, Italian") << qint64(0) << 0 << QStringLiteral("qubit");
    QTest::addRow("two, Italian") << qint64(2) << 0 << QStringLiteral("qubit");
    QTest::addRow("twelve, Italian") << qint64(12) << 0 << QStringLiteral("qubit");
    QTest::addRow("two, language 2") << qint64(2) << 2 << QStringLiteral("qubit");
}

void TestTextCatalog::qubitWord()
{
    QFETCH(qint64, count);
    QFETCH(int, language);
    QFETCH(QString, word);
    QCOMPARE(Fasoria::qubitWord(count, static_cast<Language>(language)), word);
}

void TestTextCatalog::coreCheckTitle_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");

    // Each stored name maps to its catalog title in either language; in Italian only two of the eleven
    // differ from the stored name.
    const char *const displayed[][3] = {
        {"Preparazione |0>", "Preparazione |0>", "Prepare |0>"},
        {"Hadamard: distribuzione 50/50", "Hadamard: distribuzione 50/50", "Hadamard: 50/50 distribution"},
        {"Identita' H * H", "Identità H * H", "Identity H * H"},
        {"Pauli X e Z", "Pauli X e Z", "Pauli X and Z"},
        {"Fase relativa: H-Z-H = X", "Fase relativa: H-Z-H = X", "Relative phase: H-Z-H = X"},
        {"Rotazione di fase", "Rotazione di fase", "Phase rotation"},
        {"Bell: H + CNOT", "Bell: H + CNOT", "Bell: H + CNOT"},
        {"Misura parziale: collasso correlato", "Misura parziale: collasso correlato",
         "Partial measurement: correlated collapse"},
        {"Misura totale: collasso", "Misura totale: collasso", "Full measurement: collapse"},
        {"10000 shot indipendenti", "10000 prove indipendenti", "10000 independent shots"},
        {"Controllo errori e indici", "Controllo errori e indici", "Error handling and index bounds"},
    };
    for (const auto &row : displayed) {
        QTest::addRow("Italian: %s", row[0]) << QByteArray(row[0]) << 0 << QString::fromUtf8(row[1]);
        QTest::addRow("English: %s", row[0]) << QByteArray(row[0]) << 1 << QString::fromUtf8(row[2]);
    }
    QTest::addRow("language 2 reads Italian")
        << QByteArray("10000 shot indipendenti") << 2 << QStringLiteral("10000 prove indipendenti");

    const QByteArray unknown[] = {
        QByteArray("Identità H * H"),       QByteArray("identita' H * H"), QByteArray("Pauli X e Z "),
        QByteArray("Bell: H + CNOT\0", 15), QByteArray("Q05-ITEN-labels"), QByteArray(),
    };
    for (const QByteArray &name : unknown) {
        for (int language : {0, 1}) {
            QTest::addRow("unknown %s, language %d", name.constData(), language)
                << name << language << QString::fromUtf8(name.constData(), name.size());
        }
    }
}

void TestTextCatalog::coreCheckTitle()
{
    QFETCH(QByteArray, name);
    QFETCH(int, language);
    QFETCH(QString, title);
    QCOMPARE(Fasoria::coreCheckTitle(name.toStdString(), static_cast<Language>(language)), title);
}

void TestTextCatalog::textPair_data()
{
    QTest::addColumn<QByteArray>("italian");
    QTest::addColumn<QByteArray>("english");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");

    // Null marks a missing half, as a catalog step without an explanation has.
    QTest::addRow("Italian") << QByteArray("Identità") << QByteArray("Identity") << 0 << QStringLiteral("Identità");
    QTest::addRow("English") << QByteArray("Identità") << QByteArray("Identity") << 1 << QStringLiteral("Identity");
    QTest::addRow("language 2 reads Italian") << QByteArray("sì") << QByteArray("yes") << 2 << QStringLiteral("sì");
    QTest::addRow("negative language reads Italian")
        << QByteArray("sì") << QByteArray("yes") << -1 << QStringLiteral("sì");
    QTest::addRow("placeholders kept") << QByteArray("Passo %1: %2") << QByteArray("Step %1: %2") << 1
                                       << QStringLiteral("Step %1: %2");
    QTest::addRow("missing Italian half") << QByteArray() << QByteArray("only English") << 0 << QString();
    QTest::addRow("missing English half") << QByteArray("solo italiano") << QByteArray() << 1 << QString();
    QTest::addRow("other half missing") << QByteArray() << QByteArray("only English") << 1
                                        << QStringLiteral("only English");
}

void TestTextCatalog::textPair()
{
    QFETCH(QByteArray, italian);
    QFETCH(QByteArray, english);
    QFETCH(int, language);
    QFETCH(QString, text);
    const TextPair pair = {italian.isNull() ? nullptr : italian.constData(),
                           english.isNull() ? nullptr : english.constData()};
    QCOMPARE(uiText(pair, static_cast<Language>(language)), text);
}

QTEST_GUILESS_MAIN(TestTextCatalog)
#include "test_text_catalog.moc"
