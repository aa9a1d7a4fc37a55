#include "shell/shell_fonts.h"

namespace slopekit::fonts {
namespace {

QFont face(const char* family, double points, bool bold)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace

QFont sansSerif(double points, bool bold) { return face("Liberation Sans", points, bold); }

QFont verdana(double points, bool bold) { return face("DejaVu Sans", points, bold); }

}  // namespace slopekit::fonts
