#pragma once

#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace slopekit::cli {

// A points file that cannot be used; the message names the line.
class BadPoints : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a points file: one point a line (LF, CR LF or CR ends it), its values separated by
// commas, a value in double quotes read as its contents, blank lines skipped, a UTF-8
// byte-order mark ignored. Each value is a point text as Compute reads it. A first line
// none of whose fields is meant as a number (one that starts as a number does, NaN or inf)
// is a header naming the variables in the order of its columns (case does not matter, as
// in the expression language); without one the columns follow the problem's variables.
// Calls visit with each point in the problem's variable order, holding one line at a time.
// Throws BadPoints at the first line that is not as described, or when there is no point
// at all; the message shows control characters of the file as \xNN.
void readPoints(std::istream& in, const std::vector<std::string>& names,
                const std::function<void(const std::vector<double>&)>& visit);

}  // namespace slopekit::cli
