#include <climits>
#include <gtest/gtest.h>

#include "base/TimeConversion.h"
#include "settings/SettingRecord.h"

namespace {

constexpr int64_t kStep = 883612800;  // 28 years
constexpr int64_t kDay = 86400;

int64_t FloorMod(int64_t a, int64_t m) { return ((a % m) + m) % m; }

TEST(SettingRecord, ConstructionTimeIsTheDefaultDetonationTime) {
    const int64_t after2038 = 2223459930;  // the record holds it moved into the 32-bit range
    BombSettings s(after2038);
    EXPECT_EQ(s.CurrentSetting, 0);
    for (const SettingRecord& r : s.Records) EXPECT_EQ(r.DetonationTime, ToTime32(after2038));
    EXPECT_EQ(s.Active.DetonationTime, ToTime32(after2038));
    EXPECT_EQ(s.Active.FinalMessage, "VEXAL\xa3\xba\xb1\xac\xd5\xa8!");  // not the records' default
}

TEST(SettingRecord, ApplySettingUnpacksRecordAndSetsCurrentSetting) {
    BombSettings s(0);
    SettingRecord& r = s.Records[2];
    r.PresetString = "1,0,1,0,1,0,1,0,-1,0,1,-1,1";
    r.Sensitivity = " 050px";
    r.DetonationTime = 12345;
    r.StartupProgram = "a.exe";
    r.FinalProgram = "b.exe";
    r.FinalMessage = "bye";
    r.IconIndex = "5";
    r.EdgeFlags = "0101";
    r.Reserved = "never applied";

    s.ApplySetting(2);
    const ActiveSettings& a = s.Active;
    EXPECT_EQ(s.CurrentSetting, 2);
    const int32_t got[] = {a.LaunchAtStart,  a.NotTopmost,   a.ClearRecentDocs, a.EmptyRecycleBin, a.HideSelf,
                           a.MinimizeTarget, a.HangUpDialUp, a.NoDetonation,    a.FinalAction,     a.MuteWave,
                           a.PlaySound,      a.SoundType,    a.TimerEnabled};
    const int32_t want[] = {1, 0, 1, 0, 1, 0, 1, 0, -1, 0, 1, -1, 1};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(got[i], want[i]) << "position " << i;
    EXPECT_EQ(a.Sensitivity, 50);
    EXPECT_EQ(a.DetonationTime, 12345);
    EXPECT_EQ(a.StartupProgram, "a.exe");
    EXPECT_EQ(a.FinalProgram, "b.exe");
    EXPECT_EQ(a.FinalMessage, "bye");
    EXPECT_EQ(a.IconIndex, "5");
    EXPECT_EQ(a.EdgeFlags, "0101");

    // A short PresetString changes only its leading fields.
    s.Records[4].PresetString = "0,1";
    s.ApplySetting(4);
    EXPECT_EQ(s.CurrentSetting, 4);
    EXPECT_EQ(a.LaunchAtStart, 0);
    EXPECT_EQ(a.NotTopmost, 1);
    EXPECT_EQ(a.ClearRecentDocs, 1);
    EXPECT_EQ(a.FinalAction, -1);
    EXPECT_EQ(a.TimerEnabled, 1);
    EXPECT_EQ(a.Sensitivity, 200);
    EXPECT_EQ(s.Records[2].Reserved, "never applied");  // records are only read
}

TEST(SettingRecord, ApplySettingIgnoresNumbersOutsideOneToSix) {
    BombSettings s(0);
    for (SettingRecord& r : s.Records) r.PresetString = "1,1,1,1,1,1,1,1,1,1,1,1,1";
    s.ApplySetting(3);
    s.Active.TimerEnabled = 0;  // as the trigger monitor does when the time fires
    for (int n : {-1, 6, 9, 10, INT_MIN, INT_MAX}) {
        s.ApplySetting(n);
        EXPECT_EQ(s.CurrentSetting, 3) << n;
        EXPECT_EQ(s.Active.TimerEnabled, 0) << n;
    }
    s.ApplySetting(3);  // applying again restores the record's value
    EXPECT_EQ(s.Active.TimerEnabled, 1);
}

TEST(SettingRecord, ToTime32KeepsTimeOfDayAndWeekday) {
    const int64_t cases[] = {
        int64_t{INT32_MAX} + 1,
        2223459930,         // 2040-06-16 11:45:30 UTC
        4102444800 + 3723,  // 2100-01-01 01:02:03 UTC
        253402300799,       // 9999-12-31 23:59:59 UTC
        INT64_MAX,
        int64_t{INT32_MIN} - 1,
        INT64_MIN,
    };
    for (int64_t t : cases) {
        SCOPED_TRACE(t);
        const int32_t moved = ToTime32(t);
        EXPECT_EQ((t - moved) % kStep, 0);
        EXPECT_EQ(FloorMod(moved, kDay), FloorMod(t, kDay));
        EXPECT_EQ(FloorMod((t - moved) / kDay, 7), 0);
        // The fewest steps: one more would leave the range.
        if (t > 0) {
            EXPECT_GT(int64_t{moved} + kStep, INT32_MAX);
        } else {
            EXPECT_LT(int64_t{moved} - kStep, INT32_MIN);
        }
    }
    EXPECT_EQ(ToTime32(2223459930), 2223459930 - kStep);
    for (int64_t inRange : {int64_t{0}, int64_t{-1}, int64_t{-86399}, int64_t{INT32_MIN}, int64_t{INT32_MAX}})
        EXPECT_EQ(ToTime32(inRange), inRange);
}

}  // namespace
