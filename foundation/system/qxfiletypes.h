// File types and their associated actions, as registered below HKEY_CLASSES_ROOT: the type of
// a file name (the pseudo types "FTP" and "HTTP" for addresses), its shell verbs with their
// command lines and DDE settings, the command line of an action for the file, and actions
// carried out through DDE. Nothing here shows a message: the caller decides from the result.
#pragma once

#include "qxbase.h"
#include "qxlist.h"
#include "qxstring.h"

#include <ddeml.h>

// Results of qutl_CRegFileType.
constexpr int QX_FILETYPE_OK = 0;
constexpr int QX_FILETYPE_NULL_ARGUMENT = -1;
constexpr int QX_FILETYPE_UNREADABLE = -2;      // no memory, or a type or action key that cannot be read
constexpr int QX_FILETYPE_NOT_REGISTERED = -3;  // extension not registered, or no such action
constexpr int QX_FILETYPE_EXECUTABLE = -4;      // command line made from the associated executable
constexpr int QX_FILETYPE_USES_DDE = -5;        // command line of an action carried out through DDE
constexpr int QX_FILETYPE_DDE_CONNECT = -6;     // the DDE server did not answer
constexpr int QX_FILETYPE_DDE_EXECUTE = -7;     // the DDE server refused or did not run the command

// One shell verb of a type. Every text is the default value of its key, environment
// variables expanded.
class QXBASE_API qutl_CRegFileTypeAction : public LNODE {
public:
    explicit qutl_CRegFileTypeAction(const char* keyPath);
    // Empties every field but keyPath.
    void Reset();
    // Reads the verb's keys: 1 when read, 0 for an empty key path, a missing or valueless
    // "command" key, or a key whose value is not a string.
    int LoadActionKeyInfo();

    QXSTRING keyPath;      // <class>\shell\<verb>, below HKEY_CLASSES_ROOT
    QXSTRING name;         // the verb
    QXSTRING command;      // keyPath\command
    QXSTRING ddeCommand;   // keyPath\ddeexec
    QXSTRING ifExec;       // keyPath\ddeexec\ifexec, else ddeCommand: what to send to a server just started
    QXSTRING application;  // keyPath\ddeexec\application: the DDE service
    QXSTRING topic;        // keyPath\ddeexec\topic
    int hasDde = 0;        // 1 when keyPath\ddeexec exists
};

class QXBASE_API qutl_CRegFileTypeActionList : public LIST {
public:
    // Index of the first action named `verb` without regard to case; -1 when none or null.
    long FindActionByName(const char* verb);
};

// Action names handed to the caller: QXStringNode items.
class QXBASE_API qutil_CActionList : public LIST {
public:
    // Index of the first name equal to `name` without regard to case; -1 when none or null.
    long FindAction(const char* name);
};

class QXBASE_API qutl_CRegFileType : public qutl_CRegFileTypeActionList {
public:
    qutl_CRegFileType();
    ~qutl_CRegFileType() override;

    // Stores the name and its extension and builds the list of the type's actions (a new
    // list on every call); the result is also kept as the state. -1 for a null name.
    int SetFileName(const char* name);
    // Copies the stored name when `out` is given; the state (-2 before any SetFileName).
    int GetFileNameStr(QXSTRING* out);
    // Empties `out` and appends the name of each action in list order; 0, or -1 for a null list.
    int GetActions(qutil_CActionList* out);
    // The command line of the action `verb`, else of "open": 0, or -5 when the action is carried
    // out through DDE. Without such an action: the associated executable followed by the file
    // name and -4, else -3. -1 for a null argument; `cmd` is emptied first.
    int GetActionCmdLineStr(const char* verb, QXSTRING* cmd);
    // Fills a command template with the stored file name: %0, %1, %L, %l and %* give the name,
    // %2 to %9 nothing, %% one '%'; anything else is copied as it stands. A null template gives
    // an empty command. 0, or -1 for a null `cmd`.
    int BuildCmdLineStr(const char* command, QXSTRING* cmd);
    // Carries the action `verb` (else "open") out through DDE: the action's DDE command (when
    // useDdeCommand is non-zero) or its ifexec command, filled with the file name, sent to the
    // action's server and topic. 0 when executed; -1, -2 (no DDE), -3, -6 or -7.
    int ProcessDdeAction(const char* verb, int useDdeCommand);

    // One conversation at a time, in a DDE instance of its own that lives only as long as the
    // conversation. 1 when connected; an empty service is refused and an empty topic means
    // "System", as the shell does.
    int DdeConnectToServer(const char* application, const char* topic);
    // Sends the command (terminator included) as an execute transaction, synchronously with a
    // 90-second time-out unless `async`; 1 when the server took it.
    int DdeExec(const char* command, int async);
    // Ends the conversation and the instance.
    void DdeDisconnectFromServer();

private:
    int BuildActionList(const QXSTRING& typeKey, bool pseudoType);
    // The action `verb`, else the action "open"; null when neither exists.
    qutl_CRegFileTypeAction* FindActionOrOpen(const char* verb);

    QXSTRING fileName;
    QXSTRING extension;  // from the last '.' of the name, or "." when it has none
    int state;
    DWORD ddeInstance = 0;
    HCONV conversation = nullptr;
};
