#include "framework/controls/timer_window.h"

#include <unordered_map>
#include <vector>

#include "framework/controls/messages.h"
#include "framework/controls/timer.h"
#include "framework/controls/window_binding.h"

namespace {

// Timers of several threads may be made and freed at once: the lists
// are kept under a lock, never held while a timer ticks.
class TTimerWindows : public TObject {
public:
    TTimerWindows() { InitializeCriticalSection(&FLock); }
    ~TTimerWindows() override {
        for (const TThreadWindow& w : FWindows)
            if (IsWindow(w.Window)) DeallocateHWnd(w.Window);
        DeleteCriticalSection(&FLock);
    }
    UINT_PTR Register(TTimer* timer) {
        TLock lock(FLock);
        UINT_PTR id = ++FLastId;
        FTimers[id] = timer;
        return id;
    }
    void Unregister(UINT_PTR id) {
        TLock lock(FLock);
        FTimers.erase(id);
    }
    HWND WindowOfThisThread() {
        HWND window = FindWindowOfThisThread();
        if (window && IsWindow(window)) return window;
        window = AllocateHWnd(this);
        TLock lock(FLock);
        DWORD thread = GetCurrentThreadId();
        for (TThreadWindow& w : FWindows)
            if (w.Thread == thread) return w.Window = window;  // a thread of the same id that ended had one
        FWindows.push_back({thread, window});
        return window;
    }
    void Dispatch(void* message) override {
        auto& m = *static_cast<TMessage*>(message);
        if (m.Msg != WM_TIMER) return DefaultHandler(message);
        TTimer* timer = nullptr;
        {
            TLock lock(FLock);
            auto found = FTimers.find(m.WParam);
            if (found != FTimers.end()) timer = found->second;
        }
        if (timer) timer->Tick();
    }
    void DefaultHandler(void* message) override {
        auto& m = *static_cast<TMessage*>(message);
        m.Result = DefWindowProcA(FindWindowOfThisThread(), m.Msg, m.WParam, m.LParam);
    }

private:
    struct TLock {
        explicit TLock(CRITICAL_SECTION& section) : Section(section) { EnterCriticalSection(&Section); }
        ~TLock() { LeaveCriticalSection(&Section); }
        CRITICAL_SECTION& Section;
    };
    HWND FindWindowOfThisThread() {
        TLock lock(FLock);
        DWORD thread = GetCurrentThreadId();
        for (const TThreadWindow& w : FWindows)
            if (w.Thread == thread) return w.Window;
        return nullptr;
    }
    struct TThreadWindow {
        DWORD Thread;
        HWND Window;
    };
    std::vector<TThreadWindow> FWindows;
    std::unordered_map<UINT_PTR, TTimer*> FTimers;
    UINT_PTR FLastId = 0;
    CRITICAL_SECTION FLock;
};

// Made right after the window classes and so gone after everything else
// of the framework (the application frees its forms, and their timers,
// before this goes); the class list then closes any window left.
TTimerWindows Windows __attribute__((init_priority(102)));

}  // namespace

UINT_PTR RegisterTimer(TTimer* timer) { return Windows.Register(timer); }
void UnregisterTimer(UINT_PTR id) { Windows.Unregister(id); }
HWND TimerWindow() { return Windows.WindowOfThisThread(); }
