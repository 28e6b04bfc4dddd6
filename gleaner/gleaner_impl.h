// TGleanerImpl: the clipboard-viewer control. It turns the clipboard's
// bitmap into its Picture and paints that picture stretched over its area.
#pragma once
#include "Gleaner.h"
#include "gleaner_events.h"
#include "templates/templates.h"

// The stock picture property page, offered through the property map.
extern const CLSID CLSID_StockPicturePage;

class TGleanerImpl
    : public CComObjectRootEx<CComSingleThreadModel>,
      public CComCoClass<TGleanerImpl, &CLSID_Gleaner>,
      public CComControl<TGleanerImpl>,
      public CStockPropImpl<TGleanerImpl, IGleaner, &IID_IGleaner, &LIBID_GleanerLibrary>,
      public TplInterface<TGleanerImpl,
                          IProvideClassInfo2Impl<&CLSID_Gleaner, nullptr, &LIBID_GleanerLibrary,
                                                 1, 0, CComTypeInfoHolder>>,
      public IPersistStreamInitImpl<TGleanerImpl>,
      public IPersistStorageImpl<TGleanerImpl>,
      public IQuickActivateImpl<TGleanerImpl>,
      public IOleControlImpl<TGleanerImpl>,
      public IOleObjectImpl<TGleanerImpl>,
      public IOleInPlaceActiveObjectImpl<TGleanerImpl>,
      public IViewObjectExImpl<TGleanerImpl>,
      public IOleInPlaceObjectWindowlessImpl<TGleanerImpl>,
      public IDataObjectImpl<TGleanerImpl>,
      public TplInterface<TGleanerImpl, ISupportErrorInfo>,
      public ISpecifyPropertyPagesImpl<TGleanerImpl>,
      public IPropertyNotifySinkCP<TGleanerImpl, CComDynamicUnkArray>,
      public IPersistPropertyBagImpl<TGleanerImpl>,
      public IPerPropertyBrowsingImpl<TGleanerImpl>,
      public TEvents_Gleaner<TGleanerImpl>,
      public IConnectionPointContainerImpl<TGleanerImpl>,
      public IObjectSafetyImpl<TGleanerImpl> {
public:
    TGleanerImpl();
    ~TGleanerImpl() override;

    DECLARE_REGISTRY_RESOURCEID(1)

    BEGIN_COM_MAP(TGleanerImpl)
        COM_INTERFACE_ENTRY(IGleaner)
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
        COM_INTERFACE_ENTRY(ISupportErrorInfo)
        COM_INTERFACE_ENTRY(IConnectionPointContainer)
        COM_INTERFACE_ENTRY(IObjectSafety)
    END_COM_MAP()

    BEGIN_PROP_MAP(TGleanerImpl)
        PROP_ENTRY("Text", DISPID_TEXT, CLSID_NULL)
        PROP_PAGE(CLSID_StockPicturePage)
    END_PROP_MAP()

    BEGIN_CONNECTION_POINT_MAP(TGleanerImpl)
        CONNECTION_POINT_ENTRY(IID_IPropertyNotifySink)
        CONNECTION_POINT_ENTRY(DIID_DIGleanerEvents)
    END_CONNECTION_POINT_MAP()

    BEGIN_MSG_MAP(TGleanerImpl)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
    END_MSG_MAP()

    HRESULT FinalConstruct();

    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID iid) override;
    STDMETHOD(GrabFromClipboard)() override;

    HRESULT OnDraw(TplDrawInfo& di) override;
    // Verb 1, registered as "&GrabFromClipboard", grabs.
    HRESULT DoCustomVerb(LONG verb);
    // Takes over a picture with no bitmap of ours behind it (a Picture write).
    void ReplacePicture(IPictureDisp* picture);

    // Stock property values.
    BSTR m_bstrText = nullptr;
    IPictureDisp* m_pPicture = nullptr;

private:
    // The picture is made over the grabbed bitmap without owning it; the
    // medium that does own it lives exactly as long as the picture.
    void AdoptPicture(IPictureDisp* picture, const STGMEDIUM& medium);
    STGMEDIUM m_grabbedMedium = {};
};
