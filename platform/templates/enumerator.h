// A snapshot enumerator over counted items (connection points, connection
// data): it owns one reference to each item and hands out further ones.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <new>
#include <vector>

#include "templates/null_reference.h"

namespace tpl {

template <class EnumInterface, const IID* piid, class Item, class Policy>
class SnapshotEnumerator : public EnumInterface {
public:
    explicit SnapshotEnumerator(std::vector<Item> items, size_t position = 0)
        : m_items(std::move(items)), m_position(position) {
        for (Item& item : m_items) Policy::AddRef(item);
    }
    virtual ~SnapshotEnumerator() {
        for (Item& item : m_items) Policy::Release(item);
    }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsNull(iid)) return E_POINTER;
        if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, *piid)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++m_refs; }
    STDMETHOD_(ULONG, Release)() override {
        ULONG n = --m_refs;
        if (n == 0) delete this;
        return n;
    }
    STDMETHOD(Next)(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && m_position < m_items.size(); ++n, ++m_position) {
            out[n] = m_items[m_position];
            Policy::AddRef(out[n]);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHOD(Skip)(ULONG count) override {
        size_t left = m_items.size() - m_position;
        if (count > left) {
            m_position = m_items.size();
            return S_FALSE;
        }
        m_position += count;
        return S_OK;
    }
    STDMETHOD(Reset)() override {
        m_position = 0;
        return S_OK;
    }
    STDMETHOD(Clone)(EnumInterface** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        try {  // copying the snapshot allocates; no exception may leave a COM method
            *out = new (std::nothrow) SnapshotEnumerator(m_items, m_position);
        } catch (const std::bad_alloc&) {
        }
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    std::vector<Item> m_items;
    size_t m_position;
    ULONG m_refs = 1;
};

struct InterfacePolicy {
    template <class I>
    static void AddRef(I* p) { p->AddRef(); }
    template <class I>
    static void Release(I* p) { p->Release(); }
};

struct ConnectDataPolicy {
    static void AddRef(CONNECTDATA& d) { d.pUnk->AddRef(); }
    static void Release(CONNECTDATA& d) { d.pUnk->Release(); }
};

}  // namespace tpl
