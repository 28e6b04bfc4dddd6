// Answers the message boxes a process shows on the creating thread's
// desktop, as a person would: it reads each real box's caption, text,
// owner and buttons, then presses OK.
//
//   MessageBoxAnswerer boxes(GetCurrentProcessId());
//   component.Initialize();               // would wait for a click
//   auto seen = boxes.Seen();             // what the user saw, in order
//
//   auto run = RunAnsweringMessageBoxes("skelder.exe", 10000);
//   EXPECT_EQ(run.exitCode, 1u);
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace suite::testing {

struct SeenMessageBox {
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    std::vector<std::string> buttons;  // their texts, in window order
};

class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(DWORD processId);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<SeenMessageBox> Seen() const;
    // Waits until at least `count` boxes were answered or the time passed.
    bool WaitForCount(size_t count, DWORD timeoutMs) const;

private:
    void Watch();

    DWORD processId_;
    HDESK desktop_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::thread watcher_;
};

// A program run to its end with every message box it shows answered.
struct AnsweredRun {
    DWORD exitCode = ~0u;  // ~0u: it did not start or end in time (then it is killed)
    std::vector<SeenMessageBox> boxes;
};
AnsweredRun RunAnsweringMessageBoxes(const std::string& commandLine, DWORD timeoutMs);

}  // namespace suite::testing
