// The settings dialog from the outside: opened from the control bar, filled
// in by clicks and messages, stored, recalled, and ended with OK or Cancel,
// with the settings file read back after each run.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "base/TimeConversion.h"
#include "base/Codepage.h"
#include "tests/e2e/ControlBarDriver.h"

namespace {

const wchar_t kCaption[] = L"VEXAL：爆炸后的处理和各种设置";
const wchar_t kTooLong[] = L"请输入不超过 40 个字符。";

// The check boxes, in PresetString order, then the four edges.
const int kChecks[] = {
    IDC_SET_LAUNCH_AT_START, IDC_SET_NOT_TOPMOST,     IDC_SET_CLEAR_RECENT_DOCS, IDC_SET_EMPTY_RECYCLE_BIN,
    IDC_SET_HIDE_SELF,       IDC_SET_MINIMIZE_TARGET, IDC_SET_HANG_UP_DIALUP,    IDC_SET_NO_DETONATION,
    IDC_SET_MUTE_WAVE,       IDC_SET_PLAY_SOUND,      IDC_SET_TIMER_ENABLED,     IDC_SET_EDGE_TOP,
    IDC_SET_EDGE_BOTTOM,     IDC_SET_EDGE_LEFT,       IDC_SET_EDGE_RIGHT,
};
constexpr int kCheckCount = sizeof kChecks / sizeof kChecks[0];
const int kFinalActions[] = {IDC_SET_FINAL_NONE,     IDC_SET_FINAL_BLACKOUT,    IDC_SET_FINAL_SCREENSAVER,
                             IDC_SET_FINAL_SHUTDOWN, IDC_SET_FINAL_RUN_PROGRAM, IDC_SET_FINAL_SHOW_MESSAGE};
const int kStores[] = {IDC_SET_STORE1, IDC_SET_STORE2, IDC_SET_STORE3, IDC_SET_STORE4, IDC_SET_STORE5, IDC_SET_STORE6};
const int kRecalls[] = {IDC_SET_RECALL1, IDC_SET_RECALL2, IDC_SET_RECALL3,
                        IDC_SET_RECALL4, IDC_SET_RECALL5, IDC_SET_RECALL6};

std::string Gbk(const std::wstring& w) {
    std::string out;
    WideToGbk(std::u16string(w.begin(), w.end()), out);
    return out;
}
std::wstring Wide(const std::string& gbk) {
    std::u16string w = GbkToWide(gbk);
    return std::wstring(w.begin(), w.end());
}

// Memory inside the program, for the control messages that carry pointers.
class Remote {
public:
    Remote(DWORD pid, size_t size) {
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        m_base = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~Remote() {
        if (m_base) VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
        if (m_process) CloseHandle(m_process);
    }
    LPARAM At(size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char*>(m_base) + offset); }
    template <class T>
    void Put(const T& value, size_t offset = 0) const {
        WriteProcessMemory(m_process, static_cast<char*>(m_base) + offset, &value, sizeof value, nullptr);
    }
    template <class T>
    T Get(size_t offset = 0) const {
        T value{};
        ReadProcessMemory(m_process, static_cast<char*>(m_base) + offset, &value, sizeof value, nullptr);
        return value;
    }
    std::wstring Text(size_t offset) const {
        wchar_t buffer[256] = {};
        ReadProcessMemory(m_process, static_cast<char*>(m_base) + offset, buffer, sizeof buffer - 2, nullptr);
        return buffer;
    }

private:
    HANDLE m_process = nullptr;
    void* m_base = nullptr;
};

// What the dialog shows of one record.
struct Shown {
    int checks[kCheckCount] = {};
    int finalAction = -1;
    int sound = -1;
    int picture = -1;  // the selected item of the picture list
    int hour = 0, minute = 0, second = 0;
    std::wstring sensitivity, message, startup, final;

    // Two records look alike when everything shown reads the same.
    bool operator==(const Shown& o) const { return Describe() == o.Describe(); }
    std::string Describe() const {
        std::string s = "checks ";
        for (int c : checks) s += std::to_string(c);
        s += " final " + std::to_string(finalAction) + " sound " + std::to_string(sound) + " picture " +
             std::to_string(picture) + " time " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
             std::to_string(second) + " sens " + WideToUtf8(sensitivity) + " msg " + WideToUtf8(message) + " paths " +
             WideToUtf8(startup) + " | " + WideToUtf8(final);
        return s;
    }
};

// One run of the program with its settings dialog open.
struct Session {
    ControlBar bar;
    HWND dlg = nullptr;

