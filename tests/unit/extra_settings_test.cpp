#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

#include "settings/ExtraSettings.h"

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

    text.Add("Hidden", "Window", "1");
    text.Add("Hidden", "Window", "2");
    EXPECT_EQ(text.Format(),
              "Window=0\n[hidden]\nWINDOW = a \n;Window=c\nwindow=\nother=1\nWindow=b\nWindow=1\nWindow=2\n"
              "[Hidden]\nWindow=d\n[X]\nWindow=e\n");
}

TEST(HotkeyText, ReadsGoodTextsAndFormatsThemInOneOrder) {
    const std::tuple<const char*, Hotkey, const char*> cases[] = {
        {"", {}, ""},
        {" \t", {}, ""},
        {"Ctrl+Alt+B", {kModCtrl | kModAlt, 'B'}, "Ctrl+Alt+B"},
        {"win + shift +alt+ ctrl + f24", {kModAlt | kModCtrl | kModShift | kModWin, 0x87}, "Ctrl+Alt+Shift+Win+F24"},
        {"Pause", {0, 0x13}, "Pause"},
        {"F1", {0, 0x70}, "F1"},
        {"SHIFT+f5", {kModShift, 0x74}, "Shift+F5"},
        {"Alt+NUMPAD9", {kModAlt, 0x69}, "Alt+NumPad9"},
        {"Ctrl+PageDown", {kModCtrl, 0x22}, "Ctrl+PageDown"},
        {"Win+Delete", {kModWin, 0x2E}, "Win+Delete"},
        {"Alt+Space", {kModAlt, 0x20}, "Alt+Space"},
        {"numpad0", {0, 0x60}, "NumPad0"},
        {"Delete", {0, 0x2E}, "Delete"},
    };
    for (const auto& [text, hotkey, formatted] : cases) {
        SCOPED_TRACE(text);
        Hotkey read{kModWin, 'Q'};
        EXPECT_TRUE(ParseHotkey(text, read));
        EXPECT_EQ(read, hotkey);
        EXPECT_EQ(FormatHotkey(hotkey), formatted);
    }
}

TEST(HotkeyText, RefusesUnreadableTextsAndUnnameableKeys) {
    for (const char* text : {"Ctrl",   "Ctrl+Alt", "Ctrl+Ctrl+B",   "A+B", "Ctrl++B",  "Ctrl+",     "+B",
                             "B+Ctrl", "F0",       "F25",           "F01", "NumPad10", "Control+B", "Esc",
                             "AB",     "Ctrl B",   "Ctrl+\xC3\xA4", "b",   " 7 ",      "Space",     "Shift+0"}) {
        SCOPED_TRACE(text);
        Hotkey read{kModWin, 'Q'};
        EXPECT_FALSE(ParseHotkey(text, read));
        EXPECT_EQ(read, (Hotkey{kModWin, 'Q'}));
    }
    for (uint32_t key : {0x00u, 0x2Cu, 0x2Fu, 0x3Au, 0x40u, 0x5Bu, 0x6Au, 0x88u, 0x141u}) {
        EXPECT_FALSE(IsNameableKey(key)) << key;
        EXPECT_EQ(FormatHotkey({kModCtrl, key}), "") << key;
    }
    EXPECT_EQ(FormatHotkey({kModCtrl | 0x4000, 'X'}), "Ctrl+X");
}

// Enter, Tab, Backspace and the punctuation keys have no name, but the dialog
// must still tell the user why they cannot stand alone.
TEST(HotkeyText, TypingKeysNeedAModifier) {
    for (uint32_t key : {0x08u, 0x09u, 0x0Du, 0x20u, 0x30u, 0x39u, 0x41u, 0x5Au, 0xBAu, 0xC0u, 0xDBu, 0xDFu, 0xE2u}) {
        EXPECT_TRUE(IsTypingKeyAlone({0, key})) << key;
        EXPECT_TRUE(IsTypingKeyAlone({kModShift, key})) << key;
        EXPECT_FALSE(IsTypingKeyAlone({kModCtrl, key})) << key;
        EXPECT_FALSE(IsTypingKeyAlone({kModShift | kModAlt, key})) << key;
    }
    for (uint32_t key : {0x00u, 0x13u, 0x1Bu, 0x21u, 0x2Eu, 0x60u, 0x6Au, 0x70u, 0x87u, 0x5Bu, 0xC1u})
        EXPECT_FALSE(IsTypingKeyAlone({0, key})) << key;
}

// The size limit is exact, and the work of reading and saving grows with the
// file as a straight line: eight times the lines may not take many times more
// than eight times as long.
TEST(ExtraSettings, LargeFilesAreRefusedAndTheRestCostInProportion) {
    const std::string head = "[Extra]\nHotkey=F9\n";
    std::string full = head + std::string(kExtraSettingsMaxBytes - head.size(), '\n');
    ASSERT_TRUE(ParseExtraSettingsText(full));
    EXPECT_EQ(ReadExtraSettings(*ParseExtraSettingsText(full)).Hotkey, (Hotkey{0, 0x78}));
    EXPECT_FALSE(ParseExtraSettingsText(full + ";"));

    auto fastest = [&head](size_t lines) {
        const std::string text = head + std::string(lines, '\n');
        auto best = std::chrono::steady_clock::duration::max();
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            IniText ini = *ParseExtraSettingsText(text);
            WriteExtraSettings(ReadExtraSettings(ini), ini);
            EXPECT_GT(ini.Format().size(), text.size());
            best = std::min(best, std::chrono::steady_clock::now() - start);
        }
        return static_cast<double>(best.count());
    };
    const double small = fastest(kExtraSettingsMaxBytes / 32), large = fastest(kExtraSettingsMaxBytes / 4);
    EXPECT_LT(large, 24 * small) << "a straight line gives 8 times, a square 64";
}

