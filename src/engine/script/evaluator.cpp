#include "engine/script/evaluator.h"

#include "engine/script/builtins.h"
#include "engine/script/operators.h"
#include "errors/run_error.h"

#include <span>

namespace slopekit::script {

Value callHostMethod(const HostMethod& method, const Value* args, int argc)
{
    const Value r = method.call(std::span<const Value>(args, static_cast<std::size_t>(argc)));
    if (r.type == Type::String || (r.type == Type::Double && !(r.number - r.number == 0)))
        fault(errnum::TypeMismatch);  // outside what a host method may return
    return r;
}

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
            sp[-2] = binaryValue(ip->op, sp[-2], sp[-1], scratch);
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
