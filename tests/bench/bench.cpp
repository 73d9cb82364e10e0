// The benchmarks: reaction time of a detonation, CPU while armed and idle
// (also with a hotkey registered), the hotkey's hiding and bringing back,
// start-up, size, memory and the information panel, each beside the floor
// program measured the same way in the same run. Prints one table.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "settings/PasswordCheck_win.h"
#include "tests/e2e/ControlBarDriver.h"
#include "tests/e2e/ProcStats.h"

namespace {

const wchar_t kBarCaption[] = L"VEXAL汉化版";
const wchar_t kFloorCaption[] = L"Floor";
const POINT kHome = ControlBar::kRest;

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double TicksToMs(int64_t ticks) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// Waits, pumping the driver's own windows, until the condition holds,
// checking every millisecond so short times are measured closely.
bool WaitTight(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        TargetWindow::Pump();
    }
    return true;
}

struct Row {
    std::string figure, measured, target;
    bool met;
};
std::vector<Row> g_rows;

void AddRow(const std::string& figure, const std::string& measured, const std::string& target, bool met) {
    g_rows.push_back({figure, measured, target, met});
    std::printf("%-28s %-44s %-26s %s\n", figure.c_str(), measured.c_str(), target.c_str(), met ? "met" : "MISSED");
    std::fflush(stdout);
}

std::string Fmt(const char* format, double a, double b = 0, double c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

void ReactionTime(int firings) {
    ControlBar p(WithSensitivity(20));
    bool started = p.Start();
    TargetWindow target(L"Reaction target");
    std::vector<double> ms;
    for (int i = 0; i < firings && started; ++i) {
        if (!p.Arm(target)) continue;
        // Arming starts the tick, so jump at a different phase each time.
        Rest(static_cast<DWORD>(i * 53 % 200));
        int before = target.CloseRequests();
        LARGE_INTEGER jump;
        QueryPerformanceCounter(&jump);
        SetCursorPos(kHome.x + (i % 2 ? 100 : -100), kHome.y);
        if (WaitTight([&] { return target.CloseRequests() > before; }, 2000))
            ms.push_back(TicksToMs(target.LastCloseAt() - jump.QuadPart));
        WaitFor([&] { return p.Disarmed(); }, 2000);
    }
    double p50 = Percentile(ms, 0.5), p90 = Percentile(ms, 0.9), max = Percentile(ms, 1.0);
    AddRow("detonation reaction time",
           Fmt("p50 %.0f ms, p90 %.0f ms, max %.0f ms", p50, p90, max) + " (" + std::to_string(ms.size()) + "/" +
               std::to_string(firings) + " firings)",
           "p90 <= 210 ms, max <= 225 ms", static_cast<int>(ms.size()) == firings && p90 <= 210 && max <= 225);
}

void IdleCpu(int seconds, const char* figure, std::optional<std::string> ini = std::nullopt) {
    ControlBar p({DefaultSettings(), ini});
    bool started = p.Start();
    Program floor(L"floor.exe", L"floor.exe");
    floor.Start();
    HWND floorWnd = WaitTopWindow(floor.ProcessId(), kFloorCaption, 10000);
    TargetWindow target(L"Idle target");
    if (!started || !floorWnd || !p.Arm(target)) {
        AddRow(figure, "could not arm", "<= 1.2 x floor", false);
        return;
    }
    int vexalPid = UnixPidOf(p.ExePath()), floorPid = UnixPidOf(floor.ExePath());
    if (!vexalPid || !floorPid) {
        AddRow(figure, "process times not readable here", "<= 1.2 x floor", false);
        return;
    }
    Rest(1000);  // start-up's and arming's own work is not what is measured
    uint64_t v0 = CpuNanoseconds(vexalPid), f0 = CpuNanoseconds(floorPid);
    Rest(static_cast<DWORD>(seconds) * 1000);
    uint64_t v1 = CpuNanoseconds(vexalPid), f1 = CpuNanoseconds(floorPid);
    double vexal = static_cast<double>(v1 - v0) / 1e6, base = static_cast<double>(f1 - f0) / 1e6;
    double ratio = base > 0 ? vexal / base : 0;
    bool stillArmed = p.Armed() && target.CloseRequests() == 0;
    AddRow(figure,
           Fmt("%.0f ms vs floor %.0f ms over ", vexal, base) + std::to_string(seconds) + Fmt(" s: %.2f x", ratio),
           "<= 1.2 x floor", stillArmed && ratio <= 1.2);
}

// Process start to a visible window, and the peak working set one second later.
struct Start {
    double ms = 0;
    double peakKiB = 0;
};

Start TimeStart(const std::wstring& exe, const std::wstring& source, const wchar_t* caption) {
    Program p(exe, source);
    Start r;
    double t0 = Now();
    if (!p.Start()) return r;
    WaitTight([&] { return FindTopWindow(p.ProcessId(), caption) != nullptr; }, 15000);
    r.ms = Now() - t0;
    Rest(1000);
    int pid = UnixPidOf(p.ExePath());
    r.peakKiB = pid ? static_cast<double>(PeakResidentKiB(pid)) : 0;
    return r;
}

void StartupAndMemory(int runs) {
    std::vector<double> vexalMs, floorMs, vexalKiB, floorKiB;
    for (int i = 0; i < runs; ++i) {
        Start v = TimeStart(L"vexal.exe", L"vexal.exe", kBarCaption);
        Start f = TimeStart(L"floor.exe", L"floor.exe", kFloorCaption);
        vexalMs.push_back(v.ms);
        floorMs.push_back(f.ms);
        vexalKiB.push_back(v.peakKiB);
        floorKiB.push_back(f.peakKiB);
    }
    double v = Percentile(vexalMs, 0.5), f = Percentile(floorMs, 0.5);
    AddRow("start-up", Fmt("median %.0f ms vs floor %.0f ms: %.2f x", v, f, f > 0 ? v / f : 0), "<= 1.3 x floor",
           f > 0 && v / f <= 1.3);
    double vm = Percentile(vexalKiB, 0.5), fm = Percentile(floorKiB, 0.5);
    AddRow("memory (peak working set)",
           Fmt("%.1f MiB vs floor %.1f MiB: %.2f x", vm / 1024, fm / 1024, fm > 0 ? vm / fm : 0), "<= 1.5 x floor",
           fm > 0 && vm / fm <= 1.5);
}

void Size() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    double kb = 0;
    if (GetFileAttributesExW(L"vexal.exe", GetFileExInfoStandard, &data)) kb = data.nFileSizeLow / 1024.0;
    AddRow("size of vexal.exe", Fmt("%.0f KB, self-contained", kb), "<= 600 KB", kb > 0 && kb <= 600);
}

