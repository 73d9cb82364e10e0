#pragma once
// VEXAL's password asked for, in a small dialog in front of everything. OK
// checks it: a wrong one says so and the dialog stays; after five wrong
// ones in a row the next try waits, counted down in the dialog. Esc or
// Cancel: not given.
#include <string>

#include "app/PasswordRules.h"
#include "framework/Dialog.h"

class CPasswordDlg : public CDialog {
public:
    CPasswordDlg(const std::string& verifier, PasswordThrottle& throttle);

protected:
    const MessageMap* GetMessageMap() const override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    LRESULT OnTimer(WPARAM, LPARAM);
    // The wait after too many wrong ones, or the fields open again.
    void ShowWait();

    const std::string& m_verifier;
    PasswordThrottle& m_throttle;
    bool m_waiting = false;
};

// Asks for the password of `verifier` where `request` needs one; true when
// none is needed or it was given. Where it was not, the window that was in
// front before is in front again.
bool AskPassword(Request request, const std::string& verifier, PasswordThrottle& throttle);
