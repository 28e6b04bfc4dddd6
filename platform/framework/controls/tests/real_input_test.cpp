// Controls driven with the real keyboard and mouse on a shown form: the
// tab order with Tab and Shift+Tab, Enter and Escape on a form's buttons,
// drag and drop (accepted, refused, cancelled with Escape), a popup menu
// picked with the keys, and a hint under a resting pointer.
#include "control_fixture.h"
#include "testing/real_input.h"

namespace {

using namespace suite::testing;

// What drag and drop reports, in order (moves over one target once).
struct TDragRecorder : TRecorder {
    void StartedDrag(TObject* sender) { Note(sender, "start"); }
    void EndedDrag(TObject* sender, TObject* target, int, int) { Note(sender, "end on " + NameOf(target)); }
    void Dropped(TObject* sender, TObject* source, int, int) { Note(source, "dropped on " + NameOf(sender)); }
    void Over(TObject* sender, TObject*, int, int, TDragState state, bool& accept, bool accepting) {
        static const char* const states[] = {"enter", "leave", "move"};
        AnsiString line = NameOf(sender) + " over " + states[state];
        if (Events.empty() || Events.back() != line) Events.push_back(line);
        accept = accepting;
    }
    void Accepting(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept) {
        Over(sender, source, x, y, state, accept, true);
    }
    void Refusing(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept) {
        Over(sender, source, x, y, state, accept, false);
    }
    void PressedForDrag(TObject* sender, TMouseButton, TShiftState, int, int) {
        static_cast<TControl*>(sender)->BeginDrag(true);
    }
};

class RealInput : public TControlFixture {
protected:
    void ShowForm() {
        Form->Show();
        Activate(Form->Handle());
        Pump();
    }
    static void Pump() {
        for (int i = 0; i < 5; ++i) {
            Application->ProcessMessages();
            Sleep(10);
        }
    }
    static void Key(WORD key, bool shift = false) {
        PressKey(key, shift);
        Pump();
    }
    static HWND WindowOf(TControl* control) {
        auto win = ObjectAs<TWinControl>(control);
        return win ? win->Handle() : control->Parent()->Handle();
    }
    static POINT Middle(TControl* control) {
        bool windowed = ObjectAs<TWinControl>(control) != nullptr;
        return POINT{(windowed ? 0 : control->Left()) + control->Width() / 2,
                     (windowed ? 0 : control->Top()) + control->Height() / 2};
    }
    void Drag(TControl* from, TControl* to, bool release = true) {
        DragWithMouse(WindowOf(from), Middle(from), WindowOf(to), Middle(to), Pump, release);
    }
};

TEST_F(RealInput, TabAndShiftTabFollowTheTabOrder) {
    TEdit* first = Make<TEdit>(Form.get(), "First", 10, 10, 80, 21);
    TEdit* second = Make<TEdit>(Form.get(), "Second", 10, 40, 80, 21);
    TButton* skipped = Make<TButton>(Form.get(), "Skipped", 10, 70, 80, 25);
    TEdit* disabled = Make<TEdit>(Form.get(), "Disabled", 10, 100, 80, 21);
    TPanel* box = Make<TPanel>(Form.get(), "Box", 150, 10, 200, 100);
    TEdit* inner = Make<TEdit>(box, "Inner", 10, 10, 80, 21);
    TEdit* leader = Make<TEdit>(Form.get(), "Leader", 10, 130, 80, 21);
    leader->SetTabOrder(0);
    skipped->SetTabStop(false);
    disabled->SetEnabled(false);
    EXPECT_EQ(first->TabOrder(), 1);
    EXPECT_EQ(box->TabOrder(), 5);
    for (TWinControl* c : std::initializer_list<TWinControl*>{first, second, inner, leader, box}) {
        c->OnEnter = TNotifyEvent(&Log, &TRecorder::Entered);
        c->OnExit = TNotifyEvent(&Log, &TRecorder::Exited);
    }
    ShowForm();
    EXPECT_TRUE(leader->Focused()) << "a form shows with the focus on the first in the tab order";
    Key(VK_TAB);
    Key(VK_TAB);
    EXPECT_TRUE(second->Focused());
    Key(VK_TAB);
    EXPECT_TRUE(inner->Focused()) << "the button without TabStop and the disabled edit are passed over";
    EXPECT_EQ(Form->ActiveControl(), inner);
    Key(VK_TAB);
    EXPECT_TRUE(leader->Focused()) << "round again";
    Key(VK_TAB, true);
    EXPECT_TRUE(inner->Focused());
    Key(VK_TAB, true);
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Leader enter", "Leader exit", "First enter", "First exit",
                                                   "Second enter", "Second exit", "Box enter", "Inner enter",
                                                   "Inner exit", "Box exit", "Leader enter", "Leader exit",
                                                   "Box enter", "Inner enter", "Inner exit", "Box exit",
                                                   "Second enter"}));
    EXPECT_EQ(first->Text(), "") << "Tab types nothing";
}

TEST_F(RealInput, EnterAndEscapePressTheFormsDefaultAndCancelButtons) {
    TEdit* edit = Make<TEdit>(Form.get(), "Edit", 10, 10, 80, 21);
    TButton* ok = Make<TButton>(Form.get(), "Ok", 10, 40, 75, 25);
    TButton* cancel = Make<TButton>(Form.get(), "Cancel", 100, 40, 75, 25);
    TButton* other = Make<TButton>(Form.get(), "Other", 190, 40, 75, 25);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    for (TButton* b : {ok, cancel, other}) b->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
    ShowForm();
    ASSERT_TRUE(edit->Focused());
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    other->SetFocus();
    Pump();
    Key(VK_RETURN);  // the focused button takes Enter
    Key(VK_SPACE);
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Ok click", "Cancel click", "Other click", "Other click"}));
    EXPECT_EQ(edit->Text(), "") << "no character reaches the edit";
}

