#pragma once

#include "cli/cli_arguments.h"
#include "derivatives/compute_command.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"

#include <ostream>
#include <string>

namespace slopekit::cli {

// A problem and an engine set up as the window sets them up, holding the arguments'
// constants in order and their variable names (the point is left to the command).
struct CliSession {
    explicit CliSession(const CliArguments& args);

    // The engine operations a computation or a report needs.
    ComputeHooks hooks();
    // The one message of a failure as terminal lines: the Error event's when it spoke.
    std::string failureText(const RunError& error) const;

    Dimension dim;
    EngineBinding binding{dim};
    std::string announced;  // the text the engine's Error event would have shown
};

// The window's name rules for the arguments' constants and variables: false, with the
// reason on err, when a name breaks them.
bool namesAccepted(const CliArguments& args, CliSession& session, std::ostream& err);

}  // namespace slopekit::cli
