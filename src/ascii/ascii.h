#pragma once

#include <string>
#include <string_view>

// Characters and names by ASCII alone, whatever the locale: a name is ASCII letters, digits
// and underscores, and its case is folded only between A-Z and a-z.
namespace slopekit {

constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
// What may follow the first letter of a name.
constexpr bool isNameCharacter(char c) { return isLetter(c) || isDigit(c) || c == '_'; }

constexpr char lowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `text` in lower case into `out`, whose room is kept from call to call.
inline void foldCase(std::string_view text, std::string& out)
{
    out.assign(text);
    for (char& c : out)
        c = lowerCase(c);
}

inline std::string lowerCase(std::string_view text)
{
    std::string out;
    foldCase(text, out);
    return out;
}

// Whether two names are one, case ignored.
constexpr bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerCase(a[i]) != lowerCase(b[i]))
            return false;
    return true;
}

}  // namespace slopekit
