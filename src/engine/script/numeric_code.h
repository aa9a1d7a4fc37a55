#pragma once

#include "engine/script/program.h"
#include "engine/script/scratch.h"

#include <vector>

namespace slopekit::script {

// The code of a numeric program translated for doubles.
std::vector<NumInstruction> numericCode(const Program& program);

// Whether a numeric program can run on doubles now: each of its variables and Double
// fields holds a number.
inline bool numbersOnly(const Program& program)
{
    if (!program.numeric)
        return false;
    for (const Slot* s : program.variables)
        if (s->kind == SlotKind::NumberField ? *s->number != *s->number : !s->value.isNumeric())
            return false;
    return true;
}

// Runs `program.numericCode` (when numbersOnly holds); the value is the number that the
// evaluator of values would give. Throws LocatedFault.
double runNumeric(const Program& program, double* stack, Scratch& scratch);

}  // namespace slopekit::script
