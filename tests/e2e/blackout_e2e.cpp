// The blackout screen from the outside, shown by a detonation whose final
// action is the black screen.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

namespace {

// A stand-in taskbar where the shell has none (a bare Wine): a visible window
// of the taskbar's class that the blackout screen finds, hides and restores.
class StandInTaskbar {
public:
    StandInTaskbar() {
        m_own = FindWindowA("Shell_TrayWnd", nullptr);
        if (m_own) {
            ShowWindow(m_own, SW_SHOWNA);
            m_own = nullptr;
            return;
        }
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Shell_TrayWnd";
        RegisterClassW(&wc);
        m_own = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 740, 1024, 28,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~StandInTaskbar() {
        if (m_own) DestroyWindow(m_own);
    }
    static bool Visible() { return IsWindowVisible(FindWindowA("Shell_TrayWnd", nullptr)) != FALSE; }

private:
    HWND m_own = nullptr;
};

bool CursorShowing() {
    CURSORINFO ci = {};
    ci.cbSize = sizeof ci;
    return GetCursorInfo(&ci) && (ci.flags & CURSOR_SHOWING);
}

struct Blackout {
    Program program;
    HWND bar = nullptr;
    TargetWindow target{L"Blackout target"};

    Blackout() {
        BombSettings s = DefaultSettings();
        s.Records[0].Sensitivity = "20";
        PresetValues v{};
        ParsePresetString(s.Records[0].PresetString, v);
        v[Preset::FinalAction] = 1;
        v[Preset::NotTopmost] = 1;
        s.Records[0].PresetString = FormatPresetString(v);
        program.WriteFile(L"VEXAL.vxl", SettingsBytes(s));
        program.Start();
        bar = program.WaitControlBar();
    }

    // Arms, sets the bomb off and returns the black window.
    HWND Detonate() {
        ArmWithTarget(bar, target);
        SetCursorPos(700, 400);
        return WaitTopWindow(program.ProcessId(), L"", 3000);
    }
    bool Disarmed() const { return IsWindowEnabled(GetDlgItem(bar, IDC_ARM)) != FALSE; }
};

}  // namespace

E2E_CASE(blackout_covers_and_ignores_keys) {
    StandInTaskbar taskbar;
    Blackout b;
    if (!Check(b.bar != nullptr, "the control bar appears")) return;
    bool cursorBefore = CursorShowing();
    HWND black = b.Detonate();
    if (!Check(black != nullptr, "the blackout window appears")) return;
    RECT r;
    GetWindowRect(black, &r);
    HDC dc = GetDC(black);
    int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(black, dc);
    Check(r.left == 0 && r.top == 0 && r.right == w && r.bottom == h, "it covers the screen at the size its DC reports",
          std::to_string(r.right) + "x" + std::to_string(r.bottom));
    Check(IsTopmost(black), "it is topmost");
    Check(WindowText(black).empty(), "its title is empty");
    Check(!StandInTaskbar::Visible(), "the taskbar is hidden");
    Check(b.target.CloseRequests() == 1, "the target was closed first");
    SaveScreenshot("blackout-screen");
    HDC screen = GetDC(nullptr);
    COLORREF centre = GetPixel(screen, w / 2, h / 2);
    ReleaseDC(nullptr, screen);
    Check(centre == RGB(0, 0, 0), "the screen is black");

    const UINT keys[] = {VK_ESCAPE, VK_RETURN, VK_SPACE, 'A', 'Q'};
    for (UINT key : keys) {
        PostMessageW(black, WM_KEYDOWN, key, 0);
        PostMessageW(black, WM_KEYUP, key, 0xC0000000);
    }
    PostMessageW(black, WM_RBUTTONDOWN, 0, MAKELPARAM(100, 100));
    PostMessageW(black, WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
    PostMessageW(black, WM_MBUTTONDOWN, 0, MAKELPARAM(100, 100));
    PostMessageW(black, WM_MBUTTONUP, 0, MAKELPARAM(100, 100));
    SetCursorPos(10, 10);
    SetCursorPos(900, 600);
    Check(!WaitFor([&] { return !IsWindow(black) || !IsWindowVisible(black); }, 800),
          "keys, right and middle clicks and movement leave it black (watched for 800 ms)");
    Check(!b.Disarmed(), "the detonation waits for it");

    MouseClick(black);
    Check(WaitFor([&] { return !IsWindow(black); }), "a left click closes it");
    Check(WaitFor([&] { return b.Disarmed(); }), "and the detonation goes on to disarm");
    Check(StandInTaskbar::Visible(), "the taskbar is back");
    if (!cursorBefore)
        Skip("the cursor is back", "this display reports no cursor to other processes");
    else
        Check(WaitFor(CursorShowing), "the cursor is back");
    Check(!IsTopmost(b.bar), "NotTopmost 1 puts the control bar back among ordinary windows");
    SaveScreenshot("after-blackout");
}

E2E_CASE(blackout_restores_on_every_close) {
    StandInTaskbar taskbar;
    Blackout b;
    if (!Check(b.bar != nullptr, "the control bar appears")) return;
    struct Way {
        const char* name;
        void (*close)(HWND);
    };
    const Way ways[] = {
        {"Alt+F4", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"a close request from outside", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
        {"a left click", [](HWND w) { MouseClick(w); }},
    };
    bool cursorBefore = CursorShowing();
    for (const Way& way : ways) {
        b.target.Activate();
        HWND black = b.Detonate();
        if (!Check(black != nullptr, way.name)) return;
        Check(!StandInTaskbar::Visible(), "the taskbar is hidden while it shows");
        way.close(black);
        std::string what = std::string("closed by ") + way.name + ", it is gone and the bar disarmed";
        Check(WaitFor([&] { return !IsWindow(black) && b.Disarmed(); }), what.c_str());
        what = std::string("the taskbar is back after ") + way.name;
        Check(WaitFor(StandInTaskbar::Visible), what.c_str());
        if (cursorBefore) {
            what = std::string("the cursor is back after ") + way.name;
            Check(WaitFor(CursorShowing), what.c_str());
        }
    }
}
