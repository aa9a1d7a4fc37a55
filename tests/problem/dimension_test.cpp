#include "problem/dimension.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace slopekit {
namespace {

TEST(Dimension, RedimensionCreatesEveryArrayAnewForOneToTenVariablesAndRefusesOtherCounts)
{
    Dimension d;
    d.redimension(10);
    d.VarNams[0] = d.Der1Label[0] = d.Der2Label[0][0] = "t";
    d.Varx[0] = d.Der1Val[0] = d.Der2Val[0][0] = 2.5;
    d.redimension(1);
    EXPECT_EQ(d.Order, 1);
    EXPECT_EQ(d.LastVar, 0);
    for (const auto* texts : {&d.VarNams, &d.Der1Label, &d.Der2Label[0]})
        EXPECT_EQ(*texts, std::vector<std::string>{""});
    for (const auto* values : {&d.Varx, &d.Der1Val, &d.Der2Val[0]})
        EXPECT_EQ(*values, std::vector<double>{0});
    EXPECT_EQ(d.Der2Val.size() + d.Der2Label.size(), 2u);
    for (int n : {0, -1, 11}) {
        EXPECT_THROW(d.redimension(n), std::out_of_range) << n;
        EXPECT_EQ(d.Varx.size(), 1u) << "a refused count keeps the old shape";
    }
}

}  // namespace
}  // namespace slopekit
