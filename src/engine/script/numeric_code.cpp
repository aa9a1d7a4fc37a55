#include "engine/script/numeric_code.h"

#include "engine/script/builtins.h"
#include "engine/script/evaluator.h"
#include "engine/script/numeric_ops.h"
#include "errors/run_error.h"

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

}  // namespace

std::vector<NumInstruction> numericCode(const Program& program)
{
    std::vector<NumInstruction> out;
    const auto& code = program.code;
    const auto at = [&](std::size_t i) { return i < code.size() ? &code[i] : nullptr; };
    for (std::size_t i = 0; i < code.size(); ++i) {
        const Instruction& ins = code[i];
        const double* first = operandAddress(program, ins);
        const double* second = at(i + 1) ? operandAddress(program, code[i + 1]) : nullptr;
        const Fusable* afterOne = at(i + 1) ? fusable(code[i + 1].op) : nullptr;
        const Fusable* afterTwo = at(i + 2) ? fusable(code[i + 2].op) : nullptr;
        if (first && second && afterTwo) {
            NumInstruction n{afterTwo->both};
            n.op = afterTwo->op;
            n.offset = code[i + 2].offset;
            n.left = first;
            n.operand = second;
            out.push_back(n);
            i += 2;
        } else if (first && afterOne) {
            NumInstruction n{afterOne->right};
            n.op = afterOne->op;
            n.offset = code[i + 1].offset;
            n.operand = first;
            out.push_back(n);
            ++i;
        } else {
            out.push_back(single(program, ins));
        }
    }
    return out;
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
            case NumOp::Push:
            case NumOp::Load: *sp++ = top; top = *ip->operand; break;
            case NumOp::LoadWhole: *sp++ = top; top = *ip->whole; break;
            case NumOp::Negate: top = -top; break;
            case NumOp::Not: top = ~roundToLong(top); break;
            case NumOp::Add: --sp; top = finite(*sp + top); break;
            case NumOp::AddRight: top = finite(top + *ip->operand); break;
            case NumOp::AddBoth: *sp++ = top; top = finite(*ip->left + *ip->operand); break;
            case NumOp::Subtract: --sp; top = finite(*sp - top); break;
            case NumOp::SubtractRight: top = finite(top - *ip->operand); break;
            case NumOp::SubtractBoth: *sp++ = top; top = finite(*ip->left - *ip->operand); break;
            case NumOp::Multiply: --sp; top = finite(*sp * top); break;
            case NumOp::MultiplyRight: top = finite(top * *ip->operand); break;
            case NumOp::MultiplyBoth: *sp++ = top; top = finite(*ip->left * *ip->operand); break;
            case NumOp::Divide: --sp; top = divide(*sp, top); break;
            case NumOp::DivideRight: top = divide(top, *ip->operand); break;
            case NumOp::DivideBoth: *sp++ = top; top = divide(*ip->left, *ip->operand); break;
            case NumOp::Power: --sp; top = power(*sp, top); break;
            case NumOp::PowerRight: top = power(top, *ip->operand); break;
            case NumOp::PowerBoth: *sp++ = top; top = power(*ip->left, *ip->operand); break;
            case NumOp::Other: --sp; top = otherBinary(ip->op, *sp, top); break;
            case NumOp::Function:
                top = ip->function(ip->context, top);
                if (!(top - top == 0))
                    fault(errnum::TypeMismatch);  // a host method may return no such number
                break;
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
