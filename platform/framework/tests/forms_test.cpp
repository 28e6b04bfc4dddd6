// Forms built from their resources, input routing, timers, painting and
// the application's handling of exceptions from event handlers. The same
// tests run against the static library and the runtime package.
#include <gtest/gtest.h>

#include "testing/screenshot.h"
#include "probe_form.h"

namespace {

struct Forms : ::testing::Test {
    TProbeForm* Probe = nullptr;
    std::vector<AnsiString> Errors;

    void SetUp() override {
        Application->CreateForm(Probe);
    }
    void TearDown() override {
        delete Probe;
        Application->OnException = {};
    }
    void Pump(DWORD milliseconds) {
        DWORD end = GetTickCount() + milliseconds;
        do {
            Application->ProcessMessages();
            Sleep(5);
        } while (static_cast<int>(end - GetTickCount()) > 0);
    }
    void ClickAt(int x, int y) {
        SendMessageA(Probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(Probe->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(Forms, AreBuiltFromTheirResourceAfterTheConstructors) {
    ASSERT_NE(Probe, nullptr);
    EXPECT_EQ(Application->MainForm(), Probe);
    EXPECT_EQ(Probe->Name(), "ProbeForm");
    ASSERT_NE(Probe->Back, nullptr);
    ASSERT_NE(Probe->Ticker, nullptr);
    EXPECT_EQ(Probe->Back->Parent(), Probe);
    EXPECT_EQ(Probe->ControlCount(), 4);
    auto icon = ObjectAs<TIcon>(Probe->Badge->Picture()->Graphic());  // the content says it is an icon
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_NE(icon->Handle(), nullptr);
    EXPECT_EQ(Probe->Caption(), "Probe");
    EXPECT_EQ(Probe->Color(), clWhite);
    EXPECT_EQ(Probe->Cursor(), crCross);
    EXPECT_FALSE(Probe->HorzScrollBar()->Visible());
    EXPECT_TRUE(Probe->VertScrollBar()->Visible());  // absent: the constructor's value
    EXPECT_EQ(Probe->ClientWidth(), 200);
    EXPECT_EQ(Probe->Width(), 200);  // no border
    EXPECT_EQ(Probe->Ticker->Interval(), 20u);
    EXPECT_TRUE(Probe->Ticker->Enabled());
    // The ground strip is the game's 8-bit bitmap, aligned to the bottom.
    auto ground = ObjectAs<TBitmap>(Probe->Ground->Picture()->Graphic());
    ASSERT_NE(ground, nullptr);
    EXPECT_EQ(ground->Width(), 1600);
    EXPECT_EQ(ground->PixelFormat(), pf8bit);
    EXPECT_EQ(Probe->Ground->Top(), 80);
    EXPECT_FALSE(Probe->Visible());
}

TEST_F(Forms, TheWriterGivesBackWhatTheResourceSays) {
    AnsiString text = WriteFormText(Probe);
    TProbeForm* copy = static_cast<TProbeForm*>(new TProbeForm(nullptr));
    ReadFormText(copy, text, "COPY");
    EXPECT_EQ(WriteFormText(copy), text);
    EXPECT_NE(text.find("OnClick = FrontClick"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("\n  Visible ="), AnsiString::npos) << text;  // a hidden form is the default
    delete copy;
}

TEST_F(Forms, TheTopMostControlUnderThePointerGetsTheClick) {
    Probe->Show();
    ClickAt(40, 40);   // where Front lies over Back
    ClickAt(15, 15);   // Back alone
    ClickAt(150, 20);  // the form's background
    EXPECT_EQ(Probe->Clicks, (std::vector<AnsiString>{"down 10,10", "front", "back", "form"}));
    EXPECT_EQ(Probe->Shows, 1);
}

struct HoverLog : TObject {
    std::vector<AnsiString> Events;
    void Enter(TObject* sender) { Events.push_back("enter " + static_cast<TComponent*>(sender)->Name()); }
    void Leave(TObject* sender) { Events.push_back("leave " + static_cast<TComponent*>(sender)->Name()); }
};

TEST_F(Forms, ThePointerEntersAndLeavesGraphicControls) {
    HoverLog log;
    for (TImage* image : {Probe->Back, Probe->Front}) {
        image->OnMouseEnter = TNotifyEvent(&log, &HoverLog::Enter);
        image->OnMouseLeave = TNotifyEvent(&log, &HoverLog::Leave);
    }
    Probe->Show();
    auto move = [&](int x, int y) { SendMessageA(Probe->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
    move(15, 15);
    move(16, 16);  // still over Back
    move(40, 40);  // Front lies over Back here
    move(150, 20);
    move(40, 40);
    SendMessageA(Probe->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log.Events, (std::vector<AnsiString>{"enter Back", "leave Back", "enter Front", "leave Front",
                                                    "enter Front", "leave Front"}));
}

TEST_F(Forms, AClickIsAPressAndAReleaseOnTheSameControl) {
    Probe->Show();
    SendMessageA(Probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    SendMessageA(Probe->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 20));  // released elsewhere
    EXPECT_TRUE(Probe->Clicks.empty());

    // Released over a control or the form after a press somewhere else
    // (another window, or this one came under a held button).
    SendMessageA(Probe->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    SendMessageA(Probe->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 20));
    EXPECT_TRUE(Probe->Clicks.empty());

    // A press whose window lost the mouse before the release.
    SendMessageA(Probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    ASSERT_EQ(GetCapture(), Probe->Handle());
    ReleaseCapture();
    SendMessageA(Probe->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    EXPECT_TRUE(Probe->Clicks.empty());

    ClickAt(15, 15);
    ClickAt(150, 20);
    EXPECT_EQ(Probe->Clicks, (std::vector<AnsiString>{"back", "form"}));
}

TEST_F(Forms, TypedCharactersReachOnKeyPress) {
    Probe->Show();
    for (char c : AnsiString("wA1")) PostMessageA(Probe->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    Pump(50);
    EXPECT_EQ(Probe->Typed, "wA1");
}

TEST_F(Forms, TimersTickWhileTheFormIsHidden) {
    ASSERT_FALSE(Probe->Visible());
    Pump(300);
    EXPECT_GE(Probe->Ticks, 3);
    Probe->Ticker->SetEnabled(false);
    int ticks = Probe->Ticks;
    Pump(100);
    EXPECT_EQ(Probe->Ticks, ticks);
}

// The timers of a thread share one window: freeing a form with a tick
// queued must neither call into it nor stop the timers of the next.
TEST_F(Forms, TimersOfFormsFreedAndMadeAgainTickOnTheirOwn) {
    Pump(150);
    TProbeForm* second = nullptr;
    Application->CreateForm(second);
    ASSERT_NE(second, nullptr);
    Sleep(150);  // ticks for both queued
    delete second;
    Pump(300);
    EXPECT_GE(Probe->Ticks, 4);

    TProbeForm* third = nullptr;
    Application->CreateForm(third);
    ASSERT_NE(third, nullptr);
    Probe->Ticker->SetEnabled(false);
    int ticks = Probe->Ticks;
    Pump(300);
    EXPECT_GE(third->Ticks, 3);
    EXPECT_EQ(Probe->Ticks, ticks);
    delete third;
}

struct ErrorSink : TObject {
    std::vector<AnsiString> Messages;
    void Record(TObject*, const std::exception& e) { Messages.push_back(e.what()); }
};

TEST_F(Forms, AnExceptionFromAHandlerIsReportedAndTheLoopGoesOn) {
    ErrorSink sink;
    Application->OnException = TExceptionEvent(&sink, &ErrorSink::Record);
    Probe->Show();
    Probe->ThrowOnClick = true;
    ClickAt(150, 20);
    ClickAt(150, 20);
    EXPECT_EQ(sink.Messages, (std::vector<AnsiString>{"boom from a handler", "boom from a handler"}));
    EXPECT_EQ(Probe->Clicks.size(), 2u);
}

TEST_F(Forms, CloseHidesAFormAndEndsTheProgramOnTheMainForm) {
    TProbeForm* second = nullptr;
    Application->CreateForm(second);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Name(), "ProbeForm_1");  // a second instance of the same form
    second->Show();
    EXPECT_TRUE(IsWindowVisible(second->Handle()));
    second->Close();
    EXPECT_FALSE(second->Visible());
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    EXPECT_FALSE(Application->Terminated());
    delete second;

    Probe->Close();  // the main form
    EXPECT_TRUE(Application->Terminated());
    Application->Initialize();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(Forms, AFormWithoutAResourceOrWithAFaultyOneIsNotMade) {
    int before = Application->ComponentCount();
    TOrphanForm* orphan = reinterpret_cast<TOrphanForm*>(1);
    EXPECT_THROW(Application->CreateForm(orphan), EResNotFound);
    EXPECT_EQ(orphan, nullptr);
    EXPECT_EQ(Application->ComponentCount(), before);
}

TEST_F(Forms, GraphicControlsPaintOverTheBackgroundInOrder) {
    Probe->Back->Picture()->Bitmap()->SetPixelFormat(pf24bit);
    Probe->Back->Picture()->Bitmap()->SetSize(50, 50);
    Probe->Back->Picture()->Bitmap()->Canvas()->Brush()->SetColor(clRed);
    Probe->Back->Picture()->Bitmap()->Canvas()->FillRect(Rect(0, 0, 50, 50));
    Probe->Front->Picture()->Bitmap()->SetPixelFormat(pf24bit);
    Probe->Front->Picture()->Bitmap()->SetSize(50, 50);
    Probe->Front->Picture()->Bitmap()->Canvas()->Brush()->SetColor(clBlue);
    Probe->Front->Picture()->Bitmap()->Canvas()->FillRect(Rect(0, 0, 50, 50));
    Probe->Show();
    Probe->Update();
    auto shot = suite::testing::CaptureClientArea(Probe->Handle());
    ASSERT_EQ(shot.width, 200);
    EXPECT_EQ(shot.At(150, 20), 0xFFFFFFu);  // the form's white
    EXPECT_EQ(shot.At(15, 15), 0xFF0000u);   // Back (red; the capture is 0xRRGGBB)
    EXPECT_EQ(shot.At(40, 40), 0x0000FFu);   // Front over Back
    EXPECT_NE(shot.At(100, 90), 0xFFFFFFu);  // the ground strip
}

// A control with its own message map, as later components write them.
class TProbeControl : public TCustomControl {
    FRAME_CLASS(TProbeControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    std::vector<UINT> Handled;
    FRAME_BEGIN_MESSAGE_MAP
        FRAME_MESSAGE_HANDLER(WM_USER + 7, Answer)
    FRAME_END_MESSAGE_MAP(TCustomControl)
    void Answer(TMessage& m) {
        Handled.push_back(m.Msg);
        m.Result = 42;
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clNavy);
        Canvas()->Rectangle(0, 0, Width(), Height());
    }
};

const TClassInfo& TProbeControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbeControl>::Creatable("TProbeControl", TCustomControl::StaticClass());
    return info;
}

TEST_F(Forms, WindowedControlsDispatchByMessageNumberAndPaintTheirCanvas) {
    auto* control = new TProbeControl(Probe);
    control->SetBounds(100, 10, 40, 30);
    control->SetParent(Probe);
    Probe->Show();
    EXPECT_EQ(SendMessageA(control->Handle(), WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(control->Perform(WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(control->Handled.size(), 2u);
    EXPECT_EQ(SendMessageA(control->Handle(), WM_GETTEXTLENGTH, 0, 0), 0);  // the inherited handling
    UpdateWindow(control->Handle());
    auto shot = suite::testing::CaptureClientArea(control->Handle());
    EXPECT_EQ(shot.At(20, 15), 0x000080u);  // navy inside the frame

    // Outside Paint the canvas takes the window's context itself.
    control->Canvas()->Brush()->SetColor(clYellow);
    control->Canvas()->FillRect(Rect(0, 0, 10, 10));
    shot = suite::testing::CaptureClientArea(control->Handle());
    EXPECT_EQ(shot.At(5, 5), 0xFFFF00u);
    delete control;
    EXPECT_EQ(Probe->ControlCount(), 4);
}

TEST_F(Forms, AGraphicControlCanDrawOutsidePaintWithinItsBounds) {
    Probe->Show();
    Probe->Update();
    TCanvas* canvas = Probe->Back->Canvas();
    canvas->Brush()->SetColor(clGreen);
    canvas->FillRect(Rect(0, 0, 100, 100));  // clipped to the 50 x 50 control
    static_cast<TControlCanvas*>(canvas)->FreeHandle();
    auto shot = suite::testing::CaptureClientArea(Probe->Handle());
    EXPECT_EQ(shot.At(12, 12), 0x008000u);
    EXPECT_EQ(shot.At(58, 20), 0x008000u);
    EXPECT_EQ(shot.At(62, 20), 0xFFFFFFu);  // beyond its right edge
}

}  // namespace
