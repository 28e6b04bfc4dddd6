#include "bridge/ole_diagnostics.h"

#include <atomic>

#include "framework/controls/ole_control.h"

namespace bridge {
namespace {

std::atomic<bool> g_boxes{true};

const char kQuestion[] = "\nPress [Y]es to terminate, [N]o to continue and [C]ancel to Debug";

// The answer, as a modal result: the answerer's, or the person's.
TModalResult Ask(const char* caption, const AnsiString& text) {
    TDialogQuestion question;
    question.Kind = TDialogKind::Message;
    question.Caption = caption;
    question.Text = text + kQuestion;
    question.Type = mtError;
    question.Buttons = mbYesNoCancel;
    if (auto answer = AskDialogAnswerer(question)) return answer->Result;
    int pressed = MessageBoxA(nullptr, question.Text.c_str(), caption, MB_YESNOCANCEL | MB_ICONERROR | MB_TASKMODAL);
    return pressed == IDYES ? mrYes : pressed == IDNO ? mrNo : mrCancel;
}

// True when the caller goes on; raises for Yes or with boxes off.
bool Diagnose(const char* caption, const AnsiString& text, HRESULT hr) {
    if (g_boxes) {
        TModalResult answer = Ask(caption, text);
        if (answer == mrCancel) {
            // Stops in the debugger when one is attached; without one there
            // is nothing to break into, and the program goes on.
            if (IsDebuggerPresent()) DebugBreak();
            return true;
        }
        if (answer != mrYes) return true;
    }
    throw EOleError(text, hr);
}

}  // namespace

void SetDiagnosticBoxes(bool on) { g_boxes = on; }
bool DiagnosticBoxes() { return g_boxes; }

AnsiString HResultFailureText(HRESULT hr, const char* call, const char* source, int line) {
    AnsiString message = SysErrorMessage(static_cast<unsigned long>(hr));
    if (!message.empty()) return Format("'%s': %s @ %s/%d", call, message, source, line);
    return Format("(%s) Error: %X (%d) @ %s/%d", call, static_cast<uint32_t>(hr), static_cast<int32_t>(hr), source, line);
}

HRESULT OleCheck(HRESULT hr, const char* call, const char* source, int line) {
    if (SUCCEEDED(hr)) return hr;
    Diagnose("HRESULT Failure", HResultFailureText(hr, call, source, line), hr);
    return hr;
}

void OleAssert(bool ok, const char* text, const char* source, int line) {
    if (ok) return;
    Diagnose("Assertion Failure", Format("%s @ %s/%d", text, source, line), E_UNEXPECTED);
}

}  // namespace bridge
