// The results list's context menu: copying the lines, the Hessian analysis and the plots.
#include "analysis/hessian_analysis.h"
#include "derivatives/plot_samples.h"
#include "derivatives/result_table.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"
#include "shell/analysis_dialog.h"
#include "shell/frm_slopekit.h"
#include "shell/plot_window.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>


namespace slopekit {
namespace {

std::vector<std::string> lines(const QListWidget& list, bool selectedOnly)
{
    std::vector<std::string> result;
    for (int row = 0; row < list.count(); ++row)
        if (!selectedOnly || list.item(row)->isSelected())
            result.push_back(list.item(row)->text().toStdString());
    return result;
}

void toClipboard(const std::string& text)
{
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace

void frmSlopekit::createResultsMenu()
{
    lstDerVal->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstDerVal->setContextMenuPolicy(Qt::CustomContextMenu);
    mnuResults = new QMenu(this);
    mnuResults->setObjectName("mnuResults");
    mnuCopy = mnuResults->addAction("Copy");
    mnuCopy->setShortcut(QKeySequence::Copy);
    mnuCopy->setShortcutContext(Qt::WidgetShortcut);
    lstDerVal->addAction(mnuCopy);  // Ctrl+C in the list
    mnuCopyAll = mnuResults->addAction("Copy all");
    mnuCopyTable = mnuResults->addAction("Copy as table");
    mnuResults->addSeparator();
    mnuAnalyse = mnuResults->addAction("Analyse at this point\u2026");
    mnuPlotSeparator = mnuResults->addSeparator();

    connect(lstDerVal, &QWidget::customContextMenuRequested, this, &frmSlopekit::lstDerVal_ContextMenu);
    connect(mnuCopy, &QAction::triggered, this, [this] { toClipboard(resultText(lines(*lstDerVal, true))); });
    connect(mnuCopyAll, &QAction::triggered, this, [this] { toClipboard(resultText(lines(*lstDerVal, false))); });
    connect(mnuCopyTable, &QAction::triggered, this, [this] { toClipboard(resultTable(lines(*lstDerVal, false))); });
    connect(mnuAnalyse, &QAction::triggered, this, &frmSlopekit::mnuAnalyse_Click);
}

void frmSlopekit::updateResultsMenu()
{
    const bool any = lstDerVal->count() > 0;
    mnuCopy->setEnabled(!lstDerVal->selectedItems().isEmpty());
    mnuCopyAll->setEnabled(any);
    mnuCopyTable->setEnabled(any);
    mnuAnalyse->setEnabled(m_dim.ResultsShown);
    for (QAction* action : mnuPlot)
        delete action;
    mnuPlot.clear();
    for (int i = 0; i < m_dim.Order; ++i) {
        QAction* plot = mnuResults->addAction("Plot along " + QString::fromStdString(m_dim.VarNams[i]) + "\u2026");
        plot->setEnabled(m_dim.ResultsShown);
        connect(plot, &QAction::triggered, this, [this, i] { mnuPlot_Click(i); });
        mnuPlot.push_back(plot);
    }
}

void frmSlopekit::lstDerVal_ContextMenu(const QPoint& at)
{
    updateResultsMenu();
    mnuResults->popup(lstDerVal->viewport()->mapToGlobal(at));
}

void frmSlopekit::mnuAnalyse_Click()
{
    if (!m_dim.ResultsShown)
        return;
    const MutedErrorEvent muted(computeHooks().muteErrorEvent);
    const DerivativeEstimates estimates =
        estimatesAt(m_dim, m_refined, [this] { return m_engine.EvaluateFunction(); });
    auto* dialog = new AnalysisDialog(m_dim.VarNams, estimates, analyseHessian(estimates), this);
    dialog->show();
}

void frmSlopekit::mnuPlot_Click(int index)
{
    if (!m_dim.ResultsShown)
        return;
    const auto sample = [this, index](double radius) {
        const MutedErrorEvent muted(computeHooks().muteErrorEvent);
        return plotAlong(m_dim, [this] { return m_engine.EvaluateFunction(); }, index, radius);
    };
    auto* window = new PlotWindow(sample(defaultPlotRadius(m_dim.Varx[index])), sample, m_prompts, this);
    connect(this, &frmSlopekit::resultsCleared, window, &PlotWindow::resultsCleared);
    window->show();
}

}  // namespace slopekit
