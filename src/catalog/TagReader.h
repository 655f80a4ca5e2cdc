// Reading the album (TALB) and comment (COMM) of an MP3 file through
// libid3tag, with the file opened read-only. Nothing here writes a file.
#pragma once

#include <string>

struct id3_tag;

// Messages of ReadTags, shown in the file list's Message/Error column.
inline constexpr char kMsgCantOpenTags[] = "Can't open file for MP3 tags";
inline constexpr char kMsgCantReadTags[] = "Can't read tags from MP3 file";

// Reads comment and album of the file at pszPath (a path of the program's
// own system: a Windows path in the Windows and Winelib builds). Returns the
// empty string on success, else one of the messages above; on failure
// strComment and strAlbum are left as they were.
std::string ReadTags(const char* pszPath, std::string& strComment, std::string& strAlbum);

// The text of the first frame with the four-letter id pszFrameId in Latin-1
// (0xB7 for every character beyond it): the full text for "COMM", the first
// string of the list for a text frame. Empty when there is no such frame or
// text.
std::string GetFrameText(const id3_tag* pTag, const char* pszFrameId);
