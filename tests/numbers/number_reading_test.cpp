#include "errors/run_error.h"
#include "locale_guard.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace slopekit {
namespace {

using testing::LocaleGuard;

struct ReadCase {
    const char* name;
    std::string text;
    double value;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class LeadingNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LeadingNumber, ReadsTheNumberAtTheStart)
{
    EXPECT_EQ(leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    ::testing::Values(
        ReadCase{"plain", "3", 3}, ReadCase{"fraction", "2.5", 2.5},
        ReadCase{"comma_ends_number", "1,5", 1}, ReadCase{"trailing_words", "4 apples", 4},
        ReadCase{"inner_blank_ignored", "1 0", 10}, ReadCase{"tabs_and_line_feeds", "\t1\n2 .\t5", 12.5},
        ReadCase{"hex", "&HA", 10}, ReadCase{"hex_lower", "&hff", 255}, ReadCase{"octal", "&O17", 15},
        ReadCase{"hex_stops_at_non_digit", "&H1G", 1}, ReadCase{"octal_stops_at_8", "&O78", 7},
        ReadCase{"bare_ampersand", "&", 0}, ReadCase{"ampersand_other_letter", "&X1", 0},
        ReadCase{"no_number", "abc", 0}, ReadCase{"empty", "", 0},
        ReadCase{"negative", "-2.5", -2.5}, ReadCase{"plus", "+7", 7},
        ReadCase{"sign_then_blank", "- 3", -3}, ReadCase{"leading_point", ".5", 0.5},
        ReadCase{"point_only", ".", 0}, ReadCase{"second_point_stops", "1.2.3", 1.2},
        ReadCase{"exponent_E", "1E-05", 1e-5}, ReadCase{"exponent_D", "1.5D3", 1500},
        ReadCase{"exponent_lower", "2e+2", 200}, ReadCase{"exponent_without_digits", "1E", 1},
        ReadCase{"exponent_sign_only", "3e-x", 3}, ReadCase{"exponent_blanks", "1 e 2", 100},
        ReadCase{"carriage_return_stops", "1\r2", 1}, ReadCase{"nul_stops", std::string("4\0" "2", 3), 4},
        ReadCase{"non_ascii_stops", "7\xC3\xA9", 7}, ReadCase{"underflow_is_zero", "1e-400", 0},
        ReadCase{"giant_negative_exponent", "5e-99999999999999999999", 0},
        ReadCase{"fifteen_digits", "0.123456789012345", 0.123456789012345},
        ReadCase{"many_leading_zeros", std::string(100000, '0') + "1", 1},
        ReadCase{"long_fraction", "0." + std::string(100000, '3'), 1.0 / 3}));

TEST(LeadingNumberLimits, MagnitudesBeyondTheDoubleRangeAreOverflow)
{
    for (const std::string& text :
         {std::string("1e400"), std::string(100000, '9'), "&H" + std::string(300, 'F'),
          std::string("-1e99999999999999999999")}) {
        try {
            leadingNumber(text);
            ADD_FAILURE() << text.substr(0, 20);
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), 6);
        }
    }
}

class LocaleNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LocaleNumber, ReadsUnderAPointLocale)
{
    LocaleGuard point(".", ",");
    EXPECT_EQ(localeNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LocaleNumber,
    ::testing::Values(ReadCase{"plain", "1.5", 1.5}, ReadCase{"blanks_around", "  -2.25\t", -2.25},
                      ReadCase{"thousands", "1,234.5", 1234.5}, ReadCase{"comma_is_thousands", "1,5", 15},
                      ReadCase{"exponent", "1E-05", 1e-5}, ReadCase{"exponent_D", "2d2", 200},
                      ReadCase{"leading_point", ".5", 0.5}, ReadCase{"trailing_point", "3.", 3},
                      ReadCase{"plus", "+4", 4}, ReadCase{"hex", "&HFF", 255}, ReadCase{"octal", "&o10", 8}));

TEST(LocaleNumberErrors, TextThatIsNotANumberIsTypeMismatch)
{
    LocaleGuard point(".", ",");
    for (const std::string& text :
         {std::string(""), std::string("   "), std::string("abc"), std::string("4 apples"),
          std::string("1 0"), std::string("-"), std::string("."), std::string("1e"), std::string("1e+"),
          std::string("&H"), std::string("&HG"), std::string("&Q1"), std::string(",5"),
          std::string("1\0" "2", 3), std::string("\xC3\xA9"), std::string("1.2.3")}) {
        try {
            localeNumber(text);
            ADD_FAILURE() << '[' << text << ']';
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), 13) << '[' << text << ']';
            EXPECT_EQ(e.description(), "Type mismatch");
        }
    }
}

// Texts handed over without a terminating character: a reading must stop at the end
// (the sanitizer build shows a read past it).
TEST(LocaleNumberErrors, TextEndingInsideTheNumberIsReadWithinItsBounds)
{
    LocaleGuard point(".", ",");
    for (const std::string& text : {std::string("1e"), std::string("1E+"), std::string("&H")}) {
        const std::vector<char> exact(text.begin(), text.end());
        try {
            localeNumber(std::string_view(exact.data(), exact.size()));
            ADD_FAILURE() << text;
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), 13) << text;
        }
    }
    const std::string exponent = "2e5";
    EXPECT_EQ(leadingNumber(std::string_view(exponent).substr(0, 2)), 2);
}

TEST(LocaleNumberComma, FollowsTheLocaleSeparators)
{
    LocaleGuard comma(",", ".");
    EXPECT_EQ(localeNumber("1,5"), 1.5);
    EXPECT_EQ(localeNumber("1.234,5"), 1234.5);
    EXPECT_THROW(localeNumber("1,2,3"), RunError);

    // After the guard sets "." the thousands separator "." gives way to it.
    numberLocale().decimal = ".";
    EXPECT_EQ(localeNumber("1.5"), 1.5);
}

}  // namespace
}  // namespace slopekit
