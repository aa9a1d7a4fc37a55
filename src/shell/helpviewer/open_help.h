#pragma once

#include <QString>

class QWidget;

namespace slopekit {

// Shows the help file at `chmPath` in Slopekit's help window, at its table of contents.
// The window is not modal and belongs to `caller`; while it is open, another call only
// brings it to the front. A missing or unreadable file is explained in the window.
void openHelp(QWidget* caller, const QString& chmPath);

}  // namespace slopekit
