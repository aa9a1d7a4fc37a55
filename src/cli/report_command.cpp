#include "cli/report_command.h"

#include "cli/cli_output.h"
#include "cli/cli_usage.h"
#include "cli/offscreen_application.h"
#include "cli/problem_file_commands.h"
#include "documents/qt/qt_printer.h"
#include "documents/report.h"

namespace slopekit::cli {
namespace {

bool parseReportArguments(const std::vector<std::string>& args, std::string& file, std::string& pdf)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--pdf" && i + 1 < args.size() && pdf.empty() && !args[i + 1].empty())
            pdf = args[++i];
        else if (file.empty() && !args[i].empty() && !args[i].starts_with("--"))
            file = args[i];
        else
            return false;
    }
    return !file.empty();
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

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string file;
    std::string pdf;
    if (!parseReportArguments(args, file, pdf)) {
        err << ReportUsage;
        return UsageError;
    }
    CliSession session({});
    ReportInputs inputs;
    if (!loadIntoSession(file, session, inputs.pointTexts, err))
        return Failed;
    inputs.functionText = session.dim.Equation;
    inputs.constants.assign(session.dim.Cons.begin(), session.dim.Cons.begin() + session.dim.NumCons);
    const ReportOutcome report = buildReport(session.dim, session.hooks(), inputs);
    if (report.lines.empty()) {
        err << withLineBreaks(report.message ? report.message->text : session.announced);
        return Failed;
    }
    if (pdf.empty()) {
        for (const std::string& line : report.lines)
            out << line << '\n';
        return 0;
    }
    try {
        printToPdf(report.lines, pdf);
    } catch (const PrinterFailed& failure) {
        err << withLineBreaks(failure.what());
        return Failed;
    }
    return 0;
}

}  // namespace slopekit::cli
