#include "cli/cli_problem.h"

#include "cli/cli_output.h"
#include "documents/file_replacement.h"
#include "documents/problem_file_loading.h"
#include "documents/problem_reader.h"
#include "numbers/number_text.h"
#include "problem/entry_checks.h"

#include <filesystem>
#include <fstream>

namespace slopekit::cli {
namespace {

bool givesAProblem(const CliArguments& request)
{
    return !request.variables.empty() || !request.constants.empty() || !request.saveFile.empty();
}

bool beginsAsProblemFile(const std::string& path)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored))
        return false;
    std::string head(32, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return !head.empty() && mayBeginProblemFile(head);
}

// Puts the problem file into the session as Open puts it into the window, with the point
// texts that the point boxes then show: every digit kept.
std::optional<CliProblem> loadProblem(const std::string& path, CliSession& session, std::ostream& err)
{
    try {
        applyProblem(loadProblemFile(path, session.binding.reservedNames()), session.dim);
    } catch (const std::runtime_error& failure) {
        err << withLineBreaks(openFailureText(path, failure));
        return std::nullopt;
    }
    CliProblem problem{session.dim.Equation, {}};
    for (double value : session.dim.Varx)
        problem.point.push_back(pointForm(value));
    return problem;
}

}  // namespace

bool textNamesProblemFile(const CliArguments& request)
{
    return !givesAProblem(request) || beginsAsProblemFile(request.text);
}

std::optional<std::string> problemFileFault(const CliArguments& request)
{
    if (!textNamesProblemFile(request))
        return std::nullopt;
    if (auto option = optionAmong(request, {"--const", "--var", "--save"}))
        return *option + " does not go with a problem file: the file holds the variables, the point and the constants.";
    return std::nullopt;
}

std::optional<CliProblem> openProblem(const CliArguments& request, CliSession& session, std::ostream& err)
{
    std::optional<CliProblem> problem;
    if (textNamesProblemFile(request)) {
        problem = loadProblem(request.text, session, err);
    } else if (namesAccepted(request, session, err)) {
        problem = CliProblem{request.text, {}};
        for (const auto& variable : request.variables)
            problem->point.push_back(variable.second);
    }
    if (!problem)
        return std::nullopt;
    if (problem->function.size() > MaxFunctionBytes) {
        err << functionTooLongText() << '\n';
        return std::nullopt;
    }
    try {
        session.binding.engine().checkExpression(problem->function);
    } catch (const RunError& error) {
        err << session.failureText(error);
        return std::nullopt;
    }
    return problem;
}

bool outputApartFromProblem(const CliArguments& request, const std::string& output, std::ostream& err)
{
    if (!textNamesProblemFile(request) || !sameFile(request.text, output))
        return true;
    err << "The file " << output << " is the problem file being read; give the output another name.\n";
    return false;
}

}  // namespace slopekit::cli
