// TOleStream: a TStream over the platform's IStream, so that a control
// can save and load itself through the stream its container gives it. It
// holds one reference to the IStream while it lives.
#pragma once
#include "framework/classes/streams.h"

struct IStream;

class TOleStream : public TStream {
public:
    explicit TOleStream(IStream* stream);
    ~TOleStream() override;
    // A failing call raises EStreamError with its HRESULT.
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    IStream* Stream() const { return FStream; }

private:
    IStream* FStream;
};
