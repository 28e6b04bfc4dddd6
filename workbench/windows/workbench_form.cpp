#include "windows/workbench_form.h"

#include <commdlg.h>

#include <functional>

#include "framework/system/delayed_imports.h"
#include "windows/palette_bitmap.h"

TWorkbenchForm* WorkbenchForm = nullptr;

namespace {

enum : UINT {
    CmNew = 1, CmOpen, CmSave, CmSaveAs, CmRun, CmExit,
    CmUndo = 20, CmRedo, CmCut, CmCopy, CmPaste, CmDelete, CmFront, CmBack,
    CmInstall = 40,
    CmRemoveFirst = 100,  // one a package
};

const char* const FormFilter = "Form files (*.form)\0*.form\0All files\0*.*\0";

AnsiString AskFile(HWND owner, bool save, const char* filter, const char* extension) {
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    bool ok = save ? Delayed::GetSaveFileNameA(&ofn) : Delayed::GetOpenFileNameA(&ofn);
    return ok ? AnsiString(name) : AnsiString();
}

}  // namespace

const TClassInfo& TWorkbenchForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWorkbenchForm>::Creatable("TWorkbenchForm", TForm::StaticClass(),
        [](auto& c) {
            c.Component("PaletteTabs", &TWorkbenchForm::PaletteTabs);
            c.Component("PaletteButtons", &TWorkbenchForm::PaletteButtons);
            c.Component("ComponentTree", &TWorkbenchForm::ComponentTree);
            c.Component("PropertiesPage", &TWorkbenchForm::PropertiesPage);
            c.Component("EventsPage", &TWorkbenchForm::EventsPage);
            c.Component("PropertyList", &TWorkbenchForm::PropertyList);
            c.Component("ValueEdit", &TWorkbenchForm::ValueEdit);
            c.Component("ValueList", &TWorkbenchForm::ValueList);
            c.Component("SetButton", &TWorkbenchForm::SetButton);
            c.Component("EllipsisButton", &TWorkbenchForm::EllipsisButton);
        });
    return info;
}

TWorkbenchForm::TWorkbenchForm(TComponent* owner)
    : TForm(owner), FPackages(TPackageList::DefaultSettingsFile()) {}

TWorkbenchForm::~TWorkbenchForm() {
    // The editors and the components of the packages go before them.
    FInspector.reset();
    FSurface.reset();
    FDocument.OnChanged = nullptr;
    FPackages.BeforeUnload = [this](HMODULE module) { FDocument.RemoveComponentsOf(module); };
}

void TWorkbenchForm::Start(const std::vector<AnsiString>& packages, const AnsiString& formFile) {
    ComponentTree->OnClick = TNotifyEvent(this, &TWorkbenchForm::ComponentTreeClick);
    PropertiesPage->OnClick = TNotifyEvent(this, &TWorkbenchForm::PageClick);
    EventsPage->OnClick = TNotifyEvent(this, &TWorkbenchForm::PageClick);
    PropertyList->OnClick = TNotifyEvent(this, &TWorkbenchForm::PropertyListClick);
    PropertyList->OnDblClick = TNotifyEvent(this, &TWorkbenchForm::PropertyListDblClick);
    SetButton->OnClick = TNotifyEvent(this, &TWorkbenchForm::SetButtonClick);
    ValueList->OnChange = TNotifyEvent(this, &TWorkbenchForm::ValueListChange);
    EllipsisButton->OnClick = TNotifyEvent(this, &TWorkbenchForm::EllipsisButtonClick);

    FPackages.BeforeUnload = [this](HMODULE module) {
        FInspector->Clear();
        FSurface->ForgetPictures();
        FDocument.RemoveComponentsOf(module);
    };
    FInspector = std::make_unique<TInspectorModel>(FDocument);
    FSurface = std::make_unique<TDesignSurface>(FDocument);
    FSurface->OnPlaced = [this] {
        for (TControl* b : FPaletteButtons) static_cast<TSpeedButton*>(b)->SetDown(false);
    };
    FDocument.OnChanged = [this] { DocumentChanged(); };

    RegisterStandardPage();
    for (const AnsiString& error : FPackages.InstallRemembered()) ShowMessage(error);
    for (const AnsiString& path : packages) {
        try {
            FPackages.Install(path);
        } catch (const Exception& e) {
            ShowMessage(e.Message());
        }
    }
    BuildMenu();
    BuildPalette();
    if (!formFile.empty()) {
        if (GetFileAttributesA(formFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            FDocument.Open(formFile);
        else
            FDocument.Save(formFile);  // a new form, stored where it was named
    }
    DocumentChanged();
}

void TWorkbenchForm::BuildMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, CmNew, "&New");
    AppendMenuA(file, MF_STRING, CmOpen, "&Open...");
    AppendMenuA(file, MF_STRING, CmSave, "&Save");
    AppendMenuA(file, MF_STRING, CmSaveAs, "Save &As...");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, CmRun, "&Run");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, CmExit, "E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, CmUndo, "&Undo");
    AppendMenuA(edit, MF_STRING, CmRedo, "&Redo");
    AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(edit, MF_STRING, CmCut, "Cu&t");
    AppendMenuA(edit, MF_STRING, CmCopy, "&Copy");
    AppendMenuA(edit, MF_STRING, CmPaste, "&Paste");
    AppendMenuA(edit, MF_STRING, CmDelete, "&Delete");
    AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(edit, MF_STRING, CmFront, "Bring to &front");
    AppendMenuA(edit, MF_STRING, CmBack, "Send to &back");
    FPackagesMenu = CreatePopupMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(FPackagesMenu), "&Packages");
    SetMenu(Handle(), bar);
    RefreshPackagesMenu();
}

