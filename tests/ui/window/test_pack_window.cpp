// Teachers' lesson packs in the window: their lessons join the selector under the pack's title, behave as the
// catalog's (step explanations, challenges), are remembered between runs, never half-open, and a session made
// in one reopens without the pack.
#include "editor/CircuitEditor.h"
#include "editor/LessonPack.h"
#include "tests/editor/PackSeed.h"
#include "tests/ui/WindowHarness.h"
#include "tests/ui/dialogs/PackLessonTyping.h"
#include "ui/commands/LessonPackCommands.h"
#include "ui/commands/PackLessonCommands.h"
#include "ui/commands/WorksheetCommands.h"
#include "ui/dialogs/PackLessonDialog.h"
#include "ui/model/LessonShelf.h"
#include "ui/panels/ExercisePanel.h"
#include "ui/views/CircuitView.h"

#include <QDir>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Language)

namespace {

constexpr int kCatalog = 21;
// The catalog, the separator and the pack's title come before the pack's two lessons.
constexpr int kGuidedRow = kCatalog + 2;
constexpr int kChallengeRow = kCatalog + 3;

} // namespace

class TestPackWindow : public WindowHarness
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        useSandbox(m_store, "FasoriaPackWindowTest");
    }
    void init()
    {
        QVERIFY(m_directory.isValid());
        m_pack = m_directory.filePath(QStringLiteral("superdense.lessons.json"));
        QFile::remove(m_pack);
        QVERIFY(QFile::copy(kSuperdenseSeed, m_pack));
        startWindow();
    }
    void cleanup() { m_window.reset(); }

    void aPackJoinsTheSelector();
    void guidedStepsAreExplained_data();
    void guidedStepsAreExplained();
    void aChallengeLessonIsAnswered();
    void aCopyOfAPackLessonIsEditedAndRestored();
    void aLessonSavedFromTheWindowJoinsTheSelector();
    void aRefusedPackChangesNothing_data();
    void aRefusedPackChangesNothing();
    void packsAreRemembered();
    void aSessionKeepsItsPackLesson_data();
    void aSessionKeepsItsPackLesson();

private:
    QComboBox *lessons() const { return part<QComboBox>("m_lessons"); }
    void chooseLanguage(Language language)
    {
        part<QComboBox>("m_languageCombo")->setCurrentIndex(language == Language::English ? 1 : 0);
    }
    void openPack()
    {
        m_fileNames << m_pack;
        trigger("m_actionOpenLessonPack");
        QCOMPARE(m_window->lessonLibrary().packs().size(), std::size_t{1});
    }
    /// A window starting on the settings the last one left, as the next run does; its messages are recorded.
    void restartWithStoredSettings()
    {
        m_messages.clear();
        m_window = std::make_unique<MainWindow>();
        m_window->setMessageBoxHandler([this](QWidget *, QMessageBox::Icon, const QString &, const QString &text,
                                              QMessageBox::StandardButtons, QMessageBox::StandardButton) {
            m_messages << text;
            return QMessageBox::Ok;
        });
        QCoreApplication::processEvents();
    }
    QString notebook() const { return part<QPlainTextEdit>("m_log")->toPlainText(); }
    QString stageTip(std::uint64_t stage) const
    {
        for (const QGraphicsItem *item : part<QGraphicsView>("m_circuitView")->scene()->items()) {
            if (item->data(CircuitView::kStageDataKey).toULongLong() == stage && !item->toolTip().isEmpty() &&
                stage > 0) {
                return item->toolTip();
            }
        }
        return QString();
    }

    QTemporaryDir m_store;
    QTemporaryDir m_directory;
    QString m_pack;
};

void TestPackWindow::aPackJoinsTheSelector()
{
    openPack();
    // The pack opens on its first lesson, after the catalog, under its title, which cannot be chosen.
    QCOMPARE(lessons()->count(), kCatalog + 4);
    QCOMPARE(lessons()->itemText(kCatalog + 1), QStringLiteral("L'entanglement al lavoro"));
    QVERIFY(!(lessons()->model()->flags(lessons()->model()->index(kCatalog + 1, 0)) & Qt::ItemIsEnabled));
    // Neither the line nor the title is a lesson, even when the selector lands on one.
    QSignalSpy chosen(part<ExercisePanel>("m_exerciseBox"), &ExercisePanel::lessonChosen);
    lessons()->setCurrentIndex(kCatalog);
    lessons()->setCurrentIndex(kCatalog + 1);
    QCOMPARE(chosen.count(), 0);
    QVERIFY(shelvedLesson(m_window->experiment().lessonIndex()) != nullptr);
    lessons()->setCurrentIndex(kGuidedRow);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(lessons()->currentIndex(), kGuidedRow);
    QCOMPARE(lessons()->currentText(), QStringLiteral("Codifica superdensa   [2 qubit]"));
    const Experiment &experiment = m_window->experiment();
    QVERIFY(shelvedLesson(experiment.lessonIndex()) != nullptr);
    QCOMPARE(experiment.workingCircuit(), nullptr);
    QCOMPARE(part<QLabel>("m_question")->text(), QStringLiteral("Un qubit può portare due bit classici?"));
    QCOMPARE(QSettings().value("packs/paths").toStringList(), QStringList(QFileInfo(m_pack).absoluteFilePath()));

    chooseLanguage(Language::English);
    QCOMPARE(lessons()->itemText(kCatalog + 1), QStringLiteral("Entanglement at work"));
    QCOMPARE(lessons()->itemText(kChallengeRow), QStringLiteral("Superdense coding: your turn   [2 qubits]"));
    QCOMPARE(lessons()->currentIndex(), kGuidedRow);

    // Its handbook page is the handbook's section on lesson packs.
    click("m_lessonHelpButton");
    QComboBox *topic = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = window->findChild<QComboBox *>(QStringLiteral("m_manualTopic"))) {
            topic = found;
        }
    }
    QVERIFY(topic != nullptr);
    QCOMPARE(topic->currentData().toString(), QStringLiteral("chapter-teacher"));

    // A catalog lesson and back: the pack's lesson is chosen as any other.
    lessons()->setCurrentIndex(2);
    QCOMPARE(experiment.lessonIndex(), 2);
    lessons()->setCurrentIndex(kChallengeRow);
    QCOMPARE(shelvedLesson(experiment.lessonIndex())->source.id, QStringLiteral("sdc-challenge"));

    // Opening the same pack again adds nothing and starts it again; closing the packs leaves the shown lesson
    // named by its title.
    m_fileNames << m_pack;
    trigger("m_actionOpenLessonPack");
    QCOMPARE(lessons()->count(), kCatalog + 4);
    QCOMPARE(lessons()->currentIndex(), kGuidedRow);
    trigger("m_actionCloseLessonPacks");
    QCOMPARE(lessons()->count(), kCatalog + 1);
    QCOMPARE(lessons()->currentText(), QStringLiteral("Superdense coding"));
    QCOMPARE(QSettings().value("packs/paths").toStringList(), QStringList());
}

void TestPackWindow::guidedStepsAreExplained_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("Italian") << Language::Italian;
    QTest::newRow("English") << Language::English;
}

void TestPackWindow::guidedStepsAreExplained()
{
    QFETCH(Language, language);
    chooseLanguage(language);
    QVERIFY(m_window->openGivenFile(m_pack));
    const LessonPack pack = superdenseSeedPack();
    const PackLesson &lesson = pack.lessons.front();
    QCOMPARE(lesson.stepTexts.size(), std::size_t{6});
    for (std::size_t step = 0; step < lesson.stepTexts.size(); ++step) {
        click("m_nextButton");
        const QString text =
            language == Language::Italian ? lesson.stepTexts[step].first : lesson.stepTexts[step].second;
        // The last stage shows the closing explanation instead, as the catalog's lessons do.
        if (step + 1 < lesson.stepTexts.size()) {
            QVERIFY2(part<QLabel>("m_explanation")->text().contains(text), qPrintable(text));
        }
        QVERIFY2(stageTip(step + 1).contains(text), qPrintable(stageTip(step + 1)));
        QVERIFY2(notebook().contains(text), qPrintable(notebook()));
    }
    // At the end the closing explanation.
    QVERIFY(part<QLabel>("m_explanation")
                ->text()
                .contains(language == Language::Italian ? lesson.explanationIt : lesson.explanationEn));
}

