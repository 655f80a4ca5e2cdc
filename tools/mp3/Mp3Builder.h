// Builds the bytes of MP3 files for tests, benchmarks and the demo: MPEG
// audio frames, whole files with an ID3v2.3 tag, the hand-built pieces of
// ID3v2.2, ID3v2.3, ID3v2.4 and ID3v1 tags (also malformed ones), and
// ID3v2.4 tags rendered by libid3tag itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mp3/Mp3TagFile.h"

struct id3_tag;

namespace mp3 {

// nFrames MPEG-1 Layer III frames of 128 kbit/s, 44.1 kHz stereo (417
// bytes each): silent side information and a pattern, different in every
// frame, in the ancillary bytes, so that any change to the audio shows. The
// pattern has no 0xFF byte: no false frame sync.
std::string AudioFrames(int nFrames);

// A whole generated file.
struct Mp3FileDesc {
    bool bTag = true;        // false: no ID3v2 tag at all
    std::string album;       // TALB text, Latin-1; empty: no TALB frame
    std::string comment;     // COMM text (language "eng", no description); empty: no COMM frame
    size_t cbPadding = 256;  // zero bytes after the frames, inside the tag
    int nFrames = 8;         // audio frames after the tag
};
// The ID3v2.3 tag (if any), then the frames.
std::string Mp3Bytes(const Mp3FileDesc& desc);
// Writes those bytes to the file (Windows path), replacing it.
bool WriteMp3File(const std::string& path, const Mp3FileDesc& desc);

// Size of the ID3v2 tag at the front of the bytes (header and footer
// included); 0 if there is none or its size is not synchsafe.
size_t LeadingTagSize(const std::string& bytes);
// The bytes after the leading ID3v2 tag.
std::string AudioAfterTag(const std::string& bytes);

// The album and comment read back with ReadMp3Tags; bOpened false when the
// file cannot be opened.
struct Mp3TagText : Mp3Tags {
    bool bOpened = false;
};
Mp3TagText ReadMp3TagText(const std::string& path);

// An ID3v2.4 tag built and rendered by libid3tag.
class CRenderedTag {
public:
    enum Encoding { kLatin1, kUtf16, kUtf8 };

    CRenderedTag();
    ~CRenderedTag();
    CRenderedTag(const CRenderedTag&) = delete;
    CRenderedTag& operator=(const CRenderedTag&) = delete;

    // A text frame (TALB, TIT2, ...) with one or more strings.
    void AddText(const char* pszId, const std::vector<std::u32string>& strings,
                 Encoding encoding = kLatin1);
    // A comment frame: language (3 letters), short description, full text.
    void AddComment(const char* pszLanguage, const std::u32string& description,
                    const std::u32string& text, Encoding encoding = kLatin1);
    // The rendered tag; options are libid3tag's ID3_TAG_OPTION_... flags.
    std::string Render(int nOptions = 0);

private:
    id3_tag* m_pTag;
};

// Latin-1 bytes as UCS-4 text.
std::u32string Latin1Text(const std::string& latin1);

// Hand-built tags. A tag header with the version's major number, its flags
// and the size of what follows it (a synchsafe number).
std::string Id3v2Header(int nMajor, std::uint8_t flags, std::size_t cbBody);
// An ID3v2.2 frame: three-letter id, 24-bit size, body.
std::string Id3v22Frame(const char* pszId, const std::string& body);
// An ID3v2.3 frame: four-letter id, 32-bit size, two flag bytes, body.
std::string Id3v23Frame(const char* pszId, const std::string& body, std::uint16_t flags = 0);
// An ID3v2.4 frame: four-letter id, synchsafe size, two flag bytes, body.
std::string Id3v24Frame(const char* pszId, const std::string& body, std::uint16_t flags = 0);
// The footer that ends an ID3v2.4 tag with the footer flag (0x10): "3DI",
// then the header's version, flags and size.
std::string Id3v24Footer(std::uint8_t flags, std::size_t cbBody);
// Body of a text frame (encoding byte then text) and of a comment frame
// (encoding, language, description, terminator, text), bytes as given.
std::string TextFrameBody(std::uint8_t encoding, const std::string& text);
std::string CommentFrameBody(std::uint8_t encoding, const char* pszLanguage,
                             const std::string& description, const std::string& text);
// Applies ID3v2 unsynchronisation: 0x00 after every 0xFF that is followed by
// 0x00 or a byte of 0xE0 and above, and after a final 0xFF.
std::string Unsynchronise(const std::string& bytes);
// A 128-byte ID3v1.1 tag; fields are cut or padded with NULs.
std::string Id3v1Tag(const std::string& title, const std::string& artist,
                     const std::string& album, const std::string& comment);

// Malformed files that libid3tag's own file reader cannot finish or that
// make it inflate without bound. A 128-byte file: an ID3v2.4 tag with album,
// comment and a SEEK frame of offset 0, then zeros (the reader loops on it
// for good).
std::string SeekLoopFile(const std::string& album, const std::string& comment);
// An ID3v2.3 tag of nFrames zlib-compressed TALB frames, each inflating to
// cbInflated bytes as it declares ('B's), then a plain COMM frame with the
// comment. The deflated data grows by about a thousandth of cbInflated.
std::string CompressedBombTag(int nFrames, std::size_t cbInflated, const std::string& comment);

}  // namespace mp3
