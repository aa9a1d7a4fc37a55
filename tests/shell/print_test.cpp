#include "window_fixture.h"

#include <QProcess>
#include <QRegularExpression>

#include <cstdio>

namespace slopekit {
namespace {

using namespace testing;

// Cancel in the print dialog cancels the report; the report computes when no results are
// shown and else prints the shown ones, the refined ones when the list shows them. The
// printer's font name is put back each time. A report that cannot be made or written shows
// its one message and prints nothing.
TEST_F(WindowTest, PrintsEveryLineOfTheShownResultsComputingThemOnlyWhenNoneAreShown)
{
    const std::string pdf = path("report.pdf");
    window->printer().device().setOutputFormat(QPrinter::PdfFormat);
    window->printer().device().setOutputFileName(QString::fromStdString(pdf));
    // The printed lines, as pdftotext lays them out, without trailing blanks; none when
    // nothing was printed.
    const auto print = [&] {
        std::remove(pdf.c_str());
        window->mnuPrint->trigger();
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
        EXPECT_TRUE(pdftotext.waitForFinished());
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        text.remove('\f');
        text.replace(QRegularExpression("\\s+$"), "").replace(QRegularExpression(" +\n"), "\n");
        return text.isEmpty() ? QStringList() : text.split('\n');
    };
    enterProblem("2", "x,y");
    type(window->txtEquation, "x^2*y");
    type(window->txtVarx[0], "3");
    type(window->txtVarx[1], "-2");
    const std::string font = window->printer().fontName();
    prompts->printAccepted = false;
    EXPECT_TRUE(print().isEmpty() && lines().empty());
    EXPECT_EQ(window->printer().fontName(), font);

    prompts->printAccepted = true;
    const QStringList printed = print();
    EXPECT_EQ(window->printer().fontName(), font);
    EXPECT_EQ(messages(), Texts{});
    EXPECT_EQ(prompts->printDialogs, 2);
    ASSERT_EQ(lines().size(), 6u);
    QStringList expected{"    ORDER: 2", "VARIABLES: x,y", "", "FUNCTION:", "x^2*y", "", "EVALUATION POINT:",
                         "x = 3", "y =-2", "", "FUNCTION =-18", ""};
    for (const std::string& line : lines() | std::views::drop(1))
        expected.append(QString::fromStdString(line));
    EXPECT_EQ(printed, expected);

    type(window->txtVarx[0], "5");  // a point edit keeps the shown results
    EXPECT_EQ(print(), expected);
    EXPECT_EQ(dim->Varx[0], 3.0);

    type(window->txtVarx[0], "3");
    window->mnuRefined->trigger();
    EXPECT_EQ(print().filter(QRegularExpression("^Dx = -12 ± [0-9.E+-]+$")).size(), 1);
    EXPECT_TRUE(lines()[1].starts_with("Dx = -12 ± "));
    window->mnuExact->trigger();
    EXPECT_EQ(print().mid(12, 5), (QStringList{"Dx = -12", "Dy = 9", "Dxx = -4", "Dyy = 0", "Dxy = 6"}));

    type(window->txtEquation, "Sqr(x)");
    type(window->txtVarx[0], "0");
    EXPECT_TRUE(print().isEmpty());
    EXPECT_EQ(messages(), Texts{"Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r"});
    EXPECT_FALSE(dim->ResultsShown);
    EXPECT_EQ(lines(), Texts{});

    type(window->txtVarx[0], "1");
    const std::string folder = path("missing") + "/report.pdf";
    window->printer().device().setOutputFileName(QString::fromStdString(folder));
    window->mnuPrint->trigger();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_TRUE(messages()[1].starts_with("The file " + folder + " could not be written"));
    EXPECT_EQ(prompts->messageBoxes[1].icon, PromptIcon::Critical);
}

}  // namespace
}  // namespace slopekit
