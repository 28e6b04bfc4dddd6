// Corvane.dll as a form designer loads it: its resources and the names it
// exports and imports, read from the file; then loaded, its components on
// the page "Corvan" and its editors found through the registries, unloaded
// with all of that forgotten, and loaded again.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "framework/framework.h"

namespace {

const char* const Package = "Corvane.dll";
using Names = std::vector<std::string>;

// The module's exported names, or the DLL names it imports, in order.
Names ExportedNames(HMODULE module) {
    auto base = reinterpret_cast<const BYTE*>(module);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    Names out;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) out.emplace_back(reinterpret_cast<const char*>(base + names[i]));
    return out;
}

Names ImportedLibraries(HMODULE module) {
    auto base = reinterpret_cast<const BYTE*>(module);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    Names out;
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d)
        out.emplace_back(reinterpret_cast<const char*>(base + d->Name));
    return out;
}

// A class whose members the package exports shows in mangled names as
// its length and name ("8TMyClock").
bool ExportsClass(const Names& exports, const std::string& name) {
    std::string mangled = std::to_string(name.size()) + name;
    return std::any_of(exports.begin(), exports.end(),
                       [&](const std::string& e) { return e.find(mangled) != std::string::npos; });
}

TEST(CorvanePackage, ItsFileDescribesItself) {
    EXPECT_EQ(GetPackageDescription(Package), "Corvane Components");

    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(Package, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(Package, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u) << "one string table";
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);
    char* text = nullptr;
    for (const char* field : {"CompanyName", "FileDescription", "FileVersion", "ProductName"}) {
        std::string path = std::string("\\StringFileInfo\\040904E4\\") + field;
        if (VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) {
            EXPECT_STREQ(text, "") << field;
        }
    }

    HMODULE file = LoadLibraryExA(Package, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(file, nullptr);
    struct Picture {
        const char* name;
        int size;
    };
    for (Picture p : {Picture{"TMYCLOCK", 28}, {"TCOLORCLOCK", 28}, {"TMYCLOCK2", 24}, {"TCOLORCLOCK2", 28},
                      {"TBIGEDIT", 24}, {"TRADIO2PANEL", 24}}) {
        HRSRC resource = FindResourceA(file, p.name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
        ASSERT_NE(resource, nullptr) << p.name;
        auto header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(file, resource)));
        EXPECT_EQ(header->biWidth, p.size) << p.name;
        EXPECT_EQ(header->biHeight, p.size) << p.name;
        EXPECT_EQ(header->biBitCount, 4) << p.name << ": sixteen colours";
    }
    for (const char* none : {"TSMALLEDIT", "TSMALLEDITTWO", "TSMALLLABEL", "TBIGLABEL", "TEMPTYPANEL"})
        EXPECT_EQ(FindResourceA(file, none, MAKEINTRESOURCEA(2)), nullptr) << none << " takes the designer's default";
    FreeLibrary(file);
}

