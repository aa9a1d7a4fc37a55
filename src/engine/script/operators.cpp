#include "engine/script/operators.h"

#include "errors/run_error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace slopekit::script {

const std::string* Scratch::keep(std::string text)
{
    if (text.size() > MaxText)
        fault(14);
    return &m_texts.emplace_back(std::move(text));
}

namespace {

bool isWhole(Type t) { return t >= Type::Boolean && t <= Type::Long; }

// The subtype that a numeric operand has in arithmetic (a text read as a number is a Double).
Type numericType(const Value& v)
{
    switch (v.type) {
    case Type::Empty: return Type::Integer;
    case Type::String: return Type::Double;
    default: return v.type;
    }
}

double divide(double a, double b)
{
    if (b == 0)
        fault(a == 0 ? errnum::Overflow : errnum::DivisionByZero);
    return finite(a / b);
}

double power(double base, double exponent)
{
    if (exponent == 2)
        return finite(base * base);
    if (base < 0 && exponent != std::trunc(exponent))
        fault(errnum::InvalidCall);
    if (base == 0 && exponent < 0)
        fault(errnum::InvalidCall);
    const double r = std::pow(base, exponent);
    if (std::isnan(r))
        fault(errnum::InvalidCall);
    return finite(r);
}

}  // namespace

Value negate(const Value& a)
{
    const Type t = numericType(a);
    const double v = -toNumber(a);
    if (t == Type::Double)
        return Value::real(v);
    return wholeValue(v, std::max(t, Type::Integer));
}

Value arithmetic(Op op, const Value& a, const Value& b)
{
    const double x = toNumber(a);
    const double y = toNumber(b);
    const Type ta = numericType(a);
    const Type tb = numericType(b);
    const bool whole = isWhole(ta) && isWhole(tb);
    const Type widest = std::max({ta, tb, Type::Integer});
    switch (op) {
    case Op::Add: return whole ? wholeValue(x + y, widest) : Value::real(finite(x + y));
    case Op::Subtract: return whole ? wholeValue(x - y, widest) : Value::real(finite(x - y));
    case Op::Multiply: return whole ? wholeValue(x * y, widest) : Value::real(finite(x * y));
    case Op::Divide: return Value::real(divide(x, y));
    case Op::Power: return Value::real(power(x, y));
    case Op::IntDivide:
    case Op::Modulo: {
        const std::int64_t p = toLong(a);
        const std::int64_t q = toLong(b);
        if (q == 0)
            fault(errnum::DivisionByZero);
        const std::int64_t r = op == Op::IntDivide ? p / q : p % q;  // % keeps the dividend's sign
        const Value v = wholeValue(static_cast<double>(r), widest == Type::Double ? Type::Long : widest);
        if (v.type == Type::Double)
            fault(errnum::Overflow);
        return v;
    }
    default: fault(errnum::TypeMismatch);
    }
}

Value add(const Value& a, const Value& b, Scratch& scratch)
{
    if (a.type == Type::String && b.type == Type::String)
        return concat(a, b, scratch);
    return arithmetic(Op::Add, a, b);
}

Value concat(const Value& a, const Value& b, Scratch& scratch)
{
    return Value::string(scratch.keep(textForm(a) + textForm(b)));
}

Value compare(Op op, const Value& a, const Value& b)
{
    int order;  // <0, 0, >0
    const bool aText = a.type == Type::String;
    const bool bText = b.type == Type::String;
    if (aText && bText) {
        order = a.text->compare(*b.text);
    } else if (aText != bText) {
        order = aText ? 1 : -1;  // a number is less than any text
    } else {
        const double x = toNumber(a);
        const double y = toNumber(b);
        order = x < y ? -1 : (x > y ? 1 : 0);
    }
    switch (op) {
    case Op::Equal: return Value::boolean(order == 0);
    case Op::NotEqual: return Value::boolean(order != 0);
    case Op::Less: return Value::boolean(order < 0);
    case Op::Greater: return Value::boolean(order > 0);
    case Op::LessEqual: return Value::boolean(order <= 0);
    default: return Value::boolean(order >= 0);
    }
}

namespace {

// Logical operands: Booleans stay Booleans; everything else becomes a whole number.
Value logicalResult(std::int32_t r, const Value& a, const Value* b)
{
    if (a.type == Type::Boolean && (!b || b->type == Type::Boolean))
        return Value::boolean(r != 0);
    const bool small = numericType(a) <= Type::Integer && (!b || numericType(*b) <= Type::Integer);
    return wholeValue(r, small ? Type::Integer : Type::Long);
}

}  // namespace

Value logical(Op op, const Value& a, const Value& b)
{
    const std::int32_t x = toLong(a);
    const std::int32_t y = toLong(b);
    std::int32_t r;
    switch (op) {
    case Op::And: r = x & y; break;
    case Op::Or: r = x | y; break;
    case Op::Xor: r = x ^ y; break;
    case Op::Eqv: r = ~(x ^ y); break;
    default: r = ~x | y; break;  // Imp
    }
    return logicalResult(r, a, &b);
}

Value logicalNot(const Value& a) { return logicalResult(~toLong(a), a, nullptr); }

}  // namespace slopekit::script
