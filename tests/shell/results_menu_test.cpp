#include "numbers/number_text.h"
#include "shell/analysis_dialog.h"
#include "shell/plot_window.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

#include <cmath>

namespace slopekit {
namespace {

using namespace testing;

// Two variables computed at a point; the results list's context menu at hand.
class ResultsMenuTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        enterProblem("2", "x,y");
    }

    // Opens the context menu as a right click in the list does.
    void openMenu()
    {
        QWidget* viewport = window->lstDerVal->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &event);
    }
    AnalysisDialog* analyse()
    {
        window->mnuAnalyse->trigger();
        return shown<AnalysisDialog>();
    }
    PlotWindow* plotAlongX()
    {
        openMenu();
        window->mnuPlot[0]->trigger();
        window->mnuResults->hide();
        return shown<PlotWindow>();
    }
    std::vector<QAction*> items() const
    {
        return {window->mnuCopy,    window->mnuCopyAll, window->mnuCopyTable,
                window->mnuAnalyse, window->mnuPlot[0], window->mnuPlot[1]};
    }
    static std::string clipboard() { return QApplication::clipboard()->text().toStdString(); }
    // The text of a cell; an empty cell has no item, and reads as nothing.
    static std::string cell(QTableWidget* table, int row, int column)
    {
        const QTableWidgetItem* item = table->item(row, column);
        return item ? item->text().toStdString() : std::string();
    }
};

TEST_F(ResultsMenuTest, CopyPutsTheSelectedLinesOnTheClipboard)
{
    compute("x*y", {"1E6", "2E6"});  // differences exact at coordinates of a million
    QListWidget* list = window->lstDerVal;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(1)).center());
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "Dx = 2000000\nDyy = 0\n");
}

// The table's form is the result table's matter, tested with it.
TEST_F(ResultsMenuTest, CopyingAllResultsFollowsTheShownView)
{
    // clang-format off
    struct Row { const char* name; QAction* frmSlopekit::*view; QAction* frmSlopekit::*copy; const char* holds; };
    const Row rows[] = {
        {.name = "classic lines", .view = &frmSlopekit::mnuClassic, .copy = &frmSlopekit::mnuCopyAll, .holds = "\nDx = 2000000\nDy = 1000000\n"},
        {.name = "classic table", .view = &frmSlopekit::mnuClassic, .copy = &frmSlopekit::mnuCopyTable, .holds = "\nDx\t2000000\nDy\t1000000\n"},
        {.name = "refined lines", .view = &frmSlopekit::mnuRefined, .copy = &frmSlopekit::mnuCopyAll, .holds = "\nDx = 2000000 ± "},
        {.name = "refined table", .view = &frmSlopekit::mnuRefined, .copy = &frmSlopekit::mnuCopyTable, .holds = "\nDx\t2000000\t"},
    };
    // clang-format on
    compute("x*y", {"1E6", "2E6"});
    for (const Row& row : rows) {
        (window->*row.view)->trigger();
        (window->*row.copy)->trigger();
        EXPECT_NE(clipboard().find(row.holds), std::string::npos) << row.name << ": " << clipboard();
    }
}

TEST_F(ResultsMenuTest, TheMenuOffersItsItemsOnlyWhileResultsAreShown)
{
    compute("x*y", {"1", "2"});
    window->lstDerVal->item(1)->setSelected(true);  // for Copy
    openMenu();
    ASSERT_TRUE(window->mnuResults->isVisible());
    EXPECT_EQ(window->mnuPlot[1]->text(), "Plot along y\u2026");
    for (QAction* item : items())
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString() << " with results";
    window->mnuResults->hide();
    type(window->txtEquation, "x");
    openMenu();
    for (QAction* item : items())
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString() << " without results";
    window->mnuResults->hide();
}

TEST_F(ResultsMenuTest, TheAnalysisOfASaddleSaysSo)
{
    compute("x^2 - y^2", {"0", "0"});
    AnalysisDialog* dialog = analyse();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Analysis at x = 0, y = 0");
    EXPECT_EQ(dialog->lblClassification->text(), "<b>Classification: saddle point</b>");
    EXPECT_EQ(cell(dialog->tblEigen, 0, 1), "negative") << "the sign of -2";
    EXPECT_EQ(cell(dialog->tblEigen, 1, 1), "positive") << "the sign of 2";
}

TEST_F(WindowTest, TheEigenTabOfOneVariableIsTheSecondDerivative)
{
    enterProblem("1", "x");
    compute("x^3", {"1"});
    window->mnuAnalyse->trigger();
    auto* dialog = shown<AnalysisDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->tabs->tabText(2), "Second derivative");
}

TEST_F(ResultsMenuTest, TheGradientTableNamesEachVariableBeforeItsDerivative)
{
    compute("3*x + 4*y", {"1", "1"});
    AnalysisDialog* dialog = analyse();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(cell(dialog->tblGradient, 1, 0), "y") << "the second row's variable";
    EXPECT_EQ(cell(dialog->tblGradient, 1, 1), "4") << "the second row's first derivative";
}

