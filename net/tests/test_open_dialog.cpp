// The library's open-file dialog under Wine, played by messages against the FTP server: the
// Internet block of the look-in combo, browsing a saved server with its folder items, the
// results of Open, the saved URLs, a lost connection and the address-list dialog.
#include <winsock2.h>

#include "open_dialog_fixture.h"
#include "dialog_items.h"
#include "registry_values.h"
#include "test_canvas.h"
#include "transfer_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr LRESULT Header = -2, Server = -3, Url = -4, AddRemove = -5, Folder = -6, CurrentFolder = -7;

// The folder items of the combo, as text and data.
std::vector<std::pair<std::string, LRESULT>> FolderItems(HWND dialog)
{
    std::vector<std::pair<std::string, LRESULT>> folders;
    for (const auto& item : ComboItems(dialog)) {
        if (item.second == Folder || item.second == CurrentFolder)
            folders.push_back(item);
    }
    return folders;
}

bool Listed(HWND dialog, const std::vector<std::string>& names)
{
    const std::vector<std::string> rows = Rows(FtpView(dialog));
    for (const std::string& name : names) {
        if (std::find(rows.begin(), rows.end(), name) == rows.end())
            return false;
    }
    return Idle(dialog);
}

// A step that waits until the FTP view lists these names and the dialog takes input again.
DialogStep WaitForRows(std::vector<std::string> names)
{
    return [names](HWND dialog) { return Listed(dialog, names) ? STEP_NEXT : STEP_AGAIN; };
}

DialogStep Do(std::function<void(HWND)> action)
{
    return [action](HWND dialog) {
        action(dialog);
        return STEP_NEXT;
    };
}

}  // namespace

class OpenDialogSteps : public OpenDialog {
protected:
    // Chooses the saved server and waits for its root.
    std::vector<DialogStep> ToServerRoot()
    {
        return {Do([this](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, server)); }), WaitForRows({"pub", "a"})};
    }
    // Then into /pub.
    std::vector<DialogStep> ToPub()
    {
        std::vector<DialogStep> steps = ToServerRoot();
        steps.push_back(Do([](HWND dialog) { ClickRows(FtpView(dialog), {"pub"}, NM_DBLCLK); }));
        steps.push_back(WaitForRows({"a.txt", "b.txt"}));
        return steps;
    }
    // What the server's root lists: our folders, then the files every case of the program serves.
    static std::vector<std::string> RootRows()
    {
        std::vector<std::string> rows = {"a", "pub"};
        for (const TransferFixture& fixture : TransferFixtures())
            rows.push_back(fixture.name);
        std::sort(rows.begin() + 2, rows.end(), [](const std::string& x, const std::string& y) {
            return lstrcmpiA(x.c_str(), y.c_str()) < 0;
        });
        return rows;
    }
    static std::vector<DialogStep> Then(std::vector<DialogStep> steps, std::vector<DialogStep> more)
    {
        steps.insert(steps.end(), more.begin(), more.end());
        return steps;
    }
};

TEST_F(OpenDialogSteps, TheInternetBlockFollowsTheLocalItems)
{
    std::vector<std::pair<std::string, LRESULT>> items;
    std::string own;
    Run({[&](HWND dialog) {
        items = ComboItems(dialog);
        return IDCANCEL;
    }});
    const std::vector<std::pair<std::string, LRESULT>> block = {
        {"Adresses Internet (FTP)", Header},  {"Ajouter/Supprimer des adresses", AddRemove},
        {server, Server},                    {"Adresses Internet (URLs)", Header},
        {"Ajouter/Supprimer des URLs", AddRemove}, {HttpAddress("page.htm"), Url}};
    ASSERT_GT(items.size(), block.size());
    const std::vector<std::pair<std::string, LRESULT>> last(items.end() - static_cast<long>(block.size()), items.end());
    EXPECT_EQ(block, last);
    EXPECT_EQ("Desktop", items[0].first) << "the dialog's own items come first";
}

