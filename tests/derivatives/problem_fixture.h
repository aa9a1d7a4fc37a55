#pragma once

#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/refined_derivatives.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"

#include <string>
#include <vector>

namespace slopekit::testing {

// A problem in the first of the given names, one for each coordinate of the point, with the program's steps.
inline Dimension makeProblem(const std::vector<std::string>& names, const std::vector<double>& point)
{
    Dimension dim;
    dim.redimension(static_cast<int>(point.size()));
    dim.VarNams.assign(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(point.size()));
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
        lines = ComputeDerivatives(dim, evaluate);
        refined = RefineDerivatives(dim, evaluate);
    }
    Dimension dim;
    EngineBinding binding{dim};
    EvaluateAtVarx evaluate = [this] { return binding.EvaluateFunction(); };
    std::vector<std::string> lines;
    RefinedDerivatives refined;
};

}  // namespace slopekit::testing
