// The toolbar resource reader and the paint and non-client DC helpers.
#include "support/GTestWin.h"

#include <cstring>
#include <string>
#include <vector>

#include "framework/DeviceContext.h"
#include "framework/ToolBar.h"

namespace {

template <class T>
std::string Bytes(std::initializer_list<T> values)
{
    std::string bytes;
    for (T v : values)
        bytes.append(reinterpret_cast<const char*>(&v), sizeof(v));
    return bytes;
}

bool Parse(const std::string& bytes, SIZE* pSize, std::vector<UINT>* pIDs)
{
    return CToolBar::ParseToolBarResource(bytes.data(), static_cast<DWORD>(bytes.size()), pSize, pIDs);
}

}  // namespace

TEST(ToolBarResource, BothLayoutsReadAndMalformedDataRefused)
{
    SIZE size = {};
    std::vector<UINT> ids;
    // rc and wrc: WORD version 1, width, height, count, WORD ids.
    ASSERT_TRUE(Parse(Bytes<WORD>({1, 16, 15, 4, 57635, 0, 57607, 57664}), &size, &ids));
    EXPECT_EQ(16, size.cx);
    EXPECT_EQ(15, size.cy);
    EXPECT_EQ((std::vector<UINT>{57635, 0, 57607, 57664}), ids);
    // windres: DWORD width, height, count, DWORD ids, no version.
    ASSERT_TRUE(Parse(Bytes<DWORD>({16, 15, 3, 57634, 0, 57664}), &size, &ids));
    EXPECT_EQ(16, size.cx);
    EXPECT_EQ(15, size.cy);
    EXPECT_EQ((std::vector<UINT>{57634, 0, 57664}), ids);

    // Counts beyond the data, empty images, and short data are refused.
    EXPECT_FALSE(Parse(Bytes<DWORD>({16, 15, 9, 57634}), &size, &ids));
    EXPECT_FALSE(Parse(Bytes<DWORD>({16, 15, 0xFFFFFFFFu}), &size, &ids));
    EXPECT_FALSE(Parse(Bytes<WORD>({1, 0, 15, 1, 57634}), &size, &ids));
    EXPECT_FALSE(Parse(Bytes<DWORD>({0, 15, 1, 57634}), &size, &ids));
    EXPECT_FALSE(Parse(std::string("\x01\x00\x10", 3), &size, &ids));
    EXPECT_FALSE(CToolBar::ParseToolBarResource(nullptr, 0, &size, &ids));
    // A version 1 header whose count overruns is read as the other layout,
    // which refuses it too.
    EXPECT_FALSE(Parse(Bytes<WORD>({1, 16, 15, 200, 1, 2}), &size, &ids));
}

namespace {

LRESULT CALLBACK PaintProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        HDC* pLast = reinterpret_cast<HDC*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        CPaintDC dc(hWnd);
        *pLast = dc.GetSafeHdc();
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

TEST(DeviceContext, EachHelperReleasesWhatItTookOnce)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuillonDcTest";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                                nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);
    HDC hPaintDC = nullptr;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hPaintDC));

    // A released DC cannot be released again: ReleaseDC then fails.
    HDC hWindow = nullptr;
    {
        CNonClientDC dc(hWnd);
        hWindow = dc;
        ASSERT_NE(nullptr, hWindow);
    }
    EXPECT_EQ(0, ReleaseDC(hWnd, hWindow));

    // Painting validates the window and gives its DC back.
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
    ASSERT_NE(nullptr, hPaintDC);
    EXPECT_FALSE(GetUpdateRect(hWnd, nullptr, FALSE));
    EXPECT_EQ(0, ReleaseDC(hWnd, hPaintDC));
    DestroyWindow(hWnd);
}
