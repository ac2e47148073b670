// Internet access for a test through the foundation's stand-in transfer library, which serves
// the files of a scratch folder as its server: what a kernel fetches from an address of
// Address() lands in the kernel's file cache as it would from a real server.
#pragma once

#include "scratch_dir.h"

#include <windows.h>

#include <string>

class StandInInternet {
public:
    // Loads the stand-in before the binding looks for the library by its name, and starts the
    // kernel's process with internet access.
    StandInInternet();
    // Joins the stand-in's transfers and goes back to a process without internet access.
    ~StandInInternet();
    StandInInternet(const StandInInternet&) = delete;
    StandInInternet& operator=(const StandInInternet&) = delete;

    bool Bound() const { return library_ != nullptr; }
    // "<protocol><server folder>/<name>", protocol "HTTP://" or "FTP://".
    std::string Address(const char* protocol, const std::string& name) const;
    // The calls the stand-in received since it was loaded, one line each.
    std::string Journal() const;

    ScratchDir server;

private:
    HMODULE library_;
};
