#include "grid/GridTextMeasurer.h"

#include <string>

namespace {

void Select(HDC hDC, HFONT hFont)
{
    if (hFont != nullptr && ::GetCurrentObject(hDC, OBJ_FONT) != hFont)
        ::SelectObject(hDC, hFont);
}

SIZE Extent(HDC hDC, const char* pszText, size_t nLen)
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, pszText, static_cast<int>(nLen), &size);
    return size;
}

// Whether the fonts' characters map one byte to one character: the code
// page that GDI converts texts with for the font's character set.
bool IsSingleByteFont(HDC hDC)
{
    UINT nCodePage = ::GetACP();
    CHARSETINFO csi = {};
    const UINT_PTR nCharset = static_cast<UINT_PTR>(::GetTextCharset(hDC));
    if (nCharset != DEFAULT_CHARSET &&
        ::TranslateCharsetInfo(reinterpret_cast<DWORD*>(nCharset), &csi, TCI_SRCCHARSET))
        nCodePage = csi.ciACP;
    CPINFO info = {};
    return ::GetCPInfo(nCodePage, &info) && info.MaxCharSize == 1;
}

}  // namespace

SIZE CGridTextMeasurer::Measure(HDC hDC, HFONT hFont, const char* pszText, size_t nLen,
                                int* pnOverhang)
{
    FontWidths& font = Find(hDC, hFont);
    *pnOverhang = font.nOverhang;
    if (!font.bTable || nLen > 0xFFFFFF) {
        Select(hDC, hFont);
        return Extent(hDC, pszText, nLen);
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pszText);
    long long cx = 0;
    for (size_t i = 0; i < nLen; ++i)
        cx += font.anWidths[p[i]];
    return SIZE{static_cast<LONG>(cx), font.nHeight};
}

CGridTextMeasurer::FontWidths& CGridTextMeasurer::Find(HDC hDC, HFONT hFont)
{
    for (const auto& pFont : m_fonts) {
        if (pFont->hFont == hFont)
            return *pFont;
    }
    auto pFont = std::make_unique<FontWidths>();
    pFont->hFont = hFont;
    Select(hDC, hFont);
    Learn(hDC, *pFont);
    m_fonts.push_back(std::move(pFont));
    return *m_fonts.back();
}

// Measures each character alone, then texts of many characters, among
// them every character in both orders and pairs that fonts often kern: the
// table is used only when every sum equals the whole text's extent.
void CGridTextMeasurer::Learn(HDC hDC, FontWidths& font)
{
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    font.nOverhang = tm.tmOverhang;
    if (!IsSingleByteFont(hDC))
        return;
    std::string ascending;
    for (int c = 1; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const SIZE size = Extent(hDC, &ch, 1);
        font.anWidths[c] = size.cx;
        if (c == 1)
            font.nHeight = size.cy;
        else if (size.cy != font.nHeight)
            return;
        ascending += ch;
    }
    const std::string probes[] = {
        ascending,
        std::string(ascending.rbegin(), ascending.rend()),
        "AVAWAYATAvAwAyFAFaLTLVLWLYPAP.TaTeToTyT.VaVeVoV.WaWeWoYaYeYoY.ffffiflr.y.\"A'A",
    };
    for (const std::string& probe : probes) {
        const SIZE size = Extent(hDC, probe.data(), probe.size());
        long long cx = 0;
        for (unsigned char c : probe)
            cx += font.anWidths[c];
        if (size.cx != cx || size.cy != font.nHeight)
            return;
    }
    font.bTable = true;
}
