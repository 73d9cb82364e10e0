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

bool ControlBar::Start(const std::wstring& arguments, DWORD timeoutMs) {
    m_bar = nullptr;
    return Launch(arguments) && WaitBar(timeoutMs);
}

bool ControlBar::WaitBar(DWORD timeoutMs) {
    m_bar = WaitTopWindow(ProcessId(), L"VEXAL汉化版", timeoutMs);
    return m_bar != nullptr;
}

int ControlBar::MaxRangePosWithin(DWORD ms) const {
    int most = 0;
    WaitFor(
        [&] {
            most = std::max(most, RangePos());
            return false;
        },
        ms);
    return most;
}

bool ControlBar::Arm(TargetWindow& target, POINT rest) const {
    SetCursorPos(rest.x, rest.y);
    Activate();
    Press(IDC_ARM);
    if (!WaitFor([&] { return Armed(); }) || !WaitTick()) return false;
    target.Activate();
    return WaitTick() && GetForegroundWindow() == target.Handle() && Armed() && RangePos() == 0 && Picture();
}

// Every tick of an armed bar sets its range bar, to 0 while the cursor rests:
// a mark put there is gone once a tick has passed.
namespace {
const int kMark = 1;
}  // namespace

bool ControlBar::WaitTick() const {
    SendMessageW(Item(IDC_RANGEBAR), PBM_SETPOS, kMark, 0);
    // A range of 0 (Sensitivity 0) holds no mark: two ticks' time instead.
    if (RangePos() != kMark) {
        Rest(450);
        return true;
    }
    return WaitFor([&] { return RangePos() != kMark; }, 3000);
}

bool ControlBar::WaitArmedWatching(bool& shown, DWORD timeoutMs) {
    shown = false;
    m_bar = nullptr;
    // The range bar is asked without waiting on the bar's thread, busy
    // starting, so that the watch goes on meanwhile. The mark is posted: the
    // bar's message loop sets it once it runs, and a tick then replaces it.
    bool posted = false, seen = false;
    return WaitFor(
        [&] {
            if (!m_bar) {
                const std::vector<HWND> bars = BarWindows(ProcessId());
                if (!bars.empty()) m_bar = bars.front();
            }
            shown = shown || (m_bar && IsWindowVisible(m_bar));
            // Its controls come after the bar itself.
            if (!m_bar || !Item(IDC_ARM) || !Armed()) return false;
            if (!posted) posted = PostMessageW(Item(IDC_RANGEBAR), PBM_SETPOS, kMark, 0) != FALSE;
            DWORD_PTR position = 0;
            if (!SendMessageTimeoutW(Item(IDC_RANGEBAR), PBM_GETPOS, 0, 0, SMTO_NORMAL, 2, &position)) return false;
            seen = seen || static_cast<int>(position) == kMark;
            return seen && static_cast<int>(position) != kMark;
        },
        timeoutMs, 1);
}

bool ControlBar::Disarm() const {
    Press(IDC_DISARM);
    return WaitFor([&] { return Disarmed(); });
}

namespace {
template <class Match>
bool AnyLine(HWND box, Match match) {
    for (HWND c = box ? GetWindow(box, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (match(WindowText(c))) return true;
    return false;
}
}  // namespace

bool ControlBar::Says(HWND box, const std::wstring& text) {
    return AnyLine(box, [&](const std::wstring& line) { return line == text; });
}

bool ControlBar::Mentions(HWND box, const std::wstring& part) {
    return AnyLine(box, [&](const std::wstring& line) { return line.find(part) != std::wstring::npos; });
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

bool ControlBar::ReadSettings(BombSettings& settings) const {
    std::string bytes;
    settings = BombSettings(0);
    return ReadFile(L"VEXAL.vxl", bytes) && ParseSettingsFile(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                              bytes.size(), settings) == ParseResult::Loaded;
}

std::vector<HWND> BarWindows(DWORD processId) {
    std::vector<HWND> bars;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", L"VEXAL汉化版"); w;
         w = FindWindowExW(nullptr, w, L"#32770", L"VEXAL汉化版")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (!processId || owner == processId) bars.push_back(w);
    }
    return bars;
}

bool NoneRunning() {
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "VEXAL");
    if (mutex) CloseHandle(mutex);
    return mutex == nullptr;
}