TEST_F(OpenDialogSteps, ChoosingTheServerListsItsRoot)
{
    std::vector<std::string> rows;
    std::string selected;
    size_t folders = 99;
    Run(Then(ToServerRoot(), {[&](HWND dialog) {
                 rows = Rows(FtpView(dialog));
                 selected = SelectedItem(dialog);
                 folders = FolderItems(dialog).size();
                 EXPECT_TRUE(IsWindowVisible(FtpView(dialog)));
                 EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1121))) << "the dialog's own file view is gone";
                 return IDCANCEL;
             }}));
    EXPECT_EQ(RootRows(), rows) << "folders first, then files, by name";
    EXPECT_EQ(server, selected);
    EXPECT_EQ(0u, folders) << "the root has no folder items";
    EXPECT_TRUE(shown.empty());
    EXPECT_NE(std::string::npos, NetServers().FtpLog().find("USER anonymous\n"));
}

TEST_F(OpenDialogSteps, FolderItemsFollowTheRemoteFolder)
{
    using Items = std::vector<std::pair<std::string, LRESULT>>;
    Items inA, inB, inC;
    std::string selectedInC;
    Run(Then(ToServerRoot(),
             {Do([](HWND dialog) { ClickRows(FtpView(dialog), {"a"}, NM_DBLCLK); }), WaitForRows({"b", "c"}),
              Do([&](HWND dialog) { inA = FolderItems(dialog); }),
              Do([](HWND dialog) { ClickRows(FtpView(dialog), {"b"}, NM_DBLCLK); }), WaitForRows({"x.txt"}),
              Do([&](HWND dialog) { inB = FolderItems(dialog); }),
              Do([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 40961, 0); }), WaitForRows({"b", "c"}),
              Do([](HWND dialog) { ClickRows(FtpView(dialog), {"c"}, NM_DBLCLK); }), WaitForRows({"y.txt"}),
              [&](HWND dialog) {
                  inC = FolderItems(dialog);
                  selectedInC = SelectedItem(dialog);
                  return IDCANCEL;
              }}));
    EXPECT_EQ((Items{{" a", CurrentFolder}}), inA);
    EXPECT_EQ((Items{{" a", Folder}, {"  b", CurrentFolder}}), inB);
    EXPECT_EQ((Items{{" a", Folder}, {"  c", CurrentFolder}}), inC);
    EXPECT_EQ("  c", selectedInC);
    EXPECT_TRUE(shown.empty());
}

TEST_F(OpenDialogSteps, OneFileGivesItsAddressAndTitle)
{
    const BOOL chosen = Run(Then(ToPub(), {Do([](HWND dialog) {
                                               ClickRows(FtpView(dialog), {"a.txt"});
                                               EXPECT_EQ("a.txt", TypedName(dialog));
                                               PressOpen(dialog);
                                           }),
                                           [](HWND) { return STEP_CLOSED_BY_DIALOG; }}));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(server + "/pub/a.txt", std::string(file));
    EXPECT_STREQ("a.txt", title);
}

TEST_F(OpenDialogSteps, SeveralFilesGiveTheFolderAndEachName)
{
    const BOOL chosen = Run(Then(ToPub(), {Do([](HWND dialog) {
                                               ClickRows(FtpView(dialog), {"a.txt", "b.txt"});
                                               PressOpen(dialog);
                                           }),
                                           [](HWND) { return STEP_CLOSED_BY_DIALOG; }}));
    EXPECT_TRUE(chosen);
    const std::string folder = server + "/pub";
    const std::string expected = folder + '\0' + "a.txt" + '\0' + "b.txt" + '\0' + '\0';
    EXPECT_EQ(expected, std::string(file, expected.size()));
}

TEST_F(OpenDialogSteps, APatternFiltersTheFolderAndKeepsTheDialog)
{
    std::vector<std::string> rows;
    const BOOL chosen = Run(Then(ToPub(), {Do([](HWND dialog) {
                                               TypeName(dialog, "*.txt");
                                               PressOpen(dialog);
                                           }),
                                           [&](HWND dialog) {
                                               rows = Rows(FtpView(dialog));
                                               return IDCANCEL;
                                           }}));
    EXPECT_FALSE(chosen);
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), rows);
}

TEST_F(OpenDialogSteps, ATypedWebAddressEndsTheDialog)
{
    const BOOL chosen = Run(Then(ToServerRoot(), {Do([](HWND dialog) {
                                                      TypeName(dialog, "http://www.example.org/docs/page.htm");
                                                      PressOpen(dialog);
                                                  }),
                                                  [](HWND) { return STEP_CLOSED_BY_DIALOG; }}));
    EXPECT_TRUE(chosen);
    EXPECT_STREQ("http://www.example.org/docs/page.htm", file);
    EXPECT_STREQ("docs/page.htm", title);
}

