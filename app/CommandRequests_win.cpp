#include "app/CommandRequests_win.h"

#include "app/BarIds_win.h"
#include "app/PasswordGuard_win.h"
#include "app/RemoteRequest_win.h"
#include "app/TrayPresence_win.h"
#include "res/resource.h"

namespace {

const UINT kSettingButtons[] = {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_RADIO4, IDC_RADIO5, IDC_RADIO6};

}  // namespace

// Bringing back works over any window of VEXAL's, as the hotkey's does; the
// rest is refused while one of its dialogs is open. The caller hears of a
// password asked for and not given as of a request refused now; during a
// detonation, what would ask is refused at once rather than kept waiting.
bool CommandRequests::Handle(UINT message, LPARAM lParam, bool detonating, LRESULT& result) {
    if (message != WM_COPYDATA) return false;
    CommandRequest request;
    result = FALSE;
    if (!ReadRemoteRequest(reinterpret_cast<const COPYDATASTRUCT*>(lParam), request)) return true;
    result = kRequestCarriedOut;
    if (request.kind == CommandRequest::kRestore) {
        Command(ID_TRAY_BRING_BACK);
        if (m_guard.TakeRefusal()) result = kRequestRefusedNow;
    } else if (detonating && m_guard.WouldAsk(RequestOf(request.kind))) {
        result = kRequestRefusedNow;  // a prompt later would come after the caller's answer
    } else if (detonating) {
        m_waiting.push_back(request);
    } else if (!IsWindowEnabled(m_bar) || !CarryOut(request)) {
        result = kRequestRefusedNow;
    }
    return true;
}

void CommandRequests::CarryOutWaiting() {
    while (!m_waiting.empty()) {
        const CommandRequest next = m_waiting.front();
        m_waiting.erase(m_waiting.begin());
        CarryOut(next);
    }
}

// Arming while disarmed asks nothing; another setting while armed asks as
// disarming does, since it may do nothing to the target.
bool CommandRequests::CarryOut(const CommandRequest& request) {
    switch (request.kind) {
        case CommandRequest::kDetonate:
            // The detonation may end in a message: the caller need not wait for it.
            if (InSendMessage()) ReplyMessage(kRequestCarriedOut);
            Command(kDetonateCommand);
            return true;
        case CommandRequest::kArm:
            Command(kSettingButtons[request.setting]);  // read as 0 to 5 only
            if (m_guard.TakeRefusal()) return false;
            Command(IDC_ARM);
            return true;
        case CommandRequest::kDisarm:
            Command(IDC_DISARM);
            break;
        case CommandRequest::kShow:
            if (!m_tray.BarShown() && !m_guard.Allows(Request::ShowBar)) return false;
            m_tray.Move(BarEvent::Show, false);
            if (IsIconic(m_bar)) ShowWindow(m_bar, SW_RESTORE);
            SetForegroundWindow(m_bar);
            return true;
        case CommandRequest::kExit:
            Command(ID_TRAY_EXIT);
            break;
        default:
            return true;
    }
    return !m_guard.TakeRefusal();
}
