// The connection point of the control's events.
#include "event_point.h"

#include "control_ids.h"
#include "stage_control.h"

#include <algorithm>

EVENTPOINT::~EVENTPOINT()
{
    for (auto& sink : sinks_) sink.second->Release();
}

void EVENTPOINT::Detach()
{
    control_ = nullptr;
}

void EVENTPOINT::Fire(DISPID id, VARIANTARG* arguments, UINT count)
{
    // The platform passes arguments last first.
    std::vector<VARIANTARG> reversed(arguments, arguments + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS params{reversed.data(), nullptr, count, 0};
    // A sink may unadvise from inside its handler: call a copy of the list.
    auto sinks = sinks_;
    for (auto& sink : sinks) sink.second->AddRef();
    for (auto& sink : sinks) {
        sink.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        sink.second->Release();
    }
}

HRESULT EVENTPOINT::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG EVENTPOINT::AddRef()
{
    return InterlockedIncrement(&references_);
}

ULONG EVENTPOINT::Release()
{
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT EVENTPOINT::GetConnectionInterface(IID* iid)
{
    if (!iid) return E_POINTER;
    *iid = DIID_DQXStageEvents;
    return S_OK;
}

HRESULT EVENTPOINT::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container) return E_POINTER;
    *container = nullptr;
    if (!control_) return E_UNEXPECTED;
    return control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container));
}

HRESULT EVENTPOINT::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(DIID_DQXStageEvents, reinterpret_cast<void**>(&dispatch)))
        && FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.emplace_back(*cookie, dispatch);
    return S_OK;
}

HRESULT EVENTPOINT::Unadvise(DWORD cookie)
{
    auto found = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const auto& sink) { return sink.first == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    found->second->Release();
    sinks_.erase(found);
    return S_OK;
}

HRESULT EVENTPOINT::EnumConnections(IEnumConnections** connections)
{
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}
