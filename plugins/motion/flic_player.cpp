// The FLIC player: opening, frame steps into the frame bitmap, drawing and placing.
#include "flic_player.h"

#include "flic_qxfile.h"
#include "qxbmp.h"

FlicPlayer::FlicPlayer() : frame_(new BMP) {}

FlicPlayer::~FlicPlayer()
{
    Close();
    delete frame_;
}

int FlicPlayer::Open(const char* name, HWND parent, int x, int y)
{
    Close();
    const int result = reader_.Open(OpenFlicFile(name));
    if (result != FLIC_OPENED)
        return result;
    frame_->New(Width(), Height(), 8);
    x_ = x;
    y_ = y;
    width_ = Width();
    height_ = Height();
    if (parent != FLIC_NO_WINDOW)
        window_ = CreateFlicPlayerWindow(this, parent, x, y, width_, height_);
    Rewind();
    return FLIC_OPENED;
}

void FlicPlayer::Close()
{
    Stop();
    if (window_) {
        KillTimer(window_, FLIC_WATCHDOG_TIMER);
        SetWindowLongPtrA(window_, 0, 0);
        DestroyWindow(window_);
    }
    window_ = nullptr;
    reader_.Close();
    frame_->Clear();
    busy_ = false;
}

template <class Step>
int FlicPlayer::Decode(Step step)
{
    if (!IsOpen())
        return -1;
    auto* bits = static_cast<uint8_t*>(frame_->Lock());
    if (!bits)
        return -1;
    FlicCanvas canvas(bits, Width(), Height());
    bool paletteChanged = false;
    const int counter = step(canvas, paletteChanged);
    paletteChanged = paletteChanged || reader_.LastFrame().paletteChanged;
    // The locked DIB's colour table is the bitmap's once unlocked.
    if (paletteChanged)
        frame_->SetPalette(256, reinterpret_cast<RGBQUAD*>(const_cast<FlicColour*>(reader_.Palette().data())));
    frame_->Unlock();
    endPosted_ = false;
    return counter;
}

int FlicPlayer::Rewind(HDC dc)
{
    // The first frame sets the colours, also when they were set before.
    const int counter = Decode([this](FlicCanvas& canvas, bool& paletteChanged) {
        paletteChanged = true;
        return reader_.Rewind(canvas);
    });
    if (counter >= 0)
        Show(dc);
    return counter;
}

int FlicPlayer::NextFrame(HDC dc)
{
    const int counter = Decode([this](FlicCanvas& canvas, bool&) { return reader_.NextFrame(canvas); });
    if (counter < 0)
        return counter;
    PostFrame(counter);
    Show(dc);
    return counter;
}

int FlicPlayer::GoToFrame(int frame, HDC dc)
{
    return MoveToFrame(frame, dc, false);
}

int FlicPlayer::StepBackToFrame(int frame, HDC dc)
{
    return MoveToFrame(frame, dc, true);
}

int FlicPlayer::MoveToFrame(int frame, HDC dc, bool fromStart)
{
    if (!IsOpen())
        return -1;
    if (frame < 0 || frame >= Frames() || frame == Counter())
        return Counter();
    const int counter = Decode([this, frame, fromStart](FlicCanvas& canvas, bool& paletteChanged) {
        const FlicReader::StepHook onStep = [this, &paletteChanged](int reached) {
            paletteChanged = paletteChanged || reader_.LastFrame().paletteChanged;
            PostFrame(reached);
        };
        // A rewind decodes the first frame again, with its colours.
        paletteChanged = fromStart || frame < Counter();
        return fromStart ? reader_.StepBackToFrame(frame, canvas, onStep) : reader_.GoToFrame(frame, canvas, onStep);
    });
    Show(dc);
    return counter;
}

void FlicPlayer::PostFrame(int counter)
{
    if (notify_ && frameMessage_)
        PostMessageA(notify_, frameMessage_, static_cast<WPARAM>(counter), tag_ + 1);
}

void FlicPlayer::Show(HDC dc)
{
    if (dc) {
        Draw(dc, false);
        return;
    }
    if (!window_)
        return;
    InvalidateRect(window_, nullptr, FALSE);
    SetTimer(window_, FLIC_WATCHDOG_TIMER, FLIC_WATCHDOG_MS, nullptr);
    busy_ = true;
}

void FlicPlayer::Draw(HDC dc, bool ownWindow)
{
    if (!IsOpen() || !dc)
        return;
    int width = Width(), height = Height();
    if (stretch_) {
        RECT client{0, 0, width_, height_};
        if (window_)
            GetClientRect(window_, &client);
        width = client.right;
        height = client.bottom;
    }
    frame_->Draw(dc, ownWindow ? 0 : x_, ownWindow ? 0 : y_, width, height, SRCCOPY, paletteMode_);
}

void FlicPlayer::Place(int x, int y, int width, int height)
{
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    if (window_)
        MoveWindow(window_, x, y, width, height, TRUE);
}
