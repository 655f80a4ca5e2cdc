#include "framework/ImageList.h"

#include "framework/WinApp.h"

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other) {
        DeleteImageList();
        m_hImageList = other.Detach();
    }
    return *this;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    DeleteImageList();
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageA(
        AfxGetInstanceHandle(), MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (hBitmap == nullptr)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    const int nImages = cx > 0 ? bm.bmWidth / cx : 0;
    if (nImages > 0) {
        m_hImageList = ImageList_Create(cx, bm.bmHeight, ILC_COLOR4 | ILC_MASK, nImages, nGrow);
        if (m_hImageList != nullptr && ImageList_AddMasked(m_hImageList, hBitmap, crMask) < 0)
            DeleteImageList();
    }
    ::DeleteObject(hBitmap);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

int CImageList::GetImageCount() const
{
    return m_hImageList != nullptr ? ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::GetImageSize(int* pcx, int* pcy) const
{
    return m_hImageList != nullptr && ImageList_GetIconSize(m_hImageList, pcx, pcy);
}