void TestPackWindow::aChallengeLessonIsAnswered()
{
    chooseLanguage(Language::English);
    openPack();
    lessons()->setCurrentIndex(kChallengeRow);
    Experiment &experiment = m_window->experiment();
    QVERIFY(experiment.answersPackChallenge());
    QVERIFY(experiment.hasChallenge());
    QCOMPARE(experiment.workingCircuit()->steps.size(), std::size_t{0});
    QCOMPARE(experiment.workingCircuit()->qubitCount, 2);
    // The selector names the lesson, not a teacher's file; the panel shows the challenge's goal.
    QCOMPARE(lessons()->currentIndex(), kChallengeRow);
    QCOMPARE(part<QLabel>("m_challengeGoal")->text(),
             QStringLiteral("Prepare the Bell pair that carries the bits 11."));

    click("m_challengeHintButton");
    QCOMPARE(experiment.hintsShown(), 1);
    QVERIFY(notebook().contains(QStringLiteral("Start from the Bell pair.")));
    click("m_challengeCheckButton");
    QCOMPARE(experiment.challengeStatus() == 1, false);

    const std::vector<Gate> answer = {Gate{GateKind::H, 0, 0, 0.0}, Gate{GateKind::Cnot, 1, 0, 0.0},
                                      Gate{GateKind::X, 0, 0, 0.0}, Gate{GateKind::Z, 0, 0, 0.0}};
    for (std::size_t i = 0; i < answer.size(); ++i) {
        const Gate gate = answer[i];
        QVERIFY(experiment.applyEdit(EditAction::GateInserted, i + 1, [i, gate](CircuitEditor &editor) {
            editor.insertGate(i, LessonStep(gate.kind, gate.target, gate.control, gate.angle));
        }));
    }
    click("m_challengeCheckButton");
    QCOMPARE(experiment.challengeStatus(), 1);
    QCOMPARE(lessons()->currentIndex(), kChallengeRow);
}

void TestPackWindow::aCopyOfAPackLessonIsEditedAndRestored()
{
    chooseLanguage(Language::English);
    openPack();
    Experiment &experiment = m_window->experiment();
    const std::int32_t lesson = experiment.lessonIndex();
    click("m_editCopyButton");
    QVERIFY(experiment.workingCircuit() != nullptr);
    // An unchanged copy is still the lesson, with its texts.
    QCOMPARE(lessons()->currentIndex(), kGuidedRow);
    QCOMPARE(part<QLabel>("m_question")->text(), QStringLiteral("Can one qubit carry two classical bits?"));
    QCOMPARE(m_window->worksheetCommands().input().title, QStringLiteral("Superdense coding"));
    QVERIFY(experiment.applyEdit(EditAction::GateInserted, 1, [](CircuitEditor &editor) {
        editor.insertGate(0, LessonStep(GateKind::X, 1, 0, 0.0));
    }));
    QCOMPARE(lessons()->currentText(), QStringLiteral("Custom circuit"));

    // The save-before-continue guard stands before another lesson: kept work stays.
    m_answers << QMessageBox::Cancel;
    lessons()->setCurrentIndex(kChallengeRow);
    QCOMPARE(experiment.lessonIndex(), lesson);
    QCOMPARE(experiment.workingCircuit()->steps.size(), std::size_t{7});

    m_answers << QMessageBox::Discard;
    click("m_restoreOriginalButton");
    QCOMPARE(experiment.workingCircuit(), nullptr);
    QCOMPARE(experiment.lessonIndex(), lesson);
    QCOMPARE(lessons()->currentIndex(), kGuidedRow);
    QCOMPARE(experiment.stepCount(), std::uint64_t{6});
    QVERIFY(m_answers.isEmpty());
}

