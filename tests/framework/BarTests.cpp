// The toolbar resource reader.
#include "support/GTestWin.h"

#include <cstring>
#include <string>
#include <vector>

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
    EXPECT_FALSE(Parse(Bytes<DWORD>({16, 15, 2, 57634}), &size, &ids));
    EXPECT_FALSE(Parse(Bytes<DWORD>({16, 15, 0xFFFFFFFFu}), &size, &ids));
    EXPECT_FALSE(Parse(Bytes<WORD>({1, 0, 15, 1, 57634}), &size, &ids));
    EXPECT_FALSE(Parse(Bytes<DWORD>({0, 15, 1, 57634}), &size, &ids));
    EXPECT_FALSE(Parse(std::string("\x01\x00\x10", 3), &size, &ids));
    EXPECT_FALSE(CToolBar::ParseToolBarResource(nullptr, 0, &size, &ids));
    // A version 1 header whose count overruns is read as the other layout,
    // which refuses it too.
    EXPECT_FALSE(Parse(Bytes<WORD>({1, 16, 15, 200, 1, 2}), &size, &ids));
}
