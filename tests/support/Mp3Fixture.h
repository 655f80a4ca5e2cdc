// Whole MP3 files for tests: an ID3v2.3 tag built byte by byte (TALB and
// COMM in Latin-1, then padding) followed by MPEG-1 Layer III frames whose
// bytes differ, so that any change to the audio shows; and the reading back
// of such files with libid3tag.
#pragma once

#include <string>

namespace testsupport {

struct Mp3FileSpec {
    bool bTag = true;        // false: no ID3v2 tag at all
    std::string album;       // TALB text; empty: no TALB frame
    std::string comment;     // COMM text (language "eng", no description); empty: no COMM frame
    size_t cbPadding = 256;  // zero bytes after the frames, inside the tag
    int nFrames = 8;         // MPEG frames after the tag
};

// nFrames frames of 128 kbit/s, 44.1 kHz stereo (417 bytes each): silent
// side information and a pattern, different in every frame, in the
// ancillary bytes.
std::string AudioFrames(int nFrames);
// The whole file: the tag (if any), then the frames.
std::string Mp3Bytes(const Mp3FileSpec& spec);
bool WriteMp3File(const std::string& path, const Mp3FileSpec& spec);

// Size of the ID3v2 tag at the front of the bytes (header included), 0 if none.
size_t LeadingTagSize(const std::string& bytes);
// The bytes after the leading ID3v2 tag.
std::string AudioAfterTag(const std::string& bytes);

struct Mp3TagText {
    bool bOpened = false;  // false: libid3tag could not open the file
    std::string album;     // first string of the first TALB
    std::string comment;   // full text of the first COMM
};
// Reads the album and comment with libid3tag (Windows path), Latin-1.
Mp3TagText ReadMp3TagText(const std::string& path);

}  // namespace testsupport
