// The pack lesson form as a teacher fills it: typed fields and step cells, the save button held back with the
// reason shown until the lesson is one the pack accepts, and the pack's texts shown as plain text.
#include "core/Circuit.h"
#include "editor/LessonPack.h"
#include "tests/ui/dialogs/PackLessonTyping.h"
#include "ui/dialogs/PackLessonDialog.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include <memory>
#include <optional>

using namespace Fasoria;

Q_DECLARE_METATYPE(Fasoria::Language)

namespace {

// H on q0, CNOT from q0 to q1, X on q1.
Circuit threeSteps()
{
    Circuit circuit;
    circuit.qubitCount = 2;
    circuit.steps.emplace_back(GateKind::H, 0, 0, 0.0);
    circuit.steps.emplace_back(GateKind::Cnot, 1, 0, 0.0);
    circuit.steps.emplace_back(GateKind::X, 1, 0, 0.0);
    return circuit;
}

LessonPack packWithBell()
{
    PackLesson held;
    held.id = QStringLiteral("bell");
    held.titleIt = held.titleEn = held.questionIt = held.questionEn = held.explanationIt = held.explanationEn =
        QStringLiteral("x");
    held.guided = threeSteps();
    return {QStringLiteral("<b>Pacchetto</b> di prova"), QStringLiteral("<b>Test</b> pack"), {held}};
}

QString messageOf(const QWidget &dialog)
{
    QLabel *message = child<QLabel>(dialog, "m_packLessonMessage");
    return message ? message->text() : QString();
}

} // namespace

class TestPackLessonDialog : public QObject
{
    Q_OBJECT

private slots:
    void typedLessonIsSaved_data();
    void typedLessonIsSaved();
    void partTableHoldsSaveBack_data();
    void partTableHoldsSaveBack();
    void existingPack();
    void closedWithACellOpen();
    void picturesFitTheirTexts_data();
    void picturesFitTheirTexts();
};

void TestPackLessonDialog::typedLessonIsSaved_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("gateColumn");
    QTest::addRow("italian") << Italian << QStringList{"Passo 1: H(q0)", "Passo 2: CNOT(q0 → q1)", "Passo 3: X(q1)"};
    QTest::addRow("english") << English << QStringList{"Step 1: H(q0)", "Step 2: CNOT(q0 → q1)", "Step 3: X(q1)"};
}

void TestPackLessonDialog::typedLessonIsSaved()
{
    QFETCH(Language, language);
    QFETCH(QStringList, gateColumn);
    PackLessonDialog dialog(threeSteps(), QStringLiteral("/tmp/new.lessons.json"), std::nullopt, language);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(child<QGroupBox>(dialog, "m_packBox"));
    auto *save = child<QPushButton>(dialog, "m_packLessonSaveButton");
    auto *table = child<QTableWidget>(dialog, "m_stepTable");
    QVERIFY(save && table);
    QVERIFY(!save->isEnabled());
    QCOMPARE(table->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(table->item(row, 0)->text(), gateColumn.at(row));
        QVERIFY(!(table->item(row, 0)->flags() & Qt::ItemIsEditable));
    }

    QVERIFY(type(dialog, "m_packTitleItEdit", QStringLiteral("Entanglement in classe")));
    QVERIFY(type(dialog, "m_packTitleEnEdit", QStringLiteral("Entanglement in class")));
    QVERIFY(fillLesson(dialog, QStringLiteral("bell-anti")));
    QVERIFY(save->isEnabled());
    const QString ready = messageOf(dialog);
    const QStringList italian = {"H: sovrapposizione.", "CNOT: entanglement.", "X: bit opposti."};
    const QStringList english = {"H: superposition.", "CNOT: entanglement.", "X: opposite bits."};
    for (int row = 0; row < 3; ++row) {
        QVERIFY(typeCell(*table, row, 1, italian.at(row)));
        // Until the row's English is typed, the table is filled in part.
        QVERIFY(!save->isEnabled());
        QVERIFY(typeCell(*table, row, 2, english.at(row)));
    }
    QVERIFY(save->isEnabled());
    QCOMPARE(messageOf(dialog), ready);

    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);
    const std::optional<PackLesson> lesson = dialog.lesson();
    QVERIFY(lesson);
    QCOMPARE(lesson->id, QStringLiteral("bell-anti"));
    QCOMPARE(lesson->titleEn, QStringLiteral("A Bell state"));
    QCOMPARE(lesson->questionIt, QStringLiteral("Che cosa misuri su q1?"));
    QCOMPARE(lesson->explanationEn, QStringLiteral("The qubits always disagree."));
    QVERIFY(lesson->guided);
    QCOMPARE(lesson->guided->steps.size(), std::size_t(3));
    QCOMPARE(lesson->stepTexts.size(), std::size_t(3));
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(lesson->stepTexts[static_cast<std::size_t>(row)].first, italian.at(row));
        QCOMPARE(lesson->stepTexts[static_cast<std::size_t>(row)].second, english.at(row));
    }
    QCOMPARE(dialog.form().packTitles().second, QStringLiteral("Entanglement in class"));
}

void TestPackLessonDialog::partTableHoldsSaveBack_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("message");
    QTest::addRow("italian") << Italian << QStringLiteral("Passo 2: manca la spiegazione in italiano.");
    QTest::addRow("english") << English << QStringLiteral("Step 2: the Italian explanation is missing.");
}

