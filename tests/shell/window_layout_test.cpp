#include "window_fixture.h"

#include <QFile>
#include <QMenuBar>
#include <QStatusBar>

#include <cmath>

namespace slopekit {
namespace {

using namespace testing;

struct ControlCase {
    const char* name;
    QRect pixels;  // twips / 15
    QString text;
    bool shown;
    QString toolTip;
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.name; }

QString textOf(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    if (auto* button = qobject_cast<const QPushButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

class FreshWindow : public WindowTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(FreshWindow, ShowsEveryControlAsLaidOut)
{
    const ControlCase& c = GetParam();
    auto* control = window->findChild<QWidget*>(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), c.pixels);
    EXPECT_EQ(textOf(control), c.text);
    EXPECT_EQ(control->isVisibleTo(window.get()), c.shown);
    EXPECT_EQ(control->toolTip(), c.toolTip);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FreshWindow,
    ::testing::Values(
        ControlCase{"lblOrder", {0, 0, 195, 19}, "Enter # of independent variables:", true, ""},
        ControlCase{"txtOrder", {194, 0, 22, 19}, "", true, ""},
        ControlCase{"lblVarNam", {0, 20, 395, 15},
                    "Enter the names of the independent variables, separated by commas:", true, ""},
        ControlCase{"txtVarNams", {0, 34, 633, 19}, "x,y,z,t", true, ""},
        ControlCase{"lblFunction", {0, 55, 89, 17}, "Enter function:", true, ""},
        ControlCase{"txtEquation", {0, 70, 633, 19}, "", true,
                    "Must be in terms of the variables defined above and constants defined below"},
        ControlCase{"fraConstants", {0, 91, 161, 65}, "User constants", true,
                    "Add or remove user-defined constants"},
        ControlCase{"cmdAddCons", {8, 18, 70, 18}, "Add", true, "Add (register) constant"},
        ControlCase{"cmdRemCons", {80, 18, 70, 18}, "Remove", true, "Remove selected constant"},
        ControlCase{"cboConstants", {8, 42, 145, 21}, "", true, "Example: a=2.37"},
        ControlCase{"fraEval", {0, 157, 229, 212}, "Evaluation Point", false,
                    "Enter values for each variable"},
        ControlCase{"lblVarx(0)", {0, 20, 101, 15}, "x=", false, ""},
        ControlCase{"txtVarx(0)", {100, 18, 127, 19}, "1", false, ""},
        ControlCase{"lblVarx(9)", {0, 182, 101, 15}, "x=", false, ""},
        ControlCase{"txtVarx(9)", {100, 180, 127, 19}, "1", false, ""},
        ControlCase{"lstDerVal", {229, 91, 403, 340}, "", true,
                    "1st and 2nd order partial derivatives"},
        ControlCase{"cmdCompute", {160, 380, 70, 19}, "Compute", true,
                    "Evaluate 1st and 2nd order partial derivatives"},
        ControlCase{"Label1", {102, 400, 128, 15}, "Slopekit:", true, ""}));

TEST_F(WindowTest, HasAFixedClientAreaAnIconAndTheFocusInTheCountBox)
{
    EXPECT_EQ(window->windowTitle(), "Slopekit");
    EXPECT_EQ(window->centralWidget()->size(), QSize(632, 434));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(QFile::exists(":/slopekit/slopekit.xpm"));
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(QApplication::focusWidget(), window->txtOrder);
    EXPECT_EQ(window->lstDerVal->count(), 0);
    EXPECT_EQ(window->cboConstants->count(), 0);
    EXPECT_EQ(dim.Step, 0.0003);  // the engine was set up on load
}

TEST_F(WindowTest, ColoursAndFontsFollowTheLayout)
{
    const auto base = [](QWidget* w) { return w->palette().color(QPalette::Base); };
    const auto face = [](QWidget* w) { return w->palette().color(QPalette::Button); };
    const auto back = [](QWidget* w) { return w->palette().color(QPalette::Window); };
    EXPECT_EQ(back(window->centralWidget()), QColor(192, 255, 255));
    EXPECT_EQ(base(window->txtOrder), QColor(192, 255, 192));
    EXPECT_EQ(base(window->txtVarx[3]), QColor(192, 255, 192));
    EXPECT_EQ(base(window->cboConstants), QColor(192, 255, 192));
    EXPECT_EQ(base(window->lstDerVal), QColor(255, 255, 192));
    EXPECT_EQ(face(window->cmdAddCons), QColor(0, 192, 192));
    EXPECT_EQ(face(window->cmdCompute), QColor(255, 192, 128));
    EXPECT_EQ(back(window->fraEval), QColor(192, 255, 255));
    EXPECT_EQ(back(window->lblOrder), QApplication::palette().color(QPalette::ToolTipBase));

    struct FontCase {
        QWidget* control;
        const char* family;
        bool bold;
    };
    for (const FontCase& f : {FontCase{window->lblOrder, "Liberation Sans", true},
                              FontCase{window->txtEquation, "DejaVu Sans", false},
                              FontCase{window->cboConstants, "DejaVu Sans", false},
                              FontCase{window->cmdRemCons, "Liberation Sans", false},
                              FontCase{window->lblVarx[0], "DejaVu Sans", true},
                              FontCase{window->txtVarx[0], "Liberation Sans", false},
                              FontCase{window->Label1, "DejaVu Sans", true}}) {
        EXPECT_EQ(f.control->font().family(), f.family) << f.control->objectName().toStdString();
        EXPECT_EQ(f.control->font().bold(), f.bold) << f.control->objectName().toStdString();
        EXPECT_EQ(f.control->font().pointSizeF(), 8.25) << f.control->objectName().toStdString();
    }
}

TEST_F(WindowTest, MenusStartWithOnlyOpenAndHelpOffered)
{
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    EXPECT_EQ(bar[0]->menu(), window->mnuFile);
    EXPECT_EQ(bar[0]->text(), "&File");
    EXPECT_EQ(bar[1], window->mnuPrint);
    EXPECT_EQ(bar[2]->menu(), window->mnuOptions);
    EXPECT_EQ(bar[2]->text(), "&Options");
    EXPECT_EQ(bar[3], window->mnuHelp);
    EXPECT_EQ(bar[4], window->mnuAbout);
    EXPECT_EQ(window->mnuOptions->actions(), QList<QAction*>{window->mnuRefined});
    EXPECT_EQ(window->mnuRefined->text(), "&Refined results");
    EXPECT_TRUE(window->mnuRefined->isCheckable());
    EXPECT_FALSE(window->mnuRefined->isChecked());

    const QList<QAction*> file = window->mnuFile->actions();
    ASSERT_EQ(file.size(), 5);
    EXPECT_EQ(file[0]->text(), "&Open");
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_EQ(file[2]->text(), "&Save");
    EXPECT_EQ(file[3]->text(), "Save &As");
    EXPECT_TRUE(file[4]->isSeparator());
    EXPECT_FALSE(window->mnuFile->separatorsCollapsible());

    EXPECT_TRUE(window->mnuOpen->isEnabled());
    EXPECT_FALSE(window->mnuSave->isEnabled());
    EXPECT_FALSE(window->mnuSaveAs->isEnabled());
    EXPECT_EQ(window->mnuPrint->text(), "&Print");
    EXPECT_FALSE(window->mnuPrint->isEnabled());
    EXPECT_EQ(window->mnuHelp->text(), "&Help");
    EXPECT_TRUE(window->mnuHelp->isEnabled());
    EXPECT_EQ(window->mnuAbout->text(), "&About");
    EXPECT_FALSE(window->mnuAbout->isVisible());
}

TEST_F(WindowTest, TabOrderRunsThroughTheEntriesThenTheButtons)
{
    std::vector<QWidget*> expected{window->txtOrder, window->txtVarNams, window->txtEquation,
                                   window->cboConstants};
    expected.insert(expected.end(), window->txtVarx.begin(), window->txtVarx.end());
    expected.insert(expected.end(), {window->cmdCompute, window->lstDerVal, window->cmdRemCons,
                                     window->cmdAddCons});
    std::vector<QWidget*> chain;
    QWidget* w = window->txtOrder;
    do {
        if (std::find(expected.begin(), expected.end(), w) != expected.end())
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != window->txtOrder);
    EXPECT_EQ(chain, expected);
}

TEST_F(WindowTest, EngineErrorEventShowsTheCriticalScriptControlBox)
{
    EXPECT_THROW(engine.ExecuteStatement("a = )"), RunError);
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_EQ(prompts.messageBoxes[0].title, "Error in Script Control");
    EXPECT_EQ(prompts.messageBoxes[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(prompts.messageBoxes[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompts.messageBoxes[0].text.find("At line 1"), std::string::npos);

    // Division by zero is left to the caller's one message.
    EXPECT_THROW(engine.ExecuteStatement("b = 1/0"), RunError);
    EXPECT_EQ(prompts.messageBoxes.size(), 1u);
}

double luminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Locked boxes look locked, yet their text stays readable.
TEST_F(WindowTest, LockedCountAndNamesBoxesStayReadable)
{
    enterProblem("1", "x");
    for (QLineEdit* box : {window->txtOrder, window->txtVarNams}) {
        ASSERT_FALSE(box->isEnabled());
        const QPalette& colours = box->palette();
        EXPECT_GE(contrast(colours.color(QPalette::Disabled, QPalette::Text),
                           colours.color(QPalette::Disabled, QPalette::Base)), 4.5);
        EXPECT_NE(colours.color(QPalette::Disabled, QPalette::Base), colours.color(QPalette::Active, QPalette::Base));
    }
}

// The buttons of the constants frame stand below its title and border line.
TEST_F(WindowTest, FrameButtonsStandInsideTheFrame)
{
    for (QWidget* button : {window->cmdAddCons, window->cmdRemCons})
        EXPECT_GE(button->geometry().top(), window->fraConstants->contentsRect().top());
    EXPECT_LT(window->cboConstants->geometry().bottom(), window->fraConstants->height() - 1);
}

struct KeyCase {
    const char* name;
    bool working;  // in the working stage, else in the count stage
    QKeySequence keys;
    int openDialogs;
    int saveDialogs;
    int printDialogs;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class MenuShortcut : public WindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MenuShortcut, ActsOnlyWhereItsItemIsEnabled)
{
    const KeyCase& c = GetParam();
    prompts.printAccepted = false;
    if (c.working)
        enterProblem("1", "x");
    QTest::keySequence(QApplication::focusWidget(), c.keys);
    EXPECT_EQ(prompts.openDialogs, c.openDialogs);
    EXPECT_EQ(prompts.saveDialogs, c.saveDialogs);
    EXPECT_EQ(prompts.printDialogs, c.printDialogs);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuShortcut,
    ::testing::Values(KeyCase{"ctrl_o_opens_at_start", false, QKeySequence("Ctrl+O"), 1, 0, 0},
                      KeyCase{"ctrl_s_is_off_at_start", false, QKeySequence("Ctrl+S"), 0, 0, 0},
                      KeyCase{"ctrl_p_is_off_at_start", false, QKeySequence("Ctrl+P"), 0, 0, 0},
                      KeyCase{"ctrl_o_is_off_once_working", true, QKeySequence("Ctrl+O"), 0, 0, 0},
                      KeyCase{"ctrl_s_saves_once_working", true, QKeySequence("Ctrl+S"), 0, 1, 0},
                      KeyCase{"ctrl_p_prints_once_working", true, QKeySequence("Ctrl+P"), 0, 0, 1}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, F1OpensTheHelpWindowOverTheMainWindow)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QWidget* help = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("slopekit::HelpWindow") && widget->isVisible())
            help = widget;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->frameGeometry().intersects(window->frameGeometry()));
    EXPECT_NE(help->frameGeometry().topLeft(), QPoint(0, 0));
    help->close();
}

struct ButtonKeyCase {
    const char* name;
    Qt::Key key;
};

void PrintTo(const ButtonKeyCase& c, std::ostream* os) { *os << c.name; }

class FocusedButton : public WindowTest, public ::testing::WithParamInterface<ButtonKeyCase> {};

// The focused Compute button shows a plain mark and answers Enter and Space.
TEST_P(FocusedButton, ShowsItsMarkAndIsClickedByTheKey)
{
    enterProblem("1", "x");
    type(window->txtEquation, "x^2");
    const auto darkPixels = [this] {
        const QImage image = window->cmdCompute->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 60;
        return dark;
    };
    const int unfocused = darkPixels();
    window->cmdCompute->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), window->cmdCompute);
    EXPECT_GE(darkPixels() - unfocused, 2 * (window->cmdCompute->width() + window->cmdCompute->height()));
    QTest::keyClick(window->cmdCompute, GetParam().key);
    EXPECT_EQ(window->lstDerVal->count(), 3);
}

INSTANTIATE_TEST_SUITE_P(Keys, FocusedButton,
                         ::testing::Values(ButtonKeyCase{"return", Qt::Key_Return},
                                           ButtonKeyCase{"keypad_enter", Qt::Key_Enter},
                                           ButtonKeyCase{"space", Qt::Key_Space}),
                         [](const ::testing::TestParamInfo<ButtonKeyCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace slopekit
