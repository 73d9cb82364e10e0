#include <climits>
#include <gtest/gtest.h>
#include <tuple>

#include "settings/SettingsForm.h"

namespace {

TEST(SettingsForm, RecallMendsEdgeFlagsAndKeepsFieldsThePresetLacks) {
    EditedRecords records;
    records[2].PresetString = "1,1";
    records[2].EdgeFlags = "11";
    records[3].EdgeFlags = "x1y1";
    SettingsForm form;
    form.ClearRecentDocs = 1, form.SoundType = 3, form.EdgeTop = 1;

    ASSERT_TRUE(RecallForm(records, 2, form));
    EXPECT_EQ(records[2].EdgeFlags, "0000");  // the copy is mended, so OK writes "0000"
    EXPECT_EQ(form.EdgeTop + form.EdgeBottom + form.EdgeLeft + form.EdgeRight, 0);
    EXPECT_EQ(form.LaunchAtStart, 1);
    EXPECT_EQ(form.NotTopmost, 1);
    EXPECT_EQ(form.ClearRecentDocs, 1);  // no third number: the value stays
    EXPECT_EQ(form.SoundType, 3);

    ASSERT_TRUE(RecallForm(records, 3, form));
    EXPECT_EQ(records[3].EdgeFlags, "x1y1");  // four characters stay as they are
    EXPECT_EQ(std::make_tuple(form.EdgeTop, form.EdgeBottom, form.EdgeLeft, form.EdgeRight),
              std::make_tuple(0, 1, 0, 1));
}

// The buttons give 0 to 5 only, but ShownSetting can be -1 (no recall button
// pressed) or anything the caller set: no index outside the copy is touched.
TEST(SettingsForm, SettingNumbersOutsideZeroToFiveChangeNothing) {
    EditedRecords records;
    SettingsForm form;
    form.PictureText = "13";
    for (int n : {-1, 6, 9, 1000, INT32_MIN}) {
        EXPECT_FALSE(StoreForm(form, n, records)) << n;
        EXPECT_FALSE(RecallForm(records, n, form)) << n;
    }
    EXPECT_EQ(form.ShownSetting, -1);
    EXPECT_EQ(form.PictureText, "13");
    for (const EditedRecord& r : records) EXPECT_TRUE(r.PresetString.empty());
}

}  // namespace
