// The player as the soak drives it: started on a publication as a slide show, its pages
// changed by the key that shows the next slide, and closed.
#pragma once

#include <windows.h>

#include <string>

class SoakPlayer {
public:
    // Starts qxstage30.exe (beside this program) on the publication, the bookmarks played as
    // a slide show; false when it could not start or showed no page within the time.
    bool Start(const std::string& publication, const std::string& bookmarks);
    // Asks for the next slide as a user would, with the right arrow key, and waits until
    // another page is shown; false when none came within the time.
    bool NextPage();
    // Closes the player, ended by force when it does not go.
    void Close();

    HANDLE Process() const { return process_.hProcess; }
    // The titles of the player's windows, which name the page shown.
    std::string Titles() const;

private:
    bool WaitForTitlesOtherThan(const std::string& titles, DWORD ms) const;

    PROCESS_INFORMATION process_{};
};
