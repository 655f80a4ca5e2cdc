// libid3tag's own file reader reads every tag whole and parses every frame:
// a tag of 256 MB, frames that inflate to gigabytes, or a SEEK frame that
// leads it back to a tag it has read (it then loops for good) all reach it.
// Here each tag is walked frame by frame through a CTagStream; the album,
// comment and SEEK frames are copied into a small tag of the same version
// and flags, which libid3tag parses in memory. Other frames are never read,
// so a broken or huge picture no longer costs anything.
#include "catalog/TagScanner.h"

#include <id3tag.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "catalog/TagFrame.h"
#include "catalog/TagReader.h"
#include "catalog/TagStream.h"

namespace {

constexpr int kMaxSeeks = 16;                    // tags reached through SEEK frames
constexpr int kMaxFrames = 100000;               // frames looked at in one tag
constexpr std::int64_t kReadBudget = 16 << 20;   // bytes read through tag streams per file
constexpr std::size_t kHeaderBytes = 10;         // ID3v2 header or footer
constexpr std::size_t kV1Bytes = 128;

// Tag header flags.
constexpr unsigned char kTagUnsync = ID3_TAG_FLAG_UNSYNCHRONISATION;
constexpr unsigned char kTagExtended = ID3_TAG_FLAG_EXTENDEDHEADER;  // ID3v2.2: compressed tag
constexpr unsigned char kTagFooter = ID3_TAG_FLAG_FOOTERPRESENT;
// An ID3v2.4 extended header that says only "this tag is an update".
const char kUpdateHeader[] = "\0\0\0\x07\x01\x40\0";

struct TagDeleter {
    void operator()(id3_tag* pTag) const { id3_tag_delete(pTag); }
};
using TagPtr = std::unique_ptr<id3_tag, TagDeleter>;

bool IsFrameIdChar(unsigned char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

// The frames worth reading, by the id they are stored under.
enum FrameKind { kAlbum, kComment, kSeek, kKinds, kOther = kKinds };

FrameKind KindOf(const unsigned char* pId, int nMajor)
{
    const char* pszId = reinterpret_cast<const char*>(pId);
    if (nMajor == 2)
        return std::memcmp(pszId, "TAL", 3) == 0 ? kAlbum
               : std::memcmp(pszId, "COM", 3) == 0 ? kComment
                                                   : kOther;
    return std::memcmp(pszId, "TALB", 4) == 0   ? kAlbum
           : std::memcmp(pszId, "COMM", 4) == 0 ? kComment
           : std::memcmp(pszId, "SEEK", 4) == 0 ? kSeek
                                                : kOther;
}

class CTagScanner {
public:
    explicit CTagScanner(std::FILE* pFile) : m_pFile(pFile) {}
    bool Scan(std::string& strComment, std::string& strAlbum);

private:
    bool ReadAt(std::int64_t pos, unsigned char* pDest, std::size_t cb);
    TagPtr ReadV2Tag(std::int64_t pos, std::int64_t& posEnd);
    bool SkipExtendedHeader(CTagStream& body, int nMajor, bool& bUpdate);
    bool CopyWantedFrames(CTagStream& body, int nMajor, std::string& frames);
    void Take(const id3_tag& tag);

    std::FILE* m_pFile;
    std::int64_t m_cbFile = 0;
    std::int64_t m_cbBudget = kReadBudget;
    bool m_bFailed = false;
    // The first comment and album frame since the last tag that was not an update.
    bool m_bHaveComment = false;
    bool m_bHaveAlbum = false;
    std::string m_strComment;
    std::string m_strAlbum;
};

bool CTagScanner::ReadAt(std::int64_t pos, unsigned char* pDest, std::size_t cb)
{
    if (SeekFile(m_pFile, pos, SEEK_SET) == 0 && std::fread(pDest, 1, cb, m_pFile) == cb)
        return true;
    m_bFailed = true;
    return false;
}

// The tags in the order libid3tag's file reader reads them. The SEEK chain
// only goes forward (an offset counts from the end of the tag that holds it)
// and is cut after kMaxSeeks tags. Where the ID3v1 tag belongs, libid3tag
// also takes an ID3v2.4 tag that starts exactly 128 bytes before the end (a
// SEEK frame in it is what sends it round for good); only "TAG" counts here.
// Nor is an extended header's CRC or padding size checked.
bool CTagScanner::Scan(std::string& strComment, std::string& strAlbum)
{
    std::setvbuf(m_pFile, nullptr, _IONBF, 0);  // CTagStream reads in chunks of its own
    if (SeekFile(m_pFile, 0, SEEK_END) != 0 || (m_cbFile = TellFile(m_pFile)) < 0)
        return false;

    // The last bytes hold an ID3v1 tag, the footer of a tag before it, or a
    // footer alone.
    unsigned char tail[kV1Bytes + kHeaderBytes];
    const std::size_t cbTail = static_cast<std::size_t>(
        std::min<std::int64_t>(m_cbFile, static_cast<std::int64_t>(sizeof(tail))));
    if (!ReadAt(m_cbFile - static_cast<std::int64_t>(cbTail), tail, cbTail))
        return false;
    const bool bV1 = cbTail >= kV1Bytes && std::memcmp(tail + cbTail - kV1Bytes, "TAG", 3) == 0;
    if (bV1) {
        if (TagPtr v1{id3_tag_parse(tail + cbTail - kV1Bytes, kV1Bytes)})
            Take(*v1);
    }

    std::int64_t posEnd = 0;
    TagPtr tag = ReadV2Tag(0, posEnd);
    for (int nSeeks = 0; tag; ++nSeeks) {
        Take(*tag);
        const id3_frame* pSeek = id3_tag_findframe(tag.get(), "SEEK", 0);
        if (!pSeek || nSeeks == kMaxSeeks)
            break;
        const signed long nOffset = id3_field_getint(id3_frame_field(pSeek, 0));
        if (nOffset < 0)
            break;
        tag = ReadV2Tag(posEnd + nOffset, posEnd);
    }

    const std::size_t cbAfterFooter = bV1 ? kV1Bytes : 0;
    if (cbTail >= cbAfterFooter + kHeaderBytes) {
        const signed long nBack = id3_tag_query(tail + cbTail - cbAfterFooter - kHeaderBytes,
                                                kHeaderBytes);
        const std::int64_t posFooter =
            m_cbFile - static_cast<std::int64_t>(cbAfterFooter + kHeaderBytes);
        if (nBack < 0) {
            if (TagPtr appended = ReadV2Tag(posFooter + nBack, posEnd))
                Take(*appended);
        }
    }

    if (m_bFailed)
        return false;
    strComment = m_bHaveComment ? std::move(m_strComment) : std::string();
    strAlbum = m_bHaveAlbum ? std::move(m_strAlbum) : std::string();
    return true;
}

// Reads the ID3v2 tag that starts at pos, if one does and it lies wholly in
// the file, as a small tag of its wanted frames; posEnd becomes the offset
// after it (footer included). Null for no tag or one that libid3tag would
// not parse.
TagPtr CTagScanner::ReadV2Tag(std::int64_t pos, std::int64_t& posEnd)
{
    unsigned char header[kHeaderBytes];
    if (pos < 0 || pos + static_cast<std::int64_t>(kHeaderBytes) > m_cbFile ||
        !ReadAt(pos, header, kHeaderBytes) || std::memcmp(header, "ID3", 3) != 0)
        return nullptr;
    const signed long cbTag = id3_tag_query(header, kHeaderBytes);
    const int nMajor = header[3];
    const unsigned char flags = header[5];
    if (cbTag < static_cast<signed long>(kHeaderBytes) || pos + cbTag > m_cbFile || nMajor < 2 ||
        nMajor > 4 || (nMajor == 2 && (flags & kTagExtended)))
        return nullptr;
    posEnd = pos + cbTag;

    // Up to ID3v2.3 unsynchronisation covers the whole tag and the frame
    // sizes count the bytes without it; ID3v2.4 marks it per frame.
    CTagStream body(m_pFile, pos + static_cast<std::int64_t>(kHeaderBytes),
                    ReadSyncsafe(header + 6), (flags & kTagUnsync) && nMajor < 4, m_cbBudget);
    bool bUpdate = false;
    std::string reduced(reinterpret_cast<const char*>(header), kHeaderBytes);
    if ((flags & kTagExtended) && !SkipExtendedHeader(body, nMajor, bUpdate))
        return nullptr;
    if (bUpdate)
        reduced.append(kUpdateHeader, sizeof(kUpdateHeader) - 1);
    const bool bFramesRead = CopyWantedFrames(body, nMajor, reduced);
    if (body.Failed())
        m_bFailed = true;
    if (!bFramesRead || body.Failed())
        return nullptr;

    // Same version and flags, but no footer, no extended header beyond the
    // update flag, and no unsynchronisation that is already undone.
    unsigned char newFlags = flags & ~(kTagExtended | kTagFooter);
    if (nMajor < 4)
        newFlags &= ~kTagUnsync;
    if (bUpdate)
        newFlags |= kTagExtended;
    reduced[5] = static_cast<char>(newFlags);
    WriteSyncsafe(reduced, 6, reduced.size() - kHeaderBytes);
    return TagPtr(id3_tag_parse(reinterpret_cast<const id3_byte_t*>(reduced.data()),
                                reduced.size()));
}

// ID3v2.3: a size that does not count itself, then flags, padding and CRC;
// ID3v2.4: a size that counts itself, the number of flag bytes, the flags.
// The CRC is not checked: the copied tag no longer holds the frames it covers.
bool CTagScanner::SkipExtendedHeader(CTagStream& body, int nMajor, bool& bUpdate)
{
    unsigned char bytes[6];
    if (body.Read(bytes, 4) != 4)
        return false;
    if (nMajor == 3)
        return body.Skip(ReadBigEndian(bytes, 4));
    const std::uint32_t cb = ReadSyncsafe(bytes);
    if (cb < 6 || body.Read(bytes + 4, 2) != 2)
        return false;
    bUpdate = (bytes[5] & ID3_TAG_EXTENDEDFLAG_TAGISANUPDATE) != 0;
    return body.Skip(cb - 6);
}

// Appends the first usable album, comment and SEEK frame to frames, made
// plain. False where libid3tag would reject the whole tag: a frame id that
// is not one, a frame beyond the end of the tag, a kept frame it would not
// parse. The walk ends at padding, at the end, or after kMaxFrames frames.
bool CTagScanner::CopyWantedFrames(CTagStream& body, int nMajor, std::string& frames)
{
    const std::size_t cbId = nMajor == 2 ? 3 : 4;
    const std::size_t cbHeader = nMajor == 2 ? 6 : 10;
    bool bTaken[kKinds] = {};
    for (int nFrame = 0; nFrame < kMaxFrames; ++nFrame) {
        unsigned char header[10];
        if (body.Read(header, cbHeader) != cbHeader || header[0] == 0)
            return true;
        if (!std::all_of(header, header + cbId, IsFrameIdChar))
            return false;
        const std::uint32_t cbFrame = nMajor == 2   ? ReadBigEndian(header + 3, 3)
                                      : nMajor == 3 ? ReadBigEndian(header + 4, 4)
                                                    : ReadSyncsafe(header + 4);
        const FrameKind kind = KindOf(header, nMajor);
        if (kind == kOther || bTaken[kind] || cbFrame > kMaxTagFrameBytes) {
            if (!body.Skip(cbFrame))
                return false;
            continue;
        }
        std::string stored(cbFrame, '\0');
        if (body.Read(reinterpret_cast<unsigned char*>(&stored[0]), cbFrame) != cbFrame)
            return false;
        std::string frame;
        switch (MakePlainFrame(nMajor, header, std::move(stored), kind == kAlbum, frame)) {
        case FrameUse::kBreaksTag:
            return false;
        case FrameUse::kSkip:
            continue;
        case FrameUse::kKeep:
            break;
        }
        bTaken[kind] = true;
        frames += frame;
    }
    return true;
}

// libid3tag's file reader keeps one tag of all it read: a tag that is not an
// update empties it first, then the new tag's frames are added at its end.
void CTagScanner::Take(const id3_tag& tag)
{
    if (!(tag.extendedflags & ID3_TAG_EXTENDEDFLAG_TAGISANUPDATE)) {
        m_bHaveComment = m_bHaveAlbum = false;
        m_strComment.clear();
        m_strAlbum.clear();
    }
    if (!m_bHaveComment && id3_tag_findframe(&tag, "COMM", 0)) {
        m_bHaveComment = true;
        m_strComment = GetFrameText(&tag, "COMM");
    }
    if (!m_bHaveAlbum && id3_tag_findframe(&tag, "TALB", 0)) {
        m_bHaveAlbum = true;
        m_strAlbum = GetFrameText(&tag, "TALB");
    }
}

}  // namespace

bool ScanTagTexts(std::FILE* pFile, std::string& strComment, std::string& strAlbum)
{
    return pFile && CTagScanner(pFile).Scan(strComment, strAlbum);
}
