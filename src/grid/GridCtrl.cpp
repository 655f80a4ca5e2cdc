#include "grid/GridCtrl.h"

#include <ole2.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE_BODY(WM_SYSCOLORCHANGE, pThis->OnSysColorChange(); return 0;)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    // Mouse and keyboard (WM_SYSKEYDOWN takes the default handling)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_IME_CHAR()
    ON_WM_GETDLGCODE()
    // Scrolling
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_GRID_REDRAWSCROLLBARS, OnRedrawScrollBars)
    // Editing
    ON_NOTIFY(LVN_ENDLABELEDIT, CGridCtrl::IDC_INPLACE_CONTROL, OnEndInPlaceEdit)
    // Clipboard
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
END_MESSAGE_MAP()

namespace {

const char kOleFailedMessage[] =
    "OLE initialization failed. Make sure that the OLE libraries are the correct version";

}  // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    RegisterGridClass();
    InitialiseOle();
    m_nRowsPerWheelNotch = ReadWheelScrollLines();

    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    m_crGridBkColour = m_crShadow;
    m_pRtcDefault = RUNTIME_CLASS(CGridCell);

    CGridDefaultCell* const defaults[] = {&m_cellFixedRowColDef, &m_cellFixedRowDef,
                                          &m_cellFixedColDef, &m_cellOddRowDef, &m_cellEvenRowDef};
    for (CGridDefaultCell* pDefault : defaults) {
        pDefault->SetGrid(this);
        pDefault->SetTextClr(m_crWindowText);
    }
    m_cellFixedRowColDef.SetBackClr(m_cr3DFace);
    m_cellFixedRowDef.SetBackClr(m_cr3DFace);
    m_cellFixedColDef.SetBackClr(m_cr3DFace);
    m_cellOddRowDef.SetBackClr(m_crWindowColour);
    m_cellEvenRowDef.SetBackClr(m_crWindowColour);

    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        for (CGridDefaultCell* pDefault : defaults)
            pDefault->SetFont(&ncm.lfMessageFont);
    }

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl()
{
    // The measuring DC goes before the default cells, whose fonts it may hold.
    m_pMeasureDC.reset();
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        for (int nCol = 0; nCol < m_nCols; ++nCol)
            DestroyCell(nRow, nCol);
    }
    m_RowData.clear();
}

HDC CGridCtrl::GetMeasureDC()
{
    if (m_pMeasureDC == nullptr)
        m_pMeasureDC = std::make_unique<CMemoryDC>(nullptr);
    return m_pMeasureDC->Get();
}

// The class is registered once per process with the framework's procedure,
// so that the object is bound while CreateEx runs.
void CGridCtrl::RegisterGridClass()
{
    WNDCLASSA wc = {};
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    if (GetClassInfoA(hInstance, GRIDCTRL_CLASSNAME, &wc))
        return;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = CWnd::StdWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
    wc.lpszClassName = GRIDCTRL_CLASSNAME;
    RegisterClassA(&wc);  // a failure shows when Create finds no class
}

// OLE serves the drop target; the first grid initialises it for the
// thread and it stays initialised for the life of the program.
void CGridCtrl::InitialiseOle()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    s_bDone = true;
    if (FAILED(OleInitialize(nullptr)))
        AfxMessageBox(kOleFailedMessage);
}

