// The validation dialog, the handbook and the terms as the main window opens them.
#include "Help/Resources.h"
#include "Help/dialog/HelpDialog.h"
#include "Help/dialog/LicenseDialog.h"
#include "education/dialog/LearningController.h"
#include "education/dialog/LearningDialog.h"
#include "tests/ui/WindowHarness.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace Fasoria;

class TestHelpWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaHelpWindowTest"));
        initResources();
        QVERIFY(m_directory.isValid());
    }
    void init()
    {
        startWindow();
        m_reports.clear();
        m_export = false;
        m_window->prompts().setReportBoxHandler([this](QWidget *, const ReportBox &box) {
            m_reports << box;
            return m_export;
        });
    }
    void cleanup() { m_window.reset(); }

    void validationPassesInBothLanguages_data();
    void validationPassesInBothLanguages();
    void validationReportIsExported();
    void validationExportCancelledOrRefused();
    void handbookOpensWhereAsked();
    void licenseWindow();

private:
    QComboBox *topic() const { return m_window->findChild<HelpDialog *>()->findChild<QComboBox *>("m_manualTopic"); }

    QTemporaryDir m_directory;
    QList<ReportBox> m_reports;
    bool m_export = false;
};

void TestHelpWindow::validationPassesInBothLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("crossCheck");
    QTest::addRow("it") << 0 << "Fasoria - Validazione scientifica"
                        << "Validazione: 38 / 38 verifiche superate. Dettagli ed esportazione disponibili."
                        << "PASS | Verifica indipendente | R01-dense-independent | OK\n";
    QTest::addRow("en") << 1 << "Fasoria - Scientific validation"
                        << "Validation: 38 / 38 checks passed. Details and export available."
                        << "PASS | Cross-check | R01-dense-independent | OK\n";
}

void TestHelpWindow::validationPassesInBothLanguages()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, crossCheck);
    part<QComboBox>("m_languageCombo")->setCurrentIndex(language);
    click("m_testButton");
    QCOMPARE(m_reports.size(), 1);
    const ReportBox &box = m_reports.first();
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, text);
    QVERIFY2(box.detailedText.contains(crossCheck), qPrintable(box.detailedText));
    QCOMPARE(box.detailedText.count(QLatin1Char('\n')), 38);
    QVERIFY(!box.detailedText.contains(QStringLiteral("FAIL")));
    // The notebook records the run.
    QVERIFY(part<QPlainTextEdit>("m_log")->toPlainText().contains(QStringLiteral("38")));
    QVERIFY(m_dialogs.isEmpty());
}

void TestHelpWindow::validationReportIsExported()
{
    m_export = true;
    const QString path = m_directory.filePath(QStringLiteral("report.json"));
    m_fileNames << path;
    click("m_testButton");
    QCOMPARE(m_dialogs, QStringList{QStringLiteral(
                            "save|Salva report della validazione scientifica|Fasoria_validation_v0_16_0.json|JSON "
                            "(*.json)")});
    const QJsonObject report = QJsonDocument::fromJson(readFile(path)).object();
    QCOMPARE(report.value(QStringLiteral("format")).toString(), QStringLiteral("FasoriaValidation"));
    QCOMPARE(report.value(QStringLiteral("status")).toString(), QStringLiteral("PASS"));
    QCOMPARE(report.value(QStringLiteral("application_version")).toString(), QStringLiteral("0.16.0"));
    QVERIFY(m_titles.isEmpty());
}

void TestHelpWindow::validationExportCancelledOrRefused()
{
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    m_export = true;
    m_fileNames << QString();
    click("m_testButton");
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList());
    QVERIFY(m_titles.isEmpty());

    m_fileNames << directory.filePath(QStringLiteral("missing/folder/report.json"));
    click("m_testButton");
    QCOMPARE(m_titles, QStringList{QStringLiteral("Fasoria - Validazione scientifica")});
    QVERIFY2(lastMessage().startsWith(QStringLiteral("Impossibile salvare il report di validazione.\n")) &&
                 lastMessage().size() > 46,
             qPrintable(lastMessage()));
}

void TestHelpWindow::handbookOpensWhereAsked()
{
    m_window->show();
    QVERIFY(m_window->findChild<HelpDialog *>() == nullptr);
    trigger("m_actionHelp");
    auto *help = m_window->findChild<HelpDialog *>();
    QVERIFY(help != nullptr && help->isVisible());
    // The complete handbook opens on the handbook, whatever tab the dialog restored.
    QCOMPARE(help->findChild<QTabWidget *>("m_tabs")->currentIndex(), 4);
    help->findChild<QTabWidget *>("m_tabs")->setCurrentIndex(0);
    trigger("m_actionHelp");
    QCOMPARE(help->findChild<QTabWidget *>("m_tabs")->currentIndex(), 4);

    m_window->selectLesson(6);
    click("m_lessonHelpButton");
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("lesson-07"));
    QCOMPARE(help->findChild<QTabWidget *>("m_tabs")->currentIndex(), 4);
    // A generated algorithm is no catalog lesson: the button and Shift+F1 open the chapter on oracles.
    click("m_paramCreateButton");
    QVERIFY(m_window->experiment().algorithm() != nullptr);
    click("m_lessonHelpButton");
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("chapter-oracles"));
    m_window->selectLesson(6);
    click("m_lessonHelpButton");
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("lesson-07"));
    click("m_paramCreateButton");
    trigger("m_actionLessonHelp");
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("chapter-oracles"));

    // The link of the algorithm panel, then the learning lab's.
    m_window->selectLesson(19);
    emit part<QLabel>("m_algorithmHandbookLink")->linkActivated(QStringLiteral("chapter-oracles"));
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("chapter-oracles"));
    auto *labLink = m_window->learning().dialog()->findChild<QLabel *>("handbookLink");
    QVERIFY(labLink->text().contains(QStringLiteral("chapter-education")));
    emit labLink->linkActivated(QStringLiteral("chapter-education"));
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("chapter-education"));

    // A language switch reaches the open window and keeps its topic.
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(help->language(), English);
    QCOMPARE(topic()->currentData().toString(), QStringLiteral("chapter-education"));
    QCOMPARE(help->windowTitle(), QStringLiteral("Fasoria | Help"));
}

void TestHelpWindow::licenseWindow()
{
    m_window->show();
    trigger("m_actionFreewareLicense");
    auto *license = m_window->findChild<LicenseDialog *>();
    QVERIFY(license != nullptr && license->isVisible());
    part<QComboBox>("m_languageCombo")->setCurrentIndex(1);
    QCOMPARE(license->windowTitle(), QStringLiteral("Fasoria | License"));
}

QTEST_MAIN(TestHelpWindow)

#include "test_help_window.moc"
