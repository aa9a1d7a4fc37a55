#pragma once

#include "engine/script/program.h"
#include "engine/script/scratch.h"
#include "engine/script/value.h"

#include <optional>
#include <string_view>

namespace slopekit::script {

// The built-ins by index, in the order of their table.
enum class BuiltinId : std::uint32_t {
    Abs,
    Atn,
    Cos,
    Exp,
    Fix,
    Int,
    Log,
    Round,
    Sgn,
    Sin,
    Sqr,
    Tan,
    CBool,
    CDbl,
    CInt,
    CLng,
    CSng,
    CStr,
    Hex,
    Oct,
    IsNumeric,
    IsEmpty,
    Len,
    Count
};

struct Builtin {
    std::string_view name;  // in the folded case
    int minArgs;
    int maxArgs;
    bool numeric = true;  // numbers in, a number out: usable by numeric programs
};

// The index of a built-in function by its folded name.
std::optional<std::uint32_t> findBuiltin(std::string_view foldedName);
const Builtin& builtin(std::uint32_t index);

// Calls built-in `index` with `argc` arguments (already checked against its arity).
Value callBuiltin(std::uint32_t index, const Value* args, int argc, Scratch& scratch);

// Built-in `index` as a function of one number, for a call with one argument whose result is
// a Double: what callBuiltin gives, without values. nullptr for the other built-ins.
NumberFunction numberFunction(std::uint32_t index);

}  // namespace slopekit::script
