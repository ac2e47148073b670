// Members of the media-player object. Window handles come as 32-bit values, which is all
// of a handle that is significant across processes; window message parameters come as
// 64-bit values.
#include "media_player_object.h"

namespace {

enum Member : DISPID {
    HideControlBar = 1,
    ShowControlBar,
    Height,
    Width,
    GetDuration,
    SaveAs,
    GetBitmapFrame,
    IsPlaying,
    SetCallbackMessage,
    Back,
    Next,
    SetLoop,
    End,
    Home,
    SetXYWH,
    Update,
    Exit,
    Init,
    WndCommand,
    Stop,
    Open,
    IsActivate,
    Close,
    Play,
    Filename,
    ControlbarHeight,
};

constexpr WORD Method = DISPATCH_METHOD;
constexpr WORD Property = DISPATCH_PROPERTYGET;

const DispatchMember Members[] = {
    {L"HideControlBar", HideControlBar, Method},
    {L"ShowControlBar", ShowControlBar, Method},
    {L"Height", Height, Property},
    {L"Width", Width, Property},
    {L"GetDuration", GetDuration, Method},
    {L"SaveAs", SaveAs, Method},
    {L"GetBitmapFrame", GetBitmapFrame, Method},
    {L"isPlaying", IsPlaying, Method},
    {L"SetCallbackMessage", SetCallbackMessage, Method},
    {L"Back", Back, Method},
    {L"Next", Next, Method},
    {L"SetLoop", SetLoop, Method},
    {L"End", End, Method},
    {L"Home", Home, Method},
    {L"SetXYWH", SetXYWH, Method},
    {L"Update", Update, Method},
    {L"Exit", Exit, Method},
    {L"Init", Init, Method},
    {L"WndCommand", WndCommand, Method},
    {L"Stop", Stop, Method},
    {L"Open", Open, Method},
    {L"isActivate", IsActivate, Method},
    {L"Close", Close, Method},
    {L"Play", Play, Method},
    {L"Filename", Filename, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT},
    {L"ControlbarHeight", ControlbarHeight, Property},
};

HWND WindowFrom(LONG value)
{
    return static_cast<HWND>(LongToHandle(value));
}

}  // namespace

MediaPlayerObject::MediaPlayerObject() : DispatchObject(Members, sizeof Members / sizeof Members[0]) {}

HRESULT MediaPlayerObject::Frame(VARIANT* result)
{
    if (!result)
        return S_OK;
    SAFEARRAY* frame = player_.CurrentFrame();
    // No picture: an empty result, which the client draws as nothing.
    if (frame) {
        result->vt = VT_ARRAY | VT_UI1;
        result->parray = frame;
    }
    return S_OK;
}

HRESULT MediaPlayerObject::Call(DISPID id, WORD kind, const DispatchArguments& arguments, VARIANT* result)
{
    switch (id) {
    case HideControlBar: player_.ShowControlBar(false); return S_OK;
    case ShowControlBar: player_.ShowControlBar(true); return S_OK;
    case Height: SetLongResult(result, player_.Height()); return S_OK;
    case Width: SetLongResult(result, player_.Width()); return S_OK;
    case GetDuration: SetLongResult(result, player_.DurationMs()); return S_OK;
    case GetBitmapFrame:
    case Update: return Frame(result);
    case IsPlaying: SetBoolResult(result, player_.IsPlaying()); return S_OK;
    case Back: player_.Step(-1); return S_OK;
    case Next: player_.Step(1); return S_OK;
    case End: player_.End(); return S_OK;
    case Home: player_.Home(); return S_OK;
    case Exit: player_.Exit(); return S_OK;
    case Stop: player_.Stop(); return S_OK;
    case IsActivate: SetBoolResult(result, player_.IsOpen()); return S_OK;
    case Close: player_.Close(); return S_OK;
    case Play: player_.Play(); return S_OK;
    case ControlbarHeight: SetLongResult(result, player_.ControlBarHeight()); return S_OK;
    default: return CallWithArguments(id, kind, arguments, result);
    }
}

HRESULT MediaPlayerObject::CallWithArguments(DISPID id, WORD kind, const DispatchArguments& arguments,
                                             VARIANT* result)
{
    std::wstring file;
    HRESULT status = S_OK;
    switch (id) {
    case Init: {
        LONG window = 0;
        if (SUCCEEDED(status = arguments.Longs({&window}))) {
            player_.Init(WindowFrom(window));
            SetLongResult(result, 1);
        }
        return status;
    }
    case Open:
        if (SUCCEEDED(status = arguments.String(0, &file)))
            SetLongResult(result, player_.Open(file));
        return status;
    case SaveAs:
        if (SUCCEEDED(status = arguments.String(0, &file)))
            SetLongResult(result, player_.SaveAs(file));
        return status;
    case Filename:
        if (kind != DISPATCH_PROPERTYPUT)
            return SetStringResult(result, player_.FileName());
        if (SUCCEEDED(status = arguments.String(0, &file)))
            player_.Open(file);
        return status;
    case SetLoop: {
        LONG loop = 0;
        if (SUCCEEDED(status = arguments.Longs({&loop})))
            player_.SetLoop(loop != 0);
        return status;
    }
    case SetCallbackMessage: {
        LONG event = 0, message = 0;
        if (SUCCEEDED(status = arguments.Longs({&event, &message})))
            player_.SetCallback(event, static_cast<UINT>(message));
        return status;
    }
    case SetXYWH: {
        LONG x = 0, y = 0, w = 0, h = 0;
        if (SUCCEEDED(status = arguments.Longs({&x, &y, &w, &h})))
            player_.SetPicture(x, y, w, h);
        return status;
    }
    case WndCommand: {
        // The window is the one given to Init; only the message is needed.
        LONG window = 0, message = 0;
        LONGLONG wParam = 0, lParam = 0;
        if (SUCCEEDED(status = arguments.Longs({&window, &message})) && SUCCEEDED(status = arguments.LongLong(2, &wParam))
            && SUCCEEDED(status = arguments.LongLong(3, &lParam)))
            SetLongResult(result, player_.WndCommand(static_cast<UINT>(message), static_cast<WPARAM>(wParam),
                                                     static_cast<LPARAM>(lParam)));
        return status;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
