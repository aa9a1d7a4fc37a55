#include "analysis/hessian_analysis.h"

#include "errors/run_error.h"
#include "numbers/number_text.h"

#include <Eigen/Eigenvalues>

#include <algorithm>
#include <cmath>
#include <limits>

namespace slopekit {
namespace {

constexpr double ClassicTolerance = 1e-6;
// Rounding in the last digits of a refined estimate that is already exact: without it an
// estimate of 1E-14 with an error of 0 would deny a critical point that plainly is one.
constexpr double RoundingFloor = 16 * std::numeric_limits<double>::epsilon();
// Exact results carry only the rounding of their own arithmetic and of the typed point
// (15 digits put sin's slope at a typed pi/2 at 3E-15): zero is judged against that.
constexpr double ExactFloor = 64 * std::numeric_limits<double>::epsilon();

// The part of each entry's size that rounding alone may take, beyond the estimated errors.
double roundingFloor(EstimateBasis basis)
{
    switch (basis) {
    case EstimateBasis::Refined: return RoundingFloor;
    case EstimateBasis::Exact: return ExactFloor;
    default: return 0;
    }
}

double scale(const std::vector<double>& point, std::size_t i) { return std::max(1.0, std::fabs(point[i])); }

bool finite(double v) { return std::isfinite(v); }

// The size a gradient entry has on the scale that the value and the Hessian give it: a
// move of one unit of scale along any variable changes it by up to |H_ij| s_j.
double gradientSize(const DerivativeEstimates& e, std::size_t i)
{
    double size = std::fabs(e.value) / scale(e.point, i);
    for (std::size_t j = 0; j < e.gradient.size(); ++j)
        if (finite(e.hessian[i][j]))
            size = std::max(size, std::fabs(e.hessian[i][j]) * scale(e.point, j));
    return size;
}

double largestEntry(const Matrix& m)
{
    double largest = 0;
    for (const auto& row : m)
        for (double v : row)
            if (finite(v))
                largest = std::max(largest, std::fabs(v));
    return largest;
}

bool allFinite(const Matrix& values, const Matrix& errors)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        for (std::size_t j = 0; j < values.size(); ++j)
            if (!finite(values[i][j]) || !finite(errors[i][j]))
                return false;
    return true;
}

// Frobenius norm of the error matrix: by Weyl's inequality no eigenvalue moves further.
double eigenvalueBound(const DerivativeEstimates& e)
{
    double sum = 0;
    for (const auto& row : e.hessianError)
        for (double v : row)
            sum += v * v;
    const double floor = roundingFloor(e.basis) * largestEntry(e.hessian) * static_cast<double>(e.hessian.size());
    return std::sqrt(sum) + floor;
}

void decompose(const Matrix& hessian, HessianAnalysis& result)
{
    const auto n = static_cast<Eigen::Index>(hessian.size());
    Eigen::MatrixXd h(n, n);
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j < n; ++j)
            h(i, j) = hessian[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(h);
    if (solver.info() != Eigen::Success)
        return;
    for (Eigen::Index k = 0; k < n; ++k) {
        result.eigenvalues.push_back(solver.eigenvalues()(k));
        std::vector<double> vector;
        for (Eigen::Index i = 0; i < n; ++i)
            vector.push_back(solver.eigenvectors()(i, k));
        result.eigenvectors.push_back(std::move(vector));
    }
}

std::string signs(Classification c, bool oneVariable, double bound)
{
    const std::string what = oneVariable ? "the second derivative is" : "every eigenvalue is";
    const std::string margin = " beyond its error (" + displayForm(twoSignificantDigits(bound)) + ")";
    switch (c) {
    case Classification::Minimum: return what + " positive" + margin;
    case Classification::Maximum: return what + " negative" + margin;
    case Classification::Saddle:
        return "one eigenvalue is positive and one negative beyond their error (" +
               displayForm(twoSignificantDigits(bound)) + ")";
    default:
        return (oneVariable ? std::string("the second derivative") : std::string("an eigenvalue")) +
               " is zero within its error (" + displayForm(twoSignificantDigits(bound)) +
               "), so second derivatives cannot decide";
    }
}

std::string basisText(EstimateBasis basis)
{
    switch (basis) {
    case EstimateBasis::Exact: return "From the exact derivatives, good to rounding: ";
    case EstimateBasis::Refined: return "From the refined estimates and their errors: ";
    default: return "From the classic results, taken as good to one part in a million: ";
    }
}

Classification bySigns(const std::vector<double>& eigenvalues, double bound)
{
    const bool positive = std::any_of(eigenvalues.begin(), eigenvalues.end(), [&](double v) { return v > bound; });
    const bool negative = std::any_of(eigenvalues.begin(), eigenvalues.end(), [&](double v) { return v < -bound; });
    const bool zero =
        std::any_of(eigenvalues.begin(), eigenvalues.end(), [&](double v) { return std::fabs(v) <= bound; });
    if (positive && negative)
        return Classification::Saddle;  // certain whatever the others are
    if (zero || eigenvalues.empty())
        return Classification::Inconclusive;
    return positive ? Classification::Minimum : Classification::Maximum;
}

}  // namespace

