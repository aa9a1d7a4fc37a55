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

// The compiled form of a text: postfix code over a value stack, names bound to slots.
struct Program {
    std::string source;
    std::vector<Instruction> code;
    std::vector<Value> constants;
    std::deque<std::string> strings;  // the text of String constants
    std::size_t maxStack = 0;
};

}  // namespace slopekit::script
