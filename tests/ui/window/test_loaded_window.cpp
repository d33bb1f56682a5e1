// The lesson selector and the exercise question say what is loaded: a catalog lesson, a circuit of the student's,
// a generated algorithm or a teacher's challenge, in both languages, while the remembered lesson stays the same.
#include "curriculum/LessonCatalog.h"
#include "editor/ChallengeFile.h"
#include "editor/CircuitFile.h"
#include "tests/ui/WindowHarness.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/texts/TextCatalog.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>

using namespace Fasoria;

namespace {

constexpr int kBellLesson = 2;
constexpr int kLessonCount = 21;

ChallengeFile challengeWithGoals(const QString &italian, const QString &english)
{
    ChallengeFile challenge;
    challenge.definition.qubitCount = 1;
    challenge.definition.goalIt = italian.toStdString();
    challenge.definition.goalEn = english.toStdString();
    Circuit reference = customCircuit(1);
    reference.steps.emplace_back(GateKind::X, 0, 0, 0.0);
    challenge.reference = reference;
    challenge.definition.target = targetFromCircuit(*challenge.reference);
    return challenge;
}

QString lessonQuestion(int index, Language language)
{
    const Lesson &lesson = lessonCatalog()[static_cast<std::size_t>(index)];
    return uiText({lesson.questionIt, lesson.questionEn}, language);
}

} // namespace

class TestLoadedWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("NemboticaTest"));
        QCoreApplication::setApplicationName(QStringLiteral("FasoriaLoadedWindowTest"));
        QVERIFY(m_directory.isValid());
    }
    void init()
    {
        startWindow();
        // The selector cuts a long name to its width, which only a window laid out on the screen has.
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_chosen = std::make_unique<QSignalSpy>(part<ExercisePanel>("m_exerciseBox"), &ExercisePanel::lessonChosen);
    }
    void cleanup()
    {
        m_chosen.reset();
        m_window.reset();
    }

    void anEditedCopyIsACustomCircuit();
    void filesAndNewAreCustomCircuits_data();
    void filesAndNewAreCustomCircuits();
    void aGeneratedAlgorithmIsNamed();
    void aTeachersGoalIsShownAsText();
    void aLongGoalIsElided();
    void theRememberedLessonStays();

private:
    QComboBox *lessons() const { return part<QComboBox>("m_lessons"); }
    QString question() const { return part<QLabel>("m_question")->text(); }
    void chooseLanguage(int index) { part<QComboBox>("m_languageCombo")->setCurrentIndex(index); }
    /// The selector shows `name` as its extra, current item.
    void expectLoaded(const QString &name)
    {
        QCOMPARE(lessons()->count(), kLessonCount + 1);
        QCOMPARE(lessons()->currentIndex(), kLessonCount);
        QCOMPARE(lessons()->currentText(), name);
    }
    /// The selector shows lesson `index` and nothing else.
    void expectLesson(int index)
    {
        QCOMPARE(lessons()->count(), kLessonCount);
        QCOMPARE(lessons()->currentIndex(), index);
        QCOMPARE(m_window->experiment().lessonIndex(), index);
    }
    void openChallenge(const ChallengeFile &challenge)
    {
        const QString path = m_directory.filePath(QStringLiteral("goal.challenge.json"));
        QString error;
        QVERIFY2(saveChallengeFile(path, challenge, &error), qPrintable(error));
        m_fileNames << path;
        trigger("m_actionOpenChallenge");
        QVERIFY(m_window->experiment().customChallenge() != nullptr);
    }

    QTemporaryDir m_directory;
    std::unique_ptr<QSignalSpy> m_chosen;
};

