#pragma once

#include "engine/script/value.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace slopekit::script {

// A field of a host object that the language reads and assigns in place. A Double field
// holding NaN has no value yet: reading it is error 500, as for a variable never assigned
// (no value of the language is NaN, so no assignment can store that mark).
struct HostField {
    std::string name;
    double* number = nullptr;       // a Double field, or
    std::int32_t* whole = nullptr;  // a Long field
};

// The first and second derivative of a method of one number at an argument; `where` says
// why it has none there (e.g. "at an end of its domain, where its slope is infinite"), and
// is nullptr where it has them.
struct MethodSlope {
    double first = 0;
    double second = 0;
    const char* where = nullptr;
};

// A method of a host object. It may return only numbers, Booleans or Empty, and may throw
// Fault or RunError to fail the call.
struct HostMethod {
    std::string name;
    int arity = 0;
    std::function<Value(std::span<const Value>)> call;
    // Optional, for a method of one argument: the same method for a Double argument,
    // without building values (expressions on numbers call it in their inner loop).
    double (*callNumber)(void* context, double argument) = nullptr;
    // Optional, for a method of one argument: its derivatives, for exact evaluations.
    MethodSlope (*slope)(void* context, double argument) = nullptr;
    void* context = nullptr;
};

// What AddObject makes known of an object: its fields and methods by name.
struct HostObject {
    std::vector<HostField> fields;
    std::vector<HostMethod> methods;
};

}  // namespace slopekit::script
