#pragma once

#include "engine/script/value.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace slopekit::script {

inline constexpr int MaxExactVariables = 10;
inline constexpr int MaxHessianEntries = MaxExactVariables * (MaxExactVariables + 1) / 2;

// A set of the variables being differentiated for: bit k stands for variable k.
using VariableSet = std::uint16_t;

// A value with its first and second derivatives (second-order forward mode). Only the first
// n gradient entries and n(n+1)/2 Hessian entries are in use, n the count of variables of
// the evaluation; fixed arrays, so an operation never allocates.
//
// An entry is NaN where the derivative does not exist; the NaN's payload numbers the
// failure that says why (see undefinedEntry). An infinite entry is a derivative beyond the
// double range. Only the variables in `deps` are ever non-zero in the gradient, and a
// Hessian entry (i, j) only where i or j is in `deps`: an entry outside is an exact zero,
// which also cancels an undefined factor.
struct ExactValue {
    Value value;
    VariableSet deps = 0;     // the variables the value depends on near the point
    std::uint8_t degree = 0;  // 0, 1, 2: a polynomial of that degree, so the jet is all of it
    bool undefined = false;   // some entry may be NaN
    double gradient[MaxExactVariables];
    double hessian[MaxHessianEntries];  // lower triangle row by row: (i, j), j <= i, at i(i+1)/2 + j
};

inline constexpr std::uint8_t AnyDegree = 3;

// The index of Hessian entry (i, j) in the packed lower triangle.
constexpr int packedIndex(int i, int j) { return i >= j ? i * (i + 1) / 2 + j : j * (j + 1) / 2 + i; }

// An undefined entry that names failure `index`.
inline double undefinedEntry(std::uint32_t index)
{
    return std::bit_cast<double>(0x7FF8'0000'0000'0000u | (static_cast<std::uint64_t>(index) + 1));
}

// The failure that an undefined entry names; -1 for a NaN that names none (one that an
// overflowing derivative made).
inline int failureOf(double entry)
{
    const std::uint64_t payload = std::bit_cast<std::uint64_t>(entry) & 0x0007'FFFF'FFFF'FFFFu;
    return payload == 0 || payload > 0xFFFF'FFFFu ? -1 : static_cast<int>(payload - 1);
}

}  // namespace slopekit::script
