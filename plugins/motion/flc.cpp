// FLC: construction, destruction, copying and properties.
#include "flc.h"

#include "anim.h"
#include "branch.h"
#include "filefetch.h"
#include "flic_player.h"
#include "kernel.h"
#include "kerntree.h"
#include "motionres.h"
#include "qxbbutton.h"
#include "qxmedia.h"

#include <mmsystem.h>

namespace {

// Property ids of the object.
constexpr long PROPERTY_MEDIA = 1000;
constexpr long PROPERTY_HOME = 1010;
constexpr long PROPERTY_BACK = 1011;
constexpr long PROPERTY_STOP = 1012;
constexpr long PROPERTY_PLAY = 1013;
constexpr long PROPERTY_NEXT = 1014;

}  // namespace

FLC::FLC(KERNEL* kernel, HINSTANCE module) : OBJET(kernel, module)
{
    SetDLLName("QXMOTION.DLL");
    LoadStringA(module, IDS_ANIMATION_OBJECT_NAME, objetName, sizeof objetName);
    // Branch 0 on a click, branch 1 once the loops are played.
    AddBranch(new BRANCH(kernel));
    auto* end = new BRANCH(kernel);
    end->pluginMark = 1;
    AddBranch(end);
    const bool first = LiveObjects() == 0;
    CountObjectIn();
    const char* cache = KernGetCachePath(kernel);
    if (cache && *cache) {
        if (first)
            SnapshotFile::RemoveStale(cache);
        snapshot.Take(cache);
    }
}

FLC::~FLC()
{
    KernRemoveFtpProcess(kernel, this);
    snapshot.Release();
    DestroyControlBar();
    CloseMedia();
    anim.reset();
    if (window) {
        SetWindowLongPtrA(window, 0, 0);
        SetWindowTextA(window, "");
        KernRemoveWindow(kernel, window);
        window = nullptr;
    }
    StopSound();
    player.reset();
    soundTrack.clear();
    delete preview.media;
    if (preview.mciDevice)
        mciSendCommandA(preview.mciDevice, MCI_CLOSE, MCI_WAIT, 0);
    CountObjectOut();
}

OBJET& FLC::operator=(const OBJET& other)
{
    OBJET::operator=(other);
    const auto* flc = dynamic_cast<const FLC*>(&other);
    if (!flc || flc == this)
        return *this;
    mediaName = flc->mediaName;
    soundName = flc->soundName;
    loop = flc->loop;
    controlBarFlag = flc->controlBarFlag;
    autoPlay = flc->autoPlay;
    replaySound = flc->replaySound;
    loopCount = flc->loopCount;
    framesPerSecond = flc->framesPerSecond;
    centre = flc->centre;
    stretch = flc->stretch;
    series = flc->series;
    if (flc->anim) {
        if (!anim)
            anim = std::make_unique<ANIM>();
        anim->CopyFrom(*flc->anim);
    } else {
        anim.reset();
    }
    soundTrack = flc->soundTrack;
    if (window)
        OpenMedia(series ? FLC_KIND_SERIES : KindOfName(mediaName), true);
    return *this;
}

void FLC::SetLoop(int on)
{
    loop = on ? 1 : 0;
    if (anim)
        anim->SetLoop(loop != 0);
}

int FLC::SetProperties(long id, const char* value)
{
    if (id < PROPERTY_MEDIA)
        return OBJET::SetProperties(id, value);
    switch (id) {
    case PROPERTY_MEDIA:
        if (!value)
            return 0;
        if (lstrcmpiA(value, mediaName) != 0) {
            CloseMedia();
            mediaName = value;
            mediaLocal = "";
            OpenMedia(series ? FLC_KIND_SERIES : KindOfName(mediaName), false);
            if (window)
                InvalidateRect(window, nullptr, TRUE);
        }
        return 1;
    case PROPERTY_HOME: return Home();
    case PROPERTY_BACK: return Back();
    case PROPERTY_STOP: return Stop();
    case PROPERTY_PLAY: return Play(1);
    case PROPERTY_NEXT: return Next();
    default:
        return 0;
    }
}

int FLC::GetProperties(long id, int size, char* buffer)
{
    if (id < PROPERTY_MEDIA)
        return OBJET::GetProperties(id, size, buffer);
    if (id != PROPERTY_MEDIA || !buffer || size < 1)
        return 0;
    // The terminator counts in the size.
    lstrcpynA(buffer, mediaName, size);
    return 1;
}

int FLC::DelaiObjetShow()
{
    const int answer = OBJET::DelaiObjetShow();
    if (KernGetMode(kernel) == QX_MODE_PRESENTATION && autoPlay)
        Play(1);
    return answer;
}
