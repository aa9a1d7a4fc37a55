#pragma once

#include "documents/printer.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <memory>

namespace slopekit {

// How many UTF-16 units of the text's leading whole characters fit in room: all of it if it
// fits, else preferably up to an operator or blank near the end; at least one character
// when lineEmpty, 0 when nothing fits on a line that has text already.
qsizetype fittingLength(const QString& text, qreal room, const QFontMetricsF& metrics, bool lineEmpty);

// The report printer on a QPrinter (a PDF file when the print dialog or the caller picks
// one). Text goes down the page line by line in a fixed 10 point size; a line that no
// longer fits starts a new page. A font name the system lacks gets its closest installed
// face ("Courier New": the metric-compatible Liberation Mono).
// A PDF is made in memory and written only when it is complete, with every write checked,
// so a full disk never leaves a cut file and an earlier file of that name stays as it was.
class QtPrinter : public Printer {
public:
    QtPrinter();

    // The device, for the print dialog or for choosing a PDF file before printing.
    QPrinter& device() { return m_printer; }

    // Prints the next document into a PDF file at path, a name taken as the system's bytes.
    void printToFile(const std::string& path);

    std::string fontName() const override;
    void setFontName(const std::string& name) override;
    void printText(const std::string& text) override;
    void endLine() override;
    void endDocument() override;

private:
    void beginIfNeeded();
    void makeRoomForLine();
    qreal lineSpacing() const;
    std::string pdfPath() const;

    QPrinter m_printer;
    std::string m_pdfPath;  // as the caller gave it; otherwise the device's file name counts
    QBuffer m_pdfBytes;
    std::unique_ptr<QPdfWriter> m_pdfWriter;
    QPagedPaintDevice* m_device = nullptr;  // what is painted on: the printer or the PDF writer
    QPainter m_painter;
    QFont m_font;
    qreal m_x = 0;  // where the next text item starts on the current line
    qreal m_y = 0;  // top of the current line
};

}  // namespace slopekit
