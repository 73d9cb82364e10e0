#include "settings/SettingsDlg_win.h"

#include <string>

#include "actions/BlackoutDlg_win.h"
#include "actions/RealWinCalls.h"
#include "actions/SystemActions.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "settings/DecimalText.h"
#include "settings/Pictures.h"
#include "settings/ProgramPath.h"

namespace {

// The sound list in the order of ActPlaySound's sound types.
const wchar_t* const kSounds[] = {
    L"讯息 (消息)", L"讯息 (警告)", L"系统错误", L"讯息 (询问)", L"一般警告音",
};

constexpr int kMaxMessageBytes = 40;

const ToolText kTooltips[] = {
    {IDC_SET_LAUNCH_AT_START, L"启动VEXAL时同时启动其他程序"},
    {IDC_SET_BROWSE_STARTUP, L"打开选择文件对话框"},
    {IDC_SET_SENSITIVITY_SPIN, L"设置为999则无法通过鼠标晃动使爆弹爆炸"},
    {IDC_SET_TIMER_ENABLED, L"指定时刻进行处理"},
    {IDC_SET_NOT_TOPMOST, L"如果选中此项，VEXAL将不会总在最上方显示"},
    {IDC_SET_CLEAR_RECENT_DOCS, L"请注意：瞬间就会删除"},
    {IDC_SET_APPLY_CLEAR_RECENT_DOCS, L"请注意：按下按钮瞬间就会删除"},
    {IDC_SET_EMPTY_RECYCLE_BIN, L"请注意：如果垃圾很多将会花费很长时间"},
    {IDC_SET_APPLY_EMPTY_RECYCLE_BIN, L"请注意：对象是所有驱动器"},
    {IDC_SET_HANG_UP_DIALUP, L"请注意：请确定断开连接时不会造成不良影响"},
    {IDC_SET_APPLY_HANG_UP_DIALUP, L"请注意：按下按钮瞬间就会断开连接"},
    {IDC_SET_MINIMIZE_TARGET, L"爆炸后隐藏程序"},
    {IDC_SET_HIDE_SELF, L"爆炸后隐藏程序"},
    {IDC_SET_MUTE_WAVE, L"请注意：这里控制的仅仅是WAVE音量"},
    {IDC_SET_VOLUME_CONTROL, L"需要正确安装声卡驱动程序"},
    {IDC_SET_APPLY_MUTE_WAVE, L"请注意：按下按钮瞬间WAVE音量将设置为0"},
    {IDC_SET_PLAY_SOUND, L"请事先确认音量"},
    {IDC_SET_APPLY_PLAY_SOUND, L"如果WAVE音量为O则无法听见"},  // the letter O, as the text has it
    {IDC_SET_FINAL_NONE, L"不进行以下的任何处理"},
    {IDC_SET_FINAL_BLACKOUT, L"在点击瞬间屏幕会全黑"},
    {IDC_SET_APPLY_BLACKOUT, L"在点击瞬间屏幕会全黑，请不要慌张"},
    {IDC_SET_FINAL_SCREENSAVER, L"如果没有设置屏保则不会启动"},
    {IDC_SET_APPLY_SCREENSAVER, L"晃动鼠标将立刻退出屏保程序"},
    {IDC_SET_FINAL_SHUTDOWN, L"如果启动中的程序存在没有保存的文件将弹出提示对话框"},
    {IDC_SET_FINAL_RUN_PROGRAM, L"VEXAL不检查这里设置的文件是否存在，所以在删除该文件时请注意"},
    {IDC_SET_BROWSE_FINAL, L"打开选择文件对话框"},
    {IDC_SET_FINAL_SHOW_MESSAGE, L"不使用该功能时可以当作本设置的备忘记录文字"},
    {IDC_SET_NO_DETONATION, L"此选项将禁止关闭活动窗口"},
    {IDC_SET_STORE1, L"保存设置内容到位置1"},
    {IDC_SET_STORE2, L"保存设置内容到位置2"},
    {IDC_SET_STORE3, L"保存设置内容到位置3"},
    {IDC_SET_STORE4, L"保存设置内容到位置4"},
    {IDC_SET_STORE5, L"保存设置内容到位置5"},
    {IDC_SET_STORE6, L"保存设置内容到位置6"},
    {IDC_SET_RECALL1, L"显示位置1的设置内容"},
    {IDC_SET_RECALL2, L"显示位置2的设置内容"},
    {IDC_SET_RECALL3, L"显示位置3的设置内容"},
    {IDC_SET_RECALL4, L"显示位置4的设置内容"},
    {IDC_SET_RECALL5, L"显示位置5的设置内容"},
    {IDC_SET_RECALL6, L"显示位置6的设置内容"},
    {IDOK, L"保存设置并关闭设置对话框"},
    {IDCANCEL, L"放弃设置"},
};

const wchar_t kPathRefused[] = L"所选文件的路径中含有无法保存的字符，路径未更改。";

std::u16string ShortPathOf(const std::u16string& path) {
    const auto* longPath = reinterpret_cast<const wchar_t*>(path.c_str());
    DWORD n = GetShortPathNameW(longPath, nullptr, 0);
    if (n == 0) return {};
    std::u16string shortPath(n, u'\0');
    n = GetShortPathNameW(longPath, reinterpret_cast<wchar_t*>(&shortPath[0]), n);
    shortPath.resize(n);
    return shortPath;
}

HICON PictureIcon(int k) { return LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(PictureResource(k))); }

}  // namespace

