// Entry point of every test executable.
#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv)
{
    // A missing floppy or CD-ROM must never stop a test with a system box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
