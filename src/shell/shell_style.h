#pragma once

class QStyle;

namespace slopekit {

// The program's look: Fusion, which draws buttons in their own colours on every desktop,
// with a focus mark that stands out on those colours whenever a button has the focus.
QStyle* createShellStyle();

}  // namespace slopekit
