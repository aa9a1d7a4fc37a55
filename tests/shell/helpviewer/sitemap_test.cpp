#include "shell/helpviewer/sitemap.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

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
    struct Row {
        const char* name;
        std::string text;
        std::vector<TocEntry> expected;
    };
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
        {"lower_case_single_quotes_and_bare_values",
         "<ul><li><object type='text/sitemap'><PARAM NAME=name VALUE='A &amp; B'>"
         "<param name=local value=a.html></object></ul>",
         {page("A & B", "a.html")}},
        {"the_first_name_and_page_count",
         "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"><param name=\"Local\" "
         "value=\"a.html\"><param name=\"Name\" value=\"B\"><param name=\"Local\" value=\"b.html\"></OBJECT></UL>",
         {page("A", "a.html")}},
        {"heading_without_page",
         "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Reference\"></OBJECT>"
         "<UL>" + item("Messages", "messages.html") + "</UL></UL>",
         {page("Reference", "", {page("Messages", "messages.html")})}},
        {"comments_are_skipped", "<UL><!-- " + item("Hidden", "hidden.html") + " -->" + item("Shown", "shown.html") + "</UL>",
         {page("Shown", "shown.html")}},
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
