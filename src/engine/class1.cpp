#include "engine/class1.h"

#include "errors/run_error.h"

#include <cmath>

namespace slopekit {
namespace {

// The number of an argument as the functions read it: text that is not a number is 13.
double argument(const script::Value& x) { return script::toNumber(x); }

[[noreturn]] void raise(int number) { script::fault(number); }

double checked(double r) { return finiteOrOverflow(r, "Class1"); }

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

namespace {

using Method = double (Class1::*)(const script::Value&);

template <Method method>
double withNumber(void* self, double argument)
{
    return (static_cast<Class1*>(self)->*method)(script::Value::real(argument));
}

template <Method method>
script::HostMethod hostMethod(Class1* self, const char* name)
{
    return {name, 1,
            [self](std::span<const script::Value> args) { return script::Value::real((self->*method)(args[0])); },
            &withNumber<method>, self};
}

}  // namespace

script::HostObject Class1::members()
{
    script::HostObject object;
    object.fields = {{"pi", &pi, nullptr}, {"halfpi", &halfpi, nullptr}, {"e", &e, nullptr},
                     {"x", &x, nullptr}, {"ierr", nullptr, &ierr}};
    object.methods = {
        hostMethod<&Class1::Asin>(this, "Asin"),   hostMethod<&Class1::Acos>(this, "Acos"),
        hostMethod<&Class1::Sinh>(this, "Sinh"),   hostMethod<&Class1::Cosh>(this, "Cosh"),
        hostMethod<&Class1::Tanh>(this, "Tanh"),   hostMethod<&Class1::Asinh>(this, "Asinh"),
        hostMethod<&Class1::Acosh>(this, "Acosh"), hostMethod<&Class1::Atanh>(this, "Atanh"),
    };
    return object;
}

}  // namespace slopekit
