#include "engine/script/evaluator.h"

#include "engine/script/builtins.h"
#include "engine/script/operators.h"
#include "errors/run_error.h"

#include <span>

namespace slopekit::script {
namespace {

bool bothDouble(const Value& a, const Value& b) { return a.type == Type::Double && b.type == Type::Double; }

}  // namespace

Value run(const Program& program, Value* stack, Scratch& scratch)
{
    Value* sp = stack;
    const Instruction* ip = program.code.data();
    const Instruction* const end = ip + program.code.size();
    try {
        for (; ip != end; ++ip) {
            switch (ip->op) {
            case Op::Push: *sp++ = program.constants[ip->index]; break;
            case Op::Load: {
                const Slot& s = *ip->slot;
                *sp++ = s.kind == SlotKind::Variable && s.value.type != Type::Empty ? s.value : Globals::read(s);
                break;
            }
            case Op::Store: Globals::assign(*ip->slot, *--sp); break;
            case Op::Negate:
                if (sp[-1].type == Type::Double)
                    sp[-1].number = -sp[-1].number;
                else
                    sp[-1] = negate(sp[-1]);
                break;
            case Op::Add: {
                Value& a = sp[-2];
                if (bothDouble(a, sp[-1]))
                    a.number = finite(a.number + sp[-1].number);
                else
                    a = add(a, sp[-1], scratch);
                --sp;
                break;
            }
            case Op::Subtract: {
                Value& a = sp[-2];
                if (bothDouble(a, sp[-1]))
                    a.number = finite(a.number - sp[-1].number);
                else
                    a = arithmetic(Op::Subtract, a, sp[-1]);
                --sp;
                break;
            }
            case Op::Multiply: {
                Value& a = sp[-2];
                if (bothDouble(a, sp[-1]))
                    a.number = finite(a.number * sp[-1].number);
                else
                    a = arithmetic(Op::Multiply, a, sp[-1]);
                --sp;
                break;
            }
            case Op::Divide: {
                Value& a = sp[-2];
                if (bothDouble(a, sp[-1]) && sp[-1].number != 0)
                    a.number = finite(a.number / sp[-1].number);
                else
                    a = arithmetic(Op::Divide, a, sp[-1]);
                --sp;
                break;
            }
            case Op::Power:
            case Op::IntDivide:
            case Op::Modulo:
                sp[-2] = arithmetic(ip->op, sp[-2], sp[-1]);
                --sp;
                break;
            case Op::Concat:
                sp[-2] = concat(sp[-2], sp[-1], scratch);
                --sp;
                break;
            case Op::Equal:
            case Op::NotEqual:
            case Op::Less:
            case Op::Greater:
            case Op::LessEqual:
            case Op::GreaterEqual:
                sp[-2] = compare(ip->op, sp[-2], sp[-1]);
                --sp;
                break;
            case Op::Not: sp[-1] = logicalNot(sp[-1]); break;
            case Op::And:
            case Op::Or:
            case Op::Xor:
            case Op::Eqv:
            case Op::Imp:
                sp[-2] = logical(ip->op, sp[-2], sp[-1]);
                --sp;
                break;
            case Op::CallBuiltin: {
                Value* args = sp - ip->argc;
                *args = callBuiltin(ip->index, args, ip->argc, scratch);
                sp = args + 1;
                break;
            }
            case Op::CallMethod: {
                Value* args = sp - ip->argc;
                const Value r = ip->method->call(std::span<const Value>(args, ip->argc));
                if (r.type == Type::String || (r.type == Type::Double && !(r.number - r.number == 0)))
                    fault(errnum::TypeMismatch);  // outside what a host method may return
                *args = r;
                sp = args + 1;
                break;
            }
            case Op::Raise: fault(static_cast<int>(ip->index));
            }
        }
    } catch (const Fault& f) {
        throw LocatedFault{f.number, ip->offset};
    } catch (const RunError& e) {
        throw LocatedFault{e.number(), ip->offset};
    }
    return sp == stack ? Value{} : sp[-1];
}

}  // namespace slopekit::script
