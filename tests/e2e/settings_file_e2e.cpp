// Settings files a user can end up with: the program starts with them, or
// refuses them with the broken-file message and leaves them as they are.
// Never a crash.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

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
    Program p;
    p.WriteFile(L"VEXAL.vxl", bytes);
    p.Start();
    HWND box = WaitTopWindow(p.ProcessId(), L"vexal", 10000);
    bool message = false;
    for (HWND c = box ? GetWindow(box, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowText(c) == L"由于Vexal.Vxl出错，请删除Vexal.Vxl") message = true;
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    bool ended = p.WaitExit(10000);
    std::string after;
    p.ReadFile(L"VEXAL.vxl", after);
    return message && ended && after == bytes;
}

struct Started {
    Program program;
    HWND bar = nullptr;
    explicit Started(const std::string& bytes) {
        program.WriteFile(L"VEXAL.vxl", bytes);
        program.Start();
        bar = program.WaitControlBar();
    }
    int RangeMax() const {
        return static_cast<int>(SendMessageW(GetDlgItem(bar, IDC_RANGEBAR), PBM_GETRANGE, FALSE, 0));
    }
};

bool FiresWhenCursorAt(Started& s, int x, int y) {
    TargetWindow target(L"Edge target");
    // A bomb that never armed cannot fire either: that fails here, rather
    // than passing for a quiet one.
    if (!Check(ArmWithTarget(s.bar, target), "armed with the target in front")) return false;
    SetCursorPos(x, y);
    bool fired = WaitFor([&] { return target.CloseRequests() > 0; }, 1000);
    Click(s.bar, IDC_DISARM);
    WaitFor([&] { return IsWindowEnabled(GetDlgItem(s.bar, IDC_ARM)) != FALSE; });
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
    Started started(WithRawField(s, &SettingRecord::FinalMessage, wide));
    if (!Check(started.bar != nullptr, "a file with a wide text starts")) return;
    TargetWindow target(L"Wide target");
    ArmWithTarget(started.bar, target);
    SetCursorPos(600, 400);
    HWND box = WaitTopWindow(started.program.ProcessId(), L"vexal", 3000);
    bool text = false;
    for (HWND c = box ? GetWindow(box, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowText(c) == L"宽字符") text = true;
    Check(text, "the wide text is read as the same characters");
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

E2E_CASE(settings_file_texts_without_digits) {
    BombSettings s = DefaultSettings();
    s.Records[0].Sensitivity = "abc";
    s.Records[0].IconIndex = "none";
    s.Records[1].Sensitivity = " 007abc";
    Started started(SettingsBytes(s));
    if (!Check(started.bar != nullptr, "Sensitivity and IconIndex without digits start")) return;
    Check(started.RangeMax() == 0, "a Sensitivity without digits is 0", std::to_string(started.RangeMax()));
    Check(FiresWhenCursorAt(started, 501, 400), "and then any movement fires");
    Click(started.bar, IDC_RADIO2);
    Check(WaitFor([&] { return started.RangeMax() == 7; }), "\" 007abc\" is 7");
}

E2E_CASE(settings_file_edge_flags_of_any_length) {
    struct Case {
        const char* flags;
        bool top, left;
    };
    const Case cases[] = {
        {"", false, false}, {"1", true, false}, {"001", false, true}, {"1010", true, true},
        {"0011111111", false, true},
    };
    for (const Case& c : cases) {
        BombSettings s = DefaultSettings();
        s.Records[0].Sensitivity = "999";
        s.Records[0].EdgeFlags = c.flags;
        Started started(SettingsBytes(s));
        std::string what = std::string("EdgeFlags \"") + c.flags + "\" starts";
        if (!Check(started.bar != nullptr, what.c_str())) continue;
        what = std::string("EdgeFlags \"") + c.flags + "\": the top edge " + (c.top ? "fires" : "does not fire");
        Check(FiresWhenCursorAt(started, 500, 0) == c.top, what.c_str());
        what = std::string("EdgeFlags \"") + c.flags + "\": the left edge " + (c.left ? "fires" : "does not fire");
        Check(FiresWhenCursorAt(started, 0, 400) == c.left, what.c_str());
    }
    BombSettings s = DefaultSettings();
    s.Records[0].EdgeFlags = std::string(300, '1');
    Started started(SettingsBytes(s));
    Check(started.bar != nullptr, "an EdgeFlags of 300 characters starts");
}
