// FLC: the animation/video object. It shows a FLIC animation with the module's own player,
// any other media file through the media server or MCI, or an image series; it may loop,
// show a control bar, play a sound track at chosen frames and take its end branch once it
// has played its loops. A click takes its first branch.
#pragma once

#include "objet.h"
#include "flc_snapshot.h"
#include "media_open.h"

#include <memory>
#include <string>
#include <vector>

class ANIM;
class BBUTTON;
class CMedia;
class FlicPlayer;
struct GETFILE_STRUCT;

// The FLIC player's own end message, which the object leaves to the frame message.
constexpr UINT FLC_FLIC_END = 2024;
// Reopen the media and show it.
constexpr UINT FLC_REOPEN = 1345;
constexpr int FLC_CONTROL_BAR_HEIGHT = 19;
constexpr int FLC_CONTROL_BAR_MIN_WIDTH = 95;
constexpr int FLC_BUTTONS = 5;
// The shared device of sounds.
constexpr int FLC_SOUND_DEVICE = 1;

// What the settings dialog's preview window shows of the dialog's working copy.
struct FlcPreview {
    CMedia* media = nullptr;
    UINT mciDevice = 0;
    std::unique_ptr<FlicPlayer> player;
    int playing = 0;        // the dialog asked for a play
    int started = 0;        // the media's play was started
    int controlBar = 0;     // mirrors the control-bar check box
    int fitToMedia = 0;     // the object takes the media's size at the next open
    HWND window = nullptr;  // the preview window
    HWND dialog = nullptr;
    QXSTRING file;          // the file to show, "" for none
    QXSTRING local;         // its fetched copy
    WNDPROC listProc = nullptr;  // the image list's own procedure
};

// One sound of the sound track: played when the animation reaches its frame.
struct SoundFrame {
    int frame = 0;
    QXSTRING local;   // the fetched copy, never stored
    QXSTRING name;
};

class FLC : public OBJET {
public:
    FLC(KERNEL* kernel, HINSTANCE module);
    ~FLC() override;

    LRESULT WindowsMessage(MSGL* msg) override;
    LRESULT KernelMessage(MSGL* msg) override;
    int Load(QXFILE file, int& universe) override;
    int SetProperties(long id, const char* value) override;
    int GetProperties(long id, int size, char* buffer) override;
    // The settings dialog on a working copy: 1 when the object keeps valid settings, 0 when
    // the author cancelled or a new object was left without content.
    int Modify() override;
    int IsStdClipFormatAvailable() override { return 0; }
    int Save(QXFILE file, int& universe, int withBranches) override;
    // The branch list, the picture list of a series and the constructor call; 0 when a file
    // the page needs cannot be had.
    int ExportToDHTML(QXFILE file, int& index) override;
    OBJET& operator=(const OBJET& other) override;
    // Between two animations too, assignment copies the settings as the object model does.
    FLC& operator=(const FLC& other)
    {
        operator=(static_cast<const OBJET&>(other));
        return *this;
    }
    int DelaiObjetShow() override;

    // The loop flag, which the image series follows.
    void SetLoop(int on);
    // The playback commands: 1 done, 0 when the kind has nothing to play.
    int Home();
    int Back();
    int Stop();
    int Play(int withSound);
    int Next();
    // A play reached its end: loops counted, the end branch taken, a loop restarted.
    void EndOfLoop();

    static int KindOfName(const char* name);
    // Closes the media shown and opens `kind` (nothing when it is the same and not `show`).
    void OpenMedia(int newKind, bool show);
    void CloseMedia();
    // The picture area and the players placed in it.
    void Layout();
    // Palettes realised (1) or not (0): handed to the FLIC player and the MCI device.
    void SetPaletteMode(int mode);
    void UpdateControlBar();
    void SetBarButtons(bool playing);

    int series = 0;             // the source is the image series
    QXSTRING mediaName;
    QXSTRING mediaLocal;
    QXSTRING soundName;
    QXSTRING soundLocal;
    SnapshotFile snapshot;      // a picture of the object while its media is closed
    BBUTTON* buttons[FLC_BUTTONS]{};
    HWND controlBar = nullptr;
    int loop = 0;
    int controlBarFlag = 0;
    int autoPlay = 1;
    int replaySound = 0;
    int loopCount = 1;
    int framesPerSecond = 0;
    int centre = 0;
    int stretch = 1;
    int kind = FLC_KIND_NONE;
    int paletteMode = 0;
    int playing = 0;
    int mediaPlayPending = 0;
    int loopsPlayed = 0;
    int soundLock = 0;
    int failed = 0;             // a needed file could not be had
    int waitingKind = FLC_KIND_NONE;  // opens once the files it needs have arrived
    std::unique_ptr<FlicPlayer> player;
    std::unique_ptr<ANIM> anim;
    CMedia* media = nullptr;
    UINT mciDevice = 0;
    QXSTRING mciAlias;
    CMedia* soundMedia = nullptr;
    UINT soundDevice = 0;
    std::vector<SoundFrame> soundTrack;
    // The sound now due: its name as entered and its local copy.
    QXSTRING currentSound;
    QXSTRING currentSoundLocal;
    FlcPreview preview;

private:
    LRESULT OnShown(MSGL* msg);
    LRESULT OnExtent(MSGL* msg);
    LRESULT OnPaintTo(MSGL* msg);
    LRESULT OnFileReady(MSGL* msg);
    LRESULT OnEnable(MSGL* msg);
    // The picture area's content at (0, 0) of the DC.
    void PaintContent(HDC dc);
    void StartMediaPlay();
    void StartIfAutoPlay();
    int KindWanted() const;
    void OnFrame(WPARAM frame, LPARAM reached);
    void OnSeriesTimer();
    void ArmBranchTimers();
    RECT PictureArea() const;
    void InvalidatePicture();
    int Step(bool back);
    // 1 when every file the kind needs is local; else requests go out for the others.
    bool FetchNeeded(bool withMedia);
    bool FetchOne(const QXSTRING& name, QXSTRING* local);
    bool OpenFlic();
    bool OpenServedMedia();
    void OpenSeries(bool show);
    // Fetches the series' pictures not fetched yet, local ones at once; false while a remote
    // one is on its way.
    bool FetchSeriesFrames();
    // A picture of the series being fetched arrived or failed: recorded, the next one asked
    // for, the series shown once none is left. False when the file is none of those.
    bool TakeSeriesFrame(const GETFILE_STRUCT& record, bool arrived);
    // Shown on its first picture, played unless its control bar is there to start it.
    void ShowFetchedSeries(bool show);
    // The sound of the sound track at that frame (or the single sound at frame 0).
    void OpenSound(const QXSTRING& name, const QXSTRING& local);
    void PlayCurrentSound();
    void StopSound();
    void SelectSoundAt(int frame);
    void CreateControlBar();
    void DestroyControlBar();
    bool GrabSnapshot();
};



HINSTANCE MotionModule();
// The live objects of the process, for the player window class they share.
void CountObjectIn();
void CountObjectOut();
int LiveObjects();
