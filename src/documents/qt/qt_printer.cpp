#include "documents/qt/qt_printer.h"

#include "documents/file_replacement.h"

#include <QFile>
#include <QFontMetricsF>
#include <QTextBoundaryFinder>

#include <utility>

namespace slopekit {
namespace {
constexpr int ReportPointSize = 10;
constexpr qreal ReportMargin = 20;  // mm
}  // namespace

QtPrinter::QtPrinter()
{
    m_font.setPointSize(ReportPointSize);
    m_font.setStyleHint(QFont::TypeWriter);  // a fixed-pitch face if the named one is missing
    // The margins a printed report normally has, on paper and in a PDF alike.
    m_printer.setPageMargins(QMarginsF(ReportMargin, ReportMargin, ReportMargin, ReportMargin),
                             QPageLayout::Millimeter);
}

void QtPrinter::printToFile(const std::string& path)
{
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(QFile::decodeName(QByteArray::fromStdString(path)));
    m_pdfPath = path;
}

// The file the next document goes to, empty when it goes to a printer.
std::string QtPrinter::pdfPath() const
{
    if (m_printer.outputFormat() != QPrinter::PdfFormat || m_printer.outputFileName().isEmpty())
        return {};
    if (!m_pdfPath.empty() && QFile::decodeName(QByteArray::fromStdString(m_pdfPath)) == m_printer.outputFileName())
        return m_pdfPath;
    return QFile::encodeName(m_printer.outputFileName()).toStdString();
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
    m_device = &m_printer;
    if (!pdfPath().empty()) {
        m_pdfBytes.setData(QByteArray());
        m_pdfBytes.open(QIODevice::WriteOnly);
        m_pdfWriter = std::make_unique<QPdfWriter>(&m_pdfBytes);
        m_pdfWriter->setPageLayout(m_printer.pageLayout());
        m_pdfWriter->setResolution(m_printer.resolution());
        m_pdfWriter->setPdfVersion(m_printer.pdfVersion());
        m_pdfWriter->setTitle(m_printer.docName());
        m_pdfWriter->setCreator(m_printer.creator());
        m_device = m_pdfWriter.get();
    }
    if (!m_painter.begin(m_device))
        throw PrinterFailed("The printer cannot be used.");
    m_painter.setFont(m_font);
    m_x = 0;
    m_y = 0;
}

qsizetype fittingLength(const QString& text, qreal room, const QFontMetricsF& metrics, bool lineEmpty)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype fits = 0;
    qsizetype afterBreak = 0;  // the end of the last character after which a line reads well
    qreal used = 0;
    for (qsizetype end = characters.toNextBoundary(); end > 0; end = characters.toNextBoundary()) {
        const QStringView character = QStringView(text).sliced(fits, end - fits);
        used += metrics.horizontalAdvance(character.toString());
        if (used > room)
            break;
        fits = end;
        if (QStringView(u" +-*/^,)=").contains(character.front()))
            afterBreak = end;
    }
    if (fits == text.size())
        return fits;
    // Break after an operator or a blank near the end of the line rather than within a name
    // or a number; a line with nothing else on it always takes at least one character.
    if (afterBreak > 0 && afterBreak * 4 >= fits * 3)
        return afterBreak;
    if (fits == 0 && lineEmpty) {
        characters.toStart();
        return characters.toNextBoundary();
    }
    return fits;
}

qreal QtPrinter::lineSpacing() const { return QFontMetricsF(m_font, m_device).lineSpacing(); }

// Called before the first item of a line: a line that would cross the page's lower edge
// goes to the top of a new page.
void QtPrinter::makeRoomForLine()
{
    if (m_y > 0 && m_y + lineSpacing() > m_device->height()) {
        m_device->newPage();
        m_y = 0;
    }
}

// Text that does not fit on the rest of the line goes on over the following lines, so the
// page holds every character. Where nothing fits after the text a line has already, the
// piece is empty and the item starts on the next line.
void QtPrinter::printText(const std::string& text)
{
    beginIfNeeded();
    const QFontMetricsF metrics(m_font, m_device);
    QString rest = QString::fromStdString(text);
    while (!rest.isEmpty()) {
        if (m_x == 0)
            makeRoomForLine();
        const qsizetype fits = fittingLength(rest, m_device->width() - m_x, metrics, m_x == 0);
        const QString piece = rest.first(fits);
        m_painter.drawText(QPointF(m_x, m_y + metrics.ascent()), piece);
        m_x += metrics.horizontalAdvance(piece);
        rest.remove(0, fits);
        if (!rest.isEmpty())
            endLine();
    }
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
    const bool ended = m_painter.end();
    const bool toFile = m_pdfWriter != nullptr;
    m_pdfWriter.reset();
    m_pdfBytes.close();
    const QByteArray pdf = std::exchange(m_pdfBytes.buffer(), QByteArray());
    if (!ended)
        throw PrinterFailed("The report could not be printed.");
    if (!toFile)
        return;
    const std::string path = pdfPath();
    try {
        replaceFile(path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    } catch (const FileNotWritten& failure) {
        throw PrinterFailed(notWrittenText(path, failure));
    }
}

}  // namespace slopekit
