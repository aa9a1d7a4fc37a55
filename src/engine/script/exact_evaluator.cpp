#include "engine/script/exact_evaluator.h"

#include "ascii/ascii.h"
#include "engine/script/builtins.h"
#include "engine/script/evaluator.h"
#include "engine/script/exact_arithmetic.h"
#include "engine/script/operators.h"
#include "engine/script/script_error.h"
#include "errors/run_error.h"

#include <cmath>
#include <initializer_list>

namespace slopekit::script {

std::string ExactEvaluation::reason(double entry) const
{
    const int f = std::isnan(entry) ? failureOf(entry) : -1;
    if (f >= 0 && static_cast<std::size_t>(f) < failures.size())
        return failures[f].reason;
    return "the derivative is beyond the double range";
}

namespace {

// The operation at `offset` of the source as the user typed it: a name, or an operator.
std::string operationName(std::string_view source, std::size_t offset)
{
    std::size_t end = offset;
    if (end < source.size() && isLetter(source[end])) {
        while (end < source.size() && isNameCharacter(source[end]))
            ++end;
    } else if (end < source.size()) {
        ++end;
        if (end < source.size() && (source[end] == '=' || source[end] == '>') &&
            (source[offset] == '<' || source[offset] == '>'))
            ++end;
    }
    return std::string(source.substr(offset, end - offset));
}

// Where rounding half to even jumps: halfway between two whole numbers.
bool atHalf(double v) { return v - std::floor(v) == 0.5; }

double numberOf(const ExactValue& e) { return e.value.type == Type::String ? toNumber(e.value) : e.value.number; }

// The number a host method reads from its argument; 0 for a text that is none (the method
// reports that through its own error channel, so no error may be raised here).
double methodArgument(const Value& v)
{
    if (v.type == Type::String)
        return isNumberText(*v.text) ? toNumber(v) : 0;
    return v.number;
}

// The variables of an operand that sits on a half, where rounding to a whole number jumps.
VariableSet halfJumps(const ExactValue& e)
{
    return e.value.type != Type::String && e.deps != 0 && atHalf(numberOf(e)) ? e.deps : 0;
}

class ExactRun {
public:
    ExactRun(const Program& program, std::span<const double* const> seeds, Scratch& scratch,
             std::vector<ExactFailure>& failures)
        : m_program(program), m_seeds(seeds), m_scratch(scratch), m_failures(failures),
          m_ops(static_cast<int>(seeds.size()), failures)
    {
    }

    void run(ExactValue* stack, ExactValue& result);

private:
    int failure(const Instruction& ins, const char* where, bool continuous);
    void load(ExactValue& e, const Slot& s) const;
    void binary(const Instruction& ins, ExactValue& a, const ExactValue& b);
    void power(const Instruction& ins, ExactValue& a, const ExactValue& b, double f);
    void constantExponent(const Instruction& ins, ExactValue& a, double x, double y);
    void callBuiltin(const Instruction& ins, ExactValue* args);
    void round(const Instruction& ins, ExactValue* args);
    void callMethod(const Instruction& ins, ExactValue* args);
    void stepwise(const Instruction& ins, ExactValue& result, std::initializer_list<const ExactValue*> operands,
                  VariableSet jumps, const char* where);
    void throughText(const Instruction& ins, ExactValue& result, std::initializer_list<const ExactValue*> operands);

