#include "tests/e2e/ControlBarDriver.h"

#include <commctrl.h>

#include <algorithm>

ControlBar::ControlBar(const BarFiles& files, const std::wstring& exe, const std::wstring& source)
    : Program(exe, source), m_caption(exe.substr(0, exe.rfind(L'.'))) {
    Write(files);
}

void ControlBar::Write(const BarFiles& files) const {
    if (files.vxl) WriteFile(L"VEXAL.vxl", *files.vxl);
    if (files.ini) WriteFile(L"VEXAL.ini", *files.ini);
}

bool ControlBar::Start(DWORD timeoutMs) {
    m_bar = Launch() ? WaitControlBar(timeoutMs) : nullptr;
    return m_bar != nullptr;
}

void ControlBar::Command(int id) const { SendMessageW(m_bar, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void ControlBar::PostHotkey() const { PostMessageW(m_bar, WM_HOTKEY, 1, MAKELPARAM(0, VK_F12)); }

int ControlBar::RangePos() const { return static_cast<int>(SendMessageW(Item(IDC_RANGEBAR), PBM_GETPOS, 0, 0)); }

int ControlBar::RangeMax() const { return static_cast<int>(SendMessageW(Item(IDC_RANGEBAR), PBM_GETRANGE, FALSE, 0)); }

int ControlBar::MaxRangePosWithin(DWORD ms) const {
    int most = 0;
    WaitFor([&] {
        most = std::max(most, RangePos());
        return false;
    }, ms);
    return most;
}

// The picture's own style, since a bar away in the tray shows no children.
bool ControlBar::Disarmed() const {
    return !Armed() && !(GetWindowLongW(Item(IDC_ARMED_PICTURE), GWL_STYLE) & WS_VISIBLE) && RangePos() == 0;
}

bool ControlBar::Arm(TargetWindow& target, POINT rest) const {
    return ArmWithTarget(m_bar, target, rest) && (GetWindowLongW(Item(IDC_ARMED_PICTURE), GWL_STYLE) & WS_VISIBLE);
}

bool ControlBar::Disarm() const {
    Press(IDC_DISARM);
    return WaitFor([&] { return Disarmed(); });
}

HWND ControlBar::WaitWindow(const std::wstring& caption, DWORD timeoutMs) const {
    return WaitTopWindow(ProcessId(), caption, timeoutMs);
}

HWND ControlBar::WaitMessage(DWORD timeoutMs) const { return WaitWindow(m_caption, timeoutMs); }

bool ControlBar::Says(HWND box, const std::wstring& text) {
    for (HWND c = box ? GetWindow(box, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (WindowText(c) == text) return true;
    return false;
}

bool ControlBar::Dismiss(HWND box) {
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !IsWindow(box); });
}

bool ControlBar::MessageSays(const std::wstring& text, DWORD timeoutMs) const {
    HWND box = WaitMessage(timeoutMs);
    bool said = Says(box, text);
    if (box) Dismiss(box);
    return said;
}

bool ControlBar::Has(const std::wstring& name) const {
    return GetFileAttributesW(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ControlBar::FileIs(const std::wstring& name, const std::string& bytes) const {
    std::string now;
    return ReadFile(name, now) && now == bytes;
}
