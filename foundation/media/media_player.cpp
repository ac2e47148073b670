// CMedia: one media-player object of the outside media server, called late-bound through
// a process-wide table of member identifiers.
#include "qxmedia.h"

#include "media_dispatch.h"
#include "media_frame.h"

namespace {

constexpr CLSID CLSID_MediaPlayer = {0x666BA0D0, 0x9944, 0x11D3, {0x9F, 0xE1, 0x00, 0x40, 0xF6, 0xD4, 0x9C, 0x4D}};

// The server's members, in the order their identifiers are resolved.
enum Member {
    HideControlBarMember,
    ShowControlBarMember,
    HeightMember,
    WidthMember,
    GetDurationMember,
    SaveAsMember,
    GetBitmapFrameMember,
    IsPlayingMember,
    SetCallbackMessageMember,
    BackMember,
    NextMember,
    SetLoopMember,
    EndMember,
    HomeMember,
    SetXYWHMember,
    UpdateMember,
    ExitMember,
    InitMember,
    WndCommandMember,
    StopMember,
    OpenMember,
    IsActivateMember,
    CloseMember,
    PlayMember,
    FilenameMember,
    ControlbarHeightMember,
    MemberCount
};

const wchar_t* const MemberNames[MemberCount] = {
    L"HideControlBar", L"ShowControlBar", L"Height", L"Width", L"GetDuration", L"SaveAs", L"GetBitmapFrame",
    L"isPlaying", L"SetCallbackMessage", L"Back", L"Next", L"SetLoop", L"End", L"Home", L"SetXYWH", L"Update",
    L"Exit", L"Init", L"WndCommand", L"Stop", L"Open", L"isActivate", L"Close", L"Play", L"Filename",
    L"ControlbarHeight",
};

// Filled once, on the first construction that resolves every name, then only read: every
// player object of the server answers to the same identifiers.
DISPID memberIds[MemberCount];
bool memberIdsFilled = false;

bool ResolveMemberIds(IDispatch* dispatch)
{
    for (int member = 0; member < MemberCount; ++member)
        if (!ResolveMediaName(dispatch, MemberNames[member], &memberIds[member]))
            return false;
    memberIdsFilled = true;
    return true;
}

VARIANT LongArgument(long value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_I4;
    argument.lVal = value;
    return argument;
}

VARIANT LongLongArgument(LONGLONG value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_I8;
    argument.llVal = value;
    return argument;
}

// The caller keeps owning the string.
VARIANT StringArgument(BSTR value)
{
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = value;
    return argument;
}

VARIANT WindowArgument(HWND window)
{
    return LongArgument(HandleToLong(window));
}

}  // namespace

CMedia::CMedia()
{
    ConnectMediaObject(CLSID_MediaPlayer, &unknown, &dispatch);
    if (dispatch && !memberIdsFilled && !ResolveMemberIds(dispatch))
        DisconnectMediaObject(&unknown, &dispatch);
}

CMedia::~CMedia()
{
    Close();
    Exit();
    DisconnectMediaObject(&unknown, &dispatch);
}

void* CMedia::operator new(size_t bytes)
{
    return ::operator new(bytes);
}

void CMedia::operator delete(void* block)
{
    ::operator delete(block);
}

int CMedia::Active()
{
    return unknown && dispatch;
}

HRESULT CMedia::Call(int member, WORD kind, VARIANT* arguments, UINT count, VARIANT* result)
{
    if (!Active())
        return 0;
    return InvokeMedia(dispatch, memberIds[member], kind, arguments, count, result);
}

long CMedia::CallForLong(int member, WORD kind, VARIANT* arguments, UINT count, long* out)
{
    if (!Active())
        return 0;
    VARIANT result = LongArgument(0);
    Call(member, kind, arguments, count, &result);
    *out = LongOfResult(result);
    VariantClear(&result);
    return *out;
}

void CMedia::CallForBool(int member, int* out)
{
    if (!Active())
        return;
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_BOOL;
    result.boolVal = VARIANT_FALSE;
    Call(member, DISPATCH_METHOD, nullptr, 0, &result);
    *out = result.vt == VT_BOOL ? result.boolVal : 0;
    VariantClear(&result);
}

HRESULT CMedia::DrawFrame(int member, HDC dc, long x, long y, long w, long h)
{
    if (!Active())
        return 0;
    VARIANT frame;
    VariantInit(&frame);
    const HRESULT status = Call(member, DISPATCH_METHOD, nullptr, 0, &frame);
    DrawMediaFrame(frame, dc, x, y, w, h, member == UpdateMember && w == -1 && h == -1);
    VariantClear(&frame);
    return status;
}

