#include "window_fixture.h"

#include <QMenuBar>
#include <QSignalSpy>

namespace slopekit {
namespace {

using namespace testing;

// How the user tries to leave a box: a click comes either through the window, as the
// windowing system delivers it, or straight to the button.
enum class Leave { Tab, Enter, ClickThroughWindow, ClickOnButton };
const char* const LeaveNames[] = {"tab", "enter", "click_through_window", "click_on_button"};

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
const char* const ThreeNamesHint = "Enter 3 names separated by commas, none of them empty.";

TEST_F(WindowTest, ARefusedEntryKeepsTheFocusAndSaysWhatItNeedsHoweverTheUserLeaves)
{
    struct Row { const char* name; QString count; QString names /* null: the count is refused */; const char* hint; };
    // Which texts are refused is the problem checks' matter, tested with them.
    const Row rows[] = {{"count_letters", "abc", {}, CountHint}, {"four_names_for_three", "3", "x,y,z,t", ThreeNamesHint},
                        {"one_name_and_an_empty_one", "1", "x,", "Enter one name."}};
    for (const Row& row : rows)
        for (Leave how : {Leave::Tab, Leave::Enter, Leave::ClickThroughWindow, Leave::ClickOnButton}) {
            SCOPED_TRACE(std::string(row.name) + " " + LeaveNames[static_cast<int>(how)]);
            restart();
            QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
            QLineEdit* box = window->txtOrder;
            type(box, row.count);
            if (!row.names.isNull()) {
                pressTab(box);
                box = window->txtVarNams;
                type(box, row.names);
            }
            leave(*window, box, how);
            EXPECT_EQ(QApplication::focusWidget(), box);
            EXPECT_EQ(hint(), row.hint);
            EXPECT_EQ(computeClicks.count(), 0);
            EXPECT_FALSE(window->cmdCompute->isDown());
            EXPECT_EQ(stage(), row.names.isNull() ? CountStage : NamesStage);
            EXPECT_EQ(dim->Order, row.names.isNull() ? 0 : row.count.toInt());
            EXPECT_EQ(messages(), Texts{});
        }
}

// Each entry is refused once first, the same way, so its hint shows until the accepted
// entry clears it; the refusal leaves no mark: a user's move still selects, a click clicks.
TEST_F(WindowTest, AcceptedEntriesMoveOnAStageWithoutComputing)
{
    struct Row { const char* name; QString count; Leave how; int order; QString names; };
    const Row rows[] = {
        {"three_by_tab", "3", Leave::Tab, 3, "x,y,z"},
        {"one_by_enter", "1", Leave::Enter, 1, "u"},
        {"half_to_even_by_a_click_on_compute", "2.5", Leave::ClickOnButton, 2, "Rate,b"},
        {"ten_by_a_click_through_the_window", "10", Leave::ClickThroughWindow, 10, "a,b,c,d,e,f,g,h,i,j"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
        type(window->txtOrder, "0");
        leave(*window, window->txtOrder, row.how);
        type(window->txtOrder, row.count);
        leave(*window, window->txtOrder, row.how);
        EXPECT_EQ(stage() + " " + hint(), std::string(NamesStage) + " ");
        EXPECT_EQ(dim->Order, row.order);
        EXPECT_EQ(dim->Varx.size(), static_cast<std::size_t>(row.order));
        EXPECT_EQ(focus(), "txtVarNams");
        EXPECT_EQ(window->txtVarNams->selectedText(), "x,y,z,t");

        type(window->txtVarNams, "x,,");
        pressTab(window->txtVarNams);
        type(window->txtVarNams, row.names);
        leave(*window, window->txtVarNams, row.how == Leave::Enter ? Leave::Enter : Leave::Tab);
        EXPECT_EQ(stage() + " " + hint(), std::string(WorkingStage) + " ");
        EXPECT_EQ(focus(), "txtEquation");
        EXPECT_EQ(computeClicks.count(), 0);
        Texts names, rows;
        for (const QString& name : row.names.split(','))
            names.push_back(name.toStdString()), rows.push_back(name.toStdString() + "=1");
        EXPECT_EQ(dim->VarNams, names);
        EXPECT_EQ(pointRows(), rows);
        compute(row.names.section(',', 0, 0), {});
        EXPECT_EQ(lines().size(), static_cast<std::size_t>(1 + 2 * row.order + row.order * (row.order - 1) / 2));
    }
}

// Another window taking the focus is no move of the user's: the entry is neither checked
// nor selected when the focus comes back. A click that activates the window is.
TEST_F(WindowTest, FocusThatAnotherWindowTakesAndGivesBackChecksNothing)
{
    QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
    type(window->txtOrder, "1");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(stage(), CountStage);
    clickThroughWindow(window->cmdCompute);
    EXPECT_EQ(stage(), NamesStage);
    EXPECT_EQ(window->focusWidget(), window->txtVarNams);
    EXPECT_EQ(computeClicks.count(), 0);
    EXPECT_FALSE(window->cmdCompute->isDown());

    type(window->txtVarNams, "x");
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.close();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_EQ(focus(), "txtVarNams");
    QTest::keyClicks(window->txtVarNams, "y");
    EXPECT_EQ(window->txtVarNams->text(), "xy");
    EXPECT_EQ(stage() + " " + hint(), std::string(NamesStage) + " ");
}

// A refused function keeps the focus, yet the menus stay usable; a user move selects text.
TEST_F(WindowTest, TheFunctionBoxHoldsTheFocusUntilItHasAFunctionAndAUserMoveSelectsText)
{
    enterProblem("2", "x,y");
    pressTab(window->txtEquation);
    click(window->cmdCompute);
    EXPECT_EQ(focus(), "txtEquation");
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->mnuHelp).center());
    EXPECT_TRUE(window->helpFile().endsWith("/slopekit.chm"));
    EXPECT_EQ(focus(), "txtEquation");
    type(window->txtEquation, "x*y");
    window->txtVarx[0]->setText("2.5");
    pressTab(window->txtEquation);
    EXPECT_EQ(focus(), "cboConstants");
    pressTab(window->cboConstants);
    ASSERT_EQ(focus(), "txtVarx(0)");
    EXPECT_EQ(window->txtVarx[0]->selectedText(), "2.5");
}

}  // namespace
}  // namespace slopekit