    explicit Session(const BarFiles& files = {}) : bar(files) { bar.Start(); }
    bool Open() {
        if (!bar.Handle()) return false;
        m_fileAtOpen = FileState();
        bar.Press(IDC_SETTINGS);
        dlg = bar.WaitWindow(kCaption);
        return dlg != nullptr;
    }
    HWND Item(int id) const { return GetDlgItem(dlg, id); }
    // A click that returns once the dialog has handled it. A handler that
    // opens a message box keeps it longer; the wait then gives up.
    void Press(int id) const {
        DWORD_PTR result;
        SendMessageTimeoutW(Item(id), BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &result);
    }
    void SetText(int id, const std::wstring& text) const {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    int Recalled() const {
        for (int i = 0; i < 6; ++i)
            if (IsChecked(dlg, kRecalls[i])) return i;
        return -1;
    }
    // Ends the dialog with OK or Cancel and waits until it is gone.
    bool End(int id) {
        Click(dlg, id);
        return WaitFor([&] { return !IsWindow(dlg); });
    }
    // OK, then the settings file written after it.
    bool EndOk() {
        return End(IDOK) && WaitFor([&] { return FileState() != m_fileAtOpen; });
    }
    // The file's bytes and time of its last writing; empty when there is none.
    std::string FileState() const {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(bar.PathOf(L"VEXAL.vxl").c_str(), GetFileExInfoStandard, &data)) return "";
        std::string bytes;
        bar.ReadFile(L"VEXAL.vxl", bytes);
        return std::to_string(data.ftLastWriteTime.dwLowDateTime) + "/" + bytes;
    }
    std::string m_fileAtOpen;
    bool Settings(BombSettings& s) const {
        std::string bytes;
        s = BombSettings(0);
        return bar.ReadFile(L"VEXAL.vxl", bytes) && ParseSettingsFile(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                                      bytes.size(), s) == ParseResult::Loaded;
    }

    Shown Read() const {
        Shown s;
        for (int i = 0; i < kCheckCount; ++i) s.checks[i] = IsChecked(dlg, kChecks[i]);
        for (int i = 0; i < 6; ++i)
            if (IsChecked(dlg, kFinalActions[i])) s.finalAction = i;
        s.sound = static_cast<int>(SendMessageW(Item(IDC_SET_SOUND_TYPE), CB_GETCURSEL, 0, 0));
        s.picture = static_cast<int>(SendMessageW(Item(IDC_SET_PICTURE_LIST), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
        Remote mem(bar.ProcessId(), sizeof(SYSTEMTIME));
        SendMessageW(Item(IDC_SET_DETONATION_TIME), DTM_GETSYSTEMTIME, 0, mem.At());
        SYSTEMTIME t = mem.Get<SYSTEMTIME>();
        s.hour = t.wHour, s.minute = t.wMinute, s.second = t.wSecond;
        s.sensitivity = Text(IDC_SET_SENSITIVITY);
        s.message = Text(IDC_SET_FINAL_MESSAGE);
        s.startup = Text(IDC_SET_STARTUP_PROGRAM);
        s.final = Text(IDC_SET_FINAL_PROGRAM);
        return s;
    }

    // Shows `s` in the controls as a person would: check boxes and radios
    // clicked, texts typed; the paths are left as they are.
    void Fill(const Shown& s) const {
        for (int i = 0; i < kCheckCount; ++i)
            if (IsChecked(dlg, kChecks[i]) != (s.checks[i] != 0)) Press(kChecks[i]);
        if (s.finalAction >= 0) Press(kFinalActions[s.finalAction]);
        SendMessageW(Item(IDC_SET_SOUND_TYPE), CB_SETCURSEL, static_cast<WPARAM>(s.sound), 0);
        SetText(IDC_SET_SENSITIVITY, s.sensitivity);
        SetText(IDC_SET_FINAL_MESSAGE, s.message);
        Remote mem(bar.ProcessId(), sizeof(SYSTEMTIME));
        SendMessageW(Item(IDC_SET_DETONATION_TIME), DTM_GETSYSTEMTIME, 0, mem.At());
        SYSTEMTIME t = mem.Get<SYSTEMTIME>();
        t.wHour = static_cast<WORD>(s.hour), t.wMinute = static_cast<WORD>(s.minute);
        t.wSecond = static_cast<WORD>(s.second);
        mem.Put(t);
        SendMessageW(Item(IDC_SET_DETONATION_TIME), DTM_SETSYSTEMTIME, GDT_VALID, mem.At());
        ClickPicture(s.picture);
    }

    // A real click on picture k, scrolled into view first.
    void ClickPicture(int k) const {
        HWND list = Item(IDC_SET_PICTURE_LIST);
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(k), FALSE);
        Remote mem(bar.ProcessId(), sizeof(RECT));
        RECT r = {LVIR_ICON, 0, 0, 0};
        mem.Put(r);
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(k), mem.At());
        r = mem.Get<RECT>();
        POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(list, &centre);
        SetForegroundWindow(dlg);
        // Clicks at one place in quick succession would make a double click.
        Rest(GetDoubleClickTime() + 100);
        SetCursorPos(centre.x, centre.y);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, in, sizeof(INPUT));
        WaitFor([&] { return SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == k; }, 3000);
    }
};

