// The user's preferences, read once at start from HKEY_CURRENT_USER\<key>, each value falling
// back to HKEY_USERS\.Default\<key>. The player writes none back.
#pragma once

#include <string>
#include <vector>

struct PREFERENCES {
    int modeOuvertureFichiers = 0;
    int historiqueActif = 1;
    int limiteFichiersHistorique = 4;
    int typeFichiersHistorique = 3;
    int grilleX = 25, grilleY = 25;
    int grilleVisible = 0, grilleActive = 0;
    int couleurGrilleR = 255, couleurGrilleV = 255, couleurGrilleB = 0;
    std::string fichierSignets;
    int premiereFois = 1;
    int afficherTruc = 1;
    int afficherNavigateur = 0;
    int applicationX1 = 0, applicationY1 = 0, applicationX2 = 0, applicationY2 = 0;
    int applicationMax = 1;
    int autoSave = 0;
    std::vector<std::string> history;  // at most 10 entries
};

// Reads every value below `key` ("Software\...\"); 1 when the HKEY_CURRENT_USER key could be
// opened (it is created when missing), else 0 with the in-memory defaults kept.
int ReadPreferences(PREFERENCES& prefs, const char* key);
