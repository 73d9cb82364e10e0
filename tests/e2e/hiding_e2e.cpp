// The hotkey and hiding from the outside: the driver's own windows are the
// ones hidden and brought back, the key comes through the X server as a
// person's would, and VEXAL.vxl is never touched by any of it.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "base/Scoped_win.h"
#include "tests/e2e/ControlBarDriver.h"

namespace {

const wchar_t kExtraCaption[] = L"VEXAL：热键和隐藏设置";
const char kHideIni[] = "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n";

// Every run here starts with the default settings in VEXAL.vxl, which
// nothing of the hotkey or hiding may change.
bool VxlUntouched(const ControlBar& b) { return b.FileIs(L"VEXAL.vxl", SettingsBytes(DefaultSettings())); }

// The hotkey pressed and let go through the X server, aimed at the window
// in front.
bool PressF12() { return XKey("key F12"); }

// The window in front, and with the keys, after another one was.
void TakeKeys(const ControlBar& b, TargetWindow& w) {
    b.Activate();
    w.Activate();
    FocusXKeys(w.Handle());
}

bool Visible(const TargetWindow& w) { return IsWindowVisible(w.Handle()) != FALSE; }

// Two windows of the driver's process, `back` behind `front`, front active.
struct TwoWindows {
    TargetWindow back{L"Hidden back"};
    TargetWindow front{L"Hidden front"};
    explicit TwoWindows(const ControlBar& b) {
        back.Activate();
        TakeKeys(b, front);
    }
    bool BothHidden() const { return !Visible(back) && !Visible(front); }
    bool BackInOrder() const {
        return Visible(back) && Visible(front) && IsAbove(front.Handle(), back.Handle()) &&
               GetForegroundWindow() == front.Handle();
    }
};

// The hotkey as Windows delivers it, a WM_HOTKEY posted to the bar, with the
// window program in front; true once both its windows are hidden.
bool HideWithHotkey(const ControlBar& b, const WindowProgram& w) {
    w.ActivateFront();
    b.PostHotkey();
    return WaitFor([&] { return w.BothHidden(); }, 3000);
}

// The hotkey and hiding dialog, opened from the bar's system menu.
HWND OpenExtra(const ControlBar& b) {
    PostMessageW(b.Handle(), WM_SYSCOMMAND, IDM_EXTRA, 0);
    return b.WaitWindow(kExtraCaption);
}

// Where VEXAL keeps its record when its own folder cannot take it.
std::wstring LocalRecordPath() {
    wchar_t path[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path) != S_OK) return L"";
    return std::wstring(path) + L"\\VEXAL\\VEXAL.hidden";
}

// The record with the last number of each line that starts with `key` moved by `by`.
std::string MoveNumbers(const std::string& record, const char* key, long long by) {
    std::string out;
    for (size_t start = 0, end; start < record.size(); start = end + 2) {
        end = record.find("\r\n", start);
        if (end == std::string::npos) end = record.size();
        std::string line = record.substr(start, end - start);
        if (line.rfind(key, 0) == 0) {
            const size_t at = line.find_last_of(",=") + 1;
            line = line.substr(0, at) + std::to_string(std::strtoll(line.c_str() + at, nullptr, 10) + by);
        }
        out += line + "\r\n";
    }
    return out;
}

}  // namespace

E2E_CASE(hotkey_detonates_armed_or_not) {
    // Before Windows 7 the system refuses the flag that keeps a held key from
    // repeating (MOD_NOREPEAT), and VEXAL registers the key without it.
    if (WindowsBefore(6, 1)) {
        const bool taken = RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT | 0x4000, VK_F9);
        if (taken) UnregisterHotKey(nullptr, 8);
        CheckTodoWine(!taken, "this Windows refuses MOD_NOREPEAT: the key without it is what works",
                      "Wine takes the flag on every version");
    }
    ControlBar b({DefaultSettings(), "[Extra]\r\nHotkey=F12\r\n"});
    if (!Check(b.Start(), "starts with a hotkey in VEXAL.ini")) return;
    TargetWindow target(L"Hotkey target");
    TakeKeys(b, target);
    if (!PressF12()) {
        Skip("the hotkey", "no X key bridge here");
        return;
    }
    Check(WaitFor([&] { return target.CloseRequests() == 1; }, 3000), "unarmed, the hotkey closes the window in front");
    if (!Check(b.Arm(target), "armed with the target in front")) return;
    PressF12();
    Check(WaitFor([&] { return target.CloseRequests() == 2; }, 3000), "armed, the hotkey closes it too");
    Check(WaitFor([&] { return !b.Armed(); }), "and disarms the bomb");
    Check(VxlUntouched(b), "VEXAL.vxl is left byte for byte as it was");
}

