// Settings files a user can end up with: the program starts with them, or
// refuses them with the broken-file message and leaves them as they are.
// Never a crash.
#include <windows.h>

#include "tests/e2e/ControlBarDriver.h"

namespace {

const char kMark[] = "@@MARK@@";

// The file with the counted string of the field holding kMark replaced by
// raw bytes.
std::string WithRawField(BombSettings s, std::string SettingRecord::*field, const std::string& raw) {
    s.Records[0].*field = kMark;
    std::string bytes = SettingsBytes(s);
    std::string encoded = std::string(1, static_cast<char>(sizeof kMark - 1)) + kMark;
    bytes.replace(bytes.find(encoded), encoded.size(), raw);
    return bytes;
}

// Starts the program on `bytes`; true when it refused them with the
// broken-file message and ended, leaving them untouched.
bool Refused(const std::string& bytes) {
    ControlBar b(bytes);
    b.Launch();
    bool message = b.MessageSays(L"由于Vexal.Vxl出错，请删除Vexal.Vxl", 10000);
    return message && b.WaitExit(10000) && b.FileIs(L"VEXAL.vxl", bytes);
}

bool FiresWhenCursorAt(const ControlBar& b, int x, int y) {
    TargetWindow target(L"Edge target");
    // A bomb that never armed cannot fire either: that fails here, rather
    // than passing for a quiet one.
    if (!Check(b.Arm(target), "armed with the target in front")) return false;
    SetCursorPos(x, y);
    bool fired = WaitFor([&] { return target.CloseRequests() > 0; }, 1000);
    b.Press(IDC_DISARM);
    WaitFor([&] { return !b.Armed(); });
    return fired;
}

}  // namespace

E2E_CASE(settings_file_refused_with_the_message) {
    BombSettings s = DefaultSettings();
    for (int32_t current : {7, -1, 6}) {
        s.CurrentSetting = current;
        std::string bytes = SettingsBytes(s);
        std::string what = "CurrentSetting " + std::to_string(current) + " is refused";
        Check(Refused(bytes), what.c_str());
    }
    s.CurrentSetting = 0;
    Check(Refused(WithRawField(s, &SettingRecord::Sensitivity, "\xff\xff\xff\xff\xff\xff\x7f")),
          "a length prefix of 2 GB in a short file is refused");
    Check(Refused(WithRawField(s, &SettingRecord::FinalMessage, "\xff\xfe\xff\xff\xff\xff\xff\xff\xff\x3f")),
          "a wide text claiming a billion characters is refused");
    Check(Refused(""), "an empty file is refused");
    Check(Refused("\x03\x00"), "a file shorter than its first value is refused");
}

E2E_CASE(settings_file_wide_text) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = "20";
    PresetValues v{};
    ParsePresetString(s.Records[0].PresetString, v);
    v[Preset::FinalAction] = 5;
    s.Records[0].PresetString = FormatPresetString(v);
    // "宽字符" as the wide form: FF FE FF, then 3 UTF-16 code units.
    std::string wide = std::string("\xff\xfe\xff\x03", 4) + "\xbd\x5b\x57\x5b\x26\x7b";
    ControlBar b(WithRawField(s, &SettingRecord::FinalMessage, wide));
    if (!Check(b.Start(), "a file with a wide text starts")) return;
    TargetWindow target(L"Wide target");
    b.Arm(target);
    SetCursorPos(600, 400);
    Check(b.MessageSays(L"宽字符", 3000), "the wide text is read as the same characters");
}

E2E_CASE(settings_file_texts_without_digits) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = "abc";
    s.Records[0].IconIndex = "none";
    s.Records[1].Sensitivity = " 007abc";
    ControlBar b(s);
    if (!Check(b.Start(), "Sensitivity and IconIndex without digits start")) return;
    Check(b.RangeMax() == 0, "a Sensitivity without digits is 0", std::to_string(b.RangeMax()));
    Check(FiresWhenCursorAt(b, 501, 400), "and then any movement fires");
    b.Press(IDC_RADIO2);
    Check(WaitFor([&] { return b.RangeMax() == 7; }), "\" 007abc\" is 7");
}

E2E_CASE(settings_file_edge_flags_of_any_length) {
    struct Case {
        const char* flags;
        bool top, left;
    };
    const Case cases[] = {
        {"", false, false}, {"1", true, false}, {"001", false, true}, {"1010", true, true}, {"0011111111", false, true},
    };
    for (const Case& c : cases) {
        BombSettings s = DefaultSettings();
        s.Records[0].Sensitivity = "999";
        s.Records[0].EdgeFlags = c.flags;
        ControlBar b(s);
        std::string what = std::string("EdgeFlags \"") + c.flags + "\" starts";
        if (!Check(b.Start(), what.c_str())) continue;
        what = std::string("EdgeFlags \"") + c.flags + "\": the top edge " + (c.top ? "fires" : "does not fire");
        Check(FiresWhenCursorAt(b, 500, 0) == c.top, what.c_str());
        what = std::string("EdgeFlags \"") + c.flags + "\": the left edge " + (c.left ? "fires" : "does not fire");
        Check(FiresWhenCursorAt(b, 0, 400) == c.left, what.c_str());
    }
    BombSettings s = DefaultSettings();
    s.Records[0].EdgeFlags = std::string(300, '1');
    ControlBar b(s);
    Check(b.Start(), "an EdgeFlags of 300 characters starts");
}
