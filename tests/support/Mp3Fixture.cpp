#include "support/Mp3Fixture.h"

#include "support/HostPath.h"
#include "support/Mp3Files.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <vector>

#include <windows.h>

#include <id3tag.h>

namespace testsupport {

namespace {

constexpr size_t kFrameBytes = 417;  // 144 * 128000 / 44100, no padding bit
constexpr size_t kSideInfoBytes = 32;

std::string Latin1(const id3_ucs4_t* pText)
{
    if (pText == nullptr)
        return std::string();
    id3_latin1_t* pLatin1 = id3_ucs4_latin1duplicate(pText);
    if (pLatin1 == nullptr)
        return std::string();
    std::string text(reinterpret_cast<const char*>(pLatin1));
    std::free(pLatin1);
    return text;
}

}  // namespace

std::string AudioFrames(int nFrames)
{
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

std::string Mp3Bytes(const Mp3FileSpec& spec)
{
    std::string bytes;
    if (spec.bTag) {
        std::string body;
        if (!spec.album.empty())
            body += Id3v23Frame("TALB", TextFrameBody(0, spec.album));
        if (!spec.comment.empty())
            body += Id3v23Frame("COMM", CommentFrameBody(0, "eng", "", spec.comment));
        body.append(spec.cbPadding, '\0');
        bytes = Id3v2Header(3, 0, body.size()) + body;
    }
    return bytes + AudioFrames(spec.nFrames);
}

bool WriteMp3File(const std::string& path, const Mp3FileSpec& spec)
{
    return WriteFileBytes(path, Mp3Bytes(spec));
}

size_t LeadingTagSize(const std::string& bytes)
{
    if (bytes.size() < 10 || bytes.compare(0, 3, "ID3") != 0)
        return 0;
    const auto b = [&](size_t i) {
        return static_cast<size_t>(static_cast<unsigned char>(bytes[i]));
    };
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
    id3_file* pFile = id3_file_open(HostPath(path).c_str(), ID3_FILE_MODE_READONLY);
    if (pFile == nullptr)
        return text;
    text.bOpened = true;
    if (id3_tag* pTag = id3_file_tag(pFile)) {
        if (id3_frame* pFrame = id3_tag_findframe(pTag, "TALB", 0)) {
            id3_field* pField = id3_frame_field(pFrame, 1);
            if (pField != nullptr && id3_field_getnstrings(pField) > 0)
                text.album = Latin1(id3_field_getstrings(pField, 0));
        }
        if (id3_frame* pFrame = id3_tag_findframe(pTag, "COMM", 0))
            text.comment = Latin1(id3_field_getfullstring(id3_frame_field(pFrame, 3)));
    }
    id3_file_close(pFile);
    return text;
}

}  // namespace testsupport
