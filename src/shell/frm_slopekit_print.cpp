// The Print command: the printed report.
#include "documents/report.h"
#include "problem/dimension.h"
#include "shell/computation_progress.h"
#include "shell/frm_slopekit.h"
#include "shell/override_cursor.h"
#include "shell/prompts.h"

#include <QLineEdit>
#include <QListWidget>

namespace slopekit {

// The report is made whole before anything is printed, so a failing computation or
// function value prints nothing; Cancel in the print dialog cancels the report. It prints
// the results in the view the list shows.
void frmSlopekit::mnuPrint_Click()
{
    const ReportFont font(m_printer);
    if (!m_prompts.printDialog(m_printer.device()))
        return;
    ReportOutcome report;
    {
        const OverrideCursor busy(Qt::WaitCursor);
        ComputationProgress progress(this);
        report =
            buildReport(m_dim, computeHooks(progress.hook()),
                        {txtEquation->text().toStdString(), pointTexts(), constantItems(), m_results, shownView()});
        if (report.computed)
            ShowResults(std::move(*report.computed));
    }
    if (report.message)
        m_prompts.messageBox(report.message->title, report.message->text, PromptButtons::Ok, PromptIcon::Critical);
    if (report.lines.empty())
        return;
    try {
        const OverrideCursor busy(Qt::WaitCursor);
        printLines(m_printer, report.lines);
    } catch (const PrinterFailed& failure) {
        m_prompts.messageBox("", failure.what(), PromptButtons::Ok, PromptIcon::Critical);
    }
}

}  // namespace slopekit
