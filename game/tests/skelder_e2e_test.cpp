// The real game, started as a program: it finds the monsters on its
// screen, shoots each one with real mouse input, watches them fall and
// land, and sees the game form close and the main menu in front again.
#include <gtest/gtest.h>

#include <vector>

#include "testing/child_process.h"
#include "testing/screenshot.h"

namespace {

using suite::testing::Image;

struct Blob {
    int x, y;  // centre, client coordinates
};

// Groups the non-white pixels above the ground strip into blobs of
// 8-pixel cells that touch; each blob is one monster.
std::vector<Blob> FindMonsters(const Image& shot, int groundTop) {
    const int cell = 8;
    int cols = shot.width / cell, rows = groundTop / cell;
    std::vector<int> mark(static_cast<size_t>(cols * rows), 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            for (int y = r * cell; y < (r + 1) * cell && !mark[r * cols + c]; y += 2)
                for (int x = c * cell; x < (c + 1) * cell; x += 2)
                    if (shot.At(x, y) != 0xFFFFFF) {
                        mark[r * cols + c] = 1;
                        break;
                    }
    std::vector<Blob> blobs;
    std::vector<int> stack;
    for (int start = 0; start < cols * rows; ++start) {
        if (mark[start] != 1) continue;
        long sx = 0, sy = 0, n = 0;
        stack.push_back(start);
        mark[start] = 2;
        while (!stack.empty()) {
            int at = stack.back();
            stack.pop_back();
            int r = at / cols, c = at % cols;
            sx += c;
            sy += r;
            ++n;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    int rr = r + dr, cc = c + dc;
                    if (rr < 0 || cc < 0 || rr >= rows || cc >= cols || mark[rr * cols + cc] != 1) continue;
                    mark[rr * cols + cc] = 2;
                    stack.push_back(rr * cols + cc);
                }
        }
        if (n >= 4) blobs.push_back(Blob{static_cast<int>(sx * cell / n + cell / 2), static_cast<int>(sy * cell / n + cell / 2)});
    }
    return blobs;
}

void ClickOnScreen(int x, int y) {
    SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST(SkelderEndToEnd, ShootsTheFourMonstersWhichFallLandAndEndTheGame) {
    suite::testing::ChildProcess game("skelder.exe");
    ASSERT_TRUE(game.Started());
    // The game starts from the main menu's Play button.
    HWND menu = game.WaitForWindow("TMainForm", "Skelder", 15000);
    ASSERT_NE(menu, nullptr);
    POINT play{88, 36};
    ClientToScreen(menu, &play);
    HWND form = nullptr;
    // A program just started on a busy machine may miss the first click.
    for (int attempt = 0; attempt < 3 && !form; ++attempt) {
        for (DWORD until = GetTickCount() + 3000; WindowFromPoint(play) != menu && GetTickCount() < until;) {
            SetForegroundWindow(menu);
            Sleep(50);
        }
        ClickOnScreen(play.x, play.y);
        form = game.WaitForWindow("TGameForm", "Skelder", 5000);
    }
    ASSERT_NE(form, nullptr);
    Sleep(600);  // a few ticks: the monsters are flying

    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, GetSystemMetrics(SM_CXSCREEN));  // maximised, no border
    int groundTop = client.bottom - 32;

    Image first = suite::testing::CaptureClientArea(form);
    std::vector<Blob> flying = FindMonsters(first, groundTop);
    ASSERT_EQ(flying.size(), 4u);
    first.Save("skelder_game.png");
    // Earth and grass along the bottom edge.
    EXPECT_NE(first.At(client.right / 2, client.bottom - 4), 0xFFFFFFu);

    // Shoot every monster where it is now.
    std::vector<int> shotAt;
    for (size_t n = 0; n < 4; ++n) {
        Image shot = suite::testing::CaptureClientArea(form);
        std::vector<Blob> blobs = FindMonsters(shot, groundTop);
        ASSERT_FALSE(blobs.empty());
        // The highest one that is not yet falling: monsters fly at 16, 88,
        // 160 and 232; take them top to bottom.
        const Blob* target = nullptr;
        for (const Blob& b : blobs)
            if (b.y >= 16 + 72 * static_cast<int>(n) && b.y < 16 + 72 * static_cast<int>(n) + 64) target = &b;
        ASSERT_NE(target, nullptr) << "monster " << n + 1;
        POINT p{target->x, target->y};
        ClientToScreen(form, &p);
        ClickOnScreen(p.x, p.y);
        shotAt.push_back(target->y);
        Sleep(50);
    }

    // They fall: a moment later the blobs have moved down.
    Sleep(1000);
    Image later = suite::testing::CaptureClientArea(form);
    later.Save("skelder_falling.png");
    std::vector<Blob> falling = FindMonsters(later, groundTop);
    int lower = 0;
    for (const Blob& b : falling)
        for (int y : shotAt)
            if (b.y > y + 45) ++lower;
    EXPECT_GE(lower, 1);

    // At 15 pixels per 200 ms tick all four land within about ten seconds;
    // the form then closes and the menu is left.
    DWORD until = GetTickCount() + 30000;
    while (IsWindowVisible(form) && GetTickCount() < until) Sleep(100);
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(game.Running());
    EXPECT_TRUE(IsWindowVisible(menu));
    PostMessageA(menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(game.Wait(5000), 0u);
}

}  // namespace
