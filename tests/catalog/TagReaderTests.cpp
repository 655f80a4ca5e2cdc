#include "support/GTestWin.h"

#include <id3tag.h>
#include <zlib.h>

#include <functional>
#include <string>

#include "catalog/TagFrame.h"
#include "catalog/TagReader.h"
#include "mp3/Mp3Builder.h"
#include "support/TestSupport.h"

using namespace testsupport;
using namespace mp3;

namespace {

struct Tags {
    std::string message;
    std::string comment;
    std::string album;
};

// Reads a file with outputs that start as "untouched", so that a test sees
// whether ReadTags wrote them.
Tags Read(const std::string& path)
{
    Tags tags{"", "untouched", "untouched"};
    tags.message = ReadTags(path.c_str(), tags.comment, tags.album);
    return tags;
}

// A tag rendered by libid3tag with its frames added by build.
std::string Rendered(const std::function<void(CRenderedTag&)>& build, int nOptions = 0)
{
    CRenderedTag tag;
    build(tag);
    return tag.Render(nOptions);
}

std::string V23(const std::string& frames, std::uint8_t flags = 0)
{
    return Id3v2Header(3, flags, frames.size()) + frames;
}

std::string V24(const std::string& frames, bool bUpdate = false, bool bFooter = false)
{
    const std::string body = (bUpdate ? std::string("\0\0\0\x07\x01\x40\0", 7) : "") + frames;
    const std::uint8_t flags = (bUpdate ? 0x40 : 0) | (bFooter ? 0x10 : 0);
    return Id3v2Header(4, flags, body.size()) + body + (bFooter ? Id3v24Footer(flags, body.size()) : "");
}

std::string Album23(const std::string& text) { return Id3v23Frame("TALB", TextFrameBody(0, text)); }
std::string Comment23(const std::string& text)
{
    return Id3v23Frame("COMM", CommentFrameBody(0, "eng", "desc", text));
}
std::string Album24(const std::string& text) { return Id3v24Frame("TALB", TextFrameBody(0, text)); }
std::string Comment24(const std::string& text)
{
    return Id3v24Frame("COMM", CommentFrameBody(0, "eng", "", text));
}

// An ID3v2.3 frame compressed with zlib: flag 0x0080, the inflated size,
// then the deflated body.
std::string Compressed23(const char* pszId, const std::string& body)
{
    std::string packed(compressBound(body.size()), '\0');
    uLongf cbPacked = packed.size();
    compress(reinterpret_cast<Bytef*>(&packed[0]), &cbPacked, reinterpret_cast<const Bytef*>(body.data()),
             body.size());
    packed.resize(cbPacked);
    return Id3v23Frame(pszId, std::string("\0\0\0", 3) + static_cast<char>(body.size()) + packed, 0x0080);
}

}  // namespace

