#include "window_fixture.h"

#include <QMenuBar>

namespace slopekit {
namespace {

using testing::WindowTest;

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
        ControlCase{"cmdAddCons", {8, 16, 70, 18}, "Add", true, "Add (register) constant"},
        ControlCase{"cmdRemCons", {80, 16, 70, 18}, "Remove", true, "Remove selected constant"},
        ControlCase{"cboConstants", {8, 40, 145, 21}, "", true, "Example: a=2.37"},
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
    EXPECT_FALSE(window->windowIcon().isNull());
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
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0]->menu(), window->mnuFile);
    EXPECT_EQ(bar[0]->text(), "File");
    EXPECT_EQ(bar[1], window->mnuPrint);
    EXPECT_EQ(bar[2], window->mnuHelp);
    EXPECT_EQ(bar[3], window->mnuAbout);

    const QList<QAction*> file = window->mnuFile->actions();
    ASSERT_EQ(file.size(), 5);
    EXPECT_EQ(file[0]->text(), "Open");
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_EQ(file[2]->text(), "Save");
    EXPECT_EQ(file[3]->text(), "Save As");
    EXPECT_TRUE(file[4]->isSeparator());
    EXPECT_FALSE(window->mnuFile->separatorsCollapsible());

    EXPECT_TRUE(window->mnuOpen->isEnabled());
    EXPECT_FALSE(window->mnuSave->isEnabled());
    EXPECT_FALSE(window->mnuSaveAs->isEnabled());
    EXPECT_EQ(window->mnuPrint->text(), "Print");
    EXPECT_FALSE(window->mnuPrint->isEnabled());
    EXPECT_EQ(window->mnuHelp->text(), "Help");
    EXPECT_TRUE(window->mnuHelp->isEnabled());
    EXPECT_EQ(window->mnuAbout->text(), "About");
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

}  // namespace
}  // namespace slopekit
