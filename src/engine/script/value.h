#pragma once

#include <cstdint>
#include <string>

namespace slopekit::script {

// The subtypes of the language, ordered so that the numeric ones form one range and the
// whole-number ones widen upwards (Boolean < Integer < Long < Double).
enum class Type : std::uint8_t { Empty, Boolean, Integer, Long, Double, String };

// A value while an expression runs. Trivially copyable so the evaluator's stack costs
// nothing to move; a String points at text owned by the engine (or by a host object)
// that stays valid for the rest of the current call.
struct Value {
    Type type = Type::Empty;
    double number = 0;                  // Boolean (-1 or 0), Integer, Long, Double
    const std::string* text = nullptr;  // String

    static Value boolean(bool b) { return {Type::Boolean, b ? -1.0 : 0.0, nullptr}; }
    static Value integer(int v) { return {Type::Integer, static_cast<double>(v), nullptr}; }
    static Value longValue(std::int32_t v) { return {Type::Long, static_cast<double>(v), nullptr}; }
    static Value real(double v) { return {Type::Double, v, nullptr}; }
    static Value string(const std::string* s) { return {Type::String, 0, s}; }

    bool isNumeric() const { return type >= Type::Boolean && type <= Type::Double; }
};

// A value that owns its text, as Eval hands it out.
struct Variant {
    Type type = Type::Empty;
    double number = 0;
    std::string text;

    static Variant of(const Value& v) { return {v.type, v.number, v.type == Type::String ? *v.text : std::string()}; }
};

// A run-time error raised inside an operation; the evaluator adds where it happened.
struct Fault {
    int number;
};
[[noreturn]] void fault(int number);

// The smallest whole subtype, not below `atLeast`, that holds `v`; Double beyond Long.
Value wholeValue(double v, Type atLeast);

// The value as a number: strings are read as numbers (13 when they are none), Empty is 0.
double toNumber(const Value& v);

// The value rounded half to even to a Long (6 outside the Long range).
std::int32_t toLong(const Value& v);

// The text form: "True"/"False", numbers with up to 15 significant digits, Empty as "".
std::string textForm(const Value& v);

// Whether a text reads as a number.
bool isNumberText(const std::string& text);

}  // namespace slopekit::script