// Lines per wheel notch: from the system, or from the user's desktop
// settings where the system cannot tell (the first Windows 95).
int CGridCtrl::ReadWheelScrollLines()
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    const BOOL bVersion = GetVersionExA(&vi);
    if (bVersion && !(vi.dwPlatformId == 1 && vi.dwMinorVersion == 0)) {
        UINT nLines = 3;
        if (SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
            return static_cast<int>(nLines);
        return 3;
    }
    CRegKeyHandle key;
    int nLines = 3;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, key.Put()) ==
        ERROR_SUCCESS) {
        char szData[32] = {};
        DWORD cbData = sizeof(szData) - 1;
        DWORD dwType = 0;
        if (RegQueryValueExA(key, "WheelScrollLines", nullptr, &dwType,
                             reinterpret_cast<BYTE*>(szData), &cbData) == ERROR_SUCCESS &&
            dwType == REG_SZ) {
            szData[sizeof(szData) - 1] = '\0';
            nLines = std::atoi(szData);
        }
    }
    return nLines;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    return Create(rect, pParentWnd ? pParentWnd->m_hWnd : nullptr, nID, dwStyle);
}

BOOL CGridCtrl::Create(const RECT& rect, HWND hParentWnd, UINT nID, DWORD dwStyle)
{
    dwStyle &= ~static_cast<DWORD>(WS_HSCROLL);
    if (!CreateEx(0, GRIDCTRL_CLASSNAME, nullptr, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, hParentWnd,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;

    for (int nRow = 0; nRow < m_nRows; ++nRow)
        m_arRowHeights.Set(nRow, NewRowHeight(nRow));
    const int nWidth = std::max(m_cellOddRowDef.GetWidth(), m_cellEvenRowDef.GetWidth());
    for (int nCol = 0; nCol < m_nCols; ++nCol)
        m_arColWidths.Set(nCol, nWidth);
    ResetScrollBars();
    return TRUE;
}

// ---- Counts -------------------------------------------------------------

int CGridCtrl::NewRowHeight(int nRow) const
{
    return nRow == 0 ? m_cellEvenRowDef.GetHeight() : m_cellOddRowDef.GetHeight();
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_nRows)
        return TRUE;
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    if (nRows < m_nRows) {
        ResetSelectedRange();
        for (int nRow = m_nRows - 1; nRow >= nRows; --nRow) {
            for (int nCol = 0; nCol < m_nCols; ++nCol)
                DestroyCell(nRow, nCol);
            m_RowData.pop_back();
            m_arRowHeights.Erase(nRow);
        }
        m_nRows = nRows;
    } else {
        const int nOldRows = m_nRows;
        bool bOk = true;
        try {
            m_RowData.reserve(static_cast<size_t>(nRows));
            for (int nRow = nOldRows; nRow < nRows && bOk; ++nRow) {
                m_RowData.emplace_back(static_cast<size_t>(m_nCols), nullptr);
                m_arRowHeights.Append(NewRowHeight(nRow));
                m_nRows = nRow + 1;
                for (int nCol = 0; nCol < m_nCols; ++nCol) {
                    m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)] =
                        CreateCell(nRow, nCol);
                    if (m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)] == nullptr)
                        bOk = false;
                }
            }
        } catch (const std::bad_alloc&) {
            bOk = false;
        }
        if (!bOk) {
            // Out of memory: back to the old count.
            for (int nRow = m_nRows - 1; nRow >= nOldRows; --nRow) {
                for (int nCol = 0; nCol < m_nCols && nRow < static_cast<int>(m_RowData.size()); ++nCol)
                    DestroyCell(nRow, nCol);
            }
            m_RowData.resize(static_cast<size_t>(nOldRows));
            m_arRowHeights.Resize(nOldRows, 0);
            m_nRows = nOldRows;
            return FALSE;
        }
    }
    SetModified(TRUE, -1, -1);
    ResetScrollBars();
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nCols)
        return TRUE;
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    if (nCols < m_nCols) {
        ResetSelectedRange();
        for (int nRow = 0; nRow < m_nRows; ++nRow) {
            for (int nCol = nCols; nCol < m_nCols; ++nCol)
                DestroyCell(nRow, nCol);
            m_RowData[static_cast<size_t>(nRow)].resize(static_cast<size_t>(nCols));
        }
        m_arColWidths.Resize(nCols, 0);
        m_nCols = nCols;
    } else {
        const int nOldCols = m_nCols;
        bool bOk = true;
        try {
            for (int nRow = 0; nRow < m_nRows; ++nRow)
                m_RowData[static_cast<size_t>(nRow)].resize(static_cast<size_t>(nCols), nullptr);
            for (int nRow = 0; nRow < m_nRows && bOk; ++nRow) {
                for (int nCol = nOldCols; nCol < nCols; ++nCol) {
                    CGridCellBase* pCell = CreateCell(nRow, nCol);
                    m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)] = pCell;
                    if (pCell == nullptr)
                        bOk = false;
                }
            }
        } catch (const std::bad_alloc&) {
            bOk = false;
        }
        if (!bOk) {
            for (int nRow = 0; nRow < m_nRows; ++nRow) {
                GridRow& row = m_RowData[static_cast<size_t>(nRow)];
                for (size_t nCol = static_cast<size_t>(nOldCols); nCol < row.size(); ++nCol) {
                    delete row[nCol];
                    row[nCol] = nullptr;
                }
                row.resize(static_cast<size_t>(nOldCols));
            }
            return FALSE;
        }
        m_arColWidths.Resize(nCols, m_cellFixedColDef.GetWidth());
        m_nCols = nCols;
    }
    SetModified(TRUE, -1, -1);
    ResetScrollBars();
    Refresh();
    return TRUE;
}

