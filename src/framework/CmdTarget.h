// Message maps and command targets.
//
// Each class that handles messages has one static table of entries: message,
// notification code, id range and a handler thunk. The thunks are generated
// by the ON_... macros below; they are the one place where wParam and lParam
// are cracked into the typed arguments of the On... handlers. A lookup
// searches the class's own table, then its base class's, and so on.
#pragma once

#include <windows.h>

class CCmdTarget;
class CCmdUI;

// Notification codes used with OnCmdMsg besides the control codes.
constexpr int CN_COMMAND = 0;             // execute (menu, accelerator, button click)
constexpr int CN_UPDATE_COMMAND_UI = -1;  // ask for the enabled/checked state

// A private message below WM_USER that no system control uses: sent at idle
// time to let windows update their command UI (toolbar buttons and the like).
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;

using MsgHandlerFn = LRESULT (*)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct MsgMapEntry {
    UINT nMessage;  // WM_xxx; WM_COMMAND and WM_NOTIFY entries use the code and ids
    UINT nCode;     // control or NMHDR notification code, or kUpdateUiCode
    UINT nIdFirst;
    UINT nIdLast;
    MsgHandlerFn pfn;  // null ends the table
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)();  // null for the root class
    const MsgMapEntry* pEntries;
};

// Marks ON_UPDATE_COMMAND_UI entries (never a real notification code).
constexpr UINT kUpdateUiCode = 0xFFFFFFFFu;

// Filled by OnCmdMsg when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Routes a command id with a notification code. CN_COMMAND executes the
    // handler, or with pHandlerInfo only reports that one exists;
    // CN_UPDATE_COMMAND_UI calls the update handler with pExtra as CCmdUI*.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // Finds the first entry for a message (and code and id where they apply)
    // in this object's table chain.
    const MsgMapEntry* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;

protected:
    static const MessageMap* GetThisMessageMap();
};

#define DECLARE_MESSAGE_MAP()                                \
protected:                                                   \
    static const MessageMap* GetThisMessageMap();            \
                                                             \
public:                                                      \
    const MessageMap* GetMessageMap() const override;        \
                                                             \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                            \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }     \
    const MessageMap* theClass::GetThisMessageMap()                                       \
    {                                                                                     \
        using ThisClass = theClass;                                                       \
        using TheBaseClass = baseClass;                                                   \
        static_assert(sizeof(ThisClass) > 0, "complete class");                           \
        static const MsgMapEntry s_entries[] = {
#define END_MESSAGE_MAP()                                                   \
    { 0, 0, 0, 0, nullptr }                                                 \
    }                                                                       \
    ;                                                                       \
    static const MessageMap s_map = {&TheBaseClass::GetThisMessageMap, s_entries}; \
    return &s_map;                                                          \
    }

// The thunk body sees pThis (the derived object), wParam and lParam.
#define QUILLON_MSG_THUNK(...)                                                      \
    [](CCmdTarget* pTarget_, WPARAM wParam, LPARAM lParam) -> LRESULT {              \
        ThisClass* pThis = static_cast<ThisClass*>(pTarget_);                        \
        (void)pThis;                                                                 \
        (void)wParam;                                                                \
        (void)lParam;                                                                \
        __VA_ARGS__                                                                  \
    }

#define ON_MESSAGE_BODY(msg, ...) {(msg), 0, 0, 0, QUILLON_MSG_THUNK(__VA_ARGS__)},

// LRESULT Handler(WPARAM, LPARAM)
#define ON_MESSAGE(msg, fn) ON_MESSAGE_BODY(msg, return pThis->fn(wParam, lParam);)

// void Handler() for menu items, accelerators and buttons
#define ON_COMMAND(id, fn) \
    {WM_COMMAND, 0, (id), (id), QUILLON_MSG_THUNK(pThis->fn(); return 0;)},
