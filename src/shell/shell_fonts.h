#pragma once

#include <QFont>

// The free faces that stand in for the window's fonts; scripts/setup.sh installs both.
namespace slopekit::fonts {

// For "MS Sans Serif": Liberation Sans, close in width, so every caption fits its label.
QFont sansSerif(double points, bool bold = false);
// For "Verdana": DejaVu Sans, which shares its wide, open letter shapes.
QFont verdana(double points, bool bold = false);

}  // namespace slopekit::fonts
