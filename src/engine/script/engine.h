#pragma once

#include "engine/script/compile_cache.h"
#include "engine/script/compiler.h"
#include "engine/script/exact_evaluator.h"
#include "engine/script/globals.h"
#include "engine/script/host_object.h"
#include "engine/script/numeric_code.h"
#include "engine/script/scratch.h"
#include "engine/script/script_error.h"
#include "engine/script/value.h"

#include <deque>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace slopekit::script {

// The expression language's engine: one global name space that lives as long as the engine,
// assignments through ExecuteStatement, expressions through Eval. A failing call first
// raises the error event (inside the call), then throws ScriptError with the same number;
// the engine stays usable and keeps every name it had.
class Engine {
public:
    using ErrorHandler = std::function<void(const ErrorInfo&)>;

    // Makes an object's fields and methods known: as name.member always, and as global
    // names too when addMembers is set (an existing variable of a field's name becomes the field).
    void addObject(std::string_view name, HostObject object, bool addMembers);

    // Whether a name (any case) cannot hold a value of its own: a keyword, a function, an
    // object, or a field that keeps whole numbers only.
    bool reservesName(std::string_view name);
    // Takes back every assignment to a name: a variable or a Double field reads as never
    // assigned again (error 500), a Long field holds 0.
    void unassign(std::string_view name);

    void executeStatement(std::string_view text);
    // Whether running the statements would read the value of a name (any case), without
    // running them. A text that does not compile fails as executeStatement would.
    bool statementsRead(std::string_view text, std::string_view name);

    // A statement 'name= number' recognised once, so that running it again stores the
    // number without reading the text: the hand-over of a point repeats a few such texts.
    struct NumberStatement {
        Slot* slot = nullptr;  // nullptr: the text is some other statement
        Value value;
    };
    NumberStatement recogniseNumberStatement(std::string_view text);
    // Runs `text`, which recogniseNumberStatement turned into `prepared`; exactly what
    // executeStatement(text) does, errors included.
    void executeStatement(std::string_view text, const NumberStatement& prepared)
    {
        // A slot's kind changes only when AddObject turns a variable into a field; a Long
        // field or an object takes the general way, which knows their errors.
        if (prepared.slot && prepared.slot->kind == SlotKind::Variable)
            prepared.slot->value = prepared.value;
        else if (prepared.slot && prepared.slot->kind == SlotKind::NumberField)
            *prepared.slot->number = prepared.value.number;  // a literal's value is a number
        else
            executeAnyStatement(text);
    }
    Variant eval(std::string_view text);
    // Compiles an expression without evaluating it; a text that does not compile fails as
    // eval would.
    void checkExpression(std::string_view text);
    // Eval for a caller that needs a number: a number or truth value (-1 or 0) comes back
    // in `number` and the result is true; any other value is left in `other`.
    bool evalNumber(std::string_view text, double& number, Variant& other)
    {
        // The hot path, inline: the text evaluated last, on numbers, with room on the stack.
        if (const Program* p = m_expressions.last(text);
            p && numbersOnly(*p) && m_numberStack.size() >= p->maxStack + 2) {
            number = runNumbers(*p);
            return true;
        }
        return evalNumberCompiling(text, number, other);
    }

    // Eval of an expression with its first and second derivatives in the variables whose
    // numbers lie at `seeds` (see numberOf), into `evaluation`; fails as eval() does, with
    // the same error.
    void evalExact(std::string_view text, std::span<const double* const> seeds, ExactEvaluation& evaluation);
    // Where the number of a name (any case) lies: a variable's or a Double field's; nullptr
    // for any other name.
    const double* numberOf(std::string_view name);
    // The same for the name of a statement that recogniseNumberStatement prepared.
    static const double* numberOf(const NumberStatement& statement);

    void setErrorHandler(ErrorHandler handler) { m_errorHandler = std::move(handler); }

private:
    template <typename Call>
    auto withinMemory(std::string_view text, Call call) -> decltype(call());
    // evalNumber of a text that may need compiling first, or values.
    bool evalNumberCompiling(std::string_view text, double& number, Variant& other);
    // A statement by the general way: compiled (or found compiled) and run.
    void executeAnyStatement(std::string_view text);
    const Program& compiled(std::string_view text, bool statements);
    Value run(const Program& program);
    // Runs a numeric program (numbersOnly holds) on the number stack, which has room for it.
    double runNumbers(const Program& program)
    {
        m_scratch.clear();
        try {
            return runNumeric(program, m_numberStack.data(), m_scratch);
        } catch (...) {
            failNumbers(program);
        }
    }
    // Turns the exception in flight from runNumeric into the call's error.
    [[noreturn]] void failNumbers(const Program& program);
    [[noreturn]] void fail(const ErrorInfo& info);

    Globals m_globals;
    MethodTable m_methods;
    std::deque<HostObject> m_objects;
    CompileCache m_expressions;
    CompileCache m_statements;
    std::vector<Value> m_stack;
    std::vector<double> m_numberStack;
    std::vector<ExactValue> m_exactStack;
    Scratch m_scratch;
    ErrorHandler m_errorHandler;
    std::string m_key;
};

}  // namespace slopekit::script
