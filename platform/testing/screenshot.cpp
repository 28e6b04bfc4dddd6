#include "testing/screenshot.h"

#include <cstdio>
#include <cstring>

namespace suite::testing {

Image CaptureDC(HDC source, int width, int height) {
    Image image;
    if (width <= 0 || height <= 0) return image;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return image;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = src[i] & 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    return image;
}

Image CaptureWindow(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r)) return {};
    HDC dc = GetWindowDC(window);
    Image image = CaptureDC(dc, r.right - r.left, r.bottom - r.top);
    ReleaseDC(window, dc);
    return image;
}

Image CaptureClientArea(HWND window) {
    RECT r;
    if (!GetClientRect(window, &r)) return {};
    HDC dc = GetDC(window);
    Image image = CaptureDC(dc, r.right, r.bottom);
    ReleaseDC(window, dc);
    return image;
}

Image CaptureScreen() {
    HDC dc = GetDC(nullptr);
    Image image = CaptureDC(dc, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ReleaseDC(nullptr, dc);
    return image;
}

int Image::Count(uint32_t rgb, RECT area) const {
    int n = 0;
    for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height); ++y)
        for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width); ++x)
            if (At(x, y) == rgb) ++n;
    return n;
}

namespace {

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    PutBigEndian(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks: larger files, but
// no compressor to get wrong.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(z, (b << 16) | a);
    return z;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, image.width);
    PutBigEndian(header, image.height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(out, "IHDR", header);
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.height) * (image.width * 3 + 1));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < image.width; ++x) {
            uint32_t p = image.At(x, y);
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
        }
    }
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

bool Image::Save(const std::string& path) const {
    if (width <= 0 || height <= 0) return false;
    std::vector<uint8_t> bytes;
    bool png = path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".png") == 0;
    if (png) {
        bytes = EncodePng(*this);
    } else {
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof info;
        info.biWidth = width;
        info.biHeight = -height;
        info.biPlanes = 1;
        info.biBitCount = 32;
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size() * 4);
        bytes.resize(file.bfSize);
        std::memcpy(bytes.data(), &file, sizeof file);
        std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
        std::memcpy(bytes.data() + file.bfOffBits, pixels.data(), pixels.size() * 4);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace suite::testing
