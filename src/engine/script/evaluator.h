#pragma once

#include "engine/script/program.h"
#include "engine/script/scratch.h"

#include <cstddef>

namespace slopekit::script {

// A run-time error with the offset of the operation that raised it.
struct LocatedFault {
    int number;
    std::size_t offset;
};

// The value of a name for reading (Fault 500 for a variable never assigned).
inline Value load(const Slot& s)
{
    if (s.kind == SlotKind::Variable && s.value.type != Type::Empty)
        return s.value;
    return Globals::read(s);
}

// Runs a program on `stack` (room for program.maxStack values) and returns the value left
// on top (Empty for statements). Throws LocatedFault.
Value run(const Program& program, Value* stack, Scratch& scratch);

// Calls a host method, checking that it returned what a host method may.
Value callHostMethod(const HostMethod& method, const Value* args, int argc);

}  // namespace slopekit::script
