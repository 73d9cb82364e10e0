#pragma once
// The hotkey and hiding settings, kept in VEXAL.ini: the panic hotkey (with
// the Win key beside the hotkey control, which cannot take it) and the
// switches of hiding instead of closing.
#include <functional>

#include "framework/Dialog.h"
#include "settings/ExtraSettings.h"

class CHotkeyHidingDlg : public CDialog {
public:
    // `apply` puts the settings chosen into force before the dialog closes;
    // false, after telling the user, keeps it open (a hotkey another program
    // holds).
    CHotkeyHidingDlg(const ExtraSettings& extra, std::function<bool(const ExtraSettings&)> apply);

    // What was chosen, after OK.
    const ExtraSettings& Chosen() const { return m_extra; }

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    ExtraSettings m_extra;
    std::function<bool(const ExtraSettings&)> m_apply;

    void OnClear();
    void EnableProgramList();
    void ExchangeIdle(CDataExchange* pDX);
    bool TakePassword();
};
