#pragma once

#include "cli/cli_arguments.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"

#include <string>

namespace slopekit::cli {

// A problem and an engine set up as the window sets them up, holding the arguments'
// constants in order and their variable names (the point is left to the command).
struct CliSession {
    explicit CliSession(const CliArguments& args);

    Dimension dim;
    EngineBinding binding{dim};
    std::string announced;  // the text the engine's Error event would have shown
};

}  // namespace slopekit::cli
