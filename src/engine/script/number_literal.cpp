#include "engine/script/number_literal.h"

#include "ascii/ascii.h"
#include "errors/run_error.h"
#include "numbers/base_digits.h"
#include "numbers/number_text.h"

#include <cstdint>
#include <optional>

namespace slopekit::script {
namespace {

NumberLiteral scanBased(std::string_view text, std::size_t pos)
{
    const int base = prefixBase(text[pos + 1]);
    std::size_t i = pos + 2;
    std::uint64_t v = 0;
    NumberLiteral lit;
    for (; i < text.size() && baseDigit(text[i], base) >= 0; ++i) {
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(baseDigit(text[i], base));
        if (v > 0xFFFFFFFFu) {
            lit.error = errnum::InvalidNumber;
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
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        whole = false;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (i >= text.size() || !isDigit(text[i])) {
            lit.error = errnum::InvalidNumber;
            lit.end = pos;
            return lit;
        }
        while (i < text.size() && isDigit(text[i]))
            ++i;
    }
    const std::optional<double> v = decimalValue(text.substr(pos, i - pos));
    if (!v) {
        lit.error = errnum::InvalidNumber;
        lit.end = pos;
        return lit;
    }
    lit.end = i;
    const double number = *v;
    lit.value = whole ? wholeValue(number, Type::Integer) : Value::real(number);
    return lit;
}

}  // namespace slopekit::script
