#include "tests/e2e/ControlBarDriver.h"

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

int ControlBar::MaxRangePosWithin(DWORD ms) const {
    int most = 0;
    WaitFor([&] {
        most = std::max(most, RangePos());
        return false;
    }, ms);
    return most;
}

bool ControlBar::Arm(TargetWindow& target, POINT rest) const { return ArmWithTarget(m_bar, target, rest) && Picture(); }

bool ControlBar::Disarm() const {
    Press(IDC_DISARM);
    return WaitFor([&] { return Disarmed(); });
}

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

bool ControlBar::FileIs(const std::wstring& name, const std::string& bytes) const {
    std::string now;
    return ReadFile(name, now) && now == bytes;
}
