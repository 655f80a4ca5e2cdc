#include "support/GTestWin.h"

#include <string>
#include <vector>

#include "GridEditTestSupport.h"
#include "framework/Handles.h"
#include "grid/GridCtrl.h"
#include "support/TestSupport.h"

using gridedit::EditHost;

namespace {

const COLORREF kHeaderBack = RGB(102, 102, 102);
const int kRowHeight = 20;

struct Page {
    int cx = 0;
    int cy = 0;
    std::vector<DWORD> bits;  // top-down 0x00RRGGBB
    COLORREF Pixel(int x, int y) const
    {
        const DWORD v = bits[static_cast<size_t>(y) * cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int CountRow(int y, COLORREF clr) const
    {
        int n = 0;
        for (int x = 0; x < cx; ++x)
            n += Pixel(x, y) == clr ? 1 : 0;
        return n;
    }
    int Count(COLORREF clr) const
    {
        int n = 0;
        for (int y = 0; y < cy; ++y)
            n += CountRow(y, clr);
        return n;
    }
    // The rows (top to bottom) at least half of whose pixels are black.
    std::vector<int> BlackLines() const
    {
        std::vector<int> lines;
        for (int y = 0; y < cy; ++y) {
            if (CountRow(y, RGB(0, 0, 0)) * 2 >= cx)
                lines.push_back(y);
        }
        return lines;
    }
    void SaveBmp(const std::string& path) const
    {
        BITMAPFILEHEADER bf = {};
        BITMAPINFOHEADER bi = {};
        bi.biSize = sizeof(bi);
        bi.biWidth = cx;
        bi.biHeight = -cy;
        bi.biPlanes = 1;
        bi.biBitCount = 32;
        bf.bfType = 0x4D42;
        bf.bfOffBits = sizeof(bf) + sizeof(bi);
        bf.bfSize = static_cast<DWORD>(bf.bfOffBits + bits.size() * 4);
        std::string bytes(reinterpret_cast<const char*>(&bf), sizeof(bf));
        bytes.append(reinterpret_cast<const char*>(&bi), sizeof(bi));
        bytes.append(reinterpret_cast<const char*>(bits.data()), bits.size() * 4);
        testsupport::WriteFileBytes(path, bytes);
    }
};

// A 32-bit DIB section selected into a memory DC, as large as the DC says
// its page is.
class BitmapPrinter {
public:
    BitmapPrinter() : m_dc(nullptr)
    {
        m_cx = GetDeviceCaps(m_dc, HORZRES);
        m_cy = GetDeviceCaps(m_dc, VERTRES);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = m_cx;
        bmi.bmiHeader.biHeight = -m_cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_bitmap.Reset(CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, &m_pBits, nullptr, 0));
        m_hOld = SelectObject(m_dc, m_bitmap);
        Clear();
    }
    ~BitmapPrinter() { SelectObject(m_dc, m_hOld); }
    HDC Dc() const { return m_dc; }
    void Clear()
    {
        RECT rc = {0, 0, m_cx, m_cy};
        FillRect(m_dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    Page Take() const
    {
        GdiFlush();
        Page page;
        page.cx = m_cx;
        page.cy = m_cy;
        const DWORD* p = static_cast<const DWORD*>(m_pBits);
        page.bits.assign(p, p + static_cast<size_t>(m_cx) * m_cy);
        return page;
    }

private:
    CMemoryDC m_dc;
    int m_cx = 0;
    int m_cy = 0;
    void* m_pBits = nullptr;
    CBitmapHandle m_bitmap;
    HGDIOBJ m_hOld = nullptr;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRec, int, LPARAM lParam)
{
    auto* pTexts = reinterpret_cast<std::vector<std::string>*>(lParam);
    if (pRec->iType != EMR_EXTTEXTOUTW && pRec->iType != EMR_EXTTEXTOUTA)
        return 1;
    const auto* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRec);
    const BYTE* pBase = reinterpret_cast<const BYTE*>(pRec);
    std::string text;
    for (DWORD i = 0; i < pText->emrtext.nChars; ++i) {
        if (pRec->iType == EMR_EXTTEXTOUTW) {
            const WORD* pw = reinterpret_cast<const WORD*>(pBase + pText->emrtext.offString);
            text += static_cast<char>(pw[i] < 256 ? pw[i] : '?');
        } else {
            text += static_cast<char>(pBase[pText->emrtext.offString + i]);
        }
    }
    pTexts->push_back(text);
    return 1;
}

// The texts an enhanced metafile draws, in order.
std::vector<std::string> MetafileTexts(HENHMETAFILE hEmf)
{
    std::vector<std::string> texts;
    EnumEnhMetaFile(nullptr, hEmf, CollectText, &texts, nullptr);
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    for (const std::string& t : texts) {
        if (t == text)
            return true;
    }
    return false;
}

}  // namespace

TEST(GridPrint, RowsOfTwoAndAHalfPagesPrintAsThreePagesWithHeaderFixedRowAndFooter)
{
    EditHost host(0, 0, 400, 300, "Grid print test");
    gridedit::TestGrid& grid = host.Grid();
    grid.SetRowCount(2);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.GetDefaultCell(TRUE, FALSE)->SetBackClr(kHeaderBack);
    grid.GetDefaultCell(TRUE, FALSE)->SetTextClr(RGB(255, 255, 255));
    for (int c = 0; c < 3; ++c) {
        grid.SetColumnWidth(c, 100);
        grid.SetItemText(0, c, ("H" + std::to_string(c)).c_str());
    }
    grid.SetRowHeight(0, kRowHeight);

    BitmapPrinter printer;
    // The height a page has for rows, from the grid's own measurement.
    CPrintInfo probe;
    grid.OnBeginPrinting(printer.Dc(), &probe);
    const int nAvailable = grid.PageHeight();
    const SIZE charSize = grid.CharSize();
    grid.OnEndPrinting(printer.Dc(), &probe);
    ASSERT_GT(nAvailable, 3 * kRowHeight);
    const int nRowsPerPage = nAvailable / kRowHeight;
    const int nDataRows = (5 * nAvailable) / (2 * kRowHeight);
    grid.SetRowCount(1 + nDataRows);
    for (int r = 1; r <= nDataRows; ++r) {
        grid.SetRowHeight(r, kRowHeight);
        for (int c = 0; c < 3; ++c)
            grid.SetItemText(r, c, ("r" + std::to_string(r) + "c" + std::to_string(c)).c_str());
    }
    grid.SetItemBkColour(2, 1, RGB(0, 200, 0));  // an own background is printed
    grid.SetSelectedRange(1, 0, 1, 2);           // selection is not

    std::vector<Page> pages;
    const int nPrinted = grid.Print(printer.Dc(), nullptr, [&](HDC, const CPrintInfo&) {
        pages.push_back(printer.Take());
        printer.Clear();
    });
    ASSERT_EQ(3, nPrinted);
    ASSERT_EQ(3u, pages.size());

    char szSave[MAX_PATH] = {};
    if (GetEnvironmentVariableA("QUILLON_TEST_SAVE_PAGE", szSave, sizeof(szSave) - 1) > 0)
        pages[0].SaveBmp(szSave);

    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const Page& page = pages[p];
        // The header's line at the top and the footer's at the bottom.
        const std::vector<int> lines = page.BlackLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_LT(lines.front(), page.cy / 5);
        EXPECT_GT(lines.back(), page.cy * 4 / 5);
        // The fixed row under the header, in its own colour.
        const int nFixedY = lines.front() + (charSize.cy + kRowHeight / 2) * page.cx /
                                                (300 + 8 * charSize.cx);
        EXPECT_GT(page.CountRow(nFixedY, kHeaderBack), page.cx / 3);
        EXPECT_EQ(0, page.Count(GetSysColor(COLOR_HIGHLIGHT)));
    }
    EXPECT_GT(pages[0].Count(RGB(0, 200, 0)), 100);