void TestPackLessonDialog::partTableHoldsSaveBack()
{
    QFETCH(Language, language);
    QFETCH(QString, message);
    PackLessonDialog dialog(threeSteps(), QStringLiteral("/tmp/p.lessons.json"), packWithBell(), language);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(fillLesson(dialog, QStringLiteral("bell-2")));
    auto *table = child<QTableWidget>(dialog, "m_stepTable");
    auto *save = child<QPushButton>(dialog, "m_packLessonSaveButton");
    QVERIFY(table && save);
    QVERIFY(save->isEnabled());
    QVERIFY(typeCell(*table, 0, 1, QStringLiteral("H")));
    QVERIFY(typeCell(*table, 0, 2, QStringLiteral("H")));
    QVERIFY(!save->isEnabled());
    QVERIFY2(messageOf(dialog).startsWith(message), qPrintable(messageOf(dialog)));

    // Enter in a field cannot save a form the check refuses.
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QTest::keyClick(child<QLineEdit>(dialog, "m_titleItEdit"), Qt::Key_Return);
    dialog.accept();
    QCOMPARE(accepted.count(), 0);
    QVERIFY(dialog.isVisible());
}

void TestPackLessonDialog::existingPack()
{
    PackLessonDialog dialog(threeSteps(), QStringLiteral("/tmp/p.lessons.json"), packWithBell(), English);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(!dialog.findChild<QGroupBox *>(QStringLiteral("m_packBox")));
    QVERIFY(!dialog.findChild<QLineEdit *>(QStringLiteral("m_packTitleItEdit")));
    QLabel *intro = child<QLabel>(dialog, "m_packLessonIntro");
    QVERIFY(intro);
    QCOMPARE(intro->textFormat(), Qt::PlainText);
    QVERIFY2(intro->text().contains(QStringLiteral("\"<b>Test</b> pack\"")), qPrintable(intro->text()));
    QVERIFY(intro->text().contains(QStringLiteral("Lessons already in it: 1.")));

    QVERIFY(fillLesson(dialog, QStringLiteral("bell")));
    QVERIFY(!child<QPushButton>(dialog, "m_packLessonSaveButton")->isEnabled());
    QCOMPARE(messageOf(dialog), QStringLiteral("The pack already has a lesson \"bell\": choose another id."));
    QVERIFY(type(dialog, "m_lessonIdEdit", QStringLiteral("Bell")));
    QVERIFY(child<QPushButton>(dialog, "m_packLessonSaveButton")->isEnabled());
    QCOMPARE(messageOf(dialog), QStringLiteral("The lesson is ready to be saved."));
}

void TestPackLessonDialog::closedWithACellOpen()
{
    auto dialog =
        std::make_unique<PackLessonDialog>(threeSteps(), QStringLiteral("/tmp/p.lessons.json"), std::nullopt, Italian);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto *table = child<QTableWidget>(*dialog, "m_stepTable");
    QVERIFY(table);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(1, 2)).center());
    QTest::keyClick(table, Qt::Key_F2);
    QVERIFY(QApplication::focusWidget() != table);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("CNOT"));
    // Closing the form commits the open cell: the text must not reach a form already gone.
    dialog.reset();
}

void TestPackLessonDialog::picturesFitTheirTexts_data()
{
    QTest::addColumn<Language>("language");
    QTest::addRow("italian") << Italian;
    QTest::addRow("english") << English;
}

void TestPackLessonDialog::picturesFitTheirTexts()
{
    QFETCH(Language, language);
    PackLessonDialog dialog(threeSteps(), QStringLiteral("/home/docente/pacchetti/entanglement.lessons.json"),
                            std::nullopt, language);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(type(dialog, "m_lessonIdEdit", QStringLiteral("bell-anti")));
    QVERIFY(type(dialog, "m_titleItEdit", QStringLiteral("Uno stato di Bell")));
    // Every label, button and column shows its whole text at the dialog's own size.
    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->isVisible() && !label->wordWrap()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        }
    }
    for (const QPushButton *button : dialog.findChildren<QPushButton *>()) {
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }
    for (const QGroupBox *box : dialog.findChildren<QGroupBox *>()) {
        QVERIFY2(box->width() >= box->fontMetrics().horizontalAdvance(box->title()), qPrintable(box->title()));
    }
    auto *table = child<QTableWidget>(dialog, "m_stepTable");
    QVERIFY(table);
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 0);
        QVERIFY2(table->columnWidth(0) >= table->fontMetrics().horizontalAdvance(item->text()),
                 qPrintable(item->text()));
    }
    // FASORIA_PICTURES names a folder to keep the pictures in, to look at them.
    const QString folder = qEnvironmentVariable("FASORIA_PICTURES");
    const QPixmap picture = dialog.grab();
    QVERIFY(!picture.isNull());
    if (!folder.isEmpty()) {
        QVERIFY(picture.save(
            QDir(folder).filePath(QStringLiteral("pack-lesson-dialog-%1.png").arg(isEnglish(language) ? "en" : "it"))));
    }
}

QTEST_MAIN(TestPackLessonDialog)
#include "test_pack_lesson_dialog.moc"
