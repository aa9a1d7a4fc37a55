#include "derivatives/result_views.h"
#include "derivatives/result_warnings.h"
#include "problem/dimension.h"
#include "shell/frm_slopekit.h"
#include "shell/settings_store.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QStyle>

namespace slopekit {
namespace {

const QColor WarningColour(255, 204, 128);

void markWarning(QListWidgetItem* item, const std::string& tip)
{
    item->setBackground(WarningColour);
    item->setIcon(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setToolTip(QString::fromStdString(tip));
}

}  // namespace

// Empties the results list once the shown results no longer match the inputs; a problem
// file that is being put into the window changes nothing here.
void frmSlopekit::ClearResults()
{
    if (m_dim.Loading)
        return;
    m_dim.ResultsShown = false;
    lstDerVal->clear();
    emit resultsCleared();
    m_results.reset();
    lblStatus->clear();
}

void frmSlopekit::ShowResults(ComputedResults results)
{
    m_results = std::move(results);
    fillResultsList();
}

void frmSlopekit::mnuView_Click()
{
    openSettings()->setValue(settings::ResultsView, QString::fromStdString(viewKey(shownView())));
    if (m_dim.ResultsShown)
        fillResultsList();
}

ResultView frmSlopekit::shownView() const
{
    return mnuExact->isChecked()     ? ResultView::Exact
           : mnuRefined->isChecked() ? ResultView::Refined
                                     : ResultView::Classic;
}

QAction* frmSlopekit::viewAction(ResultView view) const
{
    switch (view) {
    case ResultView::Refined: return mnuRefined;
    case ResultView::Exact: return mnuExact;
    default: return mnuClassic;
    }
}

void frmSlopekit::fillResultsList()
{
    lstDerVal->clear();
    if (!m_results)
        return;
    const ResultView view = shownView();
    int marked = 0;
    for (const ResultEntry& entry : m_results->entries) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(lineText(viewCells(*m_results, entry, view))), lstDerVal);
        if (markedInView(*m_results, entry, view)) {
            markWarning(item, viewTip(entry, view));
            ++marked;
        }
    }
    lblStatus->setText(QString::fromStdString(warningStatus(marked)));
}

}  // namespace slopekit
