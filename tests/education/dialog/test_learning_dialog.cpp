#include "curriculum/LessonCatalog.h"
#include "education/dialog/LearningDialog.h"
#include "education/model/LearningLab.h"
#include "education/model/Worksheet.h"
#include "ui/model/Experiment.h"
#include "ui/widgets/PhaseDelegate.h"

#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

#include <cmath>

using namespace Fasoria;

namespace {

/// The window's side of the learning lab: an experiment, the model, and what the window passes to refresh().
struct Harness
{
    Harness()
    {
        experiment.chooseLesson(0);
        experiment.restart();
        window.nextEnabled = true;
        window.preparations = 100;
        window.sessionStatus = sessionStatusText(QString(), false, English);
    }

    void refresh(Language language = English) { dialog.refresh(lab, ExperimentView::of(experiment), window, language); }

    template <typename Widget>
    Widget *find(const char *name)
    {
        auto *widget = dialog.findChild<Widget *>(QLatin1String(name));
        if (!widget) {
            qWarning("no widget %s", name);
        }
        return widget;
    }

    QStringList headers(const char *table)
    {
        QTableWidget *widget = find<QTableWidget>(table);
        QStringList labels;
        for (int column = 0; column < widget->columnCount(); ++column) {
            labels << widget->horizontalHeaderItem(column)->text();
        }
        return labels;
    }

    Experiment experiment;
    LearningLab lab;
    LearningWindowState window;
    LearningDialog dialog;
};

} // namespace

class TestLearningDialog : public QObject
{
    Q_OBJECT

private slots:
    void builtHiddenWithEveryWidget();
    void tableProperties();
    void buttonsEmitRequests_data();
    void buttonsEmitRequests();
    void sessionButtonsFollowTheWindow();
    void typingTouchesFillingDoesNot();
    void theSheetHeaderIsTypedOnce();
    void returnInATextFieldPressesNoButton();
    void distributionAndRecordRules();
    void runButtonsFollowTheExperiment();
    void appendHEnabledRule();
    void stageSpinRanges();
    void comparisonCellsCarryArrowData();
    void basisChangeRefillsBellTable();
    void languageSwitchRewritesTexts();
    void suppressedRefreshDoesNothing();
    void closeButtonHides();
};

void TestLearningDialog::builtHiddenWithEveryWidget()
{
    Harness h;
    QCOMPARE(h.dialog.objectName(), QStringLiteral("LearningDialog"));
    QVERIFY(!h.dialog.isVisible());
    QVERIFY(!h.dialog.isModal());
    QCOMPARE(h.dialog.size(), QSize(1020, 720));
    const char *const names[] = {"learningLayout",
                                 "tabs",
                                 "startTab",
                                 "startTabLayout",
                                 "intro",
                                 "guidedRow",
                                 "lesson1",
                                 "lesson2",
                                 "lesson4",
                                 "doing",
                                 "expect",
                                 "distribution",
                                 "reason",
                                 "record",
                                 "predictionResult",
                                 "runRow",
                                 "restart",
                                 "next",
                                 "measure",
                                 "shots",
                                 "observed",
                                 "limits",
                                 "startDetails",
                                 "compareTab",
                                 "compareTabLayout",
                                 "compareIntro",
                                 "presetRow",
                                 "preset",
                                 "applyPreset",
                                 "captureRow",
                                 "captureA",
                                 "captureB",
                                 "appendH",
                                 "stageRow",
                                 "labelA",
                                 "stageA",
                                 "labelB",
                                 "stageB",
                                 "circuitA",
                                 "circuitB",
                                 "compareTable",
                                 "compareNote",
                                 "notesTab",
                                 "notesTabLayout",
                                 "notesIntro",
                                 "questionLabel",
                                 "question",
                                 "notesLabel",
                                 "notes",
                                 "conclusionLabel",
                                 "conclusion",
                                 "sessionRow",
                                 "saveSession",
                                 "openSession",
                                 "exportSheet",
                                 "sessionStatus",
                                 "bellTab",
                                 "bellTabLayout",
                                 "bellIntro",
                                 "basis",
                                 "bellTable",
                                 "bellExplanation",
                                 "closeButton"};
    for (const char *name : names) {
        QVERIFY2(h.dialog.findChild<QObject *>(QLatin1String(name)), name);
    }
    QCOMPARE(h.find<QTabWidget>("tabs")->count(), 4);
    QCOMPARE(h.find<QComboBox>("distribution")->count(), 5);
    QCOMPARE(h.find<QComboBox>("preset")->count(), 4);
    QCOMPARE(h.find<QComboBox>("basis")->count(), 4);
    QCOMPARE(h.find<QLabel>("expect")->buddy(), h.find<QComboBox>("distribution"));
    QCOMPARE(h.find<QLabel>("notesLabel")->buddy(), h.find<QPlainTextEdit>("notes"));
    for (QLabel *label : h.dialog.findChildren<QLabel *>()) {
        QVERIFY2(label->wordWrap(), qPrintable(label->objectName()));
        QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    }
}

