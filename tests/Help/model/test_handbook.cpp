// The handbook quotes numbers the engine computes. Every such number is marked up as
//   <span class="figure" data-figure="NAME" data-format="FORMAT">TEXT</span>
// and this test recomputes NAME with the engine, writes it as FORMAT and compares the result with TEXT, in
// both languages. Besides, it checks the structure the help window relies on: the anchors, the links
// between the two documents, the lesson titles and the version.
//
// Figure names are words separated by colons; the first word is the kind:
//   amplitude-re | amplitude-im | probability | phase : lesson-NN : step-K : basis-BITS
//       the state after the first K steps of lesson NN; BITS is the basis label, q0 rightmost, one digit per
//       qubit of the lesson; phase is atan2(Im, Re) in degrees, undefined ("-") for |a| < 1e-12
//   norm : lesson-NN : step-K                       the sum of all probabilities
//   readout : lesson-NN [: step-K]                  probability of the correct output of an algorithm lesson
//                                                   after the whole circuit or after K steps
//   classical-queries | quantum-queries : lesson-NN the query counts of an algorithm lesson
//   gates : lesson-NN                               number of steps of a lesson
//   checkpoint : lesson-NN : N                      gate index of the N-th checkpoint (1-based)
//   generated : deutsch|bv|grover : PARAMETERS : readout|expected|gates|classical-queries|quantum-queries
//       a generated circuit; PARAMETERS are function-F (deutsch), qubits-N and secret-S (bv), qubits-N,
//       target-M and iterations-K (grover), all of them required
//   grover-best-iterations : qubits-N : target-M    the iteration count 1..4 with the highest success
//   challenge-fidelity : lesson-NN : circuit-GATES  fidelity of a circuit (h0, x1, z0, cx01 = CNOT q0 → q1,
//                                                   joined by dots; "circuit-empty" for none)
//   shots : lesson-NN : step-K : count-N : seed-S : basis-BITS
//       count of BITS among N preparations sampled with a generator seeded with S
//   bell : zz|xx|zx|xz : bell|mixture : basis-BITS  the Bell-versus-mixture table (bases of q1, then q0)
//   engine-max-qubits                               the largest register the engine creates
//   amplitude-count : qubits-N                      amplitudes stored for N qubits
//   core-checks : count|passed                      the engine's own checks
//   generator-parameter-sets                        parameter sets the generator accepts
// Formats: fixed:D, percent:D (value × 100, then "%"), percent-value:D (value × 100, no sign), integer, and
// shortest (the shortest decimal that reads back as the same double). Numbers carry a decimal point in both
// languages, and a value that rounds to zero is written without a minus sign.

#include "fasoria/Version.h"

#include "Help/Resources.h"
#include "Help/model/HelpModel.h"
#include "core/CoreSelfTest.h"
#include "core/Measurement.h"
#include "core/RandomGenerator.h"
#include "core/StateVector.h"
#include "curriculum/AlgorithmGenerator.h"
#include "curriculum/AlgorithmInfo.h"
#include "curriculum/Challenge.h"
#include "curriculum/LessonCatalog.h"
#include "tests/Help/HandbookFigures.h"
#include "tests/Help/HandbookHtml.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextCodec>
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>

using namespace Fasoria;
using namespace HandbookFigures;