DerivativeEstimates classicEstimates(const std::vector<double>& point, double value,
                                     const std::vector<double>& gradient, const Matrix& hessian)
{
    DerivativeEstimates e{point, value, gradient, {}, hessian, {}, EstimateBasis::Classic};
    const std::size_t n = gradient.size();
    const double largest = largestEntry(hessian);
    e.hessianError.assign(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i) {
        e.gradientError.push_back(ClassicTolerance * gradientSize(e, i));
        for (std::size_t j = 0; j < n; ++j)
            e.hessianError[i][j] =
                ClassicTolerance * std::max(std::fabs(value) / scale(point, i) / scale(point, j), largest);
    }
    return e;
}

DerivativeEstimates estimatesFor(const ComputedResults& results)
{
    const std::size_t n = results.point.size();
    const bool exact = everyEntryExact(results);
    const ResultEntry& f = resultEntry(results, -1, -1);
    if (!exact && !results.refinedKnown) {
        std::vector<double> gradient(n);
        Matrix hessian(n, std::vector<double>(n));
        for (std::size_t i = 0; i < n; ++i) {
            gradient[i] = resultEntry(results, static_cast<int>(i), -1).classic;
            for (std::size_t j = 0; j < n; ++j)
                hessian[i][j] = resultEntry(results, static_cast<int>(i), static_cast<int>(j)).classic;
        }
        return classicEstimates(results.point, f.classic, gradient, hessian);
    }
    // An exact entry's error is zero; a refined one's is its estimate.
    const auto value = [exact](const ResultEntry& e) { return exact ? *e.exact.value : e.refined; };
    const auto error = [exact](const ResultEntry& e) { return exact ? 0.0 : e.refinedError; };
    DerivativeEstimates e{
        results.point, value(f), {}, {}, {}, {}, exact ? EstimateBasis::Exact : EstimateBasis::Refined};
    e.hessian.assign(n, std::vector<double>(n));
    e.hessianError = e.hessian;
    for (std::size_t i = 0; i < n; ++i) {
        const ResultEntry& g = resultEntry(results, static_cast<int>(i), -1);
        e.gradient.push_back(value(g));
        e.gradientError.push_back(error(g));
        for (std::size_t j = 0; j < n; ++j) {
            const ResultEntry& h = resultEntry(results, static_cast<int>(i), static_cast<int>(j));
            e.hessian[i][j] = value(h);
            e.hessianError[i][j] = error(h);
        }
    }
    return e;
}

const char* classificationKey(Classification c)
{
    switch (c) {
    case Classification::Minimum: return "minimum";
    case Classification::Maximum: return "maximum";
    case Classification::Saddle: return "saddle";
    case Classification::NotCritical: return "not critical";
    default: return "inconclusive";
    }
}

const char* classificationName(Classification c)
{
    switch (c) {
    case Classification::Minimum: return "local minimum";
    case Classification::Maximum: return "local maximum";
    case Classification::Saddle: return "saddle point";
    case Classification::NotCritical: return "not a critical point";
    default: return "inconclusive";
    }
}

HessianAnalysis analyseHessian(const DerivativeEstimates& e)
{
    HessianAnalysis result;
    const std::size_t n = e.gradient.size();
    const bool hessianKnown = allFinite(e.hessian, e.hessianError);
    if (hessianKnown)
        decompose(e.hessian, result);
    result.eigenvalueError = hessianKnown ? eigenvalueBound(e) : std::numeric_limits<double>::infinity();

    bool gradientKnown = true;
    bool clearlyNonZero = false;
    double squares = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double g = e.gradient[i];
        const double error = e.gradientError[i] + roundingFloor(e.basis) * gradientSize(e, i);
        if (!finite(g) || !finite(error)) {
            gradientKnown = false;
            continue;
        }
        squares += g * g;
        clearlyNonZero = clearlyNonZero || std::fabs(g) > error;
    }
    result.gradientNorm = gradientKnown ? std::sqrt(squares) : std::numeric_limits<double>::quiet_NaN();

    const std::string source = basisText(e.basis);
    if (clearlyNonZero) {
        result.classification = Classification::NotCritical;
        if (gradientKnown && result.gradientNorm > 0)
            for (double g : e.gradient)
                result.ascent.push_back(g / result.gradientNorm);
        result.basis =
            source + "the gradient is not zero within its error (|grad f| = " + displayForm(result.gradientNorm) + ").";
        if (!gradientKnown)
            result.basis = source + "a gradient entry is not zero within its error.";
        return result;
    }
    if (!gradientKnown || !hessianKnown || result.eigenvalues.size() != n) {
        result.classification = Classification::Inconclusive;
        result.basis = source + "some estimates are unreliable, so nothing can be concluded.";
        return result;
    }
    result.classification = bySigns(result.eigenvalues, result.eigenvalueError);
    result.basis = source + "the gradient is zero within its error and " +
                   signs(result.classification, n == 1, result.eigenvalueError) + ".";
    return result;
}

}  // namespace slopekit
