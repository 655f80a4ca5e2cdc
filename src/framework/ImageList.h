// An image list built from a bitmap resource of the program, owned and
// destroyed with the object; move-only.
#pragma once

#include "framework/Handles.h"

class CImageList {
public:
    // Builds the list from a bitmap resource of the program: images cx pixels
    // wide (the bitmap's height high), 16 colours, crMask as the transparent
    // colour. Replaces any list held before.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);

    HIMAGELIST Get() const { return m_list.Get(); }
    int GetImageCount() const;
    BOOL GetImageSize(int* pcx, int* pcy) const;

private:
    CImageListHandle m_list;
};
