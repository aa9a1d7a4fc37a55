#include "cli/cli_session.h"

namespace slopekit::cli {

CliSession::CliSession(const CliArguments& args)
{
    binding.setErrorEventHandler([this](const std::string& message) { announced = message; });
    binding.setUp();
    for (const std::string& c : args.constants)
        dim.Cons[static_cast<std::size_t>(dim.NumCons++)] = c;
    if (args.variables.empty())
        return;
    dim.redimension(static_cast<int>(args.variables.size()));
    for (std::size_t m = 0; m < args.variables.size(); ++m)
        dim.VarNams[m] = args.variables[m].first;
}

ComputeHooks CliSession::hooks()
{
    return {[this] { binding.RegisterConstants(); }, [this] { return binding.EvaluateFunction(); },
            announcedByErrorEvent, runErrorMessage, nullptr, [this](bool muted) { binding.setErrorEventMuted(muted); }};
}

}  // namespace slopekit::cli