void CGridCtrl::ApplyFixedFlags(int nRow, int nCol, CGridCellBase* pCell) const
{
    DWORD nState = pCell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDROW | GVIS_FIXEDCOL);
    if (nCol < m_nFixedCols)
        nState |= GVIS_FIXED | GVIS_FIXEDCOL;
    if (nRow < m_nFixedRows)
        nState |= GVIS_FIXED | GVIS_FIXEDROW;
    pCell->SetState(nState);
}

// Rows that become fixed take the fixed flags and default colours; rows
// that stop being fixed lose the flags (a cell of a fixed column keeps 0x10).
void CGridCtrl::RecountFixedFlagsOfRows(int nOldFixed, int nNewFixed)
{
    const int nFirst = std::min(nOldFixed, nNewFixed);
    const int nLast = std::min(std::max(nOldFixed, nNewFixed), m_nRows);
    for (int nRow = nFirst; nRow < nLast; ++nRow) {
        for (int nCol = 0; nCol < m_nCols; ++nCol) {
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell == nullptr)
                continue;
            if (nRow < nNewFixed) {
                pCell->SetState(pCell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
                pCell->SetTextClr(CLR_DEFAULT);
                pCell->SetBackClr(CLR_DEFAULT);
            } else {
                DWORD nState = pCell->GetState() & ~GVIS_FIXEDROW;
                if (nCol >= m_nFixedCols)
                    nState &= ~GVIS_FIXED;
                pCell->SetState(nState);
            }
        }
    }
}

void CGridCtrl::RecountFixedFlagsOfCols(int nOldFixed, int nNewFixed)
{
    const int nFirst = std::min(nOldFixed, nNewFixed);
    const int nLast = std::min(std::max(nOldFixed, nNewFixed), m_nCols);
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        for (int nCol = nFirst; nCol < nLast; ++nCol) {
            CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell == nullptr)
                continue;
            if (nCol < nNewFixed) {
                pCell->SetState(pCell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
                pCell->SetTextClr(CLR_DEFAULT);
                pCell->SetBackClr(CLR_DEFAULT);
            } else {
                DWORD nState = pCell->GetState() & ~GVIS_FIXEDCOL;
                if (nRow >= m_nFixedRows)
                    nState &= ~GVIS_FIXED;
                pCell->SetState(nState);
            }
        }
    }
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == m_nFixedRows)
        return TRUE;
    ResetSelectedRange();
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_idCurrentCell.row != -1 && m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    RecountFixedFlagsOfRows(m_nFixedRows, nFixedRows);
    m_nFixedRows = nFixedRows;
    ResetScrollBars();
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols == m_nFixedCols)
        return TRUE;
    ResetSelectedRange();
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_idCurrentCell.col != -1 && m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    RecountFixedFlagsOfCols(m_nFixedCols, nFixedCols);
    m_nFixedCols = nFixedCols;
    ResetScrollBars();
    Refresh();
    return TRUE;
}

