#include "shell/analysis_dialog.h"
#include "shell/plot_window.h"
#include "window_fixture.h"

#include <gmock/gmock.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QTableWidget>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace slopekit {
namespace {

using namespace testing;
using ::testing::ElementsAre;

// Two variables computed at a point; the results list's context menu at hand.
class ResultsMenuTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        enterProblem("2", "x,y");
    }

    void compute(const QString& function, const QString& x, const QString& y)
    {
        type(window->txtEquation, function);
        type(window->txtVarx[0], x);
        type(window->txtVarx[1], y);
        clickThroughWindow(window->cmdCompute);
    }

    // Opens the context menu as a right click in the list does.
    void openMenu()
    {
        QWidget* viewport = window->lstDerVal->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(viewport, &event);
    }

    std::vector<std::string> menuEntries() const
    {
        std::vector<std::string> entries;
        for (QAction* action : window->mnuResults->actions())
            entries.push_back((action->isEnabled() ? "" : "(off) ") + action->text().toStdString());
        return entries;
    }

    static std::string clipboard() { return QApplication::clipboard()->text().toStdString(); }

    template <typename Window>
    Window* opened() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<Window*>(w); found && found->isVisible())
                return found;
        return nullptr;
    }

    static std::string cell(QTableWidget* table, int row, int column)
    {
        return table->item(row, column)->text().toStdString();
    }
};

TEST_F(ResultsMenuTest, OffersWhatTheStateAllows)
{
    openMenu();
    EXPECT_TRUE(window->mnuResults->isVisible());
    EXPECT_THAT(menuEntries(), ElementsAre("(off) Copy", "(off) Copy all", "(off) Copy as table", "",
                                           "(off) Analyse at this point\u2026", "", "(off) Plot along x\u2026",
                                           "(off) Plot along y\u2026"));
    window->mnuResults->hide();
    compute("x*y", "1", "2");
    window->lstDerVal->item(1)->setSelected(true);
    openMenu();
    EXPECT_THAT(menuEntries(), ElementsAre("Copy", "Copy all", "Copy as table", "", "Analyse at this point\u2026", "",
                                           "Plot along x\u2026", "Plot along y\u2026"));
}

TEST_F(ResultsMenuTest, CopiesSelectedLinesAllLinesOrATable)
{
    compute("x*y", "1E6", "2E6");  // differences exact at coordinates of a million
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
}

TEST_F(ResultsMenuTest, AnalysisDialogClassifiesTheSaddle)
{
    compute("x^2 - y^2", "0", "0");
    openMenu();
    window->mnuAnalyse->trigger();
    auto* dialog = opened<AnalysisDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->lblClassification->text().toStdString(), "<b>Classification: saddle point</b>");
    ASSERT_EQ(dialog->tblEigen->rowCount(), 2);
    EXPECT_EQ(cell(dialog->tblEigen, 0, 0), "-2");
    EXPECT_EQ(cell(dialog->tblEigen, 0, 1), "negative");
    EXPECT_EQ(cell(dialog->tblEigen, 1, 0), "2");
    EXPECT_EQ(cell(dialog->tblEigen, 1, 1), "positive");
    EXPECT_EQ(cell(dialog->tblHessian, 0, 1), "0");
    EXPECT_EQ(cell(dialog->tblGradient, 1, 1), "0");
    EXPECT_THAT(dialog->lblBasis->text().toStdString(), ::testing::StartsWith("From the refined estimates and their errors: "));
    EXPECT_TRUE(prompts.messageBoxes.empty());
}

TEST_F(ResultsMenuTest, PlotHasGapsWhereTheFunctionFailsAndKeepsTheProblem)
{
    compute("Sqr(x) + y", "1", "5");
    const std::vector<std::string> before = {window->lstDerVal->item(0)->text().toStdString()};
    openMenu();
    window->mnuPlot[0]->trigger();
    auto* plot = opened<PlotWindow>();
    ASSERT_NE(plot, nullptr);
    const PlotData& data = plot->plot();
    ASSERT_EQ(data.samples.size(), static_cast<std::size_t>(DefaultPlotSamples));
    EXPECT_EQ(data.samples.front().x, 0);
    EXPECT_EQ(data.samples.back().x, 2);
    EXPECT_EQ(std::count_if(data.samples.begin(), data.samples.end(), [](const PlotSample& s) { return std::isnan(s.y); }),
              0);
    type(plot->txtRadius, "2.5");
    click(plot->cmdRedraw);
    const auto gaps = std::count_if(plot->plot().samples.begin(), plot->plot().samples.end(),
                                    [](const PlotSample& s) { return std::isnan(s.y); });
    EXPECT_EQ(gaps, 120);  // x from -1.5 to 3.5: the first 120 samples below 0
    EXPECT_EQ(plot->lblNote->text().toStdString(),
              "120 of 400 samples could not be computed and are left out of the curve.");
    EXPECT_TRUE(prompts.messageBoxes.empty());
    EXPECT_THAT(dim.Varx, ElementsAre(1, 5));
    EXPECT_EQ(window->lstDerVal->item(0)->text().toStdString(), before[0]);
    EXPECT_EQ(window->lstDerVal->count(), 6);
}

TEST_F(ResultsMenuTest, PlotSavesPngAndSvgAndStopsFollowingClearedResults)
{
    compute("x^3 - y", "1", "5");
    openMenu();
    window->mnuPlot[1]->trigger();
    auto* plot = opened<PlotWindow>();
    ASSERT_NE(plot, nullptr);
    QTemporaryDir dir;
    const std::string png = dir.filePath("plot.png").toStdString();
    const std::string svg = dir.filePath("plot.svg").toStdString();
    prompts.fileNames = {png, svg};
    click(plot->cmdSavePng);
    click(plot->cmdSaveSvg);
    std::ostringstream pngBytes, svgBytes;
    pngBytes << std::ifstream(png, std::ios::binary).rdbuf();
    svgBytes << std::ifstream(svg, std::ios::binary).rdbuf();
    EXPECT_TRUE(pngBytes.str().starts_with("\x89PNG")) << png;
    EXPECT_NE(svgBytes.str().find("<svg"), std::string::npos) << svg;

    type(window->txtEquation, "x");
    EXPECT_FALSE(plot->cmdRedraw->isEnabled());
    EXPECT_TRUE(prompts.messageBoxes.empty());
}

}  // namespace
}  // namespace slopekit
