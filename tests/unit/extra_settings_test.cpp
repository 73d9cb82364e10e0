#include <gtest/gtest.h>

#include "settings/IniText.h"

namespace {

using namespace std::string_literals;

const std::string kBom = "\xEF\xBB\xBF";

std::string SetInto(const std::string& bytes, const char* section, const char* key, const char* value) {
    IniText text = IniText::Parse(bytes);
    text.Set(section, key, value);
    return text.Format();
}

TEST(IniText, OddTextsFormatBackByteForByte) {
    const std::string texts[] = {
        "",
        kBom,
        kBom + "[Extra]\r\nHotkey=F1\r\n",
        "[Extra]\nHotkey=F1",
        "a=1\r\n[A]\nb=2\r\n\n;c\r\n\r\n",
        "[Extra]\r\nHot\0key=\0\r\n\0"s,
        "\xFF\xFE[\xC3(]\n=\xE2\x82\n",
        "[Extra]\r\nHotkey=F1\r",
        "\r\r\n\n\r",
        "  [ Extra ]  ; note\n\tHotkey = F2 \n",
    };
    for (const std::string& bytes : texts) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(IniText::Parse(bytes).Format(), bytes);
    }
}

TEST(IniText, SetChangesOnlyItsLineAndAddsInTheTextsOwnLineEnds) {
    const std::string other = "; mine\r\n[Other]\r\nHotkey=F9\r\nodd line\r\n";
    EXPECT_EQ(SetInto(kBom + other + "[Extra]\r\nx=1\r\n  hotkey = F2\r\n\r\n;tail\r\n", "Extra", "Hotkey", "F3"),
              kBom + other + "[Extra]\r\nx=1\r\nHotkey=F3\r\n\r\n;tail\r\n");
    EXPECT_EQ(SetInto("[extra]\nx=1\n;c\n\n[B]\n", "Extra", "Hotkey", "F3"), "[extra]\nx=1\nHotkey=F3\n;c\n\n[B]\n");
    EXPECT_EQ(SetInto("[Extra]\nHotkey=F1", "Extra", "Hotkey", "F2"), "[Extra]\nHotkey=F2");
    EXPECT_EQ(SetInto("[Extra]\nx=1", "Extra", "y", "2"), "[Extra]\nx=1\ny=2\n");
    EXPECT_EQ(SetInto("[Extra]\r\nx=1\r", "Extra", "y", "2"), "[Extra]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(SetInto("[A]\nx=1\r\n[Extra]\n", "Extra", "y", "2"), "[A]\nx=1\r\n[Extra]\ny=2\r\n");
    EXPECT_EQ(SetInto("", "Extra", "y", "2"), "[Extra]\r\ny=2\r\n");
    EXPECT_EQ(SetInto(kBom, "Extra", "y", "2"), kBom + "[Extra]\r\ny=2\r\n");
    EXPECT_EQ(SetInto("y=1\n[Extra", "Extra", "y", "2"), "y=1\n[Extra\n[Extra]\ny=2\n");
    EXPECT_EQ(SetInto("[Extra]\n y = 2 \n", "Extra", "y", "2"), "[Extra]\n y = 2 \n");
    EXPECT_EQ(SetInto("[Extra]\n", "Extra", "y", "a\r\n[B]"), "[Extra]\ny=a\n");
}

TEST(IniText, NamesIgnoreCaseAndOnlyTheFirstSectionCounts) {
    IniText text = IniText::Parse(
        "Window=0\n[hidden]\nWINDOW = a \n;Window=c\nwindow=\nother=1\nWindow=b\n[Hidden]\nWindow=d\n[X]\nWindow=e\n");
    EXPECT_EQ(text.Get("HIDDEN", "window"), "a");
    EXPECT_EQ(text.GetAll("Hidden", "Window"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(text.Get("Hidden", "Missing"), std::nullopt);
    EXPECT_EQ(text.Get("None", "Window"), std::nullopt);

    text.ClearSection("Hidden");
    text.Add("Hidden", "Window", "1");
    text.Add("Hidden", "Window", "2");
    EXPECT_EQ(text.Format(), "Window=0\n[hidden]\nWindow=1\nWindow=2\n;Window=c\n[Hidden]\nWindow=d\n[X]\nWindow=e\n");
}

}  // namespace
