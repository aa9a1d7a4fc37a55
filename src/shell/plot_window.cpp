#include "shell/plot_window.h"

#include "errors/run_error.h"
#include "numbers/number_text.h"
#include "plot/plot_chart.h"
#include "shell/prompts.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

namespace slopekit {

PlotWindow::PlotWindow(PlotData plot, double askedRadius, Resample resample, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), m_resample(std::move(resample)), m_prompts(prompts)
{
    setObjectName("frmPlot");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Plot along " + QString::fromStdString(plot.variable));

    chartView = new QChartView(this);
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumSize(PlotPictureSize);

    auto* radiusLabel = new QLabel("Half-width:", this);
    txtRadius = new QLineEdit(this);
    txtRadius->setObjectName("txtRadius");
    txtRadius->setToolTip("The plot shows the point plus and minus this much along the variable");
    radiusLabel->setBuddy(txtRadius);
    cmdRedraw = new QPushButton("Redraw", this);
    cmdSavePng = new QPushButton("Save PNG\u2026", this);
    cmdSaveSvg = new QPushButton("Save SVG\u2026", this);
    lblNote = new QLabel(this);
    lblNote->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(radiusLabel);
    controls->addWidget(txtRadius);
    controls->addWidget(cmdRedraw);
    controls->addStretch();
    controls->addWidget(cmdSavePng);
    controls->addWidget(cmdSaveSvg);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chartView, 1);
    layout->addLayout(controls);
    layout->addWidget(lblNote);

    connect(cmdRedraw, &QPushButton::clicked, this, &PlotWindow::cmdRedraw_Click);
    connect(txtRadius, &QLineEdit::returnPressed, this, &PlotWindow::cmdRedraw_Click);
    connect(cmdSavePng, &QPushButton::clicked, this, [this] { save(false); });
    connect(cmdSaveSvg, &QPushButton::clicked, this, [this] { save(true); });
    display(std::move(plot), askedRadius);
}

void PlotWindow::display(PlotData plot, double askedRadius)
{
    m_plot = std::move(plot);
    txtRadius->setText(QString::fromStdString(displayForm(m_plot.radius)));
    QChart* old = chartView->chart();
    chartView->setChart(buildPlotChart(m_plot));
    delete old;
    QStringList notes;
    if (m_plot.radius < askedRadius)
        notes << "The half-width was narrowed to " + txtRadius->text() +
                     ", so that the plot's ends stay within the largest number.";
    std::size_t gaps = 0;
    for (const PlotSample& s : m_plot.samples)
        gaps += std::isnan(s.y) ? 1 : 0;
    if (gaps > 0)
        notes << QString::number(gaps) + " of " + QString::number(m_plot.samples.size()) +
                     " samples could not be computed and are left out of the curve.";
    lblNote->setText(notes.join(' '));
}

void PlotWindow::cmdRedraw_Click()
{
    double radius = 0;
    try {
        radius = localeNumber(txtRadius->text().toStdString());
    } catch (const RunError&) {
        radius = 0;
    }
    if (!(radius > 0)) {
        m_prompts.messageBox("", "The half-width must be a number greater than 0.", PromptButtons::Ok,
                             PromptIcon::Exclamation);
        return;
    }
    try {
        display(m_resample(radius), radius);
    } catch (const std::invalid_argument& refused) {
        m_prompts.messageBox("", refused.what(), PromptButtons::Ok, PromptIcon::Exclamation);
    }
}

void PlotWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void PlotWindow::resultsCleared()
{
    txtRadius->setEnabled(false);
    cmdRedraw->setEnabled(false);
    lblNote->setText("The results this plot was drawn from are no longer shown; compute again to plot anew.");
}

void PlotWindow::save(bool svg)
{
    const std::string path = m_prompts.saveFileName(svg ? FileKind::Svg : FileKind::Png);
    if (path.empty())
        return;
    const QSize size = chartView->size();
    const auto failure = svg ? savePlotSvg(m_plot, size, path) : savePlotPng(m_plot, size, path);
    if (failure)
        m_prompts.messageBox("", *failure, PromptButtons::Ok, PromptIcon::Critical);
}

}  // namespace slopekit
