#include "engine/user_constants.h"
#include "shell/computation_progress.h"
#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QCursor>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace slopekit {
namespace {

using namespace testing;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::StartsWith;

// The window in the working stage with the variables x and y and a function, so that
// the focus may leave the function box.
class ComputeTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        enterProblem("2", "x,y");
        type(window->txtEquation, "x*y");
    }

    void compute(const QString& function, const std::vector<QString>& point)
    {
        type(window->txtEquation, function);
        for (std::size_t k = 0; k < point.size(); ++k)
            type(window->txtVarx[k], point[k]);
        clickThroughWindow(window->cmdCompute);
    }

    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (int k = 0; k < window->lstDerVal->count(); ++k)
            out.push_back(window->lstDerVal->item(k)->text().toStdString());
        return out;
    }

    // The value of a list line, after its "= ".
    double value(int line) const
    {
        const QString text = window->lstDerVal->item(line)->text();
        return text.mid(text.indexOf("= ") + 2).toDouble();
    }

    void addConstant(const QString& text)
    {
        window->cboConstants->setEditText(text);
        click(window->cmdAddCons);
    }

    std::vector<std::string> constantItems() const
    {
        std::vector<std::string> out;
        for (int k = 0; k < window->cboConstants->count(); ++k)
            out.push_back(window->cboConstants->itemText(k).toStdString());
        return out;
    }
};

