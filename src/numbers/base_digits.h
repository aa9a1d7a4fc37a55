#pragma once

#include "ascii/ascii.h"

// The digits of the &H (hexadecimal) and &O (octal) number forms, which both the number
// readings and the expression language's literals accept.
namespace slopekit {

// The value of a hexadecimal (base 16) or octal (base 8) digit, or -1.
inline int baseDigit(char c, int base)
{
    const char lower = lowerCase(c);
    int d = -1;
    if (isDigit(c))
        d = c - '0';
    else if (lower >= 'a' && lower <= 'f')
        d = lower - 'a' + 10;
    return d < base ? d : -1;
}

// The base that the letter after "&" names (H: 16, O: 8), or 0.
inline int prefixBase(char c)
{
    if (lowerCase(c) == 'h')
        return 16;
    if (lowerCase(c) == 'o')
        return 8;
    return 0;
}

}  // namespace slopekit
