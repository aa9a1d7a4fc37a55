#include "engine/script/engine.h"

#include "ascii/ascii.h"
#include "engine/script/builtins.h"
#include "engine/script/evaluator.h"
#include "engine/script/lexer.h"
#include "engine/script/number_literal.h"
#include "engine/script/numeric_code.h"
#include "engine/script/operators.h"

#include <algorithm>
#include <limits>
#include <new>

namespace slopekit::script {
void Engine::addObject(std::string_view name, HostObject object, bool addMembers)
{
    const HostObject& stored = m_objects.emplace_back(std::move(object));
    foldCase(name, m_key);
    const std::string objectKey = m_key;
    Slot& objectSlot = m_globals.obtain(objectKey);
    objectSlot = Slot{};
    objectSlot.kind = SlotKind::Object;
    objectSlot.object = &stored;
    for (const HostField& field : stored.fields) {
        foldCase(field.name, m_key);
        const std::string memberKey = m_key;
        for (const std::string& key : {objectKey + "." + memberKey, memberKey}) {
            if (key == memberKey && !addMembers)
                continue;
            Slot& s = m_globals.obtain(key);
            s = Slot{};
            s.kind = field.number ? SlotKind::NumberField : SlotKind::WholeField;
            s.number = field.number;
            s.whole = field.whole;
        }
    }
    if (addMembers) {
        for (std::uint32_t i = 0; i < stored.methods.size(); ++i) {
            foldCase(stored.methods[i].name, m_key);
            m_methods[m_key] = MethodRef{&objectSlot, i};
        }
    }
    // Texts compiled before may now mean something else.
    m_expressions.clear();
    m_statements.clear();
}

// The hot path of every computation: 'x= 1.5', 'y=-.25' assign a number literal to a name.
// Read without the general parser; anything else of that look (a keyword, an object, a
// Long field, a malformed literal) is left to the general way.
Engine::NumberStatement Engine::recogniseNumberStatement(std::string_view t)
{
    const std::size_t n = t.size();
    if (n == 0 || !isLetter(t[0]))
        return {};
    std::size_t i = 1;
    while (i < n && isNameCharacter(t[i]))
        ++i;
    const std::string_view name = t.substr(0, i);
    while (i < n && t[i] == ' ')
        ++i;
    if (i >= n || t[i] != '=')
        return {};
    ++i;
    while (i < n && t[i] == ' ')
        ++i;
    const bool negative = i < n && t[i] == '-';
    if (negative)
        ++i;
    if (i >= n || !(isDigit(t[i]) || (t[i] == '.' && i + 1 < n && isDigit(t[i + 1]))))
        return {};
    const NumberLiteral lit = scanNumberLiteral(t, i);
    if (lit.error)
        return {};
    i = lit.end;
    while (i < n && t[i] == ' ')
        ++i;
    if (i != n)
        return {};
    foldCase(name, m_key);
    Slot* slot = m_globals.find(m_key);
    if (!slot) {
        if (isKeyword(name))
            return {};
        slot = &m_globals.obtain(m_key);
    }
    return {slot, negative ? negate(lit.value) : lit.value};
}

void Engine::executeAnyStatement(std::string_view text)
{
    withinMemory(text, [&] { run(compiled(text, true)); });
}

void Engine::executeStatement(std::string_view text)
{
    withinMemory(text, [&] { executeStatement(text, recogniseNumberStatement(text)); });
}

bool Engine::statementsRead(std::string_view text, std::string_view name)
{
    const Program& program = withinMemory(text, [&]() -> const Program& { return compiled(text, true); });
    foldCase(name, m_key);
    const Slot* read = m_globals.find(m_key);
    if (!read)
        return false;  // a name nothing has used yet cannot be in the program
    // A field is also read through its member name (x and sh.x hold one number).
    const auto sameStorage = [read](const Slot* s) { return s == read || (read->number && s->number == read->number); };
    return std::ranges::any_of(program.code,
                               [&](const Instruction& ins) { return ins.op == Op::Load && sameStorage(ins.slot); });
}

Variant Engine::eval(std::string_view text)
{
    return withinMemory(text, [&] { return Variant::of(run(compiled(text, false))); });
}

void Engine::checkExpression(std::string_view text)
{
    withinMemory(text, [&] { compiled(text, false); });
}

bool Engine::evalNumberCompiling(std::string_view text, double& number, Variant& other)
{
    return withinMemory(text, [&] {
        const Program& program = compiled(text, false);
        if (numbersOnly(program)) {
            if (m_numberStack.size() < program.maxStack + 2)
                m_numberStack.resize(program.maxStack + 2);
            number = runNumbers(program);
            return true;
        }
        const Value v = run(program);
        if (v.isNumeric()) {
            number = v.number;
            return true;
        }
        other = Variant::of(v);
        return false;
    });
}

void Engine::failNumbers(const Program& program)
{
    try {
        throw;
    } catch (const LocatedFault& f) {
        fail(locateError(f.number, false, program.source, f.offset));
    } catch (const std::bad_alloc&) {  // as withinMemory, which the inline evalNumber skips
        m_scratch.clear();
        fail(locateError(errnum::OutOfMemory, false, program.source, 0));
    }
}

void Engine::evalExact(std::string_view text, std::span<const double* const> seeds, ExactEvaluation& evaluation)
{
    withinMemory(text, [&] {
        const Program& program = compiled(text, false);
        m_scratch.clear();
        if (m_exactStack.size() < program.maxStack + 1)
            m_exactStack.resize(program.maxStack + 1);
        try {
            runExact(program, seeds, m_exactStack.data(), m_scratch, evaluation);
        } catch (const LocatedFault& f) {
            fail(locateError(f.number, false, program.source, f.offset));
        }
    });
}

namespace {

const double* numberIn(const Slot* slot)
{
    if (!slot)
        return nullptr;
    switch (slot->kind) {
    case SlotKind::Variable: return &slot->value.number;
    case SlotKind::NumberField: return slot->number;
    default: return nullptr;
    }
}

}  // namespace

const double* Engine::numberOf(std::string_view name)
{
    foldCase(name, m_key);
    return numberIn(m_globals.find(m_key));
}

const double* Engine::numberOf(const NumberStatement& statement) { return numberIn(statement.slot); }

const Program& Engine::compiled(std::string_view text, bool statements)
{
    CompileCache& cache = statements ? m_statements : m_expressions;
    if (const Program* p = cache.find(text))
        return *p;
    try {
        return cache.insert(statements ? compileStatements(text, m_globals, m_methods)
                                       : compileExpression(text, m_globals, m_methods));
    } catch (const SyntaxFault& f) {
        fail(locateError(f.number, true, text, f.offset));
    }
}

Value Engine::run(const Program& program)
{
    m_scratch.clear();
    if (m_stack.size() < program.maxStack + 1)
        m_stack.resize(program.maxStack + 1);
    try {
        return script::run(program, m_stack.data(), m_scratch);
    } catch (const LocatedFault& f) {
        fail(locateError(f.number, false, program.source, f.offset));
    }
}

bool Engine::reservesName(std::string_view name)
{
    foldCase(name, m_key);
    if (isKeyword(m_key) || findBuiltin(m_key) || m_methods.contains(m_key))
        return true;
    const Slot* slot = m_globals.find(m_key);
    return slot && (slot->kind == SlotKind::Object || slot->kind == SlotKind::WholeField);
}

void Engine::unassign(std::string_view name)
{
    foldCase(name, m_key);
    Slot* slot = m_globals.find(m_key);
    if (!slot)
        return;
    switch (slot->kind) {
    case SlotKind::Variable: slot->value = Value{}; return;
    case SlotKind::NumberField: *slot->number = std::numeric_limits<double>::quiet_NaN(); return;
    case SlotKind::WholeField: *slot->whole = 0; return;
    case SlotKind::Object: return;
    }
}

// A call that runs out of memory fails with error 7 once the texts it made are given back,
// instead of ending the program with its unsaved work.
template <typename Call>
auto Engine::withinMemory(std::string_view text, Call call) -> decltype(call())
{
    try {
        return call();
    } catch (const std::bad_alloc&) {
        m_scratch.clear();
        fail(locateError(errnum::OutOfMemory, false, text, 0));
    }
}

void Engine::fail(const ErrorInfo& info)
{
    if (m_errorHandler)
        m_errorHandler(info);
    throw ScriptError(info);
}

}  // namespace slopekit::script