// Presses a browse button and waits for the open-file dialog it shows: a
// dialog of the run that is neither the settings dialog nor the bar.
HWND WaitFileDialog(const Session& s, int button) {
    Click(s.dlg, button);
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND w : s.bar.Windows())
            if (w != s.dlg && w != s.bar.Handle() && ClassName(w) == L"#32770") found = w;
        return found != nullptr;
    });
    return found;
}

BOOL CALLBACK FindNameEdit(HWND w, LPARAM p) {
    // The file-name box: an edit inside the combo box cmb13 (1148).
    if (ClassName(w) == L"Edit" && GetDlgCtrlID(w) == 1148) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

// Types a full path into the open-file dialog and presses its OK button.
bool ChooseFile(HWND fd, const std::wstring& path) {
    HWND edit = nullptr;
    EnumChildWindows(fd, FindNameEdit, reinterpret_cast<LPARAM>(&edit));
    if (!edit) edit = GetDlgItem(fd, 1152);  // edt1 in the older layout
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(fd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor([&] { return !IsWindow(fd); });
}

HWND Focus(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Four records that tell every control apart: check box i is ticked in
// pattern j when bit j of i + 1 is set, so no two boxes share a history
// (minimise-the-target, code 6, and no-detonation, code 8, are never ticked together).
Shown Pattern(int j) {
    static const wchar_t* const messages[] = {L"备忘：甲", L"", L"Memo 3", L"第四"};
    Shown s;
    for (int i = 0; i < kCheckCount; ++i) s.checks[i] = ((i + 1) >> j) & 1;
    s.finalAction = j + 2;
    s.sound = 3 - j;
    s.picture = 4 * j + 1;
    s.hour = 5 * j + 3, s.minute = 11 * j + 7, s.second = 13 * j + 5;
    s.sensitivity = std::to_wstring(250 * j + 9);
    s.message = messages[j];
    return s;
}

// The PresetString and EdgeFlags that pattern j must be stored as.
std::string PresetOf(const Shown& s) {
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
    Session s(SettingsBytes(file));
    if (!Check(s.Open(), "the settings button opens the dialog")) return;

    Check(s.Recalled() == 2, "Mem3, the setting number in force, is pressed", std::to_string(s.Recalled()));
    Shown v = s.Read();
    Check(v.checks[2] == 1 && v.checks[0] == 0, "its check boxes are shown");
    Check(v.finalAction == 2 && v.sound == 4, "its final action and sound are shown");
    Check(v.sensitivity == L"345" && v.message == L"第三号设置" && v.startup == L"C:\\启动.exe", "its texts are shown",
          v.Describe());
    Check(v.checks[11] == 0 && v.checks[12] == 1 && v.checks[13] == 0 && v.checks[14] == 1, "its edges are shown");
    Check(v.picture == 5, "its picture is selected", std::to_string(v.picture));

    wchar_t sound[64] = L"";
    SendMessageW(s.Item(IDC_SET_SOUND_TYPE), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(sound));
    Check(SendMessageW(s.Item(IDC_SET_SOUND_TYPE), CB_GETCOUNT, 0, 0) == 5 && std::wstring(sound) == L"系统错误",
          "the sound list has five entries in order", WideToUtf8(sound));

    HWND list = s.Item(IDC_SET_PICTURE_LIST);
    Remote mem(s.bar.ProcessId(), 512);
    auto label = [&](int k) {
        LVITEMW item = {};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<wchar_t*>(mem.At(256));
        item.cchTextMax = 64;
        mem.Put(item);
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(k), mem.At());
        return mem.Text(256);
    };
    Check(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 14 && label(0) == L"０１４" && label(13) == L"００１",
          "fourteen pictures labelled from ０１４ down to ００１", WideToUtf8(label(0)));

    HWND spin = s.Item(IDC_SET_SENSITIVITY_SPIN);
    LRESULT range = SendMessageW(spin, UDM_GETRANGE, 0, 0);
    Check(LOWORD(range) == 999 && HIWORD(range) == 1 && LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)) == 345,
          "the spin runs 1..999 and stands at Sensitivity");
    SendMessageW(spin, UDM_GETACCEL, 2, mem.At());
    UDACCEL accel0 = mem.Get<UDACCEL>(0), accel1 = mem.Get<UDACCEL>(sizeof(UDACCEL));
    Check(accel0.nSec == 0 && accel0.nInc == 1 && accel1.nSec == 2 && accel1.nInc == 10,
          "steps of 1, then of 10 after two seconds");

    HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != s.dlg) tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    auto tip = [&](int id) {
        TTTOOLINFOW info = {};
        info.cbSize = sizeof info;
        info.hwnd = s.dlg;
        info.uId = reinterpret_cast<UINT_PTR>(s.Item(id));
        info.lpszText = reinterpret_cast<wchar_t*>(mem.At(256));
        mem.Put(info);
        SendMessageW(tips, TTM_GETTEXTW, 64, mem.At());
        return mem.Text(256);
    };
    Check(tips && SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) == 42, "42 tools carry tooltips");
    Check(tip(IDC_SET_APPLY_PLAY_SOUND) == L"如果WAVE音量为O则无法听见" && tip(IDCANCEL) == L"放弃设置" &&
              tip(IDC_SET_RECALL4) == L"显示位置4的设置内容",
          "each tool is its control, with its text", WideToUtf8(tip(IDC_SET_RECALL4)));

    RECT dr, desk;
    GetWindowRect(s.dlg, &dr);
    GetWindowRect(GetDesktopWindow(), &desk);
    Check(abs((dr.left + dr.right) - (desk.left + desk.right)) <= 2 &&
              abs((dr.top + dr.bottom) - (desk.top + desk.bottom)) <= 2,
          "the dialog is centred on the desktop");

    // No tooltip over it (1 s at most once the cursor is away) when the picture is taken.
    SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    WaitFor([&] { return !tips || !IsWindowVisible(tips); }, 1000);
    SaveDialogScreenshot("settings-dialog", s.dlg);
    Check(s.End(IDCANCEL), "Cancel closes the dialog");
}

