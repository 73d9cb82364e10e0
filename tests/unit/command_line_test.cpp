#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "trigger/ProgramList.h"

namespace {

using Args = std::vector<std::u16string>;

TEST(CommandLine, SplitsAsWindowsProgramsDo) {
    const std::u16string self = u"C:\\Program Files\\v x\\vexal.exe";
    EXPECT_EQ(SplitCommandLine(u"vexal.exe", self), Args());
    EXPECT_EQ(SplitCommandLine(u"\"C:\\Program Files\\v x\\vexal.exe\"  /arm\t3 ", self), (Args{u"/arm", u"3"}));
    EXPECT_EQ(SplitCommandLine(u"vexal.exe \"a b\" c\\\\\"d e\" \\\"q \"x\"\"y\"", self),
              (Args{u"a b", u"c\\d e", u"\"q", u"x\"y"}));
    // A shortcut or Run entry that names the program's own path unquoted.
    EXPECT_EQ(SplitCommandLine(self, self), Args());
    EXPECT_EQ(SplitCommandLine(u"c:\\PROGRAM FILES\\v x\\vexal.exe /arm 2", self), (Args{u"/arm", u"2"}));
    // Only the whole path counts; another program's line splits as ever.
    EXPECT_EQ(SplitCommandLine(u"C:\\Program Files\\v x\\vexal.exe2 /exit", self),
              (Args{u"Files\\v", u"x\\vexal.exe2", u"/exit"}));
}

// Windows starts an unquoted line's program from the first run of words
// that names a file, adding ".exe" where the name has no extension, and
// compares path names without regard to case in every script that has case.
// Either way the line begins with the program's own path.
TEST(CommandLine, AnUnquotedPathAsWindowsFindsIt) {
    EXPECT_EQ(SplitCommandLine(u"C:\\Program Files\\v x\\vexal /arm 2", u"C:\\Program Files\\v x\\vexal.exe"),
              (Args{u"/arm", u"2"}));
    EXPECT_EQ(SplitCommandLine(u"C:\\\u00fcbung x\\vexal.exe /arm 2", u"C:\\\u00dcbung x\\vexal.exe"),
              (Args{u"/arm", u"2"}));
}

TEST(CommandLine, KnownArgumentsInAnyCaseWithSlashOrDash) {
    const struct {
        Args args;
        CommandRequest::Kind kind;
        int setting;
        std::u16string unknown;
    } cases[] = {
        {{}, CommandRequest::kNone, 0, u""},
        {{u"/restore"}, CommandRequest::kRestore, 0, u""},
        {{u"-DETONATE"}, CommandRequest::kDetonate, 0, u""},
        {{u"/Arm", u"6"}, CommandRequest::kArm, 5, u""},
        {{u"-arm", u"1"}, CommandRequest::kArm, 0, u""},
        {{u"/disarm"}, CommandRequest::kDisarm, 0, u""},
        {{u"/show"}, CommandRequest::kShow, 0, u""},
        {{u"/exit"}, CommandRequest::kExit, 0, u""},
        // Refused, naming what could not be taken.
        {{u"/arm"}, CommandRequest::kUnknown, 0, u"/arm"},
        {{u"/arm", u"7"}, CommandRequest::kUnknown, 0, u"/arm 7"},
        {{u"/arm", u"03"}, CommandRequest::kUnknown, 0, u"/arm 03"},
        {{u"restore"}, CommandRequest::kUnknown, 0, u"restore"},
        {{u"/"}, CommandRequest::kUnknown, 0, u"/"},
        {{u"/hide"}, CommandRequest::kUnknown, 0, u"/hide"},
        {{u"/show", u"now"}, CommandRequest::kUnknown, 0, u"now"},
        {{u"/arm", u"2", u"/exit"}, CommandRequest::kUnknown, 0, u"/exit"},
        // An empty argument, "" on the line, named as it was typed.
        {{u""}, CommandRequest::kUnknown, 0, u"\"\""},
        {{u"/show", u""}, CommandRequest::kUnknown, 0, u"\"\""},
        {{u"-arm", u""}, CommandRequest::kUnknown, 0, u"-arm \"\""},
    };
    for (const auto& c : cases) {
        const CommandRequest r = ReadCommandRequest(c.args);
        EXPECT_EQ(r.kind, c.kind) << c.args.size();
        EXPECT_EQ(r.setting, c.setting);
        EXPECT_EQ(r.argument, c.unknown);
        EXPECT_EQ(r.settingMissing, c.unknown.rfind(u"/arm", 0) == 0 || c.unknown.rfind(u"-arm", 0) == 0);
    }
}

TEST(ProgramList, ReadsWhatItCanAndSkipsTheRest) {
    EXPECT_EQ(ParseProgramList(""), ProgramPatterns());
    EXPECT_EQ(ParseProgramList(" QQ.exe ;WeChat.exe;;chrome*.exe; "),
              (ProgramPatterns{u"QQ.exe", u"WeChat.exe", u"chrome*.exe"}));
    EXPECT_EQ(ParseProgramList("\xe9\x9f\xb3\xe4\xb9\x90.exe"), ProgramPatterns{u"音乐.exe"});
    // Not UTF-8, a path, a character no file name holds, an overlong form.
    EXPECT_EQ(ParseProgramList("\xd2\xf4.exe;C:\\a.exe;a|b.exe;\xc0\xae.exe;ok.exe"), ProgramPatterns{u"ok.exe"});
    EXPECT_EQ(ParseProgramList(std::string(261, 'a') + ";" + std::string(260, 'b')).size(), 1u);
}

TEST(ProgramList, MatchesInAnyCaseWithWildcards) {
    const ProgramPatterns patterns = ParseProgramList("QQ.exe;chrome*.exe;?????.EXE;音乐*;Ärgerlich.exe");
    for (const char16_t* name :
         {u"qq.EXE", u"chrome.exe", u"Chrome_Beta.exe", u"notes.exe", u"音乐台.exe", u"ärgerlich.exe"})
        EXPECT_TRUE(MatchesProgram(patterns, name));
    for (const char16_t* name : {u"qq.exe.bak", u"xchrome.exe", u"note.exe", u"音台.exe", u"argerlich.exe", u""})
        EXPECT_FALSE(MatchesProgram(patterns, name));
    // Many stars against a long name that fails stays quick.
    EXPECT_FALSE(MatchesProgram({u"*a*a*a*a*a*a*a*b"}, std::u16string(250, u'a')));
}

}  // namespace
