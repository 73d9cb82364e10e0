#include "app/PasswordGuard_win.h"

#include "app/BarIds_win.h"
#include "app/BombDlg_win.h"
#include "app/PasswordDlg_win.h"
#include "app/TrayPresence_win.h"
#include "res/resource.h"

namespace {

// What each of the bar's messages asks of it; Request::Hide for what asks nothing.
Request RequestOf(UINT message, WPARAM wParam, bool hidden, bool barShown, bool armed) {
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
            // Another setting changes what the armed bomb does: one that
            // does nothing to the target would disarm it in all but name.
            case IDC_RADIO1:
            case IDC_RADIO2:
            case IDC_RADIO3:
            case IDC_RADIO4:
            case IDC_RADIO5:
            case IDC_RADIO6:
                return armed ? Request::Disarm : Request::Hide;
            case IDC_DISARM:
            case ID_TRAY_DISARM:
                return Request::Disarm;
            case ID_TRAY_BRING_BACK:
                return hidden ? Request::BringBack : Request::Hide;
            case IDC_SETTINGS:
            case ID_TRAY_SETTINGS:
                return Request::OpenSettings;
            case IDCANCEL:
            case IDOK:  // the bar's hidden OK ends it as the exit button does
            case ID_TRAY_EXIT:
                return Request::Exit;
        }
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == IDM_EXTRA) return Request::OpenSettings;
    if (message == WM_HOTKEY && wParam == kPanicHotkey && hidden) return Request::BringBack;
    if (message == BringBackMessage()) return hidden ? Request::BringBack : barShown ? Request::Hide : Request::ShowBar;
    return Request::Hide;
}

}  // namespace

bool PasswordGuard::Stops(UINT message, WPARAM wParam, LPARAM) {
    const Request request = RequestOf(message, wParam, m_hiding.Active(), m_tray.BarShown(), m_tray.Armed());
    m_refused = request != Request::Hide && !Allows(request);
    return m_refused;
}

// A second request while the dialog is open asks nothing and is refused.
bool PasswordGuard::WouldAsk(Request request) const {
    PasswordVerifier read;
    return NeedsPassword(request, ReadVerifier(VerifierFor(request), read));
}

bool PasswordGuard::Allows(Request request) {
    if (!WouldAsk(request)) return true;
    if (m_asking) return false;
    m_asking = true;
    const bool given = AskPassword(request, VerifierFor(request), m_throttle);
    m_asking = false;
    if (given && request == Request::Exit) m_exitGranted = true;
    return given;
}

bool PasswordGuard::TakeRefusal() {
    const bool refused = m_refused;
    m_refused = false;
    return refused;
}

// An end granted for another password than the record's keeps the record.
bool PasswordGuard::EndMayBringBack() const {
    return !WouldAsk(Request::BringBack) ||
           (m_exitGranted && VerifierFor(Request::Exit) == VerifierFor(Request::BringBack));
}

const std::string& PasswordGuard::VerifierFor(Request request) const {
    return request == Request::BringBack && !m_hiding.Verifier().empty() ? m_hiding.Verifier() : m_extra.Password;
}
