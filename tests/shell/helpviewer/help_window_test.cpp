#include "helpbook/help_book.h"
#include "shell/helpviewer/help_browser.h"
#include "shell/helpviewer/help_index_pane.h"
#include "shell/helpviewer/help_window.h"
#include "shell/helpviewer/open_help.h"
#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QTabWidget>
#include <QTextDocument>
#include <QTreeWidget>

// Fontconfig keeps its caches until the process ends; the leak checker of the sanitizer
// build must not count them against us.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace slopekit {
namespace {

using namespace testing;

class HelpWindowTest : public WindowTest {
protected:
    // The help window over the main window, showing the file at path.
    HelpWindow* openHelpFile(const QString& path)
    {
        openHelp(window, path);
        return shown<HelpWindow>();
    }
    const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
};

TEST_F(HelpWindowTest, AMissingFileIsExplainedInTheHelpWindowOverTheMainWindow)
{
    HelpWindow* help = openHelpFile("/nonexistent/slopekit.chm");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->frameGeometry().intersects(window->frameGeometry()));
    EXPECT_FALSE(help->contents()->isVisible());
    EXPECT_THAT(help->browser()->toPlainText().toStdString(),
                ::testing::MatchesRegex("Help is not available\\sSlopekit cannot find its help file\\.\\s+It looks for "
                                        "it here:\\s/nonexistent/slopekit\\.chm\\s.*"));
}

// F1 tries the file again, in the one help window already open.
TEST_F(HelpWindowTest, F1OpensTheStartPageInTheHelpWindowAlreadyOpen)
{
    HelpWindow* help = openHelpFile("/nonexistent/slopekit.chm");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_EQ(shown<HelpWindow>(), help);
    EXPECT_EQ(help->contents()->topLevelItemCount(), static_cast<int>(book.contents().size()));
    EXPECT_EQ(help->browser()->source().path(), QString::fromStdString(book.startPage()));
}

TEST_F(HelpWindowTest, ClickingAnEntryOfTheContentsOpensItsPage)
{
    HelpWindow* help = openHelpFile(SLOPEKIT_HELP_FILE);
    QTreeWidget* contents = help->contents();
    QTreeWidgetItem* last = contents->topLevelItem(contents->topLevelItemCount() - 1);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(last).center());
    EXPECT_EQ(help->browser()->source().path(), QString::fromStdString(objectPath(book.contents().back().local)));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QString::fromStdString(book.contents().back().name)));
}

// No empty Index tab for a help file without an index.
TEST_F(HelpWindowTest, ShowsTheIndexTabOnlyForAHelpFileWithAnIndex)
{
    struct Row {
        const char* name;
        const char* file;
        bool indexTab;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "without_an_index", .file = SLOPEKIT_HELP_WITHOUT_INDEX, .indexTab = false},
        {.name = "with_an_index", .file = SLOPEKIT_HELP_FILE, .indexTab = true},
    };
    // clang-format on
    for (const Row& row : rows) {
        HelpWindow* help = openHelpFile(row.file);
        ASSERT_NE(help, nullptr) << row.name;
        const auto* panes = help->findChild<QTabWidget*>();
        ASSERT_NE(panes, nullptr) << row.name;
        EXPECT_EQ(panes->isTabVisible(panes->indexOf(help->index())), row.indexTab) << row.name << ": Index tab";
        delete help;  // the next file opens in a help window of its own
    }
}

TEST_F(HelpWindowTest, ReturnOpensTheIndexKeywordThatTheTypedTextBegins)
{
    HelpWindow* help = openHelpFile(SLOPEKIT_HELP_FILE);
    QTest::keyClicks(help->index()->keywordBox(), "incomp");
    QTest::keyClick(help->index()->keywordBox(), Qt::Key_Return);
    EXPECT_EQ(help->browser()->source().toString(), "help:/messages.html#incompatible");
}

TEST_F(HelpWindowTest, APagesPicturesComeFromTheHelpFile)
{
    HelpBrowser* browser = openHelpFile(SLOPEKIT_HELP_FILE)->browser();
    browser->setSource(HelpBrowser::pageUrl("derivatives.html"));
    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, browser->source().resolved(QUrl("stencil.png")));
    EXPECT_TRUE(picture.toByteArray().startsWith("\x89PNG"));
}

TEST_F(HelpWindowTest, ALinkToASectionOpensItsPage)
{
    HelpBrowser* browser = openHelpFile(SLOPEKIT_HELP_FILE)->browser();
    emit browser->anchorClicked(browser->source().resolved(QUrl("files.html#format")));
    EXPECT_EQ(browser->source().path(), "/files.html");
}

}  // namespace
}  // namespace slopekit
