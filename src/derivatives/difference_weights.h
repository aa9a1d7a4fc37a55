#pragma once

#include <array>
#include <cstddef>

namespace slopekit {

// The weights w of a finite-difference formula on arbitrary offsets: sum w_m f(x0 + o_m)
// is the derivative of the given order at x0 of the polynomial through those points.
// On the offsets -2d, -d, d, 2d (first derivative) and -2d, -d, 0, d, 2d (second) they
// are the classic fourth-order central weights; on offsets that rounding has moved a
// little they stay exact for that polynomial, so a displaced coordinate that the
// function cannot see exactly does not bias the result.
template <std::size_t N>
std::array<long double, N> differenceWeights(const std::array<long double, N>& offsets, int order);

}  // namespace slopekit
