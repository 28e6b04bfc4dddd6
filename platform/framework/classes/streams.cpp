#include "framework/classes/streams.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

TStream::~TStream() = default;

int64_t TStream::Size() {
    int64_t here = Position();
    int64_t end = Seek(0, soFromEnd);
    SetPosition(here);
    return end;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

TBytes TStream::ReadRest() {
    int64_t rest = Size() - Position();
    TBytes bytes(static_cast<size_t>(std::max<int64_t>(rest, 0)));
    ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

TMemoryStream::~TMemoryStream() = default;

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    int64_t available = static_cast<int64_t>(FBytes.size()) - FPosition;
    int64_t n = std::clamp<int64_t>(count, 0, std::max<int64_t>(available, 0));
    if (n > 0) std::memcpy(buffer, FBytes.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    size_t end = static_cast<size_t>(FPosition + count);
    if (end > FBytes.size()) FBytes.resize(end);
    std::memcpy(FBytes.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soFromBeginning ? 0 : origin == soFromCurrent ? FPosition
                                                                            : static_cast<int64_t>(FBytes.size());
    FPosition = std::max<int64_t>(base + offset, 0);
    return FPosition;
}

void TMemoryStream::Clear() {
    FBytes.clear();
    FPosition = 0;
}

TFileStream::TFileStream(const AnsiString& fileName, TFileMode mode) {
    FHandle = mode == fmCreate
                  ? CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)
                  : CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE)
        throw EStreamError(Format("Cannot %s file %s (error %u)", mode == fmCreate ? "create" : "open",
                                  fileName.c_str(), GetLastError()));
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

int64_t TFileStream::Read(void* buffer, int64_t count) {
    DWORD done = 0;
    if (count <= 0 || !ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    DWORD done = 0;
    if (count <= 0 || !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    DWORD method = origin == soFromBeginning ? FILE_BEGIN : origin == soFromCurrent ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(FHandle, distance, &result, method)) return -1;
    return result.QuadPart;
}
