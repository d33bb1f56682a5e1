#include "core/Circuit.h"
#include "core/GateText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

using namespace Fasoria;

namespace {

const double kPi = std::acos(-1.0);

Circuit circuitOf(std::int32_t qubits, std::initializer_list<Gate> gates)
{
    Circuit circuit;
    circuit.qubitCount = qubits;
    for (const Gate &gate : gates) {
        circuit.steps.emplace_back(gate.kind, gate.target, gate.control, gate.angle);
    }
    return circuit;
}

} // namespace

TEST(ReplayPrefix, BoundariesOfTheStepCount)
{
    const Circuit bell = circuitOf(2, {{GateKind::H, 0, 0, 0}, {GateKind::Cnot, 1, 0, 0}});
    const StateVector start = replayPrefix(bell, 0);
    EXPECT_EQ(start.amplitude(0).re, 1.0);
    EXPECT_EQ(start.probability(1), 0.0);
    const StateVector middle = replayPrefix(bell, 1);
    EXPECT_NEAR(middle.probability(1), 0.5, 1e-12);
    const StateVector end = replayPrefix(bell, 2);
    EXPECT_NEAR(end.probability(3), 0.5, 1e-12);
    EXPECT_EQ(end.probability(1), 0.0);
    try {
        replayPrefix(bell, 3);
        FAIL() << "expected out_of_range";
    } catch (const std::out_of_range &error) {
        EXPECT_STREQ(error.what(), "Circuit step outside lesson");
    }
}

struct ReplayError
{
    const char *name;
    Circuit circuit;
    std::uint64_t steps;
    bool outOfRange;
    const char *message;
};

class ReplayErrors : public ::testing::TestWithParam<ReplayError>
{};

