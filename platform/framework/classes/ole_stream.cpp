#include "framework/classes/ole_stream.h"

#include <objidl.h>

#include <algorithm>

namespace {

void Check(HRESULT hr, const char* call) {
    if (FAILED(hr)) throw EStreamError(Format("IStream::%s failed (HRESULT 0x%.8X)", call, static_cast<uint32_t>(hr)));
}

// The platform counts bytes in 32 bits: larger requests go in parts.
constexpr int64_t MaxPart = 0x40000000;

}  // namespace

TOleStream::TOleStream(IStream* stream) : FStream(stream) {
    if (!FStream) throw EStreamError("TOleStream needs a stream");
    FStream->AddRef();
}

TOleStream::~TOleStream() { FStream->Release(); }

int64_t TOleStream::Read(void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        ULONG done = 0;
        auto part = static_cast<ULONG>(std::min(count - total, MaxPart));
        HRESULT hr = FStream->Read(static_cast<uint8_t*>(buffer) + total, part, &done);
        Check(hr, "Read");
        total += done;
        if (done < part) break;  // the end of the stream
    }
    return total;
}

int64_t TOleStream::Write(const void* buffer, int64_t count) {
    int64_t total = 0;
    while (total < count) {
        ULONG done = 0;
        auto part = static_cast<ULONG>(std::min(count - total, MaxPart));
        Check(FStream->Write(static_cast<const uint8_t*>(buffer) + total, part, &done), "Write");
        total += done;
        if (done < part) break;
    }
    return total;
}

int64_t TOleStream::Seek(int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER move;
    move.QuadPart = offset;
    ULARGE_INTEGER position{};
    DWORD from = origin == soFromBeginning ? STREAM_SEEK_SET : origin == soFromCurrent ? STREAM_SEEK_CUR : STREAM_SEEK_END;
    Check(FStream->Seek(move, from, &position), "Seek");
    return static_cast<int64_t>(position.QuadPart);
}
