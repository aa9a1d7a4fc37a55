#pragma once

#include "derivatives/plot_samples.h"

#include <QWidget>

#include <functional>

class QChartView;
class QLabel;
class QLineEdit;
class QPushButton;

namespace slopekit {

class Prompts;

// A window with the plot of the function along one variable, its half-width editable, and
// the picture saved as PNG or SVG.
class PlotWindow : public QWidget {
    Q_OBJECT
public:
    // Samples again over a new half-width, from the same computed point.
    using Resample = std::function<PlotData(double radius)>;

    // The plot as sampled for the half-width asked, which sampling may have narrowed.
    PlotWindow(PlotData plot, double askedRadius, Resample resample, Prompts& prompts, QWidget* parent = nullptr);

    QChartView* chartView = nullptr;
    QLineEdit* txtRadius = nullptr;
    QPushButton* cmdRedraw = nullptr;
    QPushButton* cmdSavePng = nullptr;
    QPushButton* cmdSaveSvg = nullptr;
    QLabel* lblNote = nullptr;

    const PlotData& plot() const { return m_plot; }

    // The results it was drawn from are gone: the plot stays, but cannot be redrawn.
    void resultsCleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;  // Escape closes it

private:
    void display(PlotData plot, double askedRadius);
    void cmdRedraw_Click();
    void save(bool svg);

    PlotData m_plot;
    Resample m_resample;
    Prompts& m_prompts;
};

}  // namespace slopekit
