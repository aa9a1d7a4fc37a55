#include "fake_clock.h"
#include "window_fixture.h"
#include "shell/frm_about.h"
#include "shell/sub_main.h"

#include <QApplication>
#include <QMenuBar>

namespace slopekit {
namespace {

using testing::FakeClock;
using testing::FakePrompts;

QWidget* openAboutWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmAbout" && w->isVisible())
            return w;
    return nullptr;
}

bool anyWindowVisible()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

class StartUp : public ::testing::Test {
protected:
    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        numberLocale() = m_saved;
    }

    std::unique_ptr<frmSlopekit> start(std::string userSymbol)
    {
        numberLocale().decimal = userSymbol;
        decimalPoint = std::make_unique<DecimalPoint>(prompts, [userSymbol] { return userSymbol; });
        return Main(dim, engine, prompts, *decimalPoint, clock);
    }

    Dimension dim;
    EngineBinding engine{dim};
    FakePrompts prompts;
    FakeClock clock{100.6};
    std::unique_ptr<DecimalPoint> decimalPoint;
    std::unique_ptr<frmSlopekit> window;

private:
    NumberSeparators m_saved = numberLocale();
};

TEST_F(StartUp, DecliningTheChangeEndsBeforeAnyWindowShows)
{
    for (PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Cancel}) {
        prompts.answers = {answer};
        window = start(",");
        EXPECT_EQ(window, nullptr);
        EXPECT_FALSE(anyWindowVisible());
        EXPECT_EQ(clock.pauses, 0);
        EXPECT_EQ(numberLocale().decimal, ",");
    }
}

TEST_F(StartUp, SplashStaysMoreThanTwoWholeClockSecondsThenTheWindowShows)
{
    int pausesWithSplash = 0;
    clock.onPause = [&] {
        if (openAboutWindow())
            ++pausesWithSplash;
    };
    window = start(".");

    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(prompts.messageBoxes.empty());
    // Started at 100.6 (second 100); the splash goes once second 103 is read.
    EXPECT_EQ(clock.currentSecond(), 103);
    EXPECT_EQ(clock.pauses, 10);
    EXPECT_EQ(pausesWithSplash, clock.pauses);
    EXPECT_EQ(openAboutWindow(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartUp, YesSwitchesToThePointAndClosingTheWindowRestoresTheComma)
{
    prompts.answers = {PromptAnswer::Yes};
    window = start(",");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(numberLocale().decimal, ".");

    window->close();
    EXPECT_EQ(numberLocale().decimal, ",");
}

TEST(AboutText, HasTenLinesWithTheTitleOnTheFourth)
{
    const QStringList lines = frmAbout::aboutText();
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[3], "Slopekit");
    for (int empty : {0, 1, 2, 4, 6, 8})
        EXPECT_TRUE(lines[empty].isEmpty()) << empty;
    for (int filled : {5, 7, 9})
        EXPECT_FALSE(lines[filled].isEmpty()) << filled;
}

class AboutBox : public testing::WindowTest {};

TEST_F(AboutBox, OpensFromTheMenuAndAClickAnywhereClosesIt)
{
    enterProblem("2", "x,y");
    ASSERT_TRUE(window->mnuAbout->isVisible());
    window->mnuAbout->trigger();
    QWidget* about = openAboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->size(), QSize(640, 480));
    EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);

    window->mnuAbout->trigger();  // already open: stays the one window
    EXPECT_EQ(openAboutWindow(), about);

    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(500, 400));
    EXPECT_EQ(openAboutWindow(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutBox, ClosingTheMainWindowClosesTheAboutWindowAndRestoresTheSeparator)
{
    decimalPoint.SavedDecimalSymbol = ",";
    enterProblem("1", "x");
    window->mnuAbout->trigger();
    ASSERT_NE(openAboutWindow(), nullptr);

    window->close();
    EXPECT_EQ(openAboutWindow(), nullptr);
    EXPECT_EQ(numberLocale().decimal, ",");
}

}  // namespace
}  // namespace slopekit
