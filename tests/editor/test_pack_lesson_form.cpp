// The form that turns the working circuit into a pack lesson: every rule of the pack reader is found before
// anything is written, the first problem in the order of the form, and a valid form makes a lesson the
// reader accepts.
#include "editor/PackLessonForm.h"
#include "tests/editor/GateLists.h"

#include <QtTest>

#include <functional>
#include <stdexcept>

using namespace Fasoria;

using Edit = std::function<void(PackLessonForm &)>;

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Fasoria::PackLessonProblem)
Q_DECLARE_METATYPE(Fasoria::PackLessonField)

namespace {

// H on q0, then CNOT from q0 to q1: the Bell pair in two steps.
Circuit bellPair()
{
    return circuitOf(2, {gate(GateKind::H, 0), gate(GateKind::Cnot, 1, 0)});
}

PackLesson heldLesson(const QString &id)
{
    PackLesson lesson;
    lesson.id = id;
    lesson.titleIt = lesson.titleEn = lesson.questionIt = lesson.questionEn = lesson.explanationIt =
        lesson.explanationEn = QStringLiteral("x");
    lesson.guided = bellPair();
    return lesson;
}

LessonPack packHolding(int lessons)
{
    LessonPack pack{QStringLiteral("Pacchetto"), QStringLiteral("Pack"), {}};
    for (int i = 0; i < lessons; ++i) {
        pack.lessons.push_back(heldLesson(i == 0 ? QStringLiteral("bell") : QStringLiteral("l%1").arg(i)));
    }
    return pack;
}

// Every field filled with a valid text, the step table left empty.
void fill(PackLessonForm &form)
{
    form.setText(PackLessonField::PackTitleIt, QStringLiteral("Entanglement"));
    form.setText(PackLessonField::PackTitleEn, QStringLiteral("Entanglement"));
    form.setText(PackLessonField::LessonId, QStringLiteral("bell-2"));
    form.setText(PackLessonField::TitleIt, QStringLiteral("La coppia di Bell"));
    form.setText(PackLessonField::TitleEn, QStringLiteral("The Bell pair"));
    form.setText(PackLessonField::QuestionIt, QStringLiteral("Che cosa misuri su q1?"));
    form.setText(PackLessonField::QuestionEn, QStringLiteral("What do you measure on q1?"));
    form.setText(PackLessonField::ExplanationIt, QStringLiteral("I due qubit danno sempre lo stesso risultato."));
    form.setText(PackLessonField::ExplanationEn, QStringLiteral("The two qubits always agree."));
}

void explainBothSteps(PackLessonForm &form)
{
    form.setStepText(0, Italian, QStringLiteral("H crea una sovrapposizione."));
    form.setStepText(0, English, QStringLiteral("H makes a superposition."));
    form.setStepText(1, Italian, QStringLiteral("CNOT intreccia i qubit."));
    form.setStepText(1, English, QStringLiteral("CNOT entangles the qubits."));
}

Edit setText(PackLessonField field, const QString &text)
{
    return [field, text](PackLessonForm &form) { form.setText(field, text); };
}

Edit setStep(int row, Language language, const QString &text)
{
    return [row, language, text](PackLessonForm &form) { form.setStepText(row, language, text); };
}

Edit both(const Edit &first, const Edit &second)
{
    return [first, second](PackLessonForm &form) {
        first(form);
        second(form);
    };
}

enum class Pack
{
    New,
    Existing,
    Full,
};

} // namespace

Q_DECLARE_METATYPE(Pack)

class TestPackLessonForm : public QObject
{
    Q_OBJECT

private slots:
    void firstProblem_data();
    void firstProblem();
    void builtLesson();
    void validFormsReadBack_data();
    void validFormsReadBack();
    void refusedCircuit();
    void argumentsCheckedFirst();
};

