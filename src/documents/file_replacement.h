#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace slopekit {

// A file that could not be written. what() is the system's reason ("No space left on
// device"); existedBefore() tells whether an earlier file of that name was left as it was.
class FileNotWritten : public std::runtime_error {
public:
    FileNotWritten(const std::string& reason, bool existedBefore, bool readOnly = false)
        : std::runtime_error(reason), m_existedBefore(existedBefore), m_readOnly(readOnly)
    {
    }
    bool existedBefore() const noexcept { return m_existedBefore; }
    // The earlier file is read-only: the user protected it, so it was not replaced.
    bool readOnly() const noexcept { return m_readOnly; }

private:
    bool m_existedBefore;
    bool m_readOnly;
};

// The message of a file that replaceFile did not write.
std::string notWrittenText(const std::string& path, const FileNotWritten& failure);

// Whether two paths name one existing file (the same device and inode), through links.
bool sameFile(const std::string& a, const std::string& b);

// Makes the file at path (its name taken as the system's bytes) hold exactly bytes, or
// throws FileNotWritten and leaves any earlier file byte for byte as it was. The bytes go
// to a temporary file in the same folder that is renamed into place only when every write,
// the flush to disk and the close succeeded. Only a regular file, or a symbolic link to one,
// is replaced (the link stays and its target changes); the replaced file's permissions, and
// its owner and group as far as the process may set them, are kept. A read-only file (no
// write permission for anyone, or none for this user) is refused, since the rename would
// replace it all the same.
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace slopekit
