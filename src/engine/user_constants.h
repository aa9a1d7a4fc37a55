#pragma once

#include "problem/dimension.h"

#include <optional>
#include <string>

namespace slopekit {

// The user constants: texts "name=value" in Cons(0 .. NumCons - 1), in the order of the
// constant list. These functions change Cons and NumCons; the window mirrors each change
// in its list.

enum class ConstantAdded {
    Stored,   // appended at the end; replacedIndex tells which older entry it replaced
    Ignored,  // no "=", or a name that breaks the rules: nothing changed, no message
    Full,     // a new name while every slot is taken: nothing changed, FullMessage shown
};

struct AddConstantOutcome {
    ConstantAdded result = ConstantAdded::Ignored;
    int replacedIndex = -1;  // list index removed before the append, -1 for none
};

inline constexpr const char* ConstantsFullMessage =
    "Slopekit holds at most 101 constants. Remove one before you add another.";

// The name of a stored entry: its text before the first "=", or nothing without "=".
std::optional<std::string> constantName(const std::string& text);

// Add: the name before the first "=" must be a letter followed by letters and digits
// (ASCII). An entry with the same name (case counts) is removed first, so a replaced
// constant moves to the end with its new text. The value part is not checked.
AddConstantOutcome addConstant(Dimension& dim, const std::string& text);

// Remove entry k. Returns the statement that sets the constant to 0 in the engine ("a=0"
// for "a=2.37"), or nothing for an entry without "=", which defines no name to reset.
// Throws std::out_of_range unless 0 <= k < NumCons.
std::optional<std::string> removeConstant(Dimension& dim, int k);

}  // namespace slopekit