TEST_F(OpenDialogSteps, AMissingNameIsToldAndKeepsTheDialog)
{
    bool open = false;
    const BOOL chosen = Run(Then(ToPub(), {Do([](HWND dialog) {
                                               TypeName(dialog, "zz.txt");
                                               PressOpen(dialog);
                                           }),
                                           [&](HWND dialog) {
                                               open = IsWindow(dialog);
                                               return IDCANCEL;
                                           }}));
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(open);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Erreur", shown[0].caption);
    EXPECT_EQ("Le fichier zz.txt est introuvable.", shown[0].text);
}

TEST_F(OpenDialogSteps, ASavedUrlIsOpenedAsTyped)
{
    bool ftpShownDisabled = false;
    std::string typed;
    const BOOL chosen = Run({Do([this](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, HttpAddress("page.htm"))); }),
                             [&](HWND dialog) {
                                 ftpShownDisabled =
                                     IsWindowVisible(FtpView(dialog)) && !IsWindowEnabled(FtpView(dialog));
                                 typed = TypedName(dialog);
                                 PressOpen(dialog);
                                 return STEP_NEXT;
                             },
                             [](HWND) { return STEP_CLOSED_BY_DIALOG; }});
    EXPECT_TRUE(ftpShownDisabled);
    EXPECT_EQ(HttpAddress("page.htm"), typed);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(HttpAddress("page.htm"), std::string(file));
}

namespace {

// Whether the FTP server takes a new connection now and, when asked, greets it.
bool FtpAnswers(bool greeting)
{
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(NetServers().FtpPort());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool answered = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (answered && greeting) {
        char reply[256] = {};
        answered = recv(probe, reply, sizeof reply - 1, 0) > 0 && std::string(reply).rfind("220", 0) == 0;
        send(probe, "QUIT\r\n", 6, 0);
        recv(probe, reply, sizeof reply - 1, 0);
    }
    closesocket(probe);
    return answered;
}

}  // namespace

TEST_F(OpenDialogSteps, ALostConnectionIsMadeAgain)
{
    std::vector<std::string> rows;
    Run(Then(ToPub(), {Do([](HWND) { NetServers().Down("ftp"); }),
                       // Its sessions closed with it; then it comes back on its port.
                       [](HWND) { return FtpAnswers(false) ? STEP_AGAIN : STEP_NEXT; },
                       Do([](HWND) {
                           NetServers().Up("ftp");
                           NetServers().ClearLogs();
                       }),
                       [](HWND) { return FtpAnswers(true) ? STEP_NEXT : STEP_AGAIN; },
                       Do([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, 40961, 0); }), WaitForRows({"pub", "a"}),
                       [&](HWND dialog) {
                           rows = Rows(FtpView(dialog));
                           return IDCANCEL;
                       }}));
    EXPECT_EQ(RootRows(), rows);
    EXPECT_NE(std::string::npos, NetServers().FtpLog().find("USER anonymous\n")) << "logged on again";
    EXPECT_TRUE(shown.empty());
}

TEST_F(OpenDialogSteps, AStepAnsweredBusyStillEndsItsChain)
{
    bool disabledMeanwhile = false;
    std::vector<std::string> rows;
    Run(Then(ToPub(), {[&](HWND dialog) {
                           NetServers().ClearLogs();
                           // A folder change under way, whose current-folder step is answered by a
                           // busy connection.
                           SendMessageA(dialog, RegisterWindowMessageA("qxofn32_msgNotify"), 2, 0);
                           struct {
                               void* connection;
                               int error;
                               HGLOBAL block;
                           } busy{nullptr, 5002, nullptr};
                           SendMessageA(dialog, 1724 + 3, reinterpret_cast<WPARAM>(&busy), 0);
                           disabledMeanwhile = !Idle(dialog);
                           return STEP_NEXT;
                       },
                       WaitForRows({"a.txt", "b.txt", "c.gif"}),
                       [&](HWND dialog) {
                           rows = Rows(FtpView(dialog));
                           return IDCANCEL;
                       }}));
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "c.gif"}), rows);
    EXPECT_NE(std::string::npos, NetServers().FtpLog().find("USER anonymous\n")) << "logged on again";
    EXPECT_TRUE(shown.empty());
}

