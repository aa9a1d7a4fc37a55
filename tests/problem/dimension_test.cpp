#include "problem/dimension.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace slopekit {
namespace {

TEST(Dimension, StartsEmpty)
{
    Dimension d;
    EXPECT_EQ(d.Order, 0);
    EXPECT_TRUE(d.VarNams.empty());
    EXPECT_TRUE(d.Der2Val.empty());
    EXPECT_EQ(d.NumCons, 0);
    EXPECT_EQ(d.Cons.size(), 101u);
    EXPECT_FALSE(d.ResultsShown);
    EXPECT_FALSE(d.Loading);
}

TEST(Dimension, RedimensionCreatesEveryArrayAnewForNVariables)
{
    Dimension d;
    d.redimension(4);
    d.VarNams[3] = "t";
    d.Varx[3] = 2.5;
    d.Der1Val[0] = 1;
    d.Der2Val[3][3] = 7;
    d.Der1Label[1] = "Dy ";
    d.Der2Label[0][3] = "Dxt ";

    d.redimension(2);

    EXPECT_EQ(d.Order, 2);
    EXPECT_EQ(d.LastVar, 1);
    EXPECT_EQ(d.VarNams, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(d.Varx, (std::vector<double>{0, 0}));
    EXPECT_EQ(d.Der1Val, (std::vector<double>{0, 0}));
    EXPECT_EQ(d.Der1Label, (std::vector<std::string>{"", ""}));
    ASSERT_EQ(d.Der2Val.size(), 2u);
    ASSERT_EQ(d.Der2Label.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(d.Der2Val[i], (std::vector<double>{0, 0}));
        EXPECT_EQ(d.Der2Label[i], (std::vector<std::string>{"", ""}));
    }
}

TEST(Dimension, RedimensionRefusesCountsOutsideOneToTen)
{
    Dimension d;
    d.redimension(10);
    EXPECT_EQ(d.Varx.size(), 10u);
    for (int n : {0, -1, 11}) {
        EXPECT_THROW(d.redimension(n), std::out_of_range) << n;
        EXPECT_EQ(d.Order, 10) << "a refused count keeps the old shape";
        EXPECT_EQ(d.Varx.size(), 10u);
    }
}

}  // namespace
}  // namespace slopekit
