#pragma once

#include "engine/script/host_object.h"
#include "engine/script/value.h"

#include <cstdint>
#include <limits>

namespace slopekit {

// The extra math functions that the expression language lacks, the predefined constants,
// and the error channel `ierr`. Each function runs under its own error trap: a failure
// stores the error number in `ierr` and the function returns 0, so the engine never sees it.
class Class1 {
public:
    double pi = 0;
    double halfpi = 0;
    double e = 0;
    // Where the engine keeps a problem variable or constant named x. Without one, x has no
    // value (NaN marks that for the engine), so a function that uses x by mistake fails
    // instead of computing with 0.
    double x = std::numeric_limits<double>::quiet_NaN();
    std::int32_t ierr = 0;

    double Asin(const script::Value& x);
    double Acos(const script::Value& x);
    double Sinh(const script::Value& x);
    double Cosh(const script::Value& x);
    double Tanh(const script::Value& x);
    double Asinh(const script::Value& x);
    double Acosh(const script::Value& x);
    double Atanh(const script::Value& x);

    // The fields and methods by name, for AddObject.
    script::HostObject members();
};

}  // namespace slopekit