TEST_F(OpenDialogSteps, ALocalFileIsLeftAsTheDialogGaveIt)
{
    const std::string folder = local.Path().substr(0, local.Path().size() - 1);
    ofn.lpstrInitialDir = folder.c_str();
    const BOOL chosen = Run({Do([](HWND dialog) {
                                 TypeName(dialog, "local.txt");
                                 PressOpen(dialog);
                             }),
                             [](HWND) { return STEP_CLOSED_BY_DIALOG; }});
    EXPECT_TRUE(chosen);
    EXPECT_EQ(local / "local.txt", std::string(file));
    EXPECT_STREQ("local.txt", title);
}

TEST_F(OpenDialogSteps, AnInitialAddressIsNotShown)
{
    lstrcpyA(file, "ftp://somewhere/file.txt");
    std::string typed = "?";
    Run({[&](HWND dialog) {
        typed = TypedName(dialog);
        return IDCANCEL;
    }});
    EXPECT_EQ("", typed);
}

TEST_F(OpenDialogSteps, ThePreviewDialogGetsTheSameInternetItems)
{
    std::vector<std::pair<std::string, LRESULT>> items;
    Run({[&](HWND dialog) {
            items = ComboItems(dialog);
            return IDCANCEL;
        }},
        true);
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ((std::pair<std::string, LRESULT>{server, Server}), items[items.size() - 4]);
    EXPECT_EQ((std::pair<std::string, LRESULT>{HttpAddress("page.htm"), Url}), items.back());
}

// The address-list dialog, opened from the add/remove item of a block.
class AddressList : public OpenDialogSteps {
protected:
    struct Seen {
        std::string caption;
        std::vector<std::string> entries;
        bool deleteEnabled = false;
    };
    // Opens the block's list, lets `play` fill it in and answers with its command.
    std::vector<std::pair<std::string, LRESULT>> Edit(const char* item, std::function<int(HWND)> play)
    {
        respond = [this, play](HWND list) {
            seen.caption = WindowText(list);
            const HWND entries = GetDlgItem(list, 102);
            for (LRESULT i = 0; i < SendMessageA(entries, CB_GETCOUNT, 0, 0); ++i) {
                char text[300] = {};
                SendMessageA(entries, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
                seen.entries.emplace_back(text);
            }
            seen.deleteEnabled = IsWindowEnabled(GetDlgItem(list, 101));
            return play(list);
        };
        std::vector<std::pair<std::string, LRESULT>> items;
        Run({Do([item](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, item)); }), [&](HWND dialog) {
                 items = ComboItems(dialog);
                 return IDCANCEL;
             }});
        return items;
    }
    static void Type(HWND list, const char* text)
    {
        SetDlgItemTextA(list, 102, text);
        SendMessageA(list, WM_COMMAND, MAKEWPARAM(102, CBN_EDITCHANGE), 0);
    }
    Seen seen;
};

bool Has(const std::vector<std::pair<std::string, LRESULT>>& items, const std::string& text)
{
    return std::any_of(items.begin(), items.end(), [&](const auto& item) { return item.first == text; });
}

