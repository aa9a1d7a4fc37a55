#include "helpbook/help_book.h"
#include "helpbook/sitemap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <set>

namespace slopekit {
namespace {

// The pages written for the help.
std::set<std::string> sourcePages()
{
    std::set<std::string> pages;
    for (const auto& file : std::filesystem::directory_iterator(SLOPEKIT_HELP_SOURCES))
        if (file.path().extension() == ".html")
            pages.insert("/" + file.path().filename().string());
    return pages;
}

// Every page written for the help is in the contents and opens with the entry's title (a
// section of a page is titled by its heading); every index keyword opens a page.
TEST(HelpBook, TheBuiltFileOpensEveryPageAndAMissingOrForeignOneSaysWhatIsWrong)
{
    const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
    ASSERT_TRUE(book.isOpen()) << book.problem();
    EXPECT_EQ(book.title(), "Slopekit Help");
    EXPECT_EQ(book.startPage(), "/getting_started.html");
    std::set<std::string> listed;
    std::function<void(const std::vector<TocEntry>&)> visit = [&](const std::vector<TocEntry>& entries) {
        for (const TocEntry& entry : entries) {
            visit(entry.children);
            if (entry.local.empty())
                continue;
            listed.insert(objectPath(entry.local));
            const std::optional<std::string> page = book.read(objectPath(entry.local));
            EXPECT_TRUE(page && (entry.local.find('#') != std::string::npos ||
                                 page->find("<title>" + entry.name + "</title>") != std::string::npos))
                << entry.local;
        }
    };
    visit(book.contents());
    EXPECT_EQ(listed, sourcePages());

    ASSERT_GE(book.index().size(), 10u);
    for (const TocEntry& keyword : book.index())
        EXPECT_TRUE(book.read(objectPath(keyword.local)) && keyword.children.empty()) << keyword.name;
    // A link points into the archive however it is written.
    for (const char* link : {"files.html", "/files.html", "files.html#format", "ms-its:slopekit.chm::/files.html"})
        EXPECT_EQ(objectPath(link), "/files.html") << link;

    // A missing or foreign file says what is wrong and where.
    const HelpBook missing = HelpBook::open("/nonexistent/slopekit.chm");
    EXPECT_TRUE(!missing.isOpen() && missing.contents().empty());
    EXPECT_EQ(missing.problem(),
              "Slopekit cannot find its help file.\n\nIt looks for it here:\n/nonexistent/slopekit.chm\n\n"
              "The help file slopekit.chm belongs in the folder that holds the Slopekit program. Copy it back "
              "there, or install Slopekit again.");

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "slopekit_not_a_help_file.chm";
    std::ofstream(path) << "Slopekit\r\n1,\"x\"\r\n";
    const HelpBook foreign = HelpBook::open(path.string());
    std::filesystem::remove(path);
    EXPECT_TRUE(!foreign.isOpen() && !foreign.read("/getting_started.html"));
    EXPECT_TRUE(
        foreign.problem().starts_with("Slopekit cannot read its help file.\n\nThe file is here:\n" + path.string()));
}

TocEntry page(std::string name, std::string local, std::vector<TocEntry> children = {})
{
    return {std::move(name), std::move(local), std::move(children)};
}

std::string item(const std::string& name, const std::string& local)
{
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
}

TEST(Sitemap, ReadsTheEntriesOfTheNestedLists)
{
    struct Row { const char* name; std::string text; std::vector<TocEntry> expected; };
    const Row rows[] = {
        {"flat_list", "<HTML><BODY><UL>" + item("One", "one.html") + item("Two", "two.html") + "</UL></BODY></HTML>",
         {page("One", "one.html"), page("Two", "two.html")}},
        {"nested_lists_belong_to_the_item_above_them",
         "<UL>" + item("Guide", "guide.html") + "<UL>" + item("Files", "files.html") + "<UL>" +
             item("Format", "files.html#format") + "</UL></UL>" + item("End", "end.html") + "</UL>",
         {page("Guide", "guide.html", {page("Files", "files.html", {page("Format", "files.html#format")})}),
          page("End", "end.html")}},
        {"a_list_without_an_item_above_it_is_flattened", "<UL><UL>" + item("One", "one.html") + "</UL></UL>",
         {page("One", "one.html")}},
        {"only_sitemap_objects_inside_the_list_are_entries",
         "<OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Before\"></OBJECT>"
         "<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" value=\"0x800025\"></OBJECT><UL>"
         "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"Styles\"></OBJECT>" +
             item("One", "one.html") + "</UL>",
         {page("One", "one.html")}},
        {"lower_case_single_quotes_bare_values_and_entities",
         "<ul><li><object type='text/sitemap'><PARAM NAME=name VALUE='A &amp;&#9;B'>"
         "<param name=local value=a.html></object></ul>",
         {page("A &\tB", "a.html")}},
        {"the_first_name_and_page_count",
         "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"><param name=\"Local\" "
         "value=\"a.html\"><param name=\"Name\" value=\"B\"><param name=\"Local\" value=\"b.html\"></OBJECT></UL>",
         {page("A", "a.html")}},
        {"heading_without_page",
         "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Reference\"></OBJECT>"
         "<UL>" + item("Messages", "messages.html") + "</UL></UL>",
         {page("Reference", "", {page("Messages", "messages.html")})}},
        {"comments_are_skipped",
         "<UL><!-- " + item("Hidden", "hidden.html") + " -->" + item("Shown", "shown.html") + "</UL>",
         {page("Shown", "shown.html")}},
        {"an_empty_comment_closed_at_once", "<UL><!-->" + item("One", "one.html") + "</UL>", {page("One", "one.html")}},
        {"unbalanced_lists_still_give_the_entries",
         "</UL></UL><UL>" + item("One", "one.html") + "<UL>" + item("Two", "two.html"),
         {page("One", "one.html", {page("Two", "two.html")})}},
        {"no_list_no_entries", "<HTML><BODY>nothing here</BODY></HTML>", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseSitemap(row.text), row.expected);
    }
}

}  // namespace
}  // namespace slopekit
