#include "framework/controls/parking_window.h"

#include "framework/controls/win_control.h"
#include "framework/controls/window_binding.h"
#include "framework/controls/window_classes.h"

namespace {

class TParkingWindow : public TObject {
public:
    TParkingWindow() {
        RegisterFrameClass(ClassName);
        FWindow = CreateWindowExA(WS_EX_TOOLWINDOW, ClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  FrameInstance(), nullptr);
        Win32Check(FWindow != nullptr, "CreateWindowEx (parking window)");
        BindWindow(FWindow, this);
    }
    ~TParkingWindow() override {
        if (!IsWindow(FWindow)) return;
        UnbindWindow(FWindow);
        DestroyWindow(FWindow);
    }
    HWND Handle() const { return FWindow; }
    void Dispatch(void* message) override {
        auto& m = *static_cast<TMessage*>(message);
        if (!ReflectNotification(FWindow, m)) DefaultHandler(message);
    }
    void DefaultHandler(void* message) override {
        auto& m = *static_cast<TMessage*>(message);
        m.Result = DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
    }

private:
    static constexpr char ClassName[] = "FrameParkingWindow";
    HWND FWindow = nullptr;
};

}  // namespace

HWND ParkingWindow() {
    static TParkingWindow parking;
    return parking.Handle();
}