void TestLoadedWindow::anEditedCopyIsACustomCircuit()
{
    lessons()->setCurrentIndex(kBellLesson);
    QCOMPARE(m_chosen->count(), 1);
    click("m_editCopyButton");
    // A copy still equal to the lesson is the lesson.
    expectLesson(kBellLesson);
    QCOMPARE(question(), lessonQuestion(kBellLesson, Italian));

    click("m_insertButton");
    expectLoaded(QStringLiteral("Circuito personalizzato"));
    QCOMPARE(question(), uiText(TextKey::FreeLabQuestion, Italian));
    chooseLanguage(1);
    expectLoaded(QStringLiteral("Custom circuit"));
    QCOMPARE(question(), uiText(TextKey::FreeLabQuestion, English));

    // Undoing the edit gives the lesson back, as a copy of it.
    trigger("m_actionUndo");
    expectLesson(kBellLesson);
    trigger("m_actionRedo");
    expectLoaded(QStringLiteral("Custom circuit"));

    // The lesson, chosen again, replaces the circuit after the question.
    answerNext(QMessageBox::Discard);
    lessons()->setCurrentIndex(kBellLesson);
    QCOMPARE(m_titles, QStringList{uiText(TextKey::ModifiedTitle, English)});
    expectLesson(kBellLesson);
    QVERIFY(m_window->experiment().workingCircuit() == nullptr);
    QCOMPARE(lessons()->currentText(), QStringLiteral("03 - The twin coins   [2 qubits]"));
    QCOMPARE(question(), lessonQuestion(kBellLesson, English));
    // Only the two choices were announced, none of the selector's own updates.
    QCOMPARE(m_chosen->count(), 2);
}

void TestLoadedWindow::filesAndNewAreCustomCircuits_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("language");
    for (const char *source : {"new", "open", "qasm"}) {
        QTest::addRow("%s, Italian", source) << QString::fromLatin1(source) << 0;
        QTest::addRow("%s, English", source) << QString::fromLatin1(source) << 1;
    }
}

void TestLoadedWindow::filesAndNewAreCustomCircuits()
{
    QFETCH(QString, source);
    QFETCH(int, language);
    chooseLanguage(language);
    lessons()->setCurrentIndex(kBellLesson);
    if (source == QLatin1String("new")) {
        trigger("m_actionNew");
    } else if (source == QLatin1String("open")) {
        // The lesson's own gates, from a file: a circuit of the student's all the same.
        const QString path = m_directory.filePath(QStringLiteral("bell.fsor.json"));
        QVERIFY(writeFile(path, serializeCircuit(lessonCatalog()[kBellLesson])));
        m_fileNames << path;
        trigger("m_actionOpen");
    } else {
        const QString path = m_directory.filePath(QStringLiteral("bell.qasm"));
        QVERIFY(writeFile(path, "OPENQASM 2.0;\ninclude \"qelib1.inc\";\nqreg q[2];\nh q[0];\ncx q[0],q[1];\n"));
        m_fileNames << path;
        trigger("m_actionImportQasm");
    }
    QVERIFY(m_window->experiment().workingCircuit() != nullptr);
    QVERIFY(m_titles.isEmpty());
    const Language shown = language == 1 ? English : Italian;
    expectLoaded(uiText({"Circuito personalizzato", "Custom circuit"}, shown));
    QCOMPARE(question(), uiText(TextKey::FreeLabQuestion, shown));
    QCOMPARE(m_window->experiment().lessonIndex(), kBellLesson);
}

void TestLoadedWindow::aGeneratedAlgorithmIsNamed()
{
    part<QComboBox>("m_paramKindCombo")->setCurrentIndex(0);
    part<QSpinBox>("m_paramQubitsSpin")->setValue(3);
    click("m_paramCreateButton");
    QVERIFY(m_window->experiment().algorithm() != nullptr);
    expectLoaded(QStringLiteral("Grover, 3 qubit"));
    const QString ownQuestion = uiText(
        {m_window->experiment().shownCircuit().questionIt, m_window->experiment().shownCircuit().questionEn}, Italian);
    QCOMPARE(question(), ownQuestion);
    chooseLanguage(1);
    expectLoaded(QStringLiteral("Grover, 3 qubits"));

    // Bernstein-Vazirani is named by its whole register, the ancilla included.
    part<QComboBox>("m_paramKindCombo")->setCurrentIndex(1);
    part<QSpinBox>("m_paramQubitsSpin")->setValue(2);
    click("m_paramCreateButton");
    expectLoaded(QStringLiteral("Bernstein-Vazirani, 3 qubits"));

    // Edited, it is no longer the generated algorithm.
    m_window->experiment().goToStep(1);
    click("m_removeButton");
    QVERIFY(m_window->experiment().algorithm() == nullptr);
    expectLoaded(QStringLiteral("Custom circuit"));
}

