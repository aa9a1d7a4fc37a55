#pragma once

// The digits of the &H (hexadecimal) and &O (octal) number forms, which both the number
// readings and the expression language's literals accept.
namespace slopekit {

// The value of a hexadecimal (base 16) or octal (base 8) digit, or -1.
inline int baseDigit(char c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < base ? d : -1;
}

// The base that the letter after "&" names (H: 16, O: 8), or 0.
inline int prefixBase(char c)
{
    if (c == 'H' || c == 'h')
        return 16;
    if (c == 'O' || c == 'o')
        return 8;
    return 0;
}

}  // namespace slopekit
