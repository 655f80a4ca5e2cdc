// A small modeless popup with a text area, a progress bar and a Cancel
// button, shown during a long run on the GUI thread. The caller keeps it
// responsive with PumpMessages and asks IsCancelled between steps. The
// window's screen position is kept in the per-user profile.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "framework/Wnd.h"

#if defined(__GNUC__)
#define QUILLON_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QUILLON_PRINTF_FORMAT(fmt, args)
#endif

class CProgressWindow : public CWnd {
public:
    CProgressWindow();
    ~CProgressWindow() override;

    // Creates, lays out, places and shows the window (without activating
    // it). pParent null: owned by the main window, if any. FALSE on failure.
    BOOL Create(CWnd* pParent, const char* pszTitle, BOOL bSmooth = FALSE);
    // Saves the position, then destroys the window.
    BOOL DestroyWindow() override;

    void SetRange(int nLower, int nUpper, int nStep = 1);
    // Moves the bar and updates the caption's percentage; returns the bar's
    // previous position.
    int SetPosition(int nPos);
    int Step();
    // Formats printf-style into a 512-byte buffer and shows the result.
    void SetText(const char* pszFormat, ...) QUILLON_PRINTF_FORMAT(2, 3);
    // Dispatches the thread's pending messages; Escape typed into any window
    // of the program cancels when bEscapeCancels is set.
    void PumpMessages(BOOL bEscapeCancels = TRUE);
    BOOL IsCancelled() const { return m_bCancelled; }

    // The size of the text buffer of SetText, terminator included.
    static constexpr int kTextBufferSize = 512;

protected:
    BOOL OnEraseBkgnd(HDC hDC);
    void OnCancel();

private:
    void Layout(int nLines, int nWidth);
    void Show();
    void SavePosition() const;
    void RestorePosition();
    HWND OwnerWindow(CWnd* pParent) const;

    BOOL m_bCancelled = FALSE;
    int m_nPos = 0;
    int m_nLastPercent = 0;
    int m_nStep = 1;
    int m_nUpper = 100;
    int m_nLower = 0;
    CWnd m_text;
    CWnd m_progress;
    CWnd m_cancel;
    std::string m_strTitle = "Progress";
    std::string m_strCancelLabel = " Cancel ";
    CFontHandle m_font;

    DECLARE_MESSAGE_MAP()
};
