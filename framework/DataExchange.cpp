#include "framework/DataExchange.h"

#include <commctrl.h>

#include <vector>

#include "base/Codepage.h"
#include "base/TimeConversion.h"
#include "base/TimeConversion_win.h"
#include "framework/Dialog.h"
#include "framework/ExchangeRules.h"

namespace {

bool IsRadio(HWND control) {
    LONG style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON;
}

// The radio buttons of the group that begins with the given control.
std::vector<HWND> RadioGroup(HWND first) {
    std::vector<HWND> group;
    for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c != first && (GetWindowLongW(c, GWL_STYLE) & WS_GROUP)) break;
        if (IsRadio(c)) group.push_back(c);
    }
    return group;
}

}  // namespace

HWND CDataExchange::Control(int id) {
    m_lastControl = id;
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (pDX->Failed()) return;
    if (!control.m_hWnd) control.m_hWnd = pDX->Control(id);
}

void DDX_Check(CDataExchange* pDX, int id, int32_t& value) {
    if (pDX->Failed()) return;
    HWND c = pDX->Control(id);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int32_t>(SendMessageW(c, BM_GETCHECK, 0, 0));
    } else {
        value = CheckFieldForDisplay(value);
        SendMessageW(c, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int firstId, int32_t& value) {
    if (pDX->Failed()) return;
    std::vector<HWND> group = RadioGroup(pDX->Control(firstId));
    if (pDX->m_bSaveAndValidate) {
        std::vector<bool> checked;
        for (HWND c : group) checked.push_back(SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED);
        value = RadioPosition(checked);
    } else {
        // Only buttons whose state changes are told: the control bar refreshes
        // its radios on every tick, and an unchanged button need not repaint.
        for (size_t i = 0; i < group.size(); ++i) {
            WPARAM state = static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(SendMessageW(group[i], BM_GETCHECK, 0, 0)) != state)
                SendMessageW(group[i], BM_SETCHECK, state, 0);
        }
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int32_t& index) {
    if (pDX->Failed()) return;
    HWND c = pDX->Control(id);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int32_t>(SendMessageW(c, CB_GETCURSEL, 0, 0));
    else
        SendMessageW(c, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    if (pDX->Failed()) return;
    HWND c = pDX->Control(id);
    if (pDX->m_bSaveAndValidate) {
        int n = GetWindowTextLengthW(c);
        std::u16string wide(static_cast<size_t>(n) + 1, u'\0');
        n = GetWindowTextW(c, reinterpret_cast<wchar_t*>(&wide[0]), n + 1);
        wide.resize(static_cast<size_t>(n));
        WideToGbk(wide, value);
    } else {
        SetWindowTextW(c, reinterpret_cast<const wchar_t*>(GbkToWide(value).c_str()));
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, int32_t& seconds) {
    if (pDX->Failed()) return;
    HWND c = pDX->Control(id);
    // Through FILETIME, so a time stored as before 1970 still shows its time of day.
    if (pDX->m_bSaveAndValidate) {
        SYSTEMTIME local;
        int64_t t;
        if (SendMessageW(c, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&local)) == GDT_VALID &&
            SecondsOfLocalTime(local, t))
            seconds = ToTime32(t);
    } else {
        SYSTEMTIME local;
        if (LocalTimeOfSeconds(seconds, local))
            SendMessageW(c, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&local));
    }
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxBytes) {
    if (pDX->Failed()) return;
    if (pDX->m_bSaveAndValidate) {
        if (!FitsMaxBytes(value, static_cast<size_t>(maxBytes))) {
            wchar_t text[64];
            wsprintfW(text, L"请输入不超过 %d 个字符。", maxBytes);
            pDX->Fail(pDX->LastControl(), text);
        }
    } else {
        SendMessageW(pDX->Control(pDX->LastControl()), EM_LIMITTEXT, static_cast<WPARAM>(maxBytes), 0);
    }
}
