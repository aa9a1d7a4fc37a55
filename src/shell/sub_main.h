#pragma once

#include <memory>

namespace slopekit {

struct Dimension;
class Clock;
class DecimalPoint;
class EngineBinding;
class Prompts;
class frmSlopekit;

// The start-up: the decimal-separator guard, the splash, then the main window. Returns
// the shown main window, or nothing when the user declined the guard's change; the
// process then ends without showing any window.
std::unique_ptr<frmSlopekit> Main(Dimension& dim, EngineBinding& engine, Prompts& prompts, DecimalPoint& decimalPoint,
                                  Clock& clock);

// Shows the About window as the splash until more than two whole clock seconds have
// passed. Its paint events are processed meanwhile, user input is not.
void showSplash(Clock& clock);

}  // namespace slopekit
