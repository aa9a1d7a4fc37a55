#include "engine/script/numeric_code.h"

#include "engine/script/builtins.h"
#include "engine/script/evaluator.h"
#include "engine/script/numeric_ops.h"
#include "errors/run_error.h"

#include <cmath>
#include <optional>

namespace slopekit::script {
namespace {

// The forms of the operators whose operands can be read in place: from the stack, the right
// one in place, both in place.
struct Fusable {
    Op op;
    NumOp plain, right, both;
};

constexpr Fusable Fusables[] = {
    {Op::Add, NumOp::Add, NumOp::AddRight, NumOp::AddBoth},
    {Op::Subtract, NumOp::Subtract, NumOp::SubtractRight, NumOp::SubtractBoth},
    {Op::Multiply, NumOp::Multiply, NumOp::MultiplyRight, NumOp::MultiplyBoth},
    {Op::Divide, NumOp::Divide, NumOp::DivideRight, NumOp::DivideBoth},
    {Op::Power, NumOp::Power, NumOp::PowerRight, NumOp::PowerBoth},
};

const Fusable* fusable(Op op)
{
    for (const Fusable& f : Fusables)
        if (f.op == op)
            return &f;
    return nullptr;
}

// Where a Load finds its number, or nullptr for a Long field.
const double* numberAddress(const Slot& s)
{
    switch (s.kind) {
    case SlotKind::NumberField: return s.number;
    case SlotKind::WholeField: return nullptr;
    default: return &s.value.number;
    }
}

// Where a Push or Load finds its number, or nullptr for any other instruction.
const double* operandAddress(const Program& program, const Instruction& ins)
{
    if (ins.op == Op::Push)
        return &program.constants[ins.index].number;
    if (ins.op == Op::Load)
        return numberAddress(*ins.slot);
    return nullptr;
}

// A call of one number that needs no values: a built-in with a Double result, or a host
// method that offers its number form.
bool asFunction(const Instruction& ins, NumInstruction& n)
{
    if (ins.argc != 1)
        return false;
    if (ins.op == Op::CallBuiltin) {
        n.function = numberFunction(ins.index);
        n.context = nullptr;
    } else if (ins.op == Op::CallMethod) {
        n.function = ins.method->callNumber;
        n.context = ins.method->context;
    }
    return (ins.op == Op::CallBuiltin || ins.op == Op::CallMethod) && n.function;
}

NumInstruction single(const Program& program, const Instruction& ins)
{
    NumInstruction n{NumOp::Raise};
    n.op = ins.op;
    n.offset = ins.offset;
    switch (ins.op) {
    case Op::Push:
        n.numOp = NumOp::Push;
        n.operand = operandAddress(program, ins);
        break;
    case Op::Load:
        if (const double* address = numberAddress(*ins.slot)) {
            n.numOp = NumOp::Load;
            n.operand = address;
        } else {
            n.numOp = NumOp::LoadWhole;
            n.whole = ins.slot->whole;
        }
        break;
    case Op::Negate: n.numOp = NumOp::Negate; break;
    case Op::Not: n.numOp = NumOp::Not; break;
    case Op::CallBuiltin:
    case Op::CallMethod:
        if (asFunction(ins, n)) {
            n.numOp = NumOp::Function;
        } else {
            n.numOp = NumOp::Call;
            n.call = &ins;
        }
        break;
    case Op::Raise: n.number = static_cast<int>(ins.index); break;
    case Op::Store:
    case Op::Concat: n.number = errnum::TypeMismatch; break;  // never in a numeric program
    default:
        if (const Fusable* f = fusable(ins.op))
            n.numOp = f->plain;
        else
            n.numOp = NumOp::Other;
        break;
    }
    return n;
}

double otherBinary(Op op, double a, double b)
{
    switch (op) {
    case Op::IntDivide:
    case Op::Modulo: return wholeDivide(op, a, b);
    case Op::And:
    case Op::Or:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp: return bitwise(op, roundToLong(a), roundToLong(b));
    default: return holds(op, order(a, b)) ? -1 : 0;  // a comparison
    }
}

// The inner operation of a fused form, its error located at its own operator.
template <typename Operation>
double inner(const NumInstruction& n, Operation operation)
{
    try {
        return operation();
    } catch (const Fault& f) {
        throw LocatedFault{f.number, n.innerOffset};
    }
}

// Built-ins and host methods take values; numeric programs hand them Doubles (two at most).
double call(const Instruction& ins, const double* args, Scratch& scratch)
{
    Value values[2];
    for (int i = 0; i < ins.argc && i < 2; ++i)
        values[i] = Value::real(args[i]);
    if (ins.op == Op::CallBuiltin)
        return callBuiltin(ins.index, values, ins.argc, scratch).number;
    return callHostMethod(*ins.method, values, ins.argc).number;
}

// 1/c where x / c is x * (1/c) to the last bit: c a power of two, its reciprocal exact and
// normal, as both operations round the same exact value. Saves a division, which costs several
// multiplications.
std::optional<double> exactReciprocal(double c)
{
    int exponent = 0;
    if (std::fabs(std::frexp(c, &exponent)) != 0.5 || exponent - 1 < -1022 || exponent - 1 > 1022)
        return std::nullopt;  // also for 0, infinities and NaN
    return 1 / c;
}

// Translates code[begin, end), one subexpression or a run of them, into `out`.
class Translator {
public:
    Translator(const Program& program, std::vector<NumInstruction>& out)
        : m_program(program), m_code(program.code), m_out(out)
    {
    }

