#include "framework/classes/modules.h"

#include <windows.h>

namespace {
void* registering = nullptr;
}

void* ModuleOfAddress(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

TRegisteringModule::TRegisteringModule(void* module) : FPrevious(registering) { registering = module; }
TRegisteringModule::~TRegisteringModule() { registering = FPrevious; }

void* RegistrationModule(const void* registered) {
    return registering ? registering : ModuleOfAddress(registered);
}
