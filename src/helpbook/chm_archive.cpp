#include "helpbook/chm_archive.h"

#include <chm_lib.h>

namespace slopekit {

void ChmArchive::Closer::operator()(chmFile* file) const { chm_close(file); }

ChmArchive::ChmArchive(chmFile* file) : m_file(file) {}

std::optional<ChmArchive> ChmArchive::open(const std::string& path)
{
    chmFile* file = chm_open(path.c_str());
    if (file == nullptr)
        return std::nullopt;
    return ChmArchive(file);
}

std::optional<std::string> ChmArchive::read(const std::string& objectPath) const
{
    chmUnitInfo info{};
    if (chm_resolve_object(m_file.get(), objectPath.c_str(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(info.length), '\0');
    if (info.length == 0)
        return bytes;
    const LONGINT64 got = chm_retrieve_object(m_file.get(), &info, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                              static_cast<LONGINT64>(info.length));
    if (got != static_cast<LONGINT64>(info.length))
        return std::nullopt;
    return bytes;
}

std::vector<std::string> ChmArchive::paths() const
{
    std::vector<std::string> result;
    auto collect = [](chmFile*, chmUnitInfo* info, void* context) -> int {
        static_cast<std::vector<std::string>*>(context)->emplace_back(info->path);
        return CHM_ENUMERATOR_CONTINUE;
    };
    chm_enumerate(m_file.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &result);
    return result;
}

}  // namespace slopekit
