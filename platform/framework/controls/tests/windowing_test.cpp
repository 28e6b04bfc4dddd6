// The windowing seam through real windows: controls over platform
// classes, notifications reflected to the child that sent them, windows
// that move between parents, plain parent windows, painting into any
// context, a window method a host can replace, and what a host sends.
#include <gtest/gtest.h>

#include "framework/controls/window_binding.h"
#include "framework/controls/window_classes.h"
#include "control_fixture.h"
#include "testing/memory_canvas.h"
#include "testing/screenshot.h"
#include "testing/fake_site.h"

namespace {

// A host's window method: notes each message, then passes it on.
struct THost : TObject {
    TWndMethod Next;
    std::vector<UINT> Seen;
    void Hook(TMessage& m) {
        Seen.push_back(m.Msg);
        Next(m);
    }
};

using Windowing = TControlFixture;

TEST_F(Windowing, AnEditIsThePlatformsEditBehindTheFrameworksOneProcedure) {
    TEdit* edit = Make<TEdit>(Form.get(), "Edit1", 10, 10, 100, 21);
    edit->OnChange = TNotifyEvent(&Log, &TRecorder::Changed);
    HWND window = edit->Handle();
    char name[32];
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "TEdit");
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE)), FrameInstance());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &FrameWindowProc);
    EXPECT_EQ(FindControl(window), edit);

    // Typing is the platform's: characters the framework passes on.
    SendMessageA(window, WM_CHAR, 'o', 0);
    SendMessageA(window, WM_CHAR, 'k', 0);
    EXPECT_EQ(edit->Text(), "ok");
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Edit1 change", "Edit1 change"}));

    // A host puts its method in front and later takes it away again.
    THost host;
    host.Next = edit->WindowProc;
    edit->WindowProc = TWndMethod(&host, &THost::Hook);
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hooked"));
    EXPECT_EQ(edit->Text(), "hooked");
    ASSERT_FALSE(host.Seen.empty());
    EXPECT_EQ(host.Seen.front(), static_cast<UINT>(WM_SETTEXT));
    edit->WindowProc = host.Next;
    size_t seen = host.Seen.size();
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("plain"));
    EXPECT_EQ(host.Seen.size(), seen);
    EXPECT_EQ(edit->Text(), "plain");
}

TEST_F(Windowing, ANotificationReachesTheControlThatSentIt) {
    TButton* button = Make<TButton>(Form.get(), "Button1", 10, 10, 75, 25);
    button->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
    Form->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Button1 click"}));

    // The edit answers its parent's colour request with its own colours.
    TEdit* edit = Make<TEdit>(Form.get(), "Edit1", 10, 50, 100, 21);
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clNavy);
    suite::testing::MemoryCanvas canvas(4, 4);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(Form->Handle(), WM_CTLCOLOREDIT,
                                                       reinterpret_cast<WPARAM>(canvas.dc),
                                                       reinterpret_cast<LPARAM>(edit->Handle())));
    EXPECT_EQ(brush, edit->Brush()->Handle());
    EXPECT_EQ(GetBkColor(canvas.dc), ColorToRGB(clYellow));
    EXPECT_EQ(GetTextColor(canvas.dc), ColorToRGB(clNavy));

    // An owner-drawn list asks to be measured by its identifier alone.
    TListBox* first = Make<TListBox>(Form.get(), "List1", 10, 80, 100, 40);
    TListBox* second = Make<TListBox>(Form.get(), "List2", 10, 130, 100, 40);
    THost host;
    host.Next = second->WindowProc;
    second->WindowProc = TWndMethod(&host, &THost::Hook);
    ASSERT_NE(GetDlgCtrlID(first->Handle()), GetDlgCtrlID(second->Handle()));
    MEASUREITEMSTRUCT measure{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(second->Handle())), 0, 0, 0, 0};
    SendMessageA(Form->Handle(), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(host.Seen, (std::vector<UINT>{CN_BASE + WM_MEASUREITEM}));
    second->WindowProc = host.Next;
}

