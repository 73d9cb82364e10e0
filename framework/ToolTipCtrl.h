#pragma once
// A tooltip control whose tools are controls of one dialog, registered by
// window handle. It does not subclass them, so the dialog relays the mouse
// messages to it from PreTranslateMessage.
#include <cstddef>

#include "framework/Wnd.h"

// One control of a dialog and the text its tooltip shows.
struct ToolText {
    int id;
    const wchar_t* text;
};

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;
    bool Create(CWnd* owner);
    void Activate(bool active) const;
    void AddTool(HWND tool, const wchar_t* text) const;
    // Creates the control for `dialog`, activates it and adds the tools in order.
    template <size_t N>
    void CreateWithTools(CWnd* dialog, const ToolText (&tools)[N]) {
        Create(dialog);
        Activate(true);
        for (const ToolText& t : tools) AddTool(::GetDlgItem(dialog->m_hWnd, t.id), t.text);
    }
    void RelayEvent(MSG* msg) const;

private:
    HWND m_owner = nullptr;
};
