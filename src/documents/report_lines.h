#pragma once

#include <functional>
#include <string>
#include <vector>

namespace slopekit {

struct Dimension;

// The lines of the printed report: order, variables, function, the constants block when
// there are constants, the evaluation point, the function value, then the first, pure
// second and mixed second derivatives (i < j only), and a closing empty line. The
// function value comes from evaluate(), called once with Varx at the point; the
// derivatives are the list's lines after its function line, in the view it shows.
std::vector<std::string> reportLines(const Dimension& dim, const std::string& functionText,
                                     const std::vector<std::string>& constants, const std::function<double()>& evaluate,
                                     const std::vector<std::string>& listLines);

}  // namespace slopekit