TEST_F(Windowing, AControlTakesItsWindowAlongToANewParent) {
    TPanel* first = Make<TPanel>(Form.get(), "First", 0, 0, 150, 100);
    TPanel* second = Make<TPanel>(Form.get(), "Second", 160, 0, 150, 100);
    TEdit* edit = Make<TEdit>(first, "Edit1", 5, 5, 100, 21);
    edit->OnChange = TNotifyEvent(&Log, &TRecorder::Changed);
    HWND window = edit->Handle();
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));

    edit->SetParent(second);
    EXPECT_EQ(edit->Handle(), window);
    EXPECT_EQ(GetParent(window), second->Handle());
    EXPECT_EQ(edit->Text(), "typed");

    // Without a parent it waits in the parking window, still notifying.
    edit->SetParent(nullptr);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), ParkingWindow());
    Log.Events.clear();
    SendMessageA(window, EM_SETSEL, 5, 5);
    SendMessageA(window, WM_CHAR, '!', 0);
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Edit1 change"}));

    // A parent without a window yet takes it once its window is made.
    TForm later(nullptr);
    edit->SetParent(&later);
    EXPECT_EQ(GetParent(window), ParkingWindow());
    later.HandleNeeded();
    EXPECT_EQ(GetParent(window), later.Handle());
    EXPECT_EQ(edit->Handle(), window);
    EXPECT_EQ(edit->Text(), "typed!");
    delete edit;
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Windowing, APlainWindowParentsAControlThatPaintsIntoAnyContext) {
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 300, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    std::unique_ptr<TPanel> panel(CreateParentedControl<TPanel>(host));
    panel->SetBounds(0, 0, 120, 60);
    panel->SetColor(clYellow);
    auto bar = new TProgressBar(panel.get());
    bar->SetParent(panel.get());
    bar->SetBounds(10, 30, 100, 20);
    bar->SetPosition(50);
    auto dot = new TShape(panel.get());
    dot->SetParent(panel.get());
    dot->SetBounds(100, 5, 15, 15);
    dot->Brush()->SetColor(clRed);
    EXPECT_EQ(panel->ParentWindow(), host);
    EXPECT_EQ(GetParent(panel->Handle()), host);
    EXPECT_EQ(GetParent(bar->Handle()), panel->Handle());

    suite::testing::MemoryCanvas canvas(200, 120);
    panel->PaintTo(canvas.dc, 40, 30);
    auto image = canvas.Read();
    EXPECT_EQ(image.At(5, 5), 0xFFFFFFu) << "outside the control nothing is drawn";
    EXPECT_EQ(image.At(40, 30), Rgb(clBtnHighlight)) << "the raised bevel";
    EXPECT_EQ(image.At(40 + 119, 30 + 59), Rgb(clBtnShadow));
    EXPECT_EQ(image.At(40 + 50, 30 + 10), Rgb(clYellow));
    EXPECT_EQ(image.At(40 + 107, 30 + 12), Rgb(clRed)) << "the graphic child";
    uint32_t filled = image.At(40 + 20, 30 + 40), empty = image.At(40 + 100, 30 + 40);
    EXPECT_NE(filled, empty) << "the progress bar's own painting, half full";
    EXPECT_NE(empty, Rgb(clYellow));

    panel.reset();
    DestroyWindow(host);
}

TEST_F(Windowing, AHostTellsAControlOfItsFontAndColour) {
    std::unique_ptr<TCheckBox> box(CreateParentedControl<TCheckBox>(ParkingWindow()));
    HWND window = box->Handle();
    ASSERT_TRUE(box->ParentColor());
    SendMessageA(window, CM_PARENTCOLORCHANGED, 1, clRed);
    EXPECT_EQ(box->Color(), clRed);
    EXPECT_TRUE(box->ParentColor());

    TFont font;
    font.SetName("Arial");
    font.SetHeight(-20);
    SendMessageA(window, CM_PARENTFONTCHANGED, 1, reinterpret_cast<LPARAM>(&font));
    EXPECT_EQ(box->Font()->Name(), "Arial");
    EXPECT_EQ(box->Font()->Height(), -20);
    EXPECT_TRUE(box->ParentFont());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), box->Font()->Handle());

    // A control with a colour and font of its own keeps them.
    box->SetColor(clBlue);
    box->Font()->SetHeight(-9);
    SendMessageA(window, CM_PARENTCOLORCHANGED, 1, clLime);
    SendMessageA(window, CM_PARENTFONTCHANGED, 1, reinterpret_cast<LPARAM>(&font));
    EXPECT_EQ(box->Color(), clBlue);
    EXPECT_EQ(box->Font()->Height(), -9);
}

