#include <functional>
#include <gtest/gtest.h>

#include "settings/PresetText.h"
#include "settings/SettingsCodec.h"

namespace {

using Bytes = std::string;

ParseResult Parse(const Bytes& bytes, BombSettings& into) {
    return ParseSettingsFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), into);
}

Bytes U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

void ExpectSameRecords(const BombSettings& a, const BombSettings& b) {
    for (int i = 0; i < kRecordCount; ++i) {
        SCOPED_TRACE(i);
        const SettingRecord& x = a.Records[i];
        const SettingRecord& y = b.Records[i];
        EXPECT_EQ(x.PresetString, y.PresetString);
        EXPECT_EQ(x.Sensitivity, y.Sensitivity);
        EXPECT_EQ(x.DetonationTime, y.DetonationTime);
        EXPECT_EQ(x.StartupProgram, y.StartupProgram);
        EXPECT_EQ(x.FinalProgram, y.FinalProgram);
        EXPECT_EQ(x.FinalMessage, y.FinalMessage);
        EXPECT_EQ(x.IconIndex, y.IconIndex);
        EXPECT_EQ(x.EdgeFlags, y.EdgeFlags);
        EXPECT_EQ(x.Reserved, y.Reserved);
    }
}

// Settings whose every value differs from the defaults and between records.
BombSettings Varied() {
    BombSettings s(1600000000);
    s.CurrentSetting = 4;
    for (int i = 0; i < kRecordCount; ++i) {
        SettingRecord& r = s.Records[i];
        const std::string n = std::to_string(i);
        r.PresetString = "1,0,1,0,1,0,1,0,-1,0,1,-1," + n;
        r.Sensitivity = "0" + n;
        r.DetonationTime = -1000 * i - 7;
        r.StartupProgram = "C:\\\xd6\xd0\xce\xc4\\" + n + ".exe";
        r.FinalProgram = std::string(250 + i, 'p');  // around the one-byte limit
        r.FinalMessage = "msg" + n;
        r.IconIndex = n;
        r.EdgeFlags = "10" + n;
        r.Reserved = i == 9 ? std::string(70000, 'r') : std::string(1, '\0') + n;
    }
    return s;
}

TEST(SettingsCodec, SavedFileLoadsBackIdentically) {
    const BombSettings saved = Varied();
    const Bytes bytes = FormatSettingsFile(saved);
    BombSettings loaded(0);
    ASSERT_EQ(Parse(bytes, loaded), ParseResult::Loaded);
    EXPECT_EQ(loaded.CurrentSetting, 4);
    ExpectSameRecords(loaded, saved);
    EXPECT_EQ(FormatSettingsFile(loaded), bytes);

    // Extra bytes after record 9 are ignored.
    BombSettings extra(0);
    ASSERT_EQ(Parse(bytes + "trailing\xff\xff\xff", extra), ParseResult::Loaded);
    ExpectSameRecords(extra, saved);
}

TEST(SettingsCodec, DefaultRecordZeroBytes) {
    BombSettings s(0x01020304);
    const Bytes bytes = FormatSettingsFile(s);
    const Bytes record0 = Bytes("\x19") + "0,0,0,0,0,0,0,0,0,0,0,0,0" +
                          "\x03"
                          "200" +
                          "\x04\x03\x02\x01" + Bytes(2, '\0') + "\x12" +
                          "\xc9\xe8\xd6\xc3\xb6\xaf\xd7\xf7\xd2\xd1\xc8\xab\xb2\xbf\xcd\xea\xb3\xc9" +
                          "\x01"
                          "0" +
                          Bytes(2, '\0');
    EXPECT_EQ(bytes.substr(0, 4 + record0.size()), U32(0) + record0);
    EXPECT_EQ(bytes.size(), 4 + 10 * record0.size());
}

TEST(SettingsCodec, LengthPrefixes) {
    const std::pair<size_t, Bytes> cases[] = {
        {0, Bytes(1, '\0')},
        {254, "\xfe"},
        {255, Bytes("\xff\xff\x00", 3)},
        {300, "\xff\x2c\x01"},
        {65533, "\xff\xfd\xff"},
        {65534, Bytes("\xff\xff\xff\xfe\xff\x00\x00", 7)},
        {70000, Bytes("\xff\xff\xff\x70\x11\x01\x00", 7)},
    };
    for (const auto& [n, prefix] : cases) {
        SCOPED_TRACE(n);
        Bytes out;
        AppendCountedString(out, std::string(n, 'x'));
        EXPECT_EQ(out.substr(0, prefix.size()), prefix);
        EXPECT_EQ(out.size(), prefix.size() + n);

        BombSettings s(0);
        s.Records[0].PresetString = std::string(n, 'x');
        BombSettings loaded(0);
        ASSERT_EQ(Parse(FormatSettingsFile(s), loaded), ParseResult::Loaded);
        EXPECT_EQ(loaded.Records[0].PresetString.size(), n);
    }
}

