#include "fasoria/Version.h"

#include "core/CoreSelfTest.h"
#include "editor/CircuitFile.h"
#include "validation/suite/EngineChecks.h"
#include "validation/suite/QtChecks.h"
#include "validation/suite/ValidationReport.h"
#include "validation/suite/ValidationSuite.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

#include <stdexcept>

using namespace Fasoria;

namespace {

const char *const kEngineIds[] = {
    "G01-reset",
    "G02-H",
    "G03-HZ",
    "G04-HZH",
    "G05-XZ",
    "G06-phase90",
    "G07-Bell",
    "G08-BellMinus",
    "G09-Uniform2",
    "G10-Bell-H",
    "G11-GHZ",
    "G12-Uniform3",
    "R01-dense-independent",
    "R02-measurement-collapse",
    "R03-gate-inverse",
    "R04-replay-all-lessons",
    "R05-standard-algorithms",
    "R06-configurable-82",
    "R07-editor-rollback",
    "R08-fidelity-phase",
};
const char *const kEngineGroups[] = {"Analytic golden vectors",
                                     "Cross-check",
                                     "Measurement",
                                     "Algebra",
                                     "Replay",
                                     "Algorithms",
                                     "Algorithms",
                                     "Editor",
                                     "Challenges"};
const char *const kQtIds[] = {"Q01-JSON-roundtrip",       "Q02-JSON-invalid-header", "Q03-JSON-invalid-gates",
                              "Q04-JSON-truncated-large", "Q05-ITEN-labels",         "Q06-ITEN-lessons",
                              "Q07-settings-roundtrip"};
const char *const kQtGroups[] = {"Qt / Documents",    "Qt / Documents",    "Qt / Documents", "Qt / Documents",
                                 "Qt / Localization", "Qt / Localization", "Qt / QSettings"};

constexpr int kCoreRows = 11;
constexpr int kGoldenRows = 12;

QString firstLine()
{
    return QStringLiteral("Fasoria %1 scientific validation (deterministic)").arg(kApplicationVersion);
}

QJsonObject parsedJson(const std::vector<ValidationCheck> &checks)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(validationJsonReport(checks), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return {};
    }
    return document.object();
}

// A list with passing and failing rows and texts that need escaping in JSON.
std::vector<ValidationCheck> mixedChecks()
{
    return {{"A-one", "Replay", true, "OK"},
            {"B-two", "Qt / Documents", false, "Amplitude 1 expected (1,0) obtained \"x\" \\ é"},
            {"Identita' H * H", "Core v0.10", true, "OK"}};
}

} // namespace

class TestValidationSuite : public QObject
{
    Q_OBJECT

private:
    std::vector<ValidationCheck> m_checks;

private slots:
    void initTestCase();
    void correctBuildPasses();
    void rowsInOrder_data();
    void rowsInOrder();
    void reportsAgree_data();
    void reportsAgree();
    void jsonHeader();
    void utcIsCurrentIsoSecond();
    void emptyListFails();
    void runnerRecordsFailures();
    void fixtureGuardKeepsOthersRunning();
    void goldenMessages_data();
    void goldenMessages();
    void lessonTextsRejected_data();
    void lessonTextsRejected();
    void rejectionRequiresRefusal_data();
    void rejectionRequiresRefusal();
    void settingsLeaveNothingBehind();
};

void TestValidationSuite::initTestCase()
{
    m_checks = runFullValidation();
}

void TestValidationSuite::correctBuildPasses()
{
    QCOMPARE(m_checks.size(), std::size_t{kCoreRows + kGoldenRows + 8 + 7});
    for (const ValidationCheck &check : m_checks) {
        QVERIFY2(check.passed, (check.id + ": " + check.details).c_str());
        QCOMPARE(check.details, std::string("OK"));
    }
    QVERIFY(isOverallPass(m_checks));
    QCOMPARE(passedCount(m_checks), 38);
    const QList<QByteArray> lines = validationTextReport(m_checks).split('\n');
    QCOMPARE(lines.at(1), QByteArray("RESULT: PASS  38/38"));
}

void TestValidationSuite::rowsInOrder_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("group");
    const std::vector<CoreCheckResult> core = runCoreSelfTest();
    for (int i = 0; i < kCoreRows; ++i) {
        QTest::addRow("core-%d", i) << i << QString::fromStdString(core.at(i).name) << "Core v0.10";
    }
    for (int i = 0; i < 20; ++i) {
        const char *group = kEngineGroups[i < kGoldenRows ? 0 : i - kGoldenRows + 1];
        QTest::addRow("%s", kEngineIds[i]) << kCoreRows + i << kEngineIds[i] << group;
    }
    for (int i = 0; i < 7; ++i) {
        QTest::addRow("%s", kQtIds[i]) << kCoreRows + 20 + i << kQtIds[i] << kQtGroups[i];
    }
}

