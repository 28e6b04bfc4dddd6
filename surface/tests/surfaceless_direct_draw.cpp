#include "surfaceless_direct_draw.h"

namespace surface_testing {
namespace {

int flipsToGdi = 0;
int objectsAlive = 0;

class SurfacelessDirectDraw final : public IDirectDraw {
public:
    explicit SurfacelessDirectDraw(IDirectDraw* real) : real_(real) { ++objectsAlive; }

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
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC, LPDIRECTDRAWSURFACE* surface, IUnknown*) override {
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
    STDMETHOD(RestoreDisplayMode)() override { return real_->RestoreDisplayMode(); }
    STDMETHOD(SetCooperativeLevel)(HWND w, DWORD f) override { return real_->SetCooperativeLevel(w, f); }
    STDMETHOD(SetDisplayMode)(DWORD w, DWORD h, DWORD b) override { return real_->SetDisplayMode(w, h, b); }
    STDMETHOD(WaitForVerticalBlank)(DWORD f, HANDLE e) override { return real_->WaitForVerticalBlank(f, e); }

private:
    ~SurfacelessDirectDraw() = default;
    IDirectDraw* real_;
    ULONG refs_ = 1;
};

}  // namespace

HRESULT WINAPI CreateSurfacelessDirectDraw(GUID* driver, IDirectDraw** object, IUnknown* outer) {
    using Create = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
    static HMODULE library = LoadLibraryA("ddraw.dll");
    auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate")));
    IDirectDraw* real = nullptr;
    const HRESULT result = create(driver, &real, outer);
    if (result != DD_OK) return result;
    *object = new SurfacelessDirectDraw(real);
    return DD_OK;
}

int SurfacelessFlipToGdiCount() { return flipsToGdi; }
int SurfacelessObjectsAlive() { return objectsAlive; }

}  // namespace surface_testing
