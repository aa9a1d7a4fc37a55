#include "errors/run_error.h"
#include "locale_guard.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace slopekit {
namespace {

// What a reading gives: a value, or the number of the error it throws.
struct Read {
    double value = 0;
    int error = 0;
    bool operator==(const Read&) const = default;
};
void PrintTo(const Read& r, std::ostream* os) { *os << (r.error ? "error " : "") << (r.error ? r.error : r.value); }
const Read Overflow{0, 6}, Mismatch{0, 13};

// Reads a copy that ends where the text ends: no reading may look past it (the sanitizer
// build shows a read beyond the end).
Read read(double (*reading)(std::string_view), const std::string& text)
{
    const std::vector<char> exact(text.begin(), text.end());
    try {
        return {reading(std::string_view(exact.data(), exact.size()))};
    } catch (const RunError& e) {
        return {0, e.number()};
    }
}

TEST(NumberReading, LeadingPointAndLocaleReadings)
{
    struct Row {
        const char* name;
        std::string text;
        Read leading, pointBox = Mismatch, locale = Mismatch;
    };
    const Row rows[] = {
        {"fraction", "2.5", {2.5}, {2.5}, {2.5}}, {"blanks_around", "  -2.25\t", {-2.25}, {-2.25}, {-2.25}},
        {"comma_is_thousands_or_ends_the_number", "1,5", {1}, Mismatch, {15}},
        {"thousands", "1,234.5", {1}, Mismatch, {1234.5}}, {"leading_comma", ",5", {0}},
        {"trailing_words", "4 apples", {4}}, {"tabs_and_line_feeds", "\t1\n2 .\t5", {12.5}},
        {"hex", "&HA", {10}, {10}, {10}}, {"hex_lower", "&hff", {255}, {255}, {255}}, {"octal", "&O17", {15}, {15}, {15}},
        {"octal_lower", "&o10", {8}, {8}, {8}}, {"hex_stops_at_non_digit", "&H1G", {1}},
        {"octal_stops_at_8", "&O78", {7}}, {"bare_ampersand", "&", {0}}, {"prefix_without_digits", "&H", {0}},
        {"ampersand_other_letter", "&X0", {0}}, {"empty", "", {0}},
        {"blanks_only", "   ", {0}}, {"plus", "+7", {7}, {7}, {7}},
        {"sign_only", "-", {0}}, {"sign_then_blank", "- 3", {-3}}, {"leading_point", ".5", {0.5}, {0.5}, {0.5}},
        {"trailing_point", "3.", {3}, {3}, {3}}, {"point_only", ".", {0}}, {"second_point_stops", "1.2.3", {1.2}},
        {"exponent_E", "1E-05", {1e-5}, {1e-5}, {1e-5}}, {"exponent_D", "1.5D3", {1500}, {1500}, {1500}},
        {"exponent_lower", "2e+2", {200}, {200}, {200}}, {"exponent_d", "2d2", {200}, {200}, {200}},
        {"exponent_without_digits", "1E", {1}, {1}, Mismatch},
        {"exponent_sign_without_digits", "1E+", {1}, {1}, Mismatch}, {"exponent_sign_then_letter", "3e-x", {3}},
        {"exponent_blanks", "1 e 2", {100}}, {"carriage_return_stops", "1\r2", {1}},
        {"nul_stops", std::string("4\0" "2", 3), {4}}, {"non_ascii_stops", "7\xC3\xA9", {7}},
        {"underflow_is_zero", "1e-400", {0}, {0}, {0}},
        {"giant_negative_exponent", "5e-99999999999999999999", {0}, {0}, {0}},
        {"fifteen_digits", "0.123456789012345", {0.123456789012345}, {0.123456789012345}, {0.123456789012345}},
        {"many_leading_zeros", std::string(100000, '0') + "1", {1}, {1}, {1}},
        {"long_fraction", "0." + std::string(100000, '3'), {1.0 / 3}, {1.0 / 3}, {1.0 / 3}},
        {"beyond_the_double_range", "1e400", Overflow, Overflow, Overflow},
        {"many_digits", std::string(100000, '9'), Overflow, Overflow, Overflow},
        {"hex_beyond_the_range", "&H" + std::string(300, 'F'), Overflow, Overflow, Overflow},
        {"giant_exponent", "-1e99999999999999999999", Overflow, Overflow, Overflow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(read(leadingNumber, row.text), row.leading);
        EXPECT_EQ(read(pointNumber, row.text), row.pointBox);
        EXPECT_EQ(read(localeNumber, row.text), row.locale);
    }
}

TEST(NumberReading, LocaleReadingFollowsTheLocaleSeparators)
{
    testing::LocaleGuard comma(",", ".");
    EXPECT_EQ(read(localeNumber, "1,5"), Read{1.5});
    EXPECT_EQ(read(localeNumber, "1.234,5"), Read{1234.5});
    EXPECT_EQ(read(localeNumber, "1,2,3"), Mismatch);
    numberLocale().decimal = ".";  // a thousands separator the same as the decimal one gives way to it
    EXPECT_EQ(read(localeNumber, "1.5"), Read{1.5});
}

TEST(NumberForms, WriteEachForm)
{
    struct Row {
        const char* name;
        double value;
        const char* display;  // under a "." locale; the report form adds a blank after it and one before unless "-"
        const char* engine;
        const char* file;  // and the point form
    };
    const Row rows[] = {
        {"fraction", 1.5, "1.5", " 1.5", "1.5"},
        {"negative_below_one", -0.25, "-0.25", "-.25", "-0.25"},
        {"negative_zero", -0.0, "0", " 0", "0"},
        {"not_a_number", std::numeric_limits<double>::quiet_NaN(), "0", " 0", "0"},
        {"lowest_plain", 1e-4, "0.0001", " .0001", "0.0001"},
        {"just_below_lowest_plain", 9.99e-5, "9.99E-05", " 9.99E-05", "9.99E-05"},
        {"largest_plain", 999999999999999.0, "999999999999999", " 999999999999999", "999999999999999"},
        {"first_exponent", 1e15, "1E+15", " 1E+15", "1E+15"},
        {"rounds_up_into_exponent", 999999999999999.9, "1E+15", " 999999999999999.9", "999999999999999.9"},
        {"three_digit_exponent", -1.25e-300, "-1.25E-300", "-1.25E-300", "-1.25E-300"},
        {"fifteen_digits_kept", 0.123456789012345, "0.123456789012345", " .123456789012345", "0.123456789012345"},
        {"sixteenth_digit_rounds", 1.0000000000000002, "1", " 1.0000000000000002", "1.0000000000000002"},
        {"sixteenth_digit_rounds_up", 0.1234567890123456, "0.123456789012346",
         " .1234567890123456", "0.1234567890123456"},
        {"largest_double", std::numeric_limits<double>::max(), "1.79769313486232E+308",
         " 1.7976931348623157E+308", "1.7976931348623157E+308"},
        {"smallest_subnormal", 4.9406564584124654e-324, "4.94065645841247E-324", " 5E-324", "5E-324"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(displayForm(row.value), row.display);
        EXPECT_EQ(engineNumber(row.value), row.engine);
        EXPECT_EQ(fileNumber(row.value), row.file);
        EXPECT_EQ(pointForm(row.value), row.file);
        const std::string report = (row.display[0] == '-' ? "" : " ") + std::string(row.display) + " ";
        EXPECT_EQ(reportNumber(row.value), report);
        // Display, point and report forms follow the locale's separator, the others never.
        testing::LocaleGuard comma(",", ".");
        const auto withComma = [](std::string t) { std::replace(t.begin(), t.end(), '.', ','); return t; };
        EXPECT_EQ(displayForm(row.value), withComma(row.display));
        EXPECT_EQ(pointForm(row.value), withComma(row.file));
        EXPECT_EQ(reportNumber(row.value), withComma(report));
        EXPECT_EQ(engineNumber(row.value), row.engine);
        EXPECT_EQ(fileNumber(row.value), row.file);
    }
}

// A value keeps the digits down to the place of its error's second significant digit.
TEST(NumberForms, AValueShowsTheDigitsItsErrorSupports)
{
    struct Row { const char* name; double value; double error; const char* shown; };
    const Row rows[] = {
        {"noise_dropped", 2.0000000123, 3.4e-7, "2.00000001"},
        {"rounds_at_the_last_place", -0.841470984807897, 8.4e-7, "-0.84147098"},
        {"error_rounded_first", 1.23456789, 9.96e-3, "1.235"},
        {"large_value", 123456.789, 2.5, "123456.8"},
        {"value_at_the_error", 1.2345e-9, 3.4e-9, "1.2E-09"},
        {"value_below_the_error", 1e-12, 3.4e-9, "0"},
        {"negative_below_the_error", -1e-12, 3.4e-9, "0"},
        {"exact", 0.123456789012345678, 0, "0.123456789012346"},
        {"error_unknown", 1.5, std::numeric_limits<double>::infinity(), "1.5"},
        {"tiny_error_keeps_fifteen", 1.0 / 3, 1e-30, "0.333333333333333"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(displayFormToError(row.value, row.error), row.shown) << row.name;
    testing::LocaleGuard comma(",", ".");
    EXPECT_EQ(displayFormToError(2.0000000123, 3.4e-7), "2,00000001");
}

}  // namespace
}  // namespace slopekit
