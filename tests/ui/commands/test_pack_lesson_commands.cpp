// "Save as pack lesson...": the working circuit saved as a guided lesson into a new pack and into one that
// exists, through the form typed into as a teacher does; refused packs and lessons leave every file as it was.
#include "core/Circuit.h"
#include "editor/LessonPack.h"
#include "tests/support/FileBytes.h"
#include "tests/ui/dialogs/PackLessonTyping.h"
#include "ui/commands/PackLessonCommands.h"
#include "ui/dialogs/PackLessonDialog.h"
#include "ui/model/Experiment.h"
#include "ui/widgets/Prompts.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Fasoria;

namespace {

// H on q0, then CNOT from q0 to q1.
Circuit bellPair()
{
    Circuit circuit;
    circuit.qubitCount = 2;
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    circuit.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
    return circuit;
}

PackLesson heldLesson(const QString &id)
{
    PackLesson lesson;
    lesson.id = id;
    lesson.titleIt = QStringLiteral("Sovrapposizione");
    lesson.titleEn = QStringLiteral("Superposition");
    lesson.questionIt = lesson.questionEn = lesson.explanationIt = lesson.explanationEn = QStringLiteral("?");
    lesson.guided = bellPair();
    return lesson;
}

/// The form as a teacher answers it: what to do with the shown dialog, then the button to click.
using Answer = std::function<bool(PackLessonDialog &)>;

/// The objects the window puts together, with message boxes, file dialogs and the form answered by the test.
struct Desk
{
    Experiment experiment;
    Prompts prompts{nullptr};
    PackLessonCommands commands{experiment, prompts, nullptr};
    QStringList messages;
    QStringList fileNames;
    QList<FileDialogMode> modes;
    int forms = 0;

    explicit Desk(Language language = Italian)
    {
        commands.setLanguage(language);
        prompts.setMessageBoxHandler([this](QWidget *, QMessageBox::Icon, const QString &, const QString &text,
                                            QMessageBox::StandardButtons, QMessageBox::StandardButton) {
            messages << text;
            return QMessageBox::Ok;
        });
        prompts.setFileDialogHandler(
            [this](QWidget *, FileDialogMode mode, const QString &, const QString &, const QString &) {
                modes << mode;
                return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
            });
    }

    bool setCircuit(const Circuit &circuit)
    {
        QString error;
        return experiment.setWorkingCircuit(circuit, QString(), &error);
    }

    /// Fills the form with `answer` and clicks Save when it returns true, Cancel otherwise.
    void answerWith(const Answer &answer)
    {
        commands.setDialogRunner([this, answer](PackLessonDialog &dialog) {
            ++forms;
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog)) {
                return int(QDialog::Rejected);
            }
            const char *button = answer(dialog) ? "m_packLessonSaveButton" : "m_packLessonCancelButton";
            if (QPushButton *clicked = child<QPushButton>(dialog, button)) {
                QTest::mouseClick(clicked, Qt::LeftButton);
            }
            return dialog.result();
        });
    }
};

// The lesson "bell-2" with both steps explained, and the pack's titles when the form asks for them.
bool fillBellLesson(PackLessonDialog &dialog)
{
    if (dialog.findChild<QGroupBox *>(QStringLiteral("m_packBox")) &&
        !(type(dialog, "m_packTitleItEdit", QStringLiteral("Entanglement")) &&
          type(dialog, "m_packTitleEnEdit", QStringLiteral("Entanglement, step by step")))) {
        return false;
    }
    auto *table = child<QTableWidget>(dialog, "m_stepTable");
    return table && fillLesson(dialog, QStringLiteral("bell-2")) &&
           typeCell(*table, 0, 1, QStringLiteral("H mette q0 in sovrapposizione.")) &&
           typeCell(*table, 0, 2, QStringLiteral("H puts q0 in superposition.")) &&
           typeCell(*table, 1, 1, QStringLiteral("CNOT lega q1 a q0.")) &&
           typeCell(*table, 1, 2, QStringLiteral("CNOT ties q1 to q0."));
}

