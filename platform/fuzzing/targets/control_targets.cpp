// The controls' persistence, fed as a container feeds it: Gleaner's and
// Meterix's stream, storage and property bag, Snapview's storage (the
// platform's data cache, which it hands out as it is). Each input loads
// into a fresh control; a loaded control must draw; a refused load is an
// error code and must leave what the control saves unchanged.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <map>

#include "Gleaner.h"
#include "Meterix.h"
#include "SnapviewLibrary.h"
#include "fuzzing/targets/storage_input.h"
#include "fuzzing/targets/targets.h"
#include "fuzzing/targets/text_property_bag.h"
#include "testing/child_process.h"
#include "testing/clipboard.h"
#include "testing/in_process_server.h"

namespace suite::fuzzing {

namespace {

using suite::testing::Query;

template <class I>
struct Held {
    I* p = nullptr;
    ~Held() {
        if (p) p->Release();
    }
    I* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

struct ControlClass {
    const wchar_t* library;
    const CLSID* clsid;
};
const ControlClass kGleaner{L"Gleaner.dll", &CLSID_Gleaner};
const ControlClass kMeterix{L"Meterix.dll", &CLSID_ProgressBarX};
const ControlClass kSnapview{L"Snapview.dll", &CLSID_Snapview};

IUnknown* CreateControl(const ControlClass& cls) {
    static std::map<const ControlClass*, suite::testing::InProcessServer> servers;
    auto& server = servers[&cls];
    if (!server.module) server = suite::testing::LoadInProcessServer(cls.library);
    if (!server.getClassObject) return nullptr;
    Held<IClassFactory> factory;
    if (FAILED(server.getClassObject(*cls.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory.p))))
        return nullptr;
    IUnknown* control = nullptr;
    factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control));
    return control;
}

// The platform's object runtime, and a bitmap on the clipboard for the
// clipboard viewers to take when they are made.
void PrepareControls() {
    OleInitialize(nullptr);
    static suite::testing::ClipboardScope clipboard;
    clipboard.PutDib(suite::testing::MakeSolidDib(16, 8, RGB(40, 120, 200)));
}

// Snapview finds its type library through the registry.
void PrepareSnapview() {
    PrepareControls();
    IUnknown* probe = CreateControl(kSnapview);
    if (!probe) suite::testing::RunProgram("SnapviewRegister.exe /register Snapview.dll");
    else probe->Release();
}

// What the control saves to a stream: how "unchanged" is told.
std::string SavedStream(IUnknown* control) {
    Held<IPersistStreamInit> persist{Query<IPersistStreamInit>(control, IID_IPersistStreamInit)};
    Held<IStream> stream;
    if (!persist || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream.p))) return {};
    if (FAILED(persist->Save(stream.p, FALSE))) return "<save failed>";
    return StreamBytes(stream.p);
}

// A loaded control draws into a bitmap.
void Draw(IUnknown* control) {
    Held<IViewObject> view{Query<IViewObject>(control, IID_IViewObject)};
    if (!view) return;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECTL bounds{0, 0, 64, 64};
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

enum class Medium { Stream, Storage, Bag };

template <const ControlClass& cls, Medium medium>
Outcome LoadControl(const std::string& input, std::string& fault) {
    Held<IUnknown> control{CreateControl(cls)};
    if (!control) {
        fault = "the control could not be made";
        return Outcome::Fault;
    }
    std::string before = SavedStream(control.p);
    HRESULT hr = E_FAIL;
    if (medium == Medium::Stream) {
        Held<IPersistStreamInit> persist{Query<IPersistStreamInit>(control.p, IID_IPersistStreamInit)};
        Held<IStream> stream{StreamOf(input)};
        hr = persist->Load(stream.p);
    } else if (medium == Medium::Storage) {
        Held<IPersistStorage> persist{Query<IPersistStorage>(control.p, IID_IPersistStorage)};
        Held<IStorage> storage{StorageOf(input)};
        hr = persist->Load(storage.p);
    } else {
        Held<IPersistPropertyBag> persist{Query<IPersistPropertyBag>(control.p, IID_IPersistPropertyBag)};
        TextPropertyBag bag(input);
        hr = persist->Load(&bag, nullptr);
    }
    if (SUCCEEDED(hr)) {
        // Snapview's view is the platform's data cache, handed out as it
        // is: a corrupt presentation it took crashes its drawing in this
        // Wine (docs/platform.md), which no thin check of ours can stop.
        if (&cls != &kSnapview) Draw(control.p);
        return Outcome::Accepted;
    }
    if (SavedStream(control.p) != before) {
        char text[96];
        snprintf(text, sizeof text, "refused (0x%08lX), but what the control saves changed",
                 static_cast<unsigned long>(hr));
        fault = text;
        return Outcome::Fault;
    }
    return Outcome::Refused;
}

}  // namespace

