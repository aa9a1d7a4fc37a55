#include "engine/script/engine.h"

#include <gtest/gtest.h>

namespace slopekit::script {
namespace {

struct StatementCase {
    const char* name;
    const char* statement;
    const char* read;
    Type type;
    double number;
};

void PrintTo(const StatementCase& c, std::ostream* os) { *os << c.name; }

class Assigns : public ::testing::TestWithParam<StatementCase> {};

TEST_P(Assigns, TheNamedValue)
{
    Engine engine;
    const StatementCase& c = GetParam();
    engine.executeStatement(c.statement);
    const Variant v = engine.eval(c.read);
    EXPECT_EQ(v.type, c.type);
    EXPECT_DOUBLE_EQ(v.number, c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, Assigns,
    ::testing::Values(
        // the shapes AssignVariables sends
        StatementCase{"positive_fraction", "x= 1.5", "x", Type::Double, 1.5},
        StatementCase{"negative_below_one", "y=-.25", "y", Type::Double, -0.25},
        StatementCase{"zero", "z= 0", "z", Type::Integer, 0},
        StatementCase{"whole", "t= 2", "t", Type::Integer, 2},
        StatementCase{"exponent_form", "u= 1.5E+20", "u", Type::Double, 1.5e20},
        StatementCase{"negative_exponent_form", "v=-1E-05", "v", Type::Double, -1e-5},
        StatementCase{"lowest_integer", "w=-32768", "w", Type::Long, -32768},
        // the predefined-constant and user-constant statements
        StatementCase{"start_up", "halfpi = Atn(1) * 2", "halfpi", Type::Double, 1.5707963267948966},
        StatementCase{"constant_uses_earlier", "a=2.37: b=2*a", "b", Type::Double, 4.74},
        StatementCase{"lines_separate_statements", "a=1\r\nb=a+1", "b", Type::Integer, 2},
        StatementCase{"comparison_on_right_side", "a = 1 = 1", "a", Type::Boolean, -1},
        StatementCase{"comment_ignored", "a=3 ' three", "a", Type::Integer, 3},
        StatementCase{"case_insensitive", "ABC=4", "abc", Type::Integer, 4}));

struct StatementError {
    const char* name;
    const char* statement;
    int number;
};

void PrintTo(const StatementError& c, std::ostream* os) { *os << c.name; }

class StatementFails : public ::testing::TestWithParam<StatementError> {};

TEST_P(StatementFails, WithNumber)
{
    Engine engine;
    try {
        engine.executeStatement(GetParam().statement);
        FAIL();
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number(), GetParam().number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statements, StatementFails,
    ::testing::Values(StatementError{"empty_value", "a=", 1023}, StatementError{"no_equals", "a", 1011},
                      StatementError{"no_name", "=5", 1010}, StatementError{"keyword_target", "Mod= 1", 1010},
                      StatementError{"value_only", "0", 1010},
                      StatementError{"two_values", "a = 1 2", 1025},
                      StatementError{"undefined_on_right", "a = nothingHere", 500}));

TEST(CompileCache, SeesTheCurrentValueOfEachName)
{
    Engine engine;
    engine.executeStatement("x= 1");
    EXPECT_EQ(engine.eval("x * 10").number, 10);
    engine.executeStatement("x= 2.5");
    EXPECT_EQ(engine.eval("x * 10").number, 25);
    engine.executeStatement("x = \"4\"");
    EXPECT_EQ(engine.eval("x * 10").number, 40);
}

TEST(CompileCache, NameDefinedAfterFirstUseIsSeen)
{
    Engine engine;
    EXPECT_THROW(engine.eval("late + 1"), ScriptError);
    engine.executeStatement("late= 1");
    EXPECT_EQ(engine.eval("late + 1").number, 2);
}

TEST(HostObject, FieldsAndMethodsAreGlobalAndMembers)
{
    Engine engine;
    double f = 0;
    std::int32_t w = 0;
    HostObject object;
    object.fields = {{"f", &f, nullptr}, {"w", nullptr, &w}};
    object.methods = {{"Twice", 1, [](std::span<const Value> a) { return Value::real(2 * toNumber(a[0])); }}};
    engine.executeStatement("f = 7");  // a variable before the object arrives becomes its field
    engine.addObject("obj", object, true);
    engine.executeStatement("f= 1.5: w = 3.5: obj.f = f + 1");
    EXPECT_EQ(f, 2.5);
    EXPECT_EQ(w, 4);  // rounded half to even into the Long field
    EXPECT_EQ(engine.eval("Twice(f) + obj.Twice(1) + obj.w").number, 11);
    EXPECT_THROW(engine.eval("Twice(1, 2)"), ScriptError);
    EXPECT_THROW(engine.eval("obj.nothing"), ScriptError);
    EXPECT_THROW(engine.executeStatement("obj = 1"), ScriptError);
}

}  // namespace
}  // namespace slopekit::script

namespace slopekit::script {
namespace {

TEST(Texts, BeyondTheLimitFailWithOutOfStringSpace)
{
    Engine engine;
    engine.executeStatement("s = \"x\"");
    int number = 0;
    try {
        for (int i = 0; i < 30; ++i)
            engine.executeStatement("s = s & s");
    } catch (const ScriptError& e) {
        number = e.number();
    }
    EXPECT_EQ(number, 14);
    EXPECT_EQ(engine.eval("Len(s)").number, static_cast<double>(Scratch::MaxText));  // the last text kept
}

}  // namespace
}  // namespace slopekit::script
