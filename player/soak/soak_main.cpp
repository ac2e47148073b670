// The player's soak: a publication played as a slide show for many page changes, driven by
// the next-slide key, with the player's handles, GDI and USER objects and private bytes
// sampled every hundred changes. Prints the curve, then the growth after the first hundred
// changes; exits 1 when something grew (a leak), 2 when the player stopped changing pages.
// Usage: qxstage30_soak publication.xsc bookmarks.qxb [changes (10000)] [every (100)]
#include "soak_player.h"
#include "soak_samples.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int WARM_UP = 100;

void Print(const SoakSample& s, double msPerChange)
{
    printf("%8d %8lu %8lu %8lu %12.1f %10.1f\n", s.changes, static_cast<unsigned long>(s.handles),
           static_cast<unsigned long>(s.gdiObjects), static_cast<unsigned long>(s.userObjects),
           s.privateBytes / 1024.0, msPerChange);
    fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: qxstage30_soak publication.xsc bookmarks.qxb [changes] [every]\n");
        return 2;
    }
    const int changes = argc > 3 ? std::atoi(argv[3]) : 10000;
    const int every = argc > 4 ? std::max(1, std::atoi(argv[4])) : 100;

    SoakPlayer player;
    if (!player.Start(argv[1], argv[2])) {
        fprintf(stderr, "the player showed no page\n");
        player.Close();
        return 2;
    }
    printf("%8s %8s %8s %8s %12s %10s\n", "changes", "handles", "gdi", "user", "private KB", "ms/change");
    std::vector<SoakSample> samples = {TakeSample(player.Process(), 0)};
    Print(samples.back(), 0);
    DWORD since = GetTickCount();
    for (int done = 1; done <= changes; ++done) {
        if (!player.NextPage()) {
            fprintf(stderr, "no page change after %d changes (titles: %s)\n", done - 1, player.Titles().c_str());
            player.Close();
            return 2;
        }
        if (done % every == 0 || done == changes) {
            const DWORD now = GetTickCount();
            samples.push_back(TakeSample(player.Process(), done));
            Print(samples.back(), static_cast<double>(now - since) / (done % every ? done % every : every));
            since = now;
        }
    }
    player.Close();

    const SoakGrowth growth = GrowthAfter(samples, WARM_UP);
    printf("growth after %d changes: handles %+ld, gdi %+ld, user %+ld, private %+.1f KB: %s\n", WARM_UP,
           growth.handles, growth.gdiObjects, growth.userObjects, growth.privateBytes / 1024.0,
           growth.Leaks() ? "LEAK" : "no growth");
    return growth.Leaks() ? 1 : 0;
}
