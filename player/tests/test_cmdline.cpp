// The command line: quotes, switches taken as tokens, developer switches.
#include "cmdline.h"

#include <gtest/gtest.h>

struct CmdCase {
    const char* line;
    const char* document;
    bool developer, slideShow, progOptions;
    const char* bookmarkFile;
};

class CommandLineTable : public ::testing::TestWithParam<CmdCase> {};

TEST_P(CommandLineTable, ParsesAsTheTableSays)
{
    const CmdCase& c = GetParam();
    COMMANDLINE parsed = ParseCommandLine(c.line);
    EXPECT_EQ(c.document, parsed.document) << c.line;
    EXPECT_EQ(c.developer, parsed.developer) << c.line;
    EXPECT_EQ(c.slideShow, parsed.slideShow) << c.line;
    EXPECT_EQ(c.progOptions, parsed.progOptions) << c.line;
    EXPECT_EQ(c.bookmarkFile, parsed.bookmarkFile) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTable,
    ::testing::Values(
        CmdCase{"", "", false, false, false, ""},
        CmdCase{"  C:\\pub\\demo.xsc  ", "C:\\pub\\demo.xsc", false, false, false, ""},
        CmdCase{"\"C:\\Mes documents\\demo.xsc\" -G", "C:\\Mes documents\\demo.xsc", false, false, false, ""},
        CmdCase{"\"C:\\a b\\p.xsc\" -WEXOR -G", "C:\\a b\\p.xsc", true, true, false, ""},
        CmdCase{"-G -WEXOR p.xsc", "p.xsc", true, false, false, ""},
        CmdCase{"-wexor -S=C:\\m.qxb -G p.xsc", "p.xsc", true, true, false, "C:\\m.qxb"},
        CmdCase{"-WEXOR -p -k -i one.pag two.pag", "one.pag", true, false, true, ""},
        CmdCase{"-S=C:\\m.qxb p.xsc", "p.xsc", false, false, false, ""},
        CmdCase{"-Wexor -G p.xsc", "-Wexor", false, false, false, ""},
        CmdCase{"-n C:\\my-news\\pub.xsc", "C:\\my-news\\pub.xsc", false, false, false, ""},
        CmdCase{"-nx p.xsc", "-nx", false, false, false, ""},
        CmdCase{"- p.xsc", "-", false, false, false, ""},
        CmdCase{"\"unclosed p.xsc", "\"unclosed", false, false, false, ""}));

struct InternetCase {
    const char* line;
    bool internet;
};

class InternetSwitch : public ::testing::TestWithParam<InternetCase> {};

TEST_P(InternetSwitch, OnlyATokenTurnsTheInternetLibraryOff)
{
    EXPECT_EQ(GetParam().internet, CommandLineWantsInternet(GetParam().line)) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Lines, InternetSwitch,
                         ::testing::Values(InternetCase{"p.xsc", true}, InternetCase{"-n p.xsc", false},
                                           InternetCase{"p.xsc -N", false},
                                           InternetCase{"C:\\my-news\\pub.xsc", true},
                                           InternetCase{"\"C:\\a -n b\\pub.xsc\"", true},
                                           InternetCase{"\"C:\\a b\\pub.xsc\" -n", false},
                                           InternetCase{"-nx p.xsc", true}));