// Each file of the table is read whole: its tags by version, encoding,
// compression and unsynchronisation, which tags count, and malformed tags
// that must end in bounded time and memory.
TEST(ReadTags, TakesAlbumAndCommentFromEveryKindOfTag)
{
    const std::string audio = AudioFrames(2);
    const std::string v1 = Id3v1Tag("T", "A", "V1 album", "V1 comment");
    const std::string start = V24(Album24("Start") + Comment24("Start comment"));
    const std::string end = V24(Album24("End"), false, true);
    const auto seek = [](char cbGap) { return Id3v24Frame("SEEK", std::string(3, '\0') + cbGap); };
    const std::string v22 = Id3v22Frame("TT2", TextFrameBody(0, "Title 22")) +
                            Id3v22Frame("COM", CommentFrameBody(0, "eng", "", "Comment 22")) +
                            Id3v22Frame("TAL", TextFrameBody(0, "Album 22"));
    const std::string x200(200, 'x');
    const std::string ff("\xFF\xE0 y\xFF\xFF\xFF", 7);  // unsynchronisation puts a 0x00 after each 0xFF
    std::string every;
    for (int ch = 0x20; ch <= 0xFF; ++ch)
        every += static_cast<char>(ch);
    const std::string cafe = "Caf\xE9 \xAB" "d\xE9j\xE0 vu\xBB\n\xFF";
    // "日本の歌 Café" and "コメント ü": four characters beyond Latin-1 each.
    const std::u32string japanese = U"\u65E5\u672C\u306E\u6B4C Caf\u00E9";
    const std::u32string komento = U"\u30B3\u30E1\u30F3\u30C8 \u00FC";
    const std::string dots = "\xB7\xB7\xB7\xB7 Caf\xE9", dotsComment = "\xB7\xB7\xB7\xB7 \xFC";
    const auto beyondLatin1 = [&](CRenderedTag::Encoding encoding) {
        return Rendered([&](CRenderedTag& t) {
            t.AddText("TALB", {japanese}, encoding);
            t.AddComment("jpn", U"", komento, encoding);
        });
    };
    const struct {
        std::string bytes, album, comment;
    } cases[] = {
        // Versions 2.2 and 2.3 (2.4 below).
        {Id3v2Header(2, 0, v22.size()) + v22 + audio, "Album 22", "Comment 22"},
        {V23(Album23("Album 23") + Comment23("Comment 23")) + audio, "Album 23", "Comment 23"},
        // The first comment frame in the file's order and the first album string (2.4).
        {Rendered([](CRenderedTag& t) {
             t.AddComment("deu", U"Kurz", U"Erster Kommentar");
             t.AddComment("eng", U"", U"Second comment");
             t.AddText("TALB", {U"First album", U"Second album"});
         }) + audio,
         "First album", "Erster Kommentar"},
        {Rendered([](CRenderedTag& t) {
             t.AddComment("eng", U"", U"Second comment");
             t.AddComment("deu", U"Kurz", U"Erster Kommentar");
         }) + audio,
         "", "Second comment"},
        // Compressed frames, by hand (2.3) and by libid3tag (2.4, data length indicator).
        {V23(Compressed23("COMM", CommentFrameBody(0, "eng", "", "Packed")) + Album23("Plain album")) + audio,
         "Plain album", "Packed"},
        {Rendered([&](CRenderedTag& t) {
             t.AddComment("eng", U"", Latin1Text(x200));
             t.AddText("TALB", {Latin1Text(x200)});
         }, ID3_TAG_OPTION_COMPRESSION) + audio,
         x200, x200},
        // Unsynchronisation of a whole 2.3 tag (flag 0x80), and per frame in 2.4.
        {V23(Unsynchronise(Album23(ff) + Comment23(ff)), 0x80) + audio, ff, ff},
        {Rendered([&](CRenderedTag& t) {
             t.AddComment("eng", U"", Latin1Text(ff));
             t.AddText("TALB", {Latin1Text(ff)});
         }, ID3_TAG_OPTION_UNSYNCHRONISATION) + audio,
         ff, ff},
        // Latin-1 byte for byte; a middle dot for every character beyond it.
        {V23(Album23(every) + Comment23(cafe)) + audio, every, cafe},
        {beyondLatin1(CRenderedTag::kUtf16) + audio, dots, dotsComment},
        {beyondLatin1(CRenderedTag::kUtf8) + audio, dots, dotsComment},
        // No tag, a tag without album and comment, an empty file.
        {audio, "", ""},
        {Rendered([](CRenderedTag& t) { t.AddText("TIT2", {U"Only a title"}); }) + audio, "", ""},
        {"", "", ""},
        // A tag at the end (with a footer), also before an ID3v1 tag; it
        // replaces the tag at the start unless it is an update.
        {audio + V24(Album24("End") + Comment24("End comment"), false, true), "End", "End comment"},
        {audio + end + v1, "End", ""},
        {start + audio + end, "End", ""},
        {start + audio + V24(Album24("End") + Comment24("Other"), true, true), "Start", "Start comment"},
        // The ID3v1 tag counts only without a readable tag at the start.
        {audio + v1, "V1 album", "V1 comment"},
        {V24(Album24("Start")) + audio + v1, "Start", ""},
        {Id3v2Header(3, 0, 5000) + audio + v1, "V1 album", "V1 comment"},
        // A SEEK frame leads to a tag further on.
        {V24(Album24("Start") + seek(5)) + "12345" + V24(Album24("Second")) + audio, "Second", ""},
        {V24(Album24("Start") + seek(0)) + V24(Comment24("Update"), true) + audio, "Start", "Update"},
        // libid3tag's file reader never returns from this file.
        {SeekLoopFile("Loop", "Seek"), "Loop", "Seek"},
        // Album frames that inflate beyond the bound count as absent.
        {CompressedBombTag(3, kMaxTagFrameBytes + 1, "Bomb") + audio, "", "Bomb"},
        {CompressedBombTag(1, kMaxTagFrameBytes, "Fits") + audio, std::string(kMaxTagFrameBytes - 1, 'B'),
         "Fits"},
    };
    TempFolder folder;
    const std::string path = folder.File("tags.mp3");
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const Tags tags = Read(path);
        EXPECT_EQ("", tags.message) << &c - cases;
        EXPECT_EQ(c.album, tags.album) << &c - cases;
        EXPECT_EQ(c.comment, tags.comment) << &c - cases;
    }
}