CSettingsDlg::CSettingsDlg(const EditedRecords& records, int32_t shownSetting)
    : CDialog(IDD_SETTINGS), m_records(records) {
    m_form.ShownSetting = shownSetting;
}

CSettingsDlg::~CSettingsDlg() = default;

const MessageMap* CSettingsDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        OnCommand(IDC_SET_BROWSE_STARTUP, &CSettingsDlg::OnBrowseStartup),
        OnCommand(IDC_SET_BROWSE_FINAL, &CSettingsDlg::OnBrowseFinal),
        OnCommand(IDC_SET_MINIMIZE_TARGET, &CSettingsDlg::OnMinimizeTarget),
        OnCommand(IDC_SET_NO_DETONATION, &CSettingsDlg::OnNoDetonation),
        OnCommand(IDC_SET_APPLY_CLEAR_RECENT_DOCS, &CSettingsDlg::OnApplyClearRecentDocs),
        OnCommand(IDC_SET_APPLY_EMPTY_RECYCLE_BIN, &CSettingsDlg::OnApplyEmptyRecycleBin),
        OnCommand(IDC_SET_APPLY_MUTE_WAVE, &CSettingsDlg::OnApplyMuteWave),
        OnCommand(IDC_SET_APPLY_SCREENSAVER, &CSettingsDlg::OnApplyScreenSaver),
        OnCommand(IDC_SET_APPLY_BLACKOUT, &CSettingsDlg::OnApplyBlackout),
        OnCommand(IDC_SET_APPLY_HANG_UP_DIALUP, &CSettingsDlg::OnApplyHangUpDialUp),
        OnCommand(IDC_SET_APPLY_PLAY_SOUND, &CSettingsDlg::OnApplyPlaySound),
        OnCommand(IDC_SET_VOLUME_CONTROL, &CSettingsDlg::OnVolumeControl),
        OnCommand(IDC_SET_STORE1, &CSettingsDlg::StoreSetting, 0),
        OnCommand(IDC_SET_STORE2, &CSettingsDlg::StoreSetting, 1),
        OnCommand(IDC_SET_STORE3, &CSettingsDlg::StoreSetting, 2),
        OnCommand(IDC_SET_STORE4, &CSettingsDlg::StoreSetting, 3),
        OnCommand(IDC_SET_STORE5, &CSettingsDlg::StoreSetting, 4),
        OnCommand(IDC_SET_STORE6, &CSettingsDlg::StoreSetting, 5),
        OnCommand(IDC_SET_RECALL1, &CSettingsDlg::RecallSetting, 0),
        OnCommand(IDC_SET_RECALL2, &CSettingsDlg::RecallSetting, 1),
        OnCommand(IDC_SET_RECALL3, &CSettingsDlg::RecallSetting, 2),
        OnCommand(IDC_SET_RECALL4, &CSettingsDlg::RecallSetting, 3),
        OnCommand(IDC_SET_RECALL5, &CSettingsDlg::RecallSetting, 4),
        OnCommand(IDC_SET_RECALL6, &CSettingsDlg::RecallSetting, 5),
        OnNotify(IDC_SET_PICTURE_LIST, NM_CLICK, &CSettingsDlg::OnPictureClick),
    };
    static const MessageMap map = MakeMessageMap(entries);
    return &map;
}

void CSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SET_PICTURE_PREVIEW, m_picturePreview);
    DDX_Control(pDX, IDC_SET_PICTURE_LIST, m_pictureList);
    DDX_Control(pDX, IDC_SET_SENSITIVITY_SPIN, m_spin);
    SettingsForm& f = m_form;
    DDX_Check(pDX, IDC_SET_EMPTY_RECYCLE_BIN, f.EmptyRecycleBin);
    DDX_Check(pDX, IDC_SET_CLEAR_RECENT_DOCS, f.ClearRecentDocs);
    DDX_Text(pDX, IDC_SET_SENSITIVITY, f.Sensitivity);
    DDX_Check(pDX, IDC_SET_HIDE_SELF, f.HideSelf);
    DDX_Check(pDX, IDC_SET_NOT_TOPMOST, f.NotTopmost);
    DDX_Check(pDX, IDC_SET_MINIMIZE_TARGET, f.MinimizeTarget);
    DDX_Check(pDX, IDC_SET_NO_DETONATION, f.NoDetonation);
    DDX_Check(pDX, IDC_SET_HANG_UP_DIALUP, f.HangUpDialUp);
    DDX_Check(pDX, IDC_SET_LAUNCH_AT_START, f.LaunchAtStart);
    DDX_Text(pDX, IDC_SET_STARTUP_PROGRAM, f.StartupProgram);
    DDX_Radio(pDX, IDC_SET_FINAL_NONE, f.FinalAction);
    DDX_Text(pDX, IDC_SET_FINAL_PROGRAM, f.FinalProgram);
    DDX_Check(pDX, IDC_SET_MUTE_WAVE, f.MuteWave);
    DDX_DateTimeCtrl(pDX, IDC_SET_DETONATION_TIME, f.DetonationTime);
    DDX_Check(pDX, IDC_SET_TIMER_ENABLED, f.TimerEnabled);
    DDX_Text(pDX, IDC_SET_FINAL_MESSAGE, f.FinalMessage);
    DDV_MaxChars(pDX, f.FinalMessage, kMaxMessageBytes);
    DDX_CBIndex(pDX, IDC_SET_SOUND_TYPE, f.SoundType);
    DDX_Check(pDX, IDC_SET_PLAY_SOUND, f.PlaySound);
    DDX_Radio(pDX, IDC_SET_RECALL1, f.ShownSetting);
    DDX_Check(pDX, IDC_SET_EDGE_BOTTOM, f.EdgeBottom);
    DDX_Check(pDX, IDC_SET_EDGE_TOP, f.EdgeTop);
    DDX_Check(pDX, IDC_SET_EDGE_RIGHT, f.EdgeRight);
    DDX_Check(pDX, IDC_SET_EDGE_LEFT, f.EdgeLeft);
}

BOOL CSettingsDlg::OnInitDialog() {
    // The combo box is unsorted, so the sound types are the entries' indices;
    // it is filled before the first exchange selects one.
    for (const wchar_t* sound : kSounds)
        SendDlgItemMessageW(m_hWnd, IDC_SET_SOUND_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sound));
    CDialog::OnInitDialog();

    m_imageList.Create(32, 32, ILC_COLOR8 | ILC_MASK, kPictureCount, 0);
    for (int k = 0; k < kPictureCount; ++k) m_imageList.Add(PictureIcon(k));
    m_pictureList.SetImageList(m_imageList, LVSIL_NORMAL);
    for (int k = 0; k < kPictureCount; ++k) {
        std::u16string label = PictureLabel(k);
        m_pictureList.InsertItem(k, reinterpret_cast<const wchar_t*>(label.c_str()), k);
    }

    RecallSetting(m_form.ShownSetting);
    // The time of day as a Chinese system shows it, whatever the locale, so
    // it fits the picker's width everywhere.
    SendDlgItemMessageW(m_hWnd, IDC_SET_DETONATION_TIME, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"H:mm:ss"));

    m_spin.SetRange(1, 999);
    m_spin.SetPos(DecimalTextToInt(m_form.Sensitivity));
    // Steps of 1, and of 10 once an arrow has been held for 2 seconds.
    const UDACCEL steps[] = {{0, 1}, {2, 10}};
    m_spin.SetAccel(2, steps);

    CenterWindow();

    m_toolTip.CreateWithTools(this, kTooltips);
    return TRUE;
}

