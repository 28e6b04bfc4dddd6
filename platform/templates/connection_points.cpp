#include "templates/connection_points.h"

#include "templates/enumerator.h"

DWORD CComDynamicUnkArray::Add(IUnknown* sink) {
    for (size_t i = 0; i < m_sinks.size(); ++i)
        if (!m_sinks[i]) {
            m_sinks[i] = sink;
            return static_cast<DWORD>(i + 1);
        }
    m_sinks.push_back(sink);
    return static_cast<DWORD>(m_sinks.size());
}

IUnknown* CComDynamicUnkArray::Remove(DWORD cookie) {
    if (cookie == 0 || cookie > m_sinks.size()) return nullptr;
    IUnknown* sink = m_sinks[cookie - 1];
    m_sinks[cookie - 1] = nullptr;
    return sink;
}

STDMETHODIMP TplConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (tpl::IsNull(iid)) return E_POINTER;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TplConnectionPoint::AddRef() { return Container()->AddRef(); }
STDMETHODIMP_(ULONG) TplConnectionPoint::Release() { return Container()->Release(); }

STDMETHODIMP TplConnectionPoint::GetConnectionInterface(IID* iid) {
    TPL_TRACE_METHOD("IConnectionPointImpl::GetConnectionInterface");
    if (!iid) return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

STDMETHODIMP TplConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    TPL_TRACE_METHOD("IConnectionPointImpl::GetConnectionPointContainer");
    if (!out) return E_POINTER;
    *out = Container();
    (*out)->AddRef();
    return S_OK;
}

STDMETHODIMP TplConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    TPL_TRACE_METHOD("IConnectionPointImpl::Advise");
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    IUnknown* typed = nullptr;
    if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(&typed))))
        return CONNECT_E_CANNOTCONNECT;
    DWORD added = 0;
    try {  // an unbounded list grows; no exception may leave a COM method
        added = AddSink(typed);
    } catch (const std::bad_alloc&) {
        typed->Release();
        return E_OUTOFMEMORY;
    }
    if (!added) {
        typed->Release();
        return CONNECT_E_ADVISELIMIT;
    }
    *cookie = added;
    return S_OK;
}

STDMETHODIMP TplConnectionPoint::Unadvise(DWORD cookie) {
    TPL_TRACE_METHOD("IConnectionPointImpl::Unadvise");
    IUnknown* sink = RemoveSink(cookie);
    if (!sink) return CONNECT_E_NOCONNECTION;
    sink->Release();
    return S_OK;
}

STDMETHODIMP TplConnectionPoint::EnumConnections(IEnumConnections** out) {
    TPL_TRACE_METHOD("IConnectionPointImpl::EnumConnections");
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        std::vector<std::pair<DWORD, IUnknown*>> sinks;
        ListSinks(sinks);
        std::vector<CONNECTDATA> data;
        for (auto& s : sinks) data.push_back(CONNECTDATA{s.second, s.first});
        using Enum = tpl::SnapshotEnumerator<IEnumConnections, &IID_IEnumConnections,
                                             CONNECTDATA, tpl::ConnectDataPolicy>;
        *out = new (std::nothrow) Enum(std::move(data));
    } catch (const std::bad_alloc&) {
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::vector<IUnknown*> TplConnectionPoint::Sinks() {
    std::vector<IUnknown*> out;
    try {  // out of memory, nobody hears this notice rather than the caller crashing
        std::vector<std::pair<DWORD, IUnknown*>> sinks;
        ListSinks(sinks);
        out.reserve(sinks.size());
        for (auto& s : sinks) {
            s.second->AddRef();  // a sink may unadvise while it is being called
            out.push_back(s.second);
        }
    } catch (const std::bad_alloc&) {
    }
    return out;
}

namespace tpl {

HRESULT FindConnectionPoint(void* object, const TplConnectionPointEntry* map, REFIID iid,
                            IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsNull(iid)) return E_POINTER;
    for (const TplConnectionPointEntry* e = map; e->iid; ++e)
        if (InlineIsEqualGUID(*e->iid, iid)) {
            TplConnectionPoint* point = e->find(object);
            point->AddRef();
            *out = point;
            return S_OK;
        }
    return CONNECT_E_NOCONNECTION;
}

HRESULT EnumConnectionPoints(void* object, const TplConnectionPointEntry* map,
                             IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        std::vector<IConnectionPoint*> points;
        for (const TplConnectionPointEntry* e = map; e->iid; ++e)
            points.push_back(e->find(object));
        using Enum = SnapshotEnumerator<IEnumConnectionPoints, &IID_IEnumConnectionPoints,
                                        IConnectionPoint*, InterfacePolicy>;
        *out = new (std::nothrow) Enum(std::move(points));
    } catch (const std::bad_alloc&) {
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tpl
