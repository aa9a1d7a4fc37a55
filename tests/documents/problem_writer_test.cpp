#include "documents/problem_reader.h"
#include "documents/problem_writer.h"
#include "numbers/locale_guard.h"
#include "problem/dimension.h"

#include <gtest/gtest.h>

#include <limits>

#include <sstream>

namespace slopekit {
namespace {

// These tests are about the file, not about the language's own names.
bool noneReserved(std::string_view) { return false; }

using testing::LocaleGuard;

std::string written(const ProblemToSave& problem)
{
    std::ostringstream out;
    writeProblem(out, problem);
    return out.str();
}

ProblemToSave example()
{
    return {"2", "x^2*y+a", {"x", "y"}, {"1.5", "-2.5"}, {"a=2.37"}};
}

TEST(ProblemWriter, WritesTheExampleByteForByte)
{
    EXPECT_EQ(written(example()),
              "Slopekit\r\n"
              "2,\"x^2*y+a\"\r\n"
              "\"x\",1.5\r\n"
              "\"y\",-2.5\r\n"
              " 1 \r\n"
              "a=2.37\r\n");
}

TEST(ProblemWriter, NumbersInFileFormWhateverTheLocaleAndNoConstantsEndWithTheCountLine)
{
    LocaleGuard comma(",", ".");
    EXPECT_EQ(written({"2.5", "x", {"x", " y"}, {"0.00001", " 4 "}, {}}),
              "Slopekit\r\n2.5,\"x\"\r\n\"x\",1E-05\r\n\" y\",4\r\n 0 \r\n");
}

TEST(ProblemWriter, RefusesWhatCannotReadBackAndWritesNothing)
{
    struct Case {
        const char* name;
        ProblemToSave problem;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"quote_in_function", {"1", "\"x\"", {"x"}, {"1"}, {}}, "The function contains a double quote"},
        {"quote_in_name", {"1", "x", {"a\"b"}, {"1"}, {}}, "The variable name a\"b contains a double quote"},
        {"line_break_in_constant", {"1", "x", {"x"}, {"1"}, {"a=1\nb=2"}}, "line break"},
        {"value_out_of_range", {"1", "x", {"x"}, {"1E999"}, {}}, "too large"},
        {"value_not_a_number", {"1", "x", {"x"}, {"abc"}, {}}, "The value \"abc\" given for x cannot be read as a number."},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        try {
            writeProblem(out, c.problem);
            ADD_FAILURE() << c.name << ": written";
        } catch (const ProblemNotSavable& e) {
            EXPECT_NE(std::string(e.what()).find(c.reasonPart), std::string::npos) << c.name << ": " << e.what();
        }
        EXPECT_EQ(out.str(), "") << c.name;
    }
}

TEST(ProblemWriter, RoundTripKeepsTheWholeProblem)
{
    LocaleGuard comma(",", ".");
    const ProblemToSave saved{"3", "sin(a, b) + x*y*z", {"x", "y", "z"},
                              {"0.123456789012345", "1.7976931348623157E+308", ".5"}, {"a=1", "b=max(1,2)", "c=3"}};
    std::istringstream in(written(saved));
    Dimension dim;
    applyProblem(readProblem(in, noneReserved), dim);
    EXPECT_EQ(dim.Order, 3);
    EXPECT_EQ(dim.LastVar, 2);
    EXPECT_EQ(dim.Equation, saved.function);
    EXPECT_EQ(dim.VarNams, saved.names);
    EXPECT_EQ(dim.Varx, (std::vector<double>{0.123456789012345, std::numeric_limits<double>::max(), 0.5}));
    ASSERT_EQ(dim.NumCons, 3);
    EXPECT_EQ(std::vector<std::string>(dim.Cons.begin(), dim.Cons.begin() + 3), saved.constants);
    EXPECT_FALSE(dim.ResultsShown);
}

}  // namespace
}  // namespace slopekit
