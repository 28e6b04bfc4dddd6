// The property inspector without its window: the published properties and
// the events of the designer's selection, each edited by the editor the
// framework's registry gives it (GetPropertyEditors), sub-properties shown
// under an expanded row. Rows are addressed by their place in Rows(page).
// Every edit goes through the document, so it can be undone.
#pragma once
#include <memory>
#include <set>
#include <vector>

#include "model/design_document.h"

enum class TInspectorPage { Properties, Events };

struct TInspectorRow {
    AnsiString Name;
    AnsiString Value;  // "" when the selected objects differ
    int Depth;         // 0 for a property, 1 for its sub-property...
    TPropertyAttributes Attributes;
    bool Expanded;
};

class TInspectorModel {
public:
    explicit TInspectorModel(TDesignDocument& document);
    ~TInspectorModel();
    TInspectorModel(const TInspectorModel&) = delete;
    TInspectorModel& operator=(const TInspectorModel&) = delete;

    // Makes the editors for the document's selection afresh (after every
    // change: the form may be a new one). Expanded rows stay expanded.
    void Refresh();
    // Frees every editor (before the package that made one goes).
    void Clear();

    std::vector<TInspectorRow> Rows(TInspectorPage page) const;
    // The row's editor; Rows shows what it says.
    TPropertyEditor& Editor(TInspectorPage page, int row) const;
    // paValueList: what the drop-down offers (sorted with paSortList).
    std::vector<AnsiString> Values(TInspectorPage page, int row) const;
    // Typed text: the editor's SetValue, undoable; its error goes on and
    // nothing changes.
    void SetValue(TInspectorPage page, int row, const AnsiString& text);
    // paDialog: the ellipsis button.
    void Edit(TInspectorPage page, int row);
    // paSubProperties: shows or hides the sub-properties.
    void ToggleExpanded(TInspectorPage page, int row);
    // The row named by a dotted path ("ClockAttributes.Shape"); -1 when
    // none shows.
    int Find(TInspectorPage page, const AnsiString& path) const;

private:
    struct Node {
        std::unique_ptr<TPropertyEditor> Editor;
        AnsiString Path;
        int Depth;
        std::vector<Node> Children;  // made when first expanded
    };
    std::vector<Node*> Flatten(TInspectorPage page) const;
    Node& At(TInspectorPage page, int row) const;
    void Expand(Node& node);

    TDesignDocument& FDocument;
    std::vector<Node> FProperties, FEvents;
    std::set<AnsiString> FExpanded;  // paths
};