void compareBellLesson(const PackLesson &lesson)
{
    QCOMPARE(lesson.id, QStringLiteral("bell-2"));
    QCOMPARE(lesson.titleIt, QStringLiteral("Uno stato di Bell"));
    QCOMPARE(lesson.explanationEn, QStringLiteral("The qubits always disagree."));
    QVERIFY(lesson.guided);
    QCOMPARE(lesson.guided->qubitCount, 2);
    QCOMPARE(lesson.guided->steps.size(), std::size_t(2));
    QCOMPARE(lesson.guided->steps[1].gate.kind, GateKind::Cnot);
    QCOMPARE(lesson.guided->steps[1].gate.control, 0);
    QCOMPARE(lesson.guided->steps[1].gate.target, 1);
    const std::vector<std::pair<QString, QString>> steps = {
        {QStringLiteral("H mette q0 in sovrapposizione."), QStringLiteral("H puts q0 in superposition.")},
        {QStringLiteral("CNOT lega q1 a q0."), QStringLiteral("CNOT ties q1 to q0.")}};
    QVERIFY(lesson.stepTexts == steps);
}

} // namespace

class TestPackLessonCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_directory = std::make_unique<QTemporaryDir>();
        QVERIFY(m_directory->isValid());
    }
    void cleanup() { m_directory.reset(); }
    void nothingWithoutAWorkingCircuit();
    void savedIntoANewPack();
    void savedIntoAnExistingPack();
    void repeatedIdIsRefused();
    void refusedPackIsLeftAsItWas_data();
    void refusedPackIsLeftAsItWas();
    void packChangedWhileTheFormWasOpen_data();
    void packChangedWhileTheFormWasOpen();
    void refusedNewPackLeavesNoFile();

private:
    QString path(const QString &name) const { return m_directory->filePath(name); }
    /// A pack titled "Pacchetto" / "Pack" holding the lesson "bell", at `name`.
    QString existingPack(const QString &name) const
    {
        QString error;
        const QString file = path(name);
        return createLessonPackFile(file, QStringLiteral("Pacchetto"), QStringLiteral("Pack"), &error) &&
                       addLessonToPackFile(file, heldLesson(QStringLiteral("bell")), &error)
                   ? file
                   : QString();
    }

    std::unique_ptr<QTemporaryDir> m_directory;
};

void TestPackLessonCommands::nothingWithoutAWorkingCircuit()
{
    Desk desk;
    QVERIFY(!desk.experiment.workingCircuit());
    desk.fileNames << path("classe");
    desk.answerWith(fillBellLesson);
    QCOMPARE(desk.commands.saveAsPackLesson(), QString());
    QCOMPARE(desk.commands.saveAsPackLessonTo(path("classe")), QString());
    QVERIFY(desk.modes.isEmpty());
    QCOMPARE(desk.forms, 0);
    QVERIFY(QDir(m_directory->path()).isEmpty());
}

void TestPackLessonCommands::savedIntoANewPack()
{
    Desk desk(English);
    QVERIFY(desk.setCircuit(bellPair()));
    desk.fileNames << path("classe");
    desk.answerWith(fillBellLesson);
    QSignalSpy saved(&desk.commands, &PackLessonCommands::packSaved);
    QSignalSpy status(&desk.commands, &PackLessonCommands::statusMessage);

    const QString expected = path("classe.lessons.json");
    QCOMPARE(desk.commands.saveAsPackLesson(), expected);
    QCOMPARE(desk.modes, QList<FileDialogMode>{FileDialogMode::SaveInto});
    QCOMPARE(desk.forms, 1);
    QVERIFY2(desk.messages.isEmpty(), qPrintable(desk.messages.join('\n')));
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.at(0).at(0).toString(), expected);
    QCOMPARE(status.count(), 1);
    QVERIFY(status.at(0).at(0).toString().startsWith(QStringLiteral("Lesson \"bell-2\" saved into the pack")));

    LessonPack pack;
    QString error;
    QVERIFY2(loadLessonPackFile(expected, pack, &error), qPrintable(error));
    QCOMPARE(pack.titleIt, QStringLiteral("Entanglement"));
    QCOMPARE(pack.titleEn, QStringLiteral("Entanglement, step by step"));
    QCOMPARE(pack.lessons.size(), std::size_t(1));
    compareBellLesson(pack.lessons.front());
}