void TestValidationSuite::rowsInOrder()
{
    QFETCH(int, row);
    QFETCH(QString, id);
    QFETCH(QString, group);
    QVERIFY(row < static_cast<int>(m_checks.size()));
    QCOMPARE(QString::fromStdString(m_checks.at(row).id), id);
    QCOMPARE(QString::fromStdString(m_checks.at(row).group), group);
}

void TestValidationSuite::reportsAgree_data()
{
    QTest::addColumn<bool>("fromSuite");
    QTest::addRow("suite") << true;
    QTest::addRow("mixed") << false;
}

void TestValidationSuite::reportsAgree()
{
    QFETCH(bool, fromSuite);
    const std::vector<ValidationCheck> checks = fromSuite ? m_checks : mixedChecks();
    const QStringList lines = QString::fromUtf8(validationTextReport(checks)).split('\n');
    const QJsonObject json = parsedJson(checks);
    QVERIFY(!json.isEmpty());
    const QJsonArray rows = json.value("checks").toArray();
    QCOMPARE(lines.size(), static_cast<int>(checks.size()) + 3);
    QCOMPARE(lines.first(), firstLine());
    QVERIFY(lines.last().isEmpty());
    const QString status = json.value("status").toString();
    QCOMPARE(lines.at(1), QStringLiteral("RESULT: %1  %2/%3")
                              .arg(status)
                              .arg(json.value("passed").toInt())
                              .arg(json.value("total").toInt()));
    QCOMPARE(status, QString(fromSuite ? "PASS" : "FAIL"));
    QCOMPARE(json.value("total").toInt(), static_cast<int>(checks.size()));
    QCOMPARE(rows.size(), static_cast<int>(checks.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows.at(i).toObject();
        QCOMPARE(row.keys(), QStringList({"details", "group", "id", "passed"}));
        const QString fromJson =
            QStringList{row.value("passed").toBool() ? "PASS" : "FAIL", row.value("group").toString(),
                        row.value("id").toString(), row.value("details").toString()}
                .join(" | ");
        QCOMPARE(lines.at(i + 2), fromJson);
        QCOMPARE(row.value("details").toString().toStdString(), checks.at(i).details);
    }
}

void TestValidationSuite::jsonHeader()
{
    const QByteArray bytes = validationJsonReport(m_checks);
    QVERIFY(bytes.startsWith("{\n    \"application_version\": "));
    const QJsonObject json = parsedJson(m_checks);
    QCOMPARE(json.keys(), QStringList({"application_version", "checks", "deterministic_seed", "format", "passed",
                                       "qt_version", "schema_version", "status", "total", "utc"}));
    QCOMPARE(json.value("format").toString(), QString("FasoriaValidation"));
    QCOMPARE(json.value("schema_version").toInt(), 1);
    QCOMPARE(json.value("application_version").toString(), QString(kApplicationVersion));
    QCOMPARE(json.value("application_version").toString(), QString("0.16.0"));
    QCOMPARE(json.value("deterministic_seed").toString(), QString("0x5155414E54554D"));
    QCOMPARE(json.value("qt_version").toString(), QString(qVersion()));
    QCOMPARE(json.value("passed").toInt(), 38);
}

void TestValidationSuite::utcIsCurrentIsoSecond()
{
    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1000);
    const QString utc = parsedJson({}).value("utc").toString();
    const QDateTime after = QDateTime::currentDateTimeUtc();
    QVERIFY2(QRegularExpression("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}Z$").match(utc).hasMatch(), qPrintable(utc));
    const QDateTime parsed = QDateTime::fromString(utc, Qt::ISODate);
    QVERIFY(parsed.isValid());
    QCOMPARE(parsed.timeSpec(), Qt::UTC);
    QVERIFY(parsed >= before && parsed <= after);
}

void TestValidationSuite::emptyListFails()
{
    const std::vector<ValidationCheck> none;
    QVERIFY(!isOverallPass(none));
    QCOMPARE(QString::fromUtf8(validationTextReport(none)), firstLine() + "\nRESULT: FAIL  0/0\n");
    const QJsonObject json = parsedJson(none);
    QCOMPARE(json.value("status").toString(), QString("FAIL"));
    QCOMPARE(json.value("passed").toInt(-1), 0);
    QCOMPARE(json.value("total").toInt(-1), 0);
    QVERIFY(json.value("checks").isArray());
    QVERIFY(json.value("checks").toArray().isEmpty());
}

void TestValidationSuite::runnerRecordsFailures()
{
    int laterRuns = 0;
    const std::vector<ValidationCheck> checks = runChecks({
        {"T1", "Replay", [] { throw 42; }},
        {"T2", "Editor", [] { throw std::runtime_error("Replay norm mismatch"); }},
        {"T3", "Algebra", [] { throw std::out_of_range("Qubit index out of range"); }},
        {"T4", "Measurement", [&laterRuns] { ++laterRuns; }},
    });
    QCOMPARE(checks.size(), std::size_t{4});
    QCOMPARE(laterRuns, 1);
    const char *const details[] = {"Unknown exception", "Replay norm mismatch", "Qubit index out of range", "OK"};
    const char *const groups[] = {"Replay", "Editor", "Algebra", "Measurement"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(checks.at(i).id, "T" + std::to_string(i + 1));
        QCOMPARE(checks.at(i).group, std::string(groups[i]));
        QCOMPARE(checks.at(i).passed, i == 3);
        QCOMPARE(checks.at(i).details, std::string(details[i]));
    }
    QCOMPARE(passedCount(checks), 1);
    QVERIFY(!isOverallPass(checks));
}

