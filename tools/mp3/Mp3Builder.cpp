#include "mp3/Mp3Builder.h"

#include <windows.h>

#include <id3tag.h>
#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace mp3 {

namespace {

std::vector<id3_ucs4_t> Ucs4(const std::u32string& text)
{
    std::vector<id3_ucs4_t> ucs4(text.begin(), text.end());
    ucs4.push_back(0);
    return ucs4;
}

id3_field_textencoding LibraryEncoding(CRenderedTag::Encoding encoding)
{
    switch (encoding) {
    case CRenderedTag::kUtf16:
        return ID3_FIELD_TEXTENCODING_UTF_16;
    case CRenderedTag::kUtf8:
        return ID3_FIELD_TEXTENCODING_UTF_8;
    default:
        return ID3_FIELD_TEXTENCODING_ISO_8859_1;
    }
}

void Check(bool bOk, const char* pszWhat)
{
    if (!bOk)
        throw std::runtime_error(pszWhat);
}

std::string BigEndian(std::uint32_t value, int nBytes)
{
    std::string bytes;
    for (int i = nBytes - 1; i >= 0; --i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Field(const std::string& text, std::size_t cb)
{
    std::string field = text.substr(0, cb);
    field.resize(cb, '\0');
    return field;
}

}  // namespace

std::string AudioFrames(int nFrames)
{
    constexpr size_t kFrameBytes = 417;  // 144 * 128000 / 44100, no padding bit
    constexpr size_t kSideInfoBytes = 32;
    std::string bytes;
    for (int nFrame = 0; nFrame < nFrames; ++nFrame) {
        // Sync, MPEG-1, Layer III, no CRC; 128 kbit/s, 44.1 kHz; stereo.
        std::string frame("\xFF\xFB\x90\x00", 4);
        frame.append(kSideInfoBytes, '\0');
        for (size_t i = frame.size(); i < kFrameBytes; ++i)
            frame += static_cast<char>((i * 7 + nFrame * 13) % 251);
        bytes += frame;
    }
    return bytes;
}

std::string Mp3Bytes(const Mp3FileDesc& desc)
{
    std::string bytes;
    if (desc.bTag) {
        std::string body;
        if (!desc.album.empty())
            body += Id3v23Frame("TALB", TextFrameBody(0, desc.album));
        if (!desc.comment.empty())
            body += Id3v23Frame("COMM", CommentFrameBody(0, "eng", "", desc.comment));
        body.append(desc.cbPadding, '\0');
        bytes = Id3v2Header(3, 0, body.size()) + body;
    }
    return bytes + AudioFrames(desc.nFrames);
}

bool WriteMp3File(const std::string& path, const Mp3FileDesc& desc)
{
    const std::string bytes = Mp3Bytes(desc);
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD cbWritten = 0;
    const BOOL bOk = WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &cbWritten,
                               nullptr);
    return CloseHandle(hFile) && bOk && cbWritten == bytes.size();
}

size_t LeadingTagSize(const std::string& bytes)
{
    if (bytes.size() < 10 || bytes.compare(0, 3, "ID3") != 0)
        return 0;
    const auto b = [&](size_t i) {
        return static_cast<size_t>(static_cast<unsigned char>(bytes[i]));
    };
    if ((b(6) | b(7) | b(8) | b(9)) & 0x80)
        return 0;  // not a synchsafe size: libid3tag sees no tag either
    size_t size = 10 + ((b(6) << 21) | (b(7) << 14) | (b(8) << 7) | b(9));
    if (b(3) == 4 && (b(5) & 0x10))
        size += 10;
    return size;
}

std::string AudioAfterTag(const std::string& bytes)
{
    const size_t size = LeadingTagSize(bytes);
    return size < bytes.size() ? bytes.substr(size) : std::string();
}

Mp3TagText ReadMp3TagText(const std::string& path)
{
    Mp3TagText text;
    std::string error;
    text.bOpened = ReadMp3Tags(path, &text, &error);
    return text;
}

CRenderedTag::CRenderedTag() : m_pTag(id3_tag_new())
{
    Check(m_pTag != nullptr, "id3_tag_new");
}

CRenderedTag::~CRenderedTag()
{
    id3_tag_delete(m_pTag);
}

void CRenderedTag::AddText(const char* pszId, const std::vector<std::u32string>& strings,
                           Encoding encoding)
{
    id3_frame* pFrame = id3_frame_new(pszId);
    Check(pFrame != nullptr, "id3_frame_new");
    std::vector<std::vector<id3_ucs4_t>> texts;
    std::vector<id3_ucs4_t*> pointers;
    for (const auto& s : strings)
        texts.push_back(Ucs4(s));
    for (auto& t : texts)
        pointers.push_back(t.data());
    Check(id3_field_settextencoding(id3_frame_field(pFrame, 0), LibraryEncoding(encoding)) == 0 &&
              id3_field_setstrings(id3_frame_field(pFrame, 1),
                                   static_cast<unsigned>(pointers.size()), pointers.data()) == 0,
          "text frame fields");
    Check(id3_tag_attachframe(m_pTag, pFrame) == 0, "id3_tag_attachframe");
}

void CRenderedTag::AddComment(const char* pszLanguage, const std::u32string& description,
                              const std::u32string& text, Encoding encoding)
{
    id3_frame* pFrame = id3_frame_new("COMM");
    Check(pFrame != nullptr, "id3_frame_new");
    const auto desc = Ucs4(description);
    const auto full = Ucs4(text);
    Check(id3_field_settextencoding(id3_frame_field(pFrame, 0), LibraryEncoding(encoding)) == 0 &&
              id3_field_setlanguage(id3_frame_field(pFrame, 1), pszLanguage) == 0 &&
              id3_field_setstring(id3_frame_field(pFrame, 2), desc.data()) == 0 &&
              id3_field_setfullstring(id3_frame_field(pFrame, 3), full.data()) == 0,
          "comment frame fields");
    Check(id3_tag_attachframe(m_pTag, pFrame) == 0, "id3_tag_attachframe");
}

std::string CRenderedTag::Render(int nOptions)
{
    // No padding, so that the bytes are exactly the frames.
    id3_tag_options(m_pTag, ~0, nOptions);
    id3_tag_setlength(m_pTag, 0);
    // The size pass does not compress, so it is an upper bound.
    const id3_length_t cbMax = id3_tag_render(m_pTag, nullptr);
    std::string bytes(cbMax, '\0');
    const id3_length_t cb =
        cbMax ? id3_tag_render(m_pTag, reinterpret_cast<id3_byte_t*>(&bytes[0])) : 0;
    Check(cb <= cbMax, "id3_tag_render");
    bytes.resize(cb);
    return bytes;
}

std::u32string Latin1Text(const std::string& latin1)
{
    std::u32string text;
    for (unsigned char ch : latin1)
        text += static_cast<char32_t>(ch);
    return text;
}

std::string Id3v2Header(int nMajor, std::uint8_t flags, std::size_t cbBody)
{
    std::string header("ID3", 3);
    header += static_cast<char>(nMajor);
    header += '\0';
    header += static_cast<char>(flags);
    for (int shift = 21; shift >= 0; shift -= 7)
        header += static_cast<char>((cbBody >> shift) & 0x7F);
    return header;
}

std::string Id3v22Frame(const char* pszId, const std::string& body)
{
    return std::string(pszId, 3) + BigEndian(static_cast<std::uint32_t>(body.size()), 3) + body;
}

std::string Id3v23Frame(const char* pszId, const std::string& body, std::uint16_t flags)
{
    return std::string(pszId, 4) + BigEndian(static_cast<std::uint32_t>(body.size()), 4) +
           BigEndian(flags, 2) + body;
}

std::string Id3v24Frame(const char* pszId, const std::string& body, std::uint16_t flags)
{
    // A synchsafe size is the tag header's size field.
    return std::string(pszId, 4) + Id3v2Header(4, 0, body.size()).substr(6) +
           BigEndian(flags, 2) + body;
}

std::string Id3v24Footer(std::uint8_t flags, std::size_t cbBody)
{
    return "3DI" + Id3v2Header(4, flags, cbBody).substr(3);
}

std::string TextFrameBody(std::uint8_t encoding, const std::string& text)
{
    return static_cast<char>(encoding) + text;
}

std::string CommentFrameBody(std::uint8_t encoding, const char* pszLanguage,
                             const std::string& description, const std::string& text)
{
    const bool bWide = encoding == 1 || encoding == 2;
    std::string body(1, static_cast<char>(encoding));
    body += std::string(pszLanguage, 3);
    body += description;
    body += bWide ? std::string(2, '\0') : std::string(1, '\0');
    body += text;
    return body;
}

std::string Unsynchronise(const std::string& bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            (i + 1 == bytes.size() || static_cast<unsigned char>(bytes[i + 1]) >= 0xE0 ||
             bytes[i + 1] == '\0'))
            out += '\0';
    }
    return out;
}

