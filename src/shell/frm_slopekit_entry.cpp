// Problem entry: the count, names and working stages. A Validate handler refuses an entry
// by setting Cancel, which keeps the focus in its box; the LostFocus handler that follows
// an accepted entry moves the window on to the next stage.
#include "engine/engine_binding.h"
#include "problem/dimension.h"
#include "problem/entry_checks.h"
#include "shell/frm_slopekit.h"
#include "shell/prompts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

namespace slopekit {
namespace {

void selectWholeText(QLineEdit* box) { box->setSelection(0, static_cast<int>(box->text().size())); }

}  // namespace

void frmSlopekit::txtOrder_Validate(bool& Cancel)
{
    const std::optional<int> order = countCheck(txtOrder->text().toStdString());
    if (!order) {
        Cancel = true;
        statusBar()->showMessage(QString::fromStdString(countHint()));
        return;
    }
    statusBar()->clearMessage();
    m_dim.redimension(*order);
}

void frmSlopekit::txtOrder_LostFocus()
{
    txtOrder->setEnabled(false);
    mnuOpen->setEnabled(false);
    // The user's move out of the count box goes on into the names box, text selected.
    if (txtVarNams->isEnabled())
        txtVarNams->setFocus(Qt::TabFocusReason);
}

void frmSlopekit::txtVarNams_Validate(bool& Cancel)
{
    if (m_dim.Loading)
        return;
    const NamesCheck check = namesCheck(txtVarNams->text().toStdString(), m_dim.Order, m_engine.reservedNames());
    m_dim.VarNams = check.parts;
    for (std::size_t k = 0; k < check.labelled; ++k)
        lblVarx[k]->setText(QString::fromStdString(check.parts[k] + "="));
    Cancel = !check.accepted;
    if (Cancel)
        statusBar()->showMessage(QString::fromStdString(namesHint(m_dim.Order)));
    else
        statusBar()->clearMessage();
}

void frmSlopekit::txtVarNams_LostFocus()
{
    txtVarNams->setEnabled(false);
    offerWorkingMenus();
    fraEval->setVisible(true);
    for (int k = 0; k < m_dim.Order; ++k) {
        lblVarx[k]->setVisible(true);
        txtVarx[k]->setVisible(true);
    }
}

// The working stage's menus, once a problem is defined or opened.
void frmSlopekit::offerWorkingMenus()
{
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    mnuPrint->setEnabled(true);
    mnuAbout->setVisible(true);
}

void frmSlopekit::txtEquation_Validate(bool& Cancel)
{
    if (txtEquation->text().isEmpty())
        Cancel = true;
}

void frmSlopekit::txtOrder_GotFocus() { selectWholeText(txtOrder); }

void frmSlopekit::txtVarNams_GotFocus() { selectWholeText(txtVarNams); }

void frmSlopekit::txtEquation_GotFocus() { selectWholeText(txtEquation); }

void frmSlopekit::txtVarx_GotFocus(int Index) { selectWholeText(txtVarx[Index]); }

void frmSlopekit::txtEquation_TooLong()
{
    m_prompts.messageBox("", functionTooLongText(), PromptButtons::Ok, PromptIcon::Exclamation);
}

void frmSlopekit::txtEquation_Change() { ClearResults(); }

}  // namespace slopekit
