#pragma once

#include "engine/script/program.h"
#include "engine/script/value.h"
#include "errors/run_error.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// The operators' arithmetic on plain doubles, shared by the evaluator of any values and the
// faster one for expressions that only ever see numbers. Each throws Fault rather than
// giving NaN or an infinity.
namespace slopekit::script {

inline double finite(double r)
{
    if (!(std::fabs(r) <= std::numeric_limits<double>::max()))  // false for infinities and NaN
        fault(errnum::Overflow);
    return r;
}

inline double divide(double a, double b)
{
    if (b == 0)
        fault(a == 0 ? errnum::Overflow : errnum::DivisionByZero);
    return finite(a / b);
}

// The rounding error of the product p = a*b, exactly: Dekker's product splits each factor into
// halves of 26 bits, whose products are exact. For factors far from the range's ends.
inline double productError(double a, double b, double p)
{
    constexpr double Splitter = 0x1p27 + 1;
    const double ta = Splitter * a;
    const double ah = ta - (ta - a);
    const double al = a - ah;
    const double tb = Splitter * b;
    const double bh = tb - (tb - b);
    const double bl = b - bh;
    return al * bl - (((p - ah * bh) - al * bh) - ah * bl);
}

// x*x*x costs a tenth of pow(x, 3) but may differ from it in the last bit. The product is
// taken only where it provably is pow's result: its exact error stays below 0.44 of a unit in
// the last place, so pow, whose error is below 0.54 units, must round to the same double. Not
// for powers of two (the unit changes there) nor near the range's ends.
inline bool cubeEqualsPow(double x, double& cube)
{
    const double magnitude = std::fabs(x);
    if (!(magnitude >= 0x1p-300 && magnitude <= 0x1p280))
        return false;
    const double square = x * x;
    const double product = square * x;
    const double error = productError(square, x, product) + productError(x, x, square) * x;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(product) & 0x7FFF'FFFF'FFFF'FFFFu;
    if ((bits & 0x000F'FFFF'FFFF'FFFFu) == 0)
        return false;
    const double unit = std::bit_cast<double>(bits & 0x7FF0'0000'0000'0000u) * 0x1p-52;
    if (!(std::fabs(error) <= 0.44 * unit))
        return false;
    cube = product;
    return true;
}

// x^2: x*x is exactly rounded, as pow's result is, and pow costs ten times more.
inline double square(double x) { return finite(x * x); }

// x^3: pow(x, 3), which no base can fail but by overflow.
inline double cube(double x)
{
    if (double product; cubeEqualsPow(x, product))
        return product;
    return finite(std::pow(x, 3.0));
}

inline double power(double base, double exponent)
{
    if (exponent == 2)
        return square(base);
    if (exponent == 3)
        return cube(base);
    if ((base < 0 && exponent != std::trunc(exponent)) || (base == 0 && exponent < 0))
        fault(errnum::InvalidCall);
    return finite(std::pow(base, exponent));
}

// Rounded half to even (the default rounding mode) to a Long; 6 outside its range.
inline std::int32_t roundToLong(double x)
{
    const double r = std::nearbyint(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        fault(errnum::Overflow);
    return static_cast<std::int32_t>(r);
}

// \ and Mod: both operands rounded to Longs; Mod keeps the dividend's sign.
inline double wholeDivide(Op op, double x, double y)
{
    const std::int64_t p = roundToLong(x);
    const std::int64_t q = roundToLong(y);
    if (q == 0)
        fault(errnum::DivisionByZero);
    const std::int64_t r = op == Op::IntDivide ? p / q : p % q;
    if (r > 2147483647)  // only the lowest Long divided by -1
        fault(errnum::Overflow);
    return static_cast<double>(r);
}

inline std::int32_t bitwise(Op op, std::int32_t x, std::int32_t y)
{
    switch (op) {
    case Op::And: return x & y;
    case Op::Or: return x | y;
    case Op::Xor: return x ^ y;
    case Op::Eqv: return ~(x ^ y);
    default: return ~x | y;  // Imp
    }
}

// Whether a comparison holds for an order (<0, 0, >0) of its operands.
inline bool holds(Op op, int order)
{
    switch (op) {
    case Op::Equal: return order == 0;
    case Op::NotEqual: return order != 0;
    case Op::Less: return order < 0;
    case Op::Greater: return order > 0;
    case Op::LessEqual: return order <= 0;
    default: return order >= 0;
    }
}

// The order of two numbers as -1, 0 or 1; a NaN ties, since neither comparison holds.
inline int order(double x, double y) { return (x > y) - (x < y); }

}  // namespace slopekit::script
