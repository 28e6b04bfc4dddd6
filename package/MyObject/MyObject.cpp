#include "MyObject/MyObject.h"

#include <cstdio>

const TClassInfo& TMyObject::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMyObject>::Abstract("TMyObject", TObject::StaticClass());
    return info;
}

TMyObject::TMyObject() = default;
TMyObject::~TMyObject() = default;

void TMyObject::WriteLine(AnsiString Text) {
    std::printf("%s\n", Text.c_str());
    std::fflush(stdout);  // the line is out before anything the caller prints next
}

const TClassInfo& TListHierarchy::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListHierarchy>::Abstract("TListHierarchy", TMyObject::StaticClass());
    return info;
}

TListHierarchy::TListHierarchy() : FLines(std::make_unique<TStringList>()) {}

TListHierarchy::~TListHierarchy() { FLines.reset(); }

void TListHierarchy::WriteLine(AnsiString Text) { FLines->Add(Text); }
