// The settings dialog from the outside: opened from the control bar, filled
// in by clicks and messages, stored, recalled, and ended with OK or Cancel,
// with the settings file read back after each run.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "base/TimeConversion.h"
#include "tests/e2e/SettingsDialogDriver.h"

namespace {

const wchar_t kTooLong[] = L"请输入不超过 40 个字符。";

// Four records that tell every control apart: check box i is ticked in
// pattern j when bit j of i + 1 is set, so no two boxes share a history
// (minimise-the-target, code 6, and no-detonation, code 8, are never ticked together).
ShownRecord Pattern(int j) {
    static const wchar_t* const messages[] = {L"备忘：甲", L"", L"Memo 3", L"第四"};
    ShownRecord s;
    for (int i = 0; i < kSettingsCheckCount; ++i) s.checks[i] = ((i + 1) >> j) & 1;
    s.finalAction = j + 2;
    s.sound = 3 - j;
    s.picture = 4 * j + 1;
    s.hour = 5 * j + 3, s.minute = 11 * j + 7, s.second = 13 * j + 5;
    s.sensitivity = std::to_wstring(250 * j + 9);
    s.message = messages[j];
    return s;
}

// The PresetString and EdgeFlags that pattern j must be stored as.
std::string PresetOf(const ShownRecord& s) {
    PresetValues v{};
    const int positions[] = {Preset::LaunchAtStart,   Preset::NotTopmost,   Preset::ClearRecentDocs,
                             Preset::EmptyRecycleBin, Preset::HideSelf,     Preset::MinimizeTarget,
                             Preset::HangUpDialUp,    Preset::NoDetonation, Preset::MuteWave,
                             Preset::PlaySound,       Preset::TimerEnabled};
    for (int i = 0; i < 11; ++i) v[positions[i]] = s.checks[i];
    v[Preset::FinalAction] = s.finalAction;
    v[Preset::SoundType] = s.sound;
    return FormatPresetString(v) + " " + FormatEdgeFlags(s.checks[11], s.checks[12], s.checks[13], s.checks[14]);
}

// The local time of day of a stored seconds count, as h:m:s.
std::string TimeOfDay(int32_t seconds) {
    int64_t t = FileTimeOfSeconds(seconds);
    FILETIME ft = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME utc, local = {};
    FileTimeToSystemTime(&ft, &utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return std::to_string(local.wHour) + ":" + std::to_string(local.wMinute) + ":" + std::to_string(local.wSecond);
}

BombSettings WithPaths() {
    BombSettings s = DefaultSettings();
    s.Records[0].StartupProgram = Gbk(L"C:\\程序\\启动.exe");
    s.Records[0].FinalProgram = Gbk(L"D:\\工具\\最后 运行.bat");
    return s;
}

}  // namespace

E2E_CASE(settings_dialog_opens_on_setting_in_force) {
    BombSettings file = DefaultSettings();
    file.CurrentSetting = 2;
    SetPreset(file, 2, Preset::ClearRecentDocs, 1);
    SetPreset(file, 2, Preset::FinalAction, 2);
    SetPreset(file, 2, Preset::SoundType, 4);
    file.Records[2].Sensitivity = "345";
    file.Records[2].FinalMessage = Gbk(L"第三号设置");
    file.Records[2].IconIndex = "5";
    file.Records[2].EdgeFlags = "0101";
    file.Records[2].StartupProgram = Gbk(L"C:\\启动.exe");
    ControlBar bar(SettingsBytes(file));
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the settings button opens the dialog")) return;

    Check(d.Recalled() == 2, "Mem3, the setting number in force, is pressed", std::to_string(d.Recalled()));
    ShownRecord v = d.Read();
    Check(v.checks[2] == 1 && v.checks[0] == 0, "its check boxes are shown");
    Check(v.finalAction == 2 && v.sound == 4, "its final action and sound are shown");
    Check(v.sensitivity == L"345" && v.message == L"第三号设置" && v.startup == L"C:\\启动.exe", "its texts are shown",
          v.Describe());
    Check(v.checks[11] == 0 && v.checks[12] == 1 && v.checks[13] == 0 && v.checks[14] == 1, "its edges are shown");
    Check(v.picture == 5, "its picture is selected", std::to_string(v.picture));

    wchar_t sound[64] = L"";
    SendMessageW(d.Item(IDC_SET_SOUND_TYPE), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(sound));
    Check(SendMessageW(d.Item(IDC_SET_SOUND_TYPE), CB_GETCOUNT, 0, 0) == 5 && std::wstring(sound) == L"系统错误",
          "the sound list has five entries in order", WideToUtf8(sound));

    Check(SendMessageW(d.Item(IDC_SET_PICTURE_LIST), LVM_GETITEMCOUNT, 0, 0) == 14 && d.PictureLabel(0) == L"０１４" &&
              d.PictureLabel(13) == L"００１",
          "fourteen pictures labelled from ０１４ down to ００１", WideToUtf8(d.PictureLabel(0)));

    HWND spin = d.Item(IDC_SET_SENSITIVITY_SPIN);
    LRESULT range = SendMessageW(spin, UDM_GETRANGE, 0, 0);
    Check(LOWORD(range) == 999 && HIWORD(range) == 1 && LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)) == 345,
          "the spin runs 1..999 and stands at Sensitivity");
    RemoteMemory mem(bar.ProcessId(), 2 * sizeof(UDACCEL));
    SendMessageW(spin, UDM_GETACCEL, 2, mem.At());
    UDACCEL accel0 = mem.Get<UDACCEL>(0), accel1 = mem.Get<UDACCEL>(sizeof(UDACCEL));
    Check(accel0.nSec == 0 && accel0.nInc == 1 && accel1.nSec == 2 && accel1.nInc == 10,
          "steps of 1, then of 10 after two seconds");

    HWND tips = d.ToolTips();
    Check(tips && SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) == 42, "42 tools carry tooltips");
    Check(d.ToolTip(IDC_SET_APPLY_PLAY_SOUND) == L"如果WAVE音量为O则无法听见" && d.ToolTip(IDCANCEL) == L"放弃设置" &&
              d.ToolTip(IDC_SET_RECALL4) == L"显示位置4的设置内容",
          "each tool is its control, with its text", WideToUtf8(d.ToolTip(IDC_SET_RECALL4)));

    RECT dr, desk;
    GetWindowRect(d.Handle(), &dr);
    GetWindowRect(GetDesktopWindow(), &desk);
    Check(abs((dr.left + dr.right) - (desk.left + desk.right)) <= 2 &&
              abs((dr.top + dr.bottom) - (desk.top + desk.bottom)) <= 2,
          "the dialog is centred on the desktop");

    // No tooltip over it (1 s at most once the cursor is away) when the picture is taken.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    WaitFor([&] { return !tips || !IsWindowVisible(tips); }, 1000);
    SaveDialogScreenshot("settings-dialog", d.Handle());
    Check(d.End(IDCANCEL), "Cancel closes the dialog");
}

