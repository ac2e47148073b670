// MCI commands on one open device.
#include "mci_device.h"

#include <digitalv.h>

#include <algorithm>

bool MciDevice::Open(const std::wstring& file, HWND videoParent)
{
    Close();
    MCI_DGV_OPEN_PARMSW open{};
    open.lpstrElementName = const_cast<wchar_t*>(file.c_str());
    DWORD flags = MCI_OPEN_ELEMENT | MCI_WAIT;
    if (videoParent) {
        open.hWndParent = videoParent;
        open.dwStyle = WS_CHILD;
        flags |= MCI_DGV_OPEN_PARENT | MCI_DGV_OPEN_WS;
    }
    if (mciSendCommandW(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&open)))
        return false;
    id_ = open.wDeviceID;
    video_ = videoParent != nullptr;
    MCI_SET_PARMS format{};
    format.dwTimeFormat = video_ ? MCI_FORMAT_FRAMES : MCI_FORMAT_MILLISECONDS;
    if (mciSendCommandW(id_, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&format))) {
        Close();
        return false;
    }
    return true;
}

void MciDevice::Close()
{
    if (id_)
        mciSendCommandW(id_, MCI_CLOSE, MCI_WAIT, 0);
    id_ = 0;
    video_ = false;
}

bool MciDevice::Play(HWND notify)
{
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(notify);
    return id_ && !mciSendCommandW(id_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

void MciDevice::Stop()
{
    if (id_)
        mciSendCommandW(id_, MCI_STOP, MCI_WAIT, 0);
}

bool MciDevice::IsPlaying() const
{
    return id_ && Status(MCI_STATUS_MODE) == MCI_MODE_PLAY;
}

void MciDevice::Seek(long position)
{
    if (!id_)
        return;
    MCI_SEEK_PARMS seek{};
    seek.dwTo = static_cast<DWORD>(std::clamp(position, 0L, LastPosition()));
    mciSendCommandW(id_, MCI_SEEK, MCI_TO | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&seek));
}

long MciDevice::Position() const
{
    return static_cast<long>(Status(MCI_STATUS_POSITION));
}

long MciDevice::Length() const
{
    return static_cast<long>(Status(MCI_STATUS_LENGTH));
}

long MciDevice::LastPosition() const
{
    const long length = Length();
    return video_ && length > 0 ? length - 1 : length;
}

DWORD_PTR MciDevice::Status(DWORD item) const
{
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    if (!id_ || mciSendCommandW(id_, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)))
        return 0;
    return status.dwReturn;
}
