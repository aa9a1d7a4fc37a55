#include "numbers/number_locale.h"

namespace slopekit {

NumberSeparators& numberLocale()
{
    static NumberSeparators separators;
    return separators;
}

}  // namespace slopekit
