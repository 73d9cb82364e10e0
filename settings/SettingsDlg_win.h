#pragma once
// The settings dialog: edits a copy of the setting records 0 to 5, one shown
// at a time, stores and recalls them, and tries single system actions at
// once. The control bar takes the copy back only after OK.
#include "actions/RealWinCalls.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/SpinButtonCtrl.h"
#include "settings/SettingsForm.h"

class CSettingsDlg : public CDialog {
public:
    // The copy of records 0 to 5 to edit, and the record to show first.
    CSettingsDlg(const EditedRecords& records, int32_t shownSetting);
    ~CSettingsDlg() override;

    // What the opener takes back after OK: the records, and the record shown
    // last (-1 where none was ever shown).
    const EditedRecords& Records() const { return m_records; }
    int32_t ShownSetting() const { return m_form.ShownSetting; }

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    EditedRecords m_records;
    SettingsForm m_form;
    CImageList m_imageList;
    CStatic m_picturePreview;
    CListCtrl m_pictureList;
    CSpinButtonCtrl m_spin;
    RealWinCalls m_win;  // what the apply-now buttons call

    void StoreSetting(int n);
    void RecallSetting(int n);
    void ShowPicture(int k);
    void BrowseFor(std::string& path);
    void KeepExclusive(int otherId, int32_t& otherField);

    void OnBrowseStartup();
    void OnBrowseFinal();
    void OnMinimizeTarget();
    void OnNoDetonation();
    void OnApplyClearRecentDocs();
    void OnApplyEmptyRecycleBin();
    void OnApplyHangUpDialUp();
    void OnApplyMuteWave();
    void OnVolumeControl();
    void OnApplyPlaySound();
    void OnApplyBlackout();
    void OnApplyScreenSaver();
    LRESULT OnPictureClick(NMHDR*);
};
