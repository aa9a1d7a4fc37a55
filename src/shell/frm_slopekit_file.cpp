// File > Open, Save and Save As: the problem file.
#include "documents/problem_file_loading.h"
#include "documents/problem_file_saving.h"
#include "documents/problem_reader.h"
#include "engine/engine_binding.h"
#include "numbers/number_text.h"
#include "problem/dimension.h"
#include "shell/frm_slopekit.h"
#include "shell/prompts.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace slopekit {
namespace {

std::string textOf(const QLineEdit* box) { return box->text().toStdString(); }

}  // namespace

void frmSlopekit::mnuOpen_Click()
{
    const std::string name = m_prompts.openFileName();
    if (name.empty())
        return;
    // The whole file is checked before anything changes. A rejected file never becomes
    // ProblemFile, so a later Save cannot overwrite it.
    LoadedProblem problem;
    try {
        problem = loadProblemFile(name, m_engine.reservedNames());
    } catch (const IncompatibleFile& error) {
        m_prompts.messageBox("", error.what(), PromptButtons::Ok, PromptIcon::None);
        return;
    } catch (const std::runtime_error& error) {  // a damaged or unreadable file
        m_prompts.messageBox("", openFailureText(name, error), PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    m_dim.ProblemFile = name;
    m_fileEncoding = problem.encoding;
    m_dim.Loading = true;
    txtOrder->setEnabled(false);
    txtVarNams->setEnabled(false);
    applyProblem(problem, m_dim);
    SetDisplayedSpecs();
    mnuOpen->setEnabled(false);
    offerWorkingMenus();
    m_dim.Loading = false;
    m_savedProblem = shownProblem();
    txtEquation->setFocus();
}

void frmSlopekit::SetDisplayedSpecs()
{
    for (int i = 0; i < m_dim.NumCons; ++i)
        cboConstants->addItem(QString::fromStdString(m_dim.Cons[static_cast<std::size_t>(i)]));
    cboConstants->setCurrentIndex(-1);  // the list is filled; the edit line stays empty
    cboConstants->setEditText(QString());
    txtOrder->setText(QString::number(m_dim.Order));
    txtEquation->setText(QString::fromStdString(m_dim.Equation));
    std::string names;
    for (int k = 0; k < m_dim.Order; ++k) {
        const auto index = static_cast<std::size_t>(k);
        txtVarx[index]->setText(QString::fromStdString(pointForm(m_dim.Varx[index])));
        lblVarx[index]->setText(QString::fromStdString(m_dim.VarNams[index] + "="));
        names += (k ? "," : "") + m_dim.VarNams[index];
    }
    fraEval->setVisible(true);
    for (int k = 0; k < m_dim.Order; ++k) {
        lblVarx[static_cast<std::size_t>(k)]->setVisible(true);
        txtVarx[static_cast<std::size_t>(k)]->setVisible(true);
    }
    txtVarNams->setText(QString::fromStdString(names));
}

void frmSlopekit::mnuSave_Click()
{
    const std::string name = m_dim.ProblemFile.empty() ? m_prompts.saveFileName(FileKind::Problem) : m_dim.ProblemFile;
    if (!name.empty())
        WriteProblem(name);
}

// Cancel keeps the current file name: nothing is written and nothing changes.
void frmSlopekit::mnuSaveAs_Click()
{
    const std::string name = m_prompts.saveFileName(FileKind::Problem);
    if (!name.empty())
        WriteProblem(name);
}

// Writes the problem as the boxes hold it; the name becomes ProblemFile only once the
// file is written, so a failed Save As does not redirect later Saves.
void frmSlopekit::WriteProblem(const std::string& name)
{
    const ProblemToSave problem = shownProblem();
    try {
        saveProblemFile(name, problem);
        m_dim.ProblemFile = name;
        m_savedProblem = problem;
    } catch (const ProblemNotSavable& error) {
        m_prompts.messageBox("", std::string("The problem was not saved.\r") + error.what(), PromptButtons::Ok,
                             PromptIcon::Exclamation);
    } catch (const ProblemFileAccess& error) {
        m_prompts.messageBox("", error.what(), PromptButtons::Ok, PromptIcon::Critical);
    }
}

ProblemToSave frmSlopekit::shownProblem() const
{
    return {textOf(txtOrder), textOf(txtEquation), m_dim.VarNams, pointTexts(), constantItems(), m_fileEncoding};
}

bool frmSlopekit::problemChanged() const
{
    return m_savedProblem ? shownProblem() != *m_savedProblem : !txtEquation->text().isEmpty();
}

std::vector<std::string> frmSlopekit::constantItems() const
{
    std::vector<std::string> items;
    for (int i = 0; i < cboConstants->count(); ++i)
        items.push_back(cboConstants->itemText(i).toStdString());
    return items;
}

}  // namespace slopekit
