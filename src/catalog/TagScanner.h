// Finds the ID3 tags of an open MP3 file in the places libid3tag's file
// reader looks and takes the album and comment from them, in bounded time
// and memory whatever the file declares: only the frames that matter are
// read and handed to libid3tag's in-memory parser.
#pragma once

#include <cstdio>
#include <string>

// Reads the comment and album of the file: the ID3v1 tag at its end, the
// ID3v2 tag at its start with the tags its SEEK frames lead to, and an ID3v2
// tag with a footer at its end (before an ID3v1 tag). Each tag replaces the
// frames of the tags before it unless it is flagged as an update; the first
// comment and album frame of what remains count (empty when there is none).
// Returns false on a read error of the file.
bool ScanTagTexts(std::FILE* pFile, std::string& strComment, std::string& strAlbum);