E2E_CASE(settings_dialog_store_then_recall_gives_back_every_value) {
    Session s(SettingsBytes(WithPaths()));
    if (!Check(s.Open(), "the dialog opens")) return;
    Shown original = s.Read();
    Check(original.startup == L"C:\\程序\\启动.exe" && original.final == L"D:\\工具\\最后 运行.bat",
          "the paths of the file are shown", original.Describe());

    // Patterns 0 to 3 go to records 2 to 5, each with the paths on show.
    Shown patterns[4];
    for (int j = 0; j < 4; ++j) {
        patterns[j] = Pattern(j);
        patterns[j].startup = original.startup;
        patterns[j].final = original.final;
        s.Fill(patterns[j]);
        Check(s.Read() == patterns[j], "the pattern is on show", s.Read().Describe());
        s.Press(kStores[j + 1]);
        Check(s.Recalled() == j + 1, "the store button presses its recall button");
    }
    s.Press(IDC_SET_RECALL1);
    Check(s.Read() == original, "Mem1 shows record 1 untouched", s.Read().Describe());
    for (int j : {3, 0, 2, 1}) {
        s.Press(kRecalls[j + 1]);
        Check(s.Read() == patterns[j], "recall gives back every value stored",
              s.Read().Describe() + " / " + patterns[j].Describe());
    }

    if (!Check(s.EndOk(), "OK closes the dialog")) return;
    BombSettings f;
    if (!Check(s.Settings(f), "the settings file is written")) return;
    for (int j = 0; j < 4; ++j) {
        const SettingRecord& r = f.Records[j + 1];
        const Shown& p = patterns[j];
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
    Session s;
    if (!Check(s.Open(), "the dialog opens")) return;
    s.Press(IDC_SET_RECALL2);
    Check(s.Recalled() == 1, "Mem2 is shown");
    s.Press(IDC_SET_HIDE_SELF);
    s.Press(IDC_SET_STORE4);
    Check(s.Recalled() == 3 && !IsChecked(s.dlg, IDC_SET_RECALL2), "Set4 makes Mem4 the pressed button");
    s.Press(IDC_SET_MUTE_WAVE);  // changed but never stored
    if (!Check(s.EndOk(), "OK closes the dialog")) return;

    Check(WaitFor([&] { return s.bar.Checked(IDC_RADIO4); }) && !s.bar.Checked(IDC_RADIO1),
          "setting number 4 is in force on the control bar");
    std::string bytes;
    s.bar.ReadFile(L"VEXAL.vxl", bytes);
    Check(bytes.size() > 4 && bytes.compare(0, 4, std::string("\x03\0\0\0", 4)) == 0,
          "the file begins with setting number index 3");
    BombSettings f;
    s.Settings(f);
    Check(f.Records[3].PresetString == "0,0,0,0,1,0,0,0,0,0,0,0,0", "record 4 holds the store, not the later change",
          f.Records[3].PresetString);
}

E2E_CASE(settings_dialog_cancel_keeps_file_and_bar) {
    for (bool withFile : {false, true}) {
        BombSettings prepared = WithPaths();
        prepared.CurrentSetting = 1;
        std::string before = withFile ? SettingsBytes(prepared) : "";
        Session s(withFile ? BarFiles(before) : BarFiles());
        if (!Check(s.Open(), "the dialog opens")) return;
        s.Fill(Pattern(0));
        s.Press(IDC_SET_STORE1);
        s.Press(IDC_SET_STORE5);
        s.Press(IDC_SET_RECALL3);
        s.Press(IDC_SET_STORE6);
        if (!Check(s.End(IDCANCEL), "Cancel closes the dialog")) return;
        if (withFile)
            Check(s.bar.FileIs(L"VEXAL.vxl", before), "a prepared file stays byte for byte");
        else
            Check(!s.bar.Has(L"VEXAL.vxl"), "no file is created");
        Check(s.bar.Checked(withFile ? IDC_RADIO2 : IDC_RADIO1), "the setting number in force stays");
        Check(s.bar.RangeMax() == 200, "the range bar keeps its Sensitivity");
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
    Session s(SettingsBytes(prepared));
    if (!Check(s.Open(), "the dialog opens")) return;
    s.Press(IDC_SET_RECALL3);
    if (!Check(s.EndOk(), "OK closes the dialog")) return;

    BombSettings expected = prepared;
    expected.CurrentSetting = 2;
    expected.Records[2].EdgeFlags = "0000";
    Check(s.bar.FileIs(L"VEXAL.vxl", SettingsBytes(expected)),
          "only CurrentSetting and record 3's EdgeFlags change; records 7 to 10 and every Reserved stay");
    Check(s.bar.Checked(IDC_RADIO3), "setting number 3 is in force");
}

E2E_CASE(settings_dialog_message_length_limit) {
    const std::wstring forty(20, L'字');  // 40 bytes in code page 936
    Session s;
    if (!Check(s.Open(), "the dialog opens")) return;

    // A store with 41 bytes is refused whole.
    s.Press(IDC_SET_HIDE_SELF);
    s.SetText(IDC_SET_FINAL_MESSAGE, forty + L"x");
    Click(s.dlg, IDC_SET_STORE2);
    HWND box = s.bar.WaitMessage();
    Check(box && ControlBar::Says(box, kTooLong), "storing 41 bytes shows the too-long message");
    Check(ControlBar::Dismiss(box), "the message is dismissed");
    Check(s.Recalled() == 0, "Mem1 stays pressed: nothing was stored");
    s.Press(IDC_SET_RECALL2);
    Shown r2 = s.Read();
    Check(r2.checks[4] == 0 && r2.message == L"设置动作已全部完成", "record 2 is unchanged", r2.Describe());

    // OK with 41 bytes keeps the dialog open; with 40 it closes.
    s.SetText(IDC_SET_FINAL_MESSAGE, forty + L"x");
    Click(s.dlg, IDOK);
    box = s.bar.WaitMessage();
    Check(box && ControlBar::Says(box, kTooLong), "OK with 41 bytes shows the too-long message");
    ControlBar::Dismiss(box);
    Check(IsWindow(s.dlg) && IsWindowVisible(s.dlg), "the dialog stays open");
    Check(WaitFor([&] { return Focus(s.dlg) == s.Item(IDC_SET_FINAL_MESSAGE); }), "the message box has the focus");

    s.SetText(IDC_SET_FINAL_MESSAGE, forty);
    s.Press(IDC_SET_STORE2);
    Check(s.Recalled() == 1, "a 40-byte message is stored");
    if (!Check(s.EndOk(), "OK with 40 bytes closes the dialog")) return;
    BombSettings f;
    Check(s.Settings(f) && f.Records[1].FinalMessage == Gbk(forty), "the 40 bytes reach the file");
}

E2E_CASE(settings_dialog_exclusive_boxes) {
    Session s;
    if (!Check(s.Open(), "the dialog opens")) return;
    s.Press(IDC_SET_EDGE_LEFT);  // an unstored change that the exchange must keep
    s.Press(IDC_SET_NO_DETONATION);
    Check(IsChecked(s.dlg, IDC_SET_NO_DETONATION), "no-detonation is checked");
    s.Press(IDC_SET_MINIMIZE_TARGET);
    Check(IsChecked(s.dlg, IDC_SET_MINIMIZE_TARGET) && !IsChecked(s.dlg, IDC_SET_NO_DETONATION),
          "checking minimise clears no-detonation");
    s.Press(IDC_SET_NO_DETONATION);
    Check(IsChecked(s.dlg, IDC_SET_NO_DETONATION) && !IsChecked(s.dlg, IDC_SET_MINIMIZE_TARGET),
          "checking no-detonation clears minimise");
    s.Press(IDC_SET_NO_DETONATION);
    Check(!IsChecked(s.dlg, IDC_SET_NO_DETONATION) && !IsChecked(s.dlg, IDC_SET_MINIMIZE_TARGET),
          "unchecking checks nothing else");
    Check(IsChecked(s.dlg, IDC_SET_EDGE_LEFT), "other changes survive");

    // With a message too long the read fails; the other box is cleared all the same.
    s.Press(IDC_SET_MINIMIZE_TARGET);
    s.Press(IDC_SET_EDGE_RIGHT);
    s.SetText(IDC_SET_FINAL_MESSAGE, std::wstring(21, L'字'));
    Click(s.dlg, IDC_SET_NO_DETONATION);
    HWND box = s.bar.WaitMessage();
    Check(box && ControlBar::Says(box, kTooLong), "the failed read is reported");
    ControlBar::Dismiss(box);
    Check(
        WaitFor([&] { return !IsChecked(s.dlg, IDC_SET_MINIMIZE_TARGET); }) && IsChecked(s.dlg, IDC_SET_NO_DETONATION),
        "and the boxes still exclude each other");
    Check(IsChecked(s.dlg, IDC_SET_EDGE_RIGHT) && s.Text(IDC_SET_FINAL_MESSAGE).size() == 21,
          "without undoing the other edits");
    s.End(IDCANCEL);
}

E2E_CASE(settings_dialog_spin_limits) {
    Session s;
    if (!Check(s.Open(), "the dialog opens")) return;
    HWND spin = s.Item(IDC_SET_SENSITIVITY_SPIN);
    for (int i = 0; i < 900; ++i) SendMessageW(spin, WM_KEYDOWN, VK_UP, 0);
    Check(s.Text(IDC_SET_SENSITIVITY) == L"999" && LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)) == 999,
          "up from 200 stops at 999", WideToUtf8(s.Text(IDC_SET_SENSITIVITY)));
    for (int i = 0; i < 1100; ++i) SendMessageW(spin, WM_KEYDOWN, VK_DOWN, 0);
    Check(s.Text(IDC_SET_SENSITIVITY) == L"1" && LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)) == 1, "down stops at 1",
          WideToUtf8(s.Text(IDC_SET_SENSITIVITY)));
    s.Press(IDC_SET_STORE1);
    if (!Check(s.EndOk(), "OK closes the dialog")) return;
    Check(s.bar.RangeMax() == 1, "the stored Sensitivity becomes the range bar's range");
}

