#include "documents/printer.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

// Records what reaches the printer; can fail at the end of the document.
class RecordingPrinter : public Printer {
public:
    std::string font = "Arial";
    std::string log;
    bool failAtEnd = false;

    std::string fontName() const override { return font; }
    void setFontName(const std::string& name) override { font = name; }
    void printText(const std::string& text) override { log += "[" + font + "]" + text; }
    void endLine() override { log += "|"; }
    void endDocument() override
    {
        if (failAtEnd)
            throw PrinterFailed("out of paper");
        log += "END";
    }
};

TEST(ReportPrinting, LinesInCourierNewThenTheFontNameComesBack)
{
    RecordingPrinter printer;
    {
        ReportFont font(printer);
        printLines(printer, {"    ORDER: 1 ", "", "x"});
    }
    EXPECT_EQ(printer.log, "[Courier New]    ORDER: 1 ||[Courier New]x|END");
    EXPECT_EQ(printer.font, "Arial");
}

TEST(ReportPrinting, FontNameComesBackWhenThePrinterFails)
{
    RecordingPrinter printer;
    printer.failAtEnd = true;
    try {
        ReportFont font(printer);
        printLines(printer, {"x"});
        ADD_FAILURE() << "printed";
    } catch (const PrinterFailed&) {
    }
    EXPECT_EQ(printer.font, "Arial");
}

}  // namespace
}  // namespace slopekit
