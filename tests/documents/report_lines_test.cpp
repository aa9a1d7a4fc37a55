#include "documents/report_lines.h"
#include "numbers/locale_guard.h"
#include "problem/dimension.h"

#include <gtest/gtest.h>

namespace slopekit {
namespace {

using testing::LocaleGuard;

// A problem as a completed computation leaves it.
Dimension computed(const std::vector<std::string>& names, const std::vector<double>& point)
{
    Dimension dim;
    dim.redimension(static_cast<int>(names.size()));
    dim.VarNams = names;
    dim.Varx = point;
    for (std::size_t i = 0; i < names.size(); ++i) {
        dim.Der1Label[i] = "D" + names[i] + " ";
        dim.Der1Val[i] = 1.0 + static_cast<double>(i);
        for (std::size_t j = i; j < names.size(); ++j) {
            dim.Der2Label[i][j] = "D" + names[i] + names[j] + " ";
            dim.Der2Val[i][j] = -0.5 * static_cast<double>(10 * (i + 1) + j + 1);
        }
    }
    return dim;
}

TEST(ReportLines, OneVariableWithConstants)
{
    LocaleGuard point(".", ",");
    const Dimension dim = computed({"x"}, {1.5});
    int evaluations = 0;
    const auto lines = reportLines(dim, "x^2+a", {"a=2", "b=max(1,2)"}, [&] {
        ++evaluations;
        return 4.25;
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"    ORDER: 1 ", "VARIABLES: x", "", "FUNCTION:", "x^2+a", "",
                                               "CONSTANTS:", "a=2", "b=max(1,2)", "", "EVALUATION POINT:",
                                               "x = 1.5 ", "", "FUNCTION = 4.25 ", "", "Dx = 1", "Dxx = -5.5", ""}));
    EXPECT_EQ(evaluations, 1);
}

TEST(ReportLines, TwoVariablesNegativeCoordinateNoConstantsCommaLocale)
{
    LocaleGuard comma(",", ".");
    const Dimension dim = computed({"x", "y"}, {1.5, -2.5});
    const auto lines = reportLines(dim, "x*y", {}, [] { return -3.75; });
    EXPECT_EQ(lines, (std::vector<std::string>{"    ORDER: 2 ", "VARIABLES: x,y", "", "FUNCTION:", "x*y", "",
                                               "EVALUATION POINT:", "x = 1,5 ", "y =-2,5 ", "", "FUNCTION =-3,75 ",
                                               "", "Dx = 1", "Dy = 2", "Dxx = -5,5", "Dyy = -11", "Dxy = -6", ""}));
}

}  // namespace
}  // namespace slopekit