// ---- Rows and columns -----------------------------------------------------

int CGridCtrl::InsertColumn(const char* pszHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= 0 && (nColumn < m_nFixedCols || nColumn > m_nCols))
        return -1;
    ResetSelectedRange();
    if (m_nRows < 1 && !SetRowCount(1))
        return -1;
    if (nColumn < 0)
        nColumn = m_nCols;

    // Every new cell first, so that running out of memory changes nothing.
    std::vector<CGridCellBase*> newCells;
    try {
        newCells.reserve(static_cast<size_t>(m_nRows));
        for (int nRow = 0; nRow < m_nRows; ++nRow) {
            CGridCellBase* pCell = CreateCell(nRow, nColumn);
            if (pCell == nullptr)
                throw std::bad_alloc();
            newCells.push_back(pCell);
        }
        for (GridRow& row : m_RowData)
            row.reserve(row.size() + 1);
    } catch (const std::bad_alloc&) {
        for (CGridCellBase* pCell : newCells)
            delete pCell;
        return -1;
    }
    for (int nRow = 0; nRow < m_nRows; ++nRow) {
        GridRow& row = m_RowData[static_cast<size_t>(nRow)];
        row.insert(row.begin() + nColumn, newCells[static_cast<size_t>(nRow)]);
    }
    m_arColWidths.Insert(nColumn, 0);
    ++m_nCols;

    SetItemText(0, nColumn, pszHeading);
    for (int nRow = 0; nRow < m_nRows; ++nRow)
        SetItemFormat(nRow, nColumn, nFormat);
    m_arColWidths.Set(nColumn, GetCell(0, nColumn)->GetTextExtent(pszHeading).cx);

    if (m_idCurrentCell.col != -1 && nColumn < m_idCurrentCell.col)
        ++m_idCurrentCell.col;
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return nColumn;
}

int CGridCtrl::InsertRow(const char* pszHeading, int nRow)
{
    if (nRow >= 0 && (nRow < m_nFixedRows || nRow >= m_nRows))
        return -1;
    ResetSelectedRange();
    if (m_nCols < 1 && !SetColumnCount(1))
        return -1;
    if (nRow < 0)
        nRow = m_nRows;

    GridRow newRow;
    try {
        newRow.reserve(static_cast<size_t>(m_nCols));
        for (int nCol = 0; nCol < m_nCols; ++nCol) {
            CGridCellBase* pCell = CreateCell(nRow, nCol);
            if (pCell == nullptr)
                throw std::bad_alloc();
            newRow.push_back(pCell);
        }
        if (nRow == m_nRows)
            m_RowData.push_back(std::move(newRow));
        else
            m_RowData.insert(m_RowData.begin() + nRow, std::move(newRow));
    } catch (const std::bad_alloc&) {
        for (CGridCellBase* pCell : newRow)
            delete pCell;
        return -1;
    }
    m_arRowHeights.Insert(nRow < m_nRows ? nRow : -1, 0);
    ++m_nRows;

    SetItemText(nRow, 0, pszHeading);
    int nHeight = m_cellFixedRowDef.GetHeight();
    if (pszHeading != nullptr && *pszHeading != '\0')
        nHeight = GetCell(nRow, 0)->GetOwnTextExtent(nullptr).cy;
    m_arRowHeights.Set(nRow, nHeight);

    if (m_idCurrentCell.row != -1 && nRow < m_idCurrentCell.row)
        ++m_idCurrentCell.row;
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return nRow;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows)
        return FALSE;
    ResetSelectedRange();
    for (int nCol = 0; nCol < m_nCols; ++nCol)
        DestroyCell(nRow, nCol);
    m_RowData.erase(m_RowData.begin() + nRow);
    m_arRowHeights.Erase(nRow);
    --m_nRows;
    if (nRow < m_nFixedRows)
        --m_nFixedRows;
    if (m_idCurrentCell.row == nRow)
        m_idCurrentCell = CCellID();
    else if (m_idCurrentCell.row > nRow)
        --m_idCurrentCell.row;
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return TRUE;
}

