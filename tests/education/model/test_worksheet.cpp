#include "fasoria/Version.h"

#include "core/Circuit.h"
#include "curriculum/LessonCatalog.h"
#include "editor/CircuitFile.h"
#include "education/model/Worksheet.h"
#include "tests/education/SessionSamples.h"

#include <QtTest>

#include <stdexcept>

using namespace Fasoria;
using Fasoria::Samples::circuitOf;

namespace {

// The page's head as the printed worksheet's design gives it, %1 the language code, then the version.
const char *const kHeadPattern =
    R"(<!doctype html><html lang="%1"><meta charset="utf-8"><title>Fasoria</title><style>body{font:15px/1.5 )"
    R"(sans-serif;max-width:1050px;margin:32px auto;color:#172b40}h1,h2{color:#126477}table{border-collapse:)"
    R"(collapse;width:100%;font-size:13px}td,th{border:1px solid #bccbd5;padding:5px;text-align:left}th{)"
    R"(background:#eef3f6}pre{white-space:pre-wrap;overflow-wrap:anywhere}tr{break-inside:avoid}@media print{)"
    R"(body{margin:0;font-size:11pt}h2{break-after:avoid}thead{display:table-header-group}}</style><body><h1>)"
    R"(Fasoria )";

/// A section of the student's text as the page writes it: its paragraph wraps inside over-long words.
QString section(const QString &heading, const QString &body)
{
    return QStringLiteral("<h2>%1</h2><p style=\"overflow-wrap:anywhere\">").arg(heading) + body +
           QStringLiteral("</p>");
}

/// The coin lesson after its H.
WorksheetInput coinAtStep1()
{
    WorksheetInput input;
    input.circuit = lessonCatalog()[0];
    input.currentStep = 1;
    input.predictionRecorded = true;
    return input;
}

QString expectedHead(const char *language)
{
    return QString::fromLatin1(kHeadPattern).replace(QStringLiteral("%1"), QLatin1String(language)) +
           QLatin1String(kApplicationVersion) + QStringLiteral("</h1>");
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void wholePage();
    void head_data();
    void head();
    void longWordsWrapInStudentText_data();
    void longWordsWrapInStudentText();
    void escapesUserText_data();
    void escapesUserText();
    void placeholdersTypedByStudent();
    void coinAtFirstStep_data();
    void coinAtFirstStep();
    void withoutPreparations();
    void afterMeasurement();
    void notesOnTwoLines();
    void questionFallsBackToCircuit();
    void resultRows_data();
    void resultRows();
    void refusedInput_data();
    void refusedInput();
    void fileNames_data();
    void fileNames();
    void headerIsText_data();
    void headerIsText();
    void roomToWrite_data();
    void roomToWrite();
    void notebookIsText();
    void pictures_data();
    void pictures();
    void printedAppendixReadsBack();
    void savesUtf8();
};

void TestWorksheet::wholePage()
{
    WorksheetInput input;
    input.circuit = circuitOf(1, {{GateKind::H, 0, 0, 0.0}});
    input.currentStep = 1;
    input.question = QStringLiteral("Q");
    input.predictionFeedback = QStringLiteral("F");
    input.predictionReason = QStringLiteral("R");
    input.notes = QStringLiteral("N");
    input.conclusion = QStringLiteral("C");
    input.lastShotsTotal = 10;
    input.lastShotsCounts = {4, 6};
    input.predictionRecorded = true;
    input.studentName = QStringLiteral("Ada");
    input.className = QStringLiteral("4B");
    input.date = QStringLiteral("10 December 2026");
    input.title = QStringLiteral("T");
    input.notebook = QStringList{QStringLiteral("\n=== T ==="), QStringLiteral("Step 1")};
    const QString expected =
        expectedHead("en") +
        "<table><tbody><tr><th>Name</th><td>Ada</td><th>Class</th><td>4B</td><th>Date</th><td>10 December 2026</td>"
        "</tr></tbody></table><p><b>Activity:</b> T</p>" +
        section("Question", "Q") + section("Prediction and reasoning", "F<br>R") + section("Observations", "N") +
        section("Conclusions", "C") +
        "<h2>Circuit</h2><p>Qubits: 1 | Step: 1/1</p><table><thead><tr><th>#</th>"
        "<th>Operation</th></tr></thead><tbody><tr><td>1</td><td>H(q0)</td></tr></tbody></table>"
        "<h2>Results before measurement</h2><p>Amplitudes and probabilities describe the circuit prefix. Counts "
        "refer to independent preparations.</p><table><thead><tr><th>State</th><th>Re</th><th>Im</th><th>P %</th>"
        "<th>Count</th><th>Frequency %</th></tr></thead><tbody>"
        "<tr><td>0</td><td>0.707106781</td><td>0</td><td>50.0000</td><td>4</td><td>40.000</td></tr>"
        "<tr><td>1</td><td>0.707106781</td><td>0</td><td>50.0000</td><td>6</td><td>60.000</td></tr>"
        "</tbody></table><p>Independent preparations: 10</p><h2>Laboratory notebook</h2><p style=\"overflow-wrap:"
        "anywhere;font-family:monospace;font-size:12px\">=== T ===<br>Step 1</p><h2 style=\"page-break-before:always\">"
        "Appendix: reproducible circuit (JSON)</h2><p>Save this block "
        "as a .fsor.json file and open it in Fasoria. Save the session as well to resume notes and comparisons.</p>"
        "<pre>{<br>    &quot;bit_order&quot;: &quot;q0_rightmost&quot;,<br>    &quot;format&quot;: "
        "&quot;FasoriaCircuit&quot;,<br>    &quot;gates&quot;: [<br>        {<br>            &quot;gate&quot;: "
        "&quot;H&quot;,<br>            &quot;target&quot;: 0<br>        }<br>    ],<br>    &quot;qubits&quot;: 1,"
        "<br>    &quot;version&quot;: 1<br>}<br></pre></body></html>";
    QCOMPARE(buildWorksheet(input, English), expected);
}

void TestWorksheet::head_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::addRow("English") << 1 << "en";
    QTest::addRow("Italian") << 0 << "it";
    QTest::addRow("any other value is Italian") << 7 << "it";
}

void TestWorksheet::head()
{
    QFETCH(int, language);
    QFETCH(QString, code);
    const QString page = buildWorksheet(coinAtStep1(), static_cast<Language>(language));
    const QString head = expectedHead(code.toLatin1().constData());
    QCOMPARE(page.left(head.size()), head);
    // The head ends with the title: the header a teacher collects follows it directly.
    QVERIFY(page.mid(head.size()).startsWith(QStringLiteral("<table><tbody><tr><th>")));
    QVERIFY(page.endsWith(QStringLiteral("</pre></body></html>")));
}

void TestWorksheet::longWordsWrapInStudentText_data()
{
    escapesUserText_data();
}

void TestWorksheet::longWordsWrapInStudentText()
{
    QFETCH(int, field);
    WorksheetInput input = coinAtStep1();
    QString *const fields[] = {&input.question, &input.predictionFeedback, &input.predictionReason, &input.notes,
                               &input.conclusion};
    QString word;
    for (int i = 0; i < 300; ++i) {
        word += QLatin1Char(static_cast<char>('a' + i % 26));
    }
    *fields[field] = QStringLiteral("before ") + word + QStringLiteral(" after");
    const QString page = buildWorksheet(input, English);
    const int at = page.indexOf(word);
    QVERIFY(at > 0);
    // The paragraph that holds the word is one that breaks inside it.
    const int paragraph = page.lastIndexOf(QStringLiteral("<p"), at);
    QVERIFY(page.midRef(paragraph, at - paragraph).startsWith(QStringLiteral(R"(<p style="overflow-wrap:anywhere">)")));
}

void TestWorksheet::escapesUserText_data()
{
    QTest::addColumn<int>("field");
    QTest::addRow("question") << 0;
    QTest::addRow("prediction feedback") << 1;
    QTest::addRow("reasoning") << 2;
    QTest::addRow("notes") << 3;
    QTest::addRow("conclusion") << 4;
}

void TestWorksheet::escapesUserText()
{
    QFETCH(int, field);
    WorksheetInput input = coinAtStep1();
    QString *const fields[] = {&input.question, &input.predictionFeedback, &input.predictionReason, &input.notes,
                               &input.conclusion};
    *fields[field] = QStringLiteral("<script>alert(\"x\") & 'y'</script>");
    const QString page = buildWorksheet(input, English);
    QVERIFY(page.contains(QStringLiteral("&lt;script&gt;alert(&quot;x&quot;) &amp; 'y'&lt;/script&gt;")));
    QVERIFY(!page.contains(QStringLiteral("<script")));
    QVERIFY(!page.contains(QStringLiteral("</script")));
}

