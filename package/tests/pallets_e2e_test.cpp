// The Pallets program end to end, on a fresh SQLite file and on the
// PostgreSQL server of the run: a widget dragged onto a pallet with the
// real mouse and 3 typed into the number dialog leave three identical rows
// in that database, and the pallet shows them with their total.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/data.h"
#include "database_fixture.h"
#include "testing/child_process.h"
#include "testing/real_input.h"
#include "testing/screenshot.h"

namespace {

using namespace suite::testing;

struct ChildSearch {
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    char name[64];
    if (GetClassNameA(child, name, sizeof name) && search.className == name) search.found.push_back(child);
    return TRUE;
}

// The child windows of one window class, left to right.
std::vector<HWND> ChildWindows(HWND parent, const std::string& className) {
    ChildSearch search{className, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    auto left = [](HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        return r.left;
    };
    std::sort(search.found.begin(), search.found.end(), [&](HWND a, HWND b) { return left(a) < left(b); });
    return search.found;
}

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A line of another program's list box (asked for in UTF-16: the
// platform hands the narrow form of the text across programs cut short).
std::string ListLine(HWND list, int index) {
    wchar_t text[256] = L"";
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return std::string(FromWide(text));
}

// A database component of the test's own on the program's database.
TDatabase* OpenDatabase(TComponent& root, const AnsiString& connection) {
    auto* database = new TDatabase(&root);
    database->SetDatabaseName("PalletsDatabase");
    database->SetConnectionString(connection);
    return database;
}

class Pallets : public ::testing::TestWithParam<TBackend> {};

TEST_P(Pallets, AWidgetDraggedOntoAPalletIsStoredAsManyTimesAsTypedAndShown) {
    TTempFile file;
    AnsiString connection = SQLiteConnectionString(file.Path());
    std::string arguments = "\"" + std::string(file.Path()) + "\"";
    if (GetParam() == TBackend::PostgreSQL) {
        PostgresForTest(connection);
        if (connection.empty()) return;
        arguments = "/database \"" + std::string(connection) + "\"";
        // The server outlives the test: start from no widgets table, as a
        // new shared database would.
        TComponent root(nullptr);
        OpenDatabase(root, connection);
        auto* drop = new TQuery(&root);
        drop->SetDatabaseName("PalletsDatabase");
        drop->SQL()->SetText("DROP TABLE IF EXISTS Widgets");
        drop->ExecSQL();
    }
    const Currency cost = Currency::FromRaw(1999900);  // Pentium1's 199.99 in the program's form
    TDateTime started = Now();
    ChildProcess pallets("Pallets.exe " + arguments);
    ASSERT_TRUE(pallets.Started());
    HWND window = pallets.WaitForWindow("TPalletsForm", "Pallets", 15000);
    ASSERT_NE(window, nullptr);
    Activate(window);

    HWND pentium = FindWindowExA(window, nullptr, "TPentium", nullptr);
    std::vector<HWND> pallet = ChildWindows(window, "TDataPallet");
    std::vector<HWND> total = ChildWindows(window, "TPanel");
    std::vector<HWND> list = ChildWindows(window, "TListBox");
    ASSERT_NE(pentium, nullptr);
    ASSERT_EQ(pallet.size(), 3u);
    ASSERT_EQ(total.size(), 3u);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(WindowText(total[1]), std::string(Format("Pallet 2: 0 widgets, %m", Currency(0))));

    auto pause = [] { Sleep(20); };
    DragWithMouse(pentium, POINT{12, 12}, pallet[1], POINT{40, 12}, pause);
    HWND dialog = pallets.WaitForWindow("TForm", "Widget Number Dialog", 10000);
    ASSERT_NE(dialog, nullptr) << "the drop asks how many";
    Activate(dialog);
    TypeKeys("3");
    PressKey(VK_RETURN);

    std::string expected = Format("Pallet 2: 3 widgets, %m", Currency::FromRaw(3 * cost.Val));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(total[1]) == expected; }, 10000))
        << "shown: " << WindowText(total[1]);
    EXPECT_EQ(SendMessageA(list[1], LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ListLine(list[1], 2), std::string(Format("Pentium1  %m", cost)));
    EXPECT_EQ(WindowText(total[0]), std::string(Format("Pallet 1: 0 widgets, %m", Currency(0))));
    if (GetParam() == TBackend::SQLite) CaptureClientArea(window).Save("pallets.png");

    {
        TComponent root(nullptr);
        OpenDatabase(root, connection);
        auto* rows = new TQuery(&root);
        rows->SetDatabaseName("PalletsDatabase");
        rows->SQL()->SetText("SELECT Name, Created, Description, Cost, PalletNumber FROM Widgets");
        rows->Open();
        ASSERT_EQ(rows->RecordCount(), 3);
        TDateTime created = rows->FieldByName("Created")->AsDateTime();
        // The form's widgets were made when the program started; the text
        // the pallet stores keeps whole seconds.
        EXPECT_GE(created.Val, started.Val - 1.0 / 86400);
        EXPECT_LE(created.Val, Now().Val);
        for (rows->First(); !rows->Eof(); rows->Next()) {
            EXPECT_EQ(rows->FieldByName("Name")->AsString(), "Pentium1");
            EXPECT_EQ(rows->FieldByName("Created")->AsDateTime().Val, created.Val);
            EXPECT_EQ(rows->FieldByName("Description")->AsString(), "purple, with a red disc");
            EXPECT_EQ(rows->FieldByName("Cost")->AsCurrency().Val, cost.Val);
            EXPECT_EQ(rows->FieldByName("PalletNumber")->AsInteger(), 2);
        }
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(pallets.Wait(10000), 0u);
}

INSTANTIATE_TEST_SUITE_P(Databases, Pallets, ::testing::Values(TBackend::SQLite, TBackend::PostgreSQL), BackendName);

}  // namespace