void TestPackLessonForm::firstProblem_data()
{
    QTest::addColumn<Pack>("pack");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<PackLessonProblem>("problem");
    QTest::addColumn<PackLessonField>("field");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("limit");

    const auto none = [](PackLessonForm &) {};
    using P = PackLessonProblem;
    using F = PackLessonField;
    const QString spaces = QStringLiteral("   ");
    QTest::addRow("new pack filled") << Pack::New << Edit(none) << P::None << F::LessonId << -1 << 0;
    QTest::addRow("existing pack ignores the pack titles")
        << Pack::Existing << both(setText(F::PackTitleIt, QString()), setText(F::PackTitleEn, QString())) << P::None
        << F::LessonId << -1 << 0;
    QTest::addRow("new pack without Italian title")
        << Pack::New << setText(F::PackTitleIt, QString()) << P::Blank << F::PackTitleIt << -1 << 0;
    QTest::addRow("new pack with a blank English title")
        << Pack::New << setText(F::PackTitleEn, spaces) << P::Blank << F::PackTitleEn << -1 << 0;
    QTest::addRow("pack title before the id")
        << Pack::New << both(setText(F::LessonId, QString()), setText(F::PackTitleEn, QString())) << P::Blank
        << F::PackTitleEn << -1 << 0;
    QTest::addRow("id missing") << Pack::New << setText(F::LessonId, spaces) << P::Blank << F::LessonId << -1 << 0;
    QTest::addRow("id before the titles")
        << Pack::New << both(setText(F::TitleIt, QString()), setText(F::LessonId, QStringLiteral("a b"))) << P::IdShape
        << F::LessonId << -1 << 0;
    QTest::addRow("id with an accent") << Pack::New << setText(F::LessonId, QStringLiteral("lezione-è")) << P::IdShape
                                       << F::LessonId << -1 << 0;
    QTest::addRow("id with an underscore")
        << Pack::New << setText(F::LessonId, QStringLiteral("bell_2")) << P::IdShape << F::LessonId << -1 << 0;
    QTest::addRow("id of 41 characters") << Pack::New << setText(F::LessonId, QString(41, QLatin1Char('a')))
                                         << P::IdShape << F::LessonId << -1 << 0;
    QTest::addRow("id of 40 characters") << Pack::New << setText(F::LessonId, QString(40, QLatin1Char('a'))) << P::None
                                         << F::LessonId << -1 << 0;
    QTest::addRow("id already in the pack")
        << Pack::Existing << setText(F::LessonId, QStringLiteral("bell")) << P::IdTaken << F::LessonId << -1 << 0;
    QTest::addRow("id already in the pack, with spaces around")
        << Pack::Existing << setText(F::LessonId, QStringLiteral(" bell ")) << P::IdTaken << F::LessonId << -1 << 0;
    QTest::addRow("ids differ in letter case")
        << Pack::Existing << setText(F::LessonId, QStringLiteral("BELL")) << P::None << F::LessonId << -1 << 0;
    QTest::addRow("pack full") << Pack::Full << Edit(none) << P::PackFull << F::LessonId << -1 << 0;
    QTest::addRow("title on two lines") << Pack::New << setText(F::TitleIt, QStringLiteral("La coppia\ndi Bell"))
                                        << P::NotPlain << F::TitleIt << -1 << 0;
    QTest::addRow("title with a direction override")
        << Pack::New << setText(F::TitleEn, QStringLiteral("The Bell \u202Epair")) << P::NotPlain << F::TitleEn << -1
        << 0;
    QTest::addRow("title of 201 characters") << Pack::New << setText(F::TitleIt, QString(201, QLatin1Char('t')))
                                             << P::TooLong << F::TitleIt << -1 << kMaxLessonTitleLength;
    QTest::addRow("title of 200 characters and outer spaces")
        << Pack::New << setText(F::TitleIt, QStringLiteral("  ") + QString(200, QLatin1Char('t')) + QStringLiteral(" "))
        << P::None << F::LessonId << -1 << 0;
    QTest::addRow("question of 2001 characters") << Pack::New << setText(F::QuestionEn, QString(2001, QChar(0x00E8)))
                                                 << P::TooLong << F::QuestionEn << -1 << kMaxLessonTextLength;
    QTest::addRow("question missing in Italian")
        << Pack::New << setText(F::QuestionIt, QString()) << P::Blank << F::QuestionIt << -1 << 0;
    QTest::addRow("explanation blank") << Pack::New << setText(F::ExplanationIt, QStringLiteral("\t ")) << P::Blank
                                       << F::ExplanationIt << -1 << 0;
    QTest::addRow("explanation with a tab inside")
        << Pack::New << setText(F::ExplanationEn, QStringLiteral("Always\tagree")) << P::NotPlain << F::ExplanationEn
        << -1 << 0;
    QTest::addRow("explanation of 2001 characters")
        << Pack::New << setText(F::ExplanationIt, QString(2001, QLatin1Char('e'))) << P::TooLong << F::ExplanationIt
        << -1 << kMaxLessonTextLength;
    QTest::addRow("every step explained") << Pack::New << Edit(explainBothSteps) << P::None << F::LessonId << -1 << 0;
    QTest::addRow("steps of spaces count as none")
        << Pack::New << both(setStep(0, Italian, spaces), setStep(1, English, spaces)) << P::None << F::LessonId << -1
        << 0;
    QTest::addRow("first step in Italian only")
        << Pack::New << setStep(0, Italian, QStringLiteral("H")) << P::StepMissing << F::StepEn << 0 << 0;
    QTest::addRow("second step in English only")
        << Pack::New << setStep(1, English, QStringLiteral("CNOT")) << P::StepMissing << F::StepIt << 0 << 0;
    QTest::addRow("second step left empty")
        << Pack::New << both(setStep(0, Italian, QStringLiteral("H")), setStep(0, English, QStringLiteral("H")))
        << P::StepMissing << F::StepIt << 1 << 0;
    QTest::addRow("second step's English blank")
        << Pack::New << both(explainBothSteps, setStep(1, English, spaces)) << P::StepMissing << F::StepEn << 1 << 0;
    QTest::addRow("step of 1001 characters")
        << Pack::New << both(explainBothSteps, setStep(1, Italian, QString(1001, QLatin1Char('s')))) << P::TooLong
        << F::StepIt << 1 << kMaxLessonStepTextLength;
    QTest::addRow("step with a control character")
        << Pack::New << both(explainBothSteps, setStep(0, English, QStringLiteral("H\x1b[2J"))) << P::NotPlain
        << F::StepEn << 0 << 0;
    QTest::addRow("lesson texts before the steps")
        << Pack::New << both(setStep(0, Italian, QStringLiteral("H")), setText(F::ExplanationEn, QString())) << P::Blank
        << F::ExplanationEn << -1 << 0;
}

