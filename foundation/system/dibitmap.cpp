// The system's CreateDIBitmap under the foundation's name.
#include "qxutil.h"

HBITMAP QXCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                         const BITMAPINFO* info, UINT usage)
{
    return CreateDIBitmap(dc, header, init, bits, info, usage);
}
