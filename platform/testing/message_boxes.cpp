#include "testing/message_boxes.h"

#include "testing/child_process.h"

namespace suite::testing {
namespace {

std::string TextOf(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct Search {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && IsWindowVisible(window) && ClassOf(window) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
    auto box = reinterpret_cast<SeenMessageBox*>(param);
    const std::string kind = ClassOf(child);
    if (kind == "Button") box->buttons.push_back(TextOf(child));
    // The icon is a static too, without text.
    if (kind == "Static" && !TextOf(child).empty()) box->text = TextOf(child);
    return TRUE;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(DWORD processId)
    : processId_(processId), desktop_(GetThreadDesktop(GetCurrentThreadId())), watcher_([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    watcher_.join();
}

std::vector<SeenMessageBox> MessageBoxAnswerer::Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
}

bool MessageBoxAnswerer::WaitForCount(size_t count, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (Seen().size() < count) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

void MessageBoxAnswerer::Watch() {
    // Under Wine a new thread of a program started on another desktop
    // begins on the default one; the boxes show on the creating thread's.
    SetThreadDesktop(desktop_);
    HWND answered = nullptr;
    while (!stop_) {
        Search search{processId_};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found && search.found != answered) {
            Sleep(50);  // let the box finish laying out its controls
            SeenMessageBox box;
            box.caption = TextOf(search.found);
            box.owner = GetWindow(search.found, GW_OWNER);
            EnumChildWindows(search.found, ReadChild, reinterpret_cast<LPARAM>(&box));
            {
                std::lock_guard lock(mutex_);
                seen_.push_back(box);
            }
            answered = search.found;
            PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else if (!search.found) {
            answered = nullptr;
        }
        Sleep(20);
    }
}

AnsweredRun RunAnsweringMessageBoxes(const std::string& commandLine, DWORD timeoutMs) {
    AnsweredRun run;
    ChildProcess program(commandLine);
    if (!program.Started()) return run;
    MessageBoxAnswerer boxes(program.ProcessId());
    run.exitCode = program.Wait(timeoutMs);
    run.boxes = boxes.Seen();
    return run;
}

}  // namespace suite::testing