TEST_F(AddressList, AnAddedServerIsSavedAndListed)
{
    const auto items = Edit("Ajouter/Supprimer des adresses", [](HWND list) {
        Type(list, "ftp.exemple.net");
        return IDOK;
    });
    EXPECT_EQ("Serveurs FTP", seen.caption);
    EXPECT_EQ(std::vector<std::string>{NetServers().FtpHost()}, seen.entries);
    EXPECT_TRUE(seen.deleteEnabled);
    EXPECT_TRUE(Has(items, "ftp://ftp.exemple.net"));
    EXPECT_EQ(NetServers().FtpHost() + '\0', StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server1"));
    EXPECT_EQ(std::string("ftp.exemple.net\0", 16), StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server2"));
}

TEST_F(AddressList, AServerAlreadyListedOrAnEmptyEditChangesNothing)
{
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "by hand", "ftp.two.org");
    for (const std::string& typed : {NetServers().FtpHost(), std::string()}) {
        SCOPED_TRACE(typed);
        seen = {};
        Edit("Ajouter/Supprimer des adresses", [&](HWND list) {
            Type(list, typed.c_str());
            return IDOK;
        });
        // Numbered from 1 in the list's order; the value named by hand is numbered too.
        EXPECT_EQ(seen.entries[0] + '\0', StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server1"));
        EXPECT_EQ(seen.entries[1] + '\0', StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server2"));
        EXPECT_EQ("", StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server3"));
        EXPECT_EQ("", StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "by hand"));
    }
}

TEST_F(AddressList, DeletingRenumbersWithoutGaps)
{
    PutText(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL2", "http://second/");
    PutText(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL3", "http://third/");
    const auto items = Edit("Ajouter/Supprimer des URLs", [](HWND list) {
        SendDlgItemMessageA(list, 102, CB_SETCURSEL, 0, 0);
        SendMessageA(list, WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), 0);
        return IDOK;
    });
    EXPECT_EQ("Liste d'URLs", seen.caption);
    ASSERT_EQ(3u, seen.entries.size());
    EXPECT_FALSE(Has(items, seen.entries[0]));
    EXPECT_EQ(seen.entries[1] + '\0', StoredBytes(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL1"));
    EXPECT_EQ(seen.entries[2] + '\0', StoredBytes(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL2"));
    EXPECT_EQ("", StoredBytes(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL3"));
}

TEST_F(AddressList, CancelKeepsTheList)
{
    Edit("Ajouter/Supprimer des adresses", [](HWND list) {
        Type(list, "ftp.exemple.net");
        return IDCANCEL;
    });
    EXPECT_EQ(NetServers().FtpHost() + '\0', StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server1"));
    EXPECT_EQ("", StoredBytes(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server2"));
}

namespace {

std::string Cell(HWND view, int row, int column)
{
    char text[256] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(view, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

void ClickColumn(HWND view, int column)
{
    NMLISTVIEW click{};
    click.hdr = {view, static_cast<UINT_PTR>(GetDlgCtrlID(view)), static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = column;
    SendMessageA(GetParent(view), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

}  // namespace

TEST_F(OpenDialogSteps, RemoteFilesShowTheirColumnsAndSortByThem)
{
    std::vector<std::string> cells, byName, byNameAgain, byType;
    Run(Then(ToPub(), {[&](HWND dialog) {
                 const HWND view = FtpView(dialog);
                 SendMessageA(dialog, WM_COMMAND, 40964, 0);
                 cells = {Cell(view, 0, 0), Cell(view, 0, 1), Cell(view, 0, 2)};
                 EXPECT_EQ(LVS_REPORT, GetWindowLongA(view, GWL_STYLE) & LVS_TYPEMASK);
                 EXPECT_NE("", Cell(view, 0, 3)) << "the date words";
                 ClickColumn(view, 0);
                 byName = Rows(view);
                 ClickColumn(view, 0);
                 byNameAgain = Rows(view);
                 ClickColumn(view, 2);
                 byType = Rows(view);
                 SendMessageA(dialog, WM_COMMAND, 40963, 0);
                 EXPECT_EQ(LVS_LIST, GetWindowLongA(view, GWL_STYLE) & LVS_TYPEMASK);
                 return IDCANCEL;
             }}));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "1Ko", "Fichier txt"}), cells);
    EXPECT_EQ((std::vector<std::string>{"c.gif", "b.txt", "a.txt"}), byName) << "the first click reverses the name order";
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "c.gif"}), byNameAgain);
    EXPECT_EQ((std::vector<std::string>{"c.gif", "a.txt", "b.txt"}), byType) << "by type: gif before txt";
}

TEST_F(OpenDialogSteps, SavedAddressesListTheirAddRemoveEntryFirst)
{
    std::vector<std::string> rows, reversed;
    std::string typed;
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server2", "Alpha.example.org");
    Run({Do([](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, "Adresses Internet (FTP)")); }), [&](HWND dialog) {
             const HWND view = GetDlgItem(dialog, 1282);
             EXPECT_TRUE(IsWindowVisible(view));
             rows = Rows(view);
             ClickRows(view, {"ftp://Alpha.example.org"});
             typed = TypedName(dialog);
             ClickColumn(view, 0);
             reversed = Rows(view);
             return IDCANCEL;
         }});
    EXPECT_EQ((std::vector<std::string>{"Ajouter/Supprimer des adresses", server, "ftp://Alpha.example.org"}), rows);
    EXPECT_EQ("ftp://Alpha.example.org", typed);
    EXPECT_EQ((std::vector<std::string>{"ftp://Alpha.example.org", server, "Ajouter/Supprimer des adresses"}), reversed);
}

namespace {

// As the user picks a type: the selection changes, then is confirmed.
void ChooseFileType(HWND dialog, int index)
{
    const HWND types = GetDlgItem(dialog, 1136);
    SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (const WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1136, code), reinterpret_cast<LPARAM>(types));
}

}  // namespace

TEST_F(OpenDialogSteps, TheChosenFileTypeFiltersTheRemoteFolder)
{
    std::vector<std::string> texts, every;
    Run(Then(ToPub(), {[&](HWND dialog) {
                           ChooseFileType(dialog, 1);
                           return STEP_NEXT;
                       },
                       [&](HWND dialog) {
                           texts = Rows(FtpView(dialog));
                           ChooseFileType(dialog, 0);
                           return STEP_NEXT;
                       },
                       [&](HWND dialog) {
                           every = Rows(FtpView(dialog));
                           return IDCANCEL;
                       }}));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), texts);
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "c.gif"}), every);
}

TEST_F(OpenDialogSteps, FileTypeZeroFiltersWithTheFirstPattern)
{
    ofn.lpstrFilter = "Textes\0*.txt\0Tous les fichiers\0*.*\0";
    ofn.nFilterIndex = 0;
    std::vector<std::string> rows;
    Run(Then(ToPub(), {[&](HWND dialog) {
                 rows = Rows(FtpView(dialog));
                 return IDCANCEL;
             }}));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), rows);
}

namespace {

// The leftmost (or rightmost) column of the canvas holding anything but the window colour;
// -1 when none.
int DrawnEdge(const TestCanvas& canvas, bool left)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (int i = 0; i < canvas.Width(); ++i) {
        const int x = left ? i : canvas.Width() - 1 - i;
        for (int y = 0; y < canvas.Height(); ++y) {
            if (canvas.Pixel(x, y) != window)
                return x;
        }
    }
    return -1;
}

int LeftmostDrawn(const TestCanvas& canvas) { return DrawnEdge(canvas, true); }
int RightmostDrawn(const TestCanvas& canvas) { return DrawnEdge(canvas, false); }

// Has the dialog draw the Internet combo's item into the canvas, as the combo asks it to.
void DrawItem(HWND dialog, const std::string& text, const TestCanvas& canvas, int width)
{
    const HWND combo = InternetCombo(dialog);
    const LRESULT index =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = 1280;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = combo;
    item.hDC = canvas.Dc();
    item.rcItem = {0, 0, width, canvas.Height()};
    item.itemData = static_cast<ULONG_PTR>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    SendMessageA(dialog, WM_DRAWITEM, 1280, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

TEST_F(OpenDialogSteps, FolderItemsAreIndentedInTheDroppedListOnly)
{
    TestCanvas closed(300, 16), dropped(300, 16);
    Run(Then(ToServerRoot(),
             {Do([](HWND dialog) { ClickRows(FtpView(dialog), {"a"}, NM_DBLCLK); }), WaitForRows({"b", "c"}),
              Do([](HWND dialog) { ClickRows(FtpView(dialog), {"b"}, NM_DBLCLK); }), WaitForRows({"x.txt"}),
              [&](HWND dialog) {
                  closed.Fill(GetSysColor(COLOR_WINDOW));
                  DrawItem(dialog, "  b", closed, closed.Width());
                  SendMessageA(InternetCombo(dialog), CB_SHOWDROPDOWN, TRUE, 0);
                  dropped.Fill(GetSysColor(COLOR_WINDOW));
                  DrawItem(dialog, "  b", dropped, dropped.Width());
                  SendMessageA(InternetCombo(dialog), CB_SHOWDROPDOWN, FALSE, 0);
                  return IDCANCEL;
              }}));
    const int left = LeftmostDrawn(closed);
    ASSERT_GE(left, 0);
    EXPECT_LT(left, 21) << "the icon before the text";
    EXPECT_EQ(left + 30, LeftmostDrawn(dropped)) << "10 pixels, and 10 for each level";
}

TEST_F(OpenDialogSteps, ALongAddressIsShortenedToTheItem)
{
    const std::string host = "a-very-long-server-name-that-goes-on-and-on.example.org";
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server2", host);
    TestCanvas wide(600, 16), narrow(600, 16);
    Run({[&](HWND dialog) {
        wide.Fill(GetSysColor(COLOR_WINDOW));
        narrow.Fill(GetSysColor(COLOR_WINDOW));
        DrawItem(dialog, "ftp://" + host, wide, wide.Width());
        DrawItem(dialog, "ftp://" + host, narrow, 120);
        return IDCANCEL;
    }});
    EXPECT_GT(RightmostDrawn(wide), 120) << "the whole name is wider";
    EXPECT_LT(RightmostDrawn(narrow), 120);
    EXPECT_GT(RightmostDrawn(narrow), 100) << "as much of it as fits";
}

TEST_F(OpenDialogSteps, ASavedServerOpensFromItsRow)
{
    struct Case {
        const char* what;
        std::function<void(HWND dialog, HWND view, const std::string& server)> open;
    };
    const Case cases[] = {
        {"double click", [](HWND, HWND view, const std::string& host) { ClickRows(view, {host}, NM_DBLCLK); }},
        {"click and Open",
         [](HWND dialog, HWND view, const std::string& host) {
             ClickRows(view, {host});
             PressOpen(dialog);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string selected;
        bool open = false;
        Run({Do([](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, "Adresses Internet (FTP)")); }),
             Do([&](HWND dialog) { c.open(dialog, GetDlgItem(dialog, 1282), server); }), WaitForRows({"pub", "a"}),
             [&](HWND dialog) {
                 selected = SelectedItem(dialog);
                 open = IsWindowVisible(FtpView(dialog)) && !IsWindowVisible(GetDlgItem(dialog, 1282));
                 return IDCANCEL;
             }});
        EXPECT_EQ(server, selected);
        EXPECT_TRUE(open) << "the FTP view in place of the server list";
    }
}

TEST_F(OpenDialogSteps, UpFromAHeaderGoesBackToTheLocalFolders)
{
    bool localShown = false;
    std::string selected;
    Run({Do([](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, "Adresses Internet (URLs)")); }),
         Do([](HWND dialog) {
             EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1283)));
             SendMessageA(dialog, WM_COMMAND, 40961, 0);
         }),
         [&](HWND dialog) {
             const HWND fileView = GetDlgItem(dialog, 1121);
             if (!fileView || !IsWindowVisible(fileView))
                 return STEP_AGAIN;
             localShown = !IsWindowVisible(GetDlgItem(dialog, 1283));
             selected = SelectedItem(dialog);
             return IDCANCEL;
         }});
    EXPECT_TRUE(localShown);
    EXPECT_EQ("Desktop", selected);
}

