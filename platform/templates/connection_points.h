// Connection points: the sink lists (a fixed number of slots, or unbounded),
// one connection point per outgoing interface, and the container that finds
// them through the class's connection-point map:
//
//   BEGIN_CONNECTION_POINT_MAP(TThing)
//       CONNECTION_POINT_ENTRY(IID_IPropertyNotifySink)
//   END_CONNECTION_POINT_MAP()
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <vector>

#include "templates/com_root.h"

// Sink slots; a cookie is a slot's index plus one.
template <unsigned N>
class CComUnkArray {
public:
    DWORD Add(IUnknown* sink) {
        for (unsigned i = 0; i < N; ++i)
            if (!m_sinks[i]) {
                m_sinks[i] = sink;
                return i + 1;
            }
        return 0;  // all slots taken
    }
    IUnknown* Remove(DWORD cookie) {
        if (cookie == 0 || cookie > N) return nullptr;
        IUnknown* sink = m_sinks[cookie - 1];
        m_sinks[cookie - 1] = nullptr;
        return sink;
    }
    IUnknown* const* begin() const { return m_sinks; }
    IUnknown* const* end() const { return m_sinks + N; }

private:
    IUnknown* m_sinks[N] = {};
};

class CComDynamicUnkArray {
public:
    DWORD Add(IUnknown* sink);
    IUnknown* Remove(DWORD cookie);
    IUnknown* const* begin() const { return m_sinks.data(); }
    IUnknown* const* end() const { return m_sinks.data() + m_sinks.size(); }

private:
    std::vector<IUnknown*> m_sinks;  // null where a sink has gone
};

// One connection point. Its lifetime is its container's: AddRef and Release
// go to the container, and QueryInterface answers for itself.
class TplConnectionPoint : public IConnectionPoint {
public:
    TplConnectionPoint(const IID& iid) : m_iid(iid) {}
    virtual ~TplConnectionPoint() = default;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetConnectionInterface)(IID* iid) override;
    STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** out) override;
    STDMETHOD(Advise)(IUnknown* sink, DWORD* cookie) override;
    STDMETHOD(Unadvise)(DWORD cookie) override;
    STDMETHOD(EnumConnections)(IEnumConnections** out) override;

    // The connected sinks, each counted, for firing: release every one.
    std::vector<IUnknown*> Sinks();
    const IID& Iid() const { return m_iid; }

protected:
    virtual IConnectionPointContainer* Container() = 0;
    virtual DWORD AddSink(IUnknown* sink) = 0;
    virtual IUnknown* RemoveSink(DWORD cookie) = 0;
    virtual void ListSinks(std::vector<std::pair<DWORD, IUnknown*>>& sinks) = 0;

private:
    const IID& m_iid;
};

// Found by the map through the IID alone, whatever the sink list.
template <const IID* piid>
class TplConnectionPointHolder {
public:
    virtual TplConnectionPoint& ConnectionPoint() = 0;

protected:
    ~TplConnectionPointHolder() = default;
};

template <class T, const IID* piid, class SinkArray = CComDynamicUnkArray>
class IConnectionPointImpl : public TplConnectionPointHolder<piid> {
public:
    TplConnectionPoint& ConnectionPoint() override { return m_point; }

    ~IConnectionPointImpl() {
        for (IUnknown* sink : m_point.sinks)
            if (sink) sink->Release();
    }

private:
    class Point : public TplConnectionPoint {
    public:
        explicit Point(IConnectionPointImpl* owner) : TplConnectionPoint(*piid), owner(owner) {}
        IConnectionPointImpl* owner;
        SinkArray sinks;

    protected:
        IConnectionPointContainer* Container() override { return static_cast<T*>(owner); }
        DWORD AddSink(IUnknown* sink) override { return sinks.Add(sink); }
        IUnknown* RemoveSink(DWORD cookie) override { return sinks.Remove(cookie); }
        void ListSinks(std::vector<std::pair<DWORD, IUnknown*>>& out) override {
            DWORD cookie = 0;
            for (IUnknown* sink : sinks) {
                ++cookie;
                if (sink) out.emplace_back(cookie, sink);
            }
        }
    };
    Point m_point{this};
};

template <class T, class SinkArray = CComDynamicUnkArray>
class IPropertyNotifySinkCP : public IConnectionPointImpl<T, &IID_IPropertyNotifySink, SinkArray> {};

struct TplConnectionPointEntry {
    const IID* iid;  // null ends the map
    TplConnectionPoint* (*find)(void* object);
};

#define BEGIN_CONNECTION_POINT_MAP(x)                                      \
    using _CpMapClass = x;                                                 \
    static const TplConnectionPointEntry* GetConnMap() {                   \
        static const TplConnectionPointEntry entries[] = {
#define CONNECTION_POINT_ENTRY(iid)                                                     \
    {&iid, [](void* object) -> TplConnectionPoint* {                                    \
         return &static_cast<TplConnectionPointHolder<&iid>*>(                          \
                     static_cast<_CpMapClass*>(object))->ConnectionPoint();             \
     }},
#define END_CONNECTION_POINT_MAP() \
    {nullptr, nullptr}             \
    }                              \
    ;                              \
    return entries;                \
    }

namespace tpl {
HRESULT FindConnectionPoint(void* object, const TplConnectionPointEntry* map, REFIID iid,
                            IConnectionPoint** out);
HRESULT EnumConnectionPoints(void* object, const TplConnectionPointEntry* map,
                             IEnumConnectionPoints** out);
}  // namespace tpl

template <class T>
class IConnectionPointContainerImpl : public TplInterface<T, IConnectionPointContainer> {
public:
    STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** out) override {
        TPL_TRACE_METHOD("IConnectionPointContainerImpl::EnumConnectionPoints");
        return tpl::EnumConnectionPoints(static_cast<T*>(this), T::GetConnMap(), out);
    }
    STDMETHOD(FindConnectionPoint)(REFIID iid, IConnectionPoint** out) override {
        TPL_TRACE_METHOD("IConnectionPointContainerImpl::FindConnectionPoint");
        return tpl::FindConnectionPoint(static_cast<T*>(this), T::GetConnMap(), iid, out);
    }
};
