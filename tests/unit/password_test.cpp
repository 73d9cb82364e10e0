#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

#include "app/PasswordRules.h"
#include "settings/ExtraSettings.h"
#include "settings/PasswordVerifier.h"

namespace {

const std::string kSalt = "00112233445566778899aabbccddeeff";
const std::string kHash = std::string(64, 'a');

std::string Line(const std::string& count, const std::string& salt = kSalt, const std::string& hash = kHash) {
    return "pbkdf2-sha256$" + count + "$" + salt + "$" + hash;
}

// A verifier written reads back; any line that is not exactly one is a
// password nothing matches, never no password.
TEST(Password, VerifierReadStrictly) {
    PasswordVerifier v;
    EXPECT_EQ(ReadVerifier("", v), PasswordState::None);
    ASSERT_EQ(ReadVerifier(Line("120000"), v), PasswordState::Set);
    EXPECT_EQ(v.iterations, 120000u);
    EXPECT_EQ(v.salt.size(), 16u);
    EXPECT_EQ(FormatVerifier(v), Line("120000"));
    for (const std::string& bad : std::initializer_list<std::string>{Line("0"),
                                                                     Line("0120000"),
                                                                     Line("-1"),
                                                                     Line("+5"),
                                                                     Line("100000001"),
                                                                     Line("1e5"),
                                                                     Line(" 5"),
                                                                     Line("5", kSalt.substr(0, 15)),
                                                                     Line("5", "00112233445566"),
                                                                     Line("5", std::string(130, '0')),
                                                                     Line("5", kSalt, kHash + "00"),
                                                                     Line("5", kSalt, kHash.substr(2)),
                                                                     Line("5", kSalt, std::string(64, 'A')),
                                                                     Line("5", kSalt, kHash) + "$",
                                                                     Line("5", kSalt, kHash) + " ",
                                                                     "PBKDF2-SHA256$5$" + kSalt + "$" + kHash,
                                                                     "pbkdf2-sha1$5$" + kSalt + "$" + kHash,
                                                                     "pbkdf2-sha256$5$" + kSalt,
                                                                     "secret",
                                                                     "0"}) {
        PasswordVerifier untouched;
        EXPECT_EQ(ReadVerifier(bad, untouched), PasswordState::Unreadable) << bad;
        EXPECT_EQ(untouched.iterations, 0u) << bad;
    }
    EXPECT_EQ(ReadVerifier(Line("100000000", std::string(128, 'f')), v), PasswordState::Set);

    const uint8_t a[] = {1, 2, 3}, b[] = {1, 2, 4};
    EXPECT_TRUE(SameBytes(a, a, 3));
    EXPECT_FALSE(SameBytes(a, b, 3));
    EXPECT_TRUE(SameBytes(a, b, 2));
}

// VEXAL.ini keeps the line as written, and writes none where there was none.
TEST(Password, KeptInTheExtraSettingsAsWritten) {
    IniText text = IniText::Parse("[Extra]\r\nPassword=broken\r\n");
    ExtraSettings s = ReadExtraSettings(text);
    EXPECT_EQ(s.Password, "broken");
    s.Password = Line("5");
    WriteExtraSettings(s, text);
    EXPECT_EQ(ReadExtraSettings(text).Password, Line("5"));
    IniText none = IniText::Parse("[Extra]\r\n");
    WriteExtraSettings(ExtraSettings(), none);
    EXPECT_EQ(none.Format().find("Password"), std::string::npos);
}

// Protecting never asks; undoing it, or opening the way to, does whenever a
// line is there, read or not; the end of the session never does.
TEST(Password, WhichRequestsAsk) {
    const Request asks[] = {Request::BringBack, Request::Disarm, Request::OpenSettings, Request::ShowBar,
                            Request::Exit};
    const Request never[] = {Request::Hide, Request::Arm, Request::Detonate, Request::EndOfSession};
    for (PasswordState state : {PasswordState::Set, PasswordState::Unreadable}) {
        for (Request r : asks) EXPECT_TRUE(NeedsPassword(r, state)) << static_cast<int>(r);
        for (Request r : never) EXPECT_FALSE(NeedsPassword(r, state)) << static_cast<int>(r);
    }
    for (Request r : asks) EXPECT_FALSE(NeedsPassword(r, PasswordState::None));
}

// Four wrong ones cost nothing; the fifth, and each after it, makes the
// next try wait 30 s; the right one starts the count again.
TEST(Password, ThrottleAfterFiveWrongInARow) {
    PasswordThrottle t;
    for (int i = 0; i < 4; ++i) t.Wrong(1000);
    EXPECT_EQ(t.WaitMs(1000), 0u);
    t.Wrong(1000);
    EXPECT_EQ(t.WaitMs(1000), 30000u);
    EXPECT_EQ(t.WaitMs(30999), 1u);
    EXPECT_EQ(t.WaitMs(31000), 0u);
    t.Wrong(31000);
    EXPECT_EQ(t.WaitMs(31000), 30000u);
    t.Right();
    t.Wrong(70000);
    EXPECT_EQ(t.WaitMs(70000), 0u);

    // Kept between runs: a new one goes on where the last left off; text it
    // does not write changes nothing; a wait from another boot is none.
    for (int i = 0; i < 4; ++i) t.Wrong(80000);
    PasswordThrottle kept;
    ASSERT_TRUE(kept.Read(t.Text(), 90000));
    EXPECT_EQ(kept.WaitMs(90000), 20000u);
    kept.Right();
    for (const char* bad : {"", "5", "5 ", " 110000", "5 1e5", "-5 110000", "5 110000 ", "5 99999999999999999999"})
        EXPECT_FALSE(kept.Read(bad, 90000)) << bad;
    EXPECT_FALSE(kept.Counting());
    ASSERT_TRUE(kept.Read("5 110000", 1000));
    EXPECT_EQ(kept.WaitMs(1000), 0u);
    EXPECT_TRUE(kept.Counting());
}

}  // namespace
