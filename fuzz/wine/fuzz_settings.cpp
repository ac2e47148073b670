// The publication settings target: both forms of a ".XSC", read as the player reads them.
#include "fuzz_targets.h"

#include "pubsettings.h"

void ReadSettingsFile(const std::string& path)
{
    PUBSETTINGS settings;
    SetPubDefaults(settings);
    if (HasGeneralKeys(path.c_str()))
        ReadIniForm(path.c_str(), settings, 1024, 768);
    else
        ReadOlderForm(path.c_str(), settings);
    DropUnusedNames(settings);
}
