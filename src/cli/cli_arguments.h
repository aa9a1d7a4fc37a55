#pragma once

#include <string>
#include <utility>
#include <vector>

namespace slopekit::cli {

// The arguments that eval and compute share:
// [--const NAME=VALUE]... [--var NAME=VALUE]... [--save FILE] TEXT, options in any order,
// "--" ends them.
struct CliArguments {
    std::vector<std::string> constants;                            // "NAME=VALUE", in order
    std::vector<std::pair<std::string, std::string>> variables;  // name and value text
    std::string text;                                              // the expression or function
    std::string saveFile;                                          // --save FILE (compute only)
};

// Reads the arguments; false on a usage error (no text, two texts, an option without a
// NAME=VALUE, more constants or variables than the problem holds).
bool parseArguments(const std::vector<std::string>& args, CliArguments& parsed);

}  // namespace slopekit::cli
