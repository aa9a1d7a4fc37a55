#include "cli/report_command.h"

#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_problem.h"
#include "cli/cli_usage.h"
#include "cli/offscreen_application.h"
#include "documents/qt/qt_printer.h"
#include "documents/report.h"

namespace slopekit::cli {
namespace {

std::optional<std::string> reportFault(const CliArguments& r)
{
    if (r.text.empty())
        return "A problem FILE is missing.";
    if (auto option = optionOutside(r, {"--pdf"}))
        return *option + " does not go with report.";
    return std::nullopt;
}

// Prints on a PDF printer. Text needs a GUI application; without a display it is drawn
// on the offscreen platform.
void printToPdf(const std::vector<std::string>& lines, const std::string& pdf)
{
    const auto app = offscreenApplication();
    QtPrinter printer;
    printer.printToFile(pdf);
    ReportFont font(printer);
    printLines(printer, lines);
}

}  // namespace

int runReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (const auto ended = readRequest(args, ReportUsage, reportFault, request, out, err))
        return *ended;
    CliSession session(request);
    const auto problem = openProblem(request, session, err);
    if (!problem || (!request.pdfFile.empty() && !outputApartFromProblem(request, request.pdfFile, err)))
        return Failed;
    const ReportInputs inputs{
        problem->function, problem->point, {session.dim.Cons.begin(), session.dim.Cons.begin() + session.dim.NumCons}};
    const ReportOutcome report = buildReport(session.dim, session.hooks(), inputs);
    if (report.lines.empty()) {
        err << withLineBreaks(report.message ? report.message->text : session.announced);
        return Failed;
    }
    if (request.pdfFile.empty()) {
        for (const std::string& line : report.lines)
            out << line << '\n';
        return 0;
    }
    try {
        printToPdf(report.lines, request.pdfFile);
    } catch (const PrinterFailed& failure) {
        err << withLineBreaks(failure.what());
        return Failed;
    }
    return 0;
}

}  // namespace slopekit::cli
