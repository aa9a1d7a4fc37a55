#pragma once

#include "problem/dimension.h"
#include "problem/entry_checks.h"

#include <optional>
#include <string>

namespace slopekit {

// The user constants: texts "name=value" in Cons(0 .. NumCons - 1), in the order of the
// constant list. These functions change Cons and NumCons; the window mirrors each change
// in its list.

enum class ConstantAdded {
    Stored,   // appended at the end; replacedIndex tells which older entry it replaced
    Ignored,  // no "=", or a name that nameFault refuses: nothing changed, no message box
    Full,     // a new name while every slot is taken: nothing changed, FullMessage shown
};

struct AddConstantOutcome {
    ConstantAdded result = ConstantAdded::Ignored;
    int replacedIndex = -1;  // list index removed before the append, -1 for none
    std::string refusal;     // why a name was refused, for the status area
};

inline constexpr const char* ConstantsFullMessage =
    "Slopekit holds at most 101 constants. Remove one before you add another.";

// The name of a stored entry: its text before the first "=", or nothing without "=".
std::optional<std::string> constantName(const std::string& text);

// Add: the name before the first "=" must pass nameFault. An entry with the same name, case
// ignored as the engine ignores it, is removed first, so a replaced constant moves to the
// end, spelled as typed. The value part is not checked.
AddConstantOutcome addConstant(Dimension& dim, const std::string& text, const ReservedName& reserved);

// Remove entry k. Returns the name it defined, for the engine to forget, or nothing for an
// entry without "=". Throws std::out_of_range unless 0 <= k < NumCons.
std::optional<std::string> removeConstant(Dimension& dim, int k);

}  // namespace slopekit
