// Byte streams: in memory, on file, over a resource. Graphics read and
// write themselves through them.
#pragma once
#include <cstdint>
#include <vector>

#include "framework/classes/object.h"

enum TSeekOrigin : uint8_t { soFromBeginning, soFromCurrent, soFromEnd };

class TStream : public TObject {
public:
    ~TStream() override;
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t position) { Seek(position, soFromBeginning); }
    int64_t Size();
    // Exactly count bytes or EReadError / EStreamError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    TBytes ReadRest();
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(TBytes bytes) : FBytes(std::move(bytes)) {}
    ~TMemoryStream() override;
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const TBytes& Bytes() const { return FBytes; }
    void Clear();

private:
    TBytes FBytes;
    int64_t FPosition = 0;
};

enum TFileMode : uint8_t { fmOpenRead, fmCreate };

class TFileStream : public TStream {
public:
    // Raises EStreamError when the file cannot be opened or made.
    TFileStream(const AnsiString& fileName, TFileMode mode);
    ~TFileStream() override;
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    void* FHandle;
};
