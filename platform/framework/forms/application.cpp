#include "framework/forms/application.h"

#include <memory>

#include "framework/classes/published.h"
#include "framework/system/exception_hook.h"

namespace {
struct ApplicationHolder {
    std::unique_ptr<TApplication> instance{new TApplication(nullptr)};
    ~ApplicationHolder() {
        TApplication* app = instance.release();
        Application = nullptr;
        delete app;
    }
};
}  // namespace

TApplication* Application = nullptr;
static ApplicationHolder TheApplication;

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo info = TClassBuilder<TApplication>::Abstract("TApplication", TComponent::StaticClass());
    return info;
}

static void ReportToApplication(const std::exception& error) {
    if (Application) Application->HandleException(error);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    Application = this;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    AnsiString name = path;
    size_t slash = name.find_last_of("\\/");
    if (slash != AnsiString::npos) name = name.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != AnsiString::npos) name = name.substr(0, dot);
    FTitle = name;
    SetEventExceptionHandler(ReportToApplication);
}

TApplication::~TApplication() {
    SetEventExceptionHandler(nullptr);
    DestroyComponents();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() { FTerminated = false; }

TForm* TApplication::CreateFormOf(const TClassInfo& formClass, const std::function<void(TComponent*)>& bind) {
    if (!formClass.InheritsFrom(TForm::StaticClass()))
        throw EInvalidOperation(Format("%s is not a form class", formClass.Name()));
    TForm* form = nullptr;
    try {
        form = static_cast<TForm*>(formClass.Create(this, [&](TComponent* made) {
            if (bind) bind(made);
            if (!FMainForm) FMainForm = static_cast<TForm*>(made);
        }));
    } catch (...) {
        if (bind) bind(nullptr);
        throw;
    }
    return form;
}

void TApplication::FormDestroyed(TForm* form) {
    if (FMainForm == form) FMainForm = nullptr;
}

void TApplication::Run() {
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
    // The program ends when Run returns. Its forms go now, while the class
    // descriptions they consult are alive: left to the static tear-down,
    // they would be freed after the program's own descriptions are gone,
    // since the program and the package are torn down in an order not ours.
    DestroyComponents();
}

void TApplication::Terminate() {
    if (FTerminated) return;
    FTerminated = true;
    PostQuitMessage(0);
}

bool TApplication::HandleMessage() {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        FTerminated = true;
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return !FTerminated;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            FTerminated = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TApplication::ShowException(const std::exception& error) {
    HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
    MessageBoxA(owner, error.what(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException)
        OnException(this, error);
    else
        ShowException(error);
}