    void translate(std::size_t begin, std::size_t end)
    {
        for (std::size_t i = begin; i < end; ++i) {
            const Instruction& ins = m_code[i];
            const double* first = operandAddress(m_program, ins);
            const double* second = i + 1 < end ? operandAddress(m_program, m_code[i + 1]) : nullptr;
            const Instruction* afterOne = i + 1 < end ? &m_code[i + 1] : nullptr;
            const Instruction* afterTwo = i + 2 < end ? &m_code[i + 2] : nullptr;
            if (first && second && afterTwo && fusable(afterTwo->op)) {
                // left right op: both operands read in place, or left ^ 2 and left ^ 3
                const NumOp both = fusable(afterTwo->op)->both;
                const NumOp form = exponentForm(m_code[i + 1], *afterTwo, NumOp::SquareOf, NumOp::CubeOf, both);
                const Instruction* afterThree = i + 3 < end ? &m_code[i + 3] : nullptr;
                if (const NumOp outer = afterThree ? withOuter(form, afterThree->op) : NumOp::Raise;
                    outer != NumOp::Raise) {
                    // value op (left right op): the inner result used at once
                    emit(*afterThree, outer, form == both ? first : nullptr, form == both ? second : first);
                    m_out.back().innerOffset = afterTwo->offset;
                    ++i;
                } else if (const auto scale = divisorScale(m_code[i + 1], *afterTwo))
                    emitScale(*afterTwo, NumOp::ScaleOf, first, *scale);
                else if (form == both)
                    emit(*afterTwo, form, first, second);
                else
                    emit(*afterTwo, form, nullptr, first);
                i += 2;
            } else if (first && afterOne && fusable(afterOne->op)) {
                // (value) right op: the right operand read in place
                const NumOp right = fusable(afterOne->op)->right;
                if (const auto scale = divisorScale(ins, *afterOne))
                    emitScale(*afterOne, NumOp::Scale, nullptr, *scale);
                else
                    emit(*afterOne, exponentForm(ins, *afterOne, NumOp::Square, NumOp::Cube, right), nullptr, first);
                ++i;
            } else if (const std::size_t op = first ? leftOperandOf(i, end) : end; op != end) {
                // left (subexpression) op: the subexpression first, then the left operand in place
                translate(i + 1, op);
                emit(m_code[op], reversed(m_code[op].op), nullptr, first);
                i = op;
            } else {
                m_out.push_back(single(m_program, ins));
            }
        }
    }

private:
    void emit(const Instruction& op, NumOp numOp, const double* left, const double* operand)
    {
        NumInstruction n{numOp};
        n.op = op.op;
        n.offset = op.offset;
        if (left)
            n.left = left;
        n.operand = operand;
        m_out.push_back(n);
    }

    void emitScale(const Instruction& op, NumOp numOp, const double* left, double scale)
    {
        emit(op, numOp, left, nullptr);
        m_out.back().scale = scale;
    }

    // The factor that replaces a division by a constant `right`, if one does exactly.
    std::optional<double> divisorScale(const Instruction& right, const Instruction& op) const
    {
        if (op.op != Op::Divide || right.op != Op::Push)
            return std::nullopt;
        return exactReciprocal(m_program.constants[right.index].number);
    }

