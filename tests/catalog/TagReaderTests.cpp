#include "support/GTestWin.h"

#include <id3tag.h>
#include <zlib.h>

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

// Writes tag + audio to a new file of the folder and reads it back.
Tags WriteAndRead(const TempFolder& folder, const std::string& name, const std::string& tagBytes,
                  const std::string& trailer = std::string())
{
    const std::string path = folder.File(name);
    EXPECT_TRUE(WriteFileBytes(path, tagBytes + AudioFrames(3) + trailer));
    return Read(path);
}

std::string Hand23Tag(const std::string& frames, std::uint8_t flags = 0)
{
    return Id3v2Header(3, flags, frames.size()) + frames;
}

std::string Utf16Le(const std::u16string& text)
{
    std::string bytes("\xFF\xFE", 2);
    for (char16_t ch : text) {
        bytes += static_cast<char>(ch & 0xFF);
        bytes += static_cast<char>(ch >> 8);
    }
    return bytes;
}

}  // namespace

TEST(ReadTags, ReadsAlbumAndCommentFromId3v22v23AndV24Tags)
{
    TempFolder folder;

    const std::string v22 = Id3v22Frame("TT2", TextFrameBody(0, "Title 22")) +
                            Id3v22Frame("COM", CommentFrameBody(0, "eng", "", "Comment 22")) +
                            Id3v22Frame("TAL", TextFrameBody(0, "Album 22"));
    Tags tags = WriteAndRead(folder, "v22.mp3", Id3v2Header(2, 0, v22.size()) + v22);
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Comment 22", tags.comment);
    EXPECT_EQ("Album 22", tags.album);

    const std::string v23 = Id3v23Frame("TALB", TextFrameBody(0, "Album 23")) +
                            Id3v23Frame("COMM", CommentFrameBody(0, "eng", "desc", "Comment 23"));
    tags = WriteAndRead(folder, "v23.mp3", Hand23Tag(v23));
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Comment 23", tags.comment);
    EXPECT_EQ("Album 23", tags.album);

    CRenderedTag v24;
    v24.AddText("TIT2", {U"Title 24"});
    v24.AddComment("eng", U"", U"Comment 24");
    v24.AddText("TALB", {U"Album 24"});
    tags = WriteAndRead(folder, "v24.mp3", v24.Render());
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Comment 24", tags.comment);
    EXPECT_EQ("Album 24", tags.album);
}

TEST(ReadTags, TakesTheFirstCommentFrameAndTheFirstAlbumString)
{
    TempFolder folder;
    CRenderedTag tag;
    tag.AddComment("deu", U"Kurz", U"Erster Kommentar");
    tag.AddComment("eng", U"", U"Second comment");
    tag.AddText("TALB", {U"First album", U"Second album", U"Third album"});
    Tags tags = WriteAndRead(folder, "two.mp3", tag.Render());
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Erster Kommentar", tags.comment);
    EXPECT_EQ("First album", tags.album);

    // The order in the file decides, not the language.
    CRenderedTag swapped;
    swapped.AddComment("eng", U"", U"Second comment");
    swapped.AddComment("deu", U"Kurz", U"Erster Kommentar");
    tags = WriteAndRead(folder, "swapped.mp3", swapped.Render());
    EXPECT_EQ("Second comment", tags.comment);
    EXPECT_EQ("", tags.album);
}

