#include "documents/qt/qt_printer.h"

#include <QFontMetricsF>

namespace slopekit {
namespace {
constexpr int ReportPointSize = 10;
constexpr qreal ReportMargin = 20;  // mm
}

QtPrinter::QtPrinter()
{
    m_font.setPointSize(ReportPointSize);
    m_font.setStyleHint(QFont::TypeWriter);  // a fixed-pitch face if the named one is missing
    // The margins a printed report normally has, on paper and in a PDF alike.
    m_printer.setPageMargins(QMarginsF(ReportMargin, ReportMargin, ReportMargin, ReportMargin),
                             QPageLayout::Millimeter);
}

std::string QtPrinter::fontName() const { return m_font.family().toStdString(); }

void QtPrinter::setFontName(const std::string& name)
{
    m_font.setFamily(QString::fromStdString(name));
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

void QtPrinter::beginIfNeeded()
{
    if (m_painter.isActive())
        return;
    if (!m_painter.begin(&m_printer)) {
        const QString file = m_printer.outputFileName();
        throw PrinterFailed(file.isEmpty() ? "The printer cannot be used."
                                           : "The file " + file.toStdString() + " cannot be written.");
    }
    m_painter.setFont(m_font);
    m_x = 0;
    m_y = 0;
}

qreal QtPrinter::lineSpacing() const { return QFontMetricsF(m_font, &m_printer).lineSpacing(); }

// Called before the first item of a line: a line that would cross the page's lower edge
// goes to the top of a new page.
void QtPrinter::makeRoomForLine()
{
    if (m_y > 0 && m_y + lineSpacing() > m_printer.height()) {
        m_printer.newPage();
        m_y = 0;
    }
}

void QtPrinter::printText(const std::string& text)
{
    beginIfNeeded();
    if (m_x == 0)
        makeRoomForLine();
    const QString item = QString::fromStdString(text);
    const QFontMetricsF metrics(m_font, &m_printer);
    m_painter.drawText(QPointF(m_x, m_y + metrics.ascent()), item);
    m_x += metrics.horizontalAdvance(item);
}

void QtPrinter::endLine()
{
    beginIfNeeded();
    if (m_x == 0)
        makeRoomForLine();
    m_x = 0;
    m_y += lineSpacing();
}

void QtPrinter::endDocument()
{
    beginIfNeeded();  // an empty document still makes one page
    if (!m_painter.end())
        throw PrinterFailed("The report could not be printed.");
}

}  // namespace slopekit
