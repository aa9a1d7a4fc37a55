#pragma once

#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/refined_derivatives.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"

#include <string>
#include <vector>

namespace slopekit::testing {

// A problem with the given names and point and the program's steps.
inline Dimension makeProblem(const std::vector<std::string>& names, const std::vector<double>& point)
{
    Dimension dim;
    dim.redimension(static_cast<int>(names.size()));
    dim.VarNams = names;
    dim.Varx = point;
    dim.Step = 0.0003;
    dim.HalfStep = 0.00015;
    return dim;
}

// A function text at a point with its classic results computed through the engine and refined.
struct EngineProblem {
    EngineProblem(const std::vector<std::string>& names, const std::vector<double>& point, const std::string& f)
    {
        BuildLabels(dim = makeProblem(names, point));
        binding.setUp();
        dim.Equation = f;
        ComputeDerivatives(dim, evaluate);
        refined = RefineDerivatives(dim, evaluate);
    }
    Dimension dim;
    EngineBinding binding{dim};
    EvaluateAtVarx evaluate = [this] { return binding.EvaluateFunction(); };
    RefinedDerivatives refined;
};

}  // namespace slopekit::testing
