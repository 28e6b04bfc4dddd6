// TFormDesigner: what a form designer gives the editors of the form it
// designs (the root): the selection, telling it the form changed, unique
// names, making a component on the form, and the form's components and
// handlers by name. Every member works on the root alone; a designer
// derives from it to hear of changes (Modified, SetSelection) or to name
// things its own way.
#pragma once
#include <vector>

#include "framework/classes/component.h"

class TFormDesigner {
public:
    explicit TFormDesigner(TComponent* root);
    virtual ~TFormDesigner();
    TFormDesigner(const TFormDesigner&) = delete;
    TFormDesigner& operator=(const TFormDesigner&) = delete;

    TComponent* Root() const { return FRoot; }

    // The form changed (an editor changed a value, a component was made).
    virtual void Modified();
    bool IsModified() const { return FModified; }
    // After saving: the form is as stored.
    void ClearModified() { FModified = false; }

    // The selected objects: components of the form, or the form itself.
    const std::vector<TPersistent*>& Selection() const { return FSelection; }
    virtual void SetSelection(std::vector<TPersistent*> selection);

    // A name no component of the form has: the class name without its
    // leading T, numbered from 1 ("TMyClock" gives MyClock1, MyClock2...).
    virtual AnsiString UniqueName(const AnsiString& className) const;

    // Makes a component of cls owned by the form, with a unique name, in
    // the design state when the form is. A control goes on parent (the
    // form when null or when parent cannot hold controls) at left, top,
    // with the given size unless 0; any other component keeps left and
    // top as its place in the designer. Then Modified. Raises
    // EComponentError for a class that cannot be made by name.
    virtual TComponent* CreateComponent(const TClassInfo& cls, TComponent* parent, int left, int top, int width = 0,
                                        int height = 0);

    // The form's named components of class cls (or derived), in order.
    virtual std::vector<AnsiString> GetComponentNames(const TClassInfo& cls) const;
    // nullptr when the form has no component of that name.
    virtual TComponent* GetComponent(const AnsiString& name) const;
    virtual AnsiString GetComponentName(const TComponent* component) const;

    // Event handlers: the form's published methods of the event's type.
    virtual std::vector<AnsiString> GetMethods(PTypeInfo eventType) const;
    // Raises EPropertyError when the form has no such handler of that type.
    virtual TMethod GetMethod(const AnsiString& name, PTypeInfo eventType) const;
    // "" for an unbound event or a method that is not the form's handler.
    virtual AnsiString GetMethodName(const TMethod& method) const;

private:
    TComponent* FRoot;
    std::vector<TPersistent*> FSelection;
    bool FModified = false;
};
