#include "numbers/number_text.h"
#include "shell/analysis_dialog.h"
#include "shell/plot_window.h"
#include "window_fixture.h"

#include <QChartView>
#include <QClipboard>
#include <QLineSeries>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>

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

    static std::string clipboard() { return QApplication::clipboard()->text().toStdString(); }
    static std::string resultText(const Texts& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }
    // A table's row, "(empty)" for a cell without an item.
    static Texts row(QTableWidget* table, int row)
    {
        Texts cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.push_back(table->item(row, column) ? table->item(row, column)->text().toStdString() : "(empty)");
        return cells;
    }
};

// The results copy as the selected lines, all lines or a table; the menu offers only what the
// shown results allow.
TEST_F(ResultsMenuTest, CopiesSelectedLinesAllLinesOrATableAndOffersWhatTheStateAllows)
{
    compute("x*y", {"1E6", "2E6"});  // differences exact at coordinates of a million
    QListWidget* list = window->lstDerVal;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(1)).center());
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "Dx = 2000000\nDyy = 0\n");

    window->mnuCopyAll->trigger();
    EXPECT_EQ(clipboard(), "Function = 2000000000000\nDx = 2000000\nDy = 1000000\nDxx = 0\nDyy = 0\nDxy = 1\n");
    window->mnuCopyTable->trigger();
    EXPECT_EQ(clipboard(), "Function\t2000000000000\nDx\t2000000\nDy\t1000000\nDxx\t0\nDyy\t0\nDxy\t1\n");

    openMenu();
    EXPECT_TRUE(window->mnuResults->isVisible());
    EXPECT_EQ(menuText(window->mnuResults->actions()),
              "Copy Copy all Copy as table - Analyse at this point\u2026 - Plot along x\u2026 Plot along y\u2026");
    window->mnuResults->hide();
    type(window->txtEquation, "x");
    openMenu();
    EXPECT_EQ(menuText(window->mnuResults->actions()),
              "(off)Copy (off)Copy all (off)Copy as table - (off)Analyse at this point\u2026 - "
              "(off)Plot along x\u2026 (off)Plot along y\u2026");
}

// Copying follows the view the list shows.
TEST_F(ResultsMenuTest, CopiesTheShownView)
{
    compute("x*y", {"1E6", "2E6"});
    window->mnuRefined->trigger();
    ASSERT_EQ(lines()[1].substr(0, 15), "Dx = 2000000 ±");
    window->mnuCopyAll->trigger();
    EXPECT_EQ(clipboard(), resultText(lines()));
    window->mnuCopyTable->trigger();
    EXPECT_NE(clipboard().find("\nDx\t2000000\t"), std::string::npos) << clipboard();
}

// The analysis classifies the saddle. The plot follows the shown results: it keeps the
// problem, leaves gaps where the function fails, saves its picture, and stops redrawing
// once the results are cleared.
TEST_F(ResultsMenuTest, TheAnalysisClassifiesASaddleAndAPlotHasGapsWhereTheFunctionFails)
{
    compute("x^2 - y^2", {"0", "0"});
    openMenu();
    window->mnuAnalyse->trigger();
    auto* dialog = shown<AnalysisDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Analysis at x = 0, y = 0");
    EXPECT_EQ(dialog->lblClassification->text().toStdString(), "<b>Classification: saddle point</b>");
    ASSERT_EQ(dialog->tblEigen->rowCount(), 2);
    EXPECT_EQ(row(dialog->tblEigen, 0), (Texts{"-2", "negative", "0", "1"}));
    EXPECT_EQ(row(dialog->tblEigen, 1), (Texts{"2", "positive", "1", "0"}));
    EXPECT_EQ(row(dialog->tblHessian, 0), (Texts{"2", "0"}));
    EXPECT_GE(dialog->tblEigen->viewport()->height(), dialog->tblEigen->verticalHeader()->length());
    EXPECT_EQ(row(dialog->tblGradient, 1).at(1), "0");
    EXPECT_TRUE(dialog->lblBasis->text().startsWith("From the exact derivatives, good to rounding: "));

    const auto gaps = [](const PlotData& data) {
        return std::ranges::count_if(data.samples, [](const PlotSample& s) { return std::isnan(s.y); });
    };
    compute("Sqr(x) + y", {"1", "5"});
    const std::vector<std::string> results = lines();
    openMenu();
    window->mnuPlot[0]->trigger();
    auto* plot = shown<PlotWindow>();
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->plot().samples.size(), static_cast<std::size_t>(DefaultPlotSamples));
    EXPECT_EQ(plot->plot().samples.front().x, 0);
    EXPECT_EQ(plot->plot().samples.back().x, 2);
    EXPECT_EQ(gaps(plot->plot()), 0);
    // f = Sqr(x) + 5 about x = 1: 6 + (x - 1) / 2 - (x - 1)^2 / 8, at x = 0 5.375.
    auto* parabola = qobject_cast<QLineSeries*>(plot->chartView->chart()->series().at(1));
    ASSERT_EQ(parabola->name(), "Taylor parabola");
    EXPECT_NEAR(parabola->at(0).y(), 5.375, 1e-6);
    type(plot->txtRadius, "2.5");
    click(plot->cmdRedraw);
    const auto* tangent = qobject_cast<QLineSeries*>(plot->chartView->chart()->series().at(0));
    const QPointF first = tangent->at(0), last = tangent->at(tangent->count() - 1);
    EXPECT_NEAR((last.y() - first.y()) / (last.x() - first.x()), 0.5, 1e-6);
    EXPECT_EQ(gaps(plot->plot()), 120);  // x from -1.5 to 3.5: the first 120 samples below 0
    EXPECT_EQ(plot->lblNote->text(), "120 of 400 samples could not be computed and are left out of the curve.");

    prompts->fileNames = {path("plot.png"), path("plot.svg")};
    click(plot->cmdSavePng);
    click(plot->cmdSaveSvg);
    EXPECT_EQ(prompts->saveKinds, (std::vector<FileKind>{FileKind::Png, FileKind::Svg}));
    EXPECT_TRUE(bytesOf(path("plot.png")).starts_with("\x89PNG"));
    EXPECT_NE(bytesOf(path("plot.svg")).find("<svg"), std::string::npos);
    EXPECT_TRUE(prompts->messageBoxes.empty());
    EXPECT_EQ(dim->Varx, (std::vector<double>{1, 5}));
    EXPECT_EQ(lines(), results);

    type(window->txtEquation, "x");
    EXPECT_FALSE(plot->cmdRedraw->isEnabled());
}

