#include "framework/graphics/picture.h"

#include "framework/classes/published.h"

const TClassInfo& TPicture::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPicture>::Abstract("TPicture", TPersistent::StaticClass());
    return info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    OnChange(this);
}

void TPicture::GraphicChanged(TObject*) { OnChange(this); }

static std::unique_ptr<TGraphic> NewGraphicLike(const TGraphic* graphic) {
    if (ObjectAs<TIcon>(const_cast<TGraphic*>(graphic))) return std::make_unique<TIcon>();
    if (ObjectAs<TBitmap>(const_cast<TGraphic*>(graphic))) return std::make_unique<TBitmap>();
    throw EInvalidGraphic("Unknown kind of graphic: " + graphic->ClassName());
}

void TPicture::SetGraphic(TGraphic* graphic) {
    if (!graphic) {
        Adopt(nullptr);
        return;
    }
    auto copy = NewGraphicLike(graphic);
    copy->Assign(graphic);
    Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (!ObjectAs<TBitmap>(FGraphic.get())) Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
    if (!ObjectAs<TIcon>(FGraphic.get())) Adopt(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromBytes(TBytes bytes) {
    std::unique_ptr<TGraphic> graphic;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        graphic = std::make_unique<TBitmap>();
    else if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
        graphic = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic("Unknown picture format");
    graphic->LoadFromBytes(std::move(bytes));
    Adopt(std::move(graphic));
}

void TPicture::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromBytes(stream.ReadRest());
}

void TPicture::SaveToFile(const AnsiString& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent* source) {
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto picture = ObjectAs<TPicture>(const_cast<TPersistent*>(source))) {
        SetGraphic(picture->Graphic());
    } else if (auto graphic = ObjectAs<TGraphic>(const_cast<TPersistent*>(source))) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](TBytes&& bytes) { bytes.empty() ? SetGraphic(nullptr) : LoadFromBytes(std::move(bytes)); },
        [this] { return FGraphic->SaveToBytes(); }, FGraphic && !FGraphic->Empty());
}
