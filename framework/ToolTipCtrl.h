#pragma once
// A tooltip control whose tools are controls of one dialog, registered by
// window handle. It does not subclass them, so the dialog relays the mouse
// messages to it from PreTranslateMessage.
#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;
    bool Create(CWnd* owner);
    void Activate(bool active) const;
    void AddTool(HWND tool, const wchar_t* text) const;
    void RelayEvent(MSG* msg) const;

private:
    HWND m_owner = nullptr;
};
