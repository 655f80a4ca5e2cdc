#include "standin/StandIn.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "standin/StandInIds.h"

namespace standin {

namespace {

const char kWindowClass[] = "QuillonStandInWindow";
constexpr int kIdInfo = 100;
constexpr int kIdList = 101;

// Client sizes of the dialogs and progress windows.
constexpr int kDialogWidth = 420;
constexpr int kDialogHeight = 170;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;

CStandIn* s_pThis = nullptr;

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                          b.c_str(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string FullPath(const std::string& path)
{
    const DWORD cch = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (cch == 0)
        return path;
    std::vector<char> buffer(cch + 1);
    const DWORD cchDone = GetFullPathNameA(path.c_str(), cch + 1, buffer.data(), nullptr);
    return cchDone == 0 || cchDone > cch ? path : std::string(buffer.data(), cchDone);
}

std::string WindowText(HWND hWnd)
{
    const int cch = GetWindowTextLengthA(hWnd);
    std::vector<char> buffer(cch + 1, '\0');
    GetWindowTextA(hWnd, buffer.data(), cch + 1);
    return buffer.data();
}

// The file named in the save dialog: blanks and one pair of surrounding
// quotes removed; a bare name is taken from the folder of the opened file.
std::string ExportTarget(const std::string& text, const std::string& openedPath)
{
    std::string name = text;
    const size_t first = name.find_first_not_of(" \t");
    name = first == std::string::npos
               ? std::string()
               : name.substr(first, name.find_last_not_of(" \t") - first + 1);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    if (name.empty())
        return name;
    if (name.find(':') == std::string::npos && name[0] != '\\') {
        const size_t slash = openedPath.find_last_of("\\/");
        if (slash != std::string::npos)
            name = openedPath.substr(0, slash + 1) + name;
    }
    return FullPath(name);
}

const char* Title(Win win)
{
    switch (win) {
    case Win::Import: return kTitleImport;
    case Win::AutoVolume: return kTitleAutoVolume;
    case Win::AutoVolumeProgress: return kTitleAutoVolumeProgress;
    case Win::SaveAs: return kTitleSaveAs;
    case Win::Replace: return kTitleReplace;
    case Win::Tags: return kTitleTags;
    case Win::Export: return kTitleExport;
    case Win::ExitPrompt: return kTitleExitPrompt;
    default: return "";
    }
}

// A window of the stand-in's class and of the title in another process.
struct AnotherSearch {
    std::string title;
    bool bFound;
};

BOOL CALLBACK AnotherSearchProc(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<AnotherSearch*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    char szClass[64] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    pSearch->bFound = dwPid != GetCurrentProcessId() && std::strcmp(szClass, kWindowClass) == 0 &&
                      WindowText(hWnd) == pSearch->title;
    return !pSearch->bFound;
}

}  // namespace

void AppendLine(const std::string& transcriptPath, const std::string& line)
{
    if (transcriptPath.empty())
        return;
    // Opened and closed per line, so that a reader sees every line at once.
    HANDLE hFile =
        CreateFileA(transcriptPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD dw = 0;
    WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &dw, nullptr);
    CloseHandle(hFile);
}

std::string ProjectTitle(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() >= 4 && EqualNoCase(name.substr(name.size() - 4), ".mp3"))
        name.resize(name.size() - 4);
    return name;
}

CStandIn::CStandIn(HINSTANCE hInstance, const std::string& path, const RunOptions& options,
                   const std::string& transcriptPath)
    : m_hInstance(hInstance),
      m_path(path),
      m_target(path),
      m_project(ProjectTitle(path)),
      m_options(options),
      m_transcriptPath(transcriptPath)
{
    s_pThis = this;
}

CStandIn::~CStandIn()
{
    for (const auto& timer : m_timers)
        KillTimer(nullptr, timer.first);
    // A decoy ends by itself with this process.
    for (const PROCESS_INFORMATION& pi : m_decoys) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    s_pThis = nullptr;
}

void CStandIn::Record(const std::string& line)
{
    if (m_hList != nullptr) {
        const LRESULT nIndex =
            SendMessageA(m_hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(m_hList, LB_SETTOPINDEX, nIndex, 0);
    }
    AppendLine(m_transcriptPath, line);
}

bool CStandIn::Start(std::string* pError)
{
    Record("start " + m_path);
    if (!mp3::ReadMp3Tags(m_path, &m_tags, pError)) {
        Record("start failed: " + *pError);
        return false;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = m_hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassA(&wc)) {
        *pError = "cannot register the window class";
        return false;
    }
    m_hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < static_cast<int>(Win::Count); ++i) {
        if (m_options.Find(FaultKind::Decoy, static_cast<Win>(i)) != nullptr)
            StartDecoy(static_cast<Win>(i));
    }
    Due(Win::Main);
    Open(Win::Import);
    return true;
}

int CStandIn::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab and Enter in the dialogs.
        const HWND hActive = GetActiveWindow();
        if (hActive != nullptr && hActive != m_hWnd[static_cast<int>(Win::Main)] &&
            IsDialogMessageA(hActive, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void CStandIn::After(unsigned nMs, std::function<void()> fn)
{
    const UINT_PTR id = SetTimer(nullptr, 0, nMs, TimerProc);
    if (id != 0)
        m_timers[id] = std::move(fn);
}

void CALLBACK CStandIn::TimerProc(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    KillTimer(nullptr, idEvent);
    if (s_pThis == nullptr)
        return;
    const auto it = s_pThis->m_timers.find(idEvent);
    if (it == s_pThis->m_timers.end())
        return;
    const std::function<void()> fn = std::move(it->second);
    s_pThis->m_timers.erase(it);
    fn();
}

void CStandIn::Open(Win win)
{
    After(0, [this, win] { Due(win); });
}

void CStandIn::Due(Win win)
{
    const std::string key = WinKey(win);
    if (m_hWnd[static_cast<int>(win)] != nullptr) {
        Record(key + " already shown");
        SetForegroundWindow(m_hWnd[static_cast<int>(win)]);
        return;
    }
    if (m_options.Find(FaultKind::Exit, win) != nullptr) {
        Record(key + " exit (fault)");
        ExitProcess(kExitFault);
    }
    if (m_options.Find(FaultKind::Never, win) != nullptr) {
        Record(key + " never shown (fault)");
        return;
    }
    if (const Fault* pLate = m_options.Find(FaultKind::Late, win)) {
        Record(key + " late " + std::to_string(pLate->nValue) + " ms (fault)");
        After(pLate->nValue, [this, win] { Create(win); });
        return;
    }
    if (m_options.Find(FaultKind::Stray, win) != nullptr) {
        Record(key + " held back (fault)");
        ShowWhenAnotherShows(win);
        return;
    }
    Create(win);
}

void CStandIn::ShowWhenAnotherShows(Win win)
{
    After(50, [this, win] {
        AnotherSearch search = {WindowTitle(win), false};
        EnumWindows(AnotherSearchProc, reinterpret_cast<LPARAM>(&search));
        if (!search.bFound) {
            ShowWhenAnotherShows(win);
            return;
        }
        Record(std::string(WinKey(win)) + " shown after another stand-in's (fault)");
        Create(win, true);
    });
}

// The decoy is this program again, started with the decoy switch. The main
// window waits for the decoy's window, so that it is there from the start.
void CStandIn::StartDecoy(Win win)
{
    char szSelf[MAX_PATH] = "";
    const DWORD cch = GetModuleFileNameA(nullptr, szSelf, MAX_PATH);
    const std::string title = WindowTitle(win) + kDecoySuffix;
    std::string commandLine = "\"" + std::string(szSelf) + "\" " + kDecoySwitch + " " +
                              std::to_string(GetCurrentProcessId()) + " " + title;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (cch == 0 || cch >= MAX_PATH ||
        !CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        Record("decoy not started: " + title);
        return;
    }
    m_decoys.push_back(pi);
    WaitForInputIdle(pi.hProcess, 30000);
    Record("decoy started: " + title);
}

std::string CStandIn::WindowTitle(Win win) const
{
    return win == Win::Main ? m_project + kTitleSuffix : Title(win);
}

HWND CStandIn::AddControl(Win win, const char* pszClass, const char* pszText, DWORD dwStyle,
                          int nId, int x, int y, int cx, int cy)
{
    if (nId > 0 && m_options.HasControlFault(FaultKind::NoControl, win, nId))
        return nullptr;
    HWND hControl = CreateWindowExA(
        std::strcmp(pszClass, "EDIT") == 0 ? WS_EX_CLIENTEDGE : 0, pszClass, pszText,
        WS_CHILD | WS_VISIBLE | dwStyle, x, y, cx, cy, m_hWnd[static_cast<int>(win)],
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), m_hInstance, nullptr);
    if (hControl == nullptr)
        return nullptr;
    SendMessageA(hControl, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    if (std::strcmp(pszClass, "EDIT") == 0) {
        const auto pfn = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
        m_edits[hControl] = {m_options.HasControlFault(FaultKind::ReadOnly, win, nId),
                             m_options.HasControlFault(FaultKind::Altered, win, nId),
                             std::string(WinKey(win)) + " " + std::to_string(nId), pfn};
        DefWindowProcA(hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText));
    }
    return hControl;
}

// A dialog's buttons, right-aligned along its bottom edge.
void CStandIn::AddButtons(Win win,
                          const std::initializer_list<std::pair<int, const char*>>& buttons)
{
    int x = kDialogWidth - 12 - static_cast<int>(buttons.size()) * (kButtonWidth + 8) + 8;
    for (const auto& button : buttons) {
        AddControl(win, "BUTTON", button.second,
                   WS_TABSTOP | (button.first == kIdOk || button.first == kIdYes ? BS_DEFPUSHBUTTON
                                                                                 : BS_PUSHBUTTON),
                   button.first, x, kDialogHeight - 12 - kButtonHeight, kButtonWidth,
                   kButtonHeight);
        x += kButtonWidth + 8;
    }
}

void CStandIn::Create(Win win, bool bTopmost)
{
    const int nWin = static_cast<int>(win);
    const HWND hMain = m_hWnd[static_cast<int>(Win::Main)];
    // The overwrite question is a modal box over the save dialog; the other
    // windows belong to the main window.
    const HWND hSaveAs = m_hWnd[static_cast<int>(Win::SaveAs)];
    const HWND hOwner = win == Win::Replace && hSaveAs != nullptr ? hSaveAs : hMain;
    const DWORD dwExStyle = bTopmost ? WS_EX_TOPMOST : 0;
    HWND hWnd = nullptr;
    if (win == Win::Main) {
        hWnd = CreateWindowExA(dwExStyle, kWindowClass, WindowTitle(win).c_str(),
                               WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, nullptr,
                               nullptr, m_hInstance, reinterpret_cast<void*>(nWin + 1));
    } else {
        const DWORD dwStyle = WS_POPUP | WS_CAPTION | (IsTimedWin(win) ? 0 : WS_SYSMENU);
        RECT rc = {0, 0, kDialogWidth, kDialogHeight};
        AdjustWindowRectEx(&rc, dwStyle, FALSE, WS_EX_DLGMODALFRAME);
        const int cx = rc.right - rc.left;
        const int cy = rc.bottom - rc.top;
        RECT rcOver = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (hOwner != nullptr)
            GetWindowRect(hOwner, &rcOver);
        hWnd = CreateWindowExA(WS_EX_DLGMODALFRAME | dwExStyle, kWindowClass,
                               WindowTitle(win).c_str(), dwStyle,
                               (rcOver.left + rcOver.right - cx) / 2,
                               (rcOver.top + rcOver.bottom - cy) / 2, cx, cy, hOwner, nullptr,
                               m_hInstance, reinterpret_cast<void*>(nWin + 1));
    }
    if (hWnd == nullptr) {
        Record(std::string(WinKey(win)) + " cannot be created");
        return;
    }
    m_hWnd[nWin] = hWnd;
    if (win != Win::Main && hMain != nullptr)
        EnableWindow(hMain, FALSE);
    if (hOwner != hMain)
        EnableWindow(hOwner, FALSE);
    if (m_options.Find(FaultKind::Disabled, win) != nullptr) {
        EnableWindow(hWnd, FALSE);
        if (win == Win::Main)
            m_bMainHeld = true;
    }
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    After(m_options.ControlsMs(), [this, win, hWnd] {
        if (m_hWnd[static_cast<int>(win)] == hWnd)
            Complete(win);
    });
}

// The window's controls, its fields before its buttons, as in the editor's
// dialogs; then the timers of a timed window and of a disabled fault.
void CStandIn::Complete(Win win)
{
    const HWND hWnd = m_hWnd[static_cast<int>(win)];
    const int cxText = kDialogWidth - 24;
    std::string shown = WinKey(win) + std::string(" shown");
    switch (win) {
    case Win::Main:
        m_hInfo = AddControl(win, "STATIC", "", SS_LEFT | SS_NOPREFIX, kIdInfo, 0, 0, 0, 0);
        m_hList = AddControl(win, "LISTBOX", "", WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT,
                             kIdList, 0, 0, 0, 0);
        {
            HMENU hMenu = CreateMenu();
            HMENU hFile = CreatePopupMenu();
            AppendMenuA(hFile, MF_STRING, kCmdExportMp3, "&Export As MP3...");
            AppendMenuA(hFile, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(hFile, MF_STRING, kCmdExit, "E&xit");
            HMENU hEdit = CreatePopupMenu();
            AppendMenuA(hEdit, MF_STRING, kCmdSelectAll, "Select &All");
            HMENU hEffect = CreatePopupMenu();
            AppendMenuA(hEffect, MF_STRING, kCmdAutoVolume, "&Automatic Volume Control...");
            HMENU hHelp = CreatePopupMenu();
            AppendMenuA(hHelp, MF_STRING, kCmdAbout, "&About Audacity stand-in...");
            AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hFile), "&File");
            AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hEdit), "&Edit");
            AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hEffect), "Effe&ct");
            AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hHelp), "&Help");
            SetMenu(hWnd, hMenu);
        }
        ShowFileInfo();
        LayoutMain();
        break;
    case Win::Import:
        AddControl(win, "STATIC", ("Importing " + m_path + "...").c_str(), SS_LEFT | SS_NOPREFIX, 0,
                   12, 12, cxText, 60);
        break;
    case Win::AutoVolume:
        AddControl(win, "STATIC",
                   "Evens out the loudness of the selected audio.\n(The stand-in leaves the "
                   "audio as it is.)",
                   SS_LEFT, 0, 12, 12, cxText, 60);
        AddButtons(win, {{kIdOk, kTextOk}, {kIdCancel, kTextCancel}});
        break;
    case Win::AutoVolumeProgress:
        AddControl(win, "STATIC", "Applying Automatic Volume Control...", SS_LEFT, 0, 12, 12,
                   cxText, 40);
        break;
    case Win::SaveAs:
        AddControl(win, "STATIC", "File name:", SS_LEFT, 0, 12, 16, 80, 20);
        AddControl(win, "EDIT", m_path.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, kIdFileName, 96, 12,
                   kDialogWidth - 108, 24);
        AddButtons(win, {{kIdOk, kTextSave}, {kIdCancel, kTextCancel}});
        break;
    case Win::Replace:
        AddControl(win, "STATIC",
                   (m_target + " already exists.\nDo you want to replace it?").c_str(),
                   SS_LEFT | SS_NOPREFIX, 0, 12, 12, cxText, 80);
        AddButtons(win, {{kIdYes, kTextYes}, {kIdNo, kTextNo}});
        break;
    case Win::Tags:
        AddControl(win, "STATIC", "Album:", SS_LEFT, 0, 12, 16, 80, 20);
        AddControl(win, "EDIT", m_tags.album.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, kIdAlbum, 96, 12,
                   kDialogWidth - 108, 24);
        AddControl(win, "STATIC", "Comment:", SS_LEFT, 0, 12, 50, 80, 20);
        AddControl(win, "EDIT", m_tags.comment.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, kIdComment, 96,
                   46, kDialogWidth - 108, 24);
        AddControl(win, "STATIC",
                   "Only the album and comment are written; the audio is not changed.", SS_LEFT, 0,
                   12, 84, cxText, 40);
        AddButtons(win, {{kIdOk, kTextOk}, {kIdCancel, kTextCancel}});
        shown += " album=" + m_tags.album + " comment=" + m_tags.comment;
        break;
    case Win::Export:
        AddControl(win, "STATIC",
                   ("Exporting " + m_target + "...\n(tags only: the audio is not changed)").c_str(),
                   SS_LEFT | SS_NOPREFIX, 0, 12, 12, cxText, 60);
        break;
    case Win::ExitPrompt:
        AddControl(win, "STATIC", ("Save changes to " + m_project + " before closing?").c_str(),
                   SS_LEFT | SS_NOPREFIX, 0, 12, 12, cxText, 40);
        AddButtons(win, {{kIdYes, kTextYes}, {kIdNo, kTextNo}, {kIdCancel, kTextCancel}});
        break;
    default: break;
    }
    Record(shown);
    if (const Fault* pDisabled = m_options.Find(FaultKind::Disabled, win)) {
        Record(std::string(WinKey(win)) + " disabled " + std::to_string(pDisabled->nValue) +
               " ms (fault)");
        After(pDisabled->nValue, [this, win, hWnd] {
            if (m_hWnd[static_cast<int>(win)] != hWnd)
                return;
            if (win == Win::Main) {
                m_bMainHeld = false;
                RefreshMain(Win::Main);
            } else {
                EnableWindow(hWnd, TRUE);
            }
            Record(std::string(WinKey(win)) + " enabled");
        });
    }
    if (IsTimedWin(win))
        After(m_options.ShowMs(), [this, win, hWnd] {
            if (m_hWnd[static_cast<int>(win)] == hWnd)
                Close(win);
        });
}

