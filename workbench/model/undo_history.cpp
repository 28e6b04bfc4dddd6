#include "model/undo_history.h"

void TUndoHistory::Changed(const AnsiString& before) {
    FUndo.push_back(before);
    FRedo.clear();
}

AnsiString TUndoHistory::Undo(const AnsiString& current) {
    if (FUndo.empty()) throw EInvalidOperation("Nothing to undo");
    AnsiString text = std::move(FUndo.back());
    FUndo.pop_back();
    FRedo.push_back(current);
    return text;
}

AnsiString TUndoHistory::Redo(const AnsiString& current) {
    if (FRedo.empty()) throw EInvalidOperation("Nothing to redo");
    AnsiString text = std::move(FRedo.back());
    FRedo.pop_back();
    FUndo.push_back(current);
    return text;
}

void TUndoHistory::Clear() {
    FUndo.clear();
    FRedo.clear();
}
