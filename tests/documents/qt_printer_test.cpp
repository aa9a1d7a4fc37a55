#include "documents/qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace slopekit {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "documents_qt_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

QByteArray printToPdf(int lineCount, const QString& path)
{
    QtPrinter printer;
    printer.device().setOutputFormat(QPrinter::PdfFormat);
    printer.device().setOutputFileName(path);
    {
        ReportFont font(printer);
        std::vector<std::string> lines;
        for (int i = 1; i <= lineCount; ++i)
            lines.push_back("Dx" + std::to_string(i) + " = " + std::to_string(i));
        printLines(printer, lines);
    }
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(QtPrinter, BreaksPagesItselfInTheCourierNewFace)
{
    ensureApplication();
    QTemporaryDir dir;
    const QByteArray shortReport = printToPdf(10, dir.filePath("short.pdf"));
    const QByteArray longReport = printToPdf(150, dir.filePath("long.pdf"));
    EXPECT_TRUE(shortReport.startsWith("%PDF"));
    EXPECT_EQ(shortReport.count("/Type /Page\n"), 1);
    EXPECT_EQ(longReport.count("/Type /Page\n"), 3);  // about sixty lines fit on a page
    EXPECT_TRUE(longReport.contains("LiberationMono"));
}

TEST(QtPrinter, LeavesTwentyMillimetreMargins)
{
    ensureApplication();
    QtPrinter printer;
    printer.device().setOutputFormat(QPrinter::PdfFormat);
    EXPECT_EQ(printer.device().pageLayout().margins(QPageLayout::Millimeter), QMarginsF(20, 20, 20, 20));
}

TEST(QtPrinter, FontNameComesBackAndAnUnwritableFileFails)
{
    ensureApplication();
    QtPrinter printer;
    const std::string before = printer.fontName();
    printer.device().setOutputFormat(QPrinter::PdfFormat);
    printer.device().setOutputFileName("/nonexistent-folder/report.pdf");
    {
        ReportFont font(printer);
        EXPECT_EQ(printer.fontName(), "Courier New");
        EXPECT_THROW(printLines(printer, {"x"}), PrinterFailed);
    }
    EXPECT_EQ(printer.fontName(), before);
}

}  // namespace
}  // namespace slopekit
