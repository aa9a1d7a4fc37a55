#include "cli/points_command.h"

#include "ascii/ascii.h"
#include "cli/cli_output.h"
#include "cli/json_results.h"
#include "cli/points_csv.h"
#include "derivatives/compute_derivatives.h"
#include "derivatives/computed_results.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/result_views.h"
#include "numbers/number_text.h"
#include "problem/entry_checks.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace slopekit::cli {
namespace {

// The failure's message on one line, for a cell or a field.
std::string oneLine(const std::string& message)
{
    std::string line;
    std::size_t start = 0;
    while (start <= message.size()) {
        const auto end = std::min(message.find('\r', start), message.size());
        if (end > start)
            line += (line.empty() ? "" : ": ") + message.substr(start, end - start);
        start = end + 1;
    }
    return line;
}

std::string quoted(const std::string& text)
{
    std::string cell = "\"";
    for (char c : text)
        cell += c == '"' ? std::string("\"\"") : std::string(1, c);
    return cell + "\"";
}

// The name of the messages' column: "error", unless a variable has that name, whose column
// comes first (a name has no "_", so the other name cannot be a variable's).
std::string errorColumn(const std::vector<std::string>& names)
{
    const bool taken = std::ranges::any_of(names, [](const std::string& name) { return sameName(name, "error"); });
    return taken ? "error_message" : "error";
}

// The output stream failed; what was lost is the caller's to report.
struct OutputLost {};

const char* const NoExactEvaluator = "The exact results could not be computed.";

class RowWriter {
public:
    RowWriter(CliSession& session, bool json, bool exact, std::ostream& out)
        : m_session(session), m_json(json), m_exact(exact), m_out(out)
    {
    }

    void header()
    {
        if (m_json)
            return;
        for (const std::string& name : m_session.dim.VarNams)
            m_out << name << ',';
        for (const ListEntry& e : listEntries(m_session.dim.Order))
            m_out << entryLabel(m_session.dim, e) << ',';
        m_out << errorColumn(m_session.dim.VarNams) << '\n';
    }

    // Computes at the point and writes its row; false when the point failed.
    bool row(const std::vector<double>& point)
    {
        Dimension& dim = m_session.dim;
        dim.Varx = point;
        try {
            const auto lines = ComputeDerivatives(dim, evaluate());
            if (m_exact)
                return exactRow(point, lines);
            m_json ? jsonRow(point, m_session.binding.EvaluateFunction())
                   : csvRow(point, tabulateResults(dim, lines, std::nullopt, std::nullopt), ResultView::Classic);
            return true;
        } catch (const RunError& error) {
            failedRow(point, oneLine(announcedByErrorEvent(error) ? m_session.announced : runErrorMessage(error)));
            return false;
        }
    }

private:
    EvaluateAtVarx evaluate()
    {
        return [this] { return m_session.binding.EvaluateFunction(); };
    }

    void csvPoint(const std::vector<double>& point)
    {
        for (double v : point)
            m_out << pointForm(v) << ',';  // reads back to the coordinate computed at
    }

    // The exact results at the point, after its classic ones; an entry without one is an
    // empty cell (null in JSON) with its reason in the error column (the "missing" list).
    bool exactRow(const std::vector<double>& point, const std::vector<std::string>& lines)
    {
        const ComputeHooks hooks = m_session.hooks();
        if (!hooks.evaluateExact) {
            failedRow(point, NoExactEvaluator);
            return false;
        }
        const ComputedResults results = tabulateResults(m_session.dim, lines, std::nullopt, hooks.evaluateExact());
        if (m_json) {
            nlohmann::ordered_json row{{"point", point}};
            row.update(exactJson(results));
            m_out << row.dump() << '\n';
            return true;
        }
        csvRow(point, results, ResultView::Exact);
        return true;
    }

    // The values of a view in the list's order, and why any is missing.
    void csvRow(const std::vector<double>& point, const ComputedResults& results, ResultView view)
    {
        csvPoint(point);
        std::string missing;
        for (const ResultEntry& e : results.entries) {
            const LineCells cells = viewCells(results, e, view);
            m_out << (cells.hasValue ? cells.value : "") << ',';
            if (!cells.hasValue)
                missing += (missing.empty() ? "" : "; ") + e.label + ": " + cells.value;
        }
        m_out << (missing.empty() ? std::string() : quoted(std::as_const(missing))) << '\n';
    }

    void jsonRow(const std::vector<double>& point, double value)
    {
        const Dimension& dim = m_session.dim;
        m_out << nlohmann::json{{"point", point}, {"value", value}, {"gradient", dim.Der1Val}, {"hessian", dim.Der2Val}}
                     .dump()
              << '\n';
    }

    void failedRow(const std::vector<double>& point, const std::string& message)
    {
        if (m_json) {
            m_out << nlohmann::json{{"point", point}, {"error", message}}.dump() << '\n';
            return;
        }
        csvPoint(point);
        for (std::size_t k = 0; k < listEntries(m_session.dim.Order).size(); ++k)
            m_out << ',';
        m_out << quoted(message) << '\n';
    }

    CliSession& m_session;
    bool m_json;
    bool m_exact;
    std::ostream& m_out;
};

// Opens the points file, or says on err why it cannot be read.
bool openPoints(const std::string& path, std::ifstream& in, std::ostream& err)
{
    struct stat status {};
    const char* why = nullptr;
    if (stat(path.c_str(), &status) != 0)
        why = errno == ENOENT ? "it does not exist" : std::strerror(errno);
    else if (!S_ISREG(status.st_mode))
        why = "it is not a regular file";
    else if (access(path.c_str(), R_OK) != 0)
        why = "it is not readable";
    if (!why)
        in.open(path, std::ios::binary);
    if (!why && !in.is_open())
        why = std::strerror(errno);
    if (why)
        err << "The points file " << path << " cannot be opened: " << why << ".\n";
    return !why;
}

}  // namespace

int runPointsCommand(CliSession& session, const CliArguments& request, std::ostream& out, std::ostream& err)
{
    Dimension& dim = session.dim;
    try {
        std::ifstream check;
        if (!openPoints(request.pointsFile, check, err))
            return Failed;
        readPoints(check, dim.VarNams, [](const std::vector<double>&) {});
    } catch (const BadPoints& bad) {
        err << bad.what() << '\n';
        return Failed;
    }
    try {
        session.binding.RegisterConstants();
    } catch (const RunError& error) {
        err << withLineBreaks(announcedByErrorEvent(error) ? session.announced : runErrorMessage(error));
        return Failed;
    } catch (const RefusedInput& refused) {
        err << refused.what() << '\n';
        return Failed;
    }
    BuildLabels(dim);

    RowWriter writer(session, request.format == "json", request.exact, out);
    bool allComputed = true;
    try {
        std::ifstream in;
        if (!openPoints(request.pointsFile, in, err))
            return Failed;
        writer.header();
        readPoints(in, dim.VarNams, [&](const std::vector<double>& point) {
            // A lost row (a full disk, a closed pipe) ends the run: the program reports it.
            if (!out)
                throw OutputLost();
            allComputed &= writer.row(point);
        });
    } catch (const BadPoints& bad) {  // the file changed since it was checked
        err << bad.what() << '\n';
        return Failed;
    } catch (const OutputLost&) {
        return Failed;
    }
    return allComputed && out ? 0 : Failed;
}

}  // namespace slopekit::cli
