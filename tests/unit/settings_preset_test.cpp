#include <climits>
#include <gtest/gtest.h>

#include "settings/DecimalText.h"
#include "settings/EdgeFlags.h"
#include "settings/Pictures.h"
#include "settings/PresetText.h"

namespace {

PresetValues Filled(int32_t v) {
    PresetValues values;
    values.fill(v);
    return values;
}

TEST(PresetText, ParseReadsLeadingNumbersAndKeepsTheRest) {
    struct Case {
        const char* text;
        int count;
        std::vector<int32_t> leading;  // the first `count` values; the rest stay 7
    };
    const Case cases[] = {
        {"", 0, {}},
        {"1,0,1", 3, {1, 0, 1}},
        {"-1,+2, 3,\t\n4", 4, {-1, 2, 3, 4}},
        {"1,2,x,4", 2, {1, 2}},
        {"1,,3", 1, {1}},
        {"1 ,2", 1, {1}},  // white space only before a number, never before a comma
        {"5;6", 1, {5}},
        {"-,1", 0, {}},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15", 13, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"0,0,0,0,0,0,0,0,-1,0,0,-1,1 trailing", 13, {0, 0, 0, 0, 0, 0, 0, 0, -1, 0, 0, -1, 1}},
        {"99999999999999999999,-99999999999999999999", 2, {INT32_MAX, INT32_MIN}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PresetValues values = Filled(7);
        EXPECT_EQ(ParsePresetString(c.text, values), c.count);
        for (int i = 0; i < Preset::Count; ++i)
            EXPECT_EQ(values[i], i < c.count ? c.leading[i] : 7) << "position " << i;
    }
}

TEST(PresetText, FormatWritesThirteenNumbersThatParseBack) {
    PresetValues example = {0, 1, 1, 0, 1, 1, 0, 0, 1, 1, 1, 2, 0};
    EXPECT_EQ(FormatPresetString(example), "0,1,1,0,1,1,0,0,1,1,1,2,0");
    EXPECT_EQ(DefaultPresetString(), "0,0,0,0,0,0,0,0,0,0,0,0,0");

    PresetValues extremes = {INT32_MIN, -1, 0, 1, INT32_MAX, 10, -10, 5, -1, 0, 0, -1, 1};
    PresetValues back = Filled(42);
    EXPECT_EQ(ParsePresetString(FormatPresetString(extremes), back), Preset::Count);
    EXPECT_EQ(back, extremes);
}

TEST(PresetText, DecimalTextToInt) {
    const std::pair<const char*, int32_t> cases[] = {
        {"200", 200},
        {" 007abc", 7},
        {"007", 7},
        {"abc", 0},
        {"", 0},
        {"-5", -5},
        {"+5", 5},
        {"\t\r\n 12", 12},
        {"- 5", 0},
        {"--5", 0},
        {"12 34", 12},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX},
        {"00000000000000000000000000000001", 1},
        {"999999999999999999999999999999", INT32_MAX},
        {"-999999999999999999999999999999", INT32_MIN},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(DecimalTextToInt(text), expected) << text;
}

TEST(PresetText, PictureResourceOfIconIndex) {
    const std::pair<const char*, int> cases[] = {
        {"0", 132},  {"1", 133},  {"2", 143},   {"7", 148}, {"12", 153},  {"13", 154},
        {"-1", 154}, {"99", 154}, {"abc", 132}, {"", 132},  {" 03", 144},
    };
    for (const auto& [text, resource] : cases) EXPECT_EQ(PictureResourceOf(text), resource) << text;
    EXPECT_EQ(PictureResource(INT32_MIN), 154);
    EXPECT_EQ(PictureResource(INT32_MAX), 154);
}

TEST(PresetText, EdgeFlags) {
    EXPECT_EQ(FormatEdgeFlags(1, 0, 1, 0), "1010");
    EXPECT_EQ(FormatEdgeFlags(0, 1, 2, -1), "0100");  // only exactly 1 is on

    const std::string flags = "1x01";
    EXPECT_TRUE(EdgeOn(flags, Edge::Top));
    EXPECT_FALSE(EdgeOn(flags, Edge::Bottom));
    EXPECT_FALSE(EdgeOn(flags, Edge::Left));
    EXPECT_TRUE(EdgeOn(flags, Edge::Right));
    for (int i = -1; i <= 4; ++i) {
        EXPECT_FALSE(EdgeOn("", i));
        EXPECT_EQ(EdgeOn("1", i), i == 0);  // missing characters count as off
    }

    EXPECT_EQ(RecalledEdgeFlags("0110"), "0110");
    for (const char* odd : {"", "1", "111", "11111"}) EXPECT_EQ(RecalledEdgeFlags(odd), "0000") << odd;
}

}  // namespace
