#include "numbers/number_locale.h"
#include "numbers/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace slopekit {
namespace {

// A finite value rounded to 15 significant digits: value = 0.d1d2d3... x 10^(exponent+1),
// i.e. d1 stands at the place 10^exponent. Digits carry no trailing zeros.
struct Rounded {
    bool negative = false;
    std::string digits;  // "0" for zero
    int exponent = 0;
};

Rounded round15(double value)
{
    Rounded r;
    if (value == 0.0 || !std::isfinite(value)) {  // -0 shows as 0; the engine never yields NaN
        r.digits = "0";
        return r;
    }
    r.negative = value < 0;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.')
            r.digits += c;
    while (r.digits.size() > 1 && r.digits.back() == '0')
        r.digits.pop_back();
    r.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return r;
}

struct Style {
    std::string_view separator;
    bool zeroBeforePoint;
};

// The magnitude in plain or exponent form, without a sign.
std::string magnitudeText(const Rounded& r, Style style)
{
    const std::string& d = r.digits;
    const int n = static_cast<int>(d.size());
    std::string out;
    if (r.digits == "0")
        return "0";
    if (r.exponent < -4 || r.exponent >= 15) {
        out += d[0];
        if (n > 1) {
            out += style.separator;
            out.append(d, 1);
        }
        const int e = std::abs(r.exponent);
        out += r.exponent < 0 ? "E-" : "E+";
        if (e < 10)
            out += '0';
        out += std::to_string(e);
        return out;
    }
    if (r.exponent >= 0) {
        const int whole = r.exponent + 1;
        out.append(d, 0, static_cast<std::size_t>(std::min(whole, n)));
        if (n < whole)
            out.append(static_cast<std::size_t>(whole - n), '0');
        if (n > whole) {
            out += style.separator;
            out.append(d, static_cast<std::size_t>(whole));
        }
        return out;
    }
    if (style.zeroBeforePoint)
        out += '0';
    out += style.separator;
    out.append(static_cast<std::size_t>(-r.exponent - 1), '0');
    out += d;
    return out;
}

std::string signedText(double value, Style style, std::string_view nonNegativeSign)
{
    const Rounded r = round15(value);
    return std::string(r.negative ? std::string_view("-") : nonNegativeSign) +
           magnitudeText(r, style);
}

}  // namespace

std::string displayForm(double value)
{
    return signedText(value, {numberLocale().decimal, true}, "");
}

std::string engineNumber(double value)
{
    return signedText(value, {".", false}, " ");
}

std::string fileNumber(double value)
{
    return signedText(value, {".", true}, "");
}

std::string reportNumber(double value)
{
    return signedText(value, {numberLocale().decimal, true}, " ") + " ";
}

}  // namespace slopekit
