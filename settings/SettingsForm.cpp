#include "settings/SettingsForm.h"

#include <initializer_list>

#include "settings/EdgeFlags.h"
#include "settings/Pictures.h"
#include "settings/PresetText.h"

EditedRecords CopyForEditing(const SettingRecords& records) {
    EditedRecords edited;
    for (int i = 0; i < kSettingNumbers; ++i) edited[i] = records[i];
    return edited;
}

void TakeBackEdited(const EditedRecords& edited, SettingRecords& records) {
    for (int i = 0; i < kSettingNumbers; ++i) static_cast<EditedRecord&>(records[i]) = edited[i];
}

bool IsSettingNumber(int n) { return n >= 0 && n < kSettingNumbers; }

bool StoreForm(SettingsForm& form, int n, EditedRecords& records) {
    if (!IsSettingNumber(n)) return false;
    EditedRecord& r = records[n];
    r.PresetString = FormatPresetSwitches(form);
    static_cast<DirectValues&>(r) = form;
    r.IconIndex = form.PictureText;
    r.EdgeFlags = FormatEdgeFlags(form.EdgeTop, form.EdgeBottom, form.EdgeLeft, form.EdgeRight);
    form.ShownSetting = n;
    return true;
}

bool RecallForm(EditedRecords& records, int n, SettingsForm& form) {
    if (!IsSettingNumber(n)) return false;
    EditedRecord& r = records[n];
    // Positions the text holds no number for keep the field's value.
    ReadPresetSwitches(r.PresetString, form);
    static_cast<DirectValues&>(form) = r;
    form.PictureText = r.IconIndex;
    r.EdgeFlags = RecalledEdgeFlags(r.EdgeFlags);
    form.EdgeTop = EdgeOn(r.EdgeFlags, Edge::Top);
    form.EdgeBottom = EdgeOn(r.EdgeFlags, Edge::Bottom);
    form.EdgeLeft = EdgeOn(r.EdgeFlags, Edge::Left);
    form.EdgeRight = EdgeOn(r.EdgeFlags, Edge::Right);
    form.ShownSetting = n;
    return true;
}

std::u16string PictureLabel(int k) {
    int number = kPictureCount - k;
    std::u16string label;
    for (int divisor : {100, 10, 1}) label += static_cast<char16_t>(u'０' + number / divisor % 10);
    return label;
}
