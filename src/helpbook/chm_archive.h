#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace slopekit {

// A compiled help file opened with chmlib: the objects stored in it, by path.
class ChmArchive {
public:
    // Opens the file; empty when it is missing or is not a compiled help file.
    static std::optional<ChmArchive> open(const std::string& path);

    // The bytes of the object at `objectPath` ("/page.html"; case does not matter), or
    // nothing when the archive holds no such object or it cannot be read whole.
    std::optional<std::string> read(const std::string& objectPath) const;

    // The paths of every ordinary object (pages, images, the table of contents).
    std::vector<std::string> paths() const;

private:
    struct Closer {
        void operator()(chmFile* file) const;
    };
    explicit ChmArchive(chmFile* file);

    std::unique_ptr<chmFile, Closer> m_file;
};

}  // namespace slopekit
