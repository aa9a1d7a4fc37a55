#include "shell/frm_slopekit.h"

#include "engine/engine_binding.h"
#include "messages/product_texts.h"
#include "shell/decimal_point.h"
#include "shell/focus_guard.h"
#include "shell/frm_about.h"
#include "shell/helpviewer/open_help.h"
#include "shell/prompts.h"
#include "shell/settings_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStatusBar>

// The icon lives in the resources of a static library that nothing else refers to, so
// they are registered by name, or the linker would leave them out.
static void registerShellResources() { Q_INIT_RESOURCE(shell); }

namespace slopekit {

frmSlopekit::frmSlopekit(Dimension& dim, EngineBinding& engine, Prompts& prompts, DecimalPoint& decimalPoint,
                         QWidget* parent)
    : QMainWindow(parent), m_dim(dim), m_engine(engine), m_prompts(prompts), m_decimalPoint(decimalPoint)
{
    setObjectName("frmSlopekit");
    setWindowTitle(product::Title);
    registerShellResources();
    setWindowIcon(QIcon(":/slopekit/slopekit.xpm"));
    createControls();
    createMenus();
    setTabOrder();
    connectHandlers();
    createResultsMenu();
    guardEntries();
    // The client area below the menu bar is 632 x 434 pixels at the least and at first,
    // with the hints of a refused entry below it; it may grow, and keeps its size between runs.
    adjustSize();
    setMinimumSize(size());
    restoreSettings();
    centreOnScreen(*this);
    Form_Load();
    txtOrder->setFocus();
}

frmSlopekit::~frmSlopekit() = default;

void frmSlopekit::Form_Load()
{
    m_engine.setErrorEventHandler([this](const std::string& message) { ScriptControl1_Error(message); });
    m_engine.setUp();
    mnuSave->setEnabled(false);
    mnuSaveAs->setEnabled(false);
    mnuPrint->setEnabled(false);
    mnuAbout->setVisible(false);
    lblVarNam->setText("Enter the names of the independent variables, separated by commas:");
}

void frmSlopekit::restoreSettings()
{
    const auto stored = openSettings();
    const std::string view = stored->value(settings::ResultsView).toString().toStdString();
    viewAction(viewFromKey(view).value_or(ResultView::Classic))->setChecked(true);
    const QSize size = stored->value(settings::WindowSize).toSize();
    if (size.isValid() && screen())
        resize(size.expandedTo(minimumSize()).boundedTo(screen()->availableGeometry().size()));
}

bool frmSlopekit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        spreadExtraRoom();
    return QMainWindow::eventFilter(watched, event);
}

// The room beyond the least client area goes to the names and function boxes (wider) and
// the results list (wider and taller); everything else keeps its place.
void frmSlopekit::spreadExtraRoom()
{
    const QSize extra = centralWidget()->size() - centralWidget()->minimumSize();
    txtVarNams->resize(m_laidOut.names.width() + extra.width(), m_laidOut.names.height());
    txtEquation->resize(m_laidOut.function.width() + extra.width(), m_laidOut.function.height());
    lstDerVal->resize(m_laidOut.list + extra);
}

void frmSlopekit::ScriptControl1_Error(const std::string& message)
{
    m_prompts.messageBox("Error in Script Control", message, PromptButtons::Ok, PromptIcon::Critical);
}

void frmSlopekit::mnuHelp_Click()
{
    m_helpFile = QCoreApplication::applicationDirPath() + "/slopekit.chm";
    openHelp(this, m_helpFile);
}

void frmSlopekit::mnuAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(this);
    m_about->show();
    m_about->raise();
}

void frmSlopekit::closeEvent(QCloseEvent* event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    openSettings()->setValue(settings::WindowSize, size());
    Form_Unload();
    event->accept();
}

bool frmSlopekit::mayClose()
{
    if (!problemChanged())
        return true;
    switch (m_prompts.messageBox("", "The problem has changed since it was last saved.\rSave it before closing?",
                                 PromptButtons::SaveDiscardCancel, PromptIcon::Exclamation)) {
    case PromptAnswer::Save: mnuSave_Click(); return !problemChanged();  // a failed or cancelled save keeps the window
    case PromptAnswer::Discard: return true;
    default: return false;
    }
}

void frmSlopekit::Form_Unload()
{
    m_decimalPoint.RestoreDecimalSymbol();
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this)
            windows.append(window);
    for (const QPointer<QWidget>& window : windows)
        if (window && window->isVisible())
            window->close();
    QCoreApplication::quit();
}

}  // namespace slopekit
