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

TEST(NumberReading, EachReadingTakesWhatItAccepts)
{
    struct Row {
        const char* name;
        std::string text;
        Read leading, pointBox = Mismatch, locale = Mismatch;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "fraction", .text = "2.5", .leading = {2.5}, .pointBox = {2.5}, .locale = {2.5}},
        {.name = "blanks_around", .text = "  -2.25\t", .leading = {-2.25}, .pointBox = {-2.25}, .locale = {-2.25}},
        {.name = "comma_is_thousands_or_ends_the_number", .text = "1,5", .leading = {1}, .pointBox = Mismatch, .locale = {15}},
        {.name = "thousands", .text = "1,234.5", .leading = {1}, .pointBox = Mismatch, .locale = {1234.5}},
        {.name = "leading_comma", .text = ",5", .leading = {0}},
        {.name = "trailing_words", .text = "4 apples", .leading = {4}},
        {.name = "tabs_and_line_feeds", .text = "\t1\n2 .\t5", .leading = {12.5}},
        {.name = "hex", .text = "&HA", .leading = {10}, .pointBox = {10}, .locale = {10}},
        {.name = "hex_lower", .text = "&hff", .leading = {255}, .pointBox = {255}, .locale = {255}},
        {.name = "octal", .text = "&O17", .leading = {15}, .pointBox = {15}, .locale = {15}},
        {.name = "octal_lower", .text = "&o10", .leading = {8}, .pointBox = {8}, .locale = {8}},
        {.name = "hex_stops_at_non_digit", .text = "&H1G", .leading = {1}},
        {.name = "octal_stops_at_8", .text = "&O78", .leading = {7}},
        {.name = "bare_ampersand", .text = "&", .leading = {0}},
        {.name = "prefix_without_digits", .text = "&H", .leading = {0}},
        {.name = "ampersand_other_letter", .text = "&X0", .leading = {0}},
        {.name = "empty", .text = "", .leading = {0}},
        {.name = "blanks_only", .text = "   ", .leading = {0}},
        {.name = "plus", .text = "+7", .leading = {7}, .pointBox = {7}, .locale = {7}},
        {.name = "sign_only", .text = "-", .leading = {0}},
        {.name = "sign_then_blank", .text = "- 3", .leading = {-3}},
        {.name = "leading_point", .text = ".5", .leading = {0.5}, .pointBox = {0.5}, .locale = {0.5}},
        {.name = "trailing_point", .text = "3.", .leading = {3}, .pointBox = {3}, .locale = {3}},
        {.name = "point_only", .text = ".", .leading = {0}},
        {.name = "second_point_stops", .text = "1.2.3", .leading = {1.2}},
        {.name = "exponent_E", .text = "1E-05", .leading = {1e-5}, .pointBox = {1e-5}, .locale = {1e-5}},
        {.name = "exponent_D", .text = "1.5D3", .leading = {1500}, .pointBox = {1500}, .locale = {1500}},
        {.name = "exponent_lower", .text = "2e+2", .leading = {200}, .pointBox = {200}, .locale = {200}},
        {.name = "exponent_d", .text = "2d2", .leading = {200}, .pointBox = {200}, .locale = {200}},
        {.name = "exponent_without_digits", .text = "1E", .leading = {1}, .pointBox = {1}, .locale = Mismatch},
        {.name = "exponent_sign_without_digits", .text = "1E+", .leading = {1}, .pointBox = {1}, .locale = Mismatch},
        {.name = "exponent_sign_then_letter", .text = "3e-x", .leading = {3}},
        {.name = "exponent_blanks", .text = "1 e 2", .leading = {100}},
        {.name = "carriage_return_stops", .text = "1\r2", .leading = {1}},
        {.name = "nul_stops", .text = std::string("4\0" "2", 3), .leading = {4}},
        {.name = "non_ascii_stops", .text = "7\xC3\xA9", .leading = {7}},
        {.name = "underflow_is_zero", .text = "1e-400", .leading = {0}, .pointBox = {0}, .locale = {0}},
        {.name = "giant_negative_exponent", .text = "5e-99999999999999999999", .leading = {0}, .pointBox = {0}, .locale = {0}},
        {.name = "fifteen_digits", .text = "0.123456789012345", .leading = {0.123456789012345}, .pointBox = {0.123456789012345}, .locale = {0.123456789012345}},
        {.name = "many_leading_zeros", .text = std::string(100000, '0') + "1", .leading = {1}, .pointBox = {1}, .locale = {1}},
        {.name = "long_fraction", .text = "0." + std::string(100000, '3'), .leading = {1.0 / 3}, .pointBox = {1.0 / 3}, .locale = {1.0 / 3}},
        {.name = "beyond_the_double_range", .text = "1e400", .leading = Overflow, .pointBox = Overflow, .locale = Overflow},
        {.name = "many_digits", .text = std::string(100000, '9'), .leading = Overflow, .pointBox = Overflow, .locale = Overflow},
        {.name = "hex_beyond_the_range", .text = "&H" + std::string(300, 'F'), .leading = Overflow, .pointBox = Overflow, .locale = Overflow},
        {.name = "giant_exponent", .text = "-1e99999999999999999999", .leading = Overflow, .pointBox = Overflow, .locale = Overflow},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(read(leadingNumber, row.text), row.leading) << row.name << ": leading-number reading";
        EXPECT_EQ(read(pointNumber, row.text), row.pointBox) << row.name << ": point reading";
        EXPECT_EQ(read(localeNumber, row.text), row.locale) << row.name << ": locale reading";
    }
}

