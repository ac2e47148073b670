// A program for the tests of started programs: writes its command line to "<itself>.args"
// and exits with the number its first argument gives (0 without one).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    char record[MAX_PATH + 8];
    std::snprintf(record, sizeof record, "%s.args", self);
    if (FILE* out = std::fopen(record, "wb")) {
        std::fputs(GetCommandLineA(), out);
        std::fclose(out);
    }
    return argc > 1 ? std::atoi(argv[1]) : 0;
}
