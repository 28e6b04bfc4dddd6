// TStockControl: a control made of the template library's stock parts and
// little else, so that the library's tests drive the stock interfaces the
// way a container drives them, apart from any deliverable. It draws its
// area in one colour, persists its Text, offers one property page and a
// two-sink event point, and lives in this program's own module.
#pragma once
#include "StockControlLibrary.h"
#include "templates/templates.h"

// The property page its map names: nothing implements it.
extern const CLSID CLSID_StockControlPage;

class TStockControl
    : public CComObjectRootEx<CComSingleThreadModel>,
      public CComCoClass<TStockControl, &CLSID_StockControl>,
      public CComControl<TStockControl>,
      public CStockPropImpl<TStockControl, IStockControl, &IID_IStockControl,
                            &LIBID_StockControlLibrary>,
      public TplInterface<TStockControl,
                          IProvideClassInfo2Impl<&CLSID_StockControl, &DIID_DIStockControlEvents,
                                                 &LIBID_StockControlLibrary>>,
      public IPersistStreamInitImpl<TStockControl>,
      public IPersistStorageImpl<TStockControl>,
      public IQuickActivateImpl<TStockControl>,
      public IOleControlImpl<TStockControl>,
      public IOleObjectImpl<TStockControl>,
      public IOleInPlaceActiveObjectImpl<TStockControl>,
      public IViewObjectExImpl<TStockControl>,
      public IOleInPlaceObjectWindowlessImpl<TStockControl>,
      public IDataObjectImpl<TStockControl>,
      public ISpecifyPropertyPagesImpl<TStockControl>,
      public IPropertyNotifySinkCP<TStockControl>,
      public IPersistPropertyBagImpl<TStockControl>,
      public IPerPropertyBrowsingImpl<TStockControl>,
      public IConnectionPointImpl<TStockControl, &DIID_DIStockControlEvents, CComUnkArray<2>>,
      public IConnectionPointContainerImpl<TStockControl>,
      public IObjectSafetyImpl<TStockControl> {
public:
    ~TStockControl() override;
    static HRESULT WINAPI UpdateRegistry(BOOL) { return S_OK; }

    BEGIN_COM_MAP(TStockControl)
        COM_INTERFACE_ENTRY(IStockControl)
        COM_INTERFACE_ENTRY(IDispatch)
        COM_INTERFACE_ENTRY(IViewObjectEx)
        COM_INTERFACE_ENTRY(IViewObject2)
        COM_INTERFACE_ENTRY(IViewObject)
        COM_INTERFACE_ENTRY(IOleInPlaceObjectWindowless)
        COM_INTERFACE_ENTRY(IOleInPlaceObject)
        COM_INTERFACE_ENTRY2(IOleWindow, IOleInPlaceObjectWindowless)
        COM_INTERFACE_ENTRY(IOleInPlaceActiveObject)
        COM_INTERFACE_ENTRY(IOleControl)
        COM_INTERFACE_ENTRY(IOleObject)
        COM_INTERFACE_ENTRY(IQuickActivate)
        COM_INTERFACE_ENTRY(IPersistStorage)
        COM_INTERFACE_ENTRY(IPersistStreamInit)
        COM_INTERFACE_ENTRY(ISpecifyPropertyPages)
        COM_INTERFACE_ENTRY(IPersistPropertyBag)
        COM_INTERFACE_ENTRY(IPerPropertyBrowsing)
        COM_INTERFACE_ENTRY(IDataObject)
        COM_INTERFACE_ENTRY(IProvideClassInfo)
        COM_INTERFACE_ENTRY(IProvideClassInfo2)
        COM_INTERFACE_ENTRY(IConnectionPointContainer)
        COM_INTERFACE_ENTRY(IObjectSafety)
    END_COM_MAP()

    BEGIN_PROP_MAP(TStockControl)
        PROP_ENTRY("Text", DISPID_TEXT, CLSID_NULL)
        PROP_PAGE(CLSID_StockControlPage)
    END_PROP_MAP()

    BEGIN_CONNECTION_POINT_MAP(TStockControl)
        CONNECTION_POINT_ENTRY(IID_IPropertyNotifySink)
        CONNECTION_POINT_ENTRY(DIID_DIStockControlEvents)
    END_CONNECTION_POINT_MAP()

    BEGIN_MSG_MAP(TStockControl)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
    END_MSG_MAP()

    HRESULT FinalConstruct();
    // Fills the bounds with kFill.
    HRESULT OnDraw(TplDrawInfo& di) override;

    static constexpr COLORREF kFill = RGB(0, 128, 0);
    BSTR m_bstrText = nullptr;
    IPictureDisp* m_pPicture = nullptr;
};

// The module of this test program, with the control in its object map.
CComModule& StockModule();
// A new control as a container makes one, through the module's class
// factory; null (and a failed test) if it cannot be made.
IUnknown* CreateStockControl();

#include <gtest/gtest.h>

#include "testing/fake_site.h"
#include "testing/in_process_server.h"

// A test with one stock control held as a container holds it. Whatever the
// test still holds is given back at the end; the control must end with
// its last release, and the module must hold no lock afterwards.
class StockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Lets go of the control within a test, to see what its end does.
    void EndControl();
    // One of the control's interfaces, which the caller releases.
    template <class I>
    I* Get(REFIID iid) {
        I* out = suite::testing::Query<I>(control, iid);
        EXPECT_NE(out, nullptr);
        return out;
    }

    IUnknown* control = nullptr;
    IOleObject* object = nullptr;
    suite::testing::CallLog log;
};
