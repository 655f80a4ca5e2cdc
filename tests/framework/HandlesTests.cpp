// The handle owners and scope guards of framework/Handles.h.
#include "support/GTestWin.h"

#include <type_traits>
#include <utility>

#include "framework/Handles.h"

namespace {

constexpr char kTestKey[] = "Software\\QuillonHandlesTest";

// One kind of owner: how a fresh handle is made, and whether a handle is
// still open (asked without closing it).
template <typename TOwner>
struct OwnerCase {
    using Handle = typename TOwner::Handle;
    const char* pszName;
    Handle (*pfnMake)();
    bool (*pfnAlive)(Handle);
};

template <typename TOwner>
void CheckOwner(const OwnerCase<TOwner>& c)
{
    static_assert(!std::is_copy_constructible_v<TOwner> && !std::is_copy_assignable_v<TOwner>);
    static_assert(std::is_nothrow_move_constructible_v<TOwner> &&
                  std::is_nothrow_move_assignable_v<TOwner>);
    using Handle = typename TOwner::Handle;
    SCOPED_TRACE(c.pszName);
    const Handle h1 = c.pfnMake();
    const Handle h2 = c.pfnMake();
    ASSERT_TRUE(c.pfnAlive(h1) && c.pfnAlive(h2));
    {
        TOwner kept(h2);
        {
            TOwner first(h1);
            kept = std::move(first);  // closes what kept held
            EXPECT_FALSE(c.pfnAlive(h2));
            EXPECT_EQ(Handle{}, first.Get());
        }
        EXPECT_TRUE(c.pfnAlive(h1));  // the moved-from owner closed nothing
        TOwner last(std::move(kept));
        last.Reset(h1);  // the same handle again: kept open
        EXPECT_TRUE(c.pfnAlive(h1));
        EXPECT_EQ(Handle{}, kept.Get());
    }
    EXPECT_FALSE(c.pfnAlive(h1));  // closed with its last owner

    // Put closes the held handle before a new one is written; Release gives
    // the handle up open.
    const Handle h3 = c.pfnMake();
    const Handle h4 = c.pfnMake();
    {
        TOwner owner(h3);
        *owner.Put() = h4;
        EXPECT_FALSE(c.pfnAlive(h3));
        EXPECT_EQ(h4, owner.Release());
    }
    EXPECT_TRUE(c.pfnAlive(h4));
    TOwner(h4).Reset();
    EXPECT_FALSE(c.pfnAlive(h4));
}

bool IsOpenKernelHandle(HANDLE h)
{
    DWORD dwFlags = 0;
    return GetHandleInformation(h, &dwFlags) != FALSE;
}

HANDLE MakeEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

}  // namespace

TEST(Handles, EachOwnerClosesItsHandleOnceAndPassesItOnWhenMoved)
{
    // The GDI owners (font, bitmap, brush, pen) share their traits: the font stands for them.
    CheckOwner(OwnerCase<CFontHandle>{"font",
                                      [] { return CreateFontA(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""); },
                                      [](HFONT h) { return GetObjectType(h) != 0; }});
    CheckOwner(OwnerCase<CRegKeyHandle>{
        "registry key",
        [] {
            HKEY hKey = nullptr;
            RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_READ, nullptr, &hKey, nullptr);
            return hKey;
        },
        [](HKEY h) { return RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; }});
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    CheckOwner(OwnerCase<CKernelHandle>{"kernel handle", MakeEvent, IsOpenKernelHandle});
    CheckOwner(OwnerCase<CGlobalHandle>{"global memory", [] { return GlobalAlloc(GMEM_MOVEABLE, 64); },
                                        [](HGLOBAL h) { return GlobalFlags(h) != GMEM_INVALID_HANDLE; }});
    CheckOwner(OwnerCase<CImageListHandle>{
        "image list", [] { return ImageList_Create(8, 8, ILC_COLOR24, 1, 1); },
        [](HIMAGELIST h) { int cx = 0, cy = 0; return ImageList_GetIconSize(h, &cx, &cy) != FALSE; }});
    // CreateFile's failure value is no handle to close.
    EXPECT_FALSE(CKernelHandle(INVALID_HANDLE_VALUE).IsValid());

    // Both handles of a started process go with their owner.
    PROCESS_INFORMATION pi = {MakeEvent(), MakeEvent(), 7, 8};
    {
        CProcessInformation info;
        info.Reset(pi);
        EXPECT_EQ(7u, info.dwProcessId);
        EXPECT_TRUE(IsOpenKernelHandle(pi.hProcess) && IsOpenKernelHandle(pi.hThread));
    }
    EXPECT_FALSE(IsOpenKernelHandle(pi.hProcess));
    EXPECT_FALSE(IsOpenKernelHandle(pi.hThread));
}

TEST(Handles, ScopeGuardsGiveBackWhatTheyTookOnce)
{
    static_assert(!std::is_copy_constructible_v<CWindowDC> && !std::is_copy_constructible_v<CNonClientDC> &&
                  !std::is_copy_constructible_v<CPaintDC> && !std::is_copy_constructible_v<CMemoryDC> &&
                  !std::is_copy_constructible_v<CSelectObject> && !std::is_copy_constructible_v<CSaveDC>);
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    // A DC given back cannot be released again: ReleaseDC then fails.
    HDC ahDC[3] = {};
    InvalidateRect(hWnd, nullptr, TRUE);
    {
        CWindowDC client(hWnd);
        CNonClientDC window(hWnd);
        CPaintDC paint(hWnd);
        ahDC[0] = client.Get();
        ahDC[1] = window.Get();
        ahDC[2] = paint.Get();
    }
    for (HDC hDC : ahDC) {
        ASSERT_NE(nullptr, hDC);
        EXPECT_EQ(0, ReleaseDC(hWnd, hDC));
    }
    DestroyWindow(hWnd);

    // A selected object and a saved state go back; the memory DC is deleted.
    HDC hMem = nullptr;
    {
        CMemoryDC mem(nullptr);
        hMem = mem.Get();
        ASSERT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(hMem));
        const HGDIOBJ hOriginal = GetCurrentObject(hMem, OBJ_BRUSH);
        const CBrushHandle brush(CreateSolidBrush(RGB(9, 9, 9)));
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
