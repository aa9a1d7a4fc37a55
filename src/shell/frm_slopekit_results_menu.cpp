// The results list's context menu: copying the lines, the Hessian analysis and the plots.
#include "analysis/hessian_analysis.h"
#include "derivatives/plot_samples.h"
#include "derivatives/result_table.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"
#include "shell/analysis_dialog.h"
#include "shell/frm_slopekit.h"
#include "shell/plot_window.h"
#include "shell/prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>

#include <stdexcept>

namespace slopekit {
namespace {

std::vector<int> rows(const QListWidget& list, bool selectedOnly)
{
    std::vector<int> result;
    for (int row = 0; row < list.count(); ++row)
        if (!selectedOnly || list.item(row)->isSelected())
            result.push_back(row);
    return result;
}

void toClipboard(const std::string& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); }

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
    // The keyboard's way to a context menu, at the current line.
    new QShortcut(
        Qt::SHIFT | Qt::Key_F10, lstDerVal, lstDerVal,
        [this] {
            const QModelIndex current = lstDerVal->currentIndex();
            lstDerVal_ContextMenu(current.isValid() ? lstDerVal->visualRect(current).center() : QPoint(0, 0));
        },
        Qt::WidgetShortcut);
    const auto copy = [this](bool selectedOnly) {
        if (m_results)
            toClipboard(resultText(*m_results, shownView(), rows(*lstDerVal, selectedOnly)));
    };
    connect(mnuCopy, &QAction::triggered, this, [copy] { copy(true); });
    connect(mnuCopyAll, &QAction::triggered, this, [copy] { copy(false); });
    connect(mnuCopyTable, &QAction::triggered, this, [this] {
        if (m_results)
            toClipboard(resultTable(*m_results, shownView()));
    });
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
    if (!m_dim.ResultsShown || !m_results)
        return;
    const DerivativeEstimates estimates = estimatesFor(*m_results);
    auto* dialog = new AnalysisDialog(m_dim.VarNams, estimates, analyseHessian(estimates), this);
    dialog->show();
}

void frmSlopekit::mnuPlot_Click(int index)
{
    if (!m_dim.ResultsShown || !m_results)
        return;
    const auto sample = [this, index, results = *m_results](double radius) {
        const MutedErrorEvent muted(computeHooks().muteErrorEvent);
        PlotData plot = plotAlong(
            m_dim, [this] { return m_engine.EvaluateFunction(); }, index, radius);
        useExactSlopes(plot, results, index);
        return plot;
    };
    const double radius = defaultPlotRadius(m_dim.Varx[index]);
    PlotData plot;
    try {
        plot = sample(radius);
    } catch (const std::invalid_argument& refused) {
        m_prompts.messageBox("", refused.what(), PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    auto* window = new PlotWindow(std::move(plot), radius, sample, m_prompts, this);
    connect(this, &frmSlopekit::resultsCleared, window, &PlotWindow::resultsCleared);
    window->show();
}

}  // namespace slopekit
