#include "documents/problem_file_loading.h"
#include "documents/problem_file_saving.h"
#include "documents/problem_reader.h"
#include "documents/problem_writer.h"
#include "numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <tuple>

namespace slopekit {
namespace {

// Stands for the names the expression language keeps for itself.
bool reserved(std::string_view name) { return sameName(name, "Sin"); }

LoadedProblem read(const std::string& text)
{
    std::istringstream in(text);
    return readProblem(in, reserved);
}

const std::string LongestFunction(MaxFunctionBytes, 'x');

TEST(ProblemReader, ReadsTheFieldsAsSaveWritesThemAndAsEditorsLeaveThem)
{
    struct Row {
        const char* name;
        std::string text;
        int order;
        std::string equation;
        std::vector<std::string> names;
        std::vector<double> point;
        std::vector<std::string> constants;
    };
    const Row rows[] = {
        {"exponent_and_half_count_to_even", "Slopekit\r\n2.5,\"x\"\r\n\"x\",1E-05\r\n\"y\",.5\r\n 0 \r\n", 2, "x",
         {"x", "y"}, {1e-5, 0.5}, {}},
        {"three_and_a_half_rounds_up", "Slopekit\r\n3.5,\"f\"\r\n\"a\",1\r\n\"b\",2\r\n\"c\",3\r\n\"d\",4\r\n0\r\n", 4, "f",
         {"a", "b", "c", "d"}, {1, 2, 3, 4}, {}},
        {"commas_inside_quotes_and_constant_lines",
         "Slopekit\r\n1,\"max(x, b)\"\r\n\"x\",1\r\n 2 \r\nb=max(1,2)\r\n c = 3 \r\n", 1, "max(x, b)", {"x"}, {1},
         {"b=max(1,2)", " c = 3 "}},
        {"blanks_tabs_unquoted_fields_lf_ends", "Slopekit\n \t1 ,\t x+1\n x, -2D+1 \n\t0\t\n", 1, "x+1", {"x"}, {-20}, {}},
        {"lone_cr_ends_and_no_final_line_end", "Slopekit\r1,\"x\"\r\"x\",3\r 1 \rk=1", 1, "x", {"x"}, {3}, {"k=1"}},
        {"byte_order_mark_first", "\xEF\xBB\xBFSlopekit\r\n1,\"x\"\r\n\"x\",3\r\n 0 \r\n", 1, "x", {"x"}, {3}, {}},
        {"utf8_from_the_first_two_byte_to_the_last_code_point_among_ascii",
         "Slopekit\r\n1,\"x\xC2\x80\xC3\xA9\xF4\x8F\xBF\xBF\"\r\n\"x\",1\r\n 1 \r\n\xE2\x82\xAC\r\n", 1,
         "x\xC2\x80\xC3\xA9\xF4\x8F\xBF\xBF", {"x"}, {1}, {"\xE2\x82\xAC"}},
        // Not UTF-8: one byte per character, as older systems write.
        {"windows_1252", "Slopekit\r\n1,\"\xE9\x80\"\r\n\"x\",1\r\n 1 \r\n\x92\r\n", 1, "\xC3\xA9\xE2\x82\xAC", {"x"}, {1},
         {"\xE2\x80\x99"}},
        {"overlong_utf8_is_windows_1252", "Slopekit\r\n1,\"\xE0\x80\xAF\"\r\n\"x\",1\r\n 0 \r\n", 1,
         "\xC3\xA0\xE2\x82\xAC\xC2\xAF", {"x"}, {1}, {}},
        {"utf8_surrogate_is_windows_1252", "Slopekit\r\n1,\"\xED\xA0\x80\"\r\n\"x\",1\r\n 0 \r\n", 1,
         "\xC3\xAD\xC2\xA0\xE2\x82\xAC", {"x"}, {1}, {}},
        {"longest_function", "Slopekit\r\n1," + LongestFunction + "\r\nx,1\r\n0\r\n", 1, LongestFunction, {"x"}, {1}, {}},
    };
    testing::LocaleGuard comma(",", ".");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const LoadedProblem p = read(row.text);
        EXPECT_EQ(std::tie(p.order, p.equation, p.names, p.point), std::tie(row.order, row.equation, row.names, row.point));
        EXPECT_EQ(p.constants, row.constants);
    }
}

TEST(ProblemReader, RefusesAFileNotAsSaveWritesItNamingTheLine)
{
    struct Row {
        const char* name;
        std::string text;
        std::string message;
    };
    const char* const Incompatible = "Incompatible file";
    const Row rows[] = {
        {"signature_in_capitals", "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", Incompatible},
        {"empty_file", "", Incompatible},
        {"ends_after_count_line", "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n",
         "Line 4: the file ends early; the name and value of variable 2 is missing."},
        {"ends_before_constants_count", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n",
         "Line 4: the file ends early; the number of constants alone is missing."},
        {"ends_before_last_constant", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 2 \r\na=1\r\n",
         "Line 6: the file ends early; constant 2 of 2 is missing."},
        {"count_not_a_number", "Slopekit\r\ntwo,\"x\"\r\n", "Line 2: the number of variables is not a number: \"two\"."},
        {"value_beyond_range", "Slopekit\r\n1,\"x\"\r\n\"x\",1E999\r\n 0 \r\n",
         "Line 3: the value of variable 1 is too large: \"1E999\"."},
        {"no_variables", "Slopekit\r\n0.4,\"x\"\r\n 0 \r\n", "Line 2: the number of variables must be 1 to 10, not 0.4."},
        {"eleven_variables", "Slopekit\r\n10.6,\"x\"\r\n", "Line 2: the number of variables must be 1 to 10, not 10.6."},
        {"constants_count_102", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 102 \r\n",
         "Line 4: the number of constants must be 0 to 101, not 102 ."},
        {"constants_count_negative", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n -1 \r\n",
         "Line 4: the number of constants must be 0 to 101, not -1 ."},
        {"unclosed_quote", "Slopekit\r\n1,\"x\r\n\"x\",1\r\n 0 \r\n",
         "Line 2: a text in double quotes has no closing double quote."},
        {"text_after_quote", "Slopekit\r\n1,\"x\"y\r\n\"x\",1\r\n 0 \r\n",
         "Line 2: unexpected text after a closing double quote."},
        {"missing_function", "Slopekit\r\n1\r\n\"x\",1\r\n 0 \r\n",
         "Line 2: expected the number of variables and the function."},
        {"extra_field", "Slopekit\r\n1,\"x\"\r\n\"x\",1,2\r\n 0 \r\n", "Line 3: expected the name and value of variable 1."},
        {"constants_count_with_more", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 0,1 \r\n",
         "Line 4: expected the number of constants alone."},
        {"name_twice", "Slopekit\r\n2,\"x\"\r\n\"x\",1\r\n\"X\",1\r\n 0 \r\n",
         "Line 4: \"X\" is given twice: names that differ only in case are the same name."},
        {"name_reserved", "Slopekit\r\n1,\"x\"\r\n\"sIN\",1\r\n 0 \r\n",
         "Line 3: \"sIN\" cannot be a name: the expression language uses it."},
        {"name_not_a_name", "Slopekit\r\n1,\"x\"\r\n\"x y\",1\r\n 0 \r\n",
         "Line 3: \"x y\" is not a name: a name starts with a letter and has only letters and digits."},
        {"function_too_long", "Slopekit\r\n1,x" + LongestFunction + "\r\nx,1\r\n0\r\n",
         "Line 2: The function is too long: a function may be at most 65,536 characters long."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            read(row.text);
            ADD_FAILURE() << "read";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), row.message);
        }
    }
}

