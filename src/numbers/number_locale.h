#pragma once

#include <string>

namespace slopekit {

// The separators that the locale-bound conversions (display form, locale reading) use.
struct NumberSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
};

// The expression language's own number locale, the same everywhere: "." before the
// decimals, "," between groups of thousands (CDbl("2,5") is 25, as in English locales).
inline const NumberSeparators LanguageSeparators{".", ","};

// The process-wide number locale. The shell fills it from the user's locale at start;
// the decimal-separator guard sets its decimal separator to "." and puts it back at exit.
NumberSeparators& numberLocale();

}  // namespace slopekit
