#include "shell/computation_progress.h"
#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <functional>

namespace slopekit {
namespace {

using namespace testing;

// The working stage with the variables x and y and a function, so that the focus may
// leave the function box.
class ComputeTest : public WindowTest {
protected:
    void SetUp() override { restartWorking(); }
    void restartWorking()
    {
        restart();
        enterProblem("2", "x,y");
        type(window->txtEquation, "x*y");
    }
};

// The lines themselves are the result views' matter, tested with them.
TEST_F(ComputeTest, ResultsStayUntilTheFunctionOrTheConstantBoxIsEdited)
{
    // clang-format off
    struct Row { const char* name; std::function<void(frmSlopekit&)> edit; bool clears; };
    const Row rows[] = {
        {.name = "function typed", .edit = [](frmSlopekit& w) { QTest::keyClicks(w.txtEquation, "+1"); }, .clears = true},
        {.name = "constant typed", .edit = [](frmSlopekit& w) { QTest::keyClicks(w.cboConstants->lineEdit(), "b"); }, .clears = true},
        {.name = "constant chosen from the list", .edit = [](frmSlopekit& w) { QTest::keyClick(w.cboConstants->lineEdit(), Qt::Key_Down); }, .clears = false},
        {.name = "point edited", .edit = [](frmSlopekit& w) { type(w.txtVarx[0], "3"); }, .clears = false},
    };
    // clang-format on
    for (const Row& row : rows) {
        restartWorking();
        addConstant("a=2");
        compute("x^2*y+a", {"1", "2"});
        ASSERT_EQ(lines().size(), 6u) << row.name;
        window->cboConstants->lineEdit()->setFocus();
        row.edit(*window);
        EXPECT_EQ(lines().empty(), row.clears) << row.name;
        EXPECT_EQ(dim->ResultsShown, !row.clears) << row.name;
    }
}

// The classic steps, 2.055 wide at x = 13700, are far too coarse for the sine.
TEST_F(ComputeTest, InaccurateLinesAreMarkedWithTheirReason)
{
    compute("Sin(x)+y", {"13700", "1"});
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_TRUE(window->lstDerVal->item(0)->icon().isNull()) << "Function";
    EXPECT_FALSE(window->lstDerVal->item(1)->icon().isNull()) << "Dx";
    EXPECT_EQ(window->lstDerVal->item(1)->background().color(), QColor(255, 204, 128)) << "Dx";
    EXPECT_THAT(window->lstDerVal->item(1)->toolTip().toStdString(), ::testing::StartsWith("May be inaccurate."));
    EXPECT_EQ(window->lblStatus->text(), "2 results may be inaccurate");
}

TEST_F(ComputeTest, AFailedComputationLeavesOnlyItsMessage)
{
    // clang-format off
    struct Row { const char* name; QString constant = {}; QString function; QString y; const char* title; const char* text; };
    const Row rows[] = {
        {.name = "engine error", .function = "x+", .y = "2", .title = "Error in Script Control", .text = "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [x+]"},
        {.name = "text result", .function = "\"a\" & x", .y = "2", .title = "Slopekit", .text = "Slopekit 13\rType mismatch\r\r"},
        {.name = "unreadable point box", .function = "x*y", .y = "abc", .title = "Slopekit", .text = "The value \"abc\" given for y cannot be read as a number."},
        {.name = "constant the engine refuses", .constant = "a=", .function = "x*y", .y = "2", .title = "Error in Script Control", .text = "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [a=]"},
        {.name = "constant reading the point", .constant = "c=y*2", .function = "c*x", .y = "2", .title = "Slopekit", .text = "The constant c=y*2 uses the variable y. Constants cannot depend on the point: they are set once, before the point is."},
    };
    // clang-format on
    for (const Row& row : rows) {
        restartWorking();
        if (!row.constant.isEmpty())
            addConstant(row.constant);
        compute(row.function, {"1", row.y});
        ASSERT_EQ(prompts->messageBoxes.size(), 1u) << row.name;
        EXPECT_EQ(prompts->messageBoxes[0].title, row.title) << row.name;
        EXPECT_EQ(prompts->messageBoxes[0].text, row.text) << row.name;
        EXPECT_EQ(lines(), Texts{}) << row.name;
        EXPECT_FALSE(dim->ResultsShown) << row.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << row.name << ": the wait cursor stays";
    }
}

// The list and the stored constants stay alike; a refused text stays in the box to be
// corrected, and a typed text is never replaced by an item it is the start of.
TEST_F(ComputeTest, AddingConstantsKeepsTheListAndTheStoreAlike)
{
    // byEnter: else by the Add button
    // clang-format off
    struct Row { const char* name; Texts typed; bool byEnter = false; Texts items; const char* boxAfter; };
    const Row rows[] = {
        {.name = "accepted", .typed = {"a=2.37"}, .items = {"a=2.37"}, .boxAfter = ""},
        {.name = "enter adds", .typed = {"k=9.81"}, .byEnter = true, .items = {"k=9.81"}, .boxAfter = ""},
        {.name = "refused name stays in the box", .typed = {"a = 2"}, .items = {}, .boxAfter = "a = 2"},
        {.name = "replaced moves to the end", .typed = {"a=2.37", "b=1", "a=3"}, .items = {"b=1", "a=3"}, .boxAfter = ""},
        {.name = "typed start of an item stays as typed", .typed = {"a=2.37", "a=2"}, .byEnter = true, .items = {"a=2"}, .boxAfter = ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        restartWorking();
        QLineEdit* box = window->cboConstants->lineEdit();
        box->setFocus();
        for (const std::string& text : row.typed) {
            window->cboConstants->setEditText(QString());
            QTest::keyClicks(box, QString::fromStdString(text));
            row.byEnter ? QTest::keyClick(box, Qt::Key_Return) : click(window->cmdAddCons);
        }
        EXPECT_EQ(constants(), row.items) << row.name;
        EXPECT_EQ(Texts(dim->Cons.begin(), dim->Cons.begin() + dim->NumCons), row.items) << row.name;
        EXPECT_EQ(window->cboConstants->currentText().toStdString(), row.boxAfter) << row.name;
    }
}

TEST_F(ComputeTest, AConstantRefusedForItsNameSaysWhyUntilOneIsAccepted)
{
    addConstant("IErr=2");
    EXPECT_EQ(hint(), "\"IErr\" cannot be a name: the expression language uses it.");
    addConstant("a=2");
    EXPECT_EQ(hint(), "");
}

// Remove takes the chosen item only: never an item whose text was edited since, nor a
// neighbour by a second click.
TEST_F(ComputeTest, RemoveTakesOutOnlyTheChosenConstant)
{
    for (const char* constant : {"a=2", "b=3", "k=5"})
        addConstant(constant);
    click(window->cmdRemCons);  // the box is empty after Add: nothing is chosen
    window->cboConstants->setCurrentIndex(2);
    window->cboConstants->setEditText("k=5x");
    click(window->cmdRemCons);
    EXPECT_EQ(constants(), (Texts{"a=2", "b=3", "k=5"})) << "nothing chosen";
    window->cboConstants->setCurrentIndex(1);
    click(window->cmdRemCons);
    click(window->cmdRemCons);
    EXPECT_EQ(constants(), (Texts{"a=2", "k=5"})) << "b chosen";
    EXPECT_EQ(Texts(dim->Cons.begin(), dim->Cons.begin() + dim->NumCons), constants()) << "the store";
}

TEST_F(ComputeTest, TheEngineForgetsARemovedConstant)
{
    addConstant("k=5");
    window->cboConstants->setCurrentIndex(0);
    click(window->cmdRemCons);
    compute("k+x*y", {"1", "1"});
    EXPECT_EQ(messages(),
              Texts{"Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 1, col 1: [k+x*y]"});
}

// A computation of 40 slow evaluations with input arriving meanwhile: the dialog shows the
// count, a stop is heard at once, the window still paints, and the input never reaches it.
TEST_F(WindowTest, ASlowComputationRunsUnderAProgressDialogThatStopsIt)
{
    // clang-format off
    struct Row { const char* name; std::function<void(QProgressDialog*)> stop = nullptr; };
    const Row rows[] = {
        {.name = "runs to the end"},
        {.name = "cancel button", .stop = [](QProgressDialog* dialog) { click(dialog->findChild<QPushButton*>()); }},
        {.name = "escape in the dialog", .stop = [](QProgressDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
        {.name = "escape in the window", .stop = [](QProgressDialog* dialog) { QCoreApplication::postEvent(dialog->parentWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {})); }},
        {.name = "dialog closed", .stop = [](QProgressDialog* dialog) { dialog->close(); }},
    };
    // clang-format on
    for (const Row& row : rows) {
        restart();
        const QImage label = window->Label1->grab().toImage();
        QString shownText;
        double barShare = 100;
        bool painted = false;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            QCoreApplication::postEvent(window->txtOrder, new QKeyEvent(QEvent::KeyPress, Qt::Key_5, {}, "5"));
            QCoreApplication::postEvent(window, new QCloseEvent);
            if (QProgressDialog* dialog = shown<QProgressDialog>(); dialog && shownText.isEmpty()) {
                shownText = dialog->labelText();
                // the bar's share is the count's: 1 of 40 is 2.5%
                barShare = dialog->findChild<QProgressBar*>()->text().chopped(1).toDouble() - dialog->value() * 2.5;
                painted = window->Label1->grab().toImage() == label;
                if (row.stop)
                    row.stop(dialog);
            }
        });
        user.start(20);
        int evaluations = 0;
        {
            ComputationProgress progress(window, std::chrono::milliseconds(0));
            const ProgressHook hook = progress.hook();
            do
                QThread::msleep(25);
            while (hook(++evaluations, 40) && evaluations < 40);
            user.stop();  // what comes after the computation is new input
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(evaluations < 40, row.stop != nullptr) << row.name << ": stopped";
        EXPECT_THAT(shownText.toStdString(), ::testing::MatchesRegex("Computing: [0-9]+ of 40 evaluations done\\."))
            << row.name;
        EXPECT_LT(std::abs(barShare), 1) << row.name << ": the bar's share";
        EXPECT_TRUE(painted) << row.name << ": the window paints meanwhile";
        EXPECT_TRUE(window->isVisible()) << row.name << ": a close meanwhile is dropped";
        EXPECT_EQ(window->txtOrder->text(), "") << row.name << ": keys meanwhile are dropped";
        EXPECT_EQ(shown<QProgressDialog>(), nullptr) << row.name;
    }
}

}  // namespace
}  // namespace slopekit
