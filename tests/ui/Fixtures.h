// Widget-free circuits and comparisons shared by the experiment and window tests.
#pragma once

#include "tools/SampleCircuits.h"

#include "core/StateVector.h"

#include <cstdint>

/// Equal amplitudes, compared exactly.
inline bool sameState(const Fasoria::StateVector &a, const Fasoria::StateVector &b)
{
    if (a.dimension() != b.dimension()) {
        return false;
    }
    for (std::uint64_t i = 0; i < a.dimension(); ++i) {
        if (a.amplitude(i).re != b.amplitude(i).re || a.amplitude(i).im != b.amplitude(i).im) {
            return false;
        }
    }
    return true;
}
