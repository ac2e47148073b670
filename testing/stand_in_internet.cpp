// Binding the stand-in transfer library for a test.
#include "stand_in_internet.h"

#include "kernel.h"
#include "test_programs.h"
#include "webdouble/webdouble_probe.h"

namespace {

const char LibraryName[] = "QXWEB40.DLL";

}  // namespace

StandInInternet::StandInInternet()
    : library_(LoadLibraryA((TestProgramFolder() + "webdouble\\" + LibraryName).c_str()))
{
    // The binding loads the library by its name, which finds the module of that name already
    // loaded before any file (the program's folder holds the real library).
    if (library_)
        KernStart(1);
}

StandInInternet::~StandInInternet()
{
    if (!library_)
        return;
    KernEnd();
    KernStart(0);
    FreeLibrary(library_);
}

std::string StandInInternet::Address(const char* protocol, const std::string& name) const
{
    std::string folder = server.Path();
    folder.pop_back();
    return protocol + folder + "/" + name;
}

std::string StandInInternet::Journal() const
{
    const auto journal = reinterpret_cast<WebDoubleJournalFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library_, WEB_DOUBLE_JOURNAL)));
    return journal ? journal() : "";
}