E2E_CASE(settings_dialog_topmost_band) {
    Session s;
    if (!Check(s.bar.Handle() && IsTopmost(s.bar.Handle()), "the control bar starts topmost")) return;
    for (int end : {IDOK, IDCANCEL}) {
        if (!Check(s.Open(), "the dialog opens")) return;
        Check(WaitFor([&] { return !IsTopmost(s.bar.Handle()); }), "the bar leaves the topmost band while it is open");
        s.End(end);
        Check(WaitFor([&] { return IsTopmost(s.bar.Handle()); }, 10000),
              end == IDOK ? "and is topmost again after OK" : "and is topmost again after Cancel");
    }
}

E2E_CASE(settings_dialog_browse_paths) {
    Session s;
    if (!Check(s.Open(), "the dialog opens")) return;
    const std::wstring chinese = s.bar.PathOf(L"运行程序.exe");
    const std::wstring thai = s.bar.PathOf(L"ทดสอบ.exe");  // no code page 936 form
    s.bar.WriteFile(L"运行程序.exe", "x");
    s.bar.WriteFile(L"ทดสอบ.exe", "x");

    HWND fd = WaitFileDialog(s, IDC_SET_BROWSE_STARTUP);
    if (!Check(fd != nullptr, "browse opens the open-file dialog")) return;
    HWND readOnly = GetDlgItem(fd, 1040);  // chx1, the read-only box
    Check(!readOnly || !IsWindowVisible(readOnly), "its read-only box is hidden");
    Check(ChooseFile(fd, chinese), "a file with a Chinese name is chosen");
    Check(WaitFor([&] { return s.Text(IDC_SET_STARTUP_PROGRAM) == chinese; }), "its full path is shown",
          WideToUtf8(s.Text(IDC_SET_STARTUP_PROGRAM)));

    fd = WaitFileDialog(s, IDC_SET_BROWSE_FINAL);
    Check(fd && ChooseFile(fd, thai), "a file whose name code page 936 cannot hold is chosen");
    std::wstring shown;
    WaitFor([&] { return !(shown = s.Text(IDC_SET_FINAL_PROGRAM)).empty(); });
    wchar_t full[MAX_PATH] = L"";
    GetLongPathNameW(shown.c_str(), full, MAX_PATH);
    Check(shown != thai && Wide(Gbk(shown)) == shown && lstrcmpiW(full, thai.c_str()) == 0,
          "its short form, which names the same file, is shown instead", WideToUtf8(shown));

    fd = WaitFileDialog(s, IDC_SET_BROWSE_STARTUP);
    Check(fd && PostMessageW(fd, WM_COMMAND, IDCANCEL, 0) && WaitFor([&] { return !IsWindow(fd); }),
          "the file dialog is cancelled");
    Check(s.Text(IDC_SET_STARTUP_PROGRAM) == chinese, "a cancelled browse changes nothing");

    s.Press(IDC_SET_STORE1);
    if (!Check(s.EndOk(), "OK closes the dialog")) return;
    BombSettings f;
    Check(s.Settings(f) && f.Records[0].StartupProgram == Gbk(chinese) && f.Records[0].FinalProgram == Gbk(shown),
          "both paths reach the file in code page 936");
}

