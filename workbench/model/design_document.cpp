#include "model/design_document.h"

#include <algorithm>
#include <set>

#include "framework/streaming/form_text.h"
#include "model/form_clipboard.h"

namespace {

const char* const NewFormText =
    "TForm Form1 {\n  Left = 600\n  Top = 120\n  Width = 400\n  Height = 320\n  Caption = \"Form1\"\n}\n";

// The components the form owns, every one in the design state, as they are
// after the designer made them, also when the form reader made them.
void SetDesigning(TForm* form) {
    form->SetDesigning(true);
    for (int i = 0; i < form->ComponentCount(); ++i) form->Components(i)->SetDesigning(true);
}

TFormItem* FindItem(TFormNode& node, const char* path) {
    for (TFormItem& item : node.items)
        if (SameText(item.path, path)) return &item;
    return nullptr;
}

void Offset(TFormNode& node, const char* path, int by) {
    if (TFormItem* item = FindItem(node, path); item && item->value.kind == TFormValue::Integer)
        item->value.integer += by;
}

}  // namespace

TDesignDocument::TDesignDocument() { LoadText(NewFormText); }

TDesignDocument::~TDesignDocument() {
    FDesigner.reset();
    FForm.reset();
}

AnsiString TDesignDocument::Text() const { return WriteFormText(FForm.get()); }

void TDesignDocument::LoadText(const AnsiString& text) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetDesigning(true);
    ReadFormText(form.get(), text, FFileName.empty() ? AnsiString("Form") : FFileName);
    SetDesigning(form.get());
    std::vector<AnsiString> selected = FDesigner ? SelectedNames() : std::vector<AnsiString>{};
    bool modified = FDesigner && FDesigner->IsModified();
    // The designer points at the form: it goes first.
    FDesigner.reset();
    FForm = std::move(form);
    FDesigner = std::make_unique<TWorkbenchDesigner>(FForm.get(), [this] {
        if (!FInChange) Changed();
    });
    if (modified) FDesigner->TFormDesigner::Modified();
    SelectNames(selected);
}

void TDesignDocument::Changed() {
    if (OnChanged) OnChanged();
}

void TDesignDocument::New() {
    FFileName.clear();
    FHistory.Clear();
    FDesigner.reset();
    LoadText(NewFormText);
    Changed();
}

void TDesignDocument::Open(const AnsiString& path) {
    TFileStream file(path, fmOpenRead);
    AnsiString text(static_cast<size_t>(file.Size()), '\0');
    if (file.Read(text.data(), static_cast<int64_t>(text.size())) != static_cast<int64_t>(text.size()))
        throw EReadError("Could not read " + path);
    AnsiString previous = FFileName;
    FFileName = path;
    try {
        LoadText(text);
    } catch (...) {
        FFileName = previous;
        throw;
    }
    SelectNames({});
    FDesigner->ClearModified();
    FHistory.Clear();
    Changed();
}

void TDesignDocument::Save(const AnsiString& path) {
    AnsiString text = Text();
    TFileStream file(path, fmCreate);
    if (file.Write(text.data(), static_cast<int64_t>(text.size())) != static_cast<int64_t>(text.size()))
        throw EStreamError("Could not write " + path);
    FFileName = path;
    FDesigner->ClearModified();
    Changed();
}

std::vector<TComponent*> TDesignDocument::Selection() const {
    std::vector<TComponent*> result;
    for (TPersistent* p : FDesigner->Selection())
        if (auto c = ObjectAs<TComponent>(p); c && c != FForm.get()) result.push_back(c);
    return result;
}

void TDesignDocument::Select(TComponent* component, bool add) {
    std::vector<TComponent*> selection = add ? Selection() : std::vector<TComponent*>{};
    if (component && component != FForm.get()) {
        auto found = std::find(selection.begin(), selection.end(), component);
        if (found != selection.end())
            selection.erase(found);
        else
            selection.push_back(component);
    }
    SelectComponents(selection);
}

