// Placing, selecting, every kind of change undone and redone to the
// identical form text, the real clipboard, and form files.
#include <fstream>
#include <sstream>

#include "testing/clipboard.h"
#include "corvane_fixture.h"
#include "model/form_clipboard.h"
#include "model/inspector_model.h"

namespace {

using Document_ = CorvaneForm;

std::vector<AnsiString> Names(const std::vector<TComponent*>& components) {
    std::vector<AnsiString> names;
    for (TComponent* c : components) names.push_back(c->Name());
    return names;
}

TDesignBounds Bounds(TDesignDocument& d, const char* name) { return GetDesignBounds(d.Form()->FindComponent(name)); }

TEST_F(Document_, PlacesOnTheGridWithUniqueNamesAndSelects) {
    TComponent* first = Document->Place(Class("TMyClock"), 13, 21);
    TComponent* second = Document->Place(Class("TMyClock"), 100, 100);
    TComponent* timer = Document->Place(TTimer::StaticClass(), 203, 5);
    EXPECT_EQ(Names({first, second, timer}), (std::vector<AnsiString>{"MyClock1", "MyClock2", "Timer1"}));
    EXPECT_EQ(GetDesignBounds(first).Left, 16);
    EXPECT_EQ(GetDesignBounds(first).Top, 24);
    EXPECT_EQ(GetDesignBounds(timer), (TDesignBounds{200, 8, DesignIconSize, DesignIconSize}));
    EXPECT_TRUE(first->HasState(csDesigning));
    EXPECT_TRUE(Document->Modified());
    EXPECT_EQ(Names(Document->Selection()), (std::vector<AnsiString>{"Timer1"}));

    EXPECT_EQ(Document->ComponentAt(20, 30), first);
    EXPECT_EQ(Document->ComponentAt(210, 20), timer);
    EXPECT_EQ(Document->ComponentAt(470, 300), nullptr) << "the form itself";

    Document->Select(first);
    Document->Select(second, true);
    EXPECT_EQ(Names(Document->Selection()), (std::vector<AnsiString>{"MyClock1", "MyClock2"}));
    Document->Select(first, true);
    EXPECT_EQ(Names(Document->Selection()), (std::vector<AnsiString>{"MyClock2"}));
    Document->Select(nullptr);
    EXPECT_TRUE(Document->Selection().empty());
    ASSERT_EQ(Document->Designer().Selection().size(), 1u);
    EXPECT_EQ(Document->Designer().Selection()[0], Document->Form());
}

TEST_F(Document_, EveryKindOfChangeUndoesToTheIdenticalTextAndRedoes) {
    TInspectorModel inspector(*Document);
    std::vector<AnsiString> texts{Document->Text()};
    auto step = [&](const char* what, const std::function<void()>& change) {
        change();
        EXPECT_NE(Document->Text(), texts.back()) << what << " changed nothing";
        texts.push_back(Document->Text());
    };
    step("place", [&] { Document->Place(Class("TMyClock"), 16, 16); });
    step("place another", [&] { Document->Place(Class("TColorClock2"), 160, 16); });
    step("place a non-visual", [&] { Document->Place(TTimer::StaticClass(), 300, 200); });
    step("move", [&] {
        Document->Select(Document->Form()->FindComponent("MyClock1"));
        Document->MoveSelection(21, 3);
    });
    step("size", [&] { Document->ResizeSelection(10, 18); });
    step("nudge", [&] { Document->Nudge(VK_RIGHT, false); });
    step("nudge to size", [&] { Document->Nudge(VK_DOWN, true); });
    step("property", [&] {
        inspector.Refresh();
        inspector.SetValue(TInspectorPage::Properties, inspector.Find(TInspectorPage::Properties, "TextColor"), "clRed");
    });
    step("send to back", [&] {
        Document->Select(Document->Form()->FindComponent("ColorClock21"));
        Document->SendToBack();
    });
    step("bring to front", [&] { Document->BringToFront(); });
    step("paste", [&] { Document->PasteText(Document->SelectionText()); });
    step("delete", [&] { Document->DeleteSelection(); });

    EXPECT_EQ(Bounds(*Document, "MyClock1").Left, 41) << "moved 21 from 16 and snapped to 40, then nudged";
    for (size_t i = texts.size() - 1; i > 0; --i) {
        ASSERT_TRUE(Document->CanUndo());
        Document->Undo();
        EXPECT_EQ(Document->Text(), texts[i - 1]) << "undo to step " << i - 1;
    }
    EXPECT_FALSE(Document->CanUndo());
    for (size_t i = 1; i < texts.size(); ++i) {
        Document->Redo();
        EXPECT_EQ(Document->Text(), texts[i]) << "redo step " << i;
    }
    EXPECT_FALSE(Document->CanRedo());
}

TEST_F(Document_, StackingOrderIsTheFormsOrder) {
    Document->Place(TPanel::StaticClass(), 8, 8);
    Document->Place(TButton::StaticClass(), 16, 16);
    Document->Select(Document->Form()->FindComponent("Button1"));
    Document->SendToBack();
    EXPECT_LT(Document->Text().find("TButton Button1"), Document->Text().find("TPanel Panel1"));
    EXPECT_EQ(Document->ComponentAt(20, 20)->Name(), "Panel1") << "the panel is on top now";
    Document->BringToFront();
    EXPECT_EQ(Document->ComponentAt(20, 20)->Name(), "Button1");
}

TEST_F(Document_, CopyAndPasteGoThroughTheRealClipboardAsFormText) {
    suite::testing::ClipboardScope clipboard;
    TComponent* clock = Document->Place(Class("TMyClock"), 16, 16);
    TInspectorModel inspector(*Document);
    inspector.SetValue(TInspectorPage::Properties, inspector.Find(TInspectorPage::Properties, "TextColor"), "clRed");
    Document->Select(clock);
    Document->Copy();

    // What a text editor pastes: read straight from the clipboard.
    ASSERT_TRUE(suite::testing::OpenClipboardRetrying());
    auto data = GetClipboardData(CF_UNICODETEXT);
    std::wstring onClipboard = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(onClipboard.rfind(L"TMyClock MyClock1 {", 0), 0u) << FromWide(onClipboard);

    Document->Paste();
    TComponent* copy = Document->Form()->FindComponent("MyClock2");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Names(Document->Selection()), (std::vector<AnsiString>{"MyClock2"}));
    EXPECT_EQ(GetDesignBounds(copy).Left, 24) << "beside the original";
    EXPECT_NE(Document->SelectionText().find("TextColor = clRed"), AnsiString::npos) << Document->SelectionText();

    // Into another form, and from text a person wrote elsewhere.
    TDesignDocument other;
    other.Paste();
    EXPECT_NE(other.Form()->FindComponent("MyClock1"), nullptr) << "its name is free there";
    clipboard.PutUnicodeText(L"TLabel Label1 {\r\n  Left = 8\r\n  Caption = \"typed\"\r\n}\r\n");
    other.Paste();
    EXPECT_EQ(ObjectAs<TLabel>(other.Form()->FindComponent("Label1"))->Caption(), "typed");

    Document->Cut();
    EXPECT_EQ(Document->Form()->FindComponent("MyClock2"), nullptr);
    EXPECT_EQ(GetTextFromClipboard().rfind("TMyClock MyClock2 {", 0), 0u);
}

TEST_F(Document_, SavedFormOpensToTheSameText) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    AnsiString path = AnsiString(folder) + "workbench_test.form";
    Document->Place(Class("TMyClock"), 16, 16);
    Document->Place(Class("TColorClock2"), 120, 16);
    Document->Place(TTimer::StaticClass(), 240, 120);
    Document->Save(path);
    EXPECT_FALSE(Document->Modified());
    EXPECT_EQ(Document->FileName(), path);

    std::ifstream file(path, std::ios::binary);
    std::stringstream saved;
    saved << file.rdbuf();
    EXPECT_EQ(saved.str(), Document->Text());

    TDesignDocument opened;
    opened.Open(path);
    EXPECT_EQ(opened.Text(), saved.str());
    EXPECT_FALSE(opened.Modified());
    EXPECT_FALSE(opened.CanUndo());
    EXPECT_EQ(GetDesignBounds(opened.Form()->FindComponent("Timer1")).Left, 240);
    opened.MoveSelection(0, 0);
    EXPECT_FALSE(opened.Modified()) << "nothing changed";
    opened.Select(opened.Form()->FindComponent("Timer1"));
    opened.MoveSelection(8, 0);
    EXPECT_TRUE(opened.Modified());

    EXPECT_THROW(opened.Open(path + ".missing"), EStreamError);
    EXPECT_EQ(opened.FileName(), path) << "a failed open keeps the form";
    DeleteFileA(path.c_str());
}

}  // namespace
