// TProgressBarXImpl: the framework's progress bar as an embeddable control.
// Every property of IProgressBarX is the progress bar's own, read and
// written one for one; the class keeps no copy of any value.
#pragma once
#include "Meterix_TLB.h"
#include "bridge/frame_control_impl.h"
#include "progress_bar_x_events.h"

using Meterix_TLB::CLSID_ProgressBarX;
using Meterix_TLB::DIID_IProgressBarXEvents;
using Meterix_TLB::IID_IProgressBarX;
using Meterix_TLB::IProgressBarX;
using Meterix_TLB::LIBID_Meterix;
using Meterix_TLB::TxDragMode;

class TProgressBarXImpl
    : public TFrameControlImpl<TProgressBarXImpl, TProgressBar, &CLSID_ProgressBarX, &IID_IProgressBarX,
                               &DIID_IProgressBarXEvents, &LIBID_Meterix>,
      public CComCoClass<TProgressBarXImpl, &CLSID_ProgressBarX>,
      public IDispatchImpl<TplInterface<TProgressBarXImpl, IProgressBarX>, &IID_IProgressBarX, &LIBID_Meterix, 1,
                           0, CComTypeInfoHolder>,
      public TplInterface<TProgressBarXImpl,
                          IProvideClassInfo2Impl<&CLSID_ProgressBarX, &DIID_IProgressBarXEvents, &LIBID_Meterix,
                                                 1, 0, CComTypeInfoHolder>>,
      public IPropertyNotifySinkCP<TProgressBarXImpl, CComDynamicUnkArray>,
      public TEvents_ProgressBarX<TProgressBarXImpl> {
public:
    // ProgID, toolbox bitmap, status bits and verbs, as registered.
    static const TControlRegistration& GetRegistration();

    BEGIN_COM_MAP(TProgressBarXImpl)
        COM_INTERFACE_ENTRY(IViewObjectEx)
        COM_INTERFACE_ENTRY(IViewObject2)
        COM_INTERFACE_ENTRY(IViewObject)
        COM_INTERFACE_ENTRY(IOleInPlaceObject)
        COM_INTERFACE_ENTRY2(IOleWindow, IOleInPlaceObject)
        COM_INTERFACE_ENTRY(IOleInPlaceActiveObject)
        COM_INTERFACE_ENTRY(IOleControl)
        COM_INTERFACE_ENTRY(IOleObject)
        COM_INTERFACE_ENTRY(IQuickActivate)
        COM_INTERFACE_ENTRY(IPersistStorage)
        COM_INTERFACE_ENTRY(IPersistStreamInit)
        COM_INTERFACE_ENTRY(ISpecifyPropertyPages)
        COM_INTERFACE_ENTRY(IDataObject)
        COM_INTERFACE_ENTRY(ISimpleFrameSite)
        COM_INTERFACE_ENTRY(IProvideClassInfo)
        COM_INTERFACE_ENTRY(IProvideClassInfo2)
        COM_INTERFACE_ENTRY(IConnectionPointContainer)
        COM_INTERFACE_ENTRY(ISupportErrorInfo)
        COM_INTERFACE_ENTRY(IProgressBarX)
        COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    BEGIN_PROP_MAP(TProgressBarXImpl)
    END_PROP_MAP()

    BEGIN_CONNECTION_POINT_MAP(TProgressBarXImpl)
        CONNECTION_POINT_ENTRY(DIID_IProgressBarXEvents)
        CONNECTION_POINT_ENTRY(IID_IPropertyNotifySink)
    END_CONNECTION_POINT_MAP()

    STDMETHOD(StepIt)() override;
    STDMETHOD(StepBy)(long delta) override;
    STDMETHOD(get_DragCursor)(short* value) override;
    STDMETHOD(put_DragCursor)(short value) override;
    STDMETHOD(get_DragMode)(TxDragMode* value) override;
    STDMETHOD(put_DragMode)(TxDragMode value) override;
    STDMETHOD(get_Enabled)(VARIANT_BOOL* value) override;
    STDMETHOD(put_Enabled)(VARIANT_BOOL value) override;
    STDMETHOD(get_Min)(long* value) override;
    STDMETHOD(put_Min)(long value) override;
    STDMETHOD(get_Max)(long* value) override;
    STDMETHOD(put_Max)(long value) override;
    STDMETHOD(get_Position)(long* value) override;
    STDMETHOD(put_Position)(long value) override;
    STDMETHOD(get_Step)(long* value) override;
    STDMETHOD(put_Step)(long value) override;
    STDMETHOD(get_Visible)(VARIANT_BOOL* value) override;
    STDMETHOD(put_Visible)(VARIANT_BOOL value) override;
    STDMETHOD(get_Cursor)(short* value) override;
    STDMETHOD(put_Cursor)(short value) override;
    STDMETHOD(ClassNameIs)(BSTR name, VARIANT_BOOL* value) override;
};