void TDesignDocument::SelectComponents(const std::vector<TComponent*>& components) {
    std::vector<TPersistent*> selection(components.begin(), components.end());
    if (selection.empty()) selection.push_back(FForm.get());
    FDesigner->SetSelection(std::move(selection));
    Changed();
}

std::vector<AnsiString> TDesignDocument::SelectedNames() const {
    std::vector<AnsiString> names;
    for (TComponent* c : Selection()) names.push_back(c->Name());
    return names;
}

void TDesignDocument::SelectNames(const std::vector<AnsiString>& names) {
    std::vector<TPersistent*> selection;
    for (const AnsiString& name : names)
        if (TComponent* c = FForm->FindComponent(name)) selection.push_back(c);
    if (selection.empty()) selection.push_back(FForm.get());
    FDesigner->SetSelection(std::move(selection));
}

TComponent* TDesignDocument::ComponentAt(int x, int y) const {
    std::vector<TComponent*> children = FForm->GetChildren(FForm.get());
    // Icons of components that are no controls lie over the controls, and
    // a later control over an earlier one.
    for (TComponent* c : children)
        if (!ObjectAs<TControl>(c) && GetDesignBounds(c).Contains(x, y)) return c;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (auto control = ObjectAs<TControl>(*it); control && control->Visible() && GetDesignBounds(*it).Contains(x, y))
            return *it;
    return nullptr;
}

void TDesignDocument::Change(const std::function<void()>& change) {
    AnsiString before = Text();
    FInChange = true;
    try {
        change();
    } catch (...) {
        FInChange = false;
        if (Text() != before) LoadText(before);
        Changed();
        throw;
    }
    FInChange = false;
    if (Text() != before) {
        FHistory.Changed(before);
        FDesigner->TFormDesigner::Modified();
    }
    Changed();
}

void TDesignDocument::ChangedSince(const AnsiString& before) {
    if (Text() == before) return;
    FHistory.Changed(before);
    FDesigner->TFormDesigner::Modified();
    Changed();
}

TComponent* TDesignDocument::Place(const TClassInfo& cls, int x, int y) {
    TComponent* placed = nullptr;
    Change([&] { placed = FDesigner->CreateComponent(cls, FForm.get(), SnapToGrid(x, Grid), SnapToGrid(y, Grid)); });
    SelectComponents({placed});
    return placed;
}

void TDesignDocument::MoveSelection(int dx, int dy, bool snap) {
    Change([&] {
        for (TComponent* c : Selection()) {
            TDesignBounds b = GetDesignBounds(c);
            b.Left = snap ? SnapToGrid(b.Left + dx, Grid) : b.Left + dx;
            b.Top = snap ? SnapToGrid(b.Top + dy, Grid) : b.Top + dy;
            SetDesignBounds(c, b);
        }
    });
}

void TDesignDocument::ResizeSelection(int dw, int dh, bool snap) {
    Change([&] {
        for (TComponent* c : Selection()) {
            if (!ObjectAs<TControl>(c)) continue;
            TDesignBounds b = GetDesignBounds(c);
            b.Width = std::max(1, snap ? SnapToGrid(b.Left + b.Width + dw, Grid) - b.Left : b.Width + dw);
            b.Height = std::max(1, snap ? SnapToGrid(b.Top + b.Height + dh, Grid) - b.Top : b.Height + dh);
            SetDesignBounds(c, b);
        }
    });
}

void TDesignDocument::SetBounds(TComponent* component, const TDesignBounds& bounds) {
    Change([&] { SetDesignBounds(component, bounds); });
}

void TDesignDocument::Nudge(UINT virtualKey, bool shift) {
    int dx = virtualKey == VK_LEFT ? -1 : virtualKey == VK_RIGHT ? 1 : 0;
    int dy = virtualKey == VK_UP ? -1 : virtualKey == VK_DOWN ? 1 : 0;
    if (dx == 0 && dy == 0) return;
    if (shift)
        ResizeSelection(dx, dy, false);
    else
        MoveSelection(dx, dy, false);
}

