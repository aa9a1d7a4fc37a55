#include "documents/problem_reader.h"

#include "errors/run_error.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"

#include <cmath>
#include <iterator>
#include <string_view>

namespace slopekit {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Some text editors put a UTF-8 byte-order mark before the first line.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutByteOrderMark(std::string_view text)
{
    return text.starts_with(ByteOrderMark) ? text.substr(ByteOrderMark.size()) : text;
}

// The fields of one line. Blanks before a field are skipped; a field that starts with a
// double quote runs to the next one (commas included) and may be followed only by blanks;
// any other field runs to the next comma or the line end.
std::vector<std::string> splitFields(std::string_view line, int lineNumber)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    for (;;) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos < line.size() && line[pos] == '"') {
            const auto close = line.find('"', pos + 1);
            if (close == std::string_view::npos)
                throw BadProblemFile(lineNumber, "a text in double quotes has no closing double quote.");
            fields.emplace_back(line.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            while (pos < line.size() && isBlank(line[pos]))
                ++pos;
            if (pos < line.size() && line[pos] != ',')
                throw BadProblemFile(lineNumber, "unexpected text after a closing double quote.");
        } else {
            const auto end = std::min(line.find(',', pos), line.size());
            fields.emplace_back(line.substr(pos, end - pos));
            pos = end;
        }
        if (pos >= line.size())
            return fields;
        ++pos;  // the comma
    }
}

double readNumber(const std::string& field, int lineNumber, const std::string& what)
{
    if (!isFileNumber(field))
        throw BadProblemFile(lineNumber, what + " is not a number: \"" + field + "\".");
    try {
        return leadingNumber(field);
    } catch (const RunError&) {
        throw BadProblemFile(lineNumber, what + " is too large: \"" + field + "\".");
    }
}

// A count: a number taken to the nearest whole number, halves to the even one.
int readCount(const std::string& field, int lineNumber, const std::string& what, int lowest, int highest)
{
    const double rounded = std::nearbyint(readNumber(field, lineNumber, what));
    if (rounded < lowest || rounded > highest)
        throw BadProblemFile(lineNumber, what + " must be " + std::to_string(lowest) + " to " +
                                             std::to_string(highest) + ", not " + field + ".");
    return static_cast<int>(rounded);
}

// Walks the file's lines, taking each only when it is asked for, so text after the
// problem costs nothing. CR LF, a lone LF and a lone CR each end a line; a final line end
// does not start another line. Fails with the line number when the file ends too early.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}

    int number() const { return m_next; }  // 1-based number of the line next() returns

    std::string next(const std::string& expected)
    {
        if (m_pos >= m_text.size())
            throw BadProblemFile(m_next, "the file ends early; " + expected + " is missing.");
        const std::size_t end = std::min(m_text.find_first_of("\r\n", m_pos), m_text.size());
        std::string line(m_text.substr(m_pos, end - m_pos));
        m_pos = end + 1;
        if (end < m_text.size() && m_text[end] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        ++m_next;
        return line;
    }

    std::vector<std::string> nextFields(const std::string& expected, std::size_t count)
    {
        const int lineNumber = m_next;
        auto fields = splitFields(next(expected), lineNumber);
        if (fields.size() != count)
            throw BadProblemFile(lineNumber, "expected " + expected + ".");
        return fields;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_next = 1;
};

void checkSignature(const std::string& firstLine)
{
    try {
        if (splitFields(firstLine, 1).front() != ProblemFileSignature)
            throw IncompatibleFile();
    } catch (const BadProblemFile&) {
        throw IncompatibleFile();
    }
}

// A file whose texts are not UTF-8 comes from a system that writes one byte per character.
void readTextsFromWindows1252IfNeeded(LoadedProblem& problem)
{
    bool utf8 = isUtf8(problem.equation);
    for (const std::string& text : problem.constants)
        utf8 = utf8 && isUtf8(text);
    if (utf8)
        return;
    problem.encoding = FileEncoding::Windows1252;
    problem.equation = utf8FromWindows1252(problem.equation);
    for (std::string& text : problem.constants)
        text = utf8FromWindows1252(text);
}

}  // namespace

bool mayBeginProblemFile(std::string_view head)
{
    if (ByteOrderMark.starts_with(head))
        return true;
    head = withoutByteOrderMark(head);
    std::size_t pos = 0;
    while (pos < head.size() && isBlank(head[pos]))
        ++pos;
    if (pos < head.size() && head[pos] == '"')
        ++pos;
    const std::string_view signature = ProblemFileSignature;
    const std::string_view rest = head.substr(pos, signature.size());
    return signature.starts_with(rest);
}

LoadedProblem readProblem(std::istream& in, const ReservedName& reserved)
{
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        throw BadProblemFile(1, "the file cannot be read.");
    LineCursor cursor(withoutByteOrderMark(text));
    try {
        checkSignature(cursor.next("the signature"));
    } catch (const BadProblemFile&) {
        throw IncompatibleFile();  // an empty file
    }

    LoadedProblem problem;
    int lineNumber = cursor.number();
    auto head = cursor.nextFields("the number of variables and the function", 2);
    problem.order = readCount(head[0], lineNumber, "the number of variables", 1, Dimension::MaxOrder);
    problem.equation = std::move(head[1]);
    const int functionLine = lineNumber;

    for (int k = 1; k <= problem.order; ++k) {
        const std::string what = "the name and value of variable " + std::to_string(k);
        lineNumber = cursor.number();
        auto fields = cursor.nextFields(what, 2);
        problem.names.push_back(std::move(fields[0]));
        if (auto fault = variableNameFault(problem.names, reserved))
            throw BadProblemFile(lineNumber, *fault);
        problem.point.push_back(readNumber(fields[1], lineNumber, "the value of variable " + std::to_string(k)));
    }

    lineNumber = cursor.number();
    const auto countFields = cursor.nextFields("the number of constants alone", 1);
    const int constants = readCount(countFields[0], lineNumber, "the number of constants", 0, Dimension::ConsSlots);
    for (int i = 1; i <= constants; ++i)
        problem.constants.push_back(cursor.next("constant " + std::to_string(i) + " of " + std::to_string(constants)));
    readTextsFromWindows1252IfNeeded(problem);
    if (problem.equation.size() > MaxFunctionBytes)
        throw BadProblemFile(functionLine, functionTooLongText());
    return problem;
}

void applyProblem(const LoadedProblem& problem, Dimension& dim)
{
    dim.redimension(problem.order);
    dim.Equation = problem.equation;
    for (std::size_t k = 0; k < problem.names.size(); ++k) {
        dim.VarNams[k] = problem.names[k];
        dim.Varx[k] = problem.point[k];
    }
    dim.NumCons = static_cast<int>(problem.constants.size());
    for (std::size_t i = 0; i < problem.constants.size(); ++i)
        dim.Cons[i] = problem.constants[i];
}

}  // namespace slopekit
