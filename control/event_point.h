// The connection point of the control's events: the container's sinks, each an IDispatch of the
// event interface.
#pragma once

#include <ocidl.h>

#include <utility>
#include <vector>

class CQXStageCtrl;

class EVENTPOINT final : public IConnectionPoint {
public:
    // The control owns the point and detaches it when it goes; a container may hold the point
    // longer.
    explicit EVENTPOINT(CQXStageCtrl* control) : control_(control) {}
    void Detach();

    // Calls every sink with the arguments (in the event interface's order).
    void Fire(DISPID id, VARIANTARG* arguments, UINT count);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

private:
    ~EVENTPOINT();
    LONG references_ = 1;
    CQXStageCtrl* control_;
    DWORD nextCookie_ = 1;
    std::vector<std::pair<DWORD, IDispatch*>> sinks_;
};
