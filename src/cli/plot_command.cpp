#include "cli/plot_command.h"

#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_usage.h"
#include "cli/compute_command.h"
#include "cli/offscreen_application.h"
#include "cli/problem_file_commands.h"
#include "derivatives/plot_samples.h"
#include "shell/plot/plot_chart.h"

#include <algorithm>
#include <stdexcept>

namespace slopekit::cli {

int runPlot(const std::vector<std::string>& args, std::ostream&, std::ostream& err)
{
    CliArguments request;
    if (!parseArguments(args, request) || hasComputeOptions(request) || request.along.empty() ||
        request.svgFile.empty() || (request.variables.empty() && !request.constants.empty())) {
        err << PlotUsage;
        return UsageError;
    }
    CliSession session(request);
    PointTexts point;
    std::string function = request.text;
    if (request.variables.empty()) {
        if (!loadIntoSession(request.text, session, point, err))
            return Failed;
        function = session.dim.Equation;
    } else {
        for (const auto& variable : request.variables)
            point.push_back(variable.second);
    }
    const auto& names = session.dim.VarNams;
    const auto along = std::find(names.begin(), names.end(), request.along);
    if (along == names.end()) {
        err << "There is no variable " << request.along << " to plot along.\n";
        return UsageError;
    }
    const auto computed = computeResults(session, function, point, err);
    if (!computed)
        return Failed;
    const int index = static_cast<int>(along - names.begin());
    PlotData plot;
    try {
        plot = plotAlong(session.dim, [&session] { return session.binding.EvaluateFunction(); }, index,
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
