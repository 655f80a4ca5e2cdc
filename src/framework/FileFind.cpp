#include "framework/FileFind.h"

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE) {
        ::FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }
    m_bHasNext = false;
}

BOOL CFileFind::FindFile(const char* pszPattern)
{
    Close();
    m_current = WIN32_FIND_DATAA{};
    if (pszPattern == nullptr)
        return FALSE;
    m_hFind = ::FindFirstFileA(pszPattern, &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHasNext)
        return FALSE;
    m_current = m_next;
    // The system terminates the name, but a copy never relies on it.
    m_current.cFileName[MAX_PATH - 1] = '\0';
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_bHasNext ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const
{
    const char* p = m_current.cFileName;
    return p[0] == '.' && (p[1] == '\0' || (p[1] == '.' && p[2] == '\0'));
}
