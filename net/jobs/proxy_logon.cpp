// The FTP proxy log-on built from the stored command style.
#include "proxy_logon.h"

std::vector<std::string> ProxyLogonCommands(const std::string& commandStyle, const std::string& host,
                                            const std::string& user, const std::string& password)
{
    std::string command = commandStyle;
    const auto replaceFirst = [&command](const char* mark, const std::string& by) {
        const size_t at = command.find(mark);
        if (at == std::string::npos)
            return false;
        command.replace(at, std::char_traits<char>::length(mark), by);
        return true;
    };
    if (!replaceFirst("$host$", host))
        return {};
    const bool namesPassword = replaceFirst("$pass$", password);
    const bool namesUser = replaceFirst("$user$", user);
    std::vector<std::string> commands = {command};
    if (!namesUser)
        commands.push_back("USER " + user);
    if (!namesPassword)
        commands.push_back("PASS " + password);
    return commands;
}
