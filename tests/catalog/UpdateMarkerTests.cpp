#include "support/GTestWin.h"

#include <string>

#include "catalog/CatalogConstants.h"
#include "catalog/UpdateMarker.h"

TEST(HasUpdateMarker, RecognisesTheMarkerAtTheEndIgnoringCase)
{
    EXPECT_STREQ(":AVC", g_strAvcMarker);
    for (const char* psz : {"Live:AVC", "live:avc", ":AVC", ":aVc", "Rock \xE9t\xE9:Avc",
                            "Live:AVC:AVC", "0123456789012345678901234567:AVC"})
        EXPECT_TRUE(HasUpdateMarker(psz)) << psz;
    for (const char* psz : {"AVC", "Live:AVC ", "", ":", "Live:AV", "Live;AVC", "Live-AVC",
                            "Live AVC", ":AVC live", "Live:\xC0VC", "Live:AVC\n"})
        EXPECT_FALSE(HasUpdateMarker(psz)) << psz;
    // Only the last four characters count: what comes before them does not.
    EXPECT_TRUE(HasUpdateMarker(std::string("a\0b:AVC", 7)));
}

TEST(AppendUpdateMarker, KeepsAtMost24CharactersInFrontOfTheMarker)
{
    const std::string ten = "0123456789";
    EXPECT_EQ(ten + ":AVC", AppendUpdateMarker(ten));
    EXPECT_EQ(14u, AppendUpdateMarker(ten).size());

    const std::string twentyThree(23, 'c');
    EXPECT_EQ(twentyThree + ":AVC", AppendUpdateMarker(twentyThree));

    const std::string twentyFour = "abcdefghijklmnopqrstuvwx";
    EXPECT_EQ(twentyFour + ":AVC", AppendUpdateMarker(twentyFour));
    EXPECT_EQ(kCommentCapacity, AppendUpdateMarker(twentyFour).size());

    const std::string forty = "The first twenty-four ch|and sixteen more";
    ASSERT_EQ(41u, forty.size());
    EXPECT_EQ("The first twenty-four ch:AVC", AppendUpdateMarker(forty));

    const std::string longest(259, 'z');
    EXPECT_EQ(std::string(24, 'z') + ":AVC", AppendUpdateMarker(longest));

    EXPECT_EQ(":AVC", AppendUpdateMarker(""));
    // No look for a marker already there.
    EXPECT_EQ("Live:AVC:AVC", AppendUpdateMarker("Live:AVC"));
    // Latin-1 text is cut by bytes like any other.
    EXPECT_EQ(std::string(24, '\xE9') + ":AVC", AppendUpdateMarker(std::string(30, '\xE9')));
}

TEST(AppendUpdateMarker, NeverSplitsADoubleByteCharacter)
{
    // Shift-JIS: 0x82 0xA0 is one character. 23 single bytes and then a
    // double-byte character: cutting after 24 bytes would keep half of it.
    const std::string split = std::string(23, 'a') + "\x82\xA0" + "bbb";
    EXPECT_EQ(std::string(23, 'a') + ":AVC", AppendUpdateMarker(split, 932));
    // Twelve double-byte characters fit exactly.
    std::string twelve;
    for (int i = 0; i < 13; ++i)
        twelve += "\x82\xA0";
    EXPECT_EQ(twelve.substr(0, 24) + ":AVC", AppendUpdateMarker(twelve, 932));
    // In code page 1252 the same bytes are single characters.
    EXPECT_EQ(split.substr(0, 24) + ":AVC", AppendUpdateMarker(split, 1252));
}
