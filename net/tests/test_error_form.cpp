// The download error form: its texts in both languages, its keys, its close box and its
// network-settings button, with and without the network-settings dialog library.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "download_fixture.h"
#include "form_ids.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

namespace {

// A command no form acts on: the answerer's own command when a case works the form itself.
constexpr int NoCommand = 0;

struct ErrorFormTexts {
    const char* language;  // null: never set
    const char* caption;
    const char* message;
    const char* advice;
    const char* cancel;
    const char* retry;
    const char* network;
};

class ErrorFormLanguage : public DownloadJobs, public testing::WithParamInterface<ErrorFormTexts> {};

TEST_P(ErrorFormLanguage, FormShowsItsLanguagesTextsAndTheAddress)
{
    const ErrorFormTexts& expected = GetParam();
    if (expected.language)
        web.QXNetSetLanguage(expected.language);
    std::string caption, message, advice, cancel, retry, network, file;
    DialogAnswerer answerer([&](HWND form) {
        caption = WindowText(form);
        message = ItemText(form, IDC_ERROR_MESSAGE);
        advice = ItemText(form, IDC_ERROR_ADVICE);
        cancel = ItemText(form, IDCANCEL);
        retry = ItemText(form, IDRETRY);
        network = ItemText(form, IDC_ERROR_NETWORK);
        file = ItemText(form, IDC_ERROR_FILE);
        return IDCANCEL;
    });
    ASSERT_NE(nullptr, Queue(HttpAddress("missing.bin"), "missing.bin", 1));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(QXWEB_FILE_FAILED, Notices()[0].status);
    EXPECT_EQ(expected.caption, caption);
    EXPECT_EQ(expected.message, message);
    EXPECT_EQ(expected.advice, advice);
    EXPECT_EQ(expected.cancel, cancel);
    EXPECT_EQ(expected.retry, retry);
    EXPECT_EQ(expected.network, network);
    EXPECT_EQ(HttpAddress("missing.bin"), file);
}

constexpr ErrorFormTexts French = {
    nullptr,
    "Téléchargement",
    "Un problème est survenu lors du téléchargement du fichier :",
    "Le serveur est possiblement inaccessible ou votre configuration Internet n'est pas adéquate.",
    "&Annuler",
    "&Essayer de nouveau",
    "&Configuration Internet ..."};
constexpr ErrorFormTexts English = {
    "English",
    "Download",
    "A problem occured while downloading the following file :",
    "The server is probably down or your Internet is not configured correctly",
    "&Cancel",
    "&Retry",
    "&Internet configuration ..."};

ErrorFormTexts InLanguage(ErrorFormTexts texts, const char* language)
{
    texts.language = language;
    return texts;
}

INSTANTIATE_TEST_SUITE_P(Table, ErrorFormLanguage,
                         testing::Values(French, InLanguage(French, "FRENCH"), English,
                                         InLanguage(English, "Deutsch")));

struct KeyCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    WPARAM status;  // what the caller hears once the document is there
};

class ErrorFormKeys : public DownloadJobs, public testing::WithParamInterface<KeyCase> {};

// The document is served while the form is up: only a retry can fetch it.
TEST_P(ErrorFormKeys, KeyOrCloseBoxAnswersTheForm)
{
    const std::string name = std::string("late") + GetParam().name + ".bin";
    DialogAnswerer answerer([&](HWND form) {
        NetServers().ServeHttp(name, "arrived");
        PostMessageA(form, GetParam().message, GetParam().wParam, 0);
        return NoCommand;
    });
    ASSERT_NE(nullptr, Queue(HttpAddress(name), name, 1));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(GetParam().status, Notices()[0].status);
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(GetParam().status == QXWEB_FILE_ARRIVED ? "arrived" : "", Local(name));
}

INSTANTIATE_TEST_SUITE_P(Table, ErrorFormKeys,
                         testing::Values(KeyCase{"Enter", WM_KEYDOWN, VK_RETURN, QXWEB_FILE_ARRIVED},
                                         KeyCase{"Esc", WM_KEYDOWN, VK_ESCAPE, QXWEB_FILE_FAILED},
                                         KeyCase{"CloseBox", WM_SYSCOMMAND, SC_CLOSE, QXWEB_FILE_FAILED}),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

// The third button opens a form of its own over the error form, which stays up: retrying
// from it afterwards fetches the document.
class NetworkButton : public DownloadJobs {
protected:
    // `name` is served only once the settings form is up.
    std::vector<std::string> ShowSettingsThenRetry(const std::string& name)
    {
        std::vector<std::string> captions;
        HWND errorForm = nullptr;
        DialogAnswerer answerer([&](HWND form) {
            captions.push_back(WindowText(form));
            if (!errorForm) {
                errorForm = form;
                return IDC_ERROR_NETWORK;
            }
            NetServers().ServeHttp(name, "arrived");
            // Queued behind the settings form's own answer.
            PostMessageA(errorForm, WM_COMMAND, IDRETRY, 0);
            return IDCANCEL;
        });
        EXPECT_NE(nullptr, Queue(HttpAddress(name), name, 1));
        EXPECT_TRUE(WaitForNotices(1));
        EXPECT_EQ(QXWEB_FILE_ARRIVED, Notices().empty() ? 0 : Notices()[0].status);
        EXPECT_EQ("arrived", Local(name));
        return captions;
    }
};

TEST_F(NetworkButton, OpensTheNetworkSettingsDialog)
{
    const std::vector<std::string> captions = ShowSettingsThenRetry("withdialog.bin");
    EXPECT_EQ((std::vector<std::string>{"Téléchargement", "Configuration Réseau"}), captions);
    EXPECT_EQ(nullptr, GetModuleHandleA("qxnetdlg.dll")) << "the dialog library is freed afterwards";
}

// A library of that name without the dialog's entry stands for a missing one.
TEST_F(NetworkButton, OpensTheProxyFormWithoutTheNetworkSettingsDialog)
{
    ScratchDir folder("nonetdlg");
    ASSERT_TRUE(CopyFileA("ipworks4.dll", (folder / "qxnetdlg.dll").c_str(), FALSE));
    const HMODULE impostor = LoadLibraryA((folder / "qxnetdlg.dll").c_str());
    ASSERT_NE(nullptr, impostor);
    web.QXNetSetLanguage("English");
    const std::vector<std::string> captions = ShowSettingsThenRetry("withoutdialog.bin");
    FreeLibrary(impostor);
    EXPECT_EQ((std::vector<std::string>{"Download", "Paramètres Proxy"}), captions);
}

}  // namespace
