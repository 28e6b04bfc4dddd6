#include "corvane_fixture.h"

void CorvaneForm::SetUpTestSuite() { Package = LoadPackage("Corvane.dll"); }

void CorvaneForm::TearDownTestSuite() {
    UnloadPackage(Package);
    Package = nullptr;
}

const TClassInfo& CorvaneForm::Class(const char* name) { return FindClass(name, TComponent::StaticClass()); }
