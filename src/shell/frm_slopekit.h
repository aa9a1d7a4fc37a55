#pragma once

#include <QMainWindow>
#include <QPointer>

#include "derivatives/compute_command.h"
#include "derivatives/result_views.h"
#include "documents/problem_file.h"
#include "documents/qt/qt_printer.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace slopekit {

struct Dimension;
class DecimalPoint;
class EngineBinding;
class FocusGuard;
class Prompts;
class frmAbout;

// The main window, in which all work happens. Its controls carry the names of the layout
// and are public, so that the handlers, which are split over files by concern, and the
// tests can reach them.
class frmSlopekit : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int PointBoxes = 10;

    frmSlopekit(Dimension& dim, EngineBinding& engine, Prompts& prompts, DecimalPoint& decimalPoint,
                QWidget* parent = nullptr);
    ~frmSlopekit() override;

    QLabel* lblOrder = nullptr;
    QLineEdit* txtOrder = nullptr;
    QLabel* lblVarNam = nullptr;
    QLineEdit* txtVarNams = nullptr;
    QLabel* lblFunction = nullptr;
    QLineEdit* txtEquation = nullptr;
    QGroupBox* fraConstants = nullptr;
    QPushButton* cmdAddCons = nullptr;
    QPushButton* cmdRemCons = nullptr;
    QComboBox* cboConstants = nullptr;
    QGroupBox* fraEval = nullptr;
    std::array<QLabel*, PointBoxes> lblVarx{};
    std::array<QLineEdit*, PointBoxes> txtVarx{};
    QListWidget* lstDerVal = nullptr;
    QPushButton* cmdCompute = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblStatus = nullptr;  // in the status bar: how many results may be inaccurate

    QMenu* mnuFile = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuFileBar1 = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuFileBar2 = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuPrint = nullptr;
    QMenu* mnuOptions = nullptr;
    // One choice of three: the list shows the classic, the refined or the exact results.
    QAction* mnuClassic = nullptr;
    QAction* mnuRefined = nullptr;
    QAction* mnuExact = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;

    // Window (frm_slopekit.cpp)
    void Form_Load();
    void mnuHelp_Click();
    void mnuAbout_Click();
    void ScriptControl1_Error(const std::string& message);
    // The help file of the last Help command: next to the executable.
    const QString& helpFile() const { return m_helpFile; }

    // Problem entry (frm_slopekit_entry.cpp)
    void txtOrder_Validate(bool& Cancel);
    void txtOrder_LostFocus();
    void txtVarNams_Validate(bool& Cancel);
    void txtVarNams_LostFocus();
    void txtEquation_Validate(bool& Cancel);
    void txtOrder_GotFocus();
    void txtVarNams_GotFocus();
    void txtEquation_GotFocus();
    void txtVarx_GotFocus(int Index);
    void txtEquation_Change();
    // An edit that would make the function longer than the engine takes was refused.
    void txtEquation_TooLong();
    void offerWorkingMenus();

    // Results list (frm_slopekit_results.cpp)
    void ClearResults();
    // Puts a completed computation's results in the list, in the view Options chooses, and
    // marks the lines that may be inaccurate.
    void ShowResults(ComputedResults results);
    // A choice of results in Options: shown at once and remembered.
    void mnuView_Click();
    // The results the list shows, and the Options item that chooses a view.
    ResultView shownView() const;
    QAction* viewAction(ResultView view) const;

    // The results list's context menu: copy, analysis, plots (frm_slopekit_results_menu.cpp)
    QMenu* mnuResults = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuCopyAll = nullptr;
    QAction* mnuCopyTable = nullptr;
    QAction* mnuAnalyse = nullptr;
    QAction* mnuPlotSeparator = nullptr;
    std::vector<QAction*> mnuPlot;  // "Plot along NAME…", one per variable
    // Brings the menu's entries up to date with the list and the problem.
    void updateResultsMenu();
    void lstDerVal_ContextMenu(const QPoint& at);
    void mnuAnalyse_Click();
    void mnuPlot_Click(int index);

    // Computation and user constants (frm_slopekit_compute.cpp)
    void cmdCompute_Click();
    // What a computation asks of the engine, with the progress it reports to, and the
    // texts of the point boxes in use.
    ComputeHooks computeHooks(ProgressHook progress = {});
    PointTexts pointTexts() const;
    void cmdAddCons_Click();
    void cmdRemCons_Click();
    void cboConstants_KeyPress(int KeyAscii);
    void cboConstants_Change();

    // Problem file (frm_slopekit_file.cpp) and printed report (frm_slopekit_print.cpp)
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    // Shows the problem that stands in the problem state (after Open).
    void SetDisplayedSpecs();
    // The printer of the Print command, set up by the print dialog.
    QtPrinter& printer() { return m_printer; }

signals:
    // The shown results are gone (ClearResults); windows drawn from them stop following.
    void resultsCleared();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // the client area's resize

private:
    // Layout (frm_slopekit_layout.cpp)
    void createControls();
    void createEntryBoxes(QWidget* form);
    void createConstantsFrame(QWidget* form);
    void createPointFrame(QWidget* form);
    void createMenus();
    void setTabOrder();
    void connectHandlers();
    void guardEntries();
    void createResultsMenu();
    void Form_Unload();
    // The Options and the window's size as the last run left them.
    void restoreSettings();
    void spreadExtraRoom();
    struct {
        QSize names, function, list;
    } m_laidOut;  // the sizes of the growing controls in the least client area
    // Asks Save / Discard / Cancel when closing would lose changes; false keeps the window.
    bool mayClose();

    // User constants (frm_slopekit_compute.cpp)
    void emptyConstantBox();

    // Problem file (frm_slopekit_file.cpp)
    void WriteProblem(const std::string& name);
    // The problem as the boxes hold it, as Save writes it.
    ProblemToSave shownProblem() const;
    // Whether the problem differs from the one last opened or saved; one never saved has
    // changed once it has a function.
    bool problemChanged() const;
    std::vector<std::string> constantItems() const;

    Dimension& m_dim;
    EngineBinding& m_engine;
    Prompts& m_prompts;
    DecimalPoint& m_decimalPoint;
    FocusGuard* m_focusGuard = nullptr;
    QPointer<frmAbout> m_about;
    QString m_helpFile;
    QtPrinter m_printer;
    // The shown computation's results, to switch the list between its views.
    std::optional<ComputedResults> m_results;
    void fillResultsList();
    std::optional<ProblemToSave> m_savedProblem;       // as last opened or saved
    FileEncoding m_fileEncoding = FileEncoding::Utf8;  // of the problem file opened
};

}  // namespace slopekit
