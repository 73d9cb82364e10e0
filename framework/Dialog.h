#pragma once
// A dialog built from a template in the program's resources, run modally by
// our own loop so that PreTranslateMessage sees every message first. Its
// messages are bound to member handlers by one constant table per dialog.
#include <windows.h>

#include <cstddef>
#include <variant>

#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"

class CDialog;
class CDataExchange;

// One row of a dialog's message table: what it answers and the one handler
// that answers it. The handler's kind says how the row matches: any message
// by number, a command by control ID and notification code, a notification
// by control ID and code. The helpers below make the rows.
struct MessageMapEntry {
    using MessageHandler = LRESULT (CDialog::*)(WPARAM, LPARAM);
    using CommandHandler = void (CDialog::*)();
    using NotifyHandler = LRESULT (CDialog::*)(NMHDR*);
    // A command of a row of like buttons: which of them it is.
    struct NumberedHandler {
        void (CDialog::*handler)(int);
        int number;
    };

    UINT message;  // WM_COMMAND, WM_NOTIFY, or any other window message
    UINT id;       // control ID of a command or notification
    UINT code;     // its notification code
    std::variant<MessageHandler, CommandHandler, NotifyHandler, NumberedHandler> handler;
};

struct MessageMap {
    const MessageMapEntry* entries;
    size_t count;
};

template <class T>
MessageMapEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {message, 0, 0, static_cast<MessageMapEntry::MessageHandler>(handler)};
}
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)(), UINT code = BN_CLICKED) {
    return {WM_COMMAND, id, code, static_cast<MessageMapEntry::CommandHandler>(handler)};
}
// A click on button `id` calls handler(number).
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)(int), int number) {
    return {WM_COMMAND, id, BN_CLICKED,
            MessageMapEntry::NumberedHandler{static_cast<void (CDialog::*)(int)>(handler), number}};
}
template <class T>
MessageMapEntry OnNotify(UINT id, UINT code, LRESULT (T::*handler)(NMHDR*)) {
    return {WM_NOTIFY, id, code, static_cast<MessageMapEntry::NotifyHandler>(handler)};
}

template <size_t N>
MessageMap MakeMessageMap(const MessageMapEntry (&entries)[N]) {
    return {entries, N};
}

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    ~CDialog() override;

    // Runs the dialog until EndDialog; returns its result, or -1 when the
    // window could not be created.
    INT_PTR DoModal();
    void EndDialog(int result);

    // Moves data between the fields and the controls: true reads the
    // controls. Returns false, after telling the user, when a check fails.
    bool UpdateData(bool saveAndValidate = true);

protected:
    virtual const MessageMap* GetMessageMap() const { return nullptr; }
    virtual void DoDataExchange(CDataExchange*) {}
    virtual BOOL OnInitDialog();
    // Asked once OnInitDialog has run: false leaves the window out of sight.
    virtual bool ShownWhenOpened() const { return true; }
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void OnOK();
    virtual void OnCancel();

    // The window's default processing of the message being handled.
    LRESULT Default();

    void CenterWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    // The dialog's tooltips, if it creates them; PreTranslateMessage relays
    // the mouse messages to them.
    CToolTipCtrl m_toolTip;

private:
    HWND CreateHidden(HWND owner);
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool FindHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    WNDPROC m_superProc = nullptr;
    bool m_running = false;
    int m_result = IDCANCEL;
    // The message being dispatched, for Default().
    UINT m_curMessage = 0;
    WPARAM m_curWParam = 0;
    LPARAM m_curLParam = 0;
};