    const Program& m_program;
    std::span<const double* const> m_seeds;
    Scratch& m_scratch;
    std::vector<ExactFailure>& m_failures;
    ExactArithmetic m_ops;
};

int ExactRun::failure(const Instruction& ins, const char* where, bool continuous)
{
    const int column = locateError(0, false, m_program.source, ins.offset).column;
    std::string reason = "no derivative: " + operationName(m_program.source, ins.offset) + " " + where + " (column " +
                         std::to_string(column) + ")";
    for (std::size_t k = 0; k < m_failures.size(); ++k)
        if (m_failures[k].reason == reason)
            return static_cast<int>(k);
    m_failures.push_back({std::move(reason), continuous});
    return static_cast<int>(m_failures.size() - 1);
}

void ExactRun::load(ExactValue& e, const Slot& s) const
{
    m_ops.constant(e, script::load(s));
    if (!e.value.isNumeric())
        return;
    // By the number's address: a variable read as x and as sh.x is one variable.
    const double* number = s.kind == SlotKind::Variable ? &s.value.number : s.number;
    for (std::size_t k = 0; k < m_seeds.size(); ++k) {
        if (m_seeds[k] == number) {
            m_ops.seed(e, static_cast<int>(k));
            return;
        }
    }
}

void ExactRun::stepwise(const Instruction& ins, ExactValue& result, std::initializer_list<const ExactValue*> operands,
                        VariableSet jumps, const char* where)
{
    m_ops.stepwise(result, std::span(operands.begin(), operands.size()), jumps,
                   jumps != 0 ? failure(ins, where, false) : -1);
}

// A number turned into text has no derivative; a text keeps the reason it has none.
void ExactRun::throughText(const Instruction& ins, ExactValue& result,
                           std::initializer_list<const ExactValue*> operands)
{
    VariableSet numbers = 0;
    for (const ExactValue* e : operands)
        if (e->value.type != Type::String)
            numbers |= e->deps;
    stepwise(ins, result, operands, numbers, "passes the value through text");
}

void ExactRun::binary(const Instruction& ins, ExactValue& a, const ExactValue& b)
{
    const Value r = binaryValue(ins.op, a.value, b.value, m_scratch);
    const bool texts = a.value.type == Type::String || b.value.type == Type::String;
    switch (ins.op) {
    case Op::Add:
        if (r.type == Type::String)
            throughText(ins, a, {&a, &b});
        else
            m_ops.sum(a, b, 1);
        break;
    case Op::Subtract: m_ops.sum(a, b, -1); break;
    case Op::Multiply: m_ops.product(a, numberOf(a), b, numberOf(b)); break;
    case Op::Divide: m_ops.quotient(a, b, numberOf(b), r.number); break;
    case Op::Power: power(ins, a, b, r.number); break;
    case Op::Concat: throughText(ins, a, {&a, &b}); break;
    case Op::Equal:
    case Op::NotEqual:
    case Op::Less:
    case Op::Greater:
    case Op::LessEqual:
    case Op::GreaterEqual: {
        const bool tie = !texts && order(numberOf(a), numberOf(b)) == 0;
        stepwise(ins, a, {&a, &b}, tie ? a.deps | b.deps : 0, "at a tie, where it jumps");
        break;
    }
    default:  // \ Mod And Or Xor Eqv Imp: on both operands rounded to whole numbers
        stepwise(ins, a, {&a, &b}, halfJumps(a) | halfJumps(b), "at a half, where it jumps");
        break;
    }
    a.value = r;
}

void ExactRun::power(const Instruction& ins, ExactValue& a, const ExactValue& b, double f)
{
    const double x = numberOf(a);
    const double y = numberOf(b);
    if (b.deps != 0 && x > 0) {
        // x^y = exp(y ln x).
        const double ln = std::log(x);
        const double below = std::pow(x, y - 1);
        m_ops.chain(a, b, {y * below, f * ln, y * (y - 1) * std::pow(x, y - 2), below * (1 + y * ln), f * ln * ln});
        return;
    }
    constantExponent(ins, a, x, y);
    // Only whole exponents have powers of a negative base, and only positive ones of 0.
    if (b.deps != 0)
        m_ops.fail(a, b.deps, failure(ins, "with a base <= 0 and a varying exponent", false));
}

void ExactRun::constantExponent(const Instruction& ins, ExactValue& a, double x, double y)
{
    if (a.deps == 0 || y == 1)
        return;
    if (y == 0) {
        m_ops.constant(a, a.value);
        return;
    }
    if (x == 0 && y < 2 && y != 1) {
        if (y < 1) {
            m_ops.fail(a, a.deps, failure(ins, "at a base of 0, where its slope is infinite", true));
        } else {
            m_ops.chain(a, 0, 0);  // x^y has slope 0 at 0 for 1 < y < 2
            m_ops.fail(a, a.deps, failure(ins, "at a base of 0, where its curvature is infinite", true), true);
        }
        return;
    }
    if (y == 2)
        m_ops.chain(a, 2 * x, 2);
    else if (y == 3)
        m_ops.chain(a, 3 * (x * x), 6 * x);
    else
        m_ops.chain(a, y * std::pow(x, y - 1), y * (y - 1) * std::pow(x, y - 2));
}

void ExactRun::callBuiltin(const Instruction& ins, ExactValue* args)
{
    Value values[2];
    for (int k = 0; k < ins.argc; ++k)
        values[k] = args[k].value;
    const Value r = script::callBuiltin(ins.index, values, ins.argc, m_scratch);
    ExactValue& a = args[0];
    const bool text = a.value.type == Type::String;
    switch (static_cast<BuiltinId>(ins.index)) {
    case BuiltinId::Abs: {
        const double x = numberOf(a);
        if (x == 0 && a.deps != 0)
            m_ops.fail(a, a.deps, failure(ins, "at its kink", true));
        else
            m_ops.chain(a, x > 0 ? 1 : -1, 0);
        break;
    }
    case BuiltinId::Atn: {
        const double x = numberOf(a);
        const double d1 = 1 / (1 + x * x);
        m_ops.chain(a, d1, -2 * x * d1 * d1);
        break;
    }
    case BuiltinId::Cos: m_ops.chain(a, -std::sin(numberOf(a)), -r.number); break;
    case BuiltinId::Sin: m_ops.chain(a, std::cos(numberOf(a)), -r.number); break;
    case BuiltinId::Tan: {
        const double d1 = 1 + r.number * r.number;
        m_ops.chain(a, d1, 2 * r.number * d1);
        break;
    }
    case BuiltinId::Exp: m_ops.chain(a, r.number, r.number); break;
    case BuiltinId::Log: {
        const double d1 = 1 / numberOf(a);
        m_ops.chain(a, d1, -d1 * d1);
        break;
    }
    case BuiltinId::Sqr: {
        const double x = numberOf(a);
        if (x == 0 && a.deps != 0) {
            m_ops.fail(a, a.deps, failure(ins, "at 0, where its slope is infinite", true));
        } else {
            const double d1 = 0.5 / r.number;
            m_ops.chain(a, d1, -0.5 * d1 / x);
        }
        break;
    }
    case BuiltinId::Fix: {
        const double x = numberOf(a);
        stepwise(ins, a, {&a}, x == std::trunc(x) && x != 0 ? a.deps : 0, "at a whole number, where it jumps");
        break;
    }
    case BuiltinId::Int: {
        const double x = numberOf(a);
        stepwise(ins, a, {&a}, x == std::floor(x) ? a.deps : 0, "at a whole number, where it jumps");
        break;
    }
    case BuiltinId::Round: round(ins, args); break;
    case BuiltinId::Sgn:
    case BuiltinId::CBool:
        stepwise(ins, a, {&a}, !text && numberOf(a) == 0 ? a.deps : 0, "at 0, where it jumps");
        break;
    case BuiltinId::CInt:
    case BuiltinId::CLng: stepwise(ins, a, {&a}, halfJumps(a), "at a half, where it jumps"); break;
    case BuiltinId::CStr:
    case BuiltinId::Hex:
    case BuiltinId::Oct:
    case BuiltinId::Len: throughText(ins, a, {&a}); break;
    case BuiltinId::IsNumeric:
    case BuiltinId::IsEmpty: stepwise(ins, a, {&a}, 0, ""); break;
    case BuiltinId::CDbl:
    case BuiltinId::CSng:
    case BuiltinId::Count: break;
    }
    a.value = r;
}

// Round(x) and Round(x, n) step at the halves of x * 10^n; where x * 10^n leaves the double
// range, or n > 22, Round gives x itself.
void ExactRun::round(const Instruction& ins, ExactValue* args)
{
    ExactValue& a = args[0];
    VariableSet jumps = 0;
    std::int32_t digits = 0;
    if (ins.argc > 1) {
        const ExactValue& n = args[1];
        digits = toLong(n.value);
        if (n.undefined || atHalf(numberOf(n)))
            jumps |= n.deps;
    }
    const double x = numberOf(a);
    const double scaled = digits == 0 ? x : x * std::pow(10.0, digits);
    if (digits > 22 || !std::isfinite(scaled)) {
        if (jumps != 0)
            m_ops.fail(a, jumps, failure(ins, "at a half, where it jumps", false));
        return;
    }
    if (atHalf(scaled))
        jumps |= a.deps;
    if (ins.argc > 1)
        stepwise(ins, a, {&a, &args[1]}, jumps, "at a half, where it jumps");
    else
        stepwise(ins, a, {&a}, jumps, "at a half, where it jumps");
}

void ExactRun::callMethod(const Instruction& ins, ExactValue* args)
{
    const HostMethod& method = *ins.method;
    std::vector<Value> many;
    Value few[4];
    Value* values = ins.argc <= 4 ? few : (many.resize(ins.argc), many.data());
    for (int k = 0; k < ins.argc; ++k)
        values[k] = args[k].value;
    const Value r = callHostMethod(method, values, ins.argc);
    ExactValue& a = args[0];
    if (ins.argc == 1 && method.slope) {
        const MethodSlope s = method.slope(method.context, methodArgument(a.value));
        if (s.where == nullptr)
            m_ops.chain(a, s.first, s.second);
        else if (a.deps != 0)
            m_ops.fail(a, a.deps, failure(ins, s.where, true));
    } else {
        VariableSet all = 0;
        for (int k = 0; k < ins.argc; ++k)
            all |= args[k].deps;
        stepwise(ins, a, {&a}, all, "has no derivative rule");
    }
    a.value = r;
}

void ExactRun::run(ExactValue* stack, ExactValue& result)
{
    ExactValue* sp = stack;
    const Instruction* ip = m_program.code.data();
    const Instruction* const end = ip + m_program.code.size();
    try {
        for (; ip != end; ++ip) {
            switch (ip->op) {
            case Op::Push: m_ops.constant(*sp++, m_program.constants[ip->index]); continue;
            case Op::Load: load(*sp++, *ip->slot); continue;
            case Op::Store: Globals::assign(*ip->slot, (--sp)->value); continue;
            case Op::Negate:
                sp[-1].value = negate(sp[-1].value);
                m_ops.negate(sp[-1]);
                continue;
            case Op::Not: {
                const Value r = logicalNot(sp[-1].value);
                stepwise(*ip, sp[-1], {&sp[-1]}, halfJumps(sp[-1]), "at a half, where it jumps");
                sp[-1].value = r;
                continue;
            }
            case Op::CallBuiltin: {
                ExactValue* args = sp - ip->argc;
                callBuiltin(*ip, args);
                sp = args + 1;
                continue;
            }
            case Op::CallMethod: {
                ExactValue* args = sp - ip->argc;
                callMethod(*ip, args);
                sp = args + 1;
                continue;
            }
            case Op::Raise: fault(static_cast<int>(ip->index));
            default: break;
            }
            binary(*ip, sp[-2], sp[-1]);
            --sp;
        }
    } catch (const Fault& f) {
        throw LocatedFault{f.number, ip->offset};
    } catch (const RunError& e) {
        throw LocatedFault{e.number(), ip->offset};
    }
    if (sp == stack)
        m_ops.constant(result, Value{});
    else
        m_ops.copy(result, sp[-1]);
}

}  // namespace

void runExact(const Program& program, std::span<const double* const> seeds, ExactValue* stack, Scratch& scratch,
              ExactEvaluation& evaluation)
{
    evaluation.failures.clear();
    evaluation.count = static_cast<int>(seeds.size());
    ExactRun(program, seeds, scratch, evaluation.failures).run(stack, evaluation.result);
}

}  // namespace slopekit::script