TEST(NumberReading, LocaleReadingFollowsTheLocaleSeparators)
{
    struct Row {
        const char* name;
        const char* decimal;
        const char* thousands;
        const char* text;
        Read read;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "comma_decimal", .decimal = ",", .thousands = ".", .text = "1,5", .read = {1.5}},
        {.name = "point_thousands", .decimal = ",", .thousands = ".", .text = "1.234,5", .read = {1234.5}},
        {.name = "second_decimal_separator", .decimal = ",", .thousands = ".", .text = "1,2,3", .read = Mismatch},
        {.name = "thousands_same_as_decimal_gives_way", .decimal = ".", .thousands = ".", .text = "1.5", .read = {1.5}},
    };
    // clang-format on
    for (const Row& row : rows) {
        testing::LocaleGuard locale(row.decimal, row.thousands);
        EXPECT_EQ(read(localeNumber, row.text), row.read) << row.name;
    }
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
    // clang-format off
    const Row rows[] = {
        {.name = "fraction", .value = 1.5, .display = "1.5", .engine = " 1.5", .file = "1.5"},
        {.name = "negative_below_one", .value = -0.25, .display = "-0.25", .engine = "-.25", .file = "-0.25"},
        {.name = "negative_zero", .value = -0.0, .display = "0", .engine = " 0", .file = "0"},
        {.name = "not_a_number", .value = std::numeric_limits<double>::quiet_NaN(), .display = "0", .engine = " 0", .file = "0"},
        {.name = "lowest_plain", .value = 1e-4, .display = "0.0001", .engine = " .0001", .file = "0.0001"},
        {.name = "just_below_lowest_plain", .value = 9.99e-5, .display = "9.99E-05", .engine = " 9.99E-05", .file = "9.99E-05"},
        {.name = "largest_plain", .value = 999999999999999.0, .display = "999999999999999", .engine = " 999999999999999", .file = "999999999999999"},
        {.name = "first_exponent", .value = 1e15, .display = "1E+15", .engine = " 1E+15", .file = "1E+15"},
        {.name = "rounds_up_into_exponent", .value = 999999999999999.9, .display = "1E+15", .engine = " 999999999999999.9", .file = "999999999999999.9"},
        {.name = "three_digit_exponent", .value = -1.25e-300, .display = "-1.25E-300", .engine = "-1.25E-300", .file = "-1.25E-300"},
        {.name = "fifteen_digits_kept", .value = 0.123456789012345, .display = "0.123456789012345", .engine = " .123456789012345", .file = "0.123456789012345"},
        {.name = "sixteenth_digit_rounds", .value = 1.0000000000000002, .display = "1", .engine = " 1.0000000000000002", .file = "1.0000000000000002"},
        {.name = "sixteenth_digit_rounds_up", .value = 0.1234567890123456, .display = "0.123456789012346", .engine = " .1234567890123456", .file = "0.1234567890123456"},
        {.name = "largest_double", .value = std::numeric_limits<double>::max(), .display = "1.79769313486232E+308", .engine = " 1.7976931348623157E+308", .file = "1.7976931348623157E+308"},
        {.name = "smallest_subnormal", .value = 4.9406564584124654e-324, .display = "4.94065645841247E-324", .engine = " 5E-324", .file = "5E-324"},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(displayForm(row.value), row.display) << row.name << ": display form";
        EXPECT_EQ(engineNumber(row.value), row.engine) << row.name << ": engine form";
        EXPECT_EQ(fileNumber(row.value), row.file) << row.name << ": file form";
        EXPECT_EQ(pointForm(row.value), row.file) << row.name << ": point form";
        const std::string report = (row.display[0] == '-' ? "" : " ") + std::string(row.display) + " ";
        EXPECT_EQ(reportNumber(row.value), report) << row.name << ": report form";
        // Display, point and report forms follow the locale's separator, the others never.
        testing::LocaleGuard comma(",", ".");
        const auto withComma = [](std::string t) {
            std::replace(t.begin(), t.end(), '.', ',');
            return t;
        };
        EXPECT_EQ(displayForm(row.value), withComma(row.display)) << row.name << ": display form, comma locale";
        EXPECT_EQ(pointForm(row.value), withComma(row.file)) << row.name << ": point form, comma locale";
        EXPECT_EQ(reportNumber(row.value), withComma(report)) << row.name << ": report form, comma locale";
        EXPECT_EQ(engineNumber(row.value), row.engine) << row.name << ": engine form, comma locale";
        EXPECT_EQ(fileNumber(row.value), row.file) << row.name << ": file form, comma locale";
    }
}