long CMedia::Init(HWND window, long* result)
{
    VARIANT arguments[] = {WindowArgument(window)};
    return CallForLong(InitMember, DISPATCH_METHOD, arguments, 1, result);
}

long CMedia::Open(BSTR file, long* opened)
{
    VARIANT arguments[] = {StringArgument(file)};
    return CallForLong(OpenMember, DISPATCH_METHOD, arguments, 1, opened);
}

long CMedia::SaveAs(BSTR file, long* result)
{
    VARIANT arguments[] = {StringArgument(file)};
    return CallForLong(SaveAsMember, DISPATCH_METHOD, arguments, 1, result);
}

HRESULT CMedia::Play() { return Call(PlayMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::Stop() { return Call(StopMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::Close() { return Call(CloseMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::Home() { return Call(HomeMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::End() { return Call(EndMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::Back() { return Call(BackMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::Next() { return Call(NextMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::Exit() { return Call(ExitMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::ShowControlBar() { return Call(ShowControlBarMember, DISPATCH_METHOD, nullptr, 0, nullptr); }
HRESULT CMedia::HideControlBar() { return Call(HideControlBarMember, DISPATCH_METHOD, nullptr, 0, nullptr); }

HRESULT CMedia::SetLoop(long loop)
{
    VARIANT arguments[] = {LongArgument(loop)};
    return Call(SetLoopMember, DISPATCH_METHOD, arguments, 1, nullptr);
}

HRESULT CMedia::SetXYWH(long x, long y, long w, long h)
{
    VARIANT arguments[] = {LongArgument(x), LongArgument(y), LongArgument(w), LongArgument(h)};
    return Call(SetXYWHMember, DISPATCH_METHOD, arguments, 4, nullptr);
}

HRESULT CMedia::SetCallbackMessage(long event, long message)
{
    VARIANT arguments[] = {LongArgument(event), LongArgument(message)};
    return Call(SetCallbackMessageMember, DISPATCH_METHOD, arguments, 2, nullptr);
}

HRESULT CMedia::WndCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam, long* result)
{
    if (!Active())
        return 0;
    VARIANT arguments[] = {WindowArgument(window), LongArgument(static_cast<long>(message)),
                           LongLongArgument(static_cast<LONGLONG>(wParam)), LongLongArgument(lParam)};
    VARIANT answer = LongArgument(0);
    const HRESULT status = Call(WndCommandMember, DISPATCH_METHOD, arguments, 4, &answer);
    *result = LongOfResult(answer);
    VariantClear(&answer);
    return status;
}

long CMedia::GetDuration(long* duration)
{
    return CallForLong(GetDurationMember, DISPATCH_METHOD, nullptr, 0, duration);
}

long CMedia::get_Width(long* width)
{
    return CallForLong(WidthMember, DISPATCH_PROPERTYGET, nullptr, 0, width);
}

long CMedia::get_Height(long* height)
{
    return CallForLong(HeightMember, DISPATCH_PROPERTYGET, nullptr, 0, height);
}

long CMedia::get_ControlbarHeight(long* height)
{
    return CallForLong(ControlbarHeightMember, DISPATCH_PROPERTYGET, nullptr, 0, height);
}

void CMedia::isPlaying(int* playing)
{
    CallForBool(IsPlayingMember, playing);
}

void CMedia::isActivate(int* active)
{
    CallForBool(IsActivateMember, active);
}

HRESULT CMedia::get_Filename(BSTR* file)
{
    if (!Active())
        return 0;
    VARIANT result;
    VariantInit(&result);
    const HRESULT status = Call(FilenameMember, DISPATCH_PROPERTYGET, nullptr, 0, &result);
    if (result.vt == VT_BSTR) {
        *file = result.bstrVal;  // handed on to the caller
    } else {
        *file = nullptr;
        VariantClear(&result);
    }
    return status;
}

HRESULT CMedia::put_Filename(BSTR file)
{
    VARIANT arguments[] = {StringArgument(file)};
    return Call(FilenameMember, DISPATCH_PROPERTYPUT, arguments, 1, nullptr);
}

HRESULT CMedia::Update(HDC dc, long w, long h)
{
    return DrawFrame(UpdateMember, dc, 0, 0, w, h);
}

HRESULT CMedia::DrawCurrentPosToDC(HDC dc, long x, long y, long w, long h)
{
    return DrawFrame(GetBitmapFrameMember, dc, x, y, w, h);
}