E2E_CASE(hotkey_hides_and_brings_back_in_order) {
    ControlBar b(
        {DefaultSettings(), "; mine\r\n[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\nMuteWhileHidden=1\r\n"});
    if (!Check(b.Start(), "starts with hiding in VEXAL.ini")) return;
    TwoWindows w(b);
    if (!PressF12()) {
        Skip("the hotkey", "no X key bridge here");
        return;
    }
    // Wine waits 2 s for a window manager each time a managed window is
    // hidden, and none runs here; Windows hides them at once.
    Check(WaitFor([&] { return w.BothHidden(); }, 8000), "both windows of the process in front are hidden");
    Check(w.front.CloseRequests() == 0 && w.back.CloseRequests() == 0, "and nothing is closed");
    Check(b.Has(L"VEXAL.hidden"), "what is hidden is recorded beside the program");
    // Hidden while it held the X focus, the front window never got the key's
    // release, and Wine would take the next press for a repeat: the bar
    // takes the keys and is told of the release first. (Windows needs none.)
    b.Activate();
    FocusXKeys(b.Handle());
    XKey("keyup F12");
    PressF12();
    Check(WaitFor([&] { return w.BackInOrder(); }, 8000), "the hotkey again brings them back, in order, front active");
    Check(WaitFor([&] { return !b.Has(L"VEXAL.hidden"); }), "and the record is gone");
    Check(VxlUntouched(b), "VEXAL.vxl is left byte for byte as it was");
}

// However VEXAL ends, or when it is started again, or after it was killed,
// the hidden windows come back. The hotkey comes as Windows delivers it, a
// WM_HOTKEY posted to the bar; the X server's way is shown above.
E2E_CASE(hidden_windows_come_back_whatever_happens) {
    // Each way VEXAL ends or starts again once it has hidden the windows.
    const std::function<void(ControlBar&, const WindowProgram&)> afterHiding[] = {
        [](ControlBar& b, const WindowProgram& w) {
            b.Press(IDCANCEL);
            Check(b.WaitExit(5000), "the exit button ends VEXAL");
            Check(WaitFor([&] { return w.InOrder(); }), "and the windows are back, in order, front active");
        },
        [](ControlBar&, const WindowProgram& w) {
            ControlBar second;
            second.Launch();
            Check(second.WaitExit(5000), "a second start ends at once");
            Check(WaitFor([&] { return w.InOrder(); }), "and has the first bring the windows back");
        },
        [](ControlBar& b, const WindowProgram& w) {
            TerminateProcess(b.Process(), 1);
            Check(b.WaitExit(5000) && w.BothHidden(), "VEXAL killed: the windows stay hidden");
            b.Launch();
            Check(WaitFor([&] { return w.BothShown(); }, 8000), "the next start brings them back");
            Check(WaitFor([&] { return !b.Has(L"VEXAL.hidden"); }), "and forgets the record");
        },
    };
    for (const auto& after : afterHiding) {
        ControlBar b({DefaultSettings(), kHideIni});
        b.Start();
        WindowProgram w;
        if (!Check(w.Started(), "the window program starts") ||
            !Check(HideWithHotkey(b, w) && b.Has(L"VEXAL.hidden"), "hidden and recorded"))
            return;
        after(b, w);
    }
}

