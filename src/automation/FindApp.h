// Starting a program and finding windows of any program: top-level windows
// by the beginning of their title, child windows by the beginning of their
// text. Each lookup is one pass over the windows that exist at that moment.
// A top-level lookup can be narrowed to one process, to windows that no
// other window owns, and can be told to pass over one window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

class FindApp {
public:
    // Starts with the one title, or with no title when pszTitle is null.
    explicit FindApp(const char* pszTitle = nullptr);
    // Closes the thread and process handles of a started program; the
    // program itself keeps running.
    virtual ~FindApp();
    FindApp(const FindApp&) = delete;
    FindApp& operator=(const FindApp&) = delete;

    // Appends a title prefix; returns its index, or -1 for a null title.
    int AddTitle(const char* pszTitle);
    // The highest index of a title that the window text begins with, or -1.
    int MatchTitle(const char* pszWindowText) const;
    // The enabled top-level window that matches the lowest title index, or
    // null. Only windows that pass the filters below take part.
    HWND GetWindowHandle();
    // The first descendant of hWndParent whose text begins with pszText, or
    // null; its control id goes to *pnCtrlId when found. With
    // bPushButtonsOnly, controls other than push buttons are passed over.
    HWND FindChildByText(HWND hWndParent, const char* pszText, int* pnCtrlId,
                         bool bPushButtonsOnly = false);
    // Starts the program with the argument string and waits until it is
    // idle. 0 when started, -1 (after a message box) when not.
    int StartApp(const char* pszProgram, const char* pszArguments);

    std::vector<std::string> m_titles;
    HWND m_hWndFound = nullptr;
    HWND m_hWndChild = nullptr;
    std::string m_strChildText;
    bool m_bPushButtonsOnly = false;  // of the last FindChildByText
    int m_nBestIndex = -1;
    CProcessInformation m_pi;

    // Filters of the top-level lookup: only windows of this process (0: of
    // any process), only windows without an owner, never this window.
    DWORD m_dwProcessId = 0;
    bool m_bUnownedOnly = false;
    HWND m_hWndExcluded = nullptr;

    // Whether hWnd passes the filters and its title matches; its title
    // index (-1 when it does not) goes to *pnIndex.
    bool Matches(HWND hWnd, int* pnIndex) const;

private:
    static BOOL CALLBACK EnumTopProc(HWND hWnd, LPARAM lParam);
    static BOOL CALLBACK EnumChildProc(HWND hWnd, LPARAM lParam);
};

// Pauses for at least dwMilliseconds on the tick counter; 0 gives up the
// rest of the time slice.
void SleepTicks(DWORD dwMilliseconds);
