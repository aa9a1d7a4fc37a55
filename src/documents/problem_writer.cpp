#include "documents/problem_writer.h"

#include "derivatives/compute_command.h"
#include "errors/run_error.h"
#include "numbers/number_text.h"

#include <string_view>

namespace slopekit {
namespace {

constexpr std::string_view LineEnd = "\r\n";

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A text between double quotes has no escape, so a quote inside would end it early.
void checkQuotable(std::string_view text, const std::string& what)
{
    if (text.find('"') != std::string_view::npos)
        throw ProblemNotSavable(what + " contains a double quote (\"), which a problem file cannot hold.");
    if (hasLineBreak(text))
        throw ProblemNotSavable(what + " contains a line break, which a problem file cannot hold.");
}

std::string numberField(const std::string& text, const std::string& what)
{
    try {
        return fileNumber(leadingNumber(text));
    } catch (const RunError&) {
        throw ProblemNotSavable(what + " is too large to be saved: " + text);
    }
}

// A point value that is a number neither as the file writes it nor as Compute reads it is
// refused, not saved as 0 or as the number it happens to start with.
std::string pointField(const std::string& text, const std::string& name)
{
    if (!isFileNumber(text)) {
        try {
            localeNumber(text);
        } catch (const RunError& e) {
            if (e.number() != errnum::Overflow)
                throw ProblemNotSavable(UnreadablePoint(name, text).what());
        }
    }
    return numberField(text, "The value of " + name);
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

void writeProblem(std::ostream& out, const ProblemToSave& problem)
{
    if (problem.names.size() != problem.pointTexts.size())
        throw ProblemNotSavable("Every variable needs a value.");
    checkQuotable(problem.function, "The function");
    std::string text = std::string(ProblemFileSignature).append(LineEnd);
    text += numberField(problem.countText, "The number of variables") + "," + quoted(problem.function);
    text += LineEnd;
    for (std::size_t k = 0; k < problem.names.size(); ++k) {
        const std::string& name = problem.names[k];
        checkQuotable(name, "The variable name " + name);
        text += quoted(name) + "," + pointField(problem.pointTexts[k], name);
        text += LineEnd;
    }
    text += " " + std::to_string(problem.constants.size()) + " ";
    text += LineEnd;
    for (const std::string& constant : problem.constants) {
        if (hasLineBreak(constant))
            throw ProblemNotSavable("The constant \"" + constant +
                                    "\" contains a line break, which a problem file cannot hold.");
        text += constant;
        text += LineEnd;
    }
    // A file read as Windows-1252 is written back so, unless a character was added that it lacks.
    if (problem.encoding == FileEncoding::Windows1252)
        if (auto bytes = windows1252FromUtf8(text))
            text = std::move(*bytes);
    out << text;
}

}  // namespace slopekit
