#pragma once
// One driver of VEXAL's control bar for every end-to-end case and the
// benchmarks: a run in a folder of its own with the settings files it is
// given, the bar's controls, arming and disarming, the range bar, and the
// windows and message boxes the run shows.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/Rig.h"
#include "tests/e2e/Settings.h"

// The settings files a run starts with; a file left unset is not written.
struct BarFiles {
    std::optional<std::string> vxl;  // VEXAL.vxl's bytes
    std::optional<std::string> ini;  // VEXAL.ini's text
    BarFiles() = default;
    BarFiles(const BombSettings& settings, std::optional<std::string> extra = std::nullopt)
        : vxl(SettingsBytes(settings)), ini(std::move(extra)) {}
    BarFiles(const std::string& bytes, std::optional<std::string> extra = std::nullopt)
        : vxl(bytes), ini(std::move(extra)) {}
    BarFiles(std::nullopt_t, std::string extra) : ini(std::move(extra)) {}
};

class ControlBar : public Program {
public:
    // Where the cursor rests while arming: the point movement is measured from.
    static constexpr POINT kRest = {500, 400};

    // Writes `files` into a new folder; `source` is the build copied there
    // under the name `exe` (vexal_test.exe answers the count requests).
    explicit ControlBar(const BarFiles& files = {}, const std::wstring& exe = L"vexal.exe",
                        const std::wstring& source = L"vexal.exe");

    void Write(const BarFiles& files) const;
    // Starts VEXAL with `arguments` and waits for its control bar; Launch()
    // starts it alone, for a run that shows a message first, ends at once or
    // shows nothing, and WaitBar() then waits for the bar.
    bool Start(const std::wstring& arguments = L"", DWORD timeoutMs = 10000);
    bool Launch(const std::wstring& arguments = L"") { return Program::Start(arguments); }
    bool WaitBar(DWORD timeoutMs = 10000);
    HWND Handle() const { return m_bar; }
    HWND Item(int id) const { return GetDlgItem(m_bar, id); }

    // A control clicked as a person clicks it (posted), or its command sent
    // and handled before this returns.
    void Press(int id) const { Click(m_bar, id); }
    void Command(int id) const { SendMessageW(m_bar, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Checked(int id) const { return IsChecked(m_bar, id); }
    // The bar in front, as a click on it would make it.
    void Activate() const { BringToFront(m_bar); }
    // The hotkey as Windows delivers it.
    void PostHotkey() const { PostMessageW(m_bar, WM_HOTKEY, 1, MAKELPARAM(0, VK_F12)); }

    int RangePos() const { return static_cast<int>(SendMessageW(Item(IDC_RANGEBAR), PBM_GETPOS, 0, 0)); }
    int RangeMax() const { return static_cast<int>(SendMessageW(Item(IDC_RANGEBAR), PBM_GETRANGE, FALSE, 0)); }
    // The bar shows one tick's travel until the next tick: the most it showed.
    int MaxRangePosWithin(DWORD ms) const;

    bool Armed() const { return !IsWindowEnabled(Item(IDC_ARM)); }
    bool Disarmed() const { return !Armed() && !Picture() && RangePos() == 0; }
    // Arms as a person does: the bar in front, its arm button pressed, the
    // cursor resting at `rest`, a tick taking it as the reference point, then
    // the target brought to the front. True once a tick has measured from
    // `rest` with the target in front and the armed picture shown.
    bool Arm(TargetWindow& target, POINT rest = kRest) const;
    bool Disarm() const;
    // Waits (3 s at most) for the next tick of the armed bar.
    bool WaitTick() const;
    // For a start that arms the bar: follows it, shown or hidden, from
    // before it exists until it is armed and has ticked once (Sensitivity
    // above 0), looking every millisecond; `shown` tells whether it was
    // ever visible meanwhile.
    bool WaitArmedWatching(bool& shown, DWORD timeoutMs = 10000);

    // The run's visible top-level windows, and one of them by caption.
    std::vector<HWND> Windows() const { return VisibleWindowsOf(ProcessId()); }
    HWND WaitWindow(const std::wstring& caption, DWORD timeoutMs = 5000) const {
        return WaitTopWindow(ProcessId(), caption, timeoutMs);
    }
    // A message box of the run: captioned with the executable's name.
    HWND WaitMessage(DWORD timeoutMs = 5000) const { return WaitWindow(m_caption, timeoutMs); }
    // A line of the box reads `text`; Mentions: a line holds `part`.
    static bool Says(HWND box, const std::wstring& text);
    static bool Mentions(HWND box, const std::wstring& part);
    // Answers a message box with OK and waits until it is gone.
    static bool Dismiss(HWND box);
    // Waits for a message box, answers it; true when it said `text`.
    bool MessageSays(const std::wstring& text, DWORD timeoutMs = 8000) const;

    bool Has(const std::wstring& name) const { return FileExists(PathOf(name)); }
    bool FileIs(const std::wstring& name, const std::string& bytes) const;
    // VEXAL.vxl read back; false when it is missing or does not load.
    bool ReadSettings(BombSettings& settings) const;

private:
    // The armed picture's own style, since a bar away in the tray shows no children.
    bool Picture() const { return (GetWindowLongW(Item(IDC_ARMED_PICTURE), GWL_STYLE) & WS_VISIBLE) != 0; }
    std::wstring m_caption;  // of its message boxes
    HWND m_bar = nullptr;
};

// Every control bar, shown or hidden, of a process (0: of every process).
std::vector<HWND> BarWindows(DWORD processId = 0);
// No VEXAL holds the mutex that marks a running one: an earlier case's may
// still be ending.
bool NoneRunning();