// Every value of the file in order, with how to encode it and how to copy it
// from one record to another.
struct FileValue {
    std::function<void(Bytes&, const SettingRecord&)> encode;
    std::function<void(SettingRecord&, const SettingRecord&)> copy;
};
std::vector<FileValue> RecordValues() {
    std::vector<FileValue> values;
    using Text = std::string SettingRecord::*;
    for (Text text : std::initializer_list<Text>{&SettingRecord::PresetString, &SettingRecord::Sensitivity, nullptr,
                                                 &SettingRecord::StartupProgram, &SettingRecord::FinalProgram,
                                                 &SettingRecord::FinalMessage, &SettingRecord::IconIndex,
                                                 &SettingRecord::EdgeFlags, &SettingRecord::Reserved}) {
        if (!text) {
            values.push_back({[](Bytes& b, const SettingRecord& r) { b += U32(uint32_t(r.DetonationTime)); },
                              [](SettingRecord& to, const SettingRecord& r) { to.DetonationTime = r.DetonationTime; }});
        } else {
            values.push_back({[text](Bytes& b, const SettingRecord& r) { AppendCountedString(b, r.*text); },
                              [text](SettingRecord& to, const SettingRecord& r) { to.*text = r.*text; }});
        }
    }
    return values;
}

TEST(SettingsCodec, FileCutAnywhereIsBrokenAndKeepsValuesBeforeTheCut) {
    BombSettings source(0);
    source.CurrentSetting = 3;
    for (int i = 0; i < kRecordCount; ++i) {
        SettingRecord& r = source.Records[i];
        r = DefaultRecord(0x7F000000 + i);
        r.StartupProgram = i == 1 ? std::string(300, 's') : "s";  // cuts inside a three-byte prefix
        r.Reserved = std::string(1, char('A' + i));
    }
    const Bytes full = FormatSettingsFile(source);
    BombSettings stale(0);
    for (SettingRecord& r : stale.Records) {
        r.PresetString = r.Sensitivity = r.StartupProgram = r.FinalProgram = r.FinalMessage = "?";
        r.IconIndex = r.EdgeFlags = r.Reserved = "?";
        r.DetonationTime = 1;
    }

    const std::vector<FileValue> values = RecordValues();
    for (size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        BombSettings expected = stale;
        if (cut >= 4) expected.CurrentSetting = 3;
        Bytes encoded = U32(3);
        for (int i = 0; i < kRecordCount; ++i)
            for (const FileValue& v : values) {
                v.encode(encoded, source.Records[i]);
                if (encoded.size() <= cut) v.copy(expected.Records[i], source.Records[i]);
            }
        ASSERT_EQ(encoded, full);

        BombSettings loaded = stale;
        ASSERT_EQ(Parse(full.substr(0, cut), loaded), ParseResult::Broken);
        EXPECT_EQ(loaded.CurrentSetting, expected.CurrentSetting);
        ExpectSameRecords(loaded, expected);
    }
    BombSettings whole = stale;
    EXPECT_EQ(Parse(full, whole), ParseResult::Loaded);
}

