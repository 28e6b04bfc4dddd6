// TComponentEditor: what a form designer does with a component as a whole
// on a double-click (Edit) and offers on its context menu (the verbs).
// The default editor, this class itself, has no verbs; a derived editor
// that adds verbs gets the first one run by a double-click. Register an
// editor for a component class with RegisterComponentEditor
// (editor_registry.h).
#pragma once
#include <memory>

#include "framework/classes/component.h"

class TFormDesigner;

class TComponentEditor {
public:
    TComponentEditor(TComponent* component, TFormDesigner* designer);
    virtual ~TComponentEditor();
    TComponentEditor(const TComponentEditor&) = delete;
    TComponentEditor& operator=(const TComponentEditor&) = delete;

    // Runs the first verb, or nothing when there is none.
    virtual void Edit();
    virtual int GetVerbCount();
    // Raises EListError for an index outside 0..GetVerbCount()-1.
    virtual AnsiString GetVerb(int index);
    virtual void ExecuteVerb(int index);

    TComponent* Component() const { return FComponent; }
    TFormDesigner* Designer() const { return FDesigner; }

private:
    TComponent* FComponent;
    TFormDesigner* FDesigner;
};

// An editor class: makes an editor of its kind for a component.
struct TComponentEditorClass {
    std::unique_ptr<TComponentEditor> (*Create)(TComponent* component, TFormDesigner* designer) = nullptr;
    explicit operator bool() const { return Create != nullptr; }
    bool operator==(const TComponentEditorClass&) const = default;
};

template <class E>
TComponentEditorClass ComponentEditorClass() {
    return {[](TComponent* component, TFormDesigner* designer) -> std::unique_ptr<TComponentEditor> {
        return std::make_unique<E>(component, designer);
    }};
}
