#include "shell/plot/plot_chart.h"

#include "documents/file_replacement.h"
#include "messages/file_messages.h"
#include "numbers/number_text.h"
#include "shell/plot/plot_range.h"

#include <QBuffer>
#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <cmath>
#include <limits>

namespace slopekit {
namespace {

const QColor CurveBlue(31, 90, 180);
const QColor TangentOrange(220, 110, 0);
const QColor ParabolaLight(120, 200, 120, 170);
const QColor PointRed(200, 20, 20);

QLineSeries* line(const QString& name, const QColor& colour, Qt::PenStyle style, double width = 2)
{
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour, width, style);
    series->setPen(pen);
    return series;
}

void attach(QChart& chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y, bool inLegend = true)
{
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    if (!inLegend)
        for (QLegendMarker* marker : chart.legend()->markers(series))
            marker->setVisible(false);
}

// One series per unbroken run of samples, so a failure leaves a gap instead of a bridge.
// A run also ends where the curve leaves the view on one side and comes back from the
// other, as at a pole: joining those samples would draw a wall that is not there.
void addCurve(QChart& chart, const PlotData& plot, QValueAxis* x, QValueAxis* y)
{
    QLineSeries* run = nullptr;
    bool first = true;
    double previous = std::numeric_limits<double>::quiet_NaN();
    for (const PlotSample& s : plot.samples) {
        const bool jump = (previous > y->max() && s.y < y->min()) || (previous < y->min() && s.y > y->max());
        previous = s.y;
        if (!std::isfinite(s.y) || jump)
            run = nullptr;
        if (!std::isfinite(s.y))
            continue;
        if (!run) {
            run = line("f", CurveBlue, Qt::SolidLine);
            attach(chart, run, x, y, first);
            first = false;
        }
        run->append(s.x, s.y);
    }
}

QString text(double value) { return QString::fromStdString(displayForm(value)); }

// Replaces the file with the picture only once every byte is written.
std::optional<std::string> writePicture(const std::string& path, const QByteArray& bytes)
{
    try {
        replaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return std::nullopt;
    } catch (const FileNotWritten& failure) {
        return notWrittenMessage(path, failure.what(), failure.existedBefore());
    }
}

}  // namespace

QChart* buildPlotChart(const PlotData& plot)
{
    auto* chart = new QChart;
    const QString name = QString::fromStdString(plot.variable);
    chart->setTitle("f along " + name + " through " + name + " = " + text(plot.x0));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* x = new QValueAxis;
    x->setTitleText(name);
    x->setLabelFormat("%.6g");
    x->setRange(plot.x0 - plot.radius, plot.x0 + plot.radius);
    auto* y = new QValueAxis;
    y->setTitleText("f");
    y->setLabelFormat("%.6g");
    const ValueRange range = plotValueRange(plot);
    y->setRange(range.low, range.high);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    // The tangent and the parabola first, so that the curve is drawn over them.
    if (std::isfinite(plot.f0)) {
        auto* tangent = line("Tangent", TangentOrange, Qt::DashLine);
        // Broad and light: where it follows the curve it shows as a band around it.
        auto* parabola = line("Taylor parabola", ParabolaLight, Qt::SolidLine, 6);
        for (const PlotSample& s : plot.samples) {
            const double d = s.x - plot.x0;
            parabola->append(s.x, plot.f0 + plot.slope * d + plot.curvature * d * d / 2);
        }
        tangent->append(plot.x0 - plot.radius, plot.f0 - plot.slope * plot.radius);
        tangent->append(plot.x0 + plot.radius, plot.f0 + plot.slope * plot.radius);
        attach(*chart, tangent, x, y);
        attach(*chart, parabola, x, y);
    }
    addCurve(*chart, plot, x, y);
    if (std::isfinite(plot.f0)) {
        auto* point = new QScatterSeries;
        point->setName("Point (" + text(plot.x0) + ", " + text(plot.f0) + ")");
        point->setColor(PointRed);
        point->setBorderColor(PointRed);
        point->setMarkerSize(9);
        point->append(plot.x0, plot.f0);
        attach(*chart, point, x, y);
    }
    return chart;
}

void drawPlot(const PlotData& plot, QSize size, QPaintDevice& device)
{
    QGraphicsScene scene;
    QChart* chart = buildPlotChart(plot);
    scene.addItem(chart);  // the scene owns it from here
    chart->setGeometry(0, 0, size.width(), size.height());
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(0, 0, size.width(), size.height()), QRectF(0, 0, size.width(), size.height()));
}

std::optional<std::string> savePlotPng(const PlotData& plot, QSize size, const std::string& path)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    drawPlot(plot, size, image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return writePicture(path, bytes);
}

std::optional<std::string> savePlotSvg(const PlotData& plot, QSize size, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("Slopekit plot");
    drawPlot(plot, size, svg);
    return writePicture(path, bytes);
}

}  // namespace slopekit
