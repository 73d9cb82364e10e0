// The data exchange's rules that do not need a window.
#include <gtest/gtest.h>
#include <vector>

#include "framework/ExchangeRules.h"

TEST(ExchangeRules, CheckBoxShowsOnlyItsThreeStates) {
    const struct {
        int field, shown;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {99, 0}, {-2147483647 - 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(CheckFieldForDisplay(c.field), c.shown) << c.field;
}

TEST(ExchangeRules, RadioPositionIsTheFirstCheckedButton) {
    EXPECT_EQ(RadioPosition(std::vector<bool>{true, false, false}), 0);
    EXPECT_EQ(RadioPosition(std::vector<bool>{false, false, true}), 2);
    EXPECT_EQ(RadioPosition(std::vector<bool>{false, true, true}), 1);
    EXPECT_EQ(RadioPosition(std::vector<bool>{false, false, false}), -1);
    EXPECT_EQ(RadioPosition(std::vector<bool>{}), -1);
}

TEST(ExchangeRules, MessageLimitCountsCodePageBytes) {
    EXPECT_TRUE(FitsMaxBytes(std::string(40, 'a'), 40));
    EXPECT_FALSE(FitsMaxBytes(std::string(41, 'a'), 40));
    // Twenty Chinese characters are forty bytes; twenty-one are too many.
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += "\xb1\xac";
    EXPECT_TRUE(FitsMaxBytes(twenty, 40));
    EXPECT_FALSE(FitsMaxBytes(twenty + "\xd5\xa8", 40));
    EXPECT_FALSE(FitsMaxBytes(twenty + "!", 40));
}
