#include "locale_guard.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace slopekit {
namespace {

using testing::LocaleGuard;

TEST(NumberForms, WriteEachForm)
{
    LocaleGuard point(".", ",");
    struct Row {
        const char* name;
        double value;
        const char* display;  // under a "." locale
        const char* engine;
        const char* file;  // and the point form
        const char* report;
    };
    const Row rows[] = {
        {"fraction", 1.5, "1.5", " 1.5", "1.5", " 1.5 "},
        {"negative_below_one", -0.25, "-0.25", "-.25", "-0.25", "-0.25 "},
        {"zero", 0.0, "0", " 0", "0", " 0 "},
        {"negative_zero", -0.0, "0", " 0", "0", " 0 "},
        {"whole", 2.0, "2", " 2", "2", " 2 "},
        {"negative", -2.5, "-2.5", "-2.5", "-2.5", "-2.5 "},
        {"small_exponent", 1e-5, "1E-05", " 1E-05", "1E-05", " 1E-05 "},
        {"seven_zeros", 0.0000001, "1E-07", " 1E-07", "1E-07", " 1E-07 "},
        {"lowest_plain", 1e-4, "0.0001", " .0001", "0.0001", " 0.0001 "},
        {"just_below_lowest_plain", 9.99e-5, "9.99E-05", " 9.99E-05", "9.99E-05", " 9.99E-05 "},
        {"largest_plain", 999999999999999.0, "999999999999999", " 999999999999999",
         "999999999999999", " 999999999999999 "},
        {"first_exponent", 1e15, "1E+15", " 1E+15", "1E+15", " 1E+15 "},
        {"rounds_up_into_exponent", 999999999999999.9, "1E+15", " 999999999999999.9",
         "999999999999999.9", " 1E+15 "},
        {"large_mantissa", 1.5e20, "1.5E+20", " 1.5E+20", "1.5E+20", " 1.5E+20 "},
        {"three_digit_exponent", -1.25e-300, "-1.25E-300", "-1.25E-300", "-1.25E-300", "-1.25E-300 "},
        {"fifteen_digits_kept", 0.123456789012345, "0.123456789012345", " .123456789012345",
         "0.123456789012345", " 0.123456789012345 "},
        {"sixteenth_digit_rounds", 1.0000000000000002, "1", " 1.0000000000000002", "1.0000000000000002",
         " 1 "},
        {"sixteenth_digit_rounds_up", 0.1234567890123456, "0.123456789012346",
         " .1234567890123456", "0.1234567890123456", " 0.123456789012346 "},
        {"one_third", 1.0 / 3, "0.333333333333333", " .3333333333333333", "0.3333333333333333",
         " 0.333333333333333 "},
        {"largest_double", std::numeric_limits<double>::max(), "1.79769313486232E+308",
         " 1.7976931348623157E+308", "1.7976931348623157E+308", " 1.79769313486232E+308 "},
        {"seventeen_digits_in_exponent_form", 1234567890123456.8, "1.23456789012346E+15",
         " 1.2345678901234568E+15", "1.2345678901234568E+15", " 1.23456789012346E+15 "},
        {"smallest_subnormal", 4.9406564584124654e-324, "4.94065645841247E-324", " 5E-324",
         "5E-324", " 4.94065645841247E-324 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(displayForm(row.value), row.display);
        EXPECT_EQ(engineNumber(row.value), row.engine);
        EXPECT_EQ(fileNumber(row.value), row.file);
        EXPECT_EQ(pointForm(row.value), row.file);
        EXPECT_EQ(reportNumber(row.value), row.report);
        // Display, point and report forms follow the locale's separator, the others never.
        LocaleGuard comma(",", ".");
        const auto withComma = [](std::string text) {
            std::replace(text.begin(), text.end(), '.', ',');
            return text;
        };
        EXPECT_EQ(displayForm(row.value), withComma(row.display));
        EXPECT_EQ(pointForm(row.value), withComma(row.file));
        EXPECT_EQ(reportNumber(row.value), withComma(row.report));
        EXPECT_EQ(engineNumber(row.value), row.engine);
        EXPECT_EQ(fileNumber(row.value), row.file);
    }
}

}  // namespace
}  // namespace slopekit
