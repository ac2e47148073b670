// The frame list of an image series: fetching, loading, stepping and moving frames.
#include "anim.h"

#include "qxbmp.h"

#include <algorithm>
#include <cstring>

AnimFrame::AnimFrame() : picture(new BMP) {}
AnimFrame::~AnimFrame() = default;

ANIM::~ANIM()
{
    FreeTimer();
}

void ANIM::CopyFrom(const ANIM& other)
{
    FreeTimer();
    x_ = other.x_;
    y_ = other.y_;
    width_ = other.width_;
    height_ = other.height_;
    interval_ = other.interval_;
    loop_ = other.loop_;
    onDemand_ = other.onDemand_;
    current_ = other.current_;
    previous_ = other.previous_;
    state_ = Stopped;
    paletteMode_ = 0;
    frames_.clear();
    for (const auto& frame : other.frames_) {
        auto copy = std::make_unique<AnimFrame>();
        copy->availability = frame->availability;
        copy->name = frame->name;
        copy->local = frame->local;
        frames_.push_back(std::move(copy));
    }
}

void ANIM::SetRect(int x, int y, int width, int height)
{
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
}

void ANIM::SetFrameRate(int framesPerSecond)
{
    interval_ = framesPerSecond > 0 ? 1000 / framesPerSecond : ANIM_DEFAULT_INTERVAL;
}

void ANIM::AddFrame(const std::string& name)
{
    auto frame = std::make_unique<AnimFrame>();
    frame->name = name;
    frames_.push_back(std::move(frame));
}

int ANIM::AddFiles(HWND listBox, const char* selection)
{
    if (!selection || !*selection)
        return 0;
    std::vector<std::string> names;
    const char* next = selection + std::strlen(selection) + 1;
    if (!*next) {
        names.push_back(selection);
    } else {
        const std::string folder = selection;
        const char* separator = folder.find("://") != std::string::npos ? "/" : "\\";
        for (; *next; next += std::strlen(next) + 1)
            names.push_back(folder + separator + next);
    }
    const int first = Count();
    for (const std::string& name : names) {
        AddFrame(name);
        if (!listBox)
            continue;
        size_t cut = name.rfind('\\');
        if (cut == std::string::npos)
            cut = name.rfind('/');
        const std::string shortName = cut == std::string::npos ? name : name.substr(cut + 1);
        const LRESULT item = SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shortName.c_str()));
        if (item >= 0)
            SendMessageA(listBox, LB_SETITEMDATA, static_cast<WPARAM>(item),
                         reinterpret_cast<LPARAM>(frames_.back()->name.c_str()));
        if (static_cast<int>(frames_.size()) == first + 1 && item >= 0)
            SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    }
    current_ = first;
    return 1;
}

void ANIM::RemoveFrame(int index)
{
    if (index < 0 || index >= Count())
        return;
    frames_.erase(frames_.begin() + index);
    if (current_ >= Count())
        current_ = Count() - 1;
    previous_ = -1;
}

void ANIM::ReplaceFrame(int index, const std::string& name)
{
    if (index < 0 || index >= Count())
        return;
    auto frame = std::make_unique<AnimFrame>();
    frame->name = name;
    frames_[static_cast<size_t>(index)] = std::move(frame);
}

int ANIM::MoveFrame(int from, int to)
{
    const int count = Count();
    if (count < 2 || from == to || from < 0 || to < 0 || from >= count || to >= count)
        return 0;
    auto frame = std::move(frames_[static_cast<size_t>(from)]);
    frames_.erase(frames_.begin() + from);
    frames_.insert(frames_.begin() + to, std::move(frame));
    return 1;
}

void ANIM::ResetFrames()
{
    for (auto& frame : frames_) {
        frame->picture->Clear();
        frame->loaded = false;
        frame->availability = AnimFrame::NotFetched;
        frame->local.clear();
    }
}

int ANIM::FetchOne(int index, const AnimFetch& fetch)
{
    if (index < 0 || index >= Count())
        return 0;
    AnimFrame& frame = Frame(index);
    std::string local = fetch ? fetch(frame.name) : std::string();
    const HANDLE file = local.empty() ? INVALID_HANDLE_VALUE
                                      : CreateFileA(local.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        frame.availability = AnimFrame::Unavailable;
        frame.local.clear();
        return 0;
    }
    CloseHandle(file);
    frame.availability = AnimFrame::Local;
    frame.local = local;
    return 1;
}