#define ON_COMMAND_RANGE(idFirst, idLast, fn) \
    {WM_COMMAND, 0, (idFirst), (idLast), QUILLON_MSG_THUNK(pThis->fn(LOWORD(wParam)); return 0;)},
// void Handler() for a control notification code sent with WM_COMMAND
#define ON_CONTROL(code, id, fn) \
    {WM_COMMAND, (code), (id), (id), QUILLON_MSG_THUNK(pThis->fn(); return 0;)},
// void Handler(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, fn)                                  \
    {WM_COMMAND, kUpdateUiCode, (id), (id),                           \
     QUILLON_MSG_THUNK(pThis->fn(reinterpret_cast<CCmdUI*>(lParam)); return 0;)},
// void Handler(NMHDR*, LRESULT*)
#define ON_NOTIFY(code, id, fn)                                                        \
    {WM_NOTIFY, static_cast<UINT>(code), (id), (id), QUILLON_MSG_THUNK(LRESULT r_ = 0;  \
     pThis->fn(reinterpret_cast<NMHDR*>(lParam), &r_); return r_;)},

// Standard window messages with cracked arguments.
#define ON_WM_CREATE() \
    ON_MESSAGE_BODY(WM_CREATE, return pThis->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));)
#define ON_WM_DESTROY() ON_MESSAGE_BODY(WM_DESTROY, pThis->OnDestroy(); return 0;)
#define ON_WM_CLOSE() ON_MESSAGE_BODY(WM_CLOSE, pThis->OnClose(); return 0;)
#define ON_WM_SIZE()                                                                    \
    ON_MESSAGE_BODY(WM_SIZE, pThis->OnSize(static_cast<UINT>(wParam),                   \
                                           static_cast<short>(LOWORD(lParam)),          \
                                           static_cast<short>(HIWORD(lParam)));         \
                    return 0;)
#define ON_WM_PAINT() ON_MESSAGE_BODY(WM_PAINT, pThis->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND() \
    ON_MESSAGE_BODY(WM_ERASEBKGND, return pThis->OnEraseBkgnd(reinterpret_cast<HDC>(wParam));)
#define ON_WM_SETFOCUS() \
    ON_MESSAGE_BODY(WM_SETFOCUS, pThis->OnSetFocus(reinterpret_cast<HWND>(wParam)); return 0;)
#define ON_WM_KILLFOCUS() \
    ON_MESSAGE_BODY(WM_KILLFOCUS, pThis->OnKillFocus(reinterpret_cast<HWND>(wParam)); return 0;)
#define ON_WM_TIMER() ON_MESSAGE_BODY(WM_TIMER, pThis->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)
#define ON_WM_INITMENUPOPUP()                                                               \
    ON_MESSAGE_BODY(WM_INITMENUPOPUP, pThis->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), \
                                                             LOWORD(lParam), HIWORD(lParam) != 0); \
                    return 0;)
#define ON_WM_MENUSELECT()                                                                  \
    ON_MESSAGE_BODY(WM_MENUSELECT, pThis->OnMenuSelect(LOWORD(wParam), HIWORD(wParam),      \
                                                       reinterpret_cast<HMENU>(lParam));    \
                    return 0;)

// Mouse messages: the point of lParam (signed; client coordinates but for
// the wheel, which gives screen coordinates) and the key flags (MK_*).
#define QUILLON_LPARAM_POINT(lp) \
    POINT { static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)) }
