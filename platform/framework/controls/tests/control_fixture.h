// What the control tests share: a form to put controls on, a recorder of
// what the controls report, and colours as captured pixels carry them.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/framework.h"

struct TRecorder : TObject {
    std::vector<AnsiString> Events;
    static AnsiString NameOf(TObject* object) {
        auto component = ObjectAs<TComponent>(object);
        return component ? component->Name() : AnsiString("nothing");
    }
    void Note(TObject* sender, const AnsiString& what) { Events.push_back(NameOf(sender) + " " + what); }
    void Clicked(TObject* sender) { Note(sender, "click"); }
    void Changed(TObject* sender) { Note(sender, "change"); }
    void Entered(TObject* sender) { Note(sender, "enter"); }
    void Exited(TObject* sender) { Note(sender, "exit"); }
};

class TControlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetName("Form");
        Form->SetBounds(50, 50, 420, 300);
    }
    template <class T>
    T* Make(TWinControl* parent, const char* name, int left, int top, int width, int height) {
        auto control = new T(Form.get());
        control->SetName(name);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }
    // A colour as a captured pixel holds it: 0x00RRGGBB.
    static uint32_t Rgb(TColor color) {
        uint32_t c = ColorToRGB(color);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    std::unique_ptr<TForm> Form;
    TRecorder Log;
};
