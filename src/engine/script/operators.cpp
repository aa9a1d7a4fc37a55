#include "engine/script/operators.h"

#include "errors/run_error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace slopekit::script {

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
    case Op::Modulo: return wholeValue(wholeDivide(op, x, y), widest == Type::Double ? Type::Long : widest);
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
    const bool aText = a.type == Type::String;
    const bool bText = b.type == Type::String;
    int sign;
    if (aText && bText)
        sign = a.text->compare(*b.text);
    else if (aText != bText)
        sign = aText ? 1 : -1;  // a number is less than any text
    else
        sign = order(toNumber(a), toNumber(b));
    return Value::boolean(holds(op, sign));
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
    const std::int32_t r = bitwise(op, toLong(a), toLong(b));
    return logicalResult(r, a, &b);
}

Value logicalNot(const Value& a) { return logicalResult(~toLong(a), a, nullptr); }

}  // namespace slopekit::script
