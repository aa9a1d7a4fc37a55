#include "documents/printer.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

// Records what reaches the printer; can fail at the end of the document.
class RecordingPrinter : public Printer {
public:
    explicit RecordingPrinter(bool failAtEnd) : m_failAtEnd(failAtEnd) {}
    std::string font = "Arial";
    std::string log;

    std::string fontName() const override { return font; }
    void setFontName(const std::string& name) override { font = name; }
    void printText(const std::string& text) override { log += "[" + font + "]" + text; }
    void endLine() override { log += "|"; }
    void endDocument() override
    {
        if (m_failAtEnd)
            throw PrinterFailed("out of paper");
        log += "END";
    }

private:
    bool m_failAtEnd;
};

TEST(ReportPrinting, LinesInCourierNewThenTheFontNameComesBackAlsoWhenThePrinterFails)
{
    for (const bool fails : {false, true}) {
        RecordingPrinter printer(fails);
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
