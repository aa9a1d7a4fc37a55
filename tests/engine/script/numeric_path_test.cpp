#include "engine/class1.h"
#include "engine/script/engine.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace slopekit::script {
namespace {

// Expressions on numbers run on plain doubles when their variables hold numbers; each must
// give exactly the number (or the error, at the same place, or the number left in ierr by an
// extra function) that the evaluator of values gives.
class NumericPath : public ::testing::TestWithParam<std::string> {};

struct Outcome {
    double number = 0;
    int error = 0;
    int column = 0;
    int ierr = 0;
};

TEST_P(NumericPath, AgreesWithTheEvaluatorOfValues)
{
    Engine engine;
    double f = 0.75;
    double g = std::nan("");  // a field without a value yet
    HostObject object;
    object.fields = {{"f", &f, nullptr}, {"g", &g, nullptr}};
    object.methods = {{"Half", 1, [](std::span<const Value> a) { return Value::real(toNumber(a[0]) / 2); }},
                      {"Bump", 1, [&f](std::span<const Value> a) {
                           f = 2;
                           return a[0];
                       }}};
    engine.addObject("o", object, true);
    slopekit::Class1 sh;
    engine.addObject("sh", sh.members(), true);
    engine.executeStatement("x= 1.5: y=-.25: n= 3: big= 40000: t = True: halfpi = 1.5");

    Outcome general;
    try {
        general.number = engine.eval(GetParam()).number;
    } catch (const ScriptError& e) {
        general = {0, e.number(), e.column()};
    }
    general.ierr = std::exchange(sh.ierr, 0);
    f = 0.75;
    Outcome numeric;
    try {
        Variant other;
        ASSERT_TRUE(engine.evalNumber(GetParam(), numeric.number, other));
    } catch (const ScriptError& e) {
        numeric = {0, e.number(), e.column()};
    }
    numeric.ierr = sh.ierr;
    EXPECT_EQ(numeric.error, general.error) << GetParam() << ": error number";
    EXPECT_EQ(numeric.column, general.column) << GetParam() << ": error column";
    EXPECT_EQ(numeric.ierr, general.ierr) << GetParam() << ": ierr";
    EXPECT_EQ(std::bit_cast<std::uint64_t>(numeric.number), std::bit_cast<std::uint64_t>(general.number))
        << GetParam() << ": value bits of " << numeric.number << " against " << general.number;
}

// Every function of one number at each variable: inside its domain, outside it, and on
// values of each subtype.
std::vector<std::string> withEveryFunction(std::vector<std::string> rows)
{
    for (const std::string function :
         {"Sin",   "Cos",  "Atn",   "Exp",   "Log",   "Sqr",      "Tan",   "Abs",   "Fix",  "Int",
          "Round", "Sgn",  "CInt",  "CLng",  "CDbl",  "CSng",     "CBool", "Asin",  "Acos", "Sinh",
          "Cosh",  "Tanh", "Asinh", "Acosh", "Atanh", "sh.Atanh", "Half",  "o.Half"})
        for (const char* argument : {"(x)", "(y)", "(n)", "(big)", "(t)"})
            rows.push_back(function + argument);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Expressions, NumericPath,
                         ::testing::ValuesIn(withEveryFunction({
                             "3*x^2*y - 2*x*y^2 + 5*x - y + 1",
                             "(x^3 - y^2) / (1 + x^2) + y / x",
                             "-x^2",
                             "2^-1",
                             "n * n * big",
                             "big * big * big",
                             "n \\ 2",
                             "n Mod 2",
                             "-7 Mod n",
                             "x > y",
                             "n = 3",
                             "x > y And n = 3",
                             "g + x",
                             "x * o.g",
                             "Not n Or 4 Xor 1 Eqv 2 Imp 3",
                             "t + t * n",
                             "Not t",
                             "Round(x, 1)",
                             "f + o.f",
                             "x / 0",
                             "0 / 0",
                             "1E308 * 10 + x",
                             "(-8) ^ x",
                             "0 ^ y",
                             "big \\ 0",
                             "Log(0) + x",
                             "Round(x, -1)",
                             "Sin(1, 2) + x",
                             "nope(1)",
                             "y ^ 0.5",
                             "3E9 \\ n",
                             "3 / (x + y) - 1 / (n - 3)",
                             "1 - (x + y)^2 + (x - y)^3 * 2",
                             "f - Bump(x) + f",
                             "Asin(1)",
                             "Asin(-1)",
                             "Acos(-1)",
                             "Acos(1)",
                             "Asin(x) + 1",
                             "Atanh(1) + 1",
                             "Atanh(-1) + 1",
                             "Atanh(1) + Asin(x) + Acosh(n)",
                             "Acosh(1)",
                             "Sinh(710)",
                             "Cosh(-710)",
                             "x / 2",
                             "y / -0.25",
                             "(x + y) / 4",
                             "3 / 0.5",
                             "1E308 / 0.5 + x",
                             "x / 8.9884656743115795E+307",
                             "x / 3 + y / 0.3",
                             "x*y + n*big - x/y + y/x - n*n + x^2 - y^2",
                             "2*x * y^2",
                             "x + big*1E305",
                             "x - 1E300/1E-10",
                             "x + y/0",
                             "x - 0/0",
                             "1E308 + 1E308*1",
                             "-1E308 - x/1E-300",
                             "x * 1E200^2",
                             "1E300 * x^2 * 1E10",
                             "x + 1E155^2",
                             "-1E308 - x^2",
                         })));

// x^3 is pow(x, 3) to the last bit on both paths: near the range's ends, where the shortcut
// past pow is not taken, and across a binade, where a quarter of the x*x*x are not pow's.
TEST(Cube, IsPowToTheLastBitOnBothPaths)
{
    Engine engine;
    double x = 0;
    engine.addObject("o", {{{"x", &x, nullptr}}, {}}, true);
    std::vector<double> bases{-1.3, 0.5, 2, 1E-101, 1E+101, 1E-120, 3E+100};
    std::mt19937_64 bits(11);
    for (int k = 0; k < 2000; ++k)
        bases.push_back(1 + static_cast<double>(bits() >> 11) * 0x1p-53);
    for (const double base : bases) {
        x = base;
        double numeric = 0;
        Variant other;
        ASSERT_TRUE(engine.evalNumber("x^3", numeric, other));
        const double expected = std::pow(base, 3.0);
        ASSERT_EQ(numeric, expected) << std::hexfloat << base << ": numeric path";
        ASSERT_EQ(engine.eval("x^3").number, expected) << std::hexfloat << base << ": evaluator of values";
    }
}

}  // namespace
}  // namespace slopekit::script
