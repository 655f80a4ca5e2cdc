// CGridTitleTip: a small popup over a cell whose text is cut off, showing
// the whole text. While shown it holds the mouse capture; a move out of the
// hover rectangle, a button press or a key hides it and hands the message
// on to the window underneath (or, for keys, to the grid), so the tip never
// gets in the user's way.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

constexpr char TITLETIP_CLASSNAME[] = "ZTitleTip";

class CGridTitleTip : public CWnd {
public:
    CGridTitleTip();
    ~CGridTitleTip() override;

    // Creates the popup (once) for a parent; TRUE when it exists.
    BOOL Create(CWnd* pParentWnd);
    BOOL IsCreated() const { return m_bCreated; }

    // rectTitle: where the text goes (parent client coordinates);
    // lpHoverRect: where the mouse may stay without closing the tip (null:
    // rectTitle). Shown only when the text is wider than rectTitle.
    // Colours of CLR_DEFAULT (0xFF000000) keep the tip's own.
    void Show(RECT rectTitle, const char* pszTitleText, int xoffset = 0,
              const RECT* lpHoverRect = nullptr, const LOGFONTA* lpLogFont = nullptr,
              COLORREF crTextClr = CLR_DEFAULT, COLORREF crBackClr = CLR_DEFAULT);
    void Hide();
    BOOL DestroyWindow() override;

    // Hover rectangle in screen coordinates (valid while shown).
    RECT GetHoverRect() const { return m_rectHover; }

    // A key press while shown hides the tip; one meant for another window
    // goes to the parent instead (TRUE: the message was taken).
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Messages without a handler; while shown, they hide the tip when the
    // application has lost the focus.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    BOOL OnEraseBkgnd(HDC hDC);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnRButtonDown(UINT nFlags, POINT point);
    void OnMButtonDown(UINT nFlags, POINT point);
    void OnRButtonUp(UINT nFlags, POINT point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    static void RegisterTipClass();
    // Hides the tip and hands a button message (client point) on to the
    // window underneath.
    void PassPressThrough(UINT message, UINT nFlags, POINT point);
    // Hides the tip and posts a key message to the parent.
    void PassKeyToParent(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags);
    // Hands a mouse message on to the window under the screen point.
    void ForwardMouse(UINT message, WPARAM wParam, POINT ptScreen, bool bPost);
    // Whether a left press (screen point) pairs with the previous one.
    bool IsDoubleClick(POINT ptScreen, DWORD dwNow) const;

    // Paints the text (also on WM_PAINT, so a repaint keeps it).
    void PaintTip(HDC hDC);

    CWnd* m_pParentWnd = nullptr;
    std::string m_strText;
    LOGFONTA m_lf = {};
    bool m_bHasFont = false;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
    BOOL m_bCreated = FALSE;
    RECT m_rectHover = {0, 0, 0, 0};
    RECT m_rectTitle = {0, 0, 0, 0};

    // The previous left press, to turn a second one into a double click.
    DWORD m_dwLastLButtonDown = 0;
    POINT m_ptLastLButtonDown = {0, 0};
    RECT m_rectLastHover = {0, 0, 0, 0};
    bool m_bHasLastLButtonDown = false;
    DWORD m_dwDblClickMsecs = 500;

    DECLARE_MESSAGE_MAP()
};
