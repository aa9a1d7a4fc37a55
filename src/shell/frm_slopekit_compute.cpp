// The Compute command and the user constants.
#include "engine/engine_binding.h"
#include "engine/user_constants.h"
#include "problem/dimension.h"
#include "shell/computation_progress.h"
#include "shell/frm_slopekit.h"
#include "shell/override_cursor.h"
#include "shell/prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

namespace slopekit {

ComputeHooks frmSlopekit::computeHooks(ProgressHook progress)
{
    return {[this] { m_engine.RegisterConstants(); },
            [this] { return m_engine.EvaluateFunction(); },
            announcedByErrorEvent,
            runErrorMessage,
            std::move(progress),
            [this](bool muted) { m_engine.setErrorEventMuted(muted); },
            [this] { return m_engine.EvaluateExact(); }};
}

PointTexts frmSlopekit::pointTexts() const
{
    PointTexts texts;
    for (int k = 0; k < m_dim.Order; ++k)
        texts.push_back(txtVarx[static_cast<std::size_t>(k)]->text().toStdString());
    return texts;
}

void frmSlopekit::cmdCompute_Click()
{
    ClearResults();
    std::optional<ComputeMessage> message;
    {
        const OverrideCursor busy(Qt::WaitCursor);
        ComputationProgress progress(this);
        ComputeOutcome outcome =
            runCompute(m_dim, computeHooks(progress.hook()), txtEquation->text().toStdString(), pointTexts());
        if (outcome.results)
            ShowResults(std::move(*outcome.results));
        message = std::move(outcome.message);
    }
    if (message)
        m_prompts.messageBox(message->title, message->text, PromptButtons::Ok, PromptIcon::Critical);
}

void frmSlopekit::cmdAddCons_Click()
{
    const std::string text = cboConstants->currentText().toStdString();
    const AddConstantOutcome outcome = addConstant(m_dim, text, m_engine.reservedNames());
    switch (outcome.result) {
    case ConstantAdded::Ignored:
        // The text stays, so the user can correct it; a refused name says why.
        if (!outcome.refusal.empty())
            statusBar()->showMessage(QString::fromStdString(outcome.refusal));
        return;
    case ConstantAdded::Full:
        m_prompts.messageBox("", ConstantsFullMessage, PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    case ConstantAdded::Stored:
        statusBar()->clearMessage();
        if (outcome.replacedIndex >= 0)
            cboConstants->removeItem(outcome.replacedIndex);
        cboConstants->addItem(QString::fromStdString(text));
        emptyConstantBox();
        return;
    }
}

void frmSlopekit::cmdRemCons_Click()
{
    const int k = cboConstants->currentIndex();
    // Once edited, the text no longer stands for the item it came from.
    if (k < 0 || cboConstants->currentText() != cboConstants->itemText(k))
        return;
    const std::optional<std::string> name = removeConstant(m_dim, k);
    cboConstants->removeItem(k);
    // Nothing stays chosen, so a second click cannot remove a neighbour.
    emptyConstantBox();
    if (name)
        m_engine.forgetName(*name);
}

// The window's own change of the box's text, which counts as a change as typing does.
void frmSlopekit::emptyConstantBox()
{
    cboConstants->setCurrentIndex(-1);
    cboConstants->setEditText(QString());
    cboConstants_Change();
}

void frmSlopekit::cboConstants_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        cmdAddCons->click();
}

void frmSlopekit::cboConstants_Change() { ClearResults(); }

}  // namespace slopekit
