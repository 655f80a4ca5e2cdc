// The state of one user-interface item of a command (menu item or toolbar
// button), handed to update handlers and decided by the command route.
#pragma once

#include <windows.h>

class CCmdTarget;

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;          // position in the menu, or button index
    HMENU m_hMenu = nullptr;    // set for a menu item
    HWND m_hToolBar = nullptr;  // set for a toolbar button

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);

    // Asks the target's route for an update handler; without one the item is
    // enabled exactly when some handler for the command exists on the route
    // (bDisableIfNoHandler), else it is left alone.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    bool m_bEnableChanged = false;
    // The state last given to Enable (for an item that is neither a menu
    // item nor a button: the test whether a command may run now).
    bool m_bEnabled = true;
};