void CStandIn::RefreshMain(Win closing)
{
    const HWND hMain = m_hWnd[static_cast<int>(Win::Main)];
    if (hMain == nullptr)
        return;
    bool bOtherUp = false;
    for (int i = 0; i < static_cast<int>(Win::Count); ++i) {
        const Win win = static_cast<Win>(i);
        if (win != Win::Main && win != closing && m_hWnd[i] != nullptr)
            bOtherUp = true;
    }
    EnableWindow(hMain, !bOtherUp && !m_bMainHeld);
}

// The windows below are enabled before the window goes, as a modal dialog
// does, so that the activation passes to them.
void CStandIn::Close(Win win)
{
    const HWND hWnd = m_hWnd[static_cast<int>(win)];
    if (hWnd == nullptr)
        return;
    const HWND hSaveAs = m_hWnd[static_cast<int>(Win::SaveAs)];
    if (win == Win::Replace && hSaveAs != nullptr)
        EnableWindow(hSaveAs, TRUE);
    if (win != Win::Main)
        RefreshMain(win);
    DestroyWindow(hWnd);
}

void CStandIn::OnDestroyed(Win win)
{
    m_hWnd[static_cast<int>(win)] = nullptr;
    Record(std::string(WinKey(win)) + " gone");
    if (win == Win::Main) {
        m_hInfo = nullptr;
        m_hList = nullptr;
        PostQuitMessage(kExitNormal);
    }
}