// Another program holds the record beside VEXAL and shares nothing: the
// record goes to the local application data folder at once, and a start
// after a kill finds it there. The first VEXAL runs without %LOCALAPPDATA%,
// as on XP, and asks the shell; the second has the variable.
E2E_CASE(record_held_by_another_program_goes_elsewhere) {
    const std::wstring local = LocalRecordPath();
    wchar_t variable[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", variable, MAX_PATH);
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    ControlBar b({DefaultSettings(), kHideIni});
    b.Start();
    SetEnvironmentVariableW(L"LOCALAPPDATA", variable);
    WindowProgram w;
    if (!Check(w.Started() && !local.empty(), "the window program starts")) return;
    ScopedHandle held(CreateFileW(b.PathOf(L"VEXAL.hidden").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr));
    if (!Check(held.Valid(), "the driver holds VEXAL.hidden beside VEXAL")) return;
    const DWORD start = GetTickCount();
    Check(HideWithHotkey(b, w), "the windows are hidden");
    const DWORD ms = GetTickCount() - start;
    Check(ms < 700, "without waiting for the held file", std::to_string(ms) + " ms");
    Check(FileExists(local), "the record is in the local application data folder");
    TerminateProcess(b.Process(), 1);
    b.WaitExit(5000);
    b.Launch();
    Check(WaitFor([&] { return w.BothShown(); }, 8000), "VEXAL killed, the next start brings them back from there");
    // The file beside VEXAL could not be deleted: an empty record, newer, stands in for it.
    b.WaitBar();
    const std::string left = WholeFile(local);
    Check(left.find("Window=") == std::string::npos && (left.empty() || left.find("Sound=0,0") != std::string::npos),
          "and what stays there brings nothing back", left);
    held.Close();
    DeleteFileW(local.c_str());
}

// A second detonation finds the record beside VEXAL held for a moment (a
// virus scanner reading the file just written): the newer record goes to the
// local application data folder. Killed then, the next start brings back
// what both detonations hid, also without %LOCALAPPDATA%, as on XP.
E2E_CASE(a_newer_record_elsewhere_is_obeyed_over_the_one_beside) {
    const std::wstring local = LocalRecordPath();
    ControlBar b({DefaultSettings(), kHideIni});
    WindowProgram w;
    TargetWindow later(L"Hidden second");
    if (!Check(!local.empty() && w.Started() && b.Start() && HideWithHotkey(b, w), "the first detonation hides"))
        return;
    {
        ScopedHandle held(
            CreateFileW(b.PathOf(L"VEXAL.hidden").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        later.Activate();
        ControlBar request;
        request.Launch(L"/detonate");
        Check(held.Valid() && request.WaitExit(8000) && WaitFor([&] { return !Visible(later); }),
              "a second one, with the record beside VEXAL held, hides another window");
    }
    TerminateProcess(b.Process(), 1);
    b.WaitExit(5000);
    wchar_t variable[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", variable, MAX_PATH);
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    b.Start();
    SetEnvironmentVariableW(L"LOCALAPPDATA", variable);
    Check(WaitFor([&] { return w.BothShown() && Visible(later); }, 8000),
          "killed, the next start without %LOCALAPPDATA% brings back what both hid",
          std::string(w.BothShown() ? "the first's back" : "the first's hidden") +
              (Visible(later) ? ", the second's back" : ", the second's hidden"));
    b.Stop();
    ShowWindow(later.Handle(), SW_SHOW);
    DeleteFileW(local.c_str());
}

// A record of the version before that cannot be deleted (read-only beside
// VEXAL) is obeyed once: the empty record written in its place outranks it
// at every later start, also without %LOCALAPPDATA%, as on XP. Wine replaces
// a read-only file where Windows refuses: a folder in the way of the new
// record's temporary file refuses it here. Between the starts the window
// program hides its windows itself, as a program going to the notification
// area does.
E2E_CASE(an_undeletable_old_record_is_obeyed_once) {
    const std::wstring local = LocalRecordPath();
    WindowProgram w;
    if (!Check(w.Started() && !local.empty(), "the window program starts")) return;
    auto hideBoth = [&] {
        ShowWindowAsync(w.Front(), SW_HIDE);
        ShowWindowAsync(w.Back(), SW_HIDE);
        return WaitFor([&] { return w.BothHidden(); });
    };
    DWORD process = 0;
    GetWindowThreadProcessId(w.Front(), &process);
    std::string record = "[Hidden]\r\n";
    for (HWND window : {w.Front(), w.Back()}) {
        char line[64];
        std::snprintf(line, sizeof line, "Window=0x%llx,%lu\r\n",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)), process);
        record += line;
    }
    ControlBar b({DefaultSettings(), kHideIni});
    const std::wstring path = b.PathOf(L"VEXAL.hidden");
    CreateDirectoryW(b.PathOf(L"VEXAL.hidden.tmp").c_str(), nullptr);
    wchar_t variable[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", variable, MAX_PATH);
    for (const bool xp : {true, false}) {
        const char* how = xp ? "without %LOCALAPPDATA%" : "with %LOCALAPPDATA%";
        DeleteFileW(local.c_str());
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        b.WriteFile(L"VEXAL.hidden", record);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        SetEnvironmentVariableW(L"LOCALAPPDATA", xp ? nullptr : variable);
        if (!Check(hideBoth(), "the windows are hidden", how)) break;
        b.Start();
        Check(WaitFor([&] { return w.BothShown(); }, 8000), "the first start obeys the record", how);
        b.Stop();
        if (!Check(hideBoth(), "their program hides them", how)) break;
        b.Start();
        Check(!WaitFor([&] { return !w.BothHidden(); }, 2000), "a second start leaves them hidden (watched for 2 s)",
              how);
        b.Stop();
    }
    SetEnvironmentVariableW(L"LOCALAPPDATA", variable);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(b.PathOf(L"VEXAL.hidden.tmp").c_str());
    DeleteFileW(local.c_str());
}

// A record that VEXAL did not write in this boot for these very windows
// brings nothing back. Under Wine, GetProcessTimes gives another process's
// creation time as Windows does (only its CPU times are missing), so a
// process that got the recorded id shows apart here too.
E2E_CASE(a_record_from_another_time_brings_nothing_back) {
    ControlBar b({DefaultSettings(), kHideIni});
    b.Start();
    WindowProgram w;
    if (!Check(w.Started() && HideWithHotkey(b, w), "VEXAL hides the window program's windows")) return;
    TerminateProcess(b.Process(), 1);
    b.WaitExit(5000);
    std::string genuine;
    if (!Check(b.ReadFile(L"VEXAL.hidden", genuine) && genuine.find("\r\nBoot=") != std::string::npos,
               "killed, VEXAL leaves its record, which names its boot"))
        return;
    TargetWindow never(L"Never shown by VEXAL");
    ShowWindow(never.Handle(), SW_HIDE);
    char line[96];
    std::snprintf(line, sizeof line, "Window=0x%llx,%lu,1\r\n",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(never.Handle())), GetCurrentProcessId());
    const struct {
        const char* what;
        std::string record;
    } others[] = {
        {"windows of a process that got the recorded id, or that VEXAL never hid, stay hidden",
         MoveNumbers(genuine, "Window=", 1) + line},
    };
    for (const auto& other : others) {
        b.WriteFile(L"VEXAL.hidden", other.record);
        b.Start();
        Check(!WaitFor([&] { return !w.BothHidden() || IsWindowVisible(never.Handle()); }, 1500) &&
                  !b.Has(L"VEXAL.hidden"),
              other.what, "(watched for 1.5 s; the record is removed)");
        b.Stop();
    }
    // The windows prove themselves by their processes' creation times: a
    // record read after the clock was set back a day still brings them back.
    b.WriteFile(L"VEXAL.hidden", MoveNumbers(genuine, "Boot=", -86400));
    b.Launch();
    Check(WaitFor([&] { return w.BothShown(); }, 8000),
          "the record as VEXAL wrote it brings them back, also after the clock was set");
}

E2E_CASE(hotkey_taken_by_another_program) {
    if (!RegisterHotKey(nullptr, 7, 0, VK_F11)) {
        Skip("a taken hotkey", "the driver could not take F11 itself");
        return;
    }
    ControlBar b({std::nullopt, "[Extra]\nHotkey=f11\n"});
    b.Launch();
    Check(b.MessageSays(L"热键 F11 已被其他程序占用，请另选一个。"),
          "a key another program holds is named as VEXAL.ini writes it");
    Check(b.WaitBar(), "and VEXAL runs on without it");
    UnregisterHotKey(nullptr, 7);
}

// The dialog writes VEXAL.ini, keeping what a person wrote there; a key
// another program holds keeps it open; Cancel changes nothing.
E2E_CASE(hotkey_dialog_round_trip) {
    ControlBar b({DefaultSettings(), "; my notes\n[Other]\nKeep=this\n[Extra]\nUnknown=stays\n"});
    if (!Check(b.Start(), "starts")) return;
    HWND dlg = OpenExtra(b);
    if (!Check(dlg != nullptr, "the system menu item opens the dialog")) return;
    SaveDialogScreenshot("hotkey-dialog", dlg);
    SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_SETHOTKEY, 'Q', 0);
    Click(dlg, IDOK);
    Check(b.MessageSays(L"打字用的键（字母、数字、空格等）不能单独用作热键，否则打字时就会触发。"
                        L"请同时按住Ctrl或Alt，或者改用F1至F24、Pause等键。"),
          "a typing key alone is refused, with the reason");
    Check(!WaitFor([&] { return !IsWindow(dlg); }, 500), "and the dialog stays open (watched for 0.5 s)");
    SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    Click(dlg, IDC_EXTRA_HIDE);
    Click(dlg, IDOK);
    Check(WaitFor([&] { return !IsWindow(dlg); }), "OK closes it");
    const std::string expected =
        "; my notes\n[Other]\nKeep=this\n[Extra]\nUnknown=stays\nHotkey=Ctrl+Alt+B\nHideInsteadOfClose=1\n"
        "MuteWhileHidden=0\nLockAfterDetonation=0\nTrayWhileArmed=0\n";
    std::string ini;
    Check(WaitFor([&] { return b.ReadFile(L"VEXAL.ini", ini) && ini == expected; }),
          "VEXAL.ini has the new settings and everything else as it was", ini);

    dlg = OpenExtra(b);
    if (!Check(dlg != nullptr, "opens again")) return;
    Check(SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_GETHOTKEY, 0, 0) ==
                  MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT) &&
              IsChecked(dlg, IDC_EXTRA_HIDE),
          "showing what is in force");
    if (RegisterHotKey(nullptr, 8, 0, VK_F10)) {
        SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_SETHOTKEY, VK_F10, 0);
        Click(dlg, IDOK);
        Check(b.MessageSays(L"热键 F10 已被其他程序占用，请另选一个。"), "a taken key is refused");
        Check(!WaitFor([&] { return !IsWindow(dlg); }, 1000), "and the dialog stays open (watched for 1 s)");
        UnregisterHotKey(nullptr, 8);
    }
    Click(dlg, IDCANCEL);
    Check(WaitFor([&] { return !IsWindow(dlg); }), "Cancel closes it");
    Check(b.FileIs(L"VEXAL.ini", ini), "and changes nothing");
    Check(VxlUntouched(b), "VEXAL.vxl is left byte for byte as it was");
}

