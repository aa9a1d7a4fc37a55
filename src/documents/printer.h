#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace slopekit {

// What the report needs of a printer. Lines are built from text items; the printer
// breaks pages by itself. A printer that fails throws PrinterFailed.
class Printer {
public:
    virtual ~Printer() = default;
    virtual std::string fontName() const = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void printText(const std::string& text) = 0;  // continues the current line
    virtual void endLine() = 0;
    virtual void endDocument() = 0;  // sends what was printed to the printer
};

class PrinterFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Holds the printer's font name for the length of a report: sets the report font and
// puts the earlier name back when the report ends, however it ends.
class ReportFont {
public:
    explicit ReportFont(Printer& printer);
    ~ReportFont();
    ReportFont(const ReportFont&) = delete;
    ReportFont& operator=(const ReportFont&) = delete;

private:
    Printer& m_printer;
    std::string m_saved;
};

// Prints the lines, one text item and one line end each, and ends the document.
void printLines(Printer& printer, const std::vector<std::string>& lines);

}  // namespace slopekit
