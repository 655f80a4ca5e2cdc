// CGridCtrl: a grid window of text cells in rows and columns, with fixed
// (header) rows and columns that do not scroll, per-cell text, format,
// colours and state, a selection of cells or whole rows, sorting, automatic
// sizing and pixel scrolling.
//
// Rows and columns are 0-based; the first GetFixedRowCount() rows and
// GetFixedColumnCount() columns are fixed. A row height or column width of
// 0 hides that row or column. Operations given a bad row or column do
// nothing and return FALSE, -1, 0 or an empty string; none asserts.
//
// The grid reports to its owner (or parent) with WM_NOTIFY and an
// NM_GRIDVIEW record (GridNotify.h): NM_CLICK, NM_DBLCLK, NM_RCLICK,
// LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT,
// LVN_BEGINDRAG and, in virtual mode, LVN_GETDISPINFO and LVN_ODCACHEHINT.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Handles.h"
#include "framework/StandardIds.h"
#include "framework/Wnd.h"
#include "grid/CellID.h"
#include "grid/CellRange.h"
#include "grid/GridCell.h"
#include "grid/GridDefaultCell.h"
#include "grid/GridNotify.h"
#include "grid/GridSizeList.h"
#include "grid/GridTextMeasurer.h"
// Editing, clipboard, drag and drop, title tips, printing
#include "framework/OleDataObject.h"
#include "framework/OleDataSource.h"
#include "framework/PrintInfo.h"
#include "grid/GridDropTarget.h"
#include "grid/GridTitleTip.h"

class CCmdUI;

// The grid's window class.
constexpr char GRIDCTRL_CLASSNAME[] = "MFCGridCtrl";

// Grid lines (SetGridLines).
constexpr int GVL_NONE = 0;
constexpr int GVL_HORZ = 1;
constexpr int GVL_VERT = 2;
constexpr int GVL_BOTH = 3;

// Auto-size styles: which rows a column is measured over.
constexpr UINT GVS_DEFAULT = 0;  // the grid's own style
constexpr UINT GVS_HEADER = 1;   // the fixed rows
constexpr UINT GVS_DATA = 2;     // the other rows
constexpr UINT GVS_BOTH = 3;

// The grid's own message: redraw the scroll bars marked as stale.
constexpr UINT WM_GRID_REDRAWSCROLLBARS = WM_USER + 0x100;

