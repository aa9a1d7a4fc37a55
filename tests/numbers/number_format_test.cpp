#include "locale_guard.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace slopekit {
namespace {

using testing::LocaleGuard;

struct FormatCase {
    const char* name;
    double value;
    const char* display;  // under a "." locale
    const char* engine;
    const char* file;
    const char* report;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class NumberForms : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberForms, WriteEachForm)
{
    LocaleGuard point(".", ",");
    const FormatCase& c = GetParam();
    EXPECT_EQ(displayForm(c.value), c.display);
    EXPECT_EQ(engineNumber(c.value), c.engine);
    EXPECT_EQ(fileNumber(c.value), c.file);
    EXPECT_EQ(reportNumber(c.value), c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberForms,
    ::testing::Values(
        FormatCase{"fraction", 1.5, "1.5", " 1.5", "1.5", " 1.5 "},
        FormatCase{"negative_below_one", -0.25, "-0.25", "-.25", "-0.25", "-0.25 "},
        FormatCase{"zero", 0.0, "0", " 0", "0", " 0 "},
        FormatCase{"negative_zero", -0.0, "0", " 0", "0", " 0 "},
        FormatCase{"whole", 2.0, "2", " 2", "2", " 2 "},
        FormatCase{"negative", -2.5, "-2.5", "-2.5", "-2.5", "-2.5 "},
        FormatCase{"small_exponent", 1e-5, "1E-05", " 1E-05", "1E-05", " 1E-05 "},
        FormatCase{"seven_zeros", 0.0000001, "1E-07", " 1E-07", "1E-07", " 1E-07 "},
        FormatCase{"lowest_plain", 1e-4, "0.0001", " .0001", "0.0001", " 0.0001 "},
        FormatCase{"just_below_lowest_plain", 9.99e-5, "9.99E-05", " 9.99E-05", "9.99E-05", " 9.99E-05 "},
        FormatCase{"largest_plain", 999999999999999.0, "999999999999999", " 999999999999999",
                   "999999999999999", " 999999999999999 "},
        FormatCase{"first_exponent", 1e15, "1E+15", " 1E+15", "1E+15", " 1E+15 "},
        FormatCase{"rounds_up_into_exponent", 999999999999999.9, "1E+15", " 999999999999999.9",
                   "999999999999999.9", " 1E+15 "},
        FormatCase{"large_mantissa", 1.5e20, "1.5E+20", " 1.5E+20", "1.5E+20", " 1.5E+20 "},
        FormatCase{"three_digit_exponent", -1.25e-300, "-1.25E-300", "-1.25E-300", "-1.25E-300", "-1.25E-300 "},
        FormatCase{"fifteen_digits_kept", 0.123456789012345, "0.123456789012345", " .123456789012345",
                   "0.123456789012345", " 0.123456789012345 "},
        FormatCase{"sixteenth_digit_rounds", 1.0000000000000002, "1", " 1.0000000000000002", "1.0000000000000002",
                   " 1 "},
        FormatCase{"sixteenth_digit_rounds_up", 0.1234567890123456, "0.123456789012346",
                   " .1234567890123456", "0.1234567890123456", " 0.123456789012346 "},
        FormatCase{"one_third", 1.0 / 3, "0.333333333333333", " .3333333333333333", "0.3333333333333333",
                   " 0.333333333333333 "},
        FormatCase{"largest_double", std::numeric_limits<double>::max(), "1.79769313486232E+308",
                   " 1.7976931348623157E+308", "1.7976931348623157E+308", " 1.79769313486232E+308 "},
        FormatCase{"seventeen_digits_in_exponent_form", 1234567890123456.8, "1.23456789012346E+15",
                   " 1.2345678901234568E+15", "1.2345678901234568E+15", " 1.23456789012346E+15 "},
        FormatCase{"smallest_subnormal", 4.9406564584124654e-324, "4.94065645841247E-324", " 5E-324",
                   "5E-324", " 4.94065645841247E-324 "}));

TEST(NumberFormsComma, DisplayAndReportFollowTheLocaleTheOthersNever)
{
    LocaleGuard comma(",", ".");
    EXPECT_EQ(displayForm(-0.5), "-0,5");
    EXPECT_EQ(displayForm(1.5e20), "1,5E+20");
    EXPECT_EQ(reportNumber(1.5), " 1,5 ");
    EXPECT_EQ(engineNumber(1.5), " 1.5");
    EXPECT_EQ(fileNumber(1.5), "1.5");
}

// The engine and file forms give back the very double; the display form its 15 digits.
TEST(NumberFormsRoundTrip, EngineAndFileFormsReadBackExactly)
{
    LocaleGuard point(".", ",");
    for (double v : {0.1, 1.0 / 3, -2.0 / 7, 123456.789012345, 6.02214076e23, 1.602176634e-19, 1e-5,
                     9.87654321098765e14, -4.5e-4, std::nextafter(1.0, 2.0), 0.1 + 0.2}) {
        const double fifteen = std::stod(displayForm(v));
        EXPECT_EQ(leadingNumber(engineNumber(v)), v) << v;
        EXPECT_EQ(leadingNumber(fileNumber(v)), v) << v;
        EXPECT_EQ(localeNumber(displayForm(v)), fifteen) << v;
        EXPECT_EQ(displayForm(fifteen), displayForm(v)) << v;
    }
}

}  // namespace
}  // namespace slopekit