void TestPackLessonCommands::savedIntoAnExistingPack()
{
    const QString file = existingPack("class.lessons.json");
    QVERIFY(!file.isEmpty());
    Desk desk;
    QVERIFY(desk.setCircuit(bellPair()));
    desk.answerWith([](PackLessonDialog &dialog) {
        // The pack has its titles: the form asks only for the lesson.
        return !dialog.findChild<QGroupBox *>(QStringLiteral("m_packBox")) && fillBellLesson(dialog);
    });
    QSignalSpy saved(&desk.commands, &PackLessonCommands::packSaved);
    // Chosen with its full name, which is kept as it is.
    QCOMPARE(desk.commands.saveAsPackLessonTo(file), file);
    QVERIFY2(desk.messages.isEmpty(), qPrintable(desk.messages.join('\n')));
    QCOMPARE(saved.count(), 1);

    LessonPack pack;
    QString error;
    QVERIFY2(loadLessonPackFile(file, pack, &error), qPrintable(error));
    QCOMPARE(pack.titleIt, QStringLiteral("Pacchetto"));
    QCOMPARE(pack.lessons.size(), std::size_t(2));
    QCOMPARE(pack.lessons.front().id, QStringLiteral("bell"));
    QCOMPARE(pack.lessons.front().titleEn, QStringLiteral("Superposition"));
    compareBellLesson(pack.lessons.back());
}

void TestPackLessonCommands::repeatedIdIsRefused()
{
    const QString file = existingPack("class.lessons.json");
    QVERIFY(!file.isEmpty());
    const QByteArray before = readFile(file);
    Desk desk(English);
    QVERIFY(desk.setCircuit(bellPair()));
    bool saveHeldBack = false;
    QString shown;
    desk.answerWith([&](PackLessonDialog &dialog) {
        QPushButton *save = child<QPushButton>(dialog, "m_packLessonSaveButton");
        QLabel *message = child<QLabel>(dialog, "m_packLessonMessage");
        if (!save || !message || !fillBellLesson(dialog) || !type(dialog, "m_lessonIdEdit", QStringLiteral("bell"))) {
            return false;
        }
        shown = message->text();
        // A click on the held-back button leaves the form open; the teacher gives up.
        QTest::mouseClick(save, Qt::LeftButton);
        saveHeldBack = !save->isEnabled() && dialog.isVisible();
        return false;
    });
    QSignalSpy saved(&desk.commands, &PackLessonCommands::packSaved);
    QCOMPARE(desk.commands.saveAsPackLessonTo(file), QString());
    QVERIFY(saveHeldBack);
    QCOMPARE(shown, QStringLiteral("The pack already has a lesson \"bell\": choose another id."));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(readFile(file), before);
}

void TestPackLessonCommands::refusedPackIsLeftAsItWas_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    LessonPack blankTitle{QStringLiteral("Pacchetto"), QStringLiteral("Pack"), {heldLesson(QStringLiteral("bell"))}};
    QByteArray blank = serializeLessonPack(blankTitle);
    blank.replace("\"title_en\": \"Pack\"", "\"title_en\": \"  \"");
    QTest::addRow("blank English title") << blank << QStringLiteral("Pack: title_en is blank");
    QTest::addRow("not JSON") << QByteArray("{\"format\": \"FasoriaLessonPack\",") << QString();
    QTest::addRow("a circuit file") << QByteArray("{\"format\": \"FasoriaCircuit\", \"version\": 1}\n")
                                    << QStringLiteral("Unsupported format or version");
    QByteArray unknown = serializeLessonPack(blankTitle);
    unknown.replace("\"version\": 1", "\"version\": 1, \"author\": \"x\"");
    QTest::addRow("unknown member") << unknown << QStringLiteral("unknown member \"author\"");
}

