#include "derivatives/derivative_labels.h"

namespace slopekit {

void BuildLabels(Dimension& dim)
{
    for (int i = 0; i < dim.Order; ++i) {
        dim.Der1Label[i] = "D" + dim.VarNams[i] + " ";
        for (int j = i; j < dim.Order; ++j)
            dim.Der2Label[i][j] = "D" + dim.VarNams[i] + dim.VarNams[j] + " ";
    }
}

std::vector<std::string> listLabels(const Dimension& dim)
{
    std::vector<std::string> labels{"Function "};
    for (int k = 0; k < dim.Order; ++k)
        labels.push_back(dim.Der1Label[k]);
    for (int k = 0; k < dim.Order; ++k)
        labels.push_back(dim.Der2Label[k][k]);
    for (int i = 0; i < dim.Order; ++i)
        for (int j = i + 1; j < dim.Order; ++j)
            labels.push_back(dim.Der2Label[i][j]);
    return labels;
}

std::vector<double> listValues(const Dimension& dim, double functionValue)
{
    std::vector<double> values{functionValue};
    for (int k = 0; k < dim.Order; ++k)
        values.push_back(dim.Der1Val[k]);
    for (int k = 0; k < dim.Order; ++k)
        values.push_back(dim.Der2Val[k][k]);
    for (int i = 0; i < dim.Order; ++i)
        for (int j = i + 1; j < dim.Order; ++j)
            values.push_back(dim.Der2Val[i][j]);
    return values;
}

}  // namespace slopekit