class DragAndDrop : public RealInput {
protected:
    void SetUp() override {
        RealInput::SetUp();
        Source = Make<TPanel>(Form.get(), "Source", 10, 10, 60, 40);
        Source->SetDragMode(dmAutomatic);
        Source->OnStartDrag = TNotifyEvent(&Drags, &TDragRecorder::StartedDrag);
        Source->OnEndDrag = TEndDragEvent(&Drags, &TDragRecorder::EndedDrag);
        Taker = Make<TShape>(Form.get(), "Taker", 200, 10, 60, 60);
        Taker->OnDragOver = TDragOverEvent(&Drags, &TDragRecorder::Accepting);
        Taker->OnDragDrop = TDragDropEvent(&Drags, &TDragRecorder::Dropped);
        Refuser = Make<TPanel>(Form.get(), "Refuser", 200, 120, 60, 60);
        Refuser->OnDragOver = TDragOverEvent(&Drags, &TDragRecorder::Refusing);
        Refuser->OnDragDrop = TDragDropEvent(&Drags, &TDragRecorder::Dropped);
        ShowForm();
    }
    TPanel* Source = nullptr;
    TShape* Taker = nullptr;
    TPanel* Refuser = nullptr;
    TDragRecorder Drags;
};

TEST_F(DragAndDrop, ATargetThatAcceptsGetsTheDrop) {
    Drag(Source, Taker, false);
    EXPECT_TRUE(Source->Dragging());
    EXPECT_EQ(GetCursor(), CursorHandle(crDrag));
    LeftButton(false);
    Pump();
    EXPECT_FALSE(Source->Dragging());
    EXPECT_EQ(Drags.Events, (std::vector<AnsiString>{"Source start", "Taker over enter", "Taker over move",
                                                   "Source dropped on Taker", "Source end on Taker"}));
}

TEST_F(DragAndDrop, ATargetThatRefusesGetsNothingAndTheSourceHearsSo) {
    Drag(Source, Refuser, false);
    EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));
    LeftButton(false);
    Pump();
    EXPECT_EQ(Drags.Events, (std::vector<AnsiString>{"Source start", "Refuser over enter", "Refuser over move",
                                                   "Refuser over leave", "Source end on nothing"}));
}

TEST_F(DragAndDrop, EscapeCancelsADragStartedByTheApplication) {
    Source->SetDragMode(dmManual);
    Source->OnMouseDown = TMouseEvent(&Drags, &TDragRecorder::PressedForDrag);
    Drag(Source, Taker, false);
    ASSERT_TRUE(Source->Dragging());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Source->Dragging());
    LeftButton(false);
    Pump();
    EXPECT_EQ(Drags.Events, (std::vector<AnsiString>{"Source start", "Taker over enter", "Taker over move",
                                                   "Taker over leave", "Source end on nothing"}));
}

TEST_F(RealInput, ARightClickShowsThePopupMenuAndTheKeysPickAnItem) {
    auto menu = new TPopupMenu(Form.get());
    for (const char* name : {"Cut", "Copy"}) {
        auto item = new TMenuItem(Form.get());
        item->SetName(name);
        item->SetCaption(name);
        item->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
        menu->Items()->Add(item);
    }
    TShape* shape = Make<TShape>(Form.get(), "Shape", 20, 20, 50, 50);
    shape->SetPopupMenu(menu);
    ShowForm();
    POINT at{40, 40};
    ClientToScreen(Form->Handle(), &at);
    MovePointer(at);
    INPUT right[2] = {};
    right[0].type = right[1].type = INPUT_MOUSE;
    right[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    right[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(2, right, sizeof(INPUT));
    // The keys wait in the queue until the menu reads them.
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Copy click"}));
    EXPECT_EQ(menu->PopupComponent(), shape);
}

TEST_F(RealInput, AHintShowsWhileThePointerRestsOnItsControl) {
    TEdit* edit = Make<TEdit>(Form.get(), "Edit", 10, 10, 100, 21);
    edit->SetHint("Type a name");
    edit->SetShowHint(true);
    TPanel* quiet = Make<TPanel>(Form.get(), "Quiet", 10, 60, 100, 40);
    quiet->SetHint("Never shown");
    ShowForm();
    auto shown = [] {
        HWND hint = FindWindowA("THintWindow", nullptr);
        return hint && IsWindowVisible(hint) ? hint : nullptr;
    };
    auto moveTo = [this](int x, int y) {
        POINT p{x, y};
        ClientToScreen(Form->Handle(), &p);
        MovePointer(p);
    };
    moveTo(30, 20);
    ASSERT_TRUE(WaitUntil([&] { Pump(); return shown() != nullptr; }, 3000));
    char text[64];
    GetWindowTextA(shown(), text, sizeof text);
    EXPECT_STREQ(text, "Type a name");
    moveTo(30, 80);
    EXPECT_TRUE(WaitUntil([&] { Pump(); return shown() == nullptr; }, 3000)) << "gone when the pointer leaves";
    WaitUntil([] { Pump(); return false; }, 800);
    EXPECT_EQ(shown(), nullptr) << "a control without ShowHint shows none";
}

}  // namespace
