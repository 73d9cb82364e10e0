#pragma once
// The blackout screen: a black window over the primary screen that hides the
// taskbar and the cursor, so the computer looks switched off, until the user
// presses the left mouse button.
#include "framework/Dialog.h"

class CBlackoutDlg : public CDialog {
public:
    CBlackoutDlg();

protected:
    const MessageMap* GetMessageMap() const override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

private:
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnCtlColorDlg(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    // Taskbar and cursor back, once per showing, however the window closes.
    void RestoreDesktop();

    bool m_desktopHidden = false;
};

// Shows the blackout screen modally; returns after the user's left click.
void ActBlackout();
