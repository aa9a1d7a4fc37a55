#pragma once

#include "documents/printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

namespace slopekit {

// The report printer on a QPrinter (a PDF file when the print dialog or the caller picks
// one). Text goes down the page line by line in a fixed 10 point size; a line that no
// longer fits starts a new page. A font name the system lacks gets its closest installed
// face ("Courier New": the metric-compatible Liberation Mono).
class QtPrinter : public Printer {
public:
    QtPrinter();

    // The device, for the print dialog or for choosing a PDF file before printing.
    QPrinter& device() { return m_printer; }

    std::string fontName() const override;
    void setFontName(const std::string& name) override;
    void printText(const std::string& text) override;
    void endLine() override;
    void endDocument() override;

private:
    void beginIfNeeded();
    void makeRoomForLine();
    qreal lineSpacing() const;

    QPrinter m_printer;
    QPainter m_painter;
    QFont m_font;
    qreal m_x = 0;  // where the next text item starts on the current line
    qreal m_y = 0;  // top of the current line
};

}  // namespace slopekit