std::string Id3v1Tag(const std::string& title, const std::string& artist,
                     const std::string& album, const std::string& comment)
{
    std::string tag("TAG", 3);
    tag += Field(title, 30);
    tag += Field(artist, 30);
    tag += Field(album, 30);
    tag += "2001";
    tag += Field(comment, 28);
    tag += '\0';          // ID3v1.1: a zero byte, then the track number
    tag += '\x07';
    tag += '\x0C';        // genre
    return tag;
}

std::string SeekLoopFile(const std::string& album, const std::string& comment)
{
    const std::string frames = Id3v24Frame("TALB", TextFrameBody(0, album)) +
                               Id3v24Frame("COMM", CommentFrameBody(0, "eng", "", comment)) +
                               Id3v24Frame("SEEK", std::string(4, '\0'));
    std::string file = Id3v2Header(4, 0, frames.size()) + frames;
    Check(file.size() <= 128, "SeekLoopFile: texts too long");
    file.resize(128, '\0');
    return file;
}

std::string CompressedBombTag(int nFrames, std::size_t cbInflated, const std::string& comment)
{
    // Deflated a chunk at a time, so that the inflated bytes never exist.
    z_stream stream{};
    Check(cbInflated > 0 && deflateInit(&stream, Z_BEST_COMPRESSION) == Z_OK, "deflateInit");
    std::string packed;
    auto feed = [&](const std::string& bytes, bool bLast) {
        char out[16 * 1024];
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        stream.avail_in = static_cast<uInt>(bytes.size());
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = sizeof(out);
            deflate(&stream, bLast ? Z_FINISH : Z_NO_FLUSH);
            packed.append(out, sizeof(out) - stream.avail_out);
        } while (stream.avail_out == 0);
    };
    feed(std::string(1, '\0'), cbInflated == 1);  // the text encoding, Latin-1
    const std::string run(64 * 1024, 'B');
    for (std::size_t cbLeft = cbInflated - 1; cbLeft > 0;) {
        const std::size_t cb = std::min(cbLeft, run.size());
        cbLeft -= cb;
        feed(run.substr(0, cb), cbLeft == 0);
    }
    deflateEnd(&stream);

    const std::string frame =
        Id3v23Frame("TALB", BigEndian(static_cast<std::uint32_t>(cbInflated), 4) + packed, 0x0080);
    std::string frames;
    for (int i = 0; i < nFrames; ++i)
        frames += frame;
    frames += Id3v23Frame("COMM", CommentFrameBody(0, "eng", "", comment));
    return Id3v2Header(3, 0, frames.size()) + frames;
}

}  // namespace mp3
