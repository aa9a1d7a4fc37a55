#pragma once

#include <string>

namespace slopekit {

// The message of a file that could not be written: its name, the system's reason, and
// whether an earlier file of that name was left as it was.
std::string notWrittenMessage(const std::string& path, const std::string& reason, bool earlierFileKept);

}  // namespace slopekit