TEST_F(Windowing, AlignedChildrenFillTheClientAreaAgainAfterEveryResize) {
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    TPanel* lower = Make<TPanel>(Form.get(), "Lower", 0, 50, 10, 20);
    TPanel* upper = Make<TPanel>(Form.get(), "Upper", 0, 0, 10, 30);
    TPanel* bottom = Make<TPanel>(Form.get(), "Bottom", 0, 0, 10, 25);
    TPanel* left = Make<TPanel>(Form.get(), "Left", 0, 0, 40, 10);
    TPanel* right = Make<TPanel>(Form.get(), "Right", 0, 0, 50, 10);
    TPanel* rest = Make<TPanel>(Form.get(), "Rest", 0, 0, 10, 10);
    lower->SetAlign(alTop);
    upper->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    right->SetAlign(alRight);
    rest->SetAlign(alClient);
    auto bounds = [](TControl* c) {
        return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()};
    };
    // The higher of two top panels stays on top whatever their order.
    EXPECT_EQ(bounds(upper), (std::vector<int>{0, 0, 300, 30}));
    EXPECT_EQ(bounds(lower), (std::vector<int>{0, 30, 300, 20}));
    EXPECT_EQ(bounds(bottom), (std::vector<int>{0, 175, 300, 25}));
    EXPECT_EQ(bounds(left), (std::vector<int>{0, 50, 40, 125}));
    EXPECT_EQ(bounds(right), (std::vector<int>{250, 50, 50, 125}));
    EXPECT_EQ(bounds(rest), (std::vector<int>{40, 50, 210, 125}));

    Form->HandleNeeded();
    SetWindowPos(Form->Handle(), nullptr, 0, 0, Form->Width() + 100, Form->Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(bounds(bottom), (std::vector<int>{0, 215, 400, 25}));
    EXPECT_EQ(bounds(right), (std::vector<int>{350, 50, 50, 165}));
    EXPECT_EQ(bounds(rest), (std::vector<int>{40, 50, 310, 165}));

    // Inside a panel the children fill the area within its bevel.
    TPanel* inner = Make<TPanel>(rest, "Inner", 0, 0, 10, 10);
    inner->SetAlign(alClient);
    EXPECT_EQ(bounds(inner), (std::vector<int>{1, 1, 308, 163}));
}

TEST_F(Windowing, AHiddenChildGetsItsWindowWhenFirstShownInItsPlaceAmongItsSiblings) {
    TPanel* first = Make<TPanel>(Form.get(), "First", 0, 0, 50, 50);
    TPanel* hidden = Make<TPanel>(Form.get(), "Hidden", 10, 10, 50, 50);
    TPanel* last = Make<TPanel>(Form.get(), "Last", 20, 20, 50, 50);
    hidden->SetVisible(false);
    Form->HandleNeeded();
    EXPECT_TRUE(first->HandleAllocated());
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_TRUE(last->HandleAllocated());

    hidden->SetVisible(true);
    ASSERT_TRUE(hidden->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(hidden->Handle()) || !IsWindowVisible(Form->Handle()));
    // Stacked as if made in order: the first control on top.
    EXPECT_EQ(GetWindow(first->Handle(), GW_HWNDNEXT), hidden->Handle());
    EXPECT_EQ(GetWindow(hidden->Handle(), GW_HWNDNEXT), last->Handle());
}

// A panel that reads its window from a property, as a clock starting its
// timer does, and counts the moves its window is told of.
class TEagerPanel : public TPanel {
    FRAME_CLASS(TEagerPanel, TPanel)
public:
    using TPanel::TPanel;
    bool Eager() const { return HandleAllocated(); }
    void SetEager(bool) { Handle(); }
    int Moves = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_WINDOWPOSCHANGED) ++Moves;
        TPanel::WndProc(m);
    }
};

const TClassInfo& TEagerPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TEagerPanel>::Creatable("TEagerPanel", TPanel::StaticClass(), [](auto& c) {
            c.Property("Eager", &TEagerPanel::Eager, &TEagerPanel::SetEager);
        });
    return info;
}

TEST_F(Windowing, AControlReadAfterItsParentsWindowIsMadeGetsItsOwnWindowWithItsFinalBounds) {
    RegisterClasses({&TEagerPanel::StaticClass()});
    TForm form(nullptr);
    ReadFormText(&form,
                 "TForm Eager {\n"
                 "  TEagerPanel First {\n    Left = 8\n    Top = 8\n    Eager = true\n  }\n"
                 "  TEagerPanel Second {\n    Left = 60\n    Top = 12\n    Width = 50\n    Height = 30\n  }\n"
                 "}\n",
                 "EAGER");
    auto second = ObjectAs<TEagerPanel>(form.FindComponent("Second"));
    ASSERT_TRUE(form.HandleAllocated()) << "the first panel's property made the form's window";
    ASSERT_TRUE(second->HandleAllocated());
    EXPECT_EQ(second->Moves, 0) << "made where it belongs, not moved there property by property";
    RECT box;
    GetWindowRect(second->Handle(), &box);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ((std::vector<LONG>{box.left, box.top, box.right, box.bottom}), (std::vector<LONG>{60, 12, 110, 42}));
}

TEST_F(Windowing, WhatChangedWhileTheFormWasHiddenShowsWhenItIs) {
    auto panel = Make<TPanel>(Form.get(), "Panel", 10, 10, 60, 40);
    auto label = Make<TLabel>(Form.get(), "Label", 100, 10, 60, 20);
    label->SetAutoSize(false);
    Form->Show();
    suite::testing::PumpMessages();
    Form->Hide();
    panel->SetColor(clYellow);   // invalidations of windows off the screen are skipped
    label->SetColor(clAqua);
    Form->Show();
    suite::testing::PumpMessages();
    auto shot = suite::testing::CaptureClientArea(Form->Handle());
    EXPECT_EQ(shot.At(30, 30), Rgb(clYellow));
    EXPECT_EQ(shot.At(130, 15), Rgb(clAqua));
}

// A framework-painted control with a frame of the platform's.
struct TFramedPanel : TPanel {
    using TPanel::TPanel;
    void CreateParams(TCreateParams& params) override {
        TPanel::CreateParams(params);
        params.Style |= WS_BORDER;
    }
};

TEST_F(Windowing, OnlyAChildWithAFrameHasItsFramePainted) {
    Form->SetClientWidth(200);
    Form->SetClientHeight(100);
    Form->SetColor(clWhite);
    auto bare = Make<TPanel>(Form.get(), "Bare", 10, 10, 60, 40);
    auto framed = new TFramedPanel(Form.get());
    framed->SetParent(Form.get());
    framed->SetBounds(100, 10, 60, 40);
    bare->SetColor(clYellow);
    framed->SetColor(clYellow);
    Form->Show();
    suite::testing::PumpMessages();
    auto shot = suite::testing::CaptureClientArea(Form->Handle());
    EXPECT_EQ(shot.At(10, 10), Rgb(clBtnHighlight)) << "the bare panel's own bevel, at its edge";
    EXPECT_EQ(shot.At(100, 10), Rgb(clWindowFrame)) << "the frame, outside the panel's client area";
    EXPECT_EQ(shot.At(100 + 1, 10 + 1), Rgb(clBtnHighlight)) << "the bevel inside the frame";
}

}  // namespace
