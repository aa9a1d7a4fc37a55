#include "cli/plot_command.h"

#include "ascii/ascii.h"
#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_problem.h"
#include "cli/cli_session.h"
#include "cli/cli_usage.h"
#include "cli/compute_command.h"
#include "cli/offscreen_application.h"
#include "derivatives/plot_samples.h"
#include "plot/plot_chart.h"
#include "problem/entry_checks.h"

#include <algorithm>
#include <stdexcept>

namespace slopekit::cli {
namespace {

std::optional<std::string> plotFault(const CliArguments& r)
{
    if (r.text.empty())
        return "A FUNCTION or a problem FILE is missing.";
    if (auto option = optionOutside(r, {"--const", "--var", "--along", "--svg"}))
        return *option + " does not go with plot.";
    if (auto fault = problemFileFault(r))
        return fault;
    if (!textNamesProblemFile(r) && r.variables.empty())
        return "--var is missing: give each variable with its value.";
    if (r.along.empty())
        return "--along is missing: name the variable to plot along.";
    if (r.svgFile.empty())
        return "--svg is missing: name the SVG file to draw.";
    return std::nullopt;
}

std::string nameList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

}  // namespace

int runPlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (const auto ended = readRequest(args, PlotUsage, plotFault, request, out, err))
        return *ended;
    CliSession session(request);
    const auto problem = openProblem(request, session, err);
    if (!problem || !outputApartFromProblem(request, request.svgFile, err))
        return Failed;
    const auto& names = session.dim.VarNams;
    const auto along =
        std::ranges::find_if(names, [&](const std::string& name) { return sameName(name, request.along); });
    if (along == names.end()) {
        err << "The problem has no variable " << request.along << " to plot along; its variables are "
            << nameList(names) << ".\n";
        return Failed;
    }
    const auto computed = computeResults(session, problem->function, problem->point, err);
    if (!computed)
        return Failed;
    const int index = static_cast<int>(along - names.begin());
    PlotData plot;
    try {
        plot = plotAlong(
            session.dim, [&session] { return session.binding.EvaluateFunction(); }, index,
            defaultPlotRadius(session.dim.Varx[static_cast<std::size_t>(index)]));
    } catch (const std::invalid_argument& refused) {
        err << refused.what() << '\n';
        return Failed;
    }
    useExactSlopes(plot, *computed->results, index);
    const auto app = offscreenApplication();
    if (const auto failure = savePlotSvg(plot, PlotPictureSize, request.svgFile)) {
        err << withLineBreaks(*failure);
        return Failed;
    }
    return 0;
}

}  // namespace slopekit::cli
