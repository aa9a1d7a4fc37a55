#include "cli/cli_session.h"

#include "cli/cli_output.h"

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
    return {[this] { binding.RegisterConstants(); },
            [this] { return binding.EvaluateFunction(); },
            announcedByErrorEvent,
            runErrorMessage,
            nullptr,
            [this](bool muted) { binding.setErrorEventMuted(muted); },
            [this] { return binding.EvaluateExact(); }};
}

std::string CliSession::failureText(const RunError& error) const
{
    return withLineBreaks(announcedByErrorEvent(error) ? announced : runErrorMessage(error));
}

}  // namespace slopekit::cli

namespace slopekit::cli {
namespace {

std::optional<std::string> argumentNameFault(const CliArguments& args, const ReservedName& reserved)
{
    for (const std::string& constant : args.constants)
        if (auto fault = nameFault(constant.substr(0, constant.find('=')), reserved))
            return fault;
    std::vector<std::string> names;
    for (const auto& variable : args.variables) {
        names.push_back(variable.first);
        if (auto fault = variableNameFault(names, reserved))
            return fault;
    }
    return std::nullopt;
}

}  // namespace

bool namesAccepted(const CliArguments& args, CliSession& session, std::ostream& err)
{
    const auto fault = argumentNameFault(args, session.binding.reservedNames());
    if (fault)
        err << *fault << '\n';
    return !fault;
}

}  // namespace slopekit::cli
