#include "catalog/TagFrame.h"

#include <id3tag.h>
#include <zlib.h>

namespace {

// The frame format flags that put bytes before a frame's data. ID3v2.3 puts
// the inflated size, the encryption method and the group byte there, in
// that order; ID3v2.4 the group byte, the encryption method and the data
// length indicator.
struct FormatFlags {
    unsigned compressed, encrypted, grouped, dataLength;
};
constexpr FormatFlags kV23Flags{0x0080, 0x0040, 0x0020, 0};
constexpr FormatFlags kV24Flags{ID3_FRAME_FLAG_COMPRESSION, ID3_FRAME_FLAG_ENCRYPTION,
                                ID3_FRAME_FLAG_GROUPINGIDENTITY,
                                ID3_FRAME_FLAG_DATALENGTHINDICATOR};

// The bytes without the 0x00 that unsynchronisation put after each 0xFF.
std::string Deunsynchronised(const std::string& bytes)
{
    std::string plain;
    plain.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(i > 0 && bytes[i - 1] == '\xFF' && bytes[i] == '\0'))
            plain += bytes[i];
    }
    return plain;
}

// Inflates zlib data in place; false unless it gives exactly cbPlain bytes
// (libid3tag rejects a frame that does not).
bool Inflate(std::string& data, std::size_t cbPlain)
{
    std::string plain(cbPlain, '\0');
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(&data[0]);
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(&plain[0]);
    stream.avail_out = static_cast<uInt>(cbPlain);
    const bool bDone = inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.total_out == cbPlain;
    inflateEnd(&stream);
    if (bDone)
        data.swap(plain);
    return bDone;
}

// Takes away the bytes before the data (but the group byte) and inflates
// compressed data, clearing the flags that described them. An encrypted
// frame stays as it is: libid3tag keeps it unread.
FrameUse Unpack(int nMajor, const FormatFlags& f, unsigned& nFlags, std::string& body)
{
    const bool bCompressed = nFlags & f.compressed;
    const bool bEncrypted = nFlags & f.encrypted;
    const bool bGrouped = nFlags & f.grouped;
    const bool bLength = nFlags & f.dataLength;
    const bool bSized = nMajor == 3 ? bCompressed : bLength;
    const std::size_t offSize = nMajor == 3 ? 0 : (bGrouped ? 1 : 0) + (bEncrypted ? 1 : 0);
    const std::size_t offGroup = nMajor == 3 ? (bCompressed ? 4 : 0) + (bEncrypted ? 1 : 0) : 0;
    const std::size_t cbExtra =
        nMajor == 3 ? offGroup + (bGrouped ? 1 : 0) : offSize + (bLength ? 4 : 0);
    if (body.size() < cbExtra)
        return FrameUse::kBreaksTag;

    std::size_t cbPlain = body.size() - cbExtra;
    if (bSized) {
        const auto* pSize = reinterpret_cast<const unsigned char*>(body.data()) + offSize;
        cbPlain = nMajor == 3 ? ReadBigEndian(pSize, 4) : ReadSyncsafe(pSize);
        if (cbPlain > kMaxTagFrameBytes)
            return FrameUse::kSkip;
    } else if (bCompressed) {
        return FrameUse::kSkip;
    }
    if (bEncrypted)
        return FrameUse::kKeep;

    std::string data = body.substr(cbExtra);
    if (bCompressed && !Inflate(data, cbPlain))
        return FrameUse::kBreaksTag;
    body = (bGrouped ? body.substr(offGroup, 1) : std::string()) + data;
    nFlags &= ~(f.compressed | f.dataLength);
    return FrameUse::kKeep;
}

// A text frame's data is an encoding byte and strings, each ended by the
// encoding's terminator (one zero byte, or two aligned ones in UTF-16).
void KeepFirstString(std::string& body, std::size_t off)
{
    if (body.size() <= off)
        return;
    const unsigned char encoding = static_cast<unsigned char>(body[off]);
    if (encoding == ID3_FIELD_TEXTENCODING_UTF_16 || encoding == ID3_FIELD_TEXTENCODING_UTF_16BE) {
        for (std::size_t i = off + 1; i + 1 < body.size(); i += 2) {
            if (body[i] == '\0' && body[i + 1] == '\0') {
                body.resize(i);
                return;
            }
        }
    } else if (encoding == ID3_FIELD_TEXTENCODING_ISO_8859_1 ||
               encoding == ID3_FIELD_TEXTENCODING_UTF_8) {
        const std::size_t posEnd = body.find('\0', off + 1);
        if (posEnd != std::string::npos)
            body.resize(posEnd);
    }
}

}  // namespace

// libid3tag undoes an ID3v2.4 frame's unsynchronisation itself but then
// takes the frame as long as it was stored, so the bytes beyond end up in
// the text: here the frame is made plain before libid3tag sees it. Its
// inflation is bounded only by the size a frame declares, which is checked
// here first. And an album of a thousand strings costs it a thousand
// allocations, where one is read.
FrameUse MakePlainFrame(int nMajor, const unsigned char* pHeader, std::string body,
                        bool bFirstStringOnly, std::string& frame)
{
    const std::size_t cbHeader = nMajor == 2 ? 6 : 10;
    unsigned nFlags = nMajor == 2 ? 0 : ReadBigEndian(pHeader + 8, 2);
    if (nMajor == 4 && (nFlags & ID3_FRAME_FLAG_UNSYNCHRONISATION)) {
        body = Deunsynchronised(body);
        nFlags &= ~ID3_FRAME_FLAG_UNSYNCHRONISATION;
    }
    const FormatFlags& f = nMajor == 3 ? kV23Flags : kV24Flags;
    if (nMajor > 2) {
        const FrameUse use = Unpack(nMajor, f, nFlags, body);
        if (use != FrameUse::kKeep)
            return use;
    }
    if (bFirstStringOnly && !(nMajor > 2 && (nFlags & f.encrypted)))
        KeepFirstString(body, nMajor > 2 && (nFlags & f.grouped) ? 1 : 0);

    frame.assign(reinterpret_cast<const char*>(pHeader), cbHeader);
    if (nMajor == 4) {
        WriteSyncsafe(frame, 4, body.size());
    } else {
        const int cbSize = nMajor == 2 ? 3 : 4;  // after the id of as many letters
        for (int i = 0; i < cbSize; ++i)
            frame[cbSize + i] = static_cast<char>((body.size() >> (8 * (cbSize - 1 - i))) & 0xFF);
    }
    if (nMajor > 2) {
        frame[8] = static_cast<char>((nFlags >> 8) & 0xFF);
        frame[9] = static_cast<char>(nFlags & 0xFF);
    }
    frame += body;
    return FrameUse::kKeep;
}

std::uint32_t ReadBigEndian(const unsigned char* p, int cb)
{
    std::uint32_t n = 0;
    for (int i = 0; i < cb; ++i)
        n = (n << 8) | p[i];
    return n;
}

std::uint32_t ReadSyncsafe(const unsigned char* p)
{
    return (p[0] & 0x7Fu) << 21 | (p[1] & 0x7Fu) << 14 | (p[2] & 0x7Fu) << 7 | (p[3] & 0x7Fu);
}

void WriteSyncsafe(std::string& bytes, std::size_t pos, std::size_t n)
{
    for (int i = 0; i < 4; ++i)
        bytes[pos + i] = static_cast<char>((n >> (21 - 7 * i)) & 0x7F);
}
