// Bad inputs across the program, each with the one message it must give, against a
// problem that has just been computed: afterwards the problem is as it was and computes
// the same results again.
#include "derivatives/compute_command.h"
#include "documents/problem_reader.h"
#include "engine/engine_binding.h"
#include "engine/user_constants.h"
#include "problem/dimension.h"
#include "problem/entry_checks.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace slopekit {
namespace {

// A problem in progress as the window holds it: x and y at (1.5, 2), the constant k=2,
// the engine set up, and every message the user is shown.
class Session {
public:
    Session()
    {
        m_binding.setErrorEventHandler([this](const std::string& text) { shown.push_back(text); });
        m_binding.setUp();
        dim.redimension(2);
        dim.VarNams = {"x", "y"};
        addConstant(dim, "k=2", reserved());
    }

    ReservedName reserved() { return m_binding.reservedNames(); }

    std::vector<std::string> compute(const std::string& function, const PointTexts& point)
    {
        const ComputeHooks hooks{[this] { m_binding.RegisterConstants(); },
                                 [this] { return m_binding.EvaluateFunction(); }, announcedByErrorEvent,
                                 runErrorMessage, nullptr, [this](bool muted) { m_binding.setErrorEventMuted(muted); }};
        ComputeOutcome outcome = runCompute(dim, hooks, function, point);
        if (outcome.message)
            shown.push_back(outcome.message->text);
        return outcome.lines;
    }

    std::vector<std::string> computeGood() { return compute(GoodFunction, GoodPoint); }

    // Removes a constant as the window does; the engine forgets its name.
    void removeLast()
    {
        if (const auto name = removeConstant(dim, dim.NumCons - 1))
            m_binding.forgetName(*name);
    }

    static constexpr const char* GoodFunction = "x*y+k";
    inline static const PointTexts GoodPoint = {"1.5", "2"};

    Dimension dim;
    std::vector<std::string> shown;

private:
    EngineBinding m_binding{dim};
};

// What defines the problem; none of it may change through a refused input.
struct ProblemSnapshot {
    int order;
    std::vector<std::string> names;
    std::vector<double> point;
    int numCons;
    std::vector<std::string> constants;

