#include "documents/printer.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

// Records what reaches the printer; can fail at the end of the document.
struct RecordingPrinter : Printer {
    std::string font = "Arial";
    std::string log;
    bool failAtEnd = false;

    std::string fontName() const override { return font; }
    void setFontName(const std::string& name) override { font = name; }
    void printText(const std::string& text) override { log += "[" + font + "]" + text; }
    void endLine() override { log += "|"; }
    void endDocument() override { failAtEnd ? throw PrinterFailed("out of paper") : log += "END"; }
};

TEST(ReportPrinting, LinesInCourierNewThenTheFontNameComesBackAlsoWhenThePrinterFails)
{
    for (const bool fails : {false, true}) {
        RecordingPrinter printer;
        printer.failAtEnd = fails;
        try {
            ReportFont font(printer);
            printLines(printer, {"    ORDER: 1 ", "", "x"});
            EXPECT_FALSE(fails);
        } catch (const PrinterFailed&) {
            EXPECT_TRUE(fails);
        }
        EXPECT_EQ(printer.log, std::string("[Courier New]    ORDER: 1 ||[Courier New]x|") + (fails ? "" : "END"));
        EXPECT_EQ(printer.font, "Arial");
    }
}

}  // namespace
}  // namespace slopekit