void TestLearningDialog::tableProperties()
{
    Harness h;
    h.refresh();
    QTableWidget *compare = h.find<QTableWidget>("compareTable");
    QCOMPARE(compare->columnCount(), 5);
    QCOMPARE(compare->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(compare->horizontalHeader()->sectionResizeMode(1), QHeaderView::Stretch);
    QCOMPARE(compare->verticalHeader()->defaultSectionSize(), 38);
    QVERIFY(qobject_cast<Education::PhaseDelegate *>(compare->itemDelegateForColumn(2)));
    QVERIFY(qobject_cast<Education::PhaseDelegate *>(compare->itemDelegateForColumn(4)));
    QVERIFY(!qobject_cast<Education::PhaseDelegate *>(compare->itemDelegateForColumn(1)));
    QCOMPARE(h.headers("compareTable"), (QStringList{"State", "A: P %", "A: phase (deg)", "B: P %", "B: phase (deg)"}));

    QTableWidget *bell = h.find<QTableWidget>("bellTable");
    QCOMPARE(bell->columnCount(), 3);
    QCOMPARE(bell->rowCount(), 4);
    QCOMPARE(bell->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(bell->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    QCOMPARE(bell->maximumHeight(), 210);
    QCOMPARE(h.headers("bellTable"), (QStringList{"Outcome q1q0", "Bell: P %", "Mixture: P %"}));
    QCOMPARE(bell->item(3, 1)->text(), QStringLiteral("50.00"));
}

void TestLearningDialog::buttonsEmitRequests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("argument");
    const QByteArray none;
    QTest::addRow("lesson1") << "lesson1" << QByteArray(SIGNAL(guidedExperimentRequested(int))) << 0;
    QTest::addRow("lesson2") << "lesson2" << QByteArray(SIGNAL(guidedExperimentRequested(int))) << 1;
    QTest::addRow("lesson4") << "lesson4" << QByteArray(SIGNAL(guidedExperimentRequested(int))) << 3;
    QTest::addRow("restart") << "restart" << QByteArray(SIGNAL(restartRequested())) << -1;
    QTest::addRow("next") << "next" << QByteArray(SIGNAL(nextRequested())) << -1;
    QTest::addRow("measure") << "measure" << QByteArray(SIGNAL(measureRequested())) << -1;
    QTest::addRow("shots") << "shots" << QByteArray(SIGNAL(shotsRequested())) << -1;
    QTest::addRow("applyPreset") << "applyPreset" << QByteArray(SIGNAL(applyPresetRequested(int))) << 2;
    QTest::addRow("captureA") << "captureA" << QByteArray(SIGNAL(captureARequested())) << -1;
    QTest::addRow("captureB") << "captureB" << QByteArray(SIGNAL(captureBRequested())) << -1;
    QTest::addRow("appendH") << "appendH" << QByteArray(SIGNAL(appendHRequested())) << -1;
    QTest::addRow("record") << "record" << QByteArray(SIGNAL(recordRequested())) << -1;
    QTest::addRow("saveSession") << "saveSession" << QByteArray(SIGNAL(saveSessionRequested())) << -1;
    QTest::addRow("openSession") << "openSession" << QByteArray(SIGNAL(openSessionRequested())) << -1;
    QTest::addRow("exportSheet") << "exportSheet" << QByteArray(SIGNAL(exportSheetRequested())) << -1;
}

void TestLearningDialog::buttonsEmitRequests()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    QFETCH(int, argument);
    Harness h;
    h.window.sessionFilesEnabled = true;
    QVERIFY(h.lab.applyPreset(0));
    h.refresh();
    h.dialog.setDistributionDraft(3);
    h.find<QComboBox>("preset")->setCurrentIndex(2);
    h.dialog.show();

    QSignalSpy spy(&h.dialog, signal.constData());
    QPushButton *widget = h.dialog.findChild<QPushButton *>(button);
    QVERIFY(widget);
    QVERIFY2(widget->isEnabled(), qPrintable(button));
    QTest::mouseClick(widget, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    if (argument >= 0) {
        QCOMPARE(spy.first().first().toInt(), argument);
    }
}

void TestLearningDialog::sessionButtonsFollowTheWindow()
{
    Harness h;
    h.refresh();
    h.dialog.show();
    QSignalSpy spy(&h.dialog, &LearningDialog::saveSessionRequested);
    for (const char *name : {"saveSession", "openSession", "exportSheet"}) {
        QVERIFY(!h.find<QPushButton>(name)->isEnabled());
    }
    QTest::mouseClick(h.find<QPushButton>("saveSession"), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    h.window.sessionStatus = sessionStatusText(QStringLiteral("/tmp/work.session.json"), true, English);
    h.window.sessionFilesEnabled = true;
    h.refresh();
    QVERIFY(h.find<QPushButton>("exportSheet")->isEnabled());
    QCOMPARE(h.find<QLabel>("sessionStatus")->text(), QStringLiteral("/tmp/work.session.json - unsaved changes"));
}

void TestLearningDialog::typingTouchesFillingDoesNot()
{
    Harness h;
    h.refresh();
    h.dialog.show();
    QSignalSpy touched(&h.dialog, &LearningDialog::touched);

    QTest::keyClicks(h.find<QPlainTextEdit>("notes"), QStringLiteral("ab"));
    QCOMPARE(touched.count(), 2);
    QCOMPARE(h.dialog.notes(), QStringLiteral("ab"));
    QTest::keyClicks(h.find<QLineEdit>("question"), QStringLiteral("q"));
    QTest::keyClicks(h.find<QLineEdit>("reason"), QStringLiteral("r"));
    QTest::keyClicks(h.find<QPlainTextEdit>("conclusion"), QStringLiteral("c"));
    QCOMPARE(touched.count(), 5);

    touched.clear();
    h.dialog.setNotes(QStringLiteral("filled by the window"));
    h.dialog.setQuestion(QStringLiteral("Why two H?"));
    h.dialog.setDistributionDraft(2);
    h.dialog.clearStudyTexts();
    h.refresh(Italian);
    QCOMPARE(touched.count(), 0);
    QVERIFY(h.dialog.question().isEmpty());
    QCOMPARE(h.dialog.distributionDraft(), 2);

    h.dialog.setSuppressed(true);
    QTest::keyClicks(h.find<QPlainTextEdit>("notes"), QStringLiteral("x"));
    QCOMPARE(touched.count(), 0);
    h.dialog.setSuppressed(false);
    QTest::keyClicks(h.find<QPlainTextEdit>("notes"), QStringLiteral("y"));
    QCOMPARE(touched.count(), 1);
}

void TestLearningDialog::theSheetHeaderIsTypedOnce()
{
    Harness h;
    h.refresh(Italian);
    h.dialog.show();
    // The date is proposed as today, in the language shown, and follows a language switch while untouched.
    const QDate today = QDate::currentDate();
    QCOMPARE(h.find<QLineEdit>("sheetDate")->text(), worksheetDate(today, Italian));
    h.refresh(English);
    QCOMPARE(h.find<QLineEdit>("sheetDate")->text(), worksheetDate(today, English));
    QSignalSpy touched(&h.dialog, &LearningDialog::touched);
    QTest::keyClicks(h.find<QLineEdit>("studentName"), QStringLiteral("Ada"));
    QTest::keyClicks(h.find<QLineEdit>("className"), QStringLiteral("4B"));
    h.find<QLineEdit>("sheetDate")->clear();
    QTest::keyClicks(h.find<QLineEdit>("sheetDate"), QStringLiteral("1/2/2027"));
    QVERIFY(touched.count() >= 3);
    StudyTexts typed = h.dialog.studyTexts();
    QCOMPARE(typed.studentName, QStringLiteral("Ada"));
    QCOMPARE(typed.className, QStringLiteral("4B"));
    QCOMPARE(typed.date, QStringLiteral("1/2/2027"));
    // A date the student wrote stays through a language switch; clearing the texts of an experiment keeps
    // who wrote them.
    h.refresh(Italian);
    h.dialog.clearStudyTexts();
    QCOMPARE(h.dialog.studyTexts().date, QStringLiteral("1/2/2027"));
    QCOMPARE(h.dialog.studyTexts().studentName, QStringLiteral("Ada"));
    // A session brings its own header back; one without a date gets today's.
    typed.date.clear();
    typed.studentName = QStringLiteral("Bea");
    h.dialog.showStudyTexts(typed);
    QCOMPARE(h.find<QLineEdit>("studentName")->text(), QStringLiteral("Bea"));
    QCOMPARE(h.find<QLineEdit>("sheetDate")->text(), worksheetDate(today, Italian));
}

void TestLearningDialog::returnInATextFieldPressesNoButton()
{
    Harness h;
    h.refresh();
    h.dialog.show();
    QSignalSpy guided(&h.dialog, &LearningDialog::guidedExperimentRequested);
    QSignalSpy restart(&h.dialog, &LearningDialog::restartRequested);
    auto *question = h.find<QLineEdit>("question");
    QTest::keyClicks(question, QStringLiteral("Why?"));
    QTest::keyClick(question, Qt::Key_Return);
    QTest::keyClick(h.find<QLineEdit>("reason"), Qt::Key_Enter);
    QCOMPARE(guided.count(), 0);
    QCOMPARE(restart.count(), 0);
    QVERIFY(h.dialog.isVisible());
    for (QPushButton *button : h.dialog.findChildren<QPushButton *>()) {
        QVERIFY2(!button->autoDefault() && !button->isDefault(), qPrintable(button->objectName()));
    }
}

void TestLearningDialog::distributionAndRecordRules()
{
    Harness h;
    h.refresh();
    h.dialog.show();
    auto *distribution = h.find<QComboBox>("distribution");
    auto *record = h.find<QPushButton>("record");
    QVERIFY(distribution->isEnabled());
    QVERIFY(h.find<QLineEdit>("reason")->isEnabled());
    QVERIFY(!record->isEnabled());
    QCOMPARE(distribution->itemText(1), QStringLiteral("Always 0"));
    QCOMPARE(distribution->accessibleName(), QStringLiteral("Predicted distribution"));
    QCOMPARE(h.find<QLineEdit>("reason")->placeholderText(), QStringLiteral("Why? Write your reasoning (optional)."));

    // The student picks an item with the keyboard: choosing one touches the session and enables recording.
    QSignalSpy touched(&h.dialog, &LearningDialog::touched);
    distribution->setFocus();
    QTest::keyClick(distribution, Qt::Key_Down);
    QCOMPARE(distribution->currentIndex(), 1);
    QCOMPARE(touched.count(), 1);
    QVERIFY(record->isEnabled());
    QTest::keyClick(distribution, Qt::Key_Up);
    QCOMPARE(distribution->currentIndex(), 0);
    QCOMPARE(touched.count(), 1);
    QVERIFY(!record->isEnabled());

    // Once recorded, the prediction is closed and its feedback is shown.
    QVERIFY(h.lab.recordPrediction(ExperimentView::of(h.experiment), 3, h.dialog.reasonDraft()));
    h.refresh();
    QVERIFY(!distribution->isEnabled());
    QVERIFY(!record->isEnabled());
    QCOMPARE(h.find<QLabel>("predictionResult")->text(),
             QStringLiteral("All outcomes equally likely. Complete the circuit to compare."));

    // A fresh experiment after a step is not open either.
    h.lab.clearPrediction();
    QVERIFY(h.experiment.nextStep());
    h.dialog.setDistributionDraft(3);
    h.refresh();
    QVERIFY(!distribution->isEnabled());
    QVERIFY(!h.find<QLineEdit>("reason")->isEnabled());
    QVERIFY(!record->isEnabled());
}

void TestLearningDialog::runButtonsFollowTheExperiment()
{
    Harness h;
    h.window.nextEnabled = false;
    h.refresh();
    QVERIFY(!h.find<QPushButton>("next")->isEnabled());
    QCOMPARE(h.find<QPushButton>("shots")->text(), QStringLiteral("Repeat 100 trials"));
    QVERIFY(h.find<QPushButton>("measure")->isEnabled());
    QVERIFY(h.experiment.measureOnce());
    h.refresh();
    QVERIFY(!h.find<QPushButton>("measure")->isEnabled());
    QVERIFY(!h.find<QPushButton>("shots")->isEnabled());
    QVERIFY(h.find<QPushButton>("restart")->isEnabled());
    QVERIFY(h.find<QLabel>("limits")->text().startsWith(QStringLiteral("Measured: ")));
}

void TestLearningDialog::appendHEnabledRule()
{
    Harness h;
    h.refresh();
    auto *appendH = h.find<QPushButton>("appendH");
    QVERIFY(!appendH->isEnabled());
    QVERIFY(h.lab.applyPreset(1));
    h.refresh();
    QVERIFY(appendH->isEnabled());
    QVERIFY(h.lab.capture(CopySide::B, lessonCatalog()[2], 0));
    h.refresh();
    QVERIFY(!appendH->isEnabled());
    QCOMPARE(h.find<QLabel>("compareNote")->text(), QStringLiteral("Use the same number of qubits in A and B."));
    QCOMPARE(h.find<QTableWidget>("compareTable")->rowCount(), 0);
}

void TestLearningDialog::stageSpinRanges()
{
    Harness h;
    h.refresh();
    auto *stageA = h.find<QSpinBox>("stageA");
    auto *stageB = h.find<QSpinBox>("stageB");
    QVERIFY(!stageA->isEnabled());
    QCOMPARE(stageA->maximum(), 0);

    QSignalSpy changedA(&h.dialog, &LearningDialog::stageAChanged);
    QVERIFY(h.lab.applyPreset(1));
    h.refresh();
    QCOMPARE(changedA.count(), 0);
    QVERIFY(stageA->isEnabled());
    QCOMPARE(stageA->minimum(), 0);
    QCOMPARE(stageA->maximum(), 2);
    QCOMPARE(stageA->value(), 2);
    QCOMPARE(stageB->maximum(), 3);
    QCOMPARE(stageB->value(), 3);
    QCOMPARE(h.find<QLabel>("circuitB")->text(), QStringLiteral("B: H q0 ; Z q0 ; H q0"));

    h.dialog.show();
    stageA->setFocus();
    QTest::keyClick(stageA, Qt::Key_Down);
    QCOMPARE(changedA.count(), 1);
    QCOMPARE(changedA.first().first().toInt(), 1);
}

void TestLearningDialog::comparisonCellsCarryArrowData()
{
    Harness h;
    QVERIFY(h.lab.applyPreset(0));
    h.refresh();
    QTableWidget *table = h.find<QTableWidget>("compareTable");
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("1"));
    QCOMPARE(table->item(1, 3)->text(), QStringLiteral("50.000"));
    QCOMPARE(table->item(1, 4)->text(), QStringLiteral("-180.0"));
    QCOMPARE(table->item(1, 4)->data(Education::kMagnitudeRole).toDouble(), std::sqrt(0.5));
    QCOMPARE(table->item(1, 4)->data(Education::kPhaseRole).toDouble(), -std::acos(-1.0));
    QCOMPARE(table->item(0, 2)->data(Education::kPhaseRole).toDouble(), 0.0);
}

void TestLearningDialog::basisChangeRefillsBellTable()
{
    Harness h;
    h.refresh();
    h.dialog.show();
    QSignalSpy changed(&h.dialog, &LearningDialog::basisChanged);
    auto *basis = h.find<QComboBox>("basis");
    basis->setFocus();
    QTest::keyClick(basis, Qt::Key_Down);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toInt(), 1);
    QTableWidget *bell = h.find<QTableWidget>("bellTable");
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(bell->item(row, 2)->text(), QStringLiteral("25.00"));
    }
    QCOMPARE(bell->item(0, 1)->text(), QStringLiteral("50.00"));
    QCOMPARE(bell->item(1, 1)->text(), QStringLiteral("0.00"));
    h.refresh(Italian);
    QCOMPARE(bell->item(1, 2)->text(), QStringLiteral("25.00"));
}

