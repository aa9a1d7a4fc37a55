#include "engine/user_constants.h"
#include "shell/computation_progress.h"
#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace slopekit {
namespace {

using namespace testing;
using ::testing::StartsWith;

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

// Typing in the function or the constant box clears the results; a new coordinate or a
// constant chosen from the list leaves them.
TEST_F(ComputeTest, ListsTheResultsUntilTheFunctionOrTheConstantBoxIsEditedAndMarksInaccurateOnes)
{
    addConstant("a=2");
    compute("x^2*y+a", {"1", "2"});
    ASSERT_THAT(lines(), ::testing::ElementsAre("Function = 4", StartsWith("Dx = "), StartsWith("Dy = "),
                                                StartsWith("Dxx = "), StartsWith("Dyy = "), StartsWith("Dxy = ")));
    EXPECT_EQ(dim->Varx, (std::vector<double>{1, 2}));
    EXPECT_TRUE(messages().empty() && QApplication::overrideCursor() == nullptr);
    window->cboConstants->lineEdit()->setFocus();
    QTest::keyClick(window->cboConstants->lineEdit(), Qt::Key_Down);
    ASSERT_EQ(window->cboConstants->currentText(), "a=2");
    type(window->txtVarx[0], "3");
    EXPECT_TRUE(lines().size() == 6u && dim->ResultsShown);

    QTest::keyClicks(window->cboConstants->lineEdit(), "b");
    EXPECT_TRUE(lines().empty() && !dim->ResultsShown);
    clickThroughWindow(window->cmdCompute);
    ASSERT_EQ(lines().size(), 6u);
    QTest::keyClicks(window->txtEquation, "+1");
    EXPECT_EQ(lines(), Texts{});

    // Inaccurate results are marked and the refined list shown on request: the classic
    // steps, 2.055 wide at x = 13700, are far too coarse for the sine.
    compute("Sin(x)+y", {"13700", "1"});
    const Texts classic = lines();
    std::string marked;
    for (int k = 0; k < 6; ++k)
        marked += window->lstDerVal->item(k)->icon().isNull() ? '-' : '!';
    EXPECT_EQ(marked, "-!-!--");
    EXPECT_EQ(window->lstDerVal->item(1)->background().color(), QColor(255, 204, 128));
    EXPECT_THAT(window->lstDerVal->item(1)->toolTip().toStdString(),
                StartsWith("May be inaccurate. Exact value: -0.88441265792825"));
    EXPECT_EQ(window->lblStatus->text(), "2 results may be inaccurate");

    window->mnuRefined->trigger();
    const Texts refined = lines();
    ASSERT_EQ(refined.size(), 6u);
    EXPECT_EQ(refined[0], classic[0]);
    EXPECT_THAT(refined[1], ::testing::MatchesRegex("Dx = -0\\.8844[0-9]* ± .+"));
    EXPECT_EQ(window->lblStatus->text(), "");
    window->mnuClassic->trigger();
    EXPECT_EQ(lines(), classic);
    type(window->txtEquation, "x");
    EXPECT_EQ(window->lblStatus->text(), "");
}

// Abs(x)+y^2 at (0, 3): the classic Dxx, a difference across the kink, is marked with the
// kink's reason; the exact view says where there is no derivative and marks nothing.
TEST_F(ComputeTest, TheExactViewNamesAMissingDerivativeAndMarksNothing)
{
    compute("Abs(x)+y^2", {"0", "3"});
    ASSERT_EQ(lines().size(), 6u);
    EXPECT_THAT(window->lstDerVal->item(3)->toolTip().toStdString(),
                StartsWith("May be inaccurate (no derivative: Abs at its kink (column 1)). Refined value: "));
    EXPECT_EQ(window->lblStatus->text(), "1 result may be inaccurate");
    window->mnuExact->trigger();
    const std::string kink = "no derivative: Abs at its kink (column 1)";
    EXPECT_EQ(lines(), (Texts{"Function = 9", "Dx = " + kink, "Dy = 6", "Dxx = " + kink, "Dyy = 2", "Dxy = " + kink}));
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(window->lstDerVal->item(k)->icon().isNull()) << k;
    EXPECT_EQ(window->lblStatus->text(), "");
}

TEST_F(ComputeTest, AFailureShowsExactlyOneMessageAndAnEmptyList)
{
    // varxAfter: the point again, or untouched (0, 0) when never read
    struct Row { const char* name; QString constant, function; std::vector<QString> point;
                 const char *title, *text; std::vector<double> varxAfter; };
    const Row rows[] = {
        {"failure_at_a_displaced_point", "", "Sqr(x)+y", {"0", "1"}, "Slopekit expression runtime error",
         "Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r", {0, 1}},
        {"engine_error_only_its_event_message", "", "x+", {"1", "2"}, "Error in Script Control",
         "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [x+]", {1, 2}},
        {"text_result", "", "\"a\" & x", {"1", "2"}, "Slopekit", "Slopekit 13\rType mismatch\r\r", {1, 2}},
        {"unreadable_point_box", "", "x*y", {"1", "abc"}, "Slopekit",
         "The value \"abc\" given for y cannot be read as a number.", {0, 0}},
        {"constant_rejected_by_the_engine", "a=", "x*y", {"1", "2"}, "Error in Script Control",
         "Slopekit expression syntax error 1023\rExpected expression\r\rAt line 1, col 3: [a=]", {0, 0}},
        {"constant_reading_the_point", "c=y*2", "c*x", {"1", "2"}, "Slopekit",
         "The constant c=y*2 uses the variable y. Constants cannot depend on the point: they are set once, before "
         "the point is.", {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restartWorking();
        if (!row.constant.isEmpty())
            addConstant(row.constant);
        compute(row.function, row.point);
        EXPECT_EQ(prompts->messageBoxes,
                  (FakePrompts::MessageBoxes{{row.title, row.text, PromptButtons::Ok, PromptIcon::Critical}}));
        EXPECT_TRUE(lines().empty() && !dim->ResultsShown && QApplication::overrideCursor() == nullptr);
        EXPECT_EQ(dim->Varx, row.varxAfter);
    }
}

// The list and the stored constants stay alike; a refused text stays in the box to be
// corrected, and a typed text is never replaced by an item it is the start of.
TEST_F(ComputeTest, AddingConstantsKeepsTheListAndTheStoreTogether)
{
    // byEnter: else by the Add button
    struct Row { const char* name; Texts typed; bool byEnter; Texts items; const char* boxAfter; };
    const Row rows[] = {
        {"accepted", {"a=2.37"}, false, {"a=2.37"}, ""},
        {"enter_adds", {"k=9.81"}, true, {"k=9.81"}, ""},
        {"refused_name_stays_in_the_box", {"a = 2"}, false, {}, "a = 2"},
        {"replaced_moves_to_the_end", {"a=2.37", "b=1", "a=3"}, false, {"b=1", "a=3"}, ""},
        {"typed_start_of_an_item_stays_as_typed", {"a=2.37", "a=2"}, true, {"a=2"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restartWorking();
        QLineEdit* box = window->cboConstants->lineEdit();
        box->setFocus();
        for (const std::string& text : row.typed) {
            window->cboConstants->setEditText(QString());
            QTest::keyClicks(box, QString::fromStdString(text));
            row.byEnter ? QTest::keyClick(box, Qt::Key_Return) : click(window->cmdAddCons);
        }
        EXPECT_EQ(constants(), row.items);
        EXPECT_EQ(Texts(dim->Cons.begin(), dim->Cons.begin() + dim->NumCons), row.items);
        EXPECT_EQ(window->cboConstants->currentText().toStdString(), row.boxAfter);
        EXPECT_TRUE(messages().empty());
    }
}

// Remove takes out the chosen constant only, never a neighbour by a second click, and the
// engine forgets its name; a predefined name gets its own value back.
TEST_F(ComputeTest, RemoveTakesOutOnlyTheChosenConstant)
{
    for (const char* constant : {"a=2", "b=a*3", "PI=3", "k=5"})
        addConstant(constant);  // they reach the engine in list order: b needs a
    compute("a+b+pi+k+x*y", {"1", "1"});
    ASSERT_THAT(lines(), ::testing::Contains("Function = 17"));
    click(window->cmdRemCons);  // the box is empty after Add: nothing is chosen
    window->cboConstants->setCurrentIndex(3);
    window->cboConstants->setEditText("k=5x");  // an edited text no longer stands for the item
    click(window->cmdRemCons);
    EXPECT_EQ(constants(), (Texts{"a=2", "b=a*3", "PI=3", "k=5"}));

    window->cboConstants->setCurrentIndex(2);
    click(window->cmdRemCons);
    EXPECT_EQ(window->cboConstants->currentIndex(), -1);
    EXPECT_EQ(window->cboConstants->currentText(), "");
    click(window->cmdRemCons);
    EXPECT_EQ(constants(), (Texts{"a=2", "b=a*3", "k=5"}));
    EXPECT_EQ(Texts(dim->Cons.begin(), dim->Cons.begin() + dim->NumCons), constants());
    clickThroughWindow(window->cmdCompute);
    EXPECT_THAT(lines(), ::testing::Contains("Function = 17.1415926535898"));

    window->cboConstants->setCurrentIndex(2);
    click(window->cmdRemCons);
    clickThroughWindow(window->cmdCompute);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(messages(),
              Texts{"Slopekit expression runtime error 500\rVariable is undefined\r\rAt line 1, col 8: [a+b+pi+k+x*y]"});
}

// The store's rules are the engine's; the window says why and keeps the typed text.
TEST_F(ComputeTest, A102ndConstantIsRefusedWithAMessageWhileReplacingStillWorks)
{
    for (int k = 0; k < Dimension::ConsSlots; ++k)
        addConstant(QString("c%1=%1").arg(k));
    addConstant("z=1");
    EXPECT_EQ(messages(), Texts{ConstantsFullMessage});
    EXPECT_EQ(window->cboConstants->count() + dim->NumCons, 202);
    EXPECT_EQ(window->cboConstants->currentText(), "z=1");
    addConstant("c0=7");
    EXPECT_EQ(constants().back() + " " + std::to_string(messages().size()), "c0=7 1");
}

// A computation of 40 slow evaluations with input arriving meanwhile: the dialog shows the
// count, a stop is heard at once, the window still paints, and the input never reaches it.
TEST_F(WindowTest, ASlowComputationShowsProgressStopsWhenAskedAndDropsInput)
{
    const std::pair<const char*, std::function<void(QProgressDialog*)>> rows[] = {
        {"runs_to_the_end", nullptr},
        {"cancel_button", [](QProgressDialog* dialog) { click(dialog->findChild<QPushButton*>()); }},
        {"escape_in_the_dialog", [](QProgressDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
        {"escape_in_the_window",
         [](QProgressDialog* dialog) {
             QCoreApplication::postEvent(dialog->parentWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
         }},
        {"dialog_closed", [](QProgressDialog* dialog) { dialog->close(); }}};
    for (const auto& [name, stop] : rows) {
        SCOPED_TRACE(name);
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
                if (stop)
                    stop(dialog);
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
        EXPECT_EQ(evaluations < 40, stop != nullptr);
        EXPECT_THAT(shownText.toStdString(), ::testing::MatchesRegex("Computing: [0-9]+ of 40 evaluations done\\."));
        EXPECT_LT(std::abs(barShare), 1);
        EXPECT_TRUE(painted && window->isVisible() && window->txtOrder->text().isEmpty());
        EXPECT_TRUE(shown<QProgressDialog>() == nullptr && QApplication::overrideCursor() == nullptr);
    }
}

// The progress dialog stands at the centre of the window it belongs to, wherever that is.
TEST_F(WindowTest, TheProgressDialogIsCentredOnTheWindow)
{
    window->move(40, 30);
    QPoint dialogCentre;
    {
        ComputationProgress progress(window, std::chrono::milliseconds(0));
        const ProgressHook hook = progress.hook();
        for (int done = 1; done < 20 && !shown<QProgressDialog>(); ++done) {
            QThread::msleep(25);
            hook(done, 20);
        }
        ASSERT_NE(shown<QProgressDialog>(), nullptr);
        dialogCentre = shown<QProgressDialog>()->frameGeometry().center();
    }
    const QPoint offset = dialogCentre - window->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << ", " << offset.y();
}

}  // namespace
}  // namespace slopekit
