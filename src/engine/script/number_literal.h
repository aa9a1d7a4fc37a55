#pragma once

#include "engine/script/value.h"

#include <cstddef>
#include <string_view>

namespace slopekit::script {

// A number literal read from the text: its value and the offset just after it, or the
// syntax error number (1031, Invalid number) when it is malformed or beyond the double range.
struct NumberLiteral {
    Value value;
    std::size_t end = 0;
    int error = 0;
};

// Reads the literal starting at `pos`, which holds a digit, a "." followed by a digit, or "&H"/"&O"
// followed by a digit of that base. Whole decimal literals are Integer, Long or Double by size;
// hexadecimal and octal ones are Integer up to 4 hex digits' worth, else Long (a trailing "&"
// forces Long), read as two's complement like the platform's language does.
NumberLiteral scanNumberLiteral(std::string_view text, std::size_t pos);

// Whether "&H"/"&O" at `pos` starts a number literal rather than the & operator.
bool startsBasedLiteral(std::string_view text, std::size_t pos);

}  // namespace slopekit::script
