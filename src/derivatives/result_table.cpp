#include "derivatives/result_table.h"

namespace slopekit {

std::string resultTable(const ComputedResults& results, ResultView view)
{
    std::string table;
    for (const ResultEntry& e : results.entries) {
        const LineCells cells = viewCells(results, e, view);
        table += cells.label + '\t' + cells.value;
        if (!cells.error.empty())
            table += '\t' + cells.error;
        table += '\n';
    }
    return table;
}

std::string resultText(const ComputedResults& results, ResultView view, const std::vector<int>& rows)
{
    std::string text;
    for (int row : rows)
        text += lineText(viewCells(results, results.entries.at(static_cast<std::size_t>(row)), view)) + '\n';
    return text;
}

}  // namespace slopekit
