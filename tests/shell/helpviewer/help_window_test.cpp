#include "helpbook/help_book.h"
#include "shell/helpviewer/help_browser.h"
#include "shell/helpviewer/help_index_pane.h"
#include "shell/helpviewer/help_window.h"
#include "shell/helpviewer/open_help.h"
#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QTextDocument>
#include <QTreeWidget>

// Fontconfig keeps its caches until the process ends; the leak checker of the sanitizer
// build must not count them against us.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace slopekit {
namespace {

using namespace testing;

// A missing file is explained in the help window, over the main window; F1 then tries the
// file again in that one window, where the contents, the index and links open their pages.
TEST_F(WindowTest, TheHelpWindowExplainsAMissingFileAndOpensThePagesOfTheBuiltOne)
{
    openHelp(window, "/nonexistent/slopekit.chm");
    HelpWindow* help = shown<HelpWindow>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->frameGeometry().intersects(window->frameGeometry()));
    EXPECT_NE(help->frameGeometry().topLeft(), QPoint(0, 0));
    HelpBrowser* browser = help->browser();
    QTreeWidget* contents = help->contents();
    EXPECT_FALSE(contents->isVisible());
    EXPECT_THAT(browser->toPlainText().toStdString(),
                ::testing::MatchesRegex("Help is not available\\sSlopekit cannot find its help file\\.\\s+It looks for "
                                        "it here:\\s/nonexistent/slopekit\\.chm\\s.*"));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_EQ(shown<HelpWindow>(), help);
    ASSERT_TRUE(contents->isVisible());
    const HelpBook book = HelpBook::open(SLOPEKIT_HELP_FILE);
    ASSERT_EQ(contents->topLevelItemCount(), static_cast<int>(book.contents().size()));
    EXPECT_EQ(browser->source().path(), QString::fromStdString(book.startPage()));

    QTreeWidgetItem* last = contents->topLevelItem(contents->topLevelItemCount() - 1);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(last).center());
    EXPECT_EQ(browser->source().path(), QString::fromStdString(objectPath(book.contents().back().local)));
    EXPECT_EQ(contents->currentItem(), last);
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromStdString(book.contents().back().name)));

    HelpIndexPane* index = help->index();
    QTest::keyClicks(index->keywordBox(), "incomp");
    ASSERT_NE(index->keywords()->currentItem(), nullptr);
    EXPECT_EQ(index->keywords()->currentItem()->text(), "Incompatible file");
    QTest::keyClick(index->keywordBox(), Qt::Key_Return);
    EXPECT_EQ(browser->source().path() + "#" + browser->source().fragment(), "/messages.html#incompatible");

    browser->setSource(HelpBrowser::pageUrl("derivatives.html"));
    EXPECT_TRUE(browser->toHtml().contains("stencil.png"));
    const QVariant picture =
        browser->loadResource(QTextDocument::ImageResource, browser->source().resolved(QUrl("stencil.png")));
    EXPECT_TRUE(picture.toByteArray().startsWith("\x89PNG"));
    emit browser->anchorClicked(browser->source().resolved(QUrl("files.html#format")));
    EXPECT_EQ(browser->source().path(), "/files.html");
    EXPECT_TRUE(browser->toPlainText().contains("Slopekit")) << browser->toPlainText().toStdString();
    help->close();
}

}  // namespace
}  // namespace slopekit
