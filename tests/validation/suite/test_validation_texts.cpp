#include "fasoria/Version.h"

#include "validation/suite/ValidationReport.h"
#include "validation/suite/ValidationSuite.h"
#include "validation/suite/ValidationTexts.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Language)

class TestValidationTexts : public QObject
{
    Q_OBJECT

private:
    QStringList m_italian;
    QStringList m_english;

private slots:
    void initTestCase();
    void detailedLines_data();
    void detailedLines();
    void groupNames_data();
    void groupNames();
    void onlyCoreRowsTranslateIds();
    void detailsKeptVerbatim();
    void dialogTexts_data();
    void dialogTexts();
    void reportNamesTheBuild();
    void savesReport();
    void failedSaveWritesNothing();
};

void TestValidationTexts::initTestCase()
{
    const std::vector<ValidationCheck> checks = runFullValidation();
    m_italian = validationDetailedText(checks, Italian).split('\n');
    m_english = validationDetailedText(checks, English).split('\n');
}

void TestValidationTexts::detailedLines_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");
    QTest::addRow("core-identity") << 2 << "PASS | Motore v0.10 | Identità H * H | OK"
                                   << "PASS | Core v0.10 | Identita' H * H | OK";
    QTest::addRow("core-shots") << 9 << "PASS | Motore v0.10 | 10000 prove indipendenti | OK"
                                << "PASS | Core v0.10 | 10000 shot indipendenti | OK";
    QTest::addRow("core-unchanged-name") << 6 << "PASS | Motore v0.10 | Bell: H + CNOT | OK"
                                         << "PASS | Core v0.10 | Bell: H + CNOT | OK";
    QTest::addRow("golden") << 17 << "PASS | Vettori analitici | G07-Bell | OK"
                            << "PASS | Analytic golden vectors | G07-Bell | OK";
    QTest::addRow("R01") << 23 << "PASS | Verifica indipendente | R01-dense-independent | OK"
                         << "PASS | Cross-check | R01-dense-independent | OK";
    QTest::addRow("Q07") << 37 << "PASS | Qt / Preferenze | Q07-settings-roundtrip | OK"
                         << "PASS | Qt / QSettings | Q07-settings-roundtrip | OK";
    QTest::addRow("end") << 38 << ""
                         << "";
}

void TestValidationTexts::detailedLines()
{
    QFETCH(int, row);
    QFETCH(QString, italian);
    QFETCH(QString, english);
    QCOMPARE(m_italian.size(), 39);
    QCOMPARE(m_english.size(), 39);
    QCOMPARE(m_italian.at(row), italian);
    QCOMPARE(m_english.at(row), english);
}

void TestValidationTexts::groupNames_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("italian");
    QTest::addRow("core") << kGroupCore << "Motore v0.10";
    QTest::addRow("golden") << kGroupGolden << "Vettori analitici";
    QTest::addRow("cross-check") << kGroupCrossCheck << "Verifica indipendente";
    QTest::addRow("measurement") << kGroupMeasurement << "Misure";
    QTest::addRow("algebra") << kGroupAlgebra << "Algebra";
    QTest::addRow("replay") << kGroupReplay << "Ricostruzione";
    QTest::addRow("algorithms") << kGroupAlgorithms << "Algoritmi";
    QTest::addRow("editor") << kGroupEditor << "Editor";
    QTest::addRow("challenges") << kGroupChallenges << "Sfide";
    QTest::addRow("documents") << kGroupDocuments << "Qt / Documenti";
    QTest::addRow("localization") << kGroupLocalization << "Qt / Lingue";
    QTest::addRow("settings") << kGroupSettings << "Qt / Preferenze";
    QTest::addRow("unknown") << "Cross-check "
                             << "Cross-check ";
}

