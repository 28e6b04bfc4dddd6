// The form being designed, without any window: placing components, the
// selection, moving and sizing, deleting, stacking order, undo and redo,
// the clipboard, and the form file. Every change goes through Change, which
// keeps the form text from before it for Undo; undoing and redoing build
// the form afresh from the kept text, so the form text after an undo is the
// text before the change, exactly.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "framework/framework.h"
#include "model/component_bounds.h"
#include "model/undo_history.h"
#include "model/workbench_designer.h"

class TDesignDocument {
public:
    TDesignDocument();
    ~TDesignDocument();
    TDesignDocument(const TDesignDocument&) = delete;
    TDesignDocument& operator=(const TDesignDocument&) = delete;

    // The form and its designer; both are made anew by New, Open, Undo,
    // Redo, Paste and the stacking commands (OnChanged tells when).
    TForm* Form() const { return FForm.get(); }
    TFormDesigner& Designer() const { return *FDesigner; }
    AnsiString Text() const;
    bool Modified() const { return FDesigner->IsModified(); }
    const AnsiString& FileName() const { return FFileName; }

    // Views refresh: the form or the selection changed.
    std::function<void()> OnChanged;

    int Grid = 8;

    // Files in the framework's form text.
    void New();
    void Open(const AnsiString& path);
    void Save(const AnsiString& path);

    // The selected components; none means the form itself.
    std::vector<TComponent*> Selection() const;
    // null selects the form; add (Shift) adds to the selection or, for a
    // component already in it, takes it out.
    void Select(TComponent* component, bool add = false);
    void SelectComponents(const std::vector<TComponent*>& components);
    // The topmost component at a point of the form's client area; null for
    // the form itself.
    TComponent* ComponentAt(int x, int y) const;

    // Each change below can be undone.
    // A component of cls at the grid point nearest x, y, with a unique
    // name, selected.
    TComponent* Place(const TClassInfo& cls, int x, int y);
    // Drags end here: the selection moved by dx, dy, its corner snapped.
    void MoveSelection(int dx, int dy, bool snap = true);
    void ResizeSelection(int dw, int dh, bool snap = true);
    void SetBounds(TComponent* component, const TDesignBounds& bounds);
    // Arrow keys move the selection one pixel; with Shift they size it.
    void Nudge(UINT virtualKey, bool shift);
    void DeleteSelection();
    void BringToFront();
    void SendToBack();
    // Any other change (an editor, the inspector): kept for Undo when the
    // form text changed, and then the form is modified. When change raises,
    // the form is put back as it was and the error goes on.
    void Change(const std::function<void()>& change);

    // A change made outside the document (the form's window moved or
    // sized by the user), kept for Undo when the text differs from before.
    void ChangedSince(const AnsiString& before);

    bool CanUndo() const { return FHistory.CanUndo(); }
    bool CanRedo() const { return FHistory.CanRedo(); }
    void Undo();
    void Redo();

    // The selected components as form text, one block each.
    AnsiString SelectionText() const;
    // Adds the components of such text to the form (renamed when their
    // names are taken), selected. Raises EReadError for text that is none.
    void PasteText(const AnsiString& text);
    // The same through the platform's clipboard, as Unicode text.
    void Copy();
    void Cut();
    void Paste();

    // The components of a package's classes go before the package does;
    // what Undo kept may name them, so it is forgotten.
    void RemoveComponentsOf(void* module);

private:
    void LoadText(const AnsiString& text);
    void ChangeText(const std::function<void(TFormNode&)>& edit);
    void Changed();
    std::vector<AnsiString> SelectedNames() const;
    void SelectNames(const std::vector<AnsiString>& names);

    std::unique_ptr<TForm> FForm;
    std::unique_ptr<TWorkbenchDesigner> FDesigner;
    TUndoHistory FHistory;
    AnsiString FFileName;
    bool FInChange = false;  // the designer's Modified is told once, at the end
};
