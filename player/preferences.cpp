// Reading the preferences with the HKEY_USERS ".Default" fallback.
#include "preferences.h"

#include "qxregistry.h"

#include <cstdio>
#include <string>

namespace {

struct PrefKeys {
    HKEY user;
    HKEY fallback;  // null when HKEY_USERS\.Default\<key> cannot be opened
};

int ReadInt(const PrefKeys& keys, const char* section, const char* name, int def)
{
    int value = def;
    if (!GetRegistryStrValueAsInteger(keys.user, section, name, def, &value) && keys.fallback)
        GetRegistryStrValueAsInteger(keys.fallback, section, name, def, &value);
    return value;
}

std::string ReadText(const PrefKeys& keys, const char* section, const char* name, const char* def)
{
    QXSTRING value;
    if (!GetRegistryStrValueAsString(keys.user, section, name, def, &value) && keys.fallback)
        GetRegistryStrValueAsString(keys.fallback, section, name, def, &value);
    return static_cast<const char*>(value);
}

}  // namespace

int ReadPreferences(PREFERENCES& p, const char* key)
{
    PrefKeys keys{nullptr, nullptr};
    std::string fallback = std::string(".Default\\") + key;
    if (RegOpenKeyExA(HKEY_USERS, fallback.c_str(), 0, KEY_READ, &keys.fallback) != ERROR_SUCCESS)
        keys.fallback = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_READ, nullptr, &keys.user, nullptr) !=
        ERROR_SUCCESS) {
        if (keys.fallback) RegCloseKey(keys.fallback);
        return 0;
    }
    const char* conf = "Configuration";
    p.modeOuvertureFichiers = ReadInt(keys, conf, "ModeOuvertureFichiers", 0);
    p.historiqueActif = ReadInt(keys, conf, "HistoriqueActif", 1) != 0 ? 1 : 0;
    p.limiteFichiersHistorique = ReadInt(keys, conf, "LimiteFichiersHistorique", 4);
    if (p.limiteFichiersHistorique > 10) p.limiteFichiersHistorique = 10;
    p.typeFichiersHistorique = ReadInt(keys, conf, "TypeFichiersHistorique", 3);
    if (p.typeFichiersHistorique < 1 || p.typeFichiersHistorique > 3) p.typeFichiersHistorique = 3;
    const char* env = "Environnement";
    p.grilleX = ReadInt(keys, env, "GrilleX", 10);
    p.grilleY = ReadInt(keys, env, "GrilleY", 10);
    p.grilleVisible = ReadInt(keys, env, "GrilleVisible", 1);
    p.grilleActive = ReadInt(keys, env, "GrilleActive", 1);
    p.couleurGrilleR = ReadInt(keys, env, "CouleurGrilleR", 255);
    p.couleurGrilleV = ReadInt(keys, env, "CouleurGrilleV", 255);
    p.couleurGrilleB = ReadInt(keys, env, "CouleurGrilleB", 0);
    p.fichierSignets = ReadText(keys, env, "FichierSignets", "");
    p.premiereFois = ReadInt(keys, env, "PremiereFois", 1);
    p.afficherTruc = ReadInt(keys, env, "AfficherTruc", 1);
    p.afficherNavigateur = ReadInt(keys, env, "AfficherNavigateur", 0);
    p.applicationX1 = ReadInt(keys, env, "ApplicationX1", 0);
    p.applicationY1 = ReadInt(keys, env, "ApplicationY1", 0);
    p.applicationX2 = ReadInt(keys, env, "ApplicationX2", 0);
    p.applicationY2 = ReadInt(keys, env, "ApplicationY2", 0);
    p.applicationMax = ReadInt(keys, env, "ApplicationMax", 1);
    p.autoSave = ReadInt(keys, env, "AutoSave", 0);
    p.history.clear();
    if (p.historiqueActif) {
        for (int n = 1; n <= 10; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "Fichier%d", n);
            std::string entry = ReadText(keys, "HistoriqueFichiers", name, "");
            if (entry.empty()) break;
            p.history.push_back(entry);
        }
    }
    RegCloseKey(keys.user);
    if (keys.fallback) RegCloseKey(keys.fallback);
    return 1;
}
