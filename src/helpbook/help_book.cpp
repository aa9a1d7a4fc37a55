#include "helpbook/help_book.h"

#include <cstdint>
#include <filesystem>
#include <map>

namespace slopekit {
namespace {

// The compiler's settings that the viewer needs, stored in the "/#SYSTEM" object as
// records of a 16-bit code, a 16-bit length and that many bytes (a text ending in NUL).
constexpr int ContentsFileCode = 0;
constexpr int IndexFileCode = 1;
constexpr int DefaultTopicCode = 2;
constexpr int TitleCode = 3;

std::map<int, std::string> readSystemRecords(const std::string& bytes)
{
    std::map<int, std::string> records;
    auto word = [&](std::size_t at) {
        return static_cast<int>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    std::size_t pos = 4;  // after the format version
    while (pos + 4 <= bytes.size()) {
        const int code = word(pos);
        const std::size_t length = static_cast<std::size_t>(word(pos + 2));
        pos += 4;
        if (pos + length > bytes.size())
            break;
        const std::string data = bytes.substr(pos, length);
        records[code] = data.substr(0, data.find('\0'));
        pos += length;
    }
    return records;
}

std::string firstPageOf(const std::vector<TocEntry>& entries)
{
    for (const TocEntry& entry : entries) {
        if (!entry.local.empty())
            return objectPath(entry.local);
        if (std::string page = firstPageOf(entry.children); !page.empty())
            return page;
    }
    return {};
}

void flatten(std::vector<TocEntry>& entries, std::vector<TocEntry>& out)
{
    for (TocEntry& entry : entries) {
        std::vector<TocEntry> children = std::move(entry.children);
        entry.children.clear();
        out.push_back(std::move(entry));
        flatten(children, out);
    }
}

std::string missingFileProblem(const std::string& path)
{
    return "Slopekit cannot find its help file.\n\n"
           "It looks for it here:\n" +
           path +
           "\n\n"
           "The help file slopekit.chm belongs in the folder that holds the Slopekit "
           "program. Copy it back there, or install Slopekit again.";
}

std::string unreadableFileProblem(const std::string& path)
{
    return "Slopekit cannot read its help file.\n\n"
           "The file is here:\n" +
           path +
           "\n\n"
           "It is damaged, cannot be read with your permissions, or is not a compiled "
           "help file. Install Slopekit again to get a good copy.";
}

}  // namespace

std::string objectPath(std::string_view link)
{
    if (const std::size_t separator = link.find("::"); separator != std::string_view::npos)
        link.remove_prefix(separator + 2);
    link = link.substr(0, link.find('#'));
    std::string path(link);
    if (path.empty() || path.front() != '/')
        path.insert(path.begin(), '/');
    return path;
}

HelpBook HelpBook::open(const std::string& path)
{
    HelpBook book;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        book.m_problem = missingFileProblem(path);
        return book;
    }
    std::optional<ChmArchive> archive = ChmArchive::open(path);
    if (!archive) {
        book.m_problem = unreadableFileProblem(path);
        return book;
    }

    std::map<int, std::string> settings;
    if (const auto system = archive->read("/#SYSTEM"))
        settings = readSystemRecords(*system);
    std::string contentsFile = settings[ContentsFileCode];
    if (contentsFile.empty()) {
        for (const std::string& object : archive->paths()) {
            if (object.ends_with(".hhc")) {
                contentsFile = object;
                break;
            }
        }
    }
    if (!contentsFile.empty()) {
        if (const auto sitemap = archive->read(objectPath(contentsFile)))
            book.m_contents = parseSitemap(*sitemap);
    }
    if (const std::string& indexFile = settings[IndexFileCode]; !indexFile.empty()) {
        if (const auto sitemap = archive->read(objectPath(indexFile))) {
            std::vector<TocEntry> keywords = parseSitemap(*sitemap);
            flatten(keywords, book.m_index);
        }
    }
    const std::string& defaultTopic = settings[DefaultTopicCode];
    book.m_startPage = defaultTopic.empty() ? firstPageOf(book.m_contents) : objectPath(defaultTopic);
    if (book.m_startPage.empty() || !archive->read(book.m_startPage)) {
        book.m_problem = unreadableFileProblem(path);
        return book;
    }
    book.m_title = settings[TitleCode];
    book.m_archive = std::move(archive);
    return book;
}

std::optional<std::string> HelpBook::read(const std::string& objectPath) const
{
    if (!m_archive)
        return std::nullopt;
    return m_archive->read(objectPath);
}

}  // namespace slopekit
