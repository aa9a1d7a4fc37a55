#include "engine/script/numeric_code.h"

#include "engine/script/builtins.h"
#include "engine/script/evaluator.h"
#include "engine/script/numeric_ops.h"
#include "errors/run_error.h"

namespace slopekit::script {
namespace {

// The plain, constant-operand and variable-operand forms of the operators that get them.
struct Fusable {
    Op op;
    NumOp plain, withConst, withVar;
};

constexpr Fusable Fusables[] = {
    {Op::Add, NumOp::Add, NumOp::AddConst, NumOp::AddVar},
    {Op::Subtract, NumOp::Subtract, NumOp::SubtractConst, NumOp::SubtractVar},
    {Op::Multiply, NumOp::Multiply, NumOp::MultiplyConst, NumOp::MultiplyVar},
    {Op::Divide, NumOp::Divide, NumOp::DivideConst, NumOp::DivideVar},
    {Op::Power, NumOp::Power, NumOp::PowerConst, NumOp::PowerVar},
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

NumInstruction single(const Program& program, const Instruction& ins)
{
    NumInstruction n{NumOp::Raise};
    n.op = ins.op;
    n.offset = ins.offset;
    switch (ins.op) {
    case Op::Push:
        n.numOp = NumOp::Push;
        n.constant = program.constants[ins.index].number;
        break;
    case Op::Load:
        if (const double* address = numberAddress(*ins.slot)) {
            n.numOp = NumOp::Load;
            n.address = address;
        } else {
            n.numOp = NumOp::LoadWhole;
            n.whole = ins.slot->whole;
        }
        break;
    case Op::Negate: n.numOp = NumOp::Negate; break;
    case Op::Not: n.numOp = NumOp::Not; break;
    case Op::CallBuiltin:
    case Op::CallMethod:
        n.numOp = NumOp::Call;
        n.call = &ins;
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

// Built-ins and host methods take values; numeric programs hand them Doubles (two at most).
double call(const Instruction& ins, const double* args, Scratch& scratch)
{
    if (ins.op == Op::CallMethod && ins.method->callNumber)
        return finite(ins.method->callNumber(ins.method->context, args[0]));
    Value values[2];
    for (int i = 0; i < ins.argc && i < 2; ++i)
        values[i] = Value::real(args[i]);
    if (ins.op == Op::CallBuiltin)
        return callBuiltin(ins.index, values, ins.argc, scratch).number;
    return callHostMethod(*ins.method, values, ins.argc).number;
}

}  // namespace

std::vector<NumInstruction> numericCode(const Program& program)
{
    std::vector<NumInstruction> out;
    const auto& code = program.code;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const Instruction& ins = code[i];
        const Fusable* next = i + 1 < code.size() ? fusable(code[i + 1].op) : nullptr;
        if (next && ins.op == Op::Push) {
            NumInstruction n{next->withConst};
            n.op = next->op;
            n.offset = code[i + 1].offset;
            n.constant = program.constants[ins.index].number;
            out.push_back(n);
            ++i;
        } else if (next && ins.op == Op::Load && numberAddress(*ins.slot)) {
            NumInstruction n{next->withVar};
            n.op = next->op;
            n.offset = code[i + 1].offset;
            n.address = numberAddress(*ins.slot);
            out.push_back(n);
            ++i;
        } else {
            out.push_back(single(program, ins));
        }
    }
    return out;
}

bool numbersOnly(const Program& program)
{
    if (!program.numeric)
        return false;
    for (const Slot* s : program.variables)
        if (!s->value.isNumeric())
            return false;
    return true;
}

double runNumeric(const Program& program, double* stack, Scratch& scratch)
{
    // The top of the stack stays in a register; `stack` holds what lies below it, starting
    // with a placeholder under the first value.
    double top = 0;
    double* sp = stack;
    const NumInstruction* ip = program.numericCode.data();
    const NumInstruction* const end = ip + program.numericCode.size();
    try {
        for (; ip != end; ++ip) {
            switch (ip->numOp) {
            case NumOp::Push: *sp++ = top; top = ip->constant; break;
            case NumOp::Load: *sp++ = top; top = *ip->address; break;
            case NumOp::LoadWhole: *sp++ = top; top = *ip->whole; break;
            case NumOp::Negate: top = -top; break;
            case NumOp::Not: top = ~roundToLong(top); break;
            case NumOp::Add: top = finite(*--sp + top); break;
            case NumOp::AddConst: top = finite(top + ip->constant); break;
            case NumOp::AddVar: top = finite(top + *ip->address); break;
            case NumOp::Subtract: top = finite(*--sp - top); break;
            case NumOp::SubtractConst: top = finite(top - ip->constant); break;
            case NumOp::SubtractVar: top = finite(top - *ip->address); break;
            case NumOp::Multiply: top = finite(*--sp * top); break;
            case NumOp::MultiplyConst: top = finite(top * ip->constant); break;
            case NumOp::MultiplyVar: top = finite(top * *ip->address); break;
            case NumOp::Divide: --sp; top = divide(*sp, top); break;
            case NumOp::DivideConst: top = divide(top, ip->constant); break;
            case NumOp::DivideVar: top = divide(top, *ip->address); break;
            case NumOp::Power: --sp; top = power(*sp, top); break;
            case NumOp::PowerConst: top = power(top, ip->constant); break;
            case NumOp::PowerVar: top = power(top, *ip->address); break;
            case NumOp::Other: --sp; top = otherBinary(ip->op, *sp, top); break;
            case NumOp::Call: {
                *sp++ = top;  // the arguments now lie in the stack
                double* args = sp - ip->call->argc;
                top = call(*ip->call, args, scratch);
                sp = args;
                break;
            }
            case NumOp::Raise: fault(ip->number);
            }
        }
    } catch (const Fault& f) {
        throw LocatedFault{f.number, ip->offset};
    } catch (const RunError& e) {
        throw LocatedFault{e.number(), ip->offset};
    }
    return top;
}

}  // namespace slopekit::script
