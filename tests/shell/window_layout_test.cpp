#include "window_fixture.h"

#include <QPointer>

#include <functional>

namespace slopekit {
namespace {

using namespace testing;

// A control's place in the window's client area.
QRect placeOf(const frmSlopekit& window, const QWidget* control)
{
    return {control->mapTo(window.centralWidget(), QPoint(0, 0)), control->size()};
}

// At the smallest window, with one or with ten variables, every control is inside what
// holds it, clear of its neighbours, and shows its whole caption.
TEST_F(WindowTest, EveryControlFitsTheLeastWindow)
{
    // clang-format off
    struct Row { const char* name; QString count, names; };
    const Row rows[] = {
        {.name = "fresh", .count = "", .names = ""},
        {.name = "one variable", .count = "1", .names = "x"},
        {.name = "ten variables", .count = "10", .names = "a1,a2,a3,a4,a5,a6,a7,a8,a9,a10"},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        if (!row.count.isEmpty())
            enterProblem(row.count, row.names);
        ASSERT_EQ(window->size(), window->minimumSize()) << row.name;
        EXPECT_EQ(overlaps(window->centralWidget()), Texts{}) << row.name;
        EXPECT_EQ(cutCaptions(window->centralWidget()), Texts{}) << row.name;
    }
}

// Top to bottom and left to right, as the user reads and fills them.
TEST_F(WindowTest, TheControlsStandInTheOrderTheyAreFilled)
{
    enterProblem("2", "x,y");
    const frmSlopekit& w = *window;
    enum class Side { Above, LeftOf };
    // clang-format off
    struct Row { const char* name; QWidget* first; Side side; QWidget* second; };
    const Row rows[] = {
        {.name = "count caption before its box", .first = w.lblOrder, .side = Side::LeftOf, .second = w.txtOrder},
        {.name = "count above the names caption", .first = w.txtOrder, .side = Side::Above, .second = w.lblVarNam},
        {.name = "names caption above its box", .first = w.lblVarNam, .side = Side::Above, .second = w.txtVarNams},
        {.name = "names above the function caption", .first = w.txtVarNams, .side = Side::Above, .second = w.lblFunction},
        {.name = "function caption above its box", .first = w.lblFunction, .side = Side::Above, .second = w.txtEquation},
        {.name = "function above the constants", .first = w.txtEquation, .side = Side::Above, .second = w.fraConstants},
        {.name = "function above the results", .first = w.txtEquation, .side = Side::Above, .second = w.lstDerVal},
        {.name = "Add before Remove", .first = w.cmdAddCons, .side = Side::LeftOf, .second = w.cmdRemCons},
        {.name = "buttons above the constants box", .first = w.cmdRemCons, .side = Side::Above, .second = w.cboConstants},
        {.name = "constants above the point", .first = w.fraConstants, .side = Side::Above, .second = w.fraEval},
        {.name = "point caption before its box", .first = w.lblVarx[1], .side = Side::LeftOf, .second = w.txtVarx[1]},
        {.name = "first point box above the second", .first = w.txtVarx[0], .side = Side::Above, .second = w.txtVarx[1]},
        {.name = "point above Compute", .first = w.fraEval, .side = Side::Above, .second = w.cmdCompute},
        {.name = "Compute above the product name", .first = w.cmdCompute, .side = Side::Above, .second = w.Label1},
        {.name = "point before the results", .first = w.fraEval, .side = Side::LeftOf, .second = w.lstDerVal},
        {.name = "constants before the results", .first = w.fraConstants, .side = Side::LeftOf, .second = w.lstDerVal},
    };
    // clang-format on
    for (const Row& row : rows) {
        const QRect first = placeOf(w, row.first), second = placeOf(w, row.second);
        if (row.side == Side::Above)
            EXPECT_LT(first.center().y(), second.top()) << row.name;
        else
            EXPECT_LT(first.center().x(), second.left()) << row.name;
    }
}

TEST_F(WindowTest, EachStageOffersItsOwnMenus)
{
    // clang-format off
    struct Row { const char* name; QString count = {}, names = {}; bool open, save, print, about; };
    const Row rows[] = {
        {.name = "count stage", .open = true, .save = false, .print = false, .about = false},
        {.name = "names stage", .count = "1", .open = false, .save = false, .print = false, .about = false},
        {.name = "working stage", .count = "1", .names = "x", .open = false, .save = true, .print = true, .about = true},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        if (!row.count.isEmpty()) {
            type(window->txtOrder, row.count);
            pressTab(window->txtOrder);
        }
        if (!row.names.isEmpty()) {
            type(window->txtVarNams, row.names);
            pressTab(window->txtVarNams);
        }
        EXPECT_EQ(window->mnuOpen->isEnabled(), row.open) << row.name << ": Open";
        EXPECT_EQ(window->mnuSave->isEnabled(), row.save) << row.name << ": Save";
        EXPECT_EQ(window->mnuSaveAs->isEnabled(), row.save) << row.name << ": Save As";
        EXPECT_EQ(window->mnuPrint->isEnabled(), row.print) << row.name << ": Print";
        EXPECT_EQ(window->mnuAbout->isVisible(), row.about) << row.name << ": About";
        EXPECT_EQ(window->fraEval->isVisible(), row.about) << row.name << ": the point";
    }
}

// F5, Ctrl+Return and Ctrl+Enter compute from the function box, as a click on Compute does;
// in the count stage, where a click on Compute does nothing, so do they.
TEST_F(WindowTest, ComputeKeysActFromAnyBoxAsAClickOnComputeDoes)
{
    // clang-format off
    struct Row { const char* name; QKeySequence keys; bool working; std::size_t lines; };
    const Row rows[] = {
        {.name = "F5 at the start", .keys = QKeySequence(Qt::Key_F5), .working = false, .lines = 0},
        {.name = "F5", .keys = QKeySequence(Qt::Key_F5), .working = true, .lines = 3},
        {.name = "Ctrl+Return", .keys = QKeySequence(Qt::CTRL | Qt::Key_Return), .working = true, .lines = 3},
        {.name = "Ctrl+Enter", .keys = QKeySequence(Qt::CTRL | Qt::Key_Enter), .working = true, .lines = 3},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        if (row.working)
            enterProblem("1", "x");
        type(window->txtEquation, "x^2");
        QTest::keySequence(QApplication::focusWidget(), row.keys);
        EXPECT_EQ(lines().size(), row.lines) << row.name;
    }
}

// The focused Compute button shows a plain mark round it.
TEST_F(WindowTest, TheFocusedComputeButtonIsMarked)
{
    const auto darkPixels = [this] {
        const QImage image = window->cmdCompute->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 60;
        return dark;
    };
    enterProblem("1", "x");
    type(window->txtEquation, "x^2");
    const int unfocused = darkPixels();
    window->cmdCompute->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(focus(), "cmdCompute");
    EXPECT_GE(darkPixels() - unfocused, 2 * (window->cmdCompute->width() + window->cmdCompute->height()));
}

// The view chosen in one run is that of the next.
TEST_F(WindowTest, TheChosenViewIsRememberedBetweenRuns)
{
    for (QAction* frmSlopekit::*view : {&frmSlopekit::mnuExact, &frmSlopekit::mnuRefined, &frmSlopekit::mnuClassic}) {
        const std::string name = (window->*view)->text().toStdString();
        (window->*view)->trigger();
        restart();
        EXPECT_TRUE((window->*view)->isChecked()) << name;
    }
}

// The extra room goes to the names and function boxes (wider) and the results list (wider
// and taller); every other control keeps its place and size.
TEST_F(WindowTest, ALargerWindowGrowsOnlyTheLongBoxesAndTheList)
{
    enterProblem("2", "x,y");
    std::vector<QWidget*> controls;
    std::vector<QRect> before;
    for (QWidget* control : window->centralWidget()->findChildren<QWidget*>())
        if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_")) {
            controls.push_back(control);
            before.push_back(control->geometry());
        }
    window->resize(window->size() + QSize(200, 150));
    for (std::size_t k = 0; k < controls.size(); ++k) {
        QWidget* control = controls[k];
        const bool wider =
            control == window->txtVarNams || control == window->txtEquation || control == window->lstDerVal;
        const QSize growth(wider ? 200 : 0, control == window->lstDerVal ? 150 : 0);
        EXPECT_EQ(control->geometry(), QRect(before[k].topLeft(), before[k].size() + growth)) << nameOf(control);
    }
}

// The window's size is that of the last run, never below the least one.
TEST_F(WindowTest, TheWindowsSizeIsRememberedBetweenRuns)
{
    const QSize least = window->size();
    window->resize(least + QSize(100, 50));
    window->close();
    restart();
    EXPECT_EQ(window->size(), least + QSize(100, 50));
    window->resize(least - QSize(100, 50));  // held to the least
    window->close();
    restart();
    EXPECT_EQ(window->size(), least);
}

TEST_F(WindowTest, EscapeClosesTheWindowsTheMainWindowOpens)
{
    enterProblem("1", "x");
    compute("x^2", {"1"});
    window->updateResultsMenu();
    // clang-format off
    struct Row { const char* name; QAction* item; };
    const Row rows[] = {
        {.name = "about", .item = window->mnuAbout},
        {.name = "plot", .item = window->mnuPlot[0]},
        {.name = "analysis", .item = window->mnuAnalyse},
    };
    // clang-format on
    for (const Row& row : rows) {
        row.item->trigger();
        QPointer<QWidget> opened;  // it deletes itself once closed
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window && w->isVisible() && w->parentWidget() == window)
                opened = w;
        ASSERT_NE(opened, nullptr) << row.name;
        opened->activateWindow();  // as the window manager does with a new window
        ASSERT_TRUE(QTest::qWaitForWindowActive(opened)) << row.name;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(opened, &escape);
        QCoreApplication::processEvents();
        const bool stillShown = opened && opened->isVisible();
        EXPECT_FALSE(stillShown) << row.name;
    }
}

}  // namespace
}  // namespace slopekit