namespace {

// The version every handbook states: the program's own.
const QString kVersion = QString::fromLatin1(kApplicationVersion);

// The chapters are the help window's first topics, so a topic and the chapter it opens read the same.
constexpr int kChapterCount = 13;

QVector<HelpTopic> chapters(Language language)
{
    return helpTopics(language).mid(0, kChapterCount);
}

// Each document quotes at least this many figures; far fewer would mean the markup was lost.
constexpr int kMinimumFigures = 80;

struct Document
{
    QString code;
    QString otherCode;
    Language language;
    QString html;
};

// ---- structure --------------------------------------------------------------------------------------------

QMap<QString, int> anchorCounts(const QString &html)
{
    static const QRegularExpression anchor(QStringLiteral("<a\\s[^>]*\\bname=\"([^\"]*)\""));
    QMap<QString, int> counts;
    QRegularExpressionMatchIterator it = anchor.globalMatch(html);
    while (it.hasNext()) {
        ++counts[it.next().captured(1)];
    }
    return counts;
}

/// The text of the heading that opens with the anchor, or a null string when there is none.
QString headingOf(const QString &html, const QString &level, const QString &anchor)
{
    const QRegularExpression heading(
        QStringLiteral("<%1><a name=\"%2\"></a>([^<]*)</%1>").arg(level, QRegularExpression::escape(anchor)));
    const QRegularExpressionMatch match = heading.match(html);
    return match.hasMatch() ? HandbookHtml::unescaped(match.captured(1)) : QString();
}

QString lessonAnchor(std::size_t index)
{
    return Fasoria::lessonAnchor(static_cast<int>(index));
}

QStringList requiredAnchors()
{
    QStringList anchors;
    for (const HelpTopic &chapter : chapters(English)) {
        anchors << chapter.anchor;
    }
    for (std::size_t i = 0; i < lessonCatalog().size(); ++i) {
        anchors << lessonAnchor(i);
    }
    return anchors;
}

QString figureSpan(const QString &name, const QString &format, const QString &text)
{
    return QStringLiteral("<p>Text <span class=\"figure\" data-figure=\"%1\" data-format=\"%2\">%3</span>.</p>")
        .arg(name, format, text);
}

} // namespace

class TestHandbook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void figuresMatchTheEngine_data();
    void figuresMatchTheEngine();
    void everyMarkedElementIsAFigure_data();
    void everyMarkedElementIsAFigure();
    void bothLanguagesQuoteTheSameFigures();
    void requiredAnchorsOccurOnce_data();
    void requiredAnchorsOccurOnce();
    void anchorsAndLinksAgree_data();
    void anchorsAndLinksAgree();
    void headingsCarryTheirTitles_data();
    void headingsCarryTheirTitles();
    void documentIsStandalone_data();
    void documentIsStandalone();
    void checkerRejectsBadFigures_data();
    void checkerRejectsBadFigures();
    void checkerAcceptsTrueFigures_data();
    void checkerAcceptsTrueFigures();

private:
    void addDocumentRows();
    const Document &document(const QString &code) const;

    QVector<Document> m_documents;
};

void TestHandbook::initTestCase()
{
    initResources();
    const Language languages[] = {English, Italian};
    for (const Language language : languages) {
        const QString code = isEnglish(language) ? QStringLiteral("en") : QStringLiteral("it");
        QFile file(QStringLiteral(":/manual/%1/index.html").arg(code));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName() + QStringLiteral(" is not compiled in")));
        const QByteArray bytes = file.readAll();
        QTextCodec::ConverterState state;
        const QString html = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
        QVERIFY2(state.invalidChars == 0, qPrintable(file.fileName() + QStringLiteral(" is not valid UTF-8")));
        m_documents.append({code, isEnglish(language) ? QStringLiteral("it") : QStringLiteral("en"), language, html});
    }
}

void TestHandbook::addDocumentRows()
{
    QTest::addColumn<QString>("code");
    for (const Document &doc : m_documents) {
        QTest::newRow(qPrintable(doc.code)) << doc.code;
    }
}

const Document &TestHandbook::document(const QString &code) const
{
    for (const Document &doc : m_documents) {
        if (doc.code == code) {
            return doc;
        }
    }
    qFatal("no document %s", qPrintable(code));
}

void TestHandbook::figuresMatchTheEngine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    for (const Document &doc : m_documents) {
        const QVector<Figure> figures = extractFigures(doc.html).figures;
        for (int i = 0; i < figures.size(); ++i) {
            const Figure &figure = figures[i];
            QTest::addRow("%s #%d %s", qPrintable(doc.code), i + 1, qPrintable(figure.name))
                << figure.name << figure.format << figure.text;
        }
    }
}