std::vector<Target> ControlTargets() {
    std::vector<std::string> bagWords = {"\n", "=", "i:", "r:", "b:", "e:", "s:", "-1", "2147483648", "1e308",
                                         "_Version", "_ExtentX", "_ExtentY", "Title", "Min", "Max", "Position",
                                         "Step", "Orientation", "Smooth", "Enabled", "DragMode"};
    return {
        {"gleaner-stream", {"platform/fuzzing/corpus/gleaner-stream"}, {}, 1 << 16, PrepareControls,
         LoadControl<kGleaner, Medium::Stream>},
        {"gleaner-bag", {"platform/fuzzing/corpus/gleaner-bag"}, bagWords, 1 << 16, PrepareControls,
         LoadControl<kGleaner, Medium::Bag>},
        {"gleaner-storage", {"platform/fuzzing/corpus/gleaner-storage"}, {}, 1 << 16, PrepareControls,
         LoadControl<kGleaner, Medium::Storage>},
        {"snapview-storage", {"platform/fuzzing/corpus/snapview-storage"}, {}, 1 << 16, PrepareSnapview,
         LoadControl<kSnapview, Medium::Storage>},
        {"meterix-stream", {"platform/fuzzing/corpus/meterix-stream"}, {}, 1 << 16, PrepareControls,
         LoadControl<kMeterix, Medium::Stream>},
        {"meterix-storage", {"platform/fuzzing/corpus/meterix-storage"}, {}, 1 << 16, PrepareControls,
         LoadControl<kMeterix, Medium::Storage>},
    };
}

// Seeds: what each control saves when it is new.
bool WriteControlSeeds(const std::string& folder) {
    PrepareSnapview();
    struct Seed {
        const ControlClass* cls;
        Medium medium;
        const char* target;
    };
    const Seed seeds[] = {{&kGleaner, Medium::Stream, "gleaner-stream"},   {&kGleaner, Medium::Bag, "gleaner-bag"},
                          {&kGleaner, Medium::Storage, "gleaner-storage"}, {&kSnapview, Medium::Storage, "snapview-storage"},
                          {&kMeterix, Medium::Stream, "meterix-stream"},   {&kMeterix, Medium::Storage, "meterix-storage"}};
    for (const Seed& seed : seeds) {
        Held<IUnknown> control{CreateControl(*seed.cls)};
        if (!control) return false;
        std::string bytes;
        if (seed.medium == Medium::Stream) {
            bytes = SavedStream(control.p);
        } else if (seed.medium == Medium::Bag) {
            Held<IPersistPropertyBag> persist{Query<IPersistPropertyBag>(control.p, IID_IPersistPropertyBag)};
            TextPropertyBag bag("");
            if (!persist || FAILED(persist->Save(&bag, FALSE, TRUE))) return false;
            bytes = bag.Text();
        } else {
            Held<IPersistStorage> persist{Query<IPersistStorage>(control.p, IID_IPersistStorage)};
            Held<IStorage> storage{StorageOf("")};
            if (!persist || FAILED(persist->Save(storage.p, FALSE))) return false;
            persist->SaveCompleted(nullptr);
            bytes = StorageListing(storage.p);
        }
        std::string dir = folder + "\\" + seed.target;
        CreateDirectoryA(dir.c_str(), nullptr);
        FILE* out = fopen((dir + "\\new.bin").c_str(), "wb");
        if (!out) return false;
        fwrite(bytes.data(), 1, bytes.size(), out);
        fclose(out);
    }
    return true;
}

}  // namespace suite::fuzzing