void TestWorksheet::placeholdersTypedByStudent()
{
    WorksheetInput input = coinAtStep1();
    input.question = QStringLiteral("%1 %2");
    input.predictionFeedback = QStringLiteral("%2");
    input.predictionReason = QStringLiteral("%1");
    input.notes = QStringLiteral("100% %3");
    input.conclusion = QStringLiteral("%1%2");
    const QString page = buildWorksheet(input, English);
    QVERIFY(page.contains(section("Question", "%1 %2")));
    QVERIFY(page.contains(section("Prediction and reasoning", "%2<br>%1")));
    QVERIFY(page.contains(section("Observations", "100% %3")));
    QVERIFY(page.contains(section("Conclusions", "%1%2")));
}

void TestWorksheet::coinAtFirstStep_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("stepLine");
    QTest::addRow("English") << 1 << "<p>Qubits: 1 | Step: 1/1</p>";
    QTest::addRow("Italian") << 0 << "<p>Qubit: 1 | Passo: 1/1</p>";
}

void TestWorksheet::coinAtFirstStep()
{
    QFETCH(int, language);
    QFETCH(QString, stepLine);
    const QString page = buildWorksheet(coinAtStep1(), static_cast<Language>(language));
    QVERIFY(page.contains(stepLine));
    QVERIFY(page.contains(QStringLiteral("<tr><td>1</td><td>H(q0)</td></tr>")));
    QCOMPARE(page.count(QStringLiteral("<td>50.0000</td>")), 2);
    QCOMPARE(page.count(QStringLiteral("<tr><td>")), 3);
    QVERIFY(page.contains(QStringLiteral("&quot;format&quot;: &quot;FasoriaCircuit&quot;")));
}

void TestWorksheet::withoutPreparations()
{
    const QString page = buildWorksheet(coinAtStep1(), English);
    QCOMPARE(page.count(QStringLiteral("<td>-</td><td>-</td></tr>")), 2);
    QVERIFY(page.contains(QStringLiteral("</tbody></table><p>Independent preparations: 0</p><h2 style=")));
    QVERIFY(!page.contains(QStringLiteral("Single measurement outcome")));
}

void TestWorksheet::afterMeasurement()
{
    WorksheetInput input = coinAtStep1();
    input.lastOutcome = 1;
    input.lastShotsTotal = 100;
    input.lastShotsCounts = {48, 52};
    const QString page = buildWorksheet(input, Italian);
    QCOMPARE(page.count(QStringLiteral("<td>0.707106781</td><td>0</td><td>50.0000</td>")), 2);
    QVERIFY(page.contains(QStringLiteral("<td>52</td><td>52.000</td>")));
    QVERIFY(page.contains(QStringLiteral(
        "<p>Preparazioni indipendenti: 100</p><p>Esito della misura singola: 1</p><h2 style=\"page-break-before:"
        "always\">Appendice: circuito ricostruibile")));
}

void TestWorksheet::notesOnTwoLines()
{
    WorksheetInput input = coinAtStep1();
    input.notes = QStringLiteral("line one\nline two");
    input.predictionFeedback = QStringLiteral("Matches.");
    QVERIFY(buildWorksheet(input, English).contains(section("Observations", "line one<br>line two")));
    QVERIFY(buildWorksheet(input, English).contains(section("Prediction and reasoning", "Matches.<br>")));
}

void TestWorksheet::questionFallsBackToCircuit()
{
    const Lesson &coin = lessonCatalog()[0];
    const QString english = QString::fromUtf8(coin.questionEn).toHtmlEscaped();
    const QString italian = QString::fromUtf8(coin.questionIt).toHtmlEscaped();
    QVERIFY(buildWorksheet(coinAtStep1(), English).contains(section("Question", english)));
    QVERIFY(buildWorksheet(coinAtStep1(), Italian).contains(section("Domanda", italian)));
}

void TestWorksheet::resultRows_data()
{
    QTest::addColumn<int>("qubits");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("row");
    QTest::addRow("q0 is rightmost") << 3 << static_cast<int>(GateKind::X) << 1
                                     << "<tr><td>001</td><td>1</td><td>0</td><td>100.0000</td>";
    QTest::addRow("empty circuit") << 2 << -1 << 0 << "<tr><td>00</td><td>1</td><td>0</td><td>100.0000</td>";
    QTest::addRow("negative zero written as 0")
        << 1 << static_cast<int>(GateKind::Z) << 2 << "<tr><td>1</td><td>-0.707106781</td><td>0</td><td>50.0000</td>";
}

