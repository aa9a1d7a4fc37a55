#include "shell/helpviewer/open_help.h"

#include "shell/helpviewer/help_window.h"

#include <QPointer>

namespace slopekit {

void openHelp(QWidget* caller, const QString& chmPath)
{
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(caller);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->load(chmPath);
    } else if (!window->hasBook()) {
        window->load(chmPath);  // the file may have been put in place meanwhile
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace slopekit