// The moment the hotkey went down, as the driver's low-level keyboard hook
// sees the X server's key arrive in Wine.
int64_t g_keyDownAt = 0;

LRESULT CALLBACK KeyHook(int code, WPARAM message, LPARAM info) {
    auto* key = reinterpret_cast<KBDLLHOOKSTRUCT*>(info);
    if (code == HC_ACTION && message == WM_KEYDOWN && key->vkCode == VK_F12) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        g_keyDownAt = now.QuadPart;
    }
    return CallNextHookEx(nullptr, code, message, info);
}

std::string Spread(const std::vector<double>& ms, int presses) {
    return Fmt("p50 %.0f ms, p90 %.0f ms, max %.0f ms", Percentile(ms, 0.5), Percentile(ms, 0.9), Percentile(ms, 1.0)) +
           " (" + std::to_string(ms.size()) + "/" + std::to_string(presses) + " presses)";
}

bool Within(const std::vector<double>& ms, int presses) {
    return static_cast<int>(ms.size()) == presses && Percentile(ms, 0.9) <= 50 && Percentile(ms, 1.0) <= 100;
}

// F12 pressed through the X server with the bar in front, its key-down
// time taken by the hook. Hidden while it held the X focus, the target
// never got the key's release: the bar takes the focus and is told of it
// first (Wine only).
void PressOverTheBar(HWND bar) {
    SetForegroundWindow(bar);
    WaitTight([&] { return GetForegroundWindow() == bar; }, 2000);
    FocusXKeys(bar);
    XKey("keyup F12");
    g_keyDownAt = 0;
    XKey("key F12");
}

// Key down to the target hidden, and key down to it shown and in front
// again, each pressed through the X server as a person presses it; with
// `mute`, the sound is silenced while hidden and given back.
void HotkeyTimes(int presses, bool mute) {
    const char* target50 = "p90 <= 50 ms, max <= 100 ms";
    ControlBar p({DefaultSettings(), std::string("[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n") +
                                         (mute ? "MuteWhileHidden=1\r\n" : "")});
    HWND bar = p.Start() ? p.Handle() : nullptr;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyHook, GetModuleHandleW(nullptr), 0);
    TargetWindow target(L"Hotkey target");
    std::vector<double> hidden, restored;
    for (int i = 0; i < presses && bar && hook; ++i) {
        target.Activate();
        FocusXKeys(target.Handle());
        g_keyDownAt = 0;
        if (!XKey("key F12")) break;
        if (WaitTight([&] { return !IsWindowVisible(target.Handle()) && target.LastHiddenAt() > g_keyDownAt; }, 2000) &&
            g_keyDownAt)
            hidden.push_back(TicksToMs(target.LastHiddenAt() - g_keyDownAt));
        PressOverTheBar(bar);
        if (WaitTight(
                [&] {
                    return GetForegroundWindow() == target.Handle() && target.LastActivatedAt() > g_keyDownAt &&
                           g_keyDownAt;
                },
                2000))
            restored.push_back(TicksToMs(target.LastActivatedAt() - g_keyDownAt));
    }
    if (hook) UnhookWindowsHookEx(hook);
    AddRow(mute ? "hotkey to hidden, muting" : "hotkey to hidden", Spread(hidden, presses), target50,
           Within(hidden, presses));
    AddRow(mute ? "hotkey to restored, muting" : "hotkey to restored", Spread(restored, presses), target50,
           Within(restored, presses));
}