void TestPackWindow::aLessonSavedFromTheWindowJoinsTheSelector()
{
    chooseLanguage(Language::English);
    Circuit circuit = customCircuit(2);
    circuit.steps = {LessonStep(GateKind::H, 0, 0, 0.0), LessonStep(GateKind::X, 1, 0, 0.0)};
    startWorking(circuit, 0);
    const QString path = m_directory.filePath(QStringLiteral("mine.lessons.json"));
    QFile::remove(path);
    m_window->packLessonCommands().setDialogRunner([](PackLessonDialog &dialog) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) {
            return int(QDialog::Rejected);
        }
        auto *table = child<QTableWidget>(dialog, "m_stepTable");
        const bool filled =
            type(dialog, "m_packTitleItEdit", QStringLiteral("I miei")) &&
            type(dialog, "m_packTitleEnEdit", QStringLiteral("Mine")) && table &&
            fillLesson(dialog, QStringLiteral("two")) && typeCell(*table, 0, 1, QStringLiteral("H su q0.")) &&
            typeCell(*table, 0, 2, QStringLiteral("H on q0.")) && typeCell(*table, 1, 1, QStringLiteral("X su q1.")) &&
            typeCell(*table, 1, 2, QStringLiteral("X on q1."));
        if (!filled) {
            return int(QDialog::Rejected);
        }
        QTest::mouseClick(child<QPushButton>(dialog, "m_packLessonSaveButton"), Qt::LeftButton);
        return dialog.result();
    });
    m_fileNames << path;
    trigger("m_actionSaveAsPackLesson");
    QVERIFY2(QFileInfo::exists(path), qPrintable(m_dialogs.join('\n') + m_messages.join('\n')));
    // The pack joins the selector at once and the teacher's circuit stays in hand.
    QCOMPARE(m_window->lessonLibrary().paths(), QStringList(QFileInfo(path).absoluteFilePath()));
    QCOMPARE(lessons()->itemText(kCatalog + 1), QStringLiteral("Mine"));
    QVERIFY(m_window->experiment().workingCircuit() != nullptr);

    // A student chooses it and reads the teacher's steps.
    m_answers << QMessageBox::Discard;
    lessons()->setCurrentIndex(kGuidedRow);
    QCOMPARE(QString::fromUtf8(m_window->experiment().shownCircuit().titleEn), QStringLiteral("A Bell state"));
    click("m_nextButton");
    QVERIFY2(part<QLabel>("m_explanation")->text().contains(QStringLiteral("H on q0.")),
             qPrintable(part<QLabel>("m_explanation")->text()));
}

void TestPackWindow::aRefusedPackChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QByteArray blank = readFile(kSuperdenseSeed);
    blank.replace("\"title_en\": \"Superdense coding\"", "\"title_en\": \" \"");
    QTest::newRow("blank translation") << blank << "Lesson 1 (\"sdc\"): title_en is blank";
    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "";
    QByteArray repeated = readFile(kSuperdenseSeed);
    repeated.replace("\"id\": \"sdc-challenge\"", "\"id\": \"sdc\"");
    QTest::newRow("repeated id") << repeated << "";
    QTest::newRow("missing") << QByteArray() << "";
}

void TestPackWindow::aRefusedPackChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = m_directory.filePath(QStringLiteral("refused.lessons.json"));
    QFile::remove(path);
    if (!bytes.isEmpty()) {
        QVERIFY(writeFile(path, bytes));
    }
    lessons()->setCurrentIndex(2);
    const QString before = notebook();
    m_fileNames << path;
    trigger("m_actionOpenLessonPack");
    QVERIFY(lastMessage().contains(QDir::toNativeSeparators(path)));
    QVERIFY2(lastMessage().contains(reason), qPrintable(lastMessage()));
    QCOMPARE(lessons()->count(), kCatalog);
    QCOMPARE(m_window->experiment().lessonIndex(), 2);
    QCOMPARE(notebook(), before);
    QVERIFY(m_window->lessonLibrary().packs().empty());
    QCOMPARE(QSettings().value("packs/paths").toStringList(), QStringList());
    QCOMPARE(readFile(path), bytes);
}