TEST_F(OpenDialogSteps, AServerThatCannotBeReachedLeadsBackToItsHeader)
{
    respond = [](HWND) { return IDCANCEL; };  // the download error form, then the message
    NetServers().Down("ftp");
    std::string selected;
    bool serversShown = false;
    Run({Do([this](HWND dialog) { EXPECT_TRUE(ChooseItem(dialog, server)); }), [&](HWND dialog) {
             if (!Idle(dialog) || SelectedItem(dialog) == server)
                 return STEP_AGAIN;
             selected = SelectedItem(dialog);
             serversShown = IsWindowVisible(GetDlgItem(dialog, 1282));
             return IDCANCEL;
         }});
    NetServers().Up("ftp");
    EXPECT_EQ("Adresses Internet (FTP)", selected);
    EXPECT_TRUE(serversShown);
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("Erreur de connexion", shown[1].caption);
    EXPECT_EQ("Impossible d'établir une connexion au serveur.", shown[1].text);
}

TEST_F(OpenDialogSteps, BackAtTheRootTheConnectionStays)
{
    std::string log = "?";
    size_t folders = 99;
    Run(Then(ToPub(), {Do([](HWND dialog) {
                           NetServers().ClearLogs();
                           SendMessageA(dialog, WM_COMMAND, 40961, 0);
                       }),
                       WaitForRows({"pub", "a"}), [&](HWND dialog) {
                           log = NetServers().FtpLog();
                           folders = FolderItems(dialog).size();
                           return IDCANCEL;
                       }}));
    EXPECT_EQ(std::string::npos, log.find("USER")) << log;
    EXPECT_NE(std::string::npos, log.find("CWD /")) << log;
    EXPECT_EQ(0u, folders);
    EXPECT_TRUE(shown.empty());
}
