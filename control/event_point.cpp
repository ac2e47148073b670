// The connection point of the control's events.
#include "event_point.h"

#include "control_ids.h"
#include "stage_control.h"

#include <algorithm>
#include <new>

namespace {

// The enumerator of the control's connection points: the events' point is the only one.
class POINTENUM final : public ONEINTERFACE<IEnumConnectionPoints> {
public:
    POINTENUM(IConnectionPoint* point, ULONG at) : ONEINTERFACE(IID_IEnumConnectionPoints), point_(point), at_(at)
    {
        point_->AddRef();
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override
    {
        if (!points || (count > 1 && !fetched)) return E_POINTER;
        ULONG given = 0;
        if (count > 0 && at_ == 0) {
            point_->AddRef();
            points[given++] = point_;
            at_ = 1;
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const bool all = at_ + count <= 1;
        at_ = std::min<ULONG>(at_ + count, 1);
        return all ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        at_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override
    {
        if (!copy) return E_POINTER;
        *copy = new (std::nothrow) POINTENUM(point_, at_);
        return *copy ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~POINTENUM() override { point_->Release(); }
    IConnectionPoint* point_;
    ULONG at_;
};

}  // namespace

IEnumConnectionPoints* EnumerateEventPoint(IConnectionPoint* point)
{
    return new (std::nothrow) POINTENUM(point, 0);
}

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