E2E_CASE(settings_dialog_play_sound_reads_list) {
    Session s;
    if (!Check(s.Open(), "the dialog opens")) return;
    s.bar.WriteFile(L"any.exe", "x");
    HWND combo = s.Item(IDC_SET_SOUND_TYPE);
    Shown before = s.Read();

    // Chosen by message, which the dialog is not told of: only the button's
    // own read of the controls can take the entry into the dialog's field.
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    s.Press(IDC_SET_APPLY_PLAY_SOUND);
    Shown after = s.Read();
    before.sound = 3;
    Check(IsWindow(s.dlg) && after == before, "playing a sound changes nothing on show");
    // A browse writes every field back into the controls: the list shows
    // what the button read, not what it shows now.
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    HWND fd = WaitFileDialog(s, IDC_SET_BROWSE_STARTUP);
    Check(fd && ChooseFile(fd, s.bar.PathOf(L"any.exe")), "a file is chosen");
    Check(WaitFor([&] { return SendMessageW(combo, CB_GETCURSEL, 0, 0) == 3; }),
          "the sound button had read entry 3 at its click");

    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    s.Press(IDC_SET_APPLY_PLAY_SOUND);
    Check(IsWindow(s.dlg) && !s.bar.WaitMessage(500) && SendMessageW(combo, CB_GETCURSEL, 0, 0) == -1,
          "with no entry chosen the button plays nothing and shows nothing");
    Skip("the sound itself", "Wine on a virtual display has no sound device to listen to");
    s.End(IDCANCEL);
}

