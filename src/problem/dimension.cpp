#include "problem/dimension.h"

#include <stdexcept>

namespace slopekit {

void Dimension::redimension(int n)
{
    if (n < 1 || n > MaxOrder)
        throw std::out_of_range("the number of variables must be 1 to 10");
    const auto size = static_cast<std::size_t>(n);
    Order = n;
    VarNams.assign(size, std::string());
    Varx.assign(size, 0.0);
    Der1Val.assign(size, 0.0);
    Der1Label.assign(size, std::string());
    Der2Val.assign(size, std::vector<double>(size, 0.0));
    Der2Label.assign(size, std::vector<std::string>(size, std::string()));
}

}  // namespace slopekit