// The steepest ascent of a point that is not critical is a column of the gradient table,
// not a sentence of numbers.
TEST_F(ResultsMenuTest, TheDirectionOfSteepestAscentIsAColumnOfTheGradientTable)
{
    compute("3*x + 4*y", {"1", "1"});
    window->mnuAnalyse->trigger();
    auto* dialog = shown<AnalysisDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->lblClassification->text().toStdString(), "<b>Classification: not a critical point</b>");
    ASSERT_EQ(dialog->tblGradient->columnCount(), 4);
    EXPECT_EQ(dialog->tblGradient->horizontalHeaderItem(3)->text(), "Steepest ascent");
    EXPECT_EQ(row(dialog->tblGradient, 0).at(3), "0.6");
    EXPECT_EQ(row(dialog->tblGradient, 1).at(3), "0.8");
}

// Each value keeps only the digits its error supports: fewer than the full display form,
// every one of them right (within one unit of the last place shown). Abs(y)*Abs(y) has no
// exact derivatives in y at 0, so the analysis rests on the refined ones.
TEST_F(ResultsMenuTest, TheAnalysisShowsEachValueToTheDigitsItsErrorSupports)
{
    compute("Sin(x)*Exp(y) + Abs(y)*Abs(y)", {"1", "0"});
    window->mnuAnalyse->trigger();
    auto* dialog = shown<AnalysisDialog>();
    ASSERT_NE(dialog, nullptr);
    struct Row { const char* name; QTableWidget* table; int row; int column; double truth; };
    const Row rows[] = {
        {"dx", dialog->tblGradient, 0, 1, std::cos(1.0)},
        {"dxx", dialog->tblHessian, 0, 0, -std::sin(1.0)},
        {"dxy", dialog->tblHessian, 0, 1, std::cos(1.0)},
    };
    const auto lastPlace = [](const QString& text) {
        const auto decimals = text.contains('.') ? text.size() - text.indexOf('.') - 1 : 0;
        return std::pow(10.0, -static_cast<double>(decimals));
    };
    for (const Row& row : rows) {
        const QString shown = row.table->item(row.row, row.column)->text();
        EXPECT_LT(shown.size(), QString::fromStdString(displayForm(row.truth)).size()) << row.name;
        EXPECT_NEAR(shown.toDouble(), row.truth, lastPlace(shown)) << row.name << " " << shown.toStdString();
    }
}

// A plot whose ends would pass the largest number is drawn over a narrower half-width, and
// says so.
TEST_F(ResultsMenuTest, APlotWhoseEndsWouldPassTheLargestNumberIsNarrowedAndSaysSo)
{
    compute("y", {"1.7E308", "1"});
    openMenu();
    window->mnuPlot[0]->trigger();
    auto* plot = shown<PlotWindow>();
    ASSERT_NE(plot, nullptr);
    const std::string narrowed = displayForm(std::numeric_limits<double>::max() - 1.7e308);
    EXPECT_EQ(plot->txtRadius->text().toStdString(), narrowed);
    EXPECT_EQ(plot->lblNote->text().toStdString(),
              "The half-width was narrowed to " + narrowed + ", so that the plot's ends stay within the largest number.");
    EXPECT_EQ(plot->plot().samples.back().x, std::numeric_limits<double>::max());
}

// Ten variables: the dialog fits a 1024 x 768 screen (and this one), nothing is drawn over
// anything, every label shows its whole text, and every table shows all its rows.
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
        EXPECT_EQ(overlaps(dialog), Texts{}) << tab;
        EXPECT_EQ(cutLabels(dialog), Texts{}) << tab;
    }
    for (QTableWidget* table : {dialog->tblGradient, dialog->tblHessian, dialog->tblEigen})
        EXPECT_LE(table->verticalHeader()->length(), table->viewport()->height()) << table->objectName().toStdString();
    EXPECT_LE(dialog->tblHessian->horizontalHeader()->length(), dialog->tblHessian->viewport()->width());
}

// Sin(x) at 13700, where the classic slope is far off: with every entry exact, the tangent
// and the parabola take the exact slope and curvature.
TEST_F(ResultsMenuTest, ThePlotsTangentTakesTheExactSlope)
{
    compute("Sin(x)+y", {"13700", "1"});
    window->updateResultsMenu();
    window->mnuPlot[0]->trigger();
    auto* plot = shown<PlotWindow>();
    ASSERT_NE(plot, nullptr);
    EXPECT_NEAR(plot->plot().slope, std::cos(13700.0), 1e-15);
    EXPECT_NEAR(plot->plot().curvature, -std::sin(13700.0), 1e-15);
    plot->close();
}

}  // namespace
}  // namespace slopekit
