// The stock in-place object (windowless-capable) and in-place active object.
#pragma once
#include "templates/control.h"

template <class T>
class IOleInPlaceObjectWindowlessImpl : public TplInterface<T, IOleInPlaceObjectWindowless> {
public:
    STDMETHOD(GetWindow)(HWND* window) override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::GetWindow");
        if (!window) return E_POINTER;
        T* self = static_cast<T*>(this);
        *window = self->m_bWndLess ? nullptr : self->m_hWndCD;
        return *window ? S_OK : E_FAIL;
    }
    STDMETHOD(ContextSensitiveHelp)(BOOL) override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::ContextSensitiveHelp");
        return E_NOTIMPL;
    }
    STDMETHOD(InPlaceDeactivate)() override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::InPlaceDeactivate");
        return static_cast<T*>(this)->IOleInPlaceObject_InPlaceDeactivate();
    }
    STDMETHOD(UIDeactivate)() override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::UIDeactivate");
        return static_cast<T*>(this)->IOleInPlaceObject_UIDeactivate();
    }
    STDMETHOD(SetObjectRects)(LPCRECT position, LPCRECT clip) override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::SetObjectRects");
        return static_cast<T*>(this)->IOleInPlaceObject_SetObjectRects(position, clip);
    }
    STDMETHOD(ReactivateAndUndo)() override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::ReactivateAndUndo");
        return E_NOTIMPL;
    }
    // A windowless control's messages arrive here, through its message map.
    STDMETHOD(OnWindowMessage)(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* result) override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::OnWindowMessage");
        LRESULT local = 0;
        BOOL handled = static_cast<T*>(this)->ProcessWindowMessage(nullptr, message, wParam,
                                                                   lParam, local, 0);
        if (result) *result = local;
        return handled ? S_OK : S_FALSE;
    }
    STDMETHOD(GetDropTarget)(IDropTarget** out) override {
        TPL_TRACE_METHOD("IOleInPlaceObjectWindowlessImpl::GetDropTarget");
        if (!out) return E_POINTER;
        *out = nullptr;
        return E_NOTIMPL;
    }
};

template <class T>
class IOleInPlaceActiveObjectImpl : public TplInterface<T, IOleInPlaceActiveObject> {
public:
    STDMETHOD(GetWindow)(HWND* window) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::GetWindow");
        if (!window) return E_POINTER;
        T* self = static_cast<T*>(this);
        *window = self->m_bWndLess ? nullptr : self->m_hWndCD;
        return *window ? S_OK : E_FAIL;
    }
    STDMETHOD(ContextSensitiveHelp)(BOOL) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::ContextSensitiveHelp");
        return E_NOTIMPL;
    }
    STDMETHOD(TranslateAccelerator)(LPMSG) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::TranslateAccelerator");
        return S_FALSE;  // no accelerators of our own
    }
    STDMETHOD(OnFrameWindowActivate)(BOOL) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::OnFrameWindowActivate");
        return S_OK;
    }
    STDMETHOD(OnDocWindowActivate)(BOOL) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::OnDocWindowActivate");
        return S_OK;
    }
    STDMETHOD(ResizeBorder)(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::ResizeBorder");
        return S_OK;
    }
    STDMETHOD(EnableModeless)(BOOL) override {
        TPL_TRACE_METHOD("IOleInPlaceActiveObjectImpl::EnableModeless");
        return S_OK;
    }
};
