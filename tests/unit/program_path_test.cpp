#include <gtest/gtest.h>

#include "settings/ProgramPath.h"

namespace {

ShortPathLookup Returns(std::u16string shortPath) {
    return [shortPath](const std::u16string&) { return shortPath; };
}

TEST(ProgramPath, ChoosesTheFirstFormThatConvertsExactly) {
    struct Case {
        const char* what;
        std::u16string path;
        std::u16string shortPath;
        PathChoice choice;
        std::string gbk;
    };
    const Case cases[] = {
        {"ASCII", u"C:\\tools\\run.exe", u"C:\\TOOLS\\RUN.EXE", PathChoice::AsChosen, "C:\\tools\\run.exe"},
        {"Chinese", u"C:\\程序\\运行.exe", u"", PathChoice::AsChosen, "C:\\\xb3\xcc\xd0\xf2\\\xd4\xcb\xd0\xd0.exe"},
        {"Thai, short form", u"C:\\ทดสอบ\\a.exe", u"C:\\BF8A~1\\A.EXE", PathChoice::ShortForm, "C:\\BF8A~1\\A.EXE"},
        {"Thai, no short form", u"C:\\ทดสอบ\\a.exe", u"", PathChoice::Refused, "old"},
        {"Thai, short form Thai too", u"C:\\ก.exe", u"C:\\ก.exe", PathChoice::Refused, "old"},
        {"emoji", u"C:\\\U0001F4A3.exe", u"C:\\X.EXE", PathChoice::ShortForm, "C:\\X.EXE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string gbk = "old";
        EXPECT_EQ(ChooseProgramPath(c.path, Returns(c.shortPath), gbk), c.choice);
        EXPECT_EQ(gbk, c.gbk);
    }
}

TEST(ProgramPath, WithoutALookupAnUnfitPathIsRefused) {
    std::string gbk = "kept";
    EXPECT_EQ(ChooseProgramPath(u"ก", nullptr, gbk), PathChoice::Refused);
    EXPECT_EQ(gbk, "kept");
}

}  // namespace