// Compares two cells (passed as CGridCellBase*) for sorting:
// < 0, 0 or > 0 like strcmp. lParamSort is the value given to SortItems.
using PFNLVCOMPARE = int(CALLBACK*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

// The public part lists the operations by feature; the protected part then
// holds each feature's message handlers, helpers and state together.
class CGridCtrl : public CWnd {
public:
    // ---- Construction --------------------------------------------------
    // Sets the defaults and the four counts (rows, columns, fixed rows,
    // fixed columns, in that order). Registers the window class and
    // initialises OLE for the drop target when not done yet.
    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // Creates the window (without WS_HSCROLL), sizes the existing rows and
    // columns to the default cells and sets the scroll bars.
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    BOOL Create(const RECT& rect, HWND hParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);

    // ---- Counts --------------------------------------------------------
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);

    // ---- Rows and columns ----------------------------------------------
    // Inserts a column before nColumn (-1 appends) with its heading in row
    // 0; nFormat (DrawText flags) goes to every existing row of it. Returns
    // the new column's index, or -1.
    int InsertColumn(const char* pszHeading, UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                     int nColumn = -1);
    // Inserts a row before nRow (-1 appends) with pszHeading in column 0.
    // Returns the new row's index, or -1.
    int InsertRow(const char* pszHeading, int nRow = -1);
    BOOL DeleteRow(int nRow);

    // ---- Sizes (pixels) ------------------------------------------------
    int GetRowHeight(int nRow) const;     // -1 for a bad row
    int GetColumnWidth(int nCol) const;   // -1 for a bad column
    BOOL SetRowHeight(int nRow, int nHeight);
    BOOL SetColumnWidth(int nCol, int nWidth);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long long GetVirtualWidth() const { return m_arColWidths.Total(); }
    long long GetVirtualHeight() const { return m_arRowHeights.Total(); }

    // Sizes a column to its widest cell over the rows of the style (0: the
    // grid's style); hidden columns stay hidden.
    void AutoSizeColumn(int nCol, UINT nAutoSizeStyle = GVS_DEFAULT, BOOL bResetScroll = TRUE);
    void AutoSizeColumns(UINT nAutoSizeStyle = GVS_DEFAULT);
    // Sizes a row to its tallest cell; hidden rows stay hidden.
    void AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    void AutoSizeRows();
    // Gives column 0 the difference between the client width and the sum
    // of all widths, but never less than its auto-size width (the grid
    // then scrolls sideways).
    void ExpandFirstColumnToFit();
    // The width the widest cell of a column needs over the rows of the
    // style (0: the grid's style), whatever the column's width; -1 when no
    // row is measured.
    int MeasureColumnWidth(int nCol, UINT nAutoSizeStyle = GVS_DEFAULT);
    // The narrowest width a column is given when another is resized: it
    // stays visible, and both its borders can be grabbed.
    int GetMinimumVisibleWidth();
    // A screen-compatible DC kept for the grid's life, on which cells
    // measure their text: creating a DC and selecting a font for every
    // measured cell would cost more than the measuring itself.
    HDC GetMeasureDC();
    // Measures single-line texts on that DC in the default cells' fonts.
    CGridTextMeasurer& GetTextMeasurer() { return m_TextMeasurer; }
    void SetAutoSizeStyle(UINT nStyle) { m_nAutoSizeColumnStyle = nStyle; }
    UINT GetAutoSizeStyle() const { return m_nAutoSizeColumnStyle; }

    // ---- Cells ---------------------------------------------------------
    BOOL IsValid(int nRow, int nCol) const;
    BOOL IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    // The cell object, or null (also in virtual mode).
    CGridCellBase* GetCell(int nRow, int nCol) const;

    BOOL SetItemText(int nRow, int nCol, const char* pszText);
    std::string GetItemText(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemImage(int nRow, int nCol, int nImage);
    int GetItemImage(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT nState);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    UINT GetItemFormat(int nRow, int nCol) const;
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF clr = CLR_DEFAULT);
    COLORREF GetItemFgColour(int nRow, int nCol) const;
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF clr = CLR_DEFAULT);
    COLORREF GetItemBkColour(int nRow, int nCol) const;
    BOOL SetItemFont(int nRow, int nCol, const LOGFONTA* plf);
    const LOGFONTA* GetItemFont(int nRow, int nCol) const;
    BOOL IsCellFixed(int nRow, int nCol) const;

    // Marks a cell (or with -1 the grid) modified or not. A change to the
    // sort column (or to the grid as a whole) clears the sort column.
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1) const;
    // Virtual mode (cells supplied by the parent) is not offered: always FALSE.
    BOOL GetVirtualMode() const { return m_bVirtualMode; }

    // ---- Default cells and new cells -----------------------------------
    // The default cell that serves a cell: corner, fixed row, fixed
    // column, or the odd or even data row cell by nRow.
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol, int nRow = 1) const;
    // The class of new cells; it must derive from CGridCellBase.
    BOOL SetDefaultCellType(const CRuntimeClass* pRuntimeClass);
    void SetImageList(HIMAGELIST hImageList) { m_hImageList = hImageList; }
    HIMAGELIST GetImageList() const { return m_hImageList; }
    // A new cell of the configured class, with its grid, flags and format.
    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    // Counts changes of the default cells that change cell extents; cells
    // keep a measured extent only while this number stays the same.
    unsigned GetExtentGeneration() const { return m_nExtentGeneration; }
    void InvalidateExtents();

    // ---- Selection and focus ------------------------------------------
    // Selects (or with bSelectCells FALSE deselects) a range; selecting
    // first drops the current selection and restores the saved one. The
    // only operation that changes the selected cells.
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void SetSelectedRange(const CCellRange& range, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    // Clears the selection and the saved selection.
    void ResetSelectedRange();
    // Selects every non-fixed cell (with LVN_ITEMCHANGING / LVN_ITEMCHANGED).
    void SelectAll();
    // The smallest range holding every selected cell; with none selected
    // (row count, column count, -1, -1).
    CCellRange GetSelectedCellRange() const;
    int GetSelectedCount() const { return static_cast<int>(m_SelectedCellMap.size()); }
    BOOL IsCellSelected(int nRow, int nCol) const;
    // Keeps the current selection as the one a Ctrl selection starts from
    // (restored by every SetSelectedRange), or forgets it.
    void SaveSelection();
    void ClearSavedSelection();

    CCellID SetFocusCell(int nRow, int nCol);
    CCellID SetFocusCell(const CCellID& cell) { return SetFocusCell(cell.row, cell.col); }
    CCellID GetFocusCell() const { return m_idCurrentCell; }
    CCellID GetSelectionStartCell() const { return m_SelectionStartCell; }
    void SetSelectionStartCell(const CCellID& cell) { m_SelectionStartCell = cell; }
    CCellID GetLeftClickDownCell() const { return m_LeftClickDownCell; }

    // ---- Geometry and visibility ---------------------------------------
    // The cell's rectangle in client pixels (right and bottom one pixel
    // inside the next cell), wherever it is scrolled; FALSE for a bad cell.
    BOOL GetCellRect(int nRow, int nCol, RECT* pRect) const;
    BOOL GetCellOrigin(int nRow, int nCol, POINT* pPoint) const;
    // The cell under a client point, or (-1, -1).
    CCellID GetCellFromPt(POINT point, BOOL bAllowFixedCellCheck = TRUE) const;
    CCellID GetTopleftNonFixedCell() const;
    // The non-fixed cells at least partly in the client area; pRect gets
    // their extent in client pixels.
    CCellRange GetVisibleNonFixedCellRange(RECT* pRect = nullptr) const;
    BOOL IsCellVisible(int nRow, int nCol) const;
    // Scrolls until the cell is wholly in the client area or no further.
    void EnsureVisible(int nRow, int nCol);

    // ---- Sorting -------------------------------------------------------
    // Sorts the non-fixed rows by a column; clears the selection and the
    // focus cell. Every column travels with its row.
    virtual BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortAscending(BOOL bAscending) { m_bAscending = bAscending; }
    BOOL GetSortAscending() const { return m_bAscending; }
    // The compare function of SortItems; null compares the cell texts.
    void SetCompareFunction(PFNLVCOMPARE pfnCompare) { m_pfnCompare = pfnCompare; }
    // Compares the texts of two cells in character code order (0 when
    // either cell is missing).
    static int CALLBACK pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    // One row while sorting: its cell in the sort column, that cell's text
    // and the row's index before the sort.
    struct SortEntry {
        LPARAM lParamCell;
        const char* pszText;
        int nRow;
    };

    // ---- Drawing -------------------------------------------------------
    // Draws the whole visible grid on a DC in client coordinates.
    virtual void OnDraw(HDC hDC);
    // Invalidates the whole window (when it exists and drawing is allowed).
    void Refresh();
    // Shows the scroll bars only where the non-fixed part does not fit and
    // sets their ranges.
    void ResetScrollBars();
    BOOL RedrawCell(int nRow, int nCol, HDC hDC = nullptr);
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    BOOL IsRedrawAllowed() const { return m_bAllowDraw; }

    // ---- Options -------------------------------------------------------
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    // List mode: a click selects whole rows. Clears the selection and the
    // sort column and switches fixed-row selection off.
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL b = TRUE) { m_bSingleRowSelection = b; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void SetSingleColSelection(BOOL b = TRUE) { m_bSingleColSelection = b; }
    BOOL GetSingleColSelection() const { return m_bSingleColSelection; }
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetFixedRowSelection(BOOL b) { m_bFixedRowSelection = b; }
    BOOL GetFixedRowSelection() const { return m_bFixedRowSelection; }
    void SetFixedColumnSelection(BOOL b) { m_bFixedColumnSelection = b; }
    BOOL GetFixedColumnSelection() const { return m_bFixedColumnSelection; }
    // Sort on click: a click on a header cell sorts by its column.
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(BOOL b = TRUE) { m_bHandleTabKey = b; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL b = TRUE) { m_bDoubleBuffer = b; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL b = TRUE) { m_bTitleTips = b; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void EnableDragAndDrop(BOOL b = TRUE) { m_bAllowDragAndDrop = b; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetColumnResize(BOOL b = TRUE) { m_bAllowColumnResize = b; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    void SetRowResize(BOOL b = TRUE) { m_bAllowRowResize = b; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void EnableColumnHide(BOOL b = TRUE) { m_bAllowColHide = b; }
    BOOL GetColumnHide() const { return m_bAllowColHide; }
    void EnableRowHide(BOOL b = TRUE) { m_bAllowRowHide = b; }
    BOOL GetRowHide() const { return m_bAllowRowHide; }
    // Header cells of the focus row and column drawn sunken.
    void SetTrackFocusCell(BOOL b = TRUE) { m_bTrackFocusCell = b; }
    BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
    // A frame around the focus cell.
    void SetFrameFocusCell(BOOL b = TRUE) { m_bFrameFocus = b; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    // A column resized by its border gives or takes the difference from
    // the next column.
    void SetResizeKeepsTotalWidth(BOOL b = TRUE) { m_bResizeKeepsTotalWidth = b; }
    BOOL GetResizeKeepsTotalWidth() const { return m_bResizeKeepsTotalWidth; }
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetResizeCaptureRange(int nPixels) { m_nResizeCaptureRange = nPixels; }
    int GetResizeCaptureRange() const { return m_nResizeCaptureRange; }
    void SetAutoScrollInterval(UINT nMs) { m_nAutoScrollInterval = nMs; }
    UINT GetAutoScrollInterval() const { return m_nAutoScrollInterval; }
    // The id of the timer that scrolls while a selection is dragged
    // outside the window.
    static constexpr UINT_PTR kAutoScrollTimerId = 513;
    int GetWheelScrollLines() const { return m_nRowsPerWheelNotch; }

    // ---- Colours -------------------------------------------------------
    // The area beyond the last row and column.
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    // Title-tip colours; CLR_DEFAULT leaves the tip's own.
    void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTTipBackClr = clr; }
    COLORREF GetTitleTipBackClr() const { return m_crTTipBackClr; }
    void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTTipTextClr = clr; }
    COLORREF GetTitleTipTextClr() const { return m_crTTipTextClr; }

    // ---- Notifications -------------------------------------------------
    // Sends WM_NOTIFY with an NM_GRIDVIEW record to the owner (or parent)
    // and returns its result; 0 without a window.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;

    // ---- Editing -------------------------------------------------------
    // The in-place editor's control id.
    static constexpr UINT IDC_INPLACE_CONTROL = 8;
    // Opens the in-place editor on an editable cell (after LVN_BEGINLABELEDIT,
    // which may veto). nChar is the key or character that started the edit:
    // VK_LBUTTON (mouse, F2) and VK_RETURN put the caret at the end, a
    // character replaces the text (see CGridInPlaceEdit).
    virtual void OnEditCell(int nRow, int nCol, POINT point, UINT nChar);
    // The editor has finished with pszText: stores it (the owner may veto
    // with LVN_ENDLABELEDIT) and closes the cell's edit.
    virtual void OnEndEditCell(int nRow, int nCol, const char* pszText);
    virtual BOOL ValidateEdit(int nRow, int nCol, const char* pszText);
    // Ends the focus cell's edit if one is open.
    virtual void EndEditing();
    // Sets a cell's text for Delete, cut, paste and drop: only an editable
    // cell, with LVN_BEGINLABELEDIT and LVN_ENDLABELEDIT either of which may
    // veto. TRUE when the text was stored.
    BOOL ValidateAndModifyCellContents(int nRow, int nCol, const char* pszText);
    BOOL IsCellEditable(int nRow, int nCol) const;

    // ---- Clipboard -----------------------------------------------------
    // The selected range as text (tab between columns, "\n" between rows,
    // hidden rows and columns left out) in an OLE data source offering
    // CF_TEXT; null without a valid selection. The caller releases it.
    virtual COleDataSource* CopyTextFromGrid();
    // Writes text from a data object into the cells from `cell` on; fields
    // are split at tabs and commas, and trimmed.
    virtual BOOL PasteTextToGrid(CCellID cell, COleDataObject* pDataObject);
    // Empties every visible selected cell (through ValidateAndModifyCellContents).
    virtual void CutSelectedText();
    // The Cut, Copy and Paste commands.
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    BOOL CanCopy() const;
    BOOL CanCut() const;
    BOOL CanPaste() const;

    // ---- Drag and drop -------------------------------------------------
    // Starts dragging the selected text (in prepare-drag mouse mode).
    virtual void OnBeginDrag();
    // The drop target's events, in client coordinates.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, POINT point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, POINT point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, POINT point);
    // An image list holding the drag image of the focus cell; pHotSpot gets
    // the point under the mouse. The caller destroys the list.
    virtual HIMAGELIST CreateDragImage(POINT* pHotSpot);
    CCellID GetDropHighlightCell() const { return m_LastDragOverCell; }

    // ---- Title tips ----------------------------------------------------
    // Shows the title tip of a cell whose text is cut off (mouse-move
    // handling calls this for the cell under the mouse); HideTitleTip on
    // scrolling and presses.
    void ShowTitleTip(int nRow, int nCol);
    void HideTitleTip();
    CGridTitleTip& GetTitleTip() { return m_TitleTip; }
    // Hands the keys of the message loop to a shown title tip first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Printing ------------------------------------------------------
    // Print margins in character units; a negative value keeps the setting.
    void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                            int nRightMargin, int nTopMargin, int nBottomMargin, int nGap);
    void EnablePrintColours(BOOL bEnable = TRUE) { m_bPrintColours = bEnable; }
    BOOL GetPrintColours() const { return m_bPrintColours; }
    // Prints the whole grid on a DC through the framework's print loop
    // (a document when pszDocName is given); returns the page count or -1.
    int Print(HDC hDC, const char* pszDocName = nullptr,
              std::function<void(HDC, const CPrintInfo&)> pfnPageDone = nullptr);
    // The steps of a print job: set-up, one page, clean-up.
    virtual void OnBeginPrinting(HDC hDC, CPrintInfo* pInfo);
    virtual void OnPrint(HDC hDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(HDC hDC, CPrintInfo* pInfo);

protected:
    // ---- Window: painting, fonts, system colours, the window class -----
    void OnPaint();
    BOOL OnEraseBkgnd(HDC hDC);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    static void RegisterGridClass();
    static void InitialiseOle();
    static int ReadWheelScrollLines();

    // ---- Cells: the rows of cell objects and their sizes ---------------
    using GridRow = std::vector<CGridCellBase*>;
    // Row heights of new rows: the even-row default cell's for row 0, the
    // odd-row one's otherwise.
    int NewRowHeight(int nRow) const;
    void ApplyFixedFlags(int nRow, int nCol, CGridCellBase* pCell) const;
    void RecountFixedFlagsOfRows(int nOldFixed, int nNewFixed);
    void RecountFixedFlagsOfCols(int nOldFixed, int nNewFixed);
    // Sets or clears one state flag of a cell.
    void SetCellFlag(int nRow, int nCol, DWORD nFlag, bool bSet);

    int m_nRows = 0;
    int m_nCols = 0;
    int m_nFixedRows = 0;
    int m_nFixedCols = 0;
    std::vector<GridRow> m_RowData;
    CGridSizeList m_arRowHeights;
    CGridSizeList m_arColWidths;
    BOOL m_bVirtualMode = FALSE;
    BOOL m_bModified = FALSE;
    UINT m_nAutoSizeColumnStyle = GVS_BOTH;
    // The measuring DC, created on first use.
    std::unique_ptr<CMemoryDC> m_pMeasureDC;
    CGridTextMeasurer m_TextMeasurer;

    // Default cells and the class of new cells.
    CGridDefaultCell m_cellFixedRowColDef;
    CGridDefaultCell m_cellFixedRowDef;
    CGridDefaultCell m_cellFixedColDef;
    CGridDefaultCell m_cellOddRowDef;
    CGridDefaultCell m_cellEvenRowDef;
    const CRuntimeClass* m_pRtcDefault = nullptr;
    HIMAGELIST m_hImageList = nullptr;
    unsigned m_nExtentGeneration = 1;

    // ---- Selection and focus -------------------------------------------
    using CellMap = std::unordered_map<uint64_t, CCellID>;
    static uint64_t CellKey(int nRow, int nCol)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(nCol)) << 32) |
               static_cast<uint32_t>(nRow);
    }
    // The Select All command.
    virtual void OnEditSelectAll() { SelectAll(); }

    // Focus, selection anchor, pressed cell, selection maps.
    CCellID m_idCurrentCell;
    CCellID m_SelectionStartCell;
    CCellID m_LeftClickDownCell;
    CellMap m_SelectedCellMap;
    CellMap m_PrevSelectedCellMap;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bSingleColSelection = FALSE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE;
    BOOL m_bFixedColumnSelection = TRUE;

    // ---- Mouse and keyboard --------------------------------------------
    // What a press started and the mouse now does.
    enum eMouseModes {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12
    };

    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnLButtonDblClk(UINT nFlags, POINT point);
    void OnRButtonUp(UINT nFlags, POINT point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnCaptureChanged(HWND hWndNew);
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnImeChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    // A press on a header cell: sorts by its column (sort on click, under
    // a wait cursor) and selects columns (fixed row selection).
    virtual void OnFixedRowClick(const CCellID& cell);
    // A press on a fixed-column cell: selects rows (fixed column selection).
    virtual void OnFixedColumnClick(const CCellID& cell);

    // The column whose right border is within the capture range of a
    // point in the fixed rows (hidden columns skipped), or -1; the same for
    // the bottom border of a row in the fixed columns.
    int GetColumnBorderAt(POINT point) const;
    int GetRowBorderAt(POINT point) const;
    // Selects by the mouse mode from the selection-start cell to a cell.
    void OnSelecting(const CCellID& currentCell);
    // Moves the selection's moving end and the focus to the cell under a
    // point while the button is held (the point clamped into the
    // non-fixed client area).
    void ExtendSelectionToPoint(POINT point, bool bMoveFocus);
    // The inverted line that follows the mouse while a border is dragged.
    void InvertSizingBand(POINT point) const;
    void ConfineCursorForSizing() const;
    void StopAutoScroll();
    BOOL IsCellEditableByUser(int nRow, int nCol) const;
    // Whether a client point lies in the text area of a cell.
    BOOL IsPointInCellText(const CCellID& cell, POINT point);
    BOOL IsCellFullyVisible(int nRow, int nCol) const;
    // The window that receives notifications and the click's WM_COMMAND.
    HWND GetNotifyWindow() const;

    // Keyboard navigation: the cell a key moves the focus to (pbChangeLine
    // set when Tab wraps to another row), and scrolling it into view.
    CCellID GetKeyTarget(UINT nChar, bool bShift, bool bCtrl, bool* pbChangeLine);
    void ScrollKeyTargetIntoView(UINT nChar, bool bShift, bool bChangeLine, const CCellID& cell);
    int NextVisibleRow(int nRow, int nStep) const;
    int NextVisibleColumn(int nCol, int nStep) const;

    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    POINT m_LastMousePoint = {0, 0};
    POINT m_LeftClickDownPoint = {0, 0};
    UINT m_nKeyFlags = 0;
    UINT_PTR m_nTimerID = 0;
    UINT m_nAutoScrollInterval = 25;
    BOOL m_bHandleTabKey = TRUE;
    // Sizing and hiding rows and columns by their borders.
    BOOL m_bAllowColumnResize = TRUE;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColHide = TRUE;
    BOOL m_bAllowRowHide = TRUE;
    BOOL m_bResizeKeepsTotalWidth = FALSE;
    int m_nResizeCaptureRange = 3;

    // ---- Scrolling -----------------------------------------------------
    void OnVScroll(UINT nSBCode, UINT nPos, HWND hScrollBar);
    void OnHScroll(UINT nSBCode, UINT nPos, HWND hScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT ptScreen);
    LRESULT OnRedrawScrollBars(WPARAM wParam, LPARAM lParam);

    // Scroll positions are pixels of the non-fixed area.
    int GetScrollPos32(int nBar) const { return nBar == SB_VERT ? m_nVScrollPos : m_nHScrollPos; }
    // Sets a scroll position (clamped to the range) without redrawing.
    void SetScrollPos32(int nBar, int nPos);
    int GetScrollLimit(int nBar) const { return nBar == SB_VERT ? m_nVScrollMax : m_nHScrollMax; }
    // Scrolls one bar by a scroll-bar request; TRUE when the position moved.
    BOOL ScrollByRequest(int nBar, UINT nSBCode);
    // Marks a scroll bar for redrawing once the current changes are done.
    void InvalidateScrollBar(int nBar);
    void RedrawScrollBar(int nBar);
    // The non-fixed part of the client area.
    void GetNonFixedRect(RECT* pRect) const;
    void InvalidateNonFixed();
    // The pixels one line scroll moves: the first visible row (column) of
    // non-zero size forward, the one before the top row (column) backward.
    int GetLineScrollAmount(int nBar, bool bForward) const;
    // The extent of the non-fixed area a scroll bar covers.
    long long GetNonFixedExtent(int nBar) const;

    int m_nVScrollPos = 0;
    int m_nHScrollPos = 0;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    unsigned m_nStaleScrollBars = 0;  // 1: vertical, 2: horizontal
    BOOL m_bScrollBarRedrawPosted = FALSE;
    int m_nRowsPerWheelNotch = 3;

    // ---- Drawing -------------------------------------------------------
    // Draws one cell (through its Draw) in its current rectangle.
    void DrawCell(HDC hDC, int nRow, int nCol, const RECT& rect, BOOL bEraseBk);
    // Redraws the cells whose selection or focus changed: at once on a DC
    // when bForce, else by invalidating them.
    void RedrawChangedCell(int nRow, int nCol, BOOL bForce, HDC hDC);

    COLORREF m_crGridBkColour = 0;
    COLORREF m_crGridLineColour = RGB(192, 192, 192);
    COLORREF m_crWindowText = 0;
    COLORREF m_crWindowColour = 0;
    COLORREF m_cr3DFace = 0;
    COLORREF m_crShadow = 0;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    BOOL m_bFrameFocus = TRUE;
    int m_nGridLines = GVL_BOTH;

    // ---- Sorting -------------------------------------------------------
    // Puts the rows in the order of the sorted entries.
    void MoveRows(const std::vector<SortEntry>& entries);

    int m_nSortColumn = -1;
    BOOL m_bAscending = TRUE;
    PFNLVCOMPARE m_pfnCompare = nullptr;
    LPARAM m_lParamSortData = 0;
    BOOL m_bSortOnClick = FALSE;

    // ---- Editing: the in-place editor reports back here ----------------
    void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    // Sends LVN_BEGINLABELEDIT / LVN_ENDLABELEDIT and applies the reply.
    BOOL StoreCellText(int nRow, int nCol, const char* pszText, BOOL bAskFirst);

    BOOL m_bEditable = TRUE;

    // ---- Clipboard: the enabled state of Cut, Copy and Paste -----------
    // (No state of its own: it works on the selection.)
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);

    // ---- Drag and drop -------------------------------------------------
    // Registers the drop target once (the first WM_SIZE).
    void RegisterDropTarget();

    CGridDropTarget m_DropTarget;
    CCellID m_LastDragOverCell;  // the drop highlight
    BOOL m_bMustUninitOle = FALSE;
    BOOL m_bAllowDragAndDrop = FALSE;

    // ---- Title tips ----------------------------------------------------
    CGridTitleTip m_TitleTip;
    BOOL m_bTitleTips = TRUE;
    COLORREF m_crTTipBackClr = CLR_DEFAULT;
    COLORREF m_crTTipTextClr = CLR_DEFAULT;

    // ---- Printing ------------------------------------------------------
    virtual void PrintColumnHeadings(HDC hDC, CPrintInfo* pInfo);
    virtual void PrintHeader(HDC hDC, CPrintInfo* pInfo);
    virtual void PrintFooter(HDC hDC, CPrintInfo* pInfo);
    virtual void PrintRows(HDC hDC, CPrintInfo* pInfo);
    virtual void PrintRowCells(int nRow, HDC hDC, CPrintInfo* pInfo);
    // The band of the page (logical units) the rows of a page fill.
    int PrintBandTop() const;

    // Print settings (character units).
    int m_nHeaderHeight = 2;
    int m_nFooterHeight = 2;
    int m_nLeftMargin = 4;
    int m_nRightMargin = 4;
    int m_nTopMargin = 1;
    int m_nBottomMargin = 1;
    int m_nGap = 1;
    BOOL m_bPrintColours = TRUE;
    // The state of a print job.
    CFontHandle m_PrinterFont;
    std::optional<CSelectObject> m_PrinterFontSelected;  // in the printer DC until the job ends
    SIZE m_CharSize = {0, 0};
    SIZE m_LogicalPageSize = {0, 0};
    SIZE m_PaperSize = {0, 0};
    int m_nPageHeight = 0;  // height available for the non-fixed rows
    std::vector<int> m_arPageFirstRow;  // first non-fixed row of each page

    DECLARE_MESSAGE_MAP()
};
