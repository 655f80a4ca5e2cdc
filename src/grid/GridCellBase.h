// The base of the grid's cell classes: the state flags and every operation
// a cell offers, with the drawing and measuring that all cells share.
//
// Values a cell does not set itself ("default" markers: colours CLR_DEFAULT,
// format 0xFFFFFFFF, no font, margin -1) are taken from the grid's default
// cell that serves the cell (GetDefaultCell).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Object.h"

class CGridCtrl;
class CGridDefaultCell;
class CWnd;

// Cell state flags (GetState/SetState).
constexpr DWORD GVIS_FOCUSED = 0x01;
constexpr DWORD GVIS_SELECTED = 0x02;
constexpr DWORD GVIS_DROPHILITED = 0x04;
constexpr DWORD GVIS_READONLY = 0x08;
constexpr DWORD GVIS_FIXED = 0x10;
constexpr DWORD GVIS_FIXEDROW = 0x20;
constexpr DWORD GVIS_FIXEDCOL = 0x40;
constexpr DWORD GVIS_MODIFIED = 0x80;

// "Take the default cell's value" markers.
constexpr DWORD GRID_FORMAT_DEFAULT = 0xFFFFFFFF;
constexpr int GRID_MARGIN_DEFAULT = -1;
// Colours use CLR_DEFAULT (0xFF000000) of <commctrl.h>.

class CGridCellBase : public CObject {
    DECLARE_DYNAMIC(CGridCellBase)

public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    // Setters.
    virtual void SetText(const char* pszText) = 0;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextClr(COLORREF clr) = 0;
    virtual void SetBackClr(COLORREF clr) = 0;
    // Copies the font; null returns to the default cell's font.
    virtual void SetFont(const LOGFONTA* plf) = 0;
    virtual void SetMargin(int nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    // Tells the cell where it is now; the cells of this grid keep no position.
    virtual void SetCoords(int /*nRow*/, int /*nCol*/) {}

    // Getters; those with a default marker resolve it through the default
    // cell of row 1 (the odd-row cell for data cells).
    virtual const char* GetText() const = 0;      // never null
    virtual const char* GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual const LOGFONTA* GetFont() const = 0;
    virtual HFONT GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CWnd* GetEditWnd() const = 0;
    virtual int GetMargin() const = 0;
    // The grid's default cell that serves this cell in the given row (by
    // the cell's fixed flags, else by whether the row is odd); null without
    // a grid.
    virtual CGridDefaultCell* GetDefaultCell(int nRow) const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsFocused() const { return (GetState() & GVIS_FOCUSED) != 0; }
    virtual BOOL IsFixed() const { return (GetState() & GVIS_FIXED) != 0; }
    virtual BOOL IsFixedCol() const { return (GetState() & GVIS_FIXEDCOL) != 0; }
    virtual BOOL IsFixedRow() const { return (GetState() & GVIS_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & GVIS_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & GVIS_READONLY) != 0; }
    virtual BOOL IsModified() const { return (GetState() & GVIS_MODIFIED) != 0; }
    virtual BOOL IsDropHighlighted() const { return (GetState() & GVIS_DROPHILITED) != 0; }

    // Copies text, image, data, state, format, colours, font and margin.
    virtual void CopyFrom(const CGridCellBase& cell);
    virtual void Reset();

    // Draws the cell into rect (right and bottom one pixel inside the next
    // cell) of a DC; FALSE when there is nothing to draw on.
    virtual BOOL Draw(HDC hDC, int nRow, int nCol, RECT rect, BOOL bEraseBkgnd = TRUE);
    // Narrows a cell rectangle to the area of its text (after margin and image).
    virtual BOOL GetTextRect(RECT* pRect);
    virtual BOOL GetTipTextRect(RECT* pRect) { return GetTextRect(pRect); }
    // Size of a text in this cell's font and format, margins included; the
    // default cell's size when there is no text or no DC.
    virtual SIZE GetTextExtent(const char* pszText, HDC hDC = nullptr);
    // Size the cell needs: its text extent plus its image.
    virtual SIZE GetCellExtent(HDC hDC);
    // Text extent of the cell's own text; cells that keep it measured
    // override this.
    virtual SIZE GetOwnTextExtent(HDC hDC) { return GetTextExtent(GetText(), hDC); }

    // In-place editing: opens an editor over rect (or passes nChar to the
    // open one); TRUE when the cell is being edited.
    virtual BOOL Edit(int /*nRow*/, int /*nCol*/, RECT /*rect*/, POINT /*point*/, UINT /*nID*/,
                      UINT /*nChar*/)
    {
        return FALSE;
    }
    // Ends an open edit.
    virtual void EndEdit() {}
    // Draws the cell for printing: like Draw, without selection or focus.
    virtual BOOL PrintCell(HDC hDC, int nRow, int nCol, RECT rect);

    // Whether an edited text may be stored; these cells accept every text.
    virtual BOOL ValidateEdit(const char* /*pszText*/) { return TRUE; }
    virtual BOOL DrawCellText(HDC hDC, const char* pszText, int nLength, RECT* pRect, UINT nFormat);
    // The in-place editor of this cell has gone.
    virtual void OnEndEdit() {}

    // Mouse hooks the grid calls; these cells do nothing with them.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(POINT /*pt*/) {}
    virtual void OnClickDown(POINT /*pt*/) {}
    virtual void OnRClick(POINT /*pt*/) {}
    virtual void OnDblClick(POINT /*pt*/) {}
    // Sets the cursor over the cell (the arrow); TRUE when handled.
    virtual BOOL OnSetCursor();

protected:
    // The image size when the cell has an image and the grid an image list.
    bool GetImageSize(SIZE* pSize) const;
    // The cell's own colours, CLR_DEFAULT included (drawing resolves them
    // for the row being drawn).
    virtual COLORREF GetRawTextClr() const { return GetTextClr(); }
    virtual COLORREF GetRawBackClr() const { return GetBackClr(); }
    // The width and height of the default cell behind this one, for cells
    // without a text.
    virtual SIZE GetDefaultExtent() const;

    DWORD m_nState = 0;
};
