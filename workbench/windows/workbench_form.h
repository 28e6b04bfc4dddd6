// The workbench's main window: menu, palette, component tree and property
// inspector over the document; the form designed floats in a window of its
// own (TDesignSurface), and the Run command shows it as a program would.
#pragma once
#include <memory>
#include <vector>

#include "model/design_document.h"
#include "model/inspector_model.h"
#include "model/package_list.h"
#include "model/palette_model.h"
#include "windows/design_surface.h"

class TWorkbenchForm : public TForm {
    FRAME_CLASS(TWorkbenchForm, TForm)
public:
    explicit TWorkbenchForm(TComponent* owner);
    ~TWorkbenchForm() override;

    TPanel* PaletteTabs = nullptr;
    TPanel* PaletteButtons = nullptr;
    TListBox* ComponentTree = nullptr;
    TSpeedButton* PropertiesPage = nullptr;
    TSpeedButton* EventsPage = nullptr;
    TListBox* PropertyList = nullptr;
    TEdit* ValueEdit = nullptr;
    TComboBox* ValueList = nullptr;
    TButton* SetButton = nullptr;
    TButton* EllipsisButton = nullptr;

    // The command line's work: packages to install, then the form file to
    // open (made on the first save when it does not exist yet).
    void Start(const std::vector<AnsiString>& packages, const AnsiString& formFile);

    void PaletteTabClick(TObject* Sender);
    void PaletteButtonClick(TObject* Sender);
    void ComponentTreeClick(TObject* Sender);
    void PageClick(TObject* Sender);
    void PropertyListClick(TObject* Sender);
    void PropertyListDblClick(TObject* Sender);
    void SetButtonClick(TObject* Sender);
    void ValueListChange(TObject* Sender);
    void EllipsisButtonClick(TObject* Sender);

    void WMCommand(TMessage& Message);
    FRAME_BEGIN_MESSAGE_MAP
        FRAME_MESSAGE_HANDLER(WM_COMMAND, WMCommand)
    FRAME_END_MESSAGE_MAP(TForm)

private:
    void BuildMenu();
    void RefreshPackagesMenu();
    void BuildPalette();
    void ShowPaletteTab(size_t index);
    void DocumentChanged();
    void ShowTree();
    void ShowInspector();
    void ShowRowEditor();
    TInspectorPage Page() const;
    void Command(UINT id);
    void InstallPackage(const AnsiString& path);
    void RemovePackage(size_t index);
    bool SaveAs();
    bool ConfirmDiscard();
    void RunForm();

    TDesignDocument FDocument;
    TPackageList FPackages;
    std::unique_ptr<TInspectorModel> FInspector;
    std::unique_ptr<TDesignSurface> FSurface;
    std::vector<TPaletteTab> FPalette;
    std::vector<TControl*> FTabButtons, FPaletteButtons;
    std::vector<TComponent*> FTreeComponents;
    size_t FTab = 0;
    HMENU FPackagesMenu = nullptr;
    bool FShowingRow = false;
};

extern TWorkbenchForm* WorkbenchForm;
