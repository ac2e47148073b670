// Carrying out a file type's action through DDE: a client conversation with the action's
// server, one execute transaction, and the end of the conversation.
#include "qxfiletypes.h"

#include <cstring>

namespace {

// A client that only executes has nothing to answer.
HDDEDATA CALLBACK AnswerNothing(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

constexpr DWORD ExecuteTimeoutMs = 90000;

}  // namespace

int qutl_CRegFileType::ProcessDdeAction(const char* verb, int useDdeCommand)
{
    if (!verb)
        return QX_FILETYPE_NULL_ARGUMENT;
    const qutl_CRegFileTypeAction* action = FindActionOrOpen(verb);
    if (!action)
        return QX_FILETYPE_NOT_REGISTERED;
    if (!action->hasDde)
        return QX_FILETYPE_UNREADABLE;
    if (!DdeConnectToServer(action->application, action->topic))
        return QX_FILETYPE_DDE_CONNECT;
    QXSTRING command;
    BuildCmdLineStr(useDdeCommand ? action->ddeCommand : action->ifExec, &command);
    const int executed = DdeExec(command, 0);
    DdeDisconnectFromServer();
    return executed ? QX_FILETYPE_OK : QX_FILETYPE_DDE_EXECUTE;
}

int qutl_CRegFileType::DdeConnectToServer(const char* application, const char* topic)
{
    DdeDisconnectFromServer();
    // An empty service name would connect to whichever server answers first.
    if (!application || !*application)
        return 0;
    if (DdeInitializeA(&ddeInstance, AnswerNothing, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        ddeInstance = 0;
        return 0;
    }
    const HSZ service = DdeCreateStringHandleA(ddeInstance, application, CP_WINANSI);
    const HSZ topicName = DdeCreateStringHandleA(ddeInstance, topic && *topic ? topic : "System", CP_WINANSI);
    if (service && topicName)
        conversation = DdeConnect(ddeInstance, service, topicName, nullptr);
    if (service)
        DdeFreeStringHandle(ddeInstance, service);
    if (topicName)
        DdeFreeStringHandle(ddeInstance, topicName);
    if (!conversation)
        DdeDisconnectFromServer();  // no instance is left behind either
    return conversation ? 1 : 0;
}

int qutl_CRegFileType::DdeExec(const char* command, int async)
{
    if (!conversation || !command)
        return 0;
    // An execute transaction answers TRUE, not a data handle: there is nothing to free.
    DWORD status = 0;
    return DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command)),
                                static_cast<DWORD>(std::strlen(command) + 1), conversation, nullptr, 0,
                                XTYP_EXECUTE, async ? TIMEOUT_ASYNC : ExecuteTimeoutMs, &status)
               ? 1
               : 0;
}

// The instance belongs to this thread's DDE state and would outlive the object: it ends with
// its conversation.
void qutl_CRegFileType::DdeDisconnectFromServer()
{
    if (conversation) {
        DdeDisconnect(conversation);
        conversation = nullptr;
    }
    if (ddeInstance) {
        DdeUninitialize(ddeInstance);
        ddeInstance = 0;
    }
}