// The steepest ascent of a point that is not critical is a column of the gradient table,
// not a sentence of numbers.
TEST_F(ResultsMenuTest, TheDirectionOfSteepestAscentIsAColumnOfTheGradientTable)
{
    compute("3*x + 4*y", {"1", "1"});
    AnalysisDialog* dialog = analyse();
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->tblGradient->columnCount(), 4);
    EXPECT_EQ(dialog->tblGradient->horizontalHeaderItem(3)->text(), "Steepest ascent");
    EXPECT_EQ(cell(dialog->tblGradient, 0, 3), "0.6") << "x";
    EXPECT_EQ(cell(dialog->tblGradient, 1, 3), "0.8") << "y";
}

// Ten variables: the dialog fits a 1024 x 768 screen (and this one), nothing is drawn over
// anything, every caption is whole, and every table shows all its rows.
TEST_F(WindowTest, TheAnalysisAtTenVariablesFitsTheScreenWithNothingDrawnOverAnything)
{
    enterProblem("10", "x1,x2,x3,x4,x5,x6,x7,x8,x9,x10");
    compute("x1*x2 + x2*x3 + x3*x4 + x4*x5 + x5*x6 + x6*x7 + x7*x8 + x8*x9 + x9*x10 + x10^2 + x1",
            {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    window->mnuAnalyse->trigger();
    auto* dialog = shown<AnalysisDialog>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QRect frame = dialog->frameGeometry();
    EXPECT_LE(frame.width(), 1024);
    EXPECT_LE(frame.height(), 768);
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(frame));
    for (int tab = 0; tab < dialog->tabs->count(); ++tab) {
        dialog->tabs->setCurrentIndex(tab);
        EXPECT_EQ(overlaps(dialog), Texts{}) << "tab " << tab;
        EXPECT_EQ(cutCaptions(dialog), Texts{}) << "tab " << tab;
    }
    for (QTableWidget* table : {dialog->tblGradient, dialog->tblHessian, dialog->tblEigen})
        EXPECT_LE(table->verticalHeader()->length(), table->viewport()->height()) << nameOf(table);
    EXPECT_LE(dialog->tblHessian->horizontalHeader()->length(), dialog->tblHessian->viewport()->width());
}

// x from -1.5 to 3.5: the first 120 of 400 samples fall below 0.
TEST_F(ResultsMenuTest, APlotSaysHowManySamplesItLeftOut)
{
    compute("Sqr(x) + y", {"1", "5"});
    PlotWindow* plot = plotAlongX();
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->lblNote->text(), "");
    type(plot->txtRadius, "2.5");
    click(plot->cmdRedraw);
    EXPECT_EQ(plot->lblNote->text(), "120 of 400 samples could not be computed and are left out of the curve.");
    EXPECT_EQ(dim->Varx, (std::vector<double>{1, 5})) << "the point after sampling";
}

// Any half-width above 0 redraws the plot, however small; 0 and what is no number are refused.
TEST_F(ResultsMenuTest, APlotTakesAnyHalfWidthAboveZero)
{
    struct Row {
        const char* name;
        const char* text;
        Texts messages;
    };
    const Texts refused = {"The half-width must be a number greater than 0."};
    // clang-format off
    const Row rows[] = {
        {.name = "below_one", .text = "0.5", .messages = {}},
        {.name = "zero", .text = "0", .messages = refused},
        {.name = "no_number", .text = "wide", .messages = refused},
    };
    // clang-format on
    compute("x*y", {"1", "5"});
    PlotWindow* plot = plotAlongX();
    ASSERT_NE(plot, nullptr);
    for (const Row& row : rows) {
        prompts->messageBoxes.clear();
        type(plot->txtRadius, row.text);
        click(plot->cmdRedraw);
        EXPECT_EQ(messages(), row.messages) << row.name;
    }
}

TEST_F(ResultsMenuTest, APlotSavesItsPictureAsPngAndSvg)
{
    compute("x*y", {"1", "5"});
    PlotWindow* plot = plotAlongX();
    ASSERT_NE(plot, nullptr);
    prompts->fileNames = {path("plot.png"), path("plot.svg")};
    click(plot->cmdSavePng);
    click(plot->cmdSaveSvg);
    EXPECT_EQ(prompts->saveKinds, (std::vector<FileKind>{FileKind::Png, FileKind::Svg}));
    EXPECT_TRUE(bytesOf(path("plot.png")).starts_with("\x89PNG"));
    EXPECT_NE(bytesOf(path("plot.svg")).find("<svg"), std::string::npos);
}

TEST_F(ResultsMenuTest, APlotCannotBeRedrawnOnceItsResultsAreCleared)
{
    compute("x*y", {"1", "5"});
    PlotWindow* plot = plotAlongX();
    ASSERT_NE(plot, nullptr);
    type(window->txtEquation, "x");
    EXPECT_FALSE(plot->cmdRedraw->isEnabled());
}

// Sin(x) at 13700, where the classic slope is far off: with every entry exact, the tangent
// and the parabola take the exact slope and curvature.
TEST_F(ResultsMenuTest, ThePlotRestsOnTheExactDerivatives)
{
    compute("Sin(x)+y", {"13700", "1"});
    PlotWindow* plot = plotAlongX();
    ASSERT_NE(plot, nullptr);
    EXPECT_NEAR(plot->plot().slope, std::cos(13700.0), 1e-15);
    EXPECT_NEAR(plot->plot().curvature, -std::sin(13700.0), 1e-15);
}

}  // namespace
}  // namespace slopekit
