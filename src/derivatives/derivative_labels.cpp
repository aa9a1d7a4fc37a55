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

}  // namespace slopekit
