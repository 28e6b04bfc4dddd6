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

const TClassInfo& TSampleKinds::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSampleKinds>::Creatable("TSampleKinds", TComponent::StaticClass(), [](auto& c) {
        c.Property("Cost", &TSampleKinds::Cost);
        c.Property("Big", &TSampleKinds::Big);
        c.Property("Single", &TSampleKinds::Single);
        c.Property("Double", &TSampleKinds::Double);
        c.Property("Stamp", &TSampleKinds::Stamp);
        c.Property("Flag", &TSampleKinds::Flag);
        c.Property("Small", &TSampleKinds::Small);
        c.Property("Unsigned16", &TSampleKinds::Unsigned16);
        c.Property("Styles", &TSampleKinds::Styles);
        c.Property("Caption", [](const TSampleKinds& k) { return k.Label; },
                   [](TSampleKinds& k, const AnsiString& v) { k.Label = v; });
        c.Property("Min", &TSampleKinds::GetIntegerProp, &TSampleKinds::SetIntegerProp).Index(5);
        c.Property("Max", &TSampleKinds::GetIntegerProp, &TSampleKinds::SetIntegerProp).Index(6).Default(100);
        c.Property("Position", &TSampleKinds::GetIntegerProp, &TSampleKinds::SetIntegerProp).Index(7).Stored(false);
    });
    return info;
}

TSampleKinds::TSampleKinds(TComponent* owner) : TComponent(owner), Numbers{{5, 0}, {6, 100}, {7, 0}} {}
TSampleKinds::~TSampleKinds() = default;

int TSampleKinds::GetIntegerProp(int index) const { return Numbers.at(index); }
void TSampleKinds::SetIntegerProp(int index, int value) { Numbers.at(index) = value; }

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
