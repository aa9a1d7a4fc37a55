#include "shell/helpviewer/open_help.h"

#include "shell/helpviewer/help_window.h"

#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace slopekit {
namespace {

// A little below and right of the caller's corner, kept on the caller's screen: a new
// window would otherwise open wherever the window manager likes, often far away.
void placeOver(QWidget& window, const QWidget& caller)
{
    QPoint corner = caller.frameGeometry().topLeft() + QPoint(40, 40);
    if (const QScreen* screen = caller.screen()) {
        const QRect area = screen->availableGeometry();
        corner.setX(std::max(area.left(), std::min(corner.x(), area.right() - window.width())));
        corner.setY(std::max(area.top(), std::min(corner.y(), area.bottom() - window.height())));
    }
    window.move(corner);
}

}  // namespace

void openHelp(QWidget* caller, const QString& chmPath)
{
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(caller);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->load(chmPath);
        if (caller)
            placeOver(*window, *caller->window());
    } else if (!window->hasBook()) {
        window->load(chmPath);  // the file may have been put in place meanwhile
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace slopekit
