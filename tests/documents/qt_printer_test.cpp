#include "documents/qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

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

TEST(QtPrinter, BreaksPagesItselfInTheCourierNewFaceWithTwentyMillimetreMargins)
{
    int argc = 1;
    char name[] = "documents_qt_tests";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray shortReport = printToPdf(10, dir.filePath("short.pdf"));
    EXPECT_TRUE(shortReport.startsWith("%PDF"));
    EXPECT_EQ(shortReport.count("/Type /Page\n"), 1);
    const QByteArray longReport = printToPdf(150, dir.filePath("long.pdf"));
    EXPECT_EQ(longReport.count("/Type /Page\n"), 3);  // about sixty lines fit on a page
    EXPECT_TRUE(longReport.contains("LiberationMono"));
    EXPECT_EQ(printToPdf(1, "/nonexistent-folder/report.pdf"), QByteArray());
}

}  // namespace
}  // namespace slopekit