TEST_P(ReplayErrors, PropagateTheEngineMessage)
{
    const ReplayError &c = GetParam();
    try {
        replayPrefix(c.circuit, c.steps);
        FAIL() << "expected an error";
    } catch (const std::out_of_range &error) {
        EXPECT_TRUE(c.outOfRange);
        EXPECT_STREQ(error.what(), c.message);
    } catch (const std::invalid_argument &error) {
        EXPECT_FALSE(c.outOfRange);
        EXPECT_STREQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Circuits, ReplayErrors,
    ::testing::Values(
        ReplayError{"zero_qubits_even_for_no_steps", circuitOf(0, {}), 0, false, "Qubits must be in the range 1..12"},
        ReplayError{"thirteen_qubits", circuitOf(13, {}), 0, false, "Qubits must be in the range 1..12"},
        ReplayError{"negative_qubits", circuitOf(-3, {}), 0, false, "Qubits must be in the range 1..12"},
        ReplayError{"equal_control_target",
                    circuitOf(2, {{GateKind::H, 0, 0, 0}, {GateKind::Cnot, 1, 1, 0}, {GateKind::X, 0, 0, 0}}), 3, false,
                    "Control and target must be distinct"},
        ReplayError{"target_out_of_range", circuitOf(2, {{GateKind::X, 2, 0, 0}}), 1, true, "Qubit index out of range"},
        ReplayError{"nan_angle", circuitOf(1, {{GateKind::P, 0, 0, std::nan("")}}), 1, false, "Non-finite phase angle"},
        ReplayError{"step_past_end_checked_first", circuitOf(0, {}), 1, true, "Circuit step outside lesson"}),
    [](const ::testing::TestParamInfo<ReplayError> &row) { return std::string(row.param.name); });

TEST(ReplayPrefix, BadStepIsNotReachedByAShorterPrefix)
{
    const Circuit circuit = circuitOf(2, {{GateKind::H, 0, 0, 0}, {GateKind::Cnot, 1, 1, 0}});
    EXPECT_NO_THROW(replayPrefix(circuit, 1));
}

TEST(ReplayPrefix, IgnoredFieldsAndUnknownKindsChangeNothing)
{
    const Circuit plain = circuitOf(2, {{GateKind::H, 0, 0, 0}, {GateKind::Z, 0, 0, 0}});
    const Circuit noisy = circuitOf(
        2, {{GateKind::H, 0, 3, 1.0}, {static_cast<GateKind>(9), 7, 7, 0}, {GateKind::Z, 0, -4, std::nan("")}});
    const StateVector a = replayPrefix(plain, 2);
    const StateVector b = replayPrefix(noisy, 3);
    EXPECT_EQ(std::memcmp(a.amplitudes().data(), b.amplitudes().data(), 4 * sizeof(Complex)), 0);
    EXPECT_EQ(gateLabel(Gate{GateKind::H, 0, 3, 1.0}), gateLabel(Gate{GateKind::H, 0, 0, 0}));
}

TEST(LessonStep, PlainConstructorCarriesTheFreeLabTexts)
{
    const LessonStep step(GateKind::X, 1, 0, 0.0);
    EXPECT_STREQ(step.explanationIt, "Porta scelta nel laboratorio libero: osserva cosa cambia nelle ampiezze.");
    EXPECT_STREQ(step.explanationEn, "Gate selected in the free lab: watch how the amplitudes change.");
    Circuit original = circuitOf(1, {{GateKind::H, 0, 0, 0}});
    const Circuit copy = original;
    EXPECT_EQ(copy.steps[0].explanationIt, original.steps[0].explanationIt) << "texts are shared, not copied";
}

struct LabelCase
{
    const char *name;
    Gate gate;
    const char *label;
};

class GateLabels : public ::testing::TestWithParam<LabelCase>
{};

TEST_P(GateLabels, AreExact)
{
    EXPECT_EQ(gateLabel(GetParam().gate), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GateLabels,
                         ::testing::Values(LabelCase{"H", {GateKind::H, 0, 0, 0}, "H(q0)"},
                                           LabelCase{"X", {GateKind::X, 2, 0, 0}, "X(q2)"},
                                           LabelCase{"Z", {GateKind::Z, 1, 0, 0}, "Z(q1)"},
                                           LabelCase{"P_45", {GateKind::P, 0, 0, kPi / 4}, "P(q0, 45.0°)"},
                                           LabelCase{"P_minus_90", {GateKind::P, 1, 0, -kPi / 2}, "P(q1, -90.0°)"},
                                           LabelCase{"P_negative_zero", {GateKind::P, 0, 0, -0.0}, "P(q0, 0.0°)"},
                                           LabelCase{"P_tiny_negative", {GateKind::P, 0, 0, -1e-9}, "P(q0, 0.0°)"},
                                           LabelCase{"P_full_turn", {GateKind::P, 3, 0, 2 * kPi}, "P(q3, 360.0°)"},
                                           LabelCase{"CNOT_2_0", {GateKind::Cnot, 0, 2, 0}, "CNOT(q2 → q0)"},
                                           LabelCase{"CNOT_0_1", {GateKind::Cnot, 1, 0, 0}, "CNOT(q0 → q1)"},
                                           LabelCase{"kind_5", {static_cast<GateKind>(5), 0, 0, 0}, "?"},
                                           LabelCase{"kind_minus_1", {static_cast<GateKind>(-1), 0, 0, 0}, "?"}),
                         [](const ::testing::TestParamInfo<LabelCase> &row) { return std::string(row.param.name); });

TEST(GateTexts, DescriptionsNamesAndEditWordsInBothLanguages)
{
    EXPECT_STREQ(gateDescription(GateKind::H, Italian), "Mescola coppie di ampiezze, permettendo l'interferenza.");
    EXPECT_STREQ(gateDescription(GateKind::Cnot, English), "Flips the target qubit only when the control qubit is 1.");
    EXPECT_STREQ(gateDescription(GateKind::P, static_cast<Language>(7)),
                 "Ruota la fase delle ampiezze con qubit bersaglio = 1.");
    EXPECT_STREQ(gateDescription(static_cast<GateKind>(5), English), "?");
    EXPECT_STREQ(gateKindName(GateKind::P, Italian), "P - Fase");
    EXPECT_STREQ(gateKindName(GateKind::P, English), "P - Phase");
    EXPECT_STREQ(gateKindName(GateKind::Z, English), "Z - Pauli Z");
    EXPECT_STREQ(gateKindName(static_cast<GateKind>(-1), Italian), "?");
    EXPECT_STREQ(editActionWord(EditAction::GateMovedLeft, Italian), "porta spostata a sinistra");
    EXPECT_STREQ(editActionWord(EditAction::QubitCountUpdated, English), "qubit count updated");
    EXPECT_STREQ(editActionWord(EditAction::EditRestored, Italian), "modifica annullata o ripetuta");
    EXPECT_STREQ(editActionWord(EditAction::GateMoved, English), "gate moved");
    EXPECT_STREQ(editActionWord(static_cast<EditAction>(10), English), "?");
    EXPECT_STREQ(editActionWord(static_cast<EditAction>(-1), Italian), "?");
}

TEST(FormatFixed, NeverPrintsNegativeZero)
{
    EXPECT_EQ(formatFixed(-0.0, 4), "0.0000");
    EXPECT_EQ(formatFixed(-0.00004, 4), "0.0000");
    EXPECT_EQ(formatFixed(-0.00005001, 4), "-0.0001");
    EXPECT_EQ(formatFixed(-180.0, 1), "-180.0");
    EXPECT_EQ(formatFixed(0.70710678, 3), "0.707");
    EXPECT_EQ(formatFixed(-0.4, 0), "0");
    EXPECT_EQ(formatFixed(12.25, 1), "12.2") << "round half to even on the exact binary value";
}
