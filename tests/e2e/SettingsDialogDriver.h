#pragma once
// One driver of VEXAL's settings dialog, opened from a control bar's run:
// its controls, what it shows of a record and filling that in as a person
// would, its tooltips and picture labels, the open-file dialogs of its
// browse buttons, and its ends, OK with the settings file written after it.
#include <windows.h>

#include <string>

#include "tests/e2e/ControlBarDriver.h"

// The check boxes, in PresetString order, then the four edges.
constexpr int kSettingsChecks[] = {
    IDC_SET_LAUNCH_AT_START, IDC_SET_NOT_TOPMOST,     IDC_SET_CLEAR_RECENT_DOCS, IDC_SET_EMPTY_RECYCLE_BIN,
    IDC_SET_HIDE_SELF,       IDC_SET_MINIMIZE_TARGET, IDC_SET_HANG_UP_DIALUP,    IDC_SET_NO_DETONATION,
    IDC_SET_MUTE_WAVE,       IDC_SET_PLAY_SOUND,      IDC_SET_TIMER_ENABLED,     IDC_SET_EDGE_TOP,
    IDC_SET_EDGE_BOTTOM,     IDC_SET_EDGE_LEFT,       IDC_SET_EDGE_RIGHT,
};
constexpr int kSettingsCheckCount = sizeof kSettingsChecks / sizeof kSettingsChecks[0];
constexpr int kFinalActions[] = {IDC_SET_FINAL_NONE,     IDC_SET_FINAL_BLACKOUT,    IDC_SET_FINAL_SCREENSAVER,
                                 IDC_SET_FINAL_SHUTDOWN, IDC_SET_FINAL_RUN_PROGRAM, IDC_SET_FINAL_SHOW_MESSAGE};
constexpr int kStores[] = {IDC_SET_STORE1, IDC_SET_STORE2, IDC_SET_STORE3,
                           IDC_SET_STORE4, IDC_SET_STORE5, IDC_SET_STORE6};
constexpr int kRecalls[] = {IDC_SET_RECALL1, IDC_SET_RECALL2, IDC_SET_RECALL3,
                            IDC_SET_RECALL4, IDC_SET_RECALL5, IDC_SET_RECALL6};

// What the dialog shows of one record.
struct ShownRecord {
    int checks[kSettingsCheckCount] = {};
    int finalAction = -1;
    int sound = -1;
    int picture = -1;  // the selected item of the picture list
    int hour = 0, minute = 0, second = 0;
    std::wstring sensitivity, message, startup, final;

    // Two records look alike when everything shown reads the same.
    bool operator==(const ShownRecord& o) const { return Describe() == o.Describe(); }
    std::string Describe() const;
};

class SettingsDialog {
public:
    explicit SettingsDialog(const ControlBar& bar) : m_bar(bar) {}

    // The bar's settings button pressed; true once the dialog shows.
    bool Open();
    HWND Handle() const { return m_dlg; }
    HWND Item(int id) const { return GetDlgItem(m_dlg, id); }
    // A click that returns once the dialog has handled it. A handler that
    // opens a message box keeps it longer; the wait then gives up.
    void Press(int id) const {
        DWORD_PTR result;
        SendMessageTimeoutW(Item(id), BM_CLICK, 0, 0, SMTO_NORMAL, 3000, &result);
    }
    // A click posted, for one that opens a message box.
    void PostClick(int id) const { Click(m_dlg, id); }
    bool Checked(int id) const { return IsChecked(m_dlg, id); }
    void SetText(int id, const std::wstring& text) const {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    // The index of the pressed recall button; -1 for none.
    int Recalled() const;

    ShownRecord Read() const;
    // Shows `record` in the controls as a person would: check boxes and
    // radios clicked, texts typed; the paths are left as they are.
    void Fill(const ShownRecord& record) const;
    // A real click on picture k, scrolled into view first.
    void ClickPicture(int k) const;
    std::wstring PictureLabel(int k) const;
    // The dialog's tooltip window, and the text it has for a control.
    HWND ToolTips() const;
    std::wstring ToolTip(int id) const;

    // Presses a browse button; the open-file dialog it shows, once it shows.
    HWND Browse(int button) const;
    // Types a full path into an open-file dialog and presses its OK button.
    static bool ChooseFile(HWND fileDialog, const std::wstring& path);

    // Ends the dialog with OK or Cancel and waits until it is gone.
    bool End(int id) const {
        Click(m_dlg, id);
        return WaitFor([&] { return !IsWindow(m_dlg); });
    }
    // OK, then the settings file written after it.
    bool EndOk() const {
        return End(IDOK) && WaitFor([&] { return FileState() != m_fileAtOpen; });
    }

private:
    // The file's bytes and time of its last writing; empty when there is none.
    std::string FileState() const;
    const ControlBar& m_bar;
    HWND m_dlg = nullptr;
    std::string m_fileAtOpen;
};
