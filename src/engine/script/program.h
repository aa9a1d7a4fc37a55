#pragma once

#include "engine/script/globals.h"
#include "engine/script/value.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace slopekit::script {

enum class Op : std::uint8_t {
    Push,       // constant `index`
    Load,       // `slot`
    Store,      // pop into `slot`
    Negate,
    Add, Subtract, Multiply, Divide, Power, IntDivide, Modulo, Concat,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    Not, And, Or, Xor, Eqv, Imp,
    CallBuiltin,  // builtin `index` with `argc` arguments
    CallMethod,   // host `method` with `argc` arguments
    Raise,        // fail with error `index` (a call that can never succeed)
};

struct Instruction {
    explicit Instruction(Op o) : op(o) {}

    Op op;
    std::uint8_t argc = 0;
    std::uint32_t offset = 0;  // where in the text the operation stands, for its error
    union {
        std::uint32_t index;
        Slot* slot = nullptr;
        const HostMethod* method;
    };
};

// The code of a numeric program on plain doubles: an operator whose right operand is a
// constant or a variable carries it, so most operations need one dispatch instead of two.
enum class NumOp : std::uint8_t {
    Push, Load, LoadWhole, Negate, Not,
    Add, AddConst, AddVar, Subtract, SubtractConst, SubtractVar,
    Multiply, MultiplyConst, MultiplyVar, Divide, DivideConst, DivideVar,
    Power, PowerConst, PowerVar,
    Other,  // any other binary operator, by `op`
    Call,   // the built-in or host method of `call`
    Raise,  // error `number`
};

struct NumInstruction {
    explicit NumInstruction(NumOp o) : numOp(o) {}

    NumOp numOp;
    Op op = Op::Raise;
    std::uint32_t offset = 0;
    union {
        double constant;
        const double* address;
        const std::int32_t* whole;
        const Instruction* call;
        int number = 0;
    };
};

// The compiled form of a text: postfix code over a value stack, names bound to slots.
struct Program {
    std::string source;
    std::vector<Instruction> code;
    std::vector<Value> constants;
    std::deque<std::string> strings;  // the text of String constants
    std::size_t maxStack = 0;
    // An expression without texts, whose values are numbers whenever its variables hold
    // numbers, can also run as `numericCode` on plain doubles; `variables` are the slots to
    // check first.
    bool numeric = true;
    std::vector<NumInstruction> numericCode;
    std::vector<const Slot*> variables;
};

}  // namespace slopekit::script
