#include "file_size_limit.h"
#include "window_fixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace slopekit {
namespace {

using namespace testing;

// Prints the window's report of x^2*y at (3, -2) into a PDF file and reads its text back.
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

    void print()
    {
        std::remove(pdf.c_str());
        window->mnuPrint->trigger();
    }

    // The printed lines, as pdftotext lays them out, without trailing blanks and lines.
    QStringList printedLines() const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
        EXPECT_TRUE(pdftotext.waitForFinished());
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        text.remove('\f');
        text.replace(QRegularExpression("\\s+$"), "").replace(QRegularExpression(" +\n"), "\n");
        return text.split('\n');
    }

    const std::string pdf = path("report.pdf");
};

const QStringList Report{"    ORDER: 2", "VARIABLES: x,y", "", "FUNCTION:", "x^2*y", "", "EVALUATION POINT:",
                         "x = 3", "y =-2", "", "FUNCTION =-18", ""};

// The report computes when nothing is shown, and else prints the shown results.
TEST_F(PrintTest, PrintComputesOnceAndPrintsEveryLineOfTheShownResults)
{
    print();
    EXPECT_TRUE(prompts->messageBoxes.empty());
    EXPECT_EQ(prompts->printDialogs, 1);
    EXPECT_TRUE(dim->ResultsShown);
    ASSERT_EQ(lines().size(), 6u);
    QStringList expected = Report;
    for (int k = 1; k < 6; ++k)
        expected.append(QString::fromStdString(lines()[k]));
    EXPECT_EQ(printedLines(), expected);

    type(window->txtVarx[0], "5");  // a point edit keeps the shown results
    print();
    EXPECT_EQ(printedLines(), expected);
    EXPECT_EQ(dim->Varx[0], 3.0);
}

TEST_F(PrintTest, PrintsTheRefinedResultsWhenTheListShowsThem)
{
    window->mnuRefined->trigger();
    print();
    EXPECT_EQ(printedLines().filter(QRegularExpression("^Dx = -12 ± [0-9.E+-]+$")).size(), 1);
    EXPECT_TRUE(lines()[1].starts_with("Dx = -12 ± "));
}

TEST_F(PrintTest, CancelInThePrintDialogCancelsTheReportAndTheFontNameComesBack)
{
    const std::string font = window->printer().fontName();
    prompts->printAccepted = false;
    print();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    EXPECT_FALSE(dim->ResultsShown);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(window->printer().fontName(), font);

    prompts->printAccepted = true;
    print();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(pdf)));
    EXPECT_EQ(window->printer().fontName(), font);
}

TEST_F(PrintTest, AFailingComputationShowsItsOneMessageAndPrintsNothing)
{
    type(window->txtEquation, "Sqr(x)");
    type(window->txtVarx[0], "0");
    print();
    ASSERT_EQ(prompts->messageBoxes.size(), 1u);
    EXPECT_EQ(prompts->messageBoxes[0].text, "Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    EXPECT_FALSE(dim->ResultsShown);
    EXPECT_TRUE(lines().empty());
}

// "Print to File" onto a full disk (here: the file-size limit is reached).
TEST_F(PrintTest, APdfThatFailsPartWayKeepsTheOldFileAndSaysSo)
{
    write("report.pdf", "an earlier report");
    const std::string shownText = path("shown");
    // The child only prints: painting the window there would wait for the parent's threads.
    click(window->cmdCompute);
    QCoreApplication::processEvents();
    const int status = exitStatusWithFileSizeLimit(1024, [&] {
        window->mnuPrint->trigger();
        if (prompts->messageBoxes.size() != 1)
            return 1;
        std::ofstream(shownText) << prompts->messageBoxes[0].text;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(bytesOf(shownText),
              "The file " + pdf + " could not be written (File too large). An earlier file of that name is unchanged.");
    EXPECT_EQ(bytesOf(pdf), "an earlier report");
}

}  // namespace
}  // namespace slopekit