void ANIM::FetchAll(const AnimFetch& fetch)
{
    for (int i = 0; i < Count(); ++i)
        if (Frame(i).availability != AnimFrame::Local)
            FetchOne(i, fetch);
}

int ANIM::LoadOne(int index)
{
    if (index < 0 || index >= Count())
        return 0;
    AnimFrame& frame = Frame(index);
    frame.picture->Clear();
    frame.loaded = frame.availability == AnimFrame::Local && frame.picture->Import(frame.local.c_str()) == 0;
    return frame.loaded ? 1 : 0;
}

void ANIM::Unload(int index)
{
    if (index < 0 || index >= Count())
        return;
    Frame(index).picture->Clear();
    Frame(index).loaded = false;
}

int ANIM::PictureSize(int index, int* width, int* height)
{
    *width = *height = 0;
    if (!Available(index))
        return 0;
    BMP picture;
    if (picture.Import(Frame(index).local.c_str()) != 0)
        return 0;
    picture.GetWH(*width, *height);
    return 1;
}

int ANIM::LoadedPictures() const
{
    return static_cast<int>(std::count_if(frames_.begin(), frames_.end(), [](const auto& f) { return f->loaded; }));
}

bool ANIM::Available(int index) const
{
    return index >= 0 && index < Count() && Frame(index).availability == AnimFrame::Local;
}

int ANIM::FirstAvailable() const
{
    for (int i = 0; i < Count(); ++i)
        if (Available(i))
            return i;
    return -1;
}

int ANIM::LastAvailable() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Available(i))
            return i;
    return -1;
}

int ANIM::Walk(int from, int direction, bool wrap) const
{
    const int count = Count();
    if (count < 2 || from < 0 || from >= count)
        return -1;
    for (int i = from + direction;; i += direction) {
        if (i < 0 || i >= count) {
            if (!wrap)
                return -1;
            i = i < 0 ? count - 1 : 0;
        }
        if (i == from)
            return -1;
        if (Available(i))
            return i;
    }
}

int ANIM::NextAvailable(int from, bool wrap) const { return Walk(from, 1, wrap); }
int ANIM::PreviousAvailable(int from, bool wrap) const { return Walk(from, -1, wrap); }

int ANIM::FirstNotFetched() const
{
    for (int i = 0; i < Count(); ++i)
        if (Frame(i).availability == AnimFrame::NotFetched)
            return i;
    return -1;
}

int ANIM::StepTo(int index)
{
    if (current_ < 0 || index < 0 || index >= Count())
        return 0;
    previous_ = current_;
    current_ = index;
    if (onDemand_ && previous_ != current_) {
        Unload(previous_);
        LoadOne(current_);
    }
    return 1;
}

int ANIM::StepFirst() { return StepTo(FirstAvailable()); }
int ANIM::StepNext() { return StepTo(NextAvailable(current_, loop_)); }
int ANIM::StepNextNoWrap() { return StepTo(NextAvailable(current_, false)); }
int ANIM::StepPrevious() { return StepTo(PreviousAvailable(current_, loop_)); }

int ANIM::Start()
{
    if (frames_.empty() || state_ == Disabled)
        return 0;
    if (state_ == Playing) {
        onDemand_ = Count() > ANIM_HELD_PICTURES;
        current_ = -1;
        for (int i = 0; i < Count(); ++i) {
            if (!Available(i))
                continue;
            const bool loaded = LoadOne(i) != 0;
            if (loaded && current_ < 0)
                current_ = i;
            if (onDemand_ && current_ >= 0)
                break;
        }
        FreeTimer();
    } else if (current_ >= 0 && current_ < Count()) {
        LoadOne(current_);
    }
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
    return 1;
}

int ANIM::Play()
{
    FreeTimer();
    state_ = Playing;
    return Start();
}

void ANIM::Stop()
{
    FreeTimer();
    state_ = Stopped;
}

bool ANIM::Advance()
{
    const bool moved = StepNextNoWrap() != 0;
    if (!moved) {
        Stop();
        StepTo(LastAvailable());
    }
    return moved;
}
