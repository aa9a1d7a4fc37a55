#pragma once

#include "engine/script/globals.h"
#include "engine/script/program.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace slopekit::script {

// A method made global by AddObject: the slot of its object and its index there.
struct MethodRef {
    Slot* object;
    std::uint32_t index;
};
using MethodTable = std::unordered_map<std::string, MethodRef>;

// Texts longer than this, or nested deeper than MaxDepth, are refused with error 1002.
inline constexpr std::size_t MaxTextLength = 64 * 1024;
inline constexpr int MaxDepth = 256;

// Compiles one expression (Eval) or a sequence of assignments separated by ":" or line
// ends (ExecuteStatement). Names are bound to slots of `globals`, created when new.
// Throws SyntaxFault.
std::shared_ptr<const Program> compileExpression(std::string_view text, Globals& globals, const MethodTable& methods);
std::shared_ptr<const Program> compileStatements(std::string_view text, Globals& globals, const MethodTable& methods);

}  // namespace slopekit::script