// ---- Cells ------------------------------------------------------------------

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (m_pRtcDefault == nullptr || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    CGridCellBase* pCell = static_cast<CGridCellBase*>(m_pRtcDefault->CreateObject());
    if (pCell == nullptr)
        return nullptr;
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    ApplyFixedFlags(nRow, nCol, pCell);
    const CGridDefaultCell* pDefault = pCell->GetDefaultCell(nRow);
    if (pDefault != nullptr)
        pCell->SetFormat(pDefault->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_RowData.size()))
        return;
    GridRow& row = m_RowData[static_cast<size_t>(nRow)];
    if (nCol < 0 || nCol >= static_cast<int>(row.size()))
        return;
    delete row[static_cast<size_t>(nCol)];
    row[static_cast<size_t>(nCol)] = nullptr;
}

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (m_bVirtualMode || !IsValid(nRow, nCol))
        return nullptr;
    return m_RowData[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)];
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, const char* pszText)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetText(pszText);
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

std::string CGridCtrl::GetItemText(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? std::string(pCell->GetText()) : std::string();
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetData(lParam);
    return TRUE;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetData() : 0;
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int nImage)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetImage(nImage);
    return TRUE;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetImage() : -1;
}

// Keeps the selected-cell map in step with the selected flag.
BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT nState)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    const bool bWasSelected = pCell->IsSelected() != FALSE;
    const bool bSelected = (nState & GVIS_SELECTED) != 0;
    if (bWasSelected && !bSelected)
        m_SelectedCellMap.erase(CellKey(nRow, nCol));
    else if (!bWasSelected && bSelected)
        m_SelectedCellMap[CellKey(nRow, nCol)] = CCellID(nRow, nCol);
    pCell->SetState(nState);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetState() : 0;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetFormat(nFormat);
    return TRUE;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetFormat() : 0;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF clr)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetTextClr(clr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetTextClr() : 0;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF clr)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetBackClr(clr);
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetBackClr() : 0;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONTA* plf)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    pCell->SetFont(plf);
    return TRUE;
}

const LOGFONTA* CGridCtrl::GetItemFont(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetFont() : nullptr;
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol) const
{
    return IsValid(nRow, nCol) && (nRow < m_nFixedRows || nCol < m_nFixedCols);
}

// A change of the sort column's data (or of the grid as a whole) means the
// rows may no longer be in order: the sort column goes, the direction stays.
void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    if ((nCol < 0 || nCol == m_nSortColumn) && m_nSortColumn != -1)
        SetSortColumn(-1);

    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr) {
        DWORD nState = pCell->GetState();
        pCell->SetState(bModified ? (nState | GVIS_MODIFIED) : (nState & ~GVIS_MODIFIED));
        if (bModified)
            m_bModified = TRUE;
    } else if (nRow == -1 || nCol == -1) {
        m_bModified = bModified;
    }
    if (!m_bModified) {
        for (GridRow& row : m_RowData) {
            for (CGridCellBase* p : row) {
                if (p != nullptr && p->IsModified())
                    p->SetState(p->GetState() & ~GVIS_MODIFIED);
            }
        }
    }
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell != nullptr)
        return pCell->IsModified();
    return m_bModified;
}

