// The stock persistence interfaces, all over the class's property map: a
// stream, a storage (the same stream as its "Contents"), a property bag.
#pragma once
#include "templates/control.h"

template <class T>
class IPersistStreamInitImpl : public TplInterface<T, IPersistStreamInit> {
public:
    STDMETHOD(GetClassID)(CLSID* clsid) override {
        TPL_TRACE_METHOD("IPersistStreamInitImpl::GetClassID");
        if (!clsid) return E_POINTER;
        *clsid = T::GetObjectCLSID();
        return S_OK;
    }
    STDMETHOD(IsDirty)() override {
        TPL_TRACE_METHOD("IPersistStreamInitImpl::IsDirty");
        return static_cast<T*>(this)->m_bRequiresSave ? S_OK : S_FALSE;
    }
    STDMETHOD(Load)(IStream* stream) override {
        TPL_TRACE_METHOD("IPersistStreamInitImpl::Load");
        return static_cast<T*>(this)->IPersistStreamInit_Load(stream);
    }
    STDMETHOD(Save)(IStream* stream, BOOL clearDirty) override {
        TPL_TRACE_METHOD("IPersistStreamInitImpl::Save");
        return static_cast<T*>(this)->IPersistStreamInit_Save(stream, clearDirty);
    }
    STDMETHOD(GetSizeMax)(ULARGE_INTEGER*) override {
        TPL_TRACE_METHOD("IPersistStreamInitImpl::GetSizeMax");
        return E_NOTIMPL;
    }
    STDMETHOD(InitNew)() override {
        TPL_TRACE_METHOD("IPersistStreamInitImpl::InitNew");
        static_cast<T*>(this)->SendOnDataChange();
        return S_OK;
    }
};

template <class T>
class IPersistStorageImpl : public TplInterface<T, IPersistStorage> {
public:
    STDMETHOD(GetClassID)(CLSID* clsid) override {
        TPL_TRACE_METHOD("IPersistStorageImpl::GetClassID");
        if (!clsid) return E_POINTER;
        *clsid = T::GetObjectCLSID();
        return S_OK;
    }
    STDMETHOD(IsDirty)() override {
        TPL_TRACE_METHOD("IPersistStorageImpl::IsDirty");
        return static_cast<T*>(this)->m_bRequiresSave ? S_OK : S_FALSE;
    }
    STDMETHOD(InitNew)(IStorage* storage) override {
        TPL_TRACE_METHOD("IPersistStorageImpl::InitNew");
        if (!storage) return E_POINTER;
        static_cast<T*>(this)->SendOnDataChange();
        return S_OK;
    }
    STDMETHOD(Load)(IStorage* storage) override {
        TPL_TRACE_METHOD("IPersistStorageImpl::Load");
        if (!storage) return E_POINTER;
        IStream* stream = nullptr;
        HRESULT hr = storage->OpenStream(L"Contents", nullptr, STGM_SHARE_EXCLUSIVE | STGM_READ, 0,
                                         &stream);
        if (FAILED(hr)) return hr;
        hr = static_cast<T*>(this)->IPersistStreamInit_Load(stream);
        stream->Release();
        return hr;
    }
    STDMETHOD(Save)(IStorage* storage, BOOL) override {
        TPL_TRACE_METHOD("IPersistStorageImpl::Save");
        if (!storage) return E_POINTER;
        IStream* stream = nullptr;
        HRESULT hr = storage->CreateStream(
            L"Contents", STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, 0, &stream);
        if (FAILED(hr)) return hr;
        hr = static_cast<T*>(this)->IPersistStreamInit_Save(stream, TRUE);
        stream->Release();
        return hr;
    }
    STDMETHOD(SaveCompleted)(IStorage*) override {
        TPL_TRACE_METHOD("IPersistStorageImpl::SaveCompleted");
        return S_OK;
    }
    STDMETHOD(HandsOffStorage)() override {
        TPL_TRACE_METHOD("IPersistStorageImpl::HandsOffStorage");
        return S_OK;
    }
};

template <class T>
class IPersistPropertyBagImpl : public TplInterface<T, IPersistPropertyBag> {
public:
    STDMETHOD(GetClassID)(CLSID* clsid) override {
        TPL_TRACE_METHOD("IPersistPropertyBagImpl::GetClassID");
        if (!clsid) return E_POINTER;
        *clsid = T::GetObjectCLSID();
        return S_OK;
    }
    STDMETHOD(InitNew)() override {
        TPL_TRACE_METHOD("IPersistPropertyBagImpl::InitNew");
        return S_OK;
    }
    STDMETHOD(Load)(IPropertyBag* bag, IErrorLog* log) override {
        TPL_TRACE_METHOD("IPersistPropertyBagImpl::Load");
        return static_cast<T*>(this)->IPersistPropertyBag_Load(bag, log);
    }
    STDMETHOD(Save)(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override {
        TPL_TRACE_METHOD("IPersistPropertyBagImpl::Save");
        return static_cast<T*>(this)->IPersistPropertyBag_Save(bag, clearDirty, saveAll);
    }
};
