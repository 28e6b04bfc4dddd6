// TOleControl: a component that hosts an embeddable control on a form. It
// creates the control from its control-data record on first need, is the
// control's client site, in-place site and control site, answers the
// ambient properties from its own colour and font, activates the control
// in its window at its size, and reads and writes the control's
// properties by DISPID through typed accessor pairs, which a descendant
// publishes with Index(dispid). A descendant fills in InitControlData.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <memory>

#include "framework/controls/win_control.h"
#include "framework/system/word_bool.h"

// What the framework needs to know of a hosted control's class.
struct TControlData {
    CLSID ClassID;
    IID EventIID;
    int EventCount;
    const DISPID* EventDispIDs;
    const wchar_t* LicenseKey;
    DWORD Flags;
    DWORD Version;
    int FontCount;
    const DISPID* FontIDs;
    int PictureCount;
    const DISPID* PictureIDs;
    int Reserved;
    int InstanceCount;
    const void* PropDescs;
};

// An enumeration's value as a hosted control passes it.
using TOleEnum = int16_t;

// A hosted control could not be made, or refused a property (the message
// is the control's own description, or the platform's text for the code).
class EOleError : public Exception {
public:
    EOleError(const AnsiString& message, HRESULT code);
    ~EOleError() override;
    HRESULT ErrorCode() const { return FErrorCode; }

private:
    HRESULT FErrorCode;
};

class TOleControl : public TWinControl {
    FRAME_CLASS(TOleControl, TWinControl)
public:
    explicit TOleControl(TComponent* owner);
    // A control living in a plain window (a container's) rather than on a form.
    explicit TOleControl(HWND parentWindow);
    ~TOleControl() override;

    // The control follows the component's size.
    void SetBounds(int left, int top, int width, int height) override;

    // The hosted control's IDispatch (not counted: the component holds it),
    // the control made first if need be; null when it has none. Raises
    // EOleError when the control cannot be made.
    IDispatch* GetDefaultDispatch();
    // The hosted control's IOleObject, or null before it is made.
    IOleObject* OleObject() const { return FOleObject; }

    int GetIntegerProp(int index) const;
    void SetIntegerProp(int index, int value);
    int16_t GetSmallintProp(int index) const;
    void SetSmallintProp(int index, int16_t value);
    WordBool GetWordBoolProp(int index) const;
    void SetWordBoolProp(int index, WordBool value);
    TOleEnum GetTOleEnumProp(int index) const;
    void SetTOleEnumProp(int index, TOleEnum value);

protected:
    // Points FControlData at the class's record. Called once, before the
    // control is first made.
    virtual void InitControlData() = 0;
    TControlData* FControlData = nullptr;

    void HandleCreated() override;

private:
    class TSite;
    friend class TSite;
    void CreateOleObject();
    void ActivateInPlace();
    void DestroyOleObject();
    RECT ClientBounds() const;
    // A property by DISPID, as a variant of the given type.
    void GetProperty(int dispid, VARTYPE type, VARIANT& value) const;
    void SetProperty(int dispid, VARIANT& value);
    long GetOrdinal(int index, VARTYPE type) const;
    void SetOrdinal(int index, VARTYPE type, long value);

    std::unique_ptr<TSite> FSite;
    IOleObject* FOleObject = nullptr;
    IDispatch* FDispatch = nullptr;
};

// The base of the proxies generated for a type library: the two ways of
// making a hosted control, and InitControlData left to each proxy.
class TOCXProxy : public TOleControl {
    FRAME_CLASS(TOCXProxy, TOleControl)
public:
    explicit TOCXProxy(TComponent* owner) : TOleControl(owner) {}
    explicit TOCXProxy(HWND parentWindow) : TOleControl(parentWindow) {}
    ~TOCXProxy() override;

protected:
    void InitControlData() override = 0;
};
