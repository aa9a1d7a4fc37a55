#pragma once

#include "cli/cli_arguments.h"
#include "cli/cli_session.h"

#include <optional>
#include <ostream>
#include <string>

namespace slopekit::cli {

// Whether the request's text names a problem file rather than giving a function: always
// without --const, --var and --save; with them, when it names a file that begins as a
// problem file does, so those options can be refused by name instead of the file's name
// being computed as a function.
bool textNamesProblemFile(const CliArguments& request);

// The usage fault of a problem file given with an option that only a function takes.
std::optional<std::string> problemFileFault(const CliArguments& request);

struct CliProblem {
    std::string function;
    PointTexts point;
};

// The request's problem, from its file (textNamesProblemFile) or from its --const and --var
// options, put into the session after the checks that every command makes before it
// computes or writes anything: the names by the window's rules, the function's length
// and that it compiles. Constants and the point are checked where they are used, by the
// computation. On failure writes the one message to err and gives nothing.
std::optional<CliProblem> openProblem(const CliArguments& request, CliSession& session, std::ostream& err);

// Whether an output file is apart from the problem file the request reads; false, with
// the message on err, when writing it would replace that file.
bool outputApartFromProblem(const CliArguments& request, const std::string& output, std::ostream& err);

}  // namespace slopekit::cli
