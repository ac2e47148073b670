// A text whose file lies on a server, fetched in the background while its page is shown: read
// once it has arrived; a failed transfer leaves the text empty and undrawn, and the next show
// of the page fetches it again.
#include "dialog_answerer.h"
#include "stand_in_internet.h"
#include "texttest.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// How many background transfers of the file the stand-in library was asked for.
int BackgroundFetches(const StandInInternet& internet)
{
    std::istringstream journal(internet.Journal());
    int count = 0;
    // A synchronous fetch gives no value to notify.
    for (std::string line; std::getline(journal, line);)
        count += line.rfind("HTTP_Retrieve(distant.rtf,", 0) == 0 && line.substr(line.size() - 3) != ",0)" ? 1 : 0;
    return count;
}

// A page showing a text whose file is on the stand-in's server. The synchronous fetch of the
// first show finds no file; the file is served from the report of that failure on when asked,
// so that it comes with the background fetch.
struct Remote {
    StandInInternet internet;
    bool serveAfterFirstFailure;
    DialogAnswerer answerer{[this](HWND dialog) {
        char caption[100] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (serveAfterFirstFailure && std::string(caption).rfind("Erreur", 0) == 0)
            internet.server.Write("distant.rtf", RedWordRtf);
        return IDOK;
    }};
    PageHost host;
    TEXTE* text = nullptr;

    explicit Remote(bool serve) : serveAfterFirstFailure(serve)
    {
        host.pub.Write("b.pag", PageFile({ObjectRecord("QXSHEET.DLL", 0, "page", NoBranch(), PageBlock("B", 0, 0, 0))}));
        text = ShownText(host, "texte", BoxBlock({internet.Address("HTTP://", "distant.rtf")}, 400, 200));
    }
    bool Arrived() const { return text->localCopy.length() > 0; }
    bool Failed() const { return text->paintThrough == 0; }
};

TEST(TextRemote, TheTextIsReadWhenItsFileHasArrived)
{
    Remote r(true);
    ASSERT_TRUE(r.internet.Bound());
    ASSERT_TRUE(r.text && r.text->document);
    ASSERT_TRUE(PumpUntil([&] { return r.Arrived(); }, 10000));
    EXPECT_EQ(1, BackgroundFetches(r.internet));
    EXPECT_EQ(1, r.text->paintThrough);
    EXPECT_EQ("Un mot ROUGE ici.\r\n", CopiedText(r.text));
}

TEST(TextRemote, AFailedFetchLeavesTheTextEmptyAndTheNextShowFetchesAgain)
{
    Remote r(false);
    ASSERT_TRUE(r.internet.Bound());
    ASSERT_TRUE(r.text && r.text->document);
    ASSERT_TRUE(PumpUntil([&] { return r.Failed(); }, 10000));
    EXPECT_EQ(0, r.text->localCopy.length());
    EXPECT_EQ(1, BackgroundFetches(r.internet));
    EXPECT_EQ("", CopiedText(r.text));

    r.internet.server.Write("distant.rtf", RedWordRtf);
    ASSERT_EQ(1, r.host.Go("b.pag"));
    ASSERT_EQ(1, r.host.Go("a.pag"));
    ASSERT_EQ(r.text, KernGetTopObjet(r.host)->GetChild(0));
    ASSERT_TRUE(PumpUntil([&] { return r.Arrived(); }, 10000));
    EXPECT_EQ(1, r.text->paintThrough);
    EXPECT_NE(nullptr, r.text->document);
    EXPECT_EQ("Un mot ROUGE ici.\r\n", CopiedText(r.text));
}

}  // namespace
