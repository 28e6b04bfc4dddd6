// Each standard control through its real window: the platform's own
// state (checks, selections, positions, styles) and, where the framework
// paints, the pixels; and a dialog's controls read from and written back
// to a form resource.
#include <windows.h>
#include <commctrl.h>

#include "control_fixture.h"
#include "testing/memory_canvas.h"

namespace {

class Controls : public TControlFixture {
protected:
    // The control as it looks, on a white page of its size.
    static suite::testing::Image Picture(TWinControl* control) {
        suite::testing::MemoryCanvas canvas(control->Width(), control->Height());
        control->PaintTo(canvas.dc, 0, 0);
        return canvas.Read();
    }
    static int Count(const suite::testing::Image& image, uint32_t rgb) {
        return image.Count(rgb, RECT{0, 0, image.width, image.height});
    }
};

TEST_F(Controls, ButtonsShowTheirRoleInTheirStyle) {
    TButton* button = Make<TButton>(Form.get(), "Button1", 10, 10, 75, 25);
    button->SetCaption("Go");
    auto type = [&] { return GetWindowLongA(button->Handle(), GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(type(), BS_PUSHBUTTON);
    button->SetDefault(true);
    EXPECT_EQ(type(), BS_DEFPUSHBUTTON);
    char text[16];
    GetWindowTextA(button->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Go");
    button->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(Controls, AnOkBitBtnReadsOkAndShowsAGreenCheck) {
    TBitBtn* ok = Make<TBitBtn>(Form.get(), "Ok", 10, 10, 90, 30);
    ok->SetKind(bkOK);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(GetWindowLongA(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    auto picture = Picture(ok);
    EXPECT_GT(Count(picture, Rgb(clGreen)), 20) << "the check";
    EXPECT_EQ(Count(picture, Rgb(clOlive)), 0) << "the glyph's background is left out";
    EXPECT_GT(Count(picture, Rgb(clBtnText)), 10) << "the caption";

    TBitBtn* cancel = Make<TBitBtn>(Form.get(), "Cancel", 10, 50, 90, 30);
    cancel->SetKind(bkCancel);
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    EXPECT_GT(Count(Picture(cancel), Rgb(clRed)), 20);
}

TEST_F(Controls, AnEditKeepsItsTextLimitAndReadOnlyAcrossANewWindow) {
    TEdit* edit = Make<TEdit>(Form.get(), "Edit1", 10, 10, 100, 21);
    edit->SetMaxLength(5);
    edit->SetText("hello");
    HWND window = edit->Handle();
    EXPECT_EQ(SendMessageA(window, EM_GETLIMITTEXT, 0, 0), 5);
    SendMessageA(window, EM_SETSEL, 5, 5);
    SendMessageA(window, WM_CHAR, 'x', 0);
    EXPECT_EQ(edit->Text(), "hello") << "no room for more";
    edit->SetReadOnly(true);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & ES_READONLY);
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    edit->SetCtl3D(false);  // another border: another window
    EXPECT_NE(edit->Handle(), window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edit->Text(), "typed");
    EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(Controls, APanelDrawsItsBevelsAndCentresItsCaption) {
    TPanel* panel = Make<TPanel>(Form.get(), "Panel1", 0, 0, 120, 40);
    panel->SetCaption("WWW");
    panel->Font()->SetColor(clRed);
    panel->SetBevelInner(bvLowered);
    auto picture = Picture(panel);
    EXPECT_EQ(picture.At(0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(picture.At(119, 39), Rgb(clBtnShadow));
    EXPECT_EQ(picture.At(1, 1), Rgb(clBtnShadow)) << "the lowered inner bevel";
    EXPECT_EQ(picture.At(118, 38), Rgb(clBtnHighlight));
    RECT left{0, 0, 35, 40}, middle{40, 0, 80, 40};
    EXPECT_EQ(picture.Count(Rgb(clRed), left), 0);
    EXPECT_GT(picture.Count(Rgb(clRed), middle), 5);
}

TEST_F(Controls, OneRadioButtonPerParentIsChecked) {
    TPanel* group = Make<TPanel>(Form.get(), "Group", 0, 0, 200, 100);
    TRadioButton* a = Make<TRadioButton>(group, "A", 5, 5, 80, 17);
    TRadioButton* b = Make<TRadioButton>(group, "B", 5, 25, 80, 17);
    TRadioButton* elsewhere = Make<TRadioButton>(Form.get(), "Elsewhere", 5, 150, 80, 17);
    for (TRadioButton* r : {a, b, elsewhere}) r->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
    elsewhere->SetChecked(true);
    a->SetChecked(true);
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(b->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Elsewhere click", "A click", "B click"}));
}

TEST_F(Controls, ACheckBoxStepsThroughItsStatesOnClicks) {
    TCheckBox* box = Make<TCheckBox>(Form.get(), "Box", 5, 5, 80, 17);
    box->SetAllowGrayed(true);
    box->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
    HWND window = box->Handle();
    std::vector<LRESULT> states;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(window, BM_CLICK, 0, 0);
        states.push_back(SendMessageA(window, BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(states, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
    EXPECT_EQ(Log.Events.size(), 3u);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(Controls, AComboBoxPicksItemsAndTakesTypedText) {
    TComboBox* combo = Make<TComboBox>(Form.get(), "Combo", 10, 10, 120, 21);
    combo->Items()->SetText("Rectangle\nSquare\nCircle\n");
    combo->OnChange = TNotifyEvent(&Log, &TRecorder::Changed);
    HWND window = combo->Handle();
    EXPECT_EQ(SendMessageA(window, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(2);
    EXPECT_EQ(SendMessageA(window, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(combo->Text(), "Circle");

    // Typing in its box: the box's text, and no item picked.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(window, &info));
    SendMessageA(info.hwndItem, EM_SETSEL, 6, 6);
    SendMessageA(info.hwndItem, WM_CHAR, 's', 0);
    EXPECT_EQ(combo->Text(), "Circles");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"Combo change"}));

    // A pick from the list, as the user makes it.
    SendMessageA(window, CB_SETCURSEL, 1, 0);
    SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(combo->ItemIndex(), 1);

    combo->Items()->Add("Ellipse");
    EXPECT_EQ(SendMessageA(window, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo->ItemIndex(), 1);

    combo->SetStyle(csDropDownList);
    EXPECT_EQ(GetWindowLongA(combo->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetComboText("Triangle");
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetComboText("Ellipse");
    EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(Controls, AListBoxReportsThePickOfTheUser) {
    TListBox* list = Make<TListBox>(Form.get(), "List", 10, 10, 100, 80);
    list->Items()->SetText("one\ntwo\nthree\n");
    list->OnClick = TNotifyEvent(&Log, &TRecorder::Clicked);
    HWND window = list->Handle();
    EXPECT_EQ(list->ItemIndex(), -1);
    int y = static_cast<int>(SendMessageA(window, LB_GETITEMHEIGHT, 0, 0)) * 3 / 2;
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, y));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(Log.Events, (std::vector<AnsiString>{"List click"}));

    // Lines added at the end go in one by one, other changes fill the list
    // again: either way the window shows the items and keeps the pick.
    list->Items()->Add("four");
    list->Items()->Delete(0);
    list->Items()->Add("five");
    list->Items()->Insert(1, "between");
    list->Items()->Add("six");
    std::vector<AnsiString> shown;
    for (int i = 0; i < SendMessageA(window, LB_GETCOUNT, 0, 0); ++i) {
        char text[32] = "";
        SendMessageA(window, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        shown.push_back(text);
    }
    EXPECT_EQ(shown, (std::vector<AnsiString>{"two", "between", "three", "four", "five", "six"}));
    EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(Controls, AProgressBarStepsTheSameWithAndWithoutAWindow) {
    TProgressBar* shown = Make<TProgressBar>(Form.get(), "Shown", 10, 10, 150, 16);
    TProgressBar loose(nullptr);
    shown->HandleNeeded();
    for (TProgressBar* bar : {shown, &loose}) {
        std::vector<int> positions;
        bar->SetMin(10);
        bar->SetMax(50);
        bar->SetStep(15);
        bar->SetPosition(5);
        positions.push_back(bar->Position());
        for (int i = 0; i < 3; ++i) {
            bar->StepIt();
            positions.push_back(bar->Position());
        }
        bar->StepBy(-7);
        positions.push_back(bar->Position());
        bar->StepBy(100);
        positions.push_back(bar->Position());
        EXPECT_EQ(positions, (std::vector<int>{10, 25, 40, 15, 10, 50})) << bar->HandleAllocated();
        EXPECT_THROW(bar->SetMax(5), EInvalidOperation);
        EXPECT_THROW(bar->SetMin(60), EInvalidOperation);
        EXPECT_EQ(bar->Min(), 10);
        EXPECT_EQ(bar->Max(), 50);
    }
    EXPECT_EQ(SendMessageA(shown->Handle(), PBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(SendMessageA(shown->Handle(), PBM_GETRANGE, TRUE, 0), 10);
}

TEST_F(Controls, AShapeOfTheCircleKindSitsInTheMiddleOfItsBounds) {
    TShape* shape = Make<TShape>(Form.get(), "Shape", 0, 0, 100, 40);
    shape->SetShape(stCircle);
    shape->Brush()->SetColor(clBlue);
    suite::testing::MemoryCanvas canvas(100, 40);
    shape->PaintOn(canvas.dc);
    auto picture = canvas.Read();
    EXPECT_EQ(picture.At(50, 20), Rgb(clBlue));
    EXPECT_EQ(picture.At(25, 20), 0xFFFFFFu) << "left of the circle";
    EXPECT_EQ(picture.At(50, 0), Rgb(clBlack)) << "the pen at the top";
}

// A dialog form as the package's editors have them: an aligned panel
// with a font of its own, an OK button of the OK kind, a combo box with
// items and typed text, the tab order, a colour dialog.
const char DialogText[] = R"(TForm Dialog {
  Caption = "Attributes"
  ClientHeight = 240
  ClientWidth = 460
  TColorDialog ColorDialog1 {
    Ctl3D = true
    Left = 16
    Top = 48
  }
  TPanel Panel1 {
    Left = 0
    Top = 0
    Width = 460
    Height = 41
    Align = alTop
    Caption = "Attributes Property Editor"
    Font.Charset = ANSI_CHARSET
    Font.Color = clBlack
    Font.Height = -23
    Font.Name = "Comic Sans MS"
    Font.Style = []
    ParentFont = false
    TabOrder = 0
  }
  TComboBox ComboBox1 {
    Left = 16
    Top = 72
    Width = 161
    Height = 24
    ItemHeight = 16
    Items.Strings = ("Rectangle" "Square" "RoundRect" "RoundSquare" "Ellipse" "Circle")
    TabOrder = 1
    Text = "stEllipse"
  }
  TBitBtn BitBtn2 {
    Left = 16
    Top = 200
    Width = 161
    Height = 33
    TabOrder = 3
    Kind = bkOK
  }
  TBitBtn GetColorsBtn {
    Left = 17
    Top = 128
    Width = 161
    Height = 33
    TabOrder = 2
    Caption = "Get Colors"
  }
}
)";

TEST_F(Controls, ADialogsControlsComeFromItsFormResourceAndGoBackUnchanged) {
    TForm dialog(nullptr);
    ReadFormText(&dialog, DialogText, "DIALOG");
    auto panel = ObjectAs<TPanel>(dialog.FindComponent("Panel1"));
    auto combo = ObjectAs<TComboBox>(dialog.FindComponent("ComboBox1"));
    auto ok = ObjectAs<TBitBtn>(dialog.FindComponent("BitBtn2"));
    auto colors = ObjectAs<TBitBtn>(dialog.FindComponent("GetColorsBtn"));
    ASSERT_TRUE(panel && combo && ok && colors);
    EXPECT_EQ(panel->Width(), dialog.ClientWidth());
    EXPECT_EQ(panel->Font()->Name(), "Comic Sans MS");
    EXPECT_FALSE(panel->ParentFont());
    EXPECT_EQ(combo->Items()->Count(), 6);
    EXPECT_EQ(combo->Text(), "stEllipse");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_EQ(colors->Kind(), bkCustom);
    EXPECT_EQ(colors->TabOrder(), 2);
    EXPECT_EQ(ok->TabOrder(), 3);
    auto tabs = dialog.TabOrderList();
    EXPECT_EQ(tabs, (std::vector<TWinControl*>{panel, combo, colors, ok}));
    EXPECT_TRUE(ObjectAs<TColorDialog>(dialog.FindComponent("ColorDialog1"))->Ctl3D());

    AnsiString written = WriteFormText(&dialog);
    TForm copy(nullptr);
    ReadFormText(&copy, written, "COPY");
    EXPECT_EQ(WriteFormText(&copy), written);
    EXPECT_NE(written.find("Kind = bkOK"), AnsiString::npos) << written;
    EXPECT_EQ(written.find("Caption = \"OK\""), AnsiString::npos) << "the kind's caption is not stored";
    EXPECT_NE(written.find("Caption = \"Get Colors\""), AnsiString::npos);

    // A result or an empty caption of its own survives the kind read after it.
    ok->SetModalResult(mrNone);
    ok->SetCaption("");
    colors->SetKind(bkYes);
    colors->SetCaption("Get Colors");
    colors->SetModalResult(mrRetry);
    TForm again(nullptr);
    ReadFormText(&again, WriteFormText(&dialog), "AGAIN");
    auto ok2 = ObjectAs<TBitBtn>(again.FindComponent("BitBtn2"));
    auto colors2 = ObjectAs<TBitBtn>(again.FindComponent("GetColorsBtn"));
    EXPECT_EQ(ok2->ModalResult(), mrNone);
    EXPECT_EQ(ok2->Caption(), "");
    EXPECT_EQ(colors2->ModalResult(), mrRetry);
    EXPECT_EQ(colors2->Caption(), "Get Colors");
    EXPECT_TRUE(colors2->Default());
}

}  // namespace