std::string CStandIn::ControlText(Win win, int nId, const std::string& fallback) const
{
    HWND hControl = GetDlgItem(m_hWnd[static_cast<int>(win)], nId);
    return hControl != nullptr ? WindowText(hControl) : fallback;
}

void CStandIn::OnMenuCommand(int nId)
{
    Record("command " + std::to_string(nId));
    switch (nId) {
    case kCmdSelectAll: Record("all selected"); break;
    case kCmdAutoVolume: Open(Win::AutoVolume); break;
    case kCmdExportMp3: Open(Win::SaveAs); break;
    case kCmdExit: Open(Win::ExitPrompt); break;
    case kCmdAbout:
        MessageBoxA(m_hWnd[static_cast<int>(Win::Main)],
                    "Audacity stand-in\n\nA small test program that answers to Quillon's "
                    "automation the way Audacity does: the same menu commands, window titles, "
                    "controls and buttons.\n\nWhen it exports, it only rewrites the album and "
                    "comment in the file's ID3v2 tag. It does not change the audio.",
                    kTitleMessages, MB_OK | MB_ICONINFORMATION);
        break;
    default: break;
    }
}

void CStandIn::OnButton(Win win, int nId)
{
    const std::string key = WinKey(win);
    switch (win) {
    case Win::AutoVolume:
        if (nId == kIdOk) {
            Record("avc ok");
            Close(win);
            Open(Win::AutoVolumeProgress);
        } else if (nId == kIdCancel) {
            Record("avc cancel");
            Close(win);
        }
        break;
    case Win::SaveAs:
        if (nId == kIdOk)
            OnSave();
        else if (nId == kIdCancel) {
            Record("saveas cancel");
            Close(win);
        }
        break;
    case Win::Replace:
        if (nId == kIdYes) {
            Record("replace yes");
            Close(win);
            Close(Win::SaveAs);
            Open(Win::Tags);
        } else if (nId == kIdNo) {
            // Back to the save dialog.
            Record("replace no");
            Close(win);
        }
        break;
    case Win::Tags:
        if (nId == kIdOk)
            OnTagsOk();
        else if (nId == kIdCancel) {
            Record("tags cancel");
            Close(win);
        }
        break;
    case Win::ExitPrompt:
        if (nId == kIdNo || nId == kIdYes) {
            // There is no project to save either way.
            Record(nId == kIdNo ? "exitprompt no" : "exitprompt yes (nothing saved)");
            Close(Win::Main);
        } else if (nId == kIdCancel) {
            Record("exitprompt cancel");
            Close(win);
        }
        break;
    default: break;
    }
}