#define ON_WM_LBUTTONDOWN()                                                                \
    ON_MESSAGE_BODY(WM_LBUTTONDOWN,                                                        \
                    pThis->OnLButtonDown(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
#define ON_WM_LBUTTONUP()                                                                  \
    ON_MESSAGE_BODY(WM_LBUTTONUP,                                                          \
                    pThis->OnLButtonUp(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
#define ON_WM_LBUTTONDBLCLK()                                                              \
    ON_MESSAGE_BODY(WM_LBUTTONDBLCLK,                                                      \
                    pThis->OnLButtonDblClk(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
#define ON_WM_RBUTTONDOWN()                                                                \
    ON_MESSAGE_BODY(WM_RBUTTONDOWN,                                                        \
                    pThis->OnRButtonDown(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
#define ON_WM_RBUTTONUP()                                                                  \
    ON_MESSAGE_BODY(WM_RBUTTONUP,                                                          \
                    pThis->OnRButtonUp(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
#define ON_WM_MBUTTONDOWN()                                                                \
    ON_MESSAGE_BODY(WM_MBUTTONDOWN,                                                        \
                    pThis->OnMButtonDown(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
#define ON_WM_MOUSEMOVE()                                                                  \
    ON_MESSAGE_BODY(WM_MOUSEMOVE,                                                          \
                    pThis->OnMouseMove(static_cast<UINT>(wParam), QUILLON_LPARAM_POINT(lParam)); \
                    return 0;)
// BOOL OnMouseWheel(UINT keys, short delta, POINT screenPoint): FALSE passes
// the wheel on to the default handling (the parent).
#define ON_WM_MOUSEWHEEL()                                                                 \
    ON_MESSAGE_BODY(WM_MOUSEWHEEL,                                                         \
                    return pThis->OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), \
                                               QUILLON_LPARAM_POINT(lParam))               \
                               ? 0                                                         \
                               : pThis->Default();)
#define ON_WM_CAPTURECHANGED()                                                             \
    ON_MESSAGE_BODY(WM_CAPTURECHANGED, pThis->OnCaptureChanged(reinterpret_cast<HWND>(lParam)); \
                    return 0;)
#define ON_WM_SETCURSOR()                                                                  \
    ON_MESSAGE_BODY(WM_SETCURSOR, return pThis->OnSetCursor(reinterpret_cast<HWND>(wParam), \
                                                            LOWORD(lParam), HIWORD(lParam));)
// Keyboard messages: the key or character, the repeat count and the flags
// (the high word of lParam).
#define ON_WM_KEYDOWN()                                                                    \
    ON_MESSAGE_BODY(WM_KEYDOWN, pThis->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), \
                                                 HIWORD(lParam));                          \
                    return 0;)
#define ON_WM_SYSKEYDOWN()                                                                 \
    ON_MESSAGE_BODY(WM_SYSKEYDOWN, pThis->OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), \
                                                       HIWORD(lParam));                    \
                    return 0;)
#define ON_WM_CHAR()                                                                       \
    ON_MESSAGE_BODY(WM_CHAR, pThis->OnChar(static_cast<UINT>(wParam), LOWORD(lParam),      \
                                           HIWORD(lParam));                                \
                    return 0;)
#define ON_WM_SYSCHAR()                                                                    \
    ON_MESSAGE_BODY(WM_SYSCHAR, pThis->OnSysChar(static_cast<UINT>(wParam), LOWORD(lParam), \
                                                 HIWORD(lParam));                          \
                    return 0;)
#define ON_WM_IME_CHAR()                                                                   \
    ON_MESSAGE_BODY(WM_IME_CHAR, pThis->OnImeChar(static_cast<UINT>(wParam), LOWORD(lParam), \
                                                  HIWORD(lParam));                         \
                    return 0;)
#define ON_WM_GETDLGCODE() ON_MESSAGE_BODY(WM_GETDLGCODE, return pThis->OnGetDlgCode();)
// Scroll bars: the request (SB_*), the 16-bit position and the bar control.
#define ON_WM_VSCROLL()                                                                    \
    ON_MESSAGE_BODY(WM_VSCROLL, pThis->OnVScroll(LOWORD(wParam), HIWORD(wParam),           \
                                                 reinterpret_cast<HWND>(lParam));          \
                    return 0;)
#define ON_WM_HSCROLL()                                                                    \
    ON_MESSAGE_BODY(WM_HSCROLL, pThis->OnHScroll(LOWORD(wParam), HIWORD(wParam),           \
                                                 reinterpret_cast<HWND>(lParam));          \
                    return 0;)
