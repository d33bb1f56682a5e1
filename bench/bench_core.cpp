#include "core/Circuit.h"
#include "core/CoreSelfTest.h"
#include "core/Measurement.h"
#include "core/QubitState.h"
#include "core/StateVector.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace Fasoria;

namespace {

// A normalised 12-qubit state with every amplitude non-zero, so no kernel meets only zeros.
StateVector busyState(std::uint32_t qubits)
{
    StateVector state = createState(qubits);
    for (std::uint32_t q = 0; q < qubits; ++q) {
        state.applyH(q);
        state.applyPhase(q, 0.1 + q);
    }
    return state;
}

Circuit randomCircuit(std::int32_t qubits, int gates, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    Circuit circuit;
    circuit.qubitCount = qubits;
    const auto n = static_cast<std::uint64_t>(qubits);
    for (int g = 0; g < gates; ++g) {
        const auto kind = static_cast<GateKind>(random() % 5);
        const auto target = static_cast<std::int32_t>(random() % n);
        const auto control =
            static_cast<std::int32_t>((static_cast<std::uint64_t>(target) + 1 + random() % (n - 1)) % n);
        circuit.steps.emplace_back(kind, target, kind == GateKind::Cnot ? control : 0,
                                   kind == GateKind::P ? 0.25 * static_cast<double>(g % 13) : 0.0);
    }
    return circuit;
}

// The memory floor: read and write every amplitude of the 64 KiB state once.
void BM_ReadWriteBaseline(benchmark::State &bench)
{
    StateVector state = busyState(12);
    std::vector<Complex> amplitudes = state.amplitudes();
    for (auto _ : bench) {
        for (Complex &a : amplitudes) {
            a.re = -a.re;
            a.im = -a.im;
        }
        benchmark::DoNotOptimize(amplitudes.data());
        benchmark::ClobberMemory();
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) * 4096 * 16);
}
BENCHMARK(BM_ReadWriteBaseline);

// One gate pass on 12 qubits. Qubit 5 sits in the middle of the index, so neither the innermost nor the
// outermost block dominates; the CNOT spans qubits 3 and 9.
template <typename Apply>
void BM_Gate(benchmark::State &bench, Apply apply)
{
    StateVector state = busyState(12);
    for (auto _ : bench) {
        apply(state);
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_Gate, H, [](StateVector &state) { state.applyH(5); });
BENCHMARK_CAPTURE(BM_Gate, X, [](StateVector &state) { state.applyX(5); });
BENCHMARK_CAPTURE(BM_Gate, Z, [](StateVector &state) { state.applyZ(5); });
BENCHMARK_CAPTURE(BM_Gate, P, [](StateVector &state) { state.applyPhase(5, 0.7853981633974483); });
BENCHMARK_CAPTURE(BM_Gate, CNOT, [](StateVector &state) { state.applyCnot(3, 9); });

void BM_ReplayPrefix256(benchmark::State &bench)
{
    const Circuit circuit = randomCircuit(static_cast<std::int32_t>(bench.range(0)), 256, 2026);
    for (auto _ : bench) {
        StateVector state = replayPrefix(circuit, circuit.steps.size());
        benchmark::DoNotOptimize(state.amplitudes().data());
    }
}
BENCHMARK(BM_ReplayPrefix256)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

// Every qubit's reduced state of an entangled 12-qubit register in one pass.
void BM_QubitStates12(benchmark::State &bench)
{
    const StateVector state = replayPrefix(randomCircuit(12, 256, 2026), 256);
    for (auto _ : bench) {
        std::vector<QubitState> states = qubitStates(state);
        benchmark::DoNotOptimize(states.data());
    }
}
BENCHMARK(BM_QubitStates12)->Unit(benchmark::kMicrosecond);

void BM_SampleCounts10000(benchmark::State &bench)
{
    const StateVector state = busyState(12);
    RandomGenerator generator(42);
    for (auto _ : bench) {
        Histogram counts = sampleCounts(state, 10000, generator);
        benchmark::DoNotOptimize(counts.data());
    }
}
BENCHMARK(BM_SampleCounts10000)->Unit(benchmark::kMicrosecond);

void BM_CoreSelfTest(benchmark::State &bench)
{
    for (auto _ : bench) {
        std::vector<CoreCheckResult> results = runCoreSelfTest();
        benchmark::DoNotOptimize(results.data());
    }
}
BENCHMARK(BM_CoreSelfTest)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