// Save in the save dialog: the file named there is the export's target;
// an existing file first asks whether to replace it, in a box over the save
// dialog, which stays open below it. When the question is never to come, the
// dialog goes at once.
void CStandIn::OnSave()
{
    const bool bHasName = GetDlgItem(m_hWnd[static_cast<int>(Win::SaveAs)], kIdFileName) != nullptr;
    const std::string text = ControlText(Win::SaveAs, kIdFileName, std::string());
    Record("saveas save filename=" + text);
    const std::string target = ExportTarget(text, m_path);
    if (!bHasName || target.empty()) {
        Record("saveas save refused: no file name");
        return;
    }
    m_target = target;
    if (GetFileAttributesA(m_target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (m_options.Find(FaultKind::Never, Win::Replace) != nullptr)
            Close(Win::SaveAs);
        Open(Win::Replace);
    } else {
        Close(Win::SaveAs);
        Open(Win::Tags);
    }
}

// OK in the tag dialog: the export writes the file (a copy of the opened
// one when the target is another file) with the dialog's album and comment.
void CStandIn::OnTagsOk()
{
    mp3::Mp3Tags tags;
    tags.album = ControlText(Win::Tags, kIdAlbum, m_tags.album);
    tags.comment = ControlText(Win::Tags, kIdComment, m_tags.comment);
    Record("tags ok album=" + tags.album + " comment=" + tags.comment);
    Close(Win::Tags);
    m_tags = tags;
    std::string error;
    bool bWritten = true;
    if (!EqualNoCase(FullPath(m_target), FullPath(m_path)) &&
        !CopyFileA(m_path.c_str(), m_target.c_str(), FALSE)) {
        error = "cannot copy the file to " + m_target;
        bWritten = false;
    }
    if (bWritten)
        bWritten = mp3::WriteMp3Tags(m_target, tags, &error);
    Record(bWritten ? "tags written to " + m_target : "tags not written: " + error);
    ShowFileInfo();
    Open(Win::Export);
}

void CStandIn::ShowFileInfo()
{
    if (m_hInfo == nullptr)
        return;
    const std::string info = "File: " + m_path + "\nAlbum: " + m_tags.album +
                             "\nComment: " + m_tags.comment +
                             "\n\nThis stand-in for Audacity only rewrites the album and comment "
                             "tags when it exports; it does not change the audio.";
    SetWindowTextA(m_hInfo, info.c_str());
}

void CStandIn::LayoutMain()
{
    HWND hMain = m_hWnd[static_cast<int>(Win::Main)];
    if (hMain == nullptr || m_hInfo == nullptr || m_hList == nullptr)
        return;
    RECT rc;
    GetClientRect(hMain, &rc);
    const int cyInfo = 90;
    MoveWindow(m_hInfo, 8, 8, rc.right - 16, cyInfo, TRUE);
    MoveWindow(m_hList, 8, 16 + cyInfo, rc.right - 16, rc.bottom - 24 - cyInfo, TRUE);
}

LRESULT CALLBACK CStandIn::WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_NCCREATE) {
        const auto* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    const LONG_PTR nWin = GetWindowLongPtrA(hWnd, GWLP_USERDATA) - 1;
    if (s_pThis == nullptr || nWin < 0 || nWin >= static_cast<LONG_PTR>(Win::Count))
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    return s_pThis->OnMessage(static_cast<Win>(nWin), hWnd, uMsg, wParam, lParam);
}

