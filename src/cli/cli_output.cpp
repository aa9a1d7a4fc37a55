#include "cli/cli_output.h"

#include <algorithm>

namespace slopekit::cli {

std::string withLineBreaks(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text + "\n";
}

}  // namespace slopekit::cli
