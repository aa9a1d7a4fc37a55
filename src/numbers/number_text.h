#pragma once

#include <optional>
#include <string>
#include <string_view>

// The conversions between numbers and text. Each use in the program names the one
// it needs; the reading ones accept any text and either give a number or throw RunError.
//
// Numbers are read by four grammars, which differ on purpose. The leading-number reading
// takes whatever number a text starts with, as typed points and old files need. The locale
// reading and the file check are one strict grammar over the whole text (the file check with
// "." and without thousands separators or &H/&O, so a damaged file is refused, not half read).
// The expression language's literals have no sign (an operator there), no D exponent and no
// inner blanks, and keep their Integer, Long or Double type. All four take the value of the
// digits from decimalValue, so a number reads to the same double whichever way it comes.
namespace slopekit {

// Leading-number reading, independent of the locale: blanks, tabs and line feeds are
// ignored wherever they stand; an optional sign, digits with one ".", an optional
// exponent (E or D); &H and &O read hexadecimal and octal whole numbers. Reading stops
// at the first character that cannot continue the number; no number at the start gives 0.
// '1,5' is 1, '4 apples' is 4, '1 0' is 10, '&HA' is 10. A magnitude beyond the double
// range throws error 6.
double leadingNumber(std::string_view text);

// The leading-number reading of a text that must hold one number and nothing more, as a
// point coordinate must: blanks may stand around it, but a text without a number, with a
// blank inside it or with anything after it ('1,000', '1.5abc', '1 0') throws error 13.
double pointNumber(std::string_view text);

// Reading under the number locale (its decimal and thousands separators), surrounding
// blanks allowed. Text that is not a number throws error 13; a magnitude beyond the
// double range throws error 6.
double localeNumber(std::string_view text);

// Whether the whole text, blanks around it allowed, is a number as the file holds it: an
// optional sign, digits with at most one ".", an optional exponent (E or D, optional sign,
// digits).
bool isFileNumber(std::string_view text);

// The correctly rounded value of a decimal text of digits with at most one "." and an
// optional exponent ("e" or "E", optional sign, digits), which the caller has checked.
// Nothing when its magnitude is beyond the double range; 0 when it is below it.
std::optional<double> decimalValue(std::string_view text);

// The expression language's reading of a text as a number (CDbl("2,5"), "3" + 1, a function
// whose value is text): the locale reading under LanguageSeparators, whatever the user's
// locale, so that a problem computes the same in every locale, in the window and the cli.
double languageNumber(std::string_view text);

// Display form: the locale's decimal separator, up to 15 significant digits, "0" before
// the separator below 1, exponent form ("1E-05", "1.5E+20") outside 1E-4 <= |v| < 1E15.
std::string displayForm(double value);

// A point coordinate shown in its box: the display form, with as many digits as it takes to
// read back to the same double, so that a point opened from a file computes and saves as it
// was (a value of at most 15 significant digits shows exactly as in the display form).
std::string pointForm(double value);

// Engine number form: "." always, a blank before a value that is not negative, no "0"
// before the point (" 1.5", "-.25", " 0", " 2"). The fewest digits that read back to the
// same double, so the engine sees exactly the number it was given; a value of at most 15
// significant digits keeps exactly those. Exponent form as in the display form.
std::string engineNumber(double value);
// The same, appended to a text: a statement rebuilt in place needs no allocation.
void appendEngineNumber(std::string& text, double value);

// File number form: "." always, no blanks ("-2.5", "0.5", "1E-05"); digits as in the
// engine number form, so a saved point reopens unchanged.
std::string fileNumber(double value);

// An error estimate rounded to the two significant digits that are all it has
// (1.2345E-13 gives 1.2E-13); zero and values that are not finite stay as they are.
double twoSignificantDigits(double error);

// The display form of a value with only the digits its error supports: down to the place
// of the error's second significant digit (2.0000000123 with an error of 3.4E-07 gives
// "2.00000001"), "0" for a value below that place, the plain display form when the error
// is 0 or not finite.
std::string displayFormToError(double value, double error);

// Report number: a blank (or "-" for a negative value), the display form of the
// magnitude, one trailing blank (" 1.5 ", "-1.5 ").
std::string reportNumber(double value);

}  // namespace slopekit
