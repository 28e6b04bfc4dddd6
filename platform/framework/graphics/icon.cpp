#include "framework/graphics/icon.h"

#include <cstring>

#include "framework/classes/published.h"

namespace {
#pragma pack(push, 1)
struct IconDirEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bits;
    DWORD size, offset;
};
#pragma pack(pop)
}  // namespace

const TClassInfo& TIcon::StaticClass() {
    static const TClassInfo info = TClassBuilder<TIcon>::Abstract("TIcon", TGraphic::StaticClass());
    return info;
}

TIcon::TIcon() = default;
TIcon::~TIcon() { FreeHandle(); }

void TIcon::FreeHandle() {
    if (FHandle) DestroyIcon(FHandle);
    FHandle = nullptr;
}

int TIcon::ImageCount() const {
    if (FData.size() < 6) return 0;
    WORD count;
    std::memcpy(&count, FData.data() + 4, 2);
    return count;
}

HICON TIcon::Handle() {
    if (!FHandle && !FData.empty()) {
        // The first image, which also gives the icon its size.
        IconDirEntry entry;
        std::memcpy(&entry, FData.data() + 6, sizeof entry);
        FHandle = CreateIconFromResourceEx(const_cast<BYTE*>(FData.data() + entry.offset), entry.size, TRUE,
                                           0x00030000, FWidth, FHeight, LR_DEFAULTCOLOR);
    }
    return FHandle;
}

void TIcon::Assign(const TPersistent* source) {
    if (auto other = ObjectAs<TIcon>(const_cast<TPersistent*>(source))) {
        FreeHandle();
        FData = other->FData;
        FWidth = other->FWidth;
        FHeight = other->FHeight;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::LoadFromStream(TStream& stream) {
    TBytes data = stream.ReadRest();
    auto bad = [](const char* why) { throw EInvalidGraphic(Format("Invalid icon: %s", why)); };
    if (data.size() < 6 + sizeof(IconDirEntry)) bad("too short");
    WORD header[3];
    std::memcpy(header, data.data(), 6);
    if (header[0] != 0 || header[1] != 1 || header[2] == 0) bad("no icon directory");
    if (6 + header[2] * sizeof(IconDirEntry) > data.size()) bad("truncated directory");
    for (int i = 0; i < header[2]; ++i) {
        IconDirEntry e;
        std::memcpy(&e, data.data() + 6 + i * sizeof e, sizeof e);
        if (e.offset > data.size() || e.size > data.size() - e.offset) bad("image outside the file");
    }
    IconDirEntry first;
    std::memcpy(&first, data.data() + 6, sizeof first);
    FreeHandle();
    FData = std::move(data);
    FWidth = first.width ? first.width : 256;
    FHeight = first.height ? first.height : 256;
    Changed();
}

void TIcon::SaveToStream(TStream& stream) { stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size())); }

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
    if (HICON icon = Handle())
        DrawIconEx(canvas->Handle(), rect.left, rect.top, icon, rect.right - rect.left, rect.bottom - rect.top, 0,
                   nullptr, DI_NORMAL);
}
