#include "framework/forms/dialogs.h"

#include <algorithm>
#include <memory>

#include "framework/classes/published.h"
#include "framework/controls/button.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_seam.h"
#include "framework/graphics/gdi_scope.h"

namespace {

// The message form: the type's icon and the text drawn on the form,
// wrapped at half the screen's width, over a centred row of buttons.
class TMessageForm : public TForm {
    FRAME_CLASS(TMessageForm, TForm)
public:
    TMessageForm(const AnsiString& message, TMsgDlgType type) : TForm(nullptr), FMessage(message) {
        static const LPCSTR icons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION, nullptr};
        if (icons[type]) FIcon = LoadIconA(nullptr, icons[type]);
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
    }
    // Where the text goes, in client coordinates; the text's size decides it.
    TRect LayOutText() {
        HDC screen = MeasureDC();
        TSelectObject font(screen, FFont->Handle());
        RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
        DrawTextA(screen, FMessage.c_str(), static_cast<int>(FMessage.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        int left = FIcon ? 56 : 12;
        FTextRect = Rect(left, 12, left + r.right, 12 + std::max<int>(r.bottom, FIcon ? 32 : 0));
        return FTextRect;
    }

protected:
    void Paint() override {
        HDC dc = Canvas()->Handle();
        if (FIcon) DrawIcon(dc, 12, 12, FIcon);
        TSaveDC saved(dc);
        SelectObject(dc, FFont->Handle());
        SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(FFont->Color()));
        RECT r = FTextRect;
        DrawTextA(dc, FMessage.c_str(), static_cast<int>(FMessage.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
    }

private:
    AnsiString FMessage;
    HICON FIcon = nullptr;
    TRect FTextRect{};
};

const TClassInfo& TMessageForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMessageForm>::Abstract("TMessageForm", TForm::StaticClass());
    return info;
}

struct TButtonKind {
    TMsgDlgBtn Button;
    const char* Name;
    const char* Caption;
    TModalResult Result;
};

const TButtonKind ButtonKinds[] = {
    {mbYes, "Yes", "&Yes", mrYes},         {mbNo, "No", "&No", mrNo},
    {mbOK, "OK", "OK", mrOk},              {mbCancel, "Cancel", "Cancel", mrCancel},
    {mbAbort, "Abort", "&Abort", mrAbort}, {mbRetry, "Retry", "&Retry", mrRetry},
    {mbIgnore, "Ignore", "&Ignore", mrIgnore}, {mbAll, "All", "&All", mrAll},
    {mbHelp, "Help", "&Help", mrNone},
};

AnsiString DialogCaption(TMsgDlgType type) {
    static const char* const captions[] = {"Warning", "Error", "Information", "Confirm"};
    if (type == mtCustom) return Application ? Application->Title() : AnsiString();
    return captions[type];
}

TButton* AddButton(TForm* form, const AnsiString& name, const AnsiString& caption, TModalResult result, int left,
                   int top) {
    auto button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetCaption(caption);
    button->SetModalResult(result);
    button->SetBounds(left, top, 75, 25);
    return button;
}

}  // namespace

TForm* CreateMessageDialog(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons) {
    if (!(buttons & ~mbHelp)) buttons |= mbOK;
    auto form = std::make_unique<TMessageForm>(message, type);
    form->SetCaption(DialogCaption(type));
    TRect text = form->LayOutText();
    int count = 0;
    for (const TButtonKind& kind : ButtonKinds)
        if (buttons & kind.Button) ++count;
    int rowWidth = count * 75 + (count - 1) * 8;
    int width = std::max<int>(text.right + 12, rowWidth + 24);
    int top = text.bottom + 16;
    int left = (width - rowWidth) / 2;
    // Enter presses OK (else Yes), Escape Cancel (else No, else OK).
    TMsgDlgBtn defaultButton = buttons & mbOK ? mbOK : buttons & mbYes ? mbYes : mbNo;
    TMsgDlgBtn cancelButton = buttons & mbCancel ? mbCancel : buttons & mbNo ? mbNo : mbOK;
    for (const TButtonKind& kind : ButtonKinds) {
        if (!(buttons & kind.Button)) continue;
        TButton* button = AddButton(form.get(), kind.Name, kind.Caption, kind.Result, left, top);
        button->SetDefault(kind.Button == defaultButton);
        button->SetCancel(kind.Button == cancelButton);
        if (kind.Button == defaultButton) form->SetActiveControl(button);
        left += 75 + 8;
    }
    form->SetClientWidth(width);
    form->SetClientHeight(top + 25 + 12);
    return form.release();
}

TModalResult MessageDlg(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons, int) {
    TDialogQuestion question;
    question.Kind = TDialogKind::Message;
    question.Caption = DialogCaption(type);
    question.Text = message;
    question.Type = type;
    question.Buttons = buttons;
    if (std::optional<TDialogAnswer> answer = AskDialogAnswerer(question)) return answer->Result;
    std::unique_ptr<TForm> form(CreateMessageDialog(message, type, buttons));
    return form->ShowModal();
}

void ShowMessage(const AnsiString& message) { MessageDlg(message, mtCustom, mbOK); }

bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value) {
    TDialogQuestion question;
    question.Kind = TDialogKind::Input;
    question.Caption = caption;
    question.Text = prompt;
    question.Value = value;
    if (std::optional<TDialogAnswer> answer = AskDialogAnswerer(question)) {
        if (answer->Result != mrOk) return false;
        value = answer->Value;
        return true;
    }
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(caption);
    form->SetClientWidth(249);
    form->SetClientHeight(90);
    auto label = new TLabel(form.get());
    label->SetName("Prompt");
    label->SetParent(form.get());
    label->SetBounds(8, 8, 233, 13);
    label->SetCaption(prompt);
    auto edit = new TEdit(form.get());
    edit->SetName("Edit");
    edit->SetParent(form.get());
    edit->SetBounds(8, 26, 233, 21);
    edit->SetText(value);
    TButton* ok = AddButton(form.get(), "OK", "OK", mrOk, 86, 58);
    ok->SetDefault(true);
    TButton* cancel = AddButton(form.get(), "Cancel", "Cancel", mrCancel, 166, 58);
    cancel->SetCancel(true);
    form->SetActiveControl(edit);
    edit->SelectAll();
    if (form->ShowModal() != mrOk) return false;
    value = edit->Text();
    return true;
}

AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& defaultValue) {
    AnsiString value = defaultValue;
    InputQuery(caption, prompt, value);
    return value;
}