// ---- Default cells ----------------------------------------------------------

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol, int nRow) const
{
    const CGridDefaultCell* pCell;
    if (bFixedRow && bFixedCol)
        pCell = &m_cellFixedRowColDef;
    else if (bFixedRow)
        pCell = &m_cellFixedRowDef;
    else if (bFixedCol)
        pCell = &m_cellFixedColDef;
    else if (nRow % 2 != 0)
        pCell = &m_cellOddRowDef;
    else
        pCell = &m_cellEvenRowDef;
    return const_cast<CGridDefaultCell*>(pCell);
}

BOOL CGridCtrl::SetDefaultCellType(const CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == nullptr || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    m_pRtcDefault = pRuntimeClass;
    return TRUE;
}

void CGridCtrl::InvalidateExtents()
{
    if (++m_nExtentGeneration == 0)
        m_nExtentGeneration = 1;  // 0 means "not measured" in the cells
    m_TextMeasurer.Reset();
}

// ---- Options ----------------------------------------------------------------

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    ResetSelectedRange();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    SetFixedRowSelection(FALSE);
    Refresh();
}

void CGridCtrl::EnableSelection(BOOL bEnable)
{
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    Refresh();
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

// ---- Notifications ------------------------------------------------------

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return 0;
    NM_GRIDVIEW nmgv = {};
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    nmgv.hdr.hwndFrom = m_hWnd;
    nmgv.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    nmgv.hdr.code = static_cast<UINT>(nMessage);
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner == nullptr)
        hOwner = ::GetParent(m_hWnd);
    if (hOwner == nullptr)
        return 0;
    return ::SendMessageA(hOwner, WM_NOTIFY, nmgv.hdr.idFrom, reinterpret_cast<LPARAM>(&nmgv));
}

// ---- Message handlers -------------------------------------------------------

// Runs once at a time in the process: the scroll bars it resets can send
// another WM_SIZE. The first size registers the drop target; any size ends an edit.
void CGridCtrl::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    static bool s_bAlreadyInside = false;
    if (s_bAlreadyInside)
        return;
    s_bAlreadyInside = true;
    RegisterDropTarget();
    EndEditing();
    Default();
    ResetScrollBars();
    s_bAlreadyInside = false;
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    HFONT hFont = reinterpret_cast<HFONT>(wParam);
    LOGFONTA lf = {};
    if (hFont == nullptr || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
        return 0;
    CGridDefaultCell* const defaults[] = {&m_cellFixedRowColDef, &m_cellFixedRowDef,
                                          &m_cellFixedColDef, &m_cellOddRowDef, &m_cellEvenRowDef};
    for (CGridDefaultCell* pDefault : defaults)
        pDefault->SetFont(&lf);
    if (LOWORD(lParam) != 0)
        Refresh();
    return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return reinterpret_cast<LRESULT>(m_cellOddRowDef.GetFontObject());
}

// Default-cell colours that still follow the system take its new colours.
void CGridCtrl::OnSysColorChange()
{
    const COLORREF crOldText = m_crWindowText;
    const COLORREF crOldWindow = m_crWindowColour;
    const COLORREF crOldFace = m_cr3DFace;
    const COLORREF crOldShadow = m_crShadow;
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);

    CGridDefaultCell* const defaults[] = {&m_cellFixedRowColDef, &m_cellFixedRowDef,
                                          &m_cellFixedColDef, &m_cellOddRowDef, &m_cellEvenRowDef};
    for (CGridDefaultCell* pDefault : defaults) {
        if (pDefault->GetTextClr() == crOldText)
            pDefault->SetTextClr(m_crWindowText);
        if (pDefault->GetBackClr() == crOldFace)
            pDefault->SetBackClr(m_cr3DFace);
        else if (pDefault->GetBackClr() == crOldWindow)
            pDefault->SetBackClr(m_crWindowColour);
    }
    if (m_crGridBkColour == crOldShadow)
        m_crGridBkColour = m_crShadow;
    Refresh();
}
