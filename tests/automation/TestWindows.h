// Real top-level windows of the test process for the automation's lookups.
// Each window counts how often its text is read (one read per lookup that
// sees it) and records the WM_COMMAND messages and the one extra message it
// is told to watch.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace automationtest {

// A title unique to this test process, so that windows of other processes
// on the same desktop cannot interfere: "qat<pid> <suffix>".
std::string UniqueTitle(const std::string& suffix);

class TestWindow {
public:
    struct Message {
        UINT nMsg;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit TestWindow(const std::string& title, bool bVisible = true);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    // Adds a control (a system class such as "BUTTON" or "STATIC", or a plain
    // container panel for "PANEL") below hWndParent (this window when null).
    HWND AddChild(const char* pszClass, const char* pszText, int nId, HWND hWndParent = nullptr);
    void Enable(bool bEnable) { EnableWindow(m_hWnd, bEnable ? TRUE : FALSE); }
    void Destroy();
    // Puts the window at the top of the Z-order (first in enumeration).
    void BringToTop();

    int m_nTextReads = 0;
    UINT m_nWatchedMsg = 0;
    std::vector<Message> m_messages;  // WM_COMMAND and m_nWatchedMsg

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
};

}  // namespace automationtest