void TestPackLessonCommands::refusedPackIsLeftAsItWas()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString file = path("broken.lessons.json");
    QVERIFY(writeFile(file, bytes));
    Desk desk(English);
    QVERIFY(desk.setCircuit(bellPair()));
    desk.fileNames << path("broken");
    desk.answerWith(fillBellLesson);
    QCOMPARE(desk.commands.saveAsPackLesson(), QString());
    QCOMPARE(desk.forms, 0);
    QCOMPARE(desk.messages.size(), 1);
    QVERIFY2(desk.messages.front().startsWith(
                 QStringLiteral("The pack %1 cannot be read and was not changed:").arg(QDir::toNativeSeparators(file))),
             qPrintable(desk.messages.front()));
    QVERIFY2(desk.messages.front().contains(reason), qPrintable(desk.messages.front()));
    QCOMPARE(readFile(file), bytes);
    QCOMPARE(QDir(m_directory->path()).entryList(QDir::Files), QStringList{"broken.lessons.json"});
}

void TestPackLessonCommands::packChangedWhileTheFormWasOpen_data()
{
    QTest::addColumn<bool>("newPack");
    QTest::addRow("the same id added meanwhile") << false;
    QTest::addRow("the new pack made meanwhile") << true;
}

void TestPackLessonCommands::packChangedWhileTheFormWasOpen()
{
    QFETCH(bool, newPack);
    const QString file = newPack ? path("class.lessons.json") : existingPack("class.lessons.json");
    QVERIFY(!file.isEmpty());
    Desk desk;
    QVERIFY(desk.setCircuit(bellPair()));
    desk.answerWith([&](PackLessonDialog &dialog) {
        // Another teacher writes to the pack while this form is open.
        QString error;
        const bool written = newPack
                                 ? createLessonPackFile(file, QStringLiteral("Altro"), QStringLiteral("Other"), &error)
                                 : addLessonToPackFile(file, heldLesson(QStringLiteral("bell-2")), &error);
        return written && fillBellLesson(dialog);
    });
    QSignalSpy saved(&desk.commands, &PackLessonCommands::packSaved);
    QCOMPARE(desk.commands.saveAsPackLessonTo(file), QString());
    QCOMPARE(desk.forms, 1);
    QCOMPARE(saved.count(), 0);
    QCOMPARE(desk.messages.size(), 1);
    QVERIFY2(desk.messages.front().startsWith(QStringLiteral("La lezione non è stata salvata")),
             qPrintable(desk.messages.front()));

    // The pack is what the other teacher wrote, and no more.
    LessonPack pack;
    QString error;
    QVERIFY2(loadLessonPackFile(file, pack, &error), qPrintable(error));
    QCOMPARE(pack.lessons.size(), std::size_t(newPack ? 0 : 2));
    if (!newPack) {
        QCOMPARE(pack.lessons.back().titleIt, QStringLiteral("Sovrapposizione"));
    }
}

void TestPackLessonCommands::refusedNewPackLeavesNoFile()
{
    // 256 steps explained with 1000 three-byte characters in each language: more than the 1 MiB a pack holds.
    Circuit longCircuit;
    longCircuit.qubitCount = 1;
    for (int i = 0; i < 256; ++i) {
        longCircuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    }
    Desk desk;
    QVERIFY(desk.setCircuit(longCircuit));
    desk.answerWith([](PackLessonDialog &dialog) {
        auto *table = child<QTableWidget>(dialog, "m_stepTable");
        if (!table || table->rowCount() != 256 || !type(dialog, "m_packTitleItEdit", QStringLiteral("Lungo")) ||
            !type(dialog, "m_packTitleEnEdit", QStringLiteral("Long")) || !fillLesson(dialog, QStringLiteral("h"))) {
            return false;
        }
        // Pasted rather than typed: a quarter of a million key presses would say nothing more.
        const QString text(kMaxLessonStepTextLength, QChar(0x20AC));
        for (int row = 0; row < table->rowCount(); ++row) {
            table->item(row, 1)->setText(text);
            table->item(row, 2)->setText(text);
        }
        return child<QPushButton>(dialog, "m_packLessonSaveButton")->isEnabled();
    });
    QCOMPARE(desk.commands.saveAsPackLessonTo(path("long")), QString());
    QCOMPARE(desk.forms, 1);
    QCOMPARE(desk.messages.size(), 1);
    QVERIFY2(desk.messages.front().contains(QStringLiteral("long.lessons.json")), qPrintable(desk.messages.front()));
    QVERIFY(QDir(m_directory->path()).isEmpty());
}

QTEST_MAIN(TestPackLessonCommands)
#include "test_pack_lesson_commands.moc"
