#include "model/inspector_model.h"

#include <algorithm>
#include <functional>

namespace {

bool IsEvent(TPropertyEditor& editor) { return editor.GetPropType()->Kind == TTypeKind::Method; }

}  // namespace

TInspectorModel::TInspectorModel(TDesignDocument& document) : FDocument(document) { Refresh(); }

TInspectorModel::~TInspectorModel() = default;

void TInspectorModel::Clear() {
    FProperties.clear();
    FEvents.clear();
}

void TInspectorModel::Refresh() {
    Clear();
    std::vector<TPersistent*> selection = FDocument.Designer().Selection();
    if (selection.empty()) selection.push_back(FDocument.Form());
    for (auto& editor : GetPropertyEditors(selection, &FDocument.Designer())) {
        bool event = IsEvent(*editor);
        AnsiString name = editor->GetName();
        Node node{std::move(editor), name, 0, {}};
        if (FExpanded.count(node.Path)) Expand(node);
        (event ? FEvents : FProperties).push_back(std::move(node));
    }
}

void TInspectorModel::Expand(Node& node) {
    if (!node.Editor->GetAttributes().Contains(paSubProperties)) return;
    node.Children.clear();
    for (auto& editor : node.Editor->GetProperties()) {
        AnsiString path = node.Path + "." + editor->GetName();
        Node child{std::move(editor), path, node.Depth + 1, {}};
        if (FExpanded.count(path)) Expand(child);
        node.Children.push_back(std::move(child));
    }
}

std::vector<TInspectorModel::Node*> TInspectorModel::Flatten(TInspectorPage page) const {
    std::vector<Node*> rows;
    std::function<void(const std::vector<Node>&)> walk = [&](const std::vector<Node>& nodes) {
        for (const Node& n : nodes) {
            rows.push_back(const_cast<Node*>(&n));
            if (FExpanded.count(n.Path)) walk(n.Children);
        }
    };
    walk(page == TInspectorPage::Events ? FEvents : FProperties);
    return rows;
}

TInspectorModel::Node& TInspectorModel::At(TInspectorPage page, int row) const {
    std::vector<Node*> rows = Flatten(page);
    if (row < 0 || row >= static_cast<int>(rows.size())) throw EListError("No inspector row " + IntToStr(row));
    return *rows[static_cast<size_t>(row)];
}

std::vector<TInspectorRow> TInspectorModel::Rows(TInspectorPage page) const {
    std::vector<TInspectorRow> rows;
    for (Node* n : Flatten(page)) {
        TPropertyEditor& e = *n->Editor;
        rows.push_back({e.GetName(), e.AllEqual() ? e.GetValue() : AnsiString(), n->Depth, e.GetAttributes(),
                        FExpanded.count(n->Path) > 0});
    }
    return rows;
}

TPropertyEditor& TInspectorModel::Editor(TInspectorPage page, int row) const { return *At(page, row).Editor; }

std::vector<AnsiString> TInspectorModel::Values(TInspectorPage page, int row) const {
    TPropertyEditor& e = Editor(page, row);
    if (!e.GetAttributes().Contains(paValueList)) return {};
    std::vector<AnsiString> values = e.GetValues();
    if (e.GetAttributes().Contains(paSortList)) std::sort(values.begin(), values.end());
    return values;
}

void TInspectorModel::SetValue(TInspectorPage page, int row, const AnsiString& text) {
    TPropertyEditor& e = Editor(page, row);
    // The form may be made anew (when a change fails): the editors too.
    try {
        FDocument.Change([&] { e.SetValue(text); });
    } catch (...) {
        Refresh();
        throw;
    }
    Refresh();
}

void TInspectorModel::Edit(TInspectorPage page, int row) {
    TPropertyEditor& e = Editor(page, row);
    try {
        FDocument.Change([&] { e.Edit(); });
    } catch (...) {
        Refresh();
        throw;
    }
    Refresh();
}

void TInspectorModel::ToggleExpanded(TInspectorPage page, int row) {
    Node& n = At(page, row);
    if (!n.Editor->GetAttributes().Contains(paSubProperties)) return;
    if (FExpanded.erase(n.Path) == 0) {
        FExpanded.insert(n.Path);
        Expand(n);
    }
}

int TInspectorModel::Find(TInspectorPage page, const AnsiString& path) const {
    std::vector<Node*> rows = Flatten(page);
    for (size_t i = 0; i < rows.size(); ++i)
        if (SameText(rows[i]->Path, path)) return static_cast<int>(i);
    return -1;
}
