// Workbench: the form designer. Command line:
//   Workbench.exe [/install <package.dll>]... [form file]
#include <windows.h>

#include "windows/workbench_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Workbench");
        std::vector<AnsiString> packages;
        AnsiString formFile;
        std::vector<AnsiString> args = ProgramArguments();
        for (size_t i = 0; i < args.size(); ++i) {
            if (SameText(args[i], "/install") && i + 1 < args.size())
                packages.push_back(args[++i]);
            else
                formFile = args[i];
        }
        Application->CreateForm(WorkbenchForm);
        WorkbenchForm->Start(packages, formFile);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;
    }
    return 0;
}
