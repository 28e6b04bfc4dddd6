// The framework's own small modal dialogs: a message with buttons, and a
// question for one line of text. Both are forms of the framework, shown
// with ShowModal, and both ask the dialog answerer first (dialog_seam.h).
#pragma once
#include "framework/forms/form.h"

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint16_t {
    mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64, mbAll = 128, mbHelp = 256,
};
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// The text in a box with an OK button, captioned with the program's title.
void ShowMessage(const AnsiString& message);
// The text with the type's icon and caption and the buttons asked for;
// returns the modal result of the button pressed (mrCancel when closed).
TModalResult MessageDlg(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The message dialog as a form, not shown yet (whoever makes it frees it).
TForm* CreateMessageDialog(const AnsiString& message, TMsgDlgType type, TMsgDlgButtons buttons);

// Asks for a line of text, starting from value: OK puts the text into
// value and returns true; Cancel or closing returns false and leaves
// value as it was.
bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value);
// The text entered, or defaultValue when cancelled.
AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& defaultValue);
