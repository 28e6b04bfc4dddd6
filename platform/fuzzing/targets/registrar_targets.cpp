// The template library's registrar scripts, parsed as the registrar parses
// a module's script resource (the text in the system's code page, with the
// module's own replacement). Parsing never touches the registry; a
// malformed script is refused with false.
#include <windows.h>

#include "fuzzing/targets/targets.h"
#include "templates/registrar_script.h"

namespace suite::fuzzing {

namespace {

Outcome ParseScript(const std::string& input, std::string&) {
    int wide = MultiByteToWideChar(CP_ACP, 0, input.data(), static_cast<int>(input.size()), nullptr, 0);
    std::wstring script(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, input.data(), static_cast<int>(input.size()), script.data(), wide);
    std::vector<tpl::script::Root> roots;
    static const std::map<std::wstring, std::wstring> replacements = {{L"MODULE", L"C:\\suite\\Gleaner.dll"}};
    return tpl::script::Parse(script, replacements, roots) ? Outcome::Accepted : Outcome::Refused;
}

}  // namespace

std::vector<Target> RegistrarTargets() {
    return {{"registrar-script",
             {"gleaner/Gleaner.rgs", "platform/fuzzing/corpus/registrar-script"},
             {"{", "}", "=", "'", "''", "s ", "d ", "val ", "ForceRemove ", "NoRemove ", "Delete ", "HKCR", "HKLM",
              "HKEY_CURRENT_USER", "%MODULE%", "%%", "%UNKNOWN%", "\n", "{ {", "'a' = s 'b'"},
             1 << 20,
             nullptr,
             ParseScript}};
}

}  // namespace suite::fuzzing
