#include "support/GTestWin.h"

#include <utility>

#include "framework/GdiHandles.h"
#include "framework/WindowDC.h"

TEST(GdiHandles, ObjectsAreDeletedOnceAndMoved)
{
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    {
        CBrushHandle brush(hBrush);
        EXPECT_EQ(OBJ_BRUSH, GetObjectType(hBrush));
        CBrushHandle moved(std::move(brush));
        EXPECT_EQ(nullptr, brush.Get());
        EXPECT_EQ(hBrush, moved.Get());
        EXPECT_EQ(OBJ_BRUSH, GetObjectType(hBrush));
    }
    EXPECT_EQ(0u, GetObjectType(hBrush));  // deleted by the one owner

    HPEN hPen1 = CreatePen(PS_SOLID, 1, 0);
    HPEN hPen2 = CreatePen(PS_SOLID, 1, 0);
    {
        CPenHandle pen(hPen1);
        pen.Reset(hPen2);
        EXPECT_EQ(0u, GetObjectType(hPen1));
        EXPECT_EQ(hPen2, pen.Release());
    }
    EXPECT_EQ(OBJ_PEN, GetObjectType(hPen2));  // released: still alive
    DeleteObject(hPen2);
}

TEST(GdiHandles, DcHelpersRestoreAndDelete)
{
    CWindowDC screen(nullptr);
    ASSERT_NE(nullptr, screen.GetSafeHdc());
    HDC hMem = nullptr;
    {
        CMemoryDC mem(screen);
        hMem = mem.GetSafeHdc();
        EXPECT_EQ(OBJ_MEMDC, GetObjectType(hMem));
        HGDIOBJ hOriginal = GetCurrentObject(hMem, OBJ_BRUSH);
        CBrushHandle brush(CreateSolidBrush(RGB(9, 9, 9)));
        {
            CSelectObject sel(mem, brush);
            EXPECT_EQ(brush.Get(), GetCurrentObject(hMem, OBJ_BRUSH));
        }
        EXPECT_EQ(hOriginal, GetCurrentObject(hMem, OBJ_BRUSH));
        SetTextColor(hMem, RGB(1, 1, 1));
        {
            CSaveDC save(mem);
            SetTextColor(hMem, RGB(200, 0, 0));
        }
        EXPECT_EQ(RGB(1, 1, 1), GetTextColor(hMem));
    }
    EXPECT_EQ(0u, GetObjectType(hMem));
}