// The loader asks this of a file's first bytes, so a file that is something else is not read on.
TEST(ProblemReader, MayBeginAProblemFileWhileTheFirstBytesAgree)
{
    for (const std::string_view head : {"", "\xEF\xBB", "\xEF\xBB\xBF \t\"Slope", "Slopekit\r\n2", "Slopekits"})
        EXPECT_TRUE(mayBeginProblemFile(head)) << head;
    for (const std::string_view head : {"\x1A\x45\xDF\xA3", "\xEF\xBB\xBFslope", "x\"Slopekit", "\"\"Slopekit"})
        EXPECT_FALSE(mayBeginProblemFile(head)) << head;
    EXPECT_TRUE(mayBeginProblemFile(std::string_view("   ", 2)));  // reads no byte beyond the view
}

// Gives the bytes written, or the reason the problem was refused (then nothing may be written).
std::string written(const ProblemToSave& problem)
{
    std::ostringstream out;
    try {
        writeProblem(out, problem);
    } catch (const ProblemNotSavable& e) {
        return out.str().empty() ? e.what() : "written before the refusal";
    }
    return out.str();
}

TEST(ProblemWriter, WritesFileFormWhateverTheLocaleOrRefusesWhatCouldNotReadBack)
{
    struct Row {
        const char* name;
        ProblemToSave problem;
        std::string written;
    };
    const auto cp1252 = FileEncoding::Windows1252;
    const Row rows[] = {
        {"numbers_names_and_constants", {"2.5", "x^2*y+a", {"x", " y"}, {"0.00001", " -4 "}, {"a=2,37", "b=max(1,2)"}},
         "Slopekit\r\n2.5,\"x^2*y+a\"\r\n\"x\",1E-05\r\n\" y\",-4\r\n 2 \r\na=2,37\r\nb=max(1,2)\r\n"},
        // A file read as Windows-1252 goes back so, unless a character was added that it lacks.
        {"windows_1252_kept", {"1", "\xC3\xA9\xE2\x82\xAC", {"x"}, {"1"}, {"\xE2\x80\x99"}, cp1252},
         "Slopekit\r\n1,\"\xE9\x80\"\r\n\"x\",1\r\n 1 \r\n\x92\r\n"},
        {"windows_1252_lacks_the_arrow", {"1", "\xE2\x86\x92", {"x"}, {"1"}, {}, cp1252},
         "Slopekit\r\n1,\"\xE2\x86\x92\"\r\n\"x\",1\r\n 0 \r\n"},
        {"line_break_in_function", {"1", "x\r", {"x"}, {"1"}, {}},
         "The function contains a line break, which a problem file cannot hold."},
        {"quote_in_name", {"1", "x", {"a\"b"}, {"1"}, {}},
         "The variable name a\"b contains a double quote (\"), which a problem file cannot hold."},
        {"line_break_in_constant", {"1", "x", {"x"}, {"1"}, {"a=1\nb=2"}},
         "The constant \"a=1\nb=2\" contains a line break, which a problem file cannot hold."},
        {"value_out_of_range", {"1", "x", {"x"}, {"1E999"}, {}}, "The value of x is too large to be saved: 1E999"},
        {"value_not_a_number", {"1", "x", {"x"}, {"abc"}, {}},
         "The value \"abc\" given for x cannot be read as a number."},
        {"name_without_value", {"2", "x", {"x", "y"}, {"1"}, {}}, "Every variable needs a value."},
    };
    testing::LocaleGuard comma(",", ".");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(written(row.problem), row.written);
    }
}

// Save works for any name the system allows and keeps the permissions of the file it
// replaces; the command-line tests cover its failures.
TEST(ProblemFileSaving, ReplacesAFileOfTheLongestNameKeepingItsPermissions)
{
    namespace fs = std::filesystem;
    char folder[] = "/tmp/slopekit-saving-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string longest = std::string(folder) + "/" + std::string(255, 'n');
    saveProblemFile(longest, {"1", "x^2", {"x"}, {"3"}, {}});
    fs::permissions(longest, fs::perms(0640));
    saveProblemFile(longest, {"1", "x^3", {"x"}, {"3"}, {}});
    EXPECT_EQ(fs::status(longest).permissions(), fs::perms(0640));
    errno = EINTR;  // left over from an earlier call, it must not look like an interrupted read
    EXPECT_EQ(loadProblemFile(longest, reserved).equation, "x^3");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace slopekit