TEST(ReadTags, InflatesCompressedFramesAndUndoesUnsynchronisation)
{
    TempFolder folder;

    // ID3v2.3 frame compressed with zlib: flag 0x0080, the inflated size,
    // then the deflated body.
    const std::string body = CommentFrameBody(0, "eng", "", "Packed comment, packed comment");
    std::string packed(compressBound(body.size()), '\0');
    uLongf cbPacked = packed.size();
    ASSERT_EQ(Z_OK, compress(reinterpret_cast<Bytef*>(&packed[0]), &cbPacked,
                             reinterpret_cast<const Bytef*>(body.data()), body.size()));
    packed.resize(cbPacked);
    const std::string inflatedSize("\0\0\0", 3);
    const std::string frames =
        Id3v23Frame("COMM", inflatedSize + static_cast<char>(body.size()) + packed, 0x0080) +
        Id3v23Frame("TALB", TextFrameBody(0, "Plain album"));
    Tags tags = WriteAndRead(folder, "zlib23.mp3", Hand23Tag(frames));
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Packed comment, packed comment", tags.comment);
    EXPECT_EQ("Plain album", tags.album);

    // libid3tag's own rendering with compression (v2.4, data length indicator).
    CRenderedTag rendered;
    const std::u32string longText(200, U'x');
    rendered.AddComment("eng", U"", longText);
    rendered.AddText("TALB", {longText});
    const std::string renderedBytes = rendered.Render(ID3_TAG_OPTION_COMPRESSION);
    ASSERT_LT(renderedBytes.size(), 200u) << "the rendering did not compress";
    tags = WriteAndRead(folder, "zlib24.mp3", renderedBytes);
    EXPECT_EQ(std::string(200, 'x'), tags.comment);
    EXPECT_EQ(std::string(200, 'x'), tags.album);

    // A whole ID3v2.3 tag unsynchronised (flag 0x80): the 0xFF bytes of the
    // text got a 0x00 after them, which the reader takes out again.
    const std::string ffText("\xFF\xE0 y\xFF\xFF\xFF", 7);
    const std::string plain = Id3v23Frame("TALB", TextFrameBody(0, ffText)) +
                              Id3v23Frame("COMM", CommentFrameBody(0, "eng", "", ffText));
    const std::string unsynced = Unsynchronise(plain);
    ASSERT_GT(unsynced.size(), plain.size());
    tags = WriteAndRead(folder, "unsync23.mp3", Hand23Tag(unsynced, 0x80));
    EXPECT_EQ("", tags.message);
    EXPECT_EQ(ffText, tags.comment);
    EXPECT_EQ(ffText, tags.album);

    // libid3tag's own unsynchronisation (per frame in v2.4).
    CRenderedTag unsync24;
    unsync24.AddComment("eng", U"", Latin1Text(ffText));
    unsync24.AddText("TALB", {Latin1Text(ffText)});
    tags = WriteAndRead(folder, "unsync24.mp3", unsync24.Render(ID3_TAG_OPTION_UNSYNCHRONISATION));
    EXPECT_EQ(ffText, tags.comment);
    EXPECT_EQ(ffText, tags.album);
}

TEST(ReadTags, TakesEveryTagOfTheFileAndEndsOnMalformedOnes)
{
    auto v24 = [](const std::string& frames, bool bUpdate = false, bool bFooter = false) {
        const std::string body = (bUpdate ? std::string("\0\0\0\x07\x01\x40\0", 7) : "") + frames;
        const std::uint8_t flags = (bUpdate ? 0x40 : 0) | (bFooter ? 0x10 : 0);
        return Id3v2Header(4, flags, body.size()) + body +
               (bFooter ? Id3v24Footer(flags, body.size()) : "");
    };
    auto album = [](const char* psz) { return Id3v24Frame("TALB", TextFrameBody(0, psz)); };
    auto comment = [](const char* psz) {
        return Id3v24Frame("COMM", CommentFrameBody(0, "eng", "", psz));
    };
    auto seek = [](char cbGap) { return Id3v24Frame("SEEK", std::string(3, '\0') + cbGap); };
    const std::string audio = AudioFrames(2);
    const std::string v1 = Id3v1Tag("T", "A", "V1 album", "V1 comment");
    const std::string start = v24(album("Start") + comment("Start comment"));
    const std::string end = v24(album("End"), false, true);
    const struct {
        std::string bytes, album, comment;
    } cases[] = {
        // A tag at the end (with a footer), also before an ID3v1 tag; it
        // replaces the tag at the start unless it is an update.
        {audio + v24(album("End") + comment("End comment"), false, true), "End", "End comment"},
        {audio + end + v1, "End", ""},
        {start + audio + end, "End", ""},
        {start + audio + v24(album("End") + comment("Other"), true, true), "Start",
         "Start comment"},
        // The ID3v1 tag counts only without a readable tag at the start.
        {v24(album("Start")) + audio + v1, "Start", ""},
        {Id3v2Header(3, 0, 5000) + audio + v1, "V1 album", "V1 comment"},
        // A SEEK frame leads to a tag further on.
        {v24(album("Start") + seek(5)) + "12345" + v24(album("Second")) + audio, "Second", ""},
        {v24(album("Start") + seek(0)) + v24(comment("Update"), true) + audio, "Start", "Update"},
        // libid3tag's file reader never returns from this file.
        {SeekLoopFile("Loop", "Seek"), "Loop", "Seek"},
        // Album frames that inflate beyond the bound count as absent.
        {CompressedBombTag(3, kMaxTagFrameBytes + 1, "Bomb") + audio, "", "Bomb"},
        {CompressedBombTag(1, kMaxTagFrameBytes, "Fits") + audio,
         std::string(kMaxTagFrameBytes - 1, 'B'), "Fits"},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string path = folder.File("tags.mp3");
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const Tags tags = Read(path);
        EXPECT_EQ("", tags.message) << &c - cases;
        EXPECT_EQ(c.album, tags.album) << &c - cases;
        EXPECT_EQ(c.comment, tags.comment) << &c - cases;
    }
}

