#include "documents/problem_writer.h"
#include "numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <sstream>

namespace slopekit {
namespace {

using testing::LocaleGuard;

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
    LocaleGuard comma(",", ".");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(written(row.problem), row.written);
    }
}

}  // namespace
}  // namespace slopekit
