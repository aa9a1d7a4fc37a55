#pragma once

#include "numbers/number_locale.h"

#include <string>

namespace slopekit {

// The separators of the user's locale, as LC_ALL, LC_NUMERIC and LANG give it (also when
// that locale is not installed on the system).
NumberSeparators userNumberSeparators();
std::string userDecimalSymbol();

}  // namespace slopekit
