// TApplication: the program's forms (the first one made is the main
// form) and its message loop. The one instance is the global Application.
#pragma once
#include <exception>
#include <vector>

#include "framework/forms/form.h"

using TExceptionEvent = TEvent<TObject*, const std::exception&>;

class TApplication : public TComponent {
    FRAME_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();
    // Makes a form of class T owned by the application and stores it in
    // reference before the form reads its resource; on failure the form
    // is gone, reference is null and the exception propagates.
    template <class T>
    void CreateForm(T*& reference) {
        CreateFormOf(T::StaticClass(), [&reference](TComponent* form) { reference = static_cast<T*>(form); });
    }
    TForm* CreateFormOf(const TClassInfo& formClass, const std::function<void(TComponent*)>& bind = {});

    // Shows the main form and handles messages until Terminate; then frees
    // the forms, since the program ends when Run returns.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // One message (waiting for it); false once the loop should end.
    bool HandleMessage();
    // Every message already waiting, without waiting for more.
    void ProcessMessages();

    TForm* MainForm() const { return FMainForm; }
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& value) { FTitle = value; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }

    // A message box with the exception's text.
    void ShowException(const std::exception& error);
    // OnException when set, else ShowException.
    void HandleException(const std::exception& error);
    TExceptionEvent OnException;

    void FormDestroyed(TForm* form);

private:
    TForm* FMainForm = nullptr;
    AnsiString FTitle;
    bool FTerminated = false;
    bool FShowMainForm = true;
};

extern TApplication* Application;
