// An owned GDI font (HFONT), deleted with the object; move-only.
#pragma once

#include <windows.h>

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    CFont(CFont&& other) noexcept : m_hFont(other.Detach()) {}
    CFont& operator=(CFont&& other) noexcept
    {
        if (this != &other) {
            DeleteObject();
            m_hFont = other.Detach();
        }
        return *this;
    }

    // Creates the font, deleting the one held before.
    BOOL CreateFontIndirect(const LOGFONTA& lf)
    {
        DeleteObject();
        m_hFont = ::CreateFontIndirectA(&lf);
        return m_hFont != nullptr;
    }
    BOOL DeleteObject()
    {
        if (m_hFont == nullptr)
            return FALSE;
        ::DeleteObject(m_hFont);
        m_hFont = nullptr;
        return TRUE;
    }
    HFONT Detach()
    {
        HFONT h = m_hFont;
        m_hFont = nullptr;
        return h;
    }
    HFONT GetSafeHandle() const { return m_hFont; }
    operator HFONT() const { return m_hFont; }

private:
    HFONT m_hFont = nullptr;
};
