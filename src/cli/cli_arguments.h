#pragma once

#include <string>
#include <utility>
#include <vector>

namespace slopekit::cli {

// The arguments that eval, compute and plot share:
// [--const NAME=VALUE]... [--var NAME=VALUE]... [--OPTION VALUE]... [--hessian] [--refine] TEXT,
// options in any order, "--" ends them. Each command refuses the options it has no use for.
struct CliArguments {
    std::vector<std::string> constants;                            // "NAME=VALUE", in order
    std::vector<std::pair<std::string, std::string>> variables;  // name and value text
    std::string text;                                              // the expression, function or file
    std::string saveFile;                                          // --save FILE (compute)
    std::string pointsFile;                                        // --points FILE (compute FILE)
    std::string format;                                            // --format json, or csv|json with --points (compute)
    std::string along;                                             // --along NAME (plot)
    std::string svgFile;                                           // --svg OUT (plot)
    bool hessian = false;                                          // --hessian (compute)
    bool refine = false;                                           // --refine (compute)
    bool exact = false;                                            // --exact (compute)
};

// Reads the arguments; false on a usage error (no text, two texts, an option without its
// value, more constants or variables than the problem holds).
bool parseArguments(const std::vector<std::string>& args, CliArguments& parsed);

// Whether any option of compute (--save, --points, --format, --hessian, --refine, --exact) or of plot
// (--along, --svg) was given.
bool hasComputeOptions(const CliArguments& parsed);
bool hasPlotOptions(const CliArguments& parsed);

}  // namespace slopekit::cli