// A failed read (a message over 40 bytes) has been reported and stores
// nothing: values read up to the failing control must not reach the record.
void CSettingsDlg::StoreSetting(int n) {
    if (!UpdateData(true)) return;
    if (!StoreForm(m_form, n, m_records)) return;
    ShowPicture(DecimalTextToInt(m_form.PictureText));
    UpdateData(false);
}

// Replaces whatever the controls show, stored or not. A setting number
// outside 0 to 5 has no record and leaves everything as it is.
void CSettingsDlg::RecallSetting(int n) {
    if (!RecallForm(m_records, n, m_form)) return;
    ShowPicture(DecimalTextToInt(m_form.PictureText));
    UpdateData(false);
}

void CSettingsDlg::ShowPicture(int k) {
    // Item -1 would mean every item to the list view.
    if (k >= 0 && k < kPictureCount)
        m_pictureList.SetItemState(k, m_pictureList.GetItemState(k, LVIS_SELECTED) | LVIS_SELECTED, LVIS_SELECTED);
    m_picturePreview.SetIcon(PictureIcon(k));
}

void CSettingsDlg::BrowseFor(std::string& path) {
    CFileDialog dialog(this);
    if (dialog.DoModal() != IDOK) return;
    const std::wstring& chosen = dialog.GetPathName();
    std::u16string wide(reinterpret_cast<const char16_t*>(chosen.c_str()), chosen.size());
    if (ChooseProgramPath(wide, ShortPathOf, path) == PathChoice::Refused) {
        AfxMessageBox(kPathRefused, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    UpdateData(false);
}

void CSettingsDlg::OnBrowseStartup() { BrowseFor(m_form.StartupProgram); }
void CSettingsDlg::OnBrowseFinal() { BrowseFor(m_form.FinalProgram); }

// At most one of "minimise the target" and "no detonation" stays checked.
// When the read fails, writing the fields back would undo the user's edits
// after the failing control, so only the other box is cleared then.
void CSettingsDlg::KeepExclusive(int otherId, int32_t& otherField) {
    bool read = UpdateData(true);
    otherField = 0;
    if (read)
        UpdateData(false);
    else
        SendDlgItemMessageW(m_hWnd, otherId, BM_SETCHECK, BST_UNCHECKED, 0);
}

void CSettingsDlg::OnMinimizeTarget() { KeepExclusive(IDC_SET_NO_DETONATION, m_form.NoDetonation); }
void CSettingsDlg::OnNoDetonation() { KeepExclusive(IDC_SET_MINIMIZE_TARGET, m_form.MinimizeTarget); }

// The apply-now buttons run their action whether or not its box is ticked.
void CSettingsDlg::OnApplyClearRecentDocs() { ActClearRecentDocs(m_win); }

void CSettingsDlg::OnApplyEmptyRecycleBin() { ActEmptyRecycleBin(m_win); }

void CSettingsDlg::OnApplyHangUpDialUp() { ActHangUpDialUp(m_win); }

void CSettingsDlg::OnApplyMuteWave() { ActMuteWave(m_win); }

void CSettingsDlg::OnVolumeControl() { ActOpenVolumeControl(m_win); }

// Plays the sound chosen in the list now, not the one last stored; whether
// the read succeeds does not matter to the sound.
void CSettingsDlg::OnApplyPlaySound() {
    UpdateData(true);
    ActPlaySound(m_win, m_form.SoundType);
}

// The blackout window belongs to this dialog while it runs. The check box is
// not read here: NotTopmost is as of the last exchange.
void CSettingsDlg::OnApplyBlackout() {
    ActBlackout();
    if (m_form.NotTopmost == 1) SetTopmost(false);
}

void CSettingsDlg::OnApplyScreenSaver() { ActScreenSaver(m_win, reinterpret_cast<uintptr_t>(GetForegroundWindow())); }

LRESULT CSettingsDlg::OnPictureClick(NMHDR*) {
    int k = m_pictureList.GetSelectionMark();
    m_form.PictureText = std::to_string(k);
    ShowPicture(k);
    return 0;
}