LRESULT CStandIn::OnMessage(Win win, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_COMMAND:
        if (win == Win::Main) {
            // Menu commands, whether chosen or posted, come with no control.
            if (lParam == 0 && HIWORD(wParam) <= 1)
                OnMenuCommand(LOWORD(wParam));
        } else if (HIWORD(wParam) == BN_CLICKED) {
            OnButton(win, LOWORD(wParam));
        }
        return 0;
    case WM_CLOSE:
        if (win == Win::Main) {
            Record("main closed");
            DestroyWindow(hWnd);
        } else if (win == Win::Replace) {
            OnButton(win, kIdNo);
        } else if (!IsTimedWin(win)) {
            OnButton(win, kIdCancel);
        }
        return 0;
    case WM_SIZE:
        if (win == Win::Main)
            LayoutMain();
        break;
    case WM_DESTROY: OnDestroyed(win); return 0;
    default: break;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// Every edit field: its text is also kept as its window text, so that it
// shows to other programs that read window texts, as a field of the editor
// does; and the readonly and altered faults.
LRESULT CALLBACK CStandIn::EditProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (s_pThis == nullptr)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    const auto it = s_pThis->m_edits.find(hWnd);
    if (it == s_pThis->m_edits.end())
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    const Edit edit = it->second;  // a copy: WM_NCDESTROY erases the entry
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit.pfnOriginal));
        s_pThis->m_edits.erase(it);
    } else if (uMsg == WM_SETTEXT) {
        if (edit.bReadOnly) {
            s_pThis->Record(edit.name + " text refused (fault)");
            return FALSE;
        }
        std::string text(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        if (edit.bAltered) {
            text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
            s_pThis->Record(edit.name + " text altered (fault)");
        }
        const LRESULT result = CallWindowProcA(edit.pfnOriginal, hWnd, uMsg, wParam,
                                               reinterpret_cast<LPARAM>(text.c_str()));
        if (result)
            DefWindowProcA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return result;
    }
    return CallWindowProcA(edit.pfnOriginal, hWnd, uMsg, wParam, lParam);
}

