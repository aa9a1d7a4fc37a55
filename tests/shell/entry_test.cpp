#include "window_fixture.h"

#include <QStatusBar>

#include <QMenuBar>
#include <QSignalSpy>

namespace slopekit {
namespace {

using namespace testing;

// How the user tries to leave a box: a click comes either through the window, as the
// windowing system delivers it, or straight to the button.
enum class Leave { Tab, ClickThroughWindow, ClickOnButton };

void leave(QWidget* box, Leave how, frmSlopekit& window)
{
    switch (how) {
    case Leave::Tab: QTest::keyClick(box, Qt::Key_Tab); break;
    case Leave::ClickThroughWindow: testing::clickThroughWindow(window.cmdCompute); break;
    case Leave::ClickOnButton: QTest::mouseClick(window.cmdCompute, Qt::LeftButton); break;
    }
}

std::string leaveName(Leave how)
{
    switch (how) {
    case Leave::Tab: return "_tab";
    case Leave::ClickThroughWindow: return "_click_window";
    case Leave::ClickOnButton: return "_click_button";
    }
    return {};
}

struct RefusedCount {
    const char* name;
    QString text;
};

void PrintTo(const RefusedCount& c, std::ostream* os) { *os << c.name; }

class CountRefused : public WindowTest,
                     public ::testing::WithParamInterface<std::tuple<RefusedCount, Leave>> {};

TEST_P(CountRefused, KeepsTheFocusAndTheClickedButtonDoesNothing)
{
    const auto& [count, how] = GetParam();
    QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
    type(window->txtOrder, count.text);
    leave(window->txtOrder, how, *window);

    EXPECT_EQ(QApplication::focusWidget(), window->txtOrder);
    EXPECT_EQ(computeClicks.count(), 0);
    EXPECT_EQ(dim.Order, 0);
    EXPECT_TRUE(window->txtOrder->isEnabled());
    EXPECT_TRUE(window->mnuOpen->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CountRefused,
    ::testing::Combine(
        ::testing::Values(RefusedCount{"zero", "0"}, RefusedCount{"negative", "-2"},
                          RefusedCount{"letters", "abc"}, RefusedCount{"empty", ""},
                          RefusedCount{"eleven", "11"}, RefusedCount{"above_ten", "10.4"},
                          RefusedCount{"rounds_to_none", "0.5"}),
        ::testing::Values(Leave::Tab, Leave::ClickThroughWindow, Leave::ClickOnButton)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + leaveName(std::get<1>(info.param));
    });

struct AcceptedCount {
    const char* name;
    QString text;
    int order;
};

void PrintTo(const AcceptedCount& c, std::ostream* os) { *os << c.name; }

class CountAccepted : public WindowTest, public ::testing::WithParamInterface<AcceptedCount> {};

TEST_P(CountAccepted, MovesToTheNamesStage)
{
    type(window->txtOrder, GetParam().text);
    pressTab(window->txtOrder);

    EXPECT_EQ(dim.Order, GetParam().order);
    EXPECT_EQ(dim.LastVar, GetParam().order - 1);
    EXPECT_EQ(dim.Varx.size(), static_cast<std::size_t>(GetParam().order));
    EXPECT_FALSE(window->txtOrder->isEnabled());
    EXPECT_FALSE(window->mnuOpen->isEnabled());
    EXPECT_FALSE(window->mnuSave->isEnabled());
    EXPECT_FALSE(window->mnuAbout->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window->txtVarNams);
    EXPECT_EQ(window->txtVarNams->selectedText(), "x,y,z,t");
}

INSTANTIATE_TEST_SUITE_P(Texts, CountAccepted,
                         ::testing::Values(AcceptedCount{"three", "3", 3},
                                           AcceptedCount{"ten", "10", 10},
                                           AcceptedCount{"half_to_even_down", "2.5", 2},
                                           AcceptedCount{"half_to_even_up", "3.5", 4},
                                           AcceptedCount{"trailing_words", "4 apples", 4},
                                           AcceptedCount{"comma_ends_number", "1,5", 1},
                                           AcceptedCount{"inner_blank", "1 0", 10},
                                           AcceptedCount{"hex", "&HA", 10}));

TEST_F(WindowTest, AcceptedCountByClickOnComputeGoesToTheNamesBoxWithoutComputing)
{
    QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
    type(window->txtOrder, "2");
    click(window->cmdCompute);

    EXPECT_EQ(dim.Order, 2);
    EXPECT_EQ(QApplication::focusWidget(), window->txtVarNams);
    EXPECT_EQ(computeClicks.count(), 0);
}

struct RefusedNames {
    const char* name;
    QString count;
    QString names;
};

void PrintTo(const RefusedNames& c, std::ostream* os) { *os << c.name; }

class NamesRefused : public WindowTest,
                     public ::testing::WithParamInterface<std::tuple<RefusedNames, Leave>> {};

TEST_P(NamesRefused, KeepsTheFocusInTheNamesBox)
{
    const auto& [names, how] = GetParam();
    QSignalSpy computeClicks(window->cmdCompute, &QPushButton::clicked);
    type(window->txtOrder, names.count);
    pressTab(window->txtOrder);
    type(window->txtVarNams, names.names);
    leave(window->txtVarNams, how, *window);

    EXPECT_EQ(QApplication::focusWidget(), window->txtVarNams);
    EXPECT_EQ(computeClicks.count(), 0);
    EXPECT_TRUE(window->txtVarNams->isEnabled());
    EXPECT_FALSE(window->fraEval->isVisible());
    EXPECT_FALSE(window->mnuSave->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NamesRefused,
    ::testing::Combine(::testing::Values(RefusedNames{"four_names_for_three", "3", "x,y,z,t"},
                                         RefusedNames{"empty_part", "3", "x,,z"},
                                         RefusedNames{"empty_last_part", "3", "x,y,"},
                                         RefusedNames{"no_names", "1", ""},
                                         RefusedNames{"same_name_in_other_case", "2", "x,X"},
                                         RefusedNames{"function_name", "2", "Sin,y"}),
                       ::testing::Values(Leave::Tab, Leave::ClickThroughWindow, Leave::ClickOnButton)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + leaveName(std::get<1>(info.param));
    });

struct AcceptedNames {
    const char* name;
    QString count;
    QString names;
    QStringList labels;
};

void PrintTo(const AcceptedNames& c, std::ostream* os) { *os << c.name; }

class NamesAccepted : public WindowTest, public ::testing::WithParamInterface<AcceptedNames> {};

TEST_P(NamesAccepted, OpensTheWorkingStageWithOnePointRowPerVariable)
{
    const AcceptedNames& c = GetParam();
    enterProblem(c.count, c.names);

    EXPECT_FALSE(window->txtVarNams->isEnabled());
    EXPECT_TRUE(window->mnuSave->isEnabled());
    EXPECT_TRUE(window->mnuSaveAs->isEnabled());
    EXPECT_TRUE(window->mnuPrint->isEnabled());
    EXPECT_TRUE(window->mnuAbout->isVisible());
    EXPECT_TRUE(window->fraEval->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window->txtEquation);  // next in the tab order
    const int n = static_cast<int>(c.labels.size());
    for (int k = 0; k < frmSlopekit::PointBoxes; ++k) {
        EXPECT_EQ(window->lblVarx[k]->isVisible(), k < n) << k;
        EXPECT_EQ(window->txtVarx[k]->isVisible(), k < n) << k;
        if (k < n) {
            EXPECT_EQ(window->lblVarx[k]->text(), c.labels[k]);
            EXPECT_EQ(window->txtVarx[k]->text(), "1");
            EXPECT_EQ(QString::fromStdString(dim.VarNams[k]) + "=", c.labels[k]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NamesAccepted,
    ::testing::Values(
        AcceptedNames{"starting_names", "4", "x,y,z,t", {"x=", "y=", "z=", "t="}},
        AcceptedNames{"one", "1", "u", {"u="}},
        AcceptedNames{"ten", "10", "a,b,c,d,e,f,g,h,i,j",
                      {"a=", "b=", "c=", "d=", "e=", "f=", "g=", "h=", "i=", "j="}}));

TEST_F(WindowTest, EmptyFunctionKeepsTheFocusAnyOtherMovesOn)
{
    enterProblem("2", "x,y");
    ASSERT_EQ(QApplication::focusWidget(), window->txtEquation);
    pressTab(window->txtEquation);
    EXPECT_EQ(QApplication::focusWidget(), window->txtEquation);
    click(window->cmdCompute);
    EXPECT_EQ(QApplication::focusWidget(), window->txtEquation);

    type(window->txtEquation, "x^2*y");
    pressTab(window->txtEquation);
    EXPECT_EQ(QApplication::focusWidget(), window->cboConstants);
}

TEST_F(WindowTest, PointBoxGetsItsWholeTextSelected)
{
    enterProblem("2", "x,y");
    type(window->txtEquation, "x*y");
    window->txtVarx[0]->setText("2.5");
    window->txtVarx[0]->deselect();
    QTest::keyClick(window->txtEquation, Qt::Key_Tab);
    QTest::keyClick(window->cboConstants, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window->txtVarx[0]);
    EXPECT_EQ(window->txtVarx[0]->selectedText(), "2.5");
}

TEST_F(WindowTest, FocusGivenBackByAnotherWindowSelectsNothing)
{
    enterProblem("2", "x,y");
    type(window->txtEquation, "x*y");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.close();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_EQ(QApplication::focusWidget(), window->txtEquation);
    QTest::keyClicks(window->txtEquation, "+1");
    EXPECT_EQ(window->txtEquation->text(), "x*y+1");
}

TEST_F(WindowTest, MenusStayUsableWhileAnEntryIsRefused)
{
    type(window->txtOrder, "abc");
    pressTab(window->txtOrder);
    ASSERT_EQ(QApplication::focusWidget(), window->txtOrder);

    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->mnuHelp).center());
    EXPECT_TRUE(window->helpFile().endsWith("/slopekit.chm"));
    EXPECT_EQ(QApplication::focusWidget(), window->txtOrder);
}

TEST_F(WindowTest, ChangingTheFunctionEmptiesTheResultsExceptWhileLoading)
{
    enterProblem("1", "x");
    window->lstDerVal->addItem("Function = 1");
    dim.ResultsShown = true;
    dim.Loading = true;
    QTest::keyClicks(window->txtEquation, "x");
    EXPECT_EQ(window->lstDerVal->count(), 1);
    EXPECT_TRUE(dim.ResultsShown);

    dim.Loading = false;
    QTest::keyClicks(window->txtEquation, "+1");
    EXPECT_EQ(window->lstDerVal->count(), 0);
    EXPECT_FALSE(dim.ResultsShown);
}

struct EnterCase {
    const char* name;
    QString count;
    QString names;  // typed after the count, if any
    const char* focus;
    const char* hint;
};

void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }

class EnterInEntry : public WindowTest, public ::testing::WithParamInterface<EnterCase> {};

// Enter moves on as Tab does; a refused entry keeps the focus and says what it needs.
TEST_P(EnterInEntry, MovesOnAsTabOrHintsAtWhatIsNeeded)
{
    const EnterCase& c = GetParam();
    type(window->txtOrder, c.count);
    QTest::keyClick(window->txtOrder, Qt::Key_Return);
    if (!c.names.isNull()) {
        type(window->txtVarNams, c.names);
        QTest::keyClick(window->txtVarNams, Qt::Key_Enter);
    }
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.focus);
    EXPECT_EQ(window->statusBar()->currentMessage().toStdString(), c.hint);
    EXPECT_TRUE(prompts.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EnterInEntry,
    ::testing::Values(
        EnterCase{"count_refused", "11", QString(), "txtOrder", "Enter a whole number from 1 to 10."},
        EnterCase{"count_accepted", "3", QString(), "txtVarNams", ""},
        EnterCase{"names_refused", "3", "x,y", "txtVarNams",
                  "Enter 3 names separated by commas, none of them empty."},
        EnterCase{"one_name_refused", "1", "x,", "txtVarNams", "Enter one name."},
        EnterCase{"names_accepted", "2", "x,y", "txtEquation", ""}),
    [](const ::testing::TestParamInfo<EnterCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit
