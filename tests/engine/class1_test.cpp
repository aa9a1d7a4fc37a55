#include "engine/class1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace slopekit {
namespace {

using Fn = double (Class1::*)(const script::Value&);

struct Class1Case {
    const char* name;
    Fn fn;
    double argument;
    double result;
    int ierr;
};

void PrintTo(const Class1Case& c, std::ostream* os) { *os << c.name; }

class ExtraFunction : public ::testing::TestWithParam<Class1Case> {};

constexpr double HalfPi = 1.5707963267948966;

TEST_P(ExtraFunction, ValueAndErrorChannel)
{
    Class1 sh;
    sh.halfpi = HalfPi;
    const Class1Case& c = GetParam();
    const double r = (sh.*c.fn)(script::Value::real(c.argument));
    EXPECT_NEAR(r, c.result, std::fabs(c.result) * 1e-15);
    EXPECT_EQ(sh.ierr, c.ierr);
}

INSTANTIATE_TEST_SUITE_P(
    DomainEnds, ExtraFunction,
    ::testing::Values(
        Class1Case{"asin_one_reads_halfpi", &Class1::Asin, 1, HalfPi, 0},
        Class1Case{"asin_minus_one", &Class1::Asin, -1, -HalfPi, 0},
        Class1Case{"asin_zero", &Class1::Asin, 0, 0, 0},
        Class1Case{"asin_half", &Class1::Asin, 0.5, std::asin(0.5), 0},
        Class1Case{"asin_just_inside", &Class1::Asin, 0.9999999999999999, std::asin(0.9999999999999999), 0},
        Class1Case{"asin_beyond", &Class1::Asin, 1.5, 0, 5},
        Class1Case{"asin_just_beyond", &Class1::Asin, -1.0000000000000002, 0, 5},
        Class1Case{"acos_one", &Class1::Acos, 1, 0, 0},
        Class1Case{"acos_minus_one", &Class1::Acos, -1, 2 * HalfPi, 0},
        Class1Case{"acos_zero", &Class1::Acos, 0, HalfPi, 0},
        Class1Case{"acos_beyond", &Class1::Acos, -2, 0, 5},
        Class1Case{"sinh_small_accurate", &Class1::Sinh, 1e-10, 1e-10, 0},
        Class1Case{"sinh_710_is_finite", &Class1::Sinh, 710, std::sinh(710.0), 0},
        Class1Case{"sinh_overflow", &Class1::Sinh, 711, 0, 6},
        Class1Case{"cosh_minus_710_is_finite", &Class1::Cosh, -710, std::cosh(710.0), 0},
        Class1Case{"cosh_overflow", &Class1::Cosh, -711, 0, 6},
        Class1Case{"tanh_never_overflows", &Class1::Tanh, 710, 1, 0},
        Class1Case{"tanh_negative_huge", &Class1::Tanh, -1e300, -1, 0},
        Class1Case{"asinh_positive", &Class1::Asinh, 1, std::asinh(1.0), 0},
        Class1Case{"asinh_large_negative", &Class1::Asinh, -1e8, -std::asinh(1e8), 0},
        Class1Case{"asinh_largest", &Class1::Asinh, -1.7e308, -std::asinh(1.7e308), 0},
        Class1Case{"acosh_one", &Class1::Acosh, 1, 0, 0},
        Class1Case{"acosh_large", &Class1::Acosh, 1e200, std::acosh(1e200), 0},
        Class1Case{"acosh_half", &Class1::Acosh, 0.5, 0, 5},
        Class1Case{"acosh_minus_one", &Class1::Acosh, -1, 0, 5},
        Class1Case{"atanh_half", &Class1::Atanh, 0.5, std::atanh(0.5), 0},
        Class1Case{"atanh_one_divides_by_zero", &Class1::Atanh, 1, 0, 11},
        Class1Case{"atanh_minus_one", &Class1::Atanh, -1, 0, 5},
        Class1Case{"atanh_beyond", &Class1::Atanh, 2, 0, 5}));

TEST(Class1, TextArgumentIsTypeMismatchAndNumberTextIsRead)
{
    Class1 sh;
    const std::string apples = "apples";
    EXPECT_EQ(sh.Sinh(script::Value::string(&apples)), 0);
    EXPECT_EQ(sh.ierr, 13);
    const std::string zero = "0";
    sh.ierr = 0;
    EXPECT_EQ(sh.Tanh(script::Value::string(&zero)), 0);
    EXPECT_EQ(sh.ierr, 0);
}

TEST(Class1, LaterSuccessKeepsTheLastError)
{
    Class1 sh;
    sh.Atanh(script::Value::real(1));
    sh.Asin(script::Value::real(2));
    sh.Asin(script::Value::real(0.5));
    EXPECT_EQ(sh.ierr, 5);
}

TEST(Class1, AsinBeforeStartUpReadsZeroHalfpi)
{
    Class1 sh;
    EXPECT_EQ(sh.Asin(script::Value::real(1)), 0);
}

}  // namespace
}  // namespace slopekit
