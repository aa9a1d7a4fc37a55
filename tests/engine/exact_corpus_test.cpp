// The exact derivatives over the corpus of scripts/exact_corpus.py, against 50-digit
// symbolic derivatives: at least 98% of the entries within 1e-13 of the truth relative to
// their size, the median within 1e-15.
#include "derivatives/exact_corpus.h"
#include "engine/engine_binding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace slopekit {
namespace {

using testing::CorpusCase;

std::vector<CorpusCase> corpus() { return testing::readExactCorpus(EXACT_CORPUS); }

// One entry's error relative to its size: |reference|, or for a zero reference the largest
// |reference| of its kind (1 where all are zero).
struct EntryError {
    std::string what;
    double error;
};

void collect(const std::vector<double>& references, const std::vector<double>& computed, const std::string& what,
             std::vector<EntryError>& errors)
{
    double largest = 0;
    for (double r : references)
        largest = std::max(largest, std::fabs(r));
    for (std::size_t k = 0; k < references.size(); ++k) {
        const double size = references[k] != 0 ? std::fabs(references[k]) : (largest != 0 ? largest : 1);
        errors.push_back({what + " entry " + std::to_string(k), std::fabs(computed[k] - references[k]) / size});
    }
}

// A problem set up once and given each case in turn.
struct CorpusProblem {
    CorpusProblem() { binding.setUp(); }

    ExactDerivatives evaluate(const CorpusCase& c)
    {
        dim.redimension(static_cast<int>(c.names.size()));
        dim.VarNams = c.names;
        dim.Varx = c.point;
        dim.Equation = c.function;
        return binding.EvaluateExact();
    }

    Dimension dim;
    EngineBinding binding{dim};
};

TEST(ExactCorpus, HoldsAtLeastEightyCases) { EXPECT_GE(corpus().size(), 80u); }

// Every function of the corpus is smooth at its point: every entry has a number.
TEST(ExactCorpus, EveryEntryHasANumber)
{
    CorpusProblem problem;
    for (const CorpusCase& c : corpus()) {
        const ExactDerivatives d = problem.evaluate(c);
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_TRUE(d.gradient[i].value.has_value())
                << c.name << " D" << c.names[i] << ": " << d.gradient[i].reason;
            for (std::size_t j = 0; j <= i; ++j)
                EXPECT_TRUE(d.hessian[i][j].value.has_value())
                    << c.name << " D" << c.names[i] << c.names[j] << ": " << d.hessian[i][j].reason;
        }
    }
}

// Every entry's error, the largest first (no number counts as the largest).
std::vector<EntryError> sortedErrors()
{
    CorpusProblem problem;
    std::vector<EntryError> errors;
    for (const CorpusCase& c : corpus()) {
        const ExactDerivatives d = problem.evaluate(c);
        std::vector<double> gradient;
        std::vector<double> hessian;
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            gradient.push_back(d.gradient[i].value.value_or(NAN));
            for (std::size_t j = 0; j <= i; ++j)
                hessian.push_back(d.hessian[i][j].value.value_or(NAN));
        }
        collect(c.gradient, gradient, c.name + " gradient", errors);
        collect(c.hessian, hessian, c.name + " hessian", errors);
    }
    std::sort(errors.begin(), errors.end(), [](const EntryError& a, const EntryError& b) {
        return !(a.error <= b.error);  // NaN (no number) first, then the largest
    });
    return errors;
}

TEST(ExactCorpus, NearlyEveryEntryIsWithin1e13OfTheTruth)
{
    const std::vector<EntryError> errors = sortedErrors();
    std::ostringstream beyond;
    std::size_t within = 0;
    for (const EntryError& e : errors) {
        if (e.error <= 1e-13)
            ++within;
        else
            beyond << "\n  " << e.what << ": " << e.error;
    }
    EXPECT_GE(static_cast<double>(within), 0.98 * static_cast<double>(errors.size()))
        << "entries beyond 1e-13:" << beyond.str();
}

TEST(ExactCorpus, MedianErrorIsWithin1e15)
{
    const std::vector<EntryError> errors = sortedErrors();
    EXPECT_LE(errors[errors.size() / 2].error, 1e-15) << "median error";
}

}  // namespace
}  // namespace slopekit
