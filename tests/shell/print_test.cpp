#include "window_fixture.h"

#include <QProcess>

#include <cstdio>

namespace slopekit {
namespace {

using namespace testing;

// The report of x^2*y at (3, -2) printed to a PDF. What the pages hold is the report's and
// the printer's matter, tested with them and with the cli's report.
class PrintTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->printer().device().setOutputFormat(QPrinter::PdfFormat);
        window->printer().device().setOutputFileName(QString::fromStdString(pdf));
        enterProblem("2", "x,y");
        type(window->txtEquation, "x^2*y");
        type(window->txtVarx[0], "3");
        type(window->txtVarx[1], "-2");
    }
    // The printed text as pdftotext reads it, "" when nothing was printed.
    std::string print()
    {
        std::remove(pdf.c_str());
        window->mnuPrint->trigger();
        QProcess pdftotext;
        pdftotext.start("pdftotext", {QString::fromStdString(pdf), "-"});
        EXPECT_TRUE(pdftotext.waitForFinished());
        return pdftotext.readAllStandardOutput().toStdString();
    }

    const std::string pdf = path("report.pdf");
};

TEST_F(PrintTest, CancelInThePrintDialogPrintsNothing)
{
    prompts->printAccepted = false;
    EXPECT_EQ(print(), "");
}

TEST_F(PrintTest, WithNoResultsShownPrintComputesThem)
{
    EXPECT_NE(print(), "");
    EXPECT_EQ(lines().size(), 6u);
}

// A point edited since keeps the shown results, and so does their report.
TEST_F(PrintTest, PrintsTheShownResultsInTheShownView)
{
    clickThroughWindow(window->cmdCompute);
    type(window->txtVarx[0], "5");
    window->mnuExact->trigger();
    EXPECT_NE(print().find("\nDx = -12\n"), std::string::npos);
}

// The report sets the printer's font for its own pages.
TEST_F(PrintTest, ThePrintersFontIsPutBackAfterTheReport)
{
    const std::string font = window->printer().fontName();
    window->mnuPrint->trigger();
    EXPECT_EQ(window->printer().fontName(), font);
}

TEST_F(PrintTest, AReportThatCannotBeComputedPrintsNothing)
{
    type(window->txtEquation, "Sqr(x)");
    type(window->txtVarx[0], "0");
    EXPECT_EQ(print(), "");
    EXPECT_EQ(messages(), Texts{"Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r"});
}

TEST_F(PrintTest, AReportThatCannotBeWrittenSaysWhy)
{
    const std::string missing = path("missing") + "/report.pdf";
    window->printer().device().setOutputFileName(QString::fromStdString(missing));
    window->mnuPrint->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].starts_with("The file " + missing + " could not be written")) << messages()[0];
}

}  // namespace
}  // namespace slopekit