TEST(ReadTags, KeepsLatin1TextByteForByte)
{
    TempFolder folder;
    std::string every;
    for (int ch = 0x20; ch <= 0xFF; ++ch)
        every += static_cast<char>(ch);
    const std::string frames = Id3v23Frame("TALB", TextFrameBody(0, every)) +
                               Id3v23Frame("COMM", CommentFrameBody(0, "fra", "", "Caf\xE9 \xAB" "d\xE9j\xE0 vu\xBB\n\xFF"));
    Tags tags = WriteAndRead(folder, "latin1.mp3", Hand23Tag(frames));
    EXPECT_EQ("", tags.message);
    EXPECT_EQ(every, tags.album);
    EXPECT_EQ("Caf\xE9 \xAB" "d\xE9j\xE0 vu\xBB\n\xFF", tags.comment);
}

TEST(ReadTags, PutsAMiddleDotForEveryCharacterBeyondLatin1)
{
    TempFolder folder;
    // "日本の歌 Café" and "コメント ü": four and four characters beyond Latin-1.
    const std::u32string album = U"\u65E5\u672C\u306E\u6B4C Caf\u00E9";
    const std::u32string comment = U"\u30B3\u30E1\u30F3\u30C8 \u00FC";
    const std::string albumLatin1 = "\xB7\xB7\xB7\xB7 Caf\xE9";
    const std::string commentLatin1 = "\xB7\xB7\xB7\xB7 \xFC";

    CRenderedTag utf16;
    utf16.AddText("TALB", {album}, CRenderedTag::kUtf16);
    utf16.AddComment("jpn", U"", comment, CRenderedTag::kUtf16);
    Tags tags = WriteAndRead(folder, "utf16.mp3", utf16.Render());
    EXPECT_EQ("", tags.message);
    EXPECT_EQ(albumLatin1, tags.album);
    EXPECT_EQ(commentLatin1, tags.comment);

    CRenderedTag utf8;
    utf8.AddText("TALB", {album}, CRenderedTag::kUtf8);
    utf8.AddComment("jpn", U"", comment, CRenderedTag::kUtf8);
    tags = WriteAndRead(folder, "utf8.mp3", utf8.Render());
    EXPECT_EQ(albumLatin1, tags.album);
    EXPECT_EQ(commentLatin1, tags.comment);

    // A hand-built ID3v2.3 UTF-16 frame with a byte-order mark.
    const std::string frames =
        Id3v23Frame("TALB", TextFrameBody(1, Utf16Le(u"\u65E5\u672C\u306E\u6B4C Caf\u00E9")));
    tags = WriteAndRead(folder, "utf16v23.mp3", Hand23Tag(frames));
    EXPECT_EQ(albumLatin1, tags.album);
    EXPECT_EQ("", tags.comment);
}

TEST(ReadTags, ReadsAFileWithOnlyAnId3v1Tag)
{
    TempFolder folder;
    Tags tags = WriteAndRead(folder, "v1.mp3", std::string(),
                             Id3v1Tag("Title", "Artist", "Old album", "Old comment"));
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Old album", tags.album);
    EXPECT_EQ("Old comment", tags.comment);
}

