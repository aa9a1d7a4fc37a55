#include "file_size_limit.h"
#include "window_fixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace slopekit {
namespace {

using namespace testing;

// Prints the window's report into a PDF file and reads its text back.
class PrintTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->printer().device().setOutputFormat(QPrinter::PdfFormat);
        window->printer().device().setOutputFileName(pdfPath());
        enterProblem("2", "x,y");
        type(window->txtEquation, "x^2*y");
        type(window->txtVarx[0], "3");
        type(window->txtVarx[1], "-2");
    }

    QString pdfPath() const { return m_dir.filePath("report.pdf"); }

    // The printed lines, as pdftotext lays them out (trailing blanks dropped).
    QStringList printedLines() const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdfPath(), "-"});
        EXPECT_TRUE(pdftotext.waitForFinished());
        QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        text.remove('\f');
        QStringList lines = text.split('\n');
        for (QString& line : lines)
            line = line.trimmed().isEmpty() ? QString() : line.replace(QRegularExpression(" +$"), "");
        while (!lines.isEmpty() && lines.back().isEmpty())
            lines.pop_back();
        return lines;
    }

    void print()
    {
        QFile::remove(pdfPath());
        window->mnuPrint->trigger();
    }

private:
    QTemporaryDir m_dir;
};

const QStringList ReportAtThreeMinusTwo{
    "    ORDER: 2", "VARIABLES: x,y", "", "FUNCTION:", "x^2*y", "", "EVALUATION POINT:", "x = 3", "y =-2", "",
    "FUNCTION =-18", ""};

TEST_F(PrintTest, PrintBeforeAnyComputeComputesFirstAndPrintsEveryLine)
{
    print();
    EXPECT_TRUE(prompts.messageBoxes.empty());
    EXPECT_EQ(prompts.printDialogs, 1);
    EXPECT_TRUE(dim.ResultsShown);
    ASSERT_EQ(window->lstDerVal->count(), 6);
    const QStringList lines = printedLines();
    ASSERT_EQ(lines.size(), ReportAtThreeMinusTwo.size() + 5);
    EXPECT_EQ(lines.mid(0, ReportAtThreeMinusTwo.size()), ReportAtThreeMinusTwo);
    for (int k = 1; k < 6; ++k)  // the derivative lines are the list's lines
        EXPECT_EQ(lines[ReportAtThreeMinusTwo.size() + k - 1], window->lstDerVal->item(k)->text());
}

TEST_F(PrintTest, PrintTwiceComputesOnceAndReportsTheShownResults)
{
    print();
    const QString firstDx = window->lstDerVal->item(1)->text();
    type(window->txtVarx[0], "5");  // a point edit keeps the shown results
    print();
    EXPECT_EQ(printedLines().mid(0, ReportAtThreeMinusTwo.size()), ReportAtThreeMinusTwo);
    EXPECT_EQ(window->lstDerVal->item(1)->text(), firstDx);
    EXPECT_EQ(dim.Varx[0], 3.0);
}

TEST_F(PrintTest, PrintsTheRefinedResultsWhenTheListShowsThem)
{
    window->mnuRefined->trigger();
    print();
    EXPECT_EQ(printedLines().filter(QRegularExpression("^Dx = -12 ± [0-9.E+-]+$")).size(), 1);
    EXPECT_TRUE(window->lstDerVal->item(1)->text().startsWith("Dx = -12 ± "));
}

TEST_F(PrintTest, CancelInThePrintDialogCancelsTheReportAndTheFontNameComesBack)
{
    const std::string font = window->printer().fontName();
    prompts.printAccepted = false;
    print();
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_FALSE(dim.ResultsShown);
    EXPECT_EQ(window->lstDerVal->count(), 0);
    EXPECT_EQ(window->printer().fontName(), font);

    prompts.printAccepted = true;
    print();
    EXPECT_TRUE(QFile::exists(pdfPath()));
    EXPECT_EQ(window->printer().fontName(), font);
}

TEST_F(PrintTest, AFailingComputationShowsItsOneMessageAndPrintsNothing)
{
    type(window->txtEquation, "Sqr(x)");
    type(window->txtVarx[0], "0");
    print();
    ASSERT_EQ(prompts.messageBoxes.size(), 1u);
    EXPECT_EQ(prompts.messageBoxes[0].text, "Slopekit expression runtime error 5\rInvalid procedure call or argument\r\r");
    EXPECT_FALSE(QFile::exists(pdfPath()));
    EXPECT_FALSE(dim.ResultsShown);
    EXPECT_EQ(window->lstDerVal->count(), 0);
}

// "Print to File" onto a full disk (here: the file-size limit is reached).
TEST_F(PrintTest, APdfThatFailsPartWayKeepsTheOldFileAndSaysSo)
{
    const QByteArray earlier = "an earlier report";
    QFile old(pdfPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(earlier) == earlier.size());
    old.close();
    const QString shown = pdfPath() + ".shown";
    // The child only prints: painting the window there would wait for the parent's threads.
    click(window->cmdCompute);
    QCoreApplication::processEvents();
    const int status = testing::exitStatusWithFileSizeLimit(1024, [&] {
        window->mnuPrint->trigger();
        QFile message(shown);
        if (prompts.messageBoxes.size() != 1 || !message.open(QIODevice::WriteOnly))
            return 1;
        message.write(QByteArray::fromStdString(prompts.messageBoxes[0].text));
        return 0;
    });
    EXPECT_EQ(status, 0);
    QFile message(shown);
    ASSERT_TRUE(message.open(QIODevice::ReadOnly));
    EXPECT_EQ(message.readAll().toStdString(), "The file " + pdfPath().toStdString() +
                                                   " could not be written (File too large). An earlier file of that "
                                                   "name is unchanged.");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), earlier);
}

}  // namespace
}  // namespace slopekit
