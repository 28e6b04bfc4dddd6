// Workbench: the form designer. Command line:
//   Workbench.exe [/install <package.dll>]... [form file]
#include <windows.h>

#include <shellapi.h>

#include "windows/workbench_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Workbench");
        std::vector<AnsiString> packages;
        AnsiString formFile;
        int count = 0;
        LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
        for (int i = 1; i < count; ++i) {
            AnsiString arg = FromWide(args[i]);
            if (SameText(arg, "/install") && i + 1 < count)
                packages.push_back(FromWide(args[++i]));
            else
                formFile = arg;
        }
        LocalFree(args);
        Application->CreateForm(WorkbenchForm);
        WorkbenchForm->Start(packages, formFile);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;
    }
    return 0;
}
