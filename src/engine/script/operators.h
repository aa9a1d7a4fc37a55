#pragma once

#include "engine/script/numeric_ops.h"
#include "engine/script/program.h"
#include "engine/script/scratch.h"
#include "engine/script/value.h"

namespace slopekit::script {

// The operators of the language over any subtypes. They throw Fault for a run-time error;
// no result is ever NaN or infinite.
Value negate(const Value& a);
Value arithmetic(Op op, const Value& a, const Value& b);      // + - * / ^ \ Mod on numbers
Value add(const Value& a, const Value& b, Scratch& scratch);  // + also joins two texts
Value concat(const Value& a, const Value& b, Scratch& scratch);
Value compare(Op op, const Value& a, const Value& b);
Value logical(Op op, const Value& a, const Value& b);  // And Or Xor Eqv Imp
Value logicalNot(const Value& a);

// Both operands numbers, at least one of them a Double: the result is a Double.
inline bool realPair(const Value& a, const Value& b)
{
    return a.isNumeric() && b.isNumeric() && (a.type == Type::Double || b.type == Type::Double);
}

// The value of a binary operator `op` (any but Store) on its operands.
inline Value binaryValue(Op op, const Value& a, const Value& b, Scratch& scratch)
{
    switch (op) {
    case Op::Add:
        if (realPair(a, b))
            return Value::real(finite(a.number + b.number));
        return add(a, b, scratch);
    case Op::Subtract:
    case Op::Multiply:
        if (realPair(a, b))
            return Value::real(finite(op == Op::Multiply ? a.number * b.number : a.number - b.number));
        return arithmetic(op, a, b);
    case Op::Concat: return concat(a, b, scratch);
    case Op::Equal:
    case Op::NotEqual:
    case Op::Less:
    case Op::Greater:
    case Op::LessEqual:
    case Op::GreaterEqual: return compare(op, a, b);
    case Op::And:
    case Op::Or:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp: return logical(op, a, b);
    default: return arithmetic(op, a, b);  // / ^ \ Mod
    }
}

}  // namespace slopekit::script