void TestHandbook::figuresMatchTheEngine()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, text);
    const QString problem = checkFigure({name, format, text});
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestHandbook::everyMarkedElementIsAFigure_data()
{
    addDocumentRows();
}

// Every element that looks like a figure is one the test above checks: none has broken markup, none hides
// from the extraction, and there are enough of them.
void TestHandbook::everyMarkedElementIsAFigure()
{
    QFETCH(QString, code);
    const QString &html = document(code).html;
    const Extraction extraction = extractFigures(html);
    QVERIFY2(extraction.problems.isEmpty(), qPrintable(extraction.problems.join(QLatin1Char('\n'))));
    QCOMPARE(extraction.figures.size(), extraction.markedElements);
    QCOMPARE(html.count(QStringLiteral("data-figure")), extraction.figures.size());
    QCOMPARE(html.count(QStringLiteral("class=\"figure\"")), extraction.figures.size());
    QVERIFY2(extraction.figures.size() >= kMinimumFigures,
             qPrintable(QStringLiteral("only %1 figures").arg(extraction.figures.size())));
}

void TestHandbook::bothLanguagesQuoteTheSameFigures()
{
    QSet<QString> names[2];
    for (int i = 0; i < 2; ++i) {
        for (const Figure &figure : extractFigures(m_documents[i].html).figures) {
            names[i].insert(figure.name + QStringLiteral(" [") + figure.format + QLatin1Char(']'));
        }
    }
    QStringList onlyEnglish = QSet<QString>(names[0]).subtract(names[1]).values();
    QStringList onlyItalian = QSet<QString>(names[1]).subtract(names[0]).values();
    onlyEnglish.sort();
    onlyItalian.sort();
    QVERIFY2(onlyEnglish.isEmpty(),
             qPrintable(QStringLiteral("only in en: ") + onlyEnglish.join(QStringLiteral(", "))));
    QVERIFY2(onlyItalian.isEmpty(),
             qPrintable(QStringLiteral("only in it: ") + onlyItalian.join(QStringLiteral(", "))));
}

void TestHandbook::requiredAnchorsOccurOnce_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("anchor");
    for (const Document &doc : m_documents) {
        for (const QString &anchor : requiredAnchors()) {
            QTest::addRow("%s %s", qPrintable(doc.code), qPrintable(anchor)) << doc.code << anchor;
        }
    }
}

void TestHandbook::requiredAnchorsOccurOnce()
{
    QFETCH(QString, code);
    QFETCH(QString, anchor);
    QCOMPARE(anchorCounts(document(code).html).value(anchor), 1);
}

void TestHandbook::anchorsAndLinksAgree_data()
{
    addDocumentRows();
}

// No anchor is defined twice, every link inside the document reaches an anchor, and every chapter and
// lesson is reachable from the document itself (the table of contents).
void TestHandbook::anchorsAndLinksAgree()
{
    QFETCH(QString, code);
    const QString &html = document(code).html;
    const QMap<QString, int> anchors = anchorCounts(html);
    for (auto it = anchors.cbegin(); it != anchors.cend(); ++it) {
        QVERIFY2(it.value() == 1,
                 qPrintable(QStringLiteral("anchor %1 defined %2 times").arg(it.key()).arg(it.value())));
    }
    static const QRegularExpression internalLink(QStringLiteral("href=\"#([^\"]*)\""));
    QSet<QString> linked;
    QRegularExpressionMatchIterator it = internalLink.globalMatch(html);
    while (it.hasNext()) {
        const QString target = it.next().captured(1);
        QVERIFY2(anchors.contains(target), qPrintable(QStringLiteral("link to missing anchor #") + target));
        linked.insert(target);
    }
    for (const QString &anchor : requiredAnchors()) {
        QVERIFY2(linked.contains(anchor), qPrintable(QStringLiteral("nothing links to #") + anchor));
    }
}

