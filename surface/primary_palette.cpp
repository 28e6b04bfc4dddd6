#include "primary_palette.h"

#include <algorithm>

bool MatchPrimaryPalette(IDirectDraw* directDraw, IDirectDrawSurface* primary,
                         const std::vector<RGBQUAD>& colours) {
    if (!directDraw || !primary || colours.empty()) return true;
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    if (primary->GetPixelFormat(&format) != DD_OK) return false;
    if (!(format.dwFlags & DDPF_PALETTEINDEXED8)) return true;

    PALETTEENTRY entries[256]{};
    const size_t count = std::min<size_t>(colours.size(), 256);
    for (size_t i = 0; i < count; ++i) {
        entries[i].peRed = colours[i].rgbRed;
        entries[i].peGreen = colours[i].rgbGreen;
        entries[i].peBlue = colours[i].rgbBlue;
    }
    IDirectDrawPalette* palette = nullptr;
    if (directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr) != DD_OK)
        return false;
    const bool attached = primary->SetPalette(palette) == DD_OK;
    palette->Release();  // the surface holds its own reference
    return attached;
}