void TestWorksheet::resultRows()
{
    QFETCH(int, qubits);
    QFETCH(int, kind);
    QFETCH(int, step);
    QFETCH(QString, row);
    WorksheetInput input;
    input.circuit = circuitOf(qubits, {});
    if (kind == static_cast<int>(GateKind::Z)) {
        input.circuit = circuitOf(qubits, {{GateKind::H, 0, 0, 0.0}, {GateKind::Z, 0, 0, 0.0}});
    } else if (kind >= 0) {
        input.circuit = circuitOf(qubits, {{static_cast<GateKind>(kind), 0, 0, 0.0}});
    }
    input.currentStep = static_cast<std::uint64_t>(step);
    const QString page = buildWorksheet(input, English);
    QVERIFY2(page.contains(row), qPrintable(page));
    const int dimension = 1 << qubits;
    QCOMPARE(page.count(QStringLiteral("<tr><td>")), dimension + static_cast<int>(input.circuit.steps.size()));
}

void TestWorksheet::refusedInput_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("counts");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<bool>("outOfRange");
    QTest::addRow("step past the end") << 2 << 0 << -1 << true;
    QTest::addRow("counts of another register") << 1 << 4 << -1 << false;
    QTest::addRow("outcome outside the register") << 1 << 0 << 2 << true;
}

void TestWorksheet::refusedInput()
{
    QFETCH(int, step);
    QFETCH(int, counts);
    QFETCH(int, outcome);
    QFETCH(bool, outOfRange);
    WorksheetInput input = coinAtStep1();
    input.currentStep = static_cast<std::uint64_t>(step);
    if (counts > 0) {
        input.lastShotsTotal = 10;
        input.lastShotsCounts = Histogram(static_cast<std::size_t>(counts), 0);
    }
    input.lastOutcome = outcome;
    if (outOfRange) {
        QVERIFY_EXCEPTION_THROWN(buildWorksheet(input, English), std::out_of_range);
    } else {
        QVERIFY_EXCEPTION_THROWN(buildWorksheet(input, English), std::invalid_argument);
    }
    QTemporaryDir folder;
    QString error;
    QVERIFY(!saveWorksheetFile(folder.filePath(QStringLiteral("w.html")), input, English, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("w.html"))));
}

void TestWorksheet::fileNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::addRow("bare") << "sheet"
                          << "sheet.html";
    QTest::addRow("capital HTML") << "A.HTML"
                                  << "A.HTML";
    QTest::addRow("htm is not html") << "a.htm"
                                     << "a.htm.html";
}

void TestWorksheet::fileNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QCOMPARE(worksheetFileName(chosen), expected);
}

void TestWorksheet::savesUtf8()
{
    WorksheetInput input = coinAtStep1();
    input.notes = QStringLiteral("L’interferenza è visibile");
    QTemporaryDir folder;
    const QString path = folder.filePath(worksheetFileName(QStringLiteral("scheda")));
    QString error;
    QVERIFY2(saveWorksheetFile(path, input, Italian, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), buildWorksheet(input, Italian));
}

void TestWorksheet::headerIsText_data()
{
    QTest::addColumn<int>("field");
    QTest::addRow("name") << 0;
    QTest::addRow("class") << 1;
    QTest::addRow("date") << 2;
    QTest::addRow("title") << 3;
    QTest::addRow("goal") << 4;
}

void TestWorksheet::headerIsText()
{
    QFETCH(int, field);
    WorksheetInput input = coinAtStep1();
    QString *const fields[] = {&input.studentName, &input.className, &input.date, &input.title, &input.goal};
    *fields[field] = QStringLiteral("<b>SOLVED</b> %1\nx");
    const QString page = buildWorksheet(input, Italian);
    QVERIFY(page.contains(QStringLiteral("&lt;b&gt;SOLVED&lt;/b&gt; %1<br>x")));
    QVERIFY(!page.contains(QStringLiteral("<b>SOLVED")));
    // The goal has a line only when there is one.
    QCOMPARE(page.contains(QStringLiteral("<p><b>Obiettivo:</b>")), field == 4);
}

