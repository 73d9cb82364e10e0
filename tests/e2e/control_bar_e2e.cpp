// The control bar from the outside: start-up, the single instance, the
// settings file as the bar reads it, the radios and the start-up program.
#include <windows.h>

#include "tests/e2e/ControlBarDriver.h"

namespace {

// The system menu ends with a separator, the about item and the hotkey and
// hiding settings, as another process reads them: Windows shares menu
// handles between processes.
void CheckSystemMenu(HWND bar) {
    HMENU menu = GetSystemMenu(bar, FALSE);
    if (!CheckTodoWine(menu != nullptr, "another process is handed the bar's system menu",
                       "Wine keeps a window's menus inside its own process"))
        return;
    int items = GetMenuItemCount(menu);
    auto itemText = [&](int position) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
        return std::wstring(text);
    };
    Check(items >= 3 && GetMenuItemID(menu, items - 2) == IDM_ABOUTBOX && itemText(items - 2) == L"关于本程序(&A)..." &&
              GetMenuItemID(menu, items - 1) == IDM_EXTRA && itemText(items - 1) == L"热键和隐藏设置(&H)...",
          "the system menu ends with the about item and the hotkey settings below it",
          std::to_string(items) + " items");
    Check(items >= 3 && (GetMenuState(menu, items - 3, MF_BYPOSITION) & MF_SEPARATOR),
          "a separator stands before the about item");
}

}  // namespace

E2E_CASE(control_bar_starts_with_defaults) {
    ControlBar p;
    if (!Check(p.Start(), "the control bar appears with its caption")) return;
    HWND bar = p.Handle();

    struct Control {
        int id;
        const wchar_t* text;
    };
    const Control controls[] = {
        {IDC_ARM, L"准备"}, {IDC_DISARM, L"放弃"}, {IDC_SETTINGS, L"设置"}, {IDOK, L"确定"},
        {IDC_INFO, L"?"},   {IDCANCEL, L"退出"},   {IDC_RADIO1, L"1"},      {IDC_RADIO2, L"2"},
        {IDC_RADIO3, L"3"}, {IDC_RADIO4, L"4"},    {IDC_RADIO5, L"5"},      {IDC_RADIO6, L"6"},
    };
    for (const Control& c : controls) {
        HWND w = GetDlgItem(bar, c.id);
        std::string what = "control " + std::to_string(c.id) + " reads " + WideToUtf8(c.text);
        Check(w && WindowText(w) == c.text, what.c_str(), WideToUtf8(WindowText(w)));
    }
    Check(GetDlgItem(bar, IDC_RANGEBAR) && ClassName(GetDlgItem(bar, IDC_RANGEBAR)) == L"msctls_progress32",
          "the range bar is a progress bar");
    Check(!IsWindowVisible(GetDlgItem(bar, IDOK)) && !IsWindowEnabled(GetDlgItem(bar, IDOK)),
          "the OK button is hidden and disabled");
    Check(IsTopmost(bar), "the control bar is topmost");
    Check(!IsWindowVisible(GetDlgItem(bar, IDC_ARMED_PICTURE)), "the armed picture is hidden");
    Check(p.RangePos() == 0 && p.RangeMax() == 200, "the range bar is at 0 of 0..200",
          std::to_string(p.RangePos()) + "/" + std::to_string(p.RangeMax()));
    Check(p.Checked(IDC_RADIO1), "setting number 1 is in force");
    Check(IsWindowEnabled(GetDlgItem(bar, IDC_ARM)), "the arm button is enabled");

    CheckSystemMenu(bar);
    SaveScreenshot("control-bar", bar);

    Check(!p.Has(L"VEXAL.vxl"), "starting writes no settings file");
}

E2E_CASE(control_bar_single_instance) {
    ControlBar first;
    if (!Check(first.Start(), "the first instance shows its control bar")) return;
    HWND bar = first.Handle();
    RECT before;
    GetWindowRect(bar, &before);

    ControlBar second({}, L"other-name.exe");
    second.Launch();
    Check(second.WaitExit(5000), "a second start ends within 5 seconds");
    Check(second.Windows().empty(), "the second start showed no window");
    RECT after;
    GetWindowRect(bar, &after);
    Check(first.Running() && IsWindow(bar) && EqualRect(&before, &after), "the first keeps running where it was");

    first.Stop();
    ControlBar third;
    Check(third.Start(), "after the first has ended, a new start works");
}

E2E_CASE(control_bar_reads_setting_number_from_file) {
    BombSettings s = DefaultSettings();
    s.CurrentSetting = 3;
    s.Records[3].Sensitivity = "321";
    s.Records[1].Sensitivity = "45";
    ControlBar p(s);
    if (!Check(p.Start(), "the control bar appears")) return;
    Check(p.Checked(IDC_RADIO4) && !p.Checked(IDC_RADIO1), "a file whose first value is 3 checks radio 4");
    Check(p.RangeMax() == 321, "the range is the Sensitivity of setting number 4", std::to_string(p.RangeMax()));

    p.Press(IDC_RADIO2);
    Check(WaitFor([&] { return p.RangeMax() == 45; }), "radio 2 sets its own range", std::to_string(p.RangeMax()));
    Check(p.Checked(IDC_RADIO2), "radio 2 is checked");
    p.Press(IDC_RADIO1);
    Check(WaitFor([&] { return p.RangeMax() == 200; }), "radio 1 sets the default range");
    Check(p.FileIs(L"VEXAL.vxl", SettingsBytes(s)), "choosing radios writes no file");
}

E2E_CASE(control_bar_launches_startup_program) {
    ControlBar p;
    CopyFileW(L"marker.exe", p.PathOf(L"marker.exe").c_str(), FALSE);
    BombSettings s = DefaultSettings();
    SetPreset(s, 0, Preset::LaunchAtStart, 1);
    s.Records[0].StartupProgram = WideToUtf8(p.PathOf(L"marker.exe"));  // ASCII path
    p.Write(s);
    Check(p.Start(), "the control bar appears");
    Check(WaitFor([&] { return p.Has(L"marker.exe.ran"); }), "the start-up program ran");
}

E2E_CASE(control_bar_empty_or_missing_startup_program) {
    for (const char* path : {"", "C:\\no such folder\\missing.exe"}) {
        BombSettings s = DefaultSettings();
        SetPreset(s, 0, Preset::LaunchAtStart, 1);
        s.Records[0].StartupProgram = path;
        ControlBar p(s);
        if (!Check(p.Start(), "the control bar appears")) return;
        std::string what =
            std::string(*path ? "a missing" : "an empty") + " start-up program shows nothing (watched for 1.5 s)";
        Check(!WaitFor([&] { return p.Windows().size() > 1; }, 1500), what.c_str());
        Check(p.Running(), "and the program keeps running");
    }
}

E2E_CASE(control_bar_broken_file) {
    BombSettings s = DefaultSettings();
    std::string bytes = SettingsBytes(s);
    bytes.resize(bytes.size() - 1);  // cut before the last byte of record 9
    ControlBar p(bytes, L"Bomber.exe");
    p.Launch();
    HWND box = p.WaitMessage(10000);
    if (!Check(box != nullptr, "a message box captioned with the executable's name appears")) return;
    Check(ControlBar::Says(box, L"由于Vexal.Vxl出错，请删除Vexal.Vxl"), "it names the broken file");
    SaveScreenshot("broken-file", box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    Check(p.WaitExit(10000), "the program ends after OK");
    Check(p.FileIs(L"VEXAL.vxl", bytes), "the broken file is left exactly as it was");
}
