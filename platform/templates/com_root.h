// The root of every object built from the library: reference counting
// (plain or interlocked), the interface map that QueryInterface walks, and
// the outer wrappers that make a class creatable on its own or aggregated.
// Each interface the class implements reaches its IUnknown through
// TplInterface, so that every count change can name the interface it came
// through (the stock implementations do this for the class).
//
//   class TThing : public CComObjectRootEx<CComSingleThreadModel>,
//                  public TplInterface<TThing, IThing> {
//   public:
//       BEGIN_COM_MAP(TThing)
//           COM_INTERFACE_ENTRY(IThing)
//       END_COM_MAP()
//   };
#pragma once
#include <windows.h>
#include <ole2.h>

#include <new>

#include "templates/com_module.h"
#include "templates/null_reference.h"
#include "templates/tpl_trace.h"

// One apartment: a plain counter is enough.
class CComSingleThreadModel {
public:
    static LONG Increment(LONG* p) { return ++*p; }
    static LONG Decrement(LONG* p) { return --*p; }
};

// Shared between threads: counted with interlocked operations.
class CComMultiThreadModel {
public:
    static LONG Increment(LONG* p) { return InterlockedIncrement(p); }
    static LONG Decrement(LONG* p) { return InterlockedDecrement(p); }
};

struct TplInterfaceEntry {
    const IID* iid;      // null ends the map
    DWORD_PTR offset;    // of the interface's vtable pointer inside the class
    const char* name;    // for traces
};

namespace tpl {
// Walks the map; IUnknown is answered by the first entry.
HRESULT InternalQueryInterface(void* object, const TplInterfaceEntry* entries, REFIID iid,
                               void** out);
// The name of the first entry whose interface lies at this offset, or the
// fallback when none does.
const char* InterfaceNameAt(const TplInterfaceEntry* entries, DWORD_PTR offset,
                            const char* fallback);
}  // namespace tpl

// The IUnknown of one interface I (or of a stock implementation of one) in
// the class T: it goes to the object's unknown, which the creatable wrapper
// supplies, naming the interface.
template <class T, class I>
class TplInterface : public I {
public:
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        return Object()->_UnknownQueryInterface(iid, out);
    }
    STDMETHOD_(ULONG, AddRef)() override { return Object()->_UnknownAddRef(Name()); }
    STDMETHOD_(ULONG, Release)() override { return Object()->_UnknownRelease(Name()); }

private:
    T* Object() { return static_cast<T*>(this); }
    const char* Name() {
        auto offset = static_cast<DWORD_PTR>(reinterpret_cast<char*>(static_cast<I*>(this)) -
                                             reinterpret_cast<char*>(Object()));
        return ::tpl::InterfaceNameAt(T::_GetEntries(), offset, T::_GetObjectName());
    }
};

class CComObjectRootBase {
public:
    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}

    // Set by the wrapper: the controlling unknown when aggregated.
    void SetVoid(void* outer) { m_pOuterUnknown = static_cast<IUnknown*>(outer); }

    ULONG OuterAddRef() { return m_pOuterUnknown->AddRef(); }
    ULONG OuterRelease() { return m_pOuterUnknown->Release(); }
    HRESULT OuterQueryInterface(REFIID iid, void** out) {
        return m_pOuterUnknown->QueryInterface(iid, out);
    }

protected:
    LONG m_dwRef = 0;
    IUnknown* m_pOuterUnknown = nullptr;  // not counted: the outer owns us
};

template <class ThreadModel>
class CComObjectRootEx : public CComObjectRootBase {
public:
    using _ThreadModel = ThreadModel;
    LONG InternalAddRef() { return ThreadModel::Increment(&m_dwRef); }
    LONG InternalRelease() { return ThreadModel::Decrement(&m_dwRef); }
    // Keeps the object alive while its creation step hands itself around:
    // a reference taken and dropped inside it must not destroy it.
    void InternalFinalConstructAddRef() { InternalAddRef(); }
    void InternalFinalConstructRelease() { InternalRelease(); }
};

#define TPL_OFFSET_OF_BASE(Base, Derived) \
    (reinterpret_cast<DWORD_PTR>(static_cast<Base*>(reinterpret_cast<Derived*>(8))) - 8)