void TestLoadedWindow::aTeachersGoalIsShownAsText()
{
    openChallenge(challengeWithGoals(QStringLiteral("Porta <b>x</b> a |1>"), QStringLiteral("Take <b>x</b> to |1>")));
    expectLoaded(QStringLiteral("Sfida dell'insegnante: Porta <b>x</b> a |1>"));
    QCOMPARE(question(), QStringLiteral("Porta <b>x</b> a |1>"));
    const QString tip = lessons()->itemData(kLessonCount, Qt::ToolTipRole).toString();
    QCOMPARE(tip, QStringLiteral("<qt>Sfida dell'insegnante: Porta &lt;b&gt;x&lt;/b&gt; a |1&gt;</qt>"));
    chooseLanguage(1);
    expectLoaded(QStringLiteral("Teacher's challenge: Take <b>x</b> to |1>"));
    QCOMPARE(question(), QStringLiteral("Take <b>x</b> to |1>"));

    // Answering it keeps the name: the answer is the teacher's challenge, not a circuit of the student's.
    click("m_insertButton");
    expectLoaded(QStringLiteral("Teacher's challenge: Take <b>x</b> to |1>"));
}

void TestLoadedWindow::aLongGoalIsElided()
{
    const QString goal =
        QStringLiteral("Prepare |1> on the only qubit, ") + QStringLiteral("then explain why. ").repeated(12);
    openChallenge(challengeWithGoals(goal, goal));
    const QString full = QStringLiteral("Sfida dell'insegnante: ") + goal;
    QCOMPARE(lessons()->currentIndex(), kLessonCount);
    const QString shown = lessons()->currentText();
    QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
    QVERIFY(full.startsWith(shown.chopped(1)));
    QStyleOptionComboBox option;
    option.initFrom(lessons());
    const QRect field =
        lessons()->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, lessons());
    QVERIFY(lessons()->fontMetrics().horizontalAdvance(shown) <= field.width());
    const QString whole = full.toHtmlEscaped();
    QCOMPARE(lessons()->itemData(kLessonCount, Qt::ToolTipRole).toString(),
             QStringLiteral("<qt>") + whole + QStringLiteral("</qt>"));
    QVERIFY(lessons()->toolTip().startsWith(QStringLiteral("<qt>") + whole + QStringLiteral("<br><br>")));

    // A wider panel shows more of it; the lesson chosen again gives the selector its own tip back.
    const int before = shown.size();
    part<QSplitter>("mainSplitter")->setSizes({700, 560});
    QTRY_VERIFY(lessons()->currentText().size() > before);
    QVERIFY(lessons()->currentText().endsWith(QChar(0x2026)));
    lessons()->setCurrentIndex(0);
    QCOMPARE(lessons()->count(), kLessonCount);
    QCOMPARE(lessons()->toolTip(), uiText(TextKey::LessonsTip, Italian));
}

void TestLoadedWindow::theRememberedLessonStays()
{
    lessons()->setCurrentIndex(kBellLesson);
    trigger("m_actionNew");
    expectLoaded(QStringLiteral("Circuito personalizzato"));
    answerNext(QMessageBox::Discard);
    QVERIFY(m_window->close());
    QCOMPARE(QSettings().value(QStringLiteral("ui/lessonIndex")).toInt(), kBellLesson);
}

QTEST_MAIN(TestLoadedWindow)
#include "test_loaded_window.moc"
