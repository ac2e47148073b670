// What the component's FTP and HTTP objects share: the account, the time-out and the action
// that runs.
#pragma once

#include "action_wait.h"
#include "ipworks_api.h"
#include "socket_channel.h"

#include <string>

// A data block is at most what a 16-bit length can tell.
constexpr int DataBlockBytes = 65535;

// A property text as stored: null reads as empty.
inline std::string PropertyText(const char* text) { return text ? text : ""; }

template <class Interface>
class ComponentObject : public Interface {
public:
    int GetAction() const override { return action_; }
    int SetUser(const char* user) override
    {
        user_ = PropertyText(user);
        return IPWORKS_OK;
    }
    int SetPassword(const char* password) override
    {
        password_ = PropertyText(password);
        return IPWORKS_OK;
    }
    int SetTimeout(int seconds) override
    {
        wait_.SetTimeout(seconds);
        return IPWORKS_OK;
    }

protected:
    WinsockUse winsock_;
    ActionWait wait_;
    std::string user_;
    std::string password_;
    int action_ = 0;
};
