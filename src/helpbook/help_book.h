#pragma once

#include "helpbook/chm_archive.h"
#include "helpbook/sitemap.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace slopekit {

// A help file ready to be shown: its pages, its title and its table of contents.
class HelpBook {
public:
    // Opens the compiled help file at `path`. When that fails the book is not open and
    // problem() tells the user what is wrong and what to do, in plain words.
    static HelpBook open(const std::string& path);

    bool isOpen() const { return m_archive.has_value(); }
    const std::string& problem() const { return m_problem; }

    const std::string& title() const { return m_title; }
    const std::vector<TocEntry>& contents() const { return m_contents; }
    // The keywords of the index, in the file's order, nested keywords after their parent.
    const std::vector<TocEntry>& index() const { return m_index; }
    // The object path of the page to show first.
    const std::string& startPage() const { return m_startPage; }

    // The bytes of a page, picture or style sheet, by object path ("/files.html").
    std::optional<std::string> read(const std::string& objectPath) const;

private:
    std::optional<ChmArchive> m_archive;
    std::string m_problem;
    std::string m_title;
    std::vector<TocEntry> m_contents;
    std::vector<TocEntry> m_index;
    std::string m_startPage;
};

// The object path that a link or a table-of-contents entry points at: "files.html",
// "/files.html#top" and "ms-its:slopekit.chm::/files.html" all give "/files.html".
std::string objectPath(std::string_view link);

}  // namespace slopekit
