#include "settings/SettingsForm.h"

#include <initializer_list>

#include "settings/PresetText.h"

namespace {

// The field that each PresetString position packs and unpacks.
constexpr int32_t SettingsForm::*kPresetFields[Preset::Count] = {
    &SettingsForm::LaunchAtStart,   &SettingsForm::NotTopmost,   &SettingsForm::ClearRecentDocs,
    &SettingsForm::EmptyRecycleBin, &SettingsForm::HideSelf,     &SettingsForm::MinimizeTarget,
    &SettingsForm::HangUpDialUp,    &SettingsForm::NoDetonation, &SettingsForm::FinalAction,
    &SettingsForm::MuteWave,        &SettingsForm::PlaySound,    &SettingsForm::SoundType,
    &SettingsForm::TimerEnabled,
};

constexpr int kPictureCount = 14;

}  // namespace

EditedRecords CopyForEditing(const SettingRecords& records) {
    EditedRecords edited;
    for (int i = 0; i < kSettingNumbers; ++i) {
        const SettingRecord& r = records[i];
        edited[i] = {r.DetonationTime, r.FinalMessage, r.FinalProgram, r.Sensitivity,
                     r.StartupProgram, r.PresetString, r.IconIndex,    r.EdgeFlags};
    }
    return edited;
}

void TakeBackEdited(const EditedRecords& edited, SettingRecords& records) {
    for (int i = 0; i < kSettingNumbers; ++i) {
        const EditedRecord& e = edited[i];
        SettingRecord& r = records[i];
        r.DetonationTime = e.DetonationTime;
        r.FinalMessage = e.FinalMessage;
        r.FinalProgram = e.FinalProgram;
        r.Sensitivity = e.Sensitivity;
        r.StartupProgram = e.StartupProgram;
        r.PresetString = e.PresetString;
        r.IconIndex = e.IconIndex;
        r.EdgeFlags = e.EdgeFlags;
    }
}

bool IsSettingNumber(int n) { return n >= 0 && n < kSettingNumbers; }

bool StoreForm(SettingsForm& form, int n, EditedRecords& records) {
    if (!IsSettingNumber(n)) return false;
    EditedRecord& r = records[n];
    PresetValues values;
    for (int i = 0; i < Preset::Count; ++i) values[i] = form.*kPresetFields[i];
    r.PresetString = FormatPresetString(values);
    r.DetonationTime = form.DetonationTime;
    r.FinalMessage = form.FinalMessage;
    r.FinalProgram = form.FinalProgram;
    r.Sensitivity = form.Sensitivity;
    r.StartupProgram = form.StartupProgram;
    r.IconIndex = form.PictureText;
    r.EdgeFlags = FormatEdgeFlags(form.EdgeTop, form.EdgeBottom, form.EdgeLeft, form.EdgeRight);
    form.ShownSetting = n;
    return true;
}

bool RecallForm(EditedRecords& records, int n, SettingsForm& form) {
    if (!IsSettingNumber(n)) return false;
    EditedRecord& r = records[n];
    // Positions the text holds no number for keep the field's value.
    PresetValues values;
    for (int i = 0; i < Preset::Count; ++i) values[i] = form.*kPresetFields[i];
    ParsePresetString(r.PresetString, values);
    for (int i = 0; i < Preset::Count; ++i) form.*kPresetFields[i] = values[i];
    form.DetonationTime = r.DetonationTime;
    form.FinalMessage = r.FinalMessage;
    form.FinalProgram = r.FinalProgram;
    form.Sensitivity = r.Sensitivity;
    form.StartupProgram = r.StartupProgram;
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
