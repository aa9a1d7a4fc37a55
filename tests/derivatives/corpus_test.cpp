// The results of the Compute command over the corpus of scripts/exact_corpus.py (polynomials,
// trigonometric, exponential and logarithmic functions, poles near the point, narrow peaks,
// cancellation, ten variables, mixed scales), against its 50-digit derivatives.
#include "derivatives/compute_command.h"
#include "derivatives/exact_corpus.h"
#include "derivatives/problem_fixture.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace slopekit {
namespace {

struct Figures {
    int entries = 0;
    int classicAtRounding = 0;  // classic entries within 1e-9 (first) or 1e-7 (second) of their size: 89%
    std::vector<double> refinedFirst, refinedSecond;  // refined relative errors
    int refinedMissing = 0;                           // refined entries off by more than 1e-6 (first) or 1e-4 (second)
    int refinedHonest = 0;                            // refined entries within their stated error
    int bad = 0, badMarked = 0;                       // classic entries off by more than 1e-6 of their size, and marked
    int good = 0, goodMarked = 0;                     // within 1e-8, and marked
    std::ostringstream missed, falselyMarked;         // the entries that break either rule of the warnings
};

double largest(const std::vector<double>& kind)
{
    double m = 0;
    for (double v : kind)
        m = std::max(m, std::fabs(v));
    return m;
}

double median(std::vector<double> v)
{
    std::ranges::sort(v);
    return v[v.size() / 2];
}

// Every entry of one case into the figures. An entry's size is |exact|, or for an exact 0
// the largest |exact| of its kind (1 where all are 0), as the warnings measure it.
void count(const testing::CorpusCase& c, const ComputedResults& results, Figures& fig)
{
    for (const ResultEntry& e : results.entries) {
        if (e.at.i < 0)
            continue;
        const bool second = e.at.j >= 0;
        const auto i = static_cast<std::size_t>(e.at.i);
        const double truth =
            second ? c.hessian[testing::lowerTriangle(i, static_cast<std::size_t>(e.at.j))] : c.gradient[i];
        const double largestOfKind = largest(second ? c.hessian : c.gradient);
        const double size = truth != 0 ? std::fabs(truth) : largestOfKind != 0 ? largestOfKind : 1;
        const double off = std::fabs(e.classic - truth) / size;
        const double refinedOff = std::isfinite(e.refined) ? std::fabs(e.refined - truth) / size : INFINITY;
        ++fig.entries;
        fig.classicAtRounding += off <= (second ? 1e-7 : 1e-9);
        (second ? fig.refinedSecond : fig.refinedFirst).push_back(refinedOff);
        fig.refinedMissing += refinedOff > (second ? 1e-4 : 1e-6);
        fig.refinedHonest += !std::isfinite(e.refined) || std::fabs(e.refined - truth) <= e.refinedError;
        if (off > 1e-6) {
            ++fig.bad;
            fig.badMarked += e.marked;
            if (!e.marked)
                fig.missed << "\n  " << c.name << " " << e.label << ": off by " << off;
        } else if (off <= 1e-8) {
            ++fig.good;
            fig.goodMarked += e.marked;
            if (e.marked)
                fig.falselyMarked << "\n  " << c.name << " " << e.label << ": off by " << off;
        }
    }
}

// The corpus computed once, as the Compute button computes, for every target below.
const Figures& figures()
{
    static const Figures fig = [] {
        Figures f;
        for (const testing::CorpusCase& c : testing::readExactCorpus(EXACT_CORPUS)) {
            Dimension dim = testing::makeProblem(c.names, c.point);
            EngineBinding binding(dim);
            binding.setUp();
            const ComputeHooks hooks{.registerConstants = [&] { binding.RegisterConstants(); },
                                     .evaluateFunction = [&] { return binding.EvaluateFunction(); },
                                     .announcedByErrorEvent = [](const RunError&) { return true; },
                                     .messageText = runErrorMessage,
                                     .muteErrorEvent = [&](bool muted) { binding.setErrorEventMuted(muted); },
                                     .evaluateExact = [&] { return binding.EvaluateExact(); }};
            PointTexts texts;
            for (double x : c.point)
                texts.push_back(pointForm(x));
            const ComputeOutcome outcome = runCompute(dim, hooks, c.function, texts);
            if (outcome.results)
                count(c, *outcome.results, f);
        }
        return f;
    }();
    return fig;
}

// The rest are poles, peaks and cancellation that the fixed steps cannot follow; steps not
// scaled by the coordinate fall to 84%.
TEST(Corpus, ClassicStepsReachTheRoundingAccuracyOnMostEntries)
{
    EXPECT_GE(figures().classicAtRounding, 0.85 * figures().entries)
        << "classic entries within 1e-9 (first) or 1e-7 (second) of their size";
}

TEST(Corpus, RefinedMedianErrorIsNearTheRoundingFloor)
{
    EXPECT_LE(median(figures().refinedFirst), 3e-13) << "median relative error of refined first derivatives";
    EXPECT_LE(median(figures().refinedSecond), 1e-12) << "median relative error of refined second derivatives";
}

TEST(Corpus, FewRefinedEntriesMissTheirTarget)
{
    EXPECT_LT(figures().refinedMissing, 0.02 * figures().entries)
        << "refined entries off by more than 1e-6 (first) or 1e-4 (second) of their size";
}

TEST(Corpus, RefinedErrorsCoverTheTrueErrorNearlyEverywhere)
{
    EXPECT_GE(figures().refinedHonest, 0.99 * figures().entries) << "refined entries within their stated error";
}

TEST(Corpus, WarningsMarkNearlyEveryClassicEntryOffByAMillionth)
{
    EXPECT_GE(figures().badMarked, 0.98 * figures().bad)
        << "unmarked entries off by more than 1e-6:" << figures().missed.str();
}

TEST(Corpus, WarningsMarkHardlyAnyClassicEntryWithinAHundredMillionth)
{
    EXPECT_LE(figures().goodMarked, 0.01 * figures().good)
        << "marked entries within 1e-8:" << figures().falselyMarked.str();
}

}  // namespace
}  // namespace slopekit
