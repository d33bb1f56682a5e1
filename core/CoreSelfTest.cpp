#include "core/CoreSelfTest.h"

#include "core/Measurement.h"
#include "core/StateVector.h"

#include <cmath>
#include <functional>
#include <iterator>
#include <stdexcept>

namespace Fasoria {

namespace {

constexpr double kTolerance = 1e-12;

bool near(double x, double y)
{
    return std::fabs(x - y) < kTolerance;
}

void require(bool condition, const char *failure)
{
    if (!condition) {
        throw std::runtime_error(failure);
    }
}

// Runs `body` expecting it to throw exactly `Expected`; any other exception escapes to the check's scope.
template <typename Expected>
void requireThrows(const std::function<void()> &body, const char *failure)
{
    try {
        body();
    } catch (const Expected &) {
        return;
    }
    throw std::runtime_error(failure);
}

void checkPreparation()
{
    const StateVector state = createState(1);
    require(near(state.probability(0), 1.0) && near(state.probability(1), 0.0), "Wrong reset state");
}

void checkHadamard()
{
    StateVector state = createState(1);
    state.applyH(0);
    require(near(state.probability(0), 0.5) && near(state.probability(1), 0.5), "H probabilities");
    require(near(state.totalProbability(), 1.0), "Norm not conserved");
}

void checkIdentityHH()
{
    StateVector state = createState(1);
    state.applyH(0);
    state.applyH(0);
    require(near(state.probability(0), 1.0), "H^2 did not return to |0>");
    require(near(state.amplitude(0).re, 1.0), "Wrong phase after H^2");
}

void checkPauliXZ()
{
    StateVector state = createState(1);
    state.applyX(0);
    require(near(state.probability(1), 1.0), "X gate failed");
    state.applyZ(0);
    require(near(state.amplitude(1).re, -1.0), "Z gate failed");
    state.applyZ(0);
    require(near(state.amplitude(1).re, 1.0), "Z squared failed");
}

void checkRelativePhase()
{
    StateVector state = createState(1);
    state.applyH(0);
    state.applyZ(0);
    state.applyH(0);
    require(near(state.probability(1), 1.0), "Interference failed");
}

void checkPhaseRotation()
{
    StateVector state = createState(1);
    state.applyH(0);
    state.applyPhase(0, std::acos(-1.0));
    require(near(state.probability(0), 0.5) && near(state.probability(1), 0.5), "Phase modified probability");
    require(near(state.amplitude(1).re, -std::sqrt(0.5)), "Phase amplitude mismatch");
}

StateVector bellState()
{
    StateVector state = createState(2);
    state.applyH(0);
    state.applyCnot(0, 1);
    return state;
}

void checkBell()
{
    const StateVector state = bellState();
    require(near(state.probability(0), 0.5) && near(state.probability(3), 0.5), "Bell endpoints");
    require(near(state.probability(1), 0.0) && near(state.probability(2), 0.0), "Bell off-diagonal");
}

void checkPartialMeasurement()
{
    StateVector state = bellState();
    RandomGenerator generator(12345);
    const bool outcome = measureQubit(state, 0, generator);
    require(near(state.probability(outcome ? 3 : 0), 1.0), "Unexpected state after partial measurement");
    require(near(state.totalProbability(), 1.0), "Wrong norm after collapse");
}

void checkFullMeasurement()
{
    StateVector state = createState(1);
    state.applyH(0);
    RandomGenerator generator(456);
    const std::uint64_t k = measureAll(state, generator);
    require(k <= 1 && near(state.probability(k), 1.0), "Full measurement failed");
}

void checkIndependentShots()
{
    StateVector state = createState(1);
    state.applyH(0);
    RandomGenerator generator(42);
    const Histogram counts = sampleCounts(state, 10000, generator);
    require(counts.size() == 2 && counts[0] + counts[1] == 10000, "Wrong shots total");
    require(counts[0] >= 4701 && counts[0] <= 5299, "Unexpected histogram distribution");
    require(near(state.probability(0), 0.5), "Sampling changed prepared state");
}

void checkErrorHandling()
{
    requireThrows<std::invalid_argument>([] { createState(0); }, "Zero qubits accepted");
    requireThrows<std::invalid_argument>(
        [] {
            StateVector state = createState(2);
            state.applyCnot(0, 0);
        },
        "CNOT with same control/target accepted");
    requireThrows<std::out_of_range>(
        [] {
            StateVector state = createState(2);
            state.applyH(2);
        },
        "Out-of-range qubit accepted");
}

// One body per row of kCoreCheckNames, in its order.
using CheckBody = void (*)();
constexpr CheckBody kCheckBodies[] = {
    checkPreparation,     checkHadamard,         checkIdentityHH,    checkPauliXZ,
    checkRelativePhase,   checkPhaseRotation,    checkBell,          checkPartialMeasurement,
    checkFullMeasurement, checkIndependentShots, checkErrorHandling,
};
static_assert(std::size(kCheckBodies) == kCoreCheckCount, "one body per check name");

} // namespace

std::optional<std::size_t> findCoreCheck(const std::string &name)
{
    for (std::size_t i = 0; i < kCoreCheckCount; ++i) {
        if (name == kCoreCheckNames[i].stored) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<CoreCheckResult> runCoreSelfTest()
{
    std::vector<CoreCheckResult> results;
    results.reserve(kCoreCheckCount);
    for (std::size_t i = 0; i < kCoreCheckCount; ++i) {
        CoreCheckResult result{kCoreCheckNames[i].stored, false, "OK"};
        try {
            kCheckBodies[i]();
            result.passed = true;
        } catch (const std::exception &error) {
            result.detail = error.what();
        } catch (...) {
            result.detail = "Unknown exception";
        }
        results.push_back(std::move(result));
    }
    return results;
}

} // namespace Fasoria
