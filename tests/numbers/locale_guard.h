#pragma once

#include "numbers/number_locale.h"

namespace slopekit::testing {

// Sets the process-wide number locale for one test and puts the old one back.
class LocaleGuard {
public:
    LocaleGuard(std::string decimal, std::string thousands) : m_saved(numberLocale())
    {
        numberLocale() = {std::move(decimal), std::move(thousands)};
    }
    ~LocaleGuard() { numberLocale() = m_saved; }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    NumberSeparators m_saved;
};

}  // namespace slopekit::testing
