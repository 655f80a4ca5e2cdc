#include "mp3/Mp3TagFile.h"

#include "mp3/HostPath.h"
#include "mp3/Mp3Builder.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include <windows.h>

#include <id3tag.h>

namespace mp3 {

namespace {

// Room left after a tag that had to grow, so that the next change fits in place.
constexpr id3_length_t kNewTagPadding = 256;

struct Id3FileCloser {
    void operator()(id3_file* pFile) const { id3_file_close(pFile); }
};
using Id3File = std::unique_ptr<id3_file, Id3FileCloser>;

struct MallocFree {
    void operator()(void* p) const { std::free(p); }
};
using Latin1Text = std::unique_ptr<id3_latin1_t, MallocFree>;
using Ucs4Text = std::unique_ptr<id3_ucs4_t, MallocFree>;

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

std::string ToLatin1(const id3_ucs4_t* pText)
{
    if (pText == nullptr)
        return std::string();
    Latin1Text latin1(id3_ucs4_latin1duplicate(pText));
    return latin1 ? std::string(reinterpret_cast<const char*>(latin1.get())) : std::string();
}

Ucs4Text FromLatin1(const std::string& text)
{
    return Ucs4Text(id3_latin1_ucs4duplicate(reinterpret_cast<const id3_latin1_t*>(text.c_str())));
}

void RemoveFrames(id3_tag* pTag, const char* pszId)
{
    while (id3_frame* pFrame = id3_tag_findframe(pTag, pszId, 0)) {
        id3_tag_detachframe(pTag, pFrame);
        id3_frame_delete(pFrame);
    }
}

// The first frame with the id, attached new when there is none.
id3_frame* FirstFrame(id3_tag* pTag, const char* pszId, bool* pbNew)
{
    *pbNew = false;
    if (id3_frame* pFrame = id3_tag_findframe(pTag, pszId, 0))
        return pFrame;
    id3_frame* pFrame = id3_frame_new(pszId);
    if (pFrame == nullptr)
        return nullptr;
    if (id3_tag_attachframe(pTag, pFrame) != 0) {
        id3_frame_delete(pFrame);
        return nullptr;
    }
    *pbNew = true;
    return pFrame;
}

bool SetAlbum(id3_tag* pTag, const std::string& album)
{
    if (album.empty()) {
        RemoveFrames(pTag, "TALB");
        return true;
    }
    bool bNew = false;
    id3_frame* pFrame = FirstFrame(pTag, "TALB", &bNew);
    Ucs4Text text = FromLatin1(album);
    if (pFrame == nullptr || !text)
        return false;
    id3_ucs4_t* pText = text.get();
    return id3_field_settextencoding(id3_frame_field(pFrame, 0),
                                     ID3_FIELD_TEXTENCODING_ISO_8859_1) == 0 &&
           id3_field_setstrings(id3_frame_field(pFrame, 1), 1, &pText) == 0;
}

bool SetComment(id3_tag* pTag, const std::string& comment)
{
    if (comment.empty()) {
        RemoveFrames(pTag, "COMM");
        return true;
    }
    bool bNew = false;
    id3_frame* pFrame = FirstFrame(pTag, "COMM", &bNew);
    Ucs4Text text = FromLatin1(comment);
    if (pFrame == nullptr || !text)
        return false;
    if (bNew && id3_field_setlanguage(id3_frame_field(pFrame, 1), "eng") != 0)
        return false;
    return id3_field_settextencoding(id3_frame_field(pFrame, 0),
                                     ID3_FIELD_TEXTENCODING_ISO_8859_1) == 0 &&
           id3_field_setfullstring(id3_frame_field(pFrame, 3), text.get()) == 0;
}

// Size of the ID3v2 tag at the front of the file, header and footer
// included; 0 when the file does not begin with one.
bool LeadingTagSize(const std::string& path, DWORD* pdwSize)
{
    *pdwSize = 0;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    char header[10] = {};
    DWORD dwRead = 0;
    if (!ReadFile(file.get(), header, sizeof(header), &dwRead, nullptr))
        return false;
    *pdwSize = static_cast<DWORD>(mp3::LeadingTagSize(std::string(header, dwRead)));
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* pBytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    pBytes->clear();
    char buffer[65536];
    DWORD dwRead = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &dwRead, nullptr) && dwRead > 0)
        pBytes->append(buffer, dwRead);
    return true;
}

