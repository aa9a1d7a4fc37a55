#include "engine/class1.h"

#include "errors/run_error.h"

#include <cmath>

namespace slopekit {
namespace {

// The number of an argument as the functions read it: text that is not a number is 13.
double argument(const script::Value& x) { return script::toNumber(x); }

[[noreturn]] void raise(int number) { script::fault(number); }

double checked(double r)
{
    if (!std::isfinite(r))
        raise(errnum::Overflow);
    return r;
}

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
        return std::atan(v / std::sqrt(-v * v + 1));
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
        return halfpi - std::atan(v / std::sqrt(-v * v + 1));
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

script::HostObject Class1::members()
{
    using Method = double (Class1::*)(const script::Value&);
    script::HostObject object;
    object.fields = {{"pi", &pi, nullptr}, {"halfpi", &halfpi, nullptr}, {"e", &e, nullptr},
                     {"x", &x, nullptr}, {"ierr", nullptr, &ierr}};
    const std::pair<const char*, Method> methods[] = {
        {"Asin", &Class1::Asin}, {"Acos", &Class1::Acos}, {"Sinh", &Class1::Sinh},
        {"Cosh", &Class1::Cosh}, {"Tanh", &Class1::Tanh}, {"Asinh", &Class1::Asinh},
        {"Acosh", &Class1::Acosh}, {"Atanh", &Class1::Atanh},
    };
    for (const auto& entry : methods) {
        const Method method = entry.second;  // clang 14 cannot capture a structured binding
        object.methods.push_back({entry.first, 1, [this, method](std::span<const script::Value> args) {
                                      return script::Value::real((this->*method)(args[0]));
                                  }});
    }
    return object;
}

}  // namespace slopekit