E2E_CASE(settings_dialog_store_then_recall_gives_back_every_value) {
    ControlBar bar(SettingsBytes(WithPaths()));
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    ShownRecord original = d.Read();
    Check(original.startup == L"C:\\程序\\启动.exe" && original.final == L"D:\\工具\\最后 运行.bat",
          "the paths of the file are shown", original.Describe());

    // Patterns 0 to 3 go to records 2 to 5, each with the paths on show.
    ShownRecord patterns[4];
    for (int j = 0; j < 4; ++j) {
        patterns[j] = Pattern(j);
        patterns[j].startup = original.startup;
        patterns[j].final = original.final;
        d.Fill(patterns[j]);
        Check(d.Read() == patterns[j], "the pattern is on show", d.Read().Describe());
        d.Press(kStores[j + 1]);
        Check(d.Recalled() == j + 1, "the store button presses its recall button");
    }
    d.Press(IDC_SET_RECALL1);
    Check(d.Read() == original, "Mem1 shows record 1 untouched", d.Read().Describe());
    for (int j : {3, 0, 2, 1}) {
        d.Press(kRecalls[j + 1]);
        Check(d.Read() == patterns[j], "recall gives back every value stored",
              d.Read().Describe() + " / " + patterns[j].Describe());
    }

    if (!Check(d.EndOk(), "OK closes the dialog")) return;
    BombSettings f;
    if (!Check(bar.ReadSettings(f), "the settings file is written")) return;
    for (int j = 0; j < 4; ++j) {
        const SettingRecord& r = f.Records[j + 1];
        const ShownRecord& p = patterns[j];
        Check(r.PresetString + " " + r.EdgeFlags == PresetOf(p), "switches and edges are packed in their places",
              r.PresetString + " " + r.EdgeFlags);
        Check(r.IconIndex == std::to_string(p.picture) && Wide(r.Sensitivity) == p.sensitivity &&
                  Wide(r.FinalMessage) == p.message,
              "picture, sensitivity and message are stored");
        Check(TimeOfDay(r.DetonationTime) ==
                  std::to_string(p.hour) + ":" + std::to_string(p.minute) + ":" + std::to_string(p.second),
              "the time of day is stored", TimeOfDay(r.DetonationTime));
        Check(r.StartupProgram == f.Records[0].StartupProgram && r.FinalProgram == f.Records[0].FinalProgram,
              "the paths shown are stored with them");
    }
    Check(f.CurrentSetting == 2, "the record shown last is in force", std::to_string(f.CurrentSetting));
}

