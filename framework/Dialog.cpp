#include "framework/Dialog.h"

#include <vector>

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {
const wchar_t kSelfProp[] = L"VexalDialog";
}

CDialog::~CDialog() {
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal() {
    // Without a parent, a dialog is owned by the application's active
    // pop-up, as a framework modal dialog is.
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CWnd* main = AfxGetMainWnd();
    if (!owner && main && main != this && main->m_hWnd) owner = GetLastActivePopup(main->m_hWnd);

    HWND hwnd = CreateHidden(owner);
    if (!hwnd) return -1;
    bool ownerDisabled = owner && ::EnableWindow(owner, FALSE) == 0;

    if (m_running && ShownWhenOpened()) ShowWindow(SW_SHOWNORMAL);
    MSG msg;
    while (m_running) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Give the owner back its input before this window goes, so that
    // activation returns to it.
    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == m_hWnd) SetActiveWindow(owner);
    if (m_hWnd) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow(m_hWnd);
    }
    return m_result;
}

// The template without WS_VISIBLE, so that the dialog manager does not show
// the window itself: DoModal shows it once OnInitDialog has decided.
HWND CDialog::CreateHidden(HWND owner) {
    const HINSTANCE instance = AfxGetInstanceHandle();
    const HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5));  // RT_DIALOG
    const HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!bytes || size < 12) return nullptr;
    // DWORDs keep the copy aligned as a template must be.
    std::vector<DWORD> copy((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    CopyMemory(copy.data(), bytes, size);
    // An extended template starts with version 1 and 0xFFFF; its style is
    // its fourth DWORD, a plain template's the first.
    const auto* words = reinterpret_cast<const WORD*>(copy.data());
    DWORD& style = words[0] == 1 && words[1] == 0xFFFF ? copy[3] : copy[0];
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    return CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), owner, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_running = false;
    // Wakes the modal loop when the request came through a sent message.
    if (m_hWnd) PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    if (!dx.Failed()) return true;
    AfxMessageBox(dx.FailureText().c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (HWND control = ::GetDlgItem(m_hWnd, dx.FailedControl())) {
        ::SetFocus(control);
        ::SendMessageW(control, EM_SETSEL, 0, -1);
    }
    return false;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    return IsDialogMessageW(m_hWnd, msg);
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::Default() { return CallWindowProcW(m_superProc, m_hWnd, m_curMessage, m_curWParam, m_curLParam); }

void CDialog::CenterWindow() {
    RECT desk, self;
    GetWindowRect(GetDesktopWindow(), &desk);
    GetWindowRect(m_hWnd, &self);
    int w = self.right - self.left, h = self.bottom - self.top;
    SetWindowPos(m_hWnd, nullptr, desk.left + (desk.right - desk.left - w) / 2,
                 desk.top + (desk.bottom - desk.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog manager's procedure: only WM_INITDIALOG is ours, where the
// window is tied to its object and subclassed so that every later message
// reaches the message table before the default processing.
INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = hwnd;
    self->m_running = true;
    SetPropW(hwnd, kSelfProp, self);
    self->m_superProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
    return self->OnInitDialog();
}

LRESULT CALLBACK CDialog::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CDialog*>(GetPropW(hwnd, kSelfProp));
    if (message == WM_NCDESTROY) {
        WNDPROC super = self->m_superProc;
        RemovePropW(hwnd, kSelfProp);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        self->m_hWnd = nullptr;
        self->m_running = false;
        return CallWindowProcW(super, hwnd, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    UINT savedMessage = m_curMessage;
    WPARAM savedW = m_curWParam;
    LPARAM savedL = m_curLParam;
    m_curMessage = message;
    m_curWParam = wParam;
    m_curLParam = lParam;
    LRESULT result = 0;
    if (!FindHandler(message, wParam, lParam, result)) result = Default();
    m_curMessage = savedMessage;
    m_curWParam = savedW;
    m_curLParam = savedL;
    return result;
}

bool CDialog::FindHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Entry = MessageMapEntry;
    const auto* hdr = message == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(lParam) : nullptr;
    if (const MessageMap* map = GetMessageMap()) {
        for (size_t i = 0; i < map->count; ++i) {
            const Entry& e = map->entries[i];
            if (auto* route = std::get_if<Entry::RouteHandler>(&e.m_handler)) {
                if ((this->*(*route))(message, wParam, lParam, result)) return true;
                continue;
            }
            if (e.m_message != message) continue;
            if (auto* on = std::get_if<Entry::MessageHandler>(&e.m_handler)) {
                result = (this->*(*on))(wParam, lParam);
                return true;
            }
            if (auto* on = std::get_if<Entry::NotifyHandler>(&e.m_handler)) {
                if (!hdr || e.m_id != hdr->idFrom || e.m_code != hdr->code) continue;
                result = (this->*(*on))(const_cast<NMHDR*>(hdr));
                return true;
            }
            if (message != WM_COMMAND || e.m_id != LOWORD(wParam) || e.m_code != HIWORD(wParam)) continue;
            if (auto* on = std::get_if<Entry::CommandHandler>(&e.m_handler)) (this->*(*on))();
            if (auto* on = std::get_if<Entry::NumberedHandler>(&e.m_handler)) (this->*(on->handler))(on->number);
            result = 0;
            return true;
        }
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}
