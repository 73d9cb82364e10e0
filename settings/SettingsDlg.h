#pragma once
// The settings dialog: edits a copy of the setting records 0 to 5, one shown
// at a time, stores and recalls them, and tries single system actions at
// once. The control bar takes the copy back only after OK.
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/SpinButtonCtrl.h"
#include "framework/ToolTipCtrl.h"
#include "settings/SettingsForm.h"

class CSettingsDlg : public CDialog {
public:
    CSettingsDlg();
    ~CSettingsDlg() override;

    CImageList m_imageList;
    EditedRecords m_records;  // filled by the settings command before DoModal
    CStatic m_picturePreview;
    CListCtrl m_pictureList;
    CSpinButtonCtrl m_spin;
    SettingsForm m_form;  // m_form.ShownSetting: the record to show first
    CToolTipCtrl m_toolTip;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

private:
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
    void OnStore1();
    void OnStore2();
    void OnStore3();
    void OnStore4();
    void OnStore5();
    void OnStore6();
    void OnRecall1();
    void OnRecall2();
    void OnRecall3();
    void OnRecall4();
    void OnRecall5();
    void OnRecall6();
    LRESULT OnPictureClick(NMHDR*);
};
