// The warnings on the classic list over the corpus of scripts/exact_corpus.py, computed as
// the Compute button computes, against its 50-digit derivatives: at least 98% of the
// classic entries off by more than 1e-6 of their size are marked, at most 1% of those
// within 1e-8.
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
    int bad = 0, badMarked = 0;    // classic entries off by more than 1e-6 of their size, and marked
    int good = 0, goodMarked = 0;  // within 1e-8, and marked
    std::ostringstream missed, falselyMarked;  // the entries that break either rule
};

// The size of an entry as the warnings measure it, taken from the true values of its kind.
double sizeOf(double truth, const std::vector<double>& kind)
{
    double largest = 0;
    for (double v : kind)
        largest = std::max(largest, std::fabs(v));
    return truth != 0 ? std::fabs(truth) : largest != 0 ? largest : 1;
}

void count(const testing::CorpusCase& c, const ComputedResults& results, Figures& fig)
{
    for (const ResultEntry& e : results.entries) {
        if (e.at.i < 0)
            continue;
        const auto i = static_cast<std::size_t>(e.at.i);
        const bool second = e.at.j >= 0;
        const double truth = second ? c.hessian[testing::lowerTriangle(i, static_cast<std::size_t>(e.at.j))]
                                    : c.gradient[i];
        const double off = std::fabs(e.classic - truth) / sizeOf(truth, second ? c.hessian : c.gradient);
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

// The corpus computed once for both rules.
const Figures& figures()
{
    static const Figures fig = [] {
        Figures f;
        for (const testing::CorpusCase& c : testing::readExactCorpus(EXACT_CORPUS)) {
            Dimension dim = testing::makeProblem(c.names, c.point);
            EngineBinding binding(dim);
            binding.setUp();
            const ComputeHooks hooks{[&] { binding.RegisterConstants(); }, [&] { return binding.EvaluateFunction(); },
                                     [](const RunError&) { return true; }, runErrorMessage, nullptr,
                                     [&](bool muted) { binding.setErrorEventMuted(muted); },
                                     [&] { return binding.EvaluateExact(); }};
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

TEST(WarningsOnTheCorpus, MarkNearlyEveryClassicEntryOffByAMillionth)
{
    EXPECT_GE(figures().badMarked, 0.98 * figures().bad) << "unmarked entries off by more than 1e-6:" << figures().missed.str();
}

TEST(WarningsOnTheCorpus, MarkHardlyAnyClassicEntryWithinAHundredMillionth)
{
    EXPECT_LE(figures().goodMarked, 0.01 * figures().good) << "marked entries within 1e-8:" << figures().falselyMarked.str();
}

}  // namespace
}  // namespace slopekit
