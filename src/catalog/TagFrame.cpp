#include "catalog/TagFrame.h"

#include <id3tag.h>

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

// Checks the inflated size a compressed frame declares (libid3tag inflates
// into as many bytes as it says) and finds where the frame's data begins.
// An ID3v2.4 data length indicator of a frame that is neither compressed
// nor encrypted is taken away: the data may be shortened after it.
FrameUse CheckSizes(int nMajor, const FormatFlags& f, unsigned& nFlags, std::string& body,
                    std::size_t& offData)
{
    const bool bCompressed = nFlags & f.compressed;
    const bool bEncrypted = nFlags & f.encrypted;
    const bool bGrouped = nFlags & f.grouped;
    const bool bLength = nFlags & f.dataLength;
    const bool bSized = nMajor == 3 ? bCompressed : bLength;
    const std::size_t offSize = nMajor == 3 ? 0 : (bGrouped ? 1 : 0) + (bEncrypted ? 1 : 0);
    offData = nMajor == 3 ? (bCompressed ? 4 : 0) + (bEncrypted ? 1 : 0) + (bGrouped ? 1 : 0)
                          : offSize + (bLength ? 4 : 0);
    if (body.size() < offData)
        return FrameUse::kBreaksTag;
    if (bSized) {
        const auto* pSize = reinterpret_cast<const unsigned char*>(body.data()) + offSize;
        if ((nMajor == 3 ? ReadBigEndian(pSize, 4) : ReadSyncsafe(pSize)) > kMaxTagFrameBytes)
            return FrameUse::kSkip;
    } else if (bCompressed) {
        return FrameUse::kSkip;
    }
    if (nMajor == 4 && bLength && !bCompressed && !bEncrypted) {
        body.erase(offSize, 4);
        offData -= 4;
        nFlags &= ~f.dataLength;
    }
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
// the text: here the frame is made plain before libid3tag sees it. And an
// album of a thousand strings costs it a thousand allocations, where one is
// read.
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
    std::size_t offData = 0;
    if (nMajor > 2) {
        const FrameUse use = CheckSizes(nMajor, f, nFlags, body, offData);
        if (use != FrameUse::kKeep)
            return use;
    }
    // Compressed or encrypted data is libid3tag's to read.
    if (bFirstStringOnly && (nMajor == 2 || !(nFlags & (f.compressed | f.encrypted))))
        KeepFirstString(body, offData);

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