TEST(CorvanePackage, ItExportsItsClassesAndEntryPointsAndRequiresBothRuntimePackages) {
    HMODULE module = LoadLibraryExA(Package, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    Names exports = ExportedNames(module);
    for (const char* cls : {"TMyClock", "TColorClock", "TClockAttributes", "TClockEditor", "TTextColorProperty",
                            "TColorNameProperty", "TMyClock2", "TColorClock2", "TClockAttribute2", "TClockEditor2",
                            "TClockAttributeProperty", "TSmallEdit", "TSmallEditTwo", "TBigEdit", "TSmallLabel",
                            "TBigLabel", "TEmptyPanel", "TRadio2Panel", "TWidget", "TChip", "TPentium", "TPentiumPro",
                            "TCustomPallet", "TPallet"})
        EXPECT_TRUE(ExportsClass(exports, cls)) << cls;
    for (const char* cls : {"TMyObject", "TListHierarchy", "TClockEditorDialog", "TClockAttributesDialog", "TDataPallet"})
        EXPECT_FALSE(ExportsClass(exports, cls)) << cls << " stays inside the package";
    for (const char* entry : {"Initialize", "Finalize", "Register_Clock1", "Register_Clock2", "Register_Corvan1",
                              "Register_Corvan2", "Register_Widgets", "RegisterShort_Widgets"})
        EXPECT_NE(std::find(exports.begin(), exports.end(), entry), exports.end()) << entry;
    for (const char* none : {"Register_Types", "Register_Corvane", "Register_MyObject"})
        EXPECT_EQ(std::find(exports.begin(), exports.end(), none), exports.end()) << none;

    Names imports = ImportedLibraries(module);
    auto frame = std::find(imports.begin(), imports.end(), "frame35.dll");
    auto data = std::find(imports.begin(), imports.end(), "framedb35.dll");
    ASSERT_NE(frame, imports.end());
    ASSERT_NE(data, imports.end());
    EXPECT_LT(frame, data) << "frame35, then framedb35";
    FreeLibrary(module);
}

TEST(CorvanePackage, LoadedItsComponentsAndEditorsAreThereUntilUnloaded) {
    const Names palette{"TMyClock2", "TColorClock2", "TSmallEdit", "TSmallEditTwo", "TBigEdit", "TSmallLabel",
                        "TBigLabel", "TEmptyPanel", "TRadio2Panel", "TMyClock", "TColorClock",
                        "TWidget", "TPentium", "TPentiumPro", "TPallet", "TDataPallet"};
    // What each dialog was, noted while it exists.
    struct Asked {
        TDialogKind kind;
        AnsiString caption, formClass;
    };
    std::vector<Asked> asked;
    TDialogAnswererScope answers([&](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        asked.push_back(q.Form ? Asked{q.Kind, q.Form->Caption(), q.Form->ClassName()} : Asked{q.Kind, q.Caption, ""});
        return TDialogAnswer{mrCancel, "", clBlack};
    });
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first load" : "loaded again");
        HMODULE package = LoadPackage(Package);
        ASSERT_NE(GetPackageInfo(package), nullptr);
        EXPECT_EQ(GetModuleHandleA("odbc32.dll"), nullptr) << "ODBC comes with the first database opened";
        Names units;
        for (const TPackageUnit& unit : GetPackageInfo(package)->Units) units.emplace_back(unit.Name);
        EXPECT_EQ(units, (Names{"Types", "Corvane", "Clock2", "Corvan1", "Corvan2", "Clock1", "MyObject", "Widgets"}));
        EXPECT_EQ(GetPackageInfo(package)->Flags, 0);

        Names page;
        for (const TClassInfo* cls : PalettePage("Corvan")) {
            page.emplace_back(cls->Name());
            EXPECT_EQ(cls->Module(), package) << cls->Name();
        }
        EXPECT_EQ(page, palette);

        // The type information the package hands out is the framework's own.
        using TTypeInfoFunction = PTypeInfo (*)();
        auto colorTypeInfo = reinterpret_cast<TTypeInfoFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(package, "_Z16GetColorTypeInfov")));
        ASSERT_NE(colorTypeInfo, nullptr);
        EXPECT_EQ(colorTypeInfo(), TypeInfoOf<TColor>());

        {
            // Clocks made on a form, edited through the package's editors.
            TForm form(nullptr);
            form.SetName("Form");
            TFormDesigner designer(&form);
            auto make = [&](const char* name) { return designer.CreateComponent(*GetClass(name), &form, 8, 8); };
            TComponent* clock = make("TMyClock");
            TComponent* colorClock = make("TColorClock");
            TComponent* clock2 = make("TMyClock2");
            TComponent* colorClock2 = make("TColorClock2");
            asked.clear();
            GetComponentEditor(colorClock, &designer)->Edit();
            GetComponentEditor(colorClock2, &designer)->Edit();
            for (auto& editor : GetPropertyEditors({clock}, &designer))
                if (editor->GetName() == "TextColor") editor->Edit();
            for (auto& editor : GetPropertyEditors({clock2}, &designer))
                if (editor->GetName() == "ClockAttributes") editor->Edit();
            ASSERT_EQ(asked.size(), 4u);
            EXPECT_EQ(asked[0].kind, TDialogKind::Color);
            EXPECT_EQ(asked[1].formClass, "TClockEditorDialog");
            EXPECT_EQ(asked[1].caption, "ClockEditorDialog") << "its form resource is in the package";
            EXPECT_EQ(asked[2].caption, "New Color");
            EXPECT_EQ(asked[3].formClass, "TClockAttributesDialog");
        }

        UnloadPackage(package);
        EXPECT_EQ(GetModuleHandleA(Package), nullptr);
        EXPECT_TRUE(PalettePage("Corvan").empty());
        EXPECT_EQ(GetClass("TMyClock"), nullptr);
        EXPECT_EQ(GetClass("TColorClock2"), nullptr);
        // The data package came in with it and went with it: its classes
        // must not stay behind pointing at unmapped memory.
        EXPECT_EQ(GetModuleHandleA("framedb35.dll"), nullptr);
        EXPECT_EQ(GetClass("TDatabase"), nullptr);
        EXPECT_EQ(GetClass("TTable"), nullptr);
    }
}

}  // namespace
