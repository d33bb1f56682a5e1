#pragma once

#include <cstdint>

namespace Fasoria {

/// Gate kinds by their stored numbers. Values outside 0..4 may arrive from callers; every consumer treats
/// them as "no operation" or "?".
enum class GateKind : std::int32_t
{
    H = 0,
    X = 1,
    Z = 2,
    P = 3,
    Cnot = 4,
};

constexpr std::int32_t kGateKindCount = 5;

/// One primitive gate. `control` matters only for CNOT and `angle` (radians) only for P; catalog and
/// generated gates carry 0 there, editor gates may carry anything, and every consumer ignores them.
struct Gate
{
    GateKind kind = GateKind::H;
    std::int32_t target = 0;
    std::int32_t control = 0;
    double angle = 0.0;
};

inline bool operator==(const Gate &a, const Gate &b)
{
    return a.kind == b.kind && a.target == b.target && a.control == b.control && a.angle == b.angle;
}

inline bool operator!=(const Gate &a, const Gate &b)
{
    return !(a == b);
}

} // namespace Fasoria