// A value keeps the digits down to the place of its error's second significant digit.
TEST(NumberForms, AValueShowsTheDigitsItsErrorSupports)
{
    struct Row {
        const char* name;
        double value;
        double error;
        const char* shown;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "noise_dropped", .value = 2.0000000123, .error = 3.4e-7, .shown = "2.00000001"},
        {.name = "rounds_at_the_last_place", .value = -0.841470984807897, .error = 8.4e-7, .shown = "-0.84147098"},
        {.name = "error_rounded_first", .value = 1.23456789, .error = 9.96e-3, .shown = "1.235"},
        {.name = "large_value", .value = 123456.789, .error = 2.5, .shown = "123456.8"},
        {.name = "value_at_the_error", .value = 1.2345e-9, .error = 3.4e-9, .shown = "1.2E-09"},
        {.name = "one_digit_at_the_errors_second_digit", .value = 0.3, .error = 1.2, .shown = "0.3"},
        {.name = "value_below_the_error", .value = 1e-12, .error = 3.4e-9, .shown = "0"},
        {.name = "negative_below_the_error", .value = -1e-12, .error = 3.4e-9, .shown = "0"},
        {.name = "exact", .value = 0.123456789012345678, .error = 0, .shown = "0.123456789012346"},
        {.name = "error_unknown", .value = 1.5, .error = std::numeric_limits<double>::infinity(), .shown = "1.5"},
        {.name = "tiny_error_keeps_fifteen", .value = 1.0 / 3, .error = 1e-30, .shown = "0.333333333333333"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(displayFormToError(row.value, row.error), row.shown) << row.name << ": shown";
}

TEST(NumberForms, AValueToItsErrorFollowsTheLocaleSeparator)
{
    testing::LocaleGuard comma(",", ".");
    EXPECT_EQ(displayFormToError(2.0000000123, 3.4e-7), "2,00000001");
}

}  // namespace
}  // namespace slopekit