void TestPackWindow::packsAreRemembered()
{
    openPack();
    lessons()->setCurrentIndex(kChallengeRow);
    QVERIFY(m_window->close());
    m_window.reset();

    // The next start shows the pack and its lesson again, asking nothing.
    restartWithStoredSettings();
    QCOMPARE(m_messages, QStringList());
    QCOMPARE(lessons()->count(), kCatalog + 4);
    QCOMPARE(lessons()->currentIndex(), kChallengeRow);
    QVERIFY(m_window->experiment().answersPackChallenge());
    QVERIFY(m_window->close());
    m_window.reset();

    // A pack changed so that it is refused is dropped, with a word, never half-opened.
    const QByteArray broken = readFile(kSuperdenseSeed).replace("\"version\": 1", "\"version\": 2");
    QVERIFY(writeFile(m_pack, broken));
    restartWithStoredSettings();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().contains(QDir::toNativeSeparators(QFileInfo(m_pack).absoluteFilePath())),
             qPrintable(m_messages.first()));
    QCOMPARE(lessons()->count(), kCatalog);
    QCOMPARE(shelvedLesson(m_window->experiment().lessonIndex()), nullptr);
    QCOMPARE(QSettings().value("packs/paths").toStringList(), QStringList());
    QCOMPARE(readFile(m_pack), broken);
}

void TestPackWindow::aSessionKeepsItsPackLesson_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("guided") << kGuidedRow;
    QTest::newRow("challenge") << kChallengeRow;
}

void TestPackWindow::aSessionKeepsItsPackLesson()
{
    QFETCH(int, row);
    openPack();
    lessons()->setCurrentIndex(row);
    Experiment &experiment = m_window->experiment();
    if (experiment.hasChallenge()) {
        click("m_challengeHintButton");
        QVERIFY(experiment.applyEdit(EditAction::GateInserted, 1, [](CircuitEditor &editor) {
            editor.insertGate(0, LessonStep(GateKind::H, 0, 0, 0.0));
        }));
    } else {
        click("m_nextButton");
        click("m_nextButton");
    }
    const QString session = m_directory.filePath(QStringLiteral("pack.session.json"));
    QVERIFY(m_window->files().saveLearningSession(session));
    const QString shownNotebook = notebook();
    const QString question = part<QLabel>("m_question")->text();
    const std::uint64_t stage = experiment.currentStep();
    const QString id = shelvedLesson(experiment.lessonIndex())->source.id;

    // Without the pack, in a window that never opened it.
    QVERIFY(QFile::remove(m_pack));
    m_window.reset();
    startWindow();
    QVERIFY(m_window->files().openLearningSessionFile(session));
    Experiment &reopened = m_window->experiment();
    const ShelvedLesson *lesson = shelvedLesson(reopened.lessonIndex());
    QVERIFY(lesson != nullptr);
    QCOMPARE(lesson->source.id, id);
    QCOMPARE(reopened.currentStep(), stage);
    QCOMPARE(notebook(), shownNotebook);
    QCOMPARE(part<QLabel>("m_question")->text(), question);
    QCOMPARE(lessons()->currentText(), QString::fromUtf8(lesson->lesson.titleIt));
    if (lesson->challenge) {
        QVERIFY(reopened.answersPackChallenge());
        QCOMPARE(reopened.hintsShown(), 1);
        QCOMPARE(reopened.workingCircuit()->steps.size(), std::size_t{1});
    }
    // Saved again, the session is the same file.
    const QString again = m_directory.filePath(QStringLiteral("again.session.json"));
    QVERIFY(m_window->files().saveLearningSession(again));
    QCOMPARE(readFile(again), readFile(session));
}

QTEST_MAIN(TestPackWindow)
#include "test_pack_window.moc"
