// The album and comment of an MP3 file's ID3v2 tag, read and written with
// libid3tag. Text is Latin-1 (the ANSI code page's bytes taken as code
// points). Writing touches only the tag: the audio after it is kept byte
// for byte.
#pragma once

#include <string>

namespace mp3 {

struct Mp3Tags {
    std::string album;    // first string of the first TALB frame
    std::string comment;  // full text of the first COMM frame
};

// Reads the tags of the file (Windows path). A file without a tag gives
// empty texts; a file that cannot be opened gives false and a reason.
bool ReadMp3Tags(const std::string& path, Mp3Tags* pTags, std::string* pError);

// Sets the first TALB and COMM frames to the texts (adding them where
// missing, removing them for an empty text) and saves the tag. The tag is
// rewritten in place when it fits the room of the old one; otherwise the
// file is rebuilt as the new tag followed by the old bytes after the old tag.
bool WriteMp3Tags(const std::string& path, const Mp3Tags& tags, std::string* pError);

}  // namespace mp3
