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
    m_classicLines.clear();
    m_refined.reset();
    lblStatus->clear();
}

void frmSlopekit::ShowResults(std::vector<std::string> classicLines, std::optional<RefinedDerivatives> refined)
{
    m_classicLines = std::move(classicLines);
    m_refined = std::move(refined);
    fillResultsList();
}

void frmSlopekit::mnuRefined_Click()
{
    openSettings()->setValue(settings::RefinedResults, mnuRefined->isChecked());
    if (m_dim.ResultsShown)
        fillResultsList();
}

void frmSlopekit::fillResultsList()
{
    lstDerVal->clear();
    const std::vector<ListEntry> entries = listEntries(m_dim.Order);
    int marked = 0;
    if (mnuRefined->isChecked() && m_refined) {
        const std::vector<std::string> lines = refinedLines(m_dim, *m_refined);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            auto* item = new QListWidgetItem(QString::fromStdString(lines[k]), lstDerVal);
            if (refinedUnreliable(*m_refined, entries[k])) {
                markWarning(item, unreliableTip(*m_refined, entries[k]));
                ++marked;
            }
        }
    } else {
        const std::vector<bool> marks = m_refined ? classicWarnings(m_dim, *m_refined) : std::vector<bool>();
        for (std::size_t k = 0; k < m_classicLines.size(); ++k) {
            auto* item = new QListWidgetItem(QString::fromStdString(m_classicLines[k]), lstDerVal);
            if (k < marks.size() && marks[k]) {
                markWarning(item, warningTip(*m_refined, entries[k]));
                ++marked;
            }
        }
    }
    lblStatus->setText(QString::fromStdString(warningStatus(marked)));
}

}  // namespace slopekit