// The map also declares the object's unknown, which TplInterface calls and
// the creatable wrappers (CComObject and its kin) define.
#define BEGIN_COM_MAP(x)                                                               \
public:                                                                                \
    using _ComMapClass = x;                                                            \
    static const char* _GetObjectName() { return #x; }                                 \
    virtual HRESULT _UnknownQueryInterface(REFIID iid, void** out) = 0;                \
    virtual ULONG _UnknownAddRef(const char* interfaceName) = 0;                       \
    virtual ULONG _UnknownRelease(const char* interfaceName) = 0;                      \
    HRESULT _InternalQueryInterface(REFIID iid, void** out) {                          \
        return ::tpl::InternalQueryInterface(this, _GetEntries(), iid, out);           \
    }                                                                                  \
    IUnknown* GetUnknown() {                                                           \
        return reinterpret_cast<IUnknown*>(reinterpret_cast<char*>(this) +             \
                                           _GetEntries()->offset);                     \
    }                                                                                  \
    static const TplInterfaceEntry* _GetEntries() {                                    \
        static const TplInterfaceEntry entries[] = {
#define COM_INTERFACE_ENTRY(I) {&IID_##I, TPL_OFFSET_OF_BASE(I, _ComMapClass), #I},
// For an interface reached through more than one base: say which path.
#define COM_INTERFACE_ENTRY2(I, Via)                                                   \
    {&IID_##I,                                                                         \
     reinterpret_cast<DWORD_PTR>(static_cast<I*>(static_cast<Via*>(                    \
         reinterpret_cast<_ComMapClass*>(8)))) - 8,                                    \
     #I},
#define COM_INTERFACE_ENTRY_IID(iid, I) {&iid, TPL_OFFSET_OF_BASE(I, _ComMapClass), #I},
#define END_COM_MAP()                                                                  \
    {nullptr, 0, nullptr}                                                              \
    }                                                                                  \
    ;                                                                                  \
    return entries;                                                                    \
    }

// A creatable object standing alone. Each live one holds the module, and
// every count change is traced with the interface it came through.
template <class Base>
class CComObject : public Base {
public:
    explicit CComObject(void* = nullptr) { tpl::CurrentModule().Lock(); }
    virtual ~CComObject() {
        this->m_dwRef = -(LONG_MAX / 2);  // guards against re-entry while dying
        this->FinalRelease();
        tpl::CurrentModule().Unlock();
    }
    HRESULT _UnknownQueryInterface(REFIID iid, void** out) override {
        return this->_InternalQueryInterface(iid, out);
    }
    ULONG _UnknownAddRef(const char* interfaceName) override {
        LONG n = this->InternalAddRef();
        tpl::Trace("%s %ld>\n", interfaceName, n);
        return n;
    }
    ULONG _UnknownRelease(const char* interfaceName) override {
        LONG n = this->InternalRelease();
        tpl::Trace("%s %ld<\n", interfaceName, n);
        if (n == 0) delete this;
        return n;
    }
};

// The class factories the module caches: the cache's own reference does
// not keep the module loaded, every further one does.
template <class Base>
class CComObjectCached : public Base {
public:
    explicit CComObjectCached(void* = nullptr) {}
    virtual ~CComObjectCached() { this->FinalRelease(); }
    HRESULT _UnknownQueryInterface(REFIID iid, void** out) override {
        return this->_InternalQueryInterface(iid, out);
    }
    ULONG _UnknownAddRef(const char*) override {
        LONG n = this->InternalAddRef();
        if (n == 2) tpl::CurrentModule().Lock();
        return n;
    }
    ULONG _UnknownRelease(const char*) override {
        LONG n = this->InternalRelease();
        if (n == 0)
            delete this;
        else if (n == 1)
            tpl::CurrentModule().Unlock();
        return n;
    }
};

// The inner object of an aggregate: its IUnknown methods belong to the outer.
template <class Base>
class CComContainedObject : public Base {
public:
    explicit CComContainedObject(void* outer) { this->m_pOuterUnknown = static_cast<IUnknown*>(outer); }
    HRESULT _UnknownQueryInterface(REFIID iid, void** out) override {
        return this->OuterQueryInterface(iid, out);
    }
    ULONG _UnknownAddRef(const char*) override { return this->OuterAddRef(); }
    ULONG _UnknownRelease(const char*) override { return this->OuterRelease(); }
};

// An aggregatable object: its own non-delegating IUnknown owns the
// contained class, whose interfaces delegate to the outer unknown.
template <class Contained>
class CComAggObject : public IUnknown, public CComObjectRootEx<typename Contained::_ThreadModel> {
public:
    explicit CComAggObject(void* outer) : m_contained(outer) { tpl::CurrentModule().Lock(); }
    virtual ~CComAggObject() {
        this->m_dwRef = -(LONG_MAX / 2);
        m_contained.FinalRelease();
        tpl::CurrentModule().Unlock();
    }
    void SetVoid(void*) {}
    HRESULT FinalConstruct() { return m_contained.FinalConstruct(); }
    void InternalFinalConstructAddRef() {}
    void InternalFinalConstructRelease() {}
    IUnknown* GetUnknown() { return this; }
    STDMETHOD_(ULONG, AddRef)() override { return this->InternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override {
        LONG n = this->InternalRelease();
        if (n == 0) delete this;
        return n;
    }
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (tpl::IsNull(iid)) return E_POINTER;
        if (InlineIsEqualGUID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return m_contained._InternalQueryInterface(iid, out);
    }

private:
    CComContainedObject<Contained> m_contained;
};

// Allocates, runs the class's creation step, and hands out the asked-for
// interface only when that step answered S_OK; otherwise the object dies.
template <class Object>
class CComCreator {
public:
    static HRESULT WINAPI CreateInstance(void* outer, REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        auto* object = new (std::nothrow) Object(outer);
        if (!object) return E_OUTOFMEMORY;
        object->SetVoid(outer);
        object->InternalFinalConstructAddRef();
        HRESULT hr = object->FinalConstruct();
        object->InternalFinalConstructRelease();
        if (hr == S_OK) hr = object->GetUnknown()->QueryInterface(iid, out);
        if (hr != S_OK) delete object;
        return hr;
    }
};

// Chooses the plain or the aggregatable creator by whether an outer is given.
template <class Plain, class Aggregated>
class CComCreator2 {
public:
    static HRESULT WINAPI CreateInstance(void* outer, REFIID iid, void** out) {
        return outer ? Aggregated::CreateInstance(outer, iid, out)
                     : Plain::CreateInstance(outer, iid, out);
    }
};

class CComFailCreator {
public:
    static HRESULT WINAPI CreateInstance(void*, REFIID, void** out) {
        if (out) *out = nullptr;
        return CLASS_E_NOAGGREGATION;
    }
};
