#include "framework/classes/component.h"

#include <algorithm>

#include "framework/classes/published.h"

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TComponent>::Creatable("TComponent", TPersistent::StaticClass(), [](auto& c) {
            c.Property("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
            c.Property("Tag", &TComponent::FTag);
        });
    return info;
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    FComponentState |= csDestroying;
    // Whoever watches this component hears of its end first, while it is
    // still whole enough to be looked at.
    while (!FFreeNotifies.empty()) {
        TComponent* watcher = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(watcher->FFreeNotifies, this);
        watcher->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const AnsiString& name) {
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (FOwner) {
        if (!name.empty()) {
            TComponent* other = FOwner->FindComponent(name);
            if (other && other != this) throw EComponentError("A component named " + name + " already exists");
        }
        if (!FName.empty()) FOwner->FNames.erase(UpperCase(FName));
        if (!name.empty()) FOwner->FNames[UpperCase(name)] = this;
    }
    FName = name;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
    if (name.empty()) return nullptr;
    auto it = FNames.find(UpperCase(name));
    return it == FNames.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    if (!component->FName.empty() && FindComponent(component->FName))
        throw EComponentError("A component named " + component->FName + " already exists");
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component->FOwner != this) return;
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    if (!component->FName.empty()) FNames[UpperCase(component->FName)] = component;
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
    // Components mostly go last first (DestroyComponents, a failed read).
    if (!FComponents.empty() && FComponents.back() == component) FComponents.pop_back();
    else std::erase(FComponents, component);
    if (!component->FName.empty()) FNames.erase(UpperCase(component->FName));
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        Remove(last);
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(component);
        component->FFreeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    RemoveNotification(component);
    component->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* component) { std::erase(FFreeNotifies, component); }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
}

void TComponent::SetState(TComponentStateFlag flag, bool on) {
    if (on)
        FComponentState |= flag;
    else
        FComponentState &= static_cast<TComponentState>(~flag);
}

void TComponent::SetDesigning(bool designing) {
    SetState(csDesigning, designing);
    for (TComponent* c : FComponents) c->SetDesigning(designing);
}

void TComponent::BeginLoading() { SetState(csLoading, true); SetState(csReading, true); }

void TComponent::EndLoading() { SetState(csLoading, false); SetState(csReading, false); }

void TComponent::Loaded() { SetState(csLoading, false); SetState(csReading, false); }

std::vector<TComponent*> TComponent::GetChildren(TComponent*) const { return {}; }

void TComponent::SetChildParent(TComponent*) {}

AnsiString TComponent::GetNamePath() const { return FName.empty() ? ClassName() : FName; }

void TComponent::SetDesignLeft(int left) {
    FDesignInfo.Left = left;
    FDesignInfo.Placed = true;
}

void TComponent::SetDesignTop(int top) {
    FDesignInfo.Top = top;
    FDesignInfo.Placed = true;
}
