#include "surface_pixels.h"

namespace surface_testing {

suite::testing::Image ReadSurface(IDirectDrawSurface* surface) {
    suite::testing::Image image;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) != DD_OK) return image;

    PALETTEENTRY entries[256]{};
    const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    if (bits == 8) {
        IDirectDrawPalette* palette = nullptr;
        if (surface->GetPalette(&palette) == DD_OK) {
            palette->GetEntries(0, 0, 256, entries);
            palette->Release();
        }
    }
    image.width = static_cast<int>(desc.dwWidth);
    image.height = static_cast<int>(desc.dwHeight);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const BYTE* row = static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch;
        for (int x = 0; x < image.width; ++x) {
            uint32_t rgb = 0;
            if (bits == 8) {
                const PALETTEENTRY& e = entries[row[x]];
                rgb = (uint32_t(e.peRed) << 16) | (uint32_t(e.peGreen) << 8) | e.peBlue;
            } else if (bits == 32) {
                rgb = reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
            }
            image.pixels[static_cast<size_t>(y) * image.width + x] = rgb;
        }
    }
    surface->Unlock(nullptr);
    return image;
}

}  // namespace surface_testing
