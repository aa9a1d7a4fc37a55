#include "cli/problem_saving.h"

#include "cli/cli_output.h"
#include "documents/problem_file_saving.h"
#include "documents/problem_writer.h"

#include <sstream>

namespace slopekit::cli {

ProblemToSave problemToSave(const CliArguments& request, const std::vector<std::string>& names,
                            const std::vector<std::string>& point)
{
    return {std::to_string(names.size()), request.text, names, point, request.constants};
}

bool savable(const ProblemToSave& problem, std::ostream& err)
{
    try {
        std::ostringstream unused;
        writeProblem(unused, problem);
        return true;
    } catch (const ProblemNotSavable& refused) {
        err << withLineBreaks(refused.what());
        return false;
    }
}

bool saveProblem(const std::string& path, const ProblemToSave& problem, std::ostream& err)
{
    try {
        saveProblemFile(path, problem);
        return true;
    } catch (const std::runtime_error& failure) {
        err << withLineBreaks(failure.what());
        return false;
    }
}

}  // namespace slopekit::cli
