// Workbench.exe as a person uses it, with the real mouse and keyboard:
// Corvane.dll installed from the command line shows its components on the
// page "Corvan" with its six pictures; a TColorClock2 dropped and given a
// face colour in its editor's dialog, its ClockAttributes made Square in
// the attributes dialog, a TMyClock dragged aside and given TextColor clRed
// by typing; the form saved, opened again by a second run, and shown the
// same.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testing/child_process.h"
#include "testing/real_input.h"
#include "testing/screenshot.h"

namespace {

using namespace suite::testing;

std::string WindowText(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The child windows of a class whose text is given (any text when null).
struct ChildSearch {
    const char* cls;
    const char* text;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND w, LPARAM l) {
    auto s = reinterpret_cast<ChildSearch*>(l);
    char cls[128] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == s->cls && (!s->text || WindowText(w) == s->text)) s->found.push_back(w);
    return TRUE;
}

std::vector<HWND> Children(HWND parent, const char* className, const char* text = nullptr) {
    ChildSearch search{className, text, {}};
    EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Child(HWND parent, const char* className, const char* text) {
    std::vector<HWND> found = Children(parent, className, text);
    return found.empty() ? nullptr : found[0];
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t line[512] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        std::wstring wide(line);
        lines.emplace_back(wide.begin(), wide.end());  // the rows are plain ASCII
    }
    return lines;
}

// The list boxes of the main window: the component tree is left of the
// inspector's.
void Lists(HWND main, HWND& tree, HWND& inspector) {
    std::vector<HWND> lists = Children(main, "TListBox");
    ASSERT_EQ(lists.size(), 2u);
    RECT a, b;
    GetWindowRect(lists[0], &a);
    GetWindowRect(lists[1], &b);
    tree = a.left < b.left ? lists[0] : lists[1];
    inspector = a.left < b.left ? lists[1] : lists[0];
}

// Clicks the inspector's row of a property (its name after the marker).
bool ClickRow(HWND inspector, const std::string& name) {
    std::vector<std::string> lines = ListLines(inspector);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(2, name.size() + 1, name + " ") != 0) continue;
        RECT r;
        SendMessageA(inspector, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        ClickAt(inspector, r.left + 20, (r.top + r.bottom) / 2);
        return true;
    }
    return false;
}

void ClickMiddle(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    ClickAt(window, r.right / 2, r.bottom / 2);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The workbench's default picture is a light yellow box; the package's
// pictures have none of that colour.
bool ShowsDefaultPicture(const Image& shot, RECT area) { return shot.Count(0xFFFFE1, area) > 100; }

const char* const FormFile = "workbench_e2e.form";

TEST(WorkbenchEndToEnd, DesignsAClockFormSavesItAndOpensItTheSame) {
    DeleteFileA("Workbench.packages");
    DeleteFileA(FormFile);
    std::string designed;
    std::vector<std::string> tree;
    Image form;
    {
        ChildProcess workbench(std::string("Workbench.exe /install Corvane.dll ") + FormFile);
        ASSERT_TRUE(workbench.Started());
        HWND main = workbench.WaitForWindow("TWorkbenchForm", nullptr, 20000);
        ASSERT_NE(main, nullptr);
        HWND design = workbench.WaitForWindow("TForm", "Form1", 10000);
        ASSERT_NE(design, nullptr);
        HWND treeList = nullptr, inspector = nullptr;
        Lists(main, treeList, inspector);
        Activate(main);

        // The pages: Standard, then the package's Corvan; its sixteen
        // buttons, the six with the package's pictures.
        ClickAt(main, 4 + 92 + 45, 13);
        Sleep(500);
        Image palette = CaptureClientArea(main);
        palette.Save("workbench-palette.png");
        std::vector<int> pictured;
        for (int i = 0; i < 16; ++i)
            if (!ShowsDefaultPicture(palette, RECT{4 + 33 * i + 2, 29 + 2, 4 + 33 * i + 30, 29 + 30})) pictured.push_back(i);
        EXPECT_EQ(pictured, (std::vector<int>{0, 1, 4, 8, 9, 10}))
            << "TMyClock2, TColorClock2, TBigEdit, TRadio2Panel, TMyClock, TColorClock";
        EXPECT_EQ(palette.Count(palette.At(4 + 33 * 16 + 10, 40), RECT{4 + 33 * 16, 29, 4 + 33 * 17, 61}), 33 * 32)
            << "sixteen buttons, then the panel";

        // Drop a TColorClock2 and double-click it: its editor's dialog.
        ClickAt(main, 4 + 33 * 1 + 16, 45);
        Sleep(200);
        ClickAt(design, 40, 40);
        ASSERT_TRUE(WaitUntil([&] { return ListLines(treeList).size() == 2; }, 5000));
        EXPECT_EQ(ListLines(treeList)[1], "   ColorClock21: TColorClock2");
        Sleep(GetDoubleClickTime() + 100);
        HWND clock = Child(design, "TColorClock2", nullptr);
        ASSERT_NE(clock, nullptr);
        ClickAt(clock, 20, 20);
        ClickAt(clock, 20, 20);
        HWND editor = workbench.WaitForWindow("TClockEditorDialog", nullptr, 10000);
        ASSERT_NE(editor, nullptr) << "the component editor's dialog";
        ClickMiddle(Child(editor, "TButton", "Set Face Color"));
        HWND colours = workbench.WaitForWindow("#32770", nullptr, 10000);
        ASSERT_NE(colours, nullptr) << "the colour dialog";
        ClickAt(GetDlgItem(colours, 0x2d0), 4, 4);  // the first basic colour
        Sleep(200);
        ClickMiddle(GetDlgItem(colours, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(colours); }, 5000));
        CaptureWindow(editor).Save("workbench-editor.png");
        ClickMiddle(Child(editor, "TBitBtn", nullptr));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, 5000));

        // ClockAttributes' ellipsis button: the attributes dialog, Square.
        Sleep(300);
        ASSERT_TRUE(ClickRow(inspector, "ClockAttributes")) << "rows: " << ListLines(inspector).size();
        ClickMiddle(Child(main, "TButton", "..."));
        HWND attributes = workbench.WaitForWindow("TClockAttributesDialog", nullptr, 10000);
        ASSERT_NE(attributes, nullptr);
        ClickMiddle(Child(attributes, "TComboBox", nullptr));
        Sleep(200);
        for (int up = 0; up < 3; ++up) {  // from Ellipse: RoundSquare, RoundRect, Square
            PressKey(VK_UP);
            Sleep(100);
        }
        PressKey(VK_RETURN);
        Sleep(200);
        CaptureWindow(attributes).Save("workbench-dialog.png");
        ClickMiddle(Child(attributes, "TBitBtn", nullptr));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(attributes) || !IsWindowVisible(attributes); }, 5000));

        // A TMyClock from the palette, and clRed typed into its TextColor.
        ClickAt(main, 4 + 33 * 9 + 16, 45);
        Sleep(200);
        ClickAt(design, 240, 40);
        ASSERT_TRUE(WaitUntil([&] { return ListLines(treeList).size() == 3; }, 5000));
        Sleep(300);
        // Dragged 40 pixels to the right by the mouse.
        HWND myClock = Child(design, "TMyClock", nullptr);
        ASSERT_NE(myClock, nullptr);
        DragWithMouse(myClock, POINT{50, 50}, design, POINT{330, 90}, [] { Sleep(30); });
        Sleep(300);
        ASSERT_TRUE(ClickRow(inspector, "TextColor"));
        HWND value = Child(main, "TComboBox", nullptr);
        ASSERT_NE(value, nullptr);
        ASSERT_TRUE(IsWindowVisible(value)) << "TextColor has a value list";
        ClickAt(Child(value, "Edit", nullptr), 20, 8);
        PressKey(VK_HOME);
        PressKey(VK_END, true);
        TypeKeys("clRed");
        ClickMiddle(Child(main, "TButton", "Set"));
        auto textColorRed = [&] {
            for (const std::string& line : ListLines(inspector))
                if (line.find("TextColor") != std::string::npos && line.find("clRed") != std::string::npos) return true;
            return false;
        };
        ASSERT_TRUE(WaitUntil(textColorRed, 5000));
        Sleep(300);
        CaptureClientArea(main).Save("workbench.png");

        // Saved with the menu; the form selected (no handles), as it shows.
        Activate(main);
        PressKey(VK_MENU);
        TypeKeys("fs");
        ASSERT_TRUE(WaitUntil([&] { return WindowText(main).find("(modified)") == std::string::npos; }, 5000))
            << WindowText(main);
        RECT formRow;
        SendMessageA(treeList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&formRow));
        ClickAt(treeList, 20, (formRow.top + formRow.bottom) / 2);
        Sleep(500);
        designed = ReadFile(FormFile);
        tree = ListLines(treeList);
        form = CaptureClientArea(design);
        form.Save("workbench-form.png");
        Activate(main);
        PressKey(VK_MENU);
        TypeKeys("fx");
        EXPECT_EQ(workbench.Wait(10000), 0u);
    }
    EXPECT_NE(designed.find("TColorClock2 ColorClock21 {"), std::string::npos) << designed;
    EXPECT_NE(designed.find("ClockAttributes.Shape = stSquare"), std::string::npos) << designed;
    EXPECT_NE(designed.find("FaceColor = "), std::string::npos) << designed;
    EXPECT_NE(designed.find("TMyClock MyClock1 {"), std::string::npos) << designed;
    EXPECT_NE(designed.find("TextColor = clRed"), std::string::npos) << designed;
    EXPECT_NE(designed.find("Left = 280"), std::string::npos) << "the dragged clock: " << designed;

    // Opened by a second run (the package remembered): the same form.
    ChildProcess again(std::string("Workbench.exe ") + FormFile);
    HWND main = again.WaitForWindow("TWorkbenchForm", nullptr, 20000);
    ASSERT_NE(main, nullptr);
    HWND design = again.WaitForWindow("TForm", "Form1", 10000);
    ASSERT_NE(design, nullptr);
    HWND treeList = nullptr, inspector = nullptr;
    Lists(main, treeList, inspector);
    EXPECT_EQ(ListLines(treeList), tree);
    Sleep(500);
    Image reopened = CaptureClientArea(design);
    ASSERT_EQ(reopened.width, form.width);
    ASSERT_EQ(reopened.height, form.height);
    int differing = 0;
    for (size_t i = 0; i < form.pixels.size(); ++i) differing += form.pixels[i] != reopened.pixels[i];
    EXPECT_EQ(differing, 0) << "the form shows as it did";
    again.Kill();
    EXPECT_EQ(ReadFile(FormFile), designed) << "opening changed nothing";
    DeleteFileA("Workbench.packages");
    DeleteFileA(FormFile);
}

}  // namespace
