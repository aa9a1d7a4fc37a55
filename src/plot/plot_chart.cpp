#include "plot/plot_chart.h"

#include "documents/file_replacement.h"
#include "numbers/number_text.h"
#include "plot/plot_clip.h"
#include "plot/plot_range.h"

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
#include <functional>
#include <limits>
#include <utility>

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

// The parts of a line inside the axes' ranges, one series each, only the first in the legend.
void addClipped(QChart& chart, const PlotLine& points, QValueAxis* x, QValueAxis* y,
                const std::function<QLineSeries*()>& make, bool& inLegend)
{
    for (const PlotLine& part : clipToBox(points, {x->min(), x->max()}, {y->min(), y->max()})) {
        QLineSeries* series = make();
        for (const PlotPoint& p : part)
            series->append(p.x, p.y);
        attach(chart, series, x, y, std::exchange(inLegend, false));
    }
}

// The curve in runs that a failure ends, so it leaves a gap instead of a bridge. A run also
// ends where the curve leaves the view on one side and comes back from the other, as at a
// pole: joining those samples would draw a wall that is not there.
std::vector<PlotLine> curveRuns(const PlotData& plot, ValueRange ys)
{
    std::vector<PlotLine> runs(1);
    double previous = std::numeric_limits<double>::quiet_NaN();
    for (const PlotSample& s : plot.samples) {
        const bool jump = (previous > ys.high && s.y < ys.low) || (previous < ys.low && s.y > ys.high);
        previous = s.y;
        if ((!std::isfinite(s.y) || jump) && !runs.back().empty())
            runs.emplace_back();
        if (std::isfinite(s.y))
            runs.back().push_back({s.x, s.y});
    }
    return runs;
}

// Round-numbered ticks, labelled with the digits that tell them apart.
void placeTicks(QValueAxis* axis)
{
    const AxisTicks ticks = roundTicks({axis->min(), axis->max()});
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(ticks.anchor);
    axis->setTickInterval(ticks.interval);
    axis->setLabelFormat("%." + QString::number(ticks.digits) + "g");
}

QString text(double value) { return QString::fromStdString(displayForm(value)); }

// Replaces the file with the picture only once every byte is written.
std::optional<std::string> writePicture(const std::string& path, const QByteArray& bytes)
{
    try {
        replaceFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return std::nullopt;
    } catch (const FileNotWritten& failure) {
        return notWrittenText(path, failure);
    }
}

}  // namespace

// "f along x through x = 1", and below it the coordinates held fixed, a few to a line.
QString plotTitle(const PlotData& plot)
{
    const QString name = QString::fromStdString(plot.variable);
    QString title = "f along " + name + " through " + name + " = " + text(plot.x0);
    if (plot.held.empty())
        return title;
    constexpr int HeldPerLine = 5;
    for (std::size_t k = 0; k < plot.held.size(); ++k) {
        title += k % HeldPerLine == 0 ? "<br>" : ", ";
        if (k == 0)
            title += "held fixed: ";
        title += QString::fromStdString(plot.held[k].name) + " = " + text(plot.held[k].value);
    }
    return title;
}

QChart* buildPlotChart(const PlotData& plot)
{
    auto* chart = new QChart;
    chart->setTitle(plotTitle(plot));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* x = new QValueAxis;
    x->setTitleText(QString::fromStdString(plot.variable));
    x->setRange(plot.x0 - plot.radius, plot.x0 + plot.radius);
    auto* y = new QValueAxis;
    y->setTitleText("f");
    const ValueRange range = plotValueRange(plot);
    y->setRange(range.low, range.high);
    for (QValueAxis* axis : {x, y})
        placeTicks(axis);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    // The tangent and the parabola first, so that the curve is drawn over them.
    if (std::isfinite(plot.f0)) {
        PlotLine tangent;
        PlotLine parabola;
        for (const PlotSample& s : plot.samples) {
            const double d = s.x - plot.x0;
            tangent.push_back({s.x, plot.f0 + plot.slope * d});
            parabola.push_back({s.x, plot.f0 + plot.slope * d + plot.curvature / 2 * d * d});
        }
        bool inLegend = true;
        addClipped(
            *chart, tangent, x, y, [] { return line("Tangent", TangentOrange, Qt::DashLine); }, inLegend);
        // Broad and light: where it follows the curve it shows as a band around it.
        inLegend = true;
        addClipped(
            *chart, parabola, x, y, [] { return line("Taylor parabola", ParabolaLight, Qt::SolidLine, 6); }, inLegend);
    }
    bool inLegend = true;
    for (const PlotLine& run : curveRuns(plot, range))
        addClipped(
            *chart, run, x, y, [] { return line("f", CurveBlue, Qt::SolidLine); }, inLegend);
    if (std::isfinite(plot.f0)) {
        auto* point = new QScatterSeries;
        point->setName("Point " + QString::fromStdString(plot.variable) + " = " + text(plot.x0) +
                       ", f = " + text(plot.f0));
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
