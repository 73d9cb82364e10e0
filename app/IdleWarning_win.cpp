#include "app/IdleWarning_win.h"

#include <string>

namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 48;
// Kept this far from the resting pointer: a window appearing under it is
// taken for a mouse move by some systems, which would cancel the warning.
constexpr int kPointerMargin = 24;

std::wstring WarningText(int secondsLeft) {
    return L"VEXAL将在 " + std::to_wstring(secondsLeft) + L" 秒后爆炸。移动鼠标或按任意键取消。";
}

// In the middle of the primary screen, unless the pointer rests there:
// then just above it, or below it in the upper half.
POINT Placement() {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    POINT at = {(screenW - kWidth) / 2, (screenH - kHeight) / 2};
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    const bool under = cursor.x >= at.x - kPointerMargin && cursor.x < at.x + kWidth + kPointerMargin &&
                       cursor.y >= at.y - kPointerMargin && cursor.y < at.y + kHeight + kPointerMargin;
    if (under) at.y = cursor.y >= screenH / 2 ? cursor.y - kPointerMargin - kHeight : cursor.y + kPointerMargin;
    return at;
}

}  // namespace

// The window goes before the font it shows.
IdleWarning::~IdleWarning() {
    if (m_window) DestroyWindow(m_window);
}

void IdleWarning::Show(int secondsLeft) {
    const std::wstring text = WarningText(secondsLeft);
    if (m_window && IsWindowVisible(m_window)) {
        SetWindowTextW(m_window, text.c_str());
        return;
    }
    if (!m_window) {
        m_window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", text.c_str(),
                                   WS_POPUP | WS_BORDER | SS_CENTER | SS_CENTERIMAGE, 0, 0, kWidth, kHeight, nullptr,
                                   nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!m_window) return;
        m_font.Reset(CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体"));
        if (m_font.Get()) SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    }
    SetWindowTextW(m_window, text.c_str());
    const POINT at = Placement();
    SetWindowPos(m_window, HWND_TOPMOST, at.x, at.y, kWidth, kHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void IdleWarning::Hide() {
    if (m_window) ShowWindow(m_window, SW_HIDE);
}