namespace {

const wchar_t kSaveFailed[] = L"由于设置发生错误，程序将退出";

// OK on a save that cannot happen: the settings-error message, the program
// ends, and the old file stays byte for byte.
void CheckSaveFails(Session& s, const char* why) {
    if (!Check(s.Open(), "the dialog opens")) return;
    s.Press(IDC_SET_RECALL2);
    Click(s.dlg, IDOK);
    HWND box = s.bar.WaitMessage(10000);
    std::string what = std::string("OK ") + why + " shows the settings-error message";
    Check(box && ControlBar::Says(box, kSaveFailed), what.c_str());
    if (box) ControlBar::Dismiss(box);
    Check(s.bar.WaitExit(10000), "and the program ends");
}

}  // namespace

E2E_CASE(settings_dialog_save_fails_while_file_held) {
    BombSettings prepared = WithPaths();
    std::string before = SettingsBytes(prepared);
    Session s(before);
    // Another program holds the file open without sharing it.
    HANDLE held = CreateFileW(s.bar.PathOf(L"VEXAL.vxl").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!Check(held != INVALID_HANDLE_VALUE, "the driver holds the file")) return;
    CheckSaveFails(s, "while another program holds the file");
    CloseHandle(held);
    Check(s.bar.FileIs(L"VEXAL.vxl", before), "the old file is intact byte for byte");
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(s.bar.PathOf(L"*.tmp").c_str(), &fd);
    Check(find == INVALID_HANDLE_VALUE, "no temporary file is left behind");
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

E2E_CASE(settings_dialog_save_fails_in_read_only_folder) {
    BombSettings prepared = WithPaths();
    std::string before = SettingsBytes(prepared);
    Session s(before);
    SetFileAttributesW(s.bar.Folder().c_str(), FILE_ATTRIBUTE_READONLY);
    std::wstring probe = s.bar.PathOf(L"probe");
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        DeleteFileW(probe.c_str());
        SetFileAttributesW(s.bar.Folder().c_str(), FILE_ATTRIBUTE_NORMAL);
        // A read-only folder does not stop this user (root under Wine); a
        // folder where nothing new can be created is made by putting a
        // folder in the way of every file the save would create.
        Skip("a read-only folder", "folder permissions do not hold against this user");
        CreateDirectoryW(s.bar.PathOf(L"VEXAL.Vxl.tmp").c_str(), nullptr);
    }
    CheckSaveFails(s, "where no file can be created");
    SetFileAttributesW(s.bar.Folder().c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(s.bar.PathOf(L"VEXAL.Vxl.tmp").c_str());
    Check(s.bar.FileIs(L"VEXAL.vxl", before), "the old file is intact byte for byte");
}

E2E_CASE(settings_dialog_file_changed_outside_is_overwritten) {
    BombSettings started = WithPaths();
    started.Records[0].Sensitivity = "111";
    started.Records[7].Reserved = "kept";
    Session s(SettingsBytes(started));
    // Another program rewrites the file while VEXAL runs.
    BombSettings other = DefaultSettings();
    other.CurrentSetting = 4;
    other.Records[0].Sensitivity = "999";
    other.Records[7].Reserved = "theirs";
    other.Records[8].FinalMessage = "theirs";
    s.bar.WriteFile(L"VEXAL.vxl", SettingsBytes(other));
    if (!Check(s.Open(), "the dialog opens")) return;
    if (!Check(s.EndOk(), "OK closes the dialog")) return;
    BombSettings expected = started;
    expected.Records[0].EdgeFlags = "0000";  // recalled when the dialog opened
    Check(s.bar.FileIs(L"VEXAL.vxl", SettingsBytes(expected)),
          "the file holds exactly the program's settings, nothing of the other's");
}
