#pragma once
// The information panel: a snapshot of the machine's facts, gathered once
// while the dialog initialises and never refreshed while it is open.
#include <string>

#include "framework/Dialog.h"
#include "framework/ListBox.h"

class CInfoDlg : public CDialog {
public:
    // `osName`: the opener's WindowsVersion, code page 936.
    explicit CInfoDlg(std::string osName);
    ~CInfoDlg() override;

protected:
    // No message table of its own: OK, Esc and the close box take the
    // framework's default handling.
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    std::string m_strOsName;
    CProgressCtrl m_gaugeGdi;
    CProgressCtrl m_gaugeSystem;
    CProgressCtrl m_gaugeUser;
    CListBox m_listDrives;
    // Never filled: exchanged into the CPU field at start, it clears the
    // template's text there before the processor is written.
    std::string m_strCpuInfo;

    void ShowNames();
    void ShowMemory();
    void ShowFixedDrives();
    void ShowProcessor();
    void ShowResourceGauges();
    void SetField(int id, const std::u16string& text) const;
};