void TestWorksheet::roomToWrite_data()
{
    QTest::addColumn<bool>("custom");
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("ruledTables");
    // Conclusions are always empty here; observations only when no notes are given.
    QTest::addRow("everything written") << false << true << "seen" << 1;
    QTest::addRow("no notes") << false << true << "" << 2;
    QTest::addRow("blank notes") << false << true << " \n " << 2;
    QTest::addRow("no prediction") << false << false << "seen" << 2;
    QTest::addRow("own circuit, nothing written") << true << false << "" << 4;
}

void TestWorksheet::roomToWrite()
{
    QFETCH(bool, custom);
    QFETCH(bool, recorded);
    QFETCH(QString, notes);
    QFETCH(int, ruledTables);
    WorksheetInput input = coinAtStep1();
    if (custom) {
        input.circuit = circuitOf(1, {{GateKind::H, 0, 0, 0.0}});
    }
    input.predictionRecorded = recorded;
    // What the learning lab shows before a prediction is its own hint, never the student's answer.
    input.predictionFeedback = QStringLiteral("Record before starting");
    input.notes = notes;
    for (const Language language : {Italian, English}) {
        const QString page = buildWorksheet(input, language);
        QCOMPARE(page.count(QStringLiteral("<table style=\"border:none\">")), ruledTables);
        QCOMPARE(page.contains(QStringLiteral("Record before starting")), recorded);
        QCOMPARE(page.contains(language == English ? QStringLiteral("(no prediction recorded)")
                                                   : QStringLiteral("(nessuna previsione registrata)")),
                 !recorded);
        QVERIFY(!page.contains(QString::fromUtf8(kCustomQuestionEn)));
        QVERIFY(!page.contains(QString::fromUtf8(kCustomQuestionIt)));
    }
}

void TestWorksheet::notebookIsText()
{
    WorksheetInput input = coinAtStep1();
    QVERIFY(!buildWorksheet(input, English).contains(QStringLiteral("Laboratory notebook")));
    input.notebook = QStringList{QStringLiteral("Step 1: <i>H</i> & %1"), QStringLiteral("second")};
    QVERIFY(buildWorksheet(input, English)
                .contains(QStringLiteral("font-size:12px\">Step 1: &lt;i&gt;H&lt;/i&gt; &amp; %1<br>second</p>")));
}

void TestWorksheet::pictures_data()
{
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("absent");
    QTest::addRow("inline") << int(WorksheetPictures::InlineSvg)
                            << R"(<p><svg style="max-width:100%;height:auto" width="10"><rect/></svg></p>)"
                            << "<?xml";
    QTest::addRow("images") << int(WorksheetPictures::Resources)
                            << R"(<p><img src="fasoria-circuit.png" width="680"></p>)"
                            << "<svg";
}

void TestWorksheet::pictures()
{
    QFETCH(int, pictures);
    QFETCH(QString, expected);
    QFETCH(QString, absent);
    WorksheetInput input = coinAtStep1();
    input.circuitPicture = {"<?xml version=\"1.0\"?>\n<svg width=\"10\"><rect/></svg>", "PNG", 2000, 100};
    const QString page = buildWorksheet(input, English, static_cast<WorksheetPictures>(pictures));
    QVERIFY2(page.contains(expected), qPrintable(page));
    QVERIFY(!page.contains(absent));
    // The circuit's picture comes before its table of operations; the chart, empty here, takes no room.
    QVERIFY(page.indexOf(expected) < page.indexOf(QStringLiteral("<th>Operation</th>")));
    QVERIFY(!page.contains(QLatin1String(kChartPictureName)));
}

void TestWorksheet::printedAppendixReadsBack()
{
    WorksheetInput input = coinAtStep1();
    input.circuit = circuitOf(2, {{GateKind::H, 0, 0, 0.0}, {GateKind::P, 1, 0, -0.3}, {GateKind::Cnot, 1, 0, 0.0}});
    const QString page = buildWorksheet(input, Italian, WorksheetPictures::Resources);
    const QString opening = QStringLiteral("font-size:7pt\">");
    const int start = page.indexOf(opening) + opening.size();
    QString json = page.mid(start, page.indexOf(QStringLiteral("</p>"), start) - start);
    json.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    Circuit read;
    QString error;
    QVERIFY2(parseCircuit(json.toUtf8(), read, &error), qPrintable(error + QLatin1Char('\n') + json));
    QCOMPARE(serializeCircuit(read), serializeCircuit(input.circuit));
}

QTEST_GUILESS_MAIN(TestWorksheet)
#include "test_worksheet.moc"