// With a password set: key down to the password dialog in front; and the
// check itself, the code VEXAL runs at OK, here in the bench's process (under
// Wine a window of VEXAL's that closes waits 2 s for a window manager that
// never answers, which would hide the check's time). The password "bench",
// its verifier made beforehand as VEXAL would make it.
void PasswordTimes(int presses) {
    const std::string verifier =
        "pbkdf2-sha256$200000$000102030405060708090a0b0c0d0e0f$"
        "85d52ae14a143bcb80ad8e97995861db4ae3e9b89a5ccbfd7a0b1062adef6faf";
    ControlBar p({DefaultSettings(), "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\nPassword=" + verifier + "\r\n"});
    HWND bar = p.Start() ? p.Handle() : nullptr;
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyHook, GetModuleHandleW(nullptr), 0);
    TargetWindow target(L"Password target");
    std::vector<double> shown, checked;
    for (int i = 0; i < presses && bar && hook; ++i) {
        target.Activate();
        p.PostHotkey();
        if (!WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 2000)) break;
        PressOverTheBar(bar);
        HWND dialog = nullptr;
        if (!WaitTight(
                [&] { return (dialog = FindTopWindow(p.ProcessId(), L"VEXAL：密码")) && IsWindowVisible(dialog); },
                5000) ||
            !g_keyDownAt)
            break;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        shown.push_back(TicksToMs(now.QuadPart - g_keyDownAt));
        SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, L"bench");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        if (!WaitFor([&] { return !IsWindow(dialog) && IsWindowVisible(target.Handle()); }, 8000)) break;
        const double before = Now();
        if (!PasswordMatches(L"bench", 5, verifier)) break;
        checked.push_back(Now() - before);
    }
    if (hook) UnhookWindowsHookEx(hook);
    AddRow("hotkey to password dialog", Spread(shown, presses), "p90 <= 100 ms",
           static_cast<int>(shown.size()) == presses && Percentile(shown, 0.9) <= 100);
    AddRow("password check (200,000 iterations)",
           Fmt("median %.0f ms", Percentile(checked, 0.5)) + " (" + std::to_string(checked.size()) + " checks)",
           "about 250 ms, <= 600 ms", static_cast<int>(checked.size()) == presses && Percentile(checked, 0.5) <= 600);
}

void InfoPanel(int runs) {
    ControlBar p(DefaultSettings());
    HWND bar = p.Start() ? p.Handle() : nullptr;
    std::vector<double> ms;
    for (int i = 0; i < runs && bar; ++i) {
        double t0 = Now();
        p.Press(IDC_INFO);
        HWND panel = nullptr;
        if (!WaitTight([&] { return (panel = FindTopWindow(p.ProcessId(), L"VEXAL：信息")) != nullptr; }, 10000)) break;
        ms.push_back(Now() - t0);
        PostMessageW(panel, WM_COMMAND, IDOK, 0);
        // Gone, and the bar back in the topmost band it left for the panel;
        // then Wine's pause after a modal window, which nothing shows.
        WaitFor([&] { return !IsWindow(panel) && IsTopmost(bar); }, 5000);
        Rest(300);
    }
    double median = Percentile(ms, 0.5);
    AddRow("information panel",
           Fmt("click to visible: median %.2f s", median / 1000) + " (" + std::to_string(ms.size()) + " runs)",
           "1.0 to 1.1 s", !ms.empty() && median >= 1000 && median <= 1100);
}

}  // namespace

int main(int argc, char** argv) {
    // "quick" runs every figure briefly, as a smoke test of the bench itself;
    // "hotkey" only the hotkey's figures, "idle" only the armed CPU ones.
    bool quick = argc > 1 && std::strcmp(argv[1], "quick") == 0;
    bool hotkeyOnly = argc > 1 && std::strcmp(argv[1], "hotkey") == 0;
    bool idleOnly = argc > 1 && std::strcmp(argv[1], "idle") == 0;
    std::printf("%-28s %-44s %-26s %s\n", "figure", "measured", "target", "");
    if (!hotkeyOnly) {
        if (!idleOnly) ReactionTime(quick ? 5 : 50);
        IdleCpu(quick ? 20 : 60, "CPU while armed and idle");
        IdleCpu(quick ? 20 : 60, "CPU armed, idle, with a hotkey", "[Extra]\r\nHotkey=F12\r\n");
        // The idle time is read on every tick; a day is never reached here.
        IdleCpu(quick ? 20 : 60, "CPU armed, idle, with the idle trigger", "[Extra]\r\nIdleSeconds=86400\r\n");
    }
    if (!idleOnly) {
        HotkeyTimes(quick ? 5 : 50, false);
        HotkeyTimes(quick ? 5 : 50, true);
        PasswordTimes(quick ? 3 : 10);
    }
    if (!hotkeyOnly && !idleOnly) {
        StartupAndMemory(quick ? 2 : 10);
        Size();
        InfoPanel(quick ? 1 : 5);
    }

    std::printf("\n| figure | measured | target | |\n|---|---|---|---|\n");
    for (const Row& r : g_rows)
        std::printf("| %s | %s | %s | %s |\n", r.figure.c_str(), r.measured.c_str(), r.target.c_str(),
                    r.met ? "met" : "missed");
    return 0;
}
