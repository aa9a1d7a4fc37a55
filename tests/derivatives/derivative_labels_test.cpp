#include "derivatives/derivative_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace slopekit {
namespace {

// The labels of the list in its order; each names one entry.
TEST(DerivativeLabels, NameEachEntryOnce)
{
    struct Row {
        const char* name;
        std::vector<std::string> variables;
        std::vector<std::string> labels;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "ordinary_names_joined", .variables = {"x", "y"}, .labels = {"Function", "Dx", "Dy", "Dxx", "Dyy", "Dxy"}},
        {.name = "similar_names_that_stay_apart", .variables = {"x1", "x12"}, .labels = {"Function", "Dx1", "Dx12", "Dx1x1", "Dx12x12", "Dx1x12"}},
        {.name = "first_in_xx_against_second_in_x", .variables = {"x", "xx"}, .labels = {"Function", "Dx", "Dxx", "D(x,x)", "D(xx,xx)", "D(x,xx)"}},
        {.name = "mixed_against_first", .variables = {"a", "ab", "b"}, .labels = {"Function", "Da", "Dab", "Db", "D(a,a)", "D(ab,ab)", "D(b,b)", "D(a,ab)", "D(a,b)", "D(ab,b)"}},
        {.name = "two_mixed_differing_in_case", .variables = {"ab", "C", "A", "bc"}, .labels = {"Function", "Dab", "DC", "DA", "Dbc", "D(ab,ab)", "D(C,C)", "D(A,A)", "D(bc,bc)", "D(ab,C)", "D(ab,A)", "D(ab,bc)", "D(C,A)", "D(C,bc)", "D(A,bc)"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        Dimension dim;
        dim.redimension(static_cast<int>(row.variables.size()));
        dim.VarNams = row.variables;
        BuildLabels(dim);
        std::vector<std::string> labels;
        for (const ListEntry& e : listEntries(dim.Order))
            labels.push_back(entryLabel(dim, e));
        EXPECT_EQ(labels, row.labels) << row.name << ": labels";
    }
}

}  // namespace
}  // namespace slopekit
