#include "framework/ImageList.h"

#include "framework/WinApp.h"

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    m_list.Reset();
    CBitmapHandle bitmap(static_cast<HBITMAP>(::LoadImageA(
        AfxGetInstanceHandle(), MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (bitmap.Get() == nullptr)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectA(bitmap, sizeof(bm), &bm);
    const int nImages = cx > 0 ? bm.bmWidth / cx : 0;
    if (nImages > 0) {
        m_list.Reset(ImageList_Create(cx, bm.bmHeight, ILC_COLOR4 | ILC_MASK, nImages, nGrow));
        if (m_list.Get() != nullptr && ImageList_AddMasked(m_list, bitmap, crMask) < 0)
            m_list.Reset();
    }
    return m_list.Get() != nullptr;
}

int CImageList::GetImageCount() const
{
    return m_list.Get() != nullptr ? ImageList_GetImageCount(m_list) : 0;
}

BOOL CImageList::GetImageSize(int* pcx, int* pcy) const
{
    return m_list.Get() != nullptr && ImageList_GetIconSize(m_list, pcx, pcy);
}
