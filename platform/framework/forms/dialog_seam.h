// Where the program's dialogs can be answered without a person: a test
// (or a scripted run) installs an answerer, and every dialog of the
// framework asks it first (a message, a line of text, a colour, a font,
// any form shown modally). An answer given replaces the dialog; no answer (an
// empty optional) lets the real dialog show. Nothing else of the program
// changes.
//
//   TDialogAnswererScope answers([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
//       if (q.Kind == TDialogKind::Input) return TDialogAnswer{mrOk, "3"};
//       return std::nullopt;
//   });
#pragma once
#include <functional>
#include <optional>

#include "framework/forms/dialogs.h"

enum class TDialogKind : uint8_t { Message, Input, Color, Font, Form };

struct TDialogQuestion {
    TDialogKind Kind = TDialogKind::Message;
    AnsiString Caption;
    AnsiString Text;                 // the message, or the prompt
    AnsiString Value;                // the text an input starts from
    TColor Color = clBlack;          // the colour a colour dialog starts from
    TMsgDlgType Type = mtCustom;     // a message's kind
    TMsgDlgButtons Buttons = 0;      // a message's buttons
    TForm* Form = nullptr;           // the form about to be shown modally
    TFont* Font = nullptr;           // the font a font dialog starts from; an answerer
                                     // confirming with mrOk leaves its choice in it
};

struct TDialogAnswer {
    // The button pressed: mrOk or mrCancel for input and colour, any
    // result for a message or a form (for a form, mrNone takes the
    // ModalResult the answerer left on it, e.g. by clicking its button).
    TModalResult Result = mrCancel;
    AnsiString Value;                // the text entered
    TColor Color = clBlack;          // the colour picked
};

using TDialogAnswerer = std::function<std::optional<TDialogAnswer>(const TDialogQuestion&)>;

// Installs answerer (an empty one lets people answer again) and returns
// the one installed before.
TDialogAnswerer SetDialogAnswerer(TDialogAnswerer answerer);
// For the dialogs: the answer, if the answerer gives one.
std::optional<TDialogAnswer> AskDialogAnswerer(const TDialogQuestion& question);

// Installs an answerer for as long as it lives, then puts back the one before.
class TDialogAnswererScope {
public:
    explicit TDialogAnswererScope(TDialogAnswerer answerer) : FPrevious(SetDialogAnswerer(std::move(answerer))) {}
    ~TDialogAnswererScope() { SetDialogAnswerer(std::move(FPrevious)); }
    TDialogAnswererScope(const TDialogAnswererScope&) = delete;
    TDialogAnswererScope& operator=(const TDialogAnswererScope&) = delete;

private:
    TDialogAnswerer FPrevious;
};