void TestHandbook::headingsCarryTheirTitles_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("title");
    for (const Document &doc : m_documents) {
        for (const HelpTopic &chapter : chapters(doc.language)) {
            QTest::addRow("%s %s", qPrintable(doc.code), qPrintable(chapter.anchor))
                << doc.code << QStringLiteral("h2") << chapter.anchor << chapter.label;
        }
        const LessonCatalog &lessons = lessonCatalog();
        for (std::size_t i = 0; i < lessons.size(); ++i) {
            QTest::addRow("%s %s", qPrintable(doc.code), qPrintable(lessonAnchor(i)))
                << doc.code << QStringLiteral("h3") << lessonAnchor(i)
                << QString::fromUtf8(pick(doc.language, lessons[i].titleIt, lessons[i].titleEn));
        }
    }
}

// Chapters open with the help window's topic label, lessons with the catalog title in the same language.
void TestHandbook::headingsCarryTheirTitles()
{
    QFETCH(QString, code);
    QFETCH(QString, level);
    QFETCH(QString, anchor);
    QFETCH(QString, title);
    QCOMPARE(headingOf(document(code).html, level, anchor), title);
}

void TestHandbook::documentIsStandalone_data()
{
    addDocumentRows();
}

// One file that QTextBrowser shows as it is: its own language and style sheet, the version, the link to the
// other language, and nothing fetched from elsewhere.
void TestHandbook::documentIsStandalone()
{
    QFETCH(QString, code);
    const Document &doc = document(code);
    QVERIFY(doc.html.startsWith(QLatin1String("<!DOCTYPE html>")));
    QVERIFY(doc.html.contains(QStringLiteral("<html lang=\"%1\">").arg(code)));
    QVERIFY(doc.html.contains(QLatin1String("<meta charset=\"utf-8\">")));
    QCOMPARE(doc.html.count(QLatin1String("<style>")), 1);
    QVERIFY(doc.html.contains(kVersion));
    QVERIFY(doc.html.contains(QStringLiteral("href=\"../%1/index.html\"").arg(doc.otherCode)));
    QVERIFY(doc.html.trimmed().endsWith(QLatin1String("</html>")));
    const char *const forbidden[] = {
        "<script", "<img", "<link", "<iframe", "src=", "url(", "http:", "https:", "@import"};
    for (const char *word : forbidden) {
        QVERIFY2(!doc.html.contains(QLatin1String(word), Qt::CaseInsensitive), word);
    }
}

