// The component away from the display: construction, the published
// properties as the form designer and the form reader see them, and the
// background picture's ownership.
#include <gtest/gtest.h>

#include <memory>

#include "DDComp.h"
#include "framework/classes/class_registry.h"
#include "framework/classes/published.h"
#include "framework/forms/form.h"
#include "framework/streaming/form_reader.h"
#include "framework/streaming/form_writer.h"

namespace {

// An 8-bit picture whose pixel (x, y) has palette index (x + y) % 256.
std::unique_ptr<TBitmap> MakePicture(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf8bit);
    std::vector<RGBQUAD> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i * 7), 0};
    bitmap->SetPalette(palette);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto row = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < width; ++x) row[x] = BYTE(x + y);
    }
    return bitmap;
}

TEST(DirectDrawComponent, NewComponentTakesTheOwnersWindowAndHoldsTheDefaults) {
    TForm form(nullptr);
    ASSERT_FALSE(form.HandleAllocated());
    auto component = new DirectDrawComponent(&form);

    EXPECT_TRUE(form.HandleAllocated());
    EXPECT_EQ(component->OwnerWindow(), form.Handle());
    EXPECT_TRUE(component->Exclusive());
    EXPECT_EQ(component->Width(), 640);
    EXPECT_EQ(component->Height(), 480);
    EXPECT_EQ(component->ColorDepth(), 8);
    ASSERT_NE(component->GetBackgroundBitmap(), nullptr);
    EXPECT_TRUE(component->GetBackgroundBitmap()->Empty());
    EXPECT_EQ(component->DirectDrawObject(), nullptr);
    EXPECT_EQ(component->PrimarySurface(), nullptr);
    EXPECT_EQ(component->GetPrimaryCanvas(), nullptr);
    EXPECT_EQ(component->BackSurface(), nullptr);
    EXPECT_TRUE(component->Shutdown());
    EXPECT_TRUE(component->DirectDrawShutdown());
    EXPECT_TRUE(component->CreateNewSurface());
    EXPECT_EQ(form.ComponentCount(), 1);  // the form frees it

    // Painting before initialisation has no surface to paint on.
    auto picture = MakePicture(8, 8);
    component->SetBackgroundBitmap(picture.get());
    component->DrawBitmapToBackground();
    EXPECT_EQ(component->PrimarySurface(), nullptr);
}

TEST(DirectDrawComponent, AssigningTheBackgroundCopiesIt) {
    TForm form(nullptr);
    DirectDrawComponent component(&form);
    TBitmap* owned = component.GetBackgroundBitmap();
    {
        auto source = MakePicture(622, 447);
        component.SetBackgroundBitmap(source.get());
        EXPECT_EQ(component.GetBackgroundBitmap(), owned);  // still its own
        EXPECT_NE(owned, source.get());
        static_cast<BYTE*>(source->ScanLine(0))[0] = 200;
        source->SetSize(3, 3);
    }  // and the source is gone
    EXPECT_EQ(owned->Width(), 622);
    EXPECT_EQ(owned->Height(), 447);
    EXPECT_EQ(owned->PixelFormat(), pf8bit);
    EXPECT_EQ(owned->Palette().size(), 256u);
    EXPECT_EQ(static_cast<BYTE*>(owned->ScanLine(0))[0], 0);
    EXPECT_EQ(static_cast<BYTE*>(owned->ScanLine(446))[621], BYTE(621 + 446));
}

TEST(DirectDrawComponent, RegisterPutsItOnTheCorvanePage) {
    DDComp::Register();
    auto page = PalettePage("Corvane");
    EXPECT_NE(std::find(page.begin(), page.end(), &DirectDrawComponent::StaticClass()), page.end());
    EXPECT_EQ(GetClass("DirectDrawComponent"), &DirectDrawComponent::StaticClass());
}

class TDDHost : public TForm {
    FRAME_CLASS(TDDHost, TForm)
public:
    using TForm::TForm;
    DirectDrawComponent* DDC = nullptr;
};

const TClassInfo& TDDHost::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDDHost>::Creatable(
        "TDDHost", TForm::StaticClass(), [](auto& c) { c.Component("DDC", &TDDHost::DDC); });
    return info;
}

TEST(DirectDrawComponent, FormResourceKeepsEverySettingAndThePicture) {
    DDComp::Register();
    RegisterClasses({&TDDHost::StaticClass()});
    TDDHost original(nullptr);
    original.SetName("DDHost");
    auto component = new DirectDrawComponent(&original);
    component->SetName("DDC");
    component->SetExclusive(false);
    component->SetWidth(800);
    component->SetHeight(600);
    component->SetColorDepth(0);
    auto picture = MakePicture(31, 17);
    component->SetBackgroundBitmap(picture.get());

    const AnsiString text = WriteFormText(&original);
    // In the order the designer lists them.
    size_t at = 0;
    for (const char* item : {"Exclusive = false", "Width = 800", "Height = 600", "ColorDepth = 0",
                             "Background.Data = hex{424D"}) {
        const size_t found = text.find(item, at);
        EXPECT_NE(found, AnsiString::npos) << item << " missing or out of order in\n" << text;
        if (found != AnsiString::npos) at = found;
    }

    TDDHost copy(nullptr);
    ReadFormText(&copy, text, "TDDHOST");
    ASSERT_NE(copy.DDC, nullptr);
    // Values the constructor would not give come back as they were set.
    EXPECT_FALSE(copy.DDC->Exclusive());
    EXPECT_EQ(copy.DDC->Width(), 800);
    EXPECT_EQ(copy.DDC->Height(), 600);
    EXPECT_EQ(copy.DDC->ColorDepth(), 0);
    TBitmap* read = copy.DDC->GetBackgroundBitmap();
    ASSERT_EQ(read->Width(), 31);
    ASSERT_EQ(read->Height(), 17);
    EXPECT_EQ(read->PixelFormat(), pf8bit);
    EXPECT_EQ(read->Palette().size(), 256u);
    EXPECT_EQ(static_cast<BYTE*>(read->ScanLine(16))[30], BYTE(46));
}

}  // namespace
