// TPropertyEditor: how a form designer's property inspector shows and
// changes one published property of the selected objects, one or several
// at once. The stock kinds (stock_editors.h) cover every value kind;
// packages derive their own and register them (editor_registry.h).
//
// An editor reads and writes through the property's description (TPropInfo
// Get and Set) and nothing else; every change tells the designer.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "framework/classes/object.h"

class TFormDesigner;

enum TPropertyAttribute : uint8_t {
    paValueList,      // GetValues offers the values to pick from
    paSubProperties,  // GetProperties expands into sub-properties
    paDialog,         // Edit opens a dialog (the inspector's ellipsis button)
    paMultiSelect,    // the editor works on several selected objects at once
    paSortList,       // show GetValues sorted
    paReadOnly,       // the value cannot be typed
    paAutoUpdate,     // SetValue on every keystroke, not only on Enter
};

// A set of attributes: TPropertyAttributes{paValueList, paDialog}.
class TPropertyAttributes {
public:
    constexpr TPropertyAttributes() = default;
    constexpr TPropertyAttributes(std::initializer_list<TPropertyAttribute> attributes) {
        for (TPropertyAttribute a : attributes) *this << a;
    }
    constexpr bool Contains(TPropertyAttribute a) const { return (FBits & Bit(a)) != 0; }
    constexpr TPropertyAttributes& operator<<(TPropertyAttribute a) {
        FBits = static_cast<uint8_t>(FBits | Bit(a));
        return *this;
    }
    constexpr TPropertyAttributes& operator>>(TPropertyAttribute a) {
        FBits = static_cast<uint8_t>(FBits & ~Bit(a));
        return *this;
    }
    constexpr bool operator==(const TPropertyAttributes&) const = default;

private:
    static constexpr uint8_t Bit(TPropertyAttribute a) { return static_cast<uint8_t>(1u << a); }
    uint8_t FBits = 0;
};

// One selected object and the description of its property being edited.
struct TPropertyTarget {
    TPersistent* Instance;
    const TPropInfo* Prop;
};

class TPropertyEditor;
using TPropertyEditors = std::vector<std::unique_ptr<TPropertyEditor>>;

class TPropertyEditor {
public:
    // targets: one or more, whose properties share name and type. The
    // designer may be null for editors that need no form (not components,
    // not events); Modified then tells nobody.
    TPropertyEditor(TFormDesigner* designer, std::vector<TPropertyTarget> targets);
    virtual ~TPropertyEditor();
    TPropertyEditor(const TPropertyEditor&) = delete;
    TPropertyEditor& operator=(const TPropertyEditor&) = delete;

    virtual TPropertyAttributes GetAttributes();
    // The property's name as the inspector lists it.
    virtual AnsiString GetName() const;
    // The first target's value as text.
    virtual AnsiString GetValue();
    // Sets every target from text; raises EPropertyError naming the text
    // and the property when it is no valid value (no target changes then).
    virtual void SetValue(const AnsiString& value);
    // The values to pick from (paValueList).
    virtual std::vector<AnsiString> GetValues();
    // The inspector's ellipsis button or a double-click on the value: here,
    // with a value list, the value after the current one.
    virtual void Edit();
    // The editors of the sub-properties (paSubProperties).
    virtual TPropertyEditors GetProperties();
    // Whether every target has the same value (the inspector shows the
    // value of several objects only then).
    virtual bool AllEqual();

    // The value as an integer: ordinal kinds; for a property holding an
    // object, the object's address (reinterpret_cast it back).
    int64_t GetOrdValue() const { return GetOrdValueAt(0); }
    int64_t GetOrdValueAt(int index) const;
    void SetOrdValue(int64_t value);
    // Tells the designer that the form changed.
    void Modified();

    PTypeInfo GetPropType() const;
    TFormDesigner* Designer() const { return FDesigner; }
    int PropCount() const { return static_cast<int>(FTargets.size()); }
    TPersistent* GetComponent(int index) const;

protected:
    TPropValue GetPropValueAt(int index) const;
    // Sets every target, then Modified.
    void SetPropValueAll(const TPropValue& value);
    const std::vector<TPropertyTarget>& Targets() const { return FTargets; }
    // The designer, for editors that list the form's components or handlers.
    TFormDesigner& RequireDesigner() const;
    [[noreturn]] void InvalidValue(const AnsiString& text) const;

private:
    TFormDesigner* FDesigner;
    std::vector<TPropertyTarget> FTargets;
};

// An editor class: makes editors of its kind for a selection.
struct TPropertyEditorClass {
    std::unique_ptr<TPropertyEditor> (*Create)(TFormDesigner* designer, std::vector<TPropertyTarget> targets) = nullptr;
    explicit operator bool() const { return Create != nullptr; }
    bool operator==(const TPropertyEditorClass&) const = default;
};

template <class E>
TPropertyEditorClass PropertyEditorClass() {
    return {[](TFormDesigner* designer, std::vector<TPropertyTarget> targets) -> std::unique_ptr<TPropertyEditor> {
        return std::make_unique<E>(designer, std::move(targets));
    }};
}

// The editors of the properties that every object of the selection
// publishes under the same name with the same type, in the first object's
// order, each made by its registered (or stock) editor class. With several
// objects, only editors with paMultiSelect. Properties that cannot be
// written are left out, except objects, whose sub-properties can.
TPropertyEditors GetPropertyEditors(const std::vector<TPersistent*>& selection, TFormDesigner* designer);
