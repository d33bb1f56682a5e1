// OpenQASM 2.0 and pictures through the window's File menu.
#include "Help/Resources.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/texts/TextCatalog.h"

#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Fasoria;

class TestExchangeWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaExchangeTest"));
        initResources();
        QVERIFY(m_directory.isValid());
    }
    void init() { startWindow(); }
    void cleanup() { m_window.reset(); }

    void importGoesThroughTheGuard()
    {
        const QString path = m_directory.filePath(QStringLiteral("bell.qasm"));
        QVERIFY(writeFile(path, "OPENQASM 2.0;\nqreg q[2];\nh q[0];\ncx q[0],q[1];\n"));
        click("m_editCopyButton");
        click("m_insertButton");
        const QByteArray edited = serializeCircuit(*m_window->experiment().workingCircuit());
        answerNext(QMessageBox::Cancel);
        trigger("m_actionImportQasm");
        QVERIFY(m_dialogs.isEmpty());
        QCOMPARE(serializeCircuit(*m_window->experiment().workingCircuit()), edited);

        answerNext(QMessageBox::Discard);
        m_fileNames << path;
        trigger("m_actionImportQasm");
        const Circuit *working = m_window->experiment().workingCircuit();
        QCOMPARE(working->qubitCount, 2);
        QCOMPARE(gateLabels(*working), QStringLiteral("H(q0) CNOT(q0 → q1)"));
        // It exists in no circuit file: unsaved, with a fresh history.
        QVERIFY(m_window->experiment().document().isModified());
        QVERIFY(!part<QAction>("m_actionUndo")->isEnabled());
    }

    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("detail");
        QTest::addRow("unsupported gate")
            << QByteArray("OPENQASM 2.0;\nqreg q[1];\nry(0.5) q[0];\n") << "line 3: unsupported gate or statement 'ry'";
        QTest::addRow("gate after measure")
            << QByteArray("OPENQASM 2.0;\nqreg q[1];\ncreg c[1];\nmeasure q[0] -> c[0];\nh q[0];\n")
            << "line 5: gate on q[0] after it was measured";
    }

    void refusedFilesChangeNothing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, detail);
        const QString path = m_directory.filePath(QStringLiteral("refused.qasm"));
        QVERIFY(writeFile(path, text));
        const QByteArray before = m_window->studySession().serialise();
        QVERIFY(!m_window->files().importQasmFile(path));
        QCOMPARE(lastMessage(), uiText(MoreText::QasmRefused, Italian).arg(detail));
        QCOMPARE(m_window->studySession().serialise(), before);
    }

    void skippedStatementsAreShownFirst()
    {
        const QString path = m_directory.filePath(QStringLiteral("measured.qasm"));
        QVERIFY(writeFile(path, "OPENQASM 2.0;\nqreg q[1];\ncreg c[1];\nh q[0];\nmeasure q[0] -> c[0];\n"));
        const QByteArray before = m_window->studySession().serialise();
        answerNext(QMessageBox::Cancel);
        QVERIFY(!m_window->files().importQasmFile(path));
        QVERIFY(lastMessage().contains(QStringLiteral("line 5: measurement ignored")));
        QCOMPARE(m_window->studySession().serialise(), before);
        answerNext(QMessageBox::Ok);
        QVERIFY(m_window->files().importQasmFile(path));
        QCOMPARE(m_window->experiment().workingCircuit()->steps.size(), std::size_t{1});
    }

    void exportThenImportGivesTheSameCircuitFile()
    {
        m_window->selectLesson(20);
        click("m_editCopyButton");
        const QByteArray original = serializeCircuit(*m_window->experiment().workingCircuit());
        m_fileNames << m_directory.filePath(QStringLiteral("grover"));
        trigger("m_actionExportQasm");
        const QString qasm = m_directory.filePath(QStringLiteral("grover.qasm"));
        QVERIFY(readFile(qasm).startsWith("OPENQASM 2.0;"));
        answerNext(QMessageBox::Discard);
        QVERIFY(m_window->files().importQasmFile(qasm));
        QCOMPARE(serializeCircuit(*m_window->experiment().workingCircuit()), original);
    }

    void pictureOfTheShownStage()
    {
        m_window->selectLesson(2);
        m_window->experiment().goToStep(1);
        m_fileNames << m_directory.filePath(QStringLiteral("bell.svg"));
        trigger("m_actionExportPicture");
        QCOMPARE(m_dialogs.last(),
                 QStringLiteral("save|Esporta immagine del circuito|Fasoria_circuit.svg|SVG (*.svg);;PNG "
                                "(*.png);;LaTeX quantikz (*.tex)"));
        const QByteArray svg = readFile(m_directory.filePath(QStringLiteral("bell.svg")));
        QVERIFY(svg.contains("<svg"));
        QCOMPARE(svg.count("class=\"stage\""), 3);
        // "bell" becomes bell.svg, which exists: the window asks first, and No keeps the old picture.
        m_window->experiment().goToStep(2);
        const int asked = m_messages.size();
        answerNext(QMessageBox::No);
        m_fileNames << m_directory.filePath(QStringLiteral("bell"));
        trigger("m_actionExportPicture");
        QCOMPARE(m_messages.size(), asked + 1);
        QCOMPARE(m_buttons.last(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(readFile(m_directory.filePath(QStringLiteral("bell.svg"))), svg);
        answerNext(QMessageBox::Yes);
        m_fileNames << m_directory.filePath(QStringLiteral("bell"));
        trigger("m_actionExportPicture");
        const QByteArray replaced = readFile(m_directory.filePath(QStringLiteral("bell.svg")));
        QVERIFY(replaced.contains("<svg") && replaced != svg);
        QVERIFY(!QFile::exists(m_directory.filePath(QStringLiteral("bell"))));
        m_fileNames << m_directory.filePath(QStringLiteral("bell.tex"));
        trigger("m_actionExportPicture");
        QVERIFY(readFile(m_directory.filePath(QStringLiteral("bell.tex"))).contains("\\ctrl{-1}"));
    }

private:
    QTemporaryDir m_directory;
};

QTEST_MAIN(TestExchangeWindow)

#include "test_exchange_window.moc"
