#include "framework/classes/object.h"

#include "framework/classes/published.h"

TObject::~TObject() = default;

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info("TObject", nullptr, nullptr);
    return info;
}
const TClassInfo& TObject::ClassType() const { return StaticClass(); }

AnsiString TObject::ClassName() const { return ClassType().Name(); }
const TClassInfo* TObject::ClassParent() const { return ClassType().Parent(); }
bool TObject::InheritsFrom(const TClassInfo& ancestor) const {
    return ClassType().InheritsFrom(ancestor);
}
bool TObject::ClassNameIs(const AnsiString& name) const { return SameText(ClassName(), name); }

void TObject::Dispatch(void* message) { DefaultHandler(message); }
void TObject::DefaultHandler(void*) {}
void TObject::AfterConstruction() {}

TFiler::~TFiler() = default;

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPersistent>::Abstract("TPersistent", TObject::StaticClass());
    return info;
}

TPersistent::~TPersistent() = default;

void TPersistent::Assign(const TPersistent* source) {
    if (!source) throw EConvertError("Cannot assign nothing to a " + ClassName());
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}
AnsiString TPersistent::GetNamePath() const { return ClassName(); }
