#include "engine/class1.h"

#include "errors/run_error.h"

#include <cmath>
#include <limits>

namespace slopekit {
namespace {

// The number of an argument as the functions read it: text that is not a number is 13.
double argument(const script::Value& x) { return script::toNumber(x); }

[[noreturn]] void raise(int number) { script::fault(number); }

double checked(double r) { return finiteOrOverflow(r, "Class1"); }

// Each formula once, for the trapped method and for its lean form below.
double asinInside(double v) { return std::atan(v / std::sqrt(-v * v + 1)); }  // |v| < 1
double acosInside(double halfpi, double v) { return halfpi - asinInside(v); }

}  // namespace

template <typename Body>
double trapped(std::int32_t& ierr, Body body)
{
    try {
        return body();
    } catch (const script::Fault& f) {
        ierr = f.number;
    } catch (const RunError& e) {
        ierr = e.number();
    }
    return 0;
}

double Class1::Asin(const script::Value& x)
{
    return trapped(ierr, [&] {
        const double v = argument(x);
        if (std::fabs(v) > 1)
            raise(errnum::InvalidCall);
        if (v == 1)
            return halfpi;
        if (v == -1)
            return -halfpi;
        return asinInside(v);
    });
}

double Class1::Acos(const script::Value& x)
{
    return trapped(ierr, [&] {
        const double v = argument(x);
        if (std::fabs(v) > 1)
            raise(errnum::InvalidCall);
        if (v == 1)
            return 0.0;
        if (v == -1)
            return 2 * halfpi;
        return acosInside(halfpi, v);
    });
}

// The hyperbolic functions are computed directly rather than from exponentials, so they
// fail only where the true value leaves the double range and stay accurate near 0.
double Class1::Sinh(const script::Value& x)
{
    return trapped(ierr, [&] { return checked(std::sinh(argument(x))); });
}

double Class1::Cosh(const script::Value& x)
{
    return trapped(ierr, [&] { return checked(std::cosh(argument(x))); });
}

double Class1::Tanh(const script::Value& x)
{
    return trapped(ierr, [&] { return std::tanh(argument(x)); });
}

double Class1::Asinh(const script::Value& x)
{
    return trapped(ierr, [&] { return std::asinh(argument(x)); });
}

double Class1::Acosh(const script::Value& x)
{
    return trapped(ierr, [&] {
        const double v = argument(x);
        if (v < 1)
            raise(errnum::InvalidCall);
        return std::acosh(v);
    });
}

double Class1::Atanh(const script::Value& x)
{
    return trapped(ierr, [&] {
        const double v = argument(x);
        if (v == 1)
            raise(errnum::DivisionByZero);
        if (std::fabs(v) >= 1)
            raise(errnum::InvalidCall);
        return std::atanh(v);
    });
}

namespace {

using Method = double (Class1::*)(const script::Value&);
// A method's ordinary case: what the method computes for an argument inside its domain,
// where no check of the trapped body fires; NaN for every other argument.
using Inside = double (*)(const Class1& sh, double v);

constexpr double Outside = std::numeric_limits<double>::quiet_NaN();

double asinLean(const Class1&, double v) { return std::fabs(v) < 1 ? asinInside(v) : Outside; }
double acosLean(const Class1& sh, double v) { return std::fabs(v) < 1 ? acosInside(sh.halfpi, v) : Outside; }
double sinhLean(const Class1&, double v) { return std::sinh(v); }
double coshLean(const Class1&, double v) { return std::cosh(v); }
double tanhLean(const Class1&, double v) { return std::tanh(v); }
double asinhLean(const Class1&, double v) { return std::asinh(v); }
double acoshLean(const Class1&, double v) { return v >= 1 ? std::acosh(v) : Outside; }
double atanhLean(const Class1&, double v) { return std::fabs(v) < 1 ? std::atanh(v) : Outside; }

// Expressions on numbers call this in their inner loop: the ordinary case without values,
// trap or conversion; anything else (a domain's end, a non-finite result, an error for
// ierr) takes the whole method.
template <Method method, Inside inside>
double withNumber(void* self, double argument)
{
    Class1& sh = *static_cast<Class1*>(self);
    if (const double r = inside(sh, argument); r - r == 0)
        return r;
    return (sh.*method)(script::Value::real(argument));
}

// Each function's first and second derivatives, for exact evaluations, in forms without a
// difference of nearly equal numbers: (1 - v)(1 + v), not 1 - v^2; 1/cosh^2, not 1 - tanh^2.
// Outside a domain the method fails through ierr, so those slopes are never read.
using Slope = script::MethodSlope (*)(void* self, double v);
constexpr const char* InfiniteSlope = "at an end of its domain, where its slope is infinite";

script::MethodSlope asinSlope(void*, double v)
{
    if (!(std::fabs(v) < 1))
        return {0, 0, InfiniteSlope};
    const double d1 = 1 / std::sqrt((1 - v) * (1 + v));
    return {d1, v * d1 * d1 * d1};
}

script::MethodSlope acosSlope(void* self, double v)
{
    const script::MethodSlope s = asinSlope(self, v);
    return {-s.first, -s.second, s.where};
}

script::MethodSlope sinhSlope(void*, double v) { return {std::cosh(v), std::sinh(v)}; }
script::MethodSlope coshSlope(void*, double v) { return {std::sinh(v), std::cosh(v)}; }

script::MethodSlope tanhSlope(void*, double v)
{
    const double c = std::cosh(v);
    const double d1 = 1 / (c * c);
    return {d1, -2 * std::tanh(v) * d1};
}

script::MethodSlope asinhSlope(void*, double v)
{
    const double d1 = 1 / std::hypot(1.0, v);
    return {d1, -(v * d1) * d1 * d1};
}

script::MethodSlope acoshSlope(void*, double v)
{
    if (!(v > 1))
        return {0, 0, InfiniteSlope};
    const double d1 = 1 / (std::sqrt(v - 1) * std::sqrt(v + 1));
    return {d1, -(v * d1) * d1 * d1};
}

script::MethodSlope atanhSlope(void*, double v)
{
    if (!(std::fabs(v) < 1))
        return {0, 0, InfiniteSlope};
    const double d1 = 1 / ((1 - v) * (1 + v));
    return {d1, 2 * v * d1 * d1};
}

template <Method method, Inside inside>
script::HostMethod hostMethod(Class1* self, const char* name, Slope slope)
{
    return {
        .name = name,
        .arity = 1,
        .call = [self](std::span<const script::Value> args) { return script::Value::real((self->*method)(args[0])); },
        .callNumber = &withNumber<method, inside>,
        .slope = slope,
        .context = self};
}

}  // namespace

script::HostObject Class1::members()
{
    script::HostObject object;
    object.fields = {{"pi", &pi, nullptr},
                     {"halfpi", &halfpi, nullptr},
                     {"e", &e, nullptr},
                     {"x", &x, nullptr},
                     {"ierr", nullptr, &ierr}};
    object.methods = {
        hostMethod<&Class1::Asin, asinLean>(this, "Asin", asinSlope),
        hostMethod<&Class1::Acos, acosLean>(this, "Acos", acosSlope),
        hostMethod<&Class1::Sinh, sinhLean>(this, "Sinh", sinhSlope),
        hostMethod<&Class1::Cosh, coshLean>(this, "Cosh", coshSlope),
        hostMethod<&Class1::Tanh, tanhLean>(this, "Tanh", tanhSlope),
        hostMethod<&Class1::Asinh, asinhLean>(this, "Asinh", asinhSlope),
        hostMethod<&Class1::Acosh, acoshLean>(this, "Acosh", acoshSlope),
        hostMethod<&Class1::Atanh, atanhLean>(this, "Atanh", atanhSlope),
    };
    return object;
}

}  // namespace slopekit