E2E_CASE(settings_dialog_store_into_set4_while_mem2_shown) {
    ControlBar bar;
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    d.Press(IDC_SET_RECALL2);
    Check(d.Recalled() == 1, "Mem2 is shown");
    d.Press(IDC_SET_HIDE_SELF);
    d.Press(IDC_SET_STORE4);
    Check(d.Recalled() == 3 && !d.Checked(IDC_SET_RECALL2), "Set4 makes Mem4 the pressed button");
    d.Press(IDC_SET_MUTE_WAVE);  // changed but never stored
    if (!Check(d.EndOk(), "OK closes the dialog")) return;

    Check(WaitFor([&] { return bar.Checked(IDC_RADIO4); }) && !bar.Checked(IDC_RADIO1),
          "setting number 4 is in force on the control bar");
    std::string bytes;
    bar.ReadFile(L"VEXAL.vxl", bytes);
    Check(bytes.size() > 4 && bytes.compare(0, 4, std::string("\x03\0\0\0", 4)) == 0,
          "the file begins with setting number index 3");
    BombSettings f;
    bar.ReadSettings(f);
    Check(f.Records[3].PresetString == "0,0,0,0,1,0,0,0,0,0,0,0,0", "record 4 holds the store, not the later change",
          f.Records[3].PresetString);
}

E2E_CASE(settings_dialog_cancel_keeps_file_and_bar) {
    for (bool withFile : {false, true}) {
        BombSettings prepared = WithPaths();
        prepared.CurrentSetting = 1;
        std::string before = withFile ? SettingsBytes(prepared) : "";
        ControlBar bar(withFile ? BarFiles(before) : BarFiles());
        SettingsDialog d(bar);
        if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
        d.Fill(Pattern(0));
        d.Press(IDC_SET_STORE1);
        d.Press(IDC_SET_STORE5);
        d.Press(IDC_SET_RECALL3);
        d.Press(IDC_SET_STORE6);
        if (!Check(d.End(IDCANCEL), "Cancel closes the dialog")) return;
        if (withFile)
            Check(bar.FileIs(L"VEXAL.vxl", before), "a prepared file stays byte for byte");
        else
            Check(!bar.Has(L"VEXAL.vxl"), "no file is created");
        Check(bar.Checked(withFile ? IDC_RADIO2 : IDC_RADIO1), "the setting number in force stays");
        Check(bar.RangeMax() == 200, "the range bar keeps its Sensitivity");
    }
}

E2E_CASE(settings_dialog_recall_ok_rewrites_file) {
    BombSettings prepared = DefaultSettings();
    prepared.Records[0].EdgeFlags = "1111";
    prepared.Records[2].EdgeFlags = "";
    for (int i = 0; i < kRecordCount; ++i) prepared.Records[i].Reserved = "reserved " + std::to_string(i);
    for (int i = 6; i < kRecordCount; ++i) {
        SettingRecord& r = prepared.Records[i];
        r.PresetString = "9,9,9";
        r.Sensitivity = Gbk(L"记录") + std::to_string(i);
        r.DetonationTime = -123456 * i;
        r.StartupProgram = std::string(300, static_cast<char>('a' + i));
        r.EdgeFlags = "1";
    }
    ControlBar bar(SettingsBytes(prepared));
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    d.Press(IDC_SET_RECALL3);
    if (!Check(d.EndOk(), "OK closes the dialog")) return;

    BombSettings expected = prepared;
    expected.CurrentSetting = 2;
    expected.Records[2].EdgeFlags = "0000";
    Check(bar.FileIs(L"VEXAL.vxl", SettingsBytes(expected)),
          "only CurrentSetting and record 3's EdgeFlags change; records 7 to 10 and every Reserved stay");
    Check(bar.Checked(IDC_RADIO3), "setting number 3 is in force");
}

