#include "surfaceless_direct_draw.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace surface_testing {
namespace {

int flipsToGdi = 0;
int objectsAlive = 0;
std::vector<std::string> calls;
HWND cooperatingWindow = nullptr;

void Note(const char* format, ...) {
    char line[128];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    calls.push_back(line);
}

class SurfacelessDirectDraw final : public IDirectDraw {
public:
    SurfacelessDirectDraw(IDirectDraw* real, bool surfaceless) : real_(real), surfaceless_(surfaceless) {
        ++objectsAlive;
    }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDirectDraw) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
    STDMETHOD_(ULONG, Release)() override {
        const ULONG left = --refs_;
        if (left == 0) {
            real_->Release();
            --objectsAlive;
            delete this;
        }
        return left;
    }
    STDMETHOD(Compact)() override { return real_->Compact(); }
    STDMETHOD(CreateClipper)(DWORD f, LPDIRECTDRAWCLIPPER* c, IUnknown* o) override {
        return real_->CreateClipper(f, c, o);
    }
    STDMETHOD(CreatePalette)(DWORD f, LPPALETTEENTRY t, LPDIRECTDRAWPALETTE* p, IUnknown* o) override {
        return real_->CreatePalette(f, t, p, o);
    }
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC d, LPDIRECTDRAWSURFACE* surface, IUnknown* o) override {
        Note("CreateSurface size %lu flags 0x%lx caps 0x%lx back %lu", d->dwSize, d->dwFlags, d->ddsCaps.dwCaps,
             d->dwBackBufferCount);
        if (!surfaceless_) return real_->CreateSurface(d, surface, o);
        *surface = nullptr;
        return DDERR_OUTOFVIDEOMEMORY;
    }
    STDMETHOD(DuplicateSurface)(LPDIRECTDRAWSURFACE s, LPDIRECTDRAWSURFACE* d) override {
        return real_->DuplicateSurface(s, d);
    }
    STDMETHOD(EnumDisplayModes)(DWORD f, LPDDSURFACEDESC d, LPVOID c, LPDDENUMMODESCALLBACK cb) override {
        return real_->EnumDisplayModes(f, d, c, cb);
    }
    STDMETHOD(EnumSurfaces)(DWORD f, LPDDSURFACEDESC d, LPVOID c, LPDDENUMSURFACESCALLBACK cb) override {
        return real_->EnumSurfaces(f, d, c, cb);
    }
    STDMETHOD(FlipToGDISurface)() override {
        ++flipsToGdi;
        Note("FlipToGDISurface");
        return real_->FlipToGDISurface();
    }
    STDMETHOD(GetCaps)(LPDDCAPS d, LPDDCAPS h) override { return real_->GetCaps(d, h); }
    STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC d) override { return real_->GetDisplayMode(d); }
    STDMETHOD(GetFourCCCodes)(LPDWORD n, LPDWORD c) override { return real_->GetFourCCCodes(n, c); }
    STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE* s) override { return real_->GetGDISurface(s); }
    STDMETHOD(GetMonitorFrequency)(LPDWORD f) override { return real_->GetMonitorFrequency(f); }
    STDMETHOD(GetScanLine)(LPDWORD l) override { return real_->GetScanLine(l); }
    STDMETHOD(GetVerticalBlankStatus)(WINBOOL* b) override { return real_->GetVerticalBlankStatus(b); }
    STDMETHOD(Initialize)(GUID* g) override { return real_->Initialize(g); }
    STDMETHOD(RestoreDisplayMode)() override {
        Note("RestoreDisplayMode");
        return real_->RestoreDisplayMode();
    }
    STDMETHOD(SetCooperativeLevel)(HWND w, DWORD f) override {
        Note("SetCooperativeLevel 0x%lx", f);
        cooperatingWindow = w;
        return real_->SetCooperativeLevel(w, f);
    }
    STDMETHOD(SetDisplayMode)(DWORD w, DWORD h, DWORD b) override {
        Note("SetDisplayMode %lu %lu %lu", w, h, b);
        return real_->SetDisplayMode(w, h, b);
    }
    STDMETHOD(WaitForVerticalBlank)(DWORD f, HANDLE e) override { return real_->WaitForVerticalBlank(f, e); }

private:
    ~SurfacelessDirectDraw() = default;
    IDirectDraw* real_;
    bool surfaceless_;
    ULONG refs_ = 1;
};

HRESULT CreateWrapped(GUID* driver, IDirectDraw** object, IUnknown* outer, bool surfaceless) {
    using Create = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
    static HMODULE library = LoadLibraryA("ddraw.dll");
    auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate")));
    IDirectDraw* real = nullptr;
    const HRESULT result = create(driver, &real, outer);
    if (result != DD_OK) return result;
    *object = new SurfacelessDirectDraw(real, surfaceless);
    return DD_OK;
}

}  // namespace

HRESULT WINAPI CreateSurfacelessDirectDraw(GUID* driver, IDirectDraw** object, IUnknown* outer) {
    return CreateWrapped(driver, object, outer, true);
}

HRESULT WINAPI CreateWatchedDirectDraw(GUID* driver, IDirectDraw** object, IUnknown* outer) {
    return CreateWrapped(driver, object, outer, false);
}

std::vector<std::string> TakeDirectDrawCalls() { return std::exchange(calls, {}); }
HWND CooperatingWindow() { return cooperatingWindow; }

int SurfacelessFlipToGdiCount() { return flipsToGdi; }
int SurfacelessObjectsAlive() { return objectsAlive; }

}  // namespace surface_testing
