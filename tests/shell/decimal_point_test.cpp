#include "fake_prompts.h"
#include "numbers/number_locale.h"
#include "shell/decimal_point.h"
#include "shell/qt_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace slopekit {
namespace {

using testing::FakePrompts;

const char* const Warning =
    "Proper operation of this application requires the use of the DECIMAL POINT.\r"
    "Your system is currently using the DECIMAL COMMA.\r"
    "\r"
    "Do you wish to temporarily change this system setting to decimal point?\r"
    "(Upon exiting, this application will restore your setting.)\r"
    "(See HELP FILE or visit https://slopekit.example.org for instructions on how to change MANUALLY)\r"
    "\r"
    "Press YES to change.";

class DecimalPointTest : public ::testing::Test {
protected:
    void TearDown() override { numberLocale() = m_saved; }

private:
    NumberSeparators m_saved = numberLocale();
};

// Any separator but the point is warned about; only Yes changes it, and closing puts the
// user's own back.
TEST_F(DecimalPointTest, WarnsUnlessThePointIsUsedAndChangesOnlyOnYes)
{
    struct Row {
        const char* name;
        std::string userSymbol;
        std::optional<PromptAnswer> answer;  // nothing: no warning expected
        bool goesOn;
        std::string decimalAfter;
    };
    const Row rows[] = {
        {"point_needs_nothing", ".", std::nullopt, true, "."},
        {"comma_yes", ",", PromptAnswer::Yes, true, "."},
        {"comma_no", ",", PromptAnswer::No, false, ","},
        {"comma_cancel_or_escape", ",", PromptAnswer::Cancel, false, ","},
        {"middle_dot_is_warned_as_comma", "\xC2\xB7", PromptAnswer::Yes, true, "."},
        {"unreadable_is_empty", "", PromptAnswer::Yes, true, "."},
        {"cut_at_the_first_nul", std::string(",\0x", 3), PromptAnswer::Yes, true, "."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string shownSymbol = row.userSymbol.substr(0, row.userSymbol.find('\0'));
        numberLocale() = {shownSymbol, " "};
        FakePrompts prompts;
        if (row.answer)
            prompts.answers.push_back(*row.answer);
        DecimalPoint guard(prompts, [&] { return row.userSymbol; });

        EXPECT_EQ(guard.CheckDecimalSymbol(), row.goesOn);
        EXPECT_EQ(numberLocale().decimal, row.decimalAfter);
        EXPECT_EQ(guard.SavedDecimalSymbol, shownSymbol);
        ASSERT_EQ(prompts.messageBoxes.size(), row.answer ? 1u : 0u);
        if (row.answer) {
            EXPECT_EQ(prompts.messageBoxes[0].title, "Decimal Comma Warning!");
            EXPECT_EQ(prompts.messageBoxes[0].text, Warning);
            EXPECT_EQ(prompts.messageBoxes[0].buttons, PromptButtons::YesNoCancel);
            EXPECT_EQ(prompts.messageBoxes[0].icon, PromptIcon::Critical);
        }
        guard.RestoreDecimalSymbol();
        EXPECT_EQ(numberLocale().decimal, shownSymbol);
    }
}

// The title and the text as the real box shows them, answered from the keyboard.
TEST_F(DecimalPointTest, TheRealBoxShowsItsTitleAndWholeLinesAndAnswersTheKey)
{
    struct Row {
        const char* name;
        std::string title;
        std::string text;
        PromptButtons buttons;
        Qt::Key key;
        const char* shownTitle;
        PromptAnswer answer;
    };
    const Row rows[] = {
        {"warning_escape_cancels", "Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel, Qt::Key_Escape,
         "Decimal Comma Warning!", PromptAnswer::Cancel},
        {"warning_enter_says_yes", "Decimal Comma Warning!", Warning, PromptButtons::YesNoCancel, Qt::Key_Return,
         "Decimal Comma Warning!", PromptAnswer::Yes},
        {"untitled_box_is_titled_with_the_product_name", "", "The file x cannot be opened.", PromptButtons::Ok,
         Qt::Key_Escape, "Slopekit", PromptAnswer::Ok},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
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
            QTest::keyClick(box, row.key);
        });
        poll.start(10);
        QtPrompts prompts;
        EXPECT_EQ(prompts.messageBox(row.title, row.text, row.buttons, PromptIcon::Critical), row.answer);
        EXPECT_EQ(title.toStdString(), row.shownTitle);
        EXPECT_LE(widestLine, textWidth) << "a line wraps";
    }
}

}  // namespace
}  // namespace slopekit
