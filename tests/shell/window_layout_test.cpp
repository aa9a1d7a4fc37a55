#include "window_fixture.h"

#include <QMenuBar>
#include <QPointer>

#include <map>

namespace slopekit {
namespace {

using namespace testing;

// What a control shows: its text, a frame's title or a combo box's current text.
QString textOf(const QWidget* control)
{
    const QVariant text = control->property("text");
    return text.isValid() ? text.toString()
                          : control->property(control->inherits("QGroupBox") ? "title" : "currentText").toString();
}

TEST_F(WindowTest, AFreshWindowShowsEveryControlAsLaidOutWithOnlyOpenAndHelpOffered)
{
    struct Row { const char* name; QRect pixels /* twips / 15 */; QString text; bool shown; QString toolTip; };
    const Row rows[] = {
        {"lblOrder", {0, 0, 195, 19}, "Enter # of independent variables:", true, ""},
        {"txtOrder", {194, 0, 22, 19}, "", true, ""},
        {"lblVarNam", {0, 20, 395, 15}, "Enter the names of the independent variables, separated by commas:", true, ""},
        {"txtVarNams", {0, 34, 633, 19}, "x,y,z,t", true, ""},
        {"lblFunction", {0, 55, 89, 17}, "Enter function:", true, ""},
        {"txtEquation", {0, 70, 633, 19}, "", true,
         "Must be in terms of the variables defined above and constants defined below"},
        {"fraConstants", {0, 91, 161, 65}, "User constants", true, "Add or remove user-defined constants"},
        {"cmdAddCons", {8, 18, 70, 18}, "Add", true, "Add (register) constant"},
        {"cmdRemCons", {80, 18, 70, 18}, "Remove", true, "Remove selected constant"},
        {"cboConstants", {8, 42, 145, 21}, "", true, "Example: a=2.37"},
        {"fraEval", {0, 157, 229, 212}, "Evaluation Point", false, "Enter values for each variable"},
        {"lblVarx(0)", {0, 20, 101, 15}, "x=", false, ""},
        {"txtVarx(0)", {100, 18, 127, 19}, "1", false, ""},
        {"lblVarx(9)", {0, 182, 101, 15}, "x=", false, ""},
        {"txtVarx(9)", {100, 180, 127, 19}, "1", false, ""},
        {"lstDerVal", {229, 91, 403, 340}, "", true, "1st and 2nd order partial derivatives"},
        {"cmdCompute", {160, 380, 70, 19}, "Compute", true, "Evaluate 1st and 2nd order partial derivatives"},
        {"Label1", {102, 400, 128, 15}, "Slopekit:", true, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto* control = window->findChild<QWidget*>(row.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), row.pixels);
        EXPECT_EQ(textOf(control), row.text);
        EXPECT_EQ(control->isVisibleTo(window), row.shown);
        EXPECT_EQ(control->toolTip(), row.toolTip);
    }
    // The buttons of the constants frame stand below its title and border line.
    for (QWidget* button : {window->cmdAddCons, window->cmdRemCons})
        EXPECT_GE(button->geometry().top(), window->fraConstants->contentsRect().top());
    EXPECT_LT(window->cboConstants->geometry().bottom(), window->fraConstants->height() - 1);

    // The least client area at first, an icon, the focus in the count box and only Open and Help offered.
    EXPECT_EQ(window->windowTitle(), "Slopekit");
    EXPECT_EQ(window->centralWidget()->size(), QSize(632, 434));
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(focus(), "txtOrder");
    EXPECT_EQ(menuText(window->menuBar()->actions()),
              "&File{&Open - (off)&Save (off)Save &As - E&xit} (off)&Print &Options{[x]&Classic results [ ]&Refined results [ ]&Exact results} &Help "
              "(hidden)&About");
    EXPECT_FALSE(window->mnuFile->separatorsCollapsible());

    // The tab order runs through the entries, then the buttons.
    std::vector<QWidget*> expected{window->txtOrder, window->txtVarNams, window->txtEquation, window->cboConstants};
    expected.insert(expected.end(), window->txtVarx.begin(), window->txtVarx.end());
    expected.insert(expected.end(), {window->cmdCompute, window->lstDerVal, window->cmdRemCons, window->cmdAddCons});
    std::vector<QWidget*> chain;
    QWidget* w = window->txtOrder;
    do {
        if (std::find(expected.begin(), expected.end(), w) != expected.end())
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != window->txtOrder);
    EXPECT_EQ(chain, expected);

    // Colours and fonts.
    const std::tuple<QWidget*, QPalette::ColorRole, QColor> colours[] = {
        {window->centralWidget(), QPalette::Window, {192, 255, 255}},
        {window->fraEval, QPalette::Window, {192, 255, 255}},
        {window->txtOrder, QPalette::Base, {192, 255, 192}},
        {window->txtVarx[3], QPalette::Base, {192, 255, 192}},
        {window->cboConstants, QPalette::Base, {192, 255, 192}},
        {window->lstDerVal, QPalette::Base, {255, 255, 192}},
        {window->cmdAddCons, QPalette::Button, {0, 192, 192}},
        {window->cmdCompute, QPalette::Button, {255, 192, 128}}};
    for (const auto& [control, role, colour] : colours)
        EXPECT_EQ(control->palette().color(role), colour) << control->objectName().toStdString();
    EXPECT_EQ(window->lblOrder->parentWidget()->grab(window->lblOrder->geometry()).toImage().pixel(1, 1),
              QApplication::palette().color(QPalette::ToolTipBase).rgb());  // a label's ground, drawn

    const std::tuple<QWidget*, const char*, bool> fonts[] = {
        {window->lblOrder, "Liberation Sans", true},  {window->txtEquation, "DejaVu Sans", false},
        {window->cboConstants, "DejaVu Sans", false}, {window->cmdRemCons, "Liberation Sans", false},
        {window->lblVarx[0], "DejaVu Sans", true},    {window->txtVarx[0], "Liberation Sans", false},
        {window->Label1, "DejaVu Sans", true},        {window->fraEval, "Liberation Sans", true}};
    for (const auto& [control, family, bold] : fonts)
        EXPECT_EQ(std::tuple(control->font().family(), control->font().bold(), control->font().pointSizeF()),
                  std::tuple(QString(family), bold, 8.25))
            << control->objectName().toStdString();
}

// Locked boxes look locked, yet their text stays readable: a contrast above 5:1.
TEST_F(WindowTest, LockedCountAndNamesBoxesStayReadable)
{
    enterProblem("1", "x");
    for (QLineEdit* box : {window->txtOrder, window->txtVarNams}) {
        ASSERT_FALSE(box->isEnabled());
        EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Text), QColor(85, 85, 85));
        EXPECT_EQ(box->palette().color(QPalette::Disabled, QPalette::Base), QColor(215, 225, 215));
    }
}