void TWorkbenchForm::RefreshPackagesMenu() {
    while (GetMenuItemCount(FPackagesMenu) > 0) DeleteMenu(FPackagesMenu, 0, MF_BYPOSITION);
    AppendMenuA(FPackagesMenu, MF_STRING, CmInstall, "&Install...");
    if (!FPackages.Packages().empty()) AppendMenuA(FPackagesMenu, MF_SEPARATOR, 0, nullptr);
    // Each installed package by its description: picking one removes it.
    for (size_t i = 0; i < FPackages.Packages().size(); ++i) {
        const TInstalledPackage& p = FPackages.Packages()[i];
        AnsiString item = "Remove " + (p.Description.empty() ? p.Path : p.Description) + "  (" + p.Path + ")";
        AppendMenuA(FPackagesMenu, MF_STRING, CmRemoveFirst + i, item.c_str());
    }
    DrawMenuBar(Handle());
}

void TWorkbenchForm::BuildPalette() {
    FSurface->ForgetPictures();
    for (TControl* c : FTabButtons) delete c;
    FTabButtons.clear();
    FPalette = ::BuildPalette();
    int left = 4;
    for (size_t i = 0; i < FPalette.size(); ++i) {
        auto tab = new TSpeedButton(this);
        tab->SetParent(PaletteTabs);
        tab->SetCaption(FPalette[i].Page);
        tab->SetBounds(left, 2, 90, 22);
        tab->SetGroupIndex(1);
        tab->SetTag(static_cast<int>(i));
        tab->OnClick = TNotifyEvent(this, &TWorkbenchForm::PaletteTabClick);
        FTabButtons.push_back(tab);
        left += 92;
    }
    ShowPaletteTab(FTab < FPalette.size() ? FTab : 0);
}

void TWorkbenchForm::ShowPaletteTab(size_t index) {
    for (TControl* c : FPaletteButtons) delete c;
    FPaletteButtons.clear();
    FTab = index;
    if (index >= FPalette.size()) return;
    static_cast<TSpeedButton*>(FTabButtons[index])->SetDown(true);
    int left = 4;
    for (size_t i = 0; i < FPalette[index].Buttons.size(); ++i) {
        const TPaletteButton& entry = FPalette[index].Buttons[i];
        auto button = new TSpeedButton(this);
        button->SetParent(PaletteButtons);
        button->SetBounds(left, 3, 32, 32);
        std::unique_ptr<TBitmap> picture = LoadPaletteBitmap(entry);
        button->SetGlyph(picture.get());
        button->SetHint(entry.Hint);
        button->SetGroupIndex(2);
        button->SetAllowAllUp(true);
        button->SetTag(static_cast<int>(i));
        button->OnClick = TNotifyEvent(this, &TWorkbenchForm::PaletteButtonClick);
        FPaletteButtons.push_back(button);
        left += 33;
    }
}

void TWorkbenchForm::PaletteTabClick(TObject* Sender) { ShowPaletteTab(static_cast<size_t>(static_cast<TControl*>(Sender)->Tag())); }

void TWorkbenchForm::PaletteButtonClick(TObject* Sender) {
    auto button = static_cast<TSpeedButton*>(Sender);
    FSurface->PendingClass = button->Down() ? FPalette[FTab].Buttons[static_cast<size_t>(button->Tag())].Class : nullptr;
}

void TWorkbenchForm::DocumentChanged() {
    AnsiString name = FDocument.FileName().empty() ? AnsiString("Untitled") : FDocument.FileName();
    SetCaption("Workbench - " + name + (FDocument.Modified() ? " (modified)" : ""));
    FSurface->Refresh();
    ShowTree();
    FInspector->Refresh();
    ShowInspector();
}

void TWorkbenchForm::ShowTree() {
    ComponentTree->Items()->Clear();
    FTreeComponents.clear();
    TForm* form = FDocument.Form();
    ComponentTree->Items()->Add(form->Name() + ": " + form->ClassName());
    FTreeComponents.push_back(form);
    std::function<void(TComponent*, int)> walk = [&](TComponent* parent, int depth) {
        for (TComponent* c : parent->GetChildren(form)) {
            ComponentTree->Items()->Add(AnsiString(static_cast<size_t>(depth) * 3, ' ') + c->Name() + ": " + c->ClassName());
            FTreeComponents.push_back(c);
            walk(c, depth + 1);
        }
    };
    walk(form, 1);
    std::vector<TComponent*> selection = FDocument.Selection();
    TComponent* first = selection.empty() ? form : selection[0];
    for (size_t i = 0; i < FTreeComponents.size(); ++i)
        if (FTreeComponents[i] == first) ComponentTree->SetItemIndex(static_cast<int>(i));
}

void TWorkbenchForm::ComponentTreeClick(TObject*) {
    int i = ComponentTree->ItemIndex();
    if (i < 0 || i >= static_cast<int>(FTreeComponents.size())) return;
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    FDocument.Select(FTreeComponents[static_cast<size_t>(i)] == FDocument.Form() ? nullptr : FTreeComponents[static_cast<size_t>(i)], shift);
}

TInspectorPage TWorkbenchForm::Page() const {
    return EventsPage->Down() ? TInspectorPage::Events : TInspectorPage::Properties;
}

void TWorkbenchForm::PageClick(TObject*) { ShowInspector(); }

void TWorkbenchForm::ShowInspector() {
    int keep = PropertyList->ItemIndex();
    PropertyList->Items()->Clear();
    for (const TInspectorRow& row : FInspector->Rows(Page())) {
        AnsiString marker = row.Attributes.Contains(paSubProperties) ? (row.Expanded ? "- " : "+ ") : "  ";
        AnsiString name = AnsiString(static_cast<size_t>(row.Depth) * 2, ' ') + marker + row.Name;
        if (name.size() < 22) name.resize(22, ' ');
        PropertyList->Items()->Add(name + " " + row.Value);
    }
    if (keep >= 0 && keep < PropertyList->Items()->Count()) PropertyList->SetItemIndex(keep);
    ShowRowEditor();
}

void TWorkbenchForm::ShowRowEditor() {
    int row = PropertyList->ItemIndex();
    std::vector<TInspectorRow> rows = FInspector->Rows(Page());
    bool valid = row >= 0 && row < static_cast<int>(rows.size());
    FShowingRow = true;
    if (valid) {
        const TInspectorRow& r = rows[static_cast<size_t>(row)];
        bool list = r.Attributes.Contains(paValueList);
        ValueList->SetVisible(list);
        ValueEdit->SetVisible(!list);
        ValueEdit->SetText(r.Value);
        if (list) {
            ValueList->Items()->Clear();
            int current = -1;
            for (const AnsiString& v : FInspector->Values(Page(), row)) {
                if (v == r.Value) current = ValueList->Items()->Count();
                ValueList->Items()->Add(v);
            }
            ValueList->SetItemIndex(current);
            if (current < 0) ValueList->SetText(r.Value);
        }
        ValueEdit->SetEnabled(!r.Attributes.Contains(paReadOnly));
        EllipsisButton->SetEnabled(r.Attributes.Contains(paDialog));
    } else {
        ValueList->SetVisible(false);
        ValueEdit->SetVisible(true);
        ValueEdit->SetText("");
        EllipsisButton->SetEnabled(false);
    }
    FShowingRow = false;
}

