#include "framework/controls/window_classes.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/classes/modules.h"
#include "framework/controls/window_binding.h"
#include "framework/system/delayed_imports.h"
#include "framework/system/sysutils.h"

namespace {

struct TRegisteredClass {
    ATOM Atom;
    std::string Name;
    WNDPROC DefaultProc;
};

// The classes this module registered. It is made before every other
// static object of the framework and therefore goes after them all (the
// application and its forms go first): when the module unloads it closes
// whatever window of its classes is still open, cut off from its object,
// and unregisters the classes, so none is left pointing into freed code.
class TFrameClasses {
public:
    ~TFrameClasses() {
        CloseLeftoverWindows();
        for (const TRegisteredClass& c : FClasses) UnregisterClassA(MAKEINTATOM(c.Atom), FrameInstance());
        ReleaseWindowBinding();
    }
    const TRegisteredClass* Find(const char* name) const {
        for (const TRegisteredClass& c : FClasses)
            if (lstrcmpiA(c.Name.c_str(), name) == 0) return &c;
        return nullptr;
    }
    const TRegisteredClass* Find(ATOM atom) const {
        for (const TRegisteredClass& c : FClasses)
            if (c.Atom == atom) return &c;
        return nullptr;
    }
    const TRegisteredClass& Add(TRegisteredClass c) { return FClasses.emplace_back(std::move(c)); }

private:
    bool IsOurs(HWND window) const {
        return reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE)) == FrameInstance() &&
               Find(static_cast<ATOM>(GetClassWord(window, GCW_ATOM)));
    }
    struct TSearch {
        const TFrameClasses* Self;
        std::vector<HWND> Found;
    };
    static BOOL CALLBACK CollectOne(HWND window, LPARAM param) {
        auto search = reinterpret_cast<TSearch*>(param);
        if (search->Self->IsOurs(window)) search->Found.push_back(window);
        return TRUE;
    }
    static BOOL CALLBACK CollectTree(HWND window, LPARAM param) {
        CollectOne(window, param);
        EnumChildWindows(window, CollectOne, param);
        return TRUE;
    }
    void CloseLeftoverWindows() {
        TSearch search{this, {}};
        auto param = reinterpret_cast<LPARAM>(&search);
        EnumThreadWindows(GetCurrentThreadId(), CollectTree, param);
        for (const TRegisteredClass& c : FClasses)
            for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, MAKEINTATOM(c.Atom), nullptr));)
                CollectTree(w, param);
        for (HWND w : search.Found) UnbindWindow(w);
        for (HWND w : search.Found)
            if (IsWindow(w)) DestroyWindow(w);
    }
    std::vector<TRegisteredClass> FClasses;
};

TFrameClasses Classes __attribute__((init_priority(101)));

// The common controls register their classes on demand.
bool FindPlatformClass(const char* base, WNDCLASSA& wc) {
    if (GetClassInfoA(FrameInstance(), base, &wc)) return true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    Delayed::InitCommonControlsEx(&icc);
    return GetClassInfoA(FrameInstance(), base, &wc);
}

}  // namespace

// Where the framework's code lives: the module of this very function.
HINSTANCE FrameInstance() {
    static const auto instance = static_cast<HINSTANCE>(ModuleOfAddress(reinterpret_cast<const void*>(&FrameInstance)));
    return instance;
}

WNDPROC RegisterFrameClass(const char* name, const char* base, UINT style) {
    if (const TRegisteredClass* known = Classes.Find(name)) return known->DefaultProc;
    WNDCLASSA wc{};
    WNDPROC defaultProc = DefWindowProcA;
    if (base) {
        if (!FindPlatformClass(base, wc)) throw EWin32Error(std::string("Window class ") + base, GetLastError());
        defaultProc = wc.lpfnWndProc;
    } else {
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    wc.style = (wc.style & ~CS_GLOBALCLASS) | style;
    wc.lpfnWndProc = FrameWindowProc;
    wc.hInstance = FrameInstance();
    wc.lpszClassName = name;
    wc.lpszMenuName = nullptr;
    ATOM atom = RegisterClassA(&wc);
    Win32Check(atom != 0, "RegisterClass");
    return Classes.Add({atom, name, defaultProc}).DefaultProc;
}

WNDPROC FrameClassDefaultProc(HWND window) {
    if (const TRegisteredClass* c = Classes.Find(static_cast<ATOM>(GetClassWord(window, GCW_ATOM))))
        return c->DefaultProc;
    return DefWindowProcA;
}