// A menu shortcut acts only where its item is enabled: Open at the start, Save and Print once
// the problem is entered. The focused Compute button shows a plain mark and answers Enter
// and Space.
TEST_F(WindowTest, KeysActOnlyWhereTheirItemIsEnabledAndTheFocusedComputeButtonAnswersItsKeys)
{
    const auto pressAll = [this] {
        for (const char* keys : {"Ctrl+O", "Ctrl+S", "Ctrl+P"})
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        return std::vector<int>{prompts->openDialogs, prompts->saveDialogs, prompts->printDialogs};
    };
    const auto darkPixels = [this] {
        const QImage image = window->cmdCompute->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 60;
        return dark;
    };
    prompts->printAccepted = false;
    EXPECT_EQ(pressAll(), (std::vector<int>{1, 0, 0}));
    enterProblem("1", "x");
    EXPECT_EQ(pressAll(), (std::vector<int>{1, 1, 1}));

    type(window->txtEquation, "x^2");
    const int unfocused = darkPixels();
    window->cmdCompute->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(focus(), "cmdCompute");
    EXPECT_GE(darkPixels() - unfocused, 2 * (window->cmdCompute->width() + window->cmdCompute->height()));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        window->lstDerVal->clear();  // only the key can fill it again
        QTest::keyClick(window->cmdCompute, key);
        EXPECT_EQ(lines().size(), 3u) << key;
    }
}

// The view chosen in one run is that of the next; one choice of three at a time.
TEST_F(WindowTest, TheChosenViewIsRememberedBetweenRuns)
{
    struct Row {
        const char* name;
        QAction* frmSlopekit::*view;
        const char* options;
    };
    const Row rows[] = {
        {"exact", &frmSlopekit::mnuExact, "[ ]&Classic results [ ]&Refined results [x]&Exact results"},
        {"refined", &frmSlopekit::mnuRefined, "[ ]&Classic results [x]&Refined results [ ]&Exact results"},
        {"classic", &frmSlopekit::mnuClassic, "[x]&Classic results [ ]&Refined results [ ]&Exact results"},
    };
    for (const Row& row : rows) {
        (window->*row.view)->trigger();
        restart();
        EXPECT_EQ(menuText(window->mnuOptions->actions()), row.options) << row.name;
    }
}

