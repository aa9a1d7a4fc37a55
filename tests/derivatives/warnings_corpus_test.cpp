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
#include <iostream>
#include <sstream>

namespace slopekit {
namespace {

struct Figures {
    int computed = 0, failed = 0;  // cases whose classic computation succeeded, failed
    int bad = 0, badMarked = 0;    // classic entries off by more than 1e-6 of their size, and marked
    int good = 0, goodMarked = 0;  // within 1e-8, and marked
    std::ostringstream missed, falselyMarked;  // the entries that break either rule
    std::string failedCases;
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

TEST(WarningsOnTheCorpus, MarkNearlyEveryClassicEntryOffByAMillionthAndHardlyAnyGoodOne)
{
    Figures fig;
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
        if (!outcome.results) {
            ++fig.failed;
            fig.failedCases += " " + c.name;
            continue;
        }
        ++fig.computed;
        count(c, *outcome.results, fig);
    }
    RecordProperty("bad", fig.bad);
    RecordProperty("bad_marked", fig.badMarked);
    RecordProperty("good", fig.good);
    RecordProperty("good_marked", fig.goodMarked);
    std::cout << "cases computed " << fig.computed << ", failed " << fig.failed << " (" << fig.failedCases << " ); off by more than 1e-6: "
              << fig.badMarked << " of " << fig.bad << " marked; within 1e-8: " << fig.goodMarked << " of "
              << fig.good << " marked\n";
    EXPECT_GE(fig.badMarked, 0.98 * fig.bad) << fig.missed.str();
    EXPECT_LE(fig.goodMarked, 0.01 * fig.good) << fig.falselyMarked.str();
}

}  // namespace
}  // namespace slopekit
