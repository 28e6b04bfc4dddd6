// Modules (the program and the DLLs it has loaded) as the registries see
// them: which module an address lies in, and which package is registering
// right now, so that whatever a package registered can be forgotten when
// it is unloaded (UnRegisterModuleClasses in class_registry.h).
#pragma once

// The module (exe or dll image) holding the address, code or data;
// nullptr for an address outside every module (the heap, the stack).
void* ModuleOfAddress(const void* address);

// While a package's entry points and registration functions run, what
// they register belongs to the package, even a framework class it puts on
// a palette page. The package loader holds one of these around them.
class TRegisteringModule {
public:
    explicit TRegisteringModule(void* module);
    ~TRegisteringModule();
    TRegisteringModule(const TRegisteringModule&) = delete;
    TRegisteringModule& operator=(const TRegisteringModule&) = delete;

private:
    void* FPrevious;
};

// The module a registration of `registered` belongs to: the package being
// loaded, else the module holding `registered`.
void* RegistrationModule(const void* registered);
