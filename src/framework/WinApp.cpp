#include "framework/WinApp.h"

#include "framework/Handles.h"
#include "framework/Wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr && g_pApp->m_hInstance != nullptr ? g_pApp->m_hInstance
                                                                 : GetModuleHandleA(nullptr);
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

int AfxMessageBox(const char* pszText, UINT nType)
{
    if (g_pApp != nullptr)
        return g_pApp->DoMessageBox(pszText, nType);
    return MessageBoxA(nullptr, pszText, "", nType);
}

std::string AfxLoadString(UINT nID)
{
    char sz[1024];
    const int n = LoadStringA(AfxGetInstanceHandle(), nID, sz, sizeof(sz));
    return n > 0 ? std::string(sz, static_cast<size_t>(n)) : std::string();
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp()
{
    // The last constructed application is the current one (tests make their own).
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::InitApplication(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    m_strAppTitle = AfxLoadString(AFX_IDS_APP_TITLE);
    m_strProfileName = m_strAppTitle;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (m_pMainWnd != nullptr && hWnd == m_pMainWnd->m_hWnd)
            return FALSE;
    }
    return FALSE;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount > 0 || m_pMainWnd == nullptr || m_pMainWnd->m_hWnd == nullptr)
        return FALSE;
    m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE);
    return FALSE;
}

int CWinApp::Run()
{
    MSG msg;
    bool bIdle = true;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = false;
        }
        do {
            const BOOL bGot = GetMessageA(&msg, nullptr, 0, 0);
            if (bGot == 0 || bGot == -1) {
                m_nExitCode = bGot == 0 ? static_cast<int>(msg.wParam) : -1;
                return ExitInstance();
            }
            if (!PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            // Mouse moves and timer ticks alone do not call for a new idle pass.
            if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE &&
                msg.message != WM_TIMER && msg.message != WM_PAINT) {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinApp::DoMessageBox(const char* pszText, UINT nType)
{
    HWND hOwner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    return MessageBoxA(hOwner, pszText, GetAppTitle(), nType);
}

void CWinApp::SetRegistryKey(const char* pszRegistryKey)
{
    m_strRegistryKey = pszRegistryKey != nullptr ? pszRegistryKey : "";
}

namespace {

std::string SectionPath(const std::string& key, const std::string& profile, const char* pszSection)
{
    std::string path = "Software\\" + key;
    if (!profile.empty())
        path += "\\" + profile;
    if (pszSection != nullptr && *pszSection != '\0')
        path += std::string("\\") + pszSection;
    return path;
}

}  // namespace

UINT CWinApp::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) const
{
    if (m_strRegistryKey.empty())
        return static_cast<UINT>(nDefault);
    CRegKeyHandle key;
    const std::string path = SectionPath(m_strRegistryKey, m_strProfileName, pszSection);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return static_cast<UINT>(nDefault);
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD cb = sizeof(dwValue);
    const LONG lResult = RegQueryValueExA(key, pszEntry, nullptr, &dwType,
                                          reinterpret_cast<BYTE*>(&dwValue), &cb);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || cb != sizeof(dwValue))
        return static_cast<UINT>(nDefault);
    return dwValue;
}

BOOL CWinApp::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) const
{
    if (m_strRegistryKey.empty())
        return FALSE;
    CRegKeyHandle key;
    const std::string path = SectionPath(m_strRegistryKey, m_strProfileName, pszSection);
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Put(),
                        nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD dwValue = static_cast<DWORD>(nValue);
    const LONG lResult = RegSetValueExA(key, pszEntry, 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    return lResult == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE hInstance)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->InitApplication(hInstance);
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
