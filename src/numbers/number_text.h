#pragma once

#include <string>
#include <string_view>

// The six conversions between numbers and text. Each use in the program names the one
// it needs; the reading ones accept any text and either give a number or throw RunError.
namespace slopekit {

// Leading-number reading, independent of the locale: blanks, tabs and line feeds are
// ignored wherever they stand; an optional sign, digits with one ".", an optional
// exponent (E or D); &H and &O read hexadecimal and octal whole numbers. Reading stops
// at the first character that cannot continue the number; no number at the start gives 0.
// '1,5' is 1, '4 apples' is 4, '1 0' is 10, '&HA' is 10. A magnitude beyond the double
// range throws error 6.
double leadingNumber(std::string_view text);

// Reading under the number locale (its decimal and thousands separators), surrounding
// blanks allowed. Text that is not a number throws error 13; a magnitude beyond the
// double range throws error 6.
double localeNumber(std::string_view text);

// Display form: the locale's decimal separator, up to 15 significant digits, "0" before
// the separator below 1, exponent form ("1E-05", "1.5E+20") outside 1E-4 <= |v| < 1E15.
std::string displayForm(double value);

// Engine number form: "." always, a blank before a value that is not negative, no "0"
// before the point (" 1.5", "-.25", " 0", " 2").
std::string engineNumber(double value);

// File number form: "." always, no blanks ("-2.5", "0.5", "1E-05").
std::string fileNumber(double value);

// Report number: a blank (or "-" for a negative value), the display form of the
// magnitude, one trailing blank (" 1.5 ", "-1.5 ").
std::string reportNumber(double value);

}  // namespace slopekit
