// Small classes with one published property of every kind, for the
// object-model and streaming tests.
#pragma once
#include <map>

#include "framework/framework.h"

enum TSampleMood : uint8_t { smCalm, smCheerful, smGrumpy };
FRAME_TYPE_INFO(TSampleMood);

class TSampleItem : public TComponent {
    FRAME_CLASS(TSampleItem, TComponent)
public:
    explicit TSampleItem(TComponent* owner);
    ~TSampleItem() override;

    int Count = 7;           // stream default 0, constructor 7
    bool Active = true;      // stream default true
    double Ratio = 0;
    AnsiString Title;
    TSampleMood Mood = smCalm;
    TColor Shade = clBtnFace;
    TFontStyles Styles = TFontStyles(0);
    TSampleItem* Buddy = nullptr;   // a reference, not owned
    TNotifyEvent OnPoke;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* value) { FLines->Assign(value); }
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value) { FPicture->Assign(value); }
    int LoadedCalls = 0;
    void Loaded() override;

    // Free notification, for the lifetime tests.
    std::vector<TComponent*> Removed;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TPicture> FPicture;
};

// One published property of every value kind, some read and written
// through an indexed accessor pair (as a proxy for an embedded control
// reaches its properties by number) or through lambdas.
class TSampleKinds : public TComponent {
    FRAME_CLASS(TSampleKinds, TComponent)
public:
    explicit TSampleKinds(TComponent* owner);
    ~TSampleKinds() override;

    Currency Cost;
    int64_t Big = 0;
    float Single = 0;
    double Double = 0;
    TDateTime Stamp;
    WordBool Flag;
    int16_t Small = 0;
    uint16_t Unsigned16 = 0;
    TFontStyles Styles = TFontStyles(0);
    AnsiString Label;  // published as Caption, through lambdas

    std::map<int, int> Numbers;  // by number: Min 5, Max 6, Position 7 (not stored)
    int GetIntegerProp(int index) const;
    void SetIntegerProp(int index, int value);
};

// A form-like root with handlers and component fields.
class TSampleRoot : public TComponent {
    FRAME_CLASS(TSampleRoot, TComponent)
public:
    explicit TSampleRoot(TComponent* owner);
    ~TSampleRoot() override;
    TSampleItem* First = nullptr;
    TSampleItem* Second = nullptr;
    int Pokes = 0;
    void FirstPoke(TObject* sender);
    void MouseHandler(TObject*, TMouseButton, TShiftState, int, int) {}
    std::vector<TComponent*> GetChildren(TComponent* root) const override;
};
