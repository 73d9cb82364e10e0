#pragma once
// The information panel: a snapshot of the machine's facts, gathered once
// while the dialog initialises and never refreshed while it is open.
#include <string>

#include "framework/Dialog.h"
#include "framework/ListBox.h"

class CInfoDlg : public CDialog {
public:
    CInfoDlg();
    ~CInfoDlg() override;

    std::string m_strOsName;  // code page 936; the opener's WindowsVersion
    CProgressCtrl m_gaugeGdi;
    CProgressCtrl m_gaugeSystem;
    CProgressCtrl m_gaugeUser;
    CListBox m_listDrives;
    // Never filled: exchanged into the CPU field at start, it clears the
    // template's text there before the processor is written.
    std::string m_strCpuInfo;

protected:
    // No message table of its own: OK, Esc and the close box take the
    // framework's default handling.
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void ShowNames();
    void ShowMemory();
    void ShowFixedDrives();
    void ShowProcessor();
    void ShowResourceGauges();
    void SetField(int id, const std::u16string& text) const;
};
