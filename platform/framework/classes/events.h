// Events: a method of some object bound to a component, called when
// something happens. An event holds the object and the method pointer,
// so two bindings compare equal when they call the same method of the
// same object, and the form writer can name the handler.
#pragma once
#include <bit>
#include <cstdint>

class TObject;

using TMethodCode = void (TObject::*)();

struct TMethod {
    TObject* Data = nullptr;
    TMethodCode Code = nullptr;
    explicit operator bool() const { return Data != nullptr && Code != nullptr; }
    bool operator==(const TMethod& other) const {
        return Data == other.Data && Code == other.Code;
    }
};

template <class... Args>
class TEvent {
public:
    using Signature = void (TObject::*)(Args...);

    TEvent() = default;
    // Binds a method of a class derived from TObject (single inheritance).
    template <class C>
    TEvent(C* object, void (C::*method)(Args...))
        : FMethod{object, std::bit_cast<TMethodCode>(static_cast<Signature>(method))} {}

    explicit operator bool() const { return static_cast<bool>(FMethod); }
    void operator()(Args... args) const {
        if (FMethod) (FMethod.Data->*std::bit_cast<Signature>(FMethod.Code))(args...);
    }
    const TMethod& Method() const { return FMethod; }
    static TEvent FromMethod(const TMethod& m) {
        TEvent e;
        e.FMethod = m;
        return e;
    }
    bool operator==(const TEvent& other) const { return FMethod == other.FMethod; }

private:
    TMethod FMethod;
};

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = uint8_t;

using TNotifyEvent = TEvent<TObject*>;
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyPressEvent = TEvent<TObject*, char&>;
// Where a drag is over a target: just arrived, left it, or moving on it.
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
// Sender, Source, X, Y, State, Accept.
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