// A larger window gives its extra room to the names and function boxes (wider) and the
// results list (wider and taller); every other control keeps its place and size.
TEST_F(WindowTest, ExtraRoomGoesToTheNamesAndFunctionBoxesAndTheResultsList)
{
    enterProblem("2", "x,y");
    std::map<std::string, QRect> before;
    for (QWidget* control : window->centralWidget()->findChildren<QWidget*>())
        if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
            before[control->objectName().toStdString()] = control->geometry();
    window->resize(window->size() + QSize(200, 150));
    ASSERT_EQ(window->centralWidget()->size(), QSize(832, 584));
    const std::map<std::string, QSize> grown = {
        {"txtVarNams", {200, 0}}, {"txtEquation", {200, 0}}, {"lstDerVal", {200, 150}}};
    for (const auto& [name, was] : before) {
        const QRect now = window->centralWidget()->findChild<QWidget*>(QString::fromStdString(name))->geometry();
        const QSize growth = grown.contains(name) ? grown.at(name) : QSize(0, 0);
        EXPECT_EQ(now, QRect(was.topLeft(), was.size() + growth)) << name;
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

// F5, Ctrl+Return and Ctrl+Enter compute from the function box, as a click on Compute does;
// in the count stage, where a click on Compute does nothing, so do they.
TEST_F(WindowTest, ComputeKeysActFromAnyBoxAsAClickOnComputeDoes)
{
    const QKeySequence keys[] = {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
                                 QKeySequence(Qt::CTRL | Qt::Key_Enter)};
    for (const QKeySequence& key : keys)
        QTest::keySequence(window->txtOrder, key);
    EXPECT_EQ(focus(), "txtOrder");
    EXPECT_EQ(lines(), Texts{});
    enterProblem("1", "x");
    for (const QKeySequence& key : keys) {
        type(window->txtEquation, "x^2");  // an edit clears the list
        QTest::keySequence(window->txtEquation, key);
        EXPECT_EQ(lines().size(), 3u) << key.toString().toStdString();
    }
}

// Escape closes the About box, a plot and the analysis.
TEST_F(WindowTest, EscapeClosesTheAboutBoxAPlotAndTheAnalysis)
{
    enterProblem("1", "x");
    compute("x^2", {"1"});
    window->updateResultsMenu();
    const std::pair<const char*, std::function<void()>> rows[] = {
        {"about", [this] { window->mnuAbout->trigger(); }},
        {"plot", [this] { window->mnuPlot[0]->trigger(); }},
        {"analysis", [this] { window->mnuAnalyse->trigger(); }},
    };
    for (const auto& [name, open] : rows) {
        open();
        QPointer<QWidget> shownWindow;  // it deletes itself once closed
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window && w->isVisible() && w->parentWidget() == window)
                shownWindow = w;
        ASSERT_NE(shownWindow, nullptr) << name;
        shownWindow->activateWindow();  // as the window manager does with a new window
        ASSERT_TRUE(QTest::qWaitForWindowActive(shownWindow)) << name;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(shownWindow, &escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(!shownWindow || !shownWindow->isVisible()) << name;
    }
}

// Shift+F10 in the results list opens its menu, as a right click does.
TEST_F(WindowTest, ShiftF10OpensTheResultsListsMenu)
{
    enterProblem("1", "x");
    compute("x^2", {"1"});
    window->lstDerVal->setFocus();
    QTest::keyClick(window->lstDerVal, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(window->mnuResults->isVisible());
    window->mnuResults->hide();
}

// File > Exit, or Ctrl+Q, closes the window.
TEST_F(WindowTest, CtrlQExitsThroughTheFileMenu)
{
    EXPECT_EQ(window->mnuExit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QTest::keySequence(window->txtOrder, QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_FALSE(window->isVisible());
}

// A constant refused for its name says why in the status area; the text stays to be corrected.
TEST_F(WindowTest, AConstantRefusedForItsNameSaysWhy)
{
    enterProblem("1", "x");
    type(window->txtEquation, "x");
    addConstant("IErr=2");
    EXPECT_EQ(hint(), "\"IErr\" cannot be a name: the expression language uses it.");
    EXPECT_EQ(window->cboConstants->currentText(), "IErr=2");
    window->cboConstants->setEditText("a=2");
    click(window->cmdAddCons);
    EXPECT_EQ(hint(), "");
}

}  // namespace
}  // namespace slopekit