    explicit ProblemSnapshot(const Dimension& d)
        : order(d.Order), names(d.VarNams), point(d.Varx), numCons(d.NumCons),
          constants(d.Cons.begin(), d.Cons.begin() + d.NumCons)
    {
    }
    bool operator==(const ProblemSnapshot&) const = default;
};

std::string fileMessage(const std::string& text, Session& s)
{
    std::istringstream in(text);
    try {
        applyProblem(readProblem(in, s.reserved()), s.dim);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

struct BadInput {
    const char* name;
    std::function<void(Session&)> give;
    std::string message;  // empty when the input is refused without a message
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

// The count box as the window checks it; an accepted count would start the problem anew.
BadInput count(const char* name, std::string text)
{
    return {name,
            [text](Session& s) {
                if (const auto n = countCheck(text))
                    s.dim.redimension(*n);
            },
            ""};
}

BadInput names(const char* name, std::string text)
{
    return {name,
            [text](Session& s) {
                const NamesCheck check = namesCheck(text, s.dim.Order, s.reserved());
                if (check.accepted)
                    s.dim.VarNams = check.parts;
            },
            ""};
}

BadInput function(const char* name, std::string text, std::string message)
{
    return {name, [text](Session& s) { s.compute(text, Session::GoodPoint); }, message};
}

BadInput point(const char* name, std::string x, std::string message)
{
    return {name, [x](Session& s) { s.compute(Session::GoodFunction, {x, "2"}); }, message};
}

// A constant the engine rejects only when Compute hands it over; the user then removes it.
BadInput constantAtCompute(const char* name, std::string text, std::string message)
{
    return {name,
            [text](Session& s) {
                addConstant(s.dim, text, s.reserved());
                s.computeGood();
                s.removeLast();
            },
            message};
}

BadInput constantRefused(const char* name, std::string text)
{
    return {name, [text](Session& s) { addConstant(s.dim, text, s.reserved()); }, ""};
}

BadInput problemFile(const char* name, std::string text, std::string message)
{
    return {name, [text](Session& s) { s.shown.push_back(fileMessage(text, s)); }, message};
}

class RefusedInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(RefusedInput, GivesItsMessageAndChangesNothing)
{
    Session session;
    const std::vector<std::string> results = session.computeGood();
    ASSERT_EQ(results.size(), 6u);
    const ProblemSnapshot before(session.dim);

    GetParam().give(session);

    const std::string& message = GetParam().message;
    EXPECT_EQ(session.shown, message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
    EXPECT_EQ(ProblemSnapshot(session.dim), before);
    session.shown.clear();
    EXPECT_EQ(session.computeGood(), results);
    EXPECT_TRUE(session.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, RefusedInput,
    ::testing::Values(count("zero", "0"), count("negative", "-2"), count("words", "abc"), count("empty", ""),
                      count("eleven", "11"), count("just_above_ten", "10.4"), count("rounds_to_none", "0.5"),
                      count("beyond_the_range", "1e999"), count("hex_too_large", "&HFF")));

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedInput,
    ::testing::Values(names("too_few", "x"), names("too_many", "x,y,z"), names("empty_last", "x,"),
                      names("empty_first", ",y"), names("empty", ""), names("blank_is_no_separator", "x y"),
                      names("same_name_twice", "x,x"), names("same_name_in_other_case", "x,X"),
                      names("digit_first", "1x,y"), names("blank_before", "x, y"), names("keyword", "x,Mod"),
                      names("function", "Sin,y"), names("error_channel", "x,iErr"), names("object", "sh,y")));

INSTANTIATE_TEST_SUITE_P(
    Functions, RefusedInput,
    ::testing::Values(
        function("operand_missing", "x*", "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [x*]"),
        function("empty", "", "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 1: []"),
        function("parenthesis_unclosed", "(x+y", "Slopekit expression syntax error 1006\rExpected ')'\r\rAt line 1, col 5: [(x+y]"),
        function("two_operands", "x y", "Slopekit expression syntax error 1025\rExpected end of statement\r\rAt line 1, col 3: [x y]"),
        function("invalid_character", "x+$", "Slopekit expression syntax error 1032\rInvalid character\r\rAt line 1, col 3: [x+$]"),
        function("unterminated_string", "\"abc", "Slopekit expression syntax error 1033\rUnterminated string constant\r\rAt line 1, col 1: [\"abc]"),
        function("nesting_too_deep", std::string(300, '(') + "x" + std::string(300, ')'),
                 std::string("Slopekit expression syntax error 1002\rSyntax error\r\rAt line 1, col 257: [") + std::string(300, '(') + "x" + std::string(300, ')') + "]"),
        function("undefined_name", "z*x", "Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 1, col 1: [z*x]"),
        function("wrong_argument_count", "Sqr(x, y)", "Slopekit expression runtime error 450\rWrong number of arguments or invalid property assignment\r\rAt line 1, col 1: [Sqr(x, y)]"),
        function("text_as_number", "\"abc\" + x", "Slopekit expression runtime error 13\rType mismatch\r\rAt line 1, col 7: [\"abc\" + x]"),
        function("member_of_a_number", "x.y", "Slopekit expression runtime error 424\rObject required\r\rAt line 1, col 1: [x.y]"),
        function("unknown_member", "sh.w", "Slopekit expression runtime error 438\rObject doesn't support this property or method\r\rAt line 1, col 4: [sh.w]"),
        function("square_root_of_negative", "Sqr(-x)", "Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r"),
        function("division_by_zero", "1/(x-x)", "Slopekit expression runtime error 11\rDivision by zero\r\r"),
        function("overflow", "Exp(x*1000)", "Slopekit expression runtime error 6\rOverflow\r\r"),
        function("extra_function_domain", "Asin(y)", "Slopekit 5\rInvalid procedure call or argument\r\r")));

INSTANTIATE_TEST_SUITE_P(
    Points, RefusedInput,
    ::testing::Values(
        point("words", "abc", "The value \"abc\" given for x cannot be read as a number."),
        point("empty", "", "The value \"\" given for x cannot be read as a number."),
        point("number_then_words", "4 apples", "The value \"4 apples\" given for x cannot be read as a number."),
        point("beyond_the_range", "1E999", "The value \"1E999\" given for x cannot be read as a number.")));

INSTANTIATE_TEST_SUITE_P(
    Constants, RefusedInput,
    ::testing::Values(
        constantAtCompute("value_divides_by_zero", "c=1/0", "Slopekit expression runtime error 11\rDivision by zero\r\r"),
        constantAtCompute("value_missing", "c=", "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [c=]"),
        constantAtCompute("value_undefined", "c=q", "Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 1, col 3: [c=q]"),
        constantRefused("no_equals_sign", "c 2"), constantRefused("name_starts_with_digit", "1c=2"),
        constantRefused("name_with_blank", "c d=2"), constantRefused("name_missing", "=2"),
        constantRefused("name_not_ascii", "\xC3\xA9=2"), constantRefused("name_a_keyword", "Mod=2"),
        constantRefused("name_a_function", "sqr=2"), constantRefused("name_the_error_channel", "IERR=2")));

INSTANTIATE_TEST_SUITE_P(
    ProblemFiles, RefusedInput,
    ::testing::Values(
        problemFile("empty", "", "Incompatible file"),
        problemFile("other_program", "Calc\r\n1,\"x\"\r\n", "Incompatible file"),
        problemFile("count_too_large", "Slopekit\r\n11,\"x\"\r\n", "Line 2: the number of variables must be 1 to 10, not 11."),
        problemFile("value_not_a_number", "Slopekit\r\n1,\"x\"\r\n\"x\",1.5x\r\n 0 \r\n", "Line 3: the value of variable 1 is not a number: \"1.5x\"."),
        problemFile("ends_early", "Slopekit\r\n2,\"x*y\"\r\n\"x\",1\r\n", "Line 4: the file ends early; the name and value of variable 2 is missing."),
        problemFile("count_not_a_number", "Slopekit\r\ntwo,\"x\"\r\n", "Line 2: the number of variables is not a number: \"two\"."),
        problemFile("value_beyond_the_range", "Slopekit\r\n1,\"x\"\r\n\"x\",1E999\r\n 0 \r\n", "Line 3: the value of variable 1 is too large: \"1E999\"."),
        problemFile("quote_unclosed", "Slopekit\r\n1,\"x\r\n\"x\",1\r\n 0 \r\n", "Line 2: a text in double quotes has no closing double quote."),
        problemFile("too_many_constants", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 102 \r\n", "Line 4: the number of constants must be 0 to 101, not 102 ."),
        problemFile("name_twice", "Slopekit\r\n2,\"x\"\r\n\"x\",1\r\n\"X\",1\r\n 0 \r\n",
                    "Line 4: \"X\" is given twice: names that differ only in case are the same name."),
        problemFile("name_a_function", "Slopekit\r\n1,\"x\"\r\n\"Sin\",1\r\n 0 \r\n",
                    "Line 3: \"Sin\" cannot be a name: the expression language uses it."),
        problemFile("name_not_a_name", "Slopekit\r\n1,\"x\"\r\n\"x y\",1\r\n 0 \r\n",
                    "Line 3: \"x y\" is not a name: a name starts with a letter and has only letters and digits."),
        problemFile("constant_missing", "Slopekit\r\n1,\"x\"\r\n\"x\",1\r\n 2 \r\na=1\r\n", "Line 6: the file ends early; constant 2 of 2 is missing.")));

}  // namespace
}  // namespace slopekit
