// The programs that a test program finds beside itself (stand-in servers, helper programs),
// and running one of them to its end.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running test program, with its final backslash.
std::string TestProgramFolder();

// Runs the command line and waits for it to end: its exit code, -1 when it could not be started.
DWORD RunProgram(std::string commandLine);
// Runs `program` of that folder with `arguments` and waits for it to end: its exit code,
// -1 when it could not be started.
DWORD RunTestProgram(const char* program, const char* arguments);

// The stand-in media server, which tests register ("/REGSERVER") and unregister
// ("/UNREGSERVER") as its installer would.
constexpr const char* QX_MEDIA_SERVER_PROGRAM = "QXQuickTime.exe";

inline DWORD RunMediaServer(const char* option) { return RunTestProgram(QX_MEDIA_SERVER_PROGRAM, option); }

// Whether a process of that program file name runs, among those `parent` started when one is
// given; with `end`, every one of them is ended first.
bool ProcessRuns(const char* exeName, bool end = false, DWORD parent = 0);
