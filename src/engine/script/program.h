#pragma once

#include "engine/script/globals.h"
#include "engine/script/value.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace slopekit::script {

enum class Op : std::uint8_t {
    Push,   // constant `index`
    Load,   // `slot`
    Store,  // pop into `slot`
    Negate,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    IntDivide,
    Modulo,
    Concat,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
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

// The code of a numeric program on plain doubles. An operator whose right operand is a
// constant or a variable reads it where it lies (`operand`), and one whose left operand is
// too (`left`, pushing nothing first): most operations take one dispatch instead of three.
// Every NumOp, in order. The enum and the numeric evaluator's table of handlers both
// expand this one list, so the table cannot fall out of step with the enum.
// clang-format off
#define SLOPEKIT_NUM_OPS(X)                                                                        \
    X(Push) X(Load) X(LoadWhole) X(Negate) X(Not)                                                  \
    X(Add) X(AddRight) X(AddBoth) X(Subtract) X(SubtractRight) X(SubtractBoth)                     \
    X(Multiply) X(MultiplyRight) X(MultiplyBoth) X(Divide) X(DivideRight) X(DivideBoth)            \
    X(Power) X(PowerRight) X(PowerBoth)                                                            \
    /* ^2 and ^3 of the value, or of `operand` */                                                  \
    X(Square) X(Cube) X(SquareOf) X(CubeOf)                                                        \
    /* `operand` - value, `operand` / value */                                                     \
    X(SubtractFrom) X(DivideInto)                                                                  \
    /* the value or `left` times `scale`: / by a power of two */                                   \
    X(Scale) X(ScaleOf)                                                                            \
    /* The value op an inner operation on `left` and `operand` (or on `operand` alone), whose */   \
    /* error stands at `innerOffset`. */                                                           \
    X(AddProduct) X(SubtractProduct) X(AddQuotient) X(SubtractQuotient)                            \
    X(AddSquare) X(SubtractSquare) X(MultiplySquare)                                               \
    X(Other)    /* any other binary operator, by `op` */                                           \
    X(Function) /* a built-in or host method of one number, by `function` */                       \
    X(Call)     /* any other built-in or host method, by `call` */                                 \
    X(Raise)    /* error `number` */                                                               \
    X(Return)   /* the value, last in every numeric code */
// clang-format on

enum class NumOp : std::uint8_t {
#define SLOPEKIT_NUM_OP_ENUMERATOR(name) name,
    SLOPEKIT_NUM_OPS(SLOPEKIT_NUM_OP_ENUMERATOR)
#undef SLOPEKIT_NUM_OP_ENUMERATOR
};

// A built-in or host method as a function of one number.
using NumberFunction = double (*)(void* context, double argument);

struct NumInstruction {
    explicit NumInstruction(NumOp o) : numOp(o) {}

    NumOp numOp;
    Op op = Op::Raise;
    std::uint32_t offset = 0;
    std::uint32_t innerOffset = 0;
    union {
        const double* left = nullptr;
        void* context;  // of `function`
    };
    union {
        const double* operand;  // a constant of the program or a variable's number
        double scale;
        const std::int32_t* whole;
        const Instruction* call;
        NumberFunction function;
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
    // check first (the variables and Double fields it reads).
    bool numeric = true;
    std::vector<NumInstruction> numericCode;
    std::vector<const Slot*> variables;
};

}  // namespace slopekit::script