TEST_F(ComputeTest, XSquaredYAtOneTwo)
{
    compute("x^2*y", {"1", "2"});
    ASSERT_THAT(lines(), ElementsAre("Function = 2", StartsWith("Dx = "), StartsWith("Dy = "),
                                     StartsWith("Dxx = "), StartsWith("Dyy = "), StartsWith("Dxy = ")));
    EXPECT_NEAR(value(1), 4, 1e-9);
    EXPECT_NEAR(value(2), 1, 1e-9);
    EXPECT_NEAR(value(3), 4, 1e-7);
    EXPECT_NEAR(value(4), 0, 1e-7);
    EXPECT_NEAR(value(5), 2, 1e-7);
    EXPECT_TRUE(dim.ResultsShown);
    EXPECT_EQ(dim.Varx, (std::vector<double>{1, 2}));
    EXPECT_TRUE(prompts.messageBoxes.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The classic steps, 2.055 wide at x = 13700, are far too coarse for the sine.
TEST_F(ComputeTest, InaccurateResultsAreMarkedAndTheRefinedListShownOnRequest)
{
    compute("Sin(x)+y", {"13700", "1"});
    const std::vector<std::string> classic = lines();
    ASSERT_EQ(classic.size(), 6u);
    std::vector<bool> marked;
    for (int k = 0; k < 6; ++k)
        marked.push_back(!window->lstDerVal->item(k)->icon().isNull());
    EXPECT_THAT(marked, ElementsAre(false, true, false, true, false, false));
    EXPECT_THAT(window->lstDerVal->item(1)->toolTip().toStdString(),
                StartsWith("May be inaccurate. Refined value: -0.8844"));
    EXPECT_EQ(window->lblStatus->text(), "2 results may be inaccurate");

    window->mnuRefined->trigger();
    const std::vector<std::string> refined = lines();
    ASSERT_EQ(refined.size(), 6u);
    EXPECT_EQ(refined[0], classic[0]);
    EXPECT_THAT(refined[1], StartsWith("Dx = -0.8844"));
    EXPECT_THAT(refined[1], ::testing::HasSubstr(" ± "));
    EXPECT_EQ(window->lblStatus->text(), "");

    window->mnuRefined->trigger();
    EXPECT_EQ(lines(), classic);
    type(window->txtEquation, "x");
    EXPECT_EQ(window->lblStatus->text(), "");
}

TEST_F(ComputeTest, EditingTheFunctionOrTheConstantBoxClearsTheResults)
{
    compute("x*y", {"1", "2"});
    ASSERT_EQ(lines().size(), 6u);
    QTest::keyClicks(window->cboConstants->lineEdit(), "a");
    EXPECT_TRUE(lines().empty());
    EXPECT_FALSE(dim.ResultsShown);
    clickThroughWindow(window->cmdCompute);
    ASSERT_EQ(lines().size(), 6u);
    type(window->txtVarx[0], "3");  // a coordinate alone leaves the results
    EXPECT_EQ(lines().size(), 6u);
    QTest::keyClicks(window->txtEquation, "+1");
    EXPECT_TRUE(lines().empty());
}

TEST_F(ComputeTest, ChoosingAConstantFromTheListKeepsTheResults)
{
    addConstant("a=2");
    compute("x*y+a", {"1", "2"});
    ASSERT_EQ(lines().size(), 6u);
    window->cboConstants->lineEdit()->setFocus();
    QTest::keyClick(window->cboConstants->lineEdit(), Qt::Key_Down);
    ASSERT_EQ(window->cboConstants->currentText(), "a=2");
    EXPECT_EQ(lines().size(), 6u);
    EXPECT_TRUE(dim.ResultsShown);
}

struct FailureCase {
    const char* name;
    std::vector<QString> constants;
    QString function;
    std::vector<QString> point;
    const char* title;
    const char* text;
    std::vector<double> varxAfter;  // the point again, or untouched (0, 0) when never read
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ComputeFailure : public ComputeTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ComputeFailure, ShowsExactlyOneMessageAndAnEmptyList)
{
    const FailureCase& c = GetParam();
    for (const QString& constant : c.constants)
        addConstant(constant);
    compute(c.function, c.point);
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_EQ(prompts.messageBoxes[0].title, c.title);
    EXPECT_EQ(prompts.messageBoxes[0].text, c.text);
    EXPECT_EQ(prompts.messageBoxes[0].icon, PromptIcon::Critical);
    EXPECT_EQ(window->lstDerVal->count(), 0);
    EXPECT_FALSE(dim.ResultsShown);
    EXPECT_EQ(dim.Varx, c.varxAfter);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeFailure,
    ::testing::Values(
        FailureCase{"failure_at_a_displaced_point", {}, "Sqr(x)+y", {"0", "1"},
                    "Slopekit expression runtime error",
                    "Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r", {0, 1}},
        FailureCase{"engine_error_only_its_event_message", {}, "x+", {"1", "2"}, "Error in Script Control",
                    "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [x+]",
                    {1, 2}},
        FailureCase{"text_result_gets_the_computation_message", {}, "\"a\" & x", {"1", "2"}, "Slopekit",
                    "Slopekit 13\rType mismatch\r\r", {1, 2}},
        FailureCase{"unreadable_point_box", {}, "x*y", {"1", "abc"}, "Slopekit",
                    "The value \"abc\" given for y cannot be read as a number.", {0, 0}},
        FailureCase{"empty_point_box", {}, "x*y", {"", "1"}, "Slopekit",
                    "The value \"\" given for x cannot be read as a number.", {0, 0}},
        FailureCase{"text_after_the_number", {}, "x*y", {"1", "1,000"}, "Slopekit",
                    "The value \"1,000\" given for y cannot be read as a number.", {1, 1000}},
        FailureCase{"constant_rejected_by_the_engine", {"a="}, "x*y", {"1", "2"}, "Error in Script Control",
                    "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [a=]",
                    {0, 0}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ComputeTest, ComputeAfterAFailureStartsFromTheBoxes)
{
    compute("Sqr(x)*y", {"0", "1"});
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    compute("Sqr(x)*y", {"4", "1"});
    EXPECT_THAT(lines(), ::testing::Contains("Function = 2"));
    EXPECT_EQ(prompts.messageBoxes.size(), 1u);
}

enum class Press { AddButton, Enter };

struct ConstantCase {
    const char* name;
    std::vector<std::string> typed;
    Press press;
    std::vector<std::string> items;
    const char* editText;
};

void PrintTo(const ConstantCase& c, std::ostream* os) { *os << c.name; }

class ConstantRule : public ComputeTest, public ::testing::WithParamInterface<ConstantCase> {};

TEST_P(ConstantRule, KeepsListAndStoreTogether)
{
    const ConstantCase& c = GetParam();
    window->cboConstants->lineEdit()->setFocus();
    for (const std::string& text : c.typed) {
        window->cboConstants->setEditText(QString());
        QTest::keyClicks(window->cboConstants->lineEdit(), QString::fromStdString(text));
        if (c.press == Press::Enter)
            QTest::keyClick(window->cboConstants->lineEdit(), Qt::Key_Return);
        else
            click(window->cmdAddCons);
    }
    EXPECT_THAT(constantItems(), ElementsAreArray(c.items));
    EXPECT_EQ(std::vector<std::string>(dim.Cons.begin(), dim.Cons.begin() + dim.NumCons), c.items);
    EXPECT_EQ(window->cboConstants->currentText().toStdString(), c.editText);
    EXPECT_TRUE(prompts.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConstantRule,
    ::testing::Values(
        ConstantCase{"accepted", {"a=2.37"}, Press::AddButton, {"a=2.37"}, ""},
        ConstantCase{"enter_adds", {"k=9.81"}, Press::Enter, {"k=9.81"}, ""},
        ConstantCase{"refused_name_stays_in_the_box", {"a = 2"}, Press::AddButton, {}, "a = 2"},
        ConstantCase{"refused_by_enter", {"2a=1"}, Press::Enter, {}, "2a=1"},
        ConstantCase{"replaced_moves_to_the_end", {"a=2.37", "b=1", "a=3"}, Press::AddButton, {"b=1", "a=3"}, ""},
        ConstantCase{"other_case_replaces_as_typed", {"a=2", "b=1", "A=1"}, Press::AddButton, {"b=1", "A=1"}, ""},
        ConstantCase{"typed_prefix_of_an_item_stays_as_typed", {"a=2.37", "a=2"}, Press::Enter, {"a=2"}, ""},
        ConstantCase{"reserved_name_stays_in_the_box", {"ierr=1"}, Press::Enter, {}, "ierr=1"}),
    [](const ::testing::TestParamInfo<ConstantCase>& info) { return std::string(info.param.name); });

TEST_F(ComputeTest, ConstantsReachTheEngineInListOrder)
{
    addConstant("a=2");
    addConstant("b=a*3");
    compute("a*b+x*y", {"2", "5"});
    EXPECT_THAT(lines(), ::testing::Contains("Function = 22"));
}

TEST_F(ComputeTest, TextReadAsANumberAlikeInEveryLocale)
{
    numberLocale() = {".", "'"};  // as in de_CH
    addConstant("a=CDbl(\"2,5\")");
    compute("a+x*y", {"1", "1"});
    EXPECT_THAT(lines(), ::testing::Contains("Function = 26"));
}

TEST_F(ComputeTest, RemoveEmptiesTheBoxAndTheEngineForgetsTheName)
{
    addConstant("a=2");
    addConstant("b=5");
    compute("a+b+x+y", {"1", "1"});
    ASSERT_THAT(lines(), ::testing::Contains("Function = 9"));
    window->cboConstants->setCurrentIndex(0);
    click(window->cmdRemCons);
    EXPECT_THAT(constantItems(), ElementsAre("b=5"));
    EXPECT_EQ(window->cboConstants->currentIndex(), -1);
    EXPECT_EQ(window->cboConstants->currentText(), "");
    click(window->cmdRemCons);  // nothing is chosen now: the neighbour stays
    EXPECT_THAT(constantItems(), ElementsAre("b=5"));
    EXPECT_EQ(dim.NumCons, 1);
    clickThroughWindow(window->cmdCompute);
    EXPECT_TRUE(lines().empty());
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_EQ(prompts.messageBoxes[0].text,
              "Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 1, col 1: [a+b+x+y]");
}

TEST_F(ComputeTest, RemovedPredefinedConstantGetsItsValueBack)
{
    addConstant("PI=3");
    compute("pi", {"1", "1"});
    ASSERT_THAT(lines(), ::testing::Contains("Function = 3"));
    window->cboConstants->setCurrentIndex(0);
    click(window->cmdRemCons);
    clickThroughWindow(window->cmdCompute);
    EXPECT_THAT(lines(), ::testing::Contains("Function = 3.14159265358979"));
}

TEST_F(ComputeTest, RemoveWithoutASelectedItemDoesNothing)
{
    addConstant("a=2");
    click(window->cmdRemCons);  // the box is empty after Add
    window->cboConstants->setCurrentIndex(0);
    window->cboConstants->setEditText("a=2x");  // an edited text no longer selects the item
    click(window->cmdRemCons);
    click(window->cmdRemCons);
    EXPECT_THAT(constantItems(), ElementsAre("a=2"));
    EXPECT_EQ(dim.NumCons, 1);
}

TEST_F(ComputeTest, A102ndConstantIsRefusedWithAMessage)
{
    for (int k = 0; k < Dimension::ConsSlots; ++k)
        addConstant(QString("c%1=%1").arg(k));
    ASSERT_EQ(window->cboConstants->count(), 101);
    addConstant("z=1");
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_EQ(prompts.messageBoxes[0].text, ConstantsFullMessage);
    EXPECT_EQ(window->cboConstants->count(), 101);
    EXPECT_EQ(dim.NumCons, 101);
    EXPECT_EQ(window->cboConstants->currentText(), "z=1");
    addConstant("c0=7");  // replacing still works
    EXPECT_EQ(window->cboConstants->itemText(100), "c0=7");
    EXPECT_EQ(prompts.messageBoxes.size(), 1u);
}

enum class StopBy { None, CancelButton, EscapeInDialog, EscapeInWindow, ClosingTheDialog };

struct ProgressCase {
    const char* name;
    StopBy stop;
};

void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.name; }

class SlowComputation : public WindowTest, public ::testing::WithParamInterface<ProgressCase> {
protected:
    static QProgressDialog* shownDialog()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(widget); dialog && dialog->isVisible())
                return dialog;
        return nullptr;
    }

    static void stop(StopBy how, QProgressDialog* dialog, QWidget* window)
    {
        switch (how) {
        case StopBy::CancelButton: click(dialog->findChild<QPushButton*>()); break;
        case StopBy::EscapeInDialog: QTest::keyClick(dialog, Qt::Key_Escape); break;
        case StopBy::EscapeInWindow:
            QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
            break;
        case StopBy::ClosingTheDialog: dialog->close(); break;
        case StopBy::None: break;
        }
    }
};

// A computation of 40 slow evaluations with input arriving meanwhile: the dialog shows the
// count, a stop is heard at once, and the input never reaches the window.
TEST_P(SlowComputation, ShowsProgressStopsWhenAskedAndDropsInput)
{
    const ProgressCase& c = GetParam();
    QString shownText;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QCoreApplication::postEvent(window->txtOrder, new QKeyEvent(QEvent::KeyPress, Qt::Key_5, {}, "5"));
        QCoreApplication::postEvent(window.get(), new QCloseEvent);
        if (QProgressDialog* dialog = shownDialog(); dialog && shownText.isEmpty()) {
            shownText = dialog->labelText();
            stop(c.stop, dialog, window.get());
        }
    });
    user.start(20);
    int evaluations = 0;
    {
        ComputationProgress progress(window.get(), std::chrono::milliseconds(0));
        const ProgressHook hook = progress.hook();
        while (evaluations < 40) {
            QThread::msleep(25);
            if (!hook(++evaluations, 40))
                break;
        }
        user.stop();  // what comes after the computation is new input
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(evaluations < 40, c.stop != StopBy::None);
    EXPECT_THAT(shownText.toStdString(), ::testing::MatchesRegex("Computing: [0-9]+ of 40 evaluations done\\."));
    EXPECT_EQ(window->txtOrder->text(), "");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shownDialog(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlowComputation,
    ::testing::Values(ProgressCase{"runs_to_the_end", StopBy::None},
                      ProgressCase{"cancel_button", StopBy::CancelButton},
                      ProgressCase{"escape_in_the_dialog", StopBy::EscapeInDialog},
                      ProgressCase{"escape_in_the_window", StopBy::EscapeInWindow},
                      ProgressCase{"dialog_closed", StopBy::ClosingTheDialog}),
    [](const ::testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace slopekit
