#include "engine/script/builtins.h"

#include "ascii/ascii.h"
#include "engine/script/operators.h"
#include "errors/run_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace slopekit::script {
namespace {

// Texts are UTF-8: every byte but a continuation byte starts a character.
std::int32_t characterCount(const std::string& text)
{
    return static_cast<std::int32_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

using enum BuiltinId;

constexpr std::array<Builtin, static_cast<std::size_t>(Count)> Table{{
    {"abs", 1, 1},
    {"atn", 1, 1},
    {"cos", 1, 1},
    {"exp", 1, 1},
    {"fix", 1, 1},
    {"int", 1, 1},
    {"log", 1, 1},
    {"round", 1, 2},
    {"sgn", 1, 1},
    {"sin", 1, 1},
    {"sqr", 1, 1},
    {"tan", 1, 1},
    {"cbool", 1, 1},
    {"cdbl", 1, 1},
    {"cint", 1, 1},
    {"clng", 1, 1},
    {"csng", 1, 1},
    {"cstr", 1, 1, false},
    {"hex", 1, 1, false},
    {"oct", 1, 1, false},
    {"isnumeric", 1, 1, false},
    {"isempty", 1, 1, false},
    {"len", 1, 1, false},
}};

// Abs, Fix and Int keep a number's subtype where the result still fits it.
Value sameKind(const Value& a, double r)
{
    if (a.type == Type::Double || a.type == Type::String)
        return Value::real(r);
    return wholeValue(r, a.type == Type::Boolean ? Type::Integer : a.type);
}

Value roundValue(const Value* args, int argc)
{
    const double x = toNumber(args[0]);
    const std::int32_t digits = argc > 1 ? toLong(args[1]) : 0;
    if (digits < 0)
        fault(errnum::InvalidCall);
    if (digits == 0)
        return sameKind(args[0], std::nearbyint(x));
    if (digits > 22)
        return Value::real(x);
    const double scale = std::pow(10.0, digits);
    const double scaled = x * scale;
    if (!std::isfinite(scaled))
        return Value::real(x);
    return Value::real(std::nearbyint(scaled) / scale);
}

std::string inBase(const Value& a, unsigned shift, const char* digits)
{
    const std::int32_t v = toLong(a);
    std::uint32_t u = static_cast<std::uint32_t>(v);
    if (v < 0 && a.type <= Type::Integer && a.type != Type::Empty)
        u &= 0xFFFFu;  // a negative Integer shows as 16 bits, as the platform does
    std::string out;
    do {
        out.insert(out.begin(), digits[u & ((1u << shift) - 1)]);
        u >>= shift;
    } while (u != 0);
    return out;
}

Value convertBoolean(const Value& a)
{
    if (a.type == Type::String) {
        const std::string& t = *a.text;
        if (sameName(t, "True"))
            return Value::boolean(true);
        if (sameName(t, "False"))
            return Value::boolean(false);
    }
    return Value::boolean(toNumber(a) != 0);
}

Value whole(const Value& a, Type kind)
{
    const double r = std::nearbyint(toNumber(a));
    const Value v = wholeValue(r, kind);
    if (v.type != kind)
        fault(errnum::Overflow);
    return v;
}

// The built-ins whose result is a Double, on numbers.
double atnOf(void*, double x) { return std::atan(x); }
double cosOf(void*, double x) { return finite(std::cos(x)); }
double sinOf(void*, double x) { return finite(std::sin(x)); }
double tanOf(void*, double x) { return finite(std::tan(x)); }
double expOf(void*, double x) { return finite(std::exp(x)); }

double logOf(void*, double x)
{
    if (x <= 0)
        fault(errnum::InvalidCall);
    return std::log(x);
}

double sqrOf(void*, double x)
{
    if (x < 0)
        fault(errnum::InvalidCall);
    return std::sqrt(x);
}

double sameNumber(void*, double x) { return x; }

}  // namespace

NumberFunction numberFunction(std::uint32_t index)
{
    switch (static_cast<BuiltinId>(index)) {
    case Atn: return atnOf;
    case Cos: return cosOf;
    case Sin: return sinOf;
    case Tan: return tanOf;
    case Exp: return expOf;
    case Log: return logOf;
    case Sqr: return sqrOf;
    case CDbl:
    case CSng: return sameNumber;
    default: return nullptr;
    }
}

std::optional<std::uint32_t> findBuiltin(std::string_view foldedName)
{
    for (std::uint32_t i = 0; i < Table.size(); ++i)
        if (Table[i].name == foldedName)
            return i;
    return std::nullopt;
}

const Builtin& builtin(std::uint32_t index) { return Table[index]; }

Value callBuiltin(std::uint32_t index, const Value* args, int argc, Scratch& scratch)
{
    const Value& a = args[0];
    switch (static_cast<BuiltinId>(index)) {
    case Abs: return sameKind(a, std::fabs(toNumber(a)));
    case Atn:
    case Cos:
    case Sin:
    case Tan:
    case Exp:
    case Log:
    case Sqr:
    case CDbl:
    case CSng: return Value::real(numberFunction(index)(nullptr, toNumber(a)));
    case Fix: return sameKind(a, std::trunc(toNumber(a)));
    case Int: return sameKind(a, std::floor(toNumber(a)));
    case Round: return roundValue(args, argc);
    case Sgn: {
        const double x = toNumber(a);
        return Value::integer(x > 0 ? 1 : (x < 0 ? -1 : 0));
    }
    case CBool: return convertBoolean(a);
    case CInt: return whole(a, Type::Integer);
    case CLng: return whole(a, Type::Long);
    case CStr: return Value::string(scratch.keep(textForm(a)));
    case Hex: return Value::string(scratch.keep(inBase(a, 4, "0123456789ABCDEF")));
    case Oct: return Value::string(scratch.keep(inBase(a, 3, "01234567")));
    case IsNumeric: return Value::boolean(a.type != Type::String || isNumberText(*a.text));
    case IsEmpty: return Value::boolean(a.type == Type::Empty);
    case Len: return Value::longValue(characterCount(textForm(a)));
    case Count: break;
    }
    fault(errnum::TypeMismatch);
}

}  // namespace slopekit::script
