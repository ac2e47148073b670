// COM and factory set-up for the imaging component.
#include "wicsession.h"

WicSession::WicSession()
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE also counts: COM was already initialised and must be released once more.
    uninitialise_ = SUCCEEDED(init);
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(factory_.Out()));
}

WicSession::~WicSession()
{
    factory_.Reset();
    if (uninitialise_)
        CoUninitialize();
}
