// Undo and redo as snapshots of the form text: every change keeps the text
// the form had before it, so undoing reads back exactly that text.
#pragma once
#include <vector>

#include "framework/framework.h"

class TUndoHistory {
public:
    // A change was made: before is the text the form had; redo is lost.
    void Changed(const AnsiString& before);
    bool CanUndo() const { return !FUndo.empty(); }
    bool CanRedo() const { return !FRedo.empty(); }
    // The text to go back to; current is kept for Redo.
    AnsiString Undo(const AnsiString& current);
    AnsiString Redo(const AnsiString& current);
    void Clear();

private:
    std::vector<AnsiString> FUndo, FRedo;
};
