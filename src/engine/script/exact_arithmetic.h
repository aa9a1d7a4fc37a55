#pragma once

#include "engine/script/exact_evaluator.h"
#include "engine/script/exact_value.h"

#include <span>
#include <vector>

namespace slopekit::script {

// The derivative rules of second-order forward mode on ExactValue: each operation sets the
// result's entries in place of its first operand; the caller sets the result's value. The
// rules use the operands' numbers, which the caller passes (a text read as a number, True
// as -1).
class ExactArithmetic {
public:
    ExactArithmetic(int count, const std::vector<ExactFailure>& failures);

    // A value that does not change near the point: all derivatives zero.
    void constant(ExactValue& e, const Value& value) const;
    // A copy of the entries in use.
    void copy(ExactValue& to, const ExactValue& from) const;
    // Variable k (after constant()).
    void seed(ExactValue& e, int k) const;

    void negate(ExactValue& e) const;
    // a + sign * b.
    void sum(ExactValue& a, const ExactValue& b, double sign) const;
    void product(ExactValue& a, double x, const ExactValue& b, double y) const;
    // a / b with the quotient q.
    void quotient(ExactValue& a, const ExactValue& b, double y, double q) const;
    // f(u): the chain rule with f'(u) = d1 and f''(u) = d2.
    void chain(ExactValue& u, double d1, double d2) const;
    // f(a, b) from its partial derivatives in a and b.
    struct Partials {
        double a, b, aa, ab, bb;
    };
    void chain(ExactValue& a, const ExactValue& b, const Partials& p) const;

    // No derivative for the variables `over` (and, unless secondOnly, the gradient's), by
    // failure `failure`.
    void fail(ExactValue& e, VariableSet over, int failure, bool secondOnly = false) const;
    // A result constant near the point between its jumps (a step function of its operands):
    // derivatives zero, but an operand's jump stays a jump; `jumps` are the variables that
    // put the point on a jump of this operation, named by failure `failure`.
    void stepwise(ExactValue& result, std::span<const ExactValue* const> operands, VariableSet jumps,
                  int failure) const;

private:
    // Whether an entry is undefined by a jump, or where the value stays continuous.
    bool byJump(double entry) const;
    bool byContinuity(double entry) const;
    // The failure an undefined entry names; nullptr for any other entry.
    const ExactFailure* failureNamedBy(double entry) const;
    // The variables whose entries an operation visits: those of `deps`, or all of them when
    // an undefined entry may stand outside (a failure's row).
    struct Active {
        int index[MaxExactVariables];
        int count = 0;
    };
    Active active(VariableSet deps, bool all) const;
    void scale(ExactValue& e, double factor) const;
    // a's entries become b's times a factor.
    void scaledCopy(ExactValue& a, const ExactValue& b, double factor) const;
    void productCarefully(ExactValue& a, double x, const ExactValue& b, double y) const;
    void chainCarefully(ExactValue& u, double d1, double d2) const;
    // After a sum or product of polynomials: exact zeros everywhere make a constant.
    void settle(ExactValue& e) const;

    int m_n;
    int m_m;
    const std::vector<ExactFailure>& m_failures;
};

}  // namespace slopekit::script
