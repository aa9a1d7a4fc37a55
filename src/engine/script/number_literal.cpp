#include "engine/script/number_literal.h"

#include "numbers/base_digits.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace slopekit::script {
namespace {

constexpr int InvalidNumber = 1031;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

NumberLiteral scanBased(std::string_view text, std::size_t pos)
{
    const int base = prefixBase(text[pos + 1]);
    std::size_t i = pos + 2;
    std::uint64_t v = 0;
    NumberLiteral lit;
    for (; i < text.size() && baseDigit(text[i], base) >= 0; ++i) {
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(baseDigit(text[i], base));
        if (v > 0xFFFFFFFFu) {
            lit.error = InvalidNumber;
            lit.end = pos;
            return lit;
        }
    }
    const bool forceLong = i < text.size() && text[i] == '&';
    lit.end = forceLong ? i + 1 : i;
    if (!forceLong && v <= 0xFFFFu) {
        const int sixteen = v > 0x7FFFu ? static_cast<int>(v) - 0x10000 : static_cast<int>(v);
        lit.value = Value::integer(sixteen);
    } else {
        lit.value = Value::longValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }
    return lit;
}

// The power of ten of the leading significant digit of a decimal literal; decides whether a
// value that from_chars cannot represent is too large or merely too small.
long long leadingMagnitude(std::string_view mantissa, long long exponent)
{
    const auto point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const auto first = whole.find_first_not_of('0');
    if (first != std::string_view::npos)
        return static_cast<long long>(whole.size() - first) - 1 + exponent;
    return -1 + exponent;  // below one: small either way
}

}  // namespace

bool startsBasedLiteral(std::string_view text, std::size_t pos)
{
    if (pos + 2 >= text.size() || text[pos] != '&')
        return false;
    const int base = prefixBase(text[pos + 1]);
    return base != 0 && baseDigit(text[pos + 2], base) >= 0;
}

NumberLiteral scanNumberLiteral(std::string_view text, std::size_t pos)
{
    if (text[pos] == '&')
        return scanBased(text, pos);

    NumberLiteral lit;
    std::size_t i = pos;
    bool whole = true;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == '.') {
        whole = false;
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
    }
    const std::size_t mantissaEnd = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        whole = false;
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        if (i >= text.size() || !isDigit(text[i])) {
            lit.error = InvalidNumber;
            lit.end = pos;
            return lit;
        }
        for (; i < text.size() && isDigit(text[i]); ++i)
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (text[i] - '0');
        if (negative)
            exponent = -exponent;
    }
    lit.end = i;
    double v = 0;
    const auto res = std::from_chars(text.data() + pos, text.data() + i, v);
    if (res.ec == std::errc::result_out_of_range) {
        if (leadingMagnitude(text.substr(pos, mantissaEnd - pos), exponent) > 0) {
            lit.error = InvalidNumber;
            lit.end = pos;
            return lit;
        }
        v = 0;
    } else if (res.ec != std::errc() || res.ptr != text.data() + i || !std::isfinite(v)) {
        lit.error = InvalidNumber;
        lit.end = pos;
        return lit;
    }
    lit.value = whole ? wholeValue(v, Type::Integer) : Value::real(v);
    return lit;
}

}  // namespace slopekit::script
