#include "window_fixture.h"

#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <ranges>

namespace slopekit {
namespace {

using namespace testing;

// The report of x^2*y at (3, -2) printed to a PDF; the pages themselves are the printer's
// matter, tested with it.
class PrintTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->printer().device().setOutputFormat(QPrinter::PdfFormat);
        window->printer().device().setOutputFileName(QString::fromStdString(m_pdf));
        enterProblem("2", "x,y");
        type(window->txtEquation, "x^2*y");
        type(window->txtVarx[0], "3");
        type(window->txtVarx[1], "-2");
    }

    // The printed lines, as pdftotext lays them out, without trailing blanks; none when
    // nothing was printed.
    QStringList print()
    {
        std::remove(m_pdf.c_str());
        window->mnuPrint->trigger();
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", QString::fromStdString(m_pdf), "-"});
        EXPECT_TRUE(pdftotext.waitForFinished());
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        text.remove('\f');
        text.replace(QRegularExpression("\\s+$"), "").replace(QRegularExpression(" +\n"), "\n");
        return text.isEmpty() ? QStringList() : text.split('\n');
    }

private:
    std::string m_pdf = path("report.pdf");
};

TEST_F(PrintTest, CancelInThePrintDialogPrintsNothing)
{
    prompts->printAccepted = false;
    EXPECT_EQ(print(), QStringList{});
}

// With no results shown the report computes them; the printer's font is put back.
TEST_F(PrintTest, PrintsTheReportOfTheResultsItComputes)
{
    const std::string font = window->printer().fontName();
    const QStringList printed = print();
    EXPECT_EQ(window->printer().fontName(), font);
    ASSERT_EQ(lines().size(), 6u);
    QStringList expected{"    ORDER: 2", "VARIABLES: x,y", "", "FUNCTION:", "x^2*y", "", "EVALUATION POINT:",
                         "x = 3", "y =-2", "", "FUNCTION =-18", ""};
    for (const std::string& line : lines() | std::views::drop(1))
        expected.append(QString::fromStdString(line));
    EXPECT_EQ(printed, expected);
}

TEST_F(PrintTest, AReportThatCannotBeWrittenSaysWhy)
{
    const std::string pdf = path("missing") + "/report.pdf";
    window->printer().device().setOutputFileName(QString::fromStdString(pdf));
    window->mnuPrint->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].starts_with("The file " + pdf + " could not be written")) << messages()[0];
    EXPECT_EQ(prompts->messageBoxes[0].icon, PromptIcon::Critical);
}

}  // namespace
}  // namespace slopekit