void TestLearningDialog::languageSwitchRewritesTexts()
{
    Harness h;
    h.refresh(English);
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Fasoria - Learning lab"));
    QCOMPARE(h.find<QTabWidget>("tabs")->tabText(3), QStringLiteral("Bell and mixture"));
    QCOMPARE(h.find<QPushButton>("lesson2")->text(), QStringLiteral("2. The second H"));

    h.refresh(Italian);
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Fasoria - Laboratorio didattico"));
    const QStringList tabs{"Parto da zero", "Confronti A/B", "Scheda e sessione", "Bell e miscela"};
    for (int i = 0; i < tabs.size(); ++i) {
        QCOMPARE(h.find<QTabWidget>("tabs")->tabText(i), tabs.at(i));
    }
    QCOMPARE(h.find<QPushButton>("lesson4")->text(), QStringLiteral("3. Un segno invisibile"));
    QCOMPARE(h.find<QPushButton>("shots")->text(), QStringLiteral("Ripeti 100 prove"));
    QCOMPARE(h.find<QPushButton>("closeButton")->text(), QStringLiteral("Chiudi"));
    QCOMPARE(h.find<QComboBox>("distribution")->itemText(0), QStringLiteral("Scegli una previsione..."));
    QCOMPARE(h.find<QLabel>("questionLabel")->text(), QString::fromUtf8("Domanda dell’esperimento"));
    QCOMPARE(h.find<QLineEdit>("question")->accessibleName(), QString::fromUtf8("Domanda dell’esperimento"));
    QCOMPARE(h.find<QPlainTextEdit>("conclusion")->accessibleName(), QStringLiteral("Che cosa ho capito"));
    QCOMPARE(h.find<QLabel>("circuitA")->text(), QStringLiteral("A: Nessuna copia"));
    QCOMPARE(h.headers("compareTable"),
             (QStringList{"Stato", "A: P %", "A: fase (gradi)", "B: P %", "B: fase (gradi)"}));
    QCOMPARE(h.headers("bellTable"), (QStringList{"Esito q1q0", "Bell: P %", "Miscela: P %"}));
    QVERIFY(h.find<QLabel>("doing")->text().startsWith(QStringLiteral("Cosa facciamo: Partiamo da |0>.")));
    QVERIFY(h.find<QTextBrowser>("bellExplanation")
                ->toPlainText()
                .startsWith(QStringLiteral("Gli stessi conteggi non identificano uno stato")));
    QVERIFY(h.find<QTextBrowser>("startDetails")->toPlainText().startsWith(QStringLiteral("Scrivi la tua previsione")));
}

void TestLearningDialog::suppressedRefreshDoesNothing()
{
    Harness h;
    h.refresh(English);
    h.dialog.setSuppressed(true);
    QVERIFY(h.dialog.isSuppressed());
    h.refresh(Italian);
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Fasoria - Learning lab"));
    h.dialog.setSuppressed(false);
    // Without a prepared state there is nothing to show either.
    Experiment unprepared;
    h.dialog.refresh(h.lab, ExperimentView::of(unprepared), h.window, Italian);
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Fasoria - Learning lab"));
    h.refresh(Italian);
    QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Fasoria - Laboratorio didattico"));
}

void TestLearningDialog::closeButtonHides()
{
    Harness h;
    h.refresh();
    h.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.dialog));
    QTest::mouseClick(h.find<QPushButton>("closeButton"), Qt::LeftButton);
    QVERIFY(!h.dialog.isVisible());
}

QTEST_MAIN(TestLearningDialog)
#include "test_learning_dialog.moc"
