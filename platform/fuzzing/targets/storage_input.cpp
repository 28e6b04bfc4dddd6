#include "fuzzing/targets/storage_input.h"

#include <windows.h>
#include <ole2.h>

#include <cstdint>

namespace suite::fuzzing {

IStream* StreamOf(const std::string& bytes) {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::string StreamBytes(IStream* stream) {
    std::string bytes;
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    char buffer[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0) bytes.append(buffer, got);
    return bytes;
}

IStorage* StorageOf(const std::string& listing) {
    ILockBytes* bytes = nullptr;
    if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes))) return nullptr;
    IStorage* storage = nullptr;
    HRESULT hr = StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage);
    bytes->Release();
    if (FAILED(hr)) return nullptr;
    size_t at = 0;
    while (at < listing.size()) {
        size_t nameLength = static_cast<unsigned char>(listing[at++]);
        if (at + nameLength + 4 > listing.size()) break;
        std::wstring name;
        for (size_t i = 0; i < nameLength; ++i) name += static_cast<wchar_t>(static_cast<unsigned char>(listing[at + i]));
        at += nameLength;
        uint32_t length = 0;
        for (int i = 3; i >= 0; --i) length = (length << 8) | static_cast<unsigned char>(listing[at + i]);
        at += 4;
        if (length > listing.size() - at) length = static_cast<uint32_t>(listing.size() - at);
        IStream* stream = nullptr;
        // A name the platform refuses is left out, and so is one longer
        // than a compound file's element name can be (31 characters).
        if (name.size() <= 31 && SUCCEEDED(storage->CreateStream(name.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                            &stream))) {
            stream->Write(listing.data() + at, length, nullptr);
            stream->Release();
        }
        at += length;
    }
    return storage;
}

std::string StorageListing(IStorage* storage) {
    std::string listing;
    IEnumSTATSTG* elements = nullptr;
    if (FAILED(storage->EnumElements(0, nullptr, 0, &elements))) return listing;
    STATSTG stat;
    while (elements->Next(1, &stat, nullptr) == S_OK) {
        if (stat.type == STGTY_STREAM) {
            IStream* stream = nullptr;
            if (SUCCEEDED(storage->OpenStream(stat.pwcsName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream))) {
                std::string data = StreamBytes(stream);
                stream->Release();
                std::wstring name = stat.pwcsName;
                listing += static_cast<char>(name.size());
                for (wchar_t c : name) listing += static_cast<char>(c);
                for (int i = 0; i < 4; ++i) listing += static_cast<char>(data.size() >> (8 * i));
                listing += data;
            }
        }
        CoTaskMemFree(stat.pwcsName);
    }
    elements->Release();
    return listing;
}

}  // namespace suite::fuzzing
