// Shows the wait cursor for the lifetime of the object and puts the previous
// cursor back afterwards.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_hOldCursor(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOldCursor); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOldCursor;
};
