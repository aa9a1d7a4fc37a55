#include "window_fixture.h"

#include <QMenuBar>
#include <QSignalSpy>

namespace slopekit {
namespace {

using namespace testing;

// How the user tries to leave a box: a click comes either through the window, as the
// windowing system delivers it, or straight to the button.
enum class Leave { Tab, Enter, ClickThroughWindow, ClickOnButton };

void leave(frmSlopekit& window, QWidget* box, Leave how)
{
    switch (how) {
    case Leave::Tab: pressTab(box); break;
    case Leave::Enter: QTest::keyClick(box, Qt::Key_Return); break;
    case Leave::ClickThroughWindow: clickThroughWindow(window.cmdCompute); break;
    case Leave::ClickOnButton: click(window.cmdCompute); break;
    }
}

const char* const CountHint = "Enter a whole number from 1 to 10.";

// Which texts are refused is the problem checks' matter, tested with them.
TEST_F(WindowTest, ARefusedEntryHoldsTheFocusHoweverTheUserLeaves)
{
    // names: null when the count is the refused entry
    // clang-format off
    struct Row { const char* name; QString count; QString names = {}; Leave how; const char* hint; };
    const Row rows[] = {
        {.name = "count by tab", .count = "abc", .how = Leave::Tab, .hint = CountHint},
        {.name = "count by enter", .count = "abc", .how = Leave::Enter, .hint = CountHint},
        {.name = "count by a click through the window", .count = "0", .how = Leave::ClickThroughWindow, .hint = CountHint},
        {.name = "count by a click on the button", .count = "11", .how = Leave::ClickOnButton, .hint = CountHint},
        {.name = "names by tab", .count = "3", .names = "x,y,z,t", .how = Leave::Tab, .hint = "Enter 3 names separated by commas, none of them empty."},
        {.name = "names by enter", .count = "1", .names = "x,", .how = Leave::Enter, .hint = "Enter one name."},
        {.name = "names by a click through the window", .count = "1", .names = "x,", .how = Leave::ClickThroughWindow, .hint = "Enter one name."},
        {.name = "names by a click on the button", .count = "1", .names = "x,", .how = Leave::ClickOnButton, .hint = "Enter one name."},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
        QLineEdit* box = window->txtOrder;
        type(box, row.count);
        if (!row.names.isNull()) {
            pressTab(box);
            box = window->txtVarNams;
            type(box, row.names);
        }
        leave(*window, box, row.how);
        EXPECT_EQ(QApplication::focusWidget(), box) << row.name;
        EXPECT_EQ(hint(), row.hint) << row.name;
        EXPECT_EQ(computeClicks.count(), 0) << row.name;
        EXPECT_FALSE(window->cmdCompute->isDown()) << row.name << ": the button stays pressed";
        EXPECT_EQ(stage(), row.names.isNull() ? Stage::Count : Stage::Names) << row.name;
    }
}

// The refusal leaves no mark: once accepted, the move the user made goes on as usual.
TEST_F(WindowTest, AnAcceptedCountMovesOnToTheNamesWithTheirTextSelected)
{
    // clang-format off
    struct Row { const char* name; QString count; Leave how; int order; };
    const Row rows[] = {
        {.name = "three by tab", .count = "3", .how = Leave::Tab, .order = 3},
        {.name = "one by enter", .count = "1", .how = Leave::Enter, .order = 1},
        {.name = "half to even by a click on the button", .count = "2.5", .how = Leave::ClickOnButton, .order = 2},
        {.name = "ten by a click through the window", .count = "10", .how = Leave::ClickThroughWindow, .order = 10},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
        type(window->txtOrder, "0");
        leave(*window, window->txtOrder, row.how);
        type(window->txtOrder, row.count);
        leave(*window, window->txtOrder, row.how);
        EXPECT_EQ(stage(), Stage::Names) << row.name;
        EXPECT_EQ(hint(), "") << row.name;
        EXPECT_EQ(dim->Order, row.order) << row.name;
        EXPECT_EQ(focus(), "txtVarNams") << row.name;
        EXPECT_EQ(window->txtVarNams->selectedText(), "x,y,z,t") << row.name;
        EXPECT_EQ(computeClicks.count(), 0) << row.name;
    }
}

TEST_F(WindowTest, AcceptedNamesOpenTheLabelledPointBoxes)
{
    type(window->txtOrder, "2");
    pressTab(window->txtOrder);
    type(window->txtVarNams, "x,,");
    QTest::keyClick(window->txtVarNams, Qt::Key_Return);
    type(window->txtVarNams, "Rate,b");
    QTest::keyClick(window->txtVarNams, Qt::Key_Return);
    EXPECT_EQ(stage(), Stage::Working);
    EXPECT_EQ(hint(), "");
    EXPECT_EQ(focus(), "txtEquation");
    EXPECT_EQ(window->lblVarx[1]->text(), "b=");
    EXPECT_TRUE(window->txtVarx[1]->isVisible()) << "the second point box";
    EXPECT_FALSE(window->txtVarx[2]->isVisible()) << "the third point box";
}

// Another window taking the focus is no move of the user's: the entry is neither checked
// nor selected when the focus comes back. A click that activates the window is.
TEST_F(WindowTest, FocusTakenByAnotherWindowChecksNothing)
{
    type(window->txtOrder, "1");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(stage(), Stage::Count);
    clickThroughWindow(window->cmdCompute);
    EXPECT_EQ(stage(), Stage::Names) << "after a click that activates the window";

    type(window->txtVarNams, "x");
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.close();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClicks(window->txtVarNams, "y");
    EXPECT_EQ(window->txtVarNams->text(), "xy");
}

// A refused function keeps the focus, yet the menus stay usable.
TEST_F(WindowTest, TheFunctionBoxHoldsTheFocusUntilItHasAFunctionYetTheMenusWork)
{
    enterProblem("2", "x,y");
    click(window->cmdCompute);
    EXPECT_EQ(focus(), "txtEquation");
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->mnuHelp).center());
    EXPECT_TRUE(window->helpFile().endsWith("/slopekit.chm")) << window->helpFile().toStdString();
}

TEST_F(WindowTest, MovingIntoAPointBoxSelectsItsText)
{
    enterProblem("2", "x,y");
    type(window->txtEquation, "x*y");
    window->txtVarx[0]->setText("2.5");
    pressTab(window->txtEquation);
    pressTab(window->cboConstants);
    ASSERT_EQ(focus(), "txtVarx(0)");
    EXPECT_EQ(window->txtVarx[0]->selectedText(), "2.5");
}

}  // namespace
}  // namespace slopekit
