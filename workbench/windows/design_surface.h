// The design form's window as a person uses it: the form designed is
// shown as it is, and every mouse and key message of the form and its
// controls comes here first (each control's WindowProc is ours while it is
// on the form) to place, select, drag, size, nudge, run component editors
// and offer their verbs. Components that are no controls show as small
// icons at their design position; the selection has handles.
//
// Changes to the document are made after the message that asked for them
// is done (posted to ourselves), since a change may free the very control
// whose message is being handled.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "model/design_document.h"

class TDesignSurface : public TObject {
public:
    explicit TDesignSurface(TDesignDocument& document);
    ~TDesignSurface() override;

    // After every change of the document: a new form is shown and hooked,
    // new controls are hooked, the handles follow the selection.
    void Refresh();
    // The class the next click on the form places (the palette's pick).
    const TClassInfo* PendingClass = nullptr;
    std::function<void()> OnPlaced;
    // Runs a component's editor (a double-click): the workbench refreshes.
    void EditComponent(TComponent* component);
    // Runs work once the current message is handled.
    void Defer(std::function<void()> work);
    // Pictures of non-visual components come from the palette; forgotten
    // when the palette changes.
    void ForgetPictures() { FPictures.clear(); }
    HWND FormWindow() const { return FHookedForm ? FHookedForm->Handle() : nullptr; }

private:
    struct Hook;
    enum class Drag { None, Move, Resize };

    void HookControls(TWinControl* parent);
    void Message(TControl* control, TMessage& m, const TWndMethod& old);
    void MouseDown(POINT p, bool shift, bool right);
    void MouseMove(POINT p);
    void MouseUp(POINT p);
    void KeyDown(WPARAM key);
    void ShowContextMenu(TComponent* component, POINT screen);
    void PaintIcons();
    void PlaceHandles();
    std::vector<RECT> HandleRects(const TDesignBounds& b) const;
    RECT DragRect(POINT p) const;
    void DrawDragRect(const RECT& r);
    POINT FormPoint() const;
    static LRESULT CALLBACK DeferredProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    TDesignDocument& FDocument;
    TForm* FHookedForm = nullptr;
    std::map<TControl*, std::unique_ptr<Hook>> FHooks;
    std::vector<HWND> FHandles;
    std::map<AnsiString, std::unique_ptr<TBitmap>> FPictures;
    HWND FDeferWindow = nullptr;
    std::vector<std::function<void()>> FDeferred;
    AnsiString FMoveSizeBefore;  // the form's text when the user began moving its window

    Drag FDrag = Drag::None;
    int FHandle = -1;           // which handle a resize drags: 0..7 clockwise from the top left
    TComponent* FDragged = nullptr;
    POINT FDragStart{};
    RECT FDragShown{};
    bool FDragDrawn = false;
    DWORD FLastDown = 0;
    TComponent* FLastDownComponent = nullptr;
};
