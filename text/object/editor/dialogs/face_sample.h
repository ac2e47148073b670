// The small preview windows of the editor's dialogs ("EXTXTBRANCH", "EXTXTPROP",
// "EXTXTQXFLST"): a fill colour, and a face name drawn in its font and colours, centred. Each
// window points (window long 0) to a FACESAMPLE that its dialog keeps up to date.
#pragma once

#include <windows.h>

// What a preview shows. Colours carry their opacity in the top byte (0xFF opaque).
struct FACESAMPLE {
    COLORREF fill = 0;               // the whole window
    const LOGFONTA* font = nullptr;  // null: the fill only
    COLORREF textColour = 0;
    COLORREF textBackground = 0;     // behind the text when opaque, else the fill when that is
    RECT preview{};                  // the text is centred in it (client coordinates)
    bool textShown = true;           // a look that is switched off shows its fill only
};

// Extra bytes of the preview classes; the sample pointer is window long 0.
constexpr int QX_SAMPLE_WINDOW_EXTRA = 40;

// Registers the class at its first user (class styles 0x83, the extra bytes, arrow cursor,
// no brush) and unregisters it when its last user goes; false when registration fails.
class SampleClassUse {
public:
    explicit SampleClassUse(const char* className);
    ~SampleClassUse();
    SampleClassUse(const SampleClassUse&) = delete;
    SampleClassUse& operator=(const SampleClassUse&) = delete;
    bool Registered() const { return registered_; }

private:
    const char* className_;
    bool registered_;
};

// A preview window of the class filling the frame control `frameId` of the dialog (the frame
// stays, under it); the sample's preview rectangle becomes the window's client area.
HWND CreateSampleWindow(HWND dialog, int frameId, const char* className, FACESAMPLE* sample);

// What WM_PAINT of a preview draws, into any device context.
void DrawFaceSample(HDC dc, const RECT& client, const FACESAMPLE& sample);