void TestValidationTexts::groupNames()
{
    QFETCH(QString, stored);
    QFETCH(QString, italian);
    QCOMPARE(validationGroupName(stored.toStdString(), Italian), italian);
    QCOMPARE(validationGroupName(stored.toStdString(), static_cast<Language>(5)), italian);
    QCOMPARE(validationGroupName(stored.toStdString(), English), stored);
}

void TestValidationTexts::onlyCoreRowsTranslateIds()
{
    const ValidationCheck other{"Identita' H * H", kGroupCrossCheck, true, "OK"};
    QCOMPARE(validationDisplayId(other, Italian), QString("Identita' H * H"));
    const ValidationCheck core{"Identita' H * H", kGroupCore, true, "OK"};
    QCOMPARE(validationDisplayId(core, Italian), QString("Identità H * H"));
    QCOMPARE(validationDisplayId(core, English), QString("Identita' H * H"));
    const ValidationCheck unknownCore{"Nuova verifica", kGroupCore, false, "x"};
    QCOMPARE(validationDisplayId(unknownCore, Italian), QString("Nuova verifica"));
}

void TestValidationTexts::detailsKeptVerbatim()
{
    const std::vector<ValidationCheck> checks{{"%2-id", "%1", false, "Amplitude %1 expected %4 é"}};
    QCOMPARE(validationDetailedText(checks, English), QString("FAIL | %1 | %2-id | Amplitude %1 expected %4 é\n"));
    QCOMPARE(validationDetailedText({}, Italian), QString());
}

void TestValidationTexts::dialogTexts_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("texts");
    QTest::addRow("english") << English
                             << QStringList{"Fasoria - Scientific validation",
                                            "Validation: 1 / 2 checks passed. Details and export available.",
                                            "Export JSON report...", "Save scientific validation report",
                                            "Cannot save validation report."};
    QTest::addRow("italian") << Italian
                             << QStringList{"Fasoria - Validazione scientifica",
                                            "Validazione: 1 / 2 verifiche superate. Dettagli ed esportazione "
                                            "disponibili.",
                                            "Esporta report JSON...", "Salva report della validazione scientifica",
                                            "Impossibile salvare il report di validazione."};
}

void TestValidationTexts::dialogTexts()
{
    QFETCH(Language, language);
    QFETCH(QStringList, texts);
    const std::vector<ValidationCheck> checks{{"a", kGroupReplay, true, "OK"}, {"b", kGroupReplay, false, "x"}};
    QCOMPARE(QStringList({validationDialogTitle(language), validationSummaryText(checks, language),
                          validationExportButtonText(language), validationSaveDialogTitle(language),
                          validationSaveErrorText(language)}),
             texts);
    QCOMPARE(validationFileFilter(), QString("JSON (*.json)"));
}

void TestValidationTexts::reportNamesTheBuild()
{
    QCOMPARE(QString(kApplicationVersion), QString("0.16.0"));
    QCOMPARE(validationReportFileName(), QString("Fasoria_validation_v0_16_0.json"));
    const QByteArray text = validationTextReport({});
    QVERIFY(text.startsWith("Fasoria 0.16.0 scientific validation (deterministic)\n"));
    QVERIFY(!validationJsonReport({}).contains("0.11"));
}

void TestValidationTexts::savesReport()
{
    const QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(validationReportFileName());
    const std::vector<ValidationCheck> checks{{"R01-dense-independent", kGroupCrossCheck, true, "OK"}};
    QString error;
    QVERIFY(saveValidationReport(path, checks, &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(json.value("format").toString(), QString("FasoriaValidation"));
    QCOMPARE(json.value("status").toString(), QString("PASS"));
    QCOMPARE(json.value("total").toInt(), 1);
}

void TestValidationTexts::failedSaveWritesNothing()
{
    const QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath("missing-folder/report.json");
    QString error;
    QVERIFY(!saveValidationReport(path, {}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QDir(directory.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

QTEST_GUILESS_MAIN(TestValidationTexts)
#include "test_validation_texts.moc"
