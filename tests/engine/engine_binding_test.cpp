#include "engine/engine_binding.h"

#include "../numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace slopekit {
namespace {

class Binding : public ::testing::Test {
protected:
    Binding() : binding(dim)
    {
        binding.setErrorEventHandler([this](const std::string& m) { messages.push_back(m); });
        binding.setUp();
    }

    void problem(std::vector<std::string> names, std::vector<double> point, std::string function)
    {
        dim.redimension(static_cast<int>(names.size()));
        dim.VarNams = std::move(names);
        dim.Varx = std::move(point);
        dim.Equation = std::move(function);
    }

    int failure()
    {
        try {
            binding.EvaluateFunction();
        } catch (const RunError& e) {
            lastError = e.source();
            return e.number();
        }
        return 0;
    }

    Dimension dim;
    EngineBinding binding;
    std::vector<std::string> messages;
    std::string lastError;
};

TEST_F(Binding, SetUpDefinesStepsAndConstants)
{
    EXPECT_EQ(dim.Step, 0.0003);
    EXPECT_EQ(dim.HalfStep, 0.00015);
    EXPECT_DOUBLE_EQ(binding.sh().pi, M_PI);
    EXPECT_DOUBLE_EQ(binding.sh().halfpi, M_PI / 2);
    EXPECT_DOUBLE_EQ(binding.sh().e, std::exp(1.0));
}

TEST_F(Binding, AssignVariablesSendsEngineNumberStatements)
{
    problem({"x", "y", "z", "t"}, {1.5, -0.25, 0, 2}, "x");
    binding.AssignVariables();
    EXPECT_EQ(dim.Statement, "t= 2");  // the last variable's statement stays
    EXPECT_EQ(binding.sh().x, 1.5);     // x is the field of sh
    EXPECT_EQ(binding.engine().eval("y").number, -0.25);
    dim.Varx[3] = 0.5;
    binding.AssignVariables();
    EXPECT_EQ(dim.Statement, "t= .5");
}

// The engine holds exactly the point of the last hand-over, whatever statements the binding
// reuses from the one before and whatever ran in between.
struct HandOverCase {
    const char* name;
    std::vector<std::string> names;
    std::vector<double> first;
    std::vector<double> second;
    const char* between;  // a statement run between the two hand-overs, or ""
};

void PrintTo(const HandOverCase& c, std::ostream* os) { *os << c.name; }

class HandOver : public Binding, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOver, EngineHoldsThePointBitForBit)
{
    const HandOverCase& c = GetParam();
    problem(c.names, c.first, "0");
    binding.AssignVariables();
    if (*c.between)
        binding.ExecuteStatement(c.between);
    dim.Varx = c.second;
    binding.AssignVariables();
    for (std::size_t k = 0; k < c.names.size(); ++k) {
        const double held = binding.engine().eval(c.names[k]).number;
        EXPECT_EQ(std::memcmp(&held, &c.second[k], sizeof held), 0) << c.names[k] << ": " << held;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Points, HandOver,
    ::testing::Values(
        HandOverCase{"values_swapped_between_names", {"x", "y"}, {1.5, -0.25}, {-0.25, 1.5}, ""},
        HandOverCase{"same_value_after_another_statement", {"a", "b"}, {2, 3}, {2, 3}, "a = 7: b = a"},
        HandOverCase{"same_value_after_the_field_changed", {"x"}, {0.5}, {0.5}, "x = 4"},
        HandOverCase{"last_bit_changed", {"p"}, {1.0}, {std::nextafter(1.0, 2.0)}, ""},
        HandOverCase{"seventeen_digits", {"p", "q"}, {0.1, 1.0 / 3}, {0.1 + 0.2, -2.0 / 3}, ""},
        HandOverCase{"range_ends", {"p", "q"}, {1, 1}, {std::numeric_limits<double>::max(), 4.9e-324}, ""}));

TEST_F(Binding, EvaluateFunctionAtThePoint)
{
    problem({"x", "y"}, {1.5, -0.25}, "x^2*y");
    EXPECT_DOUBLE_EQ(binding.EvaluateFunction(), -0.5625);
    dim.Varx[0] = 2;
    EXPECT_DOUBLE_EQ(binding.EvaluateFunction(), -1);
}

TEST_F(Binding, ResultConversion)
{
    testing::LocaleGuard comma(",", ".");
    problem({"x"}, {1}, "x > 0");
    EXPECT_EQ(binding.EvaluateFunction(), -1);
    dim.Equation = "\"2.5\"";  // text is read alike in every locale: "." decimals, "," groups
    EXPECT_EQ(binding.EvaluateFunction(), 2.5);
    dim.Equation = "\"2,5\"";
    EXPECT_EQ(binding.EvaluateFunction(), 25);
    dim.Equation = "\"abc\"";
    EXPECT_EQ(failure(), 13);
    EXPECT_TRUE(messages.empty());  // not an engine error: no event message
}

TEST_F(Binding, IerrRaisedAfterTheValueWithApplicationSource)
{
    problem({"u"}, {1}, "Atanh(u) + 1");
    EXPECT_EQ(failure(), 11);
    EXPECT_EQ(lastError, "Slopekit");
    EXPECT_TRUE(messages.empty());
    dim.Varx[0] = 0;  // ierr is reset before each evaluation
    EXPECT_DOUBLE_EQ(binding.EvaluateFunction(), 1);
}

TEST_F(Binding, RenamedPredefinedConstantChangesAsin)
{
    binding.ExecuteStatement("halfpi=2");
    problem({"x"}, {1}, "Asin(x) + sh.Asin(x)");
    EXPECT_EQ(binding.EvaluateFunction(), 4);
}

TEST_F(Binding, RegisterConstantsInListOrder)
{
    dim.Cons[0] = "a=2.37";
    dim.Cons[1] = "b=2*a";
    dim.NumCons = 2;
    binding.RegisterConstants();
    problem({"x"}, {1}, "b + x");
    EXPECT_DOUBLE_EQ(binding.EvaluateFunction(), 5.74);
}

struct EventCase {
    const char* name;
    const char* function;
    int number;
    bool announced;
    double point = 1;
};

void PrintTo(const EventCase& c, std::ostream* os) { *os << c.name; }

class ErrorEventSplit : public Binding, public ::testing::WithParamInterface<EventCase> {};

TEST_P(ErrorEventSplit, OneMessagePerFailure)
{
    const EventCase& c = GetParam();
    problem({"x"}, {c.point}, c.function);
    try {
        binding.EvaluateFunction();
        FAIL();
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), c.number);
        EXPECT_EQ(announcedByErrorEvent(e), c.announced);
        EXPECT_EQ(messages.size(), c.announced ? 1u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ErrorEventSplit,
    ::testing::Values(EventCase{"invalid_call_silent", "Sqr(-x)", 5, false},
                      EventCase{"overflow_silent", "Exp(710 * x)", 6, false},
                      EventCase{"division_silent", "x / 0", 11, false},
                      EventCase{"ierr_not_announced", "Asin(2 * x)", 5, false},
                      EventCase{"syntax_announced", "x +", 1023, true},
                      EventCase{"undefined_announced", "x + q", 500, true},
                      EventCase{"type_mismatch_announced", "x + \"a\"", 13, true},
                      EventCase{"coordinate_beyond_range_silent", "x", 6, false,
                                std::numeric_limits<double>::infinity()}));

TEST_F(Binding, MutedErrorEventShowsNothingUntilUnmuted)
{
    problem({"x"}, {1}, "x + \"a\"");
    binding.setErrorEventMuted(true);
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
    EXPECT_TRUE(messages.empty());
    binding.setErrorEventMuted(false);
    EXPECT_THROW(binding.EvaluateFunction(), RunError);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Binding, ErrorEventMessageText)
{
    EXPECT_THROW(binding.ExecuteStatement("a = 1\nb = 1 # 2"), RunError);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0],
              "Slopekit expression syntax error 1032\rInvalid character\r\rAt line 2, col 7: [b = 1 # 2]");
}

TEST(RunErrorMessage, SourceNumberDescription)
{
    EXPECT_EQ(runErrorMessage(RunError(11, "Slopekit")), "Slopekit 11\rDivision by zero\r\r");
}

TEST_F(Binding, RemovedConstantStatementAndNamesKeptAfterErrors)
{
    binding.ExecuteStatement("a=2.37");
    EXPECT_THROW(binding.ExecuteStatement("a="), RunError);
    binding.ExecuteStatement("a=0");
    problem({"x"}, {1}, "a + x");
    EXPECT_EQ(binding.EvaluateFunction(), 1);
}

}  // namespace
}  // namespace slopekit
