#include "engine/engine_binding.h"

#include "ascii/ascii.h"
#include "engine/script/compiler.h"
#include "messages/product_texts.h"
#include "numbers/number_text.h"

#include <cmath>
#include <cstring>

namespace slopekit {

static_assert(MaxFunctionBytes == script::MaxTextLength, "a function the window keeps is one the engine takes");
static_assert(Dimension::MaxOrder <= script::MaxExactVariables, "every problem has exact derivatives");
namespace {

// The predefined constants, each with the statement that gives it its value at start.
struct Predefined {
    const char* name;
    const char* statement;
};
constexpr Predefined PredefinedConstants[] = {
    {"halfpi", "halfpi = Atn(1) * 2"}, {"pi", "pi = Atn(1) * 4"}, {"e", "e = Exp(1)"}};

// Compared bit for bit: cheaper than writing the number, and never wrong to miss.
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Exactly the same text. Names are a few letters: a loop costs less than a call of memcmp.
bool sameSpelling(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

}  // namespace

EngineBinding::EngineBinding(Dimension& dim) : m_dim(dim)
{
    m_engine.setErrorHandler([this](const script::ErrorInfo& error) { ScriptControl1_Error(error); });
}

void EngineBinding::setUp()
{
    m_engine.addObject("sh", m_sh.members(), true);
    m_dim.Step = 0.0003;
    m_dim.HalfStep = 0.00015;
    for (const Predefined& constant : PredefinedConstants)
        ExecuteStatement(constant.statement);
}

const EngineBinding::SentStatement& EngineBinding::statementFor(SentVariable& variable, const std::string& name,
                                                                double value)
{
    // A trial point of the refinement can step past the double range; no text stands for
    // such a coordinate, and the engine must not see some other number instead.
    if (!std::isfinite(value))
        throw RunError(errnum::Overflow, product::Title);
    if (!sameSpelling(variable.name, name)) {
        variable = SentVariable{};
        variable.name = name;
    }
    for (std::size_t k = 0; k < SentVariable::Recent; ++k) {
        const SentStatement& sent = variable.recent[k];
        if (!sent.text.empty() && sameBits(sent.value, value)) {
            variable.last = k;
            return sent;
        }
    }
    variable.last = variable.next;
    variable.next = (variable.next + 1) % SentVariable::Recent;
    SentStatement& sent = variable.recent[variable.last];
    sent.value = value;
    sent.text = name;
    sent.text += '=';
    appendEngineNumber(sent.text, value);
    sent.prepared = m_engine.recogniseNumberStatement(sent.text);
    return sent;
}

void EngineBinding::AssignVariables()
{
    if (m_sent.size() < static_cast<std::size_t>(m_dim.Order))
        m_sent.resize(static_cast<std::size_t>(m_dim.Order));
    for (int m = 0; m < m_dim.Order; ++m) {
        const auto k = static_cast<std::size_t>(m);
        SentVariable& variable = m_sent[k];
        const double value = m_dim.Varx[k];
        const SentStatement* sent = &variable.recent[variable.last];
        // Most coordinates are as they were at the last evaluation.
        if (sent->text.empty() || !sameBits(sent->value, value) || !sameSpelling(variable.name, m_dim.VarNams[k]))
            sent = &statementFor(variable, m_dim.VarNams[k], value);
        m_engine.executeStatement(sent->text, sent->prepared);
    }
}

double EngineBinding::EvaluateFunction()
{
    AssignVariables();
    m_sh.ierr = 0;
    double value = 0;  // a number unchanged, a truth value as -1 or 0
    script::Variant other;
    if (!m_engine.evalNumber(m_dim.Equation, value, other))
        value = other.type == script::Type::String ? languageNumber(other.text) : 0;  // text or Empty
    if (m_sh.ierr != 0)
        throw RunError(m_sh.ierr, product::Title);
    return value;
}

ExactDerivatives EngineBinding::EvaluateExact()
{
    AssignVariables();
    m_sh.ierr = 0;
    const int n = m_dim.Order;
    // Each variable's number, where the statement just sent stored it.
    std::array<const double*, script::MaxExactVariables> seeds{};
    for (int k = 0; k < n; ++k) {
        const auto m = static_cast<std::size_t>(k);
        const SentVariable& sent = m_sent[m];
        const script::Engine::NumberStatement& prepared = sent.recent[sent.last].prepared;
        seeds[m] = prepared.slot ? script::Engine::numberOf(prepared) : m_engine.numberOf(m_dim.VarNams[m]);
    }
    m_engine.evalExact(m_dim.Equation, std::span(seeds.data(), static_cast<std::size_t>(n)), m_exact);
    ExactDerivatives exact;
    const script::Value& result = m_exact.result.value;
    if (result.type == script::Type::String)
        exact.value = languageNumber(*result.text);
    else
        exact.value = result.number;  // a truth value as -1 or 0, Empty as 0
    if (m_sh.ierr != 0)
        throw RunError(m_sh.ierr, product::Title);
    const auto fill = [this](ExactEntry& entry, double number) {
        if (std::isfinite(number))
            entry.value = number;
        else
            entry.reason = m_exact.reason(number);
    };
    const auto size = static_cast<std::size_t>(n);
    exact.gradient.resize(size);
    exact.hessian.resize(size);
    for (int i = 0; i < n; ++i) {
        exact.hessian[static_cast<std::size_t>(i)].resize(size);
        fill(exact.gradient[static_cast<std::size_t>(i)], m_exact.gradient(i));
        for (int j = 0; j < n; ++j)
            fill(exact.hessian[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)], m_exact.hessian(i, j));
    }
    return exact;
}

void EngineBinding::RegisterConstants()
{
    for (int i = 0; i < m_dim.NumCons; ++i) {
        const std::string& constant = m_dim.Cons[static_cast<std::size_t>(i)];
        for (const std::string& variable : m_dim.VarNams)
            if (m_engine.statementsRead(constant, variable))
                throw RefusedInput(constantReadsPointText(constant, variable));
        ExecuteStatement(constant);
    }
}

void EngineBinding::ExecuteStatement(const std::string& text) { m_engine.executeStatement(text); }

ReservedName EngineBinding::reservedNames()
{
    // ierr is a whole-number field, which the engine reserves already.
    return [this](std::string_view name) { return m_engine.reservesName(name); };
}

void EngineBinding::forgetName(const std::string& name)
{
    for (const Predefined& constant : PredefinedConstants) {
        if (sameName(name, constant.name)) {
            ExecuteStatement(constant.statement);
            return;
        }
    }
    m_engine.unassign(name);
}

void EngineBinding::setErrorEventHandler(std::function<void(const std::string& message)> handler)
{
    m_errorEventHandler = std::move(handler);
}

void EngineBinding::ScriptControl1_Error(const script::ErrorInfo& error)
{
    if (m_errorEventMuted || silentInErrorEvent(error.number) || !m_errorEventHandler)
        return;
    m_errorEventHandler(errorEventMessage(error));
}

std::string constantReadsPointText(const std::string& constant, const std::string& variable)
{
    return "The constant " + constant + " uses the variable " + variable +
           ". Constants cannot depend on the point: they are set once, before the point is.";
}

std::string errorEventMessage(const script::ErrorInfo& error)
{
    return error.source + " " + std::to_string(error.number) + "\r" + error.description + "\r\r" + "At line " +
           std::to_string(error.line) + ", col " + std::to_string(error.column) + ": [" + error.text + "]";
}

bool silentInErrorEvent(int number)
{
    return number == errnum::InvalidCall || number == errnum::Overflow || number == errnum::DivisionByZero ||
           number == errnum::EngineException;
}

bool announcedByErrorEvent(const RunError& error)
{
    return dynamic_cast<const script::ScriptError*>(&error) != nullptr && !silentInErrorEvent(error.number());
}

std::string runErrorMessage(const RunError& error)
{
    return error.source() + " " + std::to_string(error.number()) + "\r" + error.description() + "\r\r";
}

}  // namespace slopekit
