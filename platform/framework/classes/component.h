// TComponent: the owner tree (an owner frees what it owns), names, free
// notification and the loading state that form reading goes through.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "framework/classes/object.h"

enum TOperation : uint8_t { opInsert, opRemove };

enum TComponentStateFlag : uint16_t {
    csLoading = 1, csReading = 2, csWriting = 4, csDestroying = 8, csDesigning = 16, csFixups = 32,
};
using TComponentState = uint16_t;

// Where a form designer shows a component that is not a control. Only
// the form files keep it, so that reading and writing a form leaves the
// component where the designer put it.
struct TDesignInfo {
    int Left = 0;
    int Top = 0;
    bool Placed = false;  // false: never given, and not written
};

class TComponent : public TPersistent {
    FRAME_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    // Tells the components that asked for free notification, then frees
    // every owned component (last first), then leaves the owner.
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    const AnsiString& Name() const { return FName; }
    // Raises EComponentError for an invalid identifier or a name another
    // component of the same owner already has.
    virtual void SetName(const AnsiString& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(const AnsiString& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    // Asks for Notification(component, opRemove) when component goes away.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return FComponentState; }
    bool HasState(TComponentStateFlag flag) const { return (FComponentState & flag) != 0; }
    void SetDesigning(bool designing);

    // The form reader: state around reading, and Loaded after all
    // components of a form exist and their references are resolved.
    void BeginLoading();
    virtual void Loaded();  // ends loading
    void EndLoading();      // ends loading after a failed read, without Loaded

    // The components the writer stores inside this one, in order.
    virtual std::vector<TComponent*> GetChildren(TComponent* root) const;
    // True when the reader should make a child control of this component
    // its parent (only windowed controls can be parents).
    virtual bool CanParentChildren() const { return false; }
    virtual void SetChildParent(TComponent* child);

    AnsiString GetNamePath() const override;

    const TDesignInfo& DesignInfo() const { return FDesignInfo; }
    void SetDesignLeft(int left);
    void SetDesignTop(int top);
    void SetDesignInfo(const TDesignInfo& info) { FDesignInfo = info; }

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    void SetState(TComponentStateFlag flag, bool on);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void RemoveNotification(TComponent* component);

    TComponent* FOwner = nullptr;
    AnsiString FName;
    int FTag = 0;
    std::vector<TComponent*> FComponents;
    // The owned components by upper-case name, so that finding one (and
    // refusing a second of the same name) does not walk the list.
    std::unordered_map<AnsiString, TComponent*> FNames;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState = 0;
    TDesignInfo FDesignInfo;
};
