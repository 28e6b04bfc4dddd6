// What the control accepts from a data object on the clipboard: a bitmap
// only when it comes as a GDI object.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "gleaner_server_fixture.h"
#include "testing/debug_output.h"

using namespace gleaner_test;

namespace {

// Offers CF_BITMAP through one storage medium only, and renders nothing
// or the handle it is given.
class BitmapOffer : public IDataObject, public IEnumFORMATETC {
public:
    explicit BitmapOffer(DWORD tymed) : tymed_(tymed) {}
    virtual ~BitmapOffer() = default;
    ULONG refs = 1;
    HBITMAP delivered = nullptr;  // what GetData hands out; none: it fails

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IDataObject))
            *out = static_cast<IDataObject*>(this);
        else if (InlineIsEqualGUID(iid, IID_IEnumFORMATETC))
            *out = static_cast<IEnumFORMATETC*>(this);
        else
            return *out = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
    STDMETHOD_(ULONG, Release)() override { return --refs; }

    STDMETHOD(GetData)(FORMATETC*, STGMEDIUM* medium) override {
        if (!delivered) return DV_E_FORMATETC;
        medium->tymed = TYMED_GDI;
        medium->hBitmap = delivered;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHOD(GetDataHere)(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHOD(QueryGetData)(FORMATETC* format) override {
        return format->cfFormat == CF_BITMAP && (format->tymed & tymed_) ? S_OK : DV_E_FORMATETC;
    }
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHOD(EnumFormatEtc)(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        position_ = 0;
        *out = this;
        AddRef();
        return S_OK;
    }
    STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHOD(DUnadvise)(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    STDMETHOD(Next)(ULONG count, FORMATETC* out, ULONG* fetched) override {
        ULONG n = 0;
        if (count > 0 && position_ == 0) {
            out[0] = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, tymed_};
            n = 1;
            ++position_;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHOD(Skip)(ULONG count) override {
        position_ += count;
        return S_OK;
    }
    STDMETHOD(Reset)() override {
        position_ = 0;
        return S_OK;
    }
    STDMETHOD(Clone)(IEnumFORMATETC** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }

private:
    DWORD tymed_;
    ULONG position_ = 0;
};

// A fresh control grabs while the offer is on the clipboard: whatever the
// grab answers, the picture stays the one it had, and the clipboard lets
// go of the offer again.
void ExpectGrabKeepsPicture(BitmapOffer& offer, const std::function<void(IGleaner*)>& grab) {
    IGleaner* control = CreateGleaner();
    ASSERT_NE(control, nullptr);
    IPictureDisp* before = nullptr;
    control->get_Picture(&before);

    ASSERT_EQ(OleSetClipboard(&offer), S_OK);
    grab(control);
    ASSERT_EQ(OleSetClipboard(nullptr), S_OK);
    EXPECT_EQ(offer.refs, 1u);

    IPictureDisp* after = nullptr;
    control->get_Picture(&after);
    EXPECT_EQ(after, before);
    after->Release();
    before->Release();
    EXPECT_EQ(control->Release(), 0u);
}

}  // namespace

TEST_F(GleanerTest, BitmapOfferedOnlyInGlobalMemoryIsNotAccepted) {
    BitmapOffer offer(TYMED_HGLOBAL);
    ExpectGrabKeepsPicture(offer, [](IGleaner* control) {
        EXPECT_EQ(control->GrabFromClipboard(), E_FAIL);
    });
}

// A bitmap that is offered but then not delivered leaves nothing to show:
// the grab fails with the data object's answer and keeps the old picture.
TEST_F(GleanerTest, BitmapOfferedButNotDeliveredKeepsThePicture) {
    BitmapOffer offer(TYMED_GDI);
    ExpectGrabKeepsPicture(offer, [](IGleaner* control) {
        suite::testing::DebugOutputCapture trace;
        EXPECT_TRUE(FAILED(control->GrabFromClipboard()));
        auto lines = trace.Take();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Couldn't get data"), lines.end());
    });
}

// A handle that is no bitmap cannot become a picture: the grab says so and
// keeps the picture it had.
TEST_F(GleanerTest, AHandleThatIsNoBitmapMakesNoPicture) {
    BitmapOffer offer(TYMED_GDI);
    offer.delivered = reinterpret_cast<HBITMAP>(CreateSolidBrush(RGB(1, 2, 3)));
    ExpectGrabKeepsPicture(offer, [](IGleaner* control) {
        suite::testing::DebugOutputCapture trace;
        EXPECT_TRUE(FAILED(control->GrabFromClipboard()));
        auto lines = trace.Take();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Couldn't create OLE Picture"), lines.end());
    });
}
