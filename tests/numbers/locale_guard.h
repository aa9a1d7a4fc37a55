#pragma once

#include "numbers/number_locale.h"

namespace slopekit::testing {

// Sets the process-wide number locale for one test and puts the old one back.
struct LocaleGuard {
    NumberSeparators saved = numberLocale();
    LocaleGuard(const char* decimal, const char* thousands) { numberLocale() = {decimal, thousands}; }
    ~LocaleGuard() { numberLocale() = saved; }
};

}  // namespace slopekit::testing
