// The player's command line: the start document and the switches, parsed as blank-separated
// tokens so that a file name holding "-n" is never taken for a switch.
#pragma once

#include <string>

struct COMMANDLINE {
    std::string document;      // the start document as written, quotes removed
    bool developer = false;    // -WEXOR or -wexor seen (enables -G, -P, -S=, -K after it)
    bool slideShow = false;    // -G
    bool progOptions = false;  // -P
    std::string bookmarkFile;  // -S=<file>
};

COMMANDLINE ParseCommandLine(const std::string& line);

// False when a token "-n" or "-N" asks to run without the internet library.
bool CommandLineWantsInternet(const std::string& line);
