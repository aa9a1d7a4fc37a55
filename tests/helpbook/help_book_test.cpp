#include "helpbook/help_book.h"
#include "helpbook/sitemap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>

namespace slopekit {

// A failed comparison shows the entries, not their bytes.
void PrintTo(const TocEntry& e, std::ostream* os)
{
    *os << '"' << e.name << "\" at \"" << e.local << '"';
    if (!e.children.empty())
        *os << " above " << ::testing::PrintToString(e.children);
}

namespace {

const HelpBook& builtBook()
{
    static const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
    return book;
}

// Every entry of the contents, sections and headings included, depth first.
std::vector<TocEntry> allEntries(const std::vector<TocEntry>& entries)
{
    std::vector<TocEntry> all;
    for (const TocEntry& entry : entries) {
        all.push_back(entry);
        for (TocEntry& below : allEntries(entry.children))
            all.push_back(std::move(below));
    }
    return all;
}

TEST(HelpBook, TheBuiltFileOpensAtTheGettingStartedPage)
{
    ASSERT_TRUE(builtBook().isOpen()) << builtBook().problem();
    EXPECT_EQ(builtBook().title(), "Slopekit Help");
    EXPECT_EQ(builtBook().startPage(), "/getting_started.html");
}

TEST(HelpBook, TheContentsListEveryPageWrittenForTheHelp)
{
    std::set<std::string> written;
    for (const auto& file : std::filesystem::directory_iterator(SLOPEKIT_HELP_SOURCES))
        if (file.path().extension() == ".html")
            written.insert("/" + file.path().filename().string());
    std::set<std::string> listed;
    for (const TocEntry& entry : allEntries(builtBook().contents()))
        if (!entry.local.empty())
            listed.insert(objectPath(entry.local));
    EXPECT_EQ(listed, written);
}

// A section of a page is titled by its heading, which the page's title does not repeat.
TEST(HelpBook, EveryPageOfTheContentsOpensUnderTheEntrysTitle)
{
    for (const TocEntry& entry : allEntries(builtBook().contents())) {
        if (entry.local.empty() || entry.local.find('#') != std::string::npos)
            continue;
        const std::string page = builtBook().read(objectPath(entry.local)).value_or("");
        EXPECT_NE(page.find("<title>" + entry.name + "</title>"), std::string::npos) << entry.local;
    }
}

TEST(HelpBook, EveryIndexKeywordOpensAPage)
{
    ASSERT_GE(builtBook().index().size(), 10u);
    for (const TocEntry& keyword : builtBook().index())
        EXPECT_TRUE(builtBook().read(objectPath(keyword.local))) << keyword.name;
}

TEST(HelpBook, ALinkPointsIntoTheArchiveHoweverItIsWritten)
{
    for (const char* link : {"files.html", "/files.html", "files.html#format", "ms-its:slopekit.chm::/files.html"})
        EXPECT_EQ(objectPath(link), "/files.html") << link;
}

TEST(HelpBook, AMissingFileSaysWhereItWasLookedFor)
{
    const HelpBook missing = HelpBook::open("/nonexistent/slopekit.chm");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.problem(),
              "Slopekit cannot find its help file.\n\nIt looks for it here:\n/nonexistent/slopekit.chm\n\n"
              "The help file slopekit.chm belongs in the folder that holds the Slopekit program. Copy it back "
              "there, or install Slopekit again.");
}

TEST(HelpBook, AFileOfAnotherKindSaysItCannotBeRead)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "slopekit_not_a_help_file.chm";
    std::ofstream(path) << "Slopekit\r\n1,\"x\"\r\n";
    const HelpBook foreign = HelpBook::open(path.string());
    std::filesystem::remove(path);
    EXPECT_FALSE(foreign.isOpen());
    EXPECT_TRUE(
        foreign.problem().starts_with("Slopekit cannot read its help file.\n\nThe file is here:\n" + path.string()))
        << foreign.problem();
}

// An item of a list: <LI> with the sitemap object naming its title and page.
std::string item(const std::string& name, const std::string& local)
{
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>";
}

TocEntry entry(std::string name, std::string local, std::vector<TocEntry> children = {})
{
    return {std::move(name), std::move(local), std::move(children)};
}

const std::string One = item("One", "one.html");
const std::string Two = item("Two", "two.html");

TEST(Sitemap, ReadsTheEntriesOfTheNestedLists)
{
    // clang-format off
    struct Row { const char* name; std::string text; std::vector<TocEntry> entries; };
    const Row rows[] = {
        {.name = "flat_list", .text = "<HTML><BODY><UL>" + One + Two + "</UL></BODY></HTML>", .entries = {entry("One", "one.html"), entry("Two", "two.html")}},
        {.name = "a_nested_list_belongs_to_the_item_above", .text = "<UL>" + One + "<UL>" + Two + "</UL></UL>", .entries = {entry("One", "one.html", {entry("Two", "two.html")})}},
        {.name = "a_list_without_an_item_above_is_flattened", .text = "<UL><UL>" + One + "</UL></UL>", .entries = {entry("One", "one.html")}},
        {.name = "objects_of_other_types_are_no_entries", .text = "<UL><OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"S\"></OBJECT>" + One + "</UL>", .entries = {entry("One", "one.html")}},
        {.name = "objects_outside_a_list_are_no_entries", .text = "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Before\"></OBJECT><UL>" + One + "</UL>", .entries = {entry("One", "one.html")}},
        {.name = "any_case_single_quotes_bare_values_entities", .text = "<ul><li><object type='text/sitemap'><PARAM NAME=name VALUE='A &amp;&#9;B'><param name=local value=a.html></object></ul>", .entries = {entry("A &\tB", "a.html")}},
        {.name = "the_first_name_and_page_count", .text = "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"><param name=\"Local\" value=\"a.html\"><param name=\"Name\" value=\"B\"><param name=\"Local\" value=\"b.html\"></OBJECT></UL>", .entries = {entry("A", "a.html")}},
        {.name = "a_title_ending_in_an_equals_sign", .text = "<UL>" + item("Dx =", "dx.html") + "</UL>", .entries = {entry("Dx =", "dx.html")}},
        {.name = "a_character_reference_beyond_ascii_reads_as_a_question_mark", .text = "<UL>" + item("Euro &#128;", "euro.html") + "</UL>", .entries = {entry("Euro ?", "euro.html")}},
        {.name = "a_heading_without_a_page", .text = "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Reference\"></OBJECT><UL>" + One + "</UL></UL>", .entries = {entry("Reference", "", {entry("One", "one.html")})}},
        {.name = "comments_are_skipped", .text = "<UL><!-- " + Two + " -->" + One + "</UL>", .entries = {entry("One", "one.html")}},
        {.name = "an_empty_comment_closed_at_once", .text = "<UL><!-->" + One + "</UL>", .entries = {entry("One", "one.html")}},
        {.name = "unbalanced_lists_still_give_the_entries", .text = "</UL></UL><UL>" + One + "<UL>" + Two, .entries = {entry("One", "one.html", {entry("Two", "two.html")})}},
        {.name = "cut_off_at_the_start_of_a_tag", .text = "<UL>" + One + "<", .entries = {entry("One", "one.html")}},
        {.name = "no_list_no_entries", .text = "<HTML><BODY>nothing here</BODY></HTML>", .entries = {}},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(parseSitemap(row.text), row.entries) << row.name;
}

}  // namespace
}  // namespace slopekit
