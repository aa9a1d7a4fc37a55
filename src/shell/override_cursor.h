#pragma once

#include <QApplication>

namespace slopekit {

// One cursor over the whole application for one scope: the wait cursor while a
// computation runs, the arrow again while a message box inside it waits for the user.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

}  // namespace slopekit