bool WriteWholeFile(const std::string& path, const void* pHead, size_t cbHead,
                    const std::string& tail)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    DWORD dw = 0;
    return WriteFile(file.get(), pHead, static_cast<DWORD>(cbHead), &dw, nullptr) && dw == cbHead &&
           WriteFile(file.get(), tail.data(), static_cast<DWORD>(tail.size()), &dw, nullptr) &&
           dw == tail.size();
}

// The new tag followed by everything after the old one, written beside the
// file and then moved over it, so that a failure leaves the file as it was.
bool RebuildFile(const std::string& path, DWORD dwOldTagSize, const std::vector<id3_byte_t>& tag,
                 std::string* pError)
{
    std::string bytes;
    if (!ReadWholeFile(path, &bytes)) {
        *pError = "cannot read the file";
        return false;
    }
    const std::string tail =
        dwOldTagSize < bytes.size() ? bytes.substr(dwOldTagSize) : std::string();
    const std::string tempPath = path + ".standin-new";
    if (!WriteWholeFile(tempPath, tag.data(), tag.size(), tail)) {
        DeleteFileA(tempPath.c_str());
        *pError = "cannot write " + tempPath;
        return false;
    }
    if (!MoveFileExA(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(tempPath.c_str());
        *pError = "cannot replace the file";
        return false;
    }
    return true;
}

}  // namespace

bool ReadMp3Tags(const std::string& path, Mp3Tags* pTags, std::string* pError)
{
    *pTags = Mp3Tags();
    Id3File file(id3_file_open(HostPath(path).c_str(), ID3_FILE_MODE_READONLY));
    if (!file) {
        *pError = "cannot open " + path;
        return false;
    }
    id3_tag* pTag = id3_file_tag(file.get());
    if (pTag == nullptr)
        return true;
    if (id3_frame* pFrame = id3_tag_findframe(pTag, "TALB", 0)) {
        id3_field* pField = id3_frame_field(pFrame, 1);
        if (pField != nullptr && id3_field_getnstrings(pField) > 0)
            pTags->album = ToLatin1(id3_field_getstrings(pField, 0));
    }
    if (id3_frame* pFrame = id3_tag_findframe(pTag, "COMM", 0)) {
        if (id3_field* pField = id3_frame_field(pFrame, 3))
            pTags->comment = ToLatin1(id3_field_getfullstring(pField));
    }
    return true;
}

bool WriteMp3Tags(const std::string& path, const Mp3Tags& tags, std::string* pError)
{
    DWORD dwOldTagSize = 0;
    if (!LeadingTagSize(path, &dwOldTagSize)) {
        *pError = "cannot open " + path;
        return false;
    }
    {
        Id3File file(id3_file_open(HostPath(path).c_str(), ID3_FILE_MODE_READWRITE));
        id3_tag* pTag = file ? id3_file_tag(file.get()) : nullptr;
        if (pTag == nullptr) {
            *pError = "cannot open " + path + " for writing";
            return false;
        }
        if (!SetAlbum(pTag, tags.album) || !SetComment(pTag, tags.comment)) {
            *pError = "cannot set the frames";
            return false;
        }
        // A plain tag: no unsynchronisation, compression or CRC.
        id3_tag_options(
            pTag,
            ID3_TAG_OPTION_UNSYNCHRONISATION | ID3_TAG_OPTION_COMPRESSION | ID3_TAG_OPTION_CRC, 0);
        // The rendered size includes the old tag's padding. libid3tag's
        // update rewrites a tag only in place: for any other size it does
        // nothing and still reports success, so a tag that grew is written
        // here instead.
        const id3_length_t length = id3_tag_render(pTag, nullptr);
        if (dwOldTagSize > 0 && length == dwOldTagSize) {
            if (id3_file_update(file.get()) != 0) {
                *pError = "cannot update the tag";
                return false;
            }
        } else {
            // No frames left renders no tag at all.
            std::vector<id3_byte_t> rendered;
            if (length > 0) {
                id3_tag_setlength(pTag, length + kNewTagPadding);
                rendered.resize(id3_tag_render(pTag, nullptr));
                rendered.resize(id3_tag_render(pTag, rendered.data()));
            }
            file.reset();
            if (!RebuildFile(path, dwOldTagSize, rendered, pError))
                return false;
        }
    }
    Mp3Tags written;
    if (!ReadMp3Tags(path, &written, pError))
        return false;
    if (written.album != tags.album || written.comment != tags.comment) {
        *pError = "the tag reads back differently";
        return false;
    }
    return true;
}

}  // namespace mp3