void TestHandbook::checkerRejectsBadFigures_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("named");
    const auto row = [](const char *tag, const QString &html, const QString &named) {
        QTest::newRow(tag) << html << named;
    };
    row("unknown kind", figureSpan("colour:lesson-01", "integer", "3"), "colour:lesson-01");
    row("wrong value", figureSpan("readout:lesson-20", "percent:3", "78.000%"), "readout:lesson-20");
    row("rounded the wrong way", figureSpan("probability:lesson-01:step-1:basis-0", "percent:2", "49.99%"),
        "probability:lesson-01:step-1:basis-0");
    row("percent sign missing", figureSpan("readout:lesson-20", "percent:3", "78.125"), "readout:lesson-20");
    row("decimal comma", figureSpan("readout:lesson-20", "percent:3", "78,125%"), "readout:lesson-20");
    row("negative zero", figureSpan("amplitude-im:lesson-04:step-2:basis-1", "fixed:6", "-0.000000"),
        "amplitude-im:lesson-04:step-2:basis-1");
    row("unknown format", figureSpan("gates:lesson-19", "roman", "XVIII"), "gates:lesson-19");
    row("format without decimals", figureSpan("readout:lesson-20", "percent", "78%"), "readout:lesson-20");
    row("no format", "<span class=\"figure\" data-figure=\"gates:lesson-19\">18</span>", "gates:lesson-19");
    row("no lesson 22", figureSpan("gates:lesson-22", "integer", "1"), "gates:lesson-22");
    row("step beyond the circuit", figureSpan("probability:lesson-01:step-2:basis-0", "percent:2", "50.00%"),
        "probability:lesson-01:step-2:basis-0");
    row("basis label too short", figureSpan("probability:lesson-03:step-2:basis-1", "percent:2", "0.00%"),
        "probability:lesson-03:step-2:basis-1");
    row("not an algorithm lesson", figureSpan("readout:lesson-01", "percent:0", "100%"), "readout:lesson-01");
    row("extra argument", figureSpan("gates:lesson-01:step-1", "integer", "1"), "gates:lesson-01:step-1");
    row("unknown parameter", figureSpan("generated:grover:qubits-3:target-5:rounds-2:readout", "percent:3", "94.531%"),
        "generated:grover:qubits-3:target-5:rounds-2:readout");
    row("missing parameter", figureSpan("generated:grover:qubits-3:target-5:readout", "percent:3", "94.531%"),
        "generated:grover:qubits-3:target-5:readout");
    row("parameters the generator refuses",
        figureSpan("generated:grover:qubits-4:target-5:iterations-1:readout", "percent:0", "100%"),
        "generated:grover:qubits-4:target-5:iterations-1:readout");
    row("not a challenge", figureSpan("challenge-fidelity:lesson-03:circuit-h0", "percent:0", "50%"),
        "challenge-fidelity:lesson-03:circuit-h0");
    row("phase defined where it is not", figureSpan("phase:lesson-01:step-0:basis-1", "fixed:1", "0.0"),
        "phase:lesson-01:step-0:basis-1");
    row("markup inside",
        "<p><span class=\"figure\" data-figure=\"gates:lesson-19\" data-format=\"integer\"><b>18</b></span></p>",
        "gates:lesson-19");
    row("class without name", "<p><span class=\"figure\">18</span></p>", "");
    row("name without class", "<p><span data-figure=\"gates:lesson-19\" data-format=\"integer\">18</span></p>",
        "gates:lesson-19");
}

// The checker itself: each broken or untrue figure is reported, by name when it has one.
void TestHandbook::checkerRejectsBadFigures()
{
    QFETCH(QString, html);
    QFETCH(QString, named);
    const QStringList problems = problemsOf(html);
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().contains(named), qPrintable(problems.first()));
}

void TestHandbook::checkerAcceptsTrueFigures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("H then H") << "amplitude-re:lesson-02:step-2:basis-0"
                              << "shortest"
                              << "0.9999999999999998";
    QTest::newRow("1/sqrt(2)") << "amplitude-re:lesson-01:step-1:basis-0"
                               << "fixed:6"
                               << "0.707107";
    QTest::newRow("Z makes -180") << "phase:lesson-04:step-2:basis-1"
                                  << "fixed:1"
                                  << "-180.0";
    QTest::newRow("zero amplitude") << "phase:lesson-01:step-0:basis-1"
                                    << "fixed:1"
                                    << "-";
    QTest::newRow("Grover one iteration") << "readout:lesson-20"
                                          << "percent:3"
                                          << "78.125%";
    QTest::newRow("Grover four iterations") << "generated:grover:qubits-3:target-5:iterations-4:readout"
                                            << "percent:9"
                                            << "1.220703125%";
    QTest::newRow("mixture in X") << "bell:xx:mixture:basis-01"
                                  << "percent-value:2"
                                  << "25.00";
    QTest::newRow("Bell in X") << "bell:xx:bell:basis-01"
                               << "percent-value:2"
                               << "0.00";
    QTest::newRow("lesson 19 gates") << "gates:lesson-19"
                                     << "integer"
                                     << "18";
    QTest::newRow("wrong phase") << "challenge-fidelity:lesson-10:circuit-h0.cx01.z0"
                                 << "percent:4"
                                 << "0.0000%";
}

// The same checker accepts figures whose values are known by hand, so the rejections above are not a checker
// that refuses everything.
void TestHandbook::checkerAcceptsTrueFigures()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QString, text);
    const QStringList problems = problemsOf(figureSpan(name, format, text));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestHandbook)
#include "test_handbook.moc"
