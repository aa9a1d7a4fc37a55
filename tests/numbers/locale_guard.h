#pragma once

#include "numbers/number_locale.h"

namespace slopekit::testing {

// Sets the process-wide number locale for one test and puts the old one back.
struct LocaleGuard {
    NumberSeparators saved = numberLocale();
    LocaleGuard(std::string decimal, std::string thousands) { numberLocale() = {std::move(decimal), std::move(thousands)}; }
    ~LocaleGuard() { numberLocale() = saved; }
};

}  // namespace slopekit::testing
