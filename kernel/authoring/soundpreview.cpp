// KernSoundTemplateHook: the template chooser's preview pane plays the sound selected, through
// the media server when it answers, else through MCI; one preview a pane, stopped on request,
// on OK and Cancel, when the selection moves and when the sound ends.
#include "authoring.h"

#include "pagedialog_res.h"
#include "qxmedia.h"
#include "qxtmpl_api.h"
#include "qxwindowptr.h"

#include <mmsystem.h>

namespace {

// The property of the pane that holds the media-server object while it plays.
constexpr const char* MediaProperty = "QXQuickTime";
// The media server posts this to the pane when a play ends (its event 6).
constexpr UINT MediaEndMessage = WM_USER + 4;
constexpr long MediaEndEvent = 6;

UINT itemChangedMessage = 0;
UINT getFileMessage = 0;

void RegisterChooserMessages()
{
    if (getFileMessage)
        return;
    RegisterWindowMessageA(QXTMPL_GETNAME_MSG);
    RegisterWindowMessageA(QXTMPL_GETDESCRIPTION_MSG);
    getFileMessage = RegisterWindowMessageA(QXTMPL_GETFILE_MSG);
    itemChangedMessage = RegisterWindowMessageA(QXTMPL_ITEMCHANGED_MSG);
}

CMedia* Media(HWND pane) { return static_cast<CMedia*>(GetPropA(pane, MediaProperty)); }

// The MCI device is kept as the pane's object pointer; 0 for none.
MCIDEVICEID Device(HWND pane) { return static_cast<MCIDEVICEID>(reinterpret_cast<UINT_PTR>(GetQORVEXpointer(pane))); }

void KeepDevice(HWND pane, MCIDEVICEID device)
{
    SetQORVEXpointer(pane, reinterpret_cast<void*>(static_cast<UINT_PTR>(device)));
}

void DropMedia(HWND pane)
{
    delete static_cast<CMedia*>(RemovePropA(pane, MediaProperty));
}

void CloseDevice(HWND pane)
{
    const MCIDEVICEID device = Device(pane);
    if (!device)
        return;
    MCI_GENERIC_PARMS close{};
    mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    KeepDevice(pane, 0);
}

// Only the end of the current play counts: a device closed for a second start reports its
// abort later, possibly under the id that the new device took over.
bool PlayEnded(HWND pane, WPARAM flags, LPARAM device)
{
    return (flags == MCI_NOTIFY_SUCCESSFUL || flags == MCI_NOTIFY_FAILURE) && Device(pane) &&
           static_cast<MCIDEVICEID>(device) == Device(pane);
}

void StopPreview(HWND pane)
{
    DropMedia(pane);
    CloseDevice(pane);
}

// A media-server object set to tell the pane when a play ends; null when the server is not there.
CMedia* NewMedia(HWND pane)
{
    auto* media = new CMedia;
    if (!media || !media->Active()) {
        delete media;
        return nullptr;
    }
    long initialised = 0;
    media->Init(pane, &initialised);
    media->SetCallbackMessage(MediaEndEvent, MediaEndMessage);
    return media;
}

void PlayOnServer(HWND pane, CMedia* media, const char* file)
{
    const BSTR name = NewBSTR(file);
    long opened = 0;
    media->Open(name, &opened);
    FreeBSTR(name);
    if (!opened) {
        if (Media(pane) == media)
            RemovePropA(pane, MediaProperty);
        delete media;
        return;
    }
    SetPropA(pane, MediaProperty, media);
    media->Play();
}

void PlayThroughMci(HWND pane, const char* file)
{
    // A second start replaces the sound that plays.
    CloseDevice(pane);
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = file;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return;
    KeepDevice(pane, open.wDeviceID);
    KeepMciDriverLoaded(open.wDeviceID);
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(pane);
    mciSendCommandA(open.wDeviceID, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

void StartPreview(HWND pane)
{
    char file[QXTMPL_NAME_SIZE] = "";
    SendMessageA(GetParent(pane), getFileMessage, sizeof file, reinterpret_cast<LPARAM>(file));
    file[sizeof file - 1] = '\0';
    if (waveOutGetNumDevs() == 0 || !file[0])
        return;
    CMedia* media = Media(pane);
    if (!media)
        media = NewMedia(pane);
    if (media)
        PlayOnServer(pane, media, file);
    else
        PlayThroughMci(pane, file);
}

}  // namespace

INT_PTR CALLBACK KernSoundTemplateHook(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        RegisterChooserMessages();
        return TRUE;
    }
    if (message == MediaEndMessage && Media(pane)) {
        DropMedia(pane);
        return TRUE;
    }
    if (message == MM_MCINOTIFY && PlayEnded(pane, wParam, lParam)) {
        CloseDevice(pane);
        return TRUE;
    }
    if (itemChangedMessage && message == itemChangedMessage) {
        StopPreview(pane);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        // Whatever way the chooser closes, no sound outlives the pane.
        StopPreview(pane);
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
        // The chooser goes on closing.
        StopPreview(pane);
        return FALSE;
    case IDC_PLAYSOUND_STOP:
        StopPreview(pane);
        return TRUE;
    case IDC_PLAYSOUND_START:
        StartPreview(pane);
        return TRUE;
    default:
        return FALSE;
    }
}
