#include "messages/file_messages.h"

namespace slopekit {

std::string notWrittenMessage(const std::string& path, const std::string& reason, bool earlierFileKept)
{
    return "The file " + path + " could not be written (" + reason + ")." +
           (earlierFileKept ? " An earlier file of that name is unchanged." : "");
}

}  // namespace slopekit
