// CGridTextMeasurer: the sizes of single-line texts on the grid's measuring
// DC, exactly as GetTextExtentPoint32A gives them, without a call into GDI
// per text where the font allows.
//
// Auto-sizing measures every cell of a column; GDI takes about 40 ns per
// character for that, most of the first auto-size of a large list. In a
// font of a single-byte code page the extent of a text is the sum of the
// extents of its characters: the measurer keeps those per font and adds
// them up. It uses the table only after checking, per font, that sums of
// its characters equal what GDI measures for whole texts; a font that fails
// the check is measured by GDI as before.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

class CGridTextMeasurer {
public:
    // The size of nLen bytes of text in a font, as GetTextExtentPoint32A on
    // hDC with the font selected gives it; *pnOverhang gets the font's
    // overhang. The font is selected into hDC when GDI must measure.
    SIZE Measure(HDC hDC, HFONT hFont, const char* pszText, size_t nLen, int* pnOverhang);
    // Forgets every font (after fonts were remade, a handle may be reused).
    void Reset() { m_fonts.clear(); }

private:
    struct FontWidths {
        HFONT hFont = nullptr;
        bool bTable = false;  // the widths below give every text's width
        int nHeight = 0;
        int nOverhang = 0;
        int anWidths[256] = {};
    };
    FontWidths& Find(HDC hDC, HFONT hFont);
    static void Learn(HDC hDC, FontWidths& font);

    std::vector<std::unique_ptr<FontWidths>> m_fonts;
};