TEST(ExtraSettings, EachKeyFallsBackAlone) {
    const ExtraSettings read = ReadExtraSettings(
        IniText::Parse("HideInsteadOfClose=1\n[EXTRA]\nhotkey=Ctrl+Nope\nhideinsteadofclose=yes\nMuteWhileHidden= 1\t\n"
                       "LockAfterDetonation=01\nTrayWhileArmed=1\nTrayWhileArmed=0\n[Extra]\nLockAfterDetonation=1\n"));
    ExtraSettings expected;
    expected.MuteWhileHidden = true;
    expected.TrayWhileArmed = true;
    EXPECT_EQ(read, expected);
}

TEST(ExtraSettings, WrittenSettingsReadBackAndKeepOtherLines) {
    const std::string kept = kBom + ";c\r\n[A]\r\nTrayWhileArmed=1\r\n[Extra]\r\nzoom=2\r\n";
    IniText text = IniText::Parse(kept);
    ExtraSettings settings;
    settings.Hotkey = {kModWin | kModShift | kModAlt | kModCtrl, 'B'};
    settings.LockAfterDetonation = true;
    settings.AlsoHide = "QQ.exe;\xe9\x9f\xb3\xe4\xb9\x90*.exe";
    WriteExtraSettings(settings, text);
    EXPECT_EQ(text.Format(),
              kept +
                  "Hotkey=Ctrl+Alt+Shift+Win+B\r\nHideInsteadOfClose=0\r\nMuteWhileHidden=0\r\n"
                  "LockAfterDetonation=1\r\nTrayWhileArmed=0\r\nAlsoHide=QQ.exe;\xe9\x9f\xb3\xe4\xb9\x90*.exe\r\n");
    EXPECT_EQ(ReadExtraSettings(IniText::Parse(text.Format())), settings);
}

// A cut file reads every key whose value is whole; a cut value reads as off, and a cut hotkey as none or as the
// shorter hotkey its text still names ("Ctrl+A" out of "Ctrl+Alt+B").
TEST(ExtraSettings, FileCutAnywhereReadsEveryWholeValue) {
    const std::string lines[] = {"Hotkey=Ctrl+Alt+B", "HideInsteadOfClose=1", "MuteWhileHidden=1",
                                 "LockAfterDetonation=1", "TrayWhileArmed=1"};
    std::string full = kBom + "; mine\r\n[Extra]\r\n";
    std::vector<size_t> valueEnds;
    for (const std::string& line : lines) {
        full += line;
        valueEnds.push_back(full.size());
        full += "\r\n";
    }
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        const ExtraSettings read = ReadExtraSettings(IniText::Parse(full.substr(0, cut)));
        if (cut >= valueEnds[0])
            EXPECT_EQ(read.Hotkey, (Hotkey{kModCtrl | kModAlt, 'B'}));
        else
            EXPECT_EQ(std::string("Ctrl+Alt+B").rfind(FormatHotkey(read.Hotkey), 0), 0u);
        EXPECT_EQ(read.HideInsteadOfClose, cut >= valueEnds[1]);
        EXPECT_EQ(read.MuteWhileHidden, cut >= valueEnds[2]);
        EXPECT_EQ(read.LockAfterDetonation, cut >= valueEnds[3]);
        EXPECT_EQ(read.TrayWhileArmed, cut >= valueEnds[4]);
    }
}

}  // namespace

// The idle numbers: digits only, in range, each falling back alone; a file
// that never had them gets none on save.
TEST(ExtraSettings, IdleNumbersAreReadStrictly) {
    const struct {
        const char* idle;
        const char* warning;
        int32_t idleRead, warningRead;
    } cases[] = {
        {"10", "0", 10, 0},     {"86400", "60", 86400, 60}, {"0", "3", 0, 3},       {"9", "61", 0, 10},
        {"86401", "-1", 0, 10}, {"1e3", "+5", 0, 10},       {"600 ", " 7", 600, 7}, {"99999999999", "", 0, 10},
    };
    for (const auto& c : cases) {
        const ExtraSettings read = ReadExtraSettings(
            IniText::Parse(std::string("[Extra]\nIdleSeconds=") + c.idle + "\nIdleWarningSeconds=" + c.warning + "\n"));
        EXPECT_EQ(read.IdleSeconds, c.idleRead) << c.idle;
        EXPECT_EQ(read.IdleWarningSeconds, c.warningRead) << c.warning;
    }
    IniText text = IniText::Parse("[Extra]\n");
    WriteExtraSettings(ExtraSettings(), text);
    EXPECT_EQ(text.Format().find("Idle"), std::string::npos);
    ExtraSettings idle;
    idle.IdleSeconds = 300;
    WriteExtraSettings(idle, text);
    EXPECT_NE(text.Format().find("IdleSeconds=300\n"), std::string::npos);
    EXPECT_EQ(ReadExtraSettings(IniText::Parse(text.Format())), idle);
}