// VEXAL.ini is never a reason not to start, and a start never rewrites it.
E2E_CASE(extra_settings_file_never_stops_a_start) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) >> 3);
    const std::string files[] = {
        junk,
        "\xef\xbb\xbf[Extra]\r\nHotkey=Ctrl+Ctrl+Q\r\nHideInsteadOfClose=yes\r\nMuteWhileHidden=1",
        "[Extra]\nHotkey=" + std::string(100000, 'A') + "\n[Extra\n=\n",
    };
    for (const std::string& ini : files) {
        ControlBar b({DefaultSettings(), ini});
        if (!Check(b.Start(), "VEXAL starts")) continue;
        Check(!b.WaitMessage(1000), "without any message (watched for 1 s)");
        Check(b.FileIs(L"VEXAL.ini", ini) && VxlUntouched(b), "and leaves both files as they were");
    }
}

// A VEXAL.ini over 64 KiB (here 4 MiB of empty lines) is not read: the
// defaults apply, the file stays as it is, and saving says it cannot save.
E2E_CASE(extra_settings_file_too_large_is_not_read) {
    const std::string ini = "[Extra]\r\nHotkey=F9\r\nHideInsteadOfClose=1\r\n" + std::string(4u << 20, '\n');
    ControlBar b({DefaultSettings(), ini});
    if (!Check(b.Start(), "VEXAL starts")) return;
    Check(RegisterHotKey(nullptr, 9, 0, VK_F9) != FALSE, "without the hotkey the file names");
    UnregisterHotKey(nullptr, 9);
    HWND dlg = OpenExtra(b);
    if (!Check(dlg != nullptr, "the hotkey dialog opens")) return;
    Check(SendDlgItemMessageW(dlg, IDC_EXTRA_HOTKEY, HKM_GETHOTKEY, 0, 0) == 0 && !IsChecked(dlg, IDC_EXTRA_HIDE),
          "showing the defaults");
    Click(dlg, IDOK);
    Check(b.MessageSays(L"无法保存VEXAL.ini，新的设置只在本次运行中有效。"), "OK says the file cannot be saved");
    Check(b.FileIs(L"VEXAL.ini", ini) && VxlUntouched(b), "and both files stay as they were");
}
