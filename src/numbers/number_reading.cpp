#include "ascii/ascii.h"
#include "errors/run_error.h"
#include "messages/product_texts.h"
#include "numbers/base_digits.h"
#include "numbers/number_locale.h"
#include "numbers/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace slopekit {
namespace {

// The parts of a decimal number as read; the value is computed from them in one place.
struct DecimalParts {
    bool negative = false;
    std::string whole;     // digits before the point
    std::string fraction;  // digits after it
    long long exponent = 0;

    bool hasDigits() const { return !whole.empty() || !fraction.empty(); }
};

void addExponentDigit(long long& exponent, char digit)
{
    // Saturates far beyond any double's range, so a giant exponent cannot overflow.
    constexpr long long Cap = 1'000'000'000'000LL;
    if (exponent < Cap)
        exponent = exponent * 10 + (digit - '0');
}

// The power of ten of the leading significant digit of a decimal text: decides whether a
// value beyond what a double holds is too large or merely too small.
long long leadingPower(std::string_view text)
{
    const auto mark = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, mark);
    long long exponent = 0;
    if (mark != std::string_view::npos) {
        std::size_t pos = mark + 1;
        const bool negative = pos < text.size() && text[pos] == '-';
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        for (; pos < text.size(); ++pos)
            addExponentDigit(exponent, text[pos]);
        if (negative)
            exponent = -exponent;
    }
    const std::string_view whole = mantissa.substr(0, mantissa.find('.'));
    const auto first = whole.find_first_not_of('0');
    if (first != std::string_view::npos)
        return static_cast<long long>(whole.size() - first) - 1 + exponent;
    return -1 + exponent;  // below one: small either way
}

double toDouble(const DecimalParts& p)
{
    if (!p.hasDigits())
        return 0.0;
    std::string text = p.whole.empty() ? "0" : p.whole;
    if (!p.fraction.empty())
        text += "." + p.fraction;
    text += "e" + std::to_string(p.exponent);
    const std::optional<double> value = decimalValue(text);
    if (!value)
        throw RunError(errnum::Overflow, product::Title);
    return p.negative ? -*value : *value;
}

void addBaseDigit(double& value, int digit, int base)
{
    value = value * base + digit;
    if (value > std::numeric_limits<double>::max())
        throw RunError(errnum::Overflow, product::Title);
}

