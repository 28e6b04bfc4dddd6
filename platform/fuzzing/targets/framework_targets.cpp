// The framework's readers of outside data: form text and binary component
// images read into a component (the game's forms among them), and bitmap
// and icon files as a picture loads them. A refusal must be EReadError
// (EInvalidGraphic for pictures) and leave the object as it was.
#include "fuzzing/targets/targets.h"

#include <typeinfo>

#include "About.h"
#include "Game.h"
#include "Main.h"
#include "framework/framework.h"
#include "framework/streaming/component_image.h"
#include "framework/streaming/component_stream.h"
#include "framework/streaming/form_text.h"

namespace suite::fuzzing {

namespace {

void RegisterGameForms() {
    RegisterClasses({&TGameForm::StaticClass(), &TMainForm::StaticClass(), &TAboutForm::StaticClass()});
}

AnsiString Snapshot(TComponent* component) {
    if (!component) return {};
    TMemoryStream stream;
    WriteComponent(stream, component, {}, TComponentFormat::Text);
    return AnsiString(stream.Bytes().begin(), stream.Bytes().end());
}

// The class the input names, when it is registered and can be made.
const TClassInfo* NamedClass(const std::string& input) {
    try {
        TMemoryStream probe(TBytes(input.begin(), input.end()));
        uint8_t header[ComponentImageHeaderSize] = {};
        probe.Read(header, sizeof header);
        auto tree = IsComponentImage(header, sizeof header) ? ParseComponentImage(probe.Bytes(), "probe")
                                                           : ParseFormText(input, "probe");
        const TClassInfo* cls = GetClass(tree->className);
        return cls && cls->CanCreate() && cls->IsComponentClass() ? cls : nullptr;
    } catch (const Exception&) {
        return nullptr;  // the reader itself meets the fault below
    }
}

// Reads the input into component (null: the reader makes one of the
// class the input names), as a form reads its resource.
Outcome Read(const std::string& input, TComponent* component, std::string& fault) {
    AnsiString before = Snapshot(component);
    TMemoryStream stream(TBytes(input.begin(), input.end()));
    try {
        TComponent* read = ReadComponent(stream, component, nullptr);
        std::unique_ptr<TComponent> made(component ? nullptr : read);
        Snapshot(read);  // what was read can be written again
        return Outcome::Accepted;
    } catch (const EReadError& e) {
        fault = e.Message();
        if (Snapshot(component) != before) {
            fault = "refused, but the component was changed: " + fault;
            return Outcome::Fault;
        }
        return Outcome::Refused;
    } catch (const Exception& e) {
        fault = "refused with " + AnsiString(typeid(e).name()) + ": " + e.Message();
        return Outcome::Fault;
    }
}

struct StopBeforeResource {};

// A registered class is made as the reader makes it, and the input read
// in place of its own resource: between its constructor and the step that
// would read the resource (which is skipped, and the instance freed, by
// leaving through an exception). Then the instance is freed, as a form
// that failed to load is.
Outcome ReadIntoComponent(const std::string& input, std::string& fault) {
    const TClassInfo* cls = NamedClass(input);
    if (!cls) return Read(input, nullptr, fault);
    Outcome outcome = Outcome::Fault;
    try {
        cls->Create(nullptr, [&](TComponent* fresh) {
            outcome = Read(input, fresh, fault);
            throw StopBeforeResource{};
        });
    } catch (const StopBeforeResource&) {
    }
    return outcome;
}

void StartingPicture(TBitmap& bitmap) { bitmap.SetSize(4, 3); }
void StartingPicture(TIcon&) {}

// A graphic's refusal leaves the picture it had; one it takes draws.
template <class G>
Outcome LoadGraphic(const std::string& input, std::string& fault) {
    G graphic;
    StartingPicture(graphic);
    TMemoryStream before;
    if (!graphic.Empty()) graphic.SaveToStream(before);
    TMemoryStream stream(TBytes(input.begin(), input.end()));
    try {
        graphic.LoadFromStream(stream);
    } catch (const EInvalidGraphic& e) {
        fault = e.Message();
        TMemoryStream after;
        if (!graphic.Empty()) graphic.SaveToStream(after);
        if (after.Bytes() != before.Bytes()) {
            fault = "refused, but the picture was changed";
            return Outcome::Fault;
        }
        return Outcome::Refused;
    } catch (const Exception& e) {
        fault = "refused with " + AnsiString(typeid(e).name()) + ": " + e.Message();
        return Outcome::Fault;
    }
    TBitmap canvas;
    canvas.SetSize(32, 32);
    canvas.Canvas()->Draw(0, 0, &graphic);
    return Outcome::Accepted;
}

}  // namespace

std::vector<Target> FrameworkTargets() {
    // The words of form text, for the mutator to put in or over a word.
    std::vector<std::string> formWords = {
        "{", "}", "=", "\"", "\\x", "(", ")", "[", "]", ".", "hex{", "file \"", "true", "false", "0x",
        "-", "1e308", "9223372036854775807", "-9223372036854775808", "12.5", "TForm", "TPanel", "TTimer",
        "TImage", "TImageList", "TWingedMonster", "TGameForm", "TLabel", "Picture.Data", "Font.Style",
        "OnClick", "FormClick", "Lines.Strings", "Name", "Left", "Owner", "\n", "TButton B {\n}\n"};
    std::vector<std::string> images = {"platform/fuzzing/corpus/component-image"};
    return {
        {"form-text",
         {"platform/fuzzing/corpus/form-text", "meterix/demo/MeterixDemo.form", "package/demo/Demo.form",
          "package/pallets/Pallets.form"},
         formWords, 1 << 20, RegisterGameForms, ReadIntoComponent},
        {"component-image", images, {}, 1 << 20, RegisterGameForms, ReadIntoComponent},
        {"bitmap-file",
         {"game/assets/monster_death_mask.bmp", "game/assets/monster_left_mask.bmp", "gleaner/art/toolbox.bmp",
          "meterix/art/toolbox.bmp", "package/assets/TColorClock.bmp", "package/assets/TMyClock2.bmp"},
         {}, 1 << 20, nullptr, LoadGraphic<TBitmap>},
        {"icon-file", {"game/assets/skelder.ico", "gleaner/art/gleaner.ico", "meterix/art/meterix.ico", "snapview/res/snapview.ico"},
         {}, 1 << 20, nullptr, LoadGraphic<TIcon>},
    };
}

// Seeds of the image reader: the form text seeds that parse, as images.
bool WriteImageSeeds(const std::string& folder) {
    const Target* text = FindTarget("form-text");
    std::string dir = folder + "\\component-image";
    CreateDirectoryA(dir.c_str(), nullptr);
    int n = 0;
    for (const std::string& seed : LoadSeeds(*text)) {
        try {
            TBytes image = PrintComponentImage(*ParseFormText(seed, "seed"));
            std::string file = dir + "\\form" + std::to_string(++n) + ".frci";
            FILE* out = fopen(file.c_str(), "wb");
            if (!out) return false;
            fwrite(image.data(), 1, image.size(), out);
            fclose(out);
        } catch (const Exception&) {
        }
    }
    return n > 0;
}

}  // namespace suite::fuzzing
