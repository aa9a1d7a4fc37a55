#include "cli/points_command.h"

#include "cli/cli_output.h"
#include "cli/points_csv.h"
#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "numbers/number_text.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

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

class RowWriter {
public:
    RowWriter(CliSession& session, bool json, std::ostream& out) : m_session(session), m_json(json), m_out(out) {}

    void header()
    {
        if (m_json)
            return;
        for (const std::string& name : m_session.dim.VarNams)
            m_out << name << ',';
        for (const ListEntry& e : listEntries(m_session.dim.Order))
            m_out << entryLabel(m_session.dim, e) << ',';
        m_out << "error\n";
    }

    // Computes at the point and writes its row; false when the point failed.
    bool row(const std::vector<double>& point)
    {
        Dimension& dim = m_session.dim;
        dim.Varx = point;
        try {
            const auto lines = ComputeDerivatives(dim, evaluate());
            m_json ? jsonRow(point, m_session.binding.EvaluateFunction()) : csvRow(point, lines);
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

    void csvRow(const std::vector<double>& point, const std::vector<std::string>& lines)
    {
        csvPoint(point);
        for (const std::string& line : lines)
            m_out << line.substr(line.find("= ") + 2) << ',';
        m_out << '\n';
    }

    void jsonRow(const std::vector<double>& point, double value)
    {
        const Dimension& dim = m_session.dim;
        m_out << nlohmann::json{{"point", point}, {"value", value}, {"gradient", dim.Der1Val},
                                {"hessian", dim.Der2Val}}.dump()
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
    std::ostream& m_out;
};

bool openPoints(const std::string& path, std::ifstream& in, std::ostream& err)
{
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        err << "The points file " << path << " cannot be opened.\n";
        return false;
    }
    return true;
}

}  // namespace

int runPoints(CliSession& session, const CliArguments& request, std::ostream& out, std::ostream& err)
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

    RowWriter writer(session, request.format == "json", out);
    bool allComputed = true;
    try {
        std::ifstream in;
        if (!openPoints(request.pointsFile, in, err))
            return Failed;
        writer.header();
        readPoints(in, dim.VarNams, [&](const std::vector<double>& point) { allComputed &= writer.row(point); });
    } catch (const BadPoints& bad) {  // the file changed since it was checked
        err << bad.what() << '\n';
        return Failed;
    }
    return allComputed ? 0 : Failed;
}

}  // namespace slopekit::cli
