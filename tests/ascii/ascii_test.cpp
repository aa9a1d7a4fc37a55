#include "ascii/ascii.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace slopekit {
namespace {

TEST(SameName, IgnoresTheCaseOfAsciiLettersOnly)
{
    struct Row {
        const char* name;
        std::string a;
        std::string b;
        bool same;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "one_spelling", .a = "x1", .b = "x1", .same = true},
        {.name = "letters_in_other_case", .a = "HalfPi", .b = "halfpI", .same = true},
        {.name = "at_sign_is_no_backquote", .a = "@", .b = "`", .same = false},
        {.name = "underscore_is_no_delete", .a = "_", .b = "\x7f", .same = false},
        {.name = "latin1_capital_is_not_folded", .a = "\xc4", .b = "\xe4", .same = false},
        {.name = "a_prefix_is_another_name", .a = "x", .b = "xx", .same = false},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(sameName(row.a, row.b), row.same) << row.name;
}

TEST(NameCharacters, StayAsciiUnderALatin1Locale)
{
    // A locale whose classes count é as a letter must not make it one in a name.
    const bool latin1 = std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1") || std::setlocale(LC_CTYPE, "en_US.ISO-8859-1");
    const char eAcute = '\xe9';
    const char* const locale = latin1 ? "under Latin-1" : "under C";
    EXPECT_FALSE(isLetter(eAcute)) << locale << ": e acute a letter";
    EXPECT_FALSE(isNameCharacter(eAcute)) << locale << ": e acute in a name";
    EXPECT_EQ(lowerCase("\xc9X"), "\xc9x") << locale << ": lower case of capital E acute";
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace slopekit
