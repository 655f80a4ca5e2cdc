#include "support/GTestWin.h"

#include <algorithm>
#include <string>
#include <vector>

#include "GridInput.h"
#include "framework/Handles.h"

using testsupport::GridHost;

namespace {

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* pRec, int, LPARAM lParam)
{
    if (pRec->iType != EMR_EXTTEXTOUTW && pRec->iType != EMR_EXTTEXTOUTA)
        return 1;
    const auto* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRec);
    const BYTE* pString = reinterpret_cast<const BYTE*>(pRec) + pText->emrtext.offString;
    std::string text;
    for (DWORD i = 0; i < pText->emrtext.nChars; ++i)
        text += pRec->iType == EMR_EXTTEXTOUTA ? static_cast<char>(pString[i])
                                                : static_cast<char>(reinterpret_cast<const WORD*>(pString)[i]);
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(text);
    return 1;
}

// The texts a page prints, in order, recorded in a metafile.
std::vector<std::string> PageTexts(CGridCtrl& grid, HDC hPrinter, CPrintInfo& info, UINT nPage)
{
    HDC hEmf = CreateEnhMetaFileA(hPrinter, nullptr, nullptr, nullptr);
    info.m_nCurPage = nPage;
    grid.OnPrint(hEmf, &info);
    HENHMETAFILE hMeta = CloseEnhMetaFile(hEmf);
    std::vector<std::string> texts;
    EnumEnhMetaFile(nullptr, hMeta, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(hMeta);
    return texts;
}

}  // namespace

// Printing (which the program does not offer) splits the rows into pages,
// each row printed once and in order, every page with the column headings,
// the window's title and the program's name above the rows and "Page n of
// m" below them. The printer font goes at the end, the DC has its own back.
TEST(GridPrint, RowsSplitIntoPagesEachWithHeadingsHeaderAndFooter)
{
    GridHost host(GridHost::Setup::Empty, {400, 300});
    CGridCtrl& grid = host.Grid();
    gridinput::FillCells(grid, 25, 3);
    CMemoryDC printer(nullptr);
    const int nPrinted = grid.Print(printer, nullptr, [](HDC, const CPrintInfo&) {});
    ASSERT_GE(nPrinted, 3);

    const HGDIOBJ hOwnFont = GetCurrentObject(printer, OBJ_FONT);
    CPrintInfo info;
    grid.OnBeginPrinting(printer, &info);
    const HGDIOBJ hPrintFont = GetCurrentObject(printer, OBJ_FONT);
    std::vector<std::string> rows;
    for (int nPage = 1; nPage <= nPrinted; ++nPage) {
        const std::vector<std::string> texts = PageTexts(grid, printer, info, static_cast<UINT>(nPage));
        const std::string wanted[] = {"Grid test", "Quillon", "H0", "H2",
                                      "Page " + std::to_string(nPage) + " of " + std::to_string(nPrinted)};
        for (const std::string& text : wanted)
            EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), text)) << text << " on page " << nPage;
        for (const std::string& text : texts) {
            if (text.size() > 3 && text[0] == 'r' && text.compare(text.size() - 2, 2, "c0") == 0)
                rows.push_back(text);
        }
    }
    std::vector<std::string> expected;
    for (int r = 1; r < 25; ++r)
        expected.push_back("r" + std::to_string(r) + "c0");
    EXPECT_EQ(expected, rows);
    grid.OnEndPrinting(printer, &info);
    EXPECT_EQ(hOwnFont, GetCurrentObject(printer, OBJ_FONT));
    EXPECT_EQ(0u, GetObjectType(hPrintFont));
}
