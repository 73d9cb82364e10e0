#include "app/CommandRequests_win.h"

#include "app/BarIds_win.h"
#include "app/RemoteRequest_win.h"
#include "app/TrayPresence_win.h"
#include "res/resource.h"

namespace {

const UINT kSettingButtons[] = {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_RADIO4, IDC_RADIO5, IDC_RADIO6};

}  // namespace

// Bringing back works over any window of VEXAL's, as the hotkey's does; the
// rest is refused while one of its dialogs is open.
bool CommandRequests::Handle(UINT message, LPARAM lParam, bool detonating, LRESULT& result) {
    if (message != WM_COPYDATA) return false;
    CommandRequest request;
    result = FALSE;
    if (!ReadRemoteRequest(reinterpret_cast<const COPYDATASTRUCT*>(lParam), request)) return true;
    result = kRequestCarriedOut;
    if (request.kind == CommandRequest::kRestore)
        Command(ID_TRAY_BRING_BACK);
    else if (detonating)
        m_waiting.push_back(request);
    else if (!IsWindowEnabled(m_bar))
        result = kRequestRefusedNow;
    else
        CarryOut(request);
    return true;
}

void CommandRequests::CarryOutWaiting() {
    while (!m_waiting.empty()) {
        const CommandRequest next = m_waiting.front();
        m_waiting.erase(m_waiting.begin());
        CarryOut(next);
    }
}

void CommandRequests::CarryOut(const CommandRequest& request) {
    switch (request.kind) {
        case CommandRequest::kDetonate:
            // The detonation may end in a message: the caller need not wait for it.
            if (InSendMessage()) ReplyMessage(kRequestCarriedOut);
            Command(kDetonateCommand);
            break;
        case CommandRequest::kArm:
            if (!IsWindowEnabled(GetDlgItem(m_bar, IDC_ARM))) Command(IDC_DISARM);
            Command(kSettingButtons[request.setting]);  // read as 0 to 5 only
            Command(IDC_ARM);
            break;
        case CommandRequest::kDisarm:
            Command(IDC_DISARM);
            break;
        case CommandRequest::kShow:
            m_tray.Move(BarEvent::Show, false);
            if (IsIconic(m_bar)) ShowWindow(m_bar, SW_RESTORE);
            SetForegroundWindow(m_bar);
            break;
        case CommandRequest::kExit:
            Command(ID_TRAY_BRING_BACK);
            PostMessageW(m_bar, WM_COMMAND, IDCANCEL, 0);
            break;
        default:
            break;
    }
}
