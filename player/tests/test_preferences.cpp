// Preferences: the table's defaults and limits, the HKEY_USERS ".Default" fallback and the
// file history that stops at the first empty entry.
#include "preferences.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char* kKey = "Software\\QorvexTests\\Preferences 4.0\\";

void Put(HKEY root, const std::string& subkey, const char* name, const char* value)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                             nullptr));
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
    RegCloseKey(key);
}

class Preferences : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QorvexTests");
        RegDeleteTreeA(HKEY_USERS, ".Default\\Software\\QorvexTests");
    }
    std::string User(const char* section) { return std::string(kKey) + section; }
    std::string Fallback(const char* section) { return std::string(".Default\\") + kKey + section; }
};

}  // namespace

TEST_F(Preferences, AnEmptyKeyGivesTheTableDefaults)
{
    PREFERENCES p;
    ASSERT_EQ(1, ReadPreferences(p, kKey));
    EXPECT_EQ(10, p.grilleX);  // the table's default replaces the construction's 25
    EXPECT_EQ(1, p.grilleVisible);
    EXPECT_EQ(4, p.limiteFichiersHistorique);
    EXPECT_EQ(3, p.typeFichiersHistorique);
    EXPECT_EQ(0, p.afficherNavigateur);
    EXPECT_EQ(1, p.applicationMax);
    EXPECT_EQ("", p.fichierSignets);
    EXPECT_TRUE(p.history.empty());
}

TEST_F(Preferences, LimitsApply)
{
    Put(HKEY_CURRENT_USER, User("Configuration"), "LimiteFichiersHistorique", "25");
    Put(HKEY_CURRENT_USER, User("Configuration"), "TypeFichiersHistorique", "0");
    Put(HKEY_CURRENT_USER, User("Configuration"), "HistoriqueActif", "7");
    PREFERENCES p;
    ASSERT_EQ(1, ReadPreferences(p, kKey));
    EXPECT_EQ(10, p.limiteFichiersHistorique);
    EXPECT_EQ(3, p.typeFichiersHistorique);
    EXPECT_EQ(1, p.historiqueActif);
}

TEST_F(Preferences, AValueOnlyUnderDefaultUserIsUsed)
{
    Put(HKEY_USERS, Fallback("Environnement"), "FichierSignets", "C:\\signets.qxb");
    Put(HKEY_USERS, Fallback("Environnement"), "AfficherNavigateur", "1");
    Put(HKEY_USERS, Fallback("Environnement"), "GrilleX", "40");
    Put(HKEY_CURRENT_USER, User("Environnement"), "GrilleX", "12");
    PREFERENCES p;
    ASSERT_EQ(1, ReadPreferences(p, kKey));
    EXPECT_EQ("C:\\signets.qxb", p.fichierSignets);
    EXPECT_EQ(1, p.afficherNavigateur);
    EXPECT_EQ(12, p.grilleX);  // the current user wins
}

TEST_F(Preferences, HistoryStopsAtTheFirstEmptyEntry)
{
    Put(HKEY_CURRENT_USER, User("HistoriqueFichiers"), "Fichier1", "a.xsc");
    Put(HKEY_CURRENT_USER, User("HistoriqueFichiers"), "Fichier2", "b.xsc");
    Put(HKEY_CURRENT_USER, User("HistoriqueFichiers"), "Fichier4", "d.xsc");
    PREFERENCES p;
    ASSERT_EQ(1, ReadPreferences(p, kKey));
    ASSERT_EQ(2u, p.history.size());
    EXPECT_EQ("b.xsc", p.history[1]);
}

TEST_F(Preferences, NoHistoryWhenItIsOff)
{
    Put(HKEY_CURRENT_USER, User("Configuration"), "HistoriqueActif", "0");
    Put(HKEY_CURRENT_USER, User("HistoriqueFichiers"), "Fichier1", "a.xsc");
    PREFERENCES p;
    ASSERT_EQ(1, ReadPreferences(p, kKey));
    EXPECT_TRUE(p.history.empty());
}
