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

class MessageMapEntry;
template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)(), UINT code = BN_CLICKED);

// One row of a dialog's message table: what it answers and the one handler
// that answers it. The handler's kind says how the row matches: any message
// by number, a command by control ID and notification code, a notification
// by control ID and code, or every message, asked first, for a dialog that
// routes messages to objects of its own. Rows are made only by the helpers
// below, so that a command or notification cannot be taken for a plain
// message, nor a handler paired with a message it cannot answer.
class MessageMapEntry {
public:
    using MessageHandler = LRESULT (CDialog::*)(WPARAM, LPARAM);
    using CommandHandler = void (CDialog::*)();
    using NotifyHandler = LRESULT (CDialog::*)(NMHDR*);
    // A command of a row of like buttons: which of them it is.
    struct NumberedHandler {
        void (CDialog::*handler)(int);
        int number;
    };
    // True when it has handled the message, with its result.
    using RouteHandler = bool (CDialog::*)(UINT, WPARAM, LPARAM, LRESULT&);

private:
    using Handler = std::variant<MessageHandler, CommandHandler, NotifyHandler, NumberedHandler, RouteHandler>;
    MessageMapEntry(UINT message, UINT id, UINT code, Handler handler)
        : m_message(message), m_id(id), m_code(code), m_handler(handler) {}

    template <UINT M, class T>
    friend MessageMapEntry OnMessage(LRESULT (T::*)(WPARAM, LPARAM));
    template <class T>
    friend MessageMapEntry OnRegisteredMessage(UINT, LRESULT (T::*)(WPARAM, LPARAM));
    template <class T>
    friend MessageMapEntry OnCommand(UINT, void (T::*)(), UINT);
    template <class T>
    friend MessageMapEntry OnCommand(UINT, void (T::*)(int), int);
    template <class T>
    friend MessageMapEntry OnNotify(UINT, UINT, LRESULT (T::*)(NMHDR*));
    template <class T>
    friend MessageMapEntry RoutedBy(bool (T::*)(UINT, WPARAM, LPARAM, LRESULT&));
    friend class CDialog;

    UINT m_message;  // WM_COMMAND, WM_NOTIFY, any other window message; 0 for a route
    UINT m_id;       // control ID of a command or notification
    UINT m_code;     // its notification code
    Handler m_handler;
};

struct MessageMap {
    const MessageMapEntry* entries;
    size_t count;
};

// A window message known when the program is built; commands and
// notifications have rows of their own.
template <UINT M, class T>
MessageMapEntry OnMessage(LRESULT (T::*handler)(WPARAM, LPARAM)) {
    static_assert(M != WM_COMMAND && M != WM_NOTIFY, "commands and notifications take OnCommand and OnNotify");
    return {M, 0, 0, static_cast<MessageMapEntry::MessageHandler>(handler)};
}

// A message the system numbers at run time (RegisterWindowMessage).
template <class T>
MessageMapEntry OnRegisteredMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {message, 0, 0, static_cast<MessageMapEntry::MessageHandler>(handler)};
}

template <class T>
MessageMapEntry OnCommand(UINT id, void (T::*handler)(), UINT code) {
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

// Every message is offered to `handler` first; what it does not handle goes
// on to the other rows.
template <class T>
MessageMapEntry RoutedBy(bool (T::*handler)(UINT, WPARAM, LPARAM, LRESULT&)) {
    return {0, 0, 0, static_cast<MessageMapEntry::RouteHandler>(handler)};
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
