#pragma once

#include <string>

namespace slopekit::cli {

// Exit statuses of slopekit-cli.
inline constexpr int Failed = 1;
inline constexpr int UsageError = 2;

// A message text of the window (CR between lines) as terminal lines.
std::string withLineBreaks(std::string text);

}  // namespace slopekit::cli