void TestPackLessonForm::firstProblem()
{
    QFETCH(Pack, pack);
    QFETCH(Edit, edit);
    QFETCH(PackLessonProblem, problem);
    QFETCH(PackLessonField, field);
    QFETCH(int, row);
    QFETCH(int, limit);

    PackLessonForm form(bellPair(), pack == Pack::New    ? std::nullopt
                                    : pack == Pack::Full ? std::optional(packHolding(kMaxPackLessons))
                                                         : std::optional(packHolding(3)));
    QCOMPARE(form.isNewPack(), pack == Pack::New);
    fill(form);
    edit(form);
    const PackLessonCheck check = form.check();
    QCOMPARE(check.problem, problem);
    QCOMPARE(form.lesson().has_value(), problem == PackLessonProblem::None);
    if (problem == PackLessonProblem::None) {
        return;
    }
    QCOMPARE(check.field, field);
    QCOMPARE(check.row, row);
    QCOMPARE(check.limit, limit);
    if (problem == PackLessonProblem::IdTaken) {
        QCOMPARE(check.detail, QStringLiteral("bell"));
    }
}

void TestPackLessonForm::builtLesson()
{
    PackLessonForm form(bellPair(), packHolding(1));
    fill(form);
    explainBothSteps(form);
    form.setText(PackLessonField::LessonId, QStringLiteral("  bell-2 "));
    form.setStepText(1, English, QStringLiteral(" CNOT entangles the qubits.  "));
    QCOMPARE(form.stepCount(), 2);
    QCOMPARE(form.stepGateLabel(0), QStringLiteral("H(q0)"));
    QCOMPARE(form.stepGateKind(1), GateKind::Cnot);

    const std::optional<PackLesson> lesson = form.lesson();
    QVERIFY(lesson);
    QCOMPARE(lesson->id, QStringLiteral("bell-2"));
    QCOMPARE(lesson->titleIt, QStringLiteral("La coppia di Bell"));
    QCOMPARE(lesson->titleEn, QStringLiteral("The Bell pair"));
    QCOMPARE(lesson->questionIt, QStringLiteral("Che cosa misuri su q1?"));
    QCOMPARE(lesson->questionEn, QStringLiteral("What do you measure on q1?"));
    QCOMPARE(lesson->explanationIt, QStringLiteral("I due qubit danno sempre lo stesso risultato."));
    QCOMPARE(lesson->explanationEn, QStringLiteral("The two qubits always agree."));
    QVERIFY(!lesson->challenge);
    QVERIFY(lesson->guided);
    QCOMPARE(lesson->guided->qubitCount, 2);
    QCOMPARE(gatesOf(*lesson->guided), gatesOf(bellPair()));
    const std::vector<std::pair<QString, QString>> steps = {
        {QStringLiteral("H crea una sovrapposizione."), QStringLiteral("H makes a superposition.")},
        {QStringLiteral("CNOT intreccia i qubit."), QStringLiteral("CNOT entangles the qubits.")}};
    QVERIFY(lesson->stepTexts == steps);

    // An empty table gives a lesson without step texts; the pack's titles are those typed, without spaces.
    PackLessonForm plain(bellPair());
    fill(plain);
    plain.setText(PackLessonField::PackTitleEn, QStringLiteral(" Entanglement "));
    QVERIFY(plain.lesson());
    QVERIFY(plain.lesson()->stepTexts.empty());
    QCOMPARE(plain.packTitles(), std::make_pair(QStringLiteral("Entanglement"), QStringLiteral("Entanglement")));
}