    // ^2 and ^3 by a constant have forms of their own; `general` for any other operator.
    NumOp exponentForm(const Instruction& right, const Instruction& op, NumOp squareForm, NumOp cubeForm,
                       NumOp general) const
    {
        if (op.op != Op::Power || right.op != Op::Push)
            return general;
        const double exponent = m_program.constants[right.index].number;
        return exponent == 2 ? squareForm : exponent == 3 ? cubeForm : general;
    }

    // The form of `outer` whose right operand is `inner` on operands in place; Raise if none.
    static NumOp withOuter(NumOp inner, Op outer)
    {
        constexpr struct {
            NumOp inner;
            Op outer;
            NumOp fused;
        } Forms[] = {
            {NumOp::MultiplyBoth, Op::Add, NumOp::AddProduct},
            {NumOp::MultiplyBoth, Op::Subtract, NumOp::SubtractProduct},
            {NumOp::DivideBoth, Op::Add, NumOp::AddQuotient},
            {NumOp::DivideBoth, Op::Subtract, NumOp::SubtractQuotient},
            {NumOp::SquareOf, Op::Add, NumOp::AddSquare},
            {NumOp::SquareOf, Op::Subtract, NumOp::SubtractSquare},
            {NumOp::SquareOf, Op::Multiply, NumOp::MultiplySquare},
        };
        for (const auto& f : Forms)
            if (f.inner == inner && f.outer == outer)
                return f.fused;
        return NumOp::Raise;
    }

    // The operators whose left operand can wait in place while the right one is computed.
    static NumOp reversed(Op op)
    {
        switch (op) {
        case Op::Add: return NumOp::AddRight;  // a + b is b + a to the last bit
        case Op::Multiply: return NumOp::MultiplyRight;
        case Op::Subtract: return NumOp::SubtractFrom;
        case Op::Divide: return NumOp::DivideInto;
        default: return NumOp::Raise;
        }
    }

    // The operator that takes the value pushed at `i` as its left operand, with everything
    // in between one subexpression, its right operand; `end` when there is none, or when the
    // value is a variable that a host method in between might change.
    std::size_t leftOperandOf(std::size_t i, std::size_t end) const
    {
        int depth = 1;
        bool calls = false;
        for (std::size_t k = i + 1; k < end; ++k) {
            const Instruction& ins = m_code[k];
            int pops = 2;  // a binary operator
            switch (ins.op) {
            case Op::Push:
            case Op::Load: pops = 0; break;
            case Op::Negate:
            case Op::Not: pops = 1; break;
            case Op::CallBuiltin: pops = ins.argc; break;
            case Op::CallMethod:
                pops = ins.argc;
                calls = true;
                break;
            case Op::Store:
            case Op::Concat:
            case Op::Raise: return end;
            default: break;
            }
            if (depth - pops < 1) {
                const bool moves = m_code[i].op == Op::Push || !calls;
                return pops == 2 && depth == 2 && moves && reversed(ins.op) != NumOp::Raise ? k : end;
            }
            depth += 1 - pops;
        }
        return end;
    }

