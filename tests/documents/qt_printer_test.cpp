#include "documents/qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <sstream>

namespace slopekit {
namespace {

// The PDF of a report of lineCount lines, every other one empty, or nothing when printing
// failed; the font name comes back afterwards either way.
QByteArray printToPdf(int lineCount, const QString& path)
{
    QtPrinter printer;
    const std::string before = printer.fontName();
    printer.device().setOutputFormat(QPrinter::PdfFormat);  // as the print dialog sets it
    printer.device().setOutputFileName(path);
    EXPECT_EQ(printer.device().pageLayout().margins(QPageLayout::Millimeter), QMarginsF(20, 20, 20, 20));
    std::vector<std::string> lines;
    for (int i = 1; i <= lineCount; ++i)
        lines.push_back(i % 2 ? "Dx" + std::to_string(i) + " = " + std::to_string(i) : "");
    bool printed = true;
    try {
        ReportFont font(printer);
        EXPECT_EQ(printer.fontName(), "Courier New");
        printLines(printer, lines);
    } catch (const PrinterFailed&) {
        printed = false;
    }
    EXPECT_EQ(printer.fontName(), before);
    QFile file(path);
    return printed && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(QtPrinter, BreaksPagesItselfInTheCourierNewFace)
{
    int argc = 1;
    char name[] = "documents_qt_tests";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray shortReport = printToPdf(10, dir.filePath("short.pdf"));
    EXPECT_TRUE(shortReport.startsWith("%PDF")) << "ten lines: a PDF file";
    EXPECT_EQ(shortReport.count("/Type /Page\n"), 1) << "ten lines: pages";
    const QByteArray longReport = printToPdf(150, dir.filePath("long.pdf"));
    EXPECT_EQ(longReport.count("/Type /Page\n"), 3) << "150 lines: pages";  // about sixty lines fit on a page
    EXPECT_TRUE(longReport.contains("LiberationMono")) << "150 lines: the Courier New face";
    EXPECT_EQ(printToPdf(1, "/nonexistent-folder/report.pdf"), QByteArray()) << "a file that cannot be made";
}

// The text pdftotext reads from the file, or nothing where the tool cannot be run.
std::string pdfText(const QString& path)
{
    std::string text;
    if (FILE* pipe = popen(("pdftotext -layout '" + path.toStdString() + "' - 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// A line longer than the page is wide goes on over the following lines: every character is
// on the page, none past its edge, and the lines break after operators.
TEST(QtPrinter, WrapsALongLineSoThePageHoldsEveryCharacter)
{
    int argc = 1;
    char name[] = "documents_qt_tests";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    std::string function;
    for (int k = 1; function.size() < 580; ++k)
        function += "Sin(x" + std::to_string(k) + "*y)+";
    function.pop_back();
    QtPrinter printer;
    printer.printToFile(dir.filePath("long.pdf").toStdString());
    {
        ReportFont font(printer);
        printLines(printer, {"FUNCTION:", function, "END"});
    }
    const std::string text = pdfText(dir.filePath("long.pdf"));
    std::string joined;
    std::size_t lines = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        line.erase(0, line.find_first_not_of(' '));
        if (line.empty() || line == "FUNCTION:" || line == "END" || line.starts_with('\f'))
            continue;
        joined += line;
        ++lines;
        EXPECT_TRUE(line.ends_with('+') || joined.size() == function.size()) << line;
    }
    EXPECT_EQ(joined, function);
    EXPECT_GE(lines, 6u);  // about eighty characters to a line
}

}  // namespace
}  // namespace slopekit