TEST(ReadTags, MissingFilesAndFoldersCannotBeOpenedAndLeaveTheOutputsAlone)
{
    TempFolder folder;
    // The last: a folder that looks like an MP3 file.
    ASSERT_TRUE(CreateDirectoryA(folder.File("Music.mp3").c_str(), nullptr));
    for (const std::string& path : {folder.File("missing.mp3"), folder.Path(), folder.Path() + "\\",
                                    std::string(""), folder.File("Music.mp3")}) {
        Tags tags = Read(path);
        EXPECT_EQ("Can't open file for MP3 tags", tags.message) << path;
        EXPECT_EQ("untouched", tags.comment) << path;
        EXPECT_EQ("untouched", tags.album) << path;
    }
}

// Paths in the ANSI code page; names matched by Windows rules, also when
// folders change between reads.
TEST(ReadTags, FindsFilesByWindowsRulesAlsoWhenFoldersChangeBetweenReads)
{
    TempFolder folder;
    auto writeAlbum = [](const std::string& path, const char32_t* pszAlbum) {
        const auto build = [&](CRenderedTag& t) { t.AddText("TALB", {pszAlbum}); };
        return WriteFileBytes(path, Rendered(build) + AudioFrames(1));
    };
    // "Café Ÿ" in code page 1252 (0x9F is U+0178, not a Latin-1 character).
    ASSERT_EQ(1252u, GetACP());
    const std::string accented = folder.File("Caf\xE9 \x9F");
    ASSERT_TRUE(CreateDirectoryA(accented.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(writeAlbum(accented + "\\Tr\xE8s \x80.mp3", U"Accented"));
    EXPECT_EQ("Accented", Read(accented + "\\Tr\xE8s \x80.mp3").album);

    const std::string real = folder.File("Album");
    ASSERT_TRUE(CreateDirectoryA(real.c_str(), nullptr));
    ASSERT_TRUE(writeAlbum(real + "\\track.mp3", U"First"));
    ASSERT_TRUE(writeAlbum(real + "\\other.mp3", U"Other"));
    // Names are matched ignoring case, in the folder part and the file name;
    // Windows drops trailing dots and blanks of a name.
    const std::string lower = folder.File("album");
    for (const std::string& path : {lower + "\\track.mp3", lower + "\\TRACK.MP3", real + "\\Track.Mp3",
                                    real + "\\track.mp3."})
        EXPECT_EQ("First", Read(path).album) << path;
    EXPECT_EQ("Other", Read(lower + "\\other.mp3").album);

    // The folder that "album" named goes away and another takes its name.
    ASSERT_TRUE(MoveFileA(real.c_str(), folder.File("Old").c_str()));
    ASSERT_TRUE(CreateDirectoryA(folder.File("ALBUM").c_str(), nullptr));
    ASSERT_TRUE(writeAlbum(folder.File("ALBUM") + "\\track.mp3", U"Second"));
    EXPECT_EQ("Second", Read(lower + "\\track.mp3").album);
    EXPECT_EQ("Can't open file for MP3 tags", Read(lower + "\\other.mp3").message);
    EXPECT_EQ("Other", Read(folder.File("Old") + "\\other.mp3").album);

    ASSERT_TRUE(DeleteFileA((folder.File("ALBUM") + "\\track.mp3").c_str()));
    EXPECT_EQ("Can't open file for MP3 tags", Read(lower + "\\track.mp3").message);
}
