#include "GridEditTestSupport.h"

#include <cstring>

namespace gridedit {

namespace {

const char kHostClass[] = "QuillonGridEditTestHost";

// The system's clipboard manager may hold the clipboard open for a moment.
bool OpenClipboardPatiently()
{
    for (int nTry = 0; nTry < 50; ++nTry) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

EditHost::EditHost(int x, int y, int cx, int cy, const char* pszTitle)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kHostClass, &wc)) {
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = kHostClass;
        RegisterClassA(&wc);
    }
    RECT rc = {0, 0, cx, cy};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = CreateWindowExA(0, kHostClass, pszTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                             rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pGrid = std::make_unique<TestGrid>();
    RECT rcGrid = {0, 0, cx, cy};
    m_pGrid->Create(rcGrid, m_hWnd, kGridId, WS_CHILD | WS_VISIBLE | WS_BORDER);
    SetForegroundWindow(m_hWnd);
    UpdateWindow(m_hWnd);
}

EditHost::~EditHost()
{
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_pGrid.reset();
    DestroyWindow(m_hWnd);
}

int EditHost::Count(int code) const
{
    int n = 0;
    for (const Notification& note : notifications)
        n += note.code == code ? 1 : 0;
    return n;
}

LRESULT CALLBACK EditHost::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        auto* pHost = reinterpret_cast<EditHost*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        const auto* pNm = reinterpret_cast<const NM_GRIDVIEW*>(lParam);
        if (pHost != nullptr && pNm != nullptr && pNm->hdr.idFrom == kGridId) {
            const int code = static_cast<int>(pNm->hdr.code);
            pHost->notifications.push_back({code, pNm->iRow, pNm->iColumn});
            return pHost->reply ? pHost->reply(code, pNm->iRow, pNm->iColumn) : 0;
        }
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void FillGrid(CGridCtrl& grid, int nRows, int nCols)
{
    grid.SetRowCount(nRows);
    grid.SetColumnCount(nCols);
    grid.SetFixedRowCount(1);
    grid.SetEditable(TRUE);
    for (int c = 0; c < nCols; ++c) {
        grid.SetColumnWidth(c, 90);
        grid.SetItemText(0, c, ("H" + std::to_string(c)).c_str());
    }
    for (int r = 1; r < nRows; ++r) {
        for (int c = 0; c < nCols; ++c)
            grid.SetItemText(r, c, ("r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
    }
    grid.SetModified(FALSE);
    grid.Refresh();
}

std::string ClipboardText()
{
    std::string text = "<none>";
    if (!OpenClipboardPatiently())
        return "<not opened>";
    HANDLE hData = GetClipboardData(CF_TEXT);
    if (hData != nullptr) {
        const char* p = static_cast<const char*>(GlobalLock(hData));
        if (p != nullptr) {
            const SIZE_T cb = GlobalSize(hData);
            const void* pEnd = std::memchr(p, '\0', cb);
            text.assign(p, pEnd ? static_cast<const char*>(pEnd) - p : cb);
            GlobalUnlock(hData);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard()
{
    OleSetClipboard(nullptr);
    if (OpenClipboardPatiently()) {
        EmptyClipboard();
        CloseClipboard();
    }
}

void SetClipboardText(const std::string& text)
{
    OleSetClipboard(nullptr);
    if (!OpenClipboardPatiently())
        return;
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (h != nullptr) {
        char* p = static_cast<char*>(GlobalLock(h));
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(h);
        if (SetClipboardData(CF_TEXT, h) == nullptr)
            GlobalFree(h);
    }
    CloseClipboard();
}

HWND EditorOf(CGridCtrl& grid, int nRow, int nCol)
{
    CGridCellBase* pCell = grid.GetCell(nRow, nCol);
    if (pCell == nullptr || !pCell->IsEditing() || pCell->GetEditWnd() == nullptr)
        return nullptr;
    return pCell->GetEditWnd()->m_hWnd;
}

std::string WindowText(HWND hWnd)
{
    char sz[1024] = {};
    GetWindowTextA(hWnd, sz, sizeof(sz) - 1);
    return sz;
}

}  // namespace gridedit
