#include "shell/helpviewer/help_browser.h"
#include "shell/helpviewer/help_index_pane.h"
#include "shell/helpviewer/help_window.h"
#include "shell/helpviewer/open_help.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include <gtest/gtest.h>

// Fontconfig keeps its caches until the process ends; the leak checker of the sanitizer
// build must not count them against us.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace slopekit {
namespace {

const QString HelpFile = QStringLiteral(SLOPEKIT_HELP_FILE);
const QString MissingFile = QStringLiteral("/nonexistent/slopekit.chm");

class HelpWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "helpviewer_tests";
        static char* argv[] = {name, nullptr};
        // Never destroyed: QTest's input devices outlive a static application object.
        static auto* app = new QApplication(argc, argv);
        (void)app;
    }

    void TearDown() override
    {
        for (HelpWindow* window : helpWindows())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QList<HelpWindow*> helpWindows()
    {
        QList<HelpWindow*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<HelpWindow*>(widget))
                windows.append(window);
        return windows;
    }
};

// A missing file is explained in the window; opening again raises that one window and
// tries the file again.
TEST_F(HelpWindowTest, AMissingFileIsExplainedAndTriedAgainInTheOneWindow)
{
    openHelp(nullptr, MissingFile);
    ASSERT_EQ(helpWindows().size(), 1);
    HelpWindow* window = helpWindows().front();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->contents()->isVisible());
    const QString text = window->browser()->toPlainText();
    EXPECT_TRUE(text.contains("Slopekit cannot find its help file.")) << text.toStdString();
    EXPECT_TRUE(text.contains(MissingFile)) << text.toStdString();

    openHelp(nullptr, HelpFile);
    ASSERT_EQ(helpWindows().size(), 1);
    EXPECT_TRUE(helpWindows().front()->hasBook());
    EXPECT_TRUE(window->contents()->isVisible());
    openHelp(nullptr, HelpFile);
    EXPECT_EQ(helpWindows().size(), 1);
}

TEST_F(HelpWindowTest, TheContentsTheIndexAndLinksOpenTheirPages)
{
    openHelp(nullptr, HelpFile);
    ASSERT_EQ(helpWindows().size(), 1);
    HelpWindow* window = helpWindows().front();
    HelpBrowser* browser = window->browser();
    QTreeWidget* contents = window->contents();
    ASSERT_TRUE(contents->isVisible());
    const HelpBook book = HelpBook::open(HelpFile.toStdString());
    ASSERT_EQ(contents->topLevelItemCount(), static_cast<int>(book.contents().size()));
    EXPECT_EQ(browser->source().path(), QString::fromStdString(book.startPage()));

    QTreeWidgetItem* last = contents->topLevelItem(contents->topLevelItemCount() - 1);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(last).center());
    EXPECT_EQ(browser->source().path(), QString::fromStdString(objectPath(book.contents().back().local)));
    EXPECT_EQ(contents->currentItem(), last);
    EXPECT_TRUE(browser->toPlainText().contains(QString::fromStdString(book.contents().back().name)));

    HelpIndexPane* index = window->index();
    QTest::keyClicks(index->keywordBox(), QStringLiteral("incomp"));
    ASSERT_NE(index->keywords()->currentItem(), nullptr);
    EXPECT_EQ(index->keywords()->currentItem()->text(), QStringLiteral("Incompatible file"));
    QTest::keyClick(index->keywordBox(), Qt::Key_Return);
    EXPECT_EQ(browser->source().path(), QStringLiteral("/messages.html"));
    EXPECT_EQ(browser->source().fragment(), QStringLiteral("incompatible"));

    browser->setSource(HelpBrowser::pageUrl(QStringLiteral("derivatives.html")));
    EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("stencil.png")));
    const QVariant picture = browser->loadResource(QTextDocument::ImageResource,
                                                   browser->source().resolved(QUrl(QStringLiteral("stencil.png"))));
    EXPECT_TRUE(picture.toByteArray().startsWith("\x89PNG"));
    emit browser->anchorClicked(browser->source().resolved(QUrl(QStringLiteral("files.html#format"))));
    EXPECT_EQ(browser->source().path(), QStringLiteral("/files.html"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Slopekit"))) << browser->toPlainText().toStdString();
}

}  // namespace
}  // namespace slopekit
