#include "numbers/number_locale.h"
#include "numbers/number_text.h"

#include <charconv>
#include <cmath>

namespace slopekit {
namespace {

// The significant digits of a finite value: value = d1.d2d3... x 10^exponent. Digits carry
// no trailing zeros; zero is the one digit "0".
struct Digits {
    bool negative = false;
    char digits[24];
    int count = 0;
    int exponent = 0;
};

// `precision` significant digits (15 for what people read), or 0 for the fewest digits
// that read back to the same double (for numbers that other programs read).
Digits digitsOf(double value, int precision)
{
    Digits r;
    if (value == 0.0 || !std::isfinite(value)) {  // -0 shows as 0; the engine never yields NaN
        r.digits[0] = '0';
        r.count = 1;
        return r;
    }
    r.negative = value < 0;
    char buf[48];
    const auto res =
        precision > 0
            ? std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, precision - 1)
            : std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            r.digits[r.count++] = *p;
    while (r.count > 1 && r.digits[r.count - 1] == '0')
        --r.count;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), res.ptr, r.exponent);
    return r;
}

struct Style {
    std::string_view separator;
    bool zeroBeforePoint;
};

void appendExponent(std::string& out, int exponent)
{
    out += exponent < 0 ? "E-" : "E+";
    const int e = std::abs(exponent);
    if (e < 10)
        out += '0';
    char buf[8];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, e).ptr);
}

// The magnitude in plain or exponent form, without a sign.
void appendMagnitude(std::string& out, const Digits& r, Style style)
{
    const std::string_view d(r.digits, static_cast<std::size_t>(r.count));
    const int n = r.count;
    if (d == "0") {
        out += '0';
    } else if (r.exponent < -4 || r.exponent >= 15) {
        out += d[0];
        if (n > 1) {
            out += style.separator;
            out += d.substr(1);
        }
        appendExponent(out, r.exponent);
    } else if (r.exponent >= 0) {
        const int whole = r.exponent + 1;
        out += d.substr(0, static_cast<std::size_t>(std::min(whole, n)));
        if (n < whole)
            out.append(static_cast<std::size_t>(whole - n), '0');
        if (n > whole) {
            out += style.separator;
            out += d.substr(static_cast<std::size_t>(whole));
        }
    } else {
        if (style.zeroBeforePoint)
            out += '0';
        out += style.separator;
        out.append(static_cast<std::size_t>(-r.exponent - 1), '0');
        out += d;
    }
}

void appendSigned(std::string& out, const Digits& r, Style style, std::string_view nonNegativeSign)
{
    out += r.negative ? std::string_view("-") : nonNegativeSign;
    appendMagnitude(out, r, style);
}

constexpr int ReadableDigits = 15;
constexpr int RoundTripDigits = 0;

}  // namespace

std::string displayForm(double value)
{
    std::string out;
    appendSigned(out, digitsOf(value, ReadableDigits), {numberLocale().decimal, true}, "");
    return out;
}

std::string pointForm(double value)
{
    std::string out;
    appendSigned(out, digitsOf(value, RoundTripDigits), {numberLocale().decimal, true}, "");
    return out;
}

void appendEngineNumber(std::string& text, double value)
{
    appendSigned(text, digitsOf(value, RoundTripDigits), {".", false}, " ");
}

std::string engineNumber(double value)
{
    std::string out;
    appendEngineNumber(out, value);
    return out;
}

std::string fileNumber(double value)
{
    std::string out;
    appendSigned(out, digitsOf(value, RoundTripDigits), {".", true}, "");
    return out;
}

double twoSignificantDigits(double error)
{
    if (!std::isfinite(error) || error == 0)
        return error;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, error, std::chars_format::scientific, 1).ptr;
    double rounded = error;
    std::from_chars(text, end, rounded);
    return rounded;
}

std::string displayFormToError(double value, double error)
{
    if (!std::isfinite(value) || !std::isfinite(error) || error <= 0 || value == 0)
        return displayForm(value);
    // The place of the error's second significant digit is the last one the value keeps.
    const int last = static_cast<int>(std::floor(std::log10(twoSignificantDigits(error)))) - 1;
    const int lead = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int digits = std::min(lead - last + 1, ReadableDigits);
    if (digits < 1)
        return displayForm(0.0);  // smaller than anything its error can tell apart from 0
    std::string out;
    appendSigned(out, digitsOf(value, digits), {numberLocale().decimal, true}, "");
    return out;
}

std::string reportNumber(double value)
{
    std::string out;
    appendSigned(out, digitsOf(value, ReadableDigits), {numberLocale().decimal, true}, " ");
    out += ' ';
    return out;
}

}  // namespace slopekit
