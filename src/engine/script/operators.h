#pragma once

#include "engine/script/numeric_ops.h"
#include "engine/script/program.h"
#include "engine/script/scratch.h"
#include "engine/script/value.h"

namespace slopekit::script {

// The operators of the language over any subtypes. They throw Fault for a run-time error;
// no result is ever NaN or infinite.
Value negate(const Value& a);
Value arithmetic(Op op, const Value& a, const Value& b);  // + - * / ^ \ Mod on numbers
Value add(const Value& a, const Value& b, Scratch& scratch);  // + also joins two texts
Value concat(const Value& a, const Value& b, Scratch& scratch);
Value compare(Op op, const Value& a, const Value& b);
Value logical(Op op, const Value& a, const Value& b);  // And Or Xor Eqv Imp
Value logicalNot(const Value& a);

}  // namespace slopekit::script
