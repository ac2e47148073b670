// The connection point of the control's events: the container's sinks, each an IDispatch of the
// event interface.
#pragma once

#include "one_interface.h"

#include <ocidl.h>

#include <utility>
#include <vector>

class CQXStageCtrl;

// A new enumerator of the control's one connection point; null when out of memory.
IEnumConnectionPoints* EnumerateEventPoint(IConnectionPoint* point);

class EVENTPOINT final : public ONEINTERFACE<IConnectionPoint> {
public:
    // The control owns the point and detaches it when it goes; a container may hold the point
    // longer.
    explicit EVENTPOINT(CQXStageCtrl* control) : ONEINTERFACE(IID_IConnectionPoint), control_(control) {}
    void Detach();

    // Calls every sink with the arguments (in the event interface's order).
    void Fire(DISPID id, VARIANTARG* arguments, UINT count);

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

private:
    ~EVENTPOINT() override;
    CQXStageCtrl* control_;
    DWORD nextCookie_ = 1;
    std::vector<std::pair<DWORD, IDispatch*>> sinks_;
};