// Walks the text for the leading-number reading, skipping the characters it ignores.
class LenientCursor {
public:
    explicit LenientCursor(std::string_view text) : m_text(text) { skip(); }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n'))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

double leadingBaseNumber(LenientCursor& c, bool& digits)
{
    const int base = prefixBase(c.peek());
    if (base == 0)
        return 0.0;
    c.advance();
    double value = 0.0;
    for (int d; (d = baseDigit(c.peek(), base)) >= 0; c.advance()) {
        addBaseDigit(value, d, base);
        digits = true;
    }
    return value;
}

// Reads an optional sign and the digits of an exponent; false when there are no digits.
bool readExponent(std::string_view text, std::size_t& pos, DecimalParts& parts)
{
    bool ok = false;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    while (pos < text.size() && isDigit(text[pos])) {
        addExponentDigit(parts.exponent, text[pos++]);
        ok = true;
    }
    if (negative)
        parts.exponent = -parts.exponent;
    return ok;
}

bool isExponentMark(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

std::string_view withoutBlanks(std::string_view text)
{
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The strict grammar that the locale reading and the file check share: the whole text is an
// optional sign, digits (thousands separators between them), the decimal separator and
// digits, and an optional exponent (E or D, optional sign, digits).
bool readWholeDecimal(std::string_view text, std::string_view decimal, std::string_view thousands, DecimalParts& parts)
{
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        parts.negative = text[pos++] == '-';
    while (pos < text.size()) {
        if (isDigit(text[pos]))
            parts.whole += text[pos++];
        else if (!thousands.empty() && !parts.whole.empty() && text.substr(pos).starts_with(thousands))
            pos += thousands.size();
        else
            break;
    }
    if (text.substr(pos).starts_with(decimal)) {
        pos += decimal.size();
        while (pos < text.size() && isDigit(text[pos]))
            parts.fraction += text[pos++];
    }
    if (!parts.hasDigits())
        return false;
    if (pos < text.size() && isExponentMark(text[pos])) {
        ++pos;
        if (!readExponent(text, pos, parts))
            return false;
    }
    return pos == text.size();
}

// The leading-number reading from the cursor on; `digits` tells whether a number stood there.
double readLeading(LenientCursor& c, bool& digits)
{
    if (c.peek() == '&') {
        c.advance();
        return leadingBaseNumber(c, digits);
    }
    DecimalParts parts;
    if (c.peek() == '+' || c.peek() == '-') {
        parts.negative = c.peek() == '-';
        c.advance();
    }
    for (; isDigit(c.peek()); c.advance())
        parts.whole += c.peek();
    if (c.peek() == '.') {
        c.advance();
        for (; isDigit(c.peek()); c.advance())
            parts.fraction += c.peek();
    }
    if (parts.hasDigits() && isExponentMark(c.peek())) {
        // A mark without digits after it adds nothing: '1E' reads as 1.
        c.advance();
        bool negative = false;
        if (c.peek() == '+' || c.peek() == '-') {
            negative = c.peek() == '-';
            c.advance();
        }
        for (; isDigit(c.peek()); c.advance())
            addExponentDigit(parts.exponent, c.peek());
        if (negative)
            parts.exponent = -parts.exponent;
    }
    digits = parts.hasDigits();
    return toDouble(parts);
}

// The locale reading under the given separators.
double separatedNumber(std::string_view text, const NumberSeparators& seps)
{
    const auto notANumber = [] { return RunError(errnum::TypeMismatch, product::Title); };
    text = withoutBlanks(text);
    if (text.empty())
        throw notANumber();

    if (text.size() >= 2 && text[0] == '&') {
        const int base = prefixBase(text[1]);
        if (base == 0 || text.size() == 2)
            throw notANumber();
        double value = 0.0;
        for (char ch : text.substr(2)) {
            const int d = baseDigit(ch, base);
            if (d < 0)
                throw notANumber();
            addBaseDigit(value, d, base);
        }
        return value;
    }

    const std::string_view decimal = seps.decimal.empty() ? "." : std::string_view(seps.decimal);
    const std::string_view thousands =
        seps.thousands == seps.decimal ? std::string_view() : std::string_view(seps.thousands);
    DecimalParts parts;
    if (!readWholeDecimal(text, decimal, thousands, parts))
        throw notANumber();
    return toDouble(parts);
}

}  // namespace

double leadingNumber(std::string_view text)
{
    LenientCursor c(text);
    bool digits = false;
    return readLeading(c, digits);
}

double pointNumber(std::string_view text)
{
    text = withoutBlanks(text);
    // Blanks inside a number ('1 0') are no number here.
    if (text.find_first_of(" \t\n") != std::string_view::npos)
        throw RunError(errnum::TypeMismatch, product::Title);
    LenientCursor c(text);
    bool digits = false;
    const double value = readLeading(c, digits);
    if (!digits || !c.atEnd())
        throw RunError(errnum::TypeMismatch, product::Title);
    return value;
}

std::optional<double> decimalValue(std::string_view text)
{
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (leadingPower(text) > 0)
            return std::nullopt;
        return 0.0;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

double localeNumber(std::string_view text) { return separatedNumber(text, numberLocale()); }

double languageNumber(std::string_view text) { return separatedNumber(text, LanguageSeparators); }

bool isFileNumber(std::string_view text)
{
    DecimalParts parts;
    return readWholeDecimal(withoutBlanks(text), ".", {}, parts);
}

}  // namespace slopekit
