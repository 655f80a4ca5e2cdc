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

TEST(AppendUpdateMarker, MarksOnceKeepingAtMost24CharactersInFrontOfTheMarker)
{
    const std::string twentyFour = "abcdefghijklmnopqrstuvwx";
    const std::string forty = "The first twenty-four ch|and sixteen more";
    const std::string markedThirty = std::string(26, 'c') + ":AVC";
    const struct {
        std::string comment;
        std::string written;
    } cases[] = {
        {"Live", "Live:AVC"},
        {"0123456789", "0123456789:AVC"},
        {std::string(23, 'c'), std::string(23, 'c') + ":AVC"},
        {twentyFour, twentyFour + ":AVC"},  // 28 characters, nothing lost
        {forty, "The first twenty-four ch:AVC"},
        {std::string(259, 'z'), std::string(24, 'z') + ":AVC"},
        {"", ":AVC"},
        // Latin-1 text is cut by bytes like any other.
        {std::string(30, '\xE9'), std::string(24, '\xE9') + ":AVC"},
        // A comment that carries the marker is written back as it is.
        {"Live:AVC", "Live:AVC"},
        {"live:avc", "live:avc"},
        {markedThirty, markedThirty},
        {":AVC", ":AVC"},
        // Not the marker: marked like any other comment.
        {"Live:AVC ", "Live:AVC :AVC"},
        {"AVC", "AVC:AVC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.written, AppendUpdateMarker(c.comment)) << c.comment;
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