E2E_CASE(settings_dialog_message_length_limit) {
    const std::wstring forty(20, L'字');  // 40 bytes in code page 936
    ControlBar bar;
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;

    // A store with 41 bytes is refused whole.
    d.Press(IDC_SET_HIDE_SELF);
    d.SetText(IDC_SET_FINAL_MESSAGE, forty + L"x");
    d.PostClick(IDC_SET_STORE2);
    HWND box = bar.WaitMessage();
    Check(box && ControlBar::Says(box, kTooLong), "storing 41 bytes shows the too-long message");
    Check(ControlBar::Dismiss(box), "the message is dismissed");
    Check(d.Recalled() == 0, "Mem1 stays pressed: nothing was stored");
    d.Press(IDC_SET_RECALL2);
    ShownRecord r2 = d.Read();
    Check(r2.checks[4] == 0 && r2.message == L"设置动作已全部完成", "record 2 is unchanged", r2.Describe());

    // OK with 41 bytes keeps the dialog open; with 40 it closes.
    d.SetText(IDC_SET_FINAL_MESSAGE, forty + L"x");
    d.PostClick(IDOK);
    Check(bar.MessageSays(kTooLong), "OK with 41 bytes shows the too-long message");
    Check(IsWindow(d.Handle()) && IsWindowVisible(d.Handle()), "the dialog stays open");
    Check(WaitFor([&] { return FocusOf(d.Handle()) == d.Item(IDC_SET_FINAL_MESSAGE); }),
          "the message box has the focus");

    d.SetText(IDC_SET_FINAL_MESSAGE, forty);
    d.Press(IDC_SET_STORE2);
    Check(d.Recalled() == 1, "a 40-byte message is stored");
    if (!Check(d.EndOk(), "OK with 40 bytes closes the dialog")) return;
    BombSettings f;
    Check(bar.ReadSettings(f) && f.Records[1].FinalMessage == Gbk(forty), "the 40 bytes reach the file");
}

E2E_CASE(settings_dialog_exclusive_boxes) {
    ControlBar bar;
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    d.Press(IDC_SET_EDGE_LEFT);  // an unstored change that the exchange must keep
    d.Press(IDC_SET_NO_DETONATION);
    Check(d.Checked(IDC_SET_NO_DETONATION), "no-detonation is checked");
    d.Press(IDC_SET_MINIMIZE_TARGET);
    Check(d.Checked(IDC_SET_MINIMIZE_TARGET) && !d.Checked(IDC_SET_NO_DETONATION),
          "checking minimise clears no-detonation");
    d.Press(IDC_SET_NO_DETONATION);
    Check(d.Checked(IDC_SET_NO_DETONATION) && !d.Checked(IDC_SET_MINIMIZE_TARGET),
          "checking no-detonation clears minimise");
    d.Press(IDC_SET_NO_DETONATION);
    Check(!d.Checked(IDC_SET_NO_DETONATION) && !d.Checked(IDC_SET_MINIMIZE_TARGET), "unchecking checks nothing else");
    Check(d.Checked(IDC_SET_EDGE_LEFT), "other changes survive");

    // With a message too long the read fails; the other box is cleared all the same.
    d.Press(IDC_SET_MINIMIZE_TARGET);
    d.Press(IDC_SET_EDGE_RIGHT);
    d.SetText(IDC_SET_FINAL_MESSAGE, std::wstring(21, L'字'));
    d.PostClick(IDC_SET_NO_DETONATION);
    Check(bar.MessageSays(kTooLong), "the failed read is reported");
    Check(WaitFor([&] { return !d.Checked(IDC_SET_MINIMIZE_TARGET); }) && d.Checked(IDC_SET_NO_DETONATION),
          "and the boxes still exclude each other");
    Check(d.Checked(IDC_SET_EDGE_RIGHT) && d.Text(IDC_SET_FINAL_MESSAGE).size() == 21,
          "without undoing the other edits");
    d.End(IDCANCEL);
}

E2E_CASE(settings_dialog_spin_limits) {
    ControlBar bar;
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    HWND spin = d.Item(IDC_SET_SENSITIVITY_SPIN);
    for (int i = 0; i < 900; ++i) SendMessageW(spin, WM_KEYDOWN, VK_UP, 0);
    Check(d.Text(IDC_SET_SENSITIVITY) == L"999" && LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)) == 999,
          "up from 200 stops at 999", WideToUtf8(d.Text(IDC_SET_SENSITIVITY)));
    for (int i = 0; i < 1100; ++i) SendMessageW(spin, WM_KEYDOWN, VK_DOWN, 0);
    Check(d.Text(IDC_SET_SENSITIVITY) == L"1" && LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)) == 1, "down stops at 1",
          WideToUtf8(d.Text(IDC_SET_SENSITIVITY)));
    d.Press(IDC_SET_STORE1);
    if (!Check(d.EndOk(), "OK closes the dialog")) return;
    Check(bar.RangeMax() == 1, "the stored Sensitivity becomes the range bar's range");
}

