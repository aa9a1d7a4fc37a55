#include "engine/script/evaluator.h"

#include "engine/script/builtins.h"
#include "engine/script/numeric_ops.h"
#include "engine/script/operators.h"
#include "errors/run_error.h"

#include <span>

namespace slopekit::script {
namespace {

// Both operands numbers, at least one of them a Double: the result is a Double.
bool realPair(const Value& a, const Value& b)
{
    return a.isNumeric() && b.isNumeric() && (a.type == Type::Double || b.type == Type::Double);
}

}  // namespace

Value callHostMethod(const HostMethod& method, const Value* args, int argc)
{
    const Value r = method.call(std::span<const Value>(args, static_cast<std::size_t>(argc)));
    if (r.type == Type::String || (r.type == Type::Double && !(r.number - r.number == 0)))
        fault(errnum::TypeMismatch);  // outside what a host method may return
    return r;
}

namespace {

Value load(const Slot& s)
{
    if (s.kind == SlotKind::Variable && s.value.type != Type::Empty)
        return s.value;
    return Globals::read(s);
}

}  // namespace

Value run(const Program& program, Value* stack, Scratch& scratch)
{
    Value* sp = stack;
    const Instruction* ip = program.code.data();
    const Instruction* const end = ip + program.code.size();
    try {
        for (; ip != end; ++ip) {
            switch (ip->op) {
            case Op::Push: *sp++ = program.constants[ip->index]; continue;
            case Op::Load: *sp++ = load(*ip->slot); continue;
            case Op::Store: Globals::assign(*ip->slot, *--sp); continue;
            case Op::Negate: sp[-1] = negate(sp[-1]); continue;
            case Op::Not: sp[-1] = logicalNot(sp[-1]); continue;
            case Op::CallBuiltin: {
                Value* args = sp - ip->argc;
                *args = callBuiltin(ip->index, args, ip->argc, scratch);
                sp = args + 1;
                continue;
            }
            case Op::CallMethod: {
                Value* args = sp - ip->argc;
                *args = callHostMethod(*ip->method, args, ip->argc);
                sp = args + 1;
                continue;
            }
            case Op::Raise: fault(static_cast<int>(ip->index));
            default: break;
            }
            // A binary operator leaves its result in place of its left operand.
            Value& a = sp[-2];
            const Value& b = sp[-1];
            switch (ip->op) {
            case Op::Add:
                if (realPair(a, b))
                    a = Value::real(finite(a.number + b.number));
                else
                    a = add(a, b, scratch);
                break;
            case Op::Subtract:
            case Op::Multiply:
                if (realPair(a, b))
                    a = Value::real(finite(ip->op == Op::Multiply ? a.number * b.number : a.number - b.number));
                else
                    a = arithmetic(ip->op, a, b);
                break;
            case Op::Divide:
            case Op::Power:
            case Op::IntDivide:
            case Op::Modulo: a = arithmetic(ip->op, a, b); break;
            case Op::Concat: a = concat(a, b, scratch); break;
            case Op::Equal:
            case Op::NotEqual:
            case Op::Less:
            case Op::Greater:
            case Op::LessEqual:
            case Op::GreaterEqual: a = compare(ip->op, a, b); break;
            case Op::And:
            case Op::Or:
            case Op::Xor:
            case Op::Eqv:
            case Op::Imp: a = logical(ip->op, a, b); break;
            default: break;
            }
            --sp;
        }
    } catch (const Fault& f) {
        throw LocatedFault{f.number, ip->offset};
    } catch (const RunError& e) {
        throw LocatedFault{e.number(), ip->offset};
    }
    return sp == stack ? Value{} : sp[-1];
}

}  // namespace slopekit::script
