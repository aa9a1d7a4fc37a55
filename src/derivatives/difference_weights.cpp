#include "derivatives/difference_weights.h"

namespace slopekit {

// Lagrange basis: w_m = order! * [x^order] prod_{l != m} (x - o_l) / prod_{l != m} (o_m - o_l).
template <std::size_t N>
std::array<long double, N> differenceWeights(const std::array<long double, N>& offsets, int order)
{
    std::array<long double, N> weights{};
    long double factorial = 1;
    for (int k = 2; k <= order; ++k)
        factorial *= k;
    for (std::size_t m = 0; m < N; ++m) {
        std::array<long double, N> poly{};  // coefficients, lowest power first
        poly[0] = 1;
        long double denominator = 1;
        std::size_t degree = 0;
        for (std::size_t l = 0; l < N; ++l) {
            if (l == m)
                continue;
            ++degree;
            for (std::size_t p = degree; p > 0; --p)
                poly[p] = poly[p - 1] - offsets[l] * poly[p];
            poly[0] = -offsets[l] * poly[0];
            denominator *= offsets[m] - offsets[l];
        }
        weights[m] = factorial * poly[static_cast<std::size_t>(order)] / denominator;
    }
    return weights;
}

template std::array<long double, 4> differenceWeights(const std::array<long double, 4>&, int);
template std::array<long double, 5> differenceWeights(const std::array<long double, 5>&, int);

}  // namespace slopekit
