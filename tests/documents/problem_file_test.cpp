#include "ascii/ascii.h"
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

TEST(ProblemReader, ReadsTheFieldsInEveryFormSaveAndEditorsLeave)
{
    struct Row {
        const char* name;
        std::string text;
        int order;
        std::string equation;
        std::vector<std::string> names;
        std::vector<double> point;
        std::vector<std::string> constants = {};
    };
    // clang-format off
    const Row rows[] = {
        {.name = "exponent_and_half_count_to_even", .text = "Slopekit\r\n2.5,\"x\"\r\n\"x\",1E-05\r\n\"y\",.5\r\n 0 \r\n", .order = 2, .equation = "x", .names = {"x", "y"}, .point = {1e-5, 0.5}},
        {.name = "three_and_a_half_rounds_up", .text = "Slopekit\r\n3.5,\"f\"\r\n\"a\",1\r\n\"b\",2\r\n\"c\",3\r\n\"d\",4\r\n0\r\n", .order = 4, .equation = "f", .names = {"a", "b", "c", "d"}, .point = {1, 2, 3, 4}},
        {.name = "commas_inside_quotes_and_constant_lines", .text = "Slopekit\r\n1,\"max(x, b)\"\r\n\"x\",1\r\n 2 \r\nb=max(1,2)\r\n c = 3 \r\n", .order = 1, .equation = "max(x, b)", .names = {"x"}, .point = {1}, .constants = {"b=max(1,2)", " c = 3 "}},
        {.name = "blanks_tabs_unquoted_fields_lf_ends", .text = "Slopekit\n \t1 ,\t x+1\n x, -2D+1 \n\t0\t\n", .order = 1, .equation = "x+1", .names = {"x"}, .point = {-20}},
        {.name = "lone_cr_ends_and_no_final_line_end", .text = "Slopekit\r1,\"x\"\r\"x\",3\r 1 \rk=1", .order = 1, .equation = "x", .names = {"x"}, .point = {3}, .constants = {"k=1"}},
        {.name = "byte_order_mark_first", .text = "\xEF\xBB\xBFSlopekit\r\n1,\"x\"\r\n\"x\",3\r\n 0 \r\n", .order = 1, .equation = "x", .names = {"x"}, .point = {3}},
        {.name = "utf8_from_the_first_two_byte_to_the_last_code_point_among_ascii", .text = "Slopekit\r\n1,\"x\xC2\x80\xC3\xA9\xF4\x8F\xBF\xBF\"\r\n\"x\",1\r\n 1 \r\n\xE2\x82\xAC\r\n", .order = 1, .equation = "x\xC2\x80\xC3\xA9\xF4\x8F\xBF\xBF", .names = {"x"}, .point = {1}, .constants = {"\xE2\x82\xAC"}},
        // Not UTF-8: one byte per character, as older systems write.
        {.name = "windows_1252", .text = "Slopekit\r\n1,\"\xE9\x80\"\r\n\"x\",1\r\n 1 \r\n\x92\r\n", .order = 1, .equation = "\xC3\xA9\xE2\x82\xAC", .names = {"x"}, .point = {1}, .constants = {"\xE2\x80\x99"}},
        {.name = "a_lone_windows_1252_byte", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 1 \r\n\x92\r\n", .order = 1, .equation = "x", .names = {"x"}, .point = {1}, .constants = {"\xE2\x80\x99"}},
        {.name = "a_lone_euro_sign_the_lowest_byte_beyond_ascii", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 1 \r\n\x80\r\n", .order = 1, .equation = "x", .names = {"x"}, .point = {1}, .constants = {"\xE2\x82\xAC"}},
        {.name = "overlong_utf8_is_windows_1252", .text = "Slopekit\r\n1,\"\xE0\x80\xAF\"\r\n\"x\",1\r\n 0 \r\n", .order = 1, .equation = "\xC3\xA0\xE2\x82\xAC\xC2\xAF", .names = {"x"}, .point = {1}},
        {.name = "utf8_surrogate_is_windows_1252", .text = "Slopekit\r\n1,\"\xED\xA0\x80\"\r\n\"x\",1\r\n 0 \r\n", .order = 1, .equation = "\xC3\xAD\xC2\xA0\xE2\x82\xAC", .names = {"x"}, .point = {1}},
        {.name = "longest_function", .text = "Slopekit\r\n1," + LongestFunction + "\r\nx,1\r\n0\r\n", .order = 1, .equation = LongestFunction, .names = {"x"}, .point = {1}},
    };
    // clang-format on
    testing::LocaleGuard comma(",", ".");
    for (const Row& row : rows) {
        const LoadedProblem p = read(row.text);
        EXPECT_EQ(p.order, row.order) << row.name << ": order";
        EXPECT_EQ(p.equation, row.equation) << row.name << ": function";
        EXPECT_EQ(p.names, row.names) << row.name << ": names";
        EXPECT_EQ(p.point, row.point) << row.name << ": point";
        EXPECT_EQ(p.constants, row.constants) << row.name << ": constants";
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
    // clang-format off
    const Row rows[] = {
        {.name = "signature_in_capitals", .text = "SLOPEKIT\r\n1,\"x\"\r\n\"x\",1\r\n 0 \r\n", .message = Incompatible},
        {.name = "empty_file", .text = "", .message = Incompatible},
        {.name = "ends_after_count_line", .text = "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n", .message = "Line 4: the file ends early; the name and value of variable 2 is missing."},
        {.name = "ends_before_constants_count", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n", .message = "Line 4: the file ends early; the number of constants alone is missing."},
        {.name = "ends_before_last_constant", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 2 \r\na=1\r\n", .message = "Line 6: the file ends early; constant 2 of 2 is missing."},
        {.name = "count_not_a_number", .text = "Slopekit\r\ntwo,\"x\"\r\n", .message = "Line 2: the number of variables is not a number: \"two\"."},
        {.name = "value_beyond_range", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1E999\r\n 0 \r\n", .message = "Line 3: the value of variable 1 is too large: \"1E999\"."},
        {.name = "no_variables", .text = "Slopekit\r\n0.4,\"x\"\r\n 0 \r\n", .message = "Line 2: the number of variables must be 1 to 10, not 0.4."},
        {.name = "eleven_variables", .text = "Slopekit\r\n10.6,\"x\"\r\n", .message = "Line 2: the number of variables must be 1 to 10, not 10.6."},
        {.name = "constants_count_102", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 102 \r\n", .message = "Line 4: the number of constants must be 0 to 101, not 102 ."},
        {.name = "constants_count_negative", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n -1 \r\n", .message = "Line 4: the number of constants must be 0 to 101, not -1 ."},
        {.name = "unclosed_quote", .text = "Slopekit\r\n1,\"x\r\n\"x\",1\r\n 0 \r\n", .message = "Line 2: a text in double quotes has no closing double quote."},
        {.name = "text_after_quote", .text = "Slopekit\r\n1,\"x\"y\r\n\"x\",1\r\n 0 \r\n", .message = "Line 2: unexpected text after a closing double quote."},
        {.name = "missing_function", .text = "Slopekit\r\n1\r\n\"x\",1\r\n 0 \r\n", .message = "Line 2: expected the number of variables and the function."},
        {.name = "extra_field", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1,2\r\n 0 \r\n", .message = "Line 3: expected the name and value of variable 1."},
        {.name = "constants_count_with_more", .text = "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 0,1 \r\n", .message = "Line 4: expected the number of constants alone."},
        {.name = "name_twice", .text = "Slopekit\r\n2,\"x\"\r\n\"x\",1\r\n\"X\",1\r\n 0 \r\n", .message = "Line 4: \"X\" is given twice: names that differ only in case are the same name."},
        {.name = "name_reserved", .text = "Slopekit\r\n1,\"x\"\r\n\"sIN\",1\r\n 0 \r\n", .message = "Line 3: \"sIN\" cannot be a name: the expression language uses it."},
        {.name = "name_not_a_name", .text = "Slopekit\r\n1,\"x\"\r\n\"x y\",1\r\n 0 \r\n", .message = "Line 3: \"x y\" is not a name: a name starts with a letter and has only letters and digits."},
        {.name = "function_too_long", .text = "Slopekit\r\n1,x" + LongestFunction + "\r\nx,1\r\n0\r\n", .message = "Line 2: The function is too long: a function may be at most 65,536 characters long."},
    };
    // clang-format on
    for (const Row& row : rows) {
        try {
            read(row.text);
            ADD_FAILURE() << row.name << ": read without refusal";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), row.message) << row.name << ": message";
        }
    }
}

// The loader asks this of a file's first bytes, so a file that is something else is not read on.
TEST(ProblemReader, MayBeginAProblemFileWhileTheFirstBytesAgree)
{
    // clang-format off
    struct Row { const char* name; std::string_view head; bool may; };
    const Row rows[] = {
        {.name = "nothing_yet", .head = "", .may = true},
        {.name = "part_of_the_byte_order_mark", .head = "\xEF\xBB", .may = true},
        {.name = "mark_blanks_quote_and_part_of_the_signature", .head = "\xEF\xBB\xBF \t\"Slope", .may = true},
        {.name = "signature_and_the_next_line", .head = "Slopekit\r\n2", .may = true},
        {.name = "signature_and_more_letters", .head = "Slopekits", .may = true},
        {.name = "another_kind_of_file", .head = "\x1A\x45\xDF\xA3", .may = false},
        {.name = "signature_in_other_case", .head = "\xEF\xBB\xBFslope", .may = false},
        {.name = "text_before_the_quote", .head = "x\"Slopekit", .may = false},
        {.name = "two_quotes", .head = "\"\"Slopekit", .may = false},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(mayBeginProblemFile(row.head), row.may) << row.name;
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

TEST(ProblemWriter, WritesFileFormWhateverTheLocale)
{
    struct Row {
        const char* name;
        ProblemToSave problem;
        std::string written;
    };
    const auto cp1252 = FileEncoding::Windows1252;
    // clang-format off
    const Row rows[] = {
        {.name = "numbers_names_and_constants", .problem = {.countText = "2.5", .function = "x^2*y+a", .names = {"x", " y"}, .pointTexts = {"0.00001", " -4 "}, .constants = {"a=2,37", "b=max(1,2)"}}, .written = "Slopekit\r\n2.5,\"x^2*y+a\"\r\n\"x\",1E-05\r\n\" y\",-4\r\n 2 \r\na=2,37\r\nb=max(1,2)\r\n"},
        // A file read as Windows-1252 goes back so, unless a character was added that it lacks.
        {.name = "windows_1252_kept", .problem = {.countText = "1", .function = "\xC3\xA9\xE2\x82\xAC", .names = {"x"}, .pointTexts = {"1"}, .constants = {"\xE2\x80\x99"}, .encoding = cp1252}, .written = "Slopekit\r\n1,\"\xE9\x80\"\r\n\"x\",1\r\n 1 \r\n\x92\r\n"},
        {.name = "windows_1252_lacks_the_arrow", .problem = {.countText = "1", .function = "\xE2\x86\x92", .names = {"x"}, .pointTexts = {"1"}, .constants = {}, .encoding = cp1252}, .written = "Slopekit\r\n1,\"\xE2\x86\x92\"\r\n\"x\",1\r\n 0 \r\n"},
    };
    // clang-format on
    testing::LocaleGuard comma(",", ".");
    for (const Row& row : rows)
        EXPECT_EQ(written(row.problem), row.written) << row.name << ": file text";
}

TEST(ProblemWriter, RefusesWhatCouldNotBeReadBack)
{
    struct Row {
        const char* name;
        ProblemToSave problem;
        std::string message;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "line_break_in_function", .problem = {.countText = "1", .function = "x\r", .names = {"x"}, .pointTexts = {"1"}, .constants = {}}, .message = "The function contains a line break, which a problem file cannot hold."},
        {.name = "quote_in_name", .problem = {.countText = "1", .function = "x", .names = {"a\"b"}, .pointTexts = {"1"}, .constants = {}}, .message = "The variable name a\"b contains a double quote (\"), which a problem file cannot hold."},
        {.name = "line_break_in_constant", .problem = {.countText = "1", .function = "x", .names = {"x"}, .pointTexts = {"1"}, .constants = {"a=1\nb=2"}}, .message = "The constant \"a=1\nb=2\" contains a line break, which a problem file cannot hold."},
        {.name = "value_out_of_range", .problem = {.countText = "1", .function = "x", .names = {"x"}, .pointTexts = {"1E999"}, .constants = {}}, .message = "The value of x is too large to be saved: 1E999"},
        {.name = "value_not_a_number", .problem = {.countText = "1", .function = "x", .names = {"x"}, .pointTexts = {"abc"}, .constants = {}}, .message = "The value \"abc\" given for x cannot be read as a number."},
        {.name = "name_without_value", .problem = {.countText = "2", .function = "x", .names = {"x", "y"}, .pointTexts = {"1"}, .constants = {}}, .message = "Every variable needs a value."},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(written(row.problem), row.message) << row.name << ": message";
}

// Saving and loading real files; the command-line tests cover their failures.
class ProblemFileSaving : public ::testing::Test {
protected:
    ProblemFileSaving() { mkdtemp(folder); }
    ~ProblemFileSaving() override { std::filesystem::remove_all(folder); }
    std::string path(const std::string& name) const { return std::string(folder) + "/" + name; }
    char folder[28] = "/tmp/slopekit-saving-XXXXXX";
};

TEST_F(ProblemFileSaving, ReplacesAFileOfTheLongestNameTheSystemAllows)
{
    const std::string longest = path(std::string(255, 'n'));
    saveProblemFile(longest, {"1", "x^2", {"x"}, {"3"}, {}});
    saveProblemFile(longest, {"1", "x^3", {"x"}, {"3"}, {}});
    EXPECT_EQ(loadProblemFile(longest, reserved).equation, "x^3");
}

TEST_F(ProblemFileSaving, KeepsThePermissionsOfTheFileItReplaces)
{
    const std::string file = path("problem");
    saveProblemFile(file, {"1", "x^2", {"x"}, {"3"}, {}});
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    saveProblemFile(file, {"1", "x^3", {"x"}, {"3"}, {}});
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
}

// errno left at EINTR by an earlier call must not look like an interrupted read.
TEST_F(ProblemFileSaving, LoadingIgnoresAnInterruptionLeftOverFromAnEarlierCall)
{
    const std::string file = path("problem");
    saveProblemFile(file, {"1", "x^2", {"x"}, {"3"}, {}});
    errno = EINTR;
    EXPECT_EQ(loadProblemFile(file, reserved).equation, "x^2");
}

}  // namespace
}  // namespace slopekit
