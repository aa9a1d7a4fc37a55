#pragma once

#include "engine/class1.h"
#include "engine/script/engine.h"
#include "errors/refused_input.h"
#include "errors/run_error.h"
#include "problem/dimension.h"
#include "problem/entry_checks.h"
#include "problem/exact_derivatives.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace slopekit {

// The program's one expression engine with the `Class1` instance registered as "sh", and
// the operations through which the rest of the program hands it constants, points and the
// function.
class EngineBinding {
public:
    explicit EngineBinding(Dimension& dim);

    // Window-load set-up: AddObject "sh", the steps, the three predefined-constant statements.
    void setUp();
    // Sends 'name= value' for every variable, in order, through the engine.
    void AssignVariables();
    // The function's value at `Varx`; throws RunError (an engine error, a result that is no
    // number, or a number left in `ierr` by an extra function).
    double EvaluateFunction();
    // The function's value, gradient and Hessian at `Varx` by automatic differentiation: the
    // coordinates assigned and ierr read as EvaluateFunction does, and its errors. User
    // constants are constants.
    ExactDerivatives EvaluateExact();
    // Executes every user constant in list order; throws RunError, or RefusedInput for a
    // constant that reads a variable of the problem: constants are set before the point,
    // so it would hold the previous point's coordinate (or none).
    void RegisterConstants();
    // Executes one statement text; throws RunError.
    void ExecuteStatement(const std::string& text);
    // The names (any case) that cannot hold a user's value: the engine's keywords,
    // functions and objects, and ierr, which every evaluation resets.
    ReservedName reservedNames();
    // After its constant is removed, a name means again what it meant at start: pi, halfpi
    // and e their predefined values, any other name nothing (its use is error 500).
    void forgetName(const std::string& name);

    // The engine's Error event (ScriptControl1_Error): called inside a failing engine call
    // with the message text, only for numbers other than 5, 6, 11 and -2147352319.
    void setErrorEventHandler(std::function<void(const std::string& message)> handler);
    // While muted the Error event shows nothing: the refinement's trial points may fail
    // without a message, since the results the user asked for do not depend on them.
    void setErrorEventMuted(bool muted) { m_errorEventMuted = muted; }

    Class1& sh() { return m_sh; }
    script::Engine& engine() { return m_engine; }

private:
    void ScriptControl1_Error(const script::ErrorInfo& error);

    Dimension& m_dim;
    Class1 m_sh;
    script::Engine m_engine;
    std::function<void(const std::string&)> m_errorEventHandler;
    bool m_errorEventMuted = false;
    // Each variable's recent statements, reused while its name stays the same: a computation
    // moves a coordinate among a few values (the point and its steps), and writing and
    // reading a number costs more than the rest of an evaluation.
    struct SentStatement {
        double value = 0;
        std::string text;  // empty until first used
        script::Engine::NumberStatement prepared;
    };
    struct SentVariable {
        static constexpr std::size_t Recent = 8;
        std::string name;
        std::array<SentStatement, Recent> recent;
        std::size_t last = 0;  // the one sent last
        std::size_t next = 0;  // the one to replace next
    };
    const SentStatement& statementFor(SentVariable& variable, const std::string& name, double value);
    std::vector<SentVariable> m_sent;
    script::ExactEvaluation m_exact;
};

// The refusal of a constant that reads a variable of the problem.
std::string constantReadsPointText(const std::string& constant, const std::string& variable);

// The text that ScriptControl1_Error shows for an engine error.
std::string errorEventMessage(const script::ErrorInfo& error);

// Whether the Error event stays silent for an error number (the caller reports those).
bool silentInErrorEvent(int number);

// true when the failure was already shown to the user through the Error event, so the
// caller must not show a second message for it.
bool announcedByErrorEvent(const RunError& error);

// The computation's short message text: Source + " " + Number + CR + Description + CR + CR.
std::string runErrorMessage(const RunError& error);

}  // namespace slopekit
