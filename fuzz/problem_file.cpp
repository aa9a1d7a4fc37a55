// Feeds arbitrary bytes to the problem-file reader. A file is either refused with one of
// the reader's two errors, or it gives a problem that fits the state, goes into it whole,
// and, when Save can write it, reads back the same.
#include "ascii/ascii.h"
#include "documents/problem_reader.h"
#include "documents/problem_writer.h"
#include "fuzz_check.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace slopekit;
using fuzz::check;

// A stand-in for the engine's reserved names, so the reader's refusal of them is exercised.
bool reserved(std::string_view name) { return sameName(name, "Mod"); }

std::vector<std::string> fileNumbers(const std::vector<double>& values)
{
    std::vector<std::string> texts;
    for (double v : values)
        texts.push_back(fileNumber(v));
    return texts;
}

void checkFits(const LoadedProblem& p)
{
    check(p.order >= 1 && p.order <= Dimension::MaxOrder, "count out of range");
    check(p.names.size() == static_cast<std::size_t>(p.order), "one name per variable");
    check(p.point.size() == static_cast<std::size_t>(p.order), "one value per variable");
    for (double v : p.point)
        check(std::isfinite(v), "a value is not finite");
    check(p.constants.size() <= Dimension::ConsSlots, "more constants than slots");
    for (std::size_t k = 0; k < p.names.size(); ++k)
        check(!variableNameFault({p.names.begin(), p.names.begin() + k + 1}, reserved), "a refused name was read");
}

void checkApplied(const LoadedProblem& p)
{
    Dimension dim;
    dim.redimension(3);
    dim.Cons[50] = "left=1";
    dim.NumCons = 60;
    applyProblem(p, dim);
    check(dim.Order == p.order, "count not applied");
    check(dim.VarNams == p.names && dim.Varx == p.point && dim.Equation == p.equation, "problem not applied");
    check(dim.NumCons == static_cast<int>(p.constants.size()), "constants count not applied");
    for (std::size_t i = 0; i < p.constants.size(); ++i)
        check(dim.Cons[i] == p.constants[i], "constant not applied");
}

void checkRoundTrip(const LoadedProblem& p)
{
    const ProblemToSave save{std::to_string(p.order), p.equation, p.names, fileNumbers(p.point), p.constants};
    std::ostringstream out;
    try {
        writeProblem(out, save);
    } catch (const ProblemNotSavable&) {
        check(out.str().empty(), "a refused save wrote something");
        return;
    }
    std::istringstream in(out.str());
    const LoadedProblem again = readProblem(in, reserved);
    check(again.order == p.order && again.equation == p.equation && again.names == p.names &&
              again.constants == p.constants,
          "a saved problem reads back different");
    check(fileNumbers(again.point) == save.pointTexts, "a saved point reads back different");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    LoadedProblem problem;
    try {
        problem = readProblem(in, reserved);
    } catch (const IncompatibleFile&) {
        return 0;
    } catch (const BadProblemFile& e) {
        check(e.line() >= 1, "a refusal names no line");
        return 0;
    }
    checkFits(problem);
    checkApplied(problem);
    checkRoundTrip(problem);
    return 0;
}
