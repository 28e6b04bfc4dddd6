// Which editor edits which property, and which editor a component gets.
//
// A property editor registration names a property type, optionally a
// component class (the registration then covers that class and its
// descendants) and optionally a property name. For a property the most
// specific registration wins: first the type (the property's own type
// before an ancestor class of it), then the component class nearest in the
// component's ancestry (any class before none), then the name (a given
// name before none); of two equally specific registrations the later one
// wins. Without any, the stock editor of the value's kind edits it.
//
// Registrations a package made go when it is unloaded
// (UnRegisterModuleClasses).
#pragma once
#include "framework/design/component_editor.h"
#include "framework/design/property_editor.h"

void RegisterPropertyEditor(PTypeInfo propertyType, const TClassInfo* componentClass, const AnsiString& propertyName,
                            TPropertyEditorClass editorClass);
void RegisterComponentEditor(const TClassInfo& componentClass, TComponentEditorClass editorClass);

// The editor class for property prop of an object of class componentClass.
TPropertyEditorClass GetPropertyEditorClass(const TPropInfo& prop, const TClassInfo& componentClass);
// The editor registered for the component's class or its nearest
// ancestor, else the default editor.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, TFormDesigner* designer);