void TDesignDocument::DeleteSelection() {
    std::vector<TComponent*> doomed = Selection();
    if (doomed.empty()) return;
    FDesigner->SetSelection({FForm.get()});
    Change([&] {
        for (TComponent* c : doomed) delete c;
    });
}

void TDesignDocument::ChangeText(const std::function<void(TFormNode&)>& edit) {
    Change([&] {
        std::unique_ptr<TFormNode> tree = ParseFormText(Text(), "Form");
        edit(*tree);
        LoadText(PrintFormText(*tree));
    });
}

void TDesignDocument::BringToFront() {
    std::vector<AnsiString> names = SelectedNames();
    ChangeText([&](TFormNode& root) {
        std::stable_partition(root.children.begin(), root.children.end(), [&](const auto& node) {
            return std::find(names.begin(), names.end(), node->name) == names.end();
        });
    });
}

void TDesignDocument::SendToBack() {
    std::vector<AnsiString> names = SelectedNames();
    ChangeText([&](TFormNode& root) {
        std::stable_partition(root.children.begin(), root.children.end(), [&](const auto& node) {
            return std::find(names.begin(), names.end(), node->name) != names.end();
        });
    });
}

AnsiString TDesignDocument::SelectionText() const {
    AnsiString text;
    for (TComponent* c : Selection()) text += PrintFormText(*WriteComponentTree(c));
    return text;
}

void TDesignDocument::PasteText(const AnsiString& text) {
    // The blocks are read as the children of a form of their own.
    std::unique_ptr<TFormNode> pasted = ParseFormText("TForm Clipboard {\n" + text + "\n}\n", "Clipboard");
    std::vector<AnsiString> names;
    ChangeText([&](TFormNode& root) {
        std::set<AnsiString> taken;
        std::function<void(const TFormNode&)> take = [&](const TFormNode& node) {
            for (const auto& child : node.children) {
                taken.insert(UpperCase(child->name));
                take(*child);
            }
        };
        take(root);
        // A name taken gets the next free one, and a component that stood
        // there already moves aside by one grid step.
        std::function<void(TFormNode&, bool)> rename = [&](TFormNode& node, bool top) {
            if (node.name.empty() || taken.count(UpperCase(node.name))) {
                AnsiString base = node.className.size() > 1 ? node.className.substr(1) : AnsiString("Component");
                int n = 1;
                while (taken.count(UpperCase(base + IntToStr(n)))) ++n;
                node.name = base + IntToStr(n);
                if (top) {
                    Offset(node, "Left", Grid);
                    Offset(node, "Top", Grid);
                }
            }
            taken.insert(UpperCase(node.name));
            for (auto& child : node.children) rename(*child, false);
        };
        for (auto& node : pasted->children) {
            rename(*node, true);
            names.push_back(node->name);
            root.children.push_back(std::move(node));
        }
    });
    SelectNames(names);
    Changed();
}

void TDesignDocument::Copy() {
    if (!Selection().empty()) PutFormTextOnClipboard(SelectionText());
}

void TDesignDocument::Cut() {
    if (Selection().empty()) return;
    Copy();
    DeleteSelection();
}

void TDesignDocument::Paste() {
    AnsiString text = GetTextFromClipboard();
    if (!Trim(text).empty()) PasteText(text);
}

void TDesignDocument::Undo() {
    LoadText(FHistory.Undo(Text()));
    FDesigner->TFormDesigner::Modified();
    Changed();
}

void TDesignDocument::Redo() {
    LoadText(FHistory.Redo(Text()));
    FDesigner->TFormDesigner::Modified();
    Changed();
}

void TDesignDocument::RemoveComponentsOf(void* module) {
    std::vector<TComponent*> doomed;
    for (int i = 0; i < FForm->ComponentCount(); ++i)
        if (FForm->Components(i)->ClassType().Module() == module) doomed.push_back(FForm->Components(i));
    FDesigner->SetSelection({FForm.get()});
    for (TComponent* c : doomed) delete c;
    if (!doomed.empty()) FDesigner->TFormDesigner::Modified();
    FHistory.Clear();
    Changed();
}