E2E_CASE(settings_dialog_topmost_band) {
    ControlBar bar;
    bar.Start();
    SettingsDialog d(bar);
    if (!Check(bar.Handle() && IsTopmost(bar.Handle()), "the control bar starts topmost")) return;
    for (int end : {IDOK, IDCANCEL}) {
        if (!Check(d.Open(), "the dialog opens")) return;
        Check(WaitFor([&] { return !IsTopmost(bar.Handle()); }), "the bar leaves the topmost band while it is open");
        d.End(end);
        Check(WaitFor([&] { return IsTopmost(bar.Handle()); }, 10000),
              end == IDOK ? "and is topmost again after OK" : "and is topmost again after Cancel");
    }
}

E2E_CASE(settings_dialog_browse_paths) {
    ControlBar bar;
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    const std::wstring chinese = bar.PathOf(L"运行程序.exe");
    const std::wstring thai = bar.PathOf(L"ทดสอบ.exe");  // no code page 936 form
    bar.WriteFile(L"运行程序.exe", "x");
    bar.WriteFile(L"ทดสอบ.exe", "x");

    HWND fd = d.Browse(IDC_SET_BROWSE_STARTUP);
    if (!Check(fd != nullptr, "browse opens the open-file dialog")) return;
    HWND readOnly = GetDlgItem(fd, 1040);  // chx1, the read-only box
    Check(!readOnly || !IsWindowVisible(readOnly), "its read-only box is hidden");
    Check(SettingsDialog::ChooseFile(fd, chinese), "a file with a Chinese name is chosen");
    Check(WaitFor([&] { return d.Text(IDC_SET_STARTUP_PROGRAM) == chinese; }), "its full path is shown",
          WideToUtf8(d.Text(IDC_SET_STARTUP_PROGRAM)));

    fd = d.Browse(IDC_SET_BROWSE_FINAL);
    Check(fd && SettingsDialog::ChooseFile(fd, thai), "a file whose name code page 936 cannot hold is chosen");
    std::wstring shown;
    WaitFor([&] { return !(shown = d.Text(IDC_SET_FINAL_PROGRAM)).empty(); });
    wchar_t full[MAX_PATH] = L"";
    GetLongPathNameW(shown.c_str(), full, MAX_PATH);
    Check(shown != thai && Wide(Gbk(shown)) == shown && lstrcmpiW(full, thai.c_str()) == 0,
          "its short form, which names the same file, is shown instead", WideToUtf8(shown));

    fd = d.Browse(IDC_SET_BROWSE_STARTUP);
    Check(fd && PostMessageW(fd, WM_COMMAND, IDCANCEL, 0) && WaitFor([&] { return !IsWindow(fd); }),
          "the file dialog is cancelled");
    Check(d.Text(IDC_SET_STARTUP_PROGRAM) == chinese, "a cancelled browse changes nothing");

    d.Press(IDC_SET_STORE1);
    if (!Check(d.EndOk(), "OK closes the dialog")) return;
    BombSettings f;
    Check(bar.ReadSettings(f) && f.Records[0].StartupProgram == Gbk(chinese) && f.Records[0].FinalProgram == Gbk(shown),
          "both paths reach the file in code page 936");
}

