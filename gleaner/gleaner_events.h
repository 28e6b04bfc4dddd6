// The event connection point of the Gleaner control: up to five sinks of
// DIGleanerEvents.
#pragma once
#include "Gleaner.h"
#include "templates/connection_points.h"

template <class T>
class TEvents_Gleaner : public IConnectionPointImpl<T, &DIID_DIGleanerEvents, CComUnkArray<5>> {
public:
    // Every connected sink hears OnGrabFromClipboard (DISPID 1, no arguments),
    // unless the container has frozen the control's events.
    void Fire_OnGrabFromClipboard() {
        if (static_cast<T*>(this)->m_nFreezeEvents > 0) return;
        for (IUnknown* sink : this->ConnectionPoint().Sinks()) {
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            static_cast<IDispatch*>(sink)->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT,
                                                  DISPATCH_METHOD, &none, nullptr, nullptr,
                                                  nullptr);
            sink->Release();
        }
    }
};
