// The five playback commands, whatever the kind of media, and the end of a loop.
#include "flc.h"

#include "accessors.h"
#include "anim.h"
#include "branch.h"
#include "flic_player.h"
#include "kernel.h"
#include "qxbbutton.h"
#include "qxmedia.h"

#include <mmsystem.h>
#include <digitalv.h>

namespace {

// MCI videos step by this many frames.
constexpr DWORD MCI_STEP_FRAMES = 5;

void StepMci(UINT device, bool back)
{
    MCI_DGV_STEP_PARMS step{};
    step.dwFrames = MCI_STEP_FRAMES;
    mciSendCommandA(device, MCI_STEP, MCI_DGV_STEP_FRAMES | (back ? MCI_DGV_STEP_REVERSE : 0),
                    reinterpret_cast<DWORD_PTR>(&step));
}

}  // namespace

void FLC::InvalidatePicture()
{
    if (!window)
        return;
    const RECT area = PictureArea();
    InvalidateRect(window, &area, FALSE);
}

int FLC::Home()
{
    switch (kind) {
    case FLC_KIND_FLIC:
        if (!player)
            return 0;
        Stop();
        player->GoToFrame(0);
        break;
    case FLC_KIND_MEDIA:
        if (media)
            media->Home();
        if (mciDevice) {
            MCI_SEEK_PARMS seek{};
            mciSendCommandA(mciDevice, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek));
        }
        break;
    case FLC_KIND_SERIES:
        Stop();
        anim->StepFirst();
        InvalidatePicture();
        break;
    default:
        return 0;
    }
    playing = 0;
    return 1;
}

int FLC::Step(bool back)
{
    switch (kind) {
    case FLC_KIND_FLIC:
        if (!player)
            return 0;
        Stop();
        if (back)
            player->StepBackToFrame(player->Counter() - 1);
        else
            player->NextFrame();
        break;
    case FLC_KIND_MEDIA:
        if (media)
            back ? media->Back() : media->Next();
        if (mciDevice)
            StepMci(mciDevice, back);
        break;
    case FLC_KIND_SERIES: {
        Stop();
        back ? anim->StepPrevious() : anim->StepNext();
        InvalidatePicture();
        break;
    }
    default:
        return 0;
    }
    playing = 0;
    return 1;
}

int FLC::Back() { return Step(true); }
int FLC::Next() { return Step(false); }

int FLC::Stop()
{
    switch (kind) {
    case FLC_KIND_SERIES:
        anim->Stop();
        InvalidatePicture();
        StopSound();
        break;
    case FLC_KIND_FLIC:
        if (!player)
            return 0;
        player->Stop();
        StopSound();
        break;
    case FLC_KIND_MEDIA:
        if (media)
            media->Stop();
        if (mciDevice) {
            MCI_GENERIC_PARMS stop{};
            mciSendCommandA(mciDevice, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop));
        }
        mediaPlayPending = 0;
        break;
    default:
        return 0;
    }
    playing = 0;
    return 1;
}

int FLC::Play(int withSound)
{
    if (KernGetMode(kernel) & QX_MODE_EDIT_BIT) {
        Home();
        Stop();
        return 1;
    }
    if (playing)
        return 1;
    if (kind == FLC_KIND_FLIC || kind == FLC_KIND_SERIES) {
        if (kind == FLC_KIND_FLIC && !player)
            return 0;
        // A series whose pictures are still on their way starts once they are there.
        if (kind == FLC_KIND_SERIES && anim->GetState() == ANIM::Disabled)
            return 0;
        SelectSoundAt(0);
        if (currentSound.length() && !currentSoundLocal.length())
            return 0;
        const int position = kind == FLC_KIND_FLIC ? player->Counter() : anim->Current();
        const int last = kind == FLC_KIND_FLIC ? player->Frames() - 1 : anim->Count() - 1;
        if (position == last && last > 0) {
            Home();
            // A FLIC restarted from its end starts at once, without its sound.
            if (kind == FLC_KIND_FLIC) {
                playing = 1;
                player->Play();
                return 1;
            }
        }
        const int now = kind == FLC_KIND_FLIC ? player->Counter() : anim->Current();
        if (withSound && currentSound.length() && now <= 0)
            PlayCurrentSound();
        playing = 1;
        if (kind == FLC_KIND_FLIC)
            player->Play();
        else
            anim->Play();
        return 1;
    }
    if (kind == FLC_KIND_MEDIA) {
        if (window)
            InvalidateRect(window, nullptr, FALSE);
        mediaPlayPending = 1;
        playing = 1;
        return 1;
    }
    playing = 0;
    return 0;
}

void FLC::SetBarButtons(bool nowPlaying)
{
    if (!controlBarFlag || !controlBar)
        return;
    if (buttons[3])
        buttons[3]->SetState(nowPlaying ? BBUTTON_ON : BBUTTON_UP, 1);
    if (buttons[2])
        buttons[2]->SetState(nowPlaying ? BBUTTON_UP : BBUTTON_ON, 1);
}

void FLC::EndOfLoop()
{
    Stop();
    if (!loop)
        SetBarButtons(false);
    ++loopsPlayed;
    BRANCH* end = GetBranch(1);
    const bool running = KernGetMode(kernel) == QX_MODE_PRESENTATION;
    if (loopsPlayed >= loopCount && end && end->IsBranchingSomewhere() && running) {
        loopsPlayed = 0;
        SetBarButtons(false);
        if ((shown || mediaLocal.length()) && KernGetAutoBranch(kernel)) {
            end->source = window;
            KernSetBranch(kernel, end);
        }
    }
    if (running && loop) {
        Home();
        Play(replaySound);
    }
}
