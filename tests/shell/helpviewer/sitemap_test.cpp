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

struct SitemapCase {
    const char* name;
    std::string text;
    std::vector<TocEntry> expected;
};

class SitemapTest : public testing::TestWithParam<SitemapCase> {};

TEST_P(SitemapTest, ReadsTheEntries)
{
    EXPECT_EQ(parseSitemap(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Sitemaps, SitemapTest, testing::Values(
    SitemapCase{"FlatList",
        "<HTML><BODY><UL>" + item("One", "one.html") + item("Two", "two.html") + "</UL></BODY></HTML>",
        {page("One", "one.html"), page("Two", "two.html")}},
    SitemapCase{"NestedListsBelongToTheItemAboveThem",
        "<UL>" + item("Guide", "guide.html") + "<UL>" + item("Files", "files.html") +
            "<UL>" + item("Format", "files.html#format") + "</UL></UL>" + item("End", "end.html") + "</UL>",
        {page("Guide", "guide.html", {page("Files", "files.html", {page("Format", "files.html#format")})}),
         page("End", "end.html")}},
    SitemapCase{"SitePropertiesBeforeTheListAreNoEntry",
        "<OBJECT type=\"text/site properties\"><param name=\"Window Styles\" value=\"0x800025\"></OBJECT>"
        "<UL>" + item("One", "one.html") + "</UL>",
        {page("One", "one.html")}},
    SitemapCase{"LowerCaseSingleQuotesAndBareValues",
        "<ul><li><object type='text/sitemap'><PARAM NAME=name VALUE='A &amp; B'>"
        "<param name=local value=a.html></object></ul>",
        {page("A & B", "a.html")}},
    SitemapCase{"HeadingWithoutPage",
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Reference\"></OBJECT>"
        "<UL>" + item("Messages", "messages.html") + "</UL></UL>",
        {page("Reference", "", {page("Messages", "messages.html")})}},
    SitemapCase{"CommentsAreSkipped",
        "<UL><!-- " + item("Hidden", "hidden.html") + " -->" + item("Shown", "shown.html") + "</UL>",
        {page("Shown", "shown.html")}},
    SitemapCase{"UnbalancedListsStillGiveTheEntries",
        "</UL></UL><UL>" + item("One", "one.html") + "<UL>" + item("Two", "two.html"),
        {page("One", "one.html", {page("Two", "two.html")})}},
    SitemapCase{"NoListNoEntries", "<HTML><BODY>nothing here</BODY></HTML>", {}}),
    [](const testing::TestParamInfo<SitemapCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit
