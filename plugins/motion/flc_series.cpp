// The object's image series: in run mode its pictures are fetched one after the other, a
// remote one in the background while the object stays hidden, then the series is shown.
#include "flc.h"

#include "anim.h"
#include "filefetch.h"
#include "kernel.h"

void FLC::OpenSeries(bool show)
{
    if (!anim)
        return;
    anim->SetWindow(window);
    anim->SetPaletteMode(0);
    anim->SetFrameRate(framesPerSecond);
    anim->SetLoop(loop != 0);
    if (KernGetMode(kernel) & QX_MODE_EDIT_BIT) {
        anim->FetchAll([this](const std::string& name) {
            char local[QX_NAME_BUFFER] = "";
            KernGetFileSync(kernel, name.c_str(), local);
            return std::string(local);
        });
        anim->Stop();
        anim->StepTo(anim->FirstAvailable());
        anim->Start();
        return;
    }
    if (anim->FirstAvailable() < 0) {
        anim->Disable();
        if (window)
            ShowWindow(window, SW_HIDE);
        anim->ResetFrames();
        if (!FetchSeriesFrames())
            return;
    }
    ShowFetchedSeries(show);
}

bool FLC::FetchSeriesFrames()
{
    for (int next = anim->FirstNotFetched(); next >= 0; next = anim->FirstNotFetched()) {
        GETFILE_STRUCT request;
        request.object = this;
        KernGetFile(kernel, anim->Frame(next).name.c_str(), QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr,
                    nullptr);
        // A remote picture comes with its notice; a local one, there or not, is known at once.
        if (request.state != QX_REQUEST_LOCAL)
            return false;
        const std::string local(request.localFile);
        anim->FetchOne(next, [&local](const std::string&) { return local; });
    }
    return true;
}

bool FLC::TakeSeriesFrame(const GETFILE_STRUCT& record, bool arrived)
{
    if (kind != FLC_KIND_SERIES || !anim || anim->GetState() != ANIM::Disabled)
        return false;
    bool taken = false;
    for (int i = 0; i < anim->Count(); ++i) {
        AnimFrame& frame = anim->Frame(i);
        if (frame.availability != AnimFrame::NotFetched || lstrcmpiA(frame.name.c_str(), record.source) != 0)
            continue;
        // A picture that cannot be had is skipped by every step; the others still come.
        const std::string local = arrived ? std::string(record.localFile) : std::string();
        anim->FetchOne(i, [&local](const std::string&) { return local; });
        taken = true;
    }
    if (taken && FetchSeriesFrames())
        ShowFetchedSeries(true);
    return taken;
}

void FLC::ShowFetchedSeries(bool show)
{
    anim->FreeTimer();
    // Without a single picture the object stays hidden.
    if (anim->FirstAvailable() < 0)
        return;
    if (show && window)
        ShowWindow(window, SW_SHOWNA);
    anim->Stop();
    anim->StepTo(anim->FirstAvailable());
    if (controlBarFlag && !autoPlay)
        anim->Start();
    else
        Play(1);
}