TEST(ReadTags, AFileWithoutTagOrFramesGivesEmptyValuesAndNoMessage)
{
    TempFolder folder;
    Tags tags = WriteAndRead(folder, "bare.mp3", std::string());
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("", tags.comment);
    EXPECT_EQ("", tags.album);

    CRenderedTag titleOnly;
    titleOnly.AddText("TIT2", {U"Only a title"});
    tags = WriteAndRead(folder, "title.mp3", titleOnly.Render());
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("", tags.comment);
    EXPECT_EQ("", tags.album);

    ASSERT_TRUE(WriteFileBytes(folder.File("empty.mp3"), std::string()));
    tags = Read(folder.File("empty.mp3"));
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("", tags.album);
}

TEST(ReadTags, MissingFilesAndFoldersCannotBeOpenedAndLeaveTheOutputsAlone)
{
    TempFolder folder;
    for (const std::string& path :
         {folder.File("missing.mp3"), folder.Path(), folder.Path() + "\\", std::string("")}) {
        Tags tags = Read(path);
        EXPECT_EQ("Can't open file for MP3 tags", tags.message) << path;
        EXPECT_EQ("untouched", tags.comment) << path;
        EXPECT_EQ("untouched", tags.album) << path;
    }
    // A folder that looks like an MP3 file.
    const std::string fakeFile = folder.File("Music.mp3");
    ASSERT_TRUE(CreateDirectoryA(fakeFile.c_str(), nullptr));
    EXPECT_EQ("Can't open file for MP3 tags", Read(fakeFile).message);
}

TEST(ReadTags, OpensPathsWrittenInTheAnsiCodePage)
{
    TempFolder folder;
    // "Café Ÿ" in code page 1252 (0x9F is U+0178, not a Latin-1 character).
    ASSERT_EQ(1252u, GetACP());
    const std::string sub = folder.File("Caf\xE9 \x9F");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr)) << GetLastError();
    CRenderedTag tag;
    tag.AddText("TALB", {U"Accented"});
    const std::string path = sub + "\\Tr\xE8s \x80.mp3";
    ASSERT_TRUE(WriteFileBytes(path, tag.Render() + AudioFrames(1)));
    Tags tags = Read(path);
    EXPECT_EQ("", tags.message);
    EXPECT_EQ("Accented", tags.album);
}

TEST(GetFrameText, GivesTheFirstStringOfAnyTextFrameAndEmptyForAnAbsentOne)
{
    CRenderedTag rendered;
    rendered.AddText("TIT2", {U"Title one", U"Title two"});
    rendered.AddComment("eng", U"Description", U"");
    const std::string bytes = rendered.Render();
    id3_tag* pTag = id3_tag_parse(reinterpret_cast<const id3_byte_t*>(bytes.data()), bytes.size());
    ASSERT_NE(nullptr, pTag);
    EXPECT_EQ("Title one", GetFrameText(pTag, "TIT2"));
    EXPECT_EQ("", GetFrameText(pTag, "TPE1"));
    EXPECT_EQ("", GetFrameText(pTag, "COMM"));
    EXPECT_EQ("", GetFrameText(nullptr, "TIT2"));
    id3_tag_delete(pTag);
}

TEST(ReadTags, FindsFilesByWindowsRulesAlsoWhenFoldersChangeBetweenReads)
{
    TempFolder folder;
    auto writeAlbum = [](const std::string& path, const char32_t* pszAlbum) {
        CRenderedTag tag;
        tag.AddText("TALB", {pszAlbum});
        return WriteFileBytes(path, tag.Render() + AudioFrames(1));
    };
    const std::string real = folder.File("Album");
    ASSERT_TRUE(CreateDirectoryA(real.c_str(), nullptr));
    ASSERT_TRUE(writeAlbum(real + "\\track.mp3", U"First"));
    ASSERT_TRUE(writeAlbum(real + "\\other.mp3", U"Other"));

    // Names are matched ignoring case, in the folder part and the file name.
    const std::string lower = folder.File("album");
    EXPECT_EQ("First", Read(lower + "\\track.mp3").album);
    EXPECT_EQ("Other", Read(lower + "\\other.mp3").album);
    EXPECT_EQ("First", Read(lower + "\\TRACK.MP3").album);
    EXPECT_EQ("First", Read(real + "\\Track.Mp3").album);
    // Windows drops trailing dots and blanks of a name.
    EXPECT_EQ("First", Read(real + "\\track.mp3.").album);

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