    const Program& m_program;
    const std::vector<Instruction>& m_code;
    std::vector<NumInstruction>& m_out;
};

}  // namespace

std::vector<NumInstruction> numericCode(const Program& program)
{
    std::vector<NumInstruction> out;
    Translator(program, out).translate(0, program.code.size());
    out.emplace_back(NumOp::Return);
    return out;
}

// Each handler jumps straight to the next instruction's handler: a jump of its own per
// handler, which the processor predicts far better than the one jump of a switch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"  // labels as values
double runNumeric(const Program& program, double* stack, Scratch& scratch)
{
    // The handler of each NumOp is the label on + its name.
    static const void* const handlers[] = {
#define SLOPEKIT_NUM_OP_HANDLER(name) &&on##name,
        SLOPEKIT_NUM_OPS(SLOPEKIT_NUM_OP_HANDLER)
#undef SLOPEKIT_NUM_OP_HANDLER
    };
#define NEXT goto* handlers[static_cast<std::size_t>((++ip)->numOp)]

    // The top of the stack stays in a register; `stack` holds what lies below it, starting
    // with a placeholder under the first value.
    double top = 0;
    double* sp = stack;
    const NumInstruction* ip = program.numericCode.data();
    try {
        goto* handlers[static_cast<std::size_t>(ip->numOp)];
    onPush:
    onLoad:
        *sp++ = top;
        top = *ip->operand;
        NEXT;
    onLoadWhole:
        *sp++ = top;
        top = *ip->whole;
        NEXT;
    onNegate:
        top = -top;
        NEXT;
    onNot:
        top = ~roundToLong(top);
        NEXT;
    onAdd:
        --sp;
        top = finite(*sp + top);
        NEXT;
    onAddRight:
        top = finite(top + *ip->operand);
        NEXT;
    onAddBoth:
        *sp++ = top;
        top = finite(*ip->left + *ip->operand);
        NEXT;
    onSubtract:
        --sp;
        top = finite(*sp - top);
        NEXT;
    onSubtractRight:
        top = finite(top - *ip->operand);
        NEXT;
    onSubtractBoth:
        *sp++ = top;
        top = finite(*ip->left - *ip->operand);
        NEXT;
    onMultiply:
        --sp;
        top = finite(*sp * top);
        NEXT;
    onMultiplyRight:
        top = finite(top * *ip->operand);
        NEXT;
    onMultiplyBoth:
        *sp++ = top;
        top = finite(*ip->left * *ip->operand);
        NEXT;
    onDivide:
        --sp;
        top = divide(*sp, top);
        NEXT;
    onDivideRight:
        top = divide(top, *ip->operand);
        NEXT;
    onDivideBoth:
        *sp++ = top;
        top = divide(*ip->left, *ip->operand);
        NEXT;
    onPower:
        --sp;
        top = power(*sp, top);
        NEXT;
    onPowerRight:
        top = power(top, *ip->operand);
        NEXT;
    onPowerBoth:
        *sp++ = top;
        top = power(*ip->left, *ip->operand);
        NEXT;
    onSquare:
        top = square(top);
        NEXT;
    onCube:
        top = cube(top);
        NEXT;
    onSquareOf:
        *sp++ = top;
        top = square(*ip->operand);
        NEXT;
    onCubeOf:
        *sp++ = top;
        top = cube(*ip->operand);
        NEXT;
    onScale:
        top = finite(top * ip->scale);
        NEXT;
    onScaleOf:
        *sp++ = top;
        top = finite(*ip->left * ip->scale);
        NEXT;
    onAddProduct:
        top = finite(top + inner(*ip, [ip] { return finite(*ip->left * *ip->operand); }));
        NEXT;
    onSubtractProduct:
        top = finite(top - inner(*ip, [ip] { return finite(*ip->left * *ip->operand); }));
        NEXT;
    onAddQuotient:
        top = finite(top + inner(*ip, [ip] { return divide(*ip->left, *ip->operand); }));
        NEXT;
    onSubtractQuotient:
        top = finite(top - inner(*ip, [ip] { return divide(*ip->left, *ip->operand); }));
        NEXT;
    onAddSquare:
        top = finite(top + inner(*ip, [ip] { return square(*ip->operand); }));
        NEXT;
    onSubtractSquare:
        top = finite(top - inner(*ip, [ip] { return square(*ip->operand); }));
        NEXT;
    onMultiplySquare:
        top = finite(top * inner(*ip, [ip] { return square(*ip->operand); }));
        NEXT;
    onSubtractFrom:
        top = finite(*ip->operand - top);
        NEXT;
    onDivideInto:
        top = divide(*ip->operand, top);
        NEXT;
    onOther:
        --sp;
        top = otherBinary(ip->op, *sp, top);
        NEXT;
    onFunction:
        top = ip->function(ip->context, top);
        if (!(top - top == 0))
            fault(errnum::TypeMismatch);  // a host method may return no such number
        NEXT;
    onCall : {
        *sp++ = top;  // the arguments now lie in the stack
        double* args = sp - ip->call->argc;
        top = call(*ip->call, args, scratch);
        sp = args;
        NEXT;
    }
    onRaise:
        fault(ip->number);
    onReturn:
        return top;
    } catch (const Fault& f) {
        throw LocatedFault{f.number, ip->offset};
    } catch (const RunError& e) {
        throw LocatedFault{e.number(), ip->offset};
    }
#undef NEXT
}
#pragma GCC diagnostic pop

}  // namespace slopekit::script
