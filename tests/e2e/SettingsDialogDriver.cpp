#include "tests/e2e/SettingsDialogDriver.h"

namespace {
const wchar_t kCaption[] = L"VEXAL：爆炸后的处理和各种设置";
}  // namespace

std::string ShownRecord::Describe() const {
    std::string s = "checks ";
    for (int c : checks) s += std::to_string(c);
    s += " final " + std::to_string(finalAction) + " sound " + std::to_string(sound) + " picture " +
         std::to_string(picture) + " time " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
         std::to_string(second) + " sens " + WideToUtf8(sensitivity) + " msg " + WideToUtf8(message) + " paths " +
         WideToUtf8(startup) + " | " + WideToUtf8(final);
    return s;
}

bool SettingsDialog::Open() {
    if (!m_bar.Handle()) return false;
    m_fileAtOpen = FileState();
    m_bar.Press(IDC_SETTINGS);
    m_dlg = m_bar.WaitWindow(kCaption);
    return m_dlg != nullptr;
}

int SettingsDialog::Recalled() const {
    for (int i = 0; i < 6; ++i)
        if (Checked(kRecalls[i])) return i;
    return -1;
}

ShownRecord SettingsDialog::Read() const {
    ShownRecord s;
    for (int i = 0; i < kSettingsCheckCount; ++i) s.checks[i] = Checked(kSettingsChecks[i]);
    for (int i = 0; i < 6; ++i)
        if (Checked(kFinalActions[i])) s.finalAction = i;
    s.sound = static_cast<int>(SendMessageW(Item(IDC_SET_SOUND_TYPE), CB_GETCURSEL, 0, 0));
    s.picture = static_cast<int>(SendMessageW(Item(IDC_SET_PICTURE_LIST), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    RemoteMemory mem(m_bar.ProcessId(), sizeof(SYSTEMTIME));
    SendMessageW(Item(IDC_SET_DETONATION_TIME), DTM_GETSYSTEMTIME, 0, mem.At());
    SYSTEMTIME t = mem.Get<SYSTEMTIME>();
    s.hour = t.wHour, s.minute = t.wMinute, s.second = t.wSecond;
    s.sensitivity = Text(IDC_SET_SENSITIVITY);
    s.message = Text(IDC_SET_FINAL_MESSAGE);
    s.startup = Text(IDC_SET_STARTUP_PROGRAM);
    s.final = Text(IDC_SET_FINAL_PROGRAM);
    return s;
}

void SettingsDialog::Fill(const ShownRecord& s) const {
    for (int i = 0; i < kSettingsCheckCount; ++i)
        if (Checked(kSettingsChecks[i]) != (s.checks[i] != 0)) Press(kSettingsChecks[i]);
    if (s.finalAction >= 0) Press(kFinalActions[s.finalAction]);
    SendMessageW(Item(IDC_SET_SOUND_TYPE), CB_SETCURSEL, static_cast<WPARAM>(s.sound), 0);
    SetText(IDC_SET_SENSITIVITY, s.sensitivity);
    SetText(IDC_SET_FINAL_MESSAGE, s.message);
    RemoteMemory mem(m_bar.ProcessId(), sizeof(SYSTEMTIME));
    SendMessageW(Item(IDC_SET_DETONATION_TIME), DTM_GETSYSTEMTIME, 0, mem.At());
    SYSTEMTIME t = mem.Get<SYSTEMTIME>();
    t.wHour = static_cast<WORD>(s.hour), t.wMinute = static_cast<WORD>(s.minute);
    t.wSecond = static_cast<WORD>(s.second);
    mem.Put(t);
    SendMessageW(Item(IDC_SET_DETONATION_TIME), DTM_SETSYSTEMTIME, GDT_VALID, mem.At());
    ClickPicture(s.picture);
}

void SettingsDialog::ClickPicture(int k) const {
    HWND list = Item(IDC_SET_PICTURE_LIST);
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(k), FALSE);
    RemoteMemory mem(m_bar.ProcessId(), sizeof(RECT));
    RECT r = {LVIR_ICON, 0, 0, 0};
    mem.Put(r);
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(k), mem.At());
    r = mem.Get<RECT>();
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &centre);
    SetForegroundWindow(m_dlg);
    // Clicks at one place in quick succession would make a double click.
    Rest(GetDoubleClickTime() + 100);
    MouseClickAt(centre);
    WaitFor([&] { return SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == k; }, 3000);
}

std::wstring SettingsDialog::PictureLabel(int k) const {
    RemoteMemory mem(m_bar.ProcessId(), 512);
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = reinterpret_cast<wchar_t*>(mem.At(256));
    item.cchTextMax = 64;
    mem.Put(item);
    SendMessageW(Item(IDC_SET_PICTURE_LIST), LVM_GETITEMTEXTW, static_cast<WPARAM>(k), mem.At());
    return mem.Text(256);
}

HWND SettingsDialog::ToolTips() const {
    HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != m_dlg) tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    return tips;
}

std::wstring SettingsDialog::ToolTip(int id) const {
    RemoteMemory mem(m_bar.ProcessId(), 512);
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.hwnd = m_dlg;
    info.uId = reinterpret_cast<UINT_PTR>(Item(id));
    info.lpszText = reinterpret_cast<wchar_t*>(mem.At(256));
    mem.Put(info);
    SendMessageW(ToolTips(), TTM_GETTEXTW, 64, mem.At());
    return mem.Text(256);
}

// The open-file dialog: a dialog of the run that is neither the settings
// dialog nor the bar.
HWND SettingsDialog::Browse(int button) const {
    Click(m_dlg, button);
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND w : m_bar.Windows())
            if (w != m_dlg && w != m_bar.Handle() && ClassName(w) == L"#32770") found = w;
        return found != nullptr;
    });
    return found;
}

namespace {
BOOL CALLBACK FindNameEdit(HWND w, LPARAM p) {
    // The file-name box: an edit inside the combo box cmb13 (1148).
    if (ClassName(w) == L"Edit" && GetDlgCtrlID(w) == 1148) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

bool SettingsDialog::ChooseFile(HWND fileDialog, const std::wstring& path) {
    HWND edit = nullptr;
    EnumChildWindows(fileDialog, FindNameEdit, reinterpret_cast<LPARAM>(&edit));
    if (!edit) edit = GetDlgItem(fileDialog, 1152);  // edt1 in the older layout
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor([&] { return !IsWindow(fileDialog); });
}

std::string SettingsDialog::FileState() const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(m_bar.PathOf(L"VEXAL.vxl").c_str(), GetFileExInfoStandard, &data)) return "";
    std::string bytes;
    m_bar.ReadFile(L"VEXAL.vxl", bytes);
    return std::to_string(data.ftLastWriteTime.dwLowDateTime) + "/" + bytes;
}