void TestValidationSuite::fixtureGuardKeepsOthersRunning()
{
    LessonCatalog longer = lessonCatalog();
    longer.push_back(longer.front());
    const std::vector<ValidationCheck> checks = runChecks({
        {"R04-replay-all-lessons", "Replay", [&longer] { checkReplayAllLessons(longer); }},
        {"R05-standard-algorithms", "Algorithms", checkStandardAlgorithms},
    });
    QCOMPARE(checks.at(0).passed, false);
    QCOMPARE(checks.at(0).details, std::string("Lesson count changed; review fixtures"));
    QCOMPARE(checks.at(1).passed, true);
}

void TestValidationSuite::goldenMessages_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<bool>("applyH");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<QString>("message");
    QTest::addRow("dimension") << 2 << false << 2 << "Golden dimension mismatch";
    QTest::addRow("first-amplitude") << 1 << true << 2 << "Amplitude 0 expected (1,0) obtained (0.707107,0)";
    QTest::addRow("later-amplitude") << 1 << false << 2 << "Amplitude 1 expected (0,-1) obtained (0,0)";
}

void TestValidationSuite::goldenMessages()
{
    QFETCH(int, qubits);
    QFETCH(bool, applyH);
    QFETCH(int, expectedSize);
    QFETCH(QString, message);
    StateVector state = createState(static_cast<std::uint32_t>(qubits));
    if (applyH) {
        state.applyH(0);
    }
    // |0⟩ first, then a −1 at index 1 that only an unchanged reset state misses.
    std::vector<Complex> expected(static_cast<std::size_t>(expectedSize));
    expected[0] = Complex{1.0, 0.0};
    expected[1] = applyH ? Complex{0.0, 0.0} : Complex{0.0, -1.0};
    const ValidationCheck check =
        runCheck("G", "Analytic golden vectors", [&] { requireGoldenState(state, expected); });
    QVERIFY(!check.passed);
    QCOMPARE(QString::fromStdString(check.details), message);
}

void TestValidationSuite::lessonTextsRejected_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("rejected");
    QTest::addRow("invalid-utf8-title") << 0 << QByteArray("Titolo \xC3\x28") << true;
    QTest::addRow("blank-question") << 1 << QByteArray(" \t\n ") << true;
    QTest::addRow("empty-explanation") << 2 << QByteArray("") << true;
    QTest::addRow("accented-title") << 3 << QByteArray("Identit\xC3\xA0 H * H") << false;
}

void TestValidationSuite::lessonTextsRejected()
{
    static const char *Lesson::*const kFields[] = {&Lesson::titleEn, &Lesson::questionIt, &Lesson::explanationEn,
                                                   &Lesson::titleIt};
    QFETCH(int, field);
    QFETCH(QByteArray, text);
    QFETCH(bool, rejected);
    LessonCatalog lessons = lessonCatalog();
    lessons.back().*kFields[field] = text.constData();
    const ValidationCheck check = runCheck("Q06", "Qt / Localization", [&] { checkLessonTexts(lessons); });
    QCOMPARE(check.passed, !rejected);
    QCOMPARE(check.details, std::string(rejected ? "Invalid UTF-8 lesson" : "OK"));
}

void TestValidationSuite::rejectionRequiresRefusal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("details");
    QTest::addRow("fixture-itself") << serializeCircuit(documentFixture()) << "Malformed JSON accepted";
    QTest::addRow("lesson-01") << serializeCircuit(lessonCatalog().at(0)) << "Malformed JSON accepted";
    QTest::addRow("top-level-array") << QByteArray("[]") << "OK";
    QTest::addRow("exactly-1-MiB-of-x") << QByteArray(1048576, 'x') << "OK";
}

void TestValidationSuite::rejectionRequiresRefusal()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, details);
    const ValidationCheck check = runCheck("Q", "Qt / Documents", [&] { requireRejectedDocument(bytes); });
    QCOMPARE(QString::fromStdString(check.details), details);
}

void TestValidationSuite::settingsLeaveNothingBehind()
{
    // A private temporary root, so the check's own directory can be seen and its removal verified.
    const QTemporaryDir root;
    QVERIFY(root.isValid());
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(root.path()));
    QCOMPARE(QDir::tempPath(), QDir::cleanPath(root.path()));
    const ValidationCheck check = runCheck("Q07", "Qt / QSettings", checkSettingsRoundtrip);
    if (previous.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", previous);
    }
    QCOMPARE(check.details, std::string("OK"));
    QVERIFY(QDir(root.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

QTEST_GUILESS_MAIN(TestValidationSuite)
#include "test_validation_suite.moc"
