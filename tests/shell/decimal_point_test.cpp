#include "fake_prompts.h"
#include "numbers/number_locale.h"
#include "shell/decimal_point.h"
#include "shell/qt_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace slopekit {
namespace {

using testing::FakePrompts;

const char* const Warning =
    "Proper operation of this application requires the use of the DECIMAL POINT.\r"
    "Your system is currently using the DECIMAL COMMA.\r"
    "\r"
    "Do you wish to temporarily change this system setting to decimal point?\r"
    "(Upon exiting, this application will restore your setting.)\r"
    "(See HELP FILE or visit https://slopekit.example.org for instructions on how to change "
    "MANUALLY)\r"
    "\r"
    "Press YES to change.";

struct GuardCase {
    const char* name;
    std::string userSymbol;
    std::optional<PromptAnswer> answer;  // nothing: no warning expected
    bool goesOn;
    std::string decimalAfter;  // the number locale's separator after the guard
};

void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.name; }

class DecimalGuard : public ::testing::TestWithParam<GuardCase> {
protected:
    void TearDown() override { numberLocale() = m_saved; }

private:
    NumberSeparators m_saved = numberLocale();
};

TEST_P(DecimalGuard, WarnsUnlessThePointIsUsedAndChangesOnlyOnYes)
{
    const GuardCase& c = GetParam();
    numberLocale() = {c.userSymbol, " "};
    FakePrompts prompts;
    if (c.answer)
        prompts.answers.push_back(*c.answer);
    DecimalPoint guard(prompts, [&] { return c.userSymbol; });

    EXPECT_EQ(guard.CheckDecimalSymbol(), c.goesOn);

    EXPECT_EQ(numberLocale().decimal, c.decimalAfter);
    EXPECT_EQ(guard.SavedDecimalSymbol, c.userSymbol);
    ASSERT_EQ(prompts.messageBoxes.size(), c.answer ? 1u : 0u);
    if (c.answer) {
        const auto& box = prompts.messageBoxes.front();
        EXPECT_EQ(box.title, "Decimal Comma Warning!");
        EXPECT_EQ(box.text, Warning);
        EXPECT_EQ(box.buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(box.icon, PromptIcon::Critical);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Separators, DecimalGuard,
    ::testing::Values(
        GuardCase{"point_needs_nothing", ".", std::nullopt, true, "."},
        GuardCase{"comma_yes", ",", PromptAnswer::Yes, true, "."},
        GuardCase{"comma_no", ",", PromptAnswer::No, false, ","},
        GuardCase{"comma_cancel_or_escape", ",", PromptAnswer::Cancel, false, ","},
        GuardCase{"middle_dot_is_warned_as_comma", "\xC2\xB7", PromptAnswer::Yes, true, "."},
        GuardCase{"unreadable_is_empty", "", PromptAnswer::Yes, true, "."}));

TEST(DecimalPointRestore, PutsTheUsersSeparatorBackAfterTheChange)
{
    const NumberSeparators saved = numberLocale();
    FakePrompts prompts;
    DecimalPoint guard(prompts, [] { return std::string(",\0x", 3); });
    ASSERT_TRUE(guard.CheckDecimalSymbol());
    EXPECT_EQ(guard.SavedDecimalSymbol, ",");  // cut at the first NUL
    EXPECT_EQ(numberLocale().decimal, ".");
    guard.RestoreDecimalSymbol();
    EXPECT_EQ(numberLocale().decimal, ",");
    numberLocale() = saved;
}

struct RealBoxCase {
    const char* name;
    std::string title;
    std::string text;
    PromptButtons buttons;
    Qt::Key key;
    const char* shownTitle;
    PromptAnswer answer;
};

void PrintTo(const RealBoxCase& c, std::ostream* os) { *os << c.name; }

class RealMessageBox : public ::testing::TestWithParam<RealBoxCase> {};

// The title and the text as the real box shows them, answered from the keyboard.
TEST_P(RealMessageBox, ShowsTitleAndWholeLinesAndAnswersTheKey)
{
    const RealBoxCase& c = GetParam();
    QString title;
    int widestLine = 0;
    int textWidth = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        poll.stop();
        title = box->windowTitle();
        const auto* label = box->findChild<QLabel*>("messageText");
        for (const QString& line : label->text().split('\n'))
            widestLine = std::max(widestLine, label->fontMetrics().horizontalAdvance(line));
        textWidth = label->contentsRect().width();
        QTest::keyClick(box, c.key);
    });
    poll.start(10);
    QtPrompts prompts;
    const PromptAnswer answer = prompts.messageBox(c.title, c.text, c.buttons, PromptIcon::Critical);
    EXPECT_EQ(title.toStdString(), c.shownTitle);
    EXPECT_LE(widestLine, textWidth) << "a line wraps";
    EXPECT_EQ(answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, RealMessageBox,
    ::testing::Values(
        RealBoxCase{"warning_escape_cancels", "Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel,
                    Qt::Key_Escape, "Decimal Comma Warning!", PromptAnswer::Cancel},
        RealBoxCase{"warning_enter_says_yes", "Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel,
                    Qt::Key_Return, "Decimal Comma Warning!", PromptAnswer::Yes},
        RealBoxCase{"untitled_box_says_slopekit", "", "The file x cannot be opened.", PromptButtons::Ok,
                    Qt::Key_Escape, "Slopekit", PromptAnswer::Ok}),
    [](const ::testing::TestParamInfo<RealBoxCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit
