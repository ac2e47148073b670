// The "FLC {" block of a page file: geometry, media or image list, sound, two flag lines, a
// reserved line and the sound track. Records without the reserved line are older: their sound
// becomes the one entry of the sound track, at frame 0.
#include "flc.h"

#include "anim.h"
#include "kernel.h"
#include "motionres.h"
#include "objgeometry.h"
#include "paths.h"
#include "qxfile.h"
#include "qxutil.h"
#include "recordio.h"

#include <cstdlib>
#include <cstring>

namespace {

// A frame number line of the sound track is short.
constexpr int SOUND_FRAME_LINE = 21;

int AlertBadRecord(OBJET* flc)
{
    QXSTRING caption, text;
    caption.LoadResource(flc->GetHDLL(), IDS_FILE_ERROR);
    text.LoadResource(flc->GetHDLL(), IDS_BAD_ANIMATION_RECORD);
    Alert(KernGetAppWindow(flc->GetKernel()), caption, text);
    return 0;
}

bool IsEnd(const char* line) { return std::strcmp(line, "}") == 0; }

}  // namespace

int FLC::Load(QXFILE file, int& universe)
{
    if (!OBJET::Load(file, universe))
        return 0;
    char line[QX_RECORD_LINE];
    if (!ReadTrimmedLine(file, line, sizeof line) || lstrcmpiA(line, "FLC {") != 0)
        return AlertBadRecord(this);
    if (!ReadGeometry(file, this, universe) || !ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (lstrcmpiA(line, "FILES {") == 0) {
        series = 1;
        anim = std::make_unique<ANIM>();
        mediaName = "";
        for (;;) {
            if (!ReadTrimmedLine(file, line, sizeof line))
                return AlertBadRecord(this);
            if (IsEnd(line))
                break;
            if (IsNullText(line))
                continue;
            QXSTRING frame;
            ReadRecordFileName(kernel, line, frame);
            anim->AddFrame(static_cast<const char*>(frame));
        }
    } else {
        ReadRecordFileName(kernel, line, mediaName);
    }
    if (!ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    ReadRecordFileName(kernel, line, soundName);
    if (!Load4Int(file, &loop, &controlBarFlag, &autoPlay, &loopCount) ||
        !Load4Int(file, &replaySound, &framesPerSecond, &centre, &stretch))
        return AlertBadRecord(this);
    if (anim)
        anim->SetLoop(loop != 0);
    if (stretch)
        centre = 0;

    if (!ReadTrimmedLine(file, line, sizeof line))
        return 0;
    if (IsEnd(line)) {
        // An older record: its sound plays from the first frame as the sound track does.
        if (soundTrack.empty() && soundName.length()) {
            SoundFrame entry;
            entry.name = soundName;
            soundTrack.push_back(entry);
            soundName = "";
        }
        return 1;
    }
    if (!ReadTrimmedLine(file, line, sizeof line))
        return AlertBadRecord(this);
    if (std::strcmp(line, "SOUNDTRACK [") == 0) {
        soundTrack.clear();
        for (;;) {
            char number[SOUND_FRAME_LINE];
            if (!ReadTrimmedLine(file, number, sizeof number))
                return 0;
            if (IsEnd(number)) {
                if (!soundTrack.empty())
                    soundName = "";
                return 1;
            }
            if (std::strcmp(number, "]") == 0)
                break;
            if (!ReadTrimmedLine(file, line, sizeof line))
                break;
            SoundFrame entry;
            entry.frame = std::atoi(number);
            ReadRecordFileName(kernel, line, entry.name);
            soundTrack.push_back(entry);
        }
        if (!soundTrack.empty())
            soundName = "";
    } else if (IsEnd(line)) {
        return 1;
    }
    // Later versions may add lines.
    while (ReadTrimmedLine(file, line, sizeof line))
        if (IsEnd(line))
            return 1;
    return 0;
}

int FLC::Save(QXFILE file, int& universe, int withBranches)
{
    if (!OBJET::Save(file, universe, withBranches))
        return 0;
    RECORDWRITER out(file);
    out.Line("FLC {");
    WriteGeometry(out, this, universe);
    if (series && anim) {
        out.Line("FILES {");
        for (int i = 0; i < anim->Count(); ++i)
            WriteRecordFileName(out, kernel, anim->Frame(i).name.c_str());
        out.Line("}");
    } else {
        WriteRecordFileName(out, kernel, mediaName);
    }
    // The sound track replaces the single sound.
    if (!soundTrack.empty())
        soundName = "";
    WriteRecordFileName(out, kernel, soundName);
    out.Format("%-8d%-8d%-8d%-56d", loop, controlBarFlag, autoPlay, loopCount);
    out.Format("%-8d%-8d%-8d%-56d", replaySound, framesPerSecond, centre, stretch);
    out.Line("NULL");
    if (!soundTrack.empty()) {
        out.Line("SOUNDTRACK [");
        for (const SoundFrame& entry : soundTrack) {
            out.Format("%d", entry.frame);
            char relative[QX_NAME_BUFFER] = "";
            KernFileToRelatifPath(kernel, entry.name, relative);
            out.Line(relative);
        }
        out.Line("]");
    }
    out.Line("}");
    return out.Ok() ? 1 : 0;
}