void TWorkbenchForm::PropertyListClick(TObject*) { ShowRowEditor(); }

void TWorkbenchForm::PropertyListDblClick(TObject*) {
    int row = PropertyList->ItemIndex();
    if (row < 0) return;
    FInspector->ToggleExpanded(Page(), row);
    ShowInspector();
}

void TWorkbenchForm::SetButtonClick(TObject*) {
    int row = PropertyList->ItemIndex();
    if (row < 0) return;
    AnsiString text = ValueList->Visible() ? ValueList->Text() : ValueEdit->Text();
    try {
        FInspector->SetValue(Page(), row, text);
    } catch (const Exception& e) {
        ShowInspector();
        ShowMessage(e.Message());
    }
}

void TWorkbenchForm::ValueListChange(TObject* Sender) {
    // A pick from the open list sets the value at once; typed text waits
    // for Enter or the Set button.
    if (!FShowingRow && SendMessageA(ValueList->Handle(), CB_GETDROPPEDSTATE, 0, 0)) SetButtonClick(Sender);
}

void TWorkbenchForm::EllipsisButtonClick(TObject*) {
    int row = PropertyList->ItemIndex();
    if (row < 0) return;
    try {
        FInspector->Edit(Page(), row);
    } catch (const Exception& e) {
        ShowMessage(e.Message());
    }
    ShowInspector();
}

void TWorkbenchForm::WMCommand(TMessage& Message) {
    if (Message.LParam != 0) {
        TForm::Dispatch(&Message);  // a control's notification
        return;
    }
    try {
        Command(LOWORD(Message.WParam));
    } catch (const Exception& e) {
        ShowMessage(e.Message());
    }
}

bool TWorkbenchForm::ConfirmDiscard() {
    if (!FDocument.Modified()) return true;
    return MessageDlg("The form has changed. Discard the changes?", mtConfirmation, mbYes | mbNo) == mrYes;
}

bool TWorkbenchForm::SaveAs() {
    AnsiString path = AskFile(Handle(), true, FormFilter, "form");
    if (path.empty()) return false;
    FDocument.Save(path);
    return true;
}

void TWorkbenchForm::InstallPackage(const AnsiString& path) {
    FPackages.Install(path);
    RefreshPackagesMenu();
    BuildPalette();
}

void TWorkbenchForm::RemovePackage(size_t index) {
    FPackages.Remove(index);
    RefreshPackagesMenu();
    BuildPalette();
    DocumentChanged();
}

void TWorkbenchForm::RunForm() {
    // The form as a program shows it: read from the text, not designing.
    std::unique_ptr<TForm> running = std::make_unique<TForm>(nullptr);
    ReadFormText(running.get(), FDocument.Text(), "Run");
    running->ShowModal();
}

void TWorkbenchForm::Command(UINT id) {
    switch (id) {
    case CmNew:
        if (ConfirmDiscard()) FDocument.New();
        break;
    case CmOpen:
        if (ConfirmDiscard())
            if (AnsiString path = AskFile(Handle(), false, FormFilter, "form"); !path.empty()) FDocument.Open(path);
        break;
    case CmSave:
        if (FDocument.FileName().empty())
            SaveAs();
        else
            FDocument.Save(FDocument.FileName());
        break;
    case CmSaveAs: SaveAs(); break;
    case CmRun: RunForm(); break;
    case CmExit: Close(); break;
    case CmUndo:
        if (FDocument.CanUndo()) FDocument.Undo();
        break;
    case CmRedo:
        if (FDocument.CanRedo()) FDocument.Redo();
        break;
    case CmCut: FDocument.Cut(); break;
    case CmCopy: FDocument.Copy(); break;
    case CmPaste: FDocument.Paste(); break;
    case CmDelete: FDocument.DeleteSelection(); break;
    case CmFront: FDocument.BringToFront(); break;
    case CmBack: FDocument.SendToBack(); break;
    case CmInstall:
        if (AnsiString path = AskFile(Handle(), false, "Packages (*.dll)\0*.dll\0", "dll"); !path.empty()) InstallPackage(path);
        break;
    default:
        if (id >= CmRemoveFirst && id < CmRemoveFirst + FPackages.Packages().size()) RemovePackage(id - CmRemoveFirst);
        break;
    }
}
