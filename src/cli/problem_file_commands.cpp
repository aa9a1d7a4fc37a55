#include "cli/problem_file_commands.h"

#include "cli/cli_output.h"
#include "cli/compute_command.h"
#include "cli/points_command.h"
#include "documents/problem_file_loading.h"
#include "documents/problem_file_saving.h"
#include "documents/problem_reader.h"
#include "numbers/number_text.h"

namespace slopekit::cli {

bool loadIntoSession(const std::string& path, CliSession& session, PointTexts& point, std::ostream& err)
{
    try {
        applyProblem(loadProblemFile(path, session.binding.reservedNames()), session.dim);
    } catch (const std::runtime_error& failure) {
        err << withLineBreaks(openFailureText(path, failure));
        return false;
    }
    point.clear();
    for (double value : session.dim.Varx)
        point.push_back(pointForm(value));  // as the window's point boxes show it: every digit kept
    return true;
}

bool saveProblem(const CliArguments& request, const std::vector<std::string>& names,
                 const PointTexts& point, std::ostream& err)
{
    try {
        saveProblemFile(request.saveFile,
                        {std::to_string(names.size()), request.text, names, point, request.constants});
        return true;
    } catch (const std::runtime_error& failure) {
        err << withLineBreaks(failure.what());
        return false;
    }
}

int runComputeFile(const CliArguments& request, std::ostream& out, std::ostream& err)
{
    CliSession session({});
    PointTexts point;
    if (!loadIntoSession(request.text, session, point, err))
        return Failed;
    if (!request.pointsFile.empty())
        return runPoints(session, request, out, err);
    return computeAndPrint(session, session.dim.Equation, point, request, out, err);
}

}  // namespace slopekit::cli