TEST(SettingsCodec, WideTextsAreReadAsCodePage936) {
    const Bytes rest = FormatSettingsFile(BombSettings(0)).substr(4 + 26);  // after record 0's PresetString
    const struct {
        const char* name;
        Bytes counted;
        ParseResult result;
        std::string text;
    } cases[] = {
        {"chinese", Bytes("\xff\xfe\xff\x03\x2d\x4e\x87\x65\x41\x00", 10), ParseResult::Loaded,
         "\xd6\xd0\xce\xc4"
         "A"},
        {"empty", Bytes("\xff\xfe\xff\x00", 4), ParseResult::Loaded, ""},
        {"three-byte count",
         Bytes("\xff\xfe\xff\xff\x2c\x01", 6) +
             [] {
                 Bytes units;
                 for (int i = 0; i < 300; ++i) units += Bytes("a\0", 2);
                 return units;
             }(),
         ParseResult::Loaded, std::string(300, 'a')},
        {"seven-byte count", Bytes("\xff\xfe\xff\xff\xff\xff\x01\x00\x00\x00\x31\x00", 12), ParseResult::Loaded, "1"},
        {"count past the end", Bytes("\xff\xfe\xff\x7f", 4), ParseResult::Broken, "kept"},
        // 7 characters need 14 bytes: more than half of the 10 left, yet fewer than all of them.
        {"count over half of what is left", Bytes("\xff\xfe\xff\x07", 4) + "0123456789", ParseResult::Broken, "kept"},
        {"huge count", Bytes("\xff\xfe\xff\xff\xff\xff\xff\xff\xff\x7f", 10), ParseResult::Broken, "kept"},
        {"marker cut", Bytes("\xff\xfe\xff", 3), ParseResult::Broken, "kept"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BombSettings loaded(0);
        loaded.Records[0].PresetString = "kept";
        const bool complete = c.result == ParseResult::Loaded;
        EXPECT_EQ(Parse(U32(1) + c.counted + (complete ? rest : Bytes()), loaded), c.result);
        EXPECT_EQ(loaded.Records[0].PresetString, c.text);
        if (complete) {  // written back in the narrow form
            Bytes narrow = U32(1);
            AppendCountedString(narrow, c.text);
            EXPECT_EQ(FormatSettingsFile(loaded), narrow + rest);
        }
    }
}

TEST(SettingsCodec, HugeLengthPrefixIsBroken) {
    // Claims of 4 GiB, 64 KiB and 254 bytes with only a few bytes behind them.
    for (const Bytes& prefix : {Bytes("\xff\xff\xff\xff\xff\xff\xff", 7), Bytes("\xff\xfd\xff", 3), Bytes("\xfe")}) {
        BombSettings loaded(0);
        loaded.Records[0].PresetString = "kept";
        EXPECT_EQ(Parse(U32(2) + prefix + "short", loaded), ParseResult::Broken);
        EXPECT_EQ(loaded.CurrentSetting, 2);
        EXPECT_EQ(loaded.Records[0].PresetString, "kept");
    }
}

TEST(SettingsCodec, CurrentSettingOutsideOneToSixIsBrokenAndNotStored) {
    BombSettings source(0);
    const Bytes records = FormatSettingsFile(source).substr(4);
    for (int32_t bad : {6, 7, 9, -1, INT32_MIN, INT32_MAX}) {
        BombSettings loaded(0);
        loaded.CurrentSetting = 2;
        loaded.Records[0].Sensitivity = "kept";
        EXPECT_EQ(Parse(U32(uint32_t(bad)) + records, loaded), ParseResult::Broken) << bad;
        EXPECT_EQ(loaded.CurrentSetting, 2) << bad;
        EXPECT_EQ(loaded.Records[0].Sensitivity, "kept") << bad;
    }
    for (int32_t good : {0, 5}) {
        BombSettings loaded(0);
        EXPECT_EQ(Parse(U32(uint32_t(good)) + records, loaded), ParseResult::Loaded);
        EXPECT_EQ(loaded.CurrentSetting, good);
    }
}

TEST(SettingsCodec, NoChoiceValuesSurviveStoreSaveLoadApply) {
    PresetValues dialog{};
    dialog[Preset::FinalAction] = -1;
    dialog[Preset::SoundType] = -1;
    dialog[Preset::TimerEnabled] = 1;
    BombSettings s(0);
    s.Records[5].PresetString = FormatPresetString(dialog);
    s.CurrentSetting = 5;

    BombSettings loaded(0);
    ASSERT_EQ(Parse(FormatSettingsFile(s), loaded), ParseResult::Loaded);
    EXPECT_EQ(loaded.Records[5].PresetString, "0,0,0,0,0,0,0,0,-1,0,0,-1,1");
    loaded.ApplySetting(loaded.CurrentSetting);
    EXPECT_EQ(loaded.Active.FinalAction, -1);
    EXPECT_EQ(loaded.Active.SoundType, -1);
    EXPECT_EQ(loaded.Active.TimerEnabled, 1);
    EXPECT_EQ(loaded.CurrentSetting, 5);
}

}  // namespace
