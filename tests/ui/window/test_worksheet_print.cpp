// The worksheet on paper: the PDF the window writes, read back as a reader would with pdftotext.
#include "Help/Resources.h"
#include "tests/support/FullDisk.h"
#include "tests/ui/WindowHarness.h"
#include "ui/commands/WorksheetCommands.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace Fasoria;

namespace {

constexpr int kBellChallenge = 9;

/// The text of a PDF as pdftotext lays it out, or null when the tool is missing.
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    process.waitForFinished(30000);
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

} // namespace

class TestWorksheetPrint : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        useSandbox(m_store, "FasoriaWorksheetPrintTest");
        initResources();
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void thePdfCarriesTheWork_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("Italian") << 0
                                 << QStringList{"Nome",
                                                "Ada <b>Lovelace</b>",
                                                "Classe",
                                                "4B",
                                                "Obiettivo",
                                                "Domanda",
                                                "Previsione e motivazione",
                                                "(nessuna previsione registrata)",
                                                "Osservazioni",
                                                "Quaderno di laboratorio",
                                                "SFIDA SUPERATA",
                                                "0.707106781",
                                                "Appendice: circuito ricostruibile (JSON)",
                                                "FasoriaCircuit"};
        QTest::addRow("English") << 1
                                 << QStringList{"Name",
                                                "Ada <b>Lovelace</b>",
                                                "Class",
                                                "4B",
                                                "Goal",
                                                "Question",
                                                "Prediction and reasoning",
                                                "(no prediction recorded)",
                                                "Observations",
                                                "Laboratory notebook",
                                                "CHALLENGE SOLVED",
                                                "0.707106781",
                                                "Appendix: reproducible circuit (JSON)",
                                                "FasoriaCircuit"};
    }

    void thePdfCarriesTheWork()
    {
        QFETCH(int, language);
        QFETCH(QStringList, expected);
        part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
        m_window->selectLesson(kBellChallenge);
        setPanel(GateKind::H, 0, 0, 0.0);
        click("m_insertButton");
        setPanel(GateKind::Cnot, 1, 0, 0.0);
        click("m_insertButton");
        click("m_challengeCheckButton");
        m_window->studySession().setTexts([] {
            StudyTexts texts;
            texts.studentName = QStringLiteral("Ada <b>Lovelace</b>");
            texts.className = QStringLiteral("4B");
            return texts;
        }());
        const QString path = m_files.filePath(QStringLiteral("bell"));
        QVERIFY(m_window->worksheetCommands().exportPdf(path));
        QVERIFY(m_messages.isEmpty());
        const QString text = pdfText(path + QStringLiteral(".pdf"));
        if (text.isNull()) {
            QSKIP("pdftotext is not installed");
        }
        for (const QString &piece : expected) {
            QVERIFY2(text.contains(piece), qPrintable(piece + QStringLiteral(" missing from:\n") + text));
        }
        // The appendix starts a page of its own.
        QVERIFY(pdfPages(path + QStringLiteral(".pdf")) >= 2);
    }

    void theActivityIsNamedAsLoaded()
    {
        part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
        m_window->selectLesson(kBellChallenge);
        WorksheetInput sheet = m_window->studySession().worksheetInput(English);
        QCOMPARE(sheet.title, QStringLiteral("10 - Build a Bell pair"));
        QVERIFY(sheet.goal.startsWith(QStringLiteral("Prepare")));
        answerNext(QMessageBox::Discard);
        m_window->files().newCircuit();
        sheet = m_window->studySession().worksheetInput(English);
        QCOMPARE(sheet.title, QStringLiteral("Custom circuit"));
        QVERIFY(sheet.goal.isEmpty());
        answerNext(QMessageBox::Discard);
        QVERIFY(m_window->files().createAlgorithmCircuit(AlgorithmParameters{}));
        QCOMPARE(m_window->studySession().worksheetInput(English).title, QStringLiteral("Grover, 3 qubits"));
        // Who is working stays from one experiment to the next.
        StudyTexts texts = m_window->studySession().texts();
        texts.studentName = QStringLiteral("Ada");
        m_window->studySession().setTexts(texts);
        answerNext(QMessageBox::Discard);
        m_window->selectLesson(0);
        QCOMPARE(m_window->studySession().worksheetInput(English).studentName, QStringLiteral("Ada"));
    }

    void aFullDiskKeepsTheOldFile()
    {
        const QString mountPoint = m_files.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkdir(mountPoint));
        const FullDisk disk(mountPoint);
        if (!disk.isMounted()) {
            QSKIP("a private tmpfs needs root (CAP_SYS_ADMIN)");
        }
        const QString path = mountPoint + QStringLiteral("/kept.pdf");
        QVERIFY(writeFile(path, "old"));
        QVERIFY(disk.fill(mountPoint + QStringLiteral("/filler")));
        QVERIFY(!m_window->worksheetCommands().exportPdf(path));
        QCOMPARE(readFile(path), QByteArray("old"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.last().contains(QLatin1String("space"), Qt::CaseInsensitive),
                 qPrintable(m_messages.last()));
    }

private:
    QTemporaryDir m_store;
    QTemporaryDir m_files;
};

QTEST_MAIN(TestWorksheetPrint)
#include "test_worksheet_print.moc"
