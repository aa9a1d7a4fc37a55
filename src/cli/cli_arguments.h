#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace slopekit::cli {

// The arguments that the commands share:
// [--const NAME=VALUE]... [--var NAME=VALUE]... [--OPTION VALUE]... [--hessian] [--refine] TEXT,
// options in any order, "--" ends them. Each command refuses the options it has no use for.
struct CliArguments {
    std::vector<std::string> constants;                          // "NAME=VALUE", in order
    std::vector<std::pair<std::string, std::string>> variables;  // name and value text
    std::string text;                                            // the expression, function or file
    std::string saveFile;                                        // --save FILE (compute)
    std::string pointsFile;                                      // --points FILE (compute FILE)
    std::string format;                                          // --format json, or csv|json with --points (compute)
    std::string along;                                           // --along NAME (plot)
    std::string svgFile;                                         // --svg OUT (plot)
    std::string pdfFile;                                         // --pdf OUT (report)
    bool hessian = false;                                        // --hessian (compute)
    bool refine = false;                                         // --refine (compute)
    bool exact = false;                                          // --exact (compute)
    bool help = false;                                           // --help or -h: the usage, nothing else
    std::vector<std::string> given;                              // the options given, each once, in order
};

// Reads the arguments; the one line that names the fault of a usage error (an unknown
// option, an option without its value or given twice, a second text, more constants or
// variables than a problem holds), or nothing. A missing text is the command's to judge.
std::optional<std::string> parseArguments(const std::vector<std::string>& args, CliArguments& parsed);

// The first option given that is not among those allowed, or nothing.
std::optional<std::string> optionOutside(const CliArguments& parsed, std::initializer_list<const char*> allowed);

// The first option given of these, or nothing.
std::optional<std::string> optionAmong(const CliArguments& parsed, std::initializer_list<const char*> options);

}  // namespace slopekit::cli
