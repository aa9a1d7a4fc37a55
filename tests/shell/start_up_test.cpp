#include "fake_clock.h"
#include "shell/frm_about.h"
#include "shell/sub_main.h"
#include "window_fixture.h"

namespace slopekit {
namespace {

using namespace testing;

class StartUp : public ::testing::Test {
protected:
    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        numberLocale() = m_saved;
    }

    void start(std::string userSymbol)
    {
        numberLocale().decimal = userSymbol;
        decimalPoint = std::make_unique<DecimalPoint>(prompts, [userSymbol] { return userSymbol; });
        window = Main(dim, engine, prompts, *decimalPoint, clock);
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
        start(",");
        EXPECT_EQ(window, nullptr);
        for (QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible()) << widget->objectName().toStdString();
        EXPECT_EQ(clock.pauses, 0);
        EXPECT_EQ(numberLocale().decimal, ",");
    }
}

TEST_F(StartUp, SplashStaysMoreThanTwoWholeClockSecondsThenTheWindowShows)
{
    int pausesWithSplash = 0;
    clock.onPause = [&] { pausesWithSplash += shown<frmAbout>() != nullptr; };
    start(".");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(prompts.messageBoxes.empty());
    // Started at 100.6 (second 100); the splash goes once second 103 is read.
    EXPECT_EQ(clock.currentSecond(), 103);
    EXPECT_EQ(clock.pauses, 10);
    EXPECT_EQ(pausesWithSplash, clock.pauses);
    EXPECT_EQ(shown<frmAbout>(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

// Yes switches to the point; closing the window closes the About box and restores the comma.
TEST_F(StartUp, ClosingTheWindowClosesTheAboutBoxAndRestoresTheUsersSeparator)
{
    prompts.answers = {PromptAnswer::Yes};
    start(",");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(numberLocale().decimal, ".");
    window->mnuAbout->trigger();
    ASSERT_NE(shown<frmAbout>(), nullptr);
    window->close();
    EXPECT_EQ(shown<frmAbout>(), nullptr);
    EXPECT_EQ(numberLocale().decimal, ",");
}

TEST(AboutText, HasTenLinesWithTheTitleOnTheFourth)
{
    const QStringList lines = frmAbout::aboutText();
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[3], "Slopekit");
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(lines[k].isEmpty(), k < 3 || (k > 3 && k % 2 == 0)) << k;
}

TEST_F(WindowTest, TheAboutBoxOpensOnceFromTheMenuAndAClickAnywhereClosesIt)
{
    enterProblem("2", "x,y");
    window->mnuAbout->trigger();
    auto* about = shown<frmAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->size(), QSize(640, 480));
    EXPECT_TRUE(about->windowFlags() & Qt::FramelessWindowHint);
    window->mnuAbout->trigger();
    EXPECT_EQ(shown<frmAbout>(), about);
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(500, 400));
    EXPECT_EQ(shown<frmAbout>(), nullptr);
    EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace slopekit
