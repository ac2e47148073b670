// The English and French forms: captions, tabs and the page each opens on.
#include "form_driver.h"
#include "qxnetdlg.h"
#include "resource.h"
#include "scratch_settings.h"

#include "dialog_items.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct CAPTION {
    int id;
    const char* english;
    const char* french;
};

const CAPTION kCaptions[] = {
    {IDOK, "&Close", "&Fermer"},
    {IDC_GROUP_FTP_SETTINGS, "FTP &Settings", "Paramè&tres FTP"},
    {IDC_TEXT_DATA_CONNECTIONS, "Data connections are established using the following command ...",
     "Les connections sont établies en utilisant la commande suivante ..."},
    {IDC_RADIO_DIRECT_FTP, "PO&RT (Direct FTP)", "P&ORT (FTP direct)"},
    {IDC_RADIO_PASSIVE_FTP, "P&ASV (Passive FTP)", "P&ASV (FTP passif)"},
    {IDC_GROUP_TCPIP_FTP, "&TCP/IP Settings for FTP", "Para&mètres TCP/IP pour FTP"},
    {IDC_LABEL_PORT_FTP, "FTP P&ort", "Po&rt FTP"},
    {IDC_CHECK_PROXY_FTP, "Co&nnect Through the Proxy", "&Se connecter à travers le proxy"},
    {IDC_GROUP_TCPIP_HTTP, "&TCP/IP Settings for HTTP", "Para&mètres TCP/IP pour HTTP"},
    {IDC_LABEL_PORT_HTTP, "HTTP P&ort", "Po&rt HTTP"},
    {IDC_CHECK_PROXY_HTTP, "Co&nnect Through the Proxy", "&Se connecter à travers le proxy"},
    {IDC_GROUP_PROXY_LOGON, "Proxy &Logon (FTP)", "&Logon sur le proxy (FTP)"},
    {IDC_LABEL_PROXY_USERNAME, "&Username", "U&sager"},
    {IDC_LABEL_PROXY_PASSWORD, "Pass&word", "M&ot de passe"},
    {IDC_RADIO_PROXY_NO_LOGON, "&No logon is required", "L&e logon n'est pas requis"},
    {IDC_RADIO_PROXY_LOGON, "L&ogon using this account", "&Utiliser ce compte pour le logon"},
    {IDC_GROUP_TCPIP_PROXY, "&TCP/IP Settings for the Proxy", "Para&mètres TCP/IP pour le proxy"},
    {IDC_LABEL_FTP_PROXY_ADDRESS, "Proxy Server &Address (FTP)", "&Addresse du serveur proxy (FTP)"},
    {IDC_LABEL_HTTP_PROXY_ADDRESS, "Pro&xy Server Address (HTTP)", "Addresse du serveur pro&xy (HTTP)"},
    {IDC_GROUP_REMOTE_CONNECTION, "&Remote Connection (FTP)", "&Connection distante (FTP)"},
    {IDC_TEXT_AFTER_CONNECTING, "After connecting to the remote site ...", "Après que la connexion est été établie:"},
    {IDC_RADIO_AFTER_NO_LOGON, "No lo&gon is required", "Pas de lo&gon requis"},
    {IDC_RADIO_AFTER_PASS, "Sen&d Password only", "Envoyer mot &de passe"},
    {IDC_RADIO_AFTER_USER, "Send User Name onl&y", "Envo&yer usager"},
    {IDC_RADIO_AFTER_BOTH, "Send User Na&me and Password", "En&v. usager et mot de passe"},
    {IDC_TEXT_COMMAND_FORMAT, "The proxy command format to connect to a remote site is ...",
     "La commande envoyée  lors de la connexion avec le proxy est ..."},
    {IDC_RADIO_COMMAND_USER, "&USER <Name>@<RemoteSite>", "&USER <Name>@<RemoteSite>"},
    {IDC_RADIO_COMMAND_SITE, "S&ITE <RemoteSite>", "S&ITE <RemoteSite>"},
    {IDC_RADIO_COMMAND_OPEN, "OP&EN <RemoteSite>", "OP&EN <RemoteSite>"},
};

struct LANGUAGE_CASE {
    const char* name;
    std::function<int(HKEY, const char*)> show;
    bool french;
};

const LANGUAGE_CASE kLanguages[] = {
    {"ShowModal_English", ShowModal_English, false},
    {"ShowModal_French", ShowModal_French, true},
    {"ShowModal 0", [](HKEY root, const char* key) { return ShowModal(0, root, key); }, false},
    {"ShowModal 1", [](HKEY root, const char* key) { return ShowModal(1, root, key); }, true},
    {"ShowModal 255", [](HKEY root, const char* key) { return ShowModal(255, root, key); }, true},
};

TEST(Texts, EachFormShowsItsLanguage)
{
    for (const auto& language : kLanguages) {
        SCOPED_TRACE(language.name);
        ScratchSettings settings;
        ModalScript script({OnForm([&](HWND form) {
            const bool french = language.french;
            EXPECT_EQ(french ? "Configuration R\xE9seau" : "Network Configuration", WindowText(form));
            for (const CAPTION& caption : kCaptions)
                EXPECT_EQ(french ? caption.french : caption.english, FormItemText(form, caption.id)) << caption.id;
            EXPECT_EQ(french ? "F&TP" : "&FTP", TabText(form, 0));
            EXPECT_EQ("&HTTP", TabText(form, 1));
            EXPECT_EQ("&Proxy", TabText(form, 2));
            // The English form opens on its FTP page, the French one on its proxy page.
            EXPECT_EQ(french ? 2 : 0, ShownPage(form));
            PressCloseBox(form);
        })});
        EXPECT_EQ(2, language.show(HKEY_CURRENT_USER, settings.BaseKey()));
        EXPECT_TRUE(script.Finished());
    }
}

TEST(Texts, TheTabsBringUpTheirPages)
{
    ScratchSettings settings;
    ModalScript script({OnForm([](HWND form) {
        const int onEachPage[] = {IDC_CHECK_PROXY_FTP, IDC_CHECK_PROXY_HTTP, IDC_RADIO_PROXY_LOGON};
        for (int page = 2; page >= 0; --page) {
            ClickItem(form, onEachPage[page]);
            EXPECT_EQ(page, ShownPage(form));
        }
        PressCloseBox(form);
    })});
    EXPECT_EQ(2, ShowModal_French(HKEY_CURRENT_USER, settings.BaseKey()));
    EXPECT_TRUE(script.Finished());
}

TEST(Texts, ThePagesLeaveTheTabsUncovered)
{
    ScratchSettings settings;
    ModalScript script({OnForm([](HWND form) {
        const HWND tabs = FormItem(form, IDC_PAGES);
        RECT tab;
        SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&tab), 2);
        for (int id : {IDC_EDIT_PORT_FTP, IDC_EDIT_PORT_HTTP, IDC_EDIT_PROXY_USERNAME}) {
            RECT page;
            GetWindowRect(GetParent(FormItem(form, id)), &page);
            EXPECT_GE(page.top, tab.bottom) << id;
        }
        PressCloseBox(form);
    })});
    EXPECT_EQ(2, ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey()));
    EXPECT_TRUE(script.Finished());
}

}  // namespace