namespace {

const char kDecoyClass[] = "QuillonStandInDecoy";
std::string s_decoyTranscript;

LRESULT CALLBACK DecoyProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_COMMAND)
        AppendLine(s_decoyTranscript, "decoy command " + std::to_string(LOWORD(wParam)));
    if (uMsg == WM_DESTROY)
        PostQuitMessage(kExitNormal);
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

int RunDecoy(HINSTANCE hInstance, DWORD dwParentId, const std::string& title,
             const std::string& transcriptPath)
{
    s_decoyTranscript = transcriptPath;
    HANDLE hParent = OpenProcess(SYNCHRONIZE, FALSE, dwParentId);
    if (hParent == nullptr)
        return kExitUsage;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DecoyProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kDecoyClass;
    RegisterClassA(&wc);
    HWND hWnd =
        CreateWindowExA(WS_EX_TOPMOST, kDecoyClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        40, 40, 360, 120, nullptr, nullptr, hInstance, nullptr);
    AppendLine(transcriptPath, "decoy shown " + title);
    // Ends with the stand-in that started it, whichever way that ends.
    for (;;) {
        const DWORD dw = MsgWaitForMultipleObjects(1, &hParent, FALSE, INFINITE, QS_ALLINPUT);
        if (dw != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                CloseHandle(hParent);
                return static_cast<int>(msg.wParam);
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (hWnd != nullptr)
        DestroyWindow(hWnd);
    CloseHandle(hParent);
    return kExitNormal;
}

}  // namespace standin
