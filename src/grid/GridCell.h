// The grid's standard cell: text, application data, image, format, colours,
// font and margin, each of the last five either the cell's own or "default".
//
// The measured extent of the cell's text is kept until the text, the
// cell's font, format, margin or fixed flags change, or the grid's default
// cells change (the grid counts those changes, see CGridCtrl::
// GetExtentGeneration); repeated auto-sizing then measures nothing.
#pragma once

#include "grid/GridCellBase.h"

#include <memory>

class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    ~CGridCell() override = default;

    void SetText(const char* pszText) override;
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetState(DWORD nState) override;
    void SetFormat(DWORD nFormat) override;
    void SetTextClr(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
    void SetFont(const LOGFONTA* plf) override;
    void SetMargin(int nMargin) override;
    void SetGrid(CGridCtrl* pGrid) override;

    const char* GetText() const override { return m_pszText ? m_pszText.get() : ""; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    const LOGFONTA* GetFont() const override;
    HFONT GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pEditWnd; }
    int GetMargin() const override;

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void Reset() override;
    void OnEndEdit() override;
    BOOL Edit(int nRow, int nCol, RECT rect, POINT point, UINT nID, UINT nChar) override;
    void EndEdit() override;

    SIZE GetOwnTextExtent(HDC hDC) override;

protected:
    COLORREF GetRawTextClr() const override { return m_crFgClr; }
    COLORREF GetRawBackClr() const override { return m_crBkClr; }
    void ForgetExtent() { m_nExtentGeneration = 0; }

    // The cell's own values, default markers included.
    DWORD GetOwnFormat() const { return m_nFormat; }

    std::unique_ptr<char[]> m_pszText;  // null for an empty text
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = GRID_FORMAT_DEFAULT;
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    int m_nMargin = GRID_MARGIN_DEFAULT;
    std::unique_ptr<LOGFONTA> m_plfFont;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
    bool m_bEditing = false;

private:
    // Cached extent of the text, valid while m_nExtentGeneration equals the
    // grid's generation (0: not measured).
    SIZE m_sizeExtent = {0, 0};
    unsigned m_nExtentGeneration = 0;
};
