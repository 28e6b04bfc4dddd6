// The stock property editors, one per kind of value; the registry gives
// each property the one of its kind unless a registration says otherwise.
// Packages derive from them (a colour property with a dialog of its own
// derives from TColorProperty). Values are shown as the form text shows
// them: named constants and enumeration values by name, sets as
// "[fsBold, fsItalic]", booleans as "true"/"false".
#pragma once
#include "framework/design/property_editor.h"
#include "framework/graphics/graphics_object.h"

// Ordinal values (integers, enumerations, sets, colours).
class TOrdinalProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
};

// Integers: a named constant when one fits (crCross, DEFAULT_CHARSET), else
// the number; typed names and numbers (decimal, 0x or $ hexadecimal) are
// accepted within the type's range; the names form the value list.
class TIntegerProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    std::vector<AnsiString> GetValues() override;
};

// Colours: names such as clBlack both ways, other colours as 0x00BBGGRR;
// the value list holds every colour name; Edit opens the colour dialog.
class TColorProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    void Edit() override;
};

// Enumerations and booleans by value name (typed names in any case).
class TEnumProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    std::vector<AnsiString> GetValues() override;
};

// Sets: "[a, b]"; expands into one true/false sub-property per element.
class TSetProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    TPropertyEditors GetProperties() override;
};

// One element of a set property, named after the element.
class TSetElementProperty : public TPropertyEditor {
public:
    TSetElementProperty(TFormDesigner* designer, std::vector<TPropertyTarget> targets, int element);
    TPropertyAttributes GetAttributes() override;
    AnsiString GetName() const override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    std::vector<AnsiString> GetValues() override;
    bool AllEqual() override;

private:
    bool IsIn(int index) const;
    int FElement;
};

class TStringProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
};

// A component's Name: one component at a time, names being unique.
class TComponentNameProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
};

// Floating-point numbers, shown with 15 significant digits.
class TFloatProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
};

// An owned object (a font, a clock's attributes): shown as "(TFont)",
// expanded into the published properties its objects have in common.
// Each object has its own, so values are equal when all are there (or
// none is).
class TClassProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    TPropertyEditors GetProperties() override;
    bool AllEqual() override;
};

// A font: its sub-properties, and Edit opens the font dialog.
class TFontProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

// A reference to another component of the form, by name; the value list
// holds the form's components of the property's class.
class TComponentProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    std::vector<AnsiString> GetValues() override;
};

// An event, by the name of the form's handler bound to it; "" unbinds.
// The value list holds the form's handlers of the event's type.
class TMethodProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    AnsiString GetValue() override;
    void SetValue(const AnsiString& value) override;
    std::vector<AnsiString> GetValues() override;
};