    // The texts of each page, drawn again into a metafile.
    CPrintInfo info;
    grid.OnBeginPrinting(printer.Dc(), &info);
    ASSERT_EQ(3u, info.GetMaxPage());
    for (UINT nPage = 1; nPage <= 3; ++nPage) {
        SCOPED_TRACE("metafile page " + std::to_string(nPage));
        HDC hEmf = CreateEnhMetaFileA(printer.Dc(), nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, hEmf);
        info.m_nCurPage = nPage;
        grid.OnPrint(hEmf, &info);
        HENHMETAFILE hMeta = CloseEnhMetaFile(hEmf);
        const std::vector<std::string> texts = MetafileTexts(hMeta);
        DeleteEnhMetaFile(hMeta);
        EXPECT_TRUE(Contains(texts, "Page " + std::to_string(nPage) + " of 3"));
        EXPECT_TRUE(Contains(texts, "Grid print test"));
        EXPECT_TRUE(Contains(texts, "Quillon"));
        EXPECT_TRUE(Contains(texts, "H0"));
        EXPECT_TRUE(Contains(texts, "H2"));
        const int nFirst = 1 + static_cast<int>(nPage - 1) * nRowsPerPage;
        const int nLast = std::min(nDataRows, nFirst + nRowsPerPage - 1);
        EXPECT_TRUE(Contains(texts, "r" + std::to_string(nFirst) + "c0"));
        EXPECT_TRUE(Contains(texts, "r" + std::to_string(nLast) + "c2"));
        EXPECT_FALSE(Contains(texts, "r" + std::to_string(nFirst - 1) + "c0"));
        EXPECT_FALSE(Contains(texts, "r" + std::to_string(nLast + 1) + "c0"));
    }
    grid.OnEndPrinting(printer.Dc(), &info);

    // Margins: a negative value keeps the setting; a taller header leaves
    // less room for rows.
    grid.SetPrintMarginInfo(6, -1, -1, -1, -1, -1, -1);
    CPrintInfo again;
    const HGDIOBJ hDcFont = GetCurrentObject(printer.Dc(), OBJ_FONT);
    grid.OnBeginPrinting(printer.Dc(), &again);
    EXPECT_EQ(nAvailable - 4 * charSize.cy, grid.PageHeight());
    const HGDIOBJ hPrintFont = GetCurrentObject(printer.Dc(), OBJ_FONT);
    grid.OnEndPrinting(printer.Dc(), &again);
    // The DC has its own font back, so that the print font is deleted.
    EXPECT_EQ(hDcFont, GetCurrentObject(printer.Dc(), OBJ_FONT));
    EXPECT_EQ(0u, GetObjectType(hPrintFont));
}
