#include "app/PasswordDlg_win.h"

#include <string>
#include <vector>

#include "base/FileAccess_win.h"
#include "res/resource.h"
#include "settings/PasswordCheck_win.h"

namespace {

constexpr UINT_PTR kWaitTimer = 1;
constexpr int kMaxChars = 127;
const wchar_t kWrong[] = L"密码不对，请重新输入。";

uint64_t NowMs() { return GetTickCount(); }

// The wrong ones in a row are kept beside the program while they count, so
// that a new start (after a kill, or /restore with none running) goes on
// with the wait.
std::wstring KeptPath(const wchar_t* name) {
    wchar_t path[1024];
    const DWORD n = GetModuleFileNameW(nullptr, path, 1024);
    std::wstring folder(path, n < 1024 ? n : 0);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return PathIn(folder, name);
}

void LoadKept(PasswordThrottle& throttle) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(KeptPath(L"VEXAL.wait"), 64, bytes) == ReadOutcome::Read)
        throttle.Read(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), NowMs());
}

void Keep(const PasswordThrottle& throttle) {
    if (throttle.Counting())
        ReplaceFileQuickly(KeptPath(L"VEXAL.wait"), KeptPath(L"VEXAL.wait.tmp"), throttle.Text());
    else
        DeleteFileRetrying(KeptPath(L"VEXAL.wait"));
}

}  // namespace

CPasswordDlg::CPasswordDlg(const std::string& verifier, PasswordThrottle& throttle)
    : CDialog(IDD_PASSWORD), m_verifier(verifier), m_throttle(throttle) {}

const MessageMap* CPasswordDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        OnMessage<WM_TIMER>(&CPasswordDlg::OnTimer),
    };
    static const MessageMap map = MakeMessageMap(entries);
    return &map;
}

BOOL CPasswordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendDlgItemMessageW(m_hWnd, IDC_PASSWORD_EDIT, EM_LIMITTEXT, kMaxChars, 0);
    CenterWindow();
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hWnd);
    ShowWait();
    ::SetFocus(GetDlgItem(IDC_PASSWORD_EDIT));
    return FALSE;
}

// The typed text lives in the control and, for the check, in one buffer
// that is wiped right after; the control is emptied either way.
void CPasswordDlg::OnOK() {
    if (m_throttle.WaitMs(NowMs()) > 0) return;
    wchar_t typed[kMaxChars + 1];
    const int length = GetDlgItemTextW(m_hWnd, IDC_PASSWORD_EDIT, typed, kMaxChars + 1);
    const bool right = PasswordMatches(typed, static_cast<size_t>(length > 0 ? length : 0), m_verifier);
    SecureZeroMemory(typed, sizeof typed);
    SetDlgItemTextW(m_hWnd, IDC_PASSWORD_EDIT, L"");
    if (right) {
        m_throttle.Right();
        Keep(m_throttle);
        EndDialog(IDOK);
        return;
    }
    m_throttle.Wrong(NowMs());
    Keep(m_throttle);
    SetDlgItemTextW(m_hWnd, IDC_PASSWORD_STATUS, kWrong);
    ShowWait();
    ::SetFocus(GetDlgItem(IDC_PASSWORD_EDIT));
}

LRESULT CPasswordDlg::OnTimer(WPARAM id, LPARAM) {
    if (id == kWaitTimer) ShowWait();
    return 0;
}

void CPasswordDlg::ShowWait() {
    const uint32_t waitMs = m_throttle.WaitMs(NowMs());
    const bool waiting = waitMs > 0;
    ::EnableWindow(GetDlgItem(IDC_PASSWORD_EDIT), !waiting);
    ::EnableWindow(GetDlgItem(IDOK), !waiting);
    if (waiting) {
        const std::wstring text = L"错误次数太多，请等待 " + std::to_wstring((waitMs + 999) / 1000) + L" 秒后再试。";
        SetDlgItemTextW(m_hWnd, IDC_PASSWORD_STATUS, text.c_str());
        if (!m_waiting) SetTimer(m_hWnd, kWaitTimer, 250, nullptr);
        m_waiting = true;
        return;
    }
    if (!m_waiting) return;
    m_waiting = false;
    KillTimer(m_hWnd, kWaitTimer);
    SetDlgItemTextW(m_hWnd, IDC_PASSWORD_STATUS, L"");
    ::SetFocus(GetDlgItem(IDC_PASSWORD_EDIT));
}

bool AskPassword(Request request, const std::string& verifier, PasswordThrottle& throttle) {
    PasswordVerifier read;
    if (!NeedsPassword(request, ReadVerifier(verifier, read))) return true;
    const HWND before = GetForegroundWindow();
    LoadKept(throttle);
    CPasswordDlg dlg(verifier, throttle);
    const bool given = dlg.DoModal() == IDOK;
    if (!given && before && IsWindow(before) && IsWindowVisible(before)) SetForegroundWindow(before);
    return given;
}
