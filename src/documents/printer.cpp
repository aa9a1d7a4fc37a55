#include "documents/printer.h"

namespace slopekit {

ReportFont::ReportFont(Printer& printer) : m_printer(printer), m_saved(printer.fontName())
{
    m_printer.setFontName("Courier New");
}

ReportFont::~ReportFont() { m_printer.setFontName(m_saved); }

void printLines(Printer& printer, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (!line.empty())
            printer.printText(line);
        printer.endLine();
    }
    printer.endDocument();
}

}  // namespace slopekit
