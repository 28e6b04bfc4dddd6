#include "framework/streaming/form_resource.h"

#include <windows.h>

#include "framework/streaming/component_image.h"
#include "framework/streaming/form_reader.h"
#include "framework/streaming/form_text.h"

// Read in place: a copy of a form with large pictures cost more than
// parsing it.
static bool LoadText(HMODULE module, const AnsiString& name, std::string_view& text) {
    HRSRC found = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    text = std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
    return true;
}

bool FindFormResource(const TClassInfo& cls, std::string_view& text) {
    AnsiString name = UpperCase(cls.Name());
    return LoadText(static_cast<HMODULE>(cls.Module()), name, text) || LoadText(GetModuleHandleA(nullptr), name, text);
}

void ReadFormResource(TComponent* instance) {
    std::string_view text;
    AnsiString name = UpperCase(instance->ClassName());
    if (!FindFormResource(instance->ClassType(), text)) throw EResNotFound("Resource " + name + " not found");
    auto data = reinterpret_cast<const uint8_t*>(text.data());
    if (IsComponentImage(data, text.size()))
        ReadComponentTree(instance, *ParseComponentImage(TBytes(data, data + text.size()), name), TFormSource{name, true});
    else
        ReadFormText(instance, text, name);
}
