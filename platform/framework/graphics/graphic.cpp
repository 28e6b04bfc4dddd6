#include "framework/graphics/graphic.h"

#include "framework/classes/published.h"

const TClassInfo& TGraphic::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGraphic>::Abstract("TGraphic", TPersistent::StaticClass());
    return info;
}

TGraphic::~TGraphic() = default;

void TGraphic::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

TBytes TGraphic::SaveToBytes() {
    TMemoryStream stream;
    SaveToStream(stream);
    return stream.Bytes();
}

void TGraphic::LoadFromBytes(TBytes bytes) {
    TMemoryStream stream(std::move(bytes));
    LoadFromStream(stream);
}

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed() { OnChange(this); }