E2E_CASE(settings_dialog_play_sound_reads_list) {
    ControlBar bar;
    SettingsDialog d(bar);
    if (!Check(bar.Start() && d.Open(), "the dialog opens")) return;
    bar.WriteFile(L"any.exe", "x");
    HWND combo = d.Item(IDC_SET_SOUND_TYPE);
    ShownRecord before = d.Read();

    // Chosen by message, which the dialog is not told of: only the button's
    // own read of the controls can take the entry into the dialog's field.
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    d.Press(IDC_SET_APPLY_PLAY_SOUND);
    ShownRecord after = d.Read();
    before.sound = 3;
    Check(IsWindow(d.Handle()) && after == before, "playing a sound changes nothing on show");
    // A browse writes every field back into the controls: the list shows
    // what the button read, not what it shows now.
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    HWND fd = d.Browse(IDC_SET_BROWSE_STARTUP);
    Check(fd && SettingsDialog::ChooseFile(fd, bar.PathOf(L"any.exe")), "a file is chosen");
    Check(WaitFor([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == 3; }),
          "the sound button had read entry 3 at its click");

    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    d.Press(IDC_SET_APPLY_PLAY_SOUND);
    Check(IsWindow(d.Handle()) && !bar.WaitMessage(500) && SendMessageW(combo, CB_GETCURSEL, 0, 0) == -1,
          "with no entry chosen the button plays nothing and shows nothing");
    Skip("the sound itself", "Wine on a virtual display has no sound device to listen to");
    d.End(IDCANCEL);
}

namespace {

const wchar_t kSaveFailed[] = L"由于设置发生错误，程序将退出";

// OK on a save that cannot happen: the settings-error message, the program
// ends, and the old file stays byte for byte.
void CheckSaveFails(ControlBar& bar, const char* why) {
    SettingsDialog d(bar);
    if (!Check(d.Open(), "the dialog opens")) return;
    d.Press(IDC_SET_RECALL2);
    d.PostClick(IDOK);
    Check(bar.MessageSays(kSaveFailed, 10000),
          (std::string("OK ") + why + " shows the settings-error message").c_str());
    Check(bar.WaitExit(10000), "and the program ends");
}

}  // namespace

E2E_CASE(settings_dialog_save_fails_while_file_held) {
    BombSettings prepared = WithPaths();
    std::string before = SettingsBytes(prepared);
    ControlBar bar(before);
    bar.Start();
    // Another program holds the file open without sharing it.
    HANDLE held = CreateFileW(bar.PathOf(L"VEXAL.vxl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!Check(held != INVALID_HANDLE_VALUE, "the driver holds the file")) return;
    CheckSaveFails(bar, "while another program holds the file");
    CloseHandle(held);
    Check(bar.FileIs(L"VEXAL.vxl", before), "the old file is intact byte for byte");
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(bar.PathOf(L"*.tmp").c_str(), &fd);
    Check(find == INVALID_HANDLE_VALUE, "no temporary file is left behind");
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

E2E_CASE(settings_dialog_save_fails_in_read_only_folder) {
    BombSettings prepared = WithPaths();
    std::string before = SettingsBytes(prepared);
    ControlBar bar(before);
    bar.Start();
    SetFileAttributesW(bar.Folder().c_str(), FILE_ATTRIBUTE_READONLY);
    std::wstring probe = bar.PathOf(L"probe");
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        DeleteFileW(probe.c_str());
        SetFileAttributesW(bar.Folder().c_str(), FILE_ATTRIBUTE_NORMAL);
        // A read-only folder does not stop this user (root under Wine); a
        // folder where nothing new can be created is made by putting a
        // folder in the way of every file the save would create.
        Skip("a read-only folder", "folder permissions do not hold against this user");
        CreateDirectoryW(bar.PathOf(L"VEXAL.Vxl.tmp").c_str(), nullptr);
    }
    CheckSaveFails(bar, "where no file can be created");
    SetFileAttributesW(bar.Folder().c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(bar.PathOf(L"VEXAL.Vxl.tmp").c_str());
    Check(bar.FileIs(L"VEXAL.vxl", before), "the old file is intact byte for byte");
}

E2E_CASE(settings_dialog_file_changed_outside_is_overwritten) {
    BombSettings started = WithPaths();
    started.Records[0].Sensitivity = "111";
    started.Records[7].Reserved = "kept";
    ControlBar bar(started);
    bar.Start();
    // Another program rewrites the file while VEXAL runs.
    BombSettings other = DefaultSettings();
    other.CurrentSetting = 4;
    other.Records[0].Sensitivity = "999";
    other.Records[7].Reserved = "theirs";
    other.Records[8].FinalMessage = "theirs";
    bar.WriteFile(L"VEXAL.vxl", SettingsBytes(other));
    SettingsDialog d(bar);
    if (!Check(d.Open(), "the dialog opens")) return;
    if (!Check(d.EndOk(), "OK closes the dialog")) return;
    BombSettings expected = started;
    expected.Records[0].EdgeFlags = "0000";  // recalled when the dialog opened
    Check(bar.FileIs(L"VEXAL.vxl", SettingsBytes(expected)),
          "the file holds exactly the program's settings, nothing of the other's");
}
