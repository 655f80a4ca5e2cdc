// The grid's default cells: they hold the values that other cells take
// when theirs are "default", the font object made from their font, and the
// default width and height, measured whenever the font is set.
#pragma once

#include "framework/Handles.h"
#include "grid/GridCell.h"

class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    ~CGridDefaultCell() override = default;

    // Always read-only, whatever was set.
    DWORD GetState() const override { return m_nState | GVIS_READONLY; }

    // A default cell's values are its own; there is no default behind it.
    DWORD GetFormat() const override { return m_nFormat; }
    COLORREF GetTextClr() const override { return m_crFgClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    const LOGFONTA* GetFont() const override { return m_plfFont.get(); }
    HFONT GetFontObject() const override { return m_font.Get(); }
    int GetMargin() const override { return m_nMargin; }
    CGridDefaultCell* GetDefaultCell(int /*nRow*/) const override { return nullptr; }

    // These also tell the grid that the extents of its cells may change.
    void SetFormat(DWORD nFormat) override;
    void SetMargin(int nMargin) override;
    // Makes the font object and measures margin, width and height with it.
    void SetFont(const LOGFONTA* plf) override;

    virtual int GetWidth() const { return m_nWidth; }
    virtual int GetHeight() const { return m_nHeight; }
    virtual void SetWidth(int nWidth) { m_nWidth = nWidth; }
    virtual void SetHeight(int nHeight) { m_nHeight = nHeight; }

protected:
    SIZE GetDefaultExtent() const override { return SIZE{m_nWidth, m_nHeight}; }

private:
    void NotifyGrid() const;

    int m_nWidth = 30;
    int m_nHeight = 10;
    CFontHandle m_font;
};