void TestPackLessonForm::validFormsReadBack_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addRow("empty table") << Edit([](PackLessonForm &) {});
    QTest::addRow("explained steps") << Edit(explainBothSteps);
    QTest::addRow("texts at their limits") << Edit([](PackLessonForm &form) {
        explainBothSteps(form);
        form.setText(PackLessonField::LessonId, QString(kMaxLessonIdLength, QLatin1Char('-')));
        form.setText(PackLessonField::TitleEn, QString(kMaxLessonTitleLength, QChar(0x00E0)));
        form.setText(PackLessonField::QuestionIt, QString(kMaxLessonTextLength, QLatin1Char('q')));
        form.setStepText(1, English, QString(kMaxLessonStepTextLength, QLatin1Char('s')) + QStringLiteral("\t"));
    });
}

void TestPackLessonForm::validFormsReadBack()
{
    QFETCH(Edit, edit);
    PackLessonForm form(bellPair());
    fill(form);
    edit(form);
    const std::optional<PackLesson> lesson = form.lesson();
    QVERIFY(lesson);
    // What the form accepts, the pack reader accepts and gives back unchanged.
    const LessonPack pack{form.packTitles().first, form.packTitles().second, {*lesson}};
    LessonPack readBack;
    QString error;
    QVERIFY2(parseLessonPack(serializeLessonPack(pack), readBack, &error), qPrintable(error));
    QCOMPARE(readBack.lessons.size(), std::size_t(1));
    QCOMPARE(readBack.lessons.front().id, lesson->id);
    QVERIFY(readBack.lessons.front().stepTexts == lesson->stepTexts);
}

void TestPackLessonForm::refusedCircuit()
{
    // Nine qubits: more than the circuit file holds, so no pack could read the lesson.
    PackLessonForm form(circuitOf(9, {gate(GateKind::H, 8)}));
    fill(form);
    const PackLessonCheck check = form.check();
    QCOMPARE(check.problem, PackLessonProblem::CircuitRefused);
    QVERIFY(!check.detail.isEmpty());
    QVERIFY(!form.lesson());
}

void TestPackLessonForm::argumentsCheckedFirst()
{
    PackLessonForm form(bellPair());
    form.setStepText(1, Italian, QStringLiteral("kept"));
    QVERIFY_EXCEPTION_THROWN(form.setStepText(2, Italian, QStringLiteral("x")), std::out_of_range);
    QVERIFY_EXCEPTION_THROWN(form.setStepText(-1, English, QStringLiteral("x")), std::out_of_range);
    QVERIFY_EXCEPTION_THROWN(form.setText(PackLessonField::StepIt, QStringLiteral("x")), std::invalid_argument);
    QVERIFY_EXCEPTION_THROWN(form.stepGateLabel(2), std::out_of_range);
    QCOMPARE(form.stepText(1, Italian), QStringLiteral("kept"));
    QCOMPARE(form.stepText(0, Italian), QString());
}

QTEST_GUILESS_MAIN(TestPackLessonForm)
#include "test_pack_lesson_form.moc"
