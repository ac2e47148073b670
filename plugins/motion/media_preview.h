// The media preview of the module's dialogs: a small pane showing an animation or a film,
// opened with the module's FLIC player, the media server or MCI, and driven by the events of
// the foundation's preview pane (QXPREVIEW) or of the open-file dialog with a preview.
#pragma once

#include "qxstring.h"

#include <windows.h>

#include <memory>

class CMedia;
class FlicPlayer;

constexpr int PREVIEW_NOTHING = 0;
constexpr int PREVIEW_FLIC = 1;
constexpr int PREVIEW_MEDIA = 2;

// One preview's state, made by the dialog that shows the preview and destroyed with it; its
// players are closed then.
struct PREVIEWDATA {
    PREVIEWDATA();
    ~PREVIEWDATA();
    PREVIEWDATA(const PREVIEWDATA&) = delete;
    PREVIEWDATA& operator=(const PREVIEWDATA&) = delete;
    void CloseAll();

    UINT mciDevice = 0;
    CMedia* media = nullptr;
    std::unique_ptr<FlicPlayer> player;
    int kind = PREVIEW_NOTHING;
    QXSTRING file;
    HWND window = nullptr;   // the pane
    int playing = 0;
    int speed = -1;          // -1: the file's own speed, else frames per second imposed
    RECT rect{};             // where the media shows inside the pane
    int keepRect = 0;        // 0: a FLIC keeps its aspect ratio inside the rectangle
    // The window told of a FLIC's frames and of its last one (FLC_FRAME_MESSAGE);
    // null when no one listens, the FLIC then stopping at its last frame all the same.
    HWND notify = nullptr;
};

// The preview callback (QXPREVIEW_CALLBACK): 1 pane made (window and rectangle), 3 paint
// (a device context), 4 play, 5 stop; every event first takes the file. `user` is the
// PREVIEWDATA. Non-zero when the preview drew or played the file itself.
int MediaPreviewCallback(char event, HANDLE handle, const RECT* rect, const char* file, LPARAM user);
