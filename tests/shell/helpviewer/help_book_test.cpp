#include "shell/helpviewer/help_book.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace slopekit {
namespace {

// The pages that the help project lists under [FILES].
std::set<std::string> projectPages()
{
    std::ifstream project(SLOPEKIT_HELP_SOURCES "/slopekit.hhp");
    std::set<std::string> pages;
    bool inFiles = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            inFiles = line == "[FILES]";
        else if (inFiles && line.ends_with(".html"))
            pages.insert("/" + line);
    }
    return pages;
}

void collectPages(const std::vector<TocEntry>& entries, std::vector<const TocEntry*>& out)
{
    for (const TocEntry& entry : entries) {
        if (!entry.local.empty())
            out.push_back(&entry);
        collectPages(entry.children, out);
    }
}

std::string titleOf(const std::string& html)
{
    const std::size_t start = html.find("<title>");
    const std::size_t end = html.find("</title>");
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return html.substr(start + 7, end - start - 7);
}

TEST(HelpBookTest, TheBuiltHelpFileListsEveryPageOfTheProjectInItsContents)
{
    const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
    ASSERT_TRUE(book.isOpen()) << book.problem();
    EXPECT_EQ(book.title(), "Slopekit Help");
    EXPECT_EQ(book.startPage(), "/getting_started.html");

    std::vector<const TocEntry*> entries;
    collectPages(book.contents(), entries);
    std::set<std::string> listed;
    for (const TocEntry* entry : entries)
        listed.insert(objectPath(entry->local));
    EXPECT_EQ(listed, projectPages());
}

TEST(HelpBookTest, EveryContentsEntryOpensAPageWithThatTitle)
{
    const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
    ASSERT_TRUE(book.isOpen()) << book.problem();
    std::vector<const TocEntry*> entries;
    collectPages(book.contents(), entries);
    ASSERT_GE(entries.size(), 5u);
    for (const TocEntry* entry : entries) {
        if (entry->local.find('#') != std::string::npos)
            continue;  // a section of a page, titled by its heading
        const std::optional<std::string> page = book.read(objectPath(entry->local));
        ASSERT_TRUE(page) << entry->local;
        EXPECT_EQ(titleOf(*page), entry->name) << entry->local;
    }
}

TEST(HelpBookTest, EveryIndexKeywordOpensAPage)
{
    const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
    ASSERT_TRUE(book.isOpen()) << book.problem();
    ASSERT_GE(book.index().size(), 10u);
    for (const TocEntry& keyword : book.index()) {
        EXPECT_TRUE(book.read(objectPath(keyword.local))) << keyword.name;
        EXPECT_TRUE(keyword.children.empty()) << keyword.name;
    }
}

TEST(HelpBookTest, AMissingFileSaysWhereSlopekitLooked)
{
    const HelpBook book = HelpBook::open("/nonexistent/slopekit.chm");
    EXPECT_FALSE(book.isOpen());
    EXPECT_TRUE(book.contents().empty());
    EXPECT_EQ(book.problem(),
        "Slopekit cannot find its help file.\n\n"
        "It looks for it here:\n/nonexistent/slopekit.chm\n\n"
        "The help file slopekit.chm belongs in the folder that holds the Slopekit "
        "program. Copy it back there, or install Slopekit again.");
}

TEST(HelpBookTest, AFileThatIsNoHelpFileIsReportedAsUnreadable)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "slopekit_not_a_help_file.chm";
    std::ofstream(path) << "Slopekit\r\n1,\"x\"\r\n";
    const HelpBook book = HelpBook::open(path.string());
    std::filesystem::remove(path);
    EXPECT_FALSE(book.isOpen());
    EXPECT_TRUE(book.problem().starts_with("Slopekit cannot read its help file.\n\nThe file is here:\n" + path.string()));
    EXPECT_FALSE(book.read("/getting_started.html"));
}

struct LinkCase {
    const char* name;
    const char* link;
    const char* path;
};

class ObjectPathTest : public testing::TestWithParam<LinkCase> {};

TEST_P(ObjectPathTest, PointsIntoTheArchive)
{
    EXPECT_EQ(objectPath(GetParam().link), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Links, ObjectPathTest, testing::Values(
    LinkCase{"Relative", "files.html", "/files.html"},
    LinkCase{"Absolute", "/files.html", "/files.html"},
    LinkCase{"WithFragment", "files.html#format", "/files.html"},
    LinkCase{"ItsPrefix", "ms-its:slopekit.chm::/files.html", "/files.html"},
    LinkCase{"SubFolder", "pictures/stencil.png", "/pictures/stencil.png"}),
    [](const testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit
