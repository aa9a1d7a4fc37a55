// Feeds arbitrary texts to the engine as the program does: Eval, ExecuteStatement and the
// function evaluation. Each call gives a finite number, a text, or a numbered error that
// the Error event reported exactly when the caller relies on it; afterwards the engine
// still assigns and evaluates a known expression correctly.
//
// Input: two bytes of modes (two bits per text), then up to eight texts separated by NUL.
#include "engine/engine_binding.h"
#include "errors/refused_input.h"
#include "errors/run_error.h"
#include "fuzz_check.h"
#include "problem/dimension.h"

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace slopekit;
using fuzz::check;

// Every error number a call may end with.
const std::set<int> KnownErrors = {5,    6,    11,   13,   14,   424,  438,  450,  500,  1002,
                                   1005, 1006, 1010, 1011, 1023, 1025, 1031, 1032, 1033, errnum::EngineException};

enum class Mode { Eval, Statement, Function, Constant };

class Harness {
public:
    Harness() : m_binding(m_dim)
    {
        m_binding.setErrorEventHandler([this](const std::string&) { ++m_events; });
        m_binding.setUp();
        m_dim.redimension(2);
        m_dim.VarNams = {"x", "y"};
        m_dim.Varx = {0.5, -2};
    }

    void run(Mode mode, const std::string& text)
    {
        m_events = 0;
        try {
            call(mode, text);
            check(m_events == 0, "the Error event fired for a call that succeeded", text);
        } catch (const RunError& e) {
            check(KnownErrors.contains(e.number()), "an unknown error number", text);
            check(e.description() == standardDescription(e.number()), "an error without its description", text);
            check(m_events == (announcedByErrorEvent(e) ? 1 : 0),
                  "the Error event does not match what the caller is told", text);
        } catch (const RefusedInput& refused) {
            // Only a constant that reads the point is refused before it runs, with its reason.
            check(mode == Mode::Constant, "an input refused outside the constants", text);
            check(std::string_view(refused.what()).find("Constants cannot depend on the point") !=
                      std::string_view::npos,
                  "a refusal without its reason", text);
            check(m_events == 0, "the Error event fired for a refused input", text);
        }
    }

    // The engine still assigns and evaluates after whatever came before.
    void checkStillWorks()
    {
        m_events = 0;
        m_binding.ExecuteStatement("zzProbe= 2.5");
        const script::Variant v = m_binding.engine().eval("zzProbe * 2 + Abs(-1) + Len(\"ab\")");
        check(v.type == script::Type::Double && v.number == 8, "a known expression evaluates wrongly", "");
        m_dim.Equation = "x * 4 + y";
        m_dim.VarNams = {"x", "y"};
        m_dim.Varx = {0.5, -2};
        check(m_binding.EvaluateFunction() == 0, "a known function evaluates wrongly", "");
        check(m_events == 0, "the Error event fired for the known expression", "");
    }

private:
    void call(Mode mode, const std::string& text)
    {
        switch (mode) {
        case Mode::Eval: {
            const script::Variant v = m_binding.engine().eval(text);
            check(v.type == script::Type::String || std::isfinite(v.number), "Eval gave no finite number", text);
            break;
        }
        case Mode::Statement: m_binding.ExecuteStatement(text); break;
        case Mode::Function:
            m_dim.Equation = text;
            check(std::isfinite(m_binding.EvaluateFunction()), "the function gave no finite number", text);
            break;
        case Mode::Constant:
            m_dim.Cons[0] = text;
            m_dim.NumCons = 1;
            m_binding.RegisterConstants();
            break;
        }
    }

    Dimension m_dim;
    EngineBinding m_binding;
    int m_events = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    unsigned modes = data[0] | (data[1] << 8);
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    Harness harness;
    for (int i = 0; i < 8 && !rest.empty(); ++i, modes >>= 2) {
        const auto end = std::min(rest.find('\0'), rest.size());
        harness.run(static_cast<Mode>(modes & 3), std::string(rest.substr(0, end)));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    harness.checkStillWorks();
    return 0;
}
