#include "sample_classes.h"

FRAME_DEFINE_ENUM_INFO(TSampleMood, "smCalm", "smCheerful", "smGrumpy")

const TClassInfo& TSampleItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleItem>::Creatable("TSampleItem", TComponent::StaticClass(), [](auto& c) {
        c.Property("Count", &TSampleItem::Count);
        c.Property("Active", &TSampleItem::Active).Default(true);
        c.Property("Ratio", &TSampleItem::Ratio);
        c.Property("Title", &TSampleItem::Title);
        c.Property("Mood", &TSampleItem::Mood);
        c.Property("Shade", &TSampleItem::Shade).Default(clBtnFace);
        c.Property("Styles", &TSampleItem::Styles);
        c.Property("Buddy", &TSampleItem::Buddy);
        c.Property("OnPoke", &TSampleItem::OnPoke);
        c.Property("Font", &TSampleItem::Font, &TSampleItem::SetFont);
        c.Property("Lines", &TSampleItem::Lines, &TSampleItem::SetLines);
        c.Property("Picture", &TSampleItem::Picture, &TSampleItem::SetPicture);
    });
    return info;
}

TSampleItem::TSampleItem(TComponent* owner)
    : TComponent(owner), FFont(std::make_unique<TFont>()), FLines(std::make_unique<TStringList>()),
      FPicture(std::make_unique<TPicture>()) {}
TSampleItem::~TSampleItem() = default;

void TSampleItem::Loaded() {
    TComponent::Loaded();
    ++LoadedCalls;
}

void TSampleItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove) {
        Removed.push_back(component);
        if (component == Buddy) Buddy = nullptr;
    }
}

const TClassInfo& TSampleRoot::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleRoot>::Creatable("TSampleRoot", TComponent::StaticClass(), [](auto& c) {
        c.Method("FirstPoke", &TSampleRoot::FirstPoke);
        c.Method("MouseHandler", &TSampleRoot::MouseHandler);
        c.Component("First", &TSampleRoot::First);
        c.Component("Second", &TSampleRoot::Second);
    });
    return info;
}

TSampleRoot::TSampleRoot(TComponent* owner) : TComponent(owner) {}
TSampleRoot::~TSampleRoot() = default;
void TSampleRoot::FirstPoke(TObject*) { ++Pokes; }

std::vector<TComponent*> TSampleRoot::GetChildren(TComponent*) const {
    std::vector<TComponent*> all;
    for (int i = 0; i < ComponentCount(); ++i) all.push_back(Components(i));
    return all;
}
