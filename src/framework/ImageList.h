// An owned image list (HIMAGELIST), destroyed with the object; move-only.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept;

    // Builds the list from a bitmap resource of the program: images cx pixels
    // wide (the bitmap's height high), 16 colours, crMask as the transparent
    // colour. Replaces any list held before.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);

    BOOL DeleteImageList();
    HIMAGELIST Detach();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    int GetImageCount() const;
    BOOL GetImageSize(int* pcx, int* pcy) const;

private:
    HIMAGELIST m_hImageList = nullptr;
};
