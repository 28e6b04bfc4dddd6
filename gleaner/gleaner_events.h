// The event connection point of the Gleaner control: up to five sinks of
// DIGleanerEvents.
#pragma once
#include "Gleaner.h"
#include "templates/connection_points.h"

template <class T>
class TEvents_Gleaner : public IConnectionPointImpl<T, &DIID_DIGleanerEvents, CComUnkArray<5>> {
public:
    // Every connected sink hears OnGrabFromClipboard (DISPID 1, no arguments).
    void Fire_OnGrabFromClipboard() {
        for (IUnknown* sink : this->ConnectionPoint().Sinks()) {
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            static_cast<IDispatch*>(sink)->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT,
                                                  DISPATCH_METHOD, &none, nullptr, nullptr,
                                                  nullptr);
            sink->Release();
        }
    }
};
