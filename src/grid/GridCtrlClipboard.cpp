// The clipboard: the selected cells as tab-separated text, and text pasted
// (or dropped) into the cells.
#include "grid/GridCtrl.h"

#include <cstring>
#include <string>

#include "framework/CmdUI.h"

namespace {

constexpr SIZE_T kGrowBy = 4096;

std::string Trim(const std::string& str)
{
    const char* const kSpace = " \t\r\n\v\f";
    const size_t nFirst = str.find_first_not_of(kSpace);
    if (nFirst == std::string::npos)
        return std::string();
    const size_t nLast = str.find_last_not_of(kSpace);
    return str.substr(nFirst, nLast - nFirst + 1);
}

}  // namespace

COleDataSource* CGridCtrl::CopyTextFromGrid()
{
    const CCellRange range = GetSelectedCellRange();
    if (!range.IsValid() || !IsValid(range.GetMaxRow(), range.GetMaxCol()))
        return nullptr;

    std::string strText;
    for (int nRow = range.GetMinRow(); nRow <= range.GetMaxRow(); ++nRow) {
        if (GetRowHeight(nRow) <= 0)
            continue;
        for (int nCol = range.GetMinCol(); nCol <= range.GetMaxCol(); ++nCol) {
            if (GetColumnWidth(nCol) <= 0)
                continue;
            const CGridCellBase* pCell = GetCell(nRow, nCol);
            if (pCell != nullptr && pCell->IsSelected())
                strText += pCell->GetText();
            if (nCol != range.GetMaxCol())
                strText += '\t';
        }
        if (nRow != range.GetMaxRow())
            strText += '\n';
    }

    // Sized in whole steps of the growth unit, zero-filled: the text ends
    // with at least one zero byte.
    const SIZE_T cb = (strText.size() + 1 + kGrowBy - 1) / kGrowBy * kGrowBy;
    CGlobalHandle global(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, cb));
    char* pData = global.Get() != nullptr ? static_cast<char*>(::GlobalLock(global)) : nullptr;
    if (pData == nullptr)
        return nullptr;
    std::memcpy(pData, strText.c_str(), strText.size() + 1);
    ::GlobalUnlock(global);

    auto* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, global.Release());
    return pSource;
}

BOOL CGridCtrl::PasteTextToGrid(CCellID cell, COleDataObject* pDataObject)
{
    if (pDataObject == nullptr || !IsValid(cell) || !IsCellEditable(cell.row, cell.col) ||
        !pDataObject->IsDataAvailable(CF_TEXT))
        return FALSE;
    const CGlobalHandle global(pDataObject->GetGlobalData(CF_TEXT));
    if (global.Get() == nullptr)
        return FALSE;
    std::string strText;
    const char* pData = static_cast<const char*>(::GlobalLock(global));
    if (pData != nullptr) {
        // Never read past the block, terminated or not.
        const SIZE_T cb = ::GlobalSize(global);
        const void* pEnd = std::memchr(pData, '\0', cb);
        strText.assign(pData, pEnd ? static_cast<const char*>(pEnd) - pData : cb);
        ::GlobalUnlock(global);
    }

    // A text that ends with a line break has no further line.
    if (!strText.empty() && strText.back() == '\n')
        strText.pop_back();

    int nRow = cell.row;
    size_t nLineStart = 0;
    while (nLineStart <= strText.size()) {
        size_t nLineEnd = strText.find('\n', nLineStart);
        if (nLineEnd == std::string::npos)
            nLineEnd = strText.size();
        while (nRow < m_nRows && GetRowHeight(nRow) <= 0)
            ++nRow;
        if (nRow >= m_nRows)
            break;

        const std::string strLine = strText.substr(nLineStart, nLineEnd - nLineStart);
        int nCol = cell.col;
        size_t nFieldStart = 0;
        while (nFieldStart <= strLine.size()) {
            size_t nFieldEnd = strLine.find_first_of("\t,", nFieldStart);
            if (nFieldEnd == std::string::npos)
                nFieldEnd = strLine.size();
            while (nCol < m_nCols && GetColumnWidth(nCol) <= 0)
                ++nCol;
            if (nCol >= m_nCols)
                break;
            const std::string strField = Trim(strLine.substr(nFieldStart, nFieldEnd - nFieldStart));
            ValidateAndModifyCellContents(nRow, nCol, strField.c_str());
            if (IsCellSelected(nRow, nCol)) {
                SetCellFlag(nRow, nCol, GVIS_SELECTED, false);
                m_SelectedCellMap.erase(CellKey(nRow, nCol));
            }
            ++nCol;
            nFieldStart = nFieldEnd + 1;
        }
        ++nRow;
        nLineStart = nLineEnd + 1;
    }
    Refresh();
    return TRUE;
}

void CGridCtrl::CutSelectedText()
{
    if (!m_bEditable)
        return;
    const CCellRange range = GetSelectedCellRange();
    if (!range.IsValid())
        return;
    for (int nRow = range.GetMinRow(); nRow <= range.GetMaxRow(); ++nRow) {
        if (GetRowHeight(nRow) <= 0)
            continue;
        for (int nCol = range.GetMinCol(); nCol <= range.GetMaxCol(); ++nCol) {
            if (GetColumnWidth(nCol) > 0 && IsCellSelected(nRow, nCol))
                ValidateAndModifyCellContents(nRow, nCol, "");
        }
    }
    Refresh();
}

void CGridCtrl::OnEditCopy()
{
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    pSource->SetClipboard();
    pSource->InternalRelease();
}

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    COleDataSource* pSource = CopyTextFromGrid();
    if (pSource == nullptr)
        return;
    pSource->SetClipboard();
    pSource->InternalRelease();
    CutSelectedText();
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CCellID cell = GetFocusCell();
    if (!IsValid(cell))
        cell = GetTopleftNonFixedCell();
    if (!IsValid(cell))
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    if (pCell != nullptr && pCell->IsEditing() && pCell->GetEditWnd() != nullptr) {
        pCell->GetEditWnd()->SendMessage(WM_PASTE);
        return;
    }
    COleDataObject data;
    if (data.AttachClipboard())
        PasteTextToGrid(cell, &data);
}

BOOL CGridCtrl::CanCopy() const
{
    const CCellRange range = GetSelectedCellRange();
    return range.IsValid() && range.Count() > 0 && GetSelectedCount() > 0;
}

BOOL CGridCtrl::CanCut() const
{
    return m_bEditable && CanCopy();
}

BOOL CGridCtrl::CanPaste() const
{
    const CCellID cell = GetFocusCell();
    return IsValid(cell) && IsCellEditable(cell.row, cell.col) &&
           ::IsClipboardFormatAvailable(CF_TEXT);
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCopy());
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanCut());
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}
