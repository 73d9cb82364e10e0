#pragma once
// Dialog data exchange between a dialog's fields and its controls. A failed
// check does not throw: it marks the exchange failed, names the control and
// stops every later exchange, and UpdateData tells the user.
#include <windows.h>

#include <cstdint>
#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;

    bool Failed() const { return m_failedControl != 0; }
    int FailedControl() const { return m_failedControl; }
    const std::wstring& FailureText() const { return m_failureText; }
    void Fail(int control, std::wstring text) {
        m_failedControl = control;
        m_failureText = std::move(text);
    }
    // The control with this ID; it becomes the one a later check names.
    HWND Control(int id);
    int LastControl() const { return m_lastControl; }

private:
    int m_lastControl = 0;
    int m_failedControl = 0;
    std::wstring m_failureText;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Check(CDataExchange* pDX, int id, int32_t& value);
void DDX_Radio(CDataExchange* pDX, int firstId, int32_t& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int32_t& index);
// Texts are code page 936 bytes in the field, UTF-16 in the control.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// The field is seconds since 1970 UTC; the control shows local time.
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, int32_t& seconds);
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxBytes);
