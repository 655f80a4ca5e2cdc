#include "support/XInput.h"

#include <atomic>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>


#include "support/TestSupport.h"

extern char** environ;

namespace testsupport {

bool RunXdotool(const std::vector<std::string>& args)
{
    std::vector<std::string> all;
    all.reserve(args.size() + 1);
    all.emplace_back("xdotool");
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(all.size() + 1);
    for (std::string& arg : all)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The waiting thread makes no Win32 call.
bool RunXdotoolPumping(const std::vector<std::string>& args)
{
    std::atomic<int> result(-1);
    std::thread runner([&] { result = RunXdotool(args) ? 1 : 0; });
    PumpUntil([&] { return result.load() >= 0; }, 30000);
    runner.join();
    return result.load() == 1;
}

bool PointerMoveTo(HWND hWnd, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(hWnd, &screen);
    // (xdotool's own --sync waits for a motion and hangs when the pointer
    // is already there.)
    if (!RunXdotool({"mousemove", std::to_string(screen.x), std::to_string(screen.y)}))
        return false;
    PumpUntil([&] {
        POINT now;
        return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    }, 1000);
    PumpFor(20);
    return true;
}

bool PointerDown(int nButton)
{
    return RunXdotool({"mousedown", std::to_string(nButton)});
}

bool PointerUp(int nButton)
{
    return RunXdotool({"mouseup", std::to_string(nButton)});
}

bool PointerClick(int nButton, int nCount)
{
    return RunXdotool({"click", "--repeat", std::to_string(nCount), "--delay", "50",
                       std::to_string(nButton)});
}

bool PressKeys(const std::string& keys)
{
    return RunXdotool({"key", "--clearmodifiers", keys});
}

bool KeyDown(const std::string& keys)
{
    return RunXdotool({"keydown", keys});
}

bool KeyUp(const std::string& keys)
{
    return RunXdotool({"keyup", keys});
}

bool FocusWindow(HWND hTopLevel, HWND hFocus)
{
    ::SetForegroundWindow(hTopLevel);
    ::SetActiveWindow(hTopLevel);
    ::SetFocus(hFocus != nullptr ? hFocus : hTopLevel);
    return PumpUntil([&] {
        return ::GetForegroundWindow() == hTopLevel && ::GetFocus() == (hFocus ? hFocus : hTopLevel);
    }, 3000);
}

}  // namespace testsupport
