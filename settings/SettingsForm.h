#pragma once
// The settings dialog's fields and its copy of the setting records, with the
// store and recall between them. The dialog moves the fields to and from its
// controls; everything here works without a window.
#include <array>
#include <cstdint>
#include <string>

#include "settings/SettingRecord.h"

using EditedRecords = std::array<EditedRecord, kSettingNumbers>;

// Records 0 to 5 for the dialog.
EditedRecords CopyForEditing(const SettingRecords& records);
// Records 0 to 5 back after OK; records 6 to 9 and every Reserved stay.
void TakeBackEdited(const EditedRecords& edited, SettingRecords& records);

// The dialog's fields, each bound to one control; PictureText is shown only
// through the picture list.
struct SettingsForm : PresetSwitches, DirectValues {
    SettingsForm() { FinalAction = SoundType = -1; }  // nothing chosen before the first recall
    std::string PictureText;
    int32_t ShownSetting = -1;  // the record shown, 0 to 5; -1 before the first recall
    int32_t EdgeBottom = 0;
    int32_t EdgeTop = 0;
    int32_t EdgeRight = 0;
    int32_t EdgeLeft = 0;
};

bool IsSettingNumber(int n);

// Packs the fields into record n and makes n the shown setting. The caller
// has read the controls first. False, changing nothing, for n outside 0 to 5.
bool StoreForm(SettingsForm& form, int n, EditedRecords& records);

// Unpacks record n into the fields and makes n the shown setting; a record
// whose EdgeFlags is not four characters gets "0000" in the copy. False,
// changing nothing, for n outside 0 to 5.
bool RecallForm(EditedRecords& records, int n, SettingsForm& form);

// Label of picture-list item k: 14 - k as three full-width digits, so item 0
// reads "０１４" and item 13 "００１".
std::u16string PictureLabel(int k);
